// What the common dialogs share (their error code and modal run), and the
// print and page-setup records with the layer's one default printer, the
// PDF printer: US Letter, portrait, one copy.
//
// Only the "return the default" requests are served now; the dialogs'
// pages come with printing, so any other request shows nothing and fails
// with CDERR_DIALOGFAILURE rather than pretending the user chose.
#include <cstring>

#include "platform/CommonDialog.h"
#include "platform/DialogInternal.h"

namespace platform {

namespace {

thread_local DWORD lastError = 0;

constexpr char kDriver[] = "quorvel-pdf";
constexpr char kDevice[] = "PDF";
constexpr char kOutput[] = "FILE:";

HGLOBAL DefaultDevMode(bool landscape) {
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODE));
  auto* mode = static_cast<DEVMODE*>(GlobalLock(block));
  if (mode == nullptr) return block;
  std::strncpy(mode->dmDeviceName, kDevice, CCHDEVICENAME - 1);
  mode->dmSpecVersion = 0x0401;
  mode->dmSize = sizeof(DEVMODE);
  mode->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
  mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  mode->dmPaperSize = DMPAPER_LETTER;
  mode->dmCopies = 1;
  GlobalUnlock(block);
  return block;
}

HGLOBAL DefaultDevNames() {
  std::size_t size = sizeof(DEVNAMES) + sizeof kDriver + sizeof kDevice + sizeof kOutput;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) return block;
  DEVNAMES names{};
  names.wDriverOffset = sizeof(DEVNAMES);
  names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + sizeof kDriver);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + sizeof kDevice);
  names.wDefault = DN_DEFAULTPRN;
  std::memcpy(bytes, &names, sizeof names);
  std::memcpy(bytes + names.wDriverOffset, kDriver, sizeof kDriver);
  std::memcpy(bytes + names.wDeviceOffset, kDevice, sizeof kDevice);
  std::memcpy(bytes + names.wOutputOffset, kOutput, sizeof kOutput);
  GlobalUnlock(block);
  return block;
}

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
  if ((record->Flags & PD_RETURNDEFAULT) == 0) {
    platform::SetCommonDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
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
  if ((record->Flags & PSD_RETURNDEFAULT) == 0) {
    platform::SetCommonDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  platform::GiveDefaults(&record->hDevMode, &record->hDevNames);
  // Letter: 8.5 x 11 inches.
  bool millimetres = (record->Flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0;
  record->ptPaperSize = millimetres ? POINT{21590, 27940} : POINT{8500, 11000};
  if ((record->Flags & PSD_MARGINS) == 0)
    record->rtMargin = millimetres ? RECT{2540, 2540, 2540, 2540} : RECT{1000, 1000, 1000, 1000};
  return TRUE;
}
