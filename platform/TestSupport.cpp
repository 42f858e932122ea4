// Test support: test mode, RunUntilIdle, the virtual clock, the modal-window
// script, pixel read-back and PNG output, and input as a presenter gives it.
//
// RunUntilIdle serves the calling thread's queue, then looks at every other
// queue: one that holds work, or that runs a message loop and is not yet
// waiting in it, is busy. It waits (on the layer's condition variable, not by
// sleeping) until no queue is busy, and gives up with a failure after ten
// seconds of real time, so a thread that never settles cannot hang a test.
#include "platform/TestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

constexpr std::uint64_t clockStart = 1000000;

struct Expectation {
  ModalKind kind;
  std::string name;
  ModalAction action;
};

struct Script {
  std::mutex lock;
  FailureHandler failure;
  std::deque<Expectation> expected;
  ModalAnswerer answerer;
  std::vector<HWND> givenSecondChance;  // windows whose stillOpen has run
};

Script& TheScript() {
  static Script script;
  return script;
}

std::string Describe(ModalKind kind, const std::string& name) {
  return std::string(ModalKindName(kind)) + " \"" + name + "\"";
}

// Serves the calling thread; true when a WM_QUIT was met (and put back).
bool ServeOwnQueue() {
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return true;
    }
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return false;
}

DWORD BusyThreadLocked(ThreadQueue& self, bool ownQuitPending) {
  for (auto& [id, queue] : TheCore().queues) {
    if (queue.get() == &self) {
      if (!ownQuitPending && HasPendingLocked(self)) return id;
      continue;
    }
    if (!queue->alive) continue;
    if (HasPendingLocked(*queue) || (queue->runsLoop && !queue->idleWaiting)) return id;
  }
  return 0;
}

HWND KeyboardTarget() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().foreground;
}

void KeyEvent(UINT key, bool down, BYTE character) {
  HWND target = KeyboardTarget();
  if (target == nullptr) {
    ReportTestFailure("A key was pressed while no window was active.");
    return;
  }
  RunOnOwnerThread(target, [=] { RouteKey(target, key, down, character, false); });
}

UINT KeyForCharacter(char character, bool* shift) {
  static const char shifted[] = ")!@#$%^&*(";
  static const struct {
    UINT key;
    char plain, shifted;
  } punctuation[] = {{VK_OEM_1, ';', ':'},  {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
                     {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
                     {VK_OEM_3, '`', '~'},  {VK_OEM_4, '[', '{'},     {VK_OEM_5, '\\', '|'},
                     {VK_OEM_6, ']', '}'},  {VK_OEM_7, '\'', '"'},    {VK_SPACE, ' ', ' '}};
  *shift = false;
  if (character >= 'a' && character <= 'z') return static_cast<UINT>(character - 'a' + 'A');
  if (character >= 'A' && character <= 'Z') {
    *shift = true;
    return static_cast<UINT>(character);
  }
  if (character >= '0' && character <= '9') return static_cast<UINT>(character);
  for (int digit = 0; digit < 10; ++digit)
    if (shifted[digit] == character) {
      *shift = true;
      return static_cast<UINT>('0' + digit);
    }
  for (const auto& entry : punctuation) {
    if (entry.plain == character) return entry.key;
    if (entry.shifted == character) {
      *shift = true;
      return entry.key;
    }
  }
  if (character == '\r' || character == '\n') return VK_RETURN;
  if (character == '\t') return VK_TAB;
  return 0;  // a character the US keyboard lacks: sent with no key code
}

// A client point of a window, relative to its top-level window's corner.
POINT RelativeToTop(HWND window, HWND top, POINT point) {
  ClientToScreen(window, &point);
  RECT frame{};
  GetWindowRect(top, &frame);
  return POINT{point.x - frame.left, point.y - frame.top};
}

}  // namespace

const char* ModalKindName(ModalKind kind) {
  switch (kind) {
    case ModalKind::Dialog: return "dialog";
    case ModalKind::MessageBox: return "message box";
    case ModalKind::PopupMenu: return "popup menu";
    case ModalKind::CommonDialog: return "common dialog";
    case ModalKind::PropertySheet: return "property sheet";
  }
  return "modal window";
}

void EnableTestMode(bool enable) {
  {
    std::lock_guard guard(TheCore().lock);
    Core& core = TheCore();
    core.testMode = enable;
    core.virtualNow = clockStart;
    core.beeps = 0;
    core.lastClickWindow = nullptr;
    core.lastClickTime = 0;
  }
  HoldNextKeyRoute(nullptr);
  std::lock_guard guard(TheScript().lock);
  TheScript().expected.clear();
  TheScript().answerer = ModalAnswerer{};
  TheScript().givenSecondChance.clear();
}

bool InTestMode() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().testMode;
}

