// The settings store: any registry file is taken as the per-user store (a
// damaged one is ignored with its message), every key and value of it can be
// walked, and the program's settings are read from it, every stored value
// checked. Seeds: the store the program writes with its default settings and
// with every placement and preference set.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTarget.h"
#include "platform/Registry.h"
#include "services/AppFonts.h"
#include "services/FramePlacements.h"
#include "services/Settings.h"

namespace {

// Reads every value and subkey under `key`, to the given depth.
void Walk(HKEY key, int depth) {
  char name[256];
  BYTE data[512];
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValue(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
  }
  if (depth > 8) return;
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyEx(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (RegOpenKeyEx(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      Walk(sub, depth + 1);
      RegCloseKey(sub);
    }
  }
}

std::string StorePath() {
  return std::string(std::getenv("XDG_CONFIG_HOME")) + "/quorvel/registry";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzIsolate();
  std::filesystem::create_directories(std::filesystem::path(StorePath()).parent_path());
  {
    std::ofstream out(StorePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  RegistryReloadForTests();
  Walk(HKEY_CURRENT_USER, 0);
  ProgramPreferences() = Preferences{};
  SetDefaultFontDescriptions();
  LoadProgramSettings();
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  FuzzIsolate();
  std::vector<std::string> seeds;
  for (bool everything : {false, true}) {
    std::filesystem::remove_all(std::filesystem::path(StorePath()).parent_path());
    RegistryReloadForTests();
    ForgetSettingsAsRead();
    ProgramPreferences() = Preferences{};
    SetDefaultFontDescriptions();
    if (everything) {
      for (int index = 0; index < kFramePlacementCount; ++index)
        InitWindowPlacement(FramePlacement(index), 10 * index, 20, 600 + index, 400);
      ProgramPreferences().saveInterval = 15;
      ProgramPreferences().automaticSave = 1;
    }
    SaveProgramSettings();
    std::ifstream in(StorePath(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}
