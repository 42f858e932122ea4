// Temporaries beside a file being replaced (see SiblingTemporary.h).
#include "platform/SiblingTemporary.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/FileNames.h"

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

constexpr char kSuffix[] = ".quorvel-part";
constexpr std::size_t kRandomLength = 6;

// The characters mkstemp puts in place of the X's.
bool IsRandomCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The longest name the folder takes.
std::size_t LongestName(const std::string& diskFolder) {
  const long longest = pathconf(diskFolder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<std::size_t>(longest) : 255;
}

// The part of the target's name its temporaries begin with: the whole name,
// or as much of it as leaves room for the rest (cut between characters), so
// that a target whose name the folder takes can always be replaced.
std::string TemporaryStem(const std::string& name, const std::string& diskFolder) {
  const std::size_t room = 1 + kRandomLength + (sizeof kSuffix - 1);
  const std::size_t longest = LongestName(diskFolder);
  if (name.size() + room <= longest) return name;
  std::size_t cut = longest > room ? longest - room : 0;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

// True for "<name>.XXXXXX.quorvel-part" with six random characters.
bool IsTemporaryName(const std::string& entry, const std::string& name) {
  const std::size_t suffixLength = sizeof kSuffix - 1;
  if (entry.size() != name.size() + 1 + kRandomLength + suffixLength) return false;
  if (entry.compare(0, name.size(), name) != 0 || entry[name.size()] != '.') return false;
  for (std::size_t at = name.size() + 1; at < name.size() + 1 + kRandomLength; ++at)
    if (!IsRandomCharacter(entry[at])) return false;
  return entry.compare(entry.size() - suffixLength, suffixLength, kSuffix) == 0;
}


bool SyncFolderOfDiskName(const std::string& diskPath) {
  const int folder = open(FolderOf(diskPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return false;
  const bool synced = fsync(folder) == 0;
  close(folder);
  return synced;
}

}  // namespace

SiblingTemporary::SiblingTemporary(const std::string& target, mode_t mode)
    : diskTarget_(ToFileSystemName(target)) {
  const std::string name = std::filesystem::path(diskTarget_).filename().string();
  std::string diskPattern = diskTarget_.substr(0, diskTarget_.size() - name.size()) +
                            TemporaryStem(name, FolderOf(diskTarget_)) + "." +
                            std::string(kRandomLength, 'X') + kSuffix;
  const int fd = mkostemps(diskPattern.data(), sizeof kSuffix - 1, O_CLOEXEC);
  if (fd < 0) return;
  // Locked before anything is written; a cleaner that finds it between the
  // two calls sees an empty, unlocked file and may remove it, which only
  // makes this save fail at the rename (never another file lost).
  if (flock(fd, LOCK_EX) != 0 || fchmod(fd, mode) != 0) {
    unlink(diskPattern.c_str());
    close(fd);
    return;
  }
  fd_ = fd;
  path_ = FromFileSystemName(diskPattern);
  diskPath_ = std::move(diskPattern);
}

SiblingTemporary::~SiblingTemporary() {
  if (fd_ < 0) return;
  unlink(diskPath_.c_str());
  close(fd_);
}

bool SiblingTemporary::Write(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const ssize_t wrote = write(fd_, bytes.data() + at, bytes.size() - at);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    at += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool SiblingTemporary::Commit() {
  if (fd_ < 0) return false;
  // fsync works on the file, whichever descriptor wrote the bytes.
  const bool done = fsync(fd_) == 0 && std::rename(diskPath_.c_str(), diskTarget_.c_str()) == 0;
  if (!done) unlink(diskPath_.c_str());
  close(fd_);
  fd_ = -1;
  // The file is in place either way; a folder that cannot be synced (some
  // network file systems) only loses the guarantee across a power cut.
  if (done) SyncFolderOfDiskName(diskTarget_);
  return done;
}

void SiblingTemporary::Abandon() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
}

void RemoveStaleTemporaries(const std::string& target) {
  const std::string diskTarget = ToFileSystemName(target);
  const std::string diskFolder = FolderOf(diskTarget);
  const std::string name = TemporaryStem(std::filesystem::path(diskTarget).filename().string(), diskFolder);
  DIR* listing = opendir(diskFolder.c_str());
  if (listing == nullptr) return;
  const int folderFd = dirfd(listing);
  while (const dirent* entry = readdir(listing)) {
    if (!IsTemporaryName(entry->d_name, name)) continue;
    const int fd = openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat status {};
    // Held while its writer lives: only a dead writer's file comes free.
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid() &&
        flock(fd, LOCK_EX | LOCK_NB) == 0)
      unlinkat(folderFd, entry->d_name, 0);
    close(fd);
  }
  closedir(listing);
}

bool SyncFolderOf(const std::string& path) { return SyncFolderOfDiskName(ToFileSystemName(path)); }

}  // namespace platform
