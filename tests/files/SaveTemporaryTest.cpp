// A save that is killed half way leaves its temporary beside the model; the
// next save removes it. A temporary whose writer still lives (another
// instance saving the same file) is left alone, and so is every file of the
// user's own, even one named like ours but for the marker.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "files/AllKindsModel.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// A writer in another process that has begun a save of `path` and waits;
// killing it leaves the temporary as a crash does.
class HalfWayWriter {
 public:
  explicit HalfWayWriter(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0 || pipe(hold_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(hold_[1]);
      platform::SiblingTemporary temporary(path, 0644);
      const char half[] = "QUORVELWMOD900 half";
      bool wrote = temporary.ok() && write(temporary.fd(), half, sizeof half - 1) > 0;
      char told = wrote ? 'y' : 'n';
      if (write(ready[1], &told, 1) != 1) _exit(2);
      char wait;
      while (read(hold_[0], &wait, 1) > 0) {
      }
      _exit(0);
    }
    close(ready[1]);
    close(hold_[0]);
    char told = 'n';
    started_ = read(ready[0], &told, 1) == 1 && told == 'y';
    close(ready[0]);
  }
  ~HalfWayWriter() { Kill(); }
  bool started() const { return started_; }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    close(hold_[1]);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int hold_[2]{-1, -1};
  bool started_ = false;
};

TEST(SaveTemporaries, AKilledSavesLeftoverGoesAtTheNextSave) {
  Model model;
  BuildAllKindsModel(model);
  const fs::path folder = fs::path(std::getenv("TMPDIR")) / "killed-save";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string path = (folder / "model.mod").string();
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  // The user's own files beside the model, named close to ours.
  for (const char* own : {"model.mod.backup", "model.mod.abcdef", "model.mod.abcdef.part", "other.mod.abcdef.quorvel-part"})
    std::ofstream(folder / own) << "mine";
  const std::set<std::string> before = Names(folder);

  HalfWayWriter writer(path);
  ASSERT_TRUE(writer.started());
  std::set<std::string> during = Names(folder);
  ASSERT_EQ(during.size(), before.size() + 1) << "the writer's temporary";
  std::string leftover;
  for (const std::string& name : during)
    if (before.count(name) == 0) leftover = name;
  EXPECT_EQ(leftover.rfind("model.mod.", 0), 0u) << leftover;

  // While its writer lives, a save beside it does not take its file away.
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  EXPECT_EQ(Names(folder), during);

  writer.Kill();
  EXPECT_EQ(Names(folder), during) << "a killed save leaves its temporary";
  const std::string saved = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }();
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  EXPECT_EQ(Names(folder), before) << "the dead writer's temporary is gone, the user's files stay";
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), saved);
  fs::remove_all(folder);
}

// A 255-byte model name (of one- or three-byte characters) is saved, and a
// killed save's leftover beside it goes at the next save.
TEST(SaveTemporaries, AModelWithTheLongestNameIsSavedAndItsLeftoverCleaned) {
  Model model;
  BuildAllKindsModel(model);
  const fs::path folder = fs::path(std::getenv("TMPDIR")) / "longest-name";
  fs::create_directories(folder);
  std::string wide;
  for (int i = 0; i < 83; ++i) wide += "\xE7\xAE\xA1";
  for (const std::string& name : {std::string(251, 'n') + ".mod", wide + ".mod"}) {
    const std::string path = platform::FromFileSystemName((folder / name).string());
    ASSERT_EQ(WriteModelFileFrom(model, path), "") << name.size();
    {
      HalfWayWriter writer(path);  // killed as it goes
      ASSERT_TRUE(writer.started());
    }
    ASSERT_EQ(WriteModelFileFrom(model, path), "");
    EXPECT_EQ(Names(folder), std::set<std::string>{name});
    fs::remove(folder / name);
  }
}

}  // namespace
