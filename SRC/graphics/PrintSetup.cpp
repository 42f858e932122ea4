// Start-up and shutdown of the printers (see PrintSetup.h).
#include "graphics/PrintSetup.h"

#include "printing/PrintPreview.h"
#include "printing/PrinterSettings.h"

void InitPrinters() {
  TextPrinter().InitDefaults();
  GraphicsPrinter().InitDefaults();
  InitPreview();
}

void FreePrinters() {
  FreePreview();
  TextPrinter().DeleteDocument();
  GraphicsPrinter().DeleteDocument();
  TextPrinter().FreeBlocks();
  GraphicsPrinter().FreeBlocks();
}
