// Queues of several threads: sends across threads, sends served while a
// sender waits, two threads sending to each other, sends to a thread that has
// ended, RunUntilIdle waiting for another thread's loop, and the
// foreground window chosen last across threads.
#include <atomic>
#include <future>
#include <latch>
#include <thread>

#include "platform/PlatformTest.h"

namespace {

class ThreadTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder();
  }
};

// A thread that owns one window and runs its loop until the window closes.
class WindowThread {
 public:
  explicit WindowThread(MessageLog* log) {
    std::promise<HWND> made;
    std::future<HWND> window = made.get_future();
    thread_ = std::thread([log, &made, this] {
      threadId_ = GetCurrentThreadId();
      HWND own = MakeTop(log, 0, 0, 40, 40, WS_OVERLAPPED);
      made.set_value(own);
      MSG message;
      while (GetMessage(&message, nullptr, 0, 0) > 0) DispatchMessage(&message);
    });
    window_ = window.get();
  }
  ~WindowThread() {
    PostMessage(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }
  DWORD threadId() const { return threadId_; }

 private:
  std::thread thread_;
  HWND window_ = nullptr;
  std::atomic<DWORD> threadId_{0};
};

// Quits its loop when its window is destroyed.
bool QuitOnDestroy(HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return false;
}

TEST_F(ThreadTest, CrossThreadSendReturnsTheReceiversAnswer) {
  MessageLog log;
  std::atomic<DWORD> servedOn{0};
  log.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message != WM_USER) return QuitOnDestroy(window, message, wParam, lParam, answer);
    servedOn = GetCurrentThreadId();
    *answer = static_cast<LRESULT>(wParam) * 2;
    return true;
  };
  WindowThread other(&log);
  EXPECT_EQ(SendMessage(other.window(), WM_USER, 21, 0), 42);
  EXPECT_EQ(servedOn.load(), GetWindowThreadProcessId(other.window(), nullptr));
  EXPECT_NE(servedOn.load(), GetCurrentThreadId());
}

TEST_F(ThreadTest, SenderServesItsOwnIncomingSendsWhileWaiting) {
  MessageLog mainLog, otherLog;
  HWND mine = MakeTop(&mainLog, 0, 0, 40, 40, WS_OVERLAPPED);
  std::atomic<DWORD> mainServedOn{0};
  mainLog.hook = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (message != WM_USER + 1) return false;
    mainServedOn = GetCurrentThreadId();
    *answer = 7;
    return true;
  };
  otherLog.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message != WM_USER) return QuitOnDestroy(window, message, wParam, lParam, answer);
    // Sends back to the thread that is waiting for this very answer.
    *answer = SendMessage(mine, WM_USER + 1, 0, 0) + 100;
    return true;
  };
  WindowThread other(&otherLog);
  EXPECT_EQ(SendMessage(other.window(), WM_USER, 0, 0), 107);
  EXPECT_EQ(mainServedOn.load(), GetCurrentThreadId());
}

TEST_F(ThreadTest, TwoThreadsSendingToEachOtherBothComplete) {
  MessageLog log;
  std::atomic<HWND> windows[2]{nullptr, nullptr};
  // The answer names the receiving window (100 for the second) and the sender.
  log.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT* answer) {
    if (message != WM_USER) return false;
    *answer = 1000 + (window == windows[1].load() ? 100 : 0) + static_cast<LRESULT>(wParam);
    return true;
  };
  LRESULT results[2]{0, 0};
  std::latch made(2), done(2);
  auto body = [&](int self) {
    windows[self] = MakeTop(&log, 0, 0, 40, 40, WS_OVERLAPPED);
    made.arrive_and_wait();
    results[self] = SendMessage(windows[1 - self], WM_USER, static_cast<WPARAM>(self), 0);
    // Keep serving until the other side has its answer too.
    done.count_down();
    while (!done.try_wait()) {
      MSG message;
      if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&message);
      else std::this_thread::yield();
    }
    DestroyWindow(windows[self]);
  };
  std::thread a(body, 0), b(body, 1);
  a.join();
  b.join();
  EXPECT_EQ(results[0], 1100);  // the second window answered the first thread
  EXPECT_EQ(results[1], 1001);
}

