// The small geometric records of the drawing code. For now only the 2D
// bounding rectangle that every drawable thing (nodes, elements, data items)
// keeps for culling and picking; the outlines, symbol frames and the view
// projection join this module with the graphics window.
//
// A Rect2 is empty when its minimum lies above its maximum: Rect2Reset sets
// xmin = ymin = +1.0e30 and xmax = ymax = -1.0e30, so that the first point
// extended sets all four sides. All coordinates are 32-bit floats.
#pragma once

struct Rect2 {
  float xmin;
  float ymin;
  float xmax;
  float ymax;
};

void Rect2Reset(Rect2& rect);
void Rect2Extend(Rect2& rect, float x, float y);
