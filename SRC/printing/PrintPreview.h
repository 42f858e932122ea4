// The print preview: one top-level window ("QuorvelPreview", menu
// "PREVIEW_MENU", accelerators "ACCEL_PREVIEW") with the button bar
// "PREVIEW_BUTTONS" across its top and the page window
// ("QuorvelPreviewClient") that shows one page of the recorded document,
// scaled to fit with a margin of 10 pixels. While it is open the four main
// frames are hidden; closing it shows them again in their order and state.
// At most one preview exists; its printer object is PreviewPrinter().
#pragma once

#include "platform/Types.h"

class PrinterSettings;

// Loads the accelerators and registers both window classes; throws
// "Unable to register QuorvelPreview" / "...QuorvelPreviewClient".
void InitPreview();
void FreePreview();
HACCEL PreviewAccelerators();
// Opens the preview of the printer's document for `owner`; a message text
// thrown while recording closes the preview and is shown on the owner.
void ShowPrintPreview(PrinterSettings& printer, HWND owner);
void RecordForPreview(PrinterSettings& printer);
// The page window's place for a client of width x height below a bar of
// `barHeight` pixels, for paper of the given size.
RECT PreviewPageRect(int width, int height, int barHeight, float paperWidth, float paperHeight);
// Asserts that the bar and the frame of the preview exist.
void AssertPreviewWindows(HWND bar, HWND frame);
