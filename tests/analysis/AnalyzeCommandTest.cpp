// Analyze from the Layout window, as a user does it: a line of pipes, a
// bend, anchors and a restraint typed into the Layout table is saved at the
// save question and analysed in the analysis window for its weight,
// pressure and thermal cases; the window shows the size of the system and
// asks whether to see the results, and Yes opens them in the Results
// window. Abort leaves the previous results file as it was and nothing new;
// a hanger row is refused before anything runs, with its row made current.
// A tee typed with its Branch SIF row is analysed with and without "Use
// B31J": the branch takes the connection's flexibility and turns under a
// moment by what the factors add, by hand. In a B31.1 model the seismic
// anchor movement of the far anchor is its node's seismic displacement. A
// time history or harmonic damping outside 0 to 99 %, a cut-off frequency
// or number of modes below 1, a spectrum load its dialog would not store
// and an element too short for coordinates so far out are refused before
// the run.
#include <fstream>
#include <iterator>

#include "analysis/AnalysisTesting.h"
#include "analysis/AnalysisWindow.h"
#include "elements/BranchSif.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "loads/SteelLineTesting.h"
#include "model/LayoutTesting.h"
#include "model/ModelLoadCases.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "results/ResultsMode.h"
#include "services/Message.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

namespace {

namespace fs = std::filesystem;

class AnalyzeCommandTest : public SteelLineFixture {
 protected:
  AnalyzeCommandTest() : SteelLineFixture("analyze-command") {}
  // From 10 (anchor), a pipe of 2 m in X (Y restraint), a bend of 2 m in X,
  // a pipe of 2 m in Z (anchor); saved at the question, the cases rebuilt.
  void TypeLine(const std::string& support = "Y") {
    TypeRow({"10", "F"});
    TypeRow({"", "", "2000", "", "", "A106", "S4", "L1"});
    TypeRow({"", "BEN", "2000"});
    TypeRow({"", "", "", "", "2000"});
    TypeData(2, "A");
    TypeData(3, support);
    TypeData(5, "A");
    BuildLoadCases(TheModel());
    TheModel().path = folder_ + "/typed.mod";
  }
  std::string ResultsPath() const { return folder_ + "/typed.res"; }
  static bool Shown(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
};

TEST_F(AnalyzeCommandTest, ALineTypedInTheLayoutIsAnalysedFromTheAnalyzeCommand) {
  TypeLine();
  AnswerSaveQuestionYes();
  ASSERT_EQ(TheModel().rowCount, 5);
  ASSERT_EQ(TheModel().row(5).dataType, DataType::Anchor);
  const LoadCaseList& cases = TheModel().loadCases;
  const std::vector<int> list(cases.cases.begin() + 1, cases.cases.begin() + 1 + cases.count);
  for (int type : {1, 8, 2}) EXPECT_NE(std::find(list.begin(), list.end(), type), list.end()) << type;
  std::string equations, size;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [&](HWND dialog) {
    EXPECT_TRUE(Shown(dialog, 1001));
    EXPECT_FALSE(Shown(dialog, 1508));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1601)));
    platform::RunUntilIdle();  // the run
    equations = TextOf(GetDlgItem(dialog, 1504));
    size = TextOf(GetDlgItem(dialog, 1505));
    EXPECT_FALSE(Shown(dialog, 1001) || Shown(dialog, 1601));
    EXPECT_TRUE(Shown(dialog, 1508) && Shown(dialog, IDYES) && Shown(dialog, IDNO));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1508)), "Do you want to see the results ?");
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  Command(108);
  platform::CheckModalScript();
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(TheModel().modified);
  // Five nodes on the pipe (10, 20, 30A, 30B, 40) of six equations each.
  EXPECT_EQ(equations, "30");
  EXPECT_GT(std::stoi(size), 30);
  // The file holds one block per case, read back where the model puts them.
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
  ResultsFileContents read;
  ReadResultsFile(file, ResultsPath(), TheModel(), read);
  EXPECT_EQ(read.endOffset, file.size);
  EXPECT_EQ(static_cast<int>(read.cases.size()) - 1, cases.count);
  // Weight in the sustained case: the restraint at 20 carries some of it.
  int k = 1;
  while (read.cases[static_cast<std::size_t>(k)].type != 1) ++k;
  const analysis_testing::CaseBlock sustained = analysis_testing::ReadCaseBlock(file, TheModel(), read, k);
  const int offset = read.supportOffset[3] / 4;
  EXPECT_LT(sustained.supports[static_cast<std::size_t>(offset + 1)], -10.0f);
}

