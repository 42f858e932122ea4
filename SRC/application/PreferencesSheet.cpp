// The Preferences sheet and its backup and fonts pages (see
// PreferencesSheet.h). Start reading at PreferencesSheet, then
// StoreBackupPage, the validation of the backup page.
#include "application/PreferencesSheet.h"

#include <unistd.h>

#include <cmath>

#include "application/LayoutWindow.h"
#include "files/AutoSave.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Paint.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "results/FitPath.h"
#include "services/AppFonts.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kIntervalLength = 3;
constexpr int kDefaultInterval = 10;
constexpr int kLongestInterval = 120;
constexpr int kDefaultStartNode = 10;
constexpr int kLargestStartNode = 99999;
// The folder text fits 138 horizontal dialog units (138/4 average widths).
constexpr int kFolderTextUnits = 138;
constexpr int kSheetOffset = 52;
constexpr const char* kDefaultFolderText = "< Default >";

// The backup page's folder while the sheet is open; stored with the page.
std::string& PageFolder() {
  static std::string folder;
  return folder;
}

DialogHelper& BackupHelper() {
  static DialogHelper helper;
  return helper;
}

void ShowFolder(HWND page) {
  HWND text = GetDlgItem(page, kFolderText);
  if (PageFolder().empty()) {
    SetWindowText(text, kDefaultFolderText);
    return;
  }
  RECT width{0, 0, kFolderTextUnits, 0};
  MapDialogRect(page, &width);
  SetWindowText(text, FitPathToWidth(PageFolder(), text, width.right).c_str());
}

void EnableFolder(DialogHelper& h, bool enable) {
  h.DialogEnableItem(kFolderButton, enable);
  h.DialogEnableItem(kFolderText, enable);
}

void InitBackupPage(HWND page) {
  DialogHelper& h = BackupHelper();
  h.DialogBind(page);
  const Preferences& p = ProgramPreferences();
  PageFolder() = p.backupDirectory;
  h.DialogSetCheck(kBackupCheck, p.createBackup != 0);
  h.DialogSetCheck(kGraphicsEditingCheck, p.disableGraphicEditing != 0);
  h.DialogSetCheck(kRenumberCheck, p.automaticRenumbering != 0);
  h.DialogLimitItemText(kIntervalField, kIntervalLength);
  h.DialogSetCheck(kAutoSaveCheck, p.automaticSave != 0);
  if (p.automaticSave != 0 && p.saveInterval != 0) h.DialogSetItemText(kIntervalField, IntegerToText(p.saveInterval));
  h.DialogEnableItem(kIntervalField, p.automaticSave != 0);
  if (p.automaticRenumbering != 0 && p.startingNodeNumber != 0)
    h.DialogSetItemText(kStartNodeField, IntegerToText(p.startingNodeNumber));
  h.DialogEnableItem(kStartNodeField, p.automaticRenumbering != 0);
  ShowFolder(page);
  EnableFolder(h, p.createBackup != 0 || p.automaticSave != 0);
}

// A check box and the field it enables: switched on, the field shows the
// default when it is empty or 0; switched off, it is cleared.
void SwitchField(DialogHelper& h, int check, int field, int defaultValue) {
  const bool on = h.DialogIsChecked(check);
  const std::string text = h.DialogReadItemText(field);
  if (on && (text.empty() || text == "0")) h.DialogSetItemText(field, IntegerToText(defaultValue));
  if (!on) h.DialogSetItemEmpty(field);
  h.DialogEnableItem(field, on);
}

bool CanReadAndWrite(const std::string& folder) {
  return platform::IsFolder(folder) && access(platform::ToFileSystemName(folder).c_str(), R_OK | W_OK | X_OK) == 0;
}

