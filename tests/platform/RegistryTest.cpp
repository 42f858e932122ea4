// The registry store: values survive reopening the store, torn and damaged
// files never lose the previous settings, names match without regard to
// case, query sizes, enumeration, deletion of whole subtrees, and the store
// lives under the test's own XDG_CONFIG_HOME. A program's write keeps what
// another program sharing the store wrote after this one read it.
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const BYTE* Bytes(const char* text) { return reinterpret_cast<const BYTE*>(text); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Registry : public testing::Test {
 protected:
  void SetUp() override {
    // Every test starts from an empty store.
    RegistryReloadForTests();
    fs::remove_all(fs::path(RegistryFilePath()).parent_path());
    RegistryReloadForTests();
  }

  HKEY Create(const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  static std::string QueryText(HKEY key, const char* name) {
    DWORD size = 0;
    if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return "<absent>";
    std::string text(size, '\0');
    EXPECT_EQ(RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size),
              ERROR_SUCCESS);
    return text;
  }
};

TEST_F(Registry, StoreLivesUnderTheTestsConfigFolder) {
  const std::string config = std::getenv("XDG_CONFIG_HOME");
  EXPECT_EQ(RegistryFilePath(), config + "/quorvel/registry");
  HKEY key = Create("Software\\Test");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_TRUE(fs::exists(config + "/quorvel/registry"));
}

TEST_F(Registry, ValuesSurviveReopeningTheStore) {
  HKEY key = Create("Software\\TVQ Systems\\Quorvel\\9.00\\Preferences");
  const DWORD number = 0x01020304;
  ASSERT_EQ(RegSetValueEx(key, "Show toolbar", 0, REG_BINARY, Bytes("\x01"), 1), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Path", 0, REG_SZ, Bytes("/models/a.mod"), 14), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  RegistryReloadForTests();
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\TVQ Systems\\Quorvel\\9.00\\Preferences", 0,
                         KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  DWORD type = 99, size = 8;
  BYTE buffer[8] = {};
  ASSERT_EQ(RegQueryValueEx(key, "Count", nullptr, &type, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::memcmp(buffer, "\x04\x03\x02\x01", 4), 0);
  EXPECT_EQ(QueryText(key, "Show toolbar"), std::string("\x01", 1));
  EXPECT_EQ(QueryText(key, "Path"), std::string("/models/a.mod\0", 14));
  EXPECT_EQ(QueryText(key, "Empty"), "");
  type = 0;
  ASSERT_EQ(RegQueryValueEx(key, "Path", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  RegCloseKey(key);
}

TEST_F(Registry, NamesMatchWithoutRegardToCase) {
  HKEY key = Create("Software\\Mixed Case");
  ASSERT_EQ(RegSetValueEx(key, "Text Font Size", 0, REG_BINARY, Bytes("\x50\0\0\0"), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "TEXT FONT SIZE", 0, REG_BINARY, Bytes("\x64\0\0\0"), 4), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\mixed case", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "text font size"), std::string("\x64\0\0\0", 4));
  // One value, keeping the case it was made with.
  char name[32];
  DWORD nameSize = sizeof name;
  ASSERT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "Text Font Size");
  nameSize = sizeof name;
  EXPECT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  // A key made again under another case is the same key.
  DWORD disposition = 0;
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "software\\MIXED CASE", 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(again);
  RegCloseKey(key);
}

TEST_F(Registry, QueriesReportSizesAndMissingValues) {
  HKEY key = Create("Software\\Sizes");
  ASSERT_EQ(RegSetValueEx(key, "Six", 0, REG_BINARY, Bytes("abcdef"), 6), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Six", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  BYTE small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueEx(key, "Six", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(small[0], 'x');  // nothing copied into a buffer too small
  size = 4;
  EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, nullptr, small, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueEx(key, "Six", nullptr, nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteValue(key, "six"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(key, "Six"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(QueryText(key, "Six"), "<absent>");
  HKEY missing = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nowhere", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  RegCloseKey(key);
}

TEST_F(Registry, EnumeratesSubkeysByNameAndValuesInOrderMade) {
  HKEY key = Create("Software\\List");
  for (const char* sub : {"Window positions", "Options", "Recent files"}) {
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyEx(key, sub, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr), ERROR_SUCCESS);
    RegCloseKey(child);
  }
  for (const char* value : {"N", "Results", "1"})
    ASSERT_EQ(RegSetValueEx(key, value, 0, REG_BINARY, Bytes("v"), 1), ERROR_SUCCESS);
  std::vector<std::string> keys, values;
  char name[64];
  DWORD size = sizeof name;
  for (DWORD i = 0; RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof name)
    keys.push_back(name);
  size = sizeof name;
  for (DWORD i = 0; RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof name)
    values.push_back(name);
  EXPECT_EQ(keys, (std::vector<std::string>{"Options", "Recent files", "Window positions"}));
  EXPECT_EQ(values, (std::vector<std::string>{"N", "Results", "1"}));
  // A name buffer too small asks for more room.
  char tiny[4];
  size = sizeof tiny;
  EXPECT_EQ(RegEnumKeyEx(key, 0, tiny, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  RegCloseKey(key);
}

TEST_F(Registry, DeletingAKeyTakesItsSubkeysAndStalesTheirHandles) {
  HKEY product = Create("Software\\TVQ Systems\\Quorvel");
  HKEY deep = Create("Software\\TVQ Systems\\Quorvel\\Preferences\\Deeper");
  ASSERT_EQ(RegSetValueEx(deep, "x", 0, REG_BINARY, Bytes("1"), 1), ERROR_SUCCESS);
  HKEY company = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\TVQ Systems", 0, KEY_ALL_ACCESS, &company), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(company, "Quorvel"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(company, "Quorvel"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueEx(deep, "y", 0, REG_BINARY, Bytes("1"), 1), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueEx(product, "x", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  RegCloseKey(deep);
  RegCloseKey(product);
  RegCloseKey(company);
  RegistryReloadForTests();
  HKEY gone = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\TVQ Systems\\Quorvel", 0, KEY_READ, &gone),
            ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\TVQ Systems", 0, KEY_READ, &gone), ERROR_SUCCESS);
  RegCloseKey(gone);
}

TEST_F(Registry, BadHandlesAndAccessGiveCodesNotCrashes) {
  HKEY key = Create("Software\\Access");
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegSetValueEx(key, "v", 0, REG_BINARY, Bytes("1"), 1), ERROR_INVALID_HANDLE);
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Access", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueEx(readOnly, "v", 0, REG_BINARY, Bytes("1"), 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
  RegCloseKey(readOnly);
}

TEST_F(Registry, TornWriteLeavesThePreviousFileIntact) {
  HKEY key = Create("Software\\Torn");
  ASSERT_EQ(RegSetValueEx(key, "Kept", 0, REG_BINARY, Bytes("old"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  const std::string before = ReadFile(RegistryFilePath());

  key = Create("Software\\Torn");
  ASSERT_EQ(RegSetValueEx(key, "Kept", 0, REG_BINARY, Bytes("new value"), 9), ERROR_SUCCESS);
  RegistryTearNextWriteForTests();
  EXPECT_EQ(RegCloseKey(key), ERROR_WRITE_FAULT);
  EXPECT_EQ(ReadFile(RegistryFilePath()), before);
  // The half-written temporary file is still beside the store, as a crash leaves it.
  int leftovers = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(RegistryFilePath()).parent_path()))
    leftovers += entry.path().filename().string().rfind("registry.", 0) == 0 ? 1 : 0;
  EXPECT_EQ(leftovers, 1);

  // The next start removes it, as its writer is gone; the user's file of a
  // similar name stays.
  const fs::path folder = fs::path(RegistryFilePath()).parent_path();
  std::ofstream(folder / "registry.backup") << "mine";
  RegistryReloadForTests();
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Torn", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "Kept"), "old");
  RegCloseKey(key);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"registry", "registry.backup"}));
}

TEST_F(Registry, DamagedFilesAreIgnored) {
  HKEY key = Create("Software\\Damage");
  ASSERT_EQ(RegSetValueEx(key, "Value", 0, REG_BINARY, Bytes("abc"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  const std::string good = ReadFile(RegistryFilePath());
  std::string wrongVersion = good;
  wrongVersion[8] = 2;
  std::string hugeCount = good;
  hugeCount[16] = '\xFF';  // the root's value count
  hugeCount[17] = '\xFF';
  const std::string damaged[] = {good.substr(0, good.size() - 1), good + "x", "QVREG", "",
                                 "XXREGSTR" + good.substr(8), wrongVersion, hugeCount};
  for (const std::string& bytes : damaged) {
    std::ofstream(RegistryFilePath(), std::ios::binary | std::ios::trunc) << bytes;
    RegistryReloadForTests();
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Damage", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND)
        << bytes.size() << " bytes";
  }
  // The good bytes read again.
  std::ofstream(RegistryFilePath(), std::ios::binary | std::ios::trunc) << good;
  RegistryReloadForTests();
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Damage", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "Value"), "abc");
  RegCloseKey(key);
}

TEST_F(Registry, ChangesThroughTheRootAreWrittenAtOnce) {
  HKEY key = Create("Software\\Root change");
  RegCloseKey(key);
  ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Root change"), ERROR_SUCCESS);
  RegistryReloadForTests();
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Root change", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

// Two programs read the same store at their start; the other one writes
// first. This program's write carries only its own changes over the file:
// a set, a deleted value, a deleted key and a value set to the bytes it read.
TEST_F(Registry, AWriteKeepsWhatAnotherProgramWroteAfterThisOneRead) {
  HKEY key = Create("Software\\Shared");
  ASSERT_EQ(RegSetValueEx(key, "Mine", 0, REG_BINARY, Bytes("old"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Theirs", 0, REG_BINARY, Bytes("old"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Gone", 0, REG_BINARY, Bytes("x"), 1), ERROR_SUCCESS);
  RegCloseKey(key);
  RegCloseKey(Create("Software\\Retired"));
  const std::string atStart = ReadFile(RegistryFilePath());

  key = Create("Software\\Shared");
  ASSERT_EQ(RegSetValueEx(key, "Theirs", 0, REG_BINARY, Bytes("new"), 3), ERROR_SUCCESS);
  RegCloseKey(key);
  RegCloseKey(Create("Software\\Added by them"));
  const std::string theirs = ReadFile(RegistryFilePath());

  // This program holds the store as it was at the start; then the other
  // program's file lands.
  std::ofstream(RegistryFilePath(), std::ios::binary | std::ios::trunc) << atStart;
  RegistryReloadForTests();
  ASSERT_FALSE(RegistryFilePath().empty());
  std::ofstream(RegistryFilePath(), std::ios::binary | std::ios::trunc) << theirs;

  key = Create("Software\\Shared");
  ASSERT_EQ(RegSetValueEx(key, "Mine", 0, REG_BINARY, Bytes("mine"), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Theirs", 0, REG_BINARY, Bytes("old"), 3), ERROR_SUCCESS);  // as read: no change
  ASSERT_EQ(RegDeleteValue(key, "Gone"), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Retired"), ERROR_SUCCESS);

  RegistryReloadForTests();
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Shared", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "Mine"), "mine");
  EXPECT_EQ(QueryText(key, "Theirs"), "new");
  EXPECT_EQ(QueryText(key, "Gone"), "<absent>");
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Added by them", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Retired", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ThreadsWritingAtOnceLoseNothing) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t] {
      const std::string path = "Software\\Threads\\" + std::to_string(t);
      for (int i = 0; i < 25; ++i) {
        HKEY key = nullptr;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr) != ERROR_SUCCESS)
          return;
        const std::string name = "v" + std::to_string(i);
        RegSetValueEx(key, name.c_str(), 0, REG_BINARY, Bytes("1"), 1);
        RegCloseKey(key);
      }
    });
  for (std::thread& thread : threads) thread.join();
  RegistryReloadForTests();
  for (int t = 0; t < 4; ++t) {
    HKEY key = nullptr;
    const std::string path = "Software\\Threads\\" + std::to_string(t);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char name[16];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumValue(key, 24, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "v24");
    RegCloseKey(key);
  }
}

}  // namespace
