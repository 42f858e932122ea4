// Window geometry: rectangle helpers, the frame (borders, menu bar, scroll
// bars) and the client area inside it, origins on the backing surface and on
// the screen, visibility through the ancestors, and the public rectangle,
// mapping and hit-testing calls. A group box is passed through by the
// pointer, as it covers the controls it frames.
//
// A top-level window's rectangle is in screen coordinates, a child's in its
// parent's client coordinates; the client area sits inside the frame parts
// that NonClientInsets adds up.
#include <algorithm>
#include <cctype>

#include "platform/Controls.h"
#include "platform/System.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

RECT InsetsFor(DWORD style, DWORD exStyle, bool child) {
  int edge = 0;
  if (child) {
    if ((style & WS_THICKFRAME) != 0) edge += 4;
    else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) edge += 3;
    else if ((style & WS_BORDER) != 0) edge += 1;
  } else if ((style & WS_CAPTION) == WS_BORDER) {
    edge += 1;  // a popup with a plain border: ours to draw
  }
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) edge += 2;
  if ((exStyle & WS_EX_STATICEDGE) != 0) edge += 1;
  RECT insets{edge, edge, edge, edge};
  if ((style & WS_VSCROLL) != 0) insets.right += GetSystemMetrics(SM_CXVSCROLL);
  if ((style & WS_HSCROLL) != 0) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return insets;
}

}  // namespace

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return RECT{};
  return r;
}

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT Union(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT Offset(RECT rect, int dx, int dy) {
  return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

RECT NonClientInsets(const Window& window) {
  RECT insets = InsetsFor(window.style, window.exStyle, window.IsChild());
  if (!window.IsChild()) insets.top += window.menuBar;
  int width = window.rect.right - window.rect.left;
  int height = window.rect.bottom - window.rect.top;
  insets.right = std::min<LONG>(insets.right, std::max<LONG>(width - insets.left, 0));
  insets.bottom = std::min<LONG>(insets.bottom, std::max<LONG>(height - insets.top, 0));
  insets.left = std::min<LONG>(insets.left, width);
  insets.top = std::min<LONG>(insets.top, height);
  return insets;
}

RECT ClientRectOf(const Window& window) {
  RECT insets = NonClientInsets(window);
  int width = window.rect.right - window.rect.left - insets.left - insets.right;
  int height = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
  return RECT{0, 0, std::max(width, 0), std::max(height, 0)};
}

POINT WindowOriginOnSurface(const Window& window) {
  if (!window.IsChild()) return POINT{0, 0};
  POINT parent = ClientOriginOnSurface(*window.parent);
  return POINT{parent.x + window.rect.left, parent.y + window.rect.top};
}

POINT ClientOriginOnSurface(const Window& window) {
  POINT origin = WindowOriginOnSurface(window);
  RECT insets = NonClientInsets(window);
  return POINT{origin.x + insets.left, origin.y + insets.top};
}

POINT ClientOriginOnScreen(const Window& window) {
  RECT insets = NonClientInsets(window);
  if (!window.IsChild()) return POINT{window.rect.left + insets.left, window.rect.top + insets.top};
  POINT parent = ClientOriginOnScreen(*window.parent);
  return POINT{parent.x + window.rect.left + insets.left, parent.y + window.rect.top + insets.top};
}

RECT ClientClipOnSurface(const Window& window) {
  POINT origin = ClientOriginOnSurface(window);
  RECT client = Offset(ClientRectOf(window), origin.x, origin.y);
  if (!window.IsChild()) return client;
  return Intersect(client, ClientClipOnSurface(*window.parent));
}

bool IsShownLocked(const Window& window) {
  for (const Window* w = &window; w != nullptr; w = w->IsChild() ? w->parent : nullptr) {
    if ((w->style & WS_VISIBLE) == 0) return false;
    if (!w->IsChild() && w->showState == ShowState::Minimized) return false;
  }
  return true;
}

FrameParts FramePartsLocked(const Window& window) {
  RECT insets = NonClientInsets(window);
  int width = window.rect.right - window.rect.left, height = window.rect.bottom - window.rect.top;
  int edge = insets.left;
  FrameParts parts{};
  parts.client = RECT{insets.left, insets.top, width - insets.right, height - insets.bottom};
  if (IsEmpty(parts.client)) parts.client = RECT{};
  const RECT& client = parts.client;
  if (!window.IsChild() && window.menuBar > 0)
    parts.menuBar = RECT{edge, insets.top - window.menuBar, width - edge, insets.top};
  if ((window.style & WS_VSCROLL) != 0)
    parts.vertical = RECT{width - insets.right, insets.top, width - edge, height - insets.bottom};
  if ((window.style & WS_HSCROLL) != 0)
    parts.horizontal = RECT{insets.left, height - insets.bottom, width - insets.right, height - edge};
  if ((window.style & WS_VSCROLL) != 0 && (window.style & WS_HSCROLL) != 0)
    parts.corner = RECT{client.right, client.bottom, width - edge, height - edge};
  return parts;
}

FrameParts FramePartsOf(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr ? FramePartsLocked(*window) : FrameParts{};
}

bool PassesPointerThrough(const Window& window) {
  const std::string& name = window.windowClass->name;
  const bool button = name.size() == 6 && std::equal(name.begin(), name.end(), "button", [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) == b;
                      });
  return button && (window.style & BS_TYPEMASK) == BS_GROUPBOX;
}

Window* DeepestTargetAt(Window* window, POINT screenPoint) {
  for (Window* child : window->children) {
    if ((child->style & WS_VISIBLE) == 0 || (child->style & WS_DISABLED) != 0 || PassesPointerThrough(*child))
      continue;
    POINT parent = ClientOriginOnScreen(*window);
    RECT onScreen = Offset(child->rect, parent.x, parent.y);
    if (screenPoint.x >= onScreen.left && screenPoint.x < onScreen.right &&
        screenPoint.y >= onScreen.top && screenPoint.y < onScreen.bottom)
      return DeepestTargetAt(child, screenPoint);
  }
  return window;
}

}  // namespace platform

