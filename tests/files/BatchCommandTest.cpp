// The roads into the batch import: File > Import of the main window (the
// file dialog, the overwrite question, a refused file leaving the open model
// as it was, the neutral-file filters) and the command line, run in-process
// with its dialogs answered and as the real program without a display, with
// its exit codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "analysis/AnalysisWindow.h"
#include "editing/LayoutTable.h"
#include "files/AutoSaveTesting.h"
#include "files/BatchTesting.h"
#include "files/CiiImport.h"
#include "files/CiiSample.h"
#include "files/FileCommands.h"
#include "files/ImportLogTesting.h"
#include "files/ModelFile.h"
#include "files/NeutralImport.h"
#include "files/NeutralSamples.h"
#include "model/ModelLoadCases.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "results/ResultsMode.h"
#include "resultsfile/ResultsFile.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"
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
    g_BatchRun = false;
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

// Input that the import once dropped or mistook without a word is refused
// through File > Import with its line: an offset on a hinge, a pump
// description one character over what the model file keeps, an unknown
// flange code and a spectrum name one over. The open model, its file and
// its units stay as they were, and nothing is written beside the batch file.
TEST_F(BatchCommandTest, DroppedOrMistakenInputIsRefusedAndTheOpenModelStaysAsItWas) {
  Start();
  const std::string good = std::string(kGoodFile).replace(std::string(kGoodFile).find("B313"), 4, "B313,SI");
  Import(Write("plant.mbf", good));
  ASSERT_EQ(TheModel().path, InFolder("plant.mod"));
  const std::string before = ModelBytes();
  const std::string plantFile = Bytes(InFolder("plant.mod"));
  const std::string spectrum(32, 'S');
  struct Bad {
    const char* name;
    std::string line;  // line 18, after the good file's 17
    std::string message;
  };
  const Bad kBad[] = {
      {"hinge", "T60,KH,X5,CHS=1000,DV(0,0,1)", "For a Hinge joint DX, DY, DZ should be zero :  X5"},
      {"location", "L40,Y1,CFZ", "For Location, DX, DY, DZ should be zero :  Y1"},
      {"flange", "T60,X5,CFLANGE=ZZ", "Invalid flange type :  ZZ"},
      {"spectrum", "T60,X5,CSPECX=" + spectrum, "Spectrum name should be <= 31 characters :  SPECX=" + spectrum},
      {"pump", "PUMPS\nP-101 FEED PUMPS,1,10,20", "Pump desc should be <= 15 characters :  P-101 FEED PUMPS"},
  };
  for (const Bad& bad : kBad) {
    SCOPED_TRACE(bad.name);
    const std::string last = bad.line.substr(bad.line.rfind('\n') + 1);
    const int line = bad.line.find('\n') == std::string::npos ? 18 : 19;
    ExpectImportDialog(Write(std::string(bad.name) + ".mbf", std::string(kGoodFile) + bad.line + "\n"));
    ExpectMessage("MESSAGE2_DIALOG", {"Line = " + std::to_string(line) + " :  " + last, bad.message});
    RunImport();
    EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
    EXPECT_EQ(ModelBytes(), before);
    EXPECT_EQ(Bytes(InFolder("plant.mod")), plantFile);
    EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMillimetre);
    EXPECT_FALSE(std::filesystem::exists(InFolder(std::string(bad.name) + ".mod")));
  }
}

