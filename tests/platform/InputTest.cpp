// Input: keys to the focus window with their characters (Windows-1252),
// key state, system keys, pointer messages with capture and hit testing,
// double clicks on the virtual clock, the wheel, cursors and the caret blink.
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/PlatformTest.h"
#include "platform/Presenter.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

class InputTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    whiteBrush_ = CreateSolidBrush(white);
    RegisterRecorder("Recorder", 0, whiteBrush_);
    RegisterRecorder("Clicks", CS_DBLCLKS, whiteBrush_);
    top = MakeTop(&log, 0, 0, 200, 200);
    ShowWindow(top, SW_SHOW);
    platform::RunUntilIdle();
  }
  void TearDown() override {
    PlatformTest::TearDown();
    DeleteObject(whiteBrush_);
  }
  std::vector<WPARAM> CharactersOf(HWND window) {
    std::vector<WPARAM> result;
    for (const Logged& entry : log.Only({WM_CHAR}))
      if (entry.window == window) result.push_back(entry.wParam);
    return result;
  }
  HBRUSH whiteBrush_ = nullptr;
  MessageLog log;
  HWND top = nullptr;
};

TEST_F(InputTest, KeyGoesToTheFocusWindowAndGivesItsCharacter) {
  HWND child = MakeChild(&log, top, 0, 0, 50, 50);
  SetFocus(child);
  platform::TestKeyPress('A');
  platform::RunUntilIdle();
  std::vector<Logged> keys = log.Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].message, WM_KEYDOWN);
  EXPECT_EQ(keys[0].window, child);
  EXPECT_EQ(keys[0].wParam, 0x41u);
  EXPECT_EQ(keys[1].message, WM_CHAR);
  EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(keys[2].message, WM_KEYUP);
  EXPECT_NE(keys[2].lParam & (1L << 31), 0);  // released
}

TEST_F(InputTest, ShiftStateIsSeenWhileTheKeyIsHandled) {
  short shiftDuringA = 0;
  log.hook = [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message == WM_KEYDOWN && wParam == 'A') shiftDuringA = GetKeyState(VK_SHIFT);
    return false;
  };
  platform::TestKeyDown(VK_SHIFT);
  platform::TestKeyPress('A');
  platform::TestKeyUp(VK_SHIFT);
  platform::RunUntilIdle();
  EXPECT_NE(shiftDuringA & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(CharactersOf(top), (std::vector<WPARAM>{'A'}));
}

TEST_F(InputTest, TypedTextControlAndAlt) {
  platform::TestTypeText("a1!\xE9");  // e acute is a Windows-1252 byte
  platform::TestKeyDown(VK_CONTROL);
  platform::TestKeyPress('C');
  platform::TestKeyUp(VK_CONTROL);
  platform::RunUntilIdle();
  EXPECT_EQ(CharactersOf(top), (std::vector<WPARAM>{'a', '1', '!', 0xE9, 3}));
  log.Clear();
  platform::TestKeyDown(VK_MENU);
  platform::TestKeyPress('F');
  platform::TestKeyUp(VK_MENU);
  platform::RunUntilIdle();
  std::vector<Logged> system = log.Only({WM_SYSKEYDOWN, WM_SYSCHAR, WM_CHAR});
  ASSERT_EQ(system.size(), 3u);  // Alt down, F down, its character
  EXPECT_EQ(system[1].wParam, static_cast<WPARAM>('F'));
  EXPECT_EQ(system[2].message, WM_SYSCHAR);
  EXPECT_EQ(system[2].wParam, static_cast<WPARAM>('f'));
}

TEST_F(InputTest, KeyWithoutAWindows1252CharacterBeeps) {
  platform::PresenterKey(top, 0, true, 0, 0x03B1);  // Greek alpha
  platform::PresenterKey(top, 0, false, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::BeepCount(), 1);
  EXPECT_TRUE(CharactersOf(top).empty());
}

