// JPIPE_DIALOG and JBEND_DIALOG, the jacketed pipe's and the jacketed
// bend's edit dialogs (see JacketDialogs.cpp).
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;

INT_PTR JPipeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR JBendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Whether a jacket of `model`'s section `jacket` leaves room for the core
// of section `core` with its insulation (properties/JacketClearance.h):
// with the section's wall, and with a jacketed bend's own jacket wall
// `bendWall` when that is not 0. True when either section is not found
// (nothing to check).
bool JacketClearsCore(const Model& model, const std::string& jacket, const std::string& core, float bendWall = 0.0f);
