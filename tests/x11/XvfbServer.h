// An X server of a test process's own: Xvfb started with -displayfd (it
// picks a free display and says which once it accepts connections), and
// stopped when the object goes. No sleeping: the start waits on the pipe.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

class XvfbServer {
 public:
  XvfbServer() = default;
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  ~XvfbServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

  // The display name (":n"), or an empty text when the server did not start.
  std::string Start() {
    int fds[2];
    if (pipe(fds) != 0) return "";
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 2);
      std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd source{fds[0], POLLIN, 0};
    while (poll(&source, 1, 30000) > 0) {
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
  }

 private:
  pid_t pid_ = -1;
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