TEST_F(InputTest, PointerMessagesGoToTheWindowUnderIt) {
  HWND child = MakeChild(&log, top, 20, 30, 50, 50);
  platform::TestMouse(top, WM_LBUTTONDOWN, 25, 37);
  platform::TestMouse(top, WM_LBUTTONUP, 25, 37);
  platform::RunUntilIdle();
  std::vector<Logged> clicks = log.Only({WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_EQ(clicks.size(), 4u);  // the child's cursor question goes to its parent too
  EXPECT_EQ(clicks[0].window, child);
  EXPECT_EQ(clicks[0].message, WM_SETCURSOR);
  EXPECT_EQ(clicks[1].window, top);
  EXPECT_EQ(clicks[2].window, child);
  EXPECT_EQ(clicks[2].message, WM_LBUTTONDOWN);
  EXPECT_EQ(clicks[2].lParam, MAKELPARAM(5, 7));
  EXPECT_EQ(clicks[2].wParam, MK_LBUTTON);
  EXPECT_EQ(clicks[3].message, WM_LBUTTONUP);
  EXPECT_EQ(clicks[3].wParam, 0u);
}

TEST_F(InputTest, CaptureGetsThePointerOutsideItself) {
  HWND child = MakeChild(&log, top, 20, 30, 50, 50);
  SetCapture(child);
  platform::TestMouse(top, WM_MOUSEMOVE, 5, 10);
  platform::RunUntilIdle();
  std::vector<Logged> moves = log.Only({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].window, child);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -15);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), -20);
}

TEST_F(InputTest, DoubleClickWithinTheTimeAndDistance) {
  HWND clicks = MakeChild(&log, top, 0, 0, 100, 100, 0, 0, "Clicks");
  HWND plain = MakeChild(&log, top, 100, 0, 100, 100);
  auto click = [&](HWND window, int x, int y) {
    platform::TestMouse(window, WM_LBUTTONDOWN, x, y);
    platform::TestMouse(window, WM_LBUTTONUP, x, y);
    platform::RunUntilIdle();
  };
  click(clicks, 10, 10);
  platform::AdvanceClock(300);
  click(clicks, 12, 11);  // within 500 ms and 2 pixels
  EXPECT_EQ(log.Count(clicks, WM_LBUTTONDBLCLK), 1);
  platform::AdvanceClock(1000);
  click(clicks, 10, 10);
  platform::AdvanceClock(501);  // too late
  click(clicks, 10, 10);
  EXPECT_EQ(log.Count(clicks, WM_LBUTTONDBLCLK), 1);
  platform::AdvanceClock(100);
  click(clicks, 13, 10);  // 3 pixels away
  EXPECT_EQ(log.Count(clicks, WM_LBUTTONDBLCLK), 1);
  click(plain, 10, 10);
  click(plain, 10, 10);  // the class does not ask for double clicks
  EXPECT_EQ(log.Count(plain, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(log.Count(plain, WM_LBUTTONDOWN), 2);
}

TEST_F(InputTest, WheelGoesToTheFocusWindow) {
  HWND child = MakeChild(&log, top, 0, 0, 50, 50);
  SetFocus(child);
  platform::TestMouseWheel(top, -WHEEL_DELTA, 150, 150);
  platform::RunUntilIdle();
  std::vector<Logged> wheel = log.Only({WM_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 2u);  // the child, then its parent through DefWindowProc
  EXPECT_EQ(wheel[0].window, child);
  EXPECT_EQ(static_cast<short>(HIWORD(wheel[0].wParam)), -120);
  EXPECT_EQ(GET_X_LPARAM(wheel[0].lParam), 150);  // screen coordinates
}

TEST_F(InputTest, ClassCursorIsSetOverTheWindow) {
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  windowClass.lpszClassName = "Text";
  ASSERT_NE(RegisterClass(&windowClass), 0);
  ASSERT_NE(windowClass.hCursor, nullptr);
  EXPECT_NE(LoadCursor(nullptr, IDC_HAND), windowClass.hCursor);
  EXPECT_EQ(LoadCursor(nullptr, IDC_IBEAM), windowClass.hCursor);
  CreateWindowEx(0, "Text", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
  platform::TestMouse(top, WM_MOUSEMOVE, 10, 10);
  platform::RunUntilIdle();
  EXPECT_EQ(GetCursor(), windowClass.hCursor);
  POINT point{};
  GetCursorPos(&point);
  EXPECT_EQ(point.x, 10);
}

TEST_F(InputTest, CaretBlinksOnTheVirtualClock) {
  ASSERT_TRUE(CreateCaret(top, nullptr, 2, 10));
  SetCaretPos(5, 5);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), white);  // created hidden
  ShowCaret(top);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), black);
  EXPECT_EQ(platform::GetWindowPixel(top, 6, 14), black);
  EXPECT_EQ(platform::GetWindowPixel(top, 7, 5), white);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 15), white);
  platform::AdvanceClock(529);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), black);
  platform::AdvanceClock(1);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), white);
  platform::AdvanceClock(530);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), black);
  // A repaint under the caret leaves it as it was.
  InvalidateRect(top, nullptr, TRUE);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), black);
  HideCaret(top);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), white);
  platform::AdvanceClock(2000);
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), white);
  ShowCaret(top);
  DestroyCaret();
  EXPECT_EQ(platform::GetWindowPixel(top, 5, 5), white);
}

}  // namespace
