// Temporary files: analysis work files and undo snapshots. Each is created
// with a unique name in the temporary folder ($TMPDIR, else /tmp), starting
// with the caller's prefix, and is created empty at once so that no other
// process can take the name between choosing and opening it.
//
// Every live name is kept in one list. A name goes away when its owner
// deletes it (TempFile does so when it is destroyed); whatever is left is
// deleted by DeleteAllTempFiles, which shutdown calls, and by an exit handler
// installed with the first file, so an early exit leaves nothing behind.
// The list has its own lock: the analysis thread makes work files while the
// GUI thread makes snapshots.
#pragma once

#include <string>

// $TMPDIR when it is set and not empty, else /tmp.
std::string TempFolder();

// Creates a new empty file and returns its path, or the empty text when the
// folder refused. The prefix must not contain '/'.
std::string CreateTempFile(const std::string& prefix);
// Deletes the file and forgets the name; a name not made here is ignored.
void DeleteTempFile(const std::string& path);
// Deletes every file still live.
void DeleteAllTempFiles();
int CountLiveTempFiles();

// Owns one temporary file and deletes it when it goes away.
class TempFile {
 public:
  explicit TempFile(const std::string& prefix);
  ~TempFile();
  TempFile(TempFile&& other) noexcept;
  TempFile& operator=(TempFile&& other) noexcept;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& Path() const { return path_; }
  bool IsValid() const { return !path_.empty(); }

 private:
  std::string path_;
};
