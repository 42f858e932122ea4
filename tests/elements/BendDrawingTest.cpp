// The bend in the graphics window, through the program: in lines the two
// tangents, or with "Curved bends" the arc (tangents dotted) where the
// bend's geometry puts it; rendered, its arc in the element colour; an arc
// that cannot be placed as one line (red when rendered); a click on the
// bend making its row current with its dialog.
#include <gtest/gtest.h>

#include "editing/LayoutTable.h"
#include "elements/Bend.h"
#include "elements/BendDialog.h"
#include "elements/BendGeometry.h"
#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"

namespace {

class BendDrawingTest : public GraphicsFixture {
 protected:
  static constexpr int kBendRow = 3;

  // From 10 at the origin, a pipe to 20 (100 in along X), a bend of User
  // radius 30 in at corner 30 (100 in further), a pipe 100 in up; seen
  // along Z. The arc runs from (170, 0) to (200, 30) about (170, 30).
  void ShowBend() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 100, 0, "S8"},
             {30, ElementType::Bend, 100, 0, ""},
             {40, ElementType::Pipe, 0, 100, "S8"}});
    Bend().radiusType = kBendRadiusUser;
    Bend().radius = 30.0f;
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static ::Bend& Bend() { return dynamic_cast<::Bend&>(*TheModel().row(kBendRow).element); }
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
  // The arc's centreline at `fraction` of the bend angle, as the model's
  // geometry places it.
  static POINT ArcPixel(double fraction) {
    const Model& model = TheModel();
    const NodeRecord& near = model.nodes[FindNodeIndex(model.nodes, 30 + kArcNearOffset)];
    const NodeRecord& far = model.nodes[Bend().farNode];
    const float* c = Bend().centre;
    const Vector3d p = BendArcPoint({near.x, near.y, near.z}, {far.x, far.y, far.z}, {c[0], c[1], c[2]},
                                    Bend().bendAngle, fraction * Bend().bendAngle);
    return PixelOf(static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]));
  }
  static POINT At(float x, float y) { return PixelOf(x, y, 0.0f); }
  // Pixels of `colour` within `reach` pixels of a point.
  static int CountNear(POINT at, int reach, COLORREF colour) {
    int count = 0;
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx) count += Pixel(at.x + dx, at.y + dy) == colour ? 1 : 0;
    return count;
  }
};

TEST_F(BendDrawingTest, InLinesTheTangentsOrTheArcStandWhereTheGeometryPutsThem) {
  ShowBend();
  ASSERT_NE(Bend().BendGeometryValid, 0);
  const DrawingStyle& style = CurrentDrawingStyle();
  EXPECT_EQ(CountNear(At(135, 0), 0, style.element), 1);  // the lead-in
  EXPECT_EQ(CountNear(At(185, 0), 0, style.element), 1);  // the tangents
  EXPECT_EQ(CountNear(At(200, 15), 0, style.element), 1);
  for (double fraction : {0.3, 0.5, 0.7}) EXPECT_EQ(CountNear(ArcPixel(fraction), 2, style.element), 0);

  // "Curved bends": the arc (the curve keeps within two pixels of the
  // circle), the tangents dotted in the construction colour.
  TheModel().graphics.show[kShowCurvedBends] = 1;
  Redraw();
  for (double fraction : {0.25, 0.5, 0.75}) EXPECT_GT(CountNear(ArcPixel(fraction), 2, style.element), 0);
  EXPECT_EQ(CountNear(At(185, 0), 1, style.element), 0);
  EXPECT_GT(CountNear(At(185, 0), 3, style.construction), 0);
  EXPECT_GT(CountNear(At(200, 15), 3, style.construction), 0);

  // Tangents of 300 in do not fit legs of 100 in: one line to the corner,
  // red when rendered (a one-pixel line OpenGL may put a pixel off).
  Bend().radius = 300.0f;
  MakeModel(TheModel());
  Redraw();
  ASSERT_EQ(Bend().BendGeometryValid, 0);
  EXPECT_EQ(CountNear(At(190, 0), 0, style.element), 1);
  Command(130);
  EXPECT_GT(CountNear(At(190, 0), 1, RGB(255, 0, 0)), 0);
}

TEST_F(BendDrawingTest, RenderedTheArcIsGreyAndAClickOnTheBendOpensItsRow) {
  ShowBend();
  auto cancel = [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); };
  // In lines, inside the near-corner-far triangle off the arc.
  platform::ExpectModal(platform::ModalKind::Dialog, BendDialogName(), cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(At(192, 6).x, At(192, 6).y);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kBendRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, kBendRow);

  Command(130);
  for (double fraction : {0.2, 0.5, 0.8}) EXPECT_TRUE(IsGrey(Pixel(ArcPixel(fraction).x, ArcPixel(fraction).y)));
  EXPECT_TRUE(IsGrey(Pixel(At(135, 0).x, At(135, 0).y)));
  // The centre of curvature and the corner lie off the tube.
  EXPECT_EQ(Pixel(At(170, 30).x, At(170, 30).y), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(At(200, 0).x - 2, At(200, 0).y + 2), RGB(255, 255, 255));
  // Rendered, the arc's thirds are picked.
  TableGoTo(TheLayoutTable(), 4);
  platform::ExpectModal(platform::ModalKind::Dialog, BendDialogName(), cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(ArcPixel(0.5).x, ArcPixel(0.5).y);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kBendRow);
}

}  // namespace