using namespace platform;

BOOL GetWindowRect(HWND handle, RECT* rect) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || rect == nullptr) return FALSE;
  if (!window->IsChild()) {
    *rect = window->rect;
  } else {
    POINT parent = ClientOriginOnScreen(*window->parent);
    *rect = Offset(window->rect, parent.x, parent.y);
  }
  return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || rect == nullptr) return FALSE;
  *rect = ClientRectOf(*window);
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle) {
  if (rect == nullptr) return FALSE;
  RECT insets = InsetsFor(style, exStyle, (style & WS_CHILD) != 0);
  if (hasMenu && (style & WS_CHILD) == 0) insets.top += GetSystemMetrics(SM_CYMENU);
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

BOOL ClientToScreen(HWND handle, POINT* point) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || point == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(*window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND handle, POINT* point) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || point == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(*window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  std::lock_guard guard(TheCore().lock);
  POINT fromOrigin{0, 0}, toOrigin{0, 0};
  if (from != nullptr) {
    Window* window = Find(from);
    if (window == nullptr) return 0;
    fromOrigin = ClientOriginOnScreen(*window);
  }
  if (to != nullptr) {
    Window* window = Find(to);
    if (window == nullptr) return 0;
    toOrigin = ClientOriginOnScreen(*window);
  }
  int dx = fromOrigin.x - toOrigin.x;
  int dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; points != nullptr && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(static_cast<unsigned>(dx), static_cast<unsigned>(dy)));
}

HWND WindowFromPoint(POINT screenPoint) {
  std::lock_guard guard(TheCore().lock);
  for (Window* window : TheCore().topLevels) {
    if (!IsShownLocked(*window)) continue;
    const RECT& r = window->rect;
    if (screenPoint.x >= r.left && screenPoint.x < r.right && screenPoint.y >= r.top &&
        screenPoint.y < r.bottom)
      return DeepestTargetAt(window, screenPoint)->handle;
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parentHandle, POINT point) {
  std::lock_guard guard(TheCore().lock);
  Window* parent = Find(parentHandle);
  if (parent == nullptr) return nullptr;
  RECT client = ClientRectOf(*parent);
  if (point.x < client.left || point.x >= client.right || point.y < client.top || point.y >= client.bottom)
    return nullptr;
  for (Window* child : parent->children) {
    const RECT& r = child->rect;
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
      return child->handle;
  }
  return parentHandle;
}
