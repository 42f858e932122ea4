// BRANCH_SIF_DIALOG: the branch type of the row's node with the dimensions
// its type takes and, with "Use B31J", the number of flanges or rigid
// elements at the run ends. The types listed are those the model's code
// offers; choosing one lays out its fields. Opened through the kind table
// with the layout row as the parameter; ends with 1 when the model changed.
#pragma once

#include "platform/Types.h"

INT_PTR BranchSifDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
