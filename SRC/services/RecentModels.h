// The four most recently opened model files, newest first, and the path of
// the last results file. Slot 1 is the newest; entries are packed from slot 1
// and the count is the number of entries before the first empty slot. Only
// files with the extension "mod" (any case) enter the list, never the
// program folder's sample (ProgramSample.h; also dropped from a stored
// list); opening a path already listed moves it to the top. An entry that
// fails to open is dropped and the later entries move up.
//
// The list is read with the settings at start-up and written at shutdown
// (registry subkey "Recent files": "N", "Results", "1" to "4"). The menu
// items that show it come with the menus, and opening an entry goes through
// the model opener that the file commands install (SetRecentModelOpener);
// until one is installed, opening refuses with a message and keeps the list.
// Paths are stored as the program holds names (platform/FileNames.h); one
// that an earlier version stored, whose file has its Windows-1252 bytes on
// disk, reads as that file.
#pragma once

#include <string>

#include "platform/Types.h"

constexpr int kRecentModelSlots = 4;
constexpr int kFirstRecentModelCommand = 323;  // 323 to 326 open slots 1 to 4

bool HasRecentModels();
// The path of slot 1, or the empty text.
std::string NewestRecentModel();
int CountRecentModels();
// The path in slot 1 to 4, or the empty text.
std::string RecentModel(int slot);
void ClearRecentModels();

void AddRecentModel(const std::string& path);

// Opens the model of a path by its extension; true when it was opened.
using RecentModelOpener = bool (*)(HWND window, const std::string& path);
void SetRecentModelOpener(RecentModelOpener opener);

bool OpenLastModel(HWND window);
bool OpenRecentModel(HWND window, int commandId);

// The starting file of the open-results command; empty when none.
std::string& LastResultsPath();

void ReadRecentModels(HKEY versionKey);
void WriteRecentModels(HKEY versionKey);
