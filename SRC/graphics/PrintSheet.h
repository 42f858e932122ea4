// The print sheet every printable window opens with its Print command: a
// property sheet with the printer page ("PRINTER_DIALOG": the printer, the
// orientation and the report font of the text or graphics printer, with
// the printer-setup, page-setup and font buttons). Its buttons read
// "&Print", "Cancel", "Pre&view" and "Print to &File"; when it closes with
// one of the three outputs the owner window receives WM_USER+1 (print),
// WM_USER+3 (preview) or WM_USER+2 (print to file). Cancel sends nothing.
#pragma once

#include "platform/Types.h"

constexpr UINT kPrintOutputMessage = 0x0400 + 1;    // WM_USER+1
constexpr UINT kPrintToFileMessage = 0x0400 + 2;    // WM_USER+2
constexpr UINT kPrintPreviewMessage = 0x0400 + 3;   // WM_USER+3

void ShowPrintSheet(HWND owner);
INT_PTR PrinterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Carries out one of the three outputs for a window whose report the text
// printer records: print, preview, or the file road with `writer`.
void CarryOutPrintOutput(HWND owner, UINT message, void (*writer)());
