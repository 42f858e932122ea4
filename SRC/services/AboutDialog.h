// The About box, the plain OK / Cancel dialog of the program's notices and
// the desktop's "open" action (see AboutDialog.cpp).
#pragma once

#include <string>

#include "platform/Types.h"

INT_PTR OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opens a document with the desktop's "open" action; false when that could
// not be started (and always under test: a test must not start desktop
// programs).
bool ShellOpen(const std::string& target);
