// The List frame (class "QuorvelList", menu "LIST_MENU", accelerators
// LIST_ACCEL): its window procedure, the LIST_MENU commands, the menu
// states and the toolbar tips. The lists it shows are registered here at
// start-up, so this stands above every kind of list (see
// model/ListWindow.h for the lists, services/ListFrameState.h for what the
// lists use of the frame).
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterListWindow();
LRESULT ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ListCommand(HWND window, int commandId);
std::string ListToolTipText(int commandId);
// Applies the menu states to a popup of the List menu at `position`
// (File 0, Edit 1, View 2, Options 3, Misc 4, Window 5, Help 6).
void UpdateListMenuPopup(HMENU popup, int position);
