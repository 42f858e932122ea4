// The loads' dialogs answered OK with nothing touched on what they cannot
// show as stored: a model with no time history, no wind, and a load whose
// unused pairs hold no pressure at all (as a batch import leaves them).
// Each closes with the model, its mark and the undo stack as they were.
#include "loads/LoadsTesting.h"
#include "loads/PipeLoadDialog.h"
#include "model/UndoFiles.h"

namespace {

class UntouchedLoadDialogsTest : public LoadsFixture {};

TEST_F(UntouchedLoadDialogsTest, NoTimeHistoryNoWindAndUnusedPairsStayAsStored) {
  Model& model = TheModel();
  model.timeHistory = TimeHistorySettings{};
  model.options.ThermalLoadCount = 1;
  model.pipeLoads[1].operating[3] = {70.0f, 0.0f};
  model.modified = false;
  Expect("TIME_HISTORY_DIALOG", [](HWND dialog) { Press(dialog, IDOK); });
  Layout(223);
  EXPECT_EQ(model.timeHistory.outputInterval, 0);
  EXPECT_FALSE(model.modified);
  Expect("WIND_DIALOG", [](HWND dialog) {
    Press(dialog, IDOK);
    EXPECT_TRUE(platform::DialogEnded(dialog)) << "an untouched wind refused";
  });
  Layout(233);
  EXPECT_FALSE(model.modified);
  Expect("LOAD_DIALOG", [](HWND dialog) { Press(dialog, IDOK); });
  PipeLoadDialog(LayoutFrame().window, 1, 0);
  platform::CheckModalScript();
  EXPECT_EQ(model.pipeLoads[1].operating[3].pressure, 0.0f);
  EXPECT_FALSE(model.modified);
  EXPECT_FALSE(CanUndo());
}

}  // namespace
