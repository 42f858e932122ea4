// The Results window: the frame (class "QuorvelResults", menu "RESULTS_MENU",
// accelerators "RESULTS_ACCEL") from which the user moves through the
// results. Its client holds the one result table window (ResultNavigation.h);
// its menu and its two toolbars carry the commands that choose a result
// table, a load case, a support, force or displacement kind, switch the
// force axes and open the windows and dialogs around the results.
//
// Made at start-up and kept for the process; results mode shows and hides
// it. Commands that act on "the current table" go by the opener the table
// recorded (ResultsReopenCommand). The split: ResultsWindow.cpp (frame,
// toolbars, tooltips, menu states), ResultsCommands.cpp (the command switch).
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterResultsWindowClass();
LRESULT ResultsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ResultsCommand(HWND window, int command);
std::string ResultsToolTipText(int command);
// Applies the menu states to the popup of RESULTS_MENU at `position` (File
// 0, Results 1, View 2, Options 3, Window 4, Help 5).
void InitResultsMenuPopup(HMENU popup, int position);
void ShowResultsWindow();
void HideResultsWindow();
