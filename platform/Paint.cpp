// Painting: backing surfaces, update rectangles, paint and window device
// contexts, update-now, scrolling, and handing changed surfaces to the
// presenter.
//
// Each top-level window owns a CAIRO_FORMAT_RGB24 image surface at least as
// large as the screen (larger when the window is), so that moving and sizing
// keep the surface and the device contexts drawn on it; children draw into it
// at their own origin and clip. Should a window outgrow its surface, a new one
// is made and own device contexts are made anew on it (losing what was
// selected into them).
//
// PresentDirtyWindows runs when a thread's loop runs out of work: it copies the
// surface of each shown top-level window of the thread that was painted (or
// that has an own device context, which can be drawn on at any time) and
// passes the copy to the presenter when it differs from the last one; then it
// tells the presenter which window of the thread is active, when that changed
// since it last told it.
#include <algorithm>
#include <cstring>

#include "platform/Gdi.h"
#include "platform/GdiSurface.h"
#include "platform/Paint.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

bool MatchesFilter(const Window& window, HWND filter) {
  if (filter == nullptr) return true;
  for (const Window* w = &window; w != nullptr; w = w->IsChild() ? w->parent : nullptr)
    if (w->handle == filter) return true;
  return false;
}

Window* FindPaintIn(Window& window, HWND filter) {
  if (!IsShownLocked(window)) return nullptr;
  if ((!IsEmpty(window.update) || window.frameDirty) && MatchesFilter(window, filter)) return &window;
  // Bottom of the z-order first, so the top sibling is painted last.
  for (auto child = window.children.rbegin(); child != window.children.rend(); ++child)
    if (Window* found = FindPaintIn(**child, filter)) return found;
  return nullptr;
}

bool HasOwnDc(const Window& window) {
  if (window.ownDc != nullptr) return true;
  for (const Window* child : window.children)
    if (HasOwnDc(*child)) return true;
  return false;
}

void MarkPresentDirtyLocked(Window& window) {
  if (Window* top = TopLevelOf(&window)) top->presentDirty = true;
}

void RemakeOwnDcs(Window& window, cairo_surface_t* surface) {
  if (window.ownDc != nullptr) {
    DestroySurfaceDc(window.ownDc);
    window.ownDc = CreateSurfaceDc(surface, ClientOriginOnSurface(window), ClientClipOnSurface(window),
                                   window.handle);
  }
  for (Window* child : window.children) RemakeOwnDcs(*child, surface);
}

// Moves the pixels of `area` (surface coordinates) by dx, dy, writing only
// inside `limit`.
void MovePixels(cairo_surface_t* surface, RECT area, int dx, int dy, RECT limit) {
  RECT target = Intersect(Offset(area, dx, dy), limit);
  if (IsEmpty(target)) return;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  int width = target.right - target.left;
  auto copyRow = [&](int y) {
    std::memmove(data + y * stride + target.left * 4, data + (y - dy) * stride + (target.left - dx) * 4,
                 static_cast<std::size_t>(width) * 4);
  };
  if (dy > 0)
    for (int y = target.bottom - 1; y >= target.top; --y) copyRow(y);
  else
    for (int y = target.top; y < target.bottom; ++y) copyRow(y);
  cairo_surface_mark_dirty(surface);
}

struct PaintDc {
  HDC dc = nullptr;
  bool own = false;
};

PaintDc MakeClientDc(HWND handle, const RECT* surfaceClip) {
  cairo_surface_t* surface = nullptr;
  POINT origin{};
  RECT clip{};
  HDC own = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return {};
    surface = TopLevelOf(window)->surface;
    origin = ClientOriginOnSurface(*window);
    clip = ClientClipOnSurface(*window);
    own = window->ownDc;
    MarkPresentDirtyLocked(*window);
  }
  RECT narrowed = surfaceClip != nullptr ? Intersect(*surfaceClip, clip) : clip;
  if (own != nullptr) {
    ResetSurfaceDc(own, origin, clip);
    if (surfaceClip != nullptr) SetSurfaceDcClip(own, narrowed);
    return PaintDc{own, true};
  }
  return PaintDc{CreateSurfaceDc(surface, origin, narrowed, handle), false};
}

}  // namespace