TEST_F(BatchCommandTest, EquipmentAndAllowableLoadsImportedThroughTheCommandReachTheModelFile) {
  Start();
  Import(Write("equip.mbf", std::string(kGoodFile) +
                                "PUMPS\nP-101 FEED,1,10,20\nCOMPRESSORS\nK-1,0,1,0,30,40\nTURBINES\nT-1,1,0,0,,50\n"
                                "ALLOW\n50,1000,1100,1200,2000,2100,2200\n"));
  Model written;
  ReadModelFileInto(InFolder("equip.mod"), written);
  ASSERT_EQ(written.pumps.count, 1);
  EXPECT_EQ(written.pumps[1].name, "P-101 FEED");
  EXPECT_EQ(written.pumps[1].dischargeNode, 20);
  ASSERT_EQ(written.compressors.count, 1);
  EXPECT_EQ(written.compressors[1].exhaustNode, 40);
  ASSERT_EQ(written.turbines.count, 1);
  EXPECT_EQ(written.turbines[1].exhaustNode, 50);
  ASSERT_EQ(written.allowables.count, 1);
  EXPECT_EQ(written.allowables[1].values[2], 1200.0f);      // lb
  EXPECT_EQ(written.allowables[1].values[5], 2200.0f * 12);  // ft-lb held as in-lb
  const std::string before = ModelBytes();

  // A refused equipment line leaves the open model and its file as they were.
  ExpectImportDialog(Write("bad.mbf", std::string(kGoodFile) + "COMPRESSORS\nK-1,0,0,0,30\n"));
  ExpectMessage("MESSAGE2_DIALOG", {"Line = 19 :  K-1,0,0,0,30", "shaft axis direction required"});
  RunImport();
  EXPECT_EQ(TheModel().path, InFolder("equip.mod"));
  EXPECT_EQ(ModelBytes(), before);
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

// The filter chosen picks the reader, whatever the file's extension: a
// batch file read as a neutral file is refused, a neutral file becomes a
// model written beside it, and the CAESAR II reader refuses it too.
void ChooseFilter(const std::string& path, int downs) {
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Model from Batch File", [path, downs](HWND dialog) {
    SetFocus(GetDlgItem(dialog, cmb1));
    for (int i = 0; i < downs; ++i) platform::TestKeyPress(VK_DOWN);
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
}

TEST_F(BatchCommandTest, TheChosenFilterDecidesTheReader) {
  Start();
  const std::string path = Write("plant.mbf", kGoodFile);
  ChooseFilter(path, 1);  // "Flowmir neutral file (*.pnf)"
  ExpectMessage("MESSAGE2_DIALOG", {"Line = 4 :  MATERIAL", "Material name is required"});
  RunImport();
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_FALSE(std::filesystem::exists(InFolder("plant.mod")));

  ChooseFilter(path, 2);  // "CAESAR II neutral file (*.cii)"
  ExpectMessage("MESSAGE3_DIALOG", {"line = 1", "Import plant", "#$ VERSION not found"});
  RunImport();
  EXPECT_FALSE(std::filesystem::exists(InFolder("plant.mod")));
}

TEST_F(BatchCommandTest, ANeutralFileImportedThroughTheCommandIsWrittenBesideItAndReopensByteForByte) {
  Start();
  const std::string text =
      "TITLE pnf plant\nUNIT ENGLISH\nGLOBAL B31.3 70\nMATERIAL CS\nLOAD L1 300 150\nPIPE S1 8 40 8.625 0.322\n"
      "FROM A 0 0 0 S1 CS L1\nTO B 10 0 0\nTO C 0 10 0 LONG\nTO D 0 0 5\nANCHOR A\nRIGID B\nGUIDE C NEAR\n"
      "ANCHOR D\nWIDGET D\n";
  const std::string path = Write("plant.pnf", text);
  ChooseFilter(path, 1);
  // The log: the placeholder temperature table and the unknown record.
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [](HWND dialog) {
    const std::vector<std::string> lines = ImportLogLines(dialog);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "The import gave 2 warnings:");
    EXPECT_EQ(lines[1].rfind("Line 4: material CS takes a placeholder temperature table", 0), 0u);
    EXPECT_EQ(lines[2], "Line 15: unknown record WIDGET: not taken");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  RunImport();
  EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  ASSERT_EQ(TheModel().rowCount, 9);
  const std::string first = Bytes(InFolder("plant.mod"));
  Model reopened;
  ReadModelFileInto(InFolder("plant.mod"), reopened);
  EXPECT_EQ(reopened.rowCount, 9);
  ASSERT_EQ(WriteModelFileFrom(reopened, InFolder("again.mod")), "");
  EXPECT_EQ(Bytes(InFolder("again.mod")), first);

  // The imported pipes, bend, anchors and restraints analyse.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, true));
  platform::CheckModalScript();
  EXPECT_TRUE(std::filesystem::exists(InFolder("plant.res")));

  // Importing again asks before the model file is replaced.
  ChooseFilter(path, 1);
  ExpectMessage("MESSAGE2_DIALOG", {InFolder("plant.mod") + " already exists", "Do you want to overwrite ?"}, IDCANCEL);
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });  // the log
  RunImport();
  EXPECT_EQ(Bytes(InFolder("plant.mod")), first);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(BatchCommandTest, ACaesarNeutralFileImportedThroughTheCommandIsWrittenBesideItAndARefusalWritesNothing) {
  Start();
  CiiSample sample;
  CiiSampleElement pipe;
  pipe.from = 10;
  pipe.to = 20;
  pipe.dx = 120;
  sample.elements.push_back(pipe);
  pipe.from = 20;
  pipe.to = 30;
  pipe.dx = 0;
  pipe.dy = 120;
  pipe.bend = 1;
  sample.elements.push_back(pipe);
  pipe.from = 30;
  pipe.to = 40;
  pipe.dy = 0;
  pipe.dz = 120;
  pipe.bend = 0;
  sample.elements.push_back(pipe);
  sample.bends.push_back({12, 0, 0, 0, 0, 0});
  sample.restraints.push_back({10, 1});
  sample.restraints.push_back({20, 3});
  sample.restraints.push_back({40, 1});
  const std::string path = Write("plant.cii", sample.Text());
  ChooseFilter(path, 2);
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [](HWND dialog) {
    const std::vector<std::string> lines = ImportLogLines(dialog);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "The import gave 1 warning:");
    EXPECT_NE(lines[1].find("takes a placeholder temperature table"), std::string::npos);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  RunImport();
  EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.rowCount, TheModel().rowCount);
  EXPECT_EQ(written.title, "CII PLANT");
  // The reader selects the modal case, as the file's program runs it; the
  // static cases are what this test analyses.
  EXPECT_EQ(TheModel().loadCases.selected[30], 1);
  TheModel().loadCases.selected[30] = 0;
  BuildLoadCases(TheModel());
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, true));
  platform::CheckModalScript();
  EXPECT_TRUE(std::filesystem::exists(InFolder("plant.res")));

  // A refused file: its line and message, no model file, the open model kept.
  const std::string before = ModelBytes();
  sample.versionText = "0 10.01";
  ChooseFilter(Write("bad.cii", sample.Text()), 2);
  ExpectMessage("MESSAGE3_DIALOG", {"line = 2", "0 10.01", "Cannot Import CAESAR II Neutral file with Rversion > 10.0"});
  RunImport();
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));
  EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
  EXPECT_EQ(ModelBytes(), before);
}

