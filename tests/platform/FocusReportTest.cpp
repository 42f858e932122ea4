// The screen's reports of its focus reach the layer late: the presenter
// hears of an activation only once the thread has run out of work, and the
// screen's answer (or a window manager's own focus on a window that has
// just appeared) comes after that. A report about a window the program has
// moved on from since, or has hidden, is old news and leaves the program's
// activation alone, and so does a report that the window the program has
// just chosen lost the focus; a report made once the screen knew of the
// program's choice (a user's click on another window) moves the activation.
// So it is with the screen's report of a window's place: one made before
// the program moved the window leaves the program's place alone. A report
// or a key the presenter read before it had taken up the program's latest
// choice is older than that choice: the report changes nothing, the key
// goes to the chosen window. A key that reaches a window a modal dialog
// keeps disabled goes to the dialog. A key whose window goes as the key is
// routed reaches the window that has the keyboard in the window's thread.
#include <atomic>
#include <future>
#include <thread>

#include "platform/PlatformTest.h"
#include "platform/Input.h"
#include "platform/Presenter.h"
#include "platform/TestSupport.h"

namespace {

class FocusReportTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder();
    first = MakeTop(&log, 0, 0, 200, 150);
    second = MakeTop(&log, 300, 0, 200, 150);
    ShowWindow(second, SW_SHOW);
    ShowWindow(first, SW_SHOW);
    platform::RunUntilIdle();  // the screen has heard that `first` is active
    ASSERT_EQ(GetActiveWindow(), first);
    log.Clear();
  }

  MessageLog log;
  HWND first = nullptr;
  HWND second = nullptr;
};

TEST_F(FocusReportTest, AReportAboutAWindowTheProgramHasMovedOnFromChangesNothing) {
  SetForegroundWindow(second);
  // The screen still reports the focus the program gave `first` before.
  platform::PresenterActivated(first, true);
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(log.Count(first, WM_ACTIVATE), 1);  // the one that took it away
  EXPECT_EQ(log.Count(first, WM_SETFOCUS), 0);
  EXPECT_EQ(log.Count(second, WM_KILLFOCUS), 0);
  // Once the screen has heard of `second`, a report about `first` is the
  // user's choice.
  platform::RunUntilIdle();
  platform::PresenterActivated(first, true);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), first);
}

TEST_F(FocusReportTest, AReportAboutAHiddenWindowChangesNothing) {
  ShowWindow(first, SW_HIDE);
  ASSERT_EQ(GetActiveWindow(), second);
  platform::RunUntilIdle();
  log.Clear();
  platform::PresenterActivated(first, true);
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetFocus(), second);
  EXPECT_EQ(log.Count(first, WM_ACTIVATE), 0);
  EXPECT_EQ(log.Count(first, WM_SETFOCUS), 0);
  EXPECT_FALSE(IsWindowVisible(first));
}

TEST_F(FocusReportTest, AReportOfTheWindowTheProgramChoseKeepsItAsItIs) {
  SetForegroundWindow(second);
  platform::PresenterActivated(second, true);
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(log.Count(second, WM_ACTIVATE), 1);
  EXPECT_EQ(log.Count(second, WM_SETFOCUS), 1);
}

// As when a window manager focuses a window of another thread that has just
// appeared and takes the focus from the window the program is choosing
// meanwhile: the loss it reports was made before the screen heard of the
// choice, and the screen follows the choice once it does.
TEST_F(FocusReportTest, ALossReportedBeforeTheScreenHeardOfTheChoiceChangesNothing) {
  SetForegroundWindow(second);
  log.Clear();
  platform::PresenterActivated(second, false);
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(GetFocus(), second);
  EXPECT_EQ(log.Count(second, WM_ACTIVATE), 0);
  EXPECT_EQ(log.Count(second, WM_KILLFOCUS), 0);
  // Once the screen has heard of `second`, its loss of the focus is real (a
  // user's click on another program's window).
  platform::RunUntilIdle();
  platform::PresenterActivated(second, false);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(log.Count(second, WM_ACTIVATE), 1);
  EXPECT_EQ(log.Count(second, WM_KILLFOCUS), 1);
}

// The program chose `second` and told the presenter (RunUntilIdle), which
// read the report of `first` before it took the choice up (it had heard
// one choice fewer): old news. The same report counted with the choice
// heard is the user's.
TEST_F(FocusReportTest, AReportReadBeforeThePresenterTookUpTheProgramsChoiceChangesNothing) {
  SetForegroundWindow(second);
  platform::RunUntilIdle();
  const std::uint64_t heard = platform::ActivationsTold();
  std::thread screen([&] { platform::PresenterActivated(first, true, heard - 1); });
  screen.join();
  platform::RunUntilIdle();
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetForegroundWindow(), second);
  std::thread later([&] { platform::PresenterActivated(first, true, heard); });
  later.join();
  platform::RunUntilIdle();
  EXPECT_EQ(GetActiveWindow(), first);
}