TEST_F(AnalyzeCommandTest, YesOpensTheResults) {
  TypeLine();
  AnswerSaveQuestionYes();
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDYES, 0);
  });
  // The result chooser comes up over the Results window; Cancel keeps it.
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(108);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_TRUE(InResultsMode());
  EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
  EXPECT_EQ(TheResults().elementCount, 4);
  EXPECT_EQ(TheResults().cases.size(), static_cast<std::size_t>(TheModel().loadCases.count) + 1);
  LeaveResultsMode();
}

// The modal case added to the list runs from Analyze, and its tables are
// offered with the others; the first mode is the line's lowest.
TEST_F(AnalyzeCommandTest, TheModalCaseRunsFromAnalyzeAndOffersItsTables) {
  TypeLine();
  LoadCaseList& cases = TheModel().loadCases;
  cases.cases[static_cast<std::size_t>(++cases.count)] = 30;
  AnswerSaveQuestionYes();
  AnswerResultsQuestion(IDYES);
  std::vector<std::string> names;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS8_DIALOG", [&names](HWND dialog) {
    for (int id = 1401; id <= 1408; ++id)
      if (IsWindowVisible(GetDlgItem(dialog, id))) names.push_back(TextOf(GetDlgItem(dialog, id)));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(108);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(InResultsMode());
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "&Frequencies");
  EXPECT_EQ(names.back(), "&Mode shapes");
  const ModalSummary& modal = TheResults().modal;
  ASSERT_TRUE(modal.present);
  // Every mode up to the cut-off, and the first above it.
  const auto cut = static_cast<float>(TheModel().options.CutOffFrequency);
  ASSERT_GE(modal.frequencies.size(), 2u);
  EXPECT_GT(modal.frequencies.back(), cut);
  EXPECT_LE(modal.frequencies[modal.frequencies.size() - 2], cut);
  EXPECT_GT(modal.frequencies[0], 0.0f);
  // The static cases are read as before, the modal block between them.
  EXPECT_EQ(TheResults().cases.size(), static_cast<std::size_t>(cases.count));
  LeaveResultsMode();
}

TEST_F(AnalyzeCommandTest, TheSeismicCaseTakesTheAnchorsSeismicMovements) {
  TypeLine();
  Model& model = TheModel();
  model.options.PipingCode = 1;
  auto& anchor = static_cast<Anchor&>(*model.row(5).item);
  anchor.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + 2)] = -0.5f;
  model.seismic.g = {0.2f, 0.0f, 0.0f};
  LoadCaseList& cases = model.loadCases;
  cases.cases[static_cast<std::size_t>(++cases.count)] = 12;
  AnswerSaveQuestionYes();
  AnswerResultsQuestion(IDNO);
  Command(108);
  platform::CheckModalScript();
  EXPECT_TRUE(messages.empty());
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
  ResultsFileContents read;
  ReadResultsFile(file, ResultsPath(), model, read);
  EXPECT_EQ(read.endOffset, file.size);
  const auto far = static_cast<std::size_t>(model.row(5).endNode);
  const auto near = static_cast<std::size_t>(FindNodeIndex(model.nodes, 10));
  for (int k = 1; k < static_cast<int>(read.cases.size()); ++k) {
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, model, read, k);
    // The rigid anchor moves by the movement given, the other stays.
    const float expected = read.cases[static_cast<std::size_t>(k)].type == 12 ? 0.5f : 0.0f;
    EXPECT_NEAR(block.nodes[far][1], expected, 1e-5) << read.cases[static_cast<std::size_t>(k)].type;
    EXPECT_NEAR(block.nodes[near][1], 0.0f, 1e-5);
  }
}