void SetFailureHandler(FailureHandler handler) {
  std::lock_guard guard(TheScript().lock);
  TheScript().failure = std::move(handler);
}

void ReportTestFailure(const std::string& message) {
  FailureHandler handler;
  {
    std::lock_guard guard(TheScript().lock);
    handler = TheScript().failure;
  }
  if (handler) handler(message);
  else std::fprintf(stderr, "test failure: %s\n", message.c_str());
}

bool RunUntilIdle() {
  // Only a thread that hangs is reported here, before the test's own time
  // runs out: a busy one on a loaded machine (a picture rendered at print
  // resolution under the sanitizers) takes many seconds and is waited for.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  Core& core = TheCore();
  std::shared_ptr<ThreadQueue> self = CurrentQueue();
  for (;;) {
    bool quit = ServeOwnQueue();
    PresentDirtyWindows(*self);
    std::unique_lock held(core.lock);
    DWORD busy = BusyThreadLocked(*self, quit);
    if (busy == 0) return true;
    if (busy == self->threadId) continue;
    if (std::chrono::steady_clock::now() >= deadline) {
      held.unlock();
      ReportTestFailure("RunUntilIdle: thread " + std::to_string(busy) + " did not become idle.");
      return false;
    }
    // Our own queue may get work from the busy thread too.
    core.idleChanged.wait_for(held, std::chrono::milliseconds(20));
  }
}

void AdvanceClock(DWORD milliseconds) {
  Core& core = TheCore();
  std::uint64_t target = 0;
  {
    std::lock_guard guard(core.lock);
    target = core.virtualNow + milliseconds;
  }
  for (;;) {
    RunUntilIdle();
    std::lock_guard guard(core.lock);
    std::uint64_t next = NextDueLocked();
    bool last = next > target;
    core.virtualNow = last ? target : std::max(core.virtualNow, next);
    for (auto& [id, queue] : core.queues) NotifyQueue(*queue);
    if (last) break;
  }
  RunUntilIdle();
}

void MoveClock(DWORD milliseconds) {
  std::lock_guard guard(TheCore().lock);
  TheCore().virtualNow += milliseconds;
  for (auto& [id, queue] : TheCore().queues) NotifyQueue(*queue);
}

bool PumpUntil(const std::function<bool()>& done, int limitMs, const std::function<bool(MSG* message)>& takeFirst) {
  constexpr std::chrono::milliseconds::rep kLookAgainMs = 10;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    MSG message;
    if (!Retrieve(&message, nullptr, 0, 0, true, true, static_cast<int>(std::min(left.count(), kLookAgainMs))))
      continue;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return done();
    }
    if (takeFirst && takeFirst(&message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return true;
}

void SyncPresenter() {
  EnsureStarted();
  if (Presenter* presenter = ThePresenter()) presenter->Sync();
}

std::uint64_t ActivationsTold() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().choicesTold;
}

namespace {

struct KeyRouteHold {
  std::mutex lock;
  std::function<void()> meanwhile;
};
KeyRouteHold& TheKeyRouteHold() {
  static KeyRouteHold hold;
  return hold;
}

}  // namespace

void HoldNextKeyRoute(std::function<void()> meanwhile) {
  std::lock_guard guard(TheKeyRouteHold().lock);
  TheKeyRouteHold().meanwhile = std::move(meanwhile);
}

std::function<void()> TakeKeyRouteHold() {
  std::lock_guard guard(TheKeyRouteHold().lock);
  return std::exchange(TheKeyRouteHold().meanwhile, nullptr);
}

void HoldPresenter(const std::function<void()>& meanwhile, bool requestsFirst) {
  EnsureStarted();
  if (Presenter* presenter = ThePresenter()) {
    presenter->Hold(meanwhile, requestsFirst);
  } else {
    meanwhile();
  }
}

void ExpectModal(ModalKind kind, const std::string& name, ModalAction action) {
  std::lock_guard guard(TheScript().lock);
  TheScript().expected.push_back(Expectation{kind, name, std::move(action)});
}

bool ModalLoopStarting(ModalKind kind, const std::string& name, HWND window) {
  if (!InTestMode()) return true;
  ModalAction action;
  std::string failure;
  decltype(ModalAnswerer::start) answer;
  {
    std::lock_guard guard(TheScript().lock);
    auto& given = TheScript().givenSecondChance;
    given.erase(std::remove(given.begin(), given.end(), window), given.end());  // a handle used again
    auto& expected = TheScript().expected;
    const bool scripted = !expected.empty() && expected.front().kind == kind && expected.front().name == name;
    if (!scripted && TheScript().answerer.start) {
      answer = TheScript().answerer.start;  // run outside the lock: it may raise windows itself
    } else if (expected.empty()) {
      failure = "Unexpected modal window: " + Describe(kind, name) + ".";
    } else if (expected.front().kind != kind || expected.front().name != name) {
      failure = "Unexpected modal window: " + Describe(kind, name) + " (the script expected " +
                Describe(expected.front().kind, expected.front().name) + ").";
    } else {
      action = std::move(expected.front().action);
      expected.pop_front();
    }
  }
  if (!failure.empty()) {
    ReportTestFailure(failure);
    return false;
  }
  if (answer) {
    if (answer(kind, name, window)) return true;
    ReportTestFailure("Unexpected modal window: " + Describe(kind, name) + " (the answerer left it).");
    return false;
  }
  if (action) action(window);
  return true;
}

