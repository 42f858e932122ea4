// FLANGE_DIALOG: the flange at the row's node, its type, the weight of the
// pair, the gasket diameter and the allowable pressure. "ANSI &Library" and
// "&European Library" take the weight from the built-in weight tables by
// the nominal size of the pipe at the row. Opened through the kind table
// with the layout row as the parameter; ends with 1 when the model changed.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

INT_PTR FlangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The pipe section at a flange's row: the row's own section, else that of
// the nearest earlier From, pipe, bend, miter, jacketed pipe or bend, or
// valve row naming one (row 1 is not searched); 0 when none.
int FlangeRowSection(const Model& model, int row);