TEST_F(AnalyzeCommandTest, TheForceSpectrumTimeHistoryAndHarmonicCasesRunFromAnalyze) {
  TypeLine();
  Model& model = TheModel();
  // Three item rows at the restraint's node, 20 (row 3; row 1 is the title).
  const NodeId node = model.row(3).node;
  ASSERT_EQ(node, 20);
  auto itemRow = [&model, node](DataType type) {
    const int row = ++model.rowCount;
    model.row(row).node = node;
    model.row(row).elementType = ElementType::From;
    model.row(row).element = CreateElementData(ElementType::From);
    model.row(row).material = model.row(3).material;
    model.row(row).section = model.row(3).section;
    model.row(row).load = model.row(3).load;
    PutItem(model, row, type);
    return row;
  };
  auto& varying = static_cast<TimeVaryingLoad&>(*model.row(itemRow(DataType::TimeVaryingLoad)).item);
  varying.Direction = 1;
  varying.TimeFunctionName = "RAMP";
  varying.ScaleFactor = 100.0f;
  model.timeFunctions.back() = {"RAMP", {{0.0f, 0.0f}, {0.05f, 1.0f}, {5.0f, 1.0f}}};
  model.timeFunctions.emplace_back();
  auto& harmonic = static_cast<HarmonicLoad&>(*model.row(itemRow(DataType::HarmonicLoad)).item);
  harmonic.Frequency = 3.0f;
  harmonic.FZ = 50.0f;
  auto& spectrum = static_cast<ForceSpectrumLoad&>(*model.row(itemRow(DataType::ForceSpectrumLoad)).item);
  spectrum.Direction = 3;
  spectrum.SpectrumName = "FLAT";
  model.forceSpectra.back() = {"FLAT", {{1.0f, 75.0f}, {500.0f, 75.0f}}};
  model.forceSpectra.emplace_back();
  model.timeHistory = TimeHistorySettings{0.005f, 41, 1, 1, 5.0f};
  model.harmonic.damping = 2.0f;
  MakeModel(model);
  BuildLoadCases(model);
  LoadCaseList& cases = model.loadCases;
  for (int type : {30, 37, 35, 36}) cases.cases[static_cast<std::size_t>(++cases.count)] = type;
  model.modified = true;
  AnswerSaveQuestionYes();
  AnswerResultsQuestion(IDYES);
  std::vector<std::string> names;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS10_DIALOG", [&names](HWND dialog) {
    for (int id = 1401; id <= 1410; ++id)
      if (IsWindowVisible(GetDlgItem(dialog, id))) names.push_back(TextOf(GetDlgItem(dialog, id)));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(108);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(InResultsMode());
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.back(), "&Time history");
  std::vector<int> types;
  for (std::size_t k = 1; k < TheResults().cases.size(); ++k) types.push_back(TheResults().cases[k].type);
  for (int type : {37, 35, 36}) EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << type;
  EXPECT_TRUE(TheResults().timeHistoryOpen);
  EXPECT_EQ(TheResults().timeSteps, 40);
  LeaveResultsMode();
}

TEST_F(AnalyzeCommandTest, AbortLeavesTheOldResultsAndNothingNew) {
  TypeLine();
  AnswerSaveQuestionYes();
  const std::string old = "an earlier run's results";
  std::ofstream(ResultsPath(), std::ios::binary) << old;
  const int liveTemps = CountLiveTempFiles();
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    PostMessage(dialog, WM_COMMAND, 1001, 0);  // Abort, heard at the first progress text
    platform::RunUntilIdle();
  });
  Command(108);
  platform::CheckModalScript();
  std::ifstream in(ResultsPath(), std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), old);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"typed.mod", "typed.res"}));
  EXPECT_EQ(CountLiveTempFiles(), liveTemps);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(AnalyzeCommandTest, ARowTheRunCannotTakeIsRefusedBeforeAnythingRuns) {
  TypeLine();
  SetDataType(TheModel(), 3, DataType::Force);  // a force in place of the restraint, on T3 of a T1 model
  static_cast<NodalForce&>(*TheModel().row(3).item).AddedTo = 4;
  AnswerSaveQuestionYes();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Force);
  TableGoTo(table(), 5);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Row 3: Force is added to T3, but the model uses T1 only.",
                                                               "Add it to one of those or to W+P."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(108);
  platform::CheckModalScript();
  EXPECT_EQ(table().currentRow, 3);
  EXPECT_FALSE(fs::exists(ResultsPath()));
  EXPECT_FALSE(TheModel().modified);  // saved at the question before the check
}

