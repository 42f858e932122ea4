// Window state: show/hide and the minimised and maximised states, enabling,
// focus, activation, capture, z-order, moving and sizing, the frame's layout
// after a menu change, and placement records.
//
// Focus, the active window and the capture belong to a thread (its queue);
// the foreground window is the one active window that gets keyboard input
// from the presenter. Activating sends WM_ACTIVATE (WA_INACTIVE to the old
// window first); DefWindowProc answers an activation by taking the focus.
// Moving or sizing sends WM_MOVE and WM_SIZE; a top-level window that grows
// repaints only its new area unless its class asks for a full redraw.
#include <algorithm>

#include "platform/GdiSurface.h"
#include "platform/MenuBarFrame.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {


struct DcReset {
  HDC dc;
  POINT origin;
  RECT clip;
};

void CollectDcResets(const Window& window, std::vector<DcReset>& resets) {
  if (window.ownDc != nullptr)
    resets.push_back(DcReset{window.ownDc, ClientOriginOnSurface(window), ClientClipOnSurface(window)});
  for (const Window* child : window.children) CollectDcResets(*child, resets);
}

void ApplyDcResets(const std::vector<DcReset>& resets) {
  for (const DcReset& reset : resets) ResetSurfaceDc(reset.dc, reset.origin, reset.clip);
}

LPARAM SizeParameter(const RECT& client) {
  return MAKELPARAM(static_cast<unsigned>(client.right), static_cast<unsigned>(client.bottom));
}

// Moves or sizes a window: rect is in the parent's client coordinates (screen
// for a top-level window).
void MoveInternal(HWND handle, RECT rect, bool repaint, bool fromPresenter) {
  std::vector<DcReset> resets;
  bool moved = false, sized = false, topLevel = false;
  RECT client{};
  POINT origin{};
  WPARAM sizeKind = SIZE_RESTORED;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    RECT old = window->rect;
    moved = old.left != rect.left || old.top != rect.top;
    sized = old.right - old.left != rect.right - rect.left || old.bottom - old.top != rect.bottom - rect.top;
    if (!moved && !sized) return;
    topLevel = !window->IsChild();
    RECT oldClient = ClientRectOf(*window);
    if (window->IsChild() && repaint && (window->style & WS_VISIBLE))
      InvalidateLocked(*window->parent, &old, true, false);
    window->rect = rect;
    if (topLevel && !fromPresenter) ++window->programMoves;
    if (window->showState == ShowState::Normal) window->normalRect = rect;
    client = ClientRectOf(*window);
    if (topLevel) {
      EnsureSurfaceLocked(*window);
      if (sized) {
        bool full = (window->windowClass->style & (CS_HREDRAW | CS_VREDRAW)) != 0;
        if (full || window->IsChild()) {
          InvalidateLocked(*window, nullptr, true, true);
        } else {
          RECT right{oldClient.right, 0, client.right, client.bottom};
          RECT bottom{0, oldClient.bottom, client.right, client.bottom};
          InvalidateLocked(*window, &right, true, true);
          InvalidateLocked(*window, &bottom, true, true);
        }
      }
    } else if (repaint || sized) {
      InvalidateLocked(*window, nullptr, true, true);
    }
    CollectDcResets(*window, resets);
    RECT insets = NonClientInsets(*window);
    origin = POINT{rect.left + insets.left, rect.top + insets.top};
    sizeKind = window->showState == ShowState::Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
  }
  ApplyDcResets(resets);
  if (topLevel && !fromPresenter)
    if (Presenter* presenter = ThePresenter()) presenter->WindowMoved(handle, rect);
  if (moved)
    CallProcedure(handle, WM_MOVE, 0, MAKELPARAM(static_cast<unsigned>(origin.x), static_cast<unsigned>(origin.y)));
  if (sized) CallProcedure(handle, WM_SIZE, sizeKind, SizeParameter(client));
}

RECT WorkArea() {
  RECT area{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// Shows or hides without touching the minimised or maximised state.
void SetVisible(HWND handle, bool visible) {
  bool topLevel = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr || ((window->style & WS_VISIBLE) != 0) == visible) return;
  }
  CallProcedure(handle, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
  bool minimized = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    topLevel = !window->IsChild();
    minimized = window->showState == ShowState::Minimized;
    window->iconic = false;  // a window shown or hidden anew is no manager's icon
    if (visible) {
      window->style |= WS_VISIBLE;
      InvalidateLocked(*window, nullptr, true, true);
    } else {
      window->style &= ~WS_VISIBLE;
      if (window->IsChild()) InvalidateLocked(*window->parent, &window->rect, true, false);
    }
  }
  if (topLevel && !minimized)
    if (Presenter* presenter = ThePresenter()) presenter->WindowShown(handle, visible);
}

