// The file commands: open, save, close round trip; an unknown extension,
// a file kind whose reader is not there yet and a damaged model file all
// leave the open model, its path and its undo snapshots as they were; the
// save question on close answered Yes, No and Cancel (and Yes on an
// untitled model through Save As); opening through the recent-models list;
// the start-up file by a name in capitals and without a folder; folders
// named outside Windows-1252 from the environment and the current folder;
// the first-run sample model; File > New.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "files/SampleModel.h"
#include "files/SaveQuestion.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Input.h"
#include "platform/Printer.h"
#include "platform/Registry.h"
#include "platform/Windows1252.h"
#include "services/AppTesting.h"
#include "services/General.h"
#include "services/RecentModels.h"
#include "services/Settings.h"
#include "services/TempFiles.h"

namespace {

class FileCommandsTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    folder_ = TempFolder() + "/models";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    Model sample;
    BuildSampleModel(sample);
    samplePath_ = folder_ + "/Plant.mod";
    ASSERT_EQ(WriteModelFileFrom(sample, samplePath_), "");
    ClearRecentModels();
    OpenStartupFile(nullptr, "");  // installs the recent-models opener
  }
  void TearDown() override {
    CloseModel();
    ClearRecentModels();
    AppFixture::TearDown();
  }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string ModelBytes() {
    const std::string path = folder_ + "/compare.mod";
    EXPECT_EQ(WriteModelFileFrom(TheModel(), path), "");
    return Bytes(path);
  }
  static void ExpectMessage(const std::string& name, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), lines);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static void AnswerSaveQuestion(const std::string& name, int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [name, button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), "Do you want to save changes to  " + name + " ?");
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
  // Opens the sample, edits it and leaves one undo snapshot of the edit.
  void OpenEdited() {
    ASSERT_TRUE(OpenFileByExtension(nullptr, samplePath_));
    TakeUndoSnapshot();
    TheModel().row(3).dx = 144.0f;
    RefreshAfterModelEdit(TheModel());
  }

  std::string folder_;
  std::string samplePath_;
};

TEST_F(FileCommandsTest, OpenSaveCloseAndOpenAgainKeepsEveryByte) {
  ASSERT_TRUE(OpenFileByExtension(nullptr, samplePath_));
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_EQ(ModelDialogFolder().folder, folder_ + "/");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(NewestRecentModel(), samplePath_);
  TheModel().row(3).dy = 24.0f;
  RefreshAfterModelEdit(TheModel());
  const std::string edited = ModelBytes();
  ASSERT_TRUE(SaveModel(nullptr));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(Bytes(samplePath_), edited);

  CloseModel();
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_EQ(ModelDialogFolder().folder, folder_ + "/");  // the next dialog starts there

  ASSERT_TRUE(OpenFileByExtension(nullptr, samplePath_));
  EXPECT_EQ(ModelBytes(), edited);
  EXPECT_FLOAT_EQ(TheModel().row(3).dy, 24.0f);
}

