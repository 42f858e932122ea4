// Edits driven by the keyboard and the mouse: typing with its change
// notifications, selection by Shift+arrows and by dragging, the text limit,
// read-only and number edits, the clipboard keys, multi-line text and the
// width limit of an edit that does not scroll.
#include "platform/ControlTesting.h"

namespace {

class EditTest : public ControlTest {
 protected:
  HWND MakeEdit(DWORD style = ES_AUTOHSCROLL, int width = 200) {
    HWND edit = Make(WC_EDIT, "", style | WS_TABSTOP, 10, 10, width, 22, 5, WS_EX_CLIENTEDGE);
    SetFocus(edit);
    platform::RunUntilIdle();
    log.Clear();
    return edit;
  }
  std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(EditTest, TypingNotifiesEachChange) {
  HWND edit = Make(WC_EDIT, "", ES_AUTOHSCROLL, 10, 10, 200, 22, 5);
  SetFocus(edit);
  platform::TestTypeText("ab");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "ab");
  EXPECT_EQ(CodesOf(5), (std::vector<UINT>{EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), TRUE);
  log.Clear();
  Press(VK_BACK);
  EXPECT_EQ(Text(edit), "a");
  SetFocus(top);
  platform::RunUntilIdle();
  EXPECT_EQ(CodesOf(5), (std::vector<UINT>{EN_UPDATE, EN_CHANGE, EN_KILLFOCUS}));
}

TEST_F(EditTest, ShiftArrowsSelectAndTypingReplaces) {
  HWND edit = MakeEdit();
  platform::TestTypeText("abc");
  WithKey(VK_SHIFT, VK_LEFT);
  WithKey(VK_SHIFT, VK_LEFT);
  EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{1, 3}));
  platform::TestTypeText("X");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "aX");
  Press(VK_HOME);
  WithKey(VK_SHIFT, VK_END);
  EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 2}));
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), "");
}

TEST_F(EditTest, MouseDragSelects) {
  HWND edit = MakeEdit();
  SetWindowText(edit, "pipe run");
  platform::TestMouse(edit, WM_LBUTTONDOWN, 0, 8);
  platform::TestMouse(edit, WM_MOUSEMOVE, 190, 8);
  platform::TestMouse(edit, WM_LBUTTONUP, 190, 8);
  platform::RunUntilIdle();
  EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 8}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditTest, LimitRefusesWithBeepAndMaxText) {
  HWND edit = MakeEdit();
  SendMessage(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 3);
  int beeps = platform::BeepCount();
  platform::TestTypeText("abcd");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "abc");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  std::vector<UINT> codes = CodesOf(5);
  EXPECT_EQ(codes.back(), EN_MAXTEXT);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_CHANGE), 3);
}

TEST_F(EditTest, ReadOnlyRefusesTypingButCopies) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL | ES_READONLY);
  SetWindowText(edit, "fixed");
  log.Clear();
  int beeps = platform::BeepCount();
  platform::TestTypeText("x");
  Press(VK_DELETE);
  EXPECT_EQ(Text(edit), "fixed");
  EXPECT_EQ(platform::BeepCount(), beeps + 2);
  EXPECT_TRUE(CodesOf(5).empty());
  SendMessage(edit, EM_SETSEL, 0, -1);
  WithKey(VK_CONTROL, 'C');
  std::string copied;
  EXPECT_TRUE(platform::GetClipboardText(nullptr, &copied));
  EXPECT_EQ(copied, "fixed");
}

TEST_F(EditTest, ClipboardKeysCopyCutAndPaste) {
  HWND edit = MakeEdit();
  platform::TestTypeText("abc");
  platform::RunUntilIdle();
  SendMessage(edit, EM_SETSEL, 0, -1);
  WithKey(VK_CONTROL, 'C');
  Press(VK_END);
  WithKey(VK_CONTROL, 'V');
  EXPECT_EQ(Text(edit), "abcabc");
  SendMessage(edit, EM_SETSEL, 0, 2);
  WithKey(VK_CONTROL, 'X');
  EXPECT_EQ(Text(edit), "cabc");
  std::string clipboard;
  ASSERT_TRUE(platform::GetClipboardText(nullptr, &clipboard));
  EXPECT_EQ(clipboard, "ab");
  WithKey(VK_SHIFT, VK_INSERT);
  EXPECT_EQ(Text(edit), "abcabc");
}

TEST_F(EditTest, SetTextAndReplaceSelNotify) {
  HWND single = MakeEdit();
  SetWindowText(single, "one");
  EXPECT_EQ(CodesOf(5), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessage(single, EM_GETMODIFY, 0, 0), FALSE);
  SendMessage(single, EM_SETSEL, 3, 3);
  log.Clear();
  SendMessage(single, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(" two"));
  EXPECT_EQ(Text(single), "one two");
  EXPECT_EQ(CodesOf(5), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
  HWND multi = Make(WC_EDIT, "", ES_MULTILINE, 10, 60, 200, 80, 6);
  log.Clear();
  SetWindowText(multi, "quiet");
  EXPECT_TRUE(CodesOf(6).empty());
  char buffer[4] = "";
  EXPECT_EQ(SendMessage(single, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, "one");
}

TEST_F(EditTest, MultiLineLinesAndArrows) {
  HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
  platform::TestTypeText("ab");
  Press(VK_RETURN);
  platform::TestTypeText("cd");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "ab\r\ncd");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 4);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 4, 0), 2);
  Press(VK_UP);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
  WithKey(VK_SHIFT, VK_RIGHT);
  // The caret stands after "ab"; a step right crosses the whole line break.
  EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{2, 4}));
  EXPECT_NE(SendMessage(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
}

TEST_F(EditTest, FixedWidthEditRefusesTextWiderThanItself) {
  HWND edit = MakeEdit(0, 40);
  int beeps = platform::BeepCount();
  platform::TestTypeText("WWWWWWWWWWWW");
  platform::RunUntilIdle();
  std::string text = Text(edit);
  EXPECT_GT(text.size(), 0u);
  EXPECT_LT(text.size(), 12u);
  EXPECT_EQ(platform::BeepCount(), beeps + static_cast<int>(12 - text.size()));
}

TEST_F(EditTest, NumberEditTakesDigitsOnly) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL | ES_NUMBER);
  int beeps = platform::BeepCount();
  platform::TestTypeText("1a2");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "12");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  EXPECT_EQ(SendMessage(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(EditTest, UndoRestoresThePreviousText) {
  HWND edit = MakeEdit();
  SetWindowText(edit, "100");
  SendMessage(edit, EM_SETSEL, 0, -1);
  platform::TestTypeText("2");
  platform::RunUntilIdle();
  EXPECT_EQ(Text(edit), "2");
  EXPECT_EQ(SendMessage(edit, EM_CANUNDO, 0, 0), TRUE);
  SendMessage(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(edit), "100");
}

}  // namespace
