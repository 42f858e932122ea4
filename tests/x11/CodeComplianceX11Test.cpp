// The code compliance table in a real X window on a private Xvfb server: a
// B31.1 cantilever whose anchor end is overstressed, its table with the
// group titles, fraction bars, group rules and the red ratio and stress.
// What the X server shows must be what the layer drew; the picture is kept
// in the build folder (x11-code-compliance.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "graphics/GraphicsThread.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeResultsTesting.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class CodeComplianceX11Test : public OnXvfb<code_testing::CodeResultsFixture> {};

TEST_F(CodeComplianceX11Test, TheTableWithItsRedRatiosIsOnTheScreen) {
  Model& model = StartLine(1, analysis_testing::kDensity, 150.0);
  for (int t = 1; t <= 2; ++t) model.materials[1].temps[static_cast<std::size_t>(t)].values[3] = 3000.0f;
  analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  analysis_testing::PipeRow(model, 20, ElementType::Pipe, 120.0f);
  analysis_testing::PipeRow(model, 30, ElementType::Pipe, 120.0f);
  Finish(model, {1, 13});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  // Without a window manager nothing settles which window lies on top: the
  // graphics window, shown with the results, goes out of the way.
  HideGraphicsWindow();
  platform::RunUntilIdle();
  platform::SyncPresenter();
  bool highlight = false;
  ComplianceCellText(1, 5, 0, highlight);
  EXPECT_TRUE(highlight);
  EXPECT_NE(ResultsTitle().find("B31.1 (2016) Code Compliance"), std::string::npos);
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-code-compliance"),
            0);
}

}  // namespace
