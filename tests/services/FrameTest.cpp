// Frame windows: placements kept inside the work area (1280 x 1024 headless)
// when set, created and restored from the registry; the show command rules;
// toolbars switched small, large and hidden resizing the client area; the
// frame-creation error texts.
#include "services/AppTesting.h"

namespace {

class FrameTest : public AppFixture {
 protected:
  static RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
  static void ExpectRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
  }
  // Child rectangle in its parent's client coordinates.
  static RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    POINT corner{r.left, r.top};
    ScreenToClient(GetParent(child), &corner);
    return RECT{corner.x, corner.y, corner.x + r.right - r.left, corner.y + r.bottom - r.top};
  }
};

TEST_F(FrameTest, ARectanglePartlyOutsideTheWorkAreaComesBackWithItsSize) {
  WINDOWPLACEMENT placement{};
  InitWindowPlacement(placement, 1200, 900, 1500, 1200);  // 300 x 300, a monitor removed
  placement.ptMaxPosition = POINT{-8, -8};
  FrameSetPlacement(LayoutFrame(), placement);
  ExpectRect(LayoutFrame().Placement().rcNormalPosition, 980, 724, 1280, 1024);
  EXPECT_EQ(LayoutFrame().Placement().ptMaxPosition.x, 0);
  InitWindowPlacement(placement, -50, -20, 150, 80);
  FrameSetPlacement(LayoutFrame(), placement);
  ExpectRect(LayoutFrame().Placement().rcNormalPosition, 0, 0, 200, 100);
  InitWindowPlacement(placement, 100, 100, 2100, 1300);  // larger than the work area
  FrameSetPlacement(LayoutFrame(), placement);
  ExpectRect(LayoutFrame().Placement().rcNormalPosition, 0, 0, 1280, 1024);
}

TEST_F(FrameTest, MinimisedIsAppliedAsNormalAndMaximisedStays) {
  WINDOWPLACEMENT placement{};
  InitWindowPlacement(placement, 10, 10, 300, 200);
  placement.showCmd = 2;
  FrameSetPlacement(ListFrame(), placement);
  EXPECT_EQ(ListFrame().Placement().showCmd, 1u);
  placement.showCmd = 3;
  FrameSetPlacement(ListFrame(), placement);
  EXPECT_EQ(ListFrame().Placement().showCmd, 3u);
}

TEST_F(FrameTest, PlacementsAreRestoredFromTheRegistryInsideTheWorkArea) {
  WINDOWPLACEMENT stored{};
  InitWindowPlacement(stored, 1100, 40, 1500, 340);  // 400 wide, off the right edge
  stored.flags = WPF_RESTORETOMAXIMIZED;
  stored.ptMaxPosition = POINT{-4, -4};
  BYTE bytes[44];
  EncodePlacement(stored, bytes);
  const std::string key = "Software\\TVQ Systems\\Quorvel\\9.00\\Window positions";
  Put(key, "Main", ByteList(bytes, bytes + 44));
  Put(key, "Material library", ByteList(bytes, bytes + 44));
  LoadProgramSettings();
  ExpectRect(FramePlacement(kPlacementMain).rcNormalPosition, 880, 40, 1280, 340);
  EXPECT_EQ(FramePlacement(kPlacementMain).ptMaxPosition.x, 0);
  EXPECT_EQ(FramePlacement(kPlacementMain).flags, static_cast<std::uint32_t>(WPF_RESTORETOMAXIMIZED));
  // The library windows keep their own records as stored.
  ExpectRect(FramePlacement(kPlacementMaterialLibrary).rcNormalPosition, 1100, 40, 1500, 340);
  EXPECT_EQ(FramePlacement(kPlacementMaterialLibrary).ptMaxPosition.x, -4);
  // The main window always starts normal; shown as a frame it comes back
  // maximised, as it was left.
  InitApplication("");
  EXPECT_FALSE(IsZoomed(MainFrame().window));
  FrameShow(MainFrame());
  EXPECT_TRUE(IsZoomed(MainFrame().window));
  PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
}

