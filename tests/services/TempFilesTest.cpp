// Temporary files: unique names in $TMPDIR with the prefix, deletion by the
// owner, by the shutdown sweep and by the exit handler of a process that
// never swept.
#include "services/TempFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(TempFiles, NamesAreUniqueInTheTemporaryFolder) {
  const std::string folder = std::getenv("TMPDIR");
  EXPECT_EQ(TempFolder(), folder);
  std::set<std::string> names;
  for (int i = 0; i < 20; ++i) {
    const std::string path = CreateTempFile("undo");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(fs::path(path).parent_path(), fs::path(folder));
    EXPECT_EQ(fs::path(path).filename().string().rfind("undo", 0), 0u) << path;
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    names.insert(path);
  }
  EXPECT_EQ(names.size(), 20u);
  DeleteAllTempFiles();
  for (const std::string& path : names) EXPECT_FALSE(fs::exists(path)) << path;
  EXPECT_EQ(CountLiveTempFiles(), 0);
}

TEST(TempFiles, FolderFallsBackToTmp) {
  const std::string saved = std::getenv("TMPDIR");
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(TempFolder(), "/tmp");
  unsetenv("TMPDIR");
  EXPECT_EQ(TempFolder(), "/tmp");
  setenv("TMPDIR", saved.c_str(), 1);
}

TEST(TempFiles, OwnerDeletesItsFile) {
  std::string path;
  {
    TempFile work("analysis");
    ASSERT_TRUE(work.IsValid());
    path = work.Path();
    std::ofstream(path) << "work";
    EXPECT_EQ(CountLiveTempFiles(), 1);
    TempFile moved = std::move(work);
    EXPECT_FALSE(work.IsValid());
    EXPECT_EQ(moved.Path(), path);
    EXPECT_TRUE(fs::exists(path));
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(CountLiveTempFiles(), 0);
  // A name the list never made is not deleted.
  const std::string foreign = std::string(std::getenv("TMPDIR")) + "/foreign";
  std::ofstream(foreign) << "keep";
  DeleteTempFile(foreign);
  EXPECT_TRUE(fs::exists(foreign));
}

TEST(TempFiles, RefusedFolderOrPrefixGivesNoName) {
  const std::string saved = std::getenv("TMPDIR");
  setenv("TMPDIR", (saved + "/missing-folder").c_str(), 1);
  EXPECT_EQ(CreateTempFile("x"), "");
  TempFile none("x");
  EXPECT_FALSE(none.IsValid());
  setenv("TMPDIR", saved.c_str(), 1);
  EXPECT_EQ(CreateTempFile("../escape"), "");
  EXPECT_EQ(CountLiveTempFiles(), 0);
}

TEST(TempFiles, ExitDeletesWhatWasLeft) {
  // The child is a fresh run of this program (it gets its own test folders
  // and removes them itself); it makes its file in a folder of ours, named
  // through the environment, and exits without sweeping.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string folder = std::string(std::getenv("TMPDIR")) + "/exit-check";
  fs::create_directories(folder);
  setenv("QUORVEL_TEMPFILES_EXIT_FOLDER", folder.c_str(), 1);
  EXPECT_EXIT(
      {
        setenv("TMPDIR", std::getenv("QUORVEL_TEMPFILES_EXIT_FOLDER"), 1);
        const std::string path = CreateTempFile("leftover");
        std::fprintf(stderr, "made %s\n", fs::exists(path) ? path.c_str() : "nothing");
        std::exit(0);
      },
      testing::ExitedWithCode(0), "made .*/exit-check/leftover");
  unsetenv("QUORVEL_TEMPFILES_EXIT_FOLDER");
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