// After a top-level window stopped being usable: hand activation to its
// owner or the next visible window of the thread.
void ActivateNext(HWND leaving) {
  HWND next = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(leaving);
    if (window == nullptr || window->queue->active != leaving) return;
    auto usable = [](Window* w) {
      return (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && w->showState != ShowState::Minimized;
    };
    if (window->owner != nullptr && usable(window->owner)) next = window->owner->handle;
    for (Window* other : TheCore().topLevels)
      if (next == nullptr && other != window && other->queue == window->queue && usable(other))
        next = other->handle;
  }
  ActivateWindow(next, WA_ACTIVE);
}

void SetShowState(HWND handle, ShowState state) {
  RECT target{};
  bool wasMinimized = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr || window->IsChild() || window->showState == state) return;
    wasMinimized = window->showState == ShowState::Minimized;
    if (state == ShowState::Minimized) {
      window->restoreToMaximized = window->showState == ShowState::Maximized;
      window->showState = state;
    } else {
      if (window->showState == ShowState::Normal) window->normalRect = window->rect;
      window->showState = state;
    }
    target = state == ShowState::Maximized ? RECT{} : window->normalRect;
  }
  if (state == ShowState::Minimized) {
    if (IsWindowVisible(handle))
      if (Presenter* presenter = ThePresenter()) presenter->WindowShown(handle, false);
    CallProcedure(handle, WM_SIZE, SIZE_MINIMIZED, 0);
    ActivateNext(handle);
    return;
  }
  if (state == ShowState::Maximized) target = WorkArea();
  if (wasMinimized && IsWindowVisible(handle))
    if (Presenter* presenter = ThePresenter()) presenter->WindowShown(handle, true);
  MoveInternal(handle, target, true, false);
  RECT client{};
  GetClientRect(handle, &client);
  if (wasMinimized) {
    InvalidateRect(handle, nullptr, TRUE);
    CallProcedure(handle, WM_SIZE, state == ShowState::Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                  SizeParameter(client));
  }
}

}  // namespace




void RefreshFrame(HWND handle) {
  int bar = MenuBarHeightOf(handle);
  std::vector<DcReset> resets;
  RECT client{};
  bool resized = false;
  WPARAM sizeKind = SIZE_RESTORED;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    if (window->IsChild()) bar = 0;
    RECT old = ClientRectOf(*window);
    window->menuBar = bar;
    client = ClientRectOf(*window);
    resized = !window->creating && (old.right != client.right || old.bottom != client.bottom);
    sizeKind = window->showState == ShowState::Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    InvalidateLocked(*window, nullptr, true, true);
    CollectDcResets(*window, resets);
  }
  ApplyDcResets(resets);
  if (resized) CallProcedure(handle, WM_SIZE, sizeKind, SizeParameter(client));
}

namespace {

// A window of another thread's lost the foreground: a menu open in it ends
// when its thread gets to it, unless the window is in front again by then.
void EndMenuInFormerForeground(HWND window) {
  RunOnOwnerThread(window, [window] {
    if (GetForegroundWindow() != window) EndMenuOf(window);
  });
}

}  // namespace

void ActivateWindow(HWND handle, WORD how) {
  HWND old = nullptr;
  HWND formerForeground = nullptr;
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    if (handle != nullptr) {
      Window* window = Find(handle);
      if (window == nullptr || window->queue != queue) return;
      handle = TopLevelOf(window)->handle;
    }
    old = queue->active;
    if (handle != nullptr && core.foreground != handle && core.foreground != old) formerForeground = core.foreground;
    if (old == handle) {
      // The thread's active window comes back to the foreground from
      // another thread's: the screen, which may have given the focus to
      // that other window since, hears of it again.
      if (handle != nullptr && core.foreground != handle) queue->toldActive = nullptr;
      if (handle != nullptr) core.foreground = handle;
    } else {
      queue->active = handle;
      if (handle != nullptr) core.foreground = handle;
      else if (core.foreground == old) core.foreground = nullptr;
    }
  }
  if (formerForeground != nullptr) EndMenuInFormerForeground(formerForeground);
  if (old == handle) return;
  if (old != nullptr) EndMenuOf(old);
  if (old != nullptr && IsWindow(old))
    CallProcedure(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                  reinterpret_cast<LPARAM>(handle));
  if (handle != nullptr) {
    // The presenter hears of it when the thread runs out of work
    // (PresentDirtyWindows): an activation undone before then, as when a
    // window gives the focus to another and takes it back, never reaches
    // the screen, whose focus reports would arrive after the layer moved on.
    CallProcedure(handle, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(handle) ? 1 : 0),
                  reinterpret_cast<LPARAM>(old));
  } else {
    SetFocus(nullptr);
  }
}