// A time history damping outside the 0 to 99 % its dialog allows, as a
// model file can bring it (100 % or more gave all-zero results reported as
// a success, a negative one an amplified response): the model opens with
// it, and Analyze refuses it before the run with a message naming the
// value and the range; nothing is written beside the model and the model
// stays as it was, so that the value can be corrected. 99 % runs.
TEST_F(AnalyzeCommandTest, ATimeHistoryDampingOutsideItsRangeIsRefusedBeforeTheRun) {
  TypeLine();
  Model& model = TheModel();
  const int row = ++model.rowCount;
  model.row(row).node = model.row(3).node;
  model.row(row).elementType = ElementType::From;
  model.row(row).element = CreateElementData(ElementType::From);
  PutItem(model, row, DataType::TimeVaryingLoad);
  auto& varying = static_cast<TimeVaryingLoad&>(*model.row(row).item);
  varying.Direction = 2;
  varying.TimeFunctionName = "RAMP";
  model.timeFunctions.back() = {"RAMP", {{0.0f, 0.0f}, {0.05f, 1.0f}, {5.0f, 1.0f}}};
  model.timeFunctions.emplace_back();
  model.timeHistory = TimeHistorySettings{0.005f, 41, 1, 1, 5.0f};
  MakeModel(model);
  BuildLoadCases(model);
  LoadCaseList& cases = model.loadCases;
  for (int type : {30, 35}) cases.cases[static_cast<std::size_t>(++cases.count)] = type;
  const std::string path = model.path;
  for (const auto& [damping, message] :
       {std::pair{100.0f, "The damping of the time history analysis, 100 %, must be from 0 to 99 %."},
        std::pair{250.5f, "The damping of the time history analysis, 250.5 %, must be from 0 to 99 %."},
        std::pair{-5.0f, "The damping of the time history analysis, -5 %, must be from 0 to 99 %."}}) {
    SCOPED_TRACE(damping);
    TheModel().timeHistory.damping = damping;
    ASSERT_EQ(WriteModelFile(path), "");
    ASSERT_EQ(ReadModelFile(path), "");
    ASSERT_EQ(TheModel().timeHistory.damping, damping);
    ASSERT_FALSE(TheModel().modified);
    std::ifstream before(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(before)), {});
    const std::string line = message;
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), std::vector<std::string>{line});
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(108);
    platform::CheckModalScript();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"typed.mod"});
    EXPECT_EQ(TheModel().timeHistory.damping, damping);
    EXPECT_EQ(TheModel().rowCount, row);
    EXPECT_FALSE(TheModel().modified);
    std::ifstream after(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), bytes);
  }
  // Corrected to the highest the dialog allows, the model runs.
  TheModel().timeHistory.damping = 99.0f;
  ASSERT_EQ(WriteModelFile(path), "");
  AnswerResultsQuestion(IDNO);
  Command(108);
  platform::CheckModalScript();
  EXPECT_TRUE(fs::exists(ResultsPath()));
  EXPECT_TRUE(fs::exists(TimeHistoryPathOf(path)));
}

