// The sample model (pipes, a bend, two anchors, a restraint) opened from
// examples/Sample.mod, a branched plant with bends and restraints, and a
// line with a guide, limit stops, a snubber, a skewed restraint and a
// generic support, in
// the graphics window on a private Xvfb server: in lines (tangents, then
// "Curved bends"), rendered, fitted and zoomed. What the server shows must
// be what the layer drew, pixel for pixel, and the symbols must be there;
// the pictures are kept in the build folder (x11-symbols-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/FileCommands.h"
#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class ModelSymbolsX11Test : public OnXvfb<GraphicsFixture> {
 protected:
  // The graphics frame alone on the screen (no window manager would keep
  // the Layout window off it), its picture 900 by 620.
  void PlaceGraphicsWindow() {
    ShowWindow(LayoutFrame().window, SW_HIDE);
    SetWindowPos(Frame(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SizeClient(900, 620);
    Command(131);
  }
  void ExpectOnScreen(const std::string& name) {
    platform::RunUntilIdle();
    EXPECT_EQ(CompareWindowWithScreen(display_, Frame(), std::string(QUORVEL_BINARY_DIR) + "/x11-symbols-" + name), 0)
        << name;
  }
  // Pixels of the picture that satisfy `test`.
  template <typename Test>
  static int Count(Test test) {
    RECT client{};
    GetClientRect(Painting(), &client);
    int count = 0;
    for (int y = 0; y < client.bottom; y += 1)
      for (int x = 0; x < client.right; x += 1) count += test(Pixel(x, y)) ? 1 : 0;
    return count;
  }
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
};

TEST_F(ModelSymbolsX11Test, TheSampleModelIsDrawnWhole) {
  const std::string path = std::string(std::getenv("TMPDIR")) + "/Sample.mod";
  std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", path,
                             std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(OpenFileByExtension(nullptr, path));
  ShowModelWindows();
  platform::RunUntilIdle();
  PlaceGraphicsWindow();
  const COLORREF support = CurrentDrawingStyle().support;
  // Two anchor signs and a restraint's two arrows.
  EXPECT_GT(Count([support](COLORREF c) { return c == support; }), 60);
  ExpectOnScreen("sample-lines");
  TheModel().graphics.show[kShowCurvedBends] = 1;
  Redraw();
  EXPECT_GT(Count([](COLORREF c) { return c == CurrentDrawingStyle().construction; }), 4);
  ExpectOnScreen("sample-curved");
  Command(130);
  ASSERT_TRUE(RenderMode());
  EXPECT_GT(Count(IsOrange), 100);
  ExpectOnScreen("sample-rendered");
}

TEST_F(ModelSymbolsX11Test, ABranchedPlantWithBendsAndSupports) {
  ShowPlant(320, true);
  PlaceGraphicsWindow();
  TheModel().graphics.show[kShowCurvedBends] = 1;
  Redraw();
  ExpectOnScreen("plant-lines");
  Command(130);
  ASSERT_TRUE(RenderMode());
  ExpectOnScreen("plant-rendered");
  // Closer: a band around two branches of the first rack.
  const POINT from = PixelOf(1100.0f, 0.0f, 400.0f);
  const POINT to = PixelOf(2000.0f, 0.0f, -100.0f);
  DragBand(from, to, 60, 40);
  EXPECT_GT(Count(IsOrange), 200);
  ExpectOnScreen("plant-rendered-zoomed");
  Command(130);
  ASSERT_FALSE(RenderMode());
  ExpectOnScreen("plant-lines-zoomed");
}

// From an anchor at 10 along X to 20 (a guide), 30 (a +Y stop with both
// limits), up to 40 (a snubber along X), along Z to 50 (a skewed
// restraint along X), along X to 60 (a generic support) and 70 (a +Y stop
// against 20's node), seen from a corner where no two nodes meet.
TEST_F(ModelSymbolsX11Test, GuidesStopsSnubbersSkewedAndGenericSupports) {
  Model& model = TheModel();
  PlantModelBuilder::AddPlantProperties(model);
  AddRows({{10, ElementType::From, 0, 0, ""},
           {20, ElementType::Pipe, 120, 0, "S8"},
           {30, ElementType::Pipe, 120, 0, "S8"},
           {40, ElementType::Pipe, 0, 120, "S8"}});
  AddRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 120.0f);
  AddRows({{60, ElementType::Pipe, 120, 0, "S8"}, {70, ElementType::Pipe, 120, 0, "S8"}});
  for (int row = 5; row <= 7; ++row) {
    model.row(row).material = "CS";
    model.row(row).section = "S8";
    model.row(row).load = "L1";
  }
  PutItem(model, 1, DataType::Anchor);
  PutItem(model, 2, DataType::Guide);
  PutItem(model, 3, DataType::LimitStop);
  auto& stop = dynamic_cast<LimitStop&>(*model.row(3).item);
  stop.lowerLimit = 0.0f;
  stop.upperLimit = 1.0f;
  stop.dirY = 1.0f;
  PutItem(model, 4, DataType::Snubber);
  dynamic_cast<Snubber&>(*model.row(4).item).dirX = 1.0f;
  PutItem(model, 5, DataType::SkewedRestraint);
  auto& skewed = dynamic_cast<SkewedRestraint&>(*model.row(5).item);
  skewed.dirX = 1.0f;
  skewed.stiffness = 1.0e12f;
  PutItem(model, 6, DataType::GenericSupport);
  PutItem(model, 7, DataType::LimitStop);
  auto& linked = dynamic_cast<LimitStop&>(*model.row(7).item);
  linked.lowerLimit = 0.0f;
  linked.connectedNode = 20;
  model.graphics.viewDirection = {0.7f, 0.5f, 1.0f};
  ShowModel();
  PlaceGraphicsWindow();
  const COLORREF support = CurrentDrawingStyle().support;
  EXPECT_GT(Count([support](COLORREF c) { return c == support; }), 200);
  ExpectOnScreen("nonlinear-lines");
  Command(130);
  ASSERT_TRUE(RenderMode());
  EXPECT_GT(Count([](COLORREF c) { return GetBValue(c) > GetRValue(c) + 40; }), 30);  // the snubber
  ExpectOnScreen("nonlinear-rendered");
}

}  // namespace
