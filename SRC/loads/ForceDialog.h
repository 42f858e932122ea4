// FORCE_DIALOG: the six components of a nodal force and the loads it is
// added to. Only the "Add to" buttons of the temperatures in use are shown
// (all ten from four temperatures on) and the dialog shrinks to them; a
// stored choice beyond them shows as the last one shown and is stored so
// only at OK. Opened through the kind table with the layout row as the
// parameter; ends with 1 when the model changed.
#pragma once

#include "platform/Types.h"

INT_PTR ForceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
