// The "Print Results" sheet on a real X server under a window manager
// (openbox), worked with the keyboard: Shift+Tab from its first button gives
// the tab strip the keyboard and leaves the page drawn (the server shows what the layer drew,
// and the page's pixels are those it had), and Ctrl+Tab and Ctrl+Page Down
// change the page with the strip keeping the keyboard. The pictures are
// kept in the build folder (x11-sheet-keys-*.png) to be looked at.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editing/ModelWindows.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"
#include "results/ResultsTesting.h"
#include "x11/ScreenCompare.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

namespace {

class SheetKeysX11Test : public OnXvfbWithWindowManager<ResultsFixture> {};

TEST_F(SheetKeysX11Test, TheStripKeepsThePageAndThePageKeysChangeIt) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  BuildLine({1, 8, 2});
  ShowModelWindows();
  platform::RunUntilIdle();
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  bool focused = false, onStrip = false;
  int pictured = -1, turned = -1;
  std::vector<COLORREF> before, after;
  std::vector<int> pages;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&](HWND sheet) {
    HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
    platform::SyncPresenter();
    focused = platform::PumpUntil(
        [&] { return windows.FocusWindow() != 0 && windows.FocusWindow() == windows.ShownWindowTitled("Print Results"); },
        10000);
    if (!focused) {
      SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    const auto serve = [&](const std::function<bool()>& done) {
      return platform::PumpUntil(done, 10000, [&](MSG* message) { return IsDialogMessage(sheet, message) != FALSE; });
    };
    // The sheet reopens on the page last shown in this process (another
    // test's): the keys start from the first.
    SendMessage(sheet, PSM_SETCURSEL, 0, 0);
    serve([&] { return SheetPageIndex(sheet) == 0; });
    HWND page = SheetPage(sheet);
    // The focus on the first button, outside the page; Shift+Tab, as a
    // user presses it, gives the strip before it the keyboard.
    SetFocus(GetDlgItem(sheet, IDOK));
    serve([&] { return GetFocus() == GetDlgItem(sheet, IDOK); });
    platform::RunUntilIdle();
    before = SheetPagePixels(page, 2, 7);
    input.Chord("Shift_L", "Tab");
    onStrip = serve([&] { return GetFocus() == tabs; });
    platform::RunUntilIdle();
    after = SheetPagePixels(page, 2, 7);
    pictured = CompareWindowWithScreen(display_, sheet, std::string(QUORVEL_BINARY_DIR) + "/x11-sheet-keys-strip");
    input.Chord("Control_L", "Tab");
    serve([&] { return SheetPageIndex(sheet) == 1; });
    pages.push_back(SheetPageIndex(sheet));
    input.Chord("Control_L", "Next");
    serve([&] { return SheetPageIndex(sheet) == 2; });
    pages.push_back(SheetPageIndex(sheet));
    onStrip = onStrip && GetFocus() == tabs;
    platform::RunUntilIdle();
    turned = CompareWindowWithScreen(display_, sheet, std::string(QUORVEL_BINARY_DIR) + "/x11-sheet-keys-turned");
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(focused) << "the sheet never had the keyboard on the server";
  EXPECT_TRUE(onStrip);
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(after, before);
  EXPECT_EQ(pictured, 0);
  EXPECT_EQ(pages, (std::vector<int>{1, 2}));
  EXPECT_EQ(turned, 0);
}

}  // namespace
