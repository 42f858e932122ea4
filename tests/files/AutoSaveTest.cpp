// Automatic save: the timer that the preferences start writes a modified
// model at the interval, under a name of its own in the default folder,
// byte for byte the model file after its header; it waits while a modal
// window is open; a save, a model no longer modified and a clean exit
// remove the file, an exit after an error keeps it. After a processor
// fault the next start offers the last automatic save and opens it under
// its path, modified; No deletes it; files of programs still running are
// never offered. The backup folder and automatic save chosen in a run that
// then crashed are in the store, so the next start finds that run's file;
// on a first start the question comes before the sample and alone. A
// recovered model ends at the check Open ends at.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "application/PreferencesSheet.h"
#include "editing/ModelWindows.h"
#include "files/AutoSaveTesting.h"
#include "files/ImportLogTesting.h"
#include "files/ModelFile.h"
#include "platform/PropertySheet.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"

namespace {

constexpr unsigned kMinute = 60u * 1000u;
constexpr int kPreferencesCommand = 348;
constexpr int kFolderEdit = 0x3744;  // the folder chooser's path field

class AutoSaveTest : public AutoSaveFixture {
 protected:
  static void EverySaveInterval(int minutes) {
    Preferences& p = ProgramPreferences();
    p.automaticSave = 1;
    p.saveInterval = minutes;
  }
  // The automatic save of a model: the header, the path, then the model.
  static std::string Expected(const std::string& modelPath, const std::string& modelBytes) {
    std::string bytes("QUORVELAUTOSAVE", 15);
    bytes.push_back('\0');
    const std::uint32_t length = modelPath.empty() ? 0u : static_cast<std::uint32_t>(modelPath.size() + 1);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(length >> (8 * i)));
    if (!modelPath.empty()) bytes += modelPath + '\0';
    return bytes + modelBytes;
  }
  std::string ModelBytes() {
    const std::string reference = InFolder("reference.mod");
    EXPECT_EQ(WriteModelFileFrom(TheModel(), reference), "");
    return Bytes(reference);
  }
  static std::string ProcessStart(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int index = 3; index <= 22; ++index) fields >> field;
    return field;
  }
};

TEST_F(AutoSaveTest, AModifiedModelIsWrittenAtTheIntervalUnderANameThatIsNoModel) {
  EverySaveInterval(2);
  Start();
  const std::string path = InFolder("pipe rack.mod");
  BuildModel(path);
  platform::AdvanceClock(2 * kMinute - 1000);
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
  platform::AdvanceClock(1000);
  const std::string written = DefaultBackupFolder() + "pipe rack." + AutomaticSaveInstance() + ".autosave";
  EXPECT_EQ(AutomaticSavePath(), written);
  ASSERT_EQ(Names(DefaultBackupFolder()), std::vector<std::string>{std::filesystem::path(written).filename().string()});
  EXPECT_EQ(Bytes(written), Expected(path, ModelBytes()));
  EXPECT_FALSE(Exists(path));  // the model file is the user's to write
  EXPECT_TRUE(TheModel().modified);
  // An untitled model is written too.
  TheModel().path.clear();
  platform::AdvanceClock(2 * kMinute);
  const std::string untitled = DefaultBackupFolder() + "Untitled." + AutomaticSaveInstance() + ".autosave";
  EXPECT_EQ(Names(DefaultBackupFolder()), std::vector<std::string>{std::filesystem::path(untitled).filename().string()});
  EXPECT_EQ(Bytes(untitled), Expected("", ModelBytes()));
  // A model that is no longer modified has no automatic save.
  TheModel().modified = false;
  platform::AdvanceClock(2 * kMinute);
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
}

TEST_F(AutoSaveTest, TheChosenFolderIsUsedAndTheSaveWaitsWhileAModalWindowIsOpen) {
  EverySaveInterval(1);
  ProgramPreferences().backupDirectory = InFolder("auto");
  Start();
  BuildModel(InFolder("a.mod"));
  EnableWindow(MainFrame().window, FALSE);  // as a modal dialog over it does
  platform::AdvanceClock(kMinute);
  EXPECT_TRUE(Names(InFolder("auto")).empty());
  EnableWindow(MainFrame().window, TRUE);
  platform::AdvanceClock(15 * 1000);
  EXPECT_EQ(Names(InFolder("auto")).size(), 1u);
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
  // Back at the interval afterwards.
  const std::string written = AutomaticSavePath();
  std::filesystem::remove(written);
  platform::AdvanceClock(kMinute - 1000);
  EXPECT_FALSE(Exists(written));
  platform::AdvanceClock(1000);
  EXPECT_TRUE(Exists(written));
  // Switched off, the timer stops.
  std::filesystem::remove(written);
  ProgramPreferences().automaticSave = 0;
  RestartAutomaticSave();
  platform::AdvanceClock(2 * kMinute);
  EXPECT_FALSE(Exists(written));
}