// The folder the file dialog shows, read while it is up; closes it.
std::string FolderOfFileDialog(HWND dialog) {
  char folder[512] = {};
  SendMessage(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
  platform::TestKeyPress(VK_ESCAPE);
  return folder;
}

TEST_F(FileCommandsTest, OpenAndSaveAsStartInTheLastModelsFolderAfterARestart) {
  std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
  std::ofstream(FirstRunMarkerPath()).put('\n');
  // The last session worked on the sample: it is the newest recent model
  // when that session ends and the settings are saved.
  InitApplication("");
  AddRecentModel(samplePath_);
  PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  platform::Shutdown();
  // A new process knows only what the settings hold.
  ModelDialogFolder() = DialogFolder{};
  ClearRecentModels();

  InitApplication("");
  platform::RunUntilIdle();
  std::string shown;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open",
                        [&shown](HWND dialog) { shown = FolderOfFileDialog(dialog); });
  SendMessage(MainFrame().window, WM_COMMAND, 102, 0);
  platform::CheckModalScript();
  EXPECT_EQ(shown, folder_);

  // An untitled model's Save As starts there too.
  TheModel().path.clear();
  ShowModelWindows();
  shown.clear();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As",
                        [&shown](HWND dialog) { shown = FolderOfFileDialog(dialog); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 105, 0);
  platform::CheckModalScript();
  EXPECT_EQ(shown, folder_);
  TheModel().modified = false;
  PostMessage(LayoutFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
}

TEST_F(FileCommandsTest, UnknownExtensionSaysSoAndClosesNothing) {
  OpenEdited();
  const std::string before = ModelBytes();
  ExpectMessage("MESSAGE1_DIALOG", {"Invalid file extension"});
  EXPECT_FALSE(OpenFileByExtension(nullptr, folder_ + "/notes.txt"));
  ExpectMessage("MESSAGE1_DIALOG", {"Invalid file extension"});
  EXPECT_FALSE(OpenFileByExtension(nullptr, folder_ + "/no.extension/model"));
  EXPECT_EQ(ModelBytes(), before);
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
}

TEST_F(FileCommandsTest, EvaluationFilesThatCannotBeReadAreRefusedBeforeAnythingCloses) {
  OpenEdited();
  const std::string before = ModelBytes();
  for (const auto& [name, kind] : {std::pair{"/Nozzle.NOZ", "Nozzle Evaluation file: "},
                                   std::pair{"/Lug.lug", "Lug evaluation file: "}}) {
    const std::string path = folder_ + name, heading = kind + path;
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [heading](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), heading);
      EXPECT_EQ(LinesOfDialog(dialog).at(1), "Does not exist.");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(OpenFileByExtension(nullptr, path));
  }
  EXPECT_EQ(ModelBytes(), before);
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_TRUE(CanUndo());
}

// A results file opens the model of its name first: without it nothing
// else happens and the open model stays.
TEST_F(FileCommandsTest, AResultsFileWithoutItsModelLeavesTheOpenModelAsItWas) {
  OpenEdited();
  const std::string before = ModelBytes();
  const std::string path = folder_ + "/Elsewhere.res";
  std::ofstream(path, std::ios::binary) << "QUORVELWRES900";
  std::vector<std::string> lines;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&lines](HWND dialog) {
    lines = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(OpenFileByExtension(nullptr, path));
  platform::CheckModalScript();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Model file: " + folder_ + "/Elsewhere.mod");
  EXPECT_EQ(ModelBytes(), before);
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_TRUE(CanUndo());
}

