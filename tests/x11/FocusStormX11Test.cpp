// The keyboard focus settles on a real X server: with the Layout and List
// windows both open (Misc > Coordinates), a click in a Layout cell and the
// Down key move the Layout's current row once each, and the server sees only
// the few focus changes those actions make, not a stream of them. The layer
// moves the focus to the List and back while keeping the two in step; the
// server's reports of those moves arrive late and must not be taken for new
// requests, or the two windows take the focus from each other for ever. The
// same holds under a window manager, which frames the windows, answers
// focus requests itself and gives the focus to a clicked window. A key
// typed while the program's choice of another window is on its way goes to
// the window the program chose; a focus the manager gives on the user's
// click is the user's choice.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/TestSupport.h"

#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

// Opens both windows, clicks a Layout cell, presses Down and counts the
// focus changes the server makes meanwhile.
void ClickAndKeyInTheLayoutBesideTheList(const std::string& display) {
  ShowModelWindows();
  HWND layout = LayoutFrame().window;
  SetWindowPos(layout, nullptr, 0, 0, 600, 320, SWP_NOZORDER);
  SendMessage(layout, WM_COMMAND, MAKEWPARAM(187, 0), 0);  // Misc > Coordinates
  platform::RunUntilIdle();
  HWND list = ListFrame().window;
  ASSERT_TRUE(IsWindowVisible(list));
  SetWindowPos(list, nullptr, 620, 0, 400, 320, SWP_NOZORDER);
  SetForegroundWindow(layout);
  platform::RunUntilIdle();
  platform::SyncPresenter();

  XInput input(display);
  ASSERT_TRUE(input.ok());
  ManagedWindows windows(display);
  ASSERT_TRUE(windows.ok());
  // A window manager, where one runs, first deals with the windows that
  // have just appeared (it may give one of them the focus for a moment).
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
  // The click lands where the program believes the cell is, and the key
  // goes where the server has the focus: both wait until the program knows
  // where the server (and a window manager) put the Layout, and the Layout
  // has the keyboard.
  char title[256] = {};
  GetWindowText(layout, title, sizeof title);
  const auto settled = [&] {
    RECT rect{};
    GetWindowRect(layout, &rect);
    int x = 0, y = 0;
    return input.PlaceOf(title, &x, &y) && x == rect.left && y == rect.top && input.HasFocus(title);
  };
  if (!platform::PumpUntil(settled, 10000)) {
    RECT rect{};
    GetWindowRect(layout, &rect);
    int x = 0, y = 0;
    char listTitle[256] = {};
    GetWindowText(list, listTitle, sizeof listTitle);
    FAIL() << "the Layout window is not where the program has it (" << rect.left << "," << rect.top << "), the server "
           << (input.PlaceOf(title, &x, &y) ? "has it at " + std::to_string(x) + "," + std::to_string(y) : "lost it")
           << ", or the server gave the keyboard to another window (the List: " << input.HasFocus(listTitle)
           << "), though the program has the Layout active: " << (GetActiveWindow() == layout);
  }
  input.WatchFocus();
  LayoutTable& table = TheLayoutTable();
  const int target = table.currentRow == 2 ? 3 : 2;
  POINT cell{table.x[2] + 5, table.headingHeight + (target - table.topRow - 1) * table.rowHeight + table.rowHeight / 2};
  ClientToScreen(table.Window(), &cell);
  input.Click(cell.x, cell.y);
  ASSERT_TRUE(platform::PumpUntil([&] { return table.currentRow == target; }, 10000)) << "the click did not arrive";
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";  // it sees the click too
  input.Key("Down");
  ASSERT_TRUE(platform::PumpUntil([&] { return table.currentRow == target + 1; }, 10000)) << "the key did not arrive";
  // Let whatever the two actions set going run its course for a while.
  platform::PumpUntil([] { return false; }, 1500);
  const int changes = input.FocusChanges();
  EXPECT_LE(changes, 8) << "the focus moved " << changes << " times";
  EXPECT_EQ(table.currentRow, target + 1) << "a key went to the wrong window";
  EXPECT_EQ(TheNodeList().currentRow, target + 1) << "the List did not follow the Layout";
  EXPECT_EQ(GetActiveWindow(), layout);
}

class FocusStormX11Test : public OnXvfb<ListFixture> {};

