// The Layout window: the frame (class "QuorvelLayout", title "Quorvel",
// menu "LAYOUT_MENU", accelerators LAYOUT_ACCEL) in which the model is typed
// into the Layout table. It has two toolbars (small buttons, control id 101,
// strip 1801; large buttons, id 102, strip 1802) and, under them, the table
// window that shows the Layout table; that table window is the frame's
// client, so the frame's sizing fits it.
//
// Its command switch, LayoutCommand, is the entry to the model-editing,
// file, loading and listing commands while a model is edited. Commands that
// edit the model take an undo snapshot first and discard it when nothing
// changed. Commands whose windows and dialogs come with later work say so
// in a message and change nothing.
//
// The menu rules run on WM_INITMENUPOPUP, by the position of the popup: File
// 0, Edit 1, View 2, Options 3, Loads 4, Misc 5, Window 6.
#pragma once

#include <string>

#include "platform/Types.h"

// Registers the class and creates the frame hidden, with its toolbars and
// table window (start-up).
void RegisterLayoutWindow();
LRESULT LayoutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void LayoutCommand(HWND window, int commandId);
// The save check of the commands that close or replace the model: what was
// typed in the Layout table and not entered is committed first (a refusal
// stops the command), then a modified model is offered for saving. False
// when the command must stop.
bool ModelSaveCheck(HWND window);
// Exit: the save check, then the model is closed and the main window told
// to close, which ends the program.
void ExitProgram(HWND window);
// Opens one of the tutorial documents of the program folder, or says that
// it is missing.
void OpenTutorialDocument(HWND window, const char* file);
// The tooltip of a toolbar button.
std::string LayoutToolTipText(int commandId);
// The table window inside the Layout frame.
HWND LayoutTableWindow();
// Applies the menu rules to a popup of the Layout menu at `position`.
void UpdateLayoutMenuPopup(HMENU popup, int position);
// Opens the Layout table on the open model: title "Layout" with the row
// count, at the model's current row.
void UpdateLayoutTitle();