TEST_F(FrameTest, TheMainWindowGetsItsDefaultRectangleAndSavesWhereItWas) {
  InitApplication("");
  RECT r{};
  GetWindowRect(MainFrame().window, &r);
  ExpectRect(r, (1280 - 500) / 2, (1024 - 407) / 2, (1280 - 500) / 2 + 500, (1024 - 407) / 2 + 407);
  MoveWindow(MainFrame().window, 20, 30, 520, 430, TRUE);
  PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  const ByteList saved = Get("Software\\TVQ Systems\\Quorvel\\9.00\\Window positions", "Main");
  ASSERT_EQ(saved.size(), 44u);
  WINDOWPLACEMENT placement{};
  DecodePlacement(saved.data(), placement);
  EXPECT_EQ(placement.length, 44u);
  ExpectRect(placement.rcNormalPosition, 20, 30, 540, 460);
}

TEST_F(FrameTest, ToolbarsSwitchSmallLargeAndHiddenAndTheClientFollows) {
  InitApplication("");
  Frame& frame = MainFrame();
  ASSERT_NE(frame.smallToolbar, nullptr);
  ASSERT_NE(frame.largeToolbar, nullptr);
  RECT client{};
  GetClientRect(frame.window, &client);
  auto toolbarHeight = [](HWND toolbar) {
    RECT r{};
    GetClientRect(toolbar, &r);
    return static_cast<int>(r.bottom);
  };
  // Large buttons by default: the client starts under the large toolbar.
  EXPECT_EQ(frame.activeToolbar, frame.largeToolbar);
  EXPECT_TRUE(IsWindowVisible(frame.largeToolbar));
  EXPECT_FALSE(IsWindowVisible(frame.smallToolbar));
  EXPECT_EQ(FrameToolbarHeight(), 32);
  const int large = toolbarHeight(frame.largeToolbar);
  EXPECT_GE(large, 32);
  RECT c = ChildRect(frame.client);
  EXPECT_EQ(c.top, large + 2);
  EXPECT_EQ(c.bottom, client.bottom);
  EXPECT_EQ(c.right - c.left, client.right);

  ToggleLargeToolbarButtons();
  EXPECT_EQ(frame.activeToolbar, frame.smallToolbar);
  EXPECT_TRUE(IsWindowVisible(frame.smallToolbar));
  EXPECT_FALSE(IsWindowVisible(frame.largeToolbar));
  EXPECT_EQ(FrameToolbarHeight(), 16);
  const int small = toolbarHeight(frame.smallToolbar);
  EXPECT_LT(small, large);
  EXPECT_EQ(ChildRect(frame.client).top, small + 2);

  ToggleToolbars();
  EXPECT_FALSE(IsWindowVisible(frame.smallToolbar));
  EXPECT_FALSE(IsWindowVisible(frame.largeToolbar));
  EXPECT_EQ(FrameToolbarHeight(), 0);
  c = ChildRect(frame.client);
  EXPECT_EQ(c.top, 0);
  EXPECT_EQ(c.bottom, client.bottom);

  ToggleToolbars();
  ToggleLargeToolbarButtons();
  EXPECT_TRUE(IsWindowVisible(frame.largeToolbar));
  EXPECT_EQ(ChildRect(frame.client).top, large + 2);
  EXPECT_EQ(ProgramPreferences().showToolbar, 1);
  EXPECT_EQ(ProgramPreferences().largeToolbarButtons, 1);
  PostMessage(frame.window, WM_CLOSE, 0, 0);
  RunMessageLoop();
}

