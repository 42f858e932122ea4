// The "Print Results" sheet on a real X server under a window manager
// (openbox), opened by the Layout window's Print while results are shown:
// the sheet, widened for its row of six buttons, comes up with its tab
// control and each page filling it, on the server as in the layer. A
// screenshot of the sheet over its pages is kept in the build folder
// (x11-print-results-sheet-<page>.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "platform/PropertySheet.h"
#include "results/ResultsTesting.h"
#include "x11/XvfbServer.h"

#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

class PrintResultsSheetX11Test : public OnXvfbWithWindowManager<ResultsFixture> {
 protected:
  // The server's picture of the window `title` (its frame's inside).
  void SaveWindow(ManagedWindows& windows, const std::string& title, const std::string& path) {
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return;
    const unsigned long shown = windows.ShownWindowTitled(title);
    XWindowAttributes attributes{};
    if (shown != 0 && XGetWindowAttributes(x, shown, &attributes) != 0) {
      int left = 0, top = 0;
      ::Window child = 0;
      XTranslateCoordinates(x, shown, DefaultRootWindow(x), 0, 0, &left, &top, &child);
      WritePicture(path, ServerPicture(x, DefaultRootWindow(x), left, top, attributes.width, attributes.height));
    }
    XCloseDisplay(x);
  }
};

RECT InSheet(HWND sheet, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ScreenToClient(sheet, &corners[0]);
  ScreenToClient(sheet, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

TEST_F(PrintResultsSheetX11Test, ThePagesFillTheSheetOnTheServer) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  BuildLine({1, 8, 2});
  ShowModelWindows();
  platform::RunUntilIdle();
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  bool shown = false;
  std::vector<RECT> pages;
  RECT tab{};
  int sheetWidth = 0;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&](HWND sheet) {
    platform::SyncPresenter();
    shown = platform::PumpUntil([&] { return windows.ShownWindowTitled("Print Results") != 0; }, 10000);
    RECT client{};
    GetClientRect(sheet, &client);
    sheetWidth = client.right;
    tab = InSheet(sheet, GetDlgItem(sheet, ID_PROPSHEET_TABS));
    for (int index = 0; index < 5; ++index) {
      SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
      HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
      pages.push_back(page != nullptr ? InSheet(sheet, page) : RECT{});
      platform::SyncPresenter();
      platform::PumpUntil([] { return false; }, 300);
      SaveWindow(windows, "Print Results",
                 std::string(QUORVEL_BINARY_DIR) + "/x11-print-results-sheet-" + std::to_string(index) + ".png");
    }
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(shown) << "the sheet never came up on the server";
  ASSERT_EQ(pages.size(), 5u);
  // The tab control keeps its left margin on the right, and every page the
  // same inset from it on both sides, within a pixel of rounding.
  EXPECT_NEAR(sheetWidth - tab.right, tab.left, 1) << tab.right << " of " << sheetWidth;
  for (const RECT& page : pages) EXPECT_NEAR(tab.right - page.right, page.left - tab.left, 1) << page.right << " of " << tab.right;
}

}  // namespace
