// Keyboard and pointer input: routing presenter events to windows as
// messages, key state, TranslateMessage, double clicks and cursors.
//
// RouteKey and RouteMouse run on the thread that owns the top-level window
// the event came to (the presenter hands them over). Keys go to that thread's
// focus window when they are read (its active window when nothing has the
// focus), so that keys typed ahead follow the focus the earlier ones move;
// pointer events to the capture window, else to the deepest visible, enabled
// window under the pointer, after WM_SETCURSOR. A button press in a top-level
// window that is not active first asks the window under the pointer with
// WM_MOUSEACTIVATE (children pass the question up to their parents): popups
// such as menus, drop-down lists and tooltips answer that the click must not
// activate them, and an answer may also eat the click.
//
// SetCursor shows its cursor over the calling thread's top-level window under
// the pointer: a system cursor by its shape, a resource cursor by its image
// (ResourceStore.cpp keeps those).
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/Input.h"
#include "platform/Resource.h"
#include "platform/ResourceInternal.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

struct CursorObject {
  PointerShape shape;
  std::uintptr_t id;
};

constexpr CursorObject systemCursors[] = {
    {PointerShape::Arrow, 32512}, {PointerShape::IBeam, 32513}, {PointerShape::Wait, 32514},
    {PointerShape::Cross, 32515}, {PointerShape::SizeAll, 32646}, {PointerShape::Hand, 32649},
};

PointerShape ShapeOf(HCURSOR cursor) {
  for (const CursorObject& object : systemCursors)
    if (reinterpret_cast<const void*>(&object) == reinterpret_cast<const void*>(cursor)) return object.shape;
  return PointerShape::Arrow;
}

bool Down(const BYTE* state, UINT key) { return (state[key & 0xFF] & 0x80) != 0; }

void SetKey(BYTE* state, UINT key, bool down) {
  BYTE& entry = state[key & 0xFF];
  if (down && (entry & 0x80) == 0) entry ^= 0x01;
  entry = static_cast<BYTE>(down ? (entry | 0x80) : (entry & ~0x80));
}

// Sided keys also move the generic key.
void SetKeyWithGeneric(BYTE* state, UINT key, bool down) {
  SetKey(state, key, down);
  if (key == VK_LSHIFT || key == VK_RSHIFT) SetKey(state, VK_SHIFT, down);
  if (key == VK_LCONTROL || key == VK_RCONTROL) SetKey(state, VK_CONTROL, down);
  if (key == VK_LMENU || key == VK_RMENU) SetKey(state, VK_MENU, down);
}

