// Replacing a file whole: the new bytes go to a temporary file beside the
// target, reach the disk, and are renamed over the target, after which the
// folder itself is synced so that the rename survives a power cut. A crash
// at any point leaves either the old file or the new one.
//
// A save killed half way leaves its temporary behind. Each temporary is
// named "<target>.XXXXXX.quorvel-part" (six random characters; the target's
// name cut short where the whole would be longer than the folder takes,
// RemoveStaleTemporaries cutting it alike) and holds an
// exclusive lock (flock) for as long as its writer lives, so a later save or
// start can tell a dead writer's leftovers from a live writer's file:
// RemoveStaleTemporaries removes only names of that form that nobody locks.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace platform {

class SiblingTemporary {
 public:
  // Creates and locks the temporary with the given permissions; ok() says
  // whether that worked.
  SiblingTemporary(const std::string& target, mode_t mode);
  ~SiblingTemporary();
  SiblingTemporary(const SiblingTemporary&) = delete;
  SiblingTemporary& operator=(const SiblingTemporary&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // The temporary's name, as the program holds names (FileNames.h).
  const std::string& path() const { return path_; }

  // Writes all of `bytes` after what is written, however the system splits
  // the write; false when it could not.
  bool Write(std::string_view bytes);
  // Syncs the written bytes, renames the temporary over the target and syncs
  // the folder; false (and the temporary removed) when the bytes could not
  // be synced or renamed.
  bool Commit();
  // Leaves the temporary as a crash would: unlocked and in place.
  void Abandon();

 private:
  // The target's and the temporary's names in the disk's bytes, and the
  // temporary's as the program holds it.
  std::string diskTarget_, diskPath_, path_;
  int fd_ = -1;
};

// Removes the temporaries of `target` that no living writer holds.
void RemoveStaleTemporaries(const std::string& target);

// Syncs the folder that holds `path`, so that a rename into it is durable.
bool SyncFolderOf(const std::string& path);

}  // namespace platform
