// The bend's drawing geometry: points on the arc at hand-computed places,
// the Bezier control points, and the screen shape made from a model's
// nodes (the pick is the graphics window's bend tests).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "elements/BendGeometry.h"
#include "elements/BendTesting.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(BendGeometryTest, ArcPointsAndCurve) {
  // A 90 degree bend: near (0, 0, 0), centre (0, 10, 0), far (10, 10, 0).
  const Vector3d near{0, 0, 0}, far{10, 10, 0}, centre{0, 10, 0};
  const std::vector<Vector3d> points = BendArcPoints(near, far, centre, kPi / 2.0, 6);
  ASSERT_EQ(points.size(), 7u);
  EXPECT_NEAR(points[3][0], 10.0 * std::sin(kPi / 4.0), 1.0e-12);
  EXPECT_NEAR(points[3][1], 10.0 - 10.0 * std::cos(kPi / 4.0), 1.0e-12);
  EXPECT_NEAR(Norm(Difference(points.back(), far)), 0.0, 1.0e-12);
  for (const Vector3d& p : points) EXPECT_NEAR(Norm(Difference(p, centre)), 10.0, 1.0e-12);
  // The second third of a 60 degree bend turning the other way.
  const Vector3d far60{10.0 * std::sin(kPi / 3.0), -10.0 + 10.0 * std::cos(kPi / 3.0), 0};
  EXPECT_NEAR(BendArcThirds(near, far60, {0, -10, 0}, kPi / 3.0)[1][1], -10.0 + 10.0 * std::cos(2.0 * kPi / 9.0), 1.0e-12);
  const std::array<Point2, 4> curve = BendBezierControlPoints({0, 0}, {10, 0}, {10, 20});
  EXPECT_EQ(std::make_tuple(curve[1].x, curve[2].y, curve[3].y), std::make_tuple(5.0f, 10.0f, 20.0f));
}

TEST(BendGeometryTest, TheScreenShapeFollowsTheNodes) {
  Model& model = TheModel();
  Bend& bend = BuildOneBendModel(model);
  for (int i = 1; i <= model.nodes.count; ++i) {  // X to the right, Y up, 2 pixels per inch
    model.nodes[i].screenX = 2.0f * model.nodes[i].x;
    model.nodes[i].screenY = -2.0f * model.nodes[i].y;
  }
  LayoutRow& row = model.row(3);
  bend.ComputeShape(row);
  ASSERT_TRUE(bend.shape.valid);
  // The corner at x = 48 in; the arc's ends the long radius (6.75 in) from it.
  EXPECT_EQ(std::make_tuple(bend.shape.previous.x, bend.shape.corner.x, bend.shape.near.x, bend.shape.far.y),
            std::make_tuple(48.0f, 96.0f, 2.0f * (48.0f - 6.75f), -13.5f));
  EXPECT_EQ(std::make_pair(row.bounds2d.xmax, row.bounds2d.ymin), std::make_pair(96.0f, -13.5f));
  model.rowCount = 3;  // without a next element the arc cannot be placed
  MakeModel(model);
  bend.ComputeShape(row);
  EXPECT_FALSE(bend.shape.valid);
  InitEmptyModel(model, AnalysisOptions());
}

}  // namespace