void OnFolderButton(HWND page) {
  std::string folder = PageFolder();
  const bool chosen = BrowseForFolder(page, folder);
  if (chosen && !CanReadAndWrite(folder)) {
    ShowErrorMessage(page, "Backup folder : " + folder +
                               "\ndoes not have write permission.\nDefault folder will be used.");
    folder.clear();
  }
  PageFolder() = folder;
  ShowFolder(page);
}

// Reads, checks and only then stores every field of the page; a refused
// field throws its message with the field as the error item.
void StoreBackupPage(DialogHelper& h) {
  const bool backup = h.DialogIsChecked(kBackupCheck);
  const bool autoSave = h.DialogIsChecked(kAutoSaveCheck);
  const bool noEditing = h.DialogIsChecked(kGraphicsEditingCheck);
  const bool renumber = h.DialogIsChecked(kRenumberCheck);
  float interval = 0.0f;
  if (autoSave) {
    h.DialogGetItemText(kIntervalField);
    if (!g_EditFieldText.empty()) {
      if (ParseFieldReal(interval) != 0 || interval < 0.0f) ThrowInvalidField("Save interval");
      if (interval > kLongestInterval) h.DialogThrowItemError(kIntervalField, "Save interval should be <= 120 minutes");
    }
    if (interval == 0.0f) interval = kDefaultInterval;
  }
  std::int32_t startNode = 0;
  if (renumber) {
    h.DialogGetItemText(kStartNodeField);
    if (g_EditFieldText.empty()) ThrowRequiredField("Starting node number");
    if (ParseFieldInteger(startNode) != 0 || startNode < 0) ThrowInvalidField("Node number");
    if (startNode > kLargestStartNode) h.DialogThrowItemError(kStartNodeField, "Node number should be <= 99999");
  }
  Preferences& p = ProgramPreferences();
  p.automaticSave = autoSave ? 1 : 0;
  p.createBackup = backup ? 1 : 0;
  p.disableGraphicEditing = noEditing ? 1 : 0;
  if (autoSave) p.saveInterval = static_cast<std::int32_t>(std::trunc(interval));
  p.automaticRenumbering = renumber ? 1 : 0;
  if (renumber) p.startingNodeNumber = startNode;
  p.backupDirectory = PageFolder();
}

// True when the page may be left (its fields were stored).
bool LeaveBackupPage(HWND page) {
  DialogHelper& h = BackupHelper();
  h.DialogBind(page);
  try {
    StoreBackupPage(h);
    return true;
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return false;
  }
}

INT_PTR AnswerNotify(HWND page, const NMHDR* header) {
  switch (header->code) {
    case PSN_KILLACTIVE:
    case PSN_QUERYCANCEL:
      SetWindowLongPtr(page, DWLP_MSGRESULT, LeaveBackupPage(page) ? FALSE : TRUE);
      return TRUE;
    default: return FALSE;
  }
}

void OnBackupCommand(HWND page, int id) {
  DialogHelper& h = BackupHelper();
  h.DialogBind(page);
  switch (id) {
    case kBackupCheck: EnableFolder(h, h.DialogIsChecked(kBackupCheck) || h.DialogIsChecked(kAutoSaveCheck)); break;
    case kAutoSaveCheck:
      SwitchField(h, kAutoSaveCheck, kIntervalField, kDefaultInterval);
      EnableFolder(h, h.DialogIsChecked(kBackupCheck) || h.DialogIsChecked(kAutoSaveCheck));
      break;
    case kRenumberCheck: SwitchField(h, kRenumberCheck, kStartNodeField, kDefaultStartNode); break;
    case kFolderButton: OnFolderButton(page); break;
    default: break;
  }
}

void ShowFontCaptions(HWND page) {
  SetDlgItemText(page, kTextFontCaption, FontCaptionText(TextFont()).c_str());
  SetDlgItemText(page, kGraphicsFontCaption, FontCaptionText(GraphicsFont()).c_str());
}

// The tables draw in the text font: each takes the new one.
void ReselectTableFonts() {
  for (HWND table : {LayoutTableWindow(), ListTableWindow(0), ListTableWindow(1)})
    if (table != nullptr) TableWindowReselectFont(table);
}