TEST_F(AutoSaveTest, SavingAndACleanExitRemoveTheFileAnExitAfterAnErrorKeepsIt) {
  EverySaveInterval(1);
  Start();
  BuildModel(InFolder("plant.mod"));
  ShowModelWindows();
  platform::AdvanceClock(kMinute);
  ASSERT_EQ(Names(DefaultBackupFolder()).size(), 1u);
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);  // File > Save
  EXPECT_TRUE(Exists(InFolder("plant.mod")));
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
  // Exit (File > Exit) without saving the changes.
  TheModel().modified = true;
  platform::AdvanceClock(kMinute);
  ASSERT_EQ(Names(DefaultBackupFolder()).size(), 1u);
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 110, 0);
  RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  started_ = false;
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
  // The last-chance handler of an error keeps the file for the next start.
  BuildModel(InFolder("plant.mod"));
  EXPECT_TRUE(AutomaticSaveNow());
  platform::ExpectModal(platform::ModalKind::MessageBox, "boom",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  ReportUncaughtMessage("boom");
  ExitApplication();
  EXPECT_EQ(Names(DefaultBackupFolder()).size(), 1u);
}

// The fault: a child process with a modified model and its automatic save
// dies of a processor fault; the next start offers that file.
TEST_F(AutoSaveTest, AfterAProcessorFaultTheNextStartOffersTheLastAutomaticSave) {
  const std::string path = InFolder("cooling water.mod");
  int errors[2];
  ASSERT_EQ(pipe(errors), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(errors[1], STDERR_FILENO);
    BuildModel(path);
    if (!AutomaticSaveNow()) _exit(3);
    TheModel().row(2).dx = 99.0f;  // edits after the last automatic save are lost
    InstallFaultHandlers();
    raise(SIGSEGV);
    _exit(4);
  }
  close(errors[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  char text[256] = {};
  const ssize_t read = ::read(errors[0], text, sizeof text - 1);
  close(errors[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(std::string(text, read > 0 ? static_cast<std::size_t>(read) : 0).rfind(
                "Quorvel: Error\nAccess violation\nat location  0x", 0),
            0u);
  ASSERT_EQ(Names(DefaultBackupFolder()).size(), 1u);
  BuildModel("");
  TheModel().modified = false;
  // Even on a first start the sample model does not replace the one opened.
  std::filesystem::remove(FirstRunMarkerPath());
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG", [path](HWND box) {
    const std::vector<std::string> lines = LinesOf(box);
    EXPECT_EQ(lines[0], "Quorvel was not closed normally.");
    EXPECT_EQ(lines[1], "The automatic save of  " + path);
    EXPECT_EQ(lines[2].rfind("from ", 0), 0u);
    EXPECT_EQ(lines[3], "Do you want to open it ?");
    EXPECT_EQ(lines[4], "(No deletes the automatic save.)");
    SendMessage(box, WM_COMMAND, IDOK, 0);  // Yes
  });
  Start();
  const Model& model = TheModel();
  EXPECT_EQ(model.path, path);
  EXPECT_TRUE(model.modified);
  ASSERT_EQ(model.rowCount, 4);
  EXPECT_FLOAT_EQ(model.row(2).dx, 12.0f);
  EXPECT_FLOAT_EQ(model.row(4).dx, 36.0f);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_FALSE(Exists(path));  // nothing written over the original
  // The file is this program's automatic save now: a save removes it.
  EXPECT_EQ(Names(DefaultBackupFolder()),
            std::vector<std::string>{std::filesystem::path(AutomaticSavePath()).filename().string()});
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  EXPECT_TRUE(Exists(path));
  EXPECT_TRUE(Names(DefaultBackupFolder()).empty());
}

TEST_F(AutoSaveTest, NoDeletesTheFileAndFilesOfRunningProgramsAreNeverOffered) {
  BuildModel(InFolder("old.mod"));
  const std::string older = LeaveFile("999999999-1");
  std::filesystem::last_write_time(older, std::filesystem::last_write_time(older) - std::chrono::hours(1));
  BuildModel("");
  // A process id used again: the start time differs, so its program ended.
  const std::string untitled = LeaveFile(std::to_string(getppid()) + "-1");
  BuildModel(InFolder("running.mod"));
  const std::string running = LeaveFile(std::to_string(getppid()) + "-" + ProcessStart(getppid()));
  Put(older + ".Ab12Cd", "half written");
  const std::vector<LeftAutomaticSave> left = FindLeftAutomaticSaves();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].file, untitled);
  EXPECT_EQ(left[0].modelPath, "");
  EXPECT_EQ(left[1].modelPath, InFolder("old.mod"));
  EXPECT_FALSE(Exists(older + ".Ab12Cd"));
  EXPECT_TRUE(Exists(running));
  // The untitled model comes back untitled and modified.
  BuildModel(InFolder("other.mod"));
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOf(box)[1], "The automatic save of  Untitled");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(OfferAutomaticSaveRecovery(nullptr));
  EXPECT_EQ(TheModel().path, "");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().rowCount, 4);
  EXPECT_FALSE(Exists(untitled));
  // No deletes the older one and leaves the open model alone.
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(OfferAutomaticSaveRecovery(nullptr));
  EXPECT_FALSE(Exists(older));
  EXPECT_EQ(TheModel().path, "");
  EXPECT_TRUE(Exists(running));
  EXPECT_FALSE(OfferAutomaticSaveRecovery(nullptr));  // nothing left to offer
}

