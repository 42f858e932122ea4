// The message queue of one thread: order of posted messages against WM_PAINT
// and WM_TIMER, peeking and filters, where a typed key is read, thread
// messages, quit, timers on the virtual clock and pumping, and the action
// of the user that one message handled from the top (or one call another
// thread sends or queues) makes.
#include <stdexcept>
#include <thread>
#include <utility>

#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/PlatformTest.h"
#include "platform/Presenter.h"

namespace {

class MessageQueueTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder();
  }
  MessageLog log;
};

std::vector<UINT> DrainRecordingOrder() {
  std::vector<UINT> order;
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(message.message);
    DispatchMessage(&message);
  }
  return order;
}

TEST_F(MessageQueueTest, PostedMessagesComeInOrderBeforePaintAndTimer) {
  HWND window = MakeTop(&log, 0, 0, 100, 100);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  ASSERT_EQ(SetTimer(window, 7, 10, nullptr), 7u);
  platform::MoveClock(20);  // the timer is due now
  InvalidateRect(window, nullptr, FALSE);
  PostMessage(window, WM_USER + 1, 0, 0);
  PostMessage(window, WM_USER + 2, 0, 0);
  PostMessage(window, WM_USER + 3, 0, 0);
  std::vector<UINT> expected{WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_PAINT, WM_TIMER};
  EXPECT_EQ(DrainRecordingOrder(), expected);
}

TEST_F(MessageQueueTest, PeekWithoutRemovingAndWithFilters) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  PostMessage(window, WM_USER + 5, 11, 22);
  PostMessage(window, WM_COMMAND, 1, 0);
  MSG message{};
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_USER + 5u);
  EXPECT_EQ(message.wParam, 11u);
  EXPECT_EQ(message.lParam, 22);
  // Only WM_COMMAND through the filter; the earlier user message stays.
  ASSERT_TRUE(PeekMessage(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(message.message, WM_COMMAND);
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 5u);
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(WM_USER + 5, 1029u);
}

// A command posted after keys were typed is read before them, and a key
// typed into a window that goes before it is read reaches the window with
// the focus then (as keys typed after a dialog's closing key reach the
// window its command opens).
TEST_F(MessageQueueTest, PostedMessagesComeBeforeInputAndKeysOutliveTheirWindow) {
  HWND typedInto = MakeTop(&log, 0, 0, 50, 50), opened = MakeTop(&log, 60, 0, 50, 50);
  ShowWindow(typedInto, SW_SHOW);
  ShowWindow(opened, SW_SHOW);
  SetActiveWindow(typedInto);
  platform::RunUntilIdle();
  platform::TestKeyDown('5');
  PostMessage(opened, WM_USER + 1, 0, 0);
  MSG message{};
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 1u);
  DestroyWindow(typedInto);
  SetActiveWindow(opened);
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>('5'));
  EXPECT_EQ(message.hwnd, opened);
}

// A key typed into a control that goes before the key is read, leaving
// no window with the focus, reaches the active window it sat in.
TEST_F(MessageQueueTest, AKeyWhoseFocusWentReachesTheActiveWindow) {
  HWND frame = MakeTop(&log, 0, 0, 100, 100);
  HWND control = MakeChild(&log, frame, 0, 0, 50, 50);
  ShowWindow(frame, SW_SHOW);
  SetFocus(control);
  platform::RunUntilIdle();
  platform::TestKeyDown(VK_DELETE);
  DestroyWindow(control);
  ASSERT_EQ(GetFocus(), nullptr);
  ASSERT_EQ(GetActiveWindow(), frame);
  MSG message{};
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_DELETE));
  EXPECT_EQ(message.hwnd, frame);
}

TEST_F(MessageQueueTest, ThreadMessagesAndQuit) {
  ASSERT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_USER + 9, 3, 4));
  PostQuitMessage(17);
  MSG message{};
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), TRUE);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.message, WM_USER + 9u);
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), FALSE);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 17u);
  EXPECT_FALSE(PostThreadMessage(987654, WM_USER, 0, 0));
}