// The window's thread may have moved it since the screen made the report
// (the report waits for the thread, and the move may not have reached the
// screen yet): the program's place stands, and the screen's report of it
// comes later.
void PresenterResized(HWND handle, RECT screenRect, long long movesTold) {
  std::uint64_t moves = 0;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    moves = movesTold >= 0 ? static_cast<std::uint64_t>(movesTold) : window->programMoves;
  }
  RunOnOwnerThread(handle, [handle, screenRect, moves] {
    {
      std::lock_guard guard(TheCore().lock);
      Window* window = Find(handle);
      if (window == nullptr || window->programMoves != moves) return;
    }
    MoveInternal(handle, screenRect, true, true);
  });
}

void PresenterClosed(HWND handle) { PostMessage(handle, WM_SYSCOMMAND, SC_CLOSE, 0); }

Window* UsableWindowLocked(Window* window) {
  for (int depth = 0; window != nullptr && (window->style & WS_DISABLED) != 0; ++depth) {
    Window* owned = nullptr;
    for (Window* other : TheCore().topLevels)
      if (other->owner == window && (other->style & WS_VISIBLE) != 0) owned = other;
    if (owned == nullptr || depth > 32) return nullptr;
    window = owned;
  }
  return window;
}

Window* ChoiceOnItsWayLocked(std::uint64_t choicesHeard) {
  Core& core = TheCore();
  Window* chosen = Find(core.foreground);
  if (chosen == nullptr) return nullptr;
  const bool told = chosen->queue->toldActive == chosen->handle && choicesHeard >= core.choicesTold;
  return told ? nullptr : chosen;
}

namespace {

// On the window's thread, when it gets to it: the window stops being active
// unless the program has brought it to the foreground again by then.
void DeactivateUnlessForeground(HWND window) {
  RunOnOwnerThread(window, [window] {
    if (GetActiveWindow() == window && GetForegroundWindow() != window) ActivateWindow(nullptr, WA_INACTIVE);
  });
}

// Whether the screen's report that `handle` has the focus is older than an
// activation the program made since and has not yet told the screen of (the
// presenter hears of an activation once its thread runs out of work): a
// report about a window the program has moved on from, or one it hid.
bool OldFocusReport(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || !IsShownLocked(*window)) return true;
  const Window* untold = ChoiceOnItsWayLocked(kEveryChoiceHeard);
  return untold != nullptr && untold != window;
}

// Whether the screen's report that `handle` lost the focus is older than
// the program's activation of it, which the screen has not heard of yet: a
// manager's focus on another window that has just appeared, made while the
// program was choosing this one. The screen follows the choice once the
// thread tells it (PresentDirtyWindows); acted on, the report would leave
// the chosen window inactive, and the screen would never hear of it.
bool LossBeforeTheChoiceWasTold(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr && ChoiceOnItsWayLocked(kEveryChoiceHeard) == window;
}

// The window that takes the activation the screen gives `handle`: the window
// itself, or, while a modal window it owns keeps it disabled, that modal
// window (down the chain: a message box over a dialog over a frame). Null
// when a disabled window owns no shown window to pass it to.
HWND UsableWindowFor(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = UsableWindowLocked(Find(handle));
  return window != nullptr ? window->handle : nullptr;
}

// Whether the layer had told the presenter of an activation that the
// presenter had not taken up yet when the display made its report: the
// report is older than the program's choice, which the presenter carries
// out next (a window manager's focus on another window, made before it
// read the program's request).
bool ChoiceOnItsWay(std::uint64_t choicesHeard) {
  std::lock_guard guard(TheCore().lock);
  return choicesHeard < TheCore().choicesTold;
}

}  // namespace

void PresenterActivated(HWND handle, bool active, std::uint64_t choicesHeard) {
  RunOnOwnerThread(handle, [handle, active, choicesHeard] {
    if (ChoiceOnItsWay(choicesHeard)) return;
    if (active) {
      if (OldFocusReport(handle)) return;
      if (PassActivationToHolder(handle)) return;
      HWND usable = UsableWindowFor(handle);
      if (usable == nullptr) return;
      ActivateWindow(usable, WA_ACTIVE);
      // The screen gave this window the focus already: nothing to tell it.
      std::lock_guard guard(TheCore().lock);
      std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
      if (usable == handle && queue->active == handle) queue->toldActive = handle;
      // The screen gave the focus to a window that passes it on (a click
      // on a frame that a modal dialog keeps disabled): the screen must
      // hear where it went, even when the layer's activation stayed.
      if (usable != handle) queue->toldActive = nullptr;
    } else if (GetActiveWindow() == handle && !LossBeforeTheChoiceWasTold(handle)) {
      ActivateWindow(nullptr, WA_INACTIVE);
    }
  });
}

}  // namespace platform

