// SLIP_DIALOG: the slip joint from the previous node to the row's node, its
// friction force and torque, the pressure thrust area and the weight.
// Opened through the kind table with the layout row as the parameter; ends
// with 1 when the model changed.
#pragma once

#include <string>

#include "platform/Types.h"

INT_PTR SlipJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The slip joint's values by index (0 friction force, 1 friction torque, 2
// thrust area, 3 weight): their text (empty for 0) and their parse of the
// shared edit-field text, which throws the field's message.
class SlipJoint;
float& SlipJointValue(SlipJoint& joint, int index);
std::string SlipJointValueText(const SlipJoint& joint, int index);
float ParseSlipJointValue(int index);
