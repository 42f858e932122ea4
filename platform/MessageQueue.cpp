// Thread queues: post, send, get, peek, dispatch, quit, timers and the clock.
//
// Retrieve is the heart: with the lock held it looks, in order, at presenter
// tasks, incoming sends, posted messages, input from the keyboard and the
// pointer, the quit flag, windows waiting for paint and due timers; work
// that calls into the program (a task, a send, a layer timer) is done with
// the lock released, then the search starts over.
// With nothing to hand out it presents the changed window surfaces, marks the
// queue idle (RunUntilIdle watches that) and waits on the queue's condition
// variable: until the next timer on the real clock, for ever on the virtual
// one (advancing it wakes every queue).
//
// A thread's queue is made on first use and kept by a thread_local; when the
// thread ends its windows go, its pending incoming sends complete with 0 and
// later sends to it return 0 at once.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>

#include "platform/Messages.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

std::atomic<DWORD> nextThreadId{1};

struct ThreadSlot {
  DWORD id = nextThreadId.fetch_add(1);
  std::shared_ptr<ThreadQueue> queue;
  ~ThreadSlot();
};

thread_local ThreadSlot threadSlot;

// The bracket of SetUserActionHooks: how deep the calling thread is in the
// program's code, and the hooks it set.
struct ActionHooks {
  void (*begin)() = nullptr;
  void (*end)(bool unwinding) = nullptr;
};
thread_local ActionHooks actionHooks;
thread_local int programDepth = 0;

// One call into the program; the outermost of a thread is an action. The
// depth stays counted while `end` runs, so that what it shows (a message
// box and its loop) belongs to the action that ends.
class ProgramCall {
 public:
  ProgramCall() : outermost_(programDepth++ == 0 && actionHooks.begin != nullptr) {
    if (outermost_) actionHooks.begin();
  }
  ~ProgramCall() {
    if (outermost_ && actionHooks.end != nullptr)
      actionHooks.end(std::uncaught_exceptions() > exceptions_);
    --programDepth;
  }
  ProgramCall(const ProgramCall&) = delete;
  ProgramCall& operator=(const ProgramCall&) = delete;

 private:
  bool outermost_;
  int exceptions_ = std::uncaught_exceptions();
};

ThreadSlot::~ThreadSlot() {
  if (!queue) return;
  DestroyThreadWindows(*queue);
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  queue->alive = false;
  for (auto& sent : queue->sent) {
    sent->done = true;
    if (sent->sender) NotifyQueue(*sent->sender);
  }
  queue->sent.clear();
  queue->posted.clear();
  queue->tasks.clear();
  queue->timers.clear();
  if (queue->screenSurface != nullptr) cairo_surface_destroy(queue->screenSurface);
  queue->screenSurface = nullptr;
  core.queues.erase(queue->threadId);
  core.idleChanged.notify_all();
}

std::uint64_t RealMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Pointer input from the display goes to a window when it arrives, but the
// program may disable the window's frame before it reads the input (a
// modal dialog opened meanwhile): the frame no longer takes pointer input,
// unless a window of the thread holds the capture. Handled, a press there
// would bring the frame forward over the dialog that keeps it disabled.
bool StaleClickLocked(const ThreadQueue& queue, const MSG& message) {
  if (queue.capture != nullptr) return false;
  Window* window = Find(message.hwnd);
  if (window == nullptr) return false;
  return (TopLevelOf(window)->style & WS_DISABLED) != 0;
}

bool InFilter(UINT message, UINT first, UINT last) {
  if (first == 0 && last == 0) return true;
  return message >= first && message <= last;
}

bool WindowMatches(HWND message, HWND filter) {
  if (filter == nullptr) return true;
  if (message == filter) return true;
  Window* window = Find(message);
  for (; window != nullptr; window = window->parent)
    if (window->handle == filter) return true;
  return false;
}

LRESULT DirectCall(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC procedure = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return 0;
    procedure = window->procedure;
  }
  if (procedure == nullptr) return 0;
  ProgramCall call;
  return procedure(handle, message, wParam, lParam);
}

void ServeSent(const std::shared_ptr<ThreadQueue>& queue, std::unique_lock<std::mutex>& held) {
  std::shared_ptr<SentMessage> sent = queue->sent.front();
  queue->sent.pop_front();
  ++queue->serving;
  held.unlock();
  LRESULT result = 0;
  if (sent->call) {
    ProgramCall call;
    sent->call();
  } else {
    result = DirectCall(sent->window, sent->message, sent->wParam, sent->lParam);
  }
  held.lock();
  --queue->serving;
  sent->result = result;
  sent->done = true;
  if (sent->sender) NotifyQueue(*sent->sender);
}

