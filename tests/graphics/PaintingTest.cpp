#include <gtest/gtest.h>

#include "GraphicsTesting.h"

namespace {

class PaintingTest : public GraphicsFixture {};

TEST_F(PaintingTest, LookAtIt) {
  ShowPlant(300);
  SizeClient(900, 650);
  platform::WriteWindowPng(Frame(), "look-wire.png");
  Command(130);
  platform::WriteWindowPng(Frame(), "look-render.png");
  platform::TestMouse(Painting(), WM_LBUTTONDOWN, 300, 200);
  platform::TestMouse(Painting(), WM_MOUSEMOVE, 500, 350);
  platform::TestMouse(Painting(), WM_LBUTTONUP, 500, 350);
  platform::RunUntilIdle();
  platform::WriteWindowPng(Frame(), "look-render-zoom.png");
  Command(130);
  platform::WriteWindowPng(Frame(), "look-wire-zoom.png");
  EXPECT_TRUE(IsWindowVisible(Frame()));
}

}  // namespace
