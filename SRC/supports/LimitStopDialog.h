// LIMIT_STOP_DIALOG: the limits ("None" or empty for none), the direction
// (typed, or the local axes of the pipe at the node by A&xial, Shear &y,
// Shear &z, or the vertical by &Vertical with the lower limit at 0), the
// friction coefficient (0 or more), the stiffness ("Rigid") and the connected
// node.
// Also the shared filling of direction fields from the pipe's local frame,
// which the skewed restraint's dialog uses too.
#pragma once

#include "platform/Types.h"
#include "services/DialogHelper.h"

INT_PTR LimitStopDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the local x (axis 0), y or z axis of the pipe at the row's node
// into fields first .. first + 2; "Unable to find LCS at node %s" when no
// pipe gives one (the fields are left empty).
void FillDirectionFromPipeFrame(DialogHelper& helper, HWND dialog, int row, int axis, int first);
// A limit: empty or a leading part of "None" (any case) gives `none`;
// else a displacement; false when the text is neither.
bool ParseLimitText(float none, float& value);
