// See FuzzTarget.h: the private folder every target works in.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "application/ProgramCommandsSetup.h"

namespace {

std::string& Root() {
  static std::string root;
  return root;
}

void RemoveRoot() {
  std::error_code ignored;
  if (!Root().empty()) std::filesystem::remove_all(Root(), ignored);
}

}  // namespace

void FuzzIsolate() {
  if (!Root().empty()) return;
  InstallProgramCommands();
  char pattern[] = "/tmp/quorvel-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("cannot create the fuzzing folder");
    std::exit(2);
  }
  Root() = pattern;
  for (const char* sub : {"home", "config", "tmp"}) std::filesystem::create_directories(Root() + "/" + sub);
  setenv("HOME", (Root() + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (Root() + "/config").c_str(), 1);
  setenv("TMPDIR", (Root() + "/tmp").c_str(), 1);
  setenv("QUORVEL_DISPLAY", "headless", 1);
  std::atexit(RemoveRoot);
}

std::string FuzzWriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  FuzzIsolate();
  const std::string path = Root() + "/tmp/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

// libFuzzer calls this once before the first input, and so does the seed
// driver. Every target links this file's object (CMakeLists.txt), so both
// find it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzIsolate();
  return 0;
}
