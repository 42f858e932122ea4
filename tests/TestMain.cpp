// The main of every test executable. Each test process gets its own HOME,
// XDG_CONFIG_HOME and TMPDIR under a fresh folder in the temporary folder it
// was given ($TMPDIR, else /tmp), so no test touches the real home or config
// folder, and the folder is removed when the process ends.
// Tests run headless unless a test starts its own X server.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#ifdef QUORVEL_PROGRAM_TESTS
#include "application/ProgramCommandsSetup.h"
#endif

namespace {

class IsolatedEnvironment : public testing::Environment {
 public:
  IsolatedEnvironment() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quorvel-test-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr) {
      std::fprintf(stderr, "cannot create the test folder: %s\n", std::strerror(errno));
      std::exit(2);
    }
    root_ = made;
    owner_ = getpid();
    for (const char* sub : {"home", "config", "tmp"})
      std::filesystem::create_directories(root_ / sub);
    setenv("HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    setenv("QUORVEL_DISPLAY", "headless", 1);
  }
  // A death test's child exits through here too: only the process that made
  // the folder removes it.
  ~IsolatedEnvironment() override {
    if (getpid() != owner_) return;
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::filesystem::path root_;
  pid_t owner_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef QUORVEL_PROGRAM_TESTS
  InstallProgramCommands();
#endif
  testing::AddGlobalTestEnvironment(new IsolatedEnvironment);  // gtest owns it
  return RUN_ALL_TESTS();
}
