// The printing module's start-up and shutdown: the defaults of the text and
// graphics printers (the default printer, margins, font, preview
// placement), then the print preview's accelerators and window classes;
// at shutdown the preview's accelerators and both printers' settings blocks
// are released.
#pragma once

void InitPrinters();
void FreePrinters();
