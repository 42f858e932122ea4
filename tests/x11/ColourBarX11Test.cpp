// The colour bar of a stress picture over the rendered model, in a real X11
// window under a window manager (openbox), zoomed with the wheel on the
// server as a user does: the server shows what the layer drew, the bar
// stays in its place and its labels stay on their card, never over the
// picture. The screens before and after the zoom are kept in the build
// folder (colour-bar-x11-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "graphics/GraphicsTesting.h"
#include "graphics/GraphicsWindow.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

const std::array<std::string, 5> kScaleTexts = {"21000 psi", "16000 psi", "11000 psi", "6000 psi", "1000 psi"};

class ColourBarX11Test : public OnXvfbWithWindowManager<GraphicsFixture> {
 protected:
  void TearDown() override {
    ClearResultPicture();
    platform::RunUntilIdle();
    if (RenderMode()) Command(130);
    OnXvfbWithWindowManager<GraphicsFixture>::TearDown();
  }
  // What the server shows of the painting window once it matches what the
  // layer drew there (false when it never does), kept at `path`.
  bool ShownAsDrawn(const std::string& path, Picture& shown) {
    platform::RunUntilIdle();
    platform::SyncPresenter();
    POINT origin{0, 0};
    ClientToScreen(Painting(), &origin);
    RECT client{};
    GetClientRect(Painting(), &client);
    // The painting window's part of the frame's surface.
    const Picture frame = LayerPicture(Frame(), path + ".layer.png");
    RECT frameRect{};
    GetWindowRect(Frame(), &frameRect);
    const int left = origin.x - frameRect.left, top = origin.y - frameRect.top;
    if (left < 0 || top < 0 || left + client.right > frame.width || top + client.bottom > frame.height) return false;
    Picture drawn;
    drawn.width = client.right;
    drawn.height = client.bottom;
    for (int y = 0; y < drawn.height; ++y)
      for (int x = 0; x < drawn.width; ++x)
        drawn.pixels.push_back(frame.pixels[static_cast<std::size_t>(top + y) * frame.width + left + x]);
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return false;
    auto arrived = [&] {
      XSync(x, False);
      shown = ServerPicture(x, DefaultRootWindow(x), origin.x, origin.y, drawn.width, drawn.height);
      return Differences(shown, drawn) == 0;
    };
    bool same = false;
    for (int turn = 0; turn < 100 && !same; ++turn) same = platform::PumpUntil(arrived, 100);
    if (!same) {
      int frameX = 0, frameY = 0;
      XInput input(display_);
      const bool placed = input.PlaceOf(TextOf(Frame()), &frameX, &frameY);
      ADD_FAILURE() << "the layer has the frame at " << frameRect.left << "," << frameRect.top << " and its painting at "
                    << origin.x << "," << origin.y << " (" << drawn.width << "x" << drawn.height << "); the server "
                    << (placed ? "has the frame at " + std::to_string(frameX) + "," + std::to_string(frameY)
                               : std::string("does not show it"))
                    << ", " << (shown.pixels.empty() ? "no picture there" : std::to_string(Differences(shown, drawn)) + " pixels differ");
    }
    if (!shown.pixels.empty()) WritePicture(path, shown);
    XCloseDisplay(x);
    return same;
  }
  static COLORREF At(const Picture& picture, int x, int y) {
    const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
    return RGB((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
  }
  // The bar's middle column and, beside it, whether any picture colour
  // shows inside the label column's text boxes.
  struct Bar {
    std::vector<COLORREF> column;
    int pictureUnderLabels = 0;
  };
  static Bar ReadBar(const Picture& shown) {
    Bar bar;
    RunOnGraphicsThread([&] {
      HDC dc = PaintingDc();
      const float r = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
      TEXTMETRIC metrics{};
      GetTextMetrics(dc, &metrics);
      const int top = static_cast<int>(20.0f * r), bottom = static_cast<int>(212.0f * r);
      for (int y = top; y <= bottom; ++y) bar.column.push_back(At(shown, static_cast<int>(32.0f * r), y));
      const int x = static_cast<int>(45.0f * r) + metrics.tmAveCharWidth;
      for (int i = 0; i < 5; ++i) {
        const std::string& text = kScaleTexts[static_cast<std::size_t>(i)];
        SIZE extent{};
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        const int baseline = top + (bottom - top) * i / 4 + (metrics.tmAscent - metrics.tmInternalLeading) / 2;
        for (int py = baseline - metrics.tmAscent; py < baseline + metrics.tmDescent; ++py)
          for (int px = x; px < x + extent.cx; ++px) bar.pictureUnderLabels += ScaleColour(At(shown, px, py));
      }
    });
    return bar;
  }
};

TEST_F(ColourBarX11Test, TheBarKeepsItsPlaceAndItsLabelsStayReadableWhenTheWheelZooms) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ShowPlant(60);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetWindowPos(Frame(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SizeClient(800, 560);
  Command(131);
  Command(130);
  ASSERT_TRUE(RenderMode());
  ShowStressPicture(1000.0f, 21000.0f, 1000.0f, 21000.0f, kScaleTexts);
  SetForegroundWindow(Frame());
  platform::RunUntilIdle();
  platform::SyncPresenter();
  const std::string frameTitle = TextOf(Frame());
  ASSERT_TRUE(platform::PumpUntil([&] { return windows.ShownWindowTitled(frameTitle) != 0; }, 10000));
  Picture before;
  ASSERT_TRUE(ShownAsDrawn("colour-bar-x11-before-zoom.png", before));
  const Bar barBefore = ReadBar(before);
  EXPECT_EQ(barBefore.column.front(), RGB(255, 0, 0));
  EXPECT_EQ(barBefore.column.back(), RGB(0, 0, 255));
  // Wheel notches over the model, each one zoom step in, until the model
  // fills the window behind the scale.
  POINT middle{400, 280};
  ClientToScreen(Painting(), &middle);
  for (int notch = 0; notch < 24; ++notch) {
    const float scale = OnGraphics([] { return GraphicsScale; });
    input.Wheel(middle.x, middle.y, true);
    // The zoom happens on the graphics thread: this one looks now and then.
    auto zoomed = [&] { return OnGraphics([] { return GraphicsScale; }) > scale; };
    bool done = false;
    for (int turn = 0; turn < 100 && !done; ++turn) done = platform::PumpUntil(zoomed, 100);
    ASSERT_TRUE(done) << "notch " << notch << " did not zoom";
    if (notch == 0) {
      Picture once;
      ASSERT_TRUE(ShownAsDrawn("colour-bar-x11-after-one-zoom.png", once));
      EXPECT_EQ(ReadBar(once).column, barBefore.column);
      EXPECT_EQ(ReadBar(once).pictureUnderLabels, 0);
    }
  }
  Picture after;
  ASSERT_TRUE(ShownAsDrawn("colour-bar-x11-after-zoom.png", after));
  const Bar barAfter = ReadBar(after);
  EXPECT_EQ(barAfter.column, barBefore.column);
  EXPECT_EQ(barAfter.pictureUnderLabels, 0);
  // The zoomed picture does reach the scale: coloured pipes beside it.
  int coloured = 0;
  for (int y = 0; y < after.height; ++y)
    for (int x = 0; x < 12; ++x) coloured += ScaleColour(At(after, x, y));
  EXPECT_GT(coloured, 0);
}

}  // namespace