// Each refusal below comes before the run: the one message, nothing
// written beside the model, the model and its file as they were.
class AnalyzeRefusalTest : public AnalyzeCommandTest {
 protected:
  // The saved model's bytes; Analyze refuses with `message`.
  void ExpectRefused(const std::string& message) {
    std::ifstream before(TheModel().path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(before)), {});
    struct Kept {
      int rows;
      float damping;
      std::int32_t cutOff, modes, modeSum, directionSum;
      std::array<float, 3> factors;
    };
    const Model& model = TheModel();
    const Kept copy{model.rowCount, model.harmonic.damping, model.options.CutOffFrequency, model.options.ModeCount,
                    model.spectrumLoad.modeSum, model.spectrumLoad.directionSum, model.spectrumLoad.factor};
    const std::vector<std::string> lines = MessageLines(message);
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(lines.size()) + "_DIALOG",
                          [lines](HWND dialog) {
                            EXPECT_EQ(LinesOfDialog(dialog), lines);
                            SendMessage(dialog, WM_COMMAND, IDOK, 0);
                          });
    Command(108);
    platform::CheckModalScript();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"typed.mod"});
    EXPECT_FALSE(model.modified);
    EXPECT_EQ(model.rowCount, copy.rows);
    EXPECT_EQ(model.harmonic.damping, copy.damping);
    EXPECT_EQ(model.options.CutOffFrequency, copy.cutOff);
    EXPECT_EQ(model.options.ModeCount, copy.modes);
    EXPECT_EQ(model.spectrumLoad.factor, copy.factors);
    EXPECT_EQ(model.spectrumLoad.modeSum, copy.modeSum);
    EXPECT_EQ(model.spectrumLoad.directionSum, copy.directionSum);
    std::ifstream after(TheModel().path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), bytes);
  }
  void ExpectRuns() {
    AnswerResultsQuestion(IDNO);
    Command(108);
    platform::CheckModalScript();
    EXPECT_TRUE(fs::exists(ResultsPath()));
    fs::remove(ResultsPath());
  }
  // The typed line with one more row at node 30 carrying `type` (its row
  // is returned), and the load cases `dynamic` after the static ones.
  int LineWith(DataType type, std::initializer_list<int> dynamic) {
    TypeLine();
    Model& model = TheModel();
    const int row = ++model.rowCount;
    model.row(row).node = model.row(3).node;
    model.row(row).elementType = ElementType::From;
    model.row(row).element = CreateElementData(ElementType::From);
    PutItem(model, row, type);
    MakeModel(model);
    BuildLoadCases(model);
    LoadCaseList& cases = model.loadCases;
    for (int added : dynamic) cases.cases[static_cast<std::size_t>(++cases.count)] = added;
    return row;
  }
  static void Save() {
    ASSERT_EQ(WriteModelFile(TheModel().path), "");
    TheModel().modified = false;
  }
  // The model's file written past the save's read-back, which refuses a
  // value the model file does not hold: the value stands for one that a
  // road let into the model, and the run must refuse it all the same.
  static void SaveUnchecked() {
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenWrite(file, TheModel().path));
    WriteModelStream(file, TheModel());
    ASSERT_TRUE(BinaryFileClose(file));
    TheModel().modified = false;
  }
};

// A harmonic damping outside the 0 to 99 % its dialog allows, as a model
// file brings it (below 0 the run amplified the response near every mode
// and reported a success): the model opens with it, and Analyze refuses it
// before the run with the value and the range. 99 % runs.
TEST_F(AnalyzeRefusalTest, AHarmonicDampingOutsideItsRangeIsRefusedBeforeTheRun) {
  const int row = LineWith(DataType::HarmonicLoad, {30, 36});
  auto& load = static_cast<HarmonicLoad&>(*TheModel().row(row).item);
  load.Frequency = 7.0f;
  load.FY = 100.0f;
  const std::string path = TheModel().path;
  for (const auto& [damping, message] :
       {std::pair{-5.0f, "The damping of the harmonic analysis, -5 %, must be from 0 to 99 %."},
        std::pair{-0.25f, "The damping of the harmonic analysis, -0.25 %, must be from 0 to 99 %."},
        std::pair{99.5f, "The damping of the harmonic analysis, 99.5 %, must be from 0 to 99 %."}}) {
    SCOPED_TRACE(damping);
    TheModel().harmonic.damping = damping;
    Save();
    ASSERT_EQ(ReadModelFile(path), "");
    ASSERT_EQ(TheModel().harmonic.damping, damping);
    ExpectRefused(message);
  }
  TheModel().harmonic.damping = 99.0f;
  Save();
  ExpectRuns();
}

// The load dialog takes a frequency above 0 only; a model file may bring 0
// or less, which would run the load as a static one. Analyze refuses it,
// naming the row; corrected, the model runs.
TEST_F(AnalyzeRefusalTest, AHarmonicLoadWithoutAFrequencyAboveZeroIsRefusedBeforeTheRun) {
  const int row = LineWith(DataType::HarmonicLoad, {30, 36});
  auto& load = static_cast<HarmonicLoad&>(*TheModel().row(row).item);
  load.FY = 100.0f;
  for (const float frequency : {0.0f, -2.5f}) {
    SCOPED_TRACE(frequency);
    load.Frequency = frequency;
    Save();
    std::string number = frequency == 0.0f ? "0" : "-2.5";
    ExpectRefused("Row " + std::to_string(row) + ": Harmonic load: the frequency, " + number +
                  " Hz, must be greater than 0.");
  }
  load.Frequency = 7.0f;
  Save();
  ExpectRuns();
}

