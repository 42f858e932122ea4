// RESTRAINT_DIALOG: the global directions a restraint holds and its tag;
// "&Vertical" holds the model's vertical direction alone. Opened through the
// kind table with the layout row as the parameter; ends with 1 when the
// model changed.
#pragma once

#include "platform/Types.h"

INT_PTR RestraintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
