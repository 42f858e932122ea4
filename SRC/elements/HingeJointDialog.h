// HINGE_DIALOG: the hinge joint at the row's node, its rotational spring,
// the rotation limit ("None", a leading part of it in any letter case, or
// an empty field for none), the friction torque, the weight and the axis.
// Opened through the kind table with the layout row as the parameter; ends
// with 1 when the model changed.
#pragma once

#include <string>

#include "platform/Types.h"

INT_PTR HingeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The rotation limit (radians) of the shared edit-field text: 1.0e30 for
// none; refusals throw their messages under `label`.
float ParseRotationLimit(const char* label);
// The text of a rotation limit: "None" for none.
std::string RotationLimitText(float limit);