// The display's word on which modifiers are held replaces what a key state
// remembers of them: a release it never heard (taken by a window manager,
// or read by another thread, whose window had the keyboard then) would
// leave the modifier down for every later key. A held modifier whose side
// is unknown counts as the left one.
void TakeReportedModifiers(BYTE* state, unsigned modifiers) {
  if ((modifiers & kModifiersReported) == 0) return;
  constexpr struct {
    unsigned held;
    UINT generic, left, right;
  } kinds[] = {{kShiftHeld, VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
               {kControlHeld, VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
               {kAltHeld, VK_MENU, VK_LMENU, VK_RMENU}};
  for (const auto& kind : kinds) {
    const bool held = (modifiers & kind.held) != 0;
    if (held == Down(state, kind.generic)) continue;
    SetKey(state, kind.generic, held);
    if (!held || !Down(state, kind.right)) SetKey(state, kind.left, held);
    if (!held) SetKey(state, kind.right, false);
  }
}

// Key messages name Shift, Ctrl and Alt without their side.
UINT GenericKey(UINT key) {
  if (key == VK_LSHIFT || key == VK_RSHIFT) return VK_SHIFT;
  if (key == VK_LCONTROL || key == VK_RCONTROL) return VK_CONTROL;
  if (key == VK_LMENU || key == VK_RMENU) return VK_MENU;
  return key;
}

WPARAM MouseKeyFlags(const BYTE* state) {
  WPARAM flags = 0;
  if (Down(state, VK_LBUTTON)) flags |= MK_LBUTTON;
  if (Down(state, VK_RBUTTON)) flags |= MK_RBUTTON;
  if (Down(state, VK_MBUTTON)) flags |= MK_MBUTTON;
  if (Down(state, VK_SHIFT)) flags |= MK_SHIFT;
  if (Down(state, VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

UINT ButtonKey(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return VK_LBUTTON;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return VK_RBUTTON;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return VK_MBUTTON;
    default: return 0;
  }
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

// Turns a second press into a double click when the class asks for it.
UINT DoubleClickLocked(Window& target, UINT message, POINT screen) {
  Core& core = TheCore();
  std::uint64_t now = NowLocked();
  bool wanted = (target.windowClass->style & CS_DBLCLKS) != 0;
  bool near = std::abs(screen.x - core.lastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
              std::abs(screen.y - core.lastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (wanted && core.lastClickWindow == target.handle && core.lastClickMessage == message && near &&
      now - core.lastClickTime <= GetDoubleClickTime()) {
    core.lastClickWindow = nullptr;
    return message + 2;  // WM_xBUTTONDOWN + 2 = WM_xBUTTONDBLCLK
  }
  core.lastClickWindow = target.handle;
  core.lastClickMessage = message;
  core.lastClickTime = now;
  core.lastClickPoint = screen;
  return message;
}

void PostLocked(ThreadQueue& queue, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  queue.posted.push_back(MSG{window, message, wParam, lParam, static_cast<DWORD>(NowLocked()),
                             TheCore().cursorPos});
  NotifyQueue(queue);
}

bool Inside(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

UINT FrameMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: return WM_NCMOUSEMOVE;
    case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
    case WM_LBUTTONUP: return WM_NCLBUTTONUP;
    default: return 0;
  }
}

// A character the program's text cannot hold travels with its key down
// above the 32 bits Windows gives the lParam.
static_assert(sizeof(LPARAM) == 8, "the key down's lParam holds a code point above its 32 bits");
LPARAM UnheldBits(unsigned codePoint) { return static_cast<LPARAM>(codePoint & 0x1FFFFF) << 32; }
unsigned UnheldOf(LPARAM lParam) { return static_cast<unsigned>((static_cast<std::uint64_t>(lParam) >> 32) & 0x1FFFFF); }

// The character of a key down, posted to come next, before anything posted
// after the key.
BOOL PostCharacterNext(const MSG* key, UINT message, WPARAM character) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(key->hwnd);
  if (window == nullptr) return FALSE;
  window->queue->posted.push_front(MSG{key->hwnd, message, character, key->lParam, key->time, key->pt});
  NotifyQueue(*window->queue);
  return TRUE;
}

}  // namespace

BYTE CharacterForKey(UINT key, bool shift) {
  if (key >= 'A' && key <= 'Z') return static_cast<BYTE>(shift ? key : key - 'A' + 'a');
  if (key >= '0' && key <= '9') return static_cast<BYTE>(shift ? ")!@#$%^&*("[key - '0'] : key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return static_cast<BYTE>('0' + key - VK_NUMPAD0);
  switch (key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
  }
}

void NoteInputMessageLocked(ThreadQueue& queue, const PostedMessage& message) {
  switch (message.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      TakeReportedModifiers(queue.keyState, message.modifiers);
      SetKeyWithGeneric(queue.keyState, static_cast<UINT>(message.wParam), true);
      break;
    case WM_KEYUP: case WM_SYSKEYUP:
      TakeReportedModifiers(queue.keyState, message.modifiers);
      SetKeyWithGeneric(queue.keyState, static_cast<UINT>(message.wParam), false);
      break;
    default:
      if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST &&
          message.message != WM_MOUSEWHEEL) {
        SetKey(queue.keyState, VK_LBUTTON, (message.wParam & MK_LBUTTON) != 0);
        SetKey(queue.keyState, VK_RBUTTON, (message.wParam & MK_RBUTTON) != 0);
        SetKey(queue.keyState, VK_MBUTTON, (message.wParam & MK_MBUTTON) != 0);
      }
      break;
  }
}

// The key goes into the thread's queue even when its window has gone since
// the display sent it (a dialog closed by the key before it): it is read by
// the window that has the keyboard then.
void RouteKey(HWND topLevel, UINT key, bool down, BYTE character, unsigned unheld, unsigned modifiers) {
  // A key that reaches a window a modal dialog keeps disabled, with the
  // keyboard nowhere else in its thread, goes to that dialog, which becomes
  // the active window as a click on its owner would make it.
  HWND modal = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* top = Find(topLevel);
    const std::shared_ptr<ThreadQueue> current = CurrentQueueLocked();
    const ThreadQueue& queue = *current;
    Window* keyed = Find(queue.focus != nullptr ? queue.focus : queue.active);
    Window* keyedTop = keyed != nullptr ? TopLevelOf(keyed) : top;
    // Only a dialog of this thread's: another thread's takes its own keys.
    const Window* usable = UsableWindowLocked(keyedTop);
    if (usable != nullptr && usable != keyedTop && usable->queue == keyedTop->queue) modal = usable->handle;
  }
  if (modal != nullptr) ActivateWindow(modal, WA_ACTIVE);
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    TakeReportedModifiers(core.asyncKeys, modifiers);
    bool wasDown = Down(core.asyncKeys, key);
    SetKeyWithGeneric(core.asyncKeys, key, down);
    const std::shared_ptr<ThreadQueue> current = CurrentQueueLocked();
    ThreadQueue& queue = *current;
    HWND target = queue.focus != nullptr ? queue.focus : queue.active != nullptr ? queue.active : topLevel;
    if (modal != nullptr && target == topLevel) target = modal;
    bool alt = Down(core.asyncKeys, VK_MENU);
    bool system = alt || key == VK_F10 || key == VK_MENU;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(down ? character : 0) << 16) | (alt ? (1L << 29) : 0) |
                    (down ? UnheldBits(unheld) : 0);
    if (wasDown) lParam |= 1L << 30;
    if (!down) lParam |= (1L << 30) | (1L << 31);
    PostLocked(queue, target, message, GenericKey(key), lParam);
    queue.posted.back().modifiers = modifiers;
    queue.posted.back().keyboard = true;
  }
}

namespace {

// Where a pointer event goes, decided with the lock held.
struct PointerRoute {
  HWND target = nullptr;
  HWND activate = nullptr;  // a press in this inactive top-level window
  HWND clicked = nullptr;   // the window under the press, asked WM_MOUSEACTIVATE
  LRESULT hit = HTCLIENT;   // and the part of it pressed
  UINT message = 0;  // 0: nothing to post
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool askCursor = false;
};

// The part of `window` the screen point lies in.
LRESULT HitTestLocked(const Window& window, POINT screen) {
  POINT origin = ClientOriginOnScreen(window);
  if (Inside(ClientRectOf(window), POINT{screen.x - origin.x, screen.y - origin.y})) return HTCLIENT;
  // The frame: the menu bar and scroll bars answer through DefWindowProc.
  POINT corner = window.IsChild() ? ClientOriginOnScreen(*window.parent) : POINT{0, 0};
  POINT local{screen.x - corner.x - window.rect.left, screen.y - corner.y - window.rect.top};
  FrameParts parts = FramePartsLocked(window);
  return Inside(parts.menuBar, local)      ? HTMENU
         : Inside(parts.vertical, local)   ? HTVSCROLL
         : Inside(parts.horizontal, local) ? HTHSCROLL
                                           : HTBORDER;
}

PointerRoute RoutePointerLocked(Window& top, UINT message, POINT screen, int wheelDelta) {
  Core& core = TheCore();
  ThreadQueue& queue = *top.queue;
  PointerRoute route;
  LPARAM screenParameter = MAKELPARAM(static_cast<unsigned>(screen.x), static_cast<unsigned>(screen.y));
  if (Window* tracking = Find(queue.scrollTracking)) {
    // A frame scroll bar follows the pointer until it lets go.
    route.target = tracking->handle;
    route.message = FrameMessage(message) != 0 ? FrameMessage(message) : WM_NCMOUSEMOVE;
    route.wParam = static_cast<WPARAM>(queue.scrollTrackingBar == 1 ? HTVSCROLL : HTHSCROLL);
    route.lParam = screenParameter;
    return route;
  }
  const bool held = (top.style & WS_DISABLED) != 0 || HoldingDialogLocked(top) != nullptr;
  if (held && queue.capture == nullptr) return route;
  Window* window = Find(queue.capture);
  bool captured = window != nullptr;
  if (window == nullptr) window = DeepestTargetAt(&top, screen);
  if (message == WM_MOUSEWHEEL) {
    Window* focus = Find(queue.focus);
    route.target = (focus != nullptr ? focus : window)->handle;
    route.message = WM_MOUSEWHEEL;
    route.wParam = MAKEWPARAM(static_cast<unsigned>(MouseKeyFlags(core.asyncKeys)),
                              static_cast<unsigned>(static_cast<WORD>(wheelDelta)));
    route.lParam = screenParameter;
    return route;
  }
  if (IsButtonDown(message) && queue.active != top.handle) {
    Window* under = captured ? DeepestTargetAt(&top, screen) : window;
    route.activate = top.handle;
    route.clicked = under->handle;
    route.hit = HitTestLocked(*under, screen);
  }
  route.target = window->handle;
  POINT origin = ClientOriginOnScreen(*window);
  POINT client{screen.x - origin.x, screen.y - origin.y};
  if (!captured && !Inside(ClientRectOf(*window), client)) {
    route.message = FrameMessage(message);
    route.wParam = static_cast<WPARAM>(HitTestLocked(*window, screen));
    route.lParam = screenParameter;
    return route;
  }
  route.message = IsButtonDown(message) ? DoubleClickLocked(*window, message, screen) : message;
  route.wParam = MouseKeyFlags(core.asyncKeys);
  route.lParam = MAKELPARAM(static_cast<unsigned>(client.x), static_cast<unsigned>(client.y));
  route.askCursor = !captured && (message == WM_MOUSEMOVE || IsButtonDown(message));
  return route;
}

// Asks the window under a press whether the press activates its top-level
// window; true when the press is to be eaten as well.
bool AskMouseActivate(const PointerRoute& route, UINT message) {
  LRESULT answer = SendMessage(route.clicked, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(route.activate),
                               MAKELPARAM(static_cast<unsigned>(route.hit), message));
  if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) ActivateWindow(route.activate, WA_CLICKACTIVE);
  return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

}  // namespace

void RouteMouse(HWND topLevel, UINT message, int x, int y, int wheelDelta) {
  PointerRoute route;
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    Window* top = Find(topLevel);
    if (top == nullptr) return;
    POINT screen{top->rect.left + x, top->rect.top + y};
    core.cursorPos = screen;
    if (UINT button = ButtonKey(message)) SetKey(core.asyncKeys, button, IsButtonDown(message));
    route = RoutePointerLocked(*top, message, screen, wheelDelta);
  }
  if (route.message == 0) {
    if (IsButtonDown(message)) PressInHeldWindow(topLevel);
    return;
  }
  bool eaten = route.activate != nullptr && AskMouseActivate(route, message);
  if (route.askCursor)
    SendMessage(route.target, WM_SETCURSOR, reinterpret_cast<WPARAM>(route.target),
                MAKELPARAM(HTCLIENT, message));
  std::lock_guard guard(TheCore().lock);
  if (eaten) {
    TheCore().lastClickWindow = nullptr;  // the next press is a first one again
    return;
  }
  if (Window* window = Find(route.target)) {
    PostLocked(*window->queue, route.target, route.message, route.wParam, route.lParam);
    window->queue->posted.back().pointer = true;
  }
}