TEST_F(ThreadTest, SendToAThreadThatHasEndedReturnsAtOnce) {
  MessageLog log;
  std::promise<HWND> made;
  std::promise<void> finish;
  std::thread owner([&] {
    made.set_value(MakeTop(&log, 0, 0, 40, 40, WS_OVERLAPPED));
    finish.get_future().wait();  // ends without ever serving its queue
  });
  HWND window = made.get_future().get();
  std::atomic<bool> sending{false};
  LRESULT answer = -1;
  std::thread sender([&] {
    sending = true;
    answer = SendMessage(window, WM_USER, 5, 0);
  });
  while (!sending) std::this_thread::yield();
  finish.set_value();
  owner.join();
  sender.join();
  EXPECT_EQ(answer, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(SendMessage(window, WM_USER, 5, 0), 0);
  EXPECT_EQ(log.Count(window, WM_USER), 0);
}

TEST_F(ThreadTest, RunUntilIdleWaitsForTheOtherThreadsLoop) {
  MessageLog log;
  std::atomic<int> handled{0};
  log.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message == WM_USER) {
      // Work that posts more work to its own queue.
      if (wParam < 5) PostMessage(window, WM_USER, wParam + 1, 0);
      ++handled;
      return true;
    }
    return QuitOnDestroy(window, message, wParam, lParam, answer);
  };
  WindowThread other(&log);
  PostMessage(other.window(), WM_USER, 0, 0);
  EXPECT_TRUE(platform::RunUntilIdle());
  EXPECT_EQ(handled.load(), 6);
}

TEST_F(ThreadTest, MovingAnotherThreadsWindowRunsOnItsThread) {
  MessageLog log;
  std::atomic<DWORD> sizedOn{0};
  log.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message == WM_SIZE && lParam == MAKELPARAM(70, 30)) sizedOn = GetCurrentThreadId();
    return QuitOnDestroy(window, message, wParam, lParam, answer);
  };
  WindowThread other(&log);
  EXPECT_TRUE(MoveWindow(other.window(), 5, 5, 70, 30, TRUE));
  EXPECT_EQ(sizedOn.load(), GetWindowThreadProcessId(other.window(), nullptr));
  EXPECT_FALSE(ShowWindow(other.window(), SW_SHOWNA));  // was hidden
  EXPECT_TRUE(IsWindowVisible(other.window()));
  RECT rect{};
  GetWindowRect(other.window(), &rect);
  EXPECT_EQ(rect.right, 75);
}

TEST_F(ThreadTest, TimersOfAnotherThreadFollowTheVirtualClock) {
  MessageLog log;
  log.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message == WM_USER) {
      SetTimer(window, 3, 100, nullptr);
      return true;
    }
    return QuitOnDestroy(window, message, wParam, lParam, answer);
  };
  WindowThread other(&log);
  SendMessage(other.window(), WM_USER, 0, 0);
  platform::AdvanceClock(450);
  EXPECT_EQ(log.Count(other.window(), WM_TIMER), 4);
}

// The foreground is the program's latest choice: a window of another thread
// brought forward first activates only if it is still the foreground when
// its thread gets to it, so a later choice on this thread stays in front.
TEST_F(ThreadTest, AWindowOfABusyThreadBroughtForwardBeforeALaterChoiceStaysBehind) {
  MessageLog mainLog, otherLog;
  HWND mine = MakeTop(&mainLog, 0, 0, 40, 40);
  ShowWindow(mine, SW_SHOW);
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::latch busy(1);
  otherLog.hook = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    if (message != WM_USER) return QuitOnDestroy(window, message, wParam, lParam, answer);
    busy.count_down();
    released.wait();
    return true;
  };
  WindowThread other(&otherLog);
  ShowWindow(other.window(), SW_SHOWNA);
  platform::RunUntilIdle();
  PostMessage(other.window(), WM_USER, 0, 0);
  busy.wait();
  SetForegroundWindow(other.window());
  SetForegroundWindow(mine);
  release.set_value();
  platform::RunUntilIdle();
  EXPECT_EQ(GetForegroundWindow(), mine);
  EXPECT_EQ(GetActiveWindow(), mine);
  EXPECT_EQ(otherLog.Count(other.window(), WM_ACTIVATE), 0);
}

// A window of another thread is the foreground, then a window of this
// thread is shown in front of it (its own thread still counts the first
// one as its active window), and then the program brings the first one
// forward again: nothing changed in its thread, but the screen, which gave
// the keyboard to the window shown since, must hear of the choice.
TEST_F(ThreadTest, AWindowOfAnotherThreadBroughtBackToTheForegroundIsToldToTheScreenAgain) {
  MessageLog mainLog, otherLog;
  otherLog.hook = QuitOnDestroy;
  WindowThread other(&otherLog);
  ShowWindow(other.window(), SW_SHOW);
  SetForegroundWindow(other.window());
  platform::RunUntilIdle();
  HWND mine = MakeTop(&mainLog, 0, 0, 40, 40);
  ShowWindow(mine, SW_SHOW);
  platform::RunUntilIdle();
  ASSERT_EQ(GetForegroundWindow(), mine);
  const std::uint64_t told = platform::ActivationsTold();
  SetForegroundWindow(other.window());
  platform::RunUntilIdle();
  EXPECT_EQ(GetForegroundWindow(), other.window());
  EXPECT_GT(platform::ActivationsTold(), told) << "the screen never heard the window came back";
}

}  // namespace
