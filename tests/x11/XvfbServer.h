// An X server of a test process's own: Xvfb started with -displayfd (it
// picks a free display and says which once it accepts connections), and
// stopped when the object goes, or with the test process however it ends
// (ChildProcess.h). No sleeping: the start waits on the pipe.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "x11/ChildProcess.h"
#include "x11/WindowManager.h"

class XvfbServer {
 public:
  XvfbServer() = default;
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // The display name (":n"), or an empty text when the server did not start
  // within 30 s.
  std::string Start(const std::string& screen = "1024x768x24") {
    int fds[2];
    if (pipe(fds) != 0) return "";
    ChildOptions options;
    options.keepFd = fds[1];  // the child closes every other descriptor, the read end included
    // -noreset: by default the server resets when its last client leaves,
    // and a test connecting during the reset is refused.
    bool started = process_.Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                                   "tcp", "-noreset"},
                                  options);
    close(fds[1]);
    std::string number;
    pollfd source{fds[0], POLLIN, 0};
    while (started && poll(&source, 1, 30000) > 0) {
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
  }

  pid_t pid() const { return process_.pid(); }

 private:
  ChildProcess process_;
};

// A test suite of `Base` whose windows go to a real X server of the suite's
// own, started once for the suite; each test points the layer at it and
// back to headless afterwards.
template <typename Base>
class OnXvfb : public Base {
 protected:
  static void SetUpTestSuite() {
    server_ = std::make_unique<XvfbServer>();
    display_ = server_->Start();
  }
  static void TearDownTestSuite() { server_.reset(); }
  void SetUp() override {
    ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
    setenv("DISPLAY", display_.c_str(), 1);
    unsetenv("QUORVEL_DISPLAY");
    Base::SetUp();
  }
  void TearDown() override {
    Base::TearDown();
    setenv("QUORVEL_DISPLAY", "headless", 1);
  }

  static inline std::unique_ptr<XvfbServer> server_;
  static inline std::string display_;
};

// The same with a window manager (openbox) on the suite's server, as a user
// with a desktop has: it frames the program's windows, stacks them and
// hands the focus around by its own rules (the focus following the pointer
// with `FollowMouse`). It ends with the suite's server.
template <typename Base, bool FollowMouse = false>
class OnXvfbWithWindowManager : public OnXvfb<Base> {
 protected:
  static void SetUpTestSuite() {
    OnXvfb<Base>::SetUpTestSuite();
    manager_ = std::make_unique<WindowManager>();
    managerError_ =
        OnXvfb<Base>::display_.empty() ? "Xvfb did not start" : manager_->Start(OnXvfb<Base>::display_, FollowMouse);
  }
  static void TearDownTestSuite() {
    manager_.reset();
    OnXvfb<Base>::TearDownTestSuite();
  }
  // The base is set up either way, so that its tear-down finds what it
  // expects when the test fails here.
  void SetUp() override {
    OnXvfb<Base>::SetUp();
    ASSERT_EQ(managerError_, "") << "no window manager";
  }

  static inline std::unique_ptr<WindowManager> manager_;
  static inline std::string managerError_;
};
