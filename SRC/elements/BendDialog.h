// The bend's edit dialog: BEND1_DIALOG (one flexibility factor and SIF)
// or BEND2_DIALOG (in-plane and out-of-plane factors and SIFs, axial and
// torsion SIFs) as the model's piping code and the "Use B31J" option ask.
// Opened through the kind table with the layout row as the parameter; OK
// makes the row a bend when it is not one, and a change of radius or of an
// intermediate node makes the model again. Ends with 1 when the model changed.
#pragma once

#include "platform/Types.h"

// "BEND2_DIALOG" for codes with separate in-plane and out-plane SIFs or
// with "Use B31J", else "BEND1_DIALOG".
const char* BendDialogName();
INT_PTR BendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int kBendHelpContext = 8;
