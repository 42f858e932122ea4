// The node increment dialog (NODE_INCREMENT_DIALOG, "Node Increment",
// Options > "Node increment..." of the Layout window): the step by which a
// new row's node number follows the one before it (NextNodeNumber). It
// opens with the model's increment (empty for 0, none) in its one field.
// OK takes a whole number from 0 to the highest free node number; an empty
// field is 0. Anything else is "Node increment ... is invalid" with the
// dialog kept open on the field: a larger step could never give a node
// number. A changed increment is the model's (it is saved with it), so the
// model counts as modified. Cancel changes nothing. While results are shown
// the model is read-only: the field shows the increment and OK only closes.
#pragma once

#include "platform/Types.h"

INT_PTR NodeIncrementDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner`; true when the increment changed.
bool EditNodeIncrement(HWND owner);
