// The list of live temporary files. The exit handler is installed after the
// list exists, so it runs while the list is still alive.
#include "services/TempFiles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

#include "platform/FileNames.h"

namespace {

struct LiveFiles {
  std::mutex mutex;
  std::set<std::string> paths;
};

void DeleteAllAtExit() { DeleteAllTempFiles(); }

LiveFiles& Live() {
  static LiveFiles live;
  static std::once_flag installed;
  std::call_once(installed, [] { std::atexit(DeleteAllAtExit); });
  return live;
}

}  // namespace

std::string TempFolder() {
  const std::string folder = platform::FolderFromEnvironment("TMPDIR");
  return !folder.empty() ? folder : "/tmp";
}

std::string CreateTempFile(const std::string& prefix) {
  if (prefix.find('/') != std::string::npos) return "";
  std::string path = TempFolder();
  if (path.back() != '/') path += '/';
  std::string diskPath = platform::ToFileSystemName(path + prefix + "XXXXXX");
  LiveFiles& live = Live();
  std::lock_guard lock(live.mutex);
  const int fd = mkstemp(diskPath.data());
  if (fd < 0) return "";
  ::close(fd);
  path = platform::FromFileSystemName(diskPath);
  live.paths.insert(path);
  return path;
}

void DeleteTempFile(const std::string& path) {
  LiveFiles& live = Live();
  std::lock_guard lock(live.mutex);
  if (live.paths.erase(path) != 0) platform::RemoveFile(path);
}

void DeleteAllTempFiles() {
  LiveFiles& live = Live();
  std::lock_guard lock(live.mutex);
  for (const std::string& path : live.paths) platform::RemoveFile(path);
  live.paths.clear();
}

int CountLiveTempFiles() {
  LiveFiles& live = Live();
  std::lock_guard lock(live.mutex);
  return static_cast<int>(live.paths.size());
}

TempFile::TempFile(const std::string& prefix) : path_(CreateTempFile(prefix)) {}

TempFile::~TempFile() {
  if (!path_.empty()) DeleteTempFile(path_);
}

TempFile::TempFile(TempFile&& other) noexcept : path_(std::exchange(other.path_, {})) {}

TempFile& TempFile::operator=(TempFile&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) DeleteTempFile(path_);
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}
