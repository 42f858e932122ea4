// A key from the display comes with the modifier keys the display says were
// held: the key is read with those, whatever the layer heard of the
// modifiers before. A Ctrl whose release went to another thread's window
// (the keyboard had moved there meanwhile) or to a window manager that
// took it leaves no Ctrl on the next key, and a Ctrl pressed while another
// program had the keyboard is held for the key that comes with it.
#include <future>
#include <thread>

#include "platform/ControlTesting.h"
#include "platform/Menu.h"
#include "platform/Presenter.h"

namespace {

using platform::kControlHeld;
using platform::kModifiersReported;
using platform::kShiftHeld;

class ReportedModifiersTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    const ACCEL entries[] = {{FVIRTKEY, VK_F12, 201}, {FVIRTKEY | FCONTROL, VK_F12, 202}, {FVIRTKEY | FCONTROL, 'I', 203}};
    table_ = CreateAcceleratorTable(entries, 3);
    log.hook = [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
      if (message == WM_KEYDOWN && wParam != VK_CONTROL) {
        controlDuringKey_ = GetKeyState(VK_CONTROL);
        shiftDuringKey_ = GetKeyState(VK_SHIFT);
      }
      return false;
    };
  }
  void TearDown() override {
    DestroyAcceleratorTable(table_);
    ControlTest::TearDown();
  }
  // The program's loop on this thread: the table first.
  void Pump() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAccelerator(top, table_, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
  // A press and release of `key` as the display reports them.
  void DisplayKey(HWND window, UINT key, unsigned held) {
    platform::PresenterKey(window, key, true, 0, false, kModifiersReported | held);
    platform::PresenterKey(window, key, false, 0, false, kModifiersReported | held);
  }

  HACCEL table_ = nullptr;
  short controlDuringKey_ = 0;
  short shiftDuringKey_ = 0;
};

TEST_F(ReportedModifiersTest, ACtrlWhoseReleaseWasNeverHeardIsNotOnTheNextKey) {
  platform::PresenterKey(top, VK_LCONTROL, true, 0, false, kModifiersReported);
  Pump();
  // The release went to a window manager; the display says F12 came alone.
  DisplayKey(top, VK_F12, 0);
  Pump();
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{201, 1}}));
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_LCONTROL) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
}

TEST_F(ReportedModifiersTest, ACtrlReleasedInAnotherThreadsWindowIsNotOnTheNextKeyHere) {
  // Ctrl+I in this thread's window moves the keyboard to a window of
  // another thread, which hears Ctrl go up.
  std::promise<std::pair<HWND, DWORD>> made;
  std::thread other([&] {
    HWND own = MakeTop(&log, 500, 0, 100, 100, WS_OVERLAPPED);
    made.set_value({own, GetCurrentThreadId()});
    MSG message;
    while (GetMessage(&message, nullptr, 0, 0) > 0 && message.message != WM_APP) DispatchMessage(&message);
    DestroyWindow(own);
  });
  const auto [elsewhere, otherThread] = made.get_future().get();
  platform::PresenterKey(top, VK_LCONTROL, true, 0, false, kModifiersReported);
  DisplayKey(top, 'I', kControlHeld);
  Pump();
  platform::PresenterKey(elsewhere, VK_LCONTROL, false, 0, false, kModifiersReported | kControlHeld);
  platform::RunUntilIdle();
  // Back here, F12 comes alone.
  DisplayKey(top, VK_F12, 0);
  Pump();
  PostThreadMessage(otherThread, WM_APP, 0, 0);
  other.join();
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{203, 1}, {201, 1}}));
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

TEST_F(ReportedModifiersTest, AModifierHeldBeforeTheWindowHadTheKeyboardIsOnTheKey) {
  // Ctrl and Shift went down while another program had the keyboard.
  DisplayKey(top, 'I', kControlHeld | kShiftHeld);
  Pump();
  EXPECT_NE(controlDuringKey_ & 0x8000, 0);
  EXPECT_NE(shiftDuringKey_ & 0x8000, 0);
  EXPECT_NE(GetAsyncKeyState(VK_SHIFT), 0);
  // Ctrl+Shift+I is no entry of the table.
  EXPECT_TRUE(Commands().empty());
  // They go up, out of the window: the next key says so.
  DisplayKey(top, VK_F12, 0);
  Pump();
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{201, 1}}));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
}

TEST_F(ReportedModifiersTest, AKeyWithoutAReportKeepsTheModifiersTheLayerHeard) {
  platform::TestKeyDown(VK_CONTROL);
  platform::PresenterKey(top, VK_F12, true, 0, false, 0);
  platform::PresenterKey(top, VK_F12, false, 0, false, 0);
  platform::TestKeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, UINT>>{{202, 1}}));
}

}  // namespace
