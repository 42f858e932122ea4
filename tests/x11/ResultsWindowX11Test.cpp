// The Results window in a real X window on a private Xvfb server: the
// result chooser over it when the results open, then the displacement table
// with its group heading and the support load summary. What the X server
// shows must be what the layer drew; the pictures are kept in the build
// folder (x11-results-*.png) to be looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "results/ResultsTesting.h"
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

}  // namespace
