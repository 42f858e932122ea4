// The analysis window's two faces, measured in the headless layer: while
// the run lasts, the areas and Abort under the size of the system, the
// window ending a margin under Abort; once the run is over, the question
// whether to see the results and its Yes and No where the areas were, the
// window ending the same margin under them, with no empty band below.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/AnalysisTesting.h"
#include "analysis/AnalysisWindow.h"
#include "files/ModelFile.h"
#include "model/LayoutTesting.h"
#include "model/MakeModel.h"
#include "platform/Dialog.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"

namespace {

namespace fs = std::filesystem;

// An item's rectangle in its dialog's client coordinates.
RECT ClientRectOf(HWND dialog, int item) {
  RECT box{};
  GetWindowRect(GetDlgItem(dialog, item), &box);
  POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
  ScreenToClient(dialog, &corners[0]);
  ScreenToClient(dialog, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int ClientHeight(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  return client.bottom;
}

// The template's 7 dialog units of margin, in pixels.
int Margin(HWND dialog) {
  RECT margin{0, 0, 7, 7};
  MapDialogRect(dialog, &margin);
  return margin.bottom;
}

class AnalysisBoxTest : public LayoutFixture {
 protected:
  void TearDown() override {
    LayoutFixture::TearDown();
    fs::remove_all(folder_);
  }
  std::string folder_ = TempFolder() + "/analysis-box";
};

TEST_F(AnalysisBoxTest, TheQuestionEndsTheWindowAMarginUnderItsButtons) {
  using namespace analysis_testing;
  fs::create_directories(folder_);
  Model& model = TheModel();
  StartModel(model, 300.0, kDensity, folder_ + "/box.mod");
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, 3, DataType::Anchor);
  MakeModel(model);
  SetCases(model, {1});
  ASSERT_EQ(WriteModelFile(model.path), "");
  model.modified = false;
  int runningBand = -1, questionBand = -1, runningHeight = 0, questionHeight = 0, margin = 0;
  RECT question{}, yes{}, no{}, sizeField{};
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [&](HWND dialog) {
    margin = Margin(dialog);
    runningHeight = ClientHeight(dialog);
    runningBand = runningHeight - ClientRectOf(dialog, 1001).bottom;
    platform::RunUntilIdle();  // the run
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDYES)));
    questionHeight = ClientHeight(dialog);
    question = ClientRectOf(dialog, 1508);
    yes = ClientRectOf(dialog, IDYES);
    no = ClientRectOf(dialog, IDNO);
    sizeField = ClientRectOf(dialog, 1505);
    questionBand = questionHeight - std::max(yes.bottom, no.bottom);
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, false));
  platform::CheckModalScript();
  ASSERT_GT(margin, 0);
  // Under Abort while the run lasts, under Yes and No after it: one margin
  // (a pixel of rounding either way).
  EXPECT_NEAR(runningBand, margin, 1);
  EXPECT_NEAR(questionBand, margin, 1);
  EXPECT_LT(questionHeight, runningHeight);
  // The question under the size of the system, its buttons under it.
  EXPECT_GT(question.top, sizeField.bottom);
  EXPECT_GE(yes.top, question.bottom);
  EXPECT_EQ(yes.top, no.top);
}

}  // namespace
