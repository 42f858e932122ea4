// Activation by the mouse: a press in an inactive top-level window first asks
// the window under the pointer with WM_MOUSEACTIVATE (a child passes the
// question to its parent unless it answers itself), then activates or not
// and passes the press on or eats it, as the answer says. A press that
// reaches the window's queue before the program disables its frame (a
// modal dialog opened meanwhile) is not read there.
#include "platform/PlatformTest.h"

namespace {

class MouseActivateTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder("Recorder");
    RegisterRecorder("Clicks", CS_DBLCLKS);
    first = MakeTop(&log, 0, 0, 200, 150);
    second = MakeTop(&log, 300, 0, 200, 150, WS_OVERLAPPEDWINDOW, "Clicks");
    inner = MakeChild(&log, second, 10, 10, 80, 60, 0, 5, "Clicks");
    ShowWindow(second, SW_SHOW);
    ShowWindow(first, SW_SHOW);
    platform::RunUntilIdle();
    ASSERT_EQ(GetActiveWindow(), first);
    log.Clear();
  }
  // Sends a press and a release at a client point of `window`.
  void Click(HWND window, int x, int y) {
    platform::TestMouse(window, WM_LBUTTONDOWN, x, y);
    platform::TestMouse(window, WM_LBUTTONUP, x, y);
    platform::RunUntilIdle();
  }
  // `second` answers WM_MOUSEACTIVATE with `answer` instead of the default.
  void Answer(LRESULT answer) {
    log.hook = [this, answer](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
      if (window != second || message != WM_MOUSEACTIVATE) return false;
      *result = answer;
      return true;
    };
  }

  MessageLog log;
  HWND first = nullptr;
  HWND second = nullptr;
  HWND inner = nullptr;
};

