// The view: known model points projected to pixels for the standard views,
// the up axis chosen for views along the vertical, turning over the top, and
// the 2D drawing layer's scale, clipping, rectangles and arrows as a file
// writer and a bitmap receive them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/ViewTurns.h"
#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"

namespace {

constexpr float kTolerance = 1.0e-4f;

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearModel(TheModel());
    TheModel().options.ZVertical = 0;
    // A 200 x 100 pixel window on view units -10 .. 10 by -5 .. 5.
    ViewWindow = ViewLimits{-10.0f, 10.0f, -5.0f, 5.0f};
    ViewWidthPx = 200;
    ViewHeightPx = 100;
    SetGraphicsScale(10.0f);
  }
  void TearDown() override {
    SetViewDirection(1.0f, 1.0f, 1.0f);
    SetGraphicsFileWriter(nullptr);
    PltOutput = DxfOutput = EpsOutput = false;
  }

  static POINT Pixel(float x, float y, float z) {
    float vx = 0.0f, vy = 0.0f;
    ProjectPointToView(x, y, z, vx, vy);
    return POINT{PixelX(vx), PixelY(vy)};
  }
};

TEST_F(ViewTest, StandardViewsPutKnownPointsOnKnownPixels) {
  // Along Z: X to the right, Y up; the origin at the window's centre.
  SetViewDirection(0.0f, 0.0f, 1.0f);
  EXPECT_EQ(Pixel(0, 0, 0).x, 100);
  EXPECT_EQ(Pixel(0, 0, 0).y, 50);
  EXPECT_EQ(Pixel(5, 2, 7).x, 150);  // 5 units right, 2 up, depth ignored
  EXPECT_EQ(Pixel(5, 2, 7).y, 30);
  // Along X: Z to the left (the viewer looks back along -X), Y up.
  SetViewDirection(1.0f, 0.0f, 0.0f);
  EXPECT_EQ(Pixel(0, 3, 4).x, 60);
  EXPECT_EQ(Pixel(0, 3, 4).y, 20);
  // Along Y (looking down): the up axis becomes -Z, X stays to the right.
  SetViewDirection(0.0f, 1.0f, 0.0f);
  EXPECT_EQ(ViewUp, (Vec3{0, 0, -1}));
  EXPECT_EQ(Pixel(4, 9, -3).x, 140);
  EXPECT_EQ(Pixel(4, 9, -3).y, 20);
  // Isometric: X down to the right, Z down to the left, Y straight up.
  SetViewDirection(1.0f, 1.0f, 1.0f);
  const float c = std::sqrt(0.5f), s = std::sqrt(1.0f / 6.0f);
  float vx = 0.0f, vy = 0.0f;
  ProjectPointToView(1.0f, 0.0f, 0.0f, vx, vy);
  EXPECT_NEAR(vx, c, kTolerance);
  EXPECT_NEAR(vy, -s, kTolerance);
  ProjectPointToView(0.0f, 0.0f, 1.0f, vx, vy);
  EXPECT_NEAR(vx, -c, kTolerance);
  ProjectPointToView(0.0f, 1.0f, 0.0f, vx, vy);
  EXPECT_NEAR(vx, 0.0f, kTolerance);
  EXPECT_NEAR(vy, 2.0f * s, kTolerance);
  EXPECT_EQ(Pixel(0, 3, 0).y, 50 - static_cast<int>(3.0f * 2.0f * s * 10.0f + 0.5f));
  // The projected axes of the triad follow the view.
  EXPECT_NEAR(ProjectedAxes[1][0], 0.0f, kTolerance);
  EXPECT_NEAR(ProjectedAxes[1][1], 1.0f, kTolerance);
  // With Z vertical, a view down Z looks with -X up.
  TheModel().options.ZVertical = 1;
  SetViewDirection(0.0f, 0.0f, 1.0f);
  EXPECT_EQ(ViewUp, (Vec3{-1, 0, 0}));
  SetViewDirection(1.0f, 1.0f, 1.0f);
  EXPECT_EQ(ViewUp, (Vec3{0, 0, 1}));
}

TEST_F(ViewTest, TurningOverTheTopReversesTheUpAxisOnceAndKeepsThePicture) {
  SetViewDirection(0.0f, 0.3f, 1.0f);
  const Vec3 up = ViewUp;
  int flips = 0;
  // 3-degree steps up over the vertical and down the other side: the global
  // X axis (the turning axis) stays pointing right on the screen, so the
  // picture never mirrors.
  for (int step = 0; step < 60; ++step) {
    const Vec3 before = ViewUp;
    RotateViewAboutAcross(-1);
    if (ViewUp != before) ++flips;
    EXPECT_GT(ProjectedAxes[0][0], 0.99f) << "step " << step;
  }
  EXPECT_EQ(flips, 1);
  EXPECT_EQ(ViewUp, (Vec3{-up[0], -up[1], -up[2]}));
  // Turning about the up axis leaves it alone.
  RotateViewAboutUp(5);
  EXPECT_EQ(ViewUp, (Vec3{-up[0], -up[1], -up[2]}));
}

// A file writer that keeps what it was given.
struct RecordingWriter : GraphicsFileWriter {
  std::vector<std::vector<float>> lines;
  int marks = 0;
  bool dashed = false;
  void LineType(bool d) override { dashed = d; }
  void Line(float x1, float y1, float x2, float y2) override { lines.push_back({x1, y1, x2, y2}); }
  void Text(float, float, const std::string&) override {}
  void Mark(float, float) override { ++marks; }
  void ArrowHead(float, float, float, float, bool) override {}
  void Bezier(const float*, const float*) override {}
};

