// GUIDE_DIALOG: friction coefficient, lateral stiffness ("Rigid"), gap on
// each side, connected node and tag of a guide.
#pragma once

#include "platform/Types.h"

INT_PTR GuideDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
