// Zoom, fit, scroll, turn and centre, driven through the graphics window's
// commands, keys, toolbar and mouse: the fit of a one-point model and of a
// tiny window, the zoom limits, the rubber band's thresholds, the continuous
// zoom while the button is held, scrolling to the ends of the domain, the
// turning bars and the Center cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsTesting.h"
#include "graphics/Zoom.h"
#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Toolbar.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

class ZoomTest : public GraphicsFixture {
 protected:
  static ViewLimits Window() { return OnGraphics([] { return ViewWindow; }); }
  static Rect2 Extents() { return OnGraphics([] { return ViewExtents; }); }
  static float Scale() { return OnGraphics([] { return GraphicsScale; }); }
  static float Width(const ViewLimits& w) { return w.right - w.left; }
  static float Height(const ViewLimits& w) { return w.top - w.bottom; }
  static HWND Toolbar() { return GraphicsFrame().activeToolbar; }
  // "&Previous View" in the View menu (third popup) of another window.
  static bool PreviousViewOffered(const ::Frame& frame) {
    HMENU view = GetSubMenu(frame.menu, 2);
    if (view == nullptr) return false;
    SendMessage(frame.window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    return (GetMenuState(view, 267, MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  static bool ButtonEnabled(int command) {
    return (SendMessage(Toolbar(), TB_GETSTATE, static_cast<WPARAM>(command), 0) & TBSTATE_ENABLED) != 0;
  }
  // Presses far enough apart in time not to make a double click.
  static void Band(POINT from, POINT to, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    platform::TestMouse(Painting(), down, from.x, from.y);
    platform::TestMouse(Painting(), WM_MOUSEMOVE, to.x, to.y);
    platform::TestMouse(Painting(), up, to.x, to.y);
    platform::RunUntilIdle();
  }
};

TEST_F(ZoomTest, AOnePointModelIsFittedWithExtentsOfAtLeastTwoUnits) {
  Model& model = TheModel();
  model.rowCount = 1;
  model.row(1).node = 10;
  model.row(1).elementType = ElementType::From;
  model.row(1).element = CreateElementData(ElementType::From);
  ShowModel();
  SizeClient(600, 400);
  // "Recover Graphics" fits again until the extents stop moving.
  Command(40037);
  const ViewLimits window = Window();
  // The point's label box grown by a unit each side, and 5 % margins.
  EXPECT_GE(std::min(Width(window), Height(window)), 2.2f);
  EXPECT_LE(std::min(Width(window), Height(window)), 2.6f);
  EXPECT_NEAR(Scale(), 400.0f / Height(window), 0.5f);
  EXPECT_LT(window.left, 0.0f);
  EXPECT_GT(window.right, 0.0f);
  EXPECT_LT(window.bottom, 0.0f);
  EXPECT_GT(window.top, 0.0f);
}

// A spare row a million feet out, or a thousand, cut again: Zoom All draws
// the model as fresh, not at the scale symbols built at the far row's keep.
TEST_F(ZoomTest, ZoomAllAfterAFarRowIsCutFitsTheModelAsItFitsItFresh) {
  ShowPlant(60);
  SizeClient(600, 400);
  Command(131);
  const ViewLimits fresh = Window();
  const float scale = Scale();
  const int spare = TheModel().rowCount + 1;
  for (const char* far : {"1000000", "1000"}) {
    TableGoTo(table(), spare);
    TypeRow({"99990", "", far});
    Command(131);  // the model with the far row
    TableGoTo(table(), spare);
    SendMessage(LayoutFrame().window, WM_COMMAND, 126, 0);  // Cut
    Command(131);
    EXPECT_FLOAT_EQ(Scale(), scale) << far;
    EXPECT_FLOAT_EQ(Window().left, fresh.left) << far;
  }
}

TEST_F(ZoomTest, ATinyWindowIsFittedAsIfItWere200By150Pixels) {
  ShowPlant(60);
  SizeClient(100, 100);
  Command(131);
  Command(131);
  const Rect2 e = Extents();
  const float expected = std::min(200.0f / (1.1f * (e.xmax - e.xmin)), 150.0f / (1.1f * (e.ymax - e.ymin)));
  EXPECT_NEAR(Scale() / expected, 1.0f, 0.03f);
  // The window then shows a part of the model: 100 pixels at that scale.
  EXPECT_NEAR(Width(Window()), 100.0f / Scale(), 1.0e-3f * Width(Window()));
}

TEST_F(ZoomTest, ZoomingInStopsAtTheLimitAndZoomingOutStepsBackToIt) {
  ShowPlant(60);
  SizeClient(600, 400);
  for (int step = 0; step < 200 && OnGraphics([] { return CanZoomIn(); }); ++step) Command(132);  // Page Up
  // The extents shrink a little as the labels do: the limit is the last ones'.
  const float width = Extents().xmax - Extents().xmin;
  EXPECT_LE(Width(Window()), 0.025f * width * 1.001f);
  EXPECT_GT(Width(Window()), 0.025f * width / 1.06f);
  EXPECT_FALSE(ButtonEnabled(133));
  const float before = Width(Window());
  Command(132);
  EXPECT_EQ(Width(Window()), before);  // no further
  Command(134);  // Page Down
  EXPECT_GE(Width(Window()), 0.025f * Extents().xmax - 0.025f * Extents().xmin);
  EXPECT_TRUE(ButtonEnabled(133));
  // Zooming out stops once the window passes the model on every side.
  for (int step = 0; step < 400 && OnGraphics([] { return CanZoomOut(); }); ++step) Command(134);
  EXPECT_FALSE(OnGraphics([] { return CanZoomOut(); }));
  const ViewLimits out = Window();
  const Rect2 e = Extents();
  EXPECT_LT(out.left, e.xmin - 0.9f * (e.xmax - e.xmin));
  EXPECT_GT(out.top, e.ymax - 0.9f * (e.ymax - e.ymin));
}

TEST_F(ZoomTest, ABandZoomsFromSeventeenPixelsAndAClickUnderFourPicksNothingHere) {
  ShowPlant(60);
  SizeClient(600, 400);
  const ViewLimits start = Window();
  const float scale = Scale();
  EXPECT_FALSE(PreviousViewOffered(LayoutFrame()));
  EXPECT_FALSE(PreviousViewOffered(ListFrame()));
  Band({100, 100}, {104, 104});  // 4 pixels: neither a click nor a band
  EXPECT_EQ(Scale(), scale);
  Band({100, 100}, {116, 130});  // 16 wide: still nothing
  EXPECT_EQ(Scale(), scale);
  EXPECT_EQ(Width(Window()), Width(start));
  Band({100, 100}, {103, 103});  // a click on empty space: nothing picked
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  Band({100, 100}, {220, 180});  // 120 x 80: the band fills the window
  EXPECT_NEAR(Scale(), scale * 5.0f, scale * 0.05f);
  const ViewLimits zoomed = Window();
  EXPECT_NEAR((zoomed.left + zoomed.right) / 2.0f, start.left + 160.0f / scale, 2.0f / scale);
  EXPECT_NEAR((zoomed.bottom + zoomed.top) / 2.0f, start.top - 140.0f / scale, 2.0f / scale);
  // Once a view is kept the other windows offer it too.
  EXPECT_TRUE(PreviousViewOffered(LayoutFrame()));
  EXPECT_TRUE(PreviousViewOffered(ListFrame()));
  // The previous view comes back with F5, from the List window too, and
  // the zoomed one again after it.
  Command(267);
  EXPECT_NEAR(Scale(), scale, 1.0e-3f * scale);
  ASSERT_NE(ListFrame().window, nullptr);
  PostMessage(ListFrame().window, WM_COMMAND, 267, 0);
  platform::RunUntilIdle();
  EXPECT_NEAR(Scale(), scale * 5.0f, scale * 0.05f);
}

TEST_F(ZoomTest, HoldingTheZoomButtonZoomsUntilTheLimit) {
  ShowPlant(60);
  SizeClient(600, 400);
  RECT button{};
  SendMessage(Toolbar(), TB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&button));  // 133, Zoom in
  ASSERT_EQ(SendMessage(Toolbar(), TB_COMMANDTOINDEX, 133, 0), 7);
  platform::TestMouse(Toolbar(), WM_LBUTTONDOWN, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  platform::RunUntilIdle();
  EXPECT_FALSE(OnGraphics([] { return CanZoomIn(); }));
  EXPECT_FALSE(ButtonEnabled(133));
  EXPECT_TRUE(ButtonEnabled(135));
  platform::TestMouse(Toolbar(), WM_LBUTTONUP, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  platform::RunUntilIdle();
}

TEST_F(ZoomTest, ScrollingClampsToTheDomainAndTurnModeTurnsInThreeDegreeSteps) {
  ShowPlant(60);
  SizeClient(600, 400);
  Command(132);
  Command(132);
  const ViewLimits start = Window();
  SendMessage(Painting(), WM_VSCROLL, SB_LINEDOWN, 0);
  platform::RunUntilIdle();
  EXPECT_LT(Window().top, start.top);
  for (int step = 0; step < 100; ++step) SendMessage(Painting(), WM_HSCROLL, SB_PAGERIGHT, 0);
  platform::RunUntilIdle();
  const Rect2 e = Extents();
  const float domainRight = e.xmax + 0.9f * (e.xmax - e.xmin);
  EXPECT_NEAR(Window().right, domainRight, 1.0e-3f * (e.xmax - e.xmin));
  for (int step = 0; step < 100; ++step) SendMessage(Painting(), WM_KEYDOWN, VK_LEFT, 0);
  platform::RunUntilIdle();
  EXPECT_NEAR(Window().left, e.xmin - 0.9f * (e.xmax - e.xmin), 1.0e-3f * (e.xmax - e.xmin));

  Command(271);  // Turn
  EXPECT_TRUE(g_TurnMode);
  // About the up axis (Y): the viewpoint's bearing in the XZ plane turns.
  auto bearing = [] { return OnGraphics([] { return std::atan2(Viewpoint[0], Viewpoint[2]); }); };
  const float before = bearing();
  SendMessage(Painting(), WM_HSCROLL, SB_LINELEFT, 0);  // +1 step
  platform::RunUntilIdle();
  const float after = bearing();
  EXPECT_NEAR(after - before, 0.05236f, 1.0e-4f);
  SendMessage(Painting(), WM_HSCROLL, SB_PAGERIGHT, 0);  // -2 steps
  platform::RunUntilIdle();
  EXPECT_NEAR(bearing() - after, -2.0f * 0.05236f, 1.0e-4f);
  Command(271);
  EXPECT_FALSE(g_TurnMode);
}

TEST_F(ZoomTest, DoubleClickAndTheCenterCommandCentreTheViewOnAPoint) {
  ShowPlant(60);
  // The clicks below fall on a header's guide, whose pick would open its
  // dialog: guides are hidden, so that the clicks only centre.
  TheModel().graphics.show[kShowGuides] = 0;
  RequestGraphicsRedraw();
  SizeClient(600, 400);
  const ViewLimits start = Window();
  const float scale = Scale();
  // A double click arms the Center cursor; its release centres there.
  platform::TestMouse(Painting(), WM_LBUTTONDOWN, 150, 100);
  platform::TestMouse(Painting(), WM_LBUTTONUP, 150, 100);
  platform::TestMouse(Painting(), WM_LBUTTONDOWN, 150, 100);
  platform::TestMouse(Painting(), WM_LBUTTONUP, 150, 100);
  platform::RunUntilIdle();
  const ViewLimits centred = Window();
  EXPECT_NEAR(centred.left - start.left, -150.0f / scale, 1.0e-3f * Width(start));
  EXPECT_NEAR(centred.top - start.top, 100.0f / scale, 1.0e-3f * Width(start));
  // "Center" arms it for the next click; a key disarms it without centring.
  Command(440);
  SendMessage(Painting(), WM_KEYDOWN, VK_SHIFT, 0);
  Click(450, 300);
  EXPECT_EQ(Window().left, centred.left);
  Command(440);
  Click(450, 300);
  EXPECT_NEAR(Window().left - centred.left, 150.0f / scale, 1.0e-3f * Width(start));
  EXPECT_NEAR(Window().top - centred.top, -100.0f / scale, 1.0e-3f * Width(start));
}

}  // namespace
