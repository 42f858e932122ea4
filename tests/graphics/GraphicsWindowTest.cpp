// The graphics frame through its menu, keys and toolbar: it comes up with an
// opened model and goes with File > Close; F2 goes to the text window it
// came from; render mode switches the menu text and the button; background,
// axes and symbol size; the tooltips; commands whose dialogs come later say
// so; a saved view shown whole in a window of another shape; and a paint
// stopped halfway.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <vector>
#include <thread>

#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "graphics/GraphicsTesting.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Toolbar.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

class GraphicsWindowTest : public GraphicsFixture {
 protected:
  static std::string Tooltip(int command) {
    NMTTDISPINFO info{};
    info.hdr.code = TTN_GETDISPINFO;
    info.hdr.idFrom = static_cast<UINT_PTR>(command);
    SendMessage(Frame(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText != nullptr ? info.lpszText : "";
  }
  // Every fifth pixel of the picture.
  static std::vector<COLORREF> Samples() {
    std::vector<COLORREF> samples;
    for (int y = 0; y < 600; y += 5)
      for (int x = 0; x < 800; x += 5) samples.push_back(Pixel(x, y));
    return samples;
  }
  static std::string MenuText(int command) {
    char text[64] = {};
    GetMenuString(GraphicsFrame().menu, static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  // The state of an item after its popup was opened (WM_INITMENUPOPUP).
  static UINT ItemState(int position, int command) {
    HMENU popup = GetSubMenu(GraphicsFrame().menu, position);
    SendMessage(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, 0));
    return GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND);
  }
};

TEST_F(GraphicsWindowTest, ComesUpWithTheModelAndGoesWithFileClose) {
  EXPECT_FALSE(IsWindowVisible(Frame()));
  ShowPlant(40);
  ASSERT_TRUE(IsWindowVisible(Frame()));
  EXPECT_EQ(TextOf(Frame()), "Quorvel : Graphics -  [Untitled]");
  TheModel().modified = false;
  PostMessage(LayoutFrame().window, WM_COMMAND, 103, 0);  // File > Close
  platform::RunUntilIdle();
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  // Closing the frame itself hides it and goes back to the Layout window.
  ShowPlant(40);
  SendMessage(Frame(), WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_EQ(GraphicsFrame().previous_frame, &LayoutFrame());
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
}

TEST_F(GraphicsWindowTest, MenuTextsButtonsAndTooltipsFollowTheModes) {
  ShowPlant(40);
  EXPECT_EQ(Tooltip(130), "Render");
  EXPECT_EQ(Tooltip(439), "Layout Window");
  EXPECT_EQ(Tooltip(271), "Turn");
  EXPECT_EQ(Tooltip(1234), "Unknown");
  EXPECT_EQ(ItemState(1, 258) & MF_GRAYED, 0u);
  EXPECT_NE(ItemState(1, 267) & MF_GRAYED, 0u);  // no previous view yet
  Command(130);
  EXPECT_EQ(MenuText(130), "Do not &render\tCtrl+R");
  EXPECT_EQ(Tooltip(130), "Do not render");
  EXPECT_NE(ItemState(1, 258) & MF_GRAYED, 0u);  // Redraw is for line mode
  Command(130);
  EXPECT_EQ(MenuText(130), "&Render\tCtrl+R");
  Command(271);
  EXPECT_EQ(Tooltip(271), "Do not turn");
  EXPECT_NE(SendMessage(GraphicsFrame().activeToolbar, TB_ISBUTTONCHECKED, 271, 0), 0);
  ItemState(1, 271);
  EXPECT_EQ(MenuText(271), "Do not &Turn\tCtrl+T");
  Command(122);  // a view change gives a previous view
  EXPECT_EQ(ItemState(1, 267) & MF_GRAYED, 0u);
  // Axes, background and quality are radio choices of the Options popup.
  Command(313);
  HMENU options = GetSubMenu(GraphicsFrame().menu, 2);
  ItemState(2, 310);
  EXPECT_NE(GetMenuState(GetSubMenu(options, 0), 313, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(GetSubMenu(options, 1), 353, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(GetSubMenu(options, 2), 40019, MF_BYCOMMAND) & MF_CHECKED, 0u);
  ItemState(3, 438);
  EXPECT_EQ(MenuText(438), "&Layout\tF2");
}

TEST_F(GraphicsWindowTest, BackgroundSymbolSizeAndTheTextWindow) {
  ShowPlant(40);
  TheModel().modified = false;
  EXPECT_EQ(Pixel(2, 2), RGB(255, 255, 255));
  Command(352);  // black
  EXPECT_EQ(Pixel(2, 2), RGB(0, 0, 0));
  Command(130);
  EXPECT_EQ(Pixel(2, 2), RGB(0, 0, 0));
  Command(353);  // white again, rendered
  EXPECT_EQ(Pixel(2, 2), RGB(255, 255, 255));
  Command(130);

  for (int step = 0; step < 15; ++step) Command(40080);
  EXPECT_FLOAT_EQ(g_SymbolScale, 2.0f);
  for (int step = 0; step < 25; ++step) Command(40081);
  EXPECT_FLOAT_EQ(g_SymbolScale, 0.1f);
  Command(40080);
  EXPECT_FLOAT_EQ(g_SymbolScale, 0.2f);
  for (int step = 0; step < 8; ++step) Command(40080);
  EXPECT_FLOAT_EQ(g_SymbolScale, 1.0f);
  EXPECT_FALSE(TheModel().modified);  // a view setting, not an edit

  // F2: to the frame the graphics came from, remembered.
  ShowWindow(LayoutFrame().window, SW_HIDE);
  platform::RunUntilIdle();
  Command(438);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(GraphicsFrame().previous_frame, &LayoutFrame());
}

TEST_F(GraphicsWindowTest, ResultDisplayCommandsWithoutResultsChangeNothing) {
  ShowPlant(40);
  const ViewLimits before = OnGraphics([] { return ViewWindow; });
  // The stress displays belong to the Results window, which is not open:
  // no message, no picture.
  for (int command : {332, 333}) {
    Command(command);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  EXPECT_FALSE(RenderMode());
  EXPECT_EQ(OnGraphics([] { return ViewWindow.left; }), before.left);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(GraphicsWindowTest, TheViewShownIsTheViewSavedAndOpenedAgain) {
  ShowPlant(40);
  Command(122);  // View X
  Command(132);
  Command(312);  // axes at the top left
  const ViewLimits shown = OnGraphics([] { return ViewWindow; });
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/viewed.mod";
  ASSERT_EQ(WriteModelFile(path), "");
  Model read;
  ReadModelFileInto(path, read);
  EXPECT_EQ(read.graphics.viewDirection, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
  EXPECT_EQ(read.graphics.viewLeft, shown.left);
  EXPECT_EQ(read.graphics.viewTop, shown.top);
  EXPECT_EQ(read.graphics.axesTriad, 2);
  // Another view, then the file opened: its view is shown again.
  Command(124);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  platform::RunUntilIdle();
  EXPECT_NEAR(OnGraphics([] { return ViewWindow.left; }), shown.left, 1.0e-3f * (shown.right - shown.left));
  EXPECT_EQ(OnGraphics([] { return Viewpoint; }), (Vec3{1.0f, 0.0f, 0.0f}));
  EXPECT_EQ(OnGraphics([] { return g_AxesPosition; }), 2);
}

// A view fitted to a picture that ran out of range (a beam section of
// huge depth) is no view the user set: the model is saved with "fit the
// model" in its place, not refused.
TEST_F(GraphicsWindowTest, AViewOutOfRangeIsSavedAsFitTheModel) {
  ShowPlant(4);
  OnGraphics([] {
    ViewWindow = ViewLimits{-1.856e38f, -1.856e38f, -2.0f, 2.0f};
    return 0;
  });
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/far-view.mod";
  ASSERT_EQ(WriteModelFile(path), "");
  EXPECT_FALSE(TheModel().modified);
  Model read;
  ReadModelFileInto(path, read);
  EXPECT_EQ(read.graphics.viewLeft, 0.0f);
  EXPECT_EQ(read.graphics.viewRight, 0.0f);
  EXPECT_EQ(read.graphics.viewTop, 0.0f);
}

// A model opened into a graphics window of another shape than the one its
// view was saved from shows the whole saved view: a view saved wide, opened
// into a tall window, is not cut at its sides (where the model's ends are)
// by the scale the window had for the view before.
TEST_F(GraphicsWindowTest, AnOpenedModelShowsItsWholeSavedViewInAWindowOfAnotherShape) {
  ShowPlant(40);
  SizeClient(800, 300);
  Command(131);  // Zoom All
  const ViewLimits saved = OnGraphics([] { return ViewWindow; });
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/wide-view.mod";
  ASSERT_EQ(WriteModelFile(path), "");
  SizeClient(300, 600);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  platform::RunUntilIdle();
  const ViewLimits shown = OnGraphics([] { return ViewWindow; });
  const float slack = 1.0e-4f * (saved.right - saved.left);
  EXPECT_LE(shown.left, saved.left + slack);
  EXPECT_GE(shown.right, saved.right - slack);
  EXPECT_LE(shown.bottom, saved.bottom + slack);
  EXPECT_GE(shown.top, saved.top - slack);
  // Whole and no smaller than it must be: the saved width fills the width.
  EXPECT_NEAR(shown.right - shown.left, saved.right - saved.left, 1.0e-3f * (saved.right - saved.left));
}

TEST_F(GraphicsWindowTest, AStoppedPaintEndsAtOnceAndTheNextOneDrawsItAll) {
  ShowPlant(7000);
  SizeClient(800, 600);
  const std::vector<COLORREF> reference = Samples();
  // Stop paints from another thread as they start, many times over.
  std::atomic<bool> done{false};
  std::atomic<int> stopped{0};
  std::thread stopper([&] {
    while (!done) {
      if (PaintInProgress()) {
        // Returns once the paint has ended, its abort flag cleared for the
        // next one (which may start at once).
        StopPainting();
        EXPECT_FALSE(PaintingAborted());
        ++stopped;
      }
      std::this_thread::yield();
    }
  });
  for (int round = 0; round < 5; ++round) {
    InvalidateRect(Painting(), nullptr, TRUE);
    platform::RunUntilIdle();
  }
  done = true;
  stopper.join();
  EXPECT_FALSE(PaintInProgress());
  EXPECT_FALSE(PaintingAborted());
  // A redraw requested now paints it all again: the same picture.
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  EXPECT_EQ(Samples(), reference);
  EXPECT_EQ(CurrentHighlight().pending, false);
  EXPECT_GT(stopped.load(), 0);
}

}  // namespace
