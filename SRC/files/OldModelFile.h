// Model files of the older format (header "QUORVEL.MOD" with a 16-bit
// version x 100) are converted into the current model on open; nothing is
// ever written in that format.
//
// The open command asks first (AskConvertOldModel); the converted model
// keeps its path, and its first save over that path copies the old file
// aside (BackupOldModelFile, extension = the old version number) before the
// file is overwritten, then tells the user where the old file went
// (ReportModelConversion).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

// The old version (e.g. 400) when the file at `path` starts with the old
// magic; 0 for any other file or one that cannot be read.
int OldModelFileVersion(const std::string& path);

// Converts the old-format file at `path` into `model` (a fresh model made
// here); throws the message text when it cannot. Versions 400 and later are
// the newer old layout; the older layout is read from version 370 on. An
// option that a model file holds only within a range, outside it in the old
// file, keeps the new model's value rather than refuse the model: each one
// appends a note to `notes` ("Analysis options: cut off frequency 0 out of
// range 1 to 2147483647: 33 taken"); so does a text that fills its old
// field to the end without a terminator, cut to the characters the model
// file keeps ("Pump name ... has 16 characters, more than the 15 a model
// keeps: ... taken").
void ConvertOldModelFile(const std::string& path, Model& model, std::vector<std::string>* notes = nullptr);

// The question before a conversion; true when the user answers Yes.
bool AskConvertOldModel(HWND owner, const std::string& path, int version);
// Copies `path` to the same name with the version as its extension; false
// when the copy failed. Remembers the copy's path for the report.
bool BackupOldModelFile(const std::string& path, int version);
// Tells the user the model was converted and where the old file is.
void ReportModelConversion(HWND owner);
// The path BackupOldModelFile would use.
std::string OldModelBackupPath(const std::string& path, int version);

// The converted model whose first save must keep the old file: set by the
// open command, taken (and cleared) by the save of that path.
void RememberConvertedModel(const std::string& path, int version);
void ForgetConvertedModel();
// The old version when `path` is the remembered converted model, else 0.
int ConvertedModelVersion(const std::string& path);
