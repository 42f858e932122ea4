// The time-history tables in real X windows on a private Xvfb server: the
// displacements of a node, the forces of an element end in global axes,
// the selection dialog with the element ends to choose from, and the loads
// on an anchor over time, with its "Max.Abs [Signed]" row. What
// the server shows must be what the layer drew; the pictures are kept in
// the build folder (x11-time-history-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "results/ResultsTesting.h"
#include "results/SupportLoadsTimeHistory.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class TimeHistoryX11Test : public OnXvfb<ResultsFixture> {};

TEST_F(TimeHistoryX11Test, DisplacementsForcesAndSupportLoadsOverTimeAreOnTheScreen) {
  Model& model = BuildLine({1, 30, 35}, false);
  AddTimeHistoryLoads(model, {1, 30, 35}, false);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  ShowModelWindows();
  platform::RunUntilIdle();
  Analyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ASSERT_TRUE(TimeHistoryAvailable());
  const std::string prefix = std::string(QUORVEL_BINARY_DIR) + "/x11-time-history-";
  ShowDisplacementTimeHistory(FindNodeIndex(model.nodes, 20));
  platform::RunUntilIdle();
  EXPECT_EQ(ShownResultTable(), &DisplacementTimeHistoryTable());
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "displacements"), 0);
  ShowElementForceTimeHistory(2);
  ToggleTimeHistoryForceAxes();
  platform::RunUntilIdle();
  EXPECT_EQ(ShownResultTable(), &ElementForceTimeHistoryTable());
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "forces"), 0);
  ToggleTimeHistoryForceAxes();
  // The selection: the kind, then the element ends to choose from.
  int kindPicture = -1, endsPicture = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [&](HWND dialog) {
    platform::RunUntilIdle();
    kindPicture = CompareWindowWithScreen(display_, dialog, prefix + "selection");
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [&](HWND pick) {
      platform::RunUntilIdle();
      endsPicture = CompareWindowWithScreen(display_, pick, prefix + "element-ends");
      SendMessage(pick, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1402, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1402)));
  });
  SelectTimeHistoryResults();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(kindPicture, 0);
  EXPECT_EQ(endsPicture, 0);
  ReadSupportLoadsTimeHistory(1);
  TableGoTo(SupportTimeHistoryTable(), SupportTimeHistoryTable().rowCount);
  platform::RunUntilIdle();
  EXPECT_EQ(ShownResultTable(), &SupportTimeHistoryTable());
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, prefix + "anchor"), 0);
}

}  // namespace
