// The backup copy through File > Save of the Layout window: the file a save
// replaces is kept byte for byte as "<name>.bak" in the default or the
// chosen folder, only with the preference on and only when there was a
// file; a copy that cannot be made asks, and No leaves the model file and
// the modified flag as they were.
#include "editing/ModelWindows.h"
#include "files/AutoSaveTesting.h"

namespace {

class BackupCopyTest : public AutoSaveFixture {
 protected:
  void SetUp() override {
    AutoSaveFixture::SetUp();
    Start();
    path_ = InFolder("unit 4.mod");
    BuildModel(path_);
    ShowModelWindows();
  }
  static void Save() {
    SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
    platform::RunUntilIdle();
  }
  std::string path_;
};

TEST_F(BackupCopyTest, TheReplacedFileIsKeptAsTheBackupOnlyWhenAsked) {
  Save();  // no preference: no backup
  const std::string first = Bytes(path_);
  ASSERT_FALSE(first.empty());
  TheModel().row(2).dx = 20.0f;
  TheModel().modified = true;
  Save();
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
  const std::string second = Bytes(path_);
  ASSERT_NE(second, first);
  ProgramPreferences().createBackup = 1;
  TheModel().row(2).dx = 30.0f;
  TheModel().modified = true;
  Save();
  const std::string backup = DefaultBackupFolder() + "unit 4.mod.bak";
  EXPECT_EQ(BackupCopyPath(path_), backup);
  EXPECT_EQ(Bytes(backup), second);
  EXPECT_NE(Bytes(path_), second);
  EXPECT_FALSE(TheModel().modified);
  // The next save keeps the one before; a chosen folder takes the copies.
  const std::string third = Bytes(path_);
  ProgramPreferences().backupDirectory = InFolder("copies");
  std::filesystem::create_directories(InFolder("copies"));
  TheModel().modified = true;
  Save();
  EXPECT_EQ(Bytes(InFolder("copies/unit 4.mod.bak")), third);
  EXPECT_EQ(Bytes(backup), second);
  // The folder holds no other file: the temporary copy is gone.
  EXPECT_EQ(Names(InFolder("copies")), std::vector<std::string>{"unit 4.mod.bak"});
}

TEST_F(BackupCopyTest, ASaveToANewFileHasNothingToKeep) {
  ProgramPreferences().createBackup = 1;
  Save();
  EXPECT_TRUE(Exists(path_));
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
}

TEST_F(BackupCopyTest, ACopyThatCannotBeMadeAsksAndNoSavesNothing) {
  Save();
  const std::string before = Bytes(path_);
  ProgramPreferences().createBackup = 1;
  Put(InFolder("not a folder"), "x");
  ProgramPreferences().backupDirectory = InFolder("not a folder");
  TheModel().row(3).dx = 50.0f;
  TheModel().modified = true;
  const std::string question = "Unable to make the backup copy:\n" + InFolder("not a folder/unit 4.mod.bak") +
                               "\nDo you want to save without it ?";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [question](HWND box) {
    EXPECT_EQ(LinesOf(box), MessageLines(question));
    SendMessage(box, WM_COMMAND, IDCANCEL, 0);  // No
  });
  Save();
  EXPECT_EQ(Bytes(path_), before);
  EXPECT_TRUE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });  // Yes
  Save();
  EXPECT_NE(Bytes(path_), before);
  EXPECT_FALSE(TheModel().modified);
}

}  // namespace