TEST_F(FrameTest, TheToolbarPageSwitchesTheFramesAtOnce) {
  InitApplication("");
  UseResources({});
  platform::ExpectModal(platform::ModalKind::Dialog, "TOOLBAR_DIALOG", [](HWND page) {
    EXPECT_EQ(IsDlgButtonChecked(page, 1101), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, 1102), BST_CHECKED);
    // The page is a child template; its check boxes report as clicks do.
    SendMessage(page, WM_COMMAND, MAKEWPARAM(1102, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1102)));
    EXPECT_EQ(MainFrame().activeToolbar, MainFrame().smallToolbar);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(1101, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1101)));
    EXPECT_FALSE(IsWindowVisible(MainFrame().smallToolbar));
    EndDialog(page, 0);
  });
  // The page on its own, as a dialog of its own for the test.
  DialogBoxParam(InstanceHandle, "TOOLBAR_DIALOG", MainFrame().window, ToolbarPageProc, 0);
  EXPECT_EQ(ProgramPreferences().showToolbar, 0);
  EXPECT_EQ(ProgramPreferences().largeToolbarButtons, 0);
  PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
}

TEST_F(FrameTest, CreatingAFrameTwiceNamesTheClassThatFailed) {
  FrameSetDefaultPlacement(ResultsFrame(), 0, 0, 300, 200);
  FrameCreate(ResultsFrame(), "TestFrame", "Quorvel", DefWindowProc, nullptr, nullptr, DefWindowProc,
              WS_EX_CLIENTEDGE, 0, nullptr, nullptr);
  EXPECT_TRUE(IsWindow(ResultsFrame().window));
  EXPECT_TRUE(IsWindow(ResultsFrame().client));
  EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
  try {
    FrameCreate(ListFrame(), "TestFrame", "Quorvel", DefWindowProc, nullptr, nullptr, nullptr, 0, 0, nullptr,
                nullptr);
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to register frame class : TestFrame");
  }
  try {
    FrameCreate(ListFrame(), "OtherFrame", "Quorvel", DefWindowProc, nullptr, nullptr, DefWindowProc, 0, 0,
                nullptr, nullptr);
    FrameCreate(LayoutFrame(), "TestFrameClient", "Quorvel", DefWindowProc, nullptr, nullptr, nullptr, 0, 0,
                nullptr, nullptr);
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to register frame class : TestFrameClient");
  }
  DestroyWindow(ResultsFrame().window);
  DestroyWindow(ListFrame().window);
}

TEST_F(FrameTest, TitlesAndTheChainOfFrames) {
  FrameSetDefaultPlacement(LayoutFrame(), 0, 0, 300, 200);
  FrameCreate(LayoutFrame(), "TitleFrame", "Quorvel", DefWindowProc, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr);
  TheModel().path = "/plant/Unit 4.mod";
  FrameSetTitle(LayoutFrame(), "Layout");
  EXPECT_EQ(TextOf(LayoutFrame().window), "Quorvel : Layout -  [Unit 4.mod (/plant)]");
  TheModel().path = "/plant/Unit 5.mod";
  FrameTitleText(LayoutFrame());
  EXPECT_EQ(TextOf(LayoutFrame().window), "Quorvel : Layout -  [Unit 5.mod (/plant)]");
  EXPECT_EQ(FrameFromWindow(LayoutFrame().window), &LayoutFrame());
  EXPECT_EQ(FrameFromWindow(nullptr), nullptr);
  FrameOpenFrom(LayoutFrame(), MainFrame());
  EXPECT_EQ(LayoutFrame().previous_frame, &MainFrame());
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  FrameHideRemember(LayoutFrame());
  EXPECT_TRUE(LayoutFrame().visible);
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  const POINT minimum = FrameMinTrackSize();
  EXPECT_EQ(minimum.x, 100);
  EXPECT_EQ(minimum.y, 2 * (GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 32 +
                            GetSystemMetrics(SM_CYHSCROLL)));
  DestroyWindow(LayoutFrame().window);
  TheModel().path.clear();
}

}  // namespace
