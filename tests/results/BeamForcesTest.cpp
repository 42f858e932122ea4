// The Beam forces table through the Results window: a W 14X90 cantilever
// with 1000 lb down at its tip, analysed, its results opened and the
// Element forces chosen: the "&Beams" kind shows the root shear of 1000 lb
// and moment of 120 000 in-lb (in the fixture's units) in local axes (the record as stored) and in
// global axes (what the anchor exerts on the beam), the columns keep their
// widths when the mode switches, and the Right key steps to the next case.
#include <gtest/gtest.h>

#include <string>

#include "elements/BeamTesting.h"
#include "loads/Force.h"
#include "results/BeamForcesTable.h"
#include "results/OtherSelectors.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultsFile.h"
#include "services/Units.h"

namespace {

class BeamForcesTest : public ResultsFixture {
 protected:
  void BuildCantilever() {
    using namespace beam_testing;
    Model& model = TheModel();
    StartBeamModel(model, 0.0, ModelPath());
    AnchoredFrom(model, 10);
    const int beam = BeamRow(model, 20, 120.0f);
    PutItem(model, beam, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(beam).item);
    force.FY = -1000.0f;
    force.AddedTo = 1;
    MakeModel(model);
    analysis_testing::SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
  }
  static double Cell(TableWindow& table, int row, int column, int line) {
    return std::stod(table.CellText(row, column, line));
  }
};

TEST_F(BeamForcesTest, TheBeamsKindShowsTheRootForcesInLocalAndGlobalAxes) {
  BuildCantilever();
  Analyse();
  const std::vector<std::string> names = OpenAndChoose("RESULTS4_DIALOG", 3);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[2], "&Element forces");
  ASSERT_TRUE(InResultsMode());
  ASSERT_EQ(ForceFamily().kinds.size(), 1u);
  EXPECT_EQ(ForceFamily().kinds[0].name, "&Beams");
  EXPECT_NE(ResultsTitle().find("Beam forces in local coordinates: "), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &BeamForcesTable());
  ASSERT_EQ(table.rowCount, 1);
  EXPECT_EQ(table.CellText(1, 1, 0), "10");
  EXPECT_EQ(table.CellText(1, 1, 1), "20");
  EXPECT_EQ(table.HeadingText(3, 0), "fy");
  using analysis_testing::Within;
  EXPECT_TRUE(Within(std::fabs(Cell(table, 1, 3, 0)), 1000.0 * UnitFactor(kUnitForce), 1e-3));
  EXPECT_TRUE(Within(std::fabs(Cell(table, 1, 7, 0)), 120000.0 * UnitFactor(kUnitMoment), 1e-3));
  EXPECT_NEAR(Cell(table, 1, 7, 1), 0.0, 1.0);
  const std::vector<int> widths = table.widths;
  ResultsCommandNow(288);  // Global forces
  EXPECT_NE(ResultsTitle().find("Beam forces in global coordinates: "), std::string::npos) << ResultsTitle();
  ResultTableWindow& global = Shown();
  EXPECT_EQ(global.HeadingText(3, 0), "FY");
  // The anchor holds the beam up and turns it back: +1000 lb and +120 000 in-lb.
  EXPECT_TRUE(Within(Cell(global, 1, 3, 0), 1000.0 * UnitFactor(kUnitForce), 1e-3));
  EXPECT_TRUE(Within(Cell(global, 1, 7, 0), 120000.0 * UnitFactor(kUnitMoment), 1e-3));
  EXPECT_EQ(global.widths, widths);
  // The next case (Operating) reloads the title.
  SetFocus(ResultsTableWindow());
  Key(VK_RIGHT);
  EXPECT_NE(ResultsTitle().find("Operating"), std::string::npos) << ResultsTitle();
  ResultsCommandNow(288);
}

TEST_F(BeamForcesTest, AModelWithoutBeamsOffersNoBeamsKind) {
  BuildLine({124});  // the empty weight alone: no summary, no code tables
  Analyse();
  OpenAndChoose("RESULTS3_DIALOG", 2);
  for (const ResultKind& kind : ForceFamily().kinds) EXPECT_NE(kind.name, "&Beams");
  EXPECT_TRUE(TheResults().beamElements.empty());
}

}  // namespace
