// The graphics window on a private Xvfb server with a branched model of a
// few hundred pipe rows in three dimensions: in line mode and rendered, fitted
// and zoomed, with node numbers and the highlighted current row. What the
// server shows of the window must be what the layer drew, pixel for pixel;
// the pictures are kept in the build folder (graphics-window-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <string>

#include "graphics/GraphicsTesting.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "x11/XvfbServer.h"

#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

class GraphicsWindowX11Test : public OnXvfb<GraphicsFixture> {
 protected:
  // The frame as the layer drew it and as the server shows it: the same.
  void ExpectShownAsDrawn(const std::string& name) {
    platform::RunUntilIdle();
    const std::string folder = "graphics-window-" + name + "-";
    const Picture drawn = LayerPicture(Frame(), folder + "headless.png");
    ASSERT_GT(drawn.width, 0);
    platform::SyncPresenter();
    Display* x = XOpenDisplay(display_.c_str());
    ASSERT_NE(x, nullptr);
    RECT rect{};
    GetWindowRect(Frame(), &rect);
    Picture shown;
    auto arrived = [&] {
      XSync(x, False);
      shown = ServerPicture(x, DefaultRootWindow(x), rect.left, rect.top, drawn.width, drawn.height);
      return Differences(shown, drawn) == 0;
    };
    bool same = false;
    for (int turn = 0; turn < 100 && !same; ++turn) same = platform::PumpUntil(arrived, 100);
    if (!shown.pixels.empty()) WritePicture(folder + "x11.png", shown);
    XCloseDisplay(x);
    EXPECT_TRUE(same) << Differences(shown, drawn) << " pixels differ from the headless surface";
  }
};

TEST_F(GraphicsWindowX11Test, ABranchedModelInLinesAndRendered) {
  ShowPlant(320);
  ASSERT_GE(TheModel().rowCount, 300);
  // The Layout window would stand over the picture on a screen without a
  // window manager.
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetWindowPos(Frame(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SizeClient(900, 620);
  Command(311);  // the axes at the top right
  Command(131);
  ExpectShownAsDrawn("wireframe");
  Command(130);
  ASSERT_TRUE(RenderMode());
  ExpectShownAsDrawn("rendered");

  // Closer, with node numbers and the current row highlighted.
  TheModel().graphics.show[kShowNodeNumbers] = 1;
  TheModel().graphics.showNodeNumbersGl = 1;
  RequestGraphicsRedraw();
  const POINT from = PixelOf(1100.0f, 0.0f, 400.0f);
  const POINT to = PixelOf(2500.0f, 0.0f, -150.0f);
  DragBand(from, to, 60, 40);
  ExpectShownAsDrawn("rendered-zoomed");
  Command(130);
  ASSERT_FALSE(RenderMode());
  const POINT header = PixelOf(1740.0f, 0.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(header.x, header.y);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  ExpectShownAsDrawn("wireframe-zoomed");
}

}  // namespace
