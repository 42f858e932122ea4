// The drawing geometry: rectangles and outlines (containment at their
// edges), vectors, the 2D frames' across axis, the stock symbol transform,
// box faces and tube outlines, against values worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/StockSymbols.h"
#include "model/SymbolFrames.h"
#include "model/ViewProjection.h"
#include "records/DrawingGeometry.h"

namespace {

constexpr float kTolerance = 1.0e-5f;

TEST(DrawingGeometry, EdgesAreOutsideOutlinesAndInsideRectangles) {
  Rect2 rect;
  Rect2Reset(rect);
  EXPECT_TRUE(Rect2IsEmpty(rect));
  Rect2Extend(rect, 1.0f, 2.0f);
  EXPECT_EQ(rect.xmin, 1.0f);
  EXPECT_EQ(rect.xmax, 1.0f);
  Rect2Extend(rect, 3.0f, -1.0f);
  EXPECT_TRUE(Rect2Contains(rect, 3.0f, 2.0f));  // a corner is inside
  EXPECT_FALSE(Rect2Contains(rect, 3.01f, 0.0f));
  Rect2Inflate(rect, 0.5f);
  EXPECT_EQ(rect.xmin, 0.5f);
  EXPECT_EQ(rect.ymax, 2.5f);
  EXPECT_TRUE(Rect2Meets(rect, 3.5f, 9.0f, 0.0f, 1.0f));  // touching counts
  EXPECT_FALSE(Rect2Meets(rect, 3.51f, 9.0f, 0.0f, 1.0f));

  // Given clockwise, stored counter-clockwise: the same points inside.
  Quad2 quad;
  Quad2Set(quad, 0.0f, 0.0f, 0.0f, 2.0f, 2.0f, 2.0f, 2.0f, 0.0f);
  EXPECT_EQ(quad.x[1], 2.0f);  // p3 took corner 1
  EXPECT_EQ(quad.y[1], 0.0f);
  EXPECT_TRUE(Quad2Contains(quad, 1.0f, 1.0f));
  EXPECT_FALSE(Quad2Contains(quad, 0.0f, 1.0f));  // on an edge
  EXPECT_FALSE(Quad2Contains(quad, 2.0f, 2.0f));  // a corner
  Triangle2 triangle;
  Triangle2Set(triangle, 0.0f, 0.0f, 0.0f, 4.0f, 4.0f, 0.0f);
  EXPECT_TRUE(Triangle2Contains(triangle, 1.0f, 1.0f));
  EXPECT_FALSE(Triangle2Contains(triangle, 2.0f, 2.0f));  // on the long edge
  Rect2 bounds;
  Rect2Reset(bounds);
  Triangle2ExtendRect(triangle, bounds);
  EXPECT_EQ(bounds.xmax, 4.0f);
  EXPECT_EQ(bounds.ymax, 4.0f);
}

TEST(DrawingGeometry, VectorAnglesAndUnits) {
  EXPECT_NEAR(Vec3Angle({1, 0, 0}, {-2, 0, 0}), std::numbers::pi_v<float>, kTolerance);
  EXPECT_EQ(Vec3Angle({0, 0, 0}, {1, 2, 3}), 0.0f);
  EXPECT_NEAR(Vec3Angle({1, 0, 0}, {1, 1, 0}), std::numbers::pi_v<float> / 4.0f, kTolerance);
  Vec3 unit{};
  Vec3Unit({3, 0, 4}, unit);
  EXPECT_NEAR(unit[0], 0.6f, kTolerance);
  EXPECT_NEAR(unit[2], 0.8f, kTolerance);
  Vec3 zero{0, 0, 0};
  Vec3Normalize(zero);
  EXPECT_EQ(zero, (Vec3{0, 0, 0}));
  Vec3 cross{};
  Vec3Cross({1, 0, 0}, {0, 1, 0}, cross);
  EXPECT_EQ(cross, (Vec3{0, 0, 1}));
}

class ViewGeometry : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearModel(TheModel());
    SetViewDirection(0.0f, 0.0f, 1.0f);  // X to the right, Y up
    SetGraphicsScale(1.0f);
    g_SymbolScale = 1.0f;
  }
  void TearDown() override { SetViewDirection(1.0f, 1.0f, 1.0f); }
};

