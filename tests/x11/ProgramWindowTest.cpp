// The real program under Xvfb: it starts through its whole start-up, shows
// its main window titled "Quorvel" with the large toolbar drawn on the
// screen, and on the close button ends both threads with exit code 0,
// having saved its settings and written the first-run marker into the
// per-user config folder (this test process's own). A pointer that rests on
// a toolbar button brings up its tooltip on the screen, on the real clock.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

class ProgramWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    display_ = server_.Start();
    ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (x_ != nullptr) XCloseDisplay(x_);
  }

  std::string Name(Window id) { return WindowProperty(x_, id, "_NET_WM_NAME"); }

  // Waits for the first window mapped on the screen; 0 after 30 s.
  Window WaitForMappedWindow() {
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    for (;;) {
      while (XPending(x_) > 0) {
        XEvent event;
        XNextEvent(x_, &event);
        if (event.type == MapNotify) return event.xmap.window;
      }
      if (poll(&source, 1, 30000) <= 0) return 0;
    }
  }

  // Waits until the window has been painted: an Expose of our own selection
  // may have come before we asked, so look at the pixels, polling the server
  // on its events.
  int CountToolbarPixels(Window id, bool white) {
    XImage* image = XGetImage(x_, id, 0, 0, 120, 60, AllPlanes, ZPixmap);
    if (image == nullptr) return 0;
    int count = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y);
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        count += white ? (r == 255 && g == 255 && b == 255) : (r < 80 && g < 80 && b < 80);
      }
    XDestroyImage(image);
    return count;
  }

  // Starts the program after its first run (the first run opens the sample
  // model in its own windows); returns its main window, 0 when none shows.
  Window StartProgram(ChildProcess& program) {
    const std::filesystem::path config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(config / "quorvel");
    std::filesystem::create_directories(config / "quorvel");
    std::ofstream(config / "quorvel" / "Quorvel.ini");
    XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask);
    XSync(x_, False);
    ChildOptions options;
    options.environment = {{"DISPLAY", display_}, {"QUORVEL_DISPLAY", ""}};
    if (!program.Start({QUORVEL_BINARY_DIR "/quorvel"}, options)) return 0;
    return WaitForMappedWindow();
  }

  // The white pixels of the toolbar once it is on the screen.
  int WaitForToolbar(Window shown) {
    XSelectInput(x_, shown, ExposureMask);
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    int white = 0;
    for (int tries = 0; tries < 50 && white < 100; ++tries) {
      white = CountToolbarPixels(shown, true);
      if (white < 100) {
        poll(&source, 1, 200);
        while (XPending(x_) > 0) {
          XEvent event;
          XNextEvent(x_, &event);
        }
      }
    }
    return white;
  }

  // The close button, as the window manager sends it; true with the exit
  // status when the program ended within 30 s.
  bool CloseProgram(ChildProcess& program, Window shown, int* status) {
    SendCloseButton(x_, shown);
    return program.WaitFor(30000, status);
  }

  XvfbServer server_;
  std::string display_;
  Display* x_ = nullptr;
};

TEST_F(ProgramWindowTest, StartsShowsItsToolbarAndEndsWhenClosed) {
  const std::filesystem::path config = std::getenv("XDG_CONFIG_HOME");
  ChildProcess program;
  const Window shown = StartProgram(program);
  ASSERT_NE(shown, 0u) << "the program showed no window";
  EXPECT_EQ(Name(shown), "Quorvel");
  // The New button of the large toolbar: a white page with a dark outline.
  EXPECT_GE(WaitForToolbar(shown), 100);
  EXPECT_GE(CountToolbarPixels(shown, false), 40);

  int status = 0;
  ASSERT_TRUE(CloseProgram(program, shown, &status));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(std::filesystem::exists(config / "quorvel" / "Quorvel.ini"));
  EXPECT_TRUE(std::filesystem::exists(config / "quorvel" / "registry"));
}

TEST_F(ProgramWindowTest, AToolbarButtonUnderTheRestingPointerShowsItsTip) {
  ChildProcess program;
  const Window shown = StartProgram(program);
  ASSERT_NE(shown, 0u) << "the program showed no window";
  ASSERT_GE(WaitForToolbar(shown), 100);
  // The middle of the New button's white page.
  XImage* image = XGetImage(x_, shown, 0, 0, 120, 60, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  long sumX = 0, sumY = 0, count = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if ((XGetPixel(image, x, y) & 0xFFFFFF) == 0xFFFFFF) sumX += x, sumY += y, ++count;
  XDestroyImage(image);
  ASSERT_GT(count, 0);
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(x_, shown, DefaultRootWindow(x_), static_cast<int>(sumX / count),
                        static_cast<int>(sumY / count), &rootX, &rootY, &child);
  while (XPending(x_) > 0) {
    XEvent event;
    XNextEvent(x_, &event);
  }
  XTestFakeMotionEvent(x_, -1, rootX - 3, rootY, CurrentTime);
  XTestFakeMotionEvent(x_, -1, rootX, rootY, CurrentTime);
  XSync(x_, False);
  // The tip is a window of its own that the window manager leaves alone,
  // mapped below the pointer with the tooltip colours.
  const Window tip = WaitForMappedWindow();
  ASSERT_NE(tip, 0u) << "no tooltip within 30 s";
  EXPECT_NE(tip, shown);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(x_, tip, &attributes));
  EXPECT_TRUE(attributes.override_redirect);
  EXPECT_GT(attributes.y, rootY);
  EXPECT_LT(attributes.height, 40);
  int background = 0;
  for (int tries = 0; tries < 50 && background == 0; ++tries) {
    XImage* tipImage = XGetImage(x_, tip, 0, 0, static_cast<unsigned>(attributes.width),
                                 static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (tipImage != nullptr) {
      for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) background += (XGetPixel(tipImage, x, y) & 0xFFFFFF) == 0xFFFFE1;
      XDestroyImage(tipImage);
    }
    if (background == 0) usleep(100000);
  }
  EXPECT_GT(background, attributes.width * attributes.height / 3);
  int status = 0;
  EXPECT_TRUE(CloseProgram(program, shown, &status));
}

}  // namespace
