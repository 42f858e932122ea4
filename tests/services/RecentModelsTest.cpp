// The recent-models list: ordering, the extension rule, removal of an entry
// that fails to open, the refusal while no opener is installed, and the
// "Recent files" registry values, long paths whole.
#include <fstream>

#include "platform/FileNames.h"
#include "services/SettingsTestSupport.h"

namespace {

const std::string kRecent = kVersionKey + "\\Recent files";

std::vector<std::string> Slots() {
  std::vector<std::string> slots;
  for (int slot = 1; slot <= kRecentModelSlots; ++slot) slots.push_back(RecentModel(slot));
  return slots;
}

std::string g_failingPath;
int g_openCalls = 0;

bool OpenUnlessFailing(HWND, const std::string& path) {
  ++g_openCalls;
  return path != g_failingPath;
}

using RecentModels = SettingsFixture;

TEST_F(RecentModels, NewestComesFirstAndOpeningAgainMovesUp) {
  EXPECT_FALSE(HasRecentModels());
  EXPECT_EQ(NewestRecentModel(), "");
  for (const char* path : {"/m/A.mod", "/m/B.mod", "/m/C.mod", "/m/D.mod", "/m/E.mod"}) AddRecentModel(path);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/E.mod", "/m/D.mod", "/m/C.mod", "/m/B.mod"}));
  AddRecentModel("/m/C.mod");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/C.mod", "/m/E.mod", "/m/D.mod", "/m/B.mod"}));
  // The same path in another case is the same entry; at the top it changes nothing.
  AddRecentModel("/M/c.MOD");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/C.mod", "/m/E.mod", "/m/D.mod", "/m/B.mod"}));
  AddRecentModel("/m/b.mod");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/B.mod", "/m/C.mod", "/m/E.mod", "/m/D.mod"}));
  EXPECT_EQ(CountRecentModels(), 4);
  EXPECT_TRUE(HasRecentModels());
}

TEST_F(RecentModels, OnlyModelFilesEnter) {
  AddRecentModel("/m/PLANT.MOD");
  AddRecentModel("/lib/steel.mat");
  AddRecentModel("/m/model.mod/readme");  // "mod" names a folder here
  AddRecentModel("/m/notes");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/PLANT.MOD", "", "", ""}));
  EXPECT_EQ(CountRecentModels(), 1);
}

TEST_F(RecentModels, AnEmptyPathIsAProgrammingError) {
  // A fresh run of this program, so that its exit cleans only its own folders.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(AddRecentModel(""), testing::ExitedWithCode(1), "file_path\\[0\\].*SRC/services/RecentModels.cpp");
}

TEST_F(RecentModels, AnEntryThatFailsToOpenIsDropped) {
  for (const char* path : {"/m/A.mod", "/m/B.mod", "/m/C.mod", "/m/D.mod"}) AddRecentModel(path);
  SetRecentModelOpener(OpenUnlessFailing);
  g_failingPath = "/m/C.mod";  // slot 2
  EXPECT_FALSE(OpenRecentModel(nullptr, 324));
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/D.mod", "/m/B.mod", "/m/A.mod", ""}));
  EXPECT_EQ(CountRecentModels(), 3);
  g_failingPath.clear();
  EXPECT_TRUE(OpenRecentModel(nullptr, 326 - 1));  // slot 3 opens and stays
  EXPECT_TRUE(OpenLastModel(nullptr));
  EXPECT_EQ(CountRecentModels(), 3);
  // An id outside 323 to 326, or an empty slot, opens nothing.
  g_openCalls = 0;
  EXPECT_FALSE(OpenRecentModel(nullptr, 322));
  EXPECT_FALSE(OpenRecentModel(nullptr, 327));
  EXPECT_FALSE(OpenRecentModel(nullptr, 326));
  EXPECT_EQ(g_openCalls, 0);
  g_failingPath = "/m/D.mod";
  EXPECT_FALSE(OpenLastModel(nullptr));
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/B.mod", "/m/A.mod", "", ""}));
}

TEST_F(RecentModels, WithoutAnOpenerTheListIsKept) {
  AddRecentModel("/m/A.mod");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(OpenLastModel(nullptr));
  // Before start-up installs the opener nothing opens and nothing is said.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(CountRecentModels(), 1);
}

TEST_F(RecentModels, RegistryValuesRoundTrip) {
  const std::string results = std::string(std::getenv("TMPDIR")) + "/last.res";
  std::ofstream(results) << "results";
  for (const char* path : {"/m/A.mod", "/m/B.mod", "/m/C.mod"}) AddRecentModel(path);
  LastResultsPath() = results;
  SaveProgramSettings();
  EXPECT_EQ(Get(kRecent, "N"), Int32Bytes(3));
  EXPECT_EQ(Get(kRecent, "1"), ByteList({'/', 'm', '/', 'C', '.', 'm', 'o', 'd', 0}));
  EXPECT_EQ(Get(kRecent, "4"), ByteList{0xEE});
  EXPECT_EQ(ValueNames(kRecent), (std::vector<std::string>{"N", "Results", "1", "2", "3"}));

  ClearRecentModels();
  LoadProgramSettings();
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/C.mod", "/m/B.mod", "/m/A.mod", ""}));
  EXPECT_EQ(LastResultsPath(), results);
  EXPECT_EQ(ModelDialogFolder().folder, "/m/");

  // A shorter list deletes the entries it no longer has.
  SetRecentModelOpener(OpenUnlessFailing);
  g_failingPath = "/m/C.mod";
  OpenLastModel(nullptr);
  SaveProgramSettings();
  EXPECT_EQ(Get(kRecent, "N"), Int32Bytes(2));
  EXPECT_EQ(Get(kRecent, "3"), ByteList{0xEE});
}

// A path of characters the program's text cannot hold takes three bytes
// for each of its own: 29 x U+914D in a name is 261 bytes of 9, and the
// entry, with the one after it, comes back from the registry whole.
TEST_F(RecentModels, ALongPathComesBackWhole) {
  std::string name;
  for (int i = 0; i < 29; ++i) name += "\xE9\x85\x8D";
  const std::string longest = "/m/" + platform::FromFileSystemName(name) + ".mod";
  ASSERT_GT(longest.size(), 260u);
  for (const std::string& path : {std::string("/m/A.mod"), longest}) AddRecentModel(path);
  SaveProgramSettings();
  ClearRecentModels();
  LoadProgramSettings();
  EXPECT_EQ(Slots(), (std::vector<std::string>{longest, "/m/A.mod", "", ""}));
}

TEST_F(RecentModels, StoredListIsCheckedOnReading) {
  // A results file that no longer exists reads as empty.
  PutText(kRecent, "Results", "/nowhere/gone.res");
  LastResultsPath() = "/old.res";
  // At most four entries are taken.
  Put(kRecent, "N", Int32Bytes(7));
  for (int i = 1; i <= 5; ++i) PutText(kRecent, std::to_string(i).c_str(), "/m/" + std::to_string(i) + ".mod");
  LoadProgramSettings();
  EXPECT_EQ(LastResultsPath(), "");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/1.mod", "/m/2.mod", "/m/3.mod", "/m/4.mod"}));
  // A negative count or a missing entry ends the list.
  Put(kRecent, "N", Int32Bytes(-2));
  LoadProgramSettings();
  EXPECT_EQ(CountRecentModels(), 0);
  Put(kRecent, "N", Int32Bytes(3));
  HKEY key = Create(kRecent);
  RegDeleteValue(key, "2");
  RegCloseKey(key);
  LoadProgramSettings();
  EXPECT_EQ(Slots(), (std::vector<std::string>{"/m/1.mod", "", "", ""}));
}

}  // namespace