// Returns true when an internal timer ran (the search must start over) or a
// WM_TIMER was handed out.
bool TakeDueTimer(ThreadQueue& queue, MSG* message, HWND filter, UINT first, UINT last,
                  bool remove, std::unique_lock<std::mutex>& held, bool* ranInternal) {
  std::uint64_t now = NowLocked();
  Timer* due = nullptr;
  for (Timer& timer : queue.timers) {
    if (timer.due > now) continue;
    if (!timer.internal && (!InFilter(WM_TIMER, first, last) || !WindowMatches(timer.window, filter)))
      continue;
    if (due == nullptr || timer.due < due->due) due = &timer;
  }
  if (due == nullptr) return false;
  if (due->internal) {
    due->due = now + due->interval;
    std::function<void()> work = due->internal;
    held.unlock();
    {
      ProgramCall call;
      work();
    }
    held.lock();
    *ranInternal = true;
    return true;
  }
  *message = MSG{due->window, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->procedure),
                 static_cast<DWORD>(now), queue.messagePos};
  if (remove) due->due = now + due->interval;
  return true;
}

}  // namespace

Core& TheCore() {
  static Core core;
  return core;
}

std::shared_ptr<ThreadQueue> CurrentQueueLocked() {
  ThreadSlot& slot = threadSlot;
  if (!slot.queue) {
    slot.queue = std::make_shared<ThreadQueue>();
    slot.queue->threadId = slot.id;
    slot.queue->cursor = nullptr;
    TheCore().queues[slot.id] = slot.queue;
  }
  return slot.queue;
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked();
}

std::uint64_t NowLocked() {
  Core& core = TheCore();
  return core.testMode ? core.virtualNow : RealMilliseconds();
}

std::uint64_t Now() {
  std::lock_guard guard(TheCore().lock);
  return NowLocked();
}

void NotifyQueue(ThreadQueue& queue) {
  queue.wake.notify_all();
  TheCore().idleChanged.notify_all();
}

LRESULT CallProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessage(handle, message, wParam, lParam);
}

// Waits for a send queued on `target`, serving our own incoming sends, so
// two threads sending to each other both complete.
LRESULT WaitForAnswer(const std::shared_ptr<SentMessage>& sent, const std::shared_ptr<ThreadQueue>& self,
                      const std::shared_ptr<ThreadQueue>& target, std::unique_lock<std::mutex>& held) {
  while (!sent->done) {
    if (!self->sent.empty()) {
      ServeSent(self, held);
      continue;
    }
    if (!target->alive) return 0;
    self->wake.wait(held);
  }
  return sent->result;
}

bool ForwardToOwner(HWND handle, const std::function<void()>& work) {
  std::unique_lock held(TheCore().lock);
  Window* window = Find(handle);
  std::shared_ptr<ThreadQueue> self = CurrentQueueLocked();
  if (window == nullptr || window->queue == self) return false;
  std::shared_ptr<ThreadQueue> target = window->queue;
  if (!target->alive) return true;
  auto sent = std::make_shared<SentMessage>();
  sent->window = handle;
  sent->sender = self;
  sent->call = work;
  target->sent.push_back(sent);
  NotifyQueue(*target);
  WaitForAnswer(sent, self, target, held);
  return true;
}

void RunOnThread(const std::shared_ptr<ThreadQueue>& queue, std::function<void()> task) {
  Core& core = TheCore();
  std::unique_lock held(core.lock);
  if (queue == nullptr || !queue->alive) return;
  if (queue->threadId == CurrentQueueLocked()->threadId) {
    held.unlock();
    task();
    return;
  }
  queue->tasks.push_back(std::move(task));
  NotifyQueue(*queue);
}

void RunOnOwnerThread(HWND handle, std::function<void()> task) {
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    queue = window->queue;
  }
  RunOnThread(queue, std::move(task));
}

void AddTimerLocked(ThreadQueue& queue, Timer timer) {
  for (Timer& existing : queue.timers) {
    if (existing.window == timer.window && existing.id == timer.id &&
        static_cast<bool>(existing.internal) == static_cast<bool>(timer.internal)) {
      existing = std::move(timer);
      NotifyQueue(queue);
      return;
    }
  }
  queue.timers.push_back(std::move(timer));
  NotifyQueue(queue);
}

bool HasPendingLocked(ThreadQueue& queue) {
  if (!queue.tasks.empty() || !queue.sent.empty() || !queue.posted.empty()) return true;
  if (FindPaintWindowLocked(queue, nullptr) != nullptr) return true;
  std::uint64_t now = NowLocked();
  for (const Timer& timer : queue.timers)
    if (timer.due <= now) return true;
  return false;
}

std::uint64_t NextDueLocked() {
  std::uint64_t next = UINT64_MAX;
  for (auto& [id, queue] : TheCore().queues)
    for (const Timer& timer : queue->timers) next = std::min(next, timer.due);
  return next;
}