// Every record kind of both formats through File > Import: the command
// shows the reader's own log, and the model written beside the file holds
// the converted kinds, reads back byte for byte and analyses.
TEST_F(BatchCommandTest, EveryRecordKindOfBothFormatsImportsThroughTheCommandAndReopensByteForByte) {
  Start();
  struct Format {
    std::string name;
    std::string text;
    int filter;
    std::vector<std::string> (*read)(const std::string&, int&);
  };
  const Format formats[] = {
      {"kinds.pnf", kEveryKindPnf, 1,
       [](const std::string& text, int& rows) {
         std::istringstream input(text);
         std::vector<std::string> log;
         Model model;
         ReadPnfFile(input, model, log);
         rows = model.rowCount;
         return log;
       }},
      {"plant-kinds.cii", EveryKindCii().Text(), 2,
       [](const std::string& text, int& rows) {
         std::istringstream input(text);
         std::vector<std::string> log;
         Model model;
         ReadCiiFile(input, model, log);
         rows = model.rowCount;
         return log;
       }},
  };
  for (const Format& format : formats) {
    SCOPED_TRACE(format.name);
    int rows = 0;
    const std::vector<std::string> log = format.read(format.text, rows);
    g_UnitsSettings = UnitsSettings{};
    ASSERT_GE(log.size(), 2u);
    const std::string path = Write(format.name, format.text);
    ChooseFilter(path, format.filter);
    // Every entry of the log, none left behind a count.
    platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [&log](HWND dialog) {
      const std::vector<std::string> lines = ImportLogLines(dialog);
      ASSERT_EQ(lines.size(), log.size() + 1);
      EXPECT_EQ(lines[0], "The import gave " + std::to_string(log.size()) + " warnings:");
      for (std::size_t i = 0; i < log.size(); ++i) EXPECT_EQ(lines[i + 1], log[i]);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    RunImport();
    const std::string modelPath = path.substr(0, path.size() - 3) + "mod";
    ASSERT_EQ(TheModel().path, modelPath);
    EXPECT_EQ(TheModel().rowCount, rows);
    std::vector<bool> elements(kElementTypeLast + 1), items(kDataTypeLast + 1);
    for (int n = 1; n <= TheModel().rowCount; ++n) {
      elements[static_cast<std::size_t>(TheModel().row(n).elementType)] = true;
      items[static_cast<std::size_t>(TheModel().row(n).dataType)] = true;
    }
    if (format.filter == 1) {
      for (ElementType type : {ElementType::BallJoint, ElementType::Valve, ElementType::CutPipe,
                               ElementType::Reducer, ElementType::Bellows, ElementType::Bend})
        EXPECT_TRUE(elements[static_cast<std::size_t>(type)]) << static_cast<int>(type);
      for (DataType type : {DataType::Hanger, DataType::SkewedRestraint, DataType::LimitStop, DataType::Snubber,
                            DataType::Guide, DataType::Anchor, DataType::Flange, DataType::BranchSif})
        EXPECT_TRUE(items[static_cast<std::size_t>(type)]) << static_cast<int>(type);
    } else {
      for (ElementType type : {ElementType::HydrotestLoad, ElementType::BallJoint, ElementType::Valve,
                               ElementType::Rigid, ElementType::Reducer, ElementType::Bend})
        EXPECT_TRUE(elements[static_cast<std::size_t>(type)]) << static_cast<int>(type);
      for (DataType type : {DataType::Nozzle, DataType::Weld, DataType::ThreadedJoint, DataType::Hanger,
                            DataType::Guide, DataType::Anchor, DataType::Restraint})
        EXPECT_TRUE(items[static_cast<std::size_t>(type)]) << static_cast<int>(type);
    }
    const std::string first = Bytes(modelPath);
    Model reopened;
    ReadModelFileInto(modelPath, reopened);
    EXPECT_EQ(reopened.rowCount, rows);
    ASSERT_EQ(WriteModelFileFrom(reopened, InFolder("again.mod")), "");
    EXPECT_EQ(Bytes(InFolder("again.mod")), first);
    // Every kind analyses (the modal case the .cii asks for aside).
    TheModel().loadCases.selected[30] = 0;
    BuildLoadCases(TheModel());
    platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
    EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, true));
    platform::CheckModalScript();
    EXPECT_TRUE(std::filesystem::exists(modelPath.substr(0, modelPath.size() - 3) + "res"));
  }
}

