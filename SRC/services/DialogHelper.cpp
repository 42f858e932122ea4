// The dialog-control operations (see DialogHelper.h).
#include "services/DialogHelper.h"

#include <algorithm>

#include "platform/Controls.h"
#include "platform/Window.h"
#include "services/AppFonts.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ShownNumbers.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kShortRead = 39;
constexpr int kLongRead = 79;
constexpr int kSelectedOnError = 40;

// The one display-only edit that passes the focus on: its replaced procedure
// and the window that takes the focus.
WNDPROC g_SubclassedEditProc = nullptr;
HWND g_FocusTarget = nullptr;

LRESULT PassFocusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS && g_FocusTarget != nullptr) {
    SetFocus(g_FocusTarget);
    return 0;
  }
  return CallWindowProc(g_SubclassedEditProc, window, message, wParam, lParam);
}

std::string ReadCut(HWND dialog, int item, int limit) {
  char buffer[kLongRead + 1] = {};
  GetDlgItemText(dialog, item, buffer, limit + 1);
  return buffer;
}


}  // namespace

void DialogHelper::DialogBind(HWND dialogWindow) {
  dialog = dialogWindow;
  WatchDialogFilling(dialog);
  RECT units{0, 0, 4, 8};
  MapDialogRect(dialog, &units);
  unitsX = units.right;
  unitsY = units.bottom;
}

HWND DialogHelper::DialogGetItem(int item) {
  currentItem = GetDlgItem(dialog, item);
  return currentItem;
}

void DialogHelper::DialogSetItemText(int item, const std::string& text) { SetDlgItemText(dialog, item, text.c_str()); }

void DialogHelper::DialogLimitItemText(int item, int limit) {
  SendDlgItemMessage(dialog, item, EM_LIMITTEXT, limit, 0);
}

void DialogHelper::DialogSetItemTextAndLimit(int item, const std::string& text, int limit) {
  SetWindowText(DialogGetItem(item), text.c_str());
  SendMessage(currentItem, EM_LIMITTEXT, limit, 0);
}

void DialogHelper::DialogSetItemTextAt(int item, const std::string& text, int x, int y, int w, int h) {
  DialogSetItemText(item, text);
  RECT rect{x, y, x + w, y + h};
  MapDialogRect(dialog, &rect);
  HWND window = GetDlgItem(dialog, item);
  MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  ShowWindow(window, SW_SHOW);
}

void DialogHelper::DialogSetUnitLabel(int item, UnitKind kind) { DialogSetItemText(item, UnitLabel(kind)); }

void DialogHelper::DialogSetPressureText(int item, float value) { DialogSetItemText(item, FormatPressure(value)); }

void DialogHelper::DialogSetItemEmpty(int item) { DialogSetItemText(item, ""); }

void DialogHelper::DialogSelectAndFocus(int item) {
  HWND window = GetDlgItem(dialog, item);
  SendMessage(window, EM_SETSEL, 0, -1);
  SetFocus(window);
}

void DialogHelper::DialogSetReadOnly(int item) { SendDlgItemMessage(dialog, item, EM_SETREADONLY, TRUE, 0); }
void DialogHelper::DialogClearReadOnly(int item) { SendDlgItemMessage(dialog, item, EM_SETREADONLY, FALSE, 0); }
void DialogHelper::DialogFocusItem(int item) { SetFocus(GetDlgItem(dialog, item)); }

void DialogHelper::DialogGetItemText(int item) {
  errorItem = item;
  g_EditFieldText = ReadCut(dialog, item, kShortRead);
  StripBlanksUpper(g_EditFieldText);
  ArmShownNumber(dialog, item, g_EditFieldText);
}

void DialogHelper::DialogReadFieldTrimmed(int item) {
  errorItem = item;
  g_EditFieldText = ReadCut(dialog, item, kShortRead);
  TrimBlanks(g_EditFieldText);
  ArmShownNumber(dialog, item, g_EditFieldText);
}

void DialogHelper::DialogReadLongFieldTrimmed(int item) {
  errorItem = item;
  g_EditFieldText = ReadCut(dialog, item, kLongRead);
  TrimBlanks(g_EditFieldText);
}

std::string DialogHelper::DialogReadItemText(int item) {
  const int length = GetWindowTextLength(GetDlgItem(dialog, item));
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  GetDlgItemText(dialog, item, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(length, 0)));
  return text;
}

void DialogHelper::DialogFocusInvalid(const std::string& message) {
  ShowErrorMessage(dialog, message);
  if (!IsWindowVisible(dialog)) return;
  HWND item = GetDlgItem(dialog, errorItem);
  if (item == nullptr) return;
  SendMessage(item, EM_SETSEL, 0, kSelectedOnError);
  SetFocus(item);
}

void DialogHelper::DialogThrowItemError(int item, const std::string& message) {
  errorItem = item;
  throw message;
}

