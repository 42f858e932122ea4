// The branch connection stresses table and the EN 13480-3 pressure design
// window in a real X window on a private Xvfb server: what the X server
// shows must be what the layer drew. The pictures are kept in the build
// folder (x11-branch-connections.png, x11-pressure-design.png) to be looked
// at.
#include <gtest/gtest.h>

#include <string>

#include "codes/PressureDesign.h"
#include "codes/PressureDesignWindow.h"
#include "elements/BranchSif.h"
#include "graphics/GraphicsThread.h"
#include "model/ListTesting.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeResultsTesting.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class BranchConnectionX11Test : public OnXvfb<code_testing::CodeResultsFixture> {};

TEST_F(BranchConnectionX11Test, TheTableWithItsGroupHeadingIsOnTheScreen) {
  using namespace analysis_testing;
  Model& model = StartLine(10, kDensity, 150.0);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PutItem(model, 2, DataType::BranchSif);
  static_cast<BranchSif&>(*model.row(2).item).type = 1;
  PipeRow(model, 30, ElementType::Pipe, 60.0f);
  PutItem(model, 3, DataType::Anchor);
  PipeRow(model, 20, ElementType::From, 0.0f);
  PipeRow(model, 25, ElementType::Pipe, 0.0f, 40.0f);
  Finish(model, {1});
  OpenChoosing("&Branch conn stresses");
  ASSERT_TRUE(InResultsMode());
  ASSERT_EQ(&Shown(), &BranchConnectionStressesTable());
  HideGraphicsWindow();
  platform::RunUntilIdle();
  platform::SyncPresenter();
  EXPECT_NE(ResultsTitle().find("Branch Connection Stresses: "), std::string::npos);
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-branch-connections"),
            0);
}

class PressureDesignX11Test : public OnXvfb<ListFixture> {
 protected:
  void TearDown() override {
    FreePressureDesignRecords();
    OnXvfb<ListFixture>::TearDown();
  }
};

TEST_F(PressureDesignX11Test, TheInternalDesignTableIsOnTheScreen) {
  Model& model = TheModel();
  PipeSection& s = model.sections[1];
  s.outsideDiameter = 6.625f;
  s.thickness = 0.280f;
  s.corrosionAllowance = 0.04f;
  s.millTolerance = 12.5f;
  model.materials[1].temps[1].values[3] = 18000.0f;
  model.pipeLoads[1].designPressure = 600.0f;
  for (int row : {3}) {
    model.row(row).material = "CS";
    model.row(row).section = "S4";
    model.row(row).load = "L1";
  }
  SendMessage(LayoutFrame().window, WM_COMMAND, 40057, 0);
  platform::RunUntilIdle();
  ASSERT_TRUE(PressureDesignShown());
  HideGraphicsWindow();
  platform::RunUntilIdle();
  platform::SyncPresenter();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-pressure-design"),
            0);
}

}  // namespace
