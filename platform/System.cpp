// System metrics, colours and the beep, the headless presenter, and the
// layer's shutdown.
//
// The metrics are those of a plain 96 pixels-per-inch desktop. Only the
// screen-size values ask the presenter (they take the lock); every other value
// is a constant, so the window core may ask for them while it holds the lock.
#include "platform/System.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

class HeadlessPresenter final : public Presenter {
 public:
  bool WantsFrames() const override { return false; }
  SIZE ScreenSize() const override { return SIZE{1280, 1024}; }
  void WindowCreated(HWND, RECT, const std::string&, const WindowRole&) override {}
  void WindowDestroyed(HWND) override {}
  void WindowShown(HWND, bool) override {}
  void WindowMoved(HWND, RECT) override {}
  void TitleChanged(HWND, const std::string&) override {}
  void Activate(HWND, std::uint64_t) override {}
  void Present(HWND, std::shared_ptr<const Frame>) override {}
  void SetPointerShape(HWND, PointerShape) override {}
  void SetPointerImage(HWND, std::shared_ptr<const CursorImage>) override {}
  void WarpPointer(POINT) override {}
  void WarpPointerInto(HWND, POINT) override {}
  void Beep() override {}
  void OfferClipboard(unsigned) override {}
  void Sync() override {}
  void Stop() override {}
};

SIZE ScreenSize() {
  EnsureStarted();
  Presenter* presenter = ThePresenter();
  return presenter != nullptr ? presenter->ScreenSize() : SIZE{1280, 1024};
}

}  // namespace

std::unique_ptr<Presenter> MakeHeadlessPresenter() { return std::make_unique<HeadlessPresenter>(); }

COLORREF SystemColour(int index) {
  static constexpr COLORREF colours[] = {
      RGB(200, 200, 200),  // scroll bar
      RGB(0, 128, 128),    // desktop
      RGB(0, 0, 128),      // active caption
      RGB(128, 128, 128),  // inactive caption
      RGB(240, 240, 240),  // menu
      RGB(255, 255, 255),  // window
      RGB(0, 0, 0),        // window frame
      RGB(0, 0, 0),        // menu text
      RGB(0, 0, 0),        // window text
      RGB(255, 255, 255),  // caption text
      RGB(192, 192, 192),  // active border
      RGB(192, 192, 192),  // inactive border
      RGB(128, 128, 128),  // application workspace
      RGB(0, 0, 128),      // highlight
      RGB(255, 255, 255),  // highlight text
      RGB(212, 208, 200),  // button face
      RGB(128, 128, 128),  // button shadow
      RGB(128, 128, 128),  // grey text
      RGB(0, 0, 0),        // button text
      RGB(212, 208, 200),  // inactive caption text
      RGB(255, 255, 255),  // button highlight
      RGB(64, 64, 64),     // 3D dark shadow
      RGB(224, 224, 224),  // 3D light
      RGB(0, 0, 0),        // tooltip text
      RGB(255, 255, 225),  // tooltip background
  };
  if (index < 0 || index >= static_cast<int>(sizeof(colours) / sizeof(colours[0]))) return 0;
  return colours[index];
}

void Shutdown() {
  Core& core = TheCore();
  std::vector<std::shared_ptr<ThreadQueue>> queues;
  {
    std::lock_guard guard(core.lock);
    for (auto& [id, queue] : core.queues) queues.push_back(queue);
  }
  for (auto& queue : queues) DestroyThreadWindows(*queue);
  std::unique_ptr<Presenter> presenter;
  {
    std::lock_guard guard(core.lock);
    presenter = std::move(core.presenter);
    core.started = false;
    core.classes.clear();
    core.foreground = nullptr;
    core.lastClickWindow = nullptr;
    for (BYTE& key : core.asyncKeys) key = 0;
    std::shared_ptr<ThreadQueue> self = CurrentQueueLocked();
    self->posted.clear();
    self->tasks.clear();
    self->timers.clear();
    self->quit = false;
    self->caret = Caret{};
    for (BYTE& key : self->keyState) key = 0;
  }
  if (presenter) presenter->Stop();
}

}  // namespace platform

using namespace platform;

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: case SM_CXFULLSCREEN: case SM_CXMAXIMIZED: return ScreenSize().cx;
    case SM_CYSCREEN: case SM_CYFULLSCREEN: case SM_CYMAXIMIZED: return ScreenSize().cy;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 17;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 19;
    case SM_CYMENU: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: return 1;
    default: return 0;
  }
}

BOOL SystemParametersInfo(UINT action, UINT, void* parameter, UINT) {
  if (action != SPI_GETWORKAREA || parameter == nullptr) return FALSE;
  SIZE screen = ScreenSize();
  *static_cast<RECT*>(parameter) = RECT{0, 0, screen.cx, screen.cy};
  return TRUE;
}

COLORREF GetSysColor(int index) { return SystemColour(index); }

BOOL MessageBeep(UINT) {
  {
    std::lock_guard guard(TheCore().lock);
    if (TheCore().testMode) {
      ++TheCore().beeps;
      return TRUE;
    }
  }
  EnsureStarted();
  if (Presenter* presenter = ThePresenter()) presenter->Beep();
  return TRUE;
}

BOOL Beep(DWORD, DWORD) { return MessageBeep(0); }
