// The caret: one per thread, a solid rectangle drawn by inverting the window
// surface, so drawing it twice restores the pixels. It is taken off the
// surface around painting and scrolling (of any window of its top-level
// window, since they share the surface) and blinks through a layer timer on
// the layer's clock: shown for one blink time, hidden for the next.
#include <algorithm>

#include "platform/Input.h"
#include "platform/System.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

constexpr UINT_PTR blinkTimerId = 0xCA2E7;

RECT CaretRect(const Caret& caret) {
  return RECT{caret.position.x, caret.position.y, caret.position.x + caret.width,
              caret.position.y + caret.height};
}

void ToggleLocked(ThreadQueue& queue) {
  Window* window = Find(queue.caret.window);
  if (window == nullptr) return;
  InvertSurfaceRectLocked(*window, CaretRect(queue.caret));
  queue.caret.drawn = !queue.caret.drawn;
}

void Blink(std::weak_ptr<ThreadQueue> weak) {
  std::shared_ptr<ThreadQueue> queue = weak.lock();
  if (!queue) return;
  std::lock_guard guard(TheCore().lock);
  if (queue->caret.window == nullptr || queue->caret.hideCount > 0) return;
  ToggleLocked(*queue);
}

// Restarts the blink so the caret stays on for a whole period after a change.
void RestartBlinkLocked(ThreadQueue& queue, const std::shared_ptr<ThreadQueue>& self) {
  std::weak_ptr<ThreadQueue> weak = self;
  UINT period = GetCaretBlinkTime();
  AddTimerLocked(queue, Timer{queue.caret.window, blinkTimerId, period, NowLocked() + period, nullptr,
                              [weak] { Blink(weak); }});
}

void StopBlinkLocked(ThreadQueue& queue) {
  auto& timers = queue.timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [](const Timer& t) { return t.internal && t.id == blinkTimerId; }),
               timers.end());
}

bool OwnsCaretLocked(ThreadQueue& queue, HWND window) {
  return queue.caret.window != nullptr && (window == nullptr || window == queue.caret.window);
}

}  // namespace

void InvertSurfaceRectLocked(Window& window, RECT clientRect) {
  Window* top = TopLevelOf(&window);
  if (top == nullptr || top->surface == nullptr) return;
  POINT origin = ClientOriginOnSurface(window);
  RECT area = Intersect(Offset(clientRect, origin.x, origin.y), ClientClipOnSurface(window));
  if (IsEmpty(area)) return;
  cairo_surface_flush(top->surface);
  unsigned char* data = cairo_image_surface_get_data(top->surface);
  int stride = cairo_image_surface_get_stride(top->surface);
  for (int y = area.top; y < area.bottom; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = area.left; x < area.right; ++x) row[x] ^= 0x00FFFFFF;
  }
  cairo_surface_mark_dirty(top->surface);
  top->presentDirty = true;
}

void CaretRemoveLocked(ThreadQueue& queue, HWND topLevel) {
  Window* window = Find(queue.caret.window);
  if (window == nullptr || !queue.caret.drawn || TopLevelOf(window)->handle != topLevel) return;
  ToggleLocked(queue);
  queue.caret.removed = true;
}

void CaretRestoreLocked(ThreadQueue& queue, HWND topLevel) {
  Window* window = Find(queue.caret.window);
  if (window == nullptr || queue.caret.drawn || queue.caret.hideCount > 0 || !queue.caret.removed ||
      TopLevelOf(window)->handle != topLevel)
    return;
  ToggleLocked(queue);
  queue.caret.removed = false;
}

}  // namespace platform

using namespace platform;

UINT GetCaretBlinkTime() { return 530; }

BOOL CreateCaret(HWND handle, HBITMAP, int width, int height) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  Window* window = Find(handle);
  if (window == nullptr || window->queue != queue) return FALSE;
  if (queue->caret.drawn) ToggleLocked(*queue);
  StopBlinkLocked(*queue);
  queue->caret = Caret{};
  queue->caret.window = handle;
  queue->caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  queue->caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  return TRUE;
}

BOOL DestroyCaret() {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  if (queue->caret.window == nullptr) return FALSE;
  if (queue->caret.drawn) ToggleLocked(*queue);
  StopBlinkLocked(*queue);
  queue->caret = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  if (!OwnsCaretLocked(*queue, handle) || queue->caret.hideCount == 0) return FALSE;
  if (--queue->caret.hideCount == 0) {
    if (!queue->caret.drawn) ToggleLocked(*queue);
    RestartBlinkLocked(*queue, queue);
  }
  return TRUE;
}

BOOL HideCaret(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  if (!OwnsCaretLocked(*queue, handle)) return FALSE;
  if (queue->caret.hideCount++ == 0) {
    if (queue->caret.drawn) ToggleLocked(*queue);
    StopBlinkLocked(*queue);
  }
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  if (queue->caret.window == nullptr) return FALSE;
  bool wasDrawn = queue->caret.drawn;
  if (wasDrawn) ToggleLocked(*queue);
  queue->caret.position = POINT{x, y};
  if (queue->caret.hideCount == 0) {
    ToggleLocked(*queue);
    RestartBlinkLocked(*queue, queue);
  }
  return TRUE;
}

BOOL GetCaretPos(POINT* point) {
  if (point == nullptr) return FALSE;
  std::lock_guard guard(TheCore().lock);
  *point = CurrentQueueLocked()->caret.position;
  return TRUE;
}
