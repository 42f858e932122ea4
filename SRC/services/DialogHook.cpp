// The dialog centring hook, menu item text and the self-closing notice (see
// DialogHook.h). The hook watches for a window of the dialog class; once the
// dialog's first control is being made the dialog exists fully enough to be
// subclassed, and its own WM_INITDIALOG then runs before the centring.
#include "services/DialogHook.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Hook.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

struct HookState {
  HHOOK hook = nullptr;
  HWND dialog = nullptr;
  bool pending = false;
  WNDPROC previous = nullptr;
};

thread_local HookState t_Hook;

LRESULT CenteringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = t_Hook.previous;
  if (message == WM_INITDIALOG) {
    CallWindowProc(previous, window, message, wParam, lParam);
    CenterWindowOnParent(window, 0);
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) {
      RECT rect{};
      GetWindowRect(focus, &rect);
      SetCursorPos(rect.left + 3 * (rect.right - rect.left) / 4, (rect.top + rect.bottom) / 2);
    }
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(window, 0);
    return 1;
  }
  return CallWindowProc(previous, window, message, wParam, lParam);
}

bool IsDialogClass(const CBT_CREATEWND* create) {
  const char* name = create->lpcs->lpszClass;
  return name != nullptr && !IS_INTRESOURCE(name) && std::strcmp(name, WC_DIALOG) == 0;
}

LRESULT HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return CallNextHookEx(t_Hook.hook, code, wParam, lParam);
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    if (IsDialogClass(reinterpret_cast<const CBT_CREATEWND*>(lParam))) {
      t_Hook.dialog = window;
      t_Hook.pending = true;
    } else if (t_Hook.pending && t_Hook.dialog != nullptr) {
      t_Hook.previous = reinterpret_cast<WNDPROC>(
          SetWindowLongPtr(t_Hook.dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CenteringProc)));
      t_Hook.pending = false;
    }
  } else if (code == HCBT_DESTROYWND && window == t_Hook.dialog) {
    if (t_Hook.previous != nullptr)
      SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(t_Hook.previous));
    t_Hook.dialog = nullptr;
    t_Hook.previous = nullptr;
    t_Hook.pending = false;
  }
  return 0;
}

}  // namespace

void CenterDialogHookOn() {
  t_Hook.hook = SetWindowsHookEx(WH_CBT, HookProc, InstanceHandle, GetCurrentThreadId());
}

void CenterDialogHookOff() {
  if (t_Hook.hook != nullptr) UnhookWindowsHookEx(t_Hook.hook);
  t_Hook = HookState{};
}

UINT_PTR CenteringDialogHookProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) CenterWindowOnParent(dialog, IDOK);
  return 0;
}

UINT_PTR FileDialogHookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    CenterWindowOnParent(GetParent(hook), 0);
    CenterDialogHookOn();
  } else if (message == WM_DESTROY) {
    CenterDialogHookOff();
  }
  return 0;
}

void SetMenuItemText(HMENU menu, UINT commandId, const char* text) {
  // Only the text changes: the item keeps its checked and greyed state.
  const UINT state = GetMenuState(menu, commandId, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return;
  const UINT kept = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  ModifyMenu(menu, commandId, MF_BYCOMMAND | MF_STRING | kept, commandId, text);
}

INT_PTR InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static DialogHelper helper;
  switch (message) {
    case WM_INITDIALOG:
      helper.DialogBind(dialog);
      helper.DialogSetItemIcon(1901, InformationIcon != nullptr ? InformationIcon
                                                                : LoadIcon(nullptr, IDI_INFORMATION));
      helper.DialogSetItemText(1501, reinterpret_cast<const char*>(lParam));
      CenterWindowOnParent(dialog, 0);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == 1501) PostMessage(dialog, WM_COMMAND, IDOK, 0);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // Long enough to be read; the virtual clock of the tests needs no wait.
        if (!platform::InTestMode()) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        EndDialog(dialog, 1);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

void ShowNotice(HWND owner, const std::string& text) {
  DialogBoxParam(InstanceHandle, "INFO_DIALOG", owner, InfoDialogProc, reinterpret_cast<LPARAM>(text.c_str()));
}
