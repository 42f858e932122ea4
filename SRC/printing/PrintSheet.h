// The print sheet every printable window opens with its Print command: a
// property sheet with the printer page ("PRINTER_DIALOG": the printer, the
// orientation and the report font of the text or graphics printer, with
// the printer-setup, page-setup and font buttons). Its buttons read
// "&Print", "Cancel", "Pre&view" and "Print to &File"; when it closes with
// one of the three outputs the owner window receives WM_USER+1 (print),
// WM_USER+3 (preview) or WM_USER+2 (print to file). Cancel sends nothing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Types.h"

class PrinterSettings;
struct PROPSHEETPAGE;

constexpr UINT kPrintOutputMessage = 0x0400 + 1;    // WM_USER+1
constexpr UINT kPrintToFileMessage = 0x0400 + 2;    // WM_USER+2
constexpr UINT kPrintPreviewMessage = 0x0400 + 3;   // WM_USER+3

// The sheet of the window `owner`: the Layout window's model sheet (the
// "Print Results" sheet while results are shown), the graphics window's
// "Print Graphics", the List and Results windows' "Print <table>".
void ShowPrintSheet(HWND owner);
// Enables or disables the sheet's "&Print", "Pre&view" and "To &File" together.
void EnablePrintChoice(HWND sheet, bool enable);

// What a print sheet with a choice of its own adds to the common sheet.
struct PrintSheetHooks {
  std::string toFileText = "Print to &File";
  // More buttons in the row after the outputs (All, None ...), sent to `command`.
  std::vector<std::pair<int, std::string>> extraButtons;
  void (*command)(HWND sheet, int id) = nullptr;
  // False: the outputs beep and say "There is nothing to print"; the sheet stays.
  bool (*anySelected)() = nullptr;
};
// Runs a print sheet titled `caption` with `pages` followed by the printer
// page of `printer`, first showing page `startPage`. Returns the output message the owner is to receive, or 0.
UINT RunPrintSheet(HWND owner, const std::string& caption, std::vector<PROPSHEETPAGE> pages, PrinterSettings* printer,
                   int startPage, const PrintSheetHooks& hooks);
INT_PTR PrinterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Carries out one of the three outputs for a window whose report the text
// printer records: print, preview, or the file road with `writer`.
void CarryOutPrintOutput(HWND owner, UINT message, void (*writer)());
