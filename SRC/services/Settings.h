// The program's settings per user, kept in the registry under one key per
// program version: "Software\TVQ Systems\Quorvel\<version>", the version
// printed "%.2f" ("9.00"), followed by "Manual" in manual mode. Below it:
// "Preferences" (this module), "Options" (the default analysis options),
// "Window positions", "Recent files", "Text Printer" and "Graphics Printer".
// Every value is REG_BINARY holding the bytes of its variable.
//
// Settings are read once at start-up (LoadProgramSettings). A change reaches
// the store when it is made: the main loop stores what changed whenever it
// has handled what was waiting (SaveProgramSettings), and the shutdown does
// once more, so a crash loses no choice already made. Only the values this
// program changed since it read or last stored them are written: another
// program sharing the store keeps what it stored meanwhile, and the registry
// writes each change atomically. A product key of the older layout (with
// a "Version" value) is removed at start-up and the program starts with its
// defaults. Registry failures are silent: an absent, unreadable or out-of-
// range value keeps the variable's value; a key that cannot be created skips
// what lies below it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Types.h"

constexpr double kProgramVersion = 9.0;
constexpr const char* kCompanyKeyPath = "Software\\TVQ Systems";
constexpr const char* kProductKeyName = "Quorvel";

// The preferences: toolbars, backup and automatic save, node renumbering,
// the library paths and the default output extensions. The two fonts are
// kept by the fonts module (AppFonts.h). An empty text is an unset one.
struct Preferences {
  std::uint8_t showToolbar = 1;
  std::uint8_t largeToolbarButtons = 1;
  std::uint8_t whiteBackground = 0;
  std::uint8_t createBackup = 0;
  std::uint8_t automaticSave = 0;
  std::int32_t saveInterval = 0;  // minutes, 0 to 120
  std::uint8_t automaticRenumbering = 0;
  std::int32_t startingNodeNumber = 0;  // 0 to 99999
  std::string backupDirectory;
  std::string materialLibraryPath;
  std::string spectrumLibraryPath;
  std::string valveLibraryPath;
  char graphicsFileExt[4] = "emf";
  char printFileExt[4] = "txt";
  std::uint8_t disableGraphicEditing = 0;
};

Preferences& ProgramPreferences();

// The starting folder of a file dialog, split from a path: the folder with
// its last separator, its length, and where the file name ends (the length
// plus the name's length plus 1, the position of the extension).
struct DialogFolder {
  std::string folder;
  int folderLength = 0;
  int nameEnd = 0;
};

DialogFolder& ModelDialogFolder();
DialogFolder& MaterialLibraryDialogFolder();
DialogFolder& SpectrumLibraryDialogFolder();
DialogFolder& ValveLibraryDialogFolder();

// Splits a path ('/' and '\' both end the folder); an empty path gives the
// empty folder and zeros.
void SetFolderFromPath(const std::string& path, DialogFolder& folder);

// Registry access as every settings module uses it. The key functions return
// the key or null; the query returns the bytes read into the buffer, 0 when
// the value is absent, unreadable or larger than the buffer.
HKEY RegOpenKeyChecked(HKEY parent, const char* name);
HKEY RegCreateKeyChecked(HKEY parent, const char* name);
std::size_t RegQueryValueChecked(HKEY key, const char* name, void* buffer /* output of size capacity */,
                                 std::size_t capacity);
void RegSetBinaryValue(HKEY key, const char* name, const void* bytes /* input of size length */,
                       std::size_t length);
void RegDeleteValueChecked(HKEY key, const char* name);
// The values a writer stores under `key` are one record, which its reader
// takes only whole: when any of them changed, all of them are stored.
void RegStoreKeyWhole(HKEY key);

// Little-endian fields through the registry: a value shorter than its field
// replaces only the bytes it holds.
bool RegQueryInt(HKEY key, const char* name, std::int32_t& value);
bool RegQueryFlag(HKEY key, const char* name, std::uint8_t& value);
bool RegQueryFloat(HKEY key, const char* name, float& value);
void RegSetInt(HKEY key, const char* name, std::int32_t value);
void RegSetFlag(HKEY key, const char* name, std::uint8_t value);
void RegSetFloat(HKEY key, const char* name, float value);
// A text value with its terminating zero (a path, at most
// platform::kFileNameBufferSize bytes).
bool RegQueryText(HKEY key, const char* name, std::string& text);
void RegSetText(HKEY key, const char* name, const std::string& text);

// The name of the version subkey: "9.00", or "9.00Manual" in manual mode.
std::string SettingsVersionKeyName();

// Reads every module's settings and takes them as this program's starting
// point.
void LoadProgramSettings();
// Stores the values that changed since they were read or last stored (with
// the rest of their key when it is stored whole); every value when they were
// never read.
void SaveProgramSettings();
// Forgets what was read, so that the next store writes every value (tests
// that start from an empty store).
void ForgetSettingsAsRead();
void ReadPreferences(HKEY versionKey);
void WritePreferences(HKEY versionKey);
