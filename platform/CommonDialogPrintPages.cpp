// The interactive print dialogs: "Print" (printer, the PDF file of the PDF
// printer, page range), "Print Setup" (printer, paper, orientation) and
// "Page Setup" (printer, paper, orientation, margins).
//
// The record's DevMode and DevNames blocks are read (a damaged DevNames,
// whose offsets leave the block, counts as none) and, on OK only, replaced
// by new blocks; Cancel leaves the record exactly as it came. A page range
// or a margin that does not make sense beeps and keeps the dialog open on
// the field at fault; so does an empty PDF file, and one whose path the
// printer settings cannot keep says so.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/CommonDialog.h"
#include "platform/ControlSupport.h"
#include "platform/DialogInternal.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialogs.h"
#include "platform/Printer.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr int kFromPage = edt1;
// The longest PDF file path taken, in the program's bytes: the device names
// block that holds it with the driver and the device is kept in 256 bytes.
constexpr std::size_t kLongestOutput = 200;

enum class Kind { Print, Setup, PageSetup };

struct PrintChoice {
  Kind kind = Kind::Print;
  PRINTDLG* print = nullptr;
  PAGESETUPDLG* page = nullptr;
  DEVMODE mode{};
  std::string device = kPdfPrinter;
  std::string output = "FILE:";
  // The printer's own default shown for a choice that names no file: taken
  // as it is, the choice still names none.
  std::string shownDefault;
  std::vector<PrinterInfo> printers;
  bool filling = false;  // the fields are being filled: their changes are not the user's
};

// The strings of a DevNames block, when its offsets stay inside it.
bool ReadDevNames(HGLOBAL block, std::string* device, std::string* output) {
  if (block == nullptr) return false;
  std::size_t size = GlobalSize(block);
  auto* bytes = static_cast<const char*>(GlobalLock(block));
  if (bytes == nullptr) return false;
  bool good = false;
  if (size > sizeof(DEVNAMES)) {
    DEVNAMES names{};
    std::memcpy(&names, bytes, sizeof names);
    auto text = [&](WORD offset, std::string* out) {
      if (offset < sizeof(DEVNAMES) || offset >= size) return false;
      const void* end = std::memchr(bytes + offset, '\0', size - offset);
      if (end == nullptr) return false;
      *out = std::string(bytes + offset, static_cast<const char*>(end));
      return true;
    };
    std::string driver;
    good = text(names.wDriverOffset, &driver) && text(names.wDeviceOffset, device) &&
           text(names.wOutputOffset, output);
  }
  GlobalUnlock(block);
  return good;
}

void ReadBlocks(HGLOBAL devMode, HGLOBAL devNames, PrintChoice* choice) {
  HGLOBAL defaults = DefaultDevMode(false);
  std::memcpy(&choice->mode, GlobalLock(defaults), sizeof(DEVMODE));
  GlobalUnlock(defaults);
  GlobalFree(defaults);
  if (devMode != nullptr && GlobalSize(devMode) >= sizeof(DEVMODE)) {
    if (const void* bytes = GlobalLock(devMode)) {
      std::memcpy(&choice->mode, bytes, sizeof(DEVMODE));
      GlobalUnlock(devMode);
    }
  }
  std::string device, output;
  if (ReadDevNames(devNames, &device, &output)) {
    choice->device = device;
    choice->output = output;
  }
}

int Selected(HWND window, int id) { return static_cast<int>(SendDlgItemMessage(window, id, CB_GETCURSEL, 0, 0)); }

std::string Text(HWND window, int id) { return controls::TextOf(GetDlgItem(window, id)); }

const PrinterInfo& ChosenPrinter(HWND window, const PrintChoice& choice) {
  int index = std::clamp(Selected(window, cmb4), 0, static_cast<int>(choice.printers.size()) - 1);
  return choice.printers[static_cast<std::size_t>(index)];
}

void ShowFileField(HWND window, const PrintChoice& choice) {
  bool pdf = ChosenPrinter(window, choice).driver == kPdfDriver;
  EnableWindow(GetDlgItem(window, edt3), pdf ? TRUE : FALSE);
}

bool InInches(const PrintChoice& choice) { return (choice.page->Flags & PSD_INHUNDREDTHSOFMILLIMETERS) == 0; }

