// The analysis window in a real X window on a private Xvfb server, caught
// half way through the assembly of the operating case (the progress areas
// show the step, the phase and its percentage) and again
// when it asks whether to see the results: what the X server shows must be
// what the layer drew. The pictures are kept in the build folder
// (x11-analysis-*.png) to be looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/AnalysisTesting.h"
#include "analysis/ProgressWindow.h"
#include "model/LayoutTesting.h"
#include "platform/Window.h"
#include "services/AppPens.h"

#include "services/TempFiles.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

using namespace analysis_testing;

// The progress window's own procedure, and what the test saw through it.
WNDPROC g_Original = nullptr;
HWND g_Dialog = nullptr;
int g_RunningPicture = -1;
std::string g_Display, g_Step;
bool g_Yellow = false;

LRESULT WatchProgress(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProc(g_Original, window, message, wParam, lParam);
  if (message == WM_PAINT && g_RunningPicture < 0 &&
      ProgressAreaText(window, ProgressArea::Percentage) == "50 %" &&
      ProgressAreaText(window, ProgressArea::StepTitle) == "Operating (W+P1+T1)") {
    g_Yellow = platform::GetWindowPixel(window, 100, 70) == AppColour::kYellow;  // the areas stand whole
    g_Step = ProgressAreaText(window, ProgressArea::StepTitle) + " / " + ProgressAreaText(window, ProgressArea::Phase);
    g_RunningPicture =
        CompareWindowWithScreen(g_Display, g_Dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-analysis-running");
  }
  return result;
}

class AnalysisWindowX11Test : public OnXvfb<LayoutFixture> {
 protected:
  void TearDown() override {
    OnXvfb<LayoutFixture>::TearDown();
    std::filesystem::remove_all(folder_);
  }
  std::string folder_ = TempFolder() + "/analysis-x11";
};

TEST_F(AnalysisWindowX11Test, TheRunAndItsQuestionAreOnTheScreen) {
  std::filesystem::create_directories(folder_);
  Model& model = TheModel();
  StartModel(model, 400.0, kDensity, folder_ + "/line.mod");
  // A line long enough for the factorisation to show a percentage.
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  for (int i = 0; i < 300; ++i) PipeRow(model, 20 + 10 * i, i == 150 ? ElementType::Bend : ElementType::Pipe,
                                        i > 150 ? 0.0f : 40.0f, 0.0f, i > 150 ? 40.0f : 0.0f);
  PutItem(model, model.rowCount, DataType::Anchor);
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  model.modified = false;
  g_Display = display_;
  int questionPicture = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [&](HWND dialog) {
    g_Dialog = dialog;
    HWND areas = GetDlgItem(dialog, 1601);
    g_Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(areas, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProgress)));
    platform::RunUntilIdle();
    questionPicture =
        CompareWindowWithScreen(display_, dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-analysis-question");
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(g_Step, "Operating (W+P1+T1) / Assembling elements");
  EXPECT_EQ(g_RunningPicture, 0);
  EXPECT_TRUE(g_Yellow);
  EXPECT_EQ(questionPicture, 0);
  EXPECT_TRUE(std::filesystem::exists(folder_ + "/line.res"));
}

}  // namespace
