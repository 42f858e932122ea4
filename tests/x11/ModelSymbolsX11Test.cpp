// The sample model (pipes, a bend, two anchors, a restraint) opened from
// examples/Sample.mod, and a branched plant with bends and restraints, in
// the graphics window on a private Xvfb server: in lines (tangents, then
// "Curved bends"), rendered, fitted and zoomed. What the server shows must
// be what the layer drew, pixel for pixel, and the symbols must be there;
// the pictures are kept in the build folder (x11-symbols-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScreenCompare.h"
#include "XvfbServer.h"
#include "files/FileCommands.h"
#include "graphics/DrawingColours.h"
#include "graphics/GraphicsSettings.h"
#include "graphics/GraphicsTesting.h"

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

}  // namespace