std::string MarginText(const PrintChoice& choice, LONG value) {
  char text[32];
  if (InInches(choice)) std::snprintf(text, sizeof text, "%.2f", value / 1000.0);
  else std::snprintf(text, sizeof text, "%.1f", value / 100.0);
  return text;
}

void Fill(HWND window, PrintChoice* choice) {
  int chosen = 0;
  for (std::size_t i = 0; i < choice->printers.size(); ++i) {
    SendDlgItemMessage(window, cmb4, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice->printers[i].name.c_str()));
    if (choice->printers[i].name == choice->device) chosen = static_cast<int>(i);
  }
  SendDlgItemMessage(window, cmb4, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (choice->kind == Kind::Print) {
    std::string output = choice->output;
    if (output.empty() || output == "FILE:") output = choice->shownDefault = DefaultPdfOutput();
    SetDlgItemText(window, edt3, output.c_str());
    ShowFileField(window, *choice);
    const PRINTDLG& record = *choice->print;
    bool pages = (record.Flags & PD_NOPAGENUMS) == 0;
    CheckRadioButton(window, rad1, rad3, pages && (record.Flags & PD_PAGENUMS) ? rad3 : rad1);
    SetDlgItemInt(window, kFromPage, record.nFromPage > 0 ? record.nFromPage : record.nMinPage, FALSE);
    SetDlgItemInt(window, edt2, record.nToPage > 0 ? record.nToPage : record.nMaxPage, FALSE);
    for (int id : {rad3, kFromPage, edt2}) EnableWindow(GetDlgItem(window, id), pages ? TRUE : FALSE);
    return;
  }
  int paper = 0;
  for (std::size_t i = 0; i < PaperSizes().size(); ++i) {
    SendDlgItemMessage(window, cmb2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PaperSizes()[i].name));
    if (PaperSizes()[i].id == choice->mode.dmPaperSize) paper = static_cast<int>(i);
  }
  SendDlgItemMessage(window, cmb2, CB_SETCURSEL, static_cast<WPARAM>(paper), 0);
  CheckRadioButton(window, rad1, rad2, choice->mode.dmOrientation == DMORIENT_LANDSCAPE ? rad2 : rad1);
  if (choice->kind != Kind::PageSetup) return;
  const RECT& margin = choice->page->rtMargin;
  SetDlgItemText(window, edt4, MarginText(*choice, margin.left).c_str());
  SetDlgItemText(window, edt5, MarginText(*choice, margin.top).c_str());
  SetDlgItemText(window, edt6, MarginText(*choice, margin.right).c_str());
  SetDlgItemText(window, edt7, MarginText(*choice, margin.bottom).c_str());
}

bool Refuse(HWND window, int id) {
  MessageBeep(0);
  FocusDialogControl(GetDlgItem(window, id));
  return false;
}

bool TakePageRange(HWND window, PrintChoice* choice) {
  PRINTDLG& record = *choice->print;
  if (IsDlgButtonChecked(window, rad3) != BST_CHECKED || (record.Flags & PD_NOPAGENUMS)) {
    record.Flags &= ~PD_PAGENUMS;
    return true;
  }
  BOOL fromOk = FALSE, toOk = FALSE;
  UINT from = GetDlgItemInt(window, kFromPage, &fromOk, FALSE);
  UINT to = GetDlgItemInt(window, edt2, &toOk, FALSE);
  UINT lowest = std::max<UINT>(record.nMinPage, 1), highest = std::max<UINT>(record.nMaxPage, lowest);
  if (!fromOk || from < lowest || from > highest) return Refuse(window, kFromPage);
  if (!toOk || to < from || to > highest) return Refuse(window, edt2);
  record.Flags |= PD_PAGENUMS;
  record.nFromPage = static_cast<WORD>(from);
  record.nToPage = static_cast<WORD>(to);
  return true;
}

bool ReadMargin(HWND window, int id, const PrintChoice& choice, double limit, LONG* value) {
  std::string text = Text(window, id);
  char* end = nullptr;
  double number = std::strtod(text.c_str(), &end);
  while (end != nullptr && *end == ' ') ++end;
  if (text.empty() || end == nullptr || *end != '\0' || !(number >= 0) || number >= limit) return false;
  *value = static_cast<LONG>(std::lround(number * (InInches(choice) ? 1000.0 : 100.0)));
  return true;
}

