// The graphics thread, the hand-over of the model copy, the stop-painting
// protocol and the doors of the other threads (see GraphicsThread.h).
#include "graphics/GraphicsThread.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "editing/DrawnModel.h"
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewpointDialog.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

constexpr const char kGuiRequestClass[] = "QuorvelGraphicsRequests";
constexpr UINT kGuiRequestMessage = WM_APP + 20;

struct ThreadState {
  std::thread thread;
  std::mutex lock;
  std::condition_variable ready;
  bool started = false;
  HWND window = nullptr;
  HWND painting = nullptr;
  DWORD threadId = 0;
  POINT pickPoint{0, 0};
  HWND guiRequests = nullptr;  // the GUI thread's hidden window
};

ThreadState& State() {
  static ThreadState state;
  return state;
}

// The painting event: set while no paint runs. StopPainting waits on it.
struct PaintSignal {
  std::mutex lock;
  std::condition_variable ended;
  bool painting = false;
};

PaintSignal& Signal() {
  static PaintSignal signal;
  return signal;
}

std::atomic<bool> g_DestroyHandled{false};
std::atomic<bool> g_RedrawPosted{false};

// The copy of the model waiting for the graphics thread.
std::mutex g_HandOverLock;
std::unique_ptr<Model> g_PendingModel;

// The graphics thread's drawn model; TheModel() on that thread.
Model* g_DrawnModel = nullptr;

// Work for the GUI thread (PostGuiWork), run in the order it was posted.
std::mutex g_GuiWorkLock;
std::deque<std::function<void()>> g_GuiWork;

void RunGuiWork() {
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard guard(g_GuiWorkLock);
      if (g_GuiWork.empty()) return;
      work = std::move(g_GuiWork.front());
      g_GuiWork.pop_front();
    }
    work();
  }
}

HWND Painting() {
  std::lock_guard guard(State().lock);
  return State().painting;
}

LRESULT GuiRequestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kGuiRequestMessage) return DefWindowProc(window, message, wParam, lParam);
  const int row = static_cast<int>(wParam);
  switch (static_cast<GuiRequest>(lParam)) {
    case GuiRequest::PickRowElement:
      if (SetCurrentLayoutRow(row)) HighlightElementRow(row);
      return 0;
    case GuiRequest::PickRowDataItem:
      if (SetCurrentLayoutRow(row)) HighlightRowDataItem(row);
      return 0;
    case GuiRequest::Command:
      RunGraphicsGuiCommand(static_cast<int>(wParam));
      return 0;
    case GuiRequest::Work:
      RunGuiWork();
      return 0;
    case GuiRequest::EditRowElement:
    case GuiRequest::EditRowDataItem: {
      const bool item = static_cast<GuiRequest>(lParam) == GuiRequest::EditRowDataItem;
      if (!SetCurrentLayoutRow(row)) return 0;
      if (item) HighlightRowDataItem(row);
      else HighlightElementRow(row);
      LayoutTable& table = TheLayoutTable();
      if (table.currentRow != row) return 0;
      if (item) EditRowDataType(table);
      else EditRowElementType(table);
      return 0;
    }
  }
  return 0;
}

HWND CreateGuiRequestWindow() {
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = GuiRequestProc;
  windowClass.hInstance = InstanceHandle;
  windowClass.lpszClassName = kGuiRequestClass;
  RegisterClass(&windowClass);
  return CreateWindowEx(0, kGuiRequestClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, InstanceHandle, nullptr);
}