TEST_F(MessageQueueTest, PostToDestroyedWindowFails) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  PostMessage(window, WM_USER, 0, 0);
  DestroyWindow(window);
  EXPECT_FALSE(PostMessage(window, WM_USER, 0, 0));
  MSG message;
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));  // the pending one went with it
}

TEST_F(MessageQueueTest, TimersFireAndStopOnTheVirtualClock) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  SetTimer(window, 1, 100, nullptr);
  SetTimer(window, 2, 250, nullptr);
  platform::AdvanceClock(99);
  EXPECT_EQ(log.Count(window, WM_TIMER), 0);
  platform::AdvanceClock(1);
  EXPECT_EQ(log.Count(window, WM_TIMER), 1);
  platform::AdvanceClock(500);  // at 600: timer 1 six times, timer 2 twice
  int first = 0, second = 0;
  for (const Logged& entry : log.Only({WM_TIMER})) (entry.wParam == 1 ? first : second)++;
  EXPECT_EQ(first, 6);
  EXPECT_EQ(second, 2);
  EXPECT_TRUE(KillTimer(window, 1));
  EXPECT_FALSE(KillTimer(window, 1));
  platform::AdvanceClock(1000);  // timer 2 four more times, timer 1 none
  first = second = 0;
  for (const Logged& entry : log.Only({WM_TIMER})) (entry.wParam == 1 ? first : second)++;
  EXPECT_EQ(first, 6);
  EXPECT_EQ(second, 6);
}

int timerProcedureCalls = 0;
void CountingTimerProcedure(HWND, UINT message, UINT_PTR, DWORD) {
  if (message == WM_TIMER) ++timerProcedureCalls;
}

TEST_F(MessageQueueTest, ThreadTimerCallsItsProcedure) {
  timerProcedureCalls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 40, CountingTimerProcedure);
  ASSERT_NE(id, 0u);
  platform::AdvanceClock(200);
  EXPECT_EQ(timerProcedureCalls, 5);
  KillTimer(nullptr, id);
  platform::AdvanceClock(200);
  EXPECT_EQ(timerProcedureCalls, 5);
}

TEST_F(MessageQueueTest, GetTickCountFollowsTheVirtualClock) {
  DWORD start = GetTickCount();
  platform::AdvanceClock(1234);
  EXPECT_EQ(GetTickCount() - start, 1234u);
}

TEST_F(MessageQueueTest, PumpServesEverythingAndLeavesQuit) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  PostMessage(window, WM_USER + 1, 0, 0);
  PostMessage(window, WM_USER + 2, 0, 0);
  EXPECT_TRUE(PumpPendingMessages());
  EXPECT_EQ(log.MessagesOf(window, {WM_USER + 1, WM_USER + 2}), (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
  PostMessage(window, WM_USER + 3, 0, 0);
  PostQuitMessage(0);
  PostMessage(window, WM_USER + 4, 0, 0);
  EXPECT_FALSE(PumpPendingMessages());
  EXPECT_EQ(log.Count(window, WM_USER + 4), 1);  // posted messages come before the quit
  MSG message;
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT);
}

TEST_F(MessageQueueTest, SameThreadSendIsADirectCall) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  log.hook = [](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* answer) {
    if (message != WM_USER) return false;
    *answer = static_cast<LRESULT>(wParam) * 3;
    return true;
  };
  EXPECT_EQ(SendMessage(window, WM_USER, 14, 0), 42);
  EXPECT_EQ(log.Count(window, WM_USER), 1);
  MSG message;
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
}

// Whatever one message handled from the top runs (the sends it makes, a loop
// of its own that dispatches what is queued) is one action; a throw out of
// it ends the action as unwinding.
int g_actionsBegun = 0;
std::vector<bool> g_actionsEnded;

