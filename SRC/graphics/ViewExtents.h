// The drawn model's extents in the view and keeping a rectangle in view
// (see ViewExtents.cpp).
#pragma once

#include "records/DrawingGeometry.h"

// The drawn model's extents in view units (-12 .. 12 without nodes), its
// symbols and labels measured at the current scale.
void ComputeViewExtents();
// The extents of the shown rows' projected nodes alone, which no scale
// sizes (-12 .. 12 without them).
Rect2 ProjectedNodeExtents();
// Moves (and when needed widens) the view window so that the rectangle is in
// view; true when the view changed.
bool EnsureRectInView(const Rect2& rect);
