// List boxes: the string list with item data, sorting and searches, and
// selection by mouse, double click and keys with the LBN_ notifications, and
// scrolling that keeps the selection in view.
#include "platform/ControlTesting.h"

namespace {

class ListBoxTest : public ControlTest {
 protected:
  HWND MakeList(DWORD style, std::initializer_list<const char*> items) {
    HWND list = Make(WC_LISTBOX, "", style | WS_TABSTOP, 10, 10, 150, 100, 7, WS_EX_CLIENTEDGE);
    for (const char* item : items) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    platform::RunUntilIdle();
    log.Clear();
    return list;
  }
  std::string ItemText(HWND list, int index) {
    char buffer[64] = "";
    if (SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) == LB_ERR)
      return "<none>";
    return buffer;
  }
  int Row(HWND list) { return static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)); }
};

TEST_F(ListBoxTest, StringsDataAndSearches) {
  HWND list = MakeList(LBS_SORT, {"Steel", "aluminium", "Copper", "brass"});
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ItemText(list, 0), "aluminium");
  EXPECT_EQ(ItemText(list, 1), "brass");
  EXPECT_EQ(ItemText(list, 2), "Copper");
  EXPECT_EQ(ItemText(list, 3), "Steel");
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 3, 0), 5);
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("co")), 2);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("co")), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("STEEL")), 3);
  // A search starts after the given item and wraps round.
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, 3, reinterpret_cast<LPARAM>("a")), 0);
  EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, 1, 4711), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 1, 0), 4711);
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("zinc")), 1);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 4711);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 4);
  EXPECT_EQ(ItemText(list, 0), "zinc");
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, ClickSelectsAndNotifies) {
  HWND list = MakeList(LBS_NOTIFY, {"one", "two", "three"});
  Click(list, 20, Row(list) + 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(CodesOf(7), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE}));
  log.Clear();
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(list, 20, Row(list) + 2);  // the same item again: no change
  EXPECT_TRUE(CodesOf(7).empty());
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_TRUE(CodesOf(7).empty());
}

TEST_F(ListBoxTest, SilentWithoutNotifyStyle) {
  HWND list = MakeList(0, {"one", "two"});
  Click(list, 20, Row(list) + 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(CodesOf(7).empty());
}

TEST_F(ListBoxTest, DoubleClickSendsDblClk) {
  HWND list = MakeList(LBS_NOTIFY, {"one", "two"});
  SetFocus(list);
  platform::RunUntilIdle();
  log.Clear();
  Click(list, 20, 2);
  Click(list, 20, 2);
  EXPECT_EQ(CodesOf(7), (std::vector<UINT>{LBN_SELCHANGE, LBN_DBLCLK}));
  log.Clear();
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(list, 20, Row(list) + 2);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(list, 20, Row(list) + 2);
  EXPECT_EQ(CodesOf(7), (std::vector<UINT>{LBN_SELCHANGE}));
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScroll) {
  HWND list = MakeList(LBS_NOTIFY | WS_VSCROLL,
                       {"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "b1", "b2", "b3", "b4", "b5"});
  SetFocus(list);
  platform::RunUntilIdle();
  log.Clear();
  Press(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  Press(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  Press(VK_END);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 13);
  EXPECT_EQ(CodesOf(7), (std::vector<UINT>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}));
  RECT client{};
  GetClientRect(list, &client);
  int visible = client.bottom / Row(list);
  int top = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
  EXPECT_EQ(top, 14 - visible);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), top);
  platform::TestTypeText("b");
  platform::RunUntilIdle();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 9);  // the next item starting with "b", wrapping
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), top);  // still in view
  SendMessage(list, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), top - 1);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), top - 1);
}

TEST_F(ListBoxTest, FrameScrollBarScrollsTheList) {
  HWND list = MakeList(WS_VSCROLL, {"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "b1", "b2", "b3"});
  RECT client{};
  GetClientRect(list, &client);
  // The bar stands right of the client area; its down arrow is at the bottom.
  Click(list, client.right + 8, client.bottom - 4);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
  Click(list, client.right + 8, 4);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListBoxTest, SelectedRowIsHighlighted) {
  HWND list = MakeList(0, {"one", "two"});
  SendMessage(list, LB_SETCURSEL, 1, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(list, 140, Row(list) + Row(list) / 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(platform::GetWindowPixel(list, 140, Row(list) / 2), GetSysColor(COLOR_WINDOW));
}

}  // namespace