TEST_F(MessageQueueTest, OneMessageHandledFromTheTopIsOneAction) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  log.hook = [](HWND target, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (message == WM_USER + 3) throw std::runtime_error("failed");
    if (message != WM_USER + 1) return false;
    SendMessage(target, WM_USER + 2, 0, 0);
    PostMessage(target, WM_USER + 2, 0, 0);
    MSG queued;
    while (PeekMessage(&queued, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&queued);
    *answer = 0;
    return true;
  };
  SetUserActionHooks([] { ++g_actionsBegun; }, [](bool unwinding) { g_actionsEnded.push_back(unwinding); });
  PostMessage(window, WM_USER + 1, 0, 0);
  MSG message;
  ASSERT_TRUE(PeekMessage(&message, window, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  DispatchMessage(&message);
  EXPECT_EQ(log.Count(window, WM_USER + 2), 2);
  EXPECT_EQ(g_actionsBegun, 1);
  EXPECT_EQ(g_actionsEnded, std::vector<bool>{false});
  EXPECT_THROW(SendMessage(window, WM_USER + 3, 0, 0), std::runtime_error);
  SetUserActionHooks(nullptr, nullptr);
  EXPECT_EQ(g_actionsBegun, 2);
  EXPECT_EQ(g_actionsEnded, (std::vector<bool>{false, true}));
}

// A message another thread sends, a call it forwards and a task it queues
// (the screen's report of a move) are one action each, with the messages
// they send in turn; what the end of an action shows (a message and the
// calls it makes) belongs to that action and begins none.
HWND g_shownBy = nullptr;
void EndShowingAMessage(bool unwinding) {
  g_actionsEnded.push_back(unwinding);
  static bool showing = false;
  if (g_shownBy == nullptr || std::exchange(showing, true)) return;
  SendMessage(g_shownBy, WM_USER + 2, 0, 0);
  showing = false;
}

TEST_F(MessageQueueTest, EachCallFromAnotherThreadIsOneActionAndItsEndBeginsNone) {
  g_actionsBegun = 0;
  g_actionsEnded.clear();
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  log.hook = [](HWND target, UINT message, WPARAM, LPARAM, LRESULT* answer) {
    if (message != WM_USER + 1) return false;
    SendMessage(target, WM_USER + 2, 0, 0);
    SendMessage(target, WM_USER + 2, 0, 0);
    *answer = 0;
    return true;
  };
  // This thread serves the other's work while it waits for the message the
  // other posts once its work returned.
  auto fromAnotherThread = [window](const std::function<void()>& work) {
    std::thread other([&] {
      work();
      PostMessage(window, WM_USER + 9, 0, 0);
    });
    MSG done;
    GetMessage(&done, window, WM_USER + 9, WM_USER + 9);
    other.join();
  };
  SetUserActionHooks([] { ++g_actionsBegun; }, EndShowingAMessage);
  fromAnotherThread([window] { SendMessage(window, WM_USER + 1, 0, 0); });
  const int shown = log.Count(window, WM_USER + 2);
  EXPECT_EQ(g_actionsBegun, 1);
  fromAnotherThread([window] { SetWindowPos(window, nullptr, 5, 5, 60, 60, SWP_NOZORDER); });
  EXPECT_EQ(g_actionsBegun, 2);
  fromAnotherThread([window] { platform::PresenterResized(window, RECT{20, 30, 120, 130}); });
  EXPECT_EQ(g_actionsBegun, 3);
  // An end that shows a message shows it inside the action it ends.
  g_shownBy = window;
  PostMessage(window, WM_USER + 1, 0, 0);
  MSG message;
  ASSERT_TRUE(PeekMessage(&message, window, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  DispatchMessage(&message);
  SetUserActionHooks(nullptr, nullptr);
  g_shownBy = nullptr;
  EXPECT_EQ(g_actionsBegun, 4);
  EXPECT_EQ(g_actionsEnded, std::vector<bool>(4, false));
  EXPECT_EQ(log.Count(window, WM_USER + 2), shown + 3);
}

}  // namespace