void EnsureSurfaceLocked(Window& top) {
  int width = std::max<int>(top.rect.right - top.rect.left, 1);
  int height = std::max<int>(top.rect.bottom - top.rect.top, 1);
  if (top.surface != nullptr && cairo_image_surface_get_width(top.surface) >= width &&
      cairo_image_surface_get_height(top.surface) >= height)
    return;
  SIZE screen = TheCore().presenter ? TheCore().presenter->ScreenSize() : SIZE{1280, 1024};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max<int>(width, screen.cx),
                                                        std::max<int>(height, screen.cy));
  cairo_surface_t* old = top.surface;
  top.surface = surface;
  if (old != nullptr) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_surface(cr, old, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    RemakeOwnDcs(top, surface);
    cairo_surface_destroy(old);
  }
}

namespace {

// A child that clips its siblings (WS_CLIPSIBLINGS) must not cover those
// above it where they overlap: they are painted again over the area it
// paints, after it (the paint goes up the z-order). A tab control under
// the page of a property sheet is such a child.
void InvalidateSiblingsAboveLocked(const Window& window, const RECT& area) {
  const RECT insets = NonClientInsets(window);
  const RECT inParent = Offset(area, window.rect.left + insets.left, window.rect.top + insets.top);
  for (Window* sibling : window.parent->children) {
    if (sibling == &window) break;
    if ((sibling->style & WS_VISIBLE) == 0) continue;
    const RECT overlap = Intersect(inParent, sibling->rect);
    if (IsEmpty(overlap)) continue;
    const RECT its = NonClientInsets(*sibling);
    const RECT inSibling = Offset(overlap, -sibling->rect.left - its.left, -sibling->rect.top - its.top);
    InvalidateLocked(*sibling, &inSibling, true, true);
  }
}

}  // namespace

void InvalidateLocked(Window& window, const RECT* clientRect, bool erase, bool frame) {
  if (!IsShownLocked(window)) return;
  RECT client = ClientRectOf(window);
  RECT area = clientRect != nullptr ? Intersect(*clientRect, client) : client;
  if (frame) window.frameDirty = true;
  if (!IsEmpty(area)) {
    window.update = Union(window.update, area);
    window.erase = window.erase || erase;
    RECT insetsOf{};
    for (Window* child : window.children) {
      if ((child->style & WS_VISIBLE) == 0) continue;
      RECT overlap = Intersect(area, child->rect);
      if (IsEmpty(overlap)) continue;
      insetsOf = NonClientInsets(*child);
      RECT inChild = Offset(overlap, -child->rect.left - insetsOf.left, -child->rect.top - insetsOf.top);
      InvalidateLocked(*child, &inChild, true, true);
    }
    if (window.IsChild() && (window.style & WS_CLIPSIBLINGS) != 0) InvalidateSiblingsAboveLocked(window, area);
  }
  if (frame || !IsEmpty(area)) NotifyQueue(*window.queue);
}

Window* FindPaintWindowLocked(ThreadQueue& queue, HWND filter) {
  std::vector<Window*>& tops = TheCore().topLevels;
  for (auto top = tops.rbegin(); top != tops.rend(); ++top)
    if ((*top)->queue.get() == &queue)
      if (Window* found = FindPaintIn(**top, filter)) return found;
  return nullptr;
}

void PresentDirtyWindows(ThreadQueue& queue) {
  std::vector<std::pair<HWND, std::shared_ptr<const Frame>>> frames;
  Presenter* presenter = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    presenter = TheCore().presenter.get();
    bool wanted = presenter != nullptr && presenter->WantsFrames();
    for (Window* top : TheCore().topLevels) {
      if (top->queue.get() != &queue) continue;
      bool dirty = top->presentDirty || HasOwnDc(*top);
      top->presentDirty = false;
      if (!wanted || !dirty || !IsShownLocked(*top) || top->surface == nullptr) continue;
      auto frame = std::make_shared<Frame>();
      frame->width = std::max<int>(top->rect.right - top->rect.left, 1);
      frame->height = std::max<int>(top->rect.bottom - top->rect.top, 1);
      frame->pixels.resize(static_cast<std::size_t>(frame->width) * frame->height);
      cairo_surface_flush(top->surface);
      const unsigned char* data = cairo_image_surface_get_data(top->surface);
      int stride = cairo_image_surface_get_stride(top->surface);
      for (int y = 0; y < frame->height; ++y)
        std::memcpy(&frame->pixels[static_cast<std::size_t>(y) * frame->width], data + y * stride,
                    static_cast<std::size_t>(frame->width) * 4);
      if (top->lastFrame && top->lastFrame->width == frame->width &&
          top->lastFrame->height == frame->height && top->lastFrame->pixels == frame->pixels)
        continue;
      top->lastFrame = frame;
      frames.emplace_back(top->handle, frame);
    }
  }
  for (auto& [handle, frame] : frames) presenter->Present(handle, frame);
  // The activation the thread settled on, once, after its frames.
  HWND activate = nullptr;
  std::uint64_t choice = 0;
  {
    std::lock_guard guard(TheCore().lock);
    // Each thread keeps an active window, but the screen has one focus: a
    // thread whose active window another thread's activation has since
    // replaced as the foreground keeps still, or it would take the focus
    // back from the window the program moved on to.
    if (queue.active != queue.toldActive && (queue.active == nullptr || queue.active == TheCore().foreground)) {
      queue.toldActive = queue.active;
      activate = queue.active;
      if (activate != nullptr) choice = ++TheCore().choicesTold;
    }
  }
  if (activate != nullptr && presenter != nullptr) presenter->Activate(activate, choice);
}

}  // namespace platform

