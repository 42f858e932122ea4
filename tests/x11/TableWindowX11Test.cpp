// The test table in a real X11 window under a private Xvfb server: a click
// from the X server makes a cell current, typed keys edit it, Down commits
// and moves, Page Down scrolls, and what the table painted is on the screen
// (the current row yellow, the grid rules in place). A picture of the
// window is written beside the tests for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "services/TableTesting.h"
#include "x11/XvfbServer.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "x11/XProperty.h"

namespace {

constexpr int kFrameX = 30;
constexpr int kFrameY = 40;

class TableX11Test : public OnXvfb<testing::Test> {
 protected:
  void SetUp() override {
    OnXvfb::SetUp();
    if (HasFatalFailure()) return;
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    platform::RegisterResources(QuorvelResources().data(), QuorvelResources().size());
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    RegisterTableWindowClass();
    WNDCLASS frameClass{};
    frameClass.lpfnWndProc = TestFrameProcedure;
    frameClass.lpszClassName = "TableX11Frame";
    RegisterClass(&frameClass);
    SetTableInsertMode(true);
    SetTableResultsShown(false);
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    platform::RegisterResources(nullptr, 0);
    if (x_ != nullptr) XCloseDisplay(x_);
    OnXvfb::TearDown();
  }
  void ShowTable() {
    frame = CreateWindowEx(0, "TableX11Frame", "Table X11", WS_OVERLAPPEDWINDOW, kFrameX, kFrameY, 520, 300,
                           nullptr, nullptr, nullptr, nullptr);
    ShowWindow(frame, SW_SHOW);
    tableWindow = CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD, 0, 0, 0, 0, frame, nullptr,
                                 nullptr, &record);
    static const std::vector<int> lengths{0, 5, 10, 8, 0};
    TableSetColumns(grid, &record, frame, 4, 1, &lengths);
    grid.records.clear();
    for (int r = 1; r <= 200; ++r) grid.records.push_back({r * 10, "Row" + std::to_string(r), std::to_string(r)});
    TableReset(grid);
    TableSetRows(grid, 200);
    TableShowFocus(grid);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    // The keys of the tests go where the server has the focus.
    ASSERT_TRUE(WaitForInputFocus(x_, TopLevelWindowNamed(x_, "Table X11"))) << "the table never had the keyboard";
  }
  // Screen point of a client point of the table window (client edge 2 pixels).
  void ClickAt(int x, int y) {
    XTestFakeMotionEvent(x_, -1, kFrameX + 2 + x, kFrameY + 2 + y, CurrentTime);
    XTestFakeButtonEvent(x_, 1, True, CurrentTime);
    XTestFakeButtonEvent(x_, 1, False, CurrentTime);
    XSync(x_, False);
  }
  void PressKey(KeySym symbol) {
    KeyCode code = XKeysymToKeycode(x_, symbol);
    ASSERT_NE(code, 0);
    XTestFakeKeyEvent(x_, code, True, CurrentTime);
    XTestFakeKeyEvent(x_, code, False, CurrentTime);
    XSync(x_, False);
  }
  COLORREF ScreenPixel(int x, int y) {
    XImage* image = XGetImage(x_, DefaultRootWindow(x_), kFrameX + 2 + x, kFrameY + 2 + y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return CLR_INVALID;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  int RowY(int row) const { return grid.headingHeight + (row - grid.topRow - 1) * grid.rowHeight; }

  Display* x_ = nullptr;
  TableWindowRecord record;
  TestGrid grid;
  HWND frame = nullptr;
  HWND tableWindow = nullptr;
};

TEST_F(TableX11Test, ShowsScrollsAndEditsOnTheScreen) {
  ASSERT_NO_FATAL_FAILURE(ShowTable());
  ASSERT_TRUE(grid.editing);
  ASSERT_LT(grid.visibleRows, 200);
  // A click on the name of row 3.
  const int nameX = grid.x[2] + 3;
  ClickAt(nameX, RowY(3) + grid.rowHeight / 2);
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == 3; }, 10000));
  EXPECT_EQ(grid.currentColumn, 2);
  // Typed from the X keyboard: "Row3" becomes "zRow3" with the caret at its start.
  PressKey(XK_Home);
  PressKey(XK_z);
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.editBuffer == "zRow3"; }, 10000));
  PressKey(XK_Down);
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == 4; }, 10000));
  EXPECT_EQ(grid.records[2].name, "zRow3");
  PressKey(XK_Next);
  const int expected = 4 + grid.visibleRows - 1;
  ASSERT_TRUE(platform::PumpUntil([&] { return grid.currentRow == expected; }, 10000));
  EXPECT_GT(grid.topRow, 0);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  // On the screen: the current row is yellow, the row below it white, the
  // line under the heading black.
  const int clearX = grid.x[5] - 3;
  EXPECT_EQ(ScreenPixel(clearX, RowY(grid.currentRow) + grid.rowHeight - 2), RGB(255, 255, 0));
  EXPECT_EQ(ScreenPixel(clearX, RowY(grid.currentRow + 1) + grid.rowHeight - 2), RGB(255, 255, 255));
  EXPECT_EQ(ScreenPixel(clearX, grid.headingHeight), RGB(0, 0, 0));
  const std::string picture = std::string(QUORVEL_BINARY_DIR) + "/table-x11.png";
  EXPECT_TRUE(platform::WriteWindowPng(frame, picture));
}

}  // namespace
