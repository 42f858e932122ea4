// The bend's drawing geometry: points on the arc at hand-computed places
// (radius kept, ends reached, thirds of the sweep), the Bezier control
// points, the pick tests, and the screen shape made from a model's nodes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "BendTesting.h"
#include "elements/BendGeometry.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(BendGeometryTest, ArcPointsLieOnTheArcFromNearToFar) {
  // A 90 degree bend in the X-Y plane: near (0, 0, 0), centre (0, 10, 0), far (10, 10, 0).
  const Vector3d near{0, 0, 0}, far{10, 10, 0}, centre{0, 10, 0};
  const Vector3d mid = BendArcPoint(near, far, centre, kPi / 2.0, kPi / 4.0);
  EXPECT_NEAR(mid[0], 10.0 * std::sin(kPi / 4.0), 1.0e-12);
  EXPECT_NEAR(mid[1], 10.0 - 10.0 * std::cos(kPi / 4.0), 1.0e-12);
  EXPECT_EQ(mid[2], 0.0);
  const std::vector<Vector3d> points = BendArcPoints(near, far, centre, kPi / 2.0, 6);
  ASSERT_EQ(points.size(), 7u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(points.front()[i], near[i], 1.0e-12);
    EXPECT_NEAR(points.back()[i], far[i], 1.0e-12);
  }
  for (const Vector3d& p : points) EXPECT_NEAR(Norm(Difference(p, centre)), 10.0, 1.0e-12);
  // Thirds of a 60 degree bend turning about Z the other way.
  const Vector3d far60{10.0 * std::sin(kPi / 3.0), -10.0 + 10.0 * std::cos(kPi / 3.0), 0};
  const std::array<Vector3d, 2> thirds = BendArcThirds(near, far60, {0, -10, 0}, kPi / 3.0);
  EXPECT_NEAR(thirds[0][0], 10.0 * std::sin(kPi / 9.0), 1.0e-12);
  EXPECT_NEAR(thirds[1][1], -10.0 + 10.0 * std::cos(2.0 * kPi / 9.0), 1.0e-12);
}

TEST(BendGeometryTest, CurveControlPointsAndPickTests) {
  const std::array<Point2, 4> curve = BendBezierControlPoints({0, 0}, {10, 0}, {10, 20});
  EXPECT_EQ(curve[1].x, 5.0f);
  EXPECT_EQ(curve[2].y, 10.0f);
  EXPECT_EQ(curve[3].y, 20.0f);
  BendScreenShape shape;
  shape.valid = true;
  shape.near = {0, 0};
  shape.corner = {10, 0};
  shape.far = {10, 10};
  EXPECT_TRUE(BendHitTest(shape, {8, 2}, 3.0f));
  EXPECT_FALSE(BendHitTest(shape, {2, 8}, 3.0f));
  // An invalid bend is picked near its line from the previous node to the corner.
  shape.valid = false;
  shape.previous = {-20, 0};
  EXPECT_TRUE(BendHitTest(shape, {-15, 2}, 3.0f));
  EXPECT_FALSE(BendHitTest(shape, {-15, 4}, 3.0f));
  EXPECT_FALSE(BendHitTest(shape, {14, 0}, 3.0f));
}

TEST(BendGeometryTest, TheScreenShapeFollowsTheNodes) {
  Model& model = TheModel();
  Bend& bend = BuildOneBendModel(model);
  // A view of X to the right and Y up, 2 pixels per inch.
  for (int i = 1; i <= model.nodes.count; ++i) {
    model.nodes[i].screenX = 2.0f * model.nodes[i].x;
    model.nodes[i].screenY = -2.0f * model.nodes[i].y;
  }
  LayoutRow& row = model.row(3);
  bend.ComputeShape(row);
  ASSERT_TRUE(bend.shape.valid);
  EXPECT_FLOAT_EQ(bend.shape.corner.x, 96.0f);
  EXPECT_FLOAT_EQ(bend.shape.near.x, 2.0f * (48.0f - 6.75f));  // the long radius of 4.5 in pipe
  EXPECT_FLOAT_EQ(bend.shape.far.y, -2.0f * 6.75f);
  EXPECT_FLOAT_EQ(bend.shape.previous.x, 48.0f);
  EXPECT_FLOAT_EQ(row.bounds2d.xmax, 96.0f);
  EXPECT_FLOAT_EQ(row.bounds2d.ymin, -13.5f);
  // The arc cannot be placed without a next element: the line is picked.
  model.rowCount = 3;
  MakeModel(model);
  bend.ComputeShape(row);
  EXPECT_FALSE(bend.shape.valid);
  InitEmptyModel(model, AnalysisOptions());
}

}  // namespace
