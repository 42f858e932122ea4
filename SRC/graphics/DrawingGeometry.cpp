// Bounding rectangles of the drawing code (see DrawingGeometry.h).
#include "graphics/DrawingGeometry.h"

namespace {
constexpr float kEmptyLow = 1.0e30f;
}

void Rect2Reset(Rect2& rect) {
  rect.xmin = kEmptyLow;
  rect.ymin = kEmptyLow;
  rect.xmax = -kEmptyLow;
  rect.ymax = -kEmptyLow;
}

void Rect2Extend(Rect2& rect, float x, float y) {
  if (x < rect.xmin) rect.xmin = x;
  if (x > rect.xmax) rect.xmax = x;
  if (y < rect.ymin) rect.ymin = y;
  if (y > rect.ymax) rect.ymax = y;
}