namespace {

// The window a posted message goes to when it is read: a key from the
// keyboard to the thread's focus window of that moment, else to its active
// window, else where it was posted.
HWND ReadTargetLocked(const ThreadQueue& queue, const PostedMessage& message) {
  if (!message.keyboard) return message.hwnd;
  if (queue.focus != nullptr && Find(queue.focus) != nullptr) return queue.focus;
  if (queue.active != nullptr && Find(queue.active) != nullptr) return queue.active;
  return message.hwnd;
}

bool IsInput(const PostedMessage& message) { return message.keyboard || message.pointer; }

// What the program posted comes before the input from the keyboard and the
// pointer, whenever that input arrived: a command posted as a menu or a
// dialog closes opens its window before the keys typed after the closing
// key are read, so that those keys reach it.
std::deque<PostedMessage>::iterator NextPostedLocked(ThreadQueue& queue, HWND filter, UINT first, UINT last) {
  const auto wanted = [&](const PostedMessage& m) {
    return InFilter(m.message, first, last) && WindowMatches(ReadTargetLocked(queue, m), filter);
  };
  auto found = std::find_if(queue.posted.begin(), queue.posted.end(),
                            [&](const PostedMessage& m) { return !IsInput(m) && wanted(m); });
  if (found != queue.posted.end()) return found;
  return std::find_if(queue.posted.begin(), queue.posted.end(),
                      [&](const PostedMessage& m) { return IsInput(m) && wanted(m); });
}

}  // namespace

bool Retrieve(MSG* message, HWND filter, UINT first, UINT last, bool remove, bool wait,
              int waitLimitMs, const bool* stop) {
  EnsureStarted();
  Core& core = TheCore();
  std::unique_lock held(core.lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  std::uint64_t realDeadline = waitLimitMs >= 0 ? RealMilliseconds() + waitLimitMs : 0;
  bool presented = false;
  for (;;) {
    if (stop != nullptr && *stop) return false;
    if (!queue->tasks.empty()) {
      std::function<void()> task = std::move(queue->tasks.front());
      queue->tasks.pop_front();
      held.unlock();
      {
        ProgramCall call;
        task();
      }
      held.lock();
      continue;
    }
    if (!queue->sent.empty()) {
      ServeSent(queue, held);
      continue;
    }
    auto posted = NextPostedLocked(*queue, filter, first, last);
    if (posted != queue->posted.end() && posted->pointer && StaleClickLocked(*queue, *posted)) {
      queue->posted.erase(posted);
      continue;
    }
    if (posted != queue->posted.end()) {
      *message = *posted;
      message->hwnd = ReadTargetLocked(*queue, *posted);
      if (remove) {
        queue->messageTime = message->time;
        queue->messagePos = message->pt;
        NoteInputMessageLocked(*queue, *posted);
        queue->posted.erase(posted);
      }
      return true;
    }
    if (queue->quit) {
      *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue->quitCode), 0,
                     static_cast<DWORD>(NowLocked()), queue->messagePos};
      if (remove) {
        queue->quit = false;
        queue->runsLoop = false;
      }
      return true;
    }
    if (InFilter(WM_PAINT, first, last)) {
      if (Window* paint = FindPaintWindowLocked(*queue, filter)) {
        paint->validatedInPaint = false;
        *message = MSG{paint->handle, WM_PAINT, 0, 0, static_cast<DWORD>(NowLocked()),
                       queue->messagePos};
        return true;
      }
    }
    bool ranInternal = false;
    if (TakeDueTimer(*queue, message, filter, first, last, remove, held, &ranInternal)) {
      if (ranInternal) continue;
      return true;
    }
    if (!wait) return false;
    queue->runsLoop = true;
    if (!presented) {
      // Show what was drawn before waiting, then look again: work may have
      // come while the lock was free.
      held.unlock();
      PresentDirtyWindows(*queue);
      held.lock();
      presented = true;
      continue;
    }
    presented = false;
    queue->idleWaiting = true;
    core.idleChanged.notify_all();
    std::uint64_t nextDue = UINT64_MAX;
    for (const Timer& timer : queue->timers) nextDue = std::min(nextDue, timer.due);
    if (waitLimitMs >= 0) {
      std::uint64_t now = RealMilliseconds();
      if (now >= realDeadline) {
        queue->idleWaiting = false;
        return false;
      }
      queue->wake.wait_for(held, std::chrono::milliseconds(realDeadline - now));
    } else if (!core.testMode && nextDue != UINT64_MAX) {
      std::uint64_t now = RealMilliseconds();
      if (nextDue > now) queue->wake.wait_for(held, std::chrono::milliseconds(nextDue - now));
    } else {
      queue->wake.wait(held);
    }
    queue->idleWaiting = false;
  }
}

}  // namespace platform

using namespace platform;

