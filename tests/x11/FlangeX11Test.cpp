// The flange windows in real X windows on a private Xvfb server: the three
// pages of the flange qualification sheet, the
// analysed "Flange Stresses Report" in the List frame, and the "Flange
// Report" of a model's flanges in the Results window. What the X server
// shows must be what the layer drew; the pictures are kept in the build
// folder (x11-flange-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "evaluations/FlangeReport.h"
#include "evaluations/FlangeTesting.h"
#include "platform/PropertySheet.h"

#include "services/ListFrameState.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

std::string Picture(const std::string& name) { return std::string(QUORVEL_BINARY_DIR) + "/x11-flange-" + name; }

class FlangeToolX11Test : public OnXvfb<FlangeToolFixture> {};

TEST_F(FlangeToolX11Test, TheSheetsPagesAndTheAnalysedReportAreOnTheScreen) {
  NewFlangeFrom(LayoutFrame().window);
  ASSERT_TRUE(FlangeToolHoldsListFrame());
  std::vector<int> differences;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Flange Qualification", [&](HWND sheet) {
    const char* const names[3] = {"flange-page", "bolt-page", "load-page"};
    for (int page = 0; page < 3; ++page) {
      SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
      platform::RunUntilIdle();
      differences.push_back(CompareWindowWithScreen(display_, sheet, Picture(names[page])));
    }
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  Tool(40039);
  platform::CheckModalScript();
  EXPECT_EQ(differences, (std::vector<int>{0, 0, 0}));
  SetFlangeModified(false);
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  platform::CheckModalScript();
  // The stress tables at the end of the report.
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window, Picture("stresses-report")), 0);
}

class FlangeReportX11Test : public OnXvfb<FlangeLineFixture> {};

TEST_F(FlangeReportX11Test, TheFlangeReportIsOnTheScreen) {
  BuildLine(400.0f, true);
  AnalyseAndOpenReport();
  ASSERT_EQ(FlangeReportRows().size(), 3u);
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, Picture("report")), 0);
}

}  // namespace
