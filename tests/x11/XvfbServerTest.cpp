// The X server of a test ends with the test, however the test ends, and
// never holds the test's output open: a stand-in "test" (a forked child)
// starts a server, reports its process id on its standard output and then
// dies by abort, by SIGKILL or by exit. This process adopts orphans
// (PR_SET_CHILD_SUBREAPER), so it can reap the server and see it end.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "XvfbServer.h"

namespace {

enum class Ending { Abort, Killed, Exit };

class XvfbEndsWithTheTest : public testing::TestWithParam<Ending> {};

TEST_P(XvfbEndsWithTheTest, AndReleasesTheTestsOutput) {
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  int output[2];
  ASSERT_EQ(pipe(output), 0);
  const pid_t test = fork();
  ASSERT_GE(test, 0);
  if (test == 0) {
    dup2(output[1], 1);
    close(output[0]);
    close(output[1]);
    auto* server = new XvfbServer;  // never deleted: the test "dies" holding it
    std::string line = server->Start().empty() ? "0\n" : std::to_string(server->pid()) + "\n";
    if (write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(2);
    switch (GetParam()) {
      case Ending::Abort: signal(SIGABRT, SIG_DFL); abort();
      case Ending::Killed: raise(SIGKILL); break;
      case Ending::Exit: std::exit(3);
    }
    _exit(4);
  }
  close(output[1]);
  // Read to the end of the output, as ctest does: the end comes only when
  // no process holds the pipe any more.
  std::string text;
  bool ended = false;
  pollfd source{output[0], POLLIN, 0};
  while (!ended && poll(&source, 1, 20000) > 0) {
    char buffer[64];
    ssize_t got = read(output[0], buffer, sizeof buffer);
    if (got <= 0) ended = true;
    else text.append(buffer, static_cast<std::size_t>(got));
  }
  close(output[0]);
  int status = 0;
  ASSERT_EQ(waitpid(test, &status, 0), test);
  const pid_t server = static_cast<pid_t>(std::atol(text.c_str()));
  ASSERT_GT(server, 0) << "Xvfb did not start";
  EXPECT_TRUE(ended) << "the X server still holds the test's output";
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, server, 0));
  ASSERT_GE(pidfd, 0);
  pollfd gone{pidfd, POLLIN, 0};
  const bool serverEnded = poll(&gone, 1, 20000) > 0;
  close(pidfd);
  if (!serverEnded) kill(server, SIGKILL);  // do not leave it behind when failing
  EXPECT_TRUE(serverEnded) << "the X server outlived the test";
  EXPECT_EQ(waitpid(server, nullptr, 0), server) << "the X server was not left to this process";
  prctl(PR_SET_CHILD_SUBREAPER, 0);
}

INSTANTIATE_TEST_SUITE_P(Endings, XvfbEndsWithTheTest,
                         testing::Values(Ending::Abort, Ending::Killed, Ending::Exit),
                         [](const testing::TestParamInfo<Ending>& info) {
                           return std::string(info.param == Ending::Abort    ? "Abort"
                                              : info.param == Ending::Killed ? "Killed"
                                                                             : "Exit");
                         });

}  // namespace