// The program started with `line`, run to its end; its exit code. `atStart`
// looks at the program once the start-up is over and may end it.
int RunCommandLine(const std::string& line, const std::function<void()>& atStart = {}) {
  InitApplication(line);
  platform::CheckModalScript();
  if (atStart) atStart();
  const int code = RunMessageLoop();
  EndGraphicsThread();
  ExitApplication();
  platform::Shutdown();
  return code;
}

TEST_F(BatchCommandTest, TheCommandLineWritesTheModelAnalysesItAndEndsInTheModelAndItsResults) {
  // Imported, written and analysed without a question, then the model in
  // the Layout window and its results opened over it, as the Analyze
  // command opens them: the Results window and its chooser.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  const std::string path = Write("plant.mbf", kGoodFile);
  const int code = RunCommandLine(path, [&] {
    std::vector<std::string> choices;
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG", [&choices](HWND dialog) {
      for (int id = 1401; id <= 1406; ++id) choices.push_back(TextOfWindow(GetDlgItem(dialog, id)));
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1406, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1406)));
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_EQ(choices.back(), "&Displacements");
    EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
    EXPECT_FALSE(IsWindowVisible(MainFrame().window));
    // Its results shown, the titles name the results file.
    EXPECT_EQ(TextOfWindow(LayoutFrame().window), "Quorvel : Layout  (6)  -  [plant.res (" + folder_.string() + ")]");
    EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
    ASSERT_EQ(TheModel().rowCount, 6);
    for (int row = 2; row <= 6; ++row)
      EXPECT_EQ(TheLayoutTable().CellText(row, 1, 0), std::to_string(10 * (row - 1))) << "row " << row;
    ASSERT_TRUE(InResultsMode());
    EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
    EXPECT_EQ(TheResults().elementCount, 5);  // the results read back are the model's
    EXPECT_NE(TextOfWindow(ResultsFrame().window).find("Displacements"), std::string::npos)
        << TextOfWindow(ResultsFrame().window);
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(code, 0);
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.rowCount, 6);
  EXPECT_TRUE(std::filesystem::exists(InFolder("plant.res")));

  ExpectMessage("MESSAGE2_DIALOG", {"Line = 4 :  S2,2,1.5", "Thickness is greater than radius"});
  EXPECT_EQ(RunCommandLine("\"" + Write("bad.mbf", kBadFile) + "\"",
                           [] { EXPECT_FALSE(IsWindowVisible(LayoutFrame().window)); }),
            1);
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));
}

