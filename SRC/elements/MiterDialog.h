// MITER_DIALOG, the miter bend's edit dialog (see MiterDialog.cpp).
#pragma once

#include "platform/Types.h"

INT_PTR MiterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
