// The specified-displacement set dialog as the anchor and nozzle dialogs
// open it: the template for the model's current set count, its procedure
// (parameter: the layout row of an anchor or a nozzle; 1 after OK, 0 after
// Cancel) and the flag it raises when it stored a change of the item.
#pragma once

#include <cstdint>

#include "platform/Types.h"

const char* SpecDisplDialogTemplate();
INT_PTR SpecDisplDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern std::uint8_t g_SpecDisplStored;