using namespace platform;

BOOL ShowWindow(HWND handle, int command) {
  BOOL answer = FALSE;
  if (ForwardToOwner(handle, [&] { answer = ShowWindow(handle, command); })) return answer;
  bool wasVisible = false;
  bool topLevel = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    wasVisible = (window->style & WS_VISIBLE) != 0;
    topLevel = !window->IsChild();
  }
  if (command == SW_SHOWDEFAULT) command = SW_SHOWNORMAL;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SetVisible(handle, false);
      if (topLevel) ActivateNext(handle);
      else if (HWND focus = GetFocus(); focus == handle || IsChild(handle, focus)) SetFocus(nullptr);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      SetVisible(handle, true);
      SetShowState(handle, ShowState::Minimized);
      return wasVisible;
    case SW_SHOWMAXIMIZED:
      SetVisible(handle, true);
      SetShowState(handle, ShowState::Maximized);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      SetVisible(handle, true);
      if (command == SW_RESTORE && IsIconic(handle)) {
        bool toMaximized = false;
        {
          std::lock_guard guard(TheCore().lock);
          if (Window* window = Find(handle)) toMaximized = window->restoreToMaximized;
        }
        SetShowState(handle, toMaximized ? ShowState::Maximized : ShowState::Normal);
      } else {
        SetShowState(handle, ShowState::Normal);
      }
      break;
    default:  // SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE
      SetVisible(handle, true);
      break;
  }
  bool activate = topLevel && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE;
  if (activate && IsWindowEnabled(handle)) ActivateWindow(handle, WA_ACTIVE);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return FALSE;
  for (Window* w = window; w != nullptr; w = w->IsChild() ? w->parent : nullptr)
    if ((w->style & WS_VISIBLE) == 0) return FALSE;
  return TRUE;
}

BOOL IsIconic(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr && window->showState == ShowState::Minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr && window->showState == ShowState::Maximized ? TRUE : FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
  BOOL answer = FALSE;
  if (ForwardToOwner(handle, [&] { answer = EnableWindow(handle, enable); })) return answer;
  bool wasDisabled = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
    if (enable) window->style &= ~WS_DISABLED;
    else window->style |= WS_DISABLED;
  }
  if (!enable) {
    HWND focus = GetFocus();
    if (focus == handle || IsChild(handle, focus)) SetFocus(nullptr);
    if (GetCapture() == handle) ReleaseCapture();
  }
  CallProcedure(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr && (window->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

HWND SetFocus(HWND handle) {
  HWND top = nullptr, active = nullptr, previous = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    previous = queue->focus;
    if (handle != nullptr) {
      Window* window = Find(handle);
      if (window == nullptr || window->queue != queue) return nullptr;
      top = TopLevelOf(window)->handle;
    }
    active = queue->active;
    if (previous == handle) return previous;
  }
  if (top != nullptr && top != active) ActivateWindow(top, WA_ACTIVE);
  HWND old = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    if (handle != nullptr && Find(handle) == nullptr) return nullptr;
    old = queue->focus;
    if (old == handle) return previous;
    queue->focus = handle;
  }
  if (old != nullptr) CallProcedure(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (handle != nullptr) CallProcedure(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return previous;
}

HWND GetFocus() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->focus;
}

HWND SetActiveWindow(HWND handle) {
  HWND old = GetActiveWindow();
  ActivateWindow(handle, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->active;
}

BOOL SetForegroundWindow(HWND handle) {
  HWND previous = nullptr;
  HWND top = nullptr;
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    top = TopLevelOf(window)->handle;
    previous = core.foreground;
    core.foreground = top;
    // Its thread may count it as its active window still, from before
    // another thread's window came in front: the screen hears of it again.
    if (previous != top && window->queue->active == top) window->queue->toldActive = nullptr;
  }
  if (previous != nullptr && previous != top) {
    DWORD previousThread = GetWindowThreadProcessId(previous, nullptr);
    if (previousThread != 0 && previousThread != GetWindowThreadProcessId(top, nullptr))
      DeactivateUnlessForeground(previous);
  }
  // Another thread activates the window when it gets to it: by then the
  // program may have brought a later window to the foreground, which stays.
  RunOnOwnerThread(top, [top] {
    if (GetForegroundWindow() == top) ActivateWindow(top, WA_ACTIVE);
  });
  return TRUE;
}

HWND GetForegroundWindow() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().foreground;
}

