// SNUBBER_DIALOG: stiffness ("Rigid"), direction and tag of a snubber.
#pragma once

#include "platform/Types.h"

INT_PTR SnubberDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
