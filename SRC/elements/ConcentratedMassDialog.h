// CMASS_DIALOG: the weight of a concentrated mass at the row's node and the
// offsets of its centre of gravity (negative offsets allowed). Opened
// through the kind table with the layout row as the parameter; ends with 1
// when the model changed.
#pragma once

#include "platform/Types.h"

INT_PTR ConcentratedMassDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
