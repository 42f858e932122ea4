// BELLOWS_DIALOG: the bellows from the previous node to the row's node, its
// axial, bending, torsional and lateral spring rates, the pressure thrust
// area, the weight and the mean diameter. A bending stiffness left 0 with a
// mean diameter given is derived as D^2 Ka / 8. Opened through the kind
// table with the layout row as the parameter; ends with 1 when the model
// changed.
#pragma once

#include "platform/Types.h"

INT_PTR BellowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The bending stiffness a bellows of mean diameter d (inch) and axial
// stiffness ka (lb/in) takes when none is given: d^2 ka / 8 (in-lb/rad),
// in double, so that the rule of a stored value is asked of the product
// itself and not of an intermediate square that overflowed a float.
double DerivedBellowsBendingStiffness(float meanDiameter, float axialStiffness);
