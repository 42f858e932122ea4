// The print sheet and its printer page (see PrintSheet.h).
#include "printing/PrintSheet.h"

#include <algorithm>
#include <string>

#include "platform/Controls.h"
#include "platform/MessageBox.h"
#include "platform/PropertySheet.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "printing/PrintPreview.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kPreviewButton = 1001;
constexpr int kToFileButton = 1002;

struct SheetRun {
  WNDPROC original = nullptr;
  UINT output = kPrintOutputMessage;
  const PrintSheetHooks* hooks = nullptr;
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

// An output with nothing chosen is refused and the sheet stays open.
bool NothingToPrint(HWND sheet) {
  const PrintSheetHooks* hooks = Run().hooks;
  if (hooks == nullptr || hooks->anySelected == nullptr || hooks->anySelected()) return false;
  MessageBeep(MB_ICONEXCLAMATION);
  ShowErrorMessage(sheet, "There is nothing to print");
  return true;
}

LRESULT SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (LOWORD(wParam) == kPreviewButton || LOWORD(wParam) == kToFileButton)) {
    if (NothingToPrint(sheet)) return 0;
    Run().output = LOWORD(wParam) == kPreviewButton ? kPrintPreviewMessage : kPrintToFileMessage;
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return 0;
  }
  if ((message == WM_COMMAND && LOWORD(wParam) == IDOK) || (message == PSM_PRESSBUTTON && wParam == PSBTN_OK)) {
    if (NothingToPrint(sheet)) return 0;
  }
  const PrintSheetHooks* hooks = Run().hooks;
  if (message == WM_COMMAND && hooks != nullptr && hooks->command != nullptr)
    for (const auto& [id, text] : hooks->extraButtons)
      if (LOWORD(wParam) == id) {
        hooks->command(sheet, id);
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
  std::vector<std::pair<int, std::string>> buttons{{kPreviewButton, "Pre&view"}, {kToFileButton, "Print to &File"}};
  if (Run().hooks != nullptr) {
    buttons[1].second = Run().hooks->toFileText;
    buttons.insert(buttons.end(), Run().hooks->extraButtons.begin(), Run().hooks->extraButtons.end());
  }
  const int count = 2 + static_cast<int>(buttons.size());
  const int step = width + std::max(gap, 4);
  RECT client{};
  GetClientRect(sheet, &client);
  // A sheet too narrow for the row grows to hold it.
  int needed = left + count * step - std::max(gap, 4) + left;
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
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    const auto& [id, text] = buttons[static_cast<std::size_t>(i)];
    HWND button = CreateWindowEx(0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 left + (2 + i) * step, y, width, height, sheet,
                                 reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), InstanceHandle, nullptr);
    if (font != nullptr) SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED) return 0;
  Run().original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(sheet, GWLP_WNDPROC));
  SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc));
  ArrangeButtons(sheet);
  // The sheets with a choice of sections come up over their owner, the
  // outputs enabled only while something is chosen.
  if (Run().hooks != nullptr && Run().hooks->anySelected != nullptr) {
    CenterWindowOnParent(sheet, 0);
    EnablePrintChoice(sheet, Run().hooks->anySelected());
  }
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

UINT RunPrintSheet(HWND owner, const std::string& caption, std::vector<PROPSHEETPAGE> pages, PrinterSettings* printer,
                   int startPage, const PrintSheetHooks& hooks) {
  PROPSHEETPAGE page{};
  page.dwSize = sizeof page;
  page.hInstance = InstanceHandle;
  page.pszTemplate = "PRINTER_DIALOG";
  page.pfnDlgProc = PrinterPageProc;
  page.lParam = reinterpret_cast<LPARAM>(printer);
  pages.push_back(page);
  PROPSHEETHEADER header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hwndParent = owner;
  header.hInstance = InstanceHandle;
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = static_cast<UINT>(std::clamp(startPage, 0, static_cast<int>(pages.size()) - 1));
  header.ppsp = pages.data();
  header.pfnCallback = SheetCallback;
  Run() = SheetRun{};
  Run().hooks = &hooks;
  INT_PTR result = PropertySheet(&header);
  const UINT output = Run().output;
  Run() = SheetRun{};
  if (result < 0) {
    ShowErrorMessage(owner, "Failed to create property sheet");
    return 0;
  }
  return result > 0 ? output : 0;
}

void ShowPrintSheet(HWND owner) {
  std::string caption = "Print Model";
  PrinterSettings* printer = &TextPrinter();
  if (OwnerPrintsModelReport(owner)) {
    // The model report: its sections are chosen on the sheet.
    ModelReportHooksOf().showSheet(owner);
    return;
  }
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
  const PrintSheetHooks hooks;
  const UINT output = RunPrintSheet(owner, caption, {}, printer, 0, hooks);
  if (output != 0) PostMessage(owner, output, 0, 0);
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

void EnablePrintChoice(HWND sheet, bool enable) {
  for (int id : {IDOK, 1001, 1002})
    if (HWND button = GetDlgItem(sheet, id)) EnableWindow(button, enable ? TRUE : FALSE);
}