void DialogHelper::DialogSetCheck(int item, bool state) { CheckDlgButton(dialog, item, state ? BST_CHECKED : 0); }
bool DialogHelper::DialogIsChecked(int item) { return IsDlgButtonChecked(dialog, item) == BST_CHECKED; }
void DialogHelper::DialogCheckRadio(int first, int last, int item) { CheckRadioButton(dialog, first, last, item); }

int DialogHelper::DialogCheckedRadio(int first, int last) {
  for (int item = first; item <= last; ++item)
    if (DialogIsChecked(item)) return item - first;
  return 0;
}

void DialogHelper::DialogEnableItem(int item, bool enable) { EnableWindow(GetDlgItem(dialog, item), enable); }
void DialogHelper::DialogDisableItem(int item) { DialogEnableItem(item, false); }
bool DialogHelper::DialogIsItemEnabled(int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != 0; }
void DialogHelper::DialogShowItem(int item) { ShowWindow(GetDlgItem(dialog, item), SW_SHOW); }
void DialogHelper::DialogHideItem(int item) { ShowWindow(GetDlgItem(dialog, item), SW_HIDE); }

void DialogHelper::DialogComboReset(int item) { SendMessage(DialogGetItem(item), CB_RESETCONTENT, 0, 0); }
void DialogHelper::DialogComboAddString(const std::string& text) {
  SendMessage(currentItem, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void DialogHelper::DialogCurrentComboSetSel(int index) { SendMessage(currentItem, CB_SETCURSEL, index, 0); }
void DialogHelper::DialogComboSetSel(int item, int index) { SendDlgItemMessage(dialog, item, CB_SETCURSEL, index, 0); }
int DialogHelper::DialogComboGetSel(int item) {
  return static_cast<int>(SendDlgItemMessage(dialog, item, CB_GETCURSEL, 0, 0));
}

void DialogHelper::DialogListReset(int item) { SendMessage(DialogGetItem(item), LB_RESETCONTENT, 0, 0); }
void DialogHelper::DialogCurrentListAddString(const std::string& text) {
  SendMessage(currentItem, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void DialogHelper::DialogListSetSel(int item, int index) { SendDlgItemMessage(dialog, item, LB_SETCURSEL, index, 0); }
int DialogHelper::DialogListGetSel(int item) {
  return static_cast<int>(SendDlgItemMessage(dialog, item, LB_GETCURSEL, 0, 0));
}

void DialogHelper::DialogSetItemIcon(int item, HICON icon) {
  SendDlgItemMessage(dialog, item, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
void DialogHelper::DialogSetItemBitmap(int item, HBITMAP bitmap) {
  SendDlgItemMessage(dialog, item, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void DialogHelper::DialogPlaceItem(int item, int x, int y) {
  RECT rect{x, y, x, y};
  MapDialogRect(dialog, &rect);
  SetWindowPos(GetDlgItem(dialog, item), nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void DialogHelper::DialogMoveItem(int item, int x, int y) {
  SetWindowPos(GetDlgItem(dialog, item), nullptr, x * unitsX / 16, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void DialogHelper::DialogSizeForClient(int w, int h) {
  RECT rect{0, 0, w, h};
  MapDialogRect(dialog, &rect);
  // The frame the window has round its client area, whatever draws it.
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER);
}

void DialogHelper::DialogSubclassEdit(int item, HWND target) {
  g_FocusTarget = target;
  g_SubclassedEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(GetDlgItem(dialog, item), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PassFocusProc)));
}

void DialogHelper::PlaceCursorOnItem(int item) { MoveCursorToItem(dialog, item); }

void DialogHelper::DialogBeginButtonRow(HWND dialogWindow, int width) {
  DialogBind(dialogWindow);
  RECT ok{};
  GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
  POINT corner{ok.left, ok.top};
  ScreenToClient(dialog, &corner);
  buttonTop = corner.y;
  buttonHeight = ok.bottom - ok.top;
  buttonWidth = width * unitsX / 16;
}

void DialogHelper::DialogPlaceInButtonRow(int item, int x) {
  MoveWindow(GetDlgItem(dialog, item), x * unitsX / 16, buttonTop, buttonWidth, buttonHeight, TRUE);
}

void DialogHelper::DialogAddButtonInRow(int id, const std::string& text, int x) {
  HWND button = CreateWindowEx(0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, dialog,
                               reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
  SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(SmallFont().handle), TRUE);
  DialogPlaceInButtonRow(id, x);
}

void CheckDirectionInput(DialogHelper& helper, int first, float& x, float& y, float& z) {
  static const char* const kLabels[3] = {"X comp", "Y comp", "Z comp"};
  float* components[3] = {&x, &y, &z};
  for (int i = 0; i < 3; ++i) {
    helper.DialogGetItemText(first + i);
    if (ParseFieldReal(*components[i]) != 0) ThrowInvalidField(kLabels[i]);
  }
  if (x == 0.0f && y == 0.0f && z == 0.0f) helper.DialogThrowItemError(first, "Direction is invalid");
}
