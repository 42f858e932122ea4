// Shared set-up of the settings tests: an empty registry store and every
// program-wide settings record back at its start-up value, and small helpers
// that write and read raw registry values by path.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/Registry.h"
#include "records/AnalysisOptions.h"
#include "services/AppFonts.h"
#include "services/FramePlacements.h"
#include "services/RecentModels.h"
#include "services/Settings.h"
#include "services/StartupSwitches.h"
#include "services/Units.h"

using ByteList = std::vector<BYTE>;

class SettingsFixture : public testing::Test {
 protected:
  void SetUp() override {
    RegistryReloadForTests();
    std::filesystem::remove_all(std::filesystem::path(RegistryFilePath()).parent_path());
    RegistryReloadForTests();
    ForgetSettingsAsRead();
    ManualMode = false;
    ProgramPreferences() = Preferences{};
    SetDefaultFontDescriptions();
    ClearRecentModels();
    SetRecentModelOpener(nullptr);
    for (int i = 0; i < kFramePlacementCount; ++i) FramePlacement(i) = WINDOWPLACEMENT{};
    ProgramAnalysisOptions() = AnalysisOptions{};
    ProgramOptionsGraphicsSettings() = OptionsGraphicsSettings{};
    g_UnitsSettings = UnitsSettings{};
    for (DialogFolder* folder : {&ModelDialogFolder(), &MaterialLibraryDialogFolder(), &SpectrumLibraryDialogFolder(),
                                 &ValveLibraryDialogFolder()})
      *folder = DialogFolder{};
  }
  void TearDown() override { ManualMode = false; }

  static HKEY Create(const std::string& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS)
        << path;
    return key;
  }

  static void Put(const std::string& keyPath, const char* name, const ByteList& bytes) {
    HKEY key = Create(keyPath);
    ASSERT_EQ(RegSetValueEx(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static void PutText(const std::string& keyPath, const char* name, const std::string& text) {
    Put(keyPath, name, ByteList(text.c_str(), text.c_str() + text.size() + 1));
  }

  // The bytes of a value, or a list holding only 0xEE when it is absent.
  static ByteList Get(const std::string& keyPath, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {0xEE};
    DWORD size = 0;
    ByteList bytes;
    if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      RegQueryValueEx(key, name, nullptr, nullptr, bytes.data(), &size);
    } else {
      bytes = {0xEE};
    }
    RegCloseKey(key);
    return bytes;
  }

  static bool KeyExists(const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  static std::vector<std::string> ValueNames(const std::string& keyPath) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    DWORD size = sizeof name;
    for (DWORD i = 0; RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name)
      names.push_back(name);
    RegCloseKey(key);
    return names;
  }

  static ByteList Int32Bytes(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
            static_cast<BYTE>(bits >> 24)};
  }
};

inline const std::string kVersionKey = "Software\\TVQ Systems\\Quorvel\\9.00";
