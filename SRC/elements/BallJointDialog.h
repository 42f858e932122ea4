// BALL_DIALOG: the ball joint at the row's node, its bending and torsional
// springs, their rotation limits (none as in the hinge dialog) and friction
// torques (not negative), and its weight; storing it puts the row's node on
// the previous one (DX, DY, DZ 0). Opened through the kind table with the
// layout row as the parameter; ends with 1 when the model changed.
#pragma once

#include <string>

#include "platform/Types.h"

class BallJoint;

INT_PTR BallJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The ball joint's values by index (0 bending stiffness, 1 torsional
// stiffness, 2 and 3 the limits, 4 and 5 the friction torques, 6 the
// weight): their text (blank for 0, "None" for no limit) and their parse
// of the shared edit-field text, which throws the field's message.
float& BallJointValue(BallJoint& joint, int index);
std::string BallJointValueText(const BallJoint& joint, int index);
float ParseBallJointValue(int index);