void StartScrollTracking(HWND window, int bar) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  queue->scrollTracking = window;
  queue->scrollTrackingBar = bar;
}

void StopScrollTracking() {
  std::lock_guard guard(TheCore().lock);
  CurrentQueueLocked()->scrollTracking = nullptr;
}

// The thread that takes the key is found with the window it is meant for,
// under one hold of the lock: looked up again afterwards, the window could
// be gone by then (a dialog that the key typed just before closes, on its
// own thread meanwhile), and the key with it. Once queued for the thread,
// the key is read by the window that has the keyboard there (RouteKey).
void PresenterKey(HWND window, UINT key, bool down, BYTE character, unsigned unheld, unsigned modifiers,
                  std::uint64_t choicesHeard) {
  HWND target = window;
  std::shared_ptr<ThreadQueue> owner;
  bool refused = false;
  {
    std::lock_guard guard(TheCore().lock);
    // A key that reached a window while the program's later choice of
    // another was on its way goes to the chosen window; one that reached a
    // window the program has closed since, to the window that has the
    // keyboard now.
    if (const Window* chosen = ChoiceOnItsWayLocked(choicesHeard);
        chosen != nullptr && OnScreenLocked(*chosen) && chosen->handle != window)
      target = chosen->handle;
    else if (Find(window) == nullptr)
      target = TheCore().foreground;
    // A window a modal dialog of another thread holds passes the key on to
    // the dialog; a window the screen does not show takes none.
    if (Window* meant = Find(target)) {
      const Window* taking = KeyTakerLocked(meant);
      refused = taking == nullptr;
      if (taking != nullptr) {
        target = taking->handle;
        owner = taking->queue;
      }
    }
  }
  if (refused) {
    if (down) MessageBeep(0);
    return;
  }
  if (const std::function<void()> hold = TakeKeyRouteHold()) hold();
  RunOnThread(owner, [=] { RouteKey(target, key, down, character, unheld, modifiers); });
}

