// SKEWED_RESTRAINT_DIALOG: type (translational or rotational), stiffness in
// the type's unit, direction (typed or the pipe's local axes), connected
// node and tag.
#pragma once

#include "platform/Types.h"

INT_PTR SkewedRestraintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
