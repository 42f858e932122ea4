// USER_SIF1_DIALOG (one factor, for the codes with one SIF) and
// USER_SIF2_DIALOG (in-plane and out-of-plane factors, the axial factor for
// B31.3 and the torsion factor with "Use B31J"): the stress intensification
// factors the user gives at the row's node. UserSifDialogTemplate names
// the one that the model's code and options take.
#pragma once

#include "platform/Types.h"

INT_PTR UserSif1DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR UserSif2DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
const char* UserSifDialogTemplate();
// The user SIF takes separate in-plane and out-of-plane factors: the code
// uses them or "Use B31J" is on.
bool UserSifInOutPlane();