HWND SetCapture(HWND handle) {
  HWND old = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    Window* window = Find(handle);
    if (window == nullptr || window->queue != queue) return nullptr;
    old = queue->capture;
    queue->capture = handle;
  }
  if (old != nullptr && old != handle)
    CallProcedure(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  return old;
}

BOOL ReleaseCapture() {
  HWND old = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    old = queue->capture;
    queue->capture = nullptr;
  }
  if (old != nullptr) CallProcedure(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->capture;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  BOOL answer = FALSE;
  if (ForwardToOwner(handle, [&] { answer = SetWindowPos(handle, insertAfter, x, y, width, height, flags); }))
    return answer;
  RECT target{};
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    if ((flags & SWP_NOZORDER) == 0) {
      std::vector<Window*>& siblings = window->IsChild() ? window->parent->children : core.topLevels;
      Window* after = nullptr;
      if (insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM && insertAfter != HWND_TOPMOST &&
          insertAfter != HWND_NOTOPMOST)
        after = Find(insertAfter);
      if (insertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
      if (insertAfter == HWND_NOTOPMOST) window->exStyle &= ~WS_EX_TOPMOST;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
      auto at = std::find(siblings.begin(), siblings.end(), after);
      if (insertAfter == HWND_BOTTOM) siblings.push_back(window);
      else if (after != nullptr && at != siblings.end()) siblings.insert(at + 1, window);
      else siblings.insert(siblings.begin(), window);
      if (window->IsChild() && (window->style & WS_VISIBLE))
        InvalidateLocked(*window, nullptr, true, true);
    }
    target = window->rect;
    if ((flags & SWP_NOMOVE) == 0) target = Offset(target, x - target.left, y - target.top);
    if ((flags & SWP_NOSIZE) == 0) {
      target.right = target.left + std::max(width, 0);
      target.bottom = target.top + std::max(height, 0);
    }
  }
  MoveInternal(handle, target, (flags & SWP_NOREDRAW) == 0, false);
  if ((flags & SWP_FRAMECHANGED) != 0) RefreshFrame(handle);
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(handle, SW_SHOWNA);
  if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(handle, SW_HIDE);
  bool topLevel = GetAncestor(handle, GA_ROOT) == handle;
  if ((flags & SWP_NOACTIVATE) == 0 && (flags & SWP_NOZORDER) == 0 && topLevel && IsWindowVisible(handle))
    ActivateWindow(handle, WA_ACTIVE);
  return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  BOOL answer = FALSE;
  if (ForwardToOwner(handle, [&] { answer = MoveWindow(handle, x, y, width, height, repaint); })) return answer;
  if (!IsWindow(handle)) return FALSE;
  MoveInternal(handle, RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)}, repaint != FALSE,
               false);
  return TRUE;
}

BOOL BringWindowToTop(HWND handle) {
  return SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || placement == nullptr) return FALSE;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = window->showState == ShowState::Minimized && window->restoreToMaximized
                         ? WPF_RESTORETOMAXIMIZED
                         : 0;
  placement->showCmd = window->showState == ShowState::Minimized   ? SW_SHOWMINIMIZED
                       : window->showState == ShowState::Maximized ? SW_SHOWMAXIMIZED
                                                                   : SW_SHOWNORMAL;
  placement->ptMinPosition = window->minPosition;
  placement->ptMaxPosition = window->maxPosition;
  placement->rcNormalPosition =
      window->showState == ShowState::Normal ? window->rect : window->normalRect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND handle, const WINDOWPLACEMENT* placement) {
  BOOL answer = FALSE;
  if (ForwardToOwner(handle, [&] { answer = SetWindowPlacement(handle, placement); })) return answer;
  if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  bool normalNow = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    window->normalRect = placement->rcNormalPosition;
    window->minPosition = placement->ptMinPosition;
    window->maxPosition = placement->ptMaxPosition;
    window->restoreToMaximized = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0;
    normalNow = window->showState == ShowState::Normal;
  }
  if (normalNow) MoveInternal(handle, placement->rcNormalPosition, true, false);
  switch (placement->showCmd) {
    case SW_HIDE: ShowWindow(handle, SW_HIDE); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: ShowWindow(handle, SW_SHOWMINNOACTIVE); break;
    case SW_SHOWMAXIMIZED: ShowWindow(handle, SW_SHOWMAXIMIZED); break;
    default: ShowWindow(handle, SW_SHOWNORMAL); break;
  }
  return TRUE;
}