void RunGraphicsThread() {
  ThreadState& state = State();
  auto drawn = std::make_unique<Model>();
  InitEmptyModel(*drawn, ProgramAnalysisOptions());
  g_DrawnModel = drawn.get();
  SetThreadModel(drawn.get());
  HWND window = nullptr;
  try {
    FrameCreate(GraphicsFrame(), "QuorvelGraphics", ProgramTitle.c_str(), GraphicsFrameProc, "GRAPHICS_MENU",
                nullptr, GraphicsPaintProc, WS_EX_CLIENTEDGE, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC,
                static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), ProgramIcon);
    window = GraphicsFrame().window;
    GraphicsFrame().accelerators = GraphicsAccelerators;
    GraphicsFrame().previous_frame = &LayoutFrame();
  } catch (const std::string&) {
    window = nullptr;
  }
  {
    std::lock_guard guard(state.lock);
    state.window = window;
    state.painting = window != nullptr ? GraphicsFrame().client : nullptr;
    state.threadId = GetCurrentThreadId();
    state.started = true;
  }
  state.ready.notify_all();
  if (window != nullptr) {
    MSG message;
    while (GetMessage(&message, nullptr, 0, 0) > 0) {
      if (GraphicsAccelerators != nullptr && TranslateAccelerator(window, GraphicsAccelerators, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    // The window belongs to this thread, so it goes with it.
    if (IsWindow(window)) DestroyWindow(window);
  }
  {
    std::lock_guard guard(state.lock);
    state.window = nullptr;
    state.painting = nullptr;
  }
  SetThreadModel(nullptr);
  g_DrawnModel = nullptr;
}

// The doors of the other threads (services/ViewRequests.h).
class GraphicsViewSink final : public ViewSink {
 public:
  HWND FrameWindow() override {
    std::lock_guard guard(State().lock);
    return State().window;
  }

  HWND PaintingWindow() override { return Painting(); }

  POINT PickPoint() override {
    std::lock_guard guard(State().lock);
    return State().pickPoint;
  }

  bool PaintInProgress() override {
    PaintSignal& signal = Signal();
    std::lock_guard guard(signal.lock);
    return signal.painting;
  }

  void StopPainting() override {
    // The animation of the results is stopped here too once it exists.
    if (OnGraphicsThread()) return;
    PaintSignal& signal = Signal();
    std::unique_lock guard(signal.lock);
    if (!signal.painting) return;
    SetPaintingAborted(true);
    signal.ended.wait(guard, [&signal] { return !signal.painting; });
    // Cleared before the lock is let go, so that the next paint cannot start
    // already aborted.
    SetPaintingAborted(false);
  }

  void RequestRedraw() override {
    HWND painting = Painting();
    if (painting == nullptr) return;
    StopPainting();
    if (!OnGraphicsThread()) HandOverModelForDrawing(TheModel());
    // One posted command draws every request made before it is served.
    if (!g_RedrawPosted.exchange(true)) PostMessage(painting, WM_COMMAND, kRedrawCommand, 0);
  }

  void ShowWindow() override {
    HWND painting = Painting();
    if (painting == nullptr) return;
    StopPainting();
    if (!OnGraphicsThread()) HandOverModelForDrawing(TheModel());
    SendMessage(painting, kShowModelMessage, 0, 0);
  }

  void HideWindow() override {
    HWND painting = Painting();
    if (painting == nullptr) return;
    HideHighlightItem();
    ForgetHighlight();
    StopPainting();
    SendMessage(painting, kHideWindowMessage, 0, 0);
  }

  void SetRenderMode(bool on) override {
    if (OnGraphicsThread()) return on ? SetRenderModeOnNow() : SetRenderModeOffNow();
    if (HWND painting = Painting()) PostMessage(painting, kRenderModeMessage, on ? 1 : 0, 0);
  }

  bool RenderMode() override { return g_RenderedMode.load(); }

  void StoreView(GraphicsSettings& settings) override {
    // Only a shown model's view is the graphics window's; a hidden window
    // still holds the view of a model that is gone.
    HWND frame = FrameWindow();
    if (frame == nullptr || !IsWindowVisible(frame)) return;
    if (OnGraphicsThread()) return ::StoreView(settings);
    HWND painting = Painting();
    if (painting == nullptr) return;
    StopPainting();
    SendMessage(painting, kStoreViewMessage, 0, reinterpret_cast<LPARAM>(&settings));
  }

  void RunOnGraphicsThread(const std::function<void()>& work) override {
    if (OnGraphicsThread()) return work();
    if (HWND painting = Painting()) SendMessage(painting, kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&work));
  }

  bool DrawOnWindow(bool inverting, const std::function<void()>& drawing) override {
    bool drawn = false;
    RunOnGraphicsThread([&] {
      HDC dc = PaintingDc();
      if (dc == nullptr || g_RenderedMode || PrintingOutput) return;
      PaintArea = ViewWindow;
      const int mode = SetROP2(dc, inverting ? R2_NOT : R2_COPYPEN);
      drawing();
      SetROP2(dc, mode);
      drawn = true;
    });
    return drawn;
  }

  void RequestPickedRowEdit(int row, bool dataItem) override {
    PostGuiRequest(dataItem ? GuiRequest::EditRowDataItem : GuiRequest::EditRowElement, static_cast<WPARAM>(row));
  }

  void SetColourByProperty(bool on, bool bySpecificGravity) override {
    if (HWND painting = Painting())
      PostMessage(painting, kColourByPropertyMessage, on ? 1 : 0, bySpecificGravity ? 1 : 0);
  }

  bool ColourByProperty() override { return g_ColourByProperty.load(); }
  bool ColourBySpecificGravity() override { return g_GroupBySpecificGravity.load(); }

  bool PreviousViewExists() override {
    bool exists = false;
    RunOnGraphicsThread([&exists] { exists = ::PreviousViewExists(); });
    return exists;
  }

  int ViewpointDialog(HWND owner) override { return RunViewpointDialog(owner); }

  void Highlight(int kind, int index) override { HighlightItem(kind, index); }
  void ShowHighlight() override { ShowHighlightItem(); }
  void HideHighlight() override { HideHighlightItem(); }
};

}  // namespace

