// Load cases of temperatures that the model's number of thermal loads
// leaves out of use (a cold spring case of T4 with one thermal load, the
// cold spring cases of T2 and T3 below two and three) cannot run: the
// analysis has no pressure and temperature pair for them. Every road drops
// them or refuses them before the run, never an assertion: the "Load
// cases" dialog and the Loads menu rebuild the list without them; a model
// file that lists them opens without them and says so in its log, then
// analyses from the Layout's Analyze command; a list that still holds one
// when Analyze starts (interactive or batch, or the driver called alone) is
// refused with the case's title and what it needs, and nothing is written.
// A line typed in the Layout window with a cut pipe, as a user builds it.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/AnalysisDriver.h"
#include "analysis/AnalysisTesting.h"
#include "analysis/AnalysisWindow.h"
#include "elements/CutPipe.h"
#include "files/FileCommands.h"
#include "files/ImportLogTesting.h"
#include "files/ModelFile.h"
#include "loads/LoadCaseDialog.h"
#include "loads/SteelLineTesting.h"
#include "model/LayoutTesting.h"
#include "model/RowOperations.h"
#include "platform/Menu.h"
#include "records/LoadCaseList.h"
#include "services/TempFiles.h"

namespace {

namespace fs = std::filesystem;

std::vector<int> CasesOf(const LoadCaseList& list) {
  return {list.cases.begin() + 1, list.cases.begin() + 1 + list.count};
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LoadCasesBeyondThermalLoadsTest : public SteelLineFixture {
 protected:
  LoadCasesBeyondThermalLoadsTest() : SteelLineFixture("load-cases-beyond") {}
  // From 10 (anchor), 2 m along X cut 10 mm short, 2 m along Z (anchor):
  // a B31.3 model, named for saving.
  void TypeLineWithCutPipe() {
    TypeLine();
    Model& model = TheModel();
    ASSERT_EQ(model.rowCount, 4);
    static_cast<CutPipe&>(*SetElementType(model, 3, ElementType::CutPipe)).cut = 10.0f / 25.4f;
    RefreshAfterModelEdit(model);
  }
  // The list (and its flags) as a model file may hold it: the cold spring
  // cases of T2, T3 and T4 with one thermal load in use.
  static void HoldColdSpringBeyondOneThermalLoad() {
    Model& model = TheModel();
    model.options.ThermalLoadCount = 1;
    LoadCaseList& list = model.loadCases;
    list = LoadCaseList();
    for (int id : {1, 8, 2, 14, 15, 16, 17, 110}) list.cases[static_cast<std::size_t>(++list.count)] = id;
    LoadCaseFlagsFromList(list);
  }
  static std::vector<int> Cases() { return CasesOf(TheModel().loadCases); }
  std::vector<int> SavedCases() const {
    Model saved;
    ReadModelFileInto(Path("line.mod"), saved);
    return CasesOf(saved.loadCases);
  }
  // The cases of the results file beside the model, in block order.
  std::vector<int> RunCases() const {
    BinaryFile file;
    if (!BinaryFileOpenRead(file, Path("line.res"))) return {};
    ResultsFileContents read;
    ReadResultsFile(file, Path("line.res"), TheModel(), read);
    std::vector<int> run;
    for (std::size_t k = 1; k < read.cases.size(); ++k) run.push_back(read.cases[k].type);
    return run;
  }
  // Analyze from the Layout window: Yes to the save question when the model
  // is modified, the run, No to the results.
  void AnalyzeSavingFirst() {
    if (TheModel().modified) AnswerSaveQuestionYes();
    AnswerResultsQuestion(IDNO);
    Command(108);
    platform::CheckModalScript();
    EXPECT_TRUE(messages.empty()) << messages.front();
  }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

const std::vector<std::string> kRefusal = {
    "The load case \"Cold spring (W+P2+T2)\" needs 2 thermal loads, but the model has 1.",
    "Set the number of thermal loads in the analysis options, or choose the load cases again."};

// The dialog's rows with one thermal load and a cut pipe offer no cold
// spring case beyond T1; its OK rebuilds the list without the ones held,
// as opening the Loads menu does. The model then runs every case left.
TEST_F(LoadCasesBeyondThermalLoadsTest, TheLoadCasesDialogAndTheLoadsMenuDropThem) {
  TypeLineWithCutPipe();
  HoldColdSpringBeyondOneThermalLoad();
  // 0 Empty Weight, 1 Sustained, 2 Expansion (T1), 3 Operating, 4 Cold
  // spring (W+P), 5 Cold spring (W+P1+T1), 6 Modal analysis.
  platform::ExpectModal(platform::ModalKind::Dialog, "LOAD_CASES8_DIALOG", [](HWND dialog) {
    char title[40] = {};
    GetWindowText(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Load cases (5)");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(231);
  platform::CheckModalScript();
  ASSERT_EQ(Cases(), (std::vector<int>{1, 8, 2, 14, 15}));
  for (int id : {16, 17, 110}) EXPECT_EQ(TheModel().loadCases.selected[static_cast<std::size_t>(id)], 0) << id;

  HoldColdSpringBeyondOneThermalLoad();
  HMENU loads = GetSubMenu(LayoutFrame().menu, 4);
  SendMessage(LayoutFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(loads), 4);
  ASSERT_EQ(Cases(), (std::vector<int>{1, 8, 2, 14, 15}));
  char item[40] = {};
  GetMenuString(loads, 231, item, sizeof item, MF_BYCOMMAND);
  EXPECT_STREQ(item, "&Load cases (5) ...");

  AnalyzeSavingFirst();
  EXPECT_EQ(SavedCases(), (std::vector<int>{1, 8, 2, 14, 15}));
  EXPECT_EQ(RunCases(), (std::vector<int>{1, 8, 2, 14, 15}));
}

// A model file whose list holds them (the file takes any case): it opens
// without them, its log names each and what it needs, the model is marked
// modified and the file stays as it was until saved. Analyze then saves
// at its question and runs the cases left.
TEST_F(LoadCasesBeyondThermalLoadsTest, AModelFileListingThemOpensWithoutThemSaysSoAndAnalyses) {
  TypeLineWithCutPipe();
  HoldColdSpringBeyondOneThermalLoad();
  ASSERT_EQ(WriteModelFileFrom(TheModel(), Path("line.mod")), "");
  const std::string written = Bytes(Path("line.mod"));
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [](HWND dialog) {
    EXPECT_EQ(ImportLogLines(dialog),
              (std::vector<std::string>{
                  "The model file gave 3 warnings:",
                  "Load cases: \"Cold spring (W+P2+T2)\" needs 2 thermal loads, but the model has 1: the case was "
                  "dropped",
                  "Load cases: \"Cold spring (W+P3+T3)\" needs 3 thermal loads, but the model has 1: the case was "
                  "dropped",
                  "Load cases: \"Cold spring (W+P4+T4)\" needs 10 thermal loads, but the model has 1: the case was "
                  "dropped"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, Path("line.mod")));
  platform::CheckModalScript();
  ASSERT_EQ(Cases(), (std::vector<int>{1, 8, 2, 14, 15}));
  EXPECT_EQ(TheModel().options.ThermalLoadCount, 1);
  EXPECT_EQ(TheModel().rowCount, 4);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(Bytes(Path("line.mod")) == written);

  AnalyzeSavingFirst();
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(SavedCases(), (std::vector<int>{1, 8, 2, 14, 15}));
  EXPECT_EQ(RunCases(), (std::vector<int>{1, 8, 2, 14, 15}));
}

// A list that reaches Analyze with such a case (whatever let it in) is
// refused before anything runs, naming the first case and what it needs:
// from the Analyze command, in a batch run and by the driver itself.
// Nothing is written beside the model; the model and its file stay as they
// were.
TEST_F(LoadCasesBeyondThermalLoadsTest, ACaseOfATemperatureOutOfUseIsRefusedBeforeTheRun) {
  TypeLineWithCutPipe();
  HoldColdSpringBeyondOneThermalLoad();
  {
    // The file written as it stands, past the save's own checks.
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenWrite(file, TheModel().path));
    WriteModelStream(file, TheModel());
    ASSERT_TRUE(BinaryFileClose(file));
  }
  TheModel().modified = false;
  const std::string written = Bytes(TheModel().path);
  auto expectRefusal = [] {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), kRefusal);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  };
  expectRefusal();
  Command(108);
  platform::CheckModalScript();
  expectRefusal();
  EXPECT_FALSE(AnalyzeModel(LayoutFrame().window, true));
  platform::CheckModalScript();
  std::string driver;
  try {
    CheckModelAnalysable(TheModel());
  } catch (const std::string& message) {
    driver = message;
  }
  EXPECT_EQ(driver, kRefusal[0] + "\n" + kRefusal[1]);

  EXPECT_EQ(FolderNames(), std::vector<std::string>{"line.mod"});
  EXPECT_TRUE(Bytes(TheModel().path) == written);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(Cases(), (std::vector<int>{1, 8, 2, 14, 15, 16, 17, 110}));
  EXPECT_EQ(TheModel().options.ThermalLoadCount, 1);
}

}  // namespace