// The automatic save a crashed run left waits for an interactive start: a
// command-line batch run asks no recovery question over its results (a Yes
// would put the crashed model in place of the batch model), its model stays
// the open one, and the save is still there for the next start.
TEST_F(BatchCommandTest, ACommandLineBatchRunOffersNoRecoveryAndKeepsItsModel) {
  BuildModel(InFolder("crashed.mod"));
  ASSERT_TRUE(AutomaticSaveNow());
  std::string left = AutomaticSavePath();
  left.replace(left.find(AutomaticSaveInstance()), AutomaticSaveInstance().size(), "999999999-1");
  std::filesystem::rename(AutomaticSavePath(), left);
  RemoveAutomaticSave();
  InitEmptyModel(TheModel(), AnalysisOptions());
  TheModel().path.clear();
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  const std::string path = Write("plant.mbf", kGoodFile);
  const int code = RunCommandLine(path, [&] {
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1406, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1406)));
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_EQ(TheModel().path, InFolder("plant.mod"));
    EXPECT_EQ(TheModel().rowCount, 6);
    EXPECT_TRUE(InResultsMode());
    EXPECT_TRUE(Exists(left));
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(Exists(left));
  std::filesystem::remove(left);
}

// Once a batch run has shown its results, the session is an ordinary one:
// File > Print of the Layout window over the results shown asks with the
// "Print Results" sheet, and its "To &File" asks for the file, as in any
// session; the report goes to the file chosen, announced, and nothing goes
// to a CSV file of the batch run's own. The model and results files stay as
// the run wrote them.
TEST_F(BatchCommandTest, AfterABatchRunAReportAsksForItsFileAsInAnyOtherSession) {
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  const std::string path = Write("plant.mbf", kGoodFile);
  const std::string chosen = InFolder("chosen.txt");
  const int code = RunCommandLine(path, [&] {
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1406, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1406)));
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    ASSERT_TRUE(InResultsMode());
    const std::string model = Bytes(InFolder("plant.mod")), results = Bytes(InFolder("plant.res"));
    bool sheetShown = false, fileAsked = false;
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&sheetShown](HWND sheet) {
      sheetShown = true;
      SendMessage(sheet, WM_COMMAND, 1002, 0);  // "To &File"
    });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [&](HWND dialog) {
      fileAsked = true;
      SetDlgItemText(dialog, edt1, chosen.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    std::string notice;
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [&notice](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      notice = shown;
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);  // File > Print
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_TRUE(sheetShown);
    EXPECT_TRUE(fileAsked);
    EXPECT_EQ(notice, "txt written.");
    EXPECT_FALSE(g_BatchRun);
    EXPECT_FALSE(Exists(InFolder("plant_report.csv")));
    const std::string report = Bytes(chosen);
    EXPECT_NE(report.find("Quorvel"), std::string::npos) << report.substr(0, 200);
    EXPECT_EQ(report.find("Quorvel,plant"), std::string::npos);  // text, not the batch run's CSV
    EXPECT_EQ(Bytes(InFolder("plant.mod")), model);
    EXPECT_EQ(Bytes(InFolder("plant.res")), results);
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(code, 0);
}

TEST_F(BatchCommandTest, OnlyTheExtensionMakesABatchFile) {
  for (const char* name : {"plant.mbf", "C:\\Models\\Plant.MBF", "\"/data/line 2.Mbf\"", "/a.b/line.mbf  "})
    EXPECT_TRUE(IsBatchFileName(name)) << name;
  for (const char* name : {"plant.mbf.old/Sample.mod", "line.mbf.mod", "plant.mbf.bak", "/x.mbf/plant", "mbf", ""})
    EXPECT_FALSE(IsBatchFileName(name)) << name;

  // A model under a folder whose name holds ".mbf", and one whose name
  // does, open as models and stay as they were.
  std::filesystem::create_directories(InFolder("plant.mbf.old"));
  Model model;
  std::istringstream text(kGoodFile);
  std::vector<std::string> log;
  ReadModelBatchFile(text, model, log);
  for (const std::string& name : {std::string("plant.mbf.old/Sample.mod"), std::string("line.mbf.mod")}) {
    const std::string path = InFolder(name);
    ASSERT_EQ(WriteModelFileFrom(model, path), "");
    const std::string bytes = Bytes(path);
    EXPECT_EQ(RunCommandLine(path,
                             [&] {
                               EXPECT_EQ(TheModel().path, path);
                               EXPECT_EQ(TheModel().rowCount, 6);
                               PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
                             }),
              0);
    EXPECT_EQ(Bytes(path), bytes) << name;
  }
}

TEST_F(BatchCommandTest, AnImportNeverWritesOverTheFileItReads) {
  // A batch file named .mod, chosen in the Import dialog: its model file
  // would be itself.
  Start();
  const std::string path = Write("plant.mod", kGoodFile);
  ExpectImportDialog(path);
  ExpectMessage("MESSAGE3_DIALOG", {"The model would be written over the file it is imported from:", path,
                                    "Give the file to import an extension other than .mod."});
  RunImport();
  EXPECT_EQ(Bytes(path), kGoodFile);
  EXPECT_EQ(TheModel().rowCount, 0);
}

TEST_F(BatchCommandTest, AFileThatIsNoBatchFileIsRefusedBeforeAnythingIsWritten) {
  // Each leaves the model file of the same name as it was, and the run ends
  // with code 1.
  const std::string older = "an older model";
  const std::string noHeader[] = {"The file holds no section header (OPTIONS, MATERIAL, PIPE, LOADS, LAYOUT ...):",
                                  "it is not a model batch file."};
  struct Case {
    std::string bytes;
    std::vector<std::string> message;
  };
  const Case cases[] = {
      {"", {noHeader[0], noHeader[1]}},
      {"just a title\n", {noHeader[0], noHeader[1]}},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {"Line = 2 :  ?", "Invalid character (code 26) in column 1"}},
      {std::string("\xFF\xFEO\0P\0T\0", 8), {"The file is UTF-16 text.", "Save it as plain text and import it again."}},
      {std::string("O\0P\0T\0\n\0", 8), {"Line = 1 :  O?P?T?", "Invalid character (code 0) in column 2"}},
  };
  for (const Case& test : cases) {
    const std::string model = Write("plant.mod", older);
    ExpectMessage("MESSAGE2_DIALOG", test.message);
    EXPECT_EQ(RunCommandLine(Write("plant.mbf", test.bytes)), 1);
    EXPECT_EQ(Bytes(model), older);
    EXPECT_FALSE(Exists(InFolder("plant.res")));
  }
}