// The cut-off frequency and the number of modes are whole numbers of at
// least 1 in their dialog; an older model file or a neutral import can
// bring 0 or less (a cut-off of -1000000 Hz kept no mode and ended in "The
// deflated polynomial has no more roots"). Likewise the spectrum load: a
// factor of 0 or more, the mode sums and direction sums its dialog offers.
// Each is refused before the run with its value; corrected, the model runs.
TEST_F(AnalyzeRefusalTest, ModalAndSpectrumOptionsOutsideTheirDialogsAreRefusedBeforeTheRun) {
  LineWith(DataType::None, {30, 31});
  Model& model = TheModel();
  SetLastSpectrum(model.spectra, {"FLAT", 0, 0, 0, kOrdinateG, {{0.1f, 193.2f}, {100.0f, 193.2f}}});
  SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 1.0f);
  model.options.ModeCount = 3;
  for (const int cutOff : {0, -1000000}) {
    TheModel().options.CutOffFrequency = cutOff;
    SaveUnchecked();
    ExpectRefused("The cut off frequency of the modal analysis, " + std::to_string(cutOff) +
                  " Hz, must be at least 1 Hz.");
  }
  TheModel().options.CutOffFrequency = 1;
  TheModel().options.ModeCount = 0;
  SaveUnchecked();
  ExpectRefused("The number of modes of the modal analysis, 0, must be at least 1.");
  TheModel().options.ModeCount = 3;
  TheModel().spectrumLoad.factor[1] = -2.0f;
  Save();
  ExpectRefused("The Y spectrum factor of the response spectrum analysis, -2, must be 0 or more.");
  TheModel().spectrumLoad.factor[1] = 1.0f;
  TheModel().spectrumLoad.modeSum = 0;
  Save();
  ExpectRefused("The mode sum of the response spectrum analysis, code 0, must be Absolute, SRSS, Closely spaced or NRL.");
  TheModel().spectrumLoad.modeSum = kSumNrl;
  TheModel().spectrumLoad.directionSum = kSumCloselySpaced;
  Save();
  ExpectRefused("The direction sum of the response spectrum analysis, code 3, must be Absolute or SRSS.");
  TheModel().spectrumLoad.directionSum = kSumAbsolute;
  Save();
  ExpectRuns();
}

// A model file older than the rule of far coordinates: its From 1.2E6 in
// out, where a coordinate moves in steps of 1/8 in, and a pipe of 0.1 in
// after the line, which the nodes would make 0.125 or 0 in long (merged
// away). The file opens as it always did; Analyze refuses the pipe by its
// row and makes that row current. At 1 in (eight steps) the model runs.
TEST_F(AnalyzeRefusalTest, AnElementFarCoordinatesCannotHoldIsRefusedByItsRow) {
  TypeLine();
  Model& model = TheModel();
  model.row(2).dx = 1.2e6f;
  const int row = AddRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 0.1f);
  MakeModel(model);
  Save();
  ASSERT_EQ(ReadModelFile(TheModel().path), "");
  ReloadLayoutTable();
  TableGoTo(table(), 1);
  ExpectRefused("Row 6: the element is too short:\nso far from the origin (row 2's DX) the node coordinates cannot "
                "hold the element at node 50.");
  EXPECT_EQ(table().currentRow, row);
  TheModel().row(row).dz = 1.0f;
  MakeModel(TheModel());
  Save();
  ExpectRuns();
}

// The command-line road: a batch run of a saved model ends by itself,
// without the question.
TEST_F(AnalyzeCommandTest, ABatchRunEndsWithoutTheQuestion) {
  TypeLine();
  Command(104);  // File > Save
  ASSERT_FALSE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, true));
  platform::CheckModalScript();
  EXPECT_GT(fs::file_size(ResultsPath()), 1000u);
}

