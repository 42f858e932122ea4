// TIE_ROD_DIALOG: the tie rod from the previous node to the row's node,
// its stiffness in tension and in compression (at least one of them) and
// the two gaps. Opened through the kind table with the layout row as the
// parameter; ends with 1 when the model changed.
#pragma once

#include "platform/Types.h"

INT_PTR TieRodDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Below this sum of the two stiffnesses a tie rod holds nothing.
inline constexpr double kLeastTieRodStiffness = 1.0e-6;
