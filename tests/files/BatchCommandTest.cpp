// The roads into the batch import: File > Import of the main window (the
// file dialog, the overwrite question, a refused file leaving the open model
// as it was, the neutral-file filters) and the command line, run in-process
// with its dialogs answered and as the real program without a display, with
// its exit codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AutoSaveTesting.h"
#include "BatchTesting.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "shell/AppTesting.h"
#include "shell/TempFiles.h"
#include "x11/ChildProcess.h"

namespace {

const char* const kGoodFile =
    "Import plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,700,25.5E6,7.44E-6,16500\n"
    "PIPE\nS1,8.625,0.322\nLOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10\nT30,KI,X5\nT40,Z-8,CFY\n"
    "T50,Z-4,KA\n";
// Line 4 is refused.
const char* const kBadFile = "Bad plant\nPIPE\nS1,8.625,0.322\nS2,2,1.5\nLAYOUT\nF10\n";

class BatchCommandTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    CloseModel();
    BatchRun = false;
    MessagesToStandardError = false;
    g_UnitsSettings = UnitsSettings{};
    AutoSaveFixture::TearDown();
  }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = InFolder(name);
    Put(path, text);
    return path;
  }
  // The Import dialog, with the file typed in.
  static void ExpectImportDialog(const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Model from Batch File", [path](HWND dialog) {
      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Import");
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
  }
  // File > Import, and every modal window the script expects.
  static void RunImport() {
    SendMessage(MainFrame().window, WM_COMMAND, 350, 0);
    platform::CheckModalScript();
  }
  static void Import(const std::string& path) {
    ExpectImportDialog(path);
    RunImport();
  }
  static void ExpectMessage(const std::string& name, const std::vector<std::string>& lines, int button = IDOK) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines, button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), lines);
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
  std::string ModelBytes() {
    const std::string path = InFolder("compare.mod");
    EXPECT_EQ(WriteModelFileFrom(TheModel(), path), "");
    return Bytes(path);
  }
};

TEST_F(BatchCommandTest, ImportShowsTheModelWrittenBesideTheFileAndARefusedFileLeavesItAsItWas) {
  Start();
  Import(Write("plant.mbf", std::string(kGoodFile).replace(std::string(kGoodFile).find("B313"), 4, "B313,SI")));
  EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.title, "Import plant");
  ASSERT_EQ(written.rowCount, 6);
  const std::string before = ModelBytes();

  ExpectImportDialog(Write("bad.mbf", kBadFile));
  ExpectMessage("MESSAGE2_DIALOG", {"Line = 4 :  S2,2,1.5", "Thickness is greater than radius"});
  RunImport();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Model from Batch File",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  RunImport();
  EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
  EXPECT_EQ(ModelBytes(), before);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMillimetre);  // the open model's units
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));
}

TEST_F(BatchCommandTest, AnExistingModelFileIsReplacedOnlyWhenTheUserSaysSo) {
  Start();
  const std::string path = Write("plant.mbf", kGoodFile);
  const std::string model = Write("plant.mod", "an older file");
  const std::string question = model + " already exists";
  ExpectImportDialog(path);
  ExpectMessage("MESSAGE2_DIALOG", {question, "Do you want to overwrite ?"}, IDCANCEL);  // No
  RunImport();
  EXPECT_EQ(Bytes(model), "an older file");
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().rowCount, 6);

  // The modified model is offered for saving first; then Yes replaces the file.
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  ExpectImportDialog(path);
  ExpectMessage("MESSAGE2_DIALOG", {question, "Do you want to overwrite ?"}, IDOK);  // Yes
  RunImport();
  EXPECT_EQ(TheModel().path, model);
  EXPECT_FALSE(TheModel().modified);
  Model written;
  ReadModelFileInto(model, written);
  EXPECT_EQ(written.rowCount, 6);
}

TEST_F(BatchCommandTest, TheChosenFilterDecidesTheReader) {
  Start();
  const std::string path = Write("plant.mbf", kGoodFile);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Model from Batch File", [path](HWND dialog) {
    SetFocus(GetDlgItem(dialog, cmb1));
    platform::TestKeyPress(VK_DOWN);  // "Flowmir neutral file (*.pnf)"
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  ExpectMessage("MESSAGE1_DIALOG", {"Importing neutral files is not available yet."});
  RunImport();
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_FALSE(std::filesystem::exists(InFolder("plant.mod")));
}

// The program started with `line`, run to its end; its exit code.
int RunCommandLine(const std::string& line) {
  InitApplication(line);
  platform::CheckModalScript();
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));  // a batch run shows no model windows
  const int code = RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  platform::Shutdown();
  return code;
}

TEST_F(BatchCommandTest, TheCommandLineWritesTheModelAnalysesItAndEndsWithItsResultsOrCodeOne) {
  // Imported, written and analysed without a question; closing the program
  // then ends the run with code 0.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) {
    platform::RunUntilIdle();
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunCommandLine(Write("plant.mbf", kGoodFile)), 0);
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.rowCount, 6);
  EXPECT_TRUE(std::filesystem::exists(InFolder("plant.res")));

  ExpectMessage("MESSAGE2_DIALOG", {"Line = 4 :  S2,2,1.5", "Thickness is greater than radius"});
  EXPECT_EQ(RunCommandLine("\"" + Write("bad.mbf", kBadFile) + "\""), 1);
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));
}

// The real program with no display: messages on the standard error stream,
// the exit code the run ended with.
class BatchCommandLineTest : public BatchCommandTest {
 protected:
  struct Run {
    int exitCode = -1;
    std::string standardError;
  };
  Run RunProgram(const std::string& argument) {
    const std::string errors = InFolder("stderr.txt");
    const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildOptions options;
    options.stderrFd = fd;
    options.environment = {
        {"QUORVEL_DISPLAY", "headless"},
        {"DISPLAY", ""},
        {"LSAN_OPTIONS", std::string("suppressions=") + QUORVEL_SOURCE_DIR + "/tests/lsan.supp:print_suppressions=0"}};
    ChildProcess program;
    Run run;
    const bool started = program.Start({QUORVEL_BINARY_DIR "/quorvel", argument}, options);
    close(fd);
    int status = 0;
    if (started && program.WaitFor(60000, &status) && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.standardError = Bytes(errors);
    return run;
  }
};

TEST_F(BatchCommandLineTest, WithoutADisplayEveryEndSaysWhyOnStandardErrorWithItsExitCode) {
  // Imported, written and analysed: code 0, the results file beside it.
  const Run good = RunProgram(Write("plant.mbf", kGoodFile));
  EXPECT_EQ(good.exitCode, 0) << good.standardError;
  EXPECT_TRUE(std::filesystem::exists(InFolder("plant.res")));
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.rowCount, 6);

  const Run bad = RunProgram(Write("bad.mbf", kBadFile));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.standardError.find("Line = 4 :  S2,2,1.5\nThickness is greater than radius"), std::string::npos)
      << bad.standardError;
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));

  const Run missing = RunProgram(InFolder("missing.MBF"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.standardError.find("Unable to open import file:\n" + InFolder("missing.MBF")), std::string::npos)
      << missing.standardError;
}

}  // namespace
