// The bend in the graphics window, through the program: in lines its
// lead-in and either the two tangent lines or, with "Curved bends", the arc
// with its tangents dotted, where the bend's geometry puts them; rendered,
// its tube and arc in the element colour; an arc that cannot be placed as
// one line (red when rendered); and a click on the bend making its row the
// current Layout row, highlighted, with its dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsTesting.h"
#include "elements/Bend.h"
#include "elements/BendDialog.h"
#include "elements/BendGeometry.h"
#include "graphics/DrawingColours.h"
#include "graphics/GraphicsSettings.h"
#include "model/LayoutTable.h"
#include "model/Nodes.h"
#include "shell/TableWindow.h"

namespace {

class BendDrawingTest : public GraphicsFixture {
 protected:
  static constexpr int kBendRow = 3;

  // From 10 at the origin, a pipe to 20 (100 in along X), a bend of User
  // radius `radius` at corner 30 (100 in further), a pipe 100 in up to 40;
  // seen along Z.
  void ShowBend(float radius) {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 100, 0, "S8"},
             {30, ElementType::Bend, 100, 0, ""},
             {40, ElementType::Pipe, 0, 100, "S8"}});
    Bend& bend = TheBend();
    bend.radiusType = kBendRadiusUser;
    bend.radius = radius;
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static void GoTo(int row) {
    TableGoTo(TheLayoutTable(), row);
    platform::RunUntilIdle();
  }
  static Bend& TheBend() { return dynamic_cast<Bend&>(*TheModel().row(kBendRow).element); }

  // The arc's centreline point at `fraction` of the bend angle, from the
  // geometry the model made.
  static POINT ArcPixel(double fraction) {
    const Model& model = TheModel();
    const Bend& bend = TheBend();
    const NodeRecord& near = model.nodes[FindNodeIndex(model.nodes, 30 + kArcNearOffset)];
    const NodeRecord& far = model.nodes[bend.farNode];
    const Vector3d point = BendArcPoint({near.x, near.y, near.z}, {far.x, far.y, far.z},
                                        {bend.centre[0], bend.centre[1], bend.centre[2]}, bend.bendAngle,
                                        fraction * bend.bendAngle);
    return PixelOf(static_cast<float>(point[0]), static_cast<float>(point[1]), static_cast<float>(point[2]));
  }

  // Pixels of `colour` within `reach` pixels of a point.
  static int CountNear(POINT at, int reach, COLORREF colour) {
    int count = 0;
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx) count += Pixel(at.x + dx, at.y + dy) == colour ? 1 : 0;
    return count;
  }

  static void SetCurvedBends(bool on) {
    TheModel().graphics.show[kShowCurvedBends] = on ? 1 : 0;
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }

};

TEST_F(BendDrawingTest, InLinesTheTangentsOrTheCurveStandWhereTheGeometryPutsThem) {
  ShowBend(30.0f);
  ASSERT_NE(TheBend().BendGeometryValid, 0);
  const COLORREF element = CurrentDrawingStyle().element;
  const COLORREF construction = CurrentDrawingStyle().construction;
  // The arc from (170, 0) to (200, 30) about (170, 30).
  EXPECT_NEAR(TheBend().centre[0], 170.0f, 0.01f);
  EXPECT_NEAR(TheBend().centre[1], 30.0f, 0.01f);
  const POINT leadIn = PixelOf(135.0f, 0.0f, 0.0f);
  const POINT nearTangent = PixelOf(185.0f, 0.0f, 0.0f);
  const POINT farTangent = PixelOf(200.0f, 15.0f, 0.0f);
  EXPECT_EQ(Pixel(leadIn.x, leadIn.y), element);

  // "Curved bends" off: the two tangent lines, nothing on the arc between them.
  EXPECT_EQ(Pixel(nearTangent.x, nearTangent.y), element);
  EXPECT_EQ(Pixel(farTangent.x, farTangent.y), element);
  for (double fraction : {0.3, 0.5, 0.7}) EXPECT_EQ(CountNear(ArcPixel(fraction), 2, element), 0) << fraction;

  // On: the arc where the geometry puts it (the curve is within a pixel or
  // two of the circle), the tangents dotted in the construction colour.
  SetCurvedBends(true);
  for (double fraction : {0.25, 0.5, 0.75}) EXPECT_GT(CountNear(ArcPixel(fraction), 2, element), 0) << fraction;
  EXPECT_EQ(CountNear(nearTangent, 1, element), 0);
  EXPECT_GT(CountNear(nearTangent, 3, construction), 0);
  EXPECT_GT(CountNear(farTangent, 3, construction), 0);
  EXPECT_EQ(Pixel(leadIn.x, leadIn.y), element);
}