bool TakeMargins(HWND window, PrintChoice* choice, const PaperSize& paper, bool landscape) {
  double width = landscape ? paper.height : paper.width, height = landscape ? paper.width : paper.height;
  double scale = InInches(*choice) ? 1.0 : 25.4;
  RECT margin{};
  if (!ReadMargin(window, edt4, *choice, width * scale, &margin.left)) return Refuse(window, edt4);
  if (!ReadMargin(window, edt6, *choice, width * scale, &margin.right)) return Refuse(window, edt6);
  if (!ReadMargin(window, edt5, *choice, height * scale, &margin.top)) return Refuse(window, edt5);
  if (!ReadMargin(window, edt7, *choice, height * scale, &margin.bottom)) return Refuse(window, edt7);
  double unit = InInches(*choice) ? 1000.0 : 2540.0;
  // At least an inch of paper must stay between the margins.
  if ((margin.left + margin.right) / unit > width - 1.0) return Refuse(window, edt6);
  if ((margin.top + margin.bottom) / unit > height - 1.0) return Refuse(window, edt7);
  PAGESETUPDLG& record = *choice->page;
  record.rtMargin = margin;
  double paperScale = InInches(*choice) ? 1000.0 : 2540.0;
  record.ptPaperSize = POINT{static_cast<LONG>(std::lround(width * paperScale)),
                             static_cast<LONG>(std::lround(height * paperScale))};
  return true;
}

// Replaces the caller's blocks with the choice.
void GiveBlocks(HGLOBAL* devMode, HGLOBAL* devNames, const PrintChoice& choice, const PrinterInfo& printer,
                const std::string& output) {
  DEVMODE mode = choice.mode;
  std::memset(mode.dmDeviceName, 0, sizeof mode.dmDeviceName);
  std::strncpy(mode.dmDeviceName, printer.name.c_str(), CCHDEVICENAME - 1);
  mode.dmSize = sizeof(DEVMODE);
  mode.dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
  HGLOBAL modeBlock = GlobalAlloc(GHND, sizeof(DEVMODE));
  std::memcpy(GlobalLock(modeBlock), &mode, sizeof mode);
  GlobalUnlock(modeBlock);
  if (*devMode != nullptr) GlobalFree(*devMode);
  if (*devNames != nullptr) GlobalFree(*devNames);
  *devMode = modeBlock;
  *devNames = MakeDevNames(printer.driver, printer.name, output);
}

bool Accept(HWND window, PrintChoice* choice) {
  const PrinterInfo& printer = ChosenPrinter(window, *choice);
  std::string output = printer.driver == kPdfDriver ? choice->output : std::string();
  if (choice->kind == Kind::Print) {
    if (!TakePageRange(window, choice)) return false;
    if (printer.driver == kPdfDriver) {
      output = Text(window, edt3);
      if (output.empty()) return Refuse(window, edt3);
      if (!choice->shownDefault.empty() && output == choice->shownDefault) output = choice->output;
      else if (output.size() > kLongestOutput) {
        const std::string text = output + "\nThe PDF file's path is too long: the printer settings keep at most " +
                                 std::to_string(kLongestOutput) + " characters (a character shown as ? counts three).";
        MessageBox(window, text.c_str(), "Print", MB_OK | MB_ICONWARNING);
        FocusDialogControl(GetDlgItem(window, edt3));
        return false;
      }
    }
  } else {
    int paper = std::clamp(Selected(window, cmb2), 0, static_cast<int>(PaperSizes().size()) - 1);
    choice->mode.dmPaperSize = PaperSizes()[static_cast<std::size_t>(paper)].id;
    bool landscape = IsDlgButtonChecked(window, rad2) == BST_CHECKED;
    choice->mode.dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (choice->kind == Kind::PageSetup &&
        !TakeMargins(window, choice, PaperSizes()[static_cast<std::size_t>(paper)], landscape))
      return false;
  }
  if (choice->print != nullptr) {
    GiveBlocks(&choice->print->hDevMode, &choice->print->hDevNames, *choice, printer, output);
    choice->print->nCopies = 1;
  } else {
    GiveBlocks(&choice->page->hDevMode, &choice->page->hDevNames, *choice, printer, output);
  }
  return true;
}

