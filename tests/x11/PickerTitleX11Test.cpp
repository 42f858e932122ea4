// The time-history pickers ("Displacements Time History", "Element Forces
// Time History", "Support Loads Time History") under a window manager
// (openbox), which letters each title in its own title bar and cuts a title
// that does not fit ("Disp… nts"). Each picker is as wide as its title
// needs: a window of the picker's width with the same title shows as much
// of the title as a window wide enough for any title does.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "editing/ModelWindows.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"

#include "x11/WindowManager.h"
#include "x11/XvfbServer.h"

// X11 after the program's headers; Xlib's Screen would clash with the
// program's screen metrics.
#define Screen X11Screen
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#undef Screen

namespace {

// The lettering of the title bars the manager draws, seen from a
// connection of the test's own.
class TitleBars {
 public:
  explicit TitleBars(const std::string& display) : x_(XOpenDisplay(display.c_str())) {}
  ~TitleBars() {
    if (x_ != nullptr) XCloseDisplay(x_);
  }
  bool ok() const { return x_ != nullptr; }

  // The width of the manager's frame around `window`; 0 before it framed it.
  int FrameWidth(::Window window) {
    const ::Window frame = FrameOf(window);
    if (frame == 0 || frame == window) return 0;
    XWindowAttributes attributes{};
    XGetWindowAttributes(x_, frame, &attributes);
    return attributes.width;
  }

  // The width of the title's lettering in the title bar of a dialog window
  // titled `title` whose frame is `frameWidth` wide, as the manager letters
  // it when the window does not have the focus; -1 when it never showed.
  int TitleWidth(const std::string& title, int frameWidth) {
    const ::Window root = DefaultRootWindow(x_);
    ::Window window = XCreateSimpleWindow(x_, root, 0, 0, static_cast<unsigned>(frameWidth), 60, 0, 0, 0xFFFFFF);
    SetUp(window, title);
    XMapWindow(x_, window);
    XSync(x_, False);
    int lettering = -1;
    // Framed, then as wide as asked, then lettered the same twice running.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int previous = -2;
    while (std::chrono::steady_clock::now() < deadline) {
      const ::Window frame = FrameOf(window);
      if (frame != 0 && frame != window) {
        XWindowAttributes outer{}, inner{};
        XGetWindowAttributes(x_, frame, &outer);
        XGetWindowAttributes(x_, window, &inner);
        if (outer.width != frameWidth) {
          XResizeWindow(x_, window, static_cast<unsigned>(std::max(inner.width + frameWidth - outer.width, 1)), 60);
          XSync(x_, False);
        } else {
          const int now = Lettering(frame, window);
          if (now > 0 && now == previous) {
            lettering = now;
            break;
          }
          previous = now;
        }
      }
      Wait();
    }
    XDestroyWindow(x_, window);
    XSync(x_, False);
    return lettering;
  }

 private:
  // A dialog that does not take the focus from the picker (no input, and a
  // user time of 0: not opened by the user's latest action).
  void SetUp(::Window window, const std::string& title) {
    const auto* text = reinterpret_cast<const unsigned char*>(title.c_str());
    const int length = static_cast<int>(title.size());
    XChangeProperty(x_, window, XInternAtom(x_, "_NET_WM_NAME", False), XInternAtom(x_, "UTF8_STRING", False), 8,
                    PropModeReplace, text, length);
    XStoreName(x_, window, title.c_str());
    const Atom dialog = XInternAtom(x_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(x_, window, XInternAtom(x_, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    const long userTime = 0;
    XChangeProperty(x_, window, XInternAtom(x_, "_NET_WM_USER_TIME", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&userTime), 1);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = False;
    XSetWMHints(x_, window, &hints);
  }

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

  // The width of the lettering in the band above the window (the title
  // bar): the columns holding pixels well darker than their row's middle
  // value, in runs with gaps of less than 8 columns, are, left to right,
  // the window's icon, the title and the buttons; the title is the widest
  // run between the first and the last. 0 when there is no such run.
  int Lettering(::Window frame, ::Window window) {
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(x_, window, frame, 0, 0, &x, &y, &child);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x_, frame, &attributes);
    const int width = attributes.width;
    if (y <= 0 || width <= 2) return 0;
    XImage* image =
        XGetImage(x_, frame, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(y), AllPlanes, ZPixmap);
    if (image == nullptr) return 0;
    std::vector<bool> inked(static_cast<std::size_t>(width), false);
    for (int row = 0; row < y; ++row) {
      std::vector<int> light;
      for (int column = 0; column < width; ++column) {
        const unsigned long pixel = XGetPixel(image, column, row);
        light.push_back(static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)));
      }
      std::vector<int> sorted = light;
      std::nth_element(sorted.begin(), sorted.begin() + width / 2, sorted.end());
      const int middle = sorted[static_cast<std::size_t>(width / 2)];
      // The frame's own border columns are not lettering.
      for (int column = 1; column < width - 1; ++column)
        if (light[static_cast<std::size_t>(column)] < middle - 150) inked[static_cast<std::size_t>(column)] = true;
    }
    XDestroyImage(image);
    std::vector<std::pair<int, int>> runs;  // first and last column
    for (int column = 0; column < width; ++column) {
      if (!inked[static_cast<std::size_t>(column)]) continue;
      if (!runs.empty() && column - runs.back().second < 8)
        runs.back().second = column;
      else
        runs.emplace_back(column, column);
    }
    int widest = 0;
    for (std::size_t run = 1; run + 1 < runs.size(); ++run)
      widest = std::max(widest, runs[run].second - runs[run].first + 1);
    return widest;
  }

  void Wait() {
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    poll(&source, 1, 100);
    while (XPending(x_) > 0) {
      XEvent event;
      XNextEvent(x_, &event);
    }
  }

  Display* x_;
};

class PickerTitleX11Test : public OnXvfbWithWindowManager<ResultsFixture> {};

TEST_F(PickerTitleX11Test, EachTimeHistoryPickerIsWideEnoughForItsTitle) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  TitleBars bars(display_);
  ASSERT_TRUE(bars.ok());
  Model& model = BuildLine({1, 30, 35}, false);
  AddTimeHistoryLoads(model, {1, 30, 35}, false);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  ShowModelWindows();
  platform::RunUntilIdle();
  Analyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ASSERT_TRUE(TimeHistoryAvailable());
  // Kinds 1 support loads, 2 element forces, 3 displacements.
  for (int kind : {3, 2, 1}) {
    std::string title;
    int width = 0, shown = -1, whole = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [&](HWND dialog) {
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [&](HWND pick) {
        title = TextOf(pick);
        platform::SyncPresenter();
        platform::PumpUntil(
            [&] {
              const unsigned long id = windows.ShownWindowTitled(title);
              width = id != 0 ? bars.FrameWidth(id) : 0;
              return width > 0;
            },
            10000);
        // The same title in the picker's width, and in a width any title
        // fits in.
        if (width > 0) {
          shown = bars.TitleWidth(title, width);
          whole = bars.TitleWidth(title, 900);
        }
        SendMessage(pick, WM_COMMAND, IDCANCEL, 0);
      });
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1400 + kind, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1400 + kind)));
    });
    SelectTimeHistoryResults();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    SCOPED_TRACE(title);
    ASSERT_GT(width, 0) << "the manager did not frame the picker";
    ASSERT_GT(whole, 0);
    // A cut title loses letters to an ellipsis and is narrower.
    EXPECT_NEAR(shown, whole, 2) << "the title is cut in a picker " << width << " wide";
  }
}

}  // namespace
