// The load-case list follows every change of what it is made from, without
// a menu opening in between: the cases chosen in the "Load cases" dialog
// are what File > Save writes and what Analyze runs, and a row edit that
// takes away the last cut pipe takes the cold spring cases out of the
// saved list. A line typed in the Layout window, as a user builds it.
#include <string>
#include <vector>

#include "analysis/AnalysisTesting.h"
#include "files/ModelFile.h"
#include "loads/LoadCaseDialog.h"
#include "loads/SteelLineTesting.h"
#include "model/LayoutTesting.h"
#include "records/LoadCaseList.h"
#include "services/TempFiles.h"

namespace {

class LoadCasesFollowEditsTest : public SteelLineFixture {
 protected:
  LoadCasesFollowEditsTest() : SteelLineFixture("load-case-rebuild") {}
  // Runs the "Load cases" dialog: None, then the boxes of `rows` clicked.
  void ChooseCases(const std::string& dialogName, const std::vector<int>& rows) {
    platform::ExpectModal(platform::ModalKind::Dialog, dialogName, [rows](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, kLoadCasesNoneButton, 0);
      for (int row : rows) SendMessage(GetDlgItem(dialog, kFirstLoadCaseBox + row), BM_CLICK, 0, 0);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(231);
    platform::CheckModalScript();
  }
  // The list of the model file as written.
  std::vector<int> SavedCases() {
    Model saved;
    ReadModelFileInto(Path("line.mod"), saved);
    return {saved.loadCases.cases.begin() + 1, saved.loadCases.cases.begin() + 1 + saved.loadCases.count};
  }
};

TEST_F(LoadCasesFollowEditsTest, TheCasesChosenAreWhatSaveWritesAndAnalyzeRuns) {
  TypeLine();
  // Rows of a B31.3 model with one thermal load: 0 Empty Weight, 1
  // Sustained, 2 Expansion (T1), 3 Operating, 4 Modal analysis.
  ChooseCases("LOAD_CASES5_DIALOG", {1});
  Command(104);  // File > Save
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(SavedCases(), (std::vector<int>{1}));

  // Expansion (T1) brings its sustained and operating cases; the save
  // question of Analyze writes them and the run makes one block each, in
  // the list's order.
  ChooseCases("LOAD_CASES5_DIALOG", {2});
  AnswerSaveQuestionYes();
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  Command(108);
  platform::CheckModalScript();
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(SavedCases(), (std::vector<int>{1, 8, 2}));
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, Path("line.res")));
  ResultsFileContents read;
  ReadResultsFile(file, Path("line.res"), TheModel(), read);
  std::vector<int> run;
  for (std::size_t k = 1; k < read.cases.size(); ++k) run.push_back(read.cases[k].type);
  EXPECT_EQ(run, (std::vector<int>{1, 8, 2}));
}

TEST_F(LoadCasesFollowEditsTest, TakingAwayTheLastCutPipeDropsTheColdSpringCasesFromTheSavedList) {
  TypeLine();
  // The first pipe made a cut pipe in code; the dialog then offers the
  // cold spring cases: 4 Cold spring (W+P) after the operating case.
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::CutPipe);
  RefreshAfterModelEdit(model);
  ChooseCases("LOAD_CASES8_DIALOG", {1, 4});
  Command(104);
  EXPECT_EQ(SavedCases(), (std::vector<int>{1, 14}));
  // The cut pipe's Type cell stored as a plain pipe, confirmed.
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(Store(3, 2, "PIPE"), "");
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::Pipe);
  Command(104);
  EXPECT_EQ(SavedCases(), (std::vector<int>{1}));
}

}  // namespace
