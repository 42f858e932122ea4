// Rectangle helpers (see Rect.h).
#include "platform/Rect.h"

#include <algorithm>

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(RECT* destination, const RECT* source) {
  if (destination == nullptr || source == nullptr) return FALSE;
  *destination = *source;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
  return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top &&
                 a->right == b->right && a->bottom == b->bottom
             ? TRUE
             : FALSE;
}

BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b) {
  if (destination == nullptr || a == nullptr || b == nullptr) return FALSE;
  RECT result{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
              std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&result)) result = RECT{};
  *destination = result;
  return IsRectEmpty(&result) ? FALSE : TRUE;
}

BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b) {
  if (destination == nullptr || a == nullptr || b == nullptr) return FALSE;
  if (IsRectEmpty(a)) *destination = IsRectEmpty(b) ? RECT{} : *b;
  else if (IsRectEmpty(b)) *destination = *a;
  else
    *destination = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                        std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
  return IsRectEmpty(destination) ? FALSE : TRUE;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect != nullptr && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                 point.y < rect->bottom
             ? TRUE
             : FALSE;
}
