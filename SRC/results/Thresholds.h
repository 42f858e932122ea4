// "&Thresholds..." (command 334, in the Results window's and the graphics
// window's menus): THRESHOLDS_DIALOG edits the two label thresholds of the
// stress and ratio displays (model/NodeDrawing.h): a value is written beside
// its node only when its magnitude reaches the threshold.
//
// OK reads both fields before it stores either, so a refused ratio leaves
// the stress threshold as it was. A negative stress threshold is taken (its
// magnitude never matters more than 0's); a negative ratio is refused.
#pragma once

#include "platform/Types.h"

INT_PTR ThresholdsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog over `owner`: 1 after OK with valid input, 0 after Cancel.
int ThresholdsDialog(HWND owner);
