// The dialog keys: IsDialogMessage with Tab and Shift+Tab, arrows inside a
// group, Enter for the default (or focused) push button, Escape as IDCANCEL,
// Alt+mnemonic (and the bare mnemonic where the focused control takes no
// characters; a mnemonic shared by several controls moves the focus among
// them and presses none), F1 as WM_HELP, and in a property sheet Ctrl+Tab and
// Ctrl+Page Down (Ctrl+Shift+Tab and Ctrl+Page Up) for the next (previous)
// page.
//
// A control keeps a key for itself by its WM_GETDLGCODE answer (an edit wants
// characters and arrows, a multi-line edit all keys). The controls of child
// dialogs marked WS_EX_CONTROLPARENT (property sheet pages) take part in the
// order of the dialog they sit in, so Tab walks from the page into the
// sheet's buttons and back.
#include <cctype>
#include <vector>

#include "platform/Controls.h"
#include "platform/DialogInternal.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace platform {

namespace {

bool IsControlParent(HWND window) {
  return (GetWindowLong(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 &&
         (GetWindowLong(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The dialog's controls in tab order, with the controls of visible child
// control-parents in place of the child itself.
void CollectControls(HWND parent, std::vector<HWND>* controls) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsControlParent(child)) {
      if (IsWindowVisible(child)) CollectControls(child, controls);
    } else {
      controls->push_back(child);
    }
  }
}

std::vector<HWND> ControlsOf(HWND dialog) {
  std::vector<HWND> controls;
  CollectControls(dialog, &controls);
  return controls;
}

int IndexOf(const std::vector<HWND>& controls, HWND control) {
  for (std::size_t index = 0; index < controls.size(); ++index)
    if (controls[index] == control || (control != nullptr && IsChild(controls[index], control)))
      return static_cast<int>(index);
  return -1;
}

LRESULT DialogCode(HWND control, const MSG* message) {
  return SendMessage(control, WM_GETDLGCODE, message != nullptr ? message->wParam : 0,
                     reinterpret_cast<LPARAM>(message));
}

bool IsUsable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

// Enter: the focused push button, else the default button.
void PressDefault(HWND dialog, HWND focus, LRESULT code) {
  if (focus != nullptr && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    SendMessage(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                reinterpret_cast<LPARAM>(focus));
    return;
  }
  LRESULT defaultId = SendMessage(dialog, DM_GETDEFID, 0, 0);
  int id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
  HWND button = GetDlgItem(dialog, id);
  if (button != nullptr && !IsWindowEnabled(button)) {
    MessageBeep(0);
    return;
  }
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

char MnemonicOf(const char* text) {
  for (const char* at = text; *at != '\0'; ++at) {
    if (*at != '&') continue;
    if (at[1] == '&') {
      ++at;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(at[1])));
  }
  return '\0';
}

// Whether `control` answers to `character` as its mnemonic: a visible label
// (enabled or not, as it only hands the focus on) or an enabled control.
bool AnswersTo(HWND control, char character) {
  if (!IsWindowVisible(control)) return false;
  const LRESULT code = DialogCode(control, nullptr);
  const bool label = (code & DLGC_STATIC) != 0;
  if (label && (GetWindowLong(control, GWL_STYLE) & SS_NOPREFIX)) return false;
  if (!label && !IsWindowEnabled(control)) return false;
  char text[256] = "";
  GetWindowText(control, text, sizeof text);
  return MnemonicOf(text) == character;
}

// Acts on the controls whose text has `character` as its mnemonic; false
// when none has it. A mnemonic of one control acts on it: a button is
// pressed, a label hands the focus to the control after it, any other
// control takes the focus. A mnemonic that several controls share only
// moves the focus, to the first of them after the focus (wrapping), so
// that each of them can be reached by pressing the key again and none is
// pressed by a key that the user may have meant for another.
bool TryMnemonic(HWND dialog, char character) {
  character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
  if (character == '\0' || character == ' ') return false;
  std::vector<HWND> controls = ControlsOf(dialog);
  int start = IndexOf(controls, GetFocus());
  int count = static_cast<int>(controls.size());
  std::vector<HWND> answering;
  for (int step = 1; step <= count; ++step) {
    HWND control = controls[static_cast<std::size_t>((start + step + count) % count)];
    if (AnswersTo(control, character)) answering.push_back(control);
  }
  if (answering.empty()) return false;
  HWND control = answering.front();
  const LRESULT code = DialogCode(control, nullptr);
  const bool pushButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
  if (code & DLGC_STATIC) {
    FocusDialogControl(GetNextDlgTabItem(dialog, control, FALSE));
  } else if (answering.size() == 1 && (code & DLGC_BUTTON || pushButton)) {
    if (!pushButton) FocusDialogControl(control);
    SendMessage(control, BM_CLICK, 0, 0);
  } else {
    FocusDialogControl(control);
  }
  return true;
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up change the
// page of a property sheet, whatever control has the keyboard; false for
// other keys and other dialogs.
bool HandleSheetKey(HWND dialog, const MSG* message) {
  if (GetKeyState(VK_CONTROL) >= 0) return false;
  switch (message->wParam) {
    case VK_TAB: return StepPropertySheetPage(dialog, GetKeyState(VK_SHIFT) >= 0);
    case VK_NEXT: return StepPropertySheetPage(dialog, true);
    case VK_PRIOR: return StepPropertySheetPage(dialog, false);
    default: return false;
  }
}

bool HandleKeyDown(HWND dialog, MSG* message) {
  if (HandleSheetKey(dialog, message)) return true;
  HWND focus = message->hwnd;
  LRESULT code = DialogCode(focus, message);
  if (code & DLGC_WANTALLKEYS) return false;
  switch (message->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      FocusDialogControl(GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0));
      return true;
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
      if (code & DLGC_WANTARROWS) return false;
      bool previous = message->wParam == VK_LEFT || message->wParam == VK_UP;
      HWND next = GetNextDlgGroupItem(dialog, GetFocus(), previous);
      if (next != nullptr && next != GetFocus()) FocusDialogControl(next);
      return true;
    }
    case VK_RETURN: PressDefault(dialog, focus, code); return true;
    case VK_ESCAPE:
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return true;
    case VK_F1: SendDialogHelp(dialog); return true;
    default: return false;
  }
}

}  // namespace

bool IsTabStop(HWND control) {
  return control != nullptr && IsUsable(control) && (GetWindowLong(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

void FocusDialogControl(HWND control) {
  if (control == nullptr) return;
  SetFocus(control);
  if (DialogCode(control, nullptr) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
}

void SendDialogHelp(HWND dialog) {
  HWND focus = GetFocus();
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  HWND target = dialog;
  if (focus != nullptr && IsChild(dialog, focus)) {
    info.iCtrlId = GetDlgCtrlID(focus);
    info.hItemHandle = focus;
    target = GetParent(focus);
  } else {
    info.hItemHandle = dialog;
  }
  GetCursorPos(&info.MousePos);
  SendMessage(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

HWND OuterDialogOf(HWND window) {
  HWND dialog = window;
  while (dialog != nullptr && (GetWindowLong(dialog, GWL_STYLE) & WS_CHILD) != 0)
    dialog = GetParent(dialog);
  return dialog;
}

}  // namespace platform

using namespace platform;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> controls = ControlsOf(dialog);
  int count = static_cast<int>(controls.size());
  if (count == 0) return nullptr;
  int start = IndexOf(controls, control);
  if (start < 0) start = previous ? 0 : count - 1;
  for (int step = 1; step <= count; ++step) {
    int index = previous ? start - step : start + step;
    HWND candidate = controls[static_cast<std::size_t>((index % count + count) % count)];
    if (IsTabStop(candidate)) return candidate;
  }
  return nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> controls = ControlsOf(dialog);
  int at = IndexOf(controls, control);
  if (at < 0) return nullptr;
  auto startsGroup = [&](int index) {
    return (GetWindowLong(controls[static_cast<std::size_t>(index)], GWL_STYLE) & WS_GROUP) != 0;
  };
  int first = at;
  while (first > 0 && !startsGroup(first)) --first;
  int last = at + 1;
  while (last < static_cast<int>(controls.size()) && !startsGroup(last)) ++last;
  int size = last - first;
  for (int step = 1; step < size; ++step) {
    int offset = ((at - first + (previous ? -step : step)) % size + size) % size;
    HWND candidate = controls[static_cast<std::size_t>(first + offset)];
    if (IsUsable(candidate)) return candidate;
  }
  return control;
}

BOOL IsDialogMessage(HWND dialog, MSG* message) {
  if (message == nullptr || dialog == nullptr || !IsWindow(dialog)) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  switch (message->message) {
    case WM_KEYDOWN:
      if (HandleKeyDown(dialog, message)) return TRUE;
      break;
    case WM_SYSCHAR:
      if (TryMnemonic(dialog, static_cast<char>(message->wParam))) return TRUE;
      break;
    case WM_CHAR:
      if ((DialogCode(message->hwnd, message) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) == 0 &&
          TryMnemonic(dialog, static_cast<char>(message->wParam)))
        return TRUE;
      break;
    default: break;
  }
  TranslateMessage(message);
  DispatchMessage(message);
  return TRUE;
}
