// The lists of the component evaluations in the List and Layout windows:
// "Pumps", "Compressors", "Turbines" and "Allowables", offered when the
// model has such records and opened by the Misc commands 193, 194, 195
// and 40047 (also on an empty model, so the first record can be entered),
// and the Copy (363) and Paste (364) of the Allowables list.
#pragma once

#include "platform/Types.h"

void RegisterEquipmentLists();
// A command of the List or Layout window that opens one of these lists, or
// Copy / Paste while the Allowables list is shown; true when handled.
bool EquipmentListCommand(HWND window, int id);
bool EquipmentListCanCopy();
bool EquipmentListCanPaste();
