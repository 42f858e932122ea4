// What the common dialogs share (their error code and modal run), and the
// print and page-setup records: "return the default" requests get the
// layer's default printer, the PDF printer (US Letter, portrait, one copy,
// 600 dots per inch, writing to the default PDF file); the interactive
// dialogs are CommonDialogPrintPages.cpp.
#include <cstring>

#include "platform/CommonDialog.h"
#include "platform/DialogInternal.h"
#include "platform/PrintDialogs.h"
#include "platform/Printer.h"
#include "platform/ResourceTemplates.h"

namespace platform {

namespace {

thread_local DWORD lastError = 0;

constexpr char kOutput[] = "FILE:";

}  // namespace

HGLOBAL DefaultDevMode(bool landscape) {
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODE));
  auto* mode = static_cast<DEVMODE*>(GlobalLock(block));
  if (mode == nullptr) return block;
  std::strncpy(mode->dmDeviceName, kPdfPrinter, CCHDEVICENAME - 1);
  mode->dmSpecVersion = 0x0401;
  mode->dmSize = sizeof(DEVMODE);
  mode->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION;
  mode->dmPrintQuality = 600;
  mode->dmYResolution = 600;
  mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  mode->dmPaperSize = DMPAPER_LETTER;
  mode->dmCopies = 1;
  GlobalUnlock(block);
  return block;
}

HGLOBAL MakeDevNames(const std::string& driver, const std::string& device, const std::string& output) {
  std::size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + output.size() + 3;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) return block;
  DEVNAMES names{};
  names.wDriverOffset = sizeof(DEVNAMES);
  names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + driver.size() + 1);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + device.size() + 1);
  names.wDefault = device == kPdfPrinter ? DN_DEFAULTPRN : 0;
  std::memcpy(bytes, &names, sizeof names);
  std::memcpy(bytes + names.wDriverOffset, driver.c_str(), driver.size() + 1);
  std::memcpy(bytes + names.wDeviceOffset, device.c_str(), device.size() + 1);
  std::memcpy(bytes + names.wOutputOffset, output.c_str(), output.size() + 1);
  GlobalUnlock(block);
  return block;
}

HGLOBAL DefaultDevNames() { return MakeDevNames(kPdfDriver, kPdfPrinter, kOutput); }

namespace {

// Replaces the record's blocks (blocks the caller handed in are freed) with
// fresh default ones.
void GiveDefaults(HGLOBAL* devMode, HGLOBAL* devNames) {
  if (*devMode != nullptr) GlobalFree(*devMode);
  if (*devNames != nullptr) GlobalFree(*devNames);
  *devMode = DefaultDevMode(false);
  *devNames = DefaultDevNames();
}

}  // namespace

void SetCommonDialogError(DWORD error) { lastError = error; }

INT_PTR RunCommonDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter) {
  HWND window = CreateDialogFromTemplate(nullptr, dialog, owner, procedure, parameter, true);
  if (window == nullptr) return -1;
  return RunModalDialog(window, owner, ModalKind::CommonDialog, dialog.caption);
}

}  // namespace platform

DWORD CommDlgExtendedError() { return platform::lastError; }

BOOL PrintDlg(PRINTDLG* record) {
  platform::SetCommonDialogError(0);
  if (record == nullptr || record->lStructSize != sizeof(PRINTDLG)) {
    platform::SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if ((record->Flags & PD_RETURNDEFAULT) == 0) return platform::RunPrintDialog(record);
  platform::GiveDefaults(&record->hDevMode, &record->hDevNames);
  record->nCopies = 1;
  return TRUE;
}

BOOL PageSetupDlg(PAGESETUPDLG* record) {
  platform::SetCommonDialogError(0);
  if (record == nullptr || record->lStructSize != sizeof(PAGESETUPDLG)) {
    platform::SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if ((record->Flags & PSD_RETURNDEFAULT) == 0) return platform::RunPageSetupDialog(record);
  platform::GiveDefaults(&record->hDevMode, &record->hDevNames);
  // Letter: 8.5 x 11 inches.
  bool millimetres = (record->Flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0;
  record->ptPaperSize = millimetres ? POINT{21590, 27940} : POINT{8500, 11000};
  if ((record->Flags & PSD_MARGINS) == 0)
    record->rtMargin = millimetres ? RECT{2540, 2540, 2540, 2540} : RECT{1000, 1000, 1000, 1000};
  return TRUE;
}