using namespace platform;

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  if (paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  RECT update{}, surfaceClip{};
  bool erase = false, frame = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return nullptr;
    update = window->update;
    erase = window->erase;
    frame = window->frameDirty;
    window->update = RECT{};
    window->erase = false;
    window->frameDirty = false;
    window->validatedInPaint = true;
    POINT origin = ClientOriginOnSurface(*window);
    surfaceClip = Intersect(Offset(update, origin.x, origin.y), ClientClipOnSurface(*window));
    CaretRemoveLocked(*window->queue, TopLevelOf(window)->handle);
  }
  if (frame) CallProcedure(handle, WM_NCPAINT, 1, 0);
  PaintDc dc = MakeClientDc(handle, &surfaceClip);
  if (dc.dc == nullptr) return nullptr;
  paint->hdc = dc.dc;
  paint->rcPaint = update;
  paint->fErase = FALSE;
  if (erase && !IsEmpty(update))
    paint->fErase = CallProcedure(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.dc), 0) == 0;
  return dc.dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (paint == nullptr || paint->hdc == nullptr) return FALSE;
  ReleaseDC(handle, paint->hdc);
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return TRUE;
  CaretRestoreLocked(*window->queue, TopLevelOf(window)->handle);
  MarkPresentDirtyLocked(*window);
  return TRUE;
}

HDC GetDC(HWND handle) {
  if (handle == nullptr) {
    cairo_surface_t* surface = nullptr;
    {
      std::lock_guard guard(TheCore().lock);
      std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
      if (queue->screenSurface == nullptr) {
        SIZE screen = TheCore().presenter ? TheCore().presenter->ScreenSize() : SIZE{1280, 1024};
        queue->screenSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen.cx, screen.cy);
      }
      surface = queue->screenSurface;
    }
    return CreateSurfaceDc(surface, POINT{0, 0},
                           RECT{0, 0, cairo_image_surface_get_width(surface),
                                cairo_image_surface_get_height(surface)},
                           nullptr);
  }
  return MakeClientDc(handle, nullptr).dc;
}

HDC GetWindowDC(HWND handle) {
  cairo_surface_t* surface = nullptr;
  POINT origin{};
  RECT clip{};
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return nullptr;
    surface = TopLevelOf(window)->surface;
    origin = WindowOriginOnSurface(*window);
    RECT whole = Offset(RECT{0, 0, window->rect.right - window->rect.left,
                             window->rect.bottom - window->rect.top},
                        origin.x, origin.y);
    clip = window->IsChild() ? Intersect(whole, ClientClipOnSurface(*window->parent)) : whole;
    MarkPresentDirtyLocked(*window);
  }
  return CreateSurfaceDc(surface, origin, clip, handle);
}

int ReleaseDC(HWND handle, HDC dc) {
  if (dc == nullptr) return 0;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window != nullptr) {
      MarkPresentDirtyLocked(*window);
      if (window->ownDc == dc) {
        POINT origin = ClientOriginOnSurface(*window);
        RECT clip = ClientClipOnSurface(*window);
        ResetSurfaceDc(dc, origin, clip);
        return 1;
      }
    }
  }
  DestroySurfaceDc(dc);
  return 1;
}

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return FALSE;
  InvalidateLocked(*window, rect, erase != FALSE, false);
  return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return FALSE;
  window->validatedInPaint = true;
  RECT& update = window->update;
  if (rect == nullptr) {
    update = RECT{};
    window->frameDirty = false;
  } else if (!IsEmpty(update)) {
    RECT covered = Intersect(update, *rect);
    // One rectangle is kept: take away a whole band when the rectangle spans it.
    if (covered.left == update.left && covered.right == update.right) {
      if (covered.top == update.top) update.top = covered.bottom;
      else if (covered.bottom == update.bottom) update.bottom = covered.top;
    } else if (covered.top == update.top && covered.bottom == update.bottom) {
      if (covered.left == update.left) update.left = covered.right;
      else if (covered.right == update.right) update.right = covered.left;
    }
    if (IsEmpty(update)) update = RECT{};
  }
  if (IsEmpty(update)) window->erase = false;
  return TRUE;
}

