// The load dialog answered OK with nothing touched on a load whose unused
// pairs hold no pressure at all (as a batch import leaves them): it closes
// with the model, its mark and the undo stack as they were.
#include "loads/LoadsTesting.h"
#include "loads/PipeLoadDialog.h"
#include "model/UndoFiles.h"

namespace {

class UntouchedLoadDialogsTest : public LoadsFixture {};

TEST_F(UntouchedLoadDialogsTest, UnusedPairsWithoutPressureStayAsStored) {
  Model& model = TheModel();
  model.options.ThermalLoadCount = 1;
  model.pipeLoads[1].operating[3] = {70.0f, 0.0f};
  model.modified = false;
  Expect("LOAD_DIALOG", [](HWND dialog) { Press(dialog, IDOK); });
  PipeLoadDialog(LayoutFrame().window, 1, 0);
  platform::CheckModalScript();
  EXPECT_EQ(model.pipeLoads[1].operating[3].pressure, 0.0f);
  EXPECT_FALSE(model.modified);
  EXPECT_FALSE(CanUndo());
}

}  // namespace
