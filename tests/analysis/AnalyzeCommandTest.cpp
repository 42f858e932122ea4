// Analyze from the Layout window, as a user does it: a line of pipes, a
// bend, anchors and a restraint typed into the Layout table is saved at the
// save question and analysed in the analysis window for its weight,
// pressure and thermal cases; the window shows the size of the system and
// asks whether to see the results, and Yes opens them in the Results
// window. Abort leaves the previous results file as it was and nothing new;
// a hanger row is refused before anything runs, with its row made current.
#include <fstream>
#include <iterator>

#include "analysis/AnalysisTesting.h"
#include "analysis/AnalysisWindow.h"
#include "analysis/ProgressWindow.h"
#include "loads/LoadCaseList.h"
#include "model/LayoutTesting.h"
#include "results/ResultsMode.h"

namespace {

namespace fs = std::filesystem;

class AnalyzeCommandTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    fs::create_directories(folder_);
    Model& model = TheModel();
    analysis_testing::GiveSteelValues(model.materials[1], analysis_testing::kDensity);
    model.sections[1].outsideDiameter = static_cast<float>(analysis_testing::kOd);
    model.sections[1].thickness = static_cast<float>(analysis_testing::kWall);
    PipeLoad& load = model.pipeLoads[1];
    load.operating[0] = {400.0f, 300.0f};
    load.specificGravity = 1.0f;
  }
  void TearDown() override {
    LayoutFixture::TearDown();
    fs::remove_all(folder_);
  }
  void Command(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  // The Data cell of a row.
  void TypeData(int rowNumber, const std::string& text) {
    TableGoTo(table(), rowNumber);
    table().currentColumn = 9;
    Type(text);
    Key(VK_RETURN);
  }
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
  static void AnswerSaveQuestionYes() {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDYES, 0); });
  }
  std::string ResultsPath() const { return folder_ + "/typed.res"; }
  static bool Shown(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }

  std::string folder_ = TempFolder() + "/analyze-command";
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
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS4_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(108);
  platform::AdvanceClock(kResultChooserDelay);
  platform::CheckModalScript();
  EXPECT_TRUE(InResultsMode());
  EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
  EXPECT_EQ(TheResults().elementCount, 4);
  EXPECT_EQ(TheResults().cases.size(), static_cast<std::size_t>(TheModel().loadCases.count) + 1);
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

TEST_F(AnalyzeCommandTest, AHangerRowIsRefusedBeforeAnythingRuns) {
  TypeLine("RO");  // a rod hanger in place of the restraint
  AnswerSaveQuestionYes();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Hanger);
  TableGoTo(table(), 5);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Row 3: Hanger cannot be analysed yet"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(108);
  platform::CheckModalScript();
  EXPECT_EQ(table().currentRow, 3);
  EXPECT_FALSE(fs::exists(ResultsPath()));
  EXPECT_FALSE(TheModel().modified);  // saved at the question before the check
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

}  // namespace
