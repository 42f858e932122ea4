// The real program under Xvfb: it starts through its whole start-up, shows
// its main window titled "Quorvel" with the large toolbar drawn on the
// screen, and on the close button ends both threads with exit code 0,
// having saved its settings and written the first-run marker into the
// per-user config folder (this test process's own).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "XProperty.h"
#include "XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

  XvfbServer server_;
  std::string display_;
  Display* x_ = nullptr;
};

TEST_F(ProgramWindowTest, StartsShowsItsToolbarAndEndsWhenClosed) {
  const std::filesystem::path config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::remove_all(config / "quorvel");
  // Not a first run: the first run opens the sample model in its own windows.
  std::filesystem::create_directories(config / "quorvel");
  std::ofstream(config / "quorvel" / "Quorvel.ini");
  XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask);
  XSync(x_, False);
  pid_t program = fork();
  if (program == 0) {
    setenv("DISPLAY", display_.c_str(), 1);
    unsetenv("QUORVEL_DISPLAY");
    execl(QUORVEL_BINARY_DIR "/quorvel", "quorvel", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(program, 0);
  const Window shown = WaitForMappedWindow();
  ASSERT_NE(shown, 0u) << "the program showed no window";
  EXPECT_EQ(Name(shown), "Quorvel");
  // The New button of the large toolbar: a white page with a dark outline.
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
  EXPECT_GE(white, 100);
  EXPECT_GE(CountToolbarPixels(shown, false), 40);

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = shown;
  event.xclient.message_type = XInternAtom(x_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x_, "WM_DELETE_WINDOW", False));
  XSendEvent(x_, shown, False, NoEventMask, &event);
  XSync(x_, False);
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, program, 0));
  ASSERT_GE(pidfd, 0);
  pollfd ended{pidfd, POLLIN, 0};
  const bool exited = poll(&ended, 1, 30000) > 0;
  close(pidfd);
  if (!exited) kill(program, SIGKILL);
  int status = 0;
  waitpid(program, &status, 0);
  ASSERT_TRUE(exited);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(std::filesystem::exists(config / "quorvel" / "Quorvel.ini"));
  EXPECT_TRUE(std::filesystem::exists(config / "quorvel" / "registry"));
}

}  // namespace
