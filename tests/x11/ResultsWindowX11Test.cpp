// The Results window in a real X window on a private Xvfb server: the
// result chooser over it when the results open, then the displacement table
// with its group heading and the support load summary; and, for a line with
// guides, limit stops, skewed restraints, snubbers and a generic support,
// the "Other Supports" chooser, the guides' loads in local and global axes,
// the limit stops' loads and a guide's summary. What the X server
// shows must be what the layer drew; the pictures are kept in the build
// folder (x11-results-*.png) to be looked at.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "results/ResultCases.h"
#include "results/ResultsTesting.h"
#include "supports/NonlinearSupportPlant.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

#include "ScreenCompare.h"
#include "XvfbServer.h"

namespace {

class ResultsWindowX11Test : public OnXvfb<ResultsFixture> {};

TEST_F(ResultsWindowX11Test, TheChooserAndTheTablesAreOnTheScreen) {
  BuildLine({1, 8, 2});
  Analyse();
  int chooserPicture = -1;
  std::vector<std::string> names;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG", [&](HWND dialog) {
    names = ShownRadios(dialog);
    platform::RunUntilIdle();  // the chooser drawn
    chooserPicture = CompareWindowWithScreen(display_, dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-results-chooser");
    Click(dialog, 1406);
  });
  OpenResults();
  platform::AdvanceClock(kResultChooserDelay);
  platform::CheckModalScript();
  EXPECT_EQ(names.size(), 6u);
  EXPECT_EQ(chooserPicture, 0);
  ASSERT_NE(ResultsTitle().find("Displacements: Sustained (W+P)"), std::string::npos);
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-results-displacements"),
            0);
  OpenSupportLoadSummary();
  platform::RunUntilIdle();
  ASSERT_NE(ResultsTitle().find("Support load summary for anchor at node 10"), std::string::npos);
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-results-summary"),
            0);
}

TEST_F(ResultsWindowX11Test, TheOtherSupportsAndTheirTablesAreOnTheScreen) {
  nonlinear_plant::Build(TheModel(), ModelPath());
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  g_ResultCase = ResultCaseOfType(8);
  OpenSupportLoadsTable();
  platform::RunUntilIdle();
  const std::string prefix = std::string(QUORVEL_BINARY_DIR) + "/x11-results-";
  int chooserPicture = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "OTHER9_DIALOG", [&](HWND dialog) {
    platform::RunUntilIdle();
    chooserPicture = CompareWindowWithScreen(display_, dialog, prefix + "other-supports");
    Click(dialog, 1402);
  });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_EQ(chooserPicture, 0);
  ASSERT_NE(ResultsTitle().find("Loads on Guides in Local Coordinates"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "guides-local"), 0);
  ResultsCommandNow(288);
  ASSERT_NE(ResultsTitle().find("Loads on Guides in Global Coordinates"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "guides-global"), 0);
  ResultsCommandNow(288);
  ResultsCommandNow(330);
  ASSERT_NE(ResultsTitle().find("Loads on Limit stops"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "limit-stops"), 0);
  // The next kinds in the chooser's order, each in its own table.
  for (const char* title : {"Loads on Restraints", "Loads on Skewed restraints", "Loads on Snubbers",
                            "Loads on Generic supports"}) {
    ResultsCommandNow(330);
    ASSERT_NE(ResultsTitle().find(title), std::string::npos) << ResultsTitle();
    std::string name = std::string(title).substr(9);
    for (char& c : name) c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + name), 0) << title;
  }
  SummaryCurrentSupport() = 2;
  OpenSupportLoadSummary();
  platform::RunUntilIdle();
  ASSERT_NE(ResultsTitle().find("Support load summary for guide at node 20"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "guide-summary"), 0);
}

}  // namespace
