// The bend's drawing geometry; see BendGeometry.h.
#include "elements/BendGeometry.h"

#include <cmath>
#include <vector>

Vector3d BendArcPoint(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep, double angle) {
  // Rodrigues' rotation of r = near - centre about the unit normal n of the
  // bend's plane; r is square to n, so r' = r cos a + (n x r) sin a.
  const Vector3d r = Difference(near, centre), toFar = Difference(far, centre);
  Vector3d n = Cross(r, toFar);
  const double length = Norm(n);
  if (length == 0.0 || sweep == 0.0) return near;
  n = Scaled(n, 1.0 / length);
  const Vector3d turned = Cross(n, r);
  Vector3d point{};
  for (int i = 0; i < 3; ++i) point[i] = centre[i] + r[i] * std::cos(angle) + turned[i] * std::sin(angle);
  return point;
}

std::vector<Vector3d> BendArcPoints(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep,
                                    int segments) {
  std::vector<Vector3d> points;
  for (int i = 0; i <= segments; ++i) points.push_back(BendArcPoint(near, far, centre, sweep, sweep * i / segments));
  return points;
}

std::array<Vector3d, 2> BendArcThirds(const Vector3d& near, const Vector3d& far, const Vector3d& centre, double sweep) {
  return {BendArcPoint(near, far, centre, sweep, sweep / 3.0), BendArcPoint(near, far, centre, sweep, 2.0 * sweep / 3.0)};
}

std::array<Point2, 4> BendBezierControlPoints(Point2 near, Point2 corner, Point2 far) {
  return {near, Point2{(near.x + corner.x) / 2.0f, (near.y + corner.y) / 2.0f},
          Point2{(corner.x + far.x) / 2.0f, (corner.y + far.y) / 2.0f}, far};
}
