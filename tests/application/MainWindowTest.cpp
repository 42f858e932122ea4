// The main window: its menu and its rules, both toolbars with the Open last
// model button hidden without a recent model, the tooltips, the Help,
// tutorial and About commands, the first-run message, and closing, which
// ends the graphics thread and the loop.
#include <cstdlib>
#include <filesystem>

#include "application/MainWindow.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "services/AppTesting.h"
#include "services/RecentModels.h"
#include "services/ViewRequests.h"

namespace {

class MainWindowTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    InitApplication("");
    main_ = MainFrame().window;
  }
  void TearDown() override {
    if (IsWindow(main_)) {
      PostMessage(main_, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    AppFixture::TearDown();
  }
  static bool ButtonHidden(HWND toolbar, int id) { return SendMessage(toolbar, TB_ISBUTTONHIDDEN, id, 0) != 0; }
  static bool ButtonEnabled(HWND toolbar, int id) { return SendMessage(toolbar, TB_ISBUTTONENABLED, id, 0) != 0; }
  static UINT MenuState(HMENU menu, UINT item, UINT by) { return GetMenuState(menu, item, by); }

  HWND main_ = nullptr;
};

TEST_F(MainWindowTest, TheMenuHoldsTheFileAndHelpCommands) {
  HMENU bar = GetMenu(main_);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = MainFileMenu();
  ASSERT_EQ(file, GetSubMenu(bar, 0));
  char text[64];
  GetMenuString(file, 101, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&New...\tCtrl+N");
  GetMenuString(file, 340, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Open &last model   \tEnter");
  GetMenuString(file, 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Recent &models");
  HMENU help = GetSubMenu(bar, 1);
  GetMenuString(help, 40066, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Tutorial 2");
  GetMenuString(help, 903, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&About...");
}

TEST_F(MainWindowTest, WithoutARecentModelOpenLastIsHiddenDisabledAndGrey) {
  for (HWND toolbar : {MainFrame().smallToolbar, MainFrame().largeToolbar}) {
    EXPECT_EQ(SendMessage(toolbar, TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_TRUE(ButtonHidden(toolbar, 340));
    EXPECT_FALSE(ButtonEnabled(toolbar, 340));
    EXPECT_TRUE(ButtonEnabled(toolbar, 101));
    EXPECT_TRUE(ButtonEnabled(toolbar, 293));
  }
  HMENU file = MainFileMenu();
  SendMessage(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_TRUE(MenuState(file, 340, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(MenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  // The cursor starts on New, 5/8 across and down.
  RECT button{};
  SendMessage(MainFrame().activeToolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  POINT expected{button.left + 5 * (button.right - button.left) / 8, button.top + 5 * (button.bottom - button.top) / 8};
  ClientToScreen(MainFrame().activeToolbar, &expected);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, expected.x);
  EXPECT_EQ(cursor.y, expected.y);
}

TEST_F(MainWindowTest, ARecentModelShowsOpenLastAndFillsTheRecentMenu) {
  AddRecentModel("/plant/Unit 4.mod");
  AddRecentModel("/plant/Unit 5.mod");
  ShowMainWindow();
  for (HWND toolbar : {MainFrame().smallToolbar, MainFrame().largeToolbar}) {
    EXPECT_FALSE(ButtonHidden(toolbar, 340));
    EXPECT_TRUE(ButtonEnabled(toolbar, 340));
  }
  EXPECT_EQ(MainToolTipText(340), "Open Last Model: /plant/Unit 5.mod ");
  HMENU file = MainFileMenu();
  SendMessage(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_FALSE(MenuState(file, 340, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(MenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  HMENU recent = GetSubMenu(file, 2);
  SendMessage(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), 2);
  ASSERT_EQ(GetMenuItemCount(recent), 2);
  char text[128];
  GetMenuString(recent, 323, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&1 /plant/Unit 5.mod");
  GetMenuString(recent, 324, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&2 /plant/Unit 4.mod");
  ClearRecentModels();
}

TEST_F(MainWindowTest, TooltipsNameTheButtonsAndAnUnknownIdIsQuestionMarks) {
  EXPECT_EQ(MainToolTipText(101), "New");
  EXPECT_EQ(MainToolTipText(102), "Open");
  EXPECT_EQ(MainToolTipText(293), "Open Results");
  EXPECT_EQ(MainToolTipText(340), "");
  EXPECT_EQ(MainToolTipText(555), "???");
  // Resting the pointer on the second button shows its tip (once the
  // start-up, which puts the pointer in the Layout window when it opens
  // the sample model, is done).
  platform::RunUntilIdle();
  HWND toolbar = MainFrame().activeToolbar;
  RECT button{};
  SendMessage(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button));
  platform::TestMouse(toolbar, WM_MOUSEMOVE, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  platform::AdvanceClock(kToolTipDelay + 50);
  HWND tip = reinterpret_cast<HWND>(SendMessage(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(TextOf(tip), "Open");
  EXPECT_TRUE(IsWindowVisible(tip));
}

TEST_F(MainWindowTest, HelpSaysThereIsNoViewer) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOf(box)[0], "There is no help viewer on this system.");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  SendMessage(main_, WM_COMMAND, 900, 0);
}

TEST_F(MainWindowTest, AMissingTutorialShowsTheTutorialDialogOnly) {
  std::filesystem::remove(ProgramFolder + "Tutorial_2.pdf");
  platform::ExpectModal(platform::ModalKind::Dialog, "TUTORIAL_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(main_, WM_COMMAND, 40066, 0);
}

TEST_F(MainWindowTest, TheAboutBoxShowsTheVersion) {
  platform::ExpectModal(platform::ModalKind::Dialog, "ABOUT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1501)), "Quorvel Version 9.00");
    EXPECT_EQ(SendDlgItemMessage(dialog, 7001, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(ProgramIcon));
    EXPECT_NE(ProgramIcon, nullptr);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(main_, WM_COMMAND, 903, 0);
}

TEST_F(MainWindowTest, FocusMakesItTheActiveWindowWithItsKeys) {
  ActiveWindow = nullptr;
  ActiveAccelerators = nullptr;
  SendMessage(main_, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(ActiveWindow, main_);
  EXPECT_EQ(ActiveAccelerators, MainAccelerators);
  EXPECT_EQ(SendMessage(main_, kIgnoredUserMessage, 0, 0), 0);
}

TEST_F(MainWindowTest, ExitClosesTheGraphicsWindowAndEndsTheLoop) {
  HWND graphics = GraphicsWindowHandle();
  ASSERT_TRUE(IsWindow(graphics));
  PostMessage(main_, WM_COMMAND, 110, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(main_));
  EndGraphicsThread();
  EXPECT_FALSE(IsWindow(graphics));
  EXPECT_EQ(FramePlacement(kPlacementMain).length, 44u);
}

TEST_F(MainWindowTest, BothToolbarsDrawTheirImages) {
  // Large: the New button's page is white with a dark outline.
  auto drawn = [](HWND toolbar) {
    RECT button{};
    SendMessage(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    int white = 0, dark = 0;
    for (int y = button.top; y < button.bottom; ++y)
      for (int x = button.left; x < button.right; ++x) {
        const COLORREF pixel = platform::GetWindowPixel(toolbar, x, y);
        white += pixel == RGB(255, 255, 255);
        dark += GetRValue(pixel) < 80 && GetGValue(pixel) < 80 && GetBValue(pixel) < 80;
      }
    return std::make_pair(white, dark);
  };
  // The first start opens the sample model, whose windows take the main
  // window's place; bring it back to look at its toolbar.
  platform::RunUntilIdle();
  ShowMainWindow();
  platform::RunUntilIdle();
  const auto large = drawn(MainFrame().largeToolbar);
  EXPECT_GT(large.first, 100);
  EXPECT_GT(large.second, 40);
  const char* keep = std::getenv("QUORVEL_KEEP_PNG");
  if (keep != nullptr) platform::WriteWindowPng(main_, std::string(keep) + "/main-large.png");
  ToggleLargeToolbarButtons();
  platform::RunUntilIdle();
  const auto small = drawn(MainFrame().smallToolbar);
  EXPECT_GT(small.first, 20);
  EXPECT_GT(small.second, 10);
  EXPECT_LT(small.first, large.first);
  if (keep != nullptr) platform::WriteWindowPng(main_, std::string(keep) + "/main-small.png");
  ToggleLargeToolbarButtons();
}

}  // namespace