TEST_F(FileCommandsTest, DamagedModelFileLeavesTheOpenModelAsItWas) {
  OpenEdited();
  const std::string before = ModelBytes();
  const std::string damaged = folder_ + "/Damaged.mod";
  std::string bytes = Bytes(samplePath_);
  bytes.replace(0, 11, "QUORVELWXYZ");
  std::ofstream(damaged, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ExpectMessage("MESSAGE2_DIALOG", {"Unable to read model file:", damaged});
  EXPECT_FALSE(OpenFileByExtension(nullptr, damaged));
  EXPECT_EQ(ModelBytes(), before);
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_TRUE(CanUndo());
}

TEST_F(FileCommandsTest, OpeningAnotherModelDropsTheSnapshotsOfTheOldOne) {
  OpenEdited();
  ASSERT_TRUE(CanUndo());
  ASSERT_TRUE(OpenFileByExtension(nullptr, samplePath_));
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(CountLiveTempFiles(), 0);
}

TEST_F(FileCommandsTest, SaveQuestionOnCloseYesNoAndCancel) {
  OpenEdited();
  const std::string original = Bytes(samplePath_);

  AnswerSaveQuestion("Plant.mod", IDCANCEL);
  EXPECT_EQ(QuerySaveModelChanges(nullptr), IDCANCEL);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(Bytes(samplePath_), original);

  AnswerSaveQuestion("Plant.mod", IDNO);
  EXPECT_EQ(QuerySaveModelChanges(nullptr), IDNO);
  EXPECT_EQ(Bytes(samplePath_), original);
  EXPECT_TRUE(TheModel().modified);

  const std::string edited = ModelBytes();
  AnswerSaveQuestion("Plant.mod", IDYES);
  EXPECT_EQ(QuerySaveModelChanges(nullptr), IDYES);
  EXPECT_EQ(Bytes(samplePath_), edited);
  EXPECT_FALSE(TheModel().modified);

  CloseModel();
  EXPECT_EQ(CountLiveTempFiles(), 0);
  EXPECT_FALSE(CanUndo());
}

TEST_F(FileCommandsTest, YesOnAnUntitledModelAsksForAPathThroughSaveAs) {
  OpenEdited();
  ResetModelTitle();
  TheModel().modified = true;
  const std::string target = folder_ + "/Renamed.mod";

  // Save As cancelled: the question counts as Cancel.
  AnswerSaveQuestion("Untitled", IDYES);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  EXPECT_EQ(QuerySaveModelChanges(nullptr), IDCANCEL);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_FALSE(std::filesystem::exists(target));

  AnswerSaveQuestion("Untitled", IDYES);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [target](HWND dialog) {
    SetDlgItemText(dialog, edt1, target.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  const std::string edited = ModelBytes();
  EXPECT_EQ(QuerySaveModelChanges(nullptr), IDYES);
  EXPECT_EQ(TheModel().path, target);
  EXPECT_EQ(Bytes(target), edited);
  EXPECT_EQ(NewestRecentModel(), target);
}

TEST_F(FileCommandsTest, OpensThroughTheRecentModelsList) {
  AddRecentModel(samplePath_);
  const std::string missing = folder_ + "/Gone.mod";
  AddRecentModel(missing);
  ASSERT_EQ(RecentModel(1), missing);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [missing](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model file: " + missing, "Does not exist."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(OpenRecentModel(nullptr, kFirstRecentModelCommand));
  EXPECT_EQ(RecentModel(1), samplePath_);  // the entry that failed is dropped
  ASSERT_TRUE(OpenRecentModel(nullptr, kFirstRecentModelCommand));
  EXPECT_EQ(TheModel().path, samplePath_);
  EXPECT_EQ(TheModel().rowCount, 7);
}

// Names on the disk are UTF-8. Save As of a name typed with umlauts writes
// the file under the name's UTF-8 bytes; File > Open finds a file another
// program named by its typed name; the recent models keep both through the
// registry, and an entry an earlier version kept, whose file has the
// name's Windows-1252 bytes on disk, still opens.
TEST_F(FileCommandsTest, NamesOnTheDiskAreUtf8) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(OpenFileByExtension(nullptr, samplePath_));
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "M\xFCller \xE4 model");
    platform::TestKeyPress(VK_RETURN);
  });
  ASSERT_TRUE(SaveModelAs(nullptr));
  EXPECT_TRUE(fs::is_regular_file(folder_ + "/M\xC3\xBCller \xC3\xA4 model.mod"));
  EXPECT_FALSE(fs::exists(folder_ + "/M\xFCller \xE4 model.mod"));
  EXPECT_EQ(TheModel().path, folder_ + "/M\xFCller \xE4 model.mod");

  fs::copy_file(samplePath_, folder_ + "/Dampfleitung \xC3\xA4.mod");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "Dampfleitung \xE4.mod");
    platform::TestKeyPress(VK_RETURN);
  });
  OpenModelDialog(nullptr);
  platform::CheckModalScript();
  const std::string opened = folder_ + "/Dampfleitung \xE4.mod";
  ASSERT_EQ(TheModel().path, opened);

  const std::string older = folder_ + "/Alt \xE4.mod";  // an earlier version's file, its 1252 bytes on disk
  fs::copy_file(samplePath_, older);
  AddRecentModel(older);
  SaveProgramSettings();
  ClearRecentModels();
  LoadProgramSettings();
  EXPECT_EQ(RecentModel(2), opened);
  ASSERT_TRUE(OpenLastModel(nullptr)) << "the entry an earlier version kept did not open";
  EXPECT_EQ(platform::ToFileSystemName(TheModel().path), older);
  EXPECT_EQ(TheModel().rowCount, 7);
}

