// The recent-models list. Slots are kept packed, so removing or moving an
// entry is a rotation of the array.
#include "services/RecentModels.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "platform/FileNames.h"
#include "platform/Registry.h"
#include "services/Assert.h"
#include "services/ProgramSample.h"
#include "services/Settings.h"

namespace {

struct RecentList {
  std::array<std::string, kRecentModelSlots> slots;
  std::string lastResults;
  RecentModelOpener opener = nullptr;
};

RecentList& List() {
  static RecentList list;
  return list;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The extension after the last dot of the file name; either separator ends
// the folder.
std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

// Drops slot `index` (0-based); later entries move up and the last slot
// becomes empty.
void RemoveSlot(int index) {
  auto& slots = List().slots;
  std::rotate(slots.begin() + index, slots.begin() + index + 1, slots.end());
  slots.back().clear();
}

bool OpenSlot(HWND window, int index) {
  const std::string path = List().slots[static_cast<std::size_t>(index)];
  if (path.empty()) return false;
  // The file commands install the opener as the program starts; before
  // that there is nothing to open with.
  if (List().opener == nullptr) return false;
  if (List().opener(window, path)) return true;
  RemoveSlot(index);
  return false;
}

}  // namespace

bool HasRecentModels() { return !List().slots[0].empty(); }

std::string NewestRecentModel() { return List().slots[0]; }

int CountRecentModels() {
  int count = 0;
  while (count < kRecentModelSlots && !List().slots[static_cast<std::size_t>(count)].empty()) ++count;
  return count;
}

std::string RecentModel(int slot) {
  if (slot < 1 || slot > kRecentModelSlots) return "";
  return List().slots[static_cast<std::size_t>(slot - 1)];
}

void ClearRecentModels() {
  for (std::string& slot : List().slots) slot.clear();
  List().lastResults.clear();
}

void AddRecentModel(const std::string& path) {
  const char* file_path = path.c_str();
  QV_ASSERT(file_path[0]);
  if (!SameTextIgnoringCase(Extension(path), "mod") || IsProgramSample(path)) return;
  auto& slots = List().slots;
  int listed = -1;
  for (int i = 0; i < kRecentModelSlots && listed < 0; ++i)
    if (SameTextIgnoringCase(slots[static_cast<std::size_t>(i)], path)) listed = i;
  if (listed == 0) return;
  // The listed entry, or else the oldest slot, comes to the top and the
  // slots above it move down one.
  const int moved = listed > 0 ? listed : kRecentModelSlots - 1;
  std::rotate(slots.begin(), slots.begin() + moved, slots.begin() + moved + 1);
  if (listed < 0) slots[0] = path;
}

void SetRecentModelOpener(RecentModelOpener opener) { List().opener = opener; }

bool OpenLastModel(HWND window) { return OpenSlot(window, 0); }

bool OpenRecentModel(HWND window, int commandId) {
  const int index = commandId - kFirstRecentModelCommand;
  if (index < 0 || index >= kRecentModelSlots) return false;
  return OpenSlot(window, index);
}

std::string& LastResultsPath() { return List().lastResults; }

void ReadRecentModels(HKEY versionKey) {
  HKEY key = RegOpenKeyChecked(versionKey, "Recent files");
  if (key == nullptr) return;
  std::int32_t count = 0;
  RegQueryInt(key, "N", count);
  // Names stored by earlier versions are read as the files they named.
  std::string results;
  if (RegQueryText(key, "Results", results) && !results.empty() &&
      platform::FileExists(results = platform::ProgramNameOfStoredName(results)))
    List().lastResults = results;
  else
    List().lastResults.clear();
  for (std::string& slot : List().slots) slot.clear();
  count = std::clamp(count, 0, kRecentModelSlots);
  std::size_t taken = 0;
  for (int i = 1; i <= count; ++i) {
    std::string path;
    // Entries stay packed: a missing or empty entry ends the list.
    if (!RegQueryText(key, std::to_string(i).c_str(), path) || path.empty()) break;
    path = platform::ProgramNameOfStoredName(path);
    // Earlier versions listed the sample the first run opened.
    if (!IsProgramSample(path)) List().slots[taken++] = path;
  }
  RegCloseKey(key);
}

void WriteRecentModels(HKEY versionKey) {
  HKEY key = RegCreateKeyChecked(versionKey, "Recent files");
  if (key == nullptr) return;
  const int count = CountRecentModels();
  RegSetInt(key, "N", count);
  RegSetText(key, "Results", List().lastResults);
  for (int i = 1; i <= count; ++i)
    RegSetText(key, std::to_string(i).c_str(), List().slots[static_cast<std::size_t>(i - 1)]);
  for (int i = count + 1; i <= kRecentModelSlots; ++i) RegDeleteValueChecked(key, std::to_string(i).c_str());
  RegCloseKey(key);
}
