// Nodal forces in the graphics window, through the program: in lines one
// labelled arrow per non-zero component in the load colour, forces along
// the projected +X, +Y, +Z (a negative one with its head at the node),
// moments along the projected -X, -Y, -Z; none while forces are hidden,
// none rendered; a click on the arrows makes the row current, highlights
// the force and opens FORCE_DIALOG, and not while hidden or rendered.
#include <gtest/gtest.h>

#include "graphics/GraphicsTesting.h"
#include "loads/Force.h"
#include "model/DrawingColours.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class ForceSymbolsTest : public GraphicsFixture {
 protected:
  static constexpr int kForceRow = 2;

  // From 10 at the origin, a pipe of 8 in to 20 (100 in along X) with a
  // force of +100 lb along X, -50 lb along Y and a moment of 40 ft-lb
  // about Y; seen along Z, so +X runs right, +Y up and -Y's moment arrow
  // down.
  void ShowForce() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S8"}});
    PutItem(model, kForceRow, DataType::Force);
    auto& force = dynamic_cast<NodalForce&>(*model.row(kForceRow).item);
    force.FX = 100.0f;
    force.FY = -50.0f;
    force.MY = 480.0f;
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
  static void ShowForces(bool shown) {
    TheModel().graphics.show[kShowForces] = shown ? 1 : 0;
    Redraw();
  }
  static COLORREF At(int dx, int dy) {
    const POINT p = PixelOf(100, 0, 0.0f);
    return Pixel(p.x + dx, p.y + dy);
  }
  // Whether any pixel of the box (dx0..dx1, dy0..dy1) from the node has the colour.
  static bool AnyIn(int dx0, int dy0, int dx1, int dy1, COLORREF colour) {
    for (int dy = dy0; dy <= dy1; ++dy)
      for (int dx = dx0; dx <= dx1; ++dx)
        if (At(dx, dy) == colour) return true;
    return false;
  }
  static void ClickAt(int dx, int dy) {
    const POINT p = PixelOf(100, 0, 0.0f);
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    Click(p.x + dx, p.y + dy);
  }
};

TEST_F(ForceSymbolsTest, ArrowsInTheLoadColourAlongTheProjectedAxes) {
  ShowForce();
  ShowForces(true);
  const COLORREF load = CurrentDrawingStyle().load;
  ASSERT_NE(load, kWhite);
  // FX to the right of the node, FY above it, MY's arrow below it (along -Y);
  // nothing to the left, where the pipe comes in, beyond the pipe's line.
  EXPECT_EQ(At(12, 0), load);
  EXPECT_EQ(At(0, -12), load);
  EXPECT_EQ(At(0, 12), load);
  EXPECT_FALSE(AnyIn(-30, -20, -6, -3, load));
  // Each arrow's label: the magnitude beyond its tip.
  EXPECT_TRUE(AnyIn(26, -12, 60, 12, load));
  EXPECT_TRUE(AnyIn(-20, -50, 20, -26, load));
  EXPECT_TRUE(AnyIn(-20, 26, 20, 50, load));
  // Hidden forces draw nothing.
  ShowForces(false);
  EXPECT_FALSE(AnyIn(6, -40, 40, 40, load));
  EXPECT_FALSE(AnyIn(-3, -40, 3, -6, load));
}

TEST_F(ForceSymbolsTest, AClickOnTheArrowsOpensTheForceDialog) {
  ShowForce();
  ShowForces(true);
  TheModel().currentRow = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "FORCE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Force at node 20");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ClickAt(14, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kForceRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, kForceRow);
  // Hidden, or in the rendered picture: no pick.
  HideHighlight();
  TheModel().currentRow = 1;
  ShowForces(false);
  ClickAt(14, 0);
  EXPECT_EQ(TheModel().currentRow, 1);
  ShowForces(true);
  Command(130);
  ClickAt(14, 0);
  EXPECT_EQ(TheModel().currentRow, 1);
}

}  // namespace
