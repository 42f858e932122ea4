// The program's first start on a desktop: the real executable, with no
// settings of its own yet, on a private Xvfb server under a window manager
// (openbox), which puts a title bar and borders around each window. The
// first start opens the sample model untitled in the Layout and Graphics
// windows; no window may stand over another's title bar or menu bar, and
// every window lies on the screen whole. A picture of the screen is kept
// in the build folder (first-start.png) to be looked at.
#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "x11/ChildProcess.h"
#include "x11/Screenshots.h"
#include "x11/WindowManager.h"
#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

namespace {

// What the server shows of one of the program's windows: the window
// manager's frame and, inside it, the program's own window.
struct ShownWindow {
  ::Window id = 0;
  std::string title;
  XRectangle frame{};   // on the screen
  XRectangle client{};  // on the screen
};

// The menu bar's height: the layer's menu bar metric.
constexpr int kMenuBarHeight = 19;

bool Overlap(const XRectangle& a, int left, int top, int right, int bottom) {
  return a.x < right && left < a.x + a.width && a.y < bottom && top < a.y + a.height;
}

class FirstStartX11Test : public testing::Test {
 protected:
  void SetUp() override {
    display_ = server_.Start();
    ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
    ASSERT_EQ(manager_.Start(display_), "") << "no window manager";
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (x_ != nullptr) XCloseDisplay(x_);
  }

  // The child of the root window that holds `window`: its manager's frame.
  ::Window FrameOf(::Window window) {
    const ::Window root = DefaultRootWindow(x_);
    while (window != 0) {
      ::Window rootReturn = 0, parent = 0, *children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(x_, window, &rootReturn, &parent, &children, &count)) return 0;
      if (children != nullptr) XFree(children);
      if (parent == root) return window;
      window = parent;
    }
    return 0;
  }

  XRectangle ScreenRect(::Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(x_, window, &attributes);
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(x_, window, DefaultRootWindow(x_), 0, 0, &x, &y, &child);
    return XRectangle{static_cast<short>(x), static_cast<short>(y), static_cast<unsigned short>(attributes.width),
                      static_cast<unsigned short>(attributes.height)};
  }

  // The program's framed windows on the screen, bottom first.
  std::vector<ShownWindow> ShownWindows() {
    std::vector<ShownWindow> shown;
    ManagedWindows windows(display_);
    const std::vector<unsigned long> ids = windows.ShownProgramWindows();
    std::vector<std::pair<int, ShownWindow>> placed;
    for (unsigned long id : ids) {
      ShownWindow window;
      window.id = id;
      window.title = WindowProperty(x_, id, "_NET_WM_NAME");
      const ::Window frame = FrameOf(id);
      if (frame == 0 || frame == id) continue;  // not framed (yet): a menu, a tip, or still coming
      window.frame = ScreenRect(frame);
      window.client = ScreenRect(id);
      placed.emplace_back(windows.StackingPlace(id), window);
    }
    std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [place, window] : placed) shown.push_back(window);
    return shown;
  }

  // Whether the program has drawn the window: its menu bar is on the
  // screen, not the black of a window never painted.
  bool Painted(const ShownWindow& window) {
    XImage* image = XGetImage(x_, window.id, 4, 4, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const bool drawn = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return drawn;
  }

  static const ShownWindow* Titled(const std::vector<ShownWindow>& shown, const std::string& start) {
    for (const ShownWindow& window : shown)
      if (window.title.rfind(start, 0) == 0) return &window;
    return nullptr;
  }

  // What is wrong with the screen: a window over another's title bar or
  // menu bar, or a window not on the screen whole; empty when nothing.
  std::string Faults(const std::vector<ShownWindow>& shown) {
    const int width = DisplayWidth(x_, DefaultScreen(x_)), height = DisplayHeight(x_, DefaultScreen(x_));
    std::string faults;
    for (std::size_t lower = 0; lower < shown.size(); ++lower) {
      const ShownWindow& a = shown[lower];
      if (a.frame.x < 0 || a.frame.y < 0 || a.frame.x + a.frame.width > width || a.frame.y + a.frame.height > height)
        faults += "\"" + a.title + "\" is not on the screen whole; ";
      // The title bar above the program's window, and its menu bar.
      const int left = a.frame.x, right = a.frame.x + a.frame.width;
      const int top = a.frame.y, bottom = a.client.y + kMenuBarHeight;
      for (std::size_t upper = lower + 1; upper < shown.size(); ++upper)
        if (Overlap(shown[upper].frame, left, top, right, bottom))
          faults += "\"" + shown[upper].title + "\" covers the title or menu bar of \"" + a.title + "\"; ";
    }
    return faults;
  }

  XvfbServer server_;
  WindowManager manager_;
  std::string display_;
  Display* x_ = nullptr;
};

TEST_F(FirstStartX11Test, TheSampleOpensUntitledAndNoWindowCoversAnothersTitleOrMenu) {
  // No settings and no first-run marker: the first start.
  const std::filesystem::path config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::remove_all(config / "quorvel");
  ChildProcess program;
  ChildOptions options;
  options.environment = {{"DISPLAY", display_}, {"QUORVEL_DISPLAY", ""}};
  ASSERT_TRUE(program.Start({QUORVEL_BINARY_DIR "/quorvel"}, options));

  // The model's windows come up and the manager frames them; wait (at most
  // 60 s, on the server's events) until both are shown and drawn and stand
  // clear of each other's title and menu bars.
  XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  std::vector<ShownWindow> shown;
  std::string faults = "the Layout and Graphics windows did not come up";
  pollfd source{ConnectionNumber(x_), POLLIN, 0};
  while (std::chrono::steady_clock::now() < deadline) {
    shown = ShownWindows();
    const ShownWindow* layout = Titled(shown, "Quorvel : Layout");
    const ShownWindow* graphics = Titled(shown, "Quorvel : Graphics");
    if (layout != nullptr && graphics != nullptr) {
      faults = Faults(shown);
      if (faults.empty() && Painted(*layout) && Painted(*graphics)) break;
    }
    poll(&source, 1, 200);
    while (XPending(x_) > 0) {
      XEvent event;
      XNextEvent(x_, &event);
    }
  }
  const int width = DisplayWidth(x_, DefaultScreen(x_)), height = DisplayHeight(x_, DefaultScreen(x_));
  WritePicture(std::string(QUORVEL_BINARY_DIR) + "/first-start.png",
               ServerPicture(x_, DefaultRootWindow(x_), 0, 0, width, height));
  EXPECT_EQ(faults, "");
  // The sample is the program's own file: the user's model is untitled.
  const ShownWindow* layout = Titled(shown, "Quorvel : Layout");
  ASSERT_NE(layout, nullptr);
  EXPECT_NE(layout->title.find("[Untitled]"), std::string::npos) << layout->title;
  const ShownWindow* graphics = Titled(shown, "Quorvel : Graphics");
  ASSERT_NE(graphics, nullptr);
  EXPECT_NE(graphics->title.find("[Untitled]"), std::string::npos) << graphics->title;
}

}  // namespace
