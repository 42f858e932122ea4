// A modal dialog holds the whole program. Its own thread disables the
// windows it keeps from input; the program's windows of the other threads
// (the graphics window beside a dialog of the Layout's, the Layout beside
// one of the graphics window's) take no input either while its loop runs,
// and nothing they would do on an activation (closing the dialogs of other
// windows) can happen then. What the screen gives a held window, of the
// dialog's thread or another, goes to the dialog instead: an activation (a
// click, a taskbar, the window manager's fallback, a pointer the focus
// follows) makes the program ask the screen for the dialog once more, as a
// click on a disabled owner does, and the manager raises it over the
// window it activated; the manager decides. A key that reaches a held
// window meanwhile goes to the dialog, which the program has asked to the
// front.
//
// Only the latest loop holds, so that dialogs of two threads opened one
// over the other never hold each other.
//
// A window manager may still minimise a dialog to an icon (with its owner,
// say), whatever the dialog asked of it. The dialog stays open with its
// values; keys go to no window the screen does not show, and a click in
// any window it holds asks the screen to show it again (its owner comes
// back with it). An activation alone does not: the manager gives the
// focus to another window of ours as it minimises the dialog.
#include "platform/WindowCore.h"

#include <algorithm>

namespace platform {

namespace {

// Whether `window` is `dialog` or a window that it owns, directly or not.
bool BelongsTo(const Window& window, const Window& dialog) {
  int depth = 0;
  for (const Window* owner = &window; owner != nullptr && depth < 32; owner = owner->owner, ++depth)
    if (owner == &dialog) return true;
  return false;
}

// On the dialog's thread: the dialog is the window the program wants to
// have the keyboard, and the screen hears of it again once the thread
// runs out of work (the presenter asks a manager to show an icon again).
void AskTheScreenFor(HWND dialog) {
  RunOnOwnerThread(dialog, [dialog] {
    {
      std::lock_guard guard(TheCore().lock);
      Window* window = Find(dialog);
      if (window == nullptr || !IsShownLocked(*window)) return;
      TheCore().foreground = dialog;
      window->queue->toldActive = nullptr;
    }
    ActivateWindow(dialog, WA_ACTIVE);
  });
}

}  // namespace

void ModalLoopBegins(HWND dialog) {
  std::lock_guard guard(TheCore().lock);
  TheCore().modalLoops.push_back(dialog);
}

void ModalLoopEnds(HWND dialog) {
  std::lock_guard guard(TheCore().lock);
  std::vector<HWND>& loops = TheCore().modalLoops;
  auto found = std::find(loops.rbegin(), loops.rend(), dialog);
  if (found != loops.rend()) loops.erase(std::next(found).base());
}

Window* HoldingDialogLocked(const Window& window) {
  const std::vector<HWND>& loops = TheCore().modalLoops;
  for (auto loop = loops.rbegin(); loop != loops.rend(); ++loop) {
    Window* dialog = Find(*loop);
    if (dialog == nullptr) continue;  // destroyed while its loop winds up
    if (BelongsTo(window, *dialog)) return nullptr;
    // The loop's own thread holds what it disabled; a window it left
    // enabled (one made while it runs) stays the user's.
    if (dialog->queue == window.queue && (window.style & WS_DISABLED) == 0) return nullptr;
    return dialog;
  }
  return nullptr;
}

bool OnScreenLocked(const Window& window) {
  if (!IsShownLocked(window)) return false;
  const Window* top = &window;
  while (top->IsChild()) top = top->parent;
  return !top->iconic;
}

bool PassActivationToHolder(HWND handle) {
  HWND dialog = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    Window* holder = window != nullptr ? HoldingDialogLocked(*TopLevelOf(window)) : nullptr;
    if (holder == nullptr) return false;
    if (OnScreenLocked(*holder)) dialog = holder->handle;
  }
  if (dialog != nullptr) AskTheScreenFor(dialog);
  return true;
}

void PressInHeldWindow(HWND handle) {
  HWND dialog = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    Window* holder = window != nullptr ? HoldingDialogLocked(*TopLevelOf(window)) : nullptr;
    if (holder != nullptr && IsShownLocked(*holder) && !OnScreenLocked(*holder)) dialog = holder->handle;
  }
  if (dialog != nullptr) AskTheScreenFor(dialog);
}

Window* KeyTakerLocked(Window* window) {
  if (window == nullptr) return nullptr;
  Window* top = TopLevelOf(window);
  if (Window* holder = HoldingDialogLocked(*top)) return OnScreenLocked(*holder) ? holder : nullptr;
  return top->iconic ? nullptr : window;
}

void PresenterIconified(HWND handle, bool iconic) {
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr || window->IsChild() || window->iconic == iconic) return;
    window->iconic = iconic;
    if (!iconic && TheCore().foreground == handle) {
      window->queue->toldActive = nullptr;
      queue = window->queue;
    }
  }
  if (queue != nullptr) RunOnThread(queue, [] {});  // its loop tells the screen
}

}  // namespace platform
