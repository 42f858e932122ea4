// Buttons driven by mouse and keyboard: clicks, auto check boxes and radio
// groups, focus notifications, styles, colours asked from the parent, and
// the pixels of a checked box and a greyed caption.
#include "platform/ControlTesting.h"
#include "platform/Gdi.h"

namespace {

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, ClickByMouseAndBySpaceSendsClicked) {
  HWND button = Make(WC_BUTTON, "OK", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 24, 1);
  Click(button, 40, 12);
  EXPECT_EQ(CodesOf(1), (std::vector<UINT>{BN_CLICKED}));
  EXPECT_EQ(GetFocus(), button);
  log.Clear();
  Press(VK_SPACE);
  EXPECT_EQ(CodesOf(1), (std::vector<UINT>{BN_CLICKED}));
}

TEST_F(ButtonTest, ReleaseOutsideIsNoClick) {
  HWND button = Make(WC_BUTTON, "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
  platform::TestMouse(button, WM_LBUTTONDOWN, 40, 12);
  platform::RunUntilIdle();
  EXPECT_NE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  platform::TestMouse(button, WM_MOUSEMOVE, 200, 12);
  platform::TestMouse(button, WM_LBUTTONUP, 200, 12);
  platform::RunUntilIdle();
  EXPECT_TRUE(CodesOf(1).empty());
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, NotifyStyleReportsFocusChanges) {
  HWND noisy = Make(WC_BUTTON, "A", BS_PUSHBUTTON | BS_NOTIFY, 10, 10, 80, 24, 1);
  HWND quiet = Make(WC_BUTTON, "B", BS_PUSHBUTTON, 10, 40, 80, 24, 2);
  SetFocus(noisy);
  SetFocus(quiet);
  SetFocus(noisy);
  platform::RunUntilIdle();
  EXPECT_EQ(CodesOf(1), (std::vector<UINT>{BN_SETFOCUS, BN_KILLFOCUS, BN_SETFOCUS}));
  EXPECT_TRUE(CodesOf(2).empty());
}

TEST_F(ButtonTest, AutoCheckBoxTogglesAndShowsItsMark) {
  HWND box = Make(WC_BUTTON, "Include weight", BS_AUTOCHECKBOX, 10, 10, 150, 20, 3);
  platform::RunUntilIdle();
  RECT mark{2, 5, 11, 15};  // inside the 13-pixel box, 3 pixels from the top
  EXPECT_EQ(CountPixels(box, mark, RGB(0, 0, 0)), 0);
  Click(box, 5, 10);
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_GT(CountPixels(box, mark, RGB(0, 0, 0)), 10);
  SendMessage(box, BM_CLICK, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(CountPixels(box, mark, RGB(0, 0, 0)), 0);
  EXPECT_EQ(CodesOf(3), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
}

TEST_F(ButtonTest, PlainCheckBoxLeavesTheCheckToItsOwner) {
  HWND box = Make(WC_BUTTON, "Manual", BS_CHECKBOX, 10, 10, 150, 20, 3);
  Click(box, 5, 10);
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(CodesOf(3), (std::vector<UINT>{BN_CLICKED}));
  SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
}

TEST_F(ButtonTest, AutoRadiosCheckOneOfTheirGroup) {
  HWND first = Make(WC_BUTTON, "Metric", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 20, 11);
  HWND second = Make(WC_BUTTON, "English", BS_AUTORADIOBUTTON, 10, 30, 100, 20, 12);
  HWND third = Make(WC_BUTTON, "SI", BS_AUTORADIOBUTTON, 10, 50, 100, 20, 13);
  HWND other = Make(WC_BUTTON, "Other group", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 100, 20, 14);
  SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  Click(second, 5, 10);
  EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessage(third, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(CodesOf(12), (std::vector<UINT>{BN_CLICKED}));
  // Focus arriving by keyboard (no mouse button down) selects the radio.
  SetFocus(third);
  platform::RunUntilIdle();
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(third, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(CodesOf(13), (std::vector<UINT>{BN_CLICKED}));
}

// A group box comes before the controls it frames, as templates list them:
// the pointer passes through it to the control under it, and a click on
// the box's own area reaches the window behind.
TEST_F(ButtonTest, ControlsInsideAGroupBoxTakeTheirClicks) {
  HWND group = Make(WC_BUTTON, "Direction", BS_GROUPBOX, 10, 10, 200, 120, 20);
  HWND first = Make(WC_BUTTON, "X", BS_AUTORADIOBUTTON | WS_GROUP, 20, 30, 100, 20, 21);
  HWND second = Make(WC_BUTTON, "Y", BS_AUTORADIOBUTTON, 20, 55, 100, 20, 22);
  HWND box = Make(WC_BUTTON, "Both ways", BS_AUTOCHECKBOX, 20, 90, 100, 20, 23);
  SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
  Click(second, 5, 10);
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(CodesOf(22), (std::vector<UINT>{BN_CLICKED}));
  Click(box, 5, 10);
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(GetFocus(), box);
  POINT inside{25, 60};
  ClientToScreen(top, &inside);
  EXPECT_EQ(WindowFromPoint(inside), second);
  POINT onTheBox{180, 120};  // inside the frame, clear of its controls
  ClientToScreen(top, &onTheBox);
  EXPECT_EQ(WindowFromPoint(onTheBox), top);
  Click(group, 170, 110);
  EXPECT_TRUE(CodesOf(20).empty());
  EXPECT_EQ(GetFocus(), box) << "a click on the frame itself moved the focus";
}

TEST_F(ButtonTest, DialogCodesFollowTheStyle) {
  HWND push = Make(WC_BUTTON, "Apply", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
  HWND radio = Make(WC_BUTTON, "R", BS_AUTORADIOBUTTON, 10, 40, 80, 20, 2);
  HWND group = Make(WC_BUTTON, "Group", BS_GROUPBOX, 100, 10, 100, 100, 3);
  EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  SendMessage(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtr(push, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(SendMessage(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicksAndDrawsGrey) {
  HWND button = Make(WC_BUTTON, "WWWW", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
  EnableWindow(button, FALSE);
  platform::RunUntilIdle();
  Click(button, 40, 12);
  EXPECT_TRUE(CodesOf(1).empty());
  RECT caption{10, 4, 70, 20};
  EXPECT_GT(CountGrey(button, caption), 10);
  EXPECT_EQ(CountPixels(button, caption, RGB(0, 0, 0)), 0);
}

TEST_F(ButtonTest, ParentColoursTheCheckBoxBackground) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  log.hook = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (message != WM_CTLCOLORSTATIC) return false;
    *answer = reinterpret_cast<LRESULT>(red);
    return true;
  };
  HWND box = Make(WC_BUTTON, "", BS_AUTOCHECKBOX, 10, 10, 150, 20, 3);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(box, 100, 10), RGB(255, 0, 0));
  DestroyWindow(box);
  log.hook = nullptr;
  DeleteObject(red);
}

}  // namespace
