// Small user-interface services around dialogs: a per-thread hook that
// centres the next dialog (message boxes and the dialogs of common dialogs
// included, whose creation the program does not control) on its parent with
// the cursor on its focused control, and lets Escape end it with 0; the hook
// procedures the program gives the common dialogs (CenteringDialogHookProc
// for the print, page set-up and font dialogs, FileDialogHookProc for every
// open and save dialog); a one-call change of a menu item's text; and
// INFO_DIALOG, a notice that closes itself a quarter of a second after its
// text is first painted.
//
// Hook state is per thread (thread_local), so the GUI thread's hook never
// sees a dialog of the graphics thread. Install the hook right before the
// call that shows a dialog and remove it right after.
#pragma once

#include <string>

#include "platform/Types.h"

void CenterDialogHookOn();
void CenterDialogHookOff();

// Hook procedure of a common dialog: at WM_INITDIALOG it centres the dialog
// on its parent with the cursor on OK.
UINT_PTR CenteringDialogHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Hook procedure of the open and save dialogs (OFN_ENABLEHOOK; it runs in
// the dialog's child): once the dialog is ready it is centred on its owner,
// and the dialogs it opens itself (a file not found, a file to replace) are
// centred on it until it is destroyed.
UINT_PTR FileDialogHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the text of the menu item with that command id (its checked and
// greyed state stay).
void SetMenuItemText(HMENU menu, UINT commandId, const char* text);

// Procedure of INFO_DIALOG; the text is the creation parameter (a const
// char*). The notice icon is the information icon.
INT_PTR InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the notice over `owner` and returns once it has closed itself.
void ShowNotice(HWND owner, const std::string& text);
