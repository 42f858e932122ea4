// The Preferences property sheet (File > Preferences of the main window):
// three pages, "BACKUP_DIALOG" (backup copy on save, automatic save and its
// interval, the folder of both, graphics editing, automatic renumbering of
// nodes), "FONTS_DIALOG" (text and graphics fonts) and "TOOLBAR_DIALOG"
// (toolbars shown, large buttons; its procedure lives with the frames).
//
// The pages change the program's preferences (Settings.h) at once; they
// reach the registry as soon as the main loop has handled the command. The sheet has one button, "Close": the
// backup page validates and stores its fields when it is left or the sheet
// closes (Close or Escape alike, since nothing could be taken back from the
// other pages); a refused field keeps the page open with its message, the
// focus on the field and the previous values in force. When the sheet has
// closed, the automatic save follows the new interval.
//
// The folder button runs the folder chooser: a folder the user cannot read
// and write is refused with a message and the default folder is used;
// cancelling the chooser also goes back to the default folder ("< Default >"),
// which is the one way to clear a chosen folder.
#pragma once

#include <string>

#include "platform/Types.h"

// The backup page's controls.
constexpr int kBackupCheck = 1101;
constexpr int kAutoSaveCheck = 1102;
constexpr int kGraphicsEditingCheck = 1103;
constexpr int kRenumberCheck = 1104;
constexpr int kIntervalField = 1301;
constexpr int kStartNodeField = 1302;
constexpr int kFolderButton = 1001;
constexpr int kFolderText = 1501;
// The fonts page's controls.
constexpr int kTextFontButton = 1001;
constexpr int kGraphicsFontButton = 1002;
constexpr int kTextFontCaption = 1501;
constexpr int kGraphicsFontCaption = 1502;

void PreferencesSheet(HWND owner);
INT_PTR BackupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The folder chooser, titled "Select folder for backup and save files", with
// `folder` preselected; the chosen folder replaces it. False (and `folder`
// emptied) when cancelled.
bool BrowseForFolder(HWND owner, std::string& folder);
