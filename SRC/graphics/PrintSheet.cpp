// The print sheet and its printer page (see PrintSheet.h).
#include "graphics/PrintSheet.h"

#include <string>

#include "graphics/PrintPreview.h"
#include "graphics/PrinterSettings.h"
#include "graphics/ReportOutput.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/Message.h"
#include "shell/TableWindow.h"

namespace {

constexpr int kPreviewButton = 1001;
constexpr int kToFileButton = 1002;

struct SheetRun {
  WNDPROC original = nullptr;
  UINT output = kPrintOutputMessage;
};

SheetRun& Run() {
  static SheetRun run;
  return run;
}

void ShowPrinterTexts(HWND page, PrinterSettings& printer) {
  SetDlgItemText(page, 1500, printer.RegistryKeyName());
  SetDlgItemText(page, 1501, printer.PrinterNameText().c_str());
  SetDlgItemText(page, 1502, printer.OrientationText().c_str());
  SetDlgItemText(page, 1503, printer.FontText().c_str());
}

LRESULT SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (LOWORD(wParam) == kPreviewButton || LOWORD(wParam) == kToFileButton)) {
    Run().output = LOWORD(wParam) == kPreviewButton ? kPrintPreviewMessage : kPrintToFileMessage;
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return 0;
  }
  return CallWindowProc(Run().original, sheet, message, wParam, lParam);
}

// OK becomes "&Print"; "Pre&view" and "Print to &File" join it, the four
// laid out from the left in the row of OK and Cancel.
void ArrangeButtons(HWND sheet) {
  HWND ok = GetDlgItem(sheet, IDOK);
  HWND cancel = GetDlgItem(sheet, IDCANCEL);
  if (ok == nullptr || cancel == nullptr) return;
  SetWindowText(ok, "&Print");
  RECT okRect{}, cancelRect{};
  GetWindowRect(ok, &okRect);
  GetWindowRect(cancel, &cancelRect);
  POINT okCorner{okRect.left, okRect.top}, cancelCorner{cancelRect.left, cancelRect.top};
  ScreenToClient(sheet, &okCorner);
  ScreenToClient(sheet, &cancelCorner);
  const int width = okRect.right - okRect.left, height = okRect.bottom - okRect.top;
  const int gap = std::abs(cancelCorner.x - okCorner.x) - width;
  HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
  int left = 7;
  if (tabs != nullptr) {
    RECT tabRect{};
    GetWindowRect(tabs, &tabRect);
    POINT tabCorner{tabRect.left, tabRect.top};
    ScreenToClient(sheet, &tabCorner);
    left = tabCorner.x;
  }
  const int step = width + std::max(gap, 4);
  RECT client{};
  GetClientRect(sheet, &client);
  // A sheet too narrow for the row grows to hold it.
  int needed = left + 4 * step - std::max(gap, 4) + left;
  if (needed > client.right) {
    RECT outer{};
    GetWindowRect(sheet, &outer);
    SetWindowPos(sheet, nullptr, 0, 0, outer.right - outer.left + needed - client.right, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HFONT font = reinterpret_cast<HFONT>(SendMessage(ok, WM_GETFONT, 0, 0));
  const int y = okCorner.y;
  MoveWindow(ok, left, y, width, height, TRUE);
  MoveWindow(cancel, left + step, y, width, height, TRUE);
  const char* texts[] = {"Pre&view", "Print to &File"};
  const int ids[] = {kPreviewButton, kToFileButton};
  for (int i = 0; i < 2; ++i) {
    HWND button = CreateWindowEx(0, "BUTTON", texts[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 left + (2 + i) * step, y, width, height, sheet,
                                 reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(ids[i])), InstanceHandle, nullptr);
    if (font != nullptr) SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED) return 0;
  Run().original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(sheet, GWLP_WNDPROC));
  SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc));
  ArrangeButtons(sheet);
  return 0;
}

}  // namespace

INT_PTR PrinterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGE*>(lParam);
    SetWindowLongPtr(page, DWLP_USER, sheetPage->lParam);
    ShowPrinterTexts(page, *reinterpret_cast<PrinterSettings*>(sheetPage->lParam));
    return TRUE;
  }
  auto* printer = reinterpret_cast<PrinterSettings*>(GetWindowLongPtr(page, DWLP_USER));
  if (message != WM_COMMAND || printer == nullptr) return FALSE;
  const int id = LOWORD(wParam);
  if (id != 1011 && id != 1012 && id != 1013) return FALSE;
  try {
    bool changed = id == 1011 ? printer->PrinterSetupDialog(page)
                 : id == 1012 ? printer->PageSetupDialog(page)
                              : printer->FontDialog(page);
    if (changed) ShowPrinterTexts(page, *printer);
  } catch (const std::string& text) {
    ShowErrorMessage(page, text);
  }
  return TRUE;
}

void ShowPrintSheet(HWND owner) {
  std::string caption = "Print Model";
  PrinterSettings* printer = &TextPrinter();
  if (owner != nullptr && owner == GraphicsFrame().window) {
    caption = "Print Graphics";
    printer = &GraphicsPrinter();
  } else if (owner != nullptr && (owner == ListFrame().window || owner == ResultsFrame().window)) {
    // The list or result table shown names the sheet.
    HWND table = owner == ListFrame().window ? ListTableWindow(0) : GetWindow(ResultsFrame().client, GW_CHILD);
    std::string name = TableWindowPrintObject(table);
    if (name.empty()) {
      ShowErrorMessage(owner, "Unable to print");
      return;
    }
    caption = "Print " + name;
  }
  PROPSHEETPAGE page{};
  page.dwSize = sizeof page;
  page.hInstance = InstanceHandle;
  page.pszTemplate = "PRINTER_DIALOG";
  page.pfnDlgProc = PrinterPageProc;
  page.lParam = reinterpret_cast<LPARAM>(printer);
  PROPSHEETHEADER header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hwndParent = owner;
  header.hInstance = InstanceHandle;
  header.pszCaption = caption.c_str();
  header.nPages = 1;
  header.ppsp = &page;
  header.pfnCallback = SheetCallback;
  Run() = SheetRun{};
  INT_PTR result = PropertySheet(&header);
  if (result < 0) {
    ShowErrorMessage(owner, "Failed to create property sheet");
    return;
  }
  if (result > 0) PostMessage(owner, Run().output, 0, 0);
}

void CarryOutPrintOutput(HWND owner, UINT message, void (*writer)()) {
  switch (message) {
    case kPrintOutputMessage: TextPrinter().PrintDocument(owner, false); return;
    case kPrintPreviewMessage: ShowPrintPreview(TextPrinter(), owner); return;
    case kPrintToFileMessage:
      if (!ReportPrintToFile(owner)) return;
      try {
        if (writer != nullptr) writer();
      } catch (const std::string& text) {
        ReportAbandonFile();
        ShowErrorMessage(owner, text);
        return;
      }
      ReportWrittenMessage(owner);
      return;
    default: return;
  }
}