void OnFontButton(HWND page, int id) {
  RequestFontDialogAtOwnerCorner();
  if (id == kTextFontButton && ChooseTextFont(page)) ReselectTableFonts();
  if (id == kGraphicsFontButton && ChooseGraphicsFont(page))
    if (HWND graphics = GraphicsWindowHandle()) InvalidateRect(graphics, nullptr, FALSE);
  ShowFontCaptions(page);
}

// The sheet's own procedure, put in place when it exists: it offers one
// button, "Close", and opens near its owner's top-left corner.
WNDPROC& SheetProcedure() {
  static WNDPROC procedure = nullptr;
  return procedure;
}

LRESULT SheetSubclass(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != DM_REPOSITION) return CallWindowProc(SheetProcedure(), sheet, message, wParam, lParam);
  // Close takes Cancel's place at the right end of the button row.
  HWND close = GetDlgItem(sheet, IDOK);
  HWND cancel = GetDlgItem(sheet, IDCANCEL);
  SetWindowText(close, "Close");
  RECT slot{};
  GetWindowRect(cancel, &slot);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&slot), 2);
  MoveWindow(close, slot.left, slot.top, slot.right - slot.left, slot.bottom - slot.top, TRUE);
  ShowWindow(cancel, SW_HIDE);
  if (HWND owner = GetWindow(sheet, GW_OWNER)) {
    POINT corner{kSheetOffset, kSheetOffset};
    ClientToScreen(owner, &corner);
    SetWindowPos(sheet, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  MoveCursorToItem(sheet, IDOK);
  return 0;
}

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED)
    SheetProcedure() =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetSubclass)));
  return 0;
}

int BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  const auto* folder = reinterpret_cast<const std::string*>(data);
  if (message == BFFM_INITIALIZED && folder != nullptr && !folder->empty())
    SendMessage(dialog, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(folder->c_str()));
  return 0;
}

}  // namespace

INT_PTR BackupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: InitBackupPage(page); return TRUE;
    case WM_COMMAND: OnBackupCommand(page, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return AnswerNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    default: return FALSE;
  }
}

INT_PTR FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: ShowFontCaptions(page); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kTextFontButton || LOWORD(wParam) == kGraphicsFontButton)
        OnFontButton(page, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

bool BrowseForFolder(HWND owner, std::string& folder) {
  char name[MAX_PATH] = "";
  BROWSEINFO info{};
  info.hwndOwner = owner;
  info.pszDisplayName = name;
  info.lpszTitle = "Select folder for backup and save files";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&folder);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolder(&info);
  char path[MAX_PATH] = "";
  const bool hasPath = chosen != nullptr && SHGetPathFromIDList(chosen, path);
  if (chosen != nullptr) CoTaskMemFree(chosen);
  folder = hasPath ? path : "";
  return hasPath;
}

void PreferencesSheet(HWND owner) {
  PROPSHEETPAGE pages[3] = {
      {sizeof(PROPSHEETPAGE), PSP_DEFAULT, InstanceHandle, "BACKUP_DIALOG", nullptr, nullptr, BackupPageProc, 0,
       nullptr, nullptr},
      {sizeof(PROPSHEETPAGE), PSP_DEFAULT, InstanceHandle, "FONTS_DIALOG", nullptr, nullptr, FontsPageProc, 0,
       nullptr, nullptr},
      {sizeof(PROPSHEETPAGE), PSP_DEFAULT, InstanceHandle, "TOOLBAR_DIALOG", nullptr, nullptr, ToolbarPageProc, 0,
       nullptr, nullptr},
  };
  PROPSHEETHEADER header{sizeof(PROPSHEETHEADER), PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK, owner,
                         InstanceHandle, nullptr, "Preferences", 3, 0, pages, SheetCallback};
  PropertySheet(&header);
  RestartAutomaticSave();
}
