// Rectangle and point helpers with their usual meaning: a rectangle covers
// left..right-1 by top..bottom-1, and one with no area is empty.
#pragma once

#include "platform/Types.h"

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* destination, const RECT* source);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
// Each returns FALSE (and an empty destination) when the result is empty.
BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL PtInRect(const RECT* rect, POINT point);
