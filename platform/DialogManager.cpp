// The dialog class, DefDlgProc, creation from templates, the modal loop and
// EndDialog.
//
// Each dialog's state lives in a map keyed by its handle (DialogState,
// DialogInternal.h), made before the window so that WM_NCCREATE can bind it,
// and dropped on WM_NCDESTROY. The dialog procedure sits in the DWLP_DLGPROC
// slot of the window's extra bytes, so a program that swaps it sees the usual
// slot. DefDlgProc calls the procedure first; a TRUE answer means "handled",
// with the result in DWLP_MSGRESULT (or the answer itself for the messages
// whose result is a handle or a flag: WM_CTLCOLOR*, WM_INITDIALOG).
//
// The modal loop serves the whole thread, so nested dialogs and message
// boxes are plain recursion; EndDialog only marks the state, and the loop
// that owns the dialog destroys it once control returns there.
#include <algorithm>
#include <atomic>
#include <map>
#include <vector>
#include <memory>
#include <mutex>

#include "platform/Controls.h"
#include "platform/DialogInternal.h"
#include "platform/Gdi.h"
#include "platform/Hook.h"
#include "platform/Input.h"
#include "platform/Resource.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

struct DialogRegistry {
  std::mutex lock;
  std::map<HWND, std::unique_ptr<DialogState>> states;
};

DialogRegistry& Registry() {
  static DialogRegistry registry;
  return registry;
}

// Drops the states of dialogs that went without WM_NCDESTROY (the layer's
// shutdown removes windows without messages).
void PruneStates() {
  std::vector<std::unique_ptr<DialogState>> gone;
  std::lock_guard guard(Registry().lock);
  for (auto it = Registry().states.begin(); it != Registry().states.end();) {
    if (IsWindow(it->first)) {
      ++it;
      continue;
    }
    if (it->second->ownsFont) DeleteObject(it->second->font);
    gone.push_back(std::move(it->second));
    it = Registry().states.erase(it);
  }
}

// The state and procedure of the dialog being made, bound on WM_NCCREATE.
thread_local std::unique_ptr<DialogState> pendingState;
thread_local DLGPROC pendingProcedure = nullptr;

// The class is registered again after the layer was shut down (tests do that).
void EnsureDialogClass() {
  WNDCLASS existing{};
  if (GetClassInfo(nullptr, WC_DIALOG, &existing)) return;
  WNDCLASS windowClass{};
  windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
  windowClass.lpfnWndProc = DefDlgProc;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = WC_DIALOG;
  RegisterClass(&windowClass);
}

std::atomic<DialogFillWatcher> fillWatcher{nullptr};

bool ReturnsAnswerItself(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
         message == WM_INITDIALOG;
}

bool IsInside(HWND dialog, HWND window) {
  return window != nullptr && (window == dialog || IsChild(dialog, window));
}