TEST_F(FocusStormX11Test, LayoutAndListWindowsLeaveTheFocusAlone) { ClickAndKeyInTheLayoutBesideTheList(display_); }

// The program brings the Layout forward from the Graphics window, which
// has the keyboard, and the Down key reaches the Graphics window before
// the presenter has taken up the program's choice (its thread is held
// meanwhile). The key belongs to the window the program chose, as it would
// had the choice reached the screen first: it moves the Layout's current
// row, and the Layout has the keyboard once the presenter catches up.
TEST_F(FocusStormX11Test, AKeyTypedWhileTheProgramsChoiceIsOnItsWayGoesToTheChosenWindow) {
  ShowModelWindows();
  HWND layout = LayoutFrame().window, graphics = GraphicsFrame().window;
  SendMessage(layout, WM_COMMAND, MAKEWPARAM(187, 0), 0);  // Misc > Coordinates
  SetForegroundWindow(graphics);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  const std::string layoutTitle = TextOf(layout), graphicsTitle = TextOf(graphics);
  ASSERT_TRUE(platform::PumpUntil(
      [&] {
        int x = 0, y = 0;
        return input.PlaceOf(layoutTitle, &x, &y) && input.HasFocus(graphicsTitle) && GetForegroundWindow() == graphics;
      },
      10000))
      << "the Graphics window never had the keyboard beside the Layout";
  LayoutTable& table = TheLayoutTable();
  const int start = table.currentRow;
  platform::HoldPresenter([&] {
    SetForegroundWindow(layout);
    platform::RunUntilIdle();  // the Layout's thread tells the held presenter
    input.Key("Down");
  });
  EXPECT_TRUE(platform::PumpUntil([&] { return table.currentRow == start + 1; }, 10000))
      << "the key did not reach the Layout (row " << table.currentRow << ")";
  EXPECT_TRUE(platform::PumpUntil([&] { return input.HasFocus(layoutTitle); }, 10000))
      << "the Layout did not get the keyboard";
  EXPECT_EQ(GetActiveWindow(), layout);
}

// The user clicks the title of the Layout's frame while the program has the
// Graphics window in the foreground and the Layout, just shown, has never
// had the keyboard; the manager (played by the test) gives the Layout the
// focus. That focus is the user's choice: the Layout becomes the active
// window and takes the next key.
TEST_F(FocusStormX11Test, AFocusTheManagerGivesOnAUsersClickIsTheUsersChoice) {
  ShowModelWindows();
  HWND layout = LayoutFrame().window, graphics = GraphicsFrame().window;
  SetWindowPos(layout, nullptr, 20, 60, 560, 400, SWP_NOZORDER);
  SetWindowPos(graphics, nullptr, 600, 60, 400, 400, SWP_NOZORDER);
  SetForegroundWindow(graphics);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  const std::string layoutTitle = TextOf(layout), graphicsTitle = TextOf(graphics);
  int x = 0, y = 0;
  ASSERT_TRUE(platform::PumpUntil([&] { return input.PlaceOf(layoutTitle, &x, &y) && input.HasFocus(graphicsTitle); },
                                  10000))
      << "the Graphics window never had the keyboard beside the Layout";
  input.ClickThenFocusGivenTo(x + 200, y - 10, layoutTitle);
  EXPECT_TRUE(platform::PumpUntil([&] { return GetForegroundWindow() == layout && GetActiveWindow() == layout; }, 10000))
      << "the program did not follow the user's choice";
  LayoutTable& table = TheLayoutTable();
  const int start = table.currentRow;
  EXPECT_TRUE(platform::PumpUntil([&] { return input.HasFocus(layoutTitle); }, 10000))
      << "the Layout lost the keyboard again";
  input.Key("Down");
  EXPECT_TRUE(platform::PumpUntil([&] { return table.currentRow == start + 1; }, 10000))
      << "the key did not reach the Layout (row " << table.currentRow << ")";
}

class FocusStormUnderWindowManagerX11Test : public OnXvfbWithWindowManager<ListFixture> {};

TEST_F(FocusStormUnderWindowManagerX11Test, LayoutAndListWindowsLeaveTheFocusAlone) {
  ClickAndKeyInTheLayoutBesideTheList(display_);
}

}  // namespace
