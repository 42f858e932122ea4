// The graphics thread and its (for now empty) frame; see GraphicsThread.h.
#include "graphics/GraphicsThread.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/StandIn.h"

namespace {

struct ThreadState {
  std::thread thread;
  std::mutex lock;
  std::condition_variable ready;
  bool started = false;
  HWND window = nullptr;
  DWORD threadId = 0;
  POINT pickPoint{0, 0};
};

ThreadState& State() {
  static ThreadState state;
  return state;
}

std::atomic<bool> g_DestroyHandled{false};

LRESULT GraphicsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FrameResize(GraphicsFrame());
      return 0;
    case WM_SETFOCUS:
      return 0;
    case WM_COMMAND:
      STAND_IN("the graphics window's commands");
      return 0;
    case WM_DESTROY:
      if (!g_DestroyHandled.exchange(true)) {
        FrameRecordPlacement(GraphicsFrame());
        PostQuitMessage(0);
      }
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

void RunGraphicsThread() {
  ThreadState& state = State();
  HWND window = nullptr;
  try {
    FrameCreate(GraphicsFrame(), "QuorvelGraphics", ProgramTitle.c_str(), GraphicsWindowProc, "GRAPHICS_MENU",
                nullptr, DefWindowProc, WS_EX_CLIENTEDGE, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC,
                static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), ProgramIcon);
    window = GraphicsFrame().window;
    GraphicsFrame().accelerators = GraphicsAccelerators;
  } catch (const std::string&) {
    window = nullptr;
  }
  {
    std::lock_guard guard(state.lock);
    state.window = window;
    state.threadId = GetCurrentThreadId();
    state.started = true;
  }
  state.ready.notify_all();
  if (window == nullptr) return;
  MSG message;
  while (GetMessage(&message, nullptr, 0, 0) > 0) {
    if (GraphicsAccelerators != nullptr && TranslateAccelerator(window, GraphicsAccelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  // The window belongs to this thread, so it goes with it.
  if (IsWindow(window)) DestroyWindow(window);
  std::lock_guard guard(state.lock);
  state.window = nullptr;
}

}  // namespace

void StartGraphicsThread() {
  ThreadState& state = State();
  g_DestroyHandled = false;
  state.started = false;
  state.window = nullptr;
  state.thread = std::thread(RunGraphicsThread);
  std::unique_lock guard(state.lock);
  state.ready.wait(guard, [&state] { return state.started; });
  if (state.window == nullptr) {
    guard.unlock();
    state.thread.join();
    throw std::string("Unable to start graphics thread");
  }
}

void EndGraphicsThread() {
  ThreadState& state = State();
  if (!state.thread.joinable()) return;
  HWND window = GraphicsWindowHandle();
  if (window != nullptr && IsWindow(window)) SendMessage(window, WM_DESTROY, 0, 0);
  state.thread.join();
  GraphicsFrame() = Frame(kPlacementGraphics);
}

bool GraphicsThreadRunning() { return State().thread.joinable(); }

HWND GraphicsWindowHandle() {
  std::lock_guard guard(State().lock);
  return State().window;
}

DWORD GraphicsThreadId() {
  std::lock_guard guard(State().lock);
  return State().threadId;
}

POINT GraphicsPickPoint() {
  std::lock_guard guard(State().lock);
  return State().pickPoint;
}

void SetGraphicsPickPoint(POINT point) {
  std::lock_guard guard(State().lock);
  State().pickPoint = point;
}
