#include "graphics/PrintSetup.h"

#include "shell/StandIn.h"

void InitPrinterSettings() { STAND_IN("the printers' default settings and the preview accelerators"); }

void FreePrinterSettings() { STAND_IN("releasing the printers' settings"); }
