// The Soil Restraints result table in a real X window on a private Xvfb
// server: a buried line (12.75-inch pipe in a cohesionless soil, two
// elements in the ground and a riser out of it) analysed, its results
// opened and "&Soil restraints" chosen in the result chooser. What the X
// server shows must be what the layer drew; the picture is kept in the build
// folder (x11-results-soil-restraints.png) to be looked at.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "results/ResultChooser.h"
#include "results/ResultsTesting.h"
#include "results/SoilRestraintsTable.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class SoilRestraintsX11Test : public OnXvfb<ResultsFixture> {};

TEST_F(SoilRestraintsX11Test, TheSoilRestraintsTableIsOnTheScreen) {
  using namespace analysis_testing;
  Model& model = TheModel();
  StartModel(model, 170.0, 0.0, ModelPath());
  model.sections[1].outsideDiameter = 12.75f;
  model.sections[1].thickness = 0.375f;
  model.sections[1].soil = "S1";
  Soil soil;
  soil.name = "S1";
  soil.density = static_cast<float>(120.0 / 1728.0);
  soil.delta = static_cast<float>(std::numbers::pi / 6.0);
  soil.Ks = 0.7f;
  soil.groundLevel = 42.375f;
  AppendSoil(model.soils, soil);
  PutItem(model, PipeRow(model, 10, ElementType::From, 0.0f), DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PipeRow(model, 30, ElementType::Pipe, 60.0f);
  PutItem(model, PipeRow(model, 40, ElementType::Pipe, 0.0f, 100.0f), DataType::Anchor);
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenResults();
  const std::vector<ResultChooserEntry>& list = ResultChooserList();
  int choice = 0;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].name == "&Soil restraints") choice = static_cast<int>(i) + 1;
  ASSERT_NE(choice, 0);
  platform::ExpectModal(platform::ModalKind::Dialog, ResultChooserTemplateName(static_cast<int>(list.size())),
                        [choice](HWND dialog) { Click(dialog, 1400 + choice); });
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(ResultsTitle().find("Quorvel : Soil Restraints"), 0u) << ResultsTitle();
  ASSERT_TRUE(SoilRestraintsAvailable());
  EXPECT_EQ(SoilRestraintCell(1, 4), "Cohesionless");
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-results-soil-restraints"),
            0);
}

}  // namespace