// The real program with no display: messages on the standard error stream,
// the exit code the run ended with.
class BatchCommandLineTest : public BatchCommandTest {
 protected:
  struct Run {
    int exitCode = -1;
    std::string standardError;
  };
  // `headless` false: nobody asked for a run without a display either.
  Run RunProgram(const std::string& argument, bool headless = true) {
    const std::string errors = InFolder("stderr.txt");
    const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildOptions options;
    options.stderrFd = fd;
    options.environment = {
        {"QUORVEL_DISPLAY", headless ? "headless" : ""},
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
  // No report is printed that nobody asked for.
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    EXPECT_NE(entry.path().extension(), ".csv") << entry.path();
  Model written;
  ReadModelFileInto(InFolder("plant.mod"), written);
  EXPECT_EQ(written.rowCount, 6);
  // With DISPLAY unset and no headless run asked for, a batch file's run
  // still ends by itself, with its model and results written.
  const Run unasked = RunProgram(Write("line.mbf", kGoodFile), false);
  EXPECT_EQ(unasked.exitCode, 0) << unasked.standardError;
  EXPECT_TRUE(std::filesystem::exists(InFolder("line.mod")));
  EXPECT_TRUE(std::filesystem::exists(InFolder("line.res")));

  const Run bad = RunProgram(Write("bad.mbf", kBadFile));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.standardError.find("Line = 4 :  S2,2,1.5\nThickness is greater than radius"), std::string::npos)
      << bad.standardError;
  EXPECT_FALSE(std::filesystem::exists(InFolder("bad.mod")));

  const Run missing = RunProgram(InFolder("missing.MBF"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.standardError.find("Unable to open import file:\n" + InFolder("missing.MBF")), std::string::npos)
      << missing.standardError;

  // A folder named like a batch file: said, never waited on.
  std::filesystem::create_directories(InFolder("DIR.mbf"));
  const Run folder = RunProgram(InFolder("DIR.mbf"));
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_NE(folder.standardError.find("Unable to open import file:\n" + InFolder("DIR.mbf")), std::string::npos)
      << folder.standardError;
  EXPECT_FALSE(Exists(InFolder("DIR.mod")));
}

TEST_F(BatchCommandLineTest, AFileCutShortOrWithBadBytesEndsWithItsLineAndWritesNothing) {
  const std::string good = kGoodFile;
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      // A NUL inside a number would cut X10 to X1.
      {std::string(good).replace(good.find("T20,X10"), 7, std::string("T20,X1") + '\0' + "0"),
       "Line = 14 :  T20,X1?0\nInvalid character (code 0) in column 7"},
      {good + "T60,X4,KA,CDIS(0,0.0", "Line = 18 :  T60,X4,KA,CDIS(0,0.0\nUnclosed parenthesis :  DIS(0,0.0"},
      {good + "T60,X4,KA,CDIS(0,0.1,0),",
       "Line = 18 :  T60,X4,KA,CDIS(0,0.1,0),\nThe attribute list goes on after the last line"},
      {good + "T60,X0\n", "Line = 18 :  T60,X0\nThis element has zero length"},
  };
  for (const Case& test : cases) {
    const Run run = RunProgram(Write("cut.mbf", test.text));
    EXPECT_EQ(run.exitCode, 1) << test.message;
    EXPECT_NE(run.standardError.find(test.message), std::string::npos) << run.standardError;
    EXPECT_FALSE(Exists(InFolder("cut.mod")));
    EXPECT_FALSE(Exists(InFolder("cut.res")));
  }
}

// A batch file can give a limit stop, skewed restraint or snubber no
// direction (its dialog cannot): the file is read and written, and the run
// ends with the analysis's message, as a failure.
TEST_F(BatchCommandLineTest, ASupportWithoutADirectionEndsTheRunWithItsMessage) {
  std::string text = kGoodFile;
  text += "T60,X10,CLS(0,NONE)\n";
  const Run run = RunProgram(Write("stop.mbf", text));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.standardError.find("Unable to find direction for limit stop at node 60"), std::string::npos)
      << run.standardError;
  Model written;
  ReadModelFileInto(InFolder("stop.mod"), written);
  EXPECT_EQ(written.row(written.rowCount).dataType, DataType::LimitStop);
  EXPECT_FALSE(std::filesystem::exists(InFolder("stop.res")));
}

}  // namespace