void CallHook(HWND window, const PrintChoice& choice) {
  if (choice.print != nullptr) {
    const PRINTDLG& record = *choice.print;
    LPPRINTHOOKPROC hook = (record.Flags & PD_PRINTSETUP) ? ((record.Flags & PD_ENABLESETUPHOOK) ? record.lpfnSetupHook : nullptr)
                                                          : ((record.Flags & PD_ENABLEPRINTHOOK) ? record.lpfnPrintHook : nullptr);
    if (hook != nullptr) hook(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(choice.print));
  } else if ((choice.page->Flags & PSD_ENABLEPAGESETUPHOOK) && choice.page->lpfnPageSetupHook != nullptr) {
    choice.page->lpfnPageSetupHook(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(choice.page));
  }
}

INT_PTR PrintProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtr(window, DWLP_USER, lParam);
    auto* choice = reinterpret_cast<PrintChoice*>(lParam);
    choice->filling = true;
    Fill(window, choice);
    choice->filling = false;
    FocusDialogControl(GetDlgItem(window, IDOK));
    CallHook(window, *choice);
    return FALSE;
  }
  auto* choice = reinterpret_cast<PrintChoice*>(GetWindowLongPtr(window, DWLP_USER));
  if (choice == nullptr || message != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  if (id == cmb4 && HIWORD(wParam) == CBN_SELCHANGE && choice->kind == Kind::Print) ShowFileField(window, *choice);
  if ((id == kFromPage || id == edt2) && HIWORD(wParam) == EN_CHANGE && !choice->filling) CheckRadioButton(window, rad1, rad3, rad3);
  if (id == IDOK && Accept(window, choice)) EndDialog(window, IDOK);
  if (id == IDCANCEL) EndDialog(window, IDCANCEL);
  return TRUE;
}

constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;

DialogTemplate Form(const char* caption, int cx, int cy) {
  DialogTemplate form;
  form.name = form.caption = caption;
  form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  form.cx = cx;
  form.cy = cy;
  return form;
}

void AddButtons(DialogTemplate& form) {
  form.items.push_back({IDOK, "BUTTON", "OK", form.cx - 112, form.cy - 21, 50, 14, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0});
  form.items.push_back({IDCANCEL, "BUTTON", "Cancel", form.cx - 57, form.cy - 21, 50, 14, WS_TABSTOP | BS_PUSHBUTTON, 0});
}

void AddPrinter(DialogTemplate& form, bool withFile) {
  form.items.push_back({-1, "BUTTON", "Printer", 7, 4, form.cx - 14, withFile ? 48 : 32, kGroup, 0});
  form.items.push_back({-1, "STATIC", "&Name:", 14, 18, 34, 8, SS_LEFT, 0});
  form.items.push_back({cmb4, "COMBOBOX", "", 50, 16, form.cx - 64, 80, kList | WS_GROUP, 0});
  if (!withFile) return;
  form.items.push_back({-1, "STATIC", "PDF &file:", 14, 35, 34, 8, SS_LEFT, 0});
  form.items.push_back({edt3, "EDIT", "", 50, 33, form.cx - 64, 12, kEdit, 0});
}

void AddPaper(DialogTemplate& form, int y) {
  form.items.push_back({-1, "BUTTON", "Paper", 7, y, 120, 32, kGroup, 0});
  form.items.push_back({-1, "STATIC", "Si&ze:", 14, y + 14, 24, 8, SS_LEFT, 0});
  form.items.push_back({cmb2, "COMBOBOX", "", 40, y + 12, 80, 80, kList | WS_GROUP, 0});
  form.items.push_back({-1, "BUTTON", "Orientation", 133, y, form.cx - 140, 32, kGroup, 0});
  form.items.push_back({rad1, "BUTTON", "P&ortrait", 140, y + 12, 50, 10, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0});
  form.items.push_back({rad2, "BUTTON", "&Landscape", 192, y + 12, 56, 10, BS_AUTORADIOBUTTON, 0});
}

DialogTemplate PrintForm() {
  DialogTemplate form = Form("Print", 262, 118);
  AddPrinter(form, true);
  form.items.push_back({-1, "BUTTON", "Print range", 7, 56, form.cx - 14, 36, kGroup, 0});
  form.items.push_back({rad1, "BUTTON", "&All", 14, 68, 40, 10, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0});
  form.items.push_back({rad3, "BUTTON", "Pa&ges", 14, 80, 36, 10, BS_AUTORADIOBUTTON, 0});
  form.items.push_back({-1, "STATIC", "&from:", 56, 81, 20, 8, SS_LEFT, 0});
  form.items.push_back({kFromPage, "EDIT", "", 78, 79, 30, 12, kEdit | WS_GROUP, 0});
  form.items.push_back({-1, "STATIC", "&to:", 114, 81, 14, 8, SS_LEFT, 0});
  form.items.push_back({edt2, "EDIT", "", 130, 79, 30, 12, kEdit, 0});
  AddButtons(form);
  return form;
}

