// REDUCER_DIALOG, the reducer's edit dialog (see ReducerDialog.cpp).
#pragma once

#include "platform/Types.h"

INT_PTR ReducerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The cone angle held in degrees, as the Angle unit shows it, and back.
// Degrees past a float's range are infinity, which the rule of a stored
// value (StoredValueAcceptable) refuses.
float ConeAngleToInternal(float degrees);
float ConeAngleFromInternal(float internal);