TEST_F(FileCommandsTest, StartupNameInCapitalsWithoutFolderOpensFromTheCurrentFolder) {
  const std::string upper = folder_ + "/PLANT2.MOD";
  std::filesystem::copy_file(samplePath_, upper);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  const bool opened = OpenStartupFile(nullptr, "\"PLANT2.MOD\"");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(opened);
  EXPECT_EQ(TheModel().path, std::filesystem::canonical(folder_).string() + "/PLANT2.MOD");
  EXPECT_FALSE(OpenStartupFile(nullptr, ""));
}

// Folders named with bytes the program's text cannot hold (outside
// Windows-1252, and no UTF-8) as $TMPDIR, $XDG_CONFIG_HOME, $HOME and the
// current folder: the program's text holds them escaped, and they open the
// same folders again (temporary files, the settings store, the PDF file
// proposed, a model named on the command line).
TEST_F(FileCommandsTest, FoldersFromTheEnvironmentAndTheCurrentFolderOpenAgain) {
  namespace fs = std::filesystem;
  const std::string models = fs::canonical(folder_).string();
  const std::string disk = models + "/\xE9\x85\x8D\xE7\xAE\xA1 \xFF";
  fs::create_directories(disk);
  fs::copy_file(samplePath_, disk + "/PLANT3.MOD");
  struct Environment {
    std::vector<std::pair<const char*, std::string>> saved;
    explicit Environment(const std::string& folder) {
      for (const char* name : {"TMPDIR", "XDG_CONFIG_HOME", "HOME"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value != nullptr ? value : "");
        setenv(name, folder.c_str(), 1);
      }
      RegistryReloadForTests();
    }
    ~Environment() {
      for (const auto& [name, value] : saved) setenv(name, value.c_str(), 1);
      RegistryReloadForTests();
    }
  };
  const fs::path previous = fs::current_path();
  bool opened = false;
  {
    Environment environment(disk);
    EXPECT_EQ(platform::Utf8From1252(TempFolder()), models + "/?????? ?");
    const std::string temporary = CreateTempFile("quorvel-check-");
    EXPECT_EQ(fs::path(platform::ToFileSystemName(temporary)).parent_path(), disk);
    DeleteTempFile(temporary);
    EXPECT_EQ(platform::ToFileSystemName(platform::DefaultPdfOutput()), disk + "/Quorvel.pdf");
    ForgetSettingsAsRead();
    SaveProgramSettings();
    EXPECT_TRUE(fs::is_regular_file(disk + "/quorvel/registry"));
    fs::current_path(disk);
    opened = OpenStartupFile(nullptr, "PLANT3.MOD");
    fs::current_path(previous);
  }
  ASSERT_TRUE(opened);
  EXPECT_EQ(platform::ToFileSystemName(TheModel().path), disk + "/PLANT3.MOD");
}

