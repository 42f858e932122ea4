// A child process that a test starts (an X server, the program itself) and
// that must end with the test, however the test ends: a passing test's
// destructor, a failed assertion, an abort, a sanitizer's exit, a crash, or
// ctest's kill at the time-out.
//
// Three layers, as each covers what the one before misses:
//  - the owning object kills and reaps the child when it goes;
//  - an atexit handler kills every child still listed, for exit() paths that
//    skip the destructors of locals;
//  - the kernel sends the child SIGKILL when the test thread that started it
//    dies (PR_SET_PDEATHSIG), which covers SIGKILL and every crash. Start
//    children from the thread that runs the tests, which lives as long as
//    the process.
// The child never inherits the test's stdout or stderr, nor any other open
// descriptor: ctest reads the test's output until every writer has closed
// it, so a server holding it would keep ctest waiting to its time-out.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tied {

inline std::mutex& ListLock() {
  static std::mutex lock;
  return lock;
}
inline std::vector<pid_t>& Living() {
  static std::vector<pid_t> living;
  return living;
}
inline void KillAllAtExit() {
  std::lock_guard guard(ListLock());
  for (pid_t pid : Living()) kill(pid, SIGKILL);
  Living().clear();
}

}  // namespace tied

struct ChildOptions {
  // Set in the child only; an empty value removes the variable.
  std::vector<std::pair<std::string, std::string>> environment;
  int keepFd = -1;    // a descriptor the child keeps (Xvfb's -displayfd pipe)
  int stderrFd = -1;  // where the child's stderr goes; /dev/null when -1
};

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Kill(); }

  // Starts `argv[0]` (looked up in PATH when it holds no '/'); false when
  // fork fails. A failed exec shows as the child's exit code 127.
  bool Start(const std::vector<std::string>& argv, const ChildOptions& options = {}) {
    // The list and its lock are made before the handler is registered, so
    // they are destroyed only after it has run.
    static const bool registered = [] {
      tied::ListLock();
      tied::Living();
      return std::atexit(tied::KillAllAtExit) == 0;
    }();
    (void)registered;
    // Everything the child needs is made before the fork: between fork and
    // exec only async-signal-safe calls are allowed (the test may have
    // threads, one of which may hold the allocator's lock).
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> settings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      std::string setting = *entry;
      bool replaced = std::any_of(options.environment.begin(), options.environment.end(), [&](const auto& pair) {
        return setting.compare(0, pair.first.size() + 1, pair.first + "=") == 0;
      });
      if (!replaced) settings.push_back(std::move(setting));
    }
    for (const auto& [name, value] : options.environment)
      if (!value.empty()) settings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& setting : settings) envp.push_back(setting.data());
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(126);  // the parent died before the line above
      setpgid(0, 0);  // a terminal's or ctest's signal to the test's group is the test's alone
      int null = open("/dev/null", O_RDWR);
      dup2(null, 0);
      dup2(null, 1);
      dup2(options.stderrFd >= 0 ? options.stderrFd : null, 2);
      int kept = options.keepFd;
      if (kept >= 0 && kept <= 2) kept = -1;  // already replaced above
      if (kept > 3) close_range(3, static_cast<unsigned>(kept) - 1, 0);
      close_range(static_cast<unsigned>(std::max(kept, 2)) + 1, ~0U, 0);
      execvpe(args[0], args.data(), envp.data());
      _exit(127);
    }
    std::lock_guard guard(tied::ListLock());
    tied::Living().push_back(pid_);
    return true;
  }

  pid_t pid() const { return pid_; }

  // Waits for the child's end at most `milliseconds`; true with its wait
  // status when it ended.
  bool WaitFor(int milliseconds, int* status) {
    if (pid_ <= 0) return false;
    int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    if (pidfd < 0) return false;
    pollfd ended{pidfd, POLLIN, 0};
    bool done = poll(&ended, 1, milliseconds) > 0;
    close(pidfd);
    if (!done || waitpid(pid_, status, 0) != pid_) return false;
    Forget();
    return true;
  }

  // Ends the child and reaps it: asked first, so that an X server removes
  // its socket and lock file, then killed if it has not ended within 5 s.
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    if (WaitFor(5000, &status)) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    Forget();
  }

 private:
  void Forget() {
    std::lock_guard guard(tied::ListLock());
    auto& living = tied::Living();
    living.erase(std::remove(living.begin(), living.end(), pid_), living.end());
    pid_ = -1;
  }

  pid_t pid_ = -1;
};
