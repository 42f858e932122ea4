// The bend's drawing geometry, for the graphics window to draw and pick:
// points on the arc (the near point turned about the bend's axis through
// the centre of curvature), the arc's thirds of the rendered view and the
// four control points of the arc's Bezier curve in the 2D picture.
//
// Bend::ComputeShape (BendDrawing.cpp) keeps the screen points of the
// start of the bend's run, the corner and the arc's ends with the curve's
// control points in the bend (BendScreenShape) and the row's 2D bounds.
#pragma once

#include <array>
#include <vector>

#include "kindbase/ElementArrays.h"

struct Point2 {
  float x = 0.0f;
  float y = 0.0f;
};

// The point at `angle` along the arc from `near` (angle 0) toward `far`.
// `sweep` is the bend angle theta (0 < theta < pi).
Vector3d BendArcPoint(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep, double angle);
// The arc as `segments` + 1 points from near to far.
std::vector<Vector3d> BendArcPoints(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep,
                                    int segments);
// The points at theta / 3 and 2 theta / 3: the ends of the rendered thirds.
std::array<Vector3d, 2> BendArcThirds(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep);

// Near point, midpoint near-corner, midpoint corner-far, far point.
std::array<Point2, 4> BendBezierControlPoints(Point2 near, Point2 corner, Point2 far);

// The bend's 2D screen shape, made again by each ComputeShape.
struct BendScreenShape {
  bool valid = false;
  Point2 previous, corner, near, far;
  std::array<Point2, 4> curve{};
};
