// The "Printing" window: a small captioned popup (class "QuorvelMessage")
// centred on its owner that says "Printing" while a print job runs from the
// print preview. The class is registered at start-up.
#pragma once

#include "platform/Types.h"

// Throws "Unable to register Message window" when the class cannot be made.
void RegisterPrintingWindowClass();
void ShowPrintingWindow(HWND owner);
void ClosePrintingWindow();
// The open "Printing" window, or null.
HWND PrintingWindow();
