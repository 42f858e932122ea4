// Reading and writing the program settings. Each value is queried with its
// variable's size as the buffer, so a value longer than its variable is
// never copied past it; values that the program would use as indexes, sizes
// or texts are checked before they replace the variable (a damaged store
// must not give a zero-size font or a text without its end).
//
// Writing only what changed: the writers of every settings module run once
// more with their output recorded instead of stored (a recording key is a
// tag of this module, never a registry handle), which gives the settings as
// this program would store them now, value by value. That image is compared
// with the one taken when the settings were read or last stored, and only
// the values that differ are written.
#include "services/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <vector>

#include "platform/FileNames.h"
#include "platform/Registry.h"
#include "services/AppFonts.h"
#include "services/FramePlacements.h"
#include "services/ProgramCommands.h"
#include "services/RecentModels.h"
#include "services/StartupSwitches.h"

namespace {

// The sizes a stored font may have, in tenths of a point.
constexpr std::int32_t kSmallestFontSize = 10;
constexpr std::int32_t kLargestFontSize = 720;

// The subkeys of the older layout, directly under the product key.
constexpr const char* kOldLayoutSubkeys[] = {"Preferences", "Options", "Window positions",
                                             "Recent files", "Text Printer", "Graphics Printer"};

// One value as the settings would store it: its bytes, or absent.
struct SettingValue {
  bool present = false;
  std::vector<BYTE> bytes;
  bool operator==(const SettingValue&) const = default;
};

// The settings value by value, keyed by key path and value name, in the
// order the writers wrote them, and the keys whose values are stored whole.
struct SettingsImage {
  std::vector<std::pair<std::string, std::string>> order;
  std::map<std::pair<std::string, std::string>, SettingValue> values;
  std::set<std::string> wholeKeys;

  void Put(const std::string& keyPath, const std::string& name, SettingValue value) {
    auto [entry, added] = values.try_emplace({keyPath, name}, std::move(value));
    if (added)
      order.emplace_back(keyPath, name);
    else
      entry->second = std::move(value);
  }
};

// While the writers are recorded: the recording keys (their addresses are
// the handles the writers get) with their paths, and what was written.
struct Recording {
  bool active = false;
  std::deque<char> tags;
  std::map<HKEY, std::string> keyPaths;
  SettingsImage image;
};

Recording& TheRecording() {
  static Recording recording;
  return recording;
}

// The settings as this program last read or stored them; none before the
// first read, so that a first store writes every value.
struct Baseline {
  bool taken = false;
  SettingsImage image;
};

Baseline& TheBaseline() {
  static Baseline baseline;
  return baseline;
}

HKEY RecordingKey(const std::string& path) {
  Recording& recording = TheRecording();
  recording.tags.push_back(0);
  HKEY key = reinterpret_cast<HKEY>(&recording.tags.back());
  recording.keyPaths[key] = path;
  return key;
}

// The path of a recording key, or null for any other handle.
const std::string* RecordedPath(HKEY key) {
  const Recording& recording = TheRecording();
  if (!recording.active) return nullptr;
  const auto found = recording.keyPaths.find(key);
  return found == recording.keyPaths.end() ? nullptr : &found->second;
}

std::string VersionKeyPath() {
  return std::string(kCompanyKeyPath) + "\\" + kProductKeyName + "\\" + SettingsVersionKeyName();
}

void WriteEverySetting(HKEY versionKey);

// What the writers of every module would store now.
SettingsImage CollectSettings() {
  Recording& recording = TheRecording();
  recording = Recording{};
  recording.active = true;
  WriteEverySetting(RecordingKey(VersionKeyPath()));
  SettingsImage image = std::move(recording.image);
  recording = Recording{};
  return image;
}

// Stores the values of `now` that differ from the baseline, key by key; a
// key stored whole goes with all its values when one of them differs.
void StoreDifferences(const SettingsImage& now) {
  Baseline& baseline = TheBaseline();
  auto unchanged = [&baseline](const std::pair<std::string, std::string>& entry, const SettingValue& value) {
    const auto before = baseline.image.values.find(entry);
    return before != baseline.image.values.end() ? before->second == value : !value.present;
  };
  std::set<std::string> changedWholeKeys;
  for (const auto& entry : now.order)
    if (now.wholeKeys.count(entry.first) != 0 && !unchanged(entry, now.values.at(entry)))
      changedWholeKeys.insert(entry.first);
  std::map<std::string, HKEY> keys;
  for (const auto& entry : now.order) {
    const SettingValue& value = now.values.at(entry);
    if (baseline.taken && changedWholeKeys.count(entry.first) == 0 && unchanged(entry, value)) continue;
    auto [open, added] = keys.try_emplace(entry.first, nullptr);
    if (added) open->second = RegCreateKeyChecked(HKEY_CURRENT_USER, entry.first.c_str());
    if (open->second == nullptr) continue;
    if (value.present)
      RegSetValueEx(open->second, entry.second.c_str(), 0, REG_BINARY, value.bytes.data(),
                    static_cast<DWORD>(value.bytes.size()));
    else
      RegDeleteValue(open->second, entry.second.c_str());
  }
  for (const auto& [path, key] : keys)
    if (key != nullptr) RegCloseKey(key);
  baseline.taken = true;
  baseline.image = now;
}

void ReadFont(HKEY key, const char* fontName, const char* sizeName, AppFontDescription& font) {
  LOGFONT stored = font.logFont;
  if (RegQueryValueChecked(key, fontName, &stored, sizeof stored) > 0 &&
      std::memchr(stored.lfFaceName, 0, sizeof stored.lfFaceName) != nullptr)
    font.logFont = stored;
  std::int32_t size = font.size;
  if (RegQueryInt(key, sizeName, size) && size >= kSmallestFontSize && size <= kLargestFontSize)
    font.size = size;
  font.logFont.lfHeight = FontHeightForSize(font.size);
}

void WriteFont(HKEY key, const char* fontName, const char* sizeName, const AppFontDescription& font) {
  RegSetBinaryValue(key, fontName, &font.logFont, sizeof font.logFont);
  RegSetInt(key, sizeName, font.size);
}

// A four-byte extension replaces the variable only when it ends in its zero.
void ReadExtension(HKEY key, const char* name, char (&extension)[4]) {
  char stored[4];
  std::memcpy(stored, extension, sizeof stored);
  if (RegQueryValueChecked(key, name, stored, sizeof stored) > 0 && std::memchr(stored, 0, sizeof stored))
    std::memcpy(extension, stored, sizeof stored);
}

void WriteOptionalText(HKEY key, const char* name, const std::string& text) {
  if (text.empty())
    RegDeleteValueChecked(key, name);
  else
    RegSetText(key, name, text);
}

// Removes the product key of the older layout with everything in it.
void RemoveOldLayout(HKEY company, HKEY product) {
  RegDeleteValue(product, "Version");
  for (const char* subkey : kOldLayoutSubkeys) RegDeleteKey(product, subkey);
  RegCloseKey(product);
  RegDeleteKey(company, kProductKeyName);
}

}  // namespace