BOOL PostMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  std::shared_ptr<ThreadQueue> queue;
  if (handle == nullptr) {
    queue = CurrentQueueLocked();
  } else {
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    queue = window->queue;
  }
  if (!queue->alive) return FALSE;
  queue->posted.push_back(MSG{handle, message, wParam, lParam, static_cast<DWORD>(NowLocked()),
                              core.cursorPos});
  NotifyQueue(*queue);
  return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  if (threadId == GetCurrentThreadId()) CurrentQueueLocked();  // our own queue may be new
  auto found = core.queues.find(threadId);
  if (found == core.queues.end() || !found->second->alive) return FALSE;
  found->second->posted.push_back(
      MSG{nullptr, message, wParam, lParam, static_cast<DWORD>(NowLocked()), core.cursorPos});
  NotifyQueue(*found->second);
  return TRUE;
}

LRESULT SendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Core& core = TheCore();
  std::unique_lock held(core.lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  std::shared_ptr<ThreadQueue> self = CurrentQueueLocked();
  std::shared_ptr<ThreadQueue> target = window->queue;
  if (target == self) {
    WNDPROC procedure = window->procedure;
    held.unlock();
    if (procedure == nullptr) return 0;
    ProgramCall call;
    return procedure(handle, message, wParam, lParam);
  }
  if (!target->alive) return 0;
  auto sent = std::make_shared<SentMessage>();
  *sent = SentMessage{handle, message, wParam, lParam, 0, false, self, {}};
  target->sent.push_back(sent);
  NotifyQueue(*target);
  return WaitForAnswer(sent, self, target, held);
}

BOOL GetMessage(MSG* message, HWND window, UINT first, UINT last) {
  if (window != nullptr && !IsWindow(window)) return -1;
  Retrieve(message, window, first, last, true, true);
  return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove) {
  return Retrieve(message, window, first, last, (remove & PM_REMOVE) != 0, false) ? TRUE : FALSE;
}

BOOL WaitMessage() {
  MSG ignored;
  Retrieve(&ignored, nullptr, 0, 0, false, true);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* message) {
  if (message->message == WM_TIMER && message->lParam != 0) {
    auto procedure = reinterpret_cast<TIMERPROC>(message->lParam);
    ProgramCall call;
    procedure(message->hwnd, WM_TIMER, message->wParam, message->time);
    return 0;
  }
  if (message->hwnd == nullptr) return 0;
  LRESULT result = CallProcedure(message->hwnd, message->message, message->wParam, message->lParam);
  if (message->message == WM_PAINT) {
    // A procedure that neither painted nor validated must not make the loop spin.
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(message->hwnd);
    if (window != nullptr && !window->validatedInPaint) {
      window->update = RECT{};
      window->erase = false;
      window->frameDirty = false;
    }
  }
  return result;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  queue->quit = true;
  queue->quitCode = exitCode;
  NotifyQueue(*queue);
}

void SetUserActionHooks(void (*begin)(), void (*end)(bool unwinding)) {
  actionHooks.begin = begin;
  actionHooks.end = end;
}

BOOL InSendMessage() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->serving > 0 ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() { return threadSlot.id; }

DWORD GetWindowThreadProcessId(HWND handle, DWORD* processId) {
  std::lock_guard guard(TheCore().lock);
  if (processId != nullptr) *processId = 1;
  Window* window = Find(handle);
  return window != nullptr ? window->queue->threadId : 0;
}

UINT_PTR SetTimer(HWND handle, UINT_PTR id, UINT milliseconds, TIMERPROC procedure) {
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  if (handle != nullptr) {
    Window* window = Find(handle);
    if (window == nullptr || window->queue != queue) return 0;
  } else {
    id = ++queue->nextThreadTimerId;
  }
  UINT interval = std::max<UINT>(milliseconds, 1);
  AddTimerLocked(*queue, Timer{handle, id, interval, NowLocked() + interval, procedure, {}});
  return handle != nullptr && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND handle, UINT_PTR id) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
  auto& timers = queue->timers;
  auto found = std::find_if(timers.begin(), timers.end(), [&](const Timer& timer) {
    return timer.window == handle && timer.id == id && !timer.internal;
  });
  if (found == timers.end()) return FALSE;
  timers.erase(found);
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(Now()); }

DWORD GetMessageTime() {
  std::lock_guard guard(TheCore().lock);
  return CurrentQueueLocked()->messageTime;
}

DWORD GetMessagePos() {
  std::lock_guard guard(TheCore().lock);
  POINT point = CurrentQueueLocked()->messagePos;
  return static_cast<DWORD>(MAKELPARAM(static_cast<unsigned>(point.x), static_cast<unsigned>(point.y)));
}

BOOL PumpPendingMessages() {
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return FALSE;
    }
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return TRUE;
}