// The tee: header 6" Sch 40 from 10 (anchor) through 20 to 30 (anchor),
// 1.5 m each way in X; branch 4" Sch 40 from 20, 1 m in Z, to 25, where a
// moment of 20 000 in-lb about X acts in the sustained case; a welding tee
// at 20; weightless. Analysed from the Analyze command, saved at its
// question, once without and once with "Use B31J".
TEST_F(AnalyzeCommandTest, ATeesBranchTakesItsB31JFlexibility) {
  Model& model = TheModel();
  model.materials[1].density = 0.0f;
  model.pipeLoads[1].specificGravity = 0.0f;  // empty
  model.pipeLoads[1].operating[0] = {400.0f, 0.0f};
  AddName(model.sections, "S6");
  model.sections[2].outsideDiameter = 6.625f;
  model.sections[2].thickness = 0.28f;
  TypeRow({"10", "F"});
  TypeRow({"20", "", "1500", "", "", "A106", "S6", "L1"});
  TypeRow({"30", "", "1500"});
  TypeRow({"20", "F"});
  TypeRow({"25", "", "", "", "1000", "", "S4"});
  TypeData(2, "A");
  TypeData(4, "A");
  // A typed Branch SIF asks for its type at once: the welding tee offered.
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  TypeData(3, "BR");
  platform::CheckModalScript();
  ASSERT_EQ(model.rowCount, 6);
  ASSERT_EQ(model.row(3).dataType, DataType::BranchSif);
  ASSERT_EQ(static_cast<const BranchSif&>(*model.row(3).item).type, kBranchSifWeldingTee);
  // The force's dialog comes with its own work: the moment is put on the
  // row directly.
  PutItem(model, 6, DataType::Force);
  const float M = 20000.0f;
  static_cast<NodalForce&>(*model.row(6).item).MX = M;
  BuildLoadCases(model);
  model.path = folder_ + "/typed.mod";
  // The tip's rotation about X in the sustained case.
  auto analyse = [&]() {
    AnswerSaveQuestionYes();
    platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
      platform::RunUntilIdle();
      EXPECT_TRUE(Shown(dialog, IDNO)) << "the run did not end in its question";
      SendMessage(dialog, WM_COMMAND, IDNO, 0);
    });
    Command(108);
    platform::CheckModalScript();
    EXPECT_TRUE(messages.empty());
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    ResultsFileContents read;
    ReadResultsFile(file, ResultsPath(), TheModel(), read);
    int k = 1;
    while (read.cases.at(static_cast<std::size_t>(k)).type != 1) ++k;
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, TheModel(), read, k);
    return block.nodes[static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, 25))];
  };
  model.modified = true;
  const std::array<float, 6> plain = analyse();
  model.options.UseB31J = 1;
  model.modified = true;
  const std::array<float, 6> b31j = analyse();

  // B31J-2017 Table 2-1, welding tee, branch: beta = r/R = 2.1315/3.1725,
  // gamma = R/T = 3.1725/0.28, tau = t/T = 0.237/0.28; k1 = gamma^0.77
  // beta^0.47 (2.7 b^3 + 1.91 b - 4.32 b^2) tau = 0.69 and k3 = 0.25 stay 1,
  // k2 = gamma^1.46 (0.18 b^3 + 0.34 b - 0.49 b^2) tau = 1.81 (its cap C2 is
  // 9.9). The run's factors are 1 at this tee.
  const double beta = 2.1315 / 3.1725, gamma = 3.1725 / 0.28, tau = 0.237 / 0.28;
  const double k2 = std::pow(gamma, 1.46) * (0.18 * std::pow(beta, 3) + 0.34 * beta - 0.49 * beta * beta) * tau;
  ASSERT_NEAR(k2, 1.8115, 1e-4);
  const double E = analysis_testing::kE, pi = analysis_testing::kPi;
  const double L = 1000.0 / 25.4;
  const double Ib = pi / 64.0 * (std::pow(4.5, 4) - std::pow(4.5 - 2 * 0.237, 4));
  const double Ih = pi / 64.0 * (std::pow(6.625, 4) - std::pow(6.625 - 2 * 0.28, 4));
  const double fb = L / (E * Ib);
  // The branch's flexibility about its local z axis (global -X for a
  // branch along Z) becomes 2 k2 fb less the header's share Rh k2r / (2 Ih
  // Eh), k2r = 1: what it adds sits at the branch's far end, so the tip
  // turns by that much more under the tip moment, and nothing else moves.
  const double added = 2.0 * k2 * fb - 3.3125 * 0.5 / (Ih * E) - fb;
  ASSERT_GT(added, 0.5 * fb);
  EXPECT_NEAR(b31j[3] - plain[3], added * M, 1e-3 * added * M);
  for (std::size_t i : {0u, 1u, 2u, 4u, 5u})
    EXPECT_NEAR(b31j[i], plain[i], 1e-6 + 1e-5 * std::fabs(plain[i])) << i;
}

}  // namespace
