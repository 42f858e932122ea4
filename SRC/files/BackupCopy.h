// The backup folder and the backup copy kept when a model is saved.
//
// The backup folder holds the backup copies and the automatic saves
// (AutoSave.h): the folder chosen in the preferences, or, when none is
// chosen ("< Default >"), the program's default folder, "backup" in the
// program's per-user folder ($XDG_CONFIG_HOME/quorvel/backup/, else
// ~/.config/quorvel/backup/), made when first needed.
//
// With "Make backup copy" on, saving over an existing model file first
// copies that file to "<model file name>.bak" in the backup folder (e.g.
// pipe.mod.bak), replacing the previous backup; the copy is written to a
// temporary name and renamed, so a failed copy never spoils the backup that
// was there. The name never ends in ".mod", so a backup never overwrites a
// model. Models of the same name in different folders share one backup
// name in a common backup folder. When the copy cannot be made the user is
// asked whether to save without it; No leaves the model file as it was.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Types.h"

constexpr const char* kBackupExtension = ".bak";

// Writes `target` by way of a temporary file beside it ("<target>.XXXXXX",
// its folder made when missing): `write` fills the temporary and says
// whether every byte went; the bytes then reach the disk and the temporary
// is renamed over the target. On any failure the temporary is removed and
// the target is as it was.
bool WriteThroughTemporary(const std::string& target, const std::function<bool(const std::string&)>& write);

// Both end with '/'.
std::string DefaultBackupFolder();
std::string BackupFolder();
std::string BackupCopyPath(const std::string& modelPath);

// Before a save replaces `path`: keeps its backup copy when the preference
// asks for one and the file exists. False when the copy failed and the user
// chose not to save.
bool KeepBackupCopy(HWND owner, const std::string& path);

// The save of the open model to `path` by File > Save and Save As: the
// backup copy, the model file, and the automatic save deleted. The empty
// text when written, the failure's message, or nothing when the user chose
// not to save.
std::optional<std::string> SaveModelFileWithBackup(HWND owner, const std::string& path);
