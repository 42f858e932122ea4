// The printing module's start-up and shutdown: the text and graphics printer
// settings from the default printer and the print-preview accelerators
// "ACCEL_PREVIEW", released at shutdown. Until the printing module is built
// the printer settings keep what the registry gave them and there is no
// preview table.
#pragma once

#include <string>

#include "platform/Types.h"

void InitPrinterSettings();
void FreePrinterSettings();