TEST_F(ViewGeometry, AcrossAxisAndStockSymbolTransform) {
  // Near-axial directions are across the other axis; a skew one takes the
  // projected global axis most nearly perpendicular to it.
  SymbolFrame2 frame;
  SymbolFrame2Set(frame, 0.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(frame.nx, 1.0f);
  EXPECT_EQ(frame.ny, 0.0f);
  SymbolFrame2Set(frame, 0.0f, 0.0f, 1.0f, 0.0f);
  EXPECT_EQ(frame.ny, 1.0f);
  SymbolFrame2Set(frame, 1.0f, 2.0f, 0.8f, 0.6f);
  EXPECT_NEAR(frame.nx, 0.0f, kTolerance);  // Y scores 0.6 against X's 0.8
  EXPECT_NEAR(frame.ny, 1.0f, kTolerance);
  float a = 2.0f, b = 1.0f;
  SymbolFrame2Map(frame, a, b);  // (1, 2) + 2 (0.8, 0.6) + 1 (0, 1)
  EXPECT_NEAR(a, 2.6f, kTolerance);
  EXPECT_NEAR(b, 4.2f, kTolerance);

  // Symbol 7 (a square with diagonals) along (0.003, 1): the small x
  // component counts as 0, so the square stands straight; size 2 doubles it.
  Rect2 rect;
  Rect2Reset(rect);
  StockSymbolExtendRect(7, 10.0f, 20.0f, 0.003f, 1.0f, 2.0f, rect);
  EXPECT_NEAR(rect.xmin, 9.0f, kTolerance);
  EXPECT_NEAR(rect.xmax, 11.0f, kTolerance);
  EXPECT_NEAR(rect.ymin, 19.0f, kTolerance);
  EXPECT_NEAR(rect.ymax, 21.0f, kTolerance);
  const StockSegment* segments = nullptr;
  EXPECT_EQ(StockSymbolSegments(2, segments), 16);  // spring hanger
  EXPECT_EQ(segments[15].x2, 16.0f);
  EXPECT_EQ(StockSymbolSegments(11, segments), 0);
  // The mirrored stop keeps its box reversed; its corners bound it all the same.
  Rect2Reset(rect);
  StockSymbolExtendRect(5, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, rect);
  EXPECT_NEAR(rect.xmin, 0.0f, kTolerance);
  EXPECT_NEAR(rect.xmax, 2.5f, kTolerance);
}

TEST_F(ViewGeometry, BoxFacesTubeOutlinesAndCones) {
  // Seen along its first axis (+Z towards the viewer), a box shows the face
  // at the end that points at the viewer.
  BoxSymbol box;
  BoxSymbolSet(box, Vec3{0, 0, 0}, 2.0f, 4.0f, 6.0f, Vec3{0, 0, 1}, Vec3{1, 0, 0});
  EXPECT_NEAR(box.z[0], 1.0f, kTolerance);  // corner 0 at +a along axis 1
  Rect2 face;
  Rect2Reset(face);
  Quad2ExtendRect(box.faces[0], face);
  EXPECT_NEAR(face.xmax - face.xmin, 4.0f, kTolerance);
  EXPECT_NEAR(face.ymax - face.ymin, 6.0f, kTolerance);
  BoxSymbolSet(box, Vec3{0, 0, 0}, 2.0f, 4.0f, 6.0f, Vec3{0, 0, -1}, Vec3{1, 0, 0});
  EXPECT_NEAR(box.z[4], 1.0f, kTolerance);  // now corners 4 to 7 face the viewer
  EXPECT_NEAR(box.faces[0].x[0], box.x[4], kTolerance);

  // A tube across the view: no end growth; its outline is the radius either
  // side of the axis.
  Quad2 outline;
  TubeOutline(Vec3{0, 0, 0}, Vec3{10, 0, 0}, 1.0f, 1.0f, outline, true);
  Rect2 rect;
  Rect2Reset(rect);
  Quad2ExtendRect(outline, rect);
  EXPECT_NEAR(rect.xmin, 0.0f, kTolerance);
  EXPECT_NEAR(rect.xmax, 10.0f, kTolerance);
  EXPECT_NEAR(rect.ymax, 1.0f, kTolerance);
  EXPECT_TRUE(Quad2Contains(outline, 5.0f, 0.5f));
  // Leaning towards the viewer the far end grows by its disc's projection;
  // the near end only with the end flag.
  TubeOutline(Vec3{0, 0, 0}, Vec3{10, 0, 10}, 2.0f, 2.0f, outline, false);
  Rect2Reset(rect);
  Quad2ExtendRect(outline, rect);
  const float d = std::sqrt(0.5f);
  EXPECT_NEAR(rect.xmin, -d * 2.0f, 1.0e-4f);
  EXPECT_NEAR(rect.xmax, 10.0f, 1.0e-4f);
  TubeOutline(Vec3{0, 0, 0}, Vec3{10, 0, 10}, 2.0f, 2.0f, outline, true);
  Rect2Reset(rect);
  Quad2ExtendRect(outline, rect);
  EXPECT_NEAR(rect.xmax, 10.0f + d * 2.0f, 1.0e-4f);

  Triangle2 cone;
  Triangle2FromCone(cone, Vec3{0, 0, 0}, Vec3{0, 5, 0}, 1.0f);
  EXPECT_TRUE(Triangle2Contains(cone, 0.0f, 2.0f));
  EXPECT_FALSE(Triangle2Contains(cone, 0.9f, 4.0f));
}

TEST_F(ViewGeometry, SpanSkewAndRotationFrames) {
  SpanFrame2 span;
  SpanFrame2Set(span, 1.0f, 1.0f, 1.0f, 5.0f);
  float a = 0.5f, b = 2.0f;  // halfway, 2 across (+X for a vertical span)
  SpanFrame2Map(span, a, b);
  EXPECT_NEAR(a, 3.0f, kTolerance);
  EXPECT_NEAR(b, 3.0f, kTolerance);
  SpanFrame2Set(span, 2.0f, 2.0f, 2.0f, 2.0f);  // zero span: nothing moves along it
  a = 0.7f;
  b = 0.0f;
  SpanFrame2Map(span, a, b);
  EXPECT_EQ(a, 2.0f);

  SkewFrame2 skew;
  SkewFrame2Set(skew, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 3.0f);  // u too short: (1, 0)
  EXPECT_EQ(skew.ux, 1.0f);
  EXPECT_EQ(skew.vy, 1.0f);

  RotFrame2 rot;
  RotFrame2Set(rot, 1.0f, 0.0f, 0.0f, 2.0f, 3.0f);  // along +Y, scale 3
  a = 1.0f;
  b = 1.0f;
  RotFrame2Map(rot, a, b);  // (1 + (0 - 1) 3, 0 + (1 + 0) 3)
  EXPECT_NEAR(a, -2.0f, kTolerance);
  EXPECT_NEAR(b, 3.0f, kTolerance);

  SymbolFrame3 frame;
  SymbolFrame3Set(frame, Vec3{0, 0, 0}, Vec3{0, 0, 0});  // degenerate: +X
  EXPECT_EQ(frame.axis1, (Vec3{1, 0, 0}));
  EXPECT_NEAR(frame.axis2[1], 1.0f, kTolerance);  // Y up for a horizontal element
  float xs[7], ys[7], zs[7];
  SymbolFrame3CirclePoints(frame, 6, 2.0f, 1.0f, xs, ys, zs);
  EXPECT_EQ(xs[3], 1.0f);
  EXPECT_NEAR(ys[3], -2.0f, kTolerance);
  EXPECT_EQ(ys[6], ys[0]);  // the last repeats the first
}

}  // namespace