void RestoreFocus(HWND dialog, DialogState* state) {
  HWND focus = GetFocus();
  if (IsInside(dialog, focus) && focus != dialog) return;
  HWND target = state != nullptr && IsWindow(state->savedFocus) ? state->savedFocus : nullptr;
  if (target == nullptr) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

// Moves the default-button look from the old default to the new one.
void SetDefaultId(HWND dialog, DialogState* state, int id) {
  HWND old = GetDlgItem(dialog, state->defaultId);
  if (old != nullptr && (SendMessage(old, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
    SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  state->defaultId = id;
  HWND button = GetDlgItem(dialog, id);
  if (button != nullptr && (SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
    SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// Keeps a top-level dialog inside the work area.
void Reposition(HWND dialog) {
  RECT work{}, rect{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  int x = std::max(work.left, std::min<LONG>(rect.left, work.right - width));
  int y = std::max(work.top, std::min<LONG>(rect.top, work.bottom - height));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT DefaultDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogState* state = FindDialogState(dialog);
  switch (message) {
    case WM_INITDIALOG: return 0;
    case WM_CLOSE:
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case WM_GETFONT: return state != nullptr ? reinterpret_cast<LRESULT>(state->font) : 0;
    case DM_GETDEFID:
      return state != nullptr && state->defaultId != 0 ? MAKELPARAM(state->defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
      if (state != nullptr) SetDefaultId(dialog, state, static_cast<int>(wParam));
      return TRUE;
    case DM_REPOSITION:
      if ((GetWindowLong(dialog, GWL_STYLE) & WS_CHILD) == 0) Reposition(dialog);
      return 0;
    case WM_NEXTDLGCTL:
      FocusDialogControl(LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                             : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (state != nullptr && IsInside(dialog, GetFocus())) state->savedFocus = GetFocus();
      } else {
        RestoreFocus(dialog, state);
      }
      return 0;
    case WM_SETFOCUS: RestoreFocus(dialog, state); return 0;
    case WM_HELP:
      // A page passes the request on to the sheet it sits in.
      if (GetWindowLong(dialog, GWL_STYLE) & WS_CHILD) return SendMessage(GetParent(dialog), message, wParam, lParam);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDHELP) SendDialogHelp(dialog);
      return 0;
    case WM_DESTROY:
      RaiseCbtHook(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(dialog), 0);
      return DefWindowProc(dialog, message, wParam, lParam);
    case WM_NCDESTROY: {
      std::unique_ptr<DialogState> gone;
      {
        std::lock_guard guard(Registry().lock);
        auto found = Registry().states.find(dialog);
        if (found != Registry().states.end()) {
          gone = std::move(found->second);
          Registry().states.erase(found);
        }
      }
      if (gone != nullptr && gone->ownsFont) DeleteObject(gone->font);
      return DefWindowProc(dialog, message, wParam, lParam);
    }
    default: return DefWindowProc(dialog, message, wParam, lParam);
  }
}

POINT DialogOrigin(const DialogTemplate& dialog, HWND owner, int width, int height, int baseX,
                   int baseY) {
  int x = DialogUnitsToPixelsX(dialog.x, baseX), y = DialogUnitsToPixelsY(dialog.y, baseY);
  if (dialog.style & WS_CHILD) return POINT{x, y};
  RECT area{};
  if (owner != nullptr) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  }
  if (dialog.style & DS_CENTER)
    return POINT{area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2};
  if (owner != nullptr) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    return POINT{origin.x + x, origin.y + y};
  }
  return POINT{x, y};
}

// Statics that show an icon or a bitmap name it by their text; a number
// names a numbered resource (or one of the layer's icons).
void LoadStaticImage(HWND control, const DialogItemTemplate& item, HINSTANCE instance) {
  if (item.text.empty()) return;
  bool numbered = item.text.size() <= 5 && item.text.find_first_not_of("0123456789") == std::string::npos;
  LPCSTR name = numbered ? MAKEINTRESOURCE(std::stoi(item.text)) : item.text.c_str();
  DWORD type = item.style & SS_TYPEMASK;
  if (type == SS_ICON) {
    if (HICON icon = LoadIcon(instance, name))
      SendMessage(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  } else if (type == SS_BITMAP) {
    if (HBITMAP bitmap = LoadBitmap(instance, name))
      SendMessage(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  }
}

bool CreateControls(HWND window, const DialogTemplate& dialog, HINSTANCE instance,
                    const DialogState& state) {
  for (const DialogItemTemplate& item : dialog.items) {
    bool isStaticImage = EqualClassName(item.className, "STATIC") &&
                         ((item.style & SS_TYPEMASK) == SS_ICON || (item.style & SS_TYPEMASK) == SS_BITMAP);
    HWND control = CreateWindowEx(
        item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(),
        isStaticImage ? "" : item.text.c_str(),
        (item.style & ~WS_VISIBLE) | WS_CHILD | (item.hidden ? 0 : WS_VISIBLE),
        DialogUnitsToPixelsX(item.x, state.baseX), DialogUnitsToPixelsY(item.y, state.baseY),
        DialogUnitsToPixelsX(item.cx, state.baseX), DialogUnitsToPixelsY(item.cy, state.baseY),
        window, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), instance, nullptr);
    if (control == nullptr) {
      if (InTestMode())
        ReportTestFailure("Dialog \"" + dialog.name + "\": no control of class \"" + item.className +
                          "\" could be made (id " + std::to_string(item.id) + ").");
      return false;
    }
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    if (isStaticImage) LoadStaticImage(control, item, instance);
    CREATESTRUCT create{nullptr, instance, nullptr, window, 0, 0, 0, 0,
                        static_cast<LONG>(item.style), item.text.c_str(), item.className.c_str(),
                        item.exStyle};
    CBT_CREATEWND cbt{&create, nullptr};
    RaiseCbtHook(HCBT_CREATEWND, reinterpret_cast<WPARAM>(control), reinterpret_cast<LPARAM>(&cbt));
  }
  return true;
}

int FirstDefaultButton(const DialogTemplate& dialog) {
  for (const DialogItemTemplate& item : dialog.items)
    if (EqualClassName(item.className, "BUTTON") && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      return item.id;
  return IDOK;
}

}  // namespace

void SetDialogFillWatcher(DialogFillWatcher watcher) { fillWatcher.store(watcher); }

DialogState* FindDialogState(HWND dialog) {
  std::lock_guard guard(Registry().lock);
  auto found = Registry().states.find(dialog);
  return found != Registry().states.end() ? found->second.get() : nullptr;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC procedure, LPARAM parameter, bool modal) {
  InitCommonControls();
  EnsureDialogClass();
  PruneStates();
  auto state = std::make_unique<DialogState>();
  state->templateName = dialog.name;
  state->modal = modal;
  state->font = DialogFont(dialog.pointSize, &state->ownsFont);
  MeasureDialogFont(state->font, &state->baseX, &state->baseY);
  state->defaultId = FirstDefaultButton(dialog);
  RECT frame{0, 0, DialogUnitsToPixelsX(dialog.cx, state->baseX),
             DialogUnitsToPixelsY(dialog.cy, state->baseY)};
  AdjustWindowRectEx(&frame, dialog.style, FALSE, dialog.exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  POINT origin = DialogOrigin(dialog, owner, width, height, state->baseX, state->baseY);
  DialogState* kept = state.get();
  pendingState = std::move(state);
  pendingProcedure = procedure;
  CreateModalWindows(modal);
  HWND window = CreateWindowEx(dialog.exStyle | WS_EX_CONTROLPARENT, WC_DIALOG, dialog.caption.c_str(),
                               dialog.style & ~WS_VISIBLE, origin.x, origin.y, width, height, owner,
                               nullptr, instance, nullptr);
  CreateModalWindows(false);
  bool bound = pendingState == nullptr;
  pendingState.reset();
  pendingProcedure = nullptr;
  if (window == nullptr || !bound) {
    if (window != nullptr) DestroyWindow(window);
    return nullptr;
  }
  CREATESTRUCT create{nullptr, instance, nullptr, owner, height, width, origin.y, origin.x,
                      static_cast<LONG>(dialog.style), dialog.caption.c_str(), WC_DIALOG,
                      dialog.exStyle};
  CBT_CREATEWND cbt{&create, nullptr};
  RaiseCbtHook(HCBT_CREATEWND, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&cbt));
  if (!CreateControls(window, dialog, instance, *kept)) {
    DestroyWindow(window);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  if (DialogFillWatcher watcher = fillWatcher.load()) watcher(window, false);
  LRESULT setFocus = SendMessage(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), parameter);
  if (!IsWindow(window)) return nullptr;
  if (DialogFillWatcher watcher = fillWatcher.load()) watcher(window, true);
  if (modal || (dialog.style & WS_VISIBLE)) {
    if ((dialog.style & WS_CHILD) == 0) {
      CBTACTIVATESTRUCT activate{FALSE, GetActiveWindow()};
      RaiseCbtHook(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&activate));
    }
    ShowWindow(window, SW_SHOW);
  }
  if (setFocus != 0 && first != nullptr && IsWindow(first) &&
      (modal || (dialog.style & WS_VISIBLE)) && (dialog.style & WS_CHILD) == 0)
    FocusDialogControl(first);
  return window;
}

namespace {

// The thread's other windows take no input while a modal window runs, its
// owner's frame and every other frame alike: the dialog's run belongs to
// the action that opened it, and nothing done in another window may join
// it. The windows it disables, to enable again when it ends.
std::vector<HWND> DisableOtherWindows(HWND dialog) {
  struct Collected {
    HWND dialog;
    std::vector<HWND> windows;
  } collected{dialog, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& c = *reinterpret_cast<Collected*>(parameter);
        if (window != c.dialog && IsWindowVisible(window) && IsWindowEnabled(window)) c.windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collected));
  for (HWND window : collected.windows) EnableWindow(window, FALSE);
  return collected.windows;
}

}  // namespace

INT_PTR RunModalDialog(HWND dialog, HWND owner, ModalKind kind, std::string name) {
  HWND ownerTop = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
  const std::vector<HWND> disabled = DisableOtherWindows(dialog);
  ModalLoopBegins(dialog);
  INT_PTR result = IDCANCEL;
  if (DialogState* state = FindDialogState(dialog); state != nullptr && state->identified) {
    kind = state->kind;
    name = state->name;
  }
  if (ModalLoopStarting(kind, name, dialog)) {
    MSG message;
    for (;;) {
      DialogState* state = FindDialogState(dialog);
      if (state == nullptr) break;  // destroyed under us
      if (state->ended) {
        result = state->result;
        break;
      }
      if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(message.wParam));
          break;
        }
        if (!IsDialogMessage(dialog, &message)) {
          TranslateMessage(&message);
          DispatchMessage(&message);
        }
        continue;
      }
      if (ModalLoopIdle(dialog)) break;
      WaitMessage();
    }
  }
  ModalLoopEnds(dialog);
  for (HWND window : disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  if (IsWindow(dialog)) {
    bool wasActive = GetActiveWindow() == dialog;
    ShowWindow(dialog, SW_HIDE);
    DestroyWindow(dialog);
    if (wasActive && ownerTop != nullptr && IsWindow(ownerTop)) SetActiveWindow(ownerTop);
  }
  return result;
}

void SetModalIdentity(HWND dialog, ModalKind kind, const std::string& name) {
  DialogState* state = FindDialogState(dialog);
  if (state == nullptr) return;
  state->identified = true;
  state->kind = kind;
  state->name = name;
}

std::string DialogTemplateName(HWND dialog) {
  DialogState* state = FindDialogState(dialog);
  return state != nullptr ? state->templateName : std::string();
}

}  // namespace platform

using namespace platform;

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE && pendingState != nullptr) {
    {
      std::lock_guard guard(Registry().lock);
      Registry().states[dialog] = std::move(pendingState);
    }
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pendingProcedure));
  }
  auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
  if (procedure != nullptr && message != WM_NCCREATE && message != WM_NCDESTROY) {
    SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
    INT_PTR answer = procedure(dialog, message, wParam, lParam);
    if (ReturnsAnswerItself(message)) {
      if (answer != 0 || message == WM_INITDIALOG) return answer;
    } else if (answer != 0) {
      return IsWindow(dialog) ? GetWindowLongPtr(dialog, DWLP_MSGRESULT) : 0;
    }
  }
  return DefaultDialogMessage(dialog, message, wParam, lParam);
}

HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND owner,
                               DLGPROC procedure, LPARAM parameter) {
  if (dialog == nullptr) return nullptr;
  return CreateDialogFromTemplate(instance, *dialog, owner, procedure, parameter, false);
}

HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                       LPARAM parameter) {
  const DialogTemplate* dialog = FindDialogTemplate(ResourceNameText(templateName));
  return CreateDialogIndirectParam(instance, dialog, owner, procedure, parameter);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND owner,
                               DLGPROC procedure, LPARAM parameter) {
  if (dialog == nullptr) return -1;
  HWND window = CreateDialogFromTemplate(instance, *dialog, owner, procedure, parameter, true);
  if (window == nullptr) return -1;
  return RunModalDialog(window, owner, ModalKind::Dialog, dialog->name);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                       LPARAM parameter) {
  std::string name = ResourceNameText(templateName);
  const DialogTemplate* dialog = FindDialogTemplate(name);
  if (dialog == nullptr && InTestMode())
    ReportTestFailure("Dialog template \"" + name + "\" is missing or does not parse: " +
                      TemplateError(ResourceType::Dialog, name));
  return DialogBoxIndirectParam(instance, dialog, owner, procedure, parameter);
}

bool platform::DialogEnded(HWND dialog) {
  const DialogState* state = FindDialogState(dialog);
  return state == nullptr || state->ended;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogState* state = FindDialogState(dialog);
  if (state == nullptr) return FALSE;
  state->ended = true;
  state->result = result;
  if (!state->modal) {
    ShowWindow(dialog, SW_HIDE);
  } else {
    PostMessage(dialog, WM_NULL, 0, 0);  // wakes a loop that waits
  }
  return TRUE;
}