BOOL GetUpdateRect(HWND handle, RECT* rect, BOOL) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return FALSE;
  if (rect != nullptr) *rect = window->update;
  return IsEmpty(window->update) ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND handle) {
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    if (!IsShownLocked(*window) || (IsEmpty(window->update) && !window->frameDirty)) return TRUE;
    window->validatedInPaint = false;
  }
  SendMessage(handle, WM_PAINT, 0, 0);
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window != nullptr && !window->validatedInPaint) {
    window->update = RECT{};
    window->erase = false;
    window->frameDirty = false;
  }
  return TRUE;
}

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN region, UINT flags) {
  RECT box{};
  if (region != nullptr && rect == nullptr && GetRgnBox(region, &box) != 0) rect = &box;
  if (flags & RDW_INVALIDATE) {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    InvalidateLocked(*window, rect, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
  }
  if (flags & RDW_VALIDATE) ValidateRect(handle, rect);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    UpdateWindow(handle);
    // Bottom of the z-order first, so that of two overlapping siblings the
    // upper one is painted last and stays seen (a property sheet's page over
    // its tab control).
    if (flags & RDW_ALLCHILDREN)
      if (HWND first = GetWindow(handle, GW_CHILD))
        for (HWND child = GetWindow(first, GW_HWNDLAST); child != nullptr; child = GetWindow(child, GW_HWNDPREV))
          RedrawWindow(child, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  return TRUE;
}

int ScrollWindowEx(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN region,
                   RECT* updateRect, UINT flags) {
  int answer = 0;
  if (ForwardToOwner(handle, [&] { answer = ScrollWindowEx(handle, dx, dy, scroll, clip, region, updateRect, flags); }))
    return answer;
  std::vector<std::pair<HWND, RECT>> childMoves;
  RECT uncovered{};
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return 0;
    RECT client = ClientRectOf(*window);
    RECT area = scroll != nullptr ? Intersect(*scroll, client) : client;
    RECT limit = clip != nullptr ? Intersect(*clip, client) : client;
    Window* top = TopLevelOf(window);
    CaretRemoveLocked(*window->queue, top->handle);
    POINT origin = ClientOriginOnSurface(*window);
    RECT visible = ClientClipOnSurface(*window);
    MovePixels(top->surface, Offset(area, origin.x, origin.y), dx, dy,
               Intersect(Offset(Intersect(area, limit), origin.x, origin.y), visible));
    RECT moved = Intersect(Offset(area, dx, dy), area);
    RECT target = Intersect(area, limit);
    if (IsEmpty(moved)) {
      uncovered = target;
    } else {
      RECT band = target;
      if (dx > 0) band.right = moved.left;
      else if (dx < 0) band.left = moved.right;
      RECT strip = target;
      if (dy > 0) strip.bottom = moved.top;
      else if (dy < 0) strip.top = moved.bottom;
      uncovered = Union(dx != 0 ? Intersect(band, target) : RECT{}, dy != 0 ? Intersect(strip, target) : RECT{});
    }
    if (!IsEmpty(window->update))
      window->update = Intersect(Union(window->update, Offset(window->update, dx, dy)), client);
    if ((flags & SW_INVALIDATE) != 0 && !IsEmpty(uncovered))
      InvalidateLocked(*window, &uncovered, (flags & SW_ERASE) != 0, false);
    if ((flags & SW_SCROLLCHILDREN) != 0)
      for (Window* child : window->children)
        if (scroll == nullptr || !IsEmpty(Intersect(child->rect, area)))
          childMoves.emplace_back(child->handle, Offset(child->rect, dx, dy));
    CaretRestoreLocked(*window->queue, top->handle);
    MarkPresentDirtyLocked(*window);
  }
  for (auto& [child, rect] : childMoves)
    MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
  if (updateRect != nullptr) *updateRect = uncovered;
  return IsEmpty(uncovered) ? 1 : 2;
}

BOOL ScrollWindow(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip) {
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll == nullptr ? SW_SCROLLCHILDREN : 0);
  return ScrollWindowEx(handle, dx, dy, scroll, clip, nullptr, nullptr, flags) != 0 ? TRUE : FALSE;
}
