// The backup folder and the backup copy (see BackupCopy.h).
#include "files/BackupCopy.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "files/AutoSave.h"
#include "files/ModelFile.h"
#include "model/EditSteps.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Registry.h"
#include "platform/SiblingTemporary.h"
#include "services/Message.h"
#include "services/Settings.h"

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string FileName(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

bool WriteThroughTemporary(const std::string& target, const std::function<bool(const std::string&)>& write) {
  std::error_code error;
  fs::create_directories(platform::FileSystemPath(fs::path(target).parent_path().string()), error);
  platform::RemoveStaleTemporaries(target);
  platform::SiblingTemporary temporary(target, 0600);
  // The writer opens the temporary by its name: the bytes reach the file the
  // commit syncs and renames.
  return temporary.ok() && write(temporary.path()) && temporary.Commit();
}

std::string DefaultBackupFolder() {
  return WithSlash((fs::path(RegistryFilePath()).parent_path() / "backup").string());
}

std::string BackupFolder() {
  const std::string& chosen = ProgramPreferences().backupDirectory;
  return chosen.empty() ? DefaultBackupFolder() : WithSlash(chosen);
}

std::string BackupCopyPath(const std::string& modelPath) {
  return BackupFolder() + FileName(modelPath) + kBackupExtension;
}

bool KeepBackupCopy(HWND owner, const std::string& path) {
  if (ProgramPreferences().createBackup == 0 || !platform::IsRegularFile(path)) return true;
  const std::string backup = BackupCopyPath(path);
  const bool copied = WriteThroughTemporary(backup, [&path](const std::string& temporary) {
    std::error_code error;
    return fs::copy_file(platform::FileSystemPath(path), platform::FileSystemPath(temporary),
                         fs::copy_options::overwrite_existing, error) &&
           !error;
  });
  if (copied) return true;
  return MessageBoxDialog(owner, "Unable to make the backup copy:\n" + backup + "\nDo you want to save without it ?",
                          IDNO);
}

std::optional<std::string> SaveModelFileWithBackup(HWND owner, const std::string& path) {
  // What the save's own action entered first (a line of a list) stands or
  // is refused before it is written.
  if (!SettleActionSoFar(owner)) return std::nullopt;
  // Nothing of a refused save is written, not even its backup copy.
  if (std::string refusal = ModelPathRefusal(path); !refusal.empty()) return refusal;
  if (!KeepBackupCopy(owner, path)) return std::nullopt;
  std::string failure = WriteModelFile(path);
  if (failure.empty()) RemoveAutomaticSave();
  return failure;
}