void PresenterMouse(HWND window, UINT message, int x, int y) {
  RunOnOwnerThread(window, [=] { RouteMouse(window, message, x, y, 0); });
}

void PresenterWheel(HWND window, int delta, int x, int y) {
  RunOnOwnerThread(window, [=] { RouteMouse(window, WM_MOUSEWHEEL, x, y, delta); });
}

}  // namespace platform

using namespace platform;

short GetKeyState(int key) {
  std::lock_guard guard(TheCore().lock);
  BYTE state = CurrentQueueLocked()->keyState[key & 0xFF];
  return static_cast<short>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

short GetAsyncKeyState(int key) {
  std::lock_guard guard(TheCore().lock);
  return (TheCore().asyncKeys[key & 0xFF] & 0x80) ? static_cast<short>(0x8000) : 0;
}

BOOL TranslateMessage(const MSG* message) {
  if (message == nullptr || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
    return FALSE;
  auto key = static_cast<UINT>(message->wParam);
  if (key == VK_DELETE) return FALSE;
  if (const unsigned unheld = UnheldOf(message->lParam); unheld != 0) {
    if (message->message == WM_SYSKEYDOWN) {
      MessageBeep(0);
      return FALSE;
    }
    return PostCharacterNext(message, WM_UNICHAR, unheld);
  }
  BYTE character = static_cast<BYTE>((message->lParam >> 16) & 0xFF);
  if (character == 0) {
    character = CharacterForKey(key, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0 && character >= 'a' && character <= 'z')
      character = static_cast<BYTE>(character - 'a' + 1);
  }
  if (character == 0) return FALSE;
  return PostCharacterNext(message, message->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, character);
}

// A null instance asks for a system cursor by its IDC_ number; anything else
// is one of the program's cursor resources (the process has one table).
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  if (instance == nullptr && IS_INTRESOURCE(name)) {
    auto id = reinterpret_cast<std::uintptr_t>(name);
    for (const CursorObject& object : systemCursors)
      if (object.id == id) return reinterpret_cast<HCURSOR>(const_cast<CursorObject*>(&object));
    return nullptr;
  }
  return LoadResourceCursor(ResourceNameText(name));
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = nullptr;
  HWND under = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    old = queue->cursor;
    if (old == cursor) return old;
    queue->cursor = cursor;
    for (Window* top : TheCore().topLevels) {
      const RECT& r = top->rect;
      POINT p = TheCore().cursorPos;
      if (top->queue == queue && IsShownLocked(*top) && p.x >= r.left && p.x < r.right && p.y >= r.top &&
          p.y < r.bottom) {
        under = top->handle;
        top->pointer = cursor;
        break;
      }
    }
  }
  if (under == nullptr) return old;
  if (Presenter* presenter = ThePresenter()) {
    if (std::shared_ptr<const CursorImage> image = CursorImageOf(cursor))
      presenter->SetPointerImage(under, std::move(image));
    else
      presenter->SetPointerShape(under, ShapeOf(cursor));
  }
  return old;
}

HCURSOR platform::ShownCursor(HWND topLevel) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(topLevel);
  return window != nullptr ? window->pointer : nullptr;
}

HCURSOR GetCursor() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->cursor;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  std::lock_guard guard(TheCore().lock);
  *point = TheCore().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  {
    std::lock_guard guard(TheCore().lock);
    TheCore().cursorPos = POINT{x, y};
  }
  if (Presenter* presenter = ThePresenter()) presenter->WarpPointer(POINT{x, y});
  return TRUE;
}

BOOL SetCursorPosInWindow(HWND window, int x, int y) {
  HWND top = GetAncestor(window, GA_ROOT);
  RECT rect{}, topRect{};
  if (top == nullptr || !GetWindowRect(window, &rect) || !GetWindowRect(top, &topRect)) return FALSE;
  const POINT screen{rect.left + x, rect.top + y};
  {
    std::lock_guard guard(TheCore().lock);
    TheCore().cursorPos = screen;
  }
  if (Presenter* presenter = ThePresenter())
    presenter->WarpPointerInto(top, POINT{screen.x - topRect.left, screen.y - topRect.top});
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }
