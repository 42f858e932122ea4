// The Layout window on a private Xvfb server with a small model of a few
// rows (a From, pipes, a bend, an anchor and a guide): what the server shows
// of the window must be what the layer drew, pixel for pixel. Both pictures
// are kept in the build folder (layout-window-*.png) to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "model/LayoutTesting.h"
#include "x11/XvfbServer.h"

// It brings X11 in too: after the program's headers. Xlib's Screen record
// would clash with the program's screen metrics, so it goes by another name.
#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

class LayoutWindowX11Test : public OnXvfb<LayoutFixture> {
 protected:
};

TEST_F(LayoutWindowX11Test, AModelIsShownAsTheLayerDrewIt) {
  HWND frame = LayoutFrame().window;
  SetWindowPos(frame, nullptr, 20, 20, 760, 300, SWP_NOZORDER);
  platform::RunUntilIdle();
  // The rows are made in code: typing is the headless tests' business.
  Model& model = TheModel();
  auto add = [&](NodeId node, ElementType type, float dx, float dy, float dz) {
    const int number = ++model.rowCount;
    LayoutRow& target = model.row(number);
    target.node = node;
    SetElementType(model, number, type);
    target.dx = dx;
    target.dy = dy;
    target.dz = dz;
    if (ElementTypeHasProperties(type)) {
      target.material = "A106";
      target.section = "S4";
      target.load = "L1";
    }
    return number;
  };
  add(10, ElementType::From, 0, 0, 0);
  SetDataType(model, add(20, ElementType::Pipe, 1000 / 25.4f, 0, 0), DataType::Anchor);
  add(30, ElementType::Bend, 500 / 25.4f, 0, 0);
  add(40, ElementType::Pipe, 0, 750 / 25.4f, 0);
  SetDataType(model, add(50, ElementType::Pipe, 0, 0, -300 / 25.4f), DataType::Guide);
  MakeModel(model);
  model.currentRow = 3;
  UpdateLayoutTitle();
  platform::RunUntilIdle();
  ASSERT_EQ(table().rowCount, 7);

  const std::string folder = "layout-window-";
  const Picture drawn = LayerPicture(frame, folder + "headless.png");
  ASSERT_GT(drawn.width, 0);
  platform::SyncPresenter();
  Display* x = XOpenDisplay(display_.c_str());
  ASSERT_NE(x, nullptr);
  RECT rect{};
  GetWindowRect(frame, &rect);
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

}  // namespace