// A key the presenter read from `first`'s window before it took up the
// program's choice of `second` goes to `second`; one read after goes where
// it came.
TEST_F(FocusReportTest, AKeyReadBeforeThePresenterTookUpTheProgramsChoiceGoesToTheChosenWindow) {
  SetForegroundWindow(second);
  platform::RunUntilIdle();
  log.Clear();
  const std::uint64_t heard = platform::ActivationsTold();
  std::thread screen([&] { platform::PresenterKey(first, VK_DOWN, true, 0, false, 0, heard - 1); });
  screen.join();
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(second, WM_KEYDOWN), 1);
  EXPECT_EQ(log.Count(first, WM_KEYDOWN), 0);
  std::thread later([&] { platform::PresenterKey(first, VK_UP, true, 0, false, 0, heard); });
  later.join();
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(second, WM_KEYDOWN), 2);  // the thread's focus is there
}

// A modal dialog keeps `first` disabled; the program lost the keyboard to
// another program meanwhile, so nothing of its thread has it. A key that
// reaches `first` (a window manager that does not know the dialog is modal
// gave it the focus) goes to the dialog, which becomes the active window.
TEST_F(FocusReportTest, AKeyThatReachesAWindowAModalDialogKeepsDisabledGoesToTheDialog) {
  HWND dialog = CreateWindowEx(0, "Recorder", "dialog", WS_POPUP | WS_CAPTION, 40, 40, 120, 80, first, nullptr,
                               nullptr, &log);
  EnableWindow(first, FALSE);
  ShowWindow(dialog, SW_SHOW);
  platform::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), dialog);
  platform::PresenterActivated(dialog, false);
  platform::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), nullptr);
  log.Clear();
  platform::PresenterKey(first, VK_RETURN, true, '\r', false);
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(first, WM_KEYDOWN), 0);
  EXPECT_EQ(log.Count(dialog, WM_KEYDOWN), 1);
  EXPECT_EQ(GetActiveWindow(), dialog);
}

// A key the screen sent to a window the program has destroyed since (a
// dialog that the key before it closed), read once the screen has heard of
// every activation, reaches the window that has the keyboard now, once.
TEST_F(FocusReportTest, AKeyForAWindowDestroyedSinceReachesTheForegroundWindowOnce) {
  HWND gone = MakeTop(&log, 40, 40, 120, 80);
  ShowWindow(gone, SW_SHOW);
  platform::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), gone);
  DestroyWindow(gone);
  SetForegroundWindow(first);
  platform::RunUntilIdle();
  ASSERT_EQ(GetForegroundWindow(), first);
  log.Clear();
  const std::uint64_t heard = platform::ActivationsTold();
  std::thread screen([&] { platform::PresenterKey(gone, VK_DELETE, true, 0, false, 0, heard); });
  screen.join();
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(first, WM_KEYDOWN), 1);
  EXPECT_EQ(log.Count(second, WM_KEYDOWN), 0);
}

// The dialog a key reached closes on its own thread in the moment after
// the layer chose it to take the key and before the key was queued (the
// key typed just before closed it): the key goes to the thread the dialog
// was chosen with, where the dialog's owner has the keyboard now.
TEST_F(FocusReportTest, AKeyWhoseWindowGoesAsTheKeyIsRoutedReachesTheKeyboardOfItsThread) {
  HWND dialog = CreateWindowEx(0, "Recorder", "dialog", WS_POPUP | WS_CAPTION, 40, 40, 120, 80, first, nullptr,
                               nullptr, &log);
  ShowWindow(dialog, SW_SHOW);
  platform::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), dialog);
  std::promise<void> gone;
  log.hook = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (window == dialog && message == WM_DESTROY) gone.set_value();
    return false;
  };
  log.Clear();
  platform::HoldNextKeyRoute([&] {
    PostMessage(dialog, WM_CLOSE, 0, 0);
    gone.get_future().wait();
  });
  std::atomic<bool> routed{false};
  std::thread screen([&] {
    platform::PresenterKey(dialog, VK_DELETE, true, 0, false);
    routed = true;
  });
  EXPECT_TRUE(platform::PumpUntil([&] { return routed.load(); }, 10000));
  screen.join();
  platform::RunUntilIdle();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(log.Count(first, WM_KEYDOWN), 1) << "the key went with the dialog";
}

TEST_F(FocusReportTest, APlaceTheScreenReportedBeforeTheProgramMovedTheWindowChangesNothing) {
  // The screen (a window manager placing the window) reports a place; the
  // report waits for the window's thread, which moves the window first.
  std::thread screen([this] { platform::PresenterResized(first, RECT{1, 392, 201, 542}); });
  screen.join();
  SetWindowPos(first, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  platform::RunUntilIdle();
  RECT rect{};
  GetWindowRect(first, &rect);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 20);
  // The same report counted with the moves the screen had been asked for
  // then: none, though the program has moved the window since.
  std::thread counted([this] { platform::PresenterResized(first, RECT{1, 392, 201, 542}, 0); });
  counted.join();
  platform::RunUntilIdle();
  GetWindowRect(first, &rect);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 20);
  // A report made after the move is the screen's word on it.
  std::thread later([this] { platform::PresenterResized(first, RECT{21, 40, 221, 190}); });
  later.join();
  platform::RunUntilIdle();
  GetWindowRect(first, &rect);
  EXPECT_EQ(rect.left, 21);
  EXPECT_EQ(rect.top, 40);
}

}  // namespace