DialogTemplate SetupForm() {
  DialogTemplate form = Form("Print Setup", 262, 98);
  AddPrinter(form, false);
  AddPaper(form, 40);
  AddButtons(form);
  return form;
}

DialogTemplate PageSetupForm(bool inches) {
  DialogTemplate form = Form("Page Setup", 262, 152);
  AddPaper(form, 4);
  form.items.push_back({-1, "BUTTON", inches ? "Margins (inches)" : "Margins (millimetres)", 7, 40, form.cx - 14, 46, kGroup, 0});
  form.items.push_back({-1, "STATIC", "L&eft:", 14, 55, 30, 8, SS_LEFT, 0});
  form.items.push_back({edt4, "EDIT", "", 46, 53, 40, 12, kEdit | WS_GROUP, 0});
  form.items.push_back({-1, "STATIC", "&Right:", 133, 55, 30, 8, SS_LEFT, 0});
  form.items.push_back({edt6, "EDIT", "", 165, 53, 40, 12, kEdit, 0});
  form.items.push_back({-1, "STATIC", "&Top:", 14, 71, 30, 8, SS_LEFT, 0});
  form.items.push_back({edt5, "EDIT", "", 46, 69, 40, 12, kEdit, 0});
  form.items.push_back({-1, "STATIC", "&Bottom:", 133, 71, 30, 8, SS_LEFT, 0});
  form.items.push_back({edt7, "EDIT", "", 165, 69, 40, 12, kEdit, 0});
  form.items.push_back({-1, "BUTTON", "Printer", 7, 92, form.cx - 14, 32, kGroup, 0});
  form.items.push_back({-1, "STATIC", "&Name:", 14, 106, 34, 8, SS_LEFT, 0});
  form.items.push_back({cmb4, "COMBOBOX", "", 50, 104, form.cx - 64, 80, kList | WS_GROUP, 0});
  AddButtons(form);
  return form;
}

BOOL Finish(INT_PTR result) {
  if (result == -1) {
    SetCommonDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  return result == IDOK ? TRUE : FALSE;
}

}  // namespace

BOOL RunPrintDialog(PRINTDLG* record) {
  PrintChoice choice;
  choice.kind = (record->Flags & PD_PRINTSETUP) ? Kind::Setup : Kind::Print;
  choice.print = record;
  choice.printers = Printers();
  ReadBlocks(record->hDevMode, record->hDevNames, &choice);
  DialogTemplate form = choice.kind == Kind::Setup ? SetupForm() : PrintForm();
  INT_PTR result = RunCommonDialog(form, record->hwndOwner, PrintProcedure, reinterpret_cast<LPARAM>(&choice));
  BOOL chosen = Finish(result);
  if (chosen && (record->Flags & PD_RETURNDC)) {
    std::string device, output;
    ReadDevNames(record->hDevNames, &device, &output);
    auto* mode = static_cast<DEVMODE*>(GlobalLock(record->hDevMode));
    record->hDC = CreateDC(nullptr, device.c_str(), output.c_str(), mode);
    GlobalUnlock(record->hDevMode);
    if (record->hDC == nullptr) {
      SetCommonDialogError(PDERR_NODEFAULTPRN);
      return FALSE;
    }
  }
  return chosen;
}

BOOL RunPageSetupDialog(PAGESETUPDLG* record) {
  PrintChoice choice;
  choice.kind = Kind::PageSetup;
  choice.page = record;
  choice.printers = Printers();
  if ((record->Flags & PSD_MARGINS) == 0)
    record->rtMargin = InInches(choice) ? RECT{1000, 1000, 1000, 1000} : RECT{2540, 2540, 2540, 2540};
  ReadBlocks(record->hDevMode, record->hDevNames, &choice);
  INT_PTR result = RunCommonDialog(PageSetupForm(InInches(choice)), record->hwndOwner, PrintProcedure,
                                   reinterpret_cast<LPARAM>(&choice));
  return Finish(result);
}

}  // namespace platform
