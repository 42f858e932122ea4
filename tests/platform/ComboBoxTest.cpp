// Combo boxes: the drop-down list and the editable kind, opened and chosen
// by mouse and by keyboard, with the exact notification sequences
// (CBN_SELENDOK = 9 before CBN_CLOSEUP = 8), cancelling, and the list
// messages.
#include <cstring>

#include "platform/ControlTesting.h"

namespace {

constexpr int kCombo = 9;

// Focus messages that reached a watched combo itself.
std::vector<UINT> focusMessages;
WNDPROC comboProcedure = nullptr;

LRESULT FocusWatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) focusMessages.push_back(message);
  return CallWindowProc(comboProcedure, window, message, wParam, lParam);
}

class ComboBoxTest : public ControlTest {
 protected:
  HWND MakeCombo(DWORD kind) {
    HWND combo = Make(WC_COMBOBOX, "", kind | WS_TABSTOP | WS_VSCROLL, 20, 20, 160, 120, kCombo);
    for (const char* item : {"Carbon steel", "Stainless", "Copper", "PVC"})
      SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    platform::RunUntilIdle();
    log.Clear();
    return combo;
  }
  static HWND DroppedList() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
          char name[32] = "";
          GetClassName(window, name, sizeof name);
          if (std::strcmp(name, "ComboLBox") == 0) *reinterpret_cast<HWND*>(result) = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static std::string Selected(HWND combo) {
    char buffer[64] = "";
    SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(SendMessage(combo, CB_GETCURSEL, 0, 0)),
                reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
};

TEST_F(ComboBoxTest, FieldKeepsOneLineAndTheListTheRest) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  RECT bounds{};
  GetWindowRect(combo, &bounds);
  EXPECT_LT(bounds.bottom - bounds.top, 40);
  RECT dropped{};
  SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, 100);
}

TEST_F(ComboBoxTest, MouseChoiceSendsSelEndOkThenCloseUp) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  Click(combo, 20, 8);
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  HWND list = DroppedList();
  ASSERT_NE(list, nullptr);
  // The third row, clicked on the dropped list itself.
  RECT listRect{};
  GetClientRect(list, &listRect);
  int rowHeight = listRect.bottom / 4;
  Click(list, 30, rowHeight * 2 + rowHeight / 2);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_EQ(DroppedList(), nullptr);
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, 9, 8}));
  EXPECT_EQ(GetFocus(), combo);
  EXPECT_EQ(GetActiveWindow(), top);
}

TEST_F(ComboBoxTest, ClickOnTheDroppedListLeavesActivationAndFocusAlone) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  SetFocus(combo);
  platform::RunUntilIdle();
  comboProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FocusWatcher)));
  focusMessages.clear();
  log.Clear();
  Click(combo, 20, 8);
  HWND list = DroppedList();
  ASSERT_NE(list, nullptr);
  RECT listRect{};
  GetClientRect(list, &listRect);
  int rowHeight = listRect.bottom / 4;
  int y = rowHeight * 2 + rowHeight / 2;  // the third row
  platform::TestMouse(list, WM_MOUSEMOVE, 30, y);
  platform::TestMouse(list, WM_LBUTTONDOWN, 30, y);
  platform::RunUntilIdle();
  EXPECT_EQ(GetActiveWindow(), top);  // the press did not take the activation to the list
  EXPECT_EQ(GetFocus(), combo);
  platform::TestMouse(list, WM_LBUTTONUP, 30, y);
  platform::RunUntilIdle();
  EXPECT_EQ(Selected(combo), "Copper");
  EXPECT_TRUE(log.MessagesOf(top, {WM_ACTIVATE, WM_NCACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}).empty());
  EXPECT_TRUE(focusMessages.empty());
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, 9, 8}));
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), combo);
}

TEST_F(ComboBoxTest, KeyboardChoiceSendsSelEndOkThenCloseUp) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  SetFocus(combo);
  platform::RunUntilIdle();
  log.Clear();
  Press(VK_F4);
  Press(VK_DOWN);
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  Press(VK_RETURN);
  EXPECT_EQ(Selected(combo), "Stainless");
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, 9, 8}));
  log.Clear();
  platform::TestKeyDown(VK_MENU);
  platform::TestKeyPress(VK_DOWN);
  platform::TestKeyUp(VK_MENU);
  platform::RunUntilIdle();
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  Press(VK_F4);
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_DROPDOWN, 9, 8}));
}

TEST_F(ComboBoxTest, EscapeAndOutsideClickCancel) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  SetFocus(combo);
  Press(VK_F4);
  Press(VK_DOWN);
  Press(VK_DOWN);
  log.Clear();
  Press(VK_ESCAPE);
  EXPECT_EQ(Selected(combo), "Carbon steel");
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
  Press(VK_F4);
  log.Clear();
  Click(top, 300, 250);
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, ClosedListChangesWithArrows) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  SetFocus(combo);
  platform::RunUntilIdle();
  log.Clear();
  Press(VK_DOWN);
  EXPECT_EQ(Selected(combo), "Stainless");
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK}));
  EXPECT_EQ(Text(combo), "Stainless");
}

TEST_F(ComboBoxTest, EditableComboTypesAndChooses) {
  HWND combo = MakeCombo(CBS_DROPDOWN);
  SetFocus(combo);
  platform::RunUntilIdle();
  EXPECT_EQ(Text(combo), "Carbon steel");
  SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
  log.Clear();
  platform::TestTypeText("Cu");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(combo), "Cu");
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
  log.Clear();
  Press(VK_F4);
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_EQ(Text(combo), "Stainless");
  // The choice fills the edit without an edit change of its own.
  EXPECT_EQ(CodesOf(kCombo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, 9, 8}));
  log.Clear();
  SetWindowText(combo, "PVC");
  EXPECT_EQ(Text(combo), "PVC");
  EXPECT_TRUE(CodesOf(kCombo).empty());
}

TEST_F(ComboBoxTest, LongListScrollsByItsBar) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  for (const char* item : {"E", "F", "G", "H", "I", "J", "K", "L"})
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  platform::RunUntilIdle();
  HWND list = DroppedList();
  ASSERT_NE(list, nullptr);
  RECT client{};
  GetClientRect(list, &client);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 11);
  EXPECT_GT(info.nPage, 0u);
  EXPECT_LT(info.nPage, 12u);
  // The down arrow of the list's own bar, just right of its client area.
  Click(list, client.right + 5, client.bottom - 5);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  Click(list, 10, 3);  // the first row shown is now the second item
  EXPECT_EQ(Selected(combo), "Stainless");
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
}

TEST_F(ComboBoxTest, ListMessages) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("copper")), 2);
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Cop")), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_SETITEMDATA, 3, 77), CB_OKAY);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 3, 0), 77);
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 1, 0), 9);
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 7, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), -1);
  SendMessage(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(CodesOf(kCombo).empty());
}

}  // namespace