TEST_F(AutoSaveTest, ADamagedFileIsNeverOfferedNorDeleted) {
  BuildModel(InFolder("d.mod"));
  const std::string left = LeaveFile("999999999-1");
  const std::string bytes = Bytes(left);
  Put(left, bytes.substr(0, 10));
  EXPECT_TRUE(FindLeftAutomaticSaves().empty());
  // A good header over a model cut short: offered, refused with a message,
  // and kept.
  Put(left, bytes.substr(0, bytes.size() / 2));
  ASSERT_EQ(FindLeftAutomaticSaves().size(), 1u);
  const int rows = TheModel().rowCount;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [left](HWND box) {
    EXPECT_EQ(LinesOf(box), (std::vector<std::string>{"Unable to read the automatic save:", left}));
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(OpenLeftAutomaticSave(nullptr, FindLeftAutomaticSaves()[0]));
  EXPECT_TRUE(Exists(left));
  EXPECT_EQ(TheModel().rowCount, rows);
}

// A left automatic save holding what an older build let a model keep (a
// material density of 1E-39) is refused as Open refuses it and kept, where
// it was once recovered and saved into a file Open refused: Save refuses
// such a model too. A time function value below 1E-37 is mended as Open
// mends it, with the note shown.
TEST_F(AutoSaveTest, ARecoveredModelEndsAtTheCheckOpenEndsAt) {
  BuildModel(InFolder("dense.mod"));
  TheModel().materials[1].density = 1.0e-39f;
  const std::string fault = "Material 1: the density 1E-39 is out of range (a value is zero, or from 1E-37 up to 1E38)";
  EXPECT_EQ(WriteModelFile(InFolder("dense.mod")), fault + "\nThe model was not saved.");
  const std::string left = LeaveFile("999999999-1");
  BuildModel(InFolder("other.mod"));
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [&](HWND box) {
    EXPECT_EQ(LinesOf(box), (std::vector<std::string>{"Automatic save: " + left, fault, "The model was not opened."}));
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(OpenLeftAutomaticSave(nullptr, FindLeftAutomaticSaves()[0]));
  EXPECT_TRUE(Exists(left) && !Exists(InFolder("dense.mod")));
  EXPECT_EQ(TheModel().path, InFolder("other.mod"));
  std::filesystem::remove(left);
  TheModel().timeFunctions.insert(TheModel().timeFunctions.begin(), TimeFunction{"F1", {{1.0f, 1.0e-40f}}});
  LeaveFile("999999999-2");
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [](HWND dialog) {
    EXPECT_EQ(ImportLogLines(dialog)[1], "Time functions: time function \"F1\", point 1: the value 1E-40 is below "
                                         "1E-37, the least a value may be but zero, and is taken as 0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(OpenLeftAutomaticSave(nullptr, FindLeftAutomaticSaves()[0]));
  EXPECT_EQ(TheModel().timeFunctions[0].points[0].y, kExplicitZero);
}

// A run chooses a backup folder and automatic save in the Preferences,
// through the main loop, and crashes before it exits: the choices are in
// the store already, and the next start, which reads them, finds the
// crashed run's automatic save in that folder and offers it.
TEST_F(AutoSaveTest, ChoicesMadeInARunThatCrashedAreStoredAndItsAutomaticSaveIsOffered) {
  const std::string chosen = InFolder("backups");
  std::filesystem::create_directories(chosen);
  Start();
  BuildModel(InFolder("crashed.mod"));
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [chosen](HWND sheet) {
    HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    CheckDlgButton(page, kAutoSaveCheck, BST_CHECKED);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(kAutoSaveCheck, BN_CLICKED), 0);
    SetDlgItemText(page, kIntervalField, "5");
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [chosen](HWND chooser) {
      SetDlgItemText(chooser, kFolderEdit, chosen.c_str());
      SendMessage(chooser, WM_COMMAND, IDOK, 0);
    });
    SendMessage(page, WM_COMMAND, MAKEWPARAM(kFolderButton, BN_CLICKED), 0);
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  PostMessage(MainFrame().window, WM_COMMAND, kPreferencesCommand, 0);
  // The loop runs until the store on disk holds the folder (or 20 s pass);
  // the program never exits.
  std::atomic<bool> stored{false};
  std::thread watcher([&stored, chosen, gui = GuiThreadId] {
    for (int i = 0; i < 2000 && !stored; ++i) {
      if (Bytes(RegistryFilePath()).find(chosen) != std::string::npos) stored = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    PostThreadMessage(gui, WM_QUIT, 0, 0);
  });
  RunMessageLoop();
  watcher.join();
  platform::CheckModalScript();
  ASSERT_TRUE(stored);
  EXPECT_EQ(BackupFolder(), chosen + "/");
  // The crashed run's automatic save, under the tag of a program that ended.
  const std::string left = LeaveFile("999999999-1");
  EXPECT_EQ(std::filesystem::path(left).parent_path(), std::filesystem::path(chosen));
  const std::string storeAtCrash = Bytes(RegistryFilePath());

  // The process is gone; what it left on disk is what the next start finds.
  TheModel().modified = false;
  PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  started_ = false;
  platform::Shutdown();
  MainFrame() = Frame(kPlacementMain);
  LayoutFrame() = Frame(kPlacementLayout);
  ListFrame() = Frame(kPlacementList);
  ResultsFrame() = Frame(kPlacementResults);
  GraphicsFrame() = Frame(kPlacementGraphics);
  Put(RegistryFilePath(), storeAtCrash);
  RegistryReloadForTests();
  ForgetSettingsAsRead();
  ProgramPreferences() = Preferences{};

  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOf(box)[0], "Quorvel was not closed normally.");
    SendMessage(box, WM_COMMAND, IDOK, 0);  // Yes
  });
  Start();
  EXPECT_EQ(ProgramPreferences().backupDirectory, chosen);
  EXPECT_EQ(ProgramPreferences().automaticSave, 1);
  EXPECT_EQ(ProgramPreferences().saveInterval, 5);
  EXPECT_EQ(TheModel().path, InFolder("crashed.mod"));
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().rowCount, 4);
}

// A first start (no marker) after a crash: the recovery question is the one
// window waiting; the sample has not opened over it while it waits. After
// No, the sample opens (untitled), as nothing was recovered and no file was
// named.
TEST_F(AutoSaveTest, OnAFirstStartTheRecoveryQuestionComesAloneAndTheSampleOnlyAfterNo) {
  BuildModel(InFolder("first.mod"));
  const std::string left = LeaveFile("999999999-1");
  InitEmptyModel(TheModel(), AnalysisOptions());
  TheModel().path.clear();
  TheModel().modified = false;
  std::filesystem::remove(FirstRunMarkerPath());
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG", [](HWND box) {
    // What waits in the queue is served while the question is up, as on
    // a screen.
    MSG message{};
    for (int i = 0; i < 100 && PeekMessage(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    EXPECT_EQ(TheModel().path, "");
    EXPECT_EQ(TheModel().rowCount, 0);
    EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
    SendMessage(box, WM_COMMAND, IDCANCEL, 0);  // No
  });
  Start();
  platform::CheckModalScript();
  EXPECT_FALSE(Exists(left));
  // The sample, opened untitled.
  EXPECT_EQ(TheModel().path, "");
  EXPECT_GT(TheModel().rowCount, 0);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
}

}  // namespace
