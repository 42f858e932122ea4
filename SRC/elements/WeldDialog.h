// WELD_DIALOG: the girth weld at the row's node, its type and, for a butt
// weld or a tapered transition, the mismatch. Opened through the kind
// table with the layout row as the parameter; ends with 1 when the model
// changed.
#pragma once

#include "platform/Types.h"

INT_PTR WeldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
