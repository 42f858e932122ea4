// The checkpoints of the nonlinear iteration through Analyze, as a user
// meets them: with "QVITER" = 10 the checkpoint dialog comes before
// iterations 11 and 21 (Continue) and 31 (Accept); the run then warns that
// its case was accepted unconverged. Exit ends the run and leaves the
// results file of the last good run as it was. A batch run accepts at the
// checkpoint without asking and still ends as a failure, with the warning.
// The support that settles slowly is a guide whose friction can nearly
// hold its pipe's growth.
#include <fstream>
#include <iterator>

#include "analysis/AnalysisTesting.h"
#include "analysis/AnalysisWindow.h"
#include "model/LayoutTesting.h"
#include "services/NameTables.h"
#include "services/TempFiles.h"
#include "supports/Guide.h"

namespace {

namespace fs = std::filesystem;
using namespace analysis_testing;

// The friction of a guide that can almost hold the growth of its pipe: the
// sliding stiffness creeps towards its value by a factor near 1 in each
// pass, so the iteration goes on for long.
constexpr double kNearlyHeld = 0.97;

class NonlinearCheckpointTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    fs::create_directories(folder_);
    Model& model = TheModel();
    const SectionValues section = Pipe4();
    const double L = 600.0, mu = 1.0, density = 10.0 * kDensity;
    const double friction = mu * 3.0 * density * section.A * L / 8.0;
    const double deltaT = friction / (kNearlyHeld * kE * section.A * kAlpha);
    StartModel(model, 70.0 + deltaT, density, folder_ + "/unsettled.mod");
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
    PutItem(model, 2, DataType::Guide);
    static_cast<Guide&>(*model.row(2).item).frictionCoefficient = static_cast<float>(mu);
    MakeModel(model);
    SetCases(model, {8});
    model.modified = false;
  }
  void TearDown() override {
    unsetenv("QVITER");
    LayoutFixture::TearDown();
    fs::remove_all(folder_);
  }
  std::string ResultsPath() const { return folder_ + "/unsettled.res"; }
  static void Checkpoint(int iteration, int answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NONLINEAR_DIALOG", [iteration, answer](HWND dialog) {
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1501)), "Iteration " + std::to_string(iteration));
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1502)), "1 Nonlinearities not converged");
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1503)).rfind("Maximum misconvergence = ", 0), 0u);
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1504)), "For the Guide at Node 20");
      SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    });
  }
  static std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string folder_ = TempFolder() + "/nonlinear-checkpoint";
};

TEST_F(NonlinearCheckpointTest, ContinueTwiceThenAcceptWarnsOfTheUnconvergedCase) {
  setenv("QVITER", "10", 1);
  std::vector<std::string> warning;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  Checkpoint(10, IDCANCEL);  // &Continue
  Checkpoint(20, IDCANCEL);
  Checkpoint(30, IDOK);      // &Accept
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&warning](HWND dialog) {
    warning = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, false));
  platform::CheckModalScript();
  ASSERT_EQ(warning.size(), 2u);
  EXPECT_EQ(warning[1].rfind(std::string(LoadCaseTitle(8)) + ": 30 iterations, Maximum misconvergence = ", 0), 0u);
  const std::string end = " for the Guide at node 20";
  EXPECT_EQ(warning[1].substr(warning[1].size() - end.size()), end);
  EXPECT_TRUE(fs::exists(ResultsPath()));
}

TEST_F(NonlinearCheckpointTest, ExitLeavesTheEarlierResultsFileAsItWas) {
  // A first run goes on until the guide settles.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  ASSERT_TRUE(AnalyzeModel(LayoutFrame().window, false));
  platform::CheckModalScript();
  const std::string before = FileBytes(ResultsPath());
  ASSERT_FALSE(before.empty());

  setenv("QVITER", "1", 1);
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  Checkpoint(1, 1001);  // E&xit
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "Non linearities not converged");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(AnalyzeModel(LayoutFrame().window, false));
  platform::CheckModalScript();
  EXPECT_EQ(FileBytes(ResultsPath()), before);
}

TEST_F(NonlinearCheckpointTest, ABatchRunAcceptsWithoutAskingAndEndsAsAFailure) {
  setenv("QVITER", "1", 1);
  std::vector<std::string> warning;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND) { platform::RunUntilIdle(); });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&warning](HWND dialog) {
    warning = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(AnalyzeModel(LayoutFrame().window, true));
  platform::CheckModalScript();
  ASSERT_EQ(warning.size(), 2u);
  EXPECT_EQ(warning[1], std::string(LoadCaseTitle(8)) +
                            ": 1 iterations, Maximum misconvergence = 100 % for the Guide at node 20");
  // The results are written all the same.
  EXPECT_TRUE(fs::exists(ResultsPath()));
}

}  // namespace
