// The "Print Results" sheet as the Layout window's Print opens it while
// results are shown: its row of six buttons (Print, Cancel, Preview, To
// File, All, None) is wider than its pages, so the sheet is wider than they
// were laid out; the tab control still fills the sheet, with the same
// margin on both sides, and every page fills the tab control as in a sheet
// whose pages are as wide as its buttons (the "Print Model" sheet). A
// picture of the sheet is written to the build folder
// (print-results-sheet.png) to be looked at. The tab strip taking the
// keyboard leaves the page drawn, and the page keys walk both print sheets.
#include <gtest/gtest.h>

#include "platform/Paint.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"
#include "platform/TestSupport.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"

namespace {

// A window's rectangle in the sheet's client area.
RECT InSheet(HWND sheet, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ScreenToClient(sheet, &corners[0]);
  ScreenToClient(sheet, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

class PrintResultsSheetTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    ResultsFixture::TearDown();
  }
  // The tab control and each page of `sheet` against the sheet.
  static void ExpectPagesFillTheSheet(HWND sheet, int pages) {
    RECT client{};
    GetClientRect(sheet, &client);
    HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
    ASSERT_NE(tabs, nullptr);
    const RECT tab = InSheet(sheet, tabs);
    // (Dialog units round to pixels: a margin may differ by one.)
    EXPECT_NEAR(client.right - tab.right, tab.left, 1) << "the tab control ends at " << tab.right << " of " << client.right;
    for (int index = 0; index < pages; ++index) {
      SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
      HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
      ASSERT_NE(page, nullptr) << index;
      const RECT area = InSheet(sheet, page);
      EXPECT_NEAR(tab.right - area.right, area.left - tab.left, 1)
          << "page " << index << " ends at " << area.right << " of the tab control's " << tab.right;
    }
    SendMessage(sheet, PSM_SETCURSEL, 0, 0);
  }
  PrintChoices saved_;
};

TEST_F(PrintResultsSheetTest, ThePagesFillTheSheetWidenedForItsButtons) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  int buttonsRight = 0, pageWidth = 0, sheetWidth = 0;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&](HWND sheet) {
    RECT client{};
    GetClientRect(sheet, &client);
    sheetWidth = client.right;
    buttonsRight = InSheet(sheet, GetDlgItem(sheet, 1004)).right;  // "&None", the last of the row
    ExpectPagesFillTheSheet(sheet, 5);
    pageWidth = InSheet(sheet, reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))).right;
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    platform::WriteWindowPng(sheet, std::string(QUORVEL_BINARY_DIR) + "/print-results-sheet.png");
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  // The row of buttons made the sheet wider than the pages' templates.
  EXPECT_LE(buttonsRight, sheetWidth);
  EXPECT_GT(pageWidth, sheetWidth * 9 / 10);
  // Without results the model's sheet, whose page holds its buttons, is
  // laid out alike.
  LeaveResultsMode();
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [](HWND sheet) {
    ExpectPagesFillTheSheet(sheet, 2);
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
}

// Serves the sheet's queue as its modal loop does, paints included.
void ServeSheet(HWND sheet) {
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessage(sheet, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
}

// Both print sheets under the keyboard: the tab strip taking the keyboard
// leaves the page drawn as it was, and Ctrl+Tab / Ctrl+Page Down (and
// back) change the page round the sheet, the strip keeping the keyboard
// when it had it.
TEST_F(PrintResultsSheetTest, TheStripKeepsThePageDrawnAndThePageKeysWalkBothSheets) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  std::vector<COLORREF> before, after;
  std::vector<int> pages;
  SheetPageWalk walk;
  bool stripKept = true;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&](HWND sheet) {
    HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
    HWND page = SheetPage(sheet);
    SetFocus(GetDlgItem(sheet, IDOK));
    ServeSheet(sheet);
    before = SheetPagePixels(page, 2, 7);
    // Shift+Tab from the first button: the strip, which comes before it.
    platform::TestKeyDown(VK_SHIFT);
    platform::TestKeyPress(VK_TAB);
    platform::TestKeyUp(VK_SHIFT);
    ServeSheet(sheet);
    ASSERT_EQ(GetFocus(), tabs);
    after = SheetPagePixels(page, 2, 7);
    for (int step = 0; step < 5; ++step) {
      PressSheetKey(sheet, VK_TAB);
      pages.push_back(SheetPageIndex(sheet));
      stripKept = stripKept && GetFocus() == tabs;
    }
    SetFocus(GetNextDlgTabItem(SheetPage(sheet), nullptr, FALSE));
    for (bool shift : {true, false}) walk.Press(sheet, shift ? VK_TAB : VK_PRIOR, shift);
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(after, before);
  pages.insert(pages.end(), walk.pages.begin(), walk.pages.end());
  EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 0, 4, 3}));
  EXPECT_TRUE(stripKept);
  EXPECT_TRUE(walk.keyboardInPages);
  LeaveResultsMode();
  SheetPageWalk model;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [&](HWND sheet) {
    for (UINT key : {VK_TAB, VK_TAB, VK_NEXT, VK_PRIOR}) model.Press(sheet, key);
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(model.pages, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_TRUE(model.keyboardInPages);
}

}  // namespace