TEST_F(MouseActivateTest, PressInAnInactiveWindowAsksTheWindowUnderItThenItsParent) {
  Click(inner, 20, 20);
  std::vector<Logged> order = log.Only({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
  ASSERT_EQ(order.size(), 5u);
  // The child asks first, with its top-level window and the pressed part.
  EXPECT_EQ(order[0].window, inner);
  EXPECT_EQ(order[0].message, WM_MOUSEACTIVATE);
  EXPECT_EQ(order[0].wParam, reinterpret_cast<WPARAM>(second));
  EXPECT_EQ(order[0].lParam, MAKELPARAM(1, WM_LBUTTONDOWN));  // HTCLIENT
  EXPECT_EQ(order[1].window, second);
  EXPECT_EQ(order[1].message, WM_MOUSEACTIVATE);
  EXPECT_EQ(order[1].lParam, MAKELPARAM(1, WM_LBUTTONDOWN));
  // The default answer activates: first loses, second gains by a click.
  EXPECT_EQ(order[2].window, first);
  EXPECT_EQ(order[2].message, WM_ACTIVATE);
  EXPECT_EQ(LOWORD(order[2].wParam), WA_INACTIVE);
  EXPECT_EQ(order[3].window, second);
  EXPECT_EQ(order[3].message, WM_ACTIVATE);
  EXPECT_EQ(LOWORD(order[3].wParam), WA_CLICKACTIVE);
  EXPECT_EQ(order[4].window, inner);
  EXPECT_EQ(order[4].message, WM_LBUTTONDOWN);
  EXPECT_EQ(GetActiveWindow(), second);
  // A press in the window that is already active asks nothing.
  log.Clear();
  Click(inner, 20, 20);
  EXPECT_EQ(log.Count(inner, WM_MOUSEACTIVATE) + log.Count(second, WM_MOUSEACTIVATE), 0);
  EXPECT_EQ(log.Count(inner, WM_LBUTTONDOWN) + log.Count(inner, WM_LBUTTONDBLCLK), 1);
}

TEST_F(MouseActivateTest, EachAnswerActivatesOrNotAndPassesThePressOnOrEatsIt) {
  struct Case {
    LRESULT answer;
    bool activates;
    bool passesOn;
  };
  const Case cases[] = {{MA_ACTIVATE, true, true},
                        {MA_ACTIVATEANDEAT, true, false},
                        {MA_NOACTIVATE, false, true},
                        {MA_NOACTIVATEANDEAT, false, false}};
  for (const Case& c : cases) {
    SetActiveWindow(first);
    platform::RunUntilIdle();
    Answer(c.answer);
    log.Clear();
    Click(inner, 20, 20);
    EXPECT_EQ(GetActiveWindow(), c.activates ? second : first) << c.answer;
    EXPECT_EQ(log.Count(second, WM_ACTIVATE), c.activates ? 1 : 0) << c.answer;
    EXPECT_EQ(log.Count(first, WM_ACTIVATE), c.activates ? 1 : 0) << c.answer;
    EXPECT_EQ(log.Count(inner, WM_LBUTTONDOWN), c.passesOn ? 1 : 0) << c.answer;
    EXPECT_EQ(log.Count(inner, WM_LBUTTONUP), 1) << c.answer;  // only the press is eaten
    platform::TestMouse(inner, WM_LBUTTONDOWN, 80, 50);  // move on, so no double click joins the cases
    platform::TestMouse(inner, WM_LBUTTONUP, 80, 50);
    platform::RunUntilIdle();
  }
}

TEST_F(MouseActivateTest, ChildThatAnswersItselfDecidesWithoutItsParent) {
  log.hook = [this](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (window != inner || message != WM_MOUSEACTIVATE) return false;
    *result = MA_NOACTIVATE;
    return true;
  };
  Click(inner, 20, 20);
  EXPECT_EQ(log.Count(inner, WM_MOUSEACTIVATE), 1);
  EXPECT_EQ(log.Count(second, WM_MOUSEACTIVATE), 0);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(log.Count(inner, WM_LBUTTONDOWN), 1);
  // A press in the parent's own client area is not the child's to decide.
  log.Clear();
  Click(second, 150, 100);
  EXPECT_EQ(log.Count(second, WM_MOUSEACTIVATE), 1);
  EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(MouseActivateTest, EatenPressDoesNotStartADoubleClick) {
  Answer(MA_ACTIVATEANDEAT);
  Click(inner, 20, 20);
  ASSERT_EQ(GetActiveWindow(), second);
  ASSERT_EQ(log.Count(inner, WM_LBUTTONDOWN), 0);
  // The next press, at once and on the same spot, is the first the window sees.
  Click(inner, 20, 20);
  EXPECT_EQ(log.Count(inner, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(log.Count(inner, WM_LBUTTONDBLCLK), 0);
}

// The press went to `second`'s child while it was enabled; a dialog opened
// before the thread read it disables `second`. Handled, the press would
// activate `second` over the dialog (a table takes the focus on a press).
TEST_F(MouseActivateTest, APressReadOnlyAfterItsFrameWasDisabledIsDropped) {
  SetForegroundWindow(second);
  platform::RunUntilIdle();
  log.Clear();
  log.hook = [this](HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (window == inner && message == WM_LBUTTONDOWN && lParam == MAKELPARAM(20, 20)) SetFocus(inner);
    return false;
  };
  platform::TestMouse(inner, WM_LBUTTONDOWN, 20, 20);
  platform::TestMouse(inner, WM_LBUTTONUP, 20, 20);
  ShowWindow(first, SW_SHOW);  // the dialog, active
  EnableWindow(second, FALSE);
  PostMessage(inner, WM_LBUTTONDOWN, 0, MAKELPARAM(7, 7));  // the program's own press still arrives
  platform::RunUntilIdle();
  const std::vector<Logged> presses = log.Only({WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].lParam, MAKELPARAM(7, 7));
  EXPECT_EQ(GetActiveWindow(), first);
}

}  // namespace