// The sample lies in the program's folder, which holds what the program
// ships: it opens untitled, so that Save asks where to write the user's
// work instead of writing over the sample; it never enters the recent
// models (the first run's exit stores none, and an earlier version's list
// that holds it drops it), and Save As onto it is refused.
TEST_F(FileCommandsTest, FirstRunOpensTheSampleUntitledAndSaveAsksWhere) {
  const std::string savedFolder = ProgramFolder;
  ProgramFolder = folder_ + "/program/";
  std::filesystem::create_directories(ProgramFolder);
  OpenSampleModelFirstRun(nullptr);  // no sample there: nothing happens
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_EQ(TheModel().rowCount, 0);
  const std::string sample = ProgramFolder + "BigModel.mod";
  std::filesystem::copy_file(samplePath_, sample);
  const std::string shipped = Bytes(sample);
  ModelDialogFolder() = DialogFolder{};  // no model opened before
  OpenSampleModelFirstRun(nullptr);
  EXPECT_EQ(TheModel().path, "");
  EXPECT_EQ(TheModel().rowCount, 7);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(CurrentFileTitle(), "Untitled");

  // Save asks for a path; cancelled, nothing is written anywhere.
  std::string folder(300, '\0');
  const auto saveAsksWhere = [&] {
    TheModel().modified = true;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [&folder](HWND dialog) {
      SendMessage(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
      platform::TestKeyPress(VK_ESCAPE);
    });
    EXPECT_FALSE(SaveModel(nullptr));
    platform::CheckModalScript();
    EXPECT_EQ(Bytes(sample), shipped);
    EXPECT_TRUE(TheModel().path.empty());
  };
  saveAsksWhere();
  // Asked among the user's files, not the program's.
  EXPECT_EQ(std::filesystem::path(folder.c_str()), std::filesystem::path(platform::FolderFromEnvironment("HOME")));

  auto listsSample = [&sample] {
    for (int slot = 1; slot <= kRecentModelSlots; ++slot)
      if (RecentModel(slot) == sample) return true;
    return false;
  };
  EXPECT_FALSE(listsSample());
  SaveProgramSettings();  // as the exit stores them
  ClearRecentModels();
  LoadProgramSettings();
  EXPECT_FALSE(listsSample());

  // Save As onto the sample, even with the replacement agreed, writes nothing.
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [sample](HWND dialog) {
    SetDlgItemText(dialog, edt1, sample.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, sample + " already exists.\nDo you want to replace it?",
                        [](HWND) { platform::TestKeyPress('Y'); });
  ExpectMessage("MESSAGE3_DIALOG", {"Model file: " + sample,
                                    "This is the program's sample model, which is kept as it came.",
                                    "The model was not saved."});
  EXPECT_FALSE(SaveModel(nullptr));
  platform::CheckModalScript();
  EXPECT_EQ(Bytes(sample), shipped);
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_TRUE(TheModel().modified);

  // An earlier version stored the sample first in the list: it is dropped as
  // the list is read, and the sample opened by its path is untitled too.
  HKEY recent = RegCreateKeyChecked(HKEY_CURRENT_USER, (std::string(kCompanyKeyPath) + "\\" + kProductKeyName +
                                                        "\\" + SettingsVersionKeyName() + "\\Recent files")
                                                           .c_str());
  ASSERT_NE(recent, nullptr);
  RegSetInt(recent, "N", 2);
  RegSetText(recent, "1", sample);
  RegSetText(recent, "2", samplePath_);
  RegCloseKey(recent);
  ClearRecentModels();
  LoadProgramSettings();
  EXPECT_EQ(RecentModel(1), samplePath_);
  EXPECT_EQ(CountRecentModels(), 1);
  TheModel().modified = false;
  ASSERT_TRUE(OpenFileByExtension(nullptr, sample));
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_FALSE(listsSample());
  saveAsksWhere();

  // A link to the sample from the user's folder opens the same file: untitled.
  const std::string link = folder_ + "/shortcut.mod";
  std::filesystem::create_symlink(sample, link);
  TheModel().modified = false;
  ASSERT_TRUE(OpenFileByExtension(nullptr, link));
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_EQ(CurrentFileTitle(), "Untitled");
  EXPECT_NE(RecentModel(1), link);
  saveAsksWhere();
  ProgramFolder = savedFolder;
}

TEST_F(FileCommandsTest, NewModelHasTheTitleRowAndAnAnchoredFromNode) {
  OpenEdited();
  const std::string before = ModelBytes();
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  NewDocumentDialog(nullptr);
  EXPECT_EQ(ModelBytes(), before);

  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1001), BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  NewDocumentDialog(nullptr);
  const Model& model = TheModel();
  EXPECT_TRUE(model.path.empty());
  EXPECT_FALSE(model.modified);
  EXPECT_FALSE(CanUndo());
  ASSERT_EQ(model.rowCount, 2);
  EXPECT_EQ(model.row(1).elementType, ElementType::Comment);
  EXPECT_EQ(model.row(1).element->Text(), "Title = ");
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  EXPECT_EQ(model.row(2).node, 10);
  EXPECT_EQ(model.row(2).dataType, DataType::Anchor);
  const int node = FindNodeIndex(model.nodes, 10);
  ASSERT_NE(node, 0);
  EXPECT_EQ(model.nodes[node].x, 0.0f);
  EXPECT_EQ(model.nodes[node].y, 0.0f);
  EXPECT_EQ(model.nodes[node].z, 0.0f);
}

}  // namespace