void SetModalAnswerer(ModalAnswerer answerer) {
  std::lock_guard guard(TheScript().lock);
  TheScript().answerer = std::move(answerer);
  TheScript().givenSecondChance.clear();
}

bool ModalLoopIdle(HWND window) {
  if (!InTestMode()) return false;
  decltype(ModalAnswerer::stillOpen) close;
  {
    std::lock_guard guard(TheScript().lock);
    auto& given = TheScript().givenSecondChance;
    if (TheScript().answerer.stillOpen && std::find(given.begin(), given.end(), window) == given.end()) {
      close = TheScript().answerer.stillOpen;
      given.push_back(window);
    }
  }
  if (close) {
    close(window);
    return false;  // the loop serves what the answer sent, and ends if it closed the window
  }
  char title[256] = "";
  GetWindowText(window, title, sizeof title);
  ReportTestFailure(std::string("Modal window \"") + title + "\" is still open after its scripted action.");
  return true;
}

void CheckModalScript() {
  std::deque<Expectation> left;
  {
    std::lock_guard guard(TheScript().lock);
    left.swap(TheScript().expected);
  }
  for (const Expectation& expectation : left)
    ReportTestFailure("Expected modal window never appeared: " + Describe(expectation.kind, expectation.name) + ".");
}

COLORREF GetWindowPixel(HWND handle, int x, int y) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0xFFFFFFFF;
  Window* top = TopLevelOf(window);
  POINT origin = ClientOriginOnSurface(*window);
  int sx = origin.x + x, sy = origin.y + y;
  RECT clip = ClientClipOnSurface(*window);
  if (sx < clip.left || sy < clip.top || sx >= clip.right || sy >= clip.bottom) return 0xFFFFFFFF;
  cairo_surface_flush(top->surface);
  const unsigned char* data = cairo_image_surface_get_data(top->surface);
  std::uint32_t pixel = *reinterpret_cast<const std::uint32_t*>(
      data + sy * cairo_image_surface_get_stride(top->surface) + sx * 4);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool WriteWindowPng(HWND handle, const std::string& path) {
  cairo_surface_t* copy = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return false;
    POINT origin = WindowOriginOnSurface(*window);
    int width = window->rect.right - window->rect.left, height = window->rect.bottom - window->rect.top;
    if (width <= 0 || height <= 0) return false;
    copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, TopLevelOf(window)->surface, -origin.x, -origin.y);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  bool written = cairo_surface_write_to_png(copy, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(copy);
  return written;
}

int BeepCount() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().beeps;
}

void TestKeyDown(UINT key) {
  bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  BYTE character = CharacterForKey(key, shift);
  if ((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 && character >= 'a' && character <= 'z')
    character = static_cast<BYTE>(character - 'a' + 1);
  KeyEvent(key, true, character);
}

void TestKeyUp(UINT key) { KeyEvent(key, false, 0); }

void TestKeyPress(UINT key) {
  TestKeyDown(key);
  TestKeyUp(key);
}

void TestTypeText(const std::string& text) {
  for (char character : text) {
    bool shift = false;
    UINT key = KeyForCharacter(character, &shift);
    bool shiftWasDown = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    if (shift && !shiftWasDown) KeyEvent(VK_SHIFT, true, 0);
    KeyEvent(key, true, static_cast<BYTE>(character));
    KeyEvent(key, false, 0);
    if (shift && !shiftWasDown) KeyEvent(VK_SHIFT, false, 0);
  }
}

void TestMouse(HWND window, UINT message, int x, int y) {
  POINT point{x, y};
  HWND top = GetAncestor(window, GA_ROOT);
  if (top == nullptr) {
    ReportTestFailure("TestMouse on something that is not a window.");
    return;
  }
  point = RelativeToTop(window, top, point);
  RunOnOwnerThread(top, [=] { RouteMouse(top, message, point.x, point.y, 0); });
}

void TestMouseWheel(HWND window, int delta, int x, int y) {
  POINT point{x, y};
  HWND top = GetAncestor(window, GA_ROOT);
  if (top == nullptr) return;
  point = RelativeToTop(window, top, point);
  RunOnOwnerThread(top, [=] { RouteMouse(top, WM_MOUSEWHEEL, point.x, point.y, delta); });
}

}  // namespace platform