void StartGraphicsThread() {
  ThreadState& state = State();
  g_DestroyHandled = false;
  g_RedrawPosted = false;
  SetPaintingAborted(false);
  state.started = false;
  state.window = nullptr;
  state.painting = nullptr;
  // A new window starts with nothing highlighted, whatever the last one had.
  ForgetHighlight();
  static GraphicsViewSink sink;
  SetViewSink(&sink);
  state.guiRequests = CreateGuiRequestWindow();
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
  if (state.guiRequests != nullptr && IsWindow(state.guiRequests)) DestroyWindow(state.guiRequests);
  state.guiRequests = nullptr;
  {
    std::lock_guard guard(g_GuiWorkLock);
    g_GuiWork.clear();
  }
  std::lock_guard guard(g_HandOverLock);
  g_PendingModel.reset();
}

bool GraphicsThreadRunning() { return State().thread.joinable(); }

DWORD GraphicsThreadId() {
  std::lock_guard guard(State().lock);
  return State().threadId;
}

bool OnGraphicsThread() { return g_DrawnModel != nullptr && GetCurrentThreadId() == GraphicsThreadId(); }

void SetGraphicsPickPoint(POINT point) {
  std::lock_guard guard(State().lock);
  State().pickPoint = point;
}

// Called by the frame's WM_DESTROY on the graphics thread.
void EndGraphicsLoop() {
  if (g_DestroyHandled.exchange(true)) return;
  FrameRecordPlacement(GraphicsFrame());
  PostQuitMessage(0);
}

void PostGuiRequest(GuiRequest request, WPARAM parameter) {
  HWND target = State().guiRequests;
  if (target != nullptr) PostMessage(target, kGuiRequestMessage, parameter, static_cast<LPARAM>(request));
}

void HandOverModelForDrawing(const Model& model) {
  auto copy = std::make_unique<Model>();
  CopyModelForDrawing(model, *copy);
  std::lock_guard guard(g_HandOverLock);
  g_PendingModel = std::move(copy);
}

bool AdoptPendingModel() {
  std::unique_ptr<Model> pending;
  {
    std::lock_guard guard(g_HandOverLock);
    pending = std::move(g_PendingModel);
  }
  if (pending == nullptr || g_DrawnModel == nullptr) return false;
  *g_DrawnModel = std::move(*pending);
  return true;
}

bool ModelCopyPending() {
  std::lock_guard guard(g_HandOverLock);
  return g_PendingModel != nullptr;
}

void BeginPaintingWork() {
  PaintSignal& signal = Signal();
  std::lock_guard guard(signal.lock);
  signal.painting = true;
}

void EndPaintingWork() {
  PaintSignal& signal = Signal();
  {
    std::lock_guard guard(signal.lock);
    signal.painting = false;
  }
  signal.ended.notify_all();
}


// The redraw command was served; the next request posts again.
void RedrawRequestServed() { g_RedrawPosted = false; }

void PostGuiWork(std::function<void()> work) {
  if (!OnGraphicsThread()) return work();
  {
    std::lock_guard guard(g_GuiWorkLock);
    g_GuiWork.push_back(std::move(work));
  }
  PostGuiRequest(GuiRequest::Work, 0);
}