TEST_F(ViewTest, FileOutputsClipLinesToTheWindowAndDropFarAwayOnes) {
  RecordingWriter writer;
  SetGraphicsFileWriter(&writer);
  DxfOutput = true;
  DrawLine2(0.0f, 0.0f, 1000.0f, 0.0f);      // from inside to far outside: ends on the border
  DrawLine2(20.0f, 100.0f, 30.0f, 200.0f);   // both ends beyond the same corner: dropped
  DrawLine2(-1.0e6f, -20.0f, 1.0e6f, 20.0f);  // far away on both sides, through the window
  DrawLine2(-9.0f, -4.0f, 9.0f, 4.0f);       // inside: kept as it is
  ASSERT_EQ(writer.lines.size(), 3u);
  // The outside end moved onto the right border (the ends come swapped).
  EXPECT_EQ(writer.lines[0], (std::vector<float>{10.0f, 0.0f, 0.0f, 0.0f}));
  // A nearly flat line crossing it all leaves the window at its sides.
  EXPECT_NEAR(writer.lines[1][0], 10.0f, kTolerance);
  EXPECT_NEAR(writer.lines[1][1], 0.0f, 1.0e-3f);
  EXPECT_NEAR(writer.lines[1][2], -10.0f, kTolerance);
  EXPECT_NEAR(writer.lines[1][3], 0.0f, 1.0e-3f);
  EXPECT_EQ(writer.lines[2], (std::vector<float>{-9.0f, -4.0f, 9.0f, 4.0f}));
  // EPS takes lines unclipped; rectangles are four lines on every writer.
  DxfOutput = false;
  EpsOutput = true;
  writer.lines.clear();
  DrawLine2(0.0f, 0.0f, 1000.0f, 0.0f);
  DrawRectangle2(0.0f, 0.0f, 50.0f, 60.0f);
  ASSERT_EQ(writer.lines.size(), 5u);
  EXPECT_EQ(writer.lines[0][2], 1000.0f);
  EXPECT_EQ(writer.lines[3], (std::vector<float>{50.0f, 60.0f, 0.0f, 60.0f}));
  // Text extents of the plotter are per character.
  EpsOutput = false;
  PltOutput = true;
  float width = 0.0f, height = 0.0f;
  TextExtent2("abcd", width, height);
  EXPECT_NEAR(width, 4 * 0.09f / 10.0f, kTolerance);
  EXPECT_NEAR(height, 0.1f / 10.0f, kTolerance);
}

TEST_F(ViewTest, ScaleArrowsAndRectanglesOnABitmap) {
  SetGraphicsScale(0.0f);
  EXPECT_EQ(GraphicsScale, 1.0f);
  SetGraphicsScale(std::nanf(""));
  EXPECT_EQ(GraphicsScale, 1.0f);
  SetGraphicsScale(10.0f);
  EXPECT_NEAR(Size7Px, 0.7f, kTolerance);

  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 200, 100);
  SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 200, 100, WHITENESS);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetGraphicsDc(dc);
  // A rectangle covers px(x2) inclusive: 100 .. 120 wide, 21 columns.
  DrawRectangle2(0.0f, 0.0f, 2.0f, 2.0f);
  EXPECT_EQ(GetPixel(dc, 100, 45), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 120, 45), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 121, 45), RGB(255, 255, 255));
  // An arrow of no length draws nothing.
  PatBlt(dc, 0, 0, 200, 100, WHITENESS);
  DrawArrow2(3.0f, 3.0f, 3.0f, 3.0f, 0);
  for (int x = 120; x < 150; ++x) EXPECT_EQ(GetPixel(dc, x, 20), RGB(255, 255, 255));
  // Style 2 stops its shaft two head lengths short of the tip.
  SetArrowSize(96.0f);  // head 7.2 pixels
  DrawArrow2(-9.0f, 0.0f, 9.0f, 0.0f, 2);
  const int shaftEnd = PixelX(-9.0f + 18.0f * (1.0f - 2.0f * ArrowHeadLength / 10.0f / 18.0f));
  EXPECT_EQ(GetPixel(dc, shaftEnd - 2, 50), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 12, 50), RGB(0, 0, 0));
  SetGraphicsDc(nullptr);
  DeleteDC(dc);
  DeleteObject(bitmap);
  DeleteObject(pen);
}

TEST_F(ViewTest, AnArrowLabelForANearlyVerticalArrowIsCentredUnderItsTip) {
  PltOutput = true;
  // (0.03, -1): the small x part counts as 0 for the placed text.
  struct TextWriter : RecordingWriter {
    float x = 0.0f, y = 0.0f;
    void Text(float tx, float ty, const std::string&) override {
      x = tx;
      y = ty;
    }
  } text;
  SetGraphicsFileWriter(&text);
  DrawArrowLabel2(0.0f, 0.0f, 0.03f, -1.0f, 20.0f, "FX");
  float width = 0.0f, height = 0.0f;
  TextExtent2("FX", width, height);
  EXPECT_NEAR(text.x, -width / 2.0f, kTolerance);
  EXPECT_NEAR(text.y, -2.0f - height, kTolerance);
}

}  // namespace
