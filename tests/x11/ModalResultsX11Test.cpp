// The modal and response spectrum results in real X windows on a private
// Xvfb server: the Frequencies table, the Mode shapes table, the graphics
// window with the mode shape drawn over the line, and the Accelerations
// table of a flat spectrum. What the server shows must be what the layer
// drew; the pictures are kept in the build folder (x11-modal-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "graphics/GraphicsThread.h"
#include "records/Spectrum.h"
#include "results/AccelerationsTable.h"
#include "results/ModalTables.h"
#include "results/ResultsTesting.h"
#include "results/ShapeDisplay.h"

#include "services/ViewRequests.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class ModalResultsX11Test : public OnXvfb<ResultsFixture> {
 protected:
  void TearDown() override {
    HideShapeDisplays();
    OnXvfb<ResultsFixture>::TearDown();
  }
};

TEST_F(ModalResultsX11Test, FrequenciesModeShapesAndAccelerationsAreOnTheScreen) {
  Model& model = BuildLine({1, 30, 31});
  model.options.ModeCount = 4;
  model.options.CutOffFrequency = 1000;
  ResponseSpectrum flat;
  flat.name = "FLAT";
  flat.ordinateUnit = kOrdinateG;
  flat.points = {{0.1f, 386.4f}, {1000.0f, 386.4f}};
  SetLastSpectrum(model.spectra, flat);
  SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 0.5f);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  ShowModelWindows();
  platform::RunUntilIdle();
  Analyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  const std::string prefix = std::string(QUORVEL_BINARY_DIR) + "/x11-modal-";
  OpenFrequenciesTable();
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "frequencies"), 0);
  OpenModeShapeTable();
  ResultsCommandNow(216);
  ASSERT_TRUE(ModeShapeShown());
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "mode-shapes"), 0);
  // Without a window manager the Results window would stand over the picture.
  RECT results{};
  GetWindowRect(ResultsFrame().window, &results);
  SetWindowPos(ResultsFrame().window, nullptr, 700, results.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, GraphicsWindowHandle(), prefix + "graphics"), 0);
  SetWindowPos(ResultsFrame().window, nullptr, results.left, results.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  OpenResponseAccelerationsTable();
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "accelerations"), 0);
}

}  // namespace
