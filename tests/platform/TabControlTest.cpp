// The tab control: items, a click that asks TCN_SELCHANGING before it
// changes and reports TCN_SELCHANGE, a parent that refuses the change, and
// the page rectangle.
#include "platform/ControlTesting.h"

namespace {

class TabControlTest : public ControlTest {
 protected:
  HWND MakeTabs() {
    HWND tabs = Make(WC_TABCONTROL, "", WS_TABSTOP, 10, 10, 300, 200, 70);
    for (const char* name : {"General", "Loads", "Codes"}) {
      TCITEM item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<char*>(name);
      item.lParam = name[0];
      SendMessage(tabs, TCM_INSERTITEM, static_cast<WPARAM>(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0)),
                  reinterpret_cast<LPARAM>(&item));
    }
    platform::RunUntilIdle();
    log.Clear();
    return tabs;
  }
  void ClickTab(HWND tabs, int index) {
    RECT r{};
    ASSERT_TRUE(SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
    Click(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::vector<UINT> seen;
};

TEST_F(TabControlTest, ClickAsksThenChanges) {
  HWND tabs = MakeTabs();
  log.hook = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (message == WM_NOTIFY) seen.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
    return false;
  };
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 0);
  ClickTab(tabs, 2);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(seen, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  seen.clear();
  SetFocus(tabs);
  Press(VK_LEFT);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(seen, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  seen.clear();
  EXPECT_EQ(SendMessage(tabs, TCM_SETCURSEL, 0, 0), 1);
  EXPECT_TRUE(seen.empty());
  log.hook = nullptr;
}

TEST_F(TabControlTest, ParentMayRefuseTheChange) {
  HWND tabs = MakeTabs();
  std::vector<UINT> codes;
  log.hook = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* answer) {
    if (message != WM_NOTIFY) return false;
    codes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
    *answer = TRUE;
    return true;
  };
  ClickTab(tabs, 1);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING}));
  log.hook = nullptr;
}

TEST_F(TabControlTest, ItemsAndPageRectangle) {
  HWND tabs = MakeTabs();
  char text[16] = "";
  TCITEM item{};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(SendMessage(tabs, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(text, "Loads");
  EXPECT_EQ(item.lParam, 'L');
  RECT page{0, 0, 300, 200};
  SendMessage(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  EXPECT_GT(page.top, 15);
  EXPECT_LT(page.right, 300);
  SendMessage(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&page));
  EXPECT_EQ(page.top, 0);
  EXPECT_EQ(page.right, 300);
  EXPECT_TRUE(SendMessage(tabs, TCM_DELETEITEM, 0, 0));
  EXPECT_EQ(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
}

}  // namespace
