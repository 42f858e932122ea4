// HYDROTEST_LOAD_DIALOG, the hydrotest load row's edit dialog: the test
// fluid's specific gravity, the test pressure and whether the insulation
// weight is left out, on the element kinds' dialog protocol. A new row is
// offered the values of the nearest hydrotest load row above it (else the
// specific gravity 1) with the focus on the pressure.
#pragma once

#include "platform/Types.h"

constexpr int kHydrotestHelpContext = 2;

INT_PTR HydrotestLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
