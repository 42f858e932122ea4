// The X server of a test ends with the test, however the test ends, and
// never holds the test's output open: a stand-in "test" (this executable
// run again in a child process, so that it starts as fresh as a test
// process does: a forked copy of this one would also run, at its exit, the
// exit handlers of libraries whose threads it does not have) starts a
// server, reports its process id on its standard output and then dies by
// abort, by SIGKILL or by exit. This process adopts orphans
// (PR_SET_CHILD_SUBREAPER), so it can reap the server and see it end.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "x11/XvfbServer.h"

namespace {

enum class Ending { Abort, Killed, Exit };

constexpr char kEndingVariable[] = "QUORVEL_STAND_IN_ENDING";

// The stand-in, run only by the test below, which names the ending.
TEST(XvfbStandIn, DISABLED_StartsAServerAndEnds) {
  const char* ending = std::getenv(kEndingVariable);
  ASSERT_NE(ending, nullptr) << "run only by XvfbEndsWithTheTest";
  static XvfbServer* server = new XvfbServer;  // never deleted: the test "dies" holding it
  const std::string line =
      "server " + (server->Start().empty() ? std::string("0") : std::to_string(server->pid())) + "\n";
  if (write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(2);
  // What this process's own test folder would leave behind when it is killed.
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(std::getenv("HOME")).parent_path(), ignored);
  switch (static_cast<Ending>(std::atoi(ending))) {
    case Ending::Abort: signal(SIGABRT, SIG_DFL); abort();
    case Ending::Killed: raise(SIGKILL); break;
    case Ending::Exit: std::exit(3);
  }
  _exit(4);
}

class XvfbEndsWithTheTest : public testing::TestWithParam<Ending> {};

TEST_P(XvfbEndsWithTheTest, AndReleasesTheTestsOutput) {
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  int output[2];
  ASSERT_EQ(pipe(output), 0);
  const std::string ending = std::to_string(static_cast<int>(GetParam()));
  const pid_t test = fork();
  ASSERT_GE(test, 0);
  if (test == 0) {
    dup2(output[1], 1);
    close(output[0]);
    close(output[1]);
    setenv(kEndingVariable, ending.c_str(), 1);
    execl("/proc/self/exe", "stand-in", "--gtest_filter=XvfbStandIn.DISABLED_StartsAServerAndEnds",
          "--gtest_also_run_disabled_tests", static_cast<char*>(nullptr));
    _exit(127);
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
  // Ended the way it was told to, its exit handlers run without a fault.
  switch (GetParam()) {
    case Ending::Abort: EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << status; break;
    case Ending::Killed: EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status; break;
    case Ending::Exit: EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status; break;
  }
  const std::size_t said = text.find("server ");
  const pid_t server = said == std::string::npos ? 0 : static_cast<pid_t>(std::atol(text.c_str() + said + 7));
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