Preferences& ProgramPreferences() {
  static Preferences preferences;
  return preferences;
}

DialogFolder& ModelDialogFolder() {
  static DialogFolder folder;
  return folder;
}

DialogFolder& MaterialLibraryDialogFolder() {
  static DialogFolder folder;
  return folder;
}

DialogFolder& SpectrumLibraryDialogFolder() {
  static DialogFolder folder;
  return folder;
}

DialogFolder& ValveLibraryDialogFolder() {
  static DialogFolder folder;
  return folder;
}

void SetFolderFromPath(const std::string& path, DialogFolder& folder) {
  folder = DialogFolder{};
  if (path.empty()) return;
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find_last_of('.');
  const std::size_t nameStop = dot != std::string::npos && dot >= nameStart ? dot : path.size();
  folder.folder = path.substr(0, nameStart);
  folder.folderLength = static_cast<int>(nameStart);
  folder.nameEnd = static_cast<int>(nameStop + 1);
}

HKEY RegOpenKeyChecked(HKEY parent, const char* name) {
  HKEY key = nullptr;
  if (parent == nullptr || RegOpenKeyEx(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

HKEY RegCreateKeyChecked(HKEY parent, const char* name) {
  if (const std::string* path = RecordedPath(parent)) return RecordingKey(*path + "\\" + name);
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (parent == nullptr ||
      RegCreateKeyEx(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                     &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

std::size_t RegQueryValueChecked(HKEY key, const char* name, void* buffer, std::size_t capacity) {
  if (key == nullptr) return 0;
  DWORD size = static_cast<DWORD>(capacity);
  if (RegQueryValueEx(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return 0;
  return size;
}

void RegSetBinaryValue(HKEY key, const char* name, const void* bytes, std::size_t length) {
  if (key == nullptr) return;
  if (const std::string* path = RecordedPath(key)) {
    const auto* first = static_cast<const BYTE*>(bytes);
    TheRecording().image.Put(*path, name, SettingValue{true, std::vector<BYTE>(first, first + length)});
    return;
  }
  RegSetValueEx(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), static_cast<DWORD>(length));
}

void RegStoreKeyWhole(HKEY key) {
  if (const std::string* path = RecordedPath(key)) TheRecording().image.wholeKeys.insert(*path);
}

void RegDeleteValueChecked(HKEY key, const char* name) {
  if (key == nullptr) return;
  if (const std::string* path = RecordedPath(key)) {
    TheRecording().image.Put(*path, name, SettingValue{});
    return;
  }
  RegDeleteValue(key, name);
}

bool RegQueryInt(HKEY key, const char* name, std::int32_t& value) {
  BYTE bytes[4];
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(bits >> (8 * i));
  if (RegQueryValueChecked(key, name, bytes, sizeof bytes) == 0) return false;
  std::uint32_t read = 0;
  for (int i = 0; i < 4; ++i) read |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  value = static_cast<std::int32_t>(read);
  return true;
}

bool RegQueryFlag(HKEY key, const char* name, std::uint8_t& value) {
  return RegQueryValueChecked(key, name, &value, 1) > 0;
}

bool RegQueryFloat(HKEY key, const char* name, float& value) {
  std::int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if (!RegQueryInt(key, name, bits)) return false;
  std::memcpy(&value, &bits, sizeof bits);
  return true;
}

void RegSetInt(HKEY key, const char* name, std::int32_t value) {
  BYTE bytes[4];
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(bits >> (8 * i));
  RegSetBinaryValue(key, name, bytes, sizeof bytes);
}

void RegSetFlag(HKEY key, const char* name, std::uint8_t value) { RegSetBinaryValue(key, name, &value, 1); }

void RegSetFloat(HKEY key, const char* name, float value) {
  std::int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  RegSetInt(key, name, bits);
}

bool RegQueryText(HKEY key, const char* name, std::string& text) {
  // A path is read whole, however long (a name of characters the program's
  // text cannot hold takes three bytes for each of its own); no longer than
  // a path can be.
  DWORD size = 0;
  if (key == nullptr || RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
  std::vector<char> buffer(std::clamp<std::size_t>(size, 1, platform::kFileNameBufferSize));
  const std::size_t read = RegQueryValueChecked(key, name, buffer.data(), buffer.size());
  if (read == 0) return false;
  const void* zero = std::memchr(buffer.data(), 0, read);
  text.assign(buffer.data(), zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer.data()) : read);
  return true;
}

void RegSetText(HKEY key, const char* name, const std::string& text) {
  RegSetBinaryValue(key, name, text.c_str(), std::strlen(text.c_str()) + 1);
}

std::string SettingsVersionKeyName() {
  char name[32];
  std::snprintf(name, sizeof name, "%.2f%s", kProgramVersion, ManualMode ? "Manual" : "");
  return name;
}

void ReadPreferences(HKEY versionKey) {
  HKEY key = RegOpenKeyChecked(versionKey, "Preferences");
  if (key == nullptr) return;
  Preferences& p = ProgramPreferences();
  RegQueryFlag(key, "Show toolbar", p.showToolbar);
  RegQueryFlag(key, "Large toolbar buttons", p.largeToolbarButtons);
  ReadFont(key, "Text font", "Text font size", TextFontDescription());
  ReadFont(key, "Graphics font", "Graphics font size", GraphicsFontDescription());
  RegQueryFlag(key, "White background", p.whiteBackground);
  RegQueryFlag(key, "Create backup", p.createBackup);
  RegQueryFlag(key, "Automatic save", p.automaticSave);
  RegQueryInt(key, "Save interval", p.saveInterval);
  RegQueryFlag(key, "Automatic renumbering of nodes", p.automaticRenumbering);
  RegQueryInt(key, "Starting node number", p.startingNodeNumber);
  if (p.saveInterval < 0) p.saveInterval = 0;
  if (p.saveInterval > 120) p.saveInterval = 120;
  if (p.startingNodeNumber < 0 || p.startingNodeNumber > 99999) p.startingNodeNumber = 10;
  RegQueryText(key, "Backup directory", p.backupDirectory);
  RegQueryText(key, "Material library path", p.materialLibraryPath);
  RegQueryText(key, "Spectrum library path", p.spectrumLibraryPath);
  RegQueryText(key, "Valve Library path", p.valveLibraryPath);
  // Names stored by earlier versions are read as the files they named.
  for (std::string* path : {&p.backupDirectory, &p.materialLibraryPath, &p.spectrumLibraryPath, &p.valveLibraryPath})
    *path = platform::ProgramNameOfStoredName(*path);
  ReadExtension(key, "Graphics file ext", p.graphicsFileExt);
  ReadExtension(key, "Print file ext", p.printFileExt);
  RegQueryFlag(key, "Disable graphic editing", p.disableGraphicEditing);
  RegCloseKey(key);
}

void WritePreferences(HKEY versionKey) {
  HKEY key = RegCreateKeyChecked(versionKey, "Preferences");
  if (key == nullptr) return;
  const Preferences& p = ProgramPreferences();
  RegSetFlag(key, "Show toolbar", p.showToolbar);
  RegSetFlag(key, "Large toolbar buttons", p.largeToolbarButtons);
  WriteFont(key, "Text font", "Text font size", TextFontDescription());
  WriteFont(key, "Graphics font", "Graphics font size", GraphicsFontDescription());
  RegSetFlag(key, "White background", p.whiteBackground);
  RegSetFlag(key, "Create backup", p.createBackup);
  RegSetFlag(key, "Automatic save", p.automaticSave);
  RegSetInt(key, "Save interval", p.saveInterval);
  RegSetFlag(key, "Automatic renumbering of nodes", p.automaticRenumbering);
  RegSetInt(key, "Starting node number", p.startingNodeNumber);
  WriteOptionalText(key, "Backup directory", p.backupDirectory);
  WriteOptionalText(key, "Material library path", p.materialLibraryPath);
  WriteOptionalText(key, "Spectrum library path", p.spectrumLibraryPath);
  WriteOptionalText(key, "Valve Library path", p.valveLibraryPath);
  RegSetBinaryValue(key, "Graphics file ext", p.graphicsFileExt, sizeof p.graphicsFileExt);
  RegSetBinaryValue(key, "Print file ext", p.printFileExt, sizeof p.printFileExt);
  RegSetFlag(key, "Disable graphic editing", p.disableGraphicEditing);
  RegCloseKey(key);
}

namespace {

void ReadStoredSettings() {
  HKEY company = RegOpenKeyChecked(HKEY_CURRENT_USER, kCompanyKeyPath);
  if (company == nullptr) return;
  HKEY product = RegOpenKeyChecked(company, kProductKeyName);
  if (product == nullptr) {
    RegCloseKey(company);
    return;
  }
  DWORD size = 0;
  if (RegQueryValueEx(product, "Version", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    RemoveOldLayout(company, product);
    RegCloseKey(company);
    return;
  }
  if (HKEY version = RegOpenKeyChecked(product, SettingsVersionKeyName().c_str())) {
    ReadPreferences(version);
    if (ProgramCommands().readStoredOptions != nullptr) ProgramCommands().readStoredOptions(version);
    LoadFramePlacements(version);
    ReadRecentModels(version);
    if (ProgramCommands().readStoredPrinters != nullptr) ProgramCommands().readStoredPrinters(version);
    const Preferences& p = ProgramPreferences();
    SetFolderFromPath(NewestRecentModel(), ModelDialogFolder());
    SetFolderFromPath(p.materialLibraryPath, MaterialLibraryDialogFolder());
    SetFolderFromPath(p.spectrumLibraryPath, SpectrumLibraryDialogFolder());
    SetFolderFromPath(p.valveLibraryPath, ValveLibraryDialogFolder());
    RegCloseKey(version);
  }
  RegCloseKey(product);
  RegCloseKey(company);
}

void WriteEverySetting(HKEY version) {
  WritePreferences(version);
  if (ProgramCommands().writeStoredOptions != nullptr) ProgramCommands().writeStoredOptions(version);
  SaveFramePlacements(version);
  WriteRecentModels(version);
  if (ProgramCommands().writeStoredPrinters != nullptr) ProgramCommands().writeStoredPrinters(version);
}

}  // namespace

void LoadProgramSettings() {
  ReadStoredSettings();
  // What was read (or the defaults that stand for what was not) is what
  // this program has not changed.
  TheBaseline().image = CollectSettings();
  TheBaseline().taken = true;
}

void SaveProgramSettings() { StoreDifferences(CollectSettings()); }

void ForgetSettingsAsRead() { TheBaseline() = Baseline{}; }
