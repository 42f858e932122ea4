// RIGID_DIALOG, the rigid element's edit dialog: its weight and the "Add
// CIL" check box, on the element kinds' dialog protocol.
#pragma once

#include "platform/Types.h"

INT_PTR RigidDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