TEST_F(BendDrawingTest, RenderedTheArcIsATubeInTheBendColour) {
  ShowBend(30.0f);
  Command(130);
  ASSERT_TRUE(RenderMode());
  for (double fraction : {0.2, 0.5, 0.8}) {
    const POINT on = ArcPixel(fraction);
    EXPECT_TRUE(IsGrey(Pixel(on.x, on.y))) << fraction << " " << std::hex << Pixel(on.x, on.y);
  }
  const POINT leadIn = PixelOf(135.0f, 0.0f, 0.0f);
  EXPECT_TRUE(IsGrey(Pixel(leadIn.x, leadIn.y)));
  // The centre of curvature lies 30 in from the tube's centreline: open.
  const POINT centre = PixelOf(170.0f, 30.0f, 0.0f);
  EXPECT_EQ(Pixel(centre.x, centre.y), RGB(255, 255, 255));
  // The corner, outside the arc, is open too: the tube turns before it.
  const POINT corner = PixelOf(200.0f, 0.0f, 0.0f);
  EXPECT_EQ(Pixel(corner.x - 2, corner.y + 2), RGB(255, 255, 255));
}

TEST_F(BendDrawingTest, ABendWhoseArcCannotBePlacedIsOneLineRedWhenRendered) {
  ShowBend(300.0f);  // tangents of 300 in do not fit legs of 100 in
  ASSERT_EQ(TheBend().BendGeometryValid, 0);
  const POINT beforeCorner = PixelOf(190.0f, 0.0f, 0.0f);
  EXPECT_EQ(Pixel(beforeCorner.x, beforeCorner.y), CurrentDrawingStyle().element);
  Command(130);
  ASSERT_TRUE(RenderMode());
  // A one-pixel line: OpenGL may put it a pixel off the 2D layer's.
  EXPECT_GT(CountNear(beforeCorner, 1, RGB(255, 0, 0)), 0);
}

TEST_F(BendDrawingTest, ClickingABendMakesItsRowCurrentAndOpensItsDialog) {
  ShowBend(30.0f);
  auto cancel = [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); };
  // Inside the near-corner-far triangle, off the arc: the line picture's pick.
  const POINT inside = PixelOf(192.0f, 6.0f, 0.0f);
  platform::ExpectModal(platform::ModalKind::Dialog, BendDialogName(), cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(inside.x, inside.y);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kBendRow);
  EXPECT_EQ(TheLayoutTable().currentRow, kBendRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, kBendRow);

  // The pipe after the bend is its own row; a click on the bend's lead-in
  // picks the bend's row without its dialog.
  GoTo(4);
  const POINT leadIn = PixelOf(150.0f, 0.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(leadIn.x, leadIn.y + 3);
  EXPECT_EQ(TheModel().currentRow, kBendRow);

  // Rendered, the arc's thirds are picked.
  GoTo(4);
  Command(130);
  const POINT onArc = ArcPixel(0.5);
  platform::ExpectModal(platform::ModalKind::Dialog, BendDialogName(), cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(onArc.x, onArc.y);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kBendRow);
}

}  // namespace
