// Refine Nodal Mesh and Refine Branches for B31J through the Edit menu: a
// 1000 in pipe refined for 10 Hz into pieces of the hand-worked mass point
// spacing, as one undo step; a frequency of 0 refining nothing, saying so
// and leaving no undo step; buried refinement without soils refused;
// branch points of a tee given nodes half the branch diameter away, and a
// second run reporting the model already refined.
#include <cmath>

#include "editing/RefineRows.h"
#include "model/ToolTesting.h"

namespace {

constexpr int kRefine = 40067, kRefineBranches = 40078;
constexpr double kPi = 3.14159265358979323846;
constexpr const char* kRenumberQuestion = "Want to Renumber nodes of refined Nodal Mesh?";

class RefineRowsTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    Model& model = TheModel();
    model.options.PipingCode = 3;
    Material& steel = model.materials[1];
    steel.density = 0.283f;
    steel.jointFactor = 1.0f;
    steel.numtemps = 1;
    steel.temps.resize(2);
    steel.temps[1].values = {70.0f, 2.9e7f, 6.0e-6f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
    model.sections[1].outsideDiameter = 4.5f;
    model.sections[1].thickness = 0.237f;
  }
  void Line() {
    Model& model = TheModel();
    AddRow(model, 10, ElementType::From);
    AddRow(model, 20, ElementType::Pipe, 1000.0f);
    model.row(3).material = "A106";
    model.row(3).section = "S4";
    model.row(3).load = "L1";
    Open();
  }
  // `question` (when given) is answered No after the refinement.
  void RefineDynamic(const std::string& frequency, const char* question = nullptr) {
    WithDialog(kRefine, "REFINE_LAYOUT", [=](HWND dialog) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1301)));
      Click(dialog, 1402);
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1301)));
      Set(dialog, 1301, frequency);
      if (question != nullptr) ExpectBox(question, true, IDCANCEL);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
};

TEST_F(RefineRowsTest, APipeRefinedIntoPiecesOfTheMassPointSpacing) {
  Line();
  const std::string before = Bytes();
  RefineDynamic("10", kRenumberQuestion);
  // w = pi (2.25^2 - 2.013^2) 0.283 = 0.89824 lb/in, I = pi (2.25^4 -
  // 2.013^4) / 4 = 7.2324 in4: s = 0.5 sqrt(pi / 20) (E I 386.4 / w)^0.25.
  const double ro = 2.25, ri = 2.013;
  const double w = kPi * (ro * ro - ri * ri) * 0.283;
  const double I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  const double s = 0.5 * std::sqrt(kPi / 20.0) * std::pow(2.9e7 * I * 386.4 / w, 0.25);
  EXPECT_NEAR(s, 108.6, 0.1);
  const Model& model = TheModel();
  const int pieces = static_cast<int>(1000.0 / s) + 1;  // the last one shorter
  ASSERT_EQ(model.rowCount, 2 + pieces);
  for (int r = 3; r < 2 + pieces; ++r) EXPECT_NEAR(model.row(r).dx, s, 1e-3) << r;
  EXPECT_NEAR(model.row(2 + pieces).dx, 1000.0 - (pieces - 1) * s, 1e-3);
  EXPECT_EQ(model.row(2 + pieces).node, 20);
  Command(40050);  // one undo step
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
}

TEST_F(RefineRowsTest, NothingRefinedLeavesNoUndoAndBuriedNeedsSoils) {
  Line();
  // A frequency of 0 gives no mass point spacing: the user is told so.
  WithDialog(kRefine, "REFINE_LAYOUT", [](HWND dialog) {
    Click(dialog, 1402);
    Set(dialog, 1301, "0");
    ExpectBox("Mass Modeling Frequency should be > 0: the nodal mesh is not refined.");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(TheModel().rowCount, 3);
  EXPECT_FALSE(CanUndo());
  WithDialog(kRefine, "REFINE_LAYOUT", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "33");  // the cut-off frequency of a new model
    ExpectBox("Soil not modelled to refine layout.");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(CanUndo());
  WithDialog(kRefine, "REFINE_LAYOUT", [](HWND dialog) {
    Click(dialog, 1402);
    Set(dialog, 1301, "");
    OkRefused(dialog, "Mass Modeling Frequency is required");
  });
  EXPECT_EQ(TheModel().rowCount, 3);
}

TEST_F(RefineRowsTest, BranchPointsGetANodeHalfTheBranchDiameterAway) {
  Model& model = TheModel();
  ExpectBox("No Branch SIFs defined to refine");
  Command(kRefineBranches);
  model.options.UseB31J = 1;
  AddRow(model, 10, ElementType::From);                  // row 2
  AddRow(model, 20, ElementType::Pipe, 100.0f);          // row 3
  model.row(3).section = "S4";
  PutItem(model, 3, DataType::BranchSif);
  AddRow(model, 30, ElementType::Pipe, 100.0f);          // row 4
  AddRow(model, 20, ElementType::From);                  // row 5
  AddRow(model, 40, ElementType::Pipe, 0.0f, 100.0f);    // row 6
  Open();
  ASSERT_EQ(TheModel().options.UseB31J, 1);
  ExpectBox("Want to Renumber nodes of refined layout?", true, IDCANCEL);
  Command(kRefineBranches);
  const Model& refined = TheModel();
  EXPECT_EQ(refined.rowCount, 9);
  // New nodes 2.25 in from node 20 on each of the three pipes.
  int near = 0;
  for (int i = 1; i <= refined.nodes.count; ++i) {
    const NodeRecord& n = refined.nodes[i];
    const double d = std::hypot(n.x - 100.0, n.y);
    if (n.id != 20 && std::fabs(d - 2.25) < 1e-3) ++near;
  }
  EXPECT_EQ(near, 3);
  ExpectBox("Model already refined");
  Command(kRefineBranches);
  EXPECT_EQ(TheModel().rowCount, 9);
}

TEST_F(RefineRowsTest, BuriedPipeIsCutIntoTwoDiametersOverTheSoilZoneNextToTheBend) {
  Model& model = TheModel();
  Soil soil;
  soil.name = "SND";
  soil.density = static_cast<float>(120.0 / 1728.0);
  soil.groundLevel = 60.0f;
  AppendSoil(model.soils, soil);
  model.sections[1].soil = "SND";
  AddRow(model, 10, ElementType::From);                   // row 2
  AddRow(model, 20, ElementType::Bend, 600.0f);           // row 3
  model.row(3).material = "A106";
  model.row(3).section = "S4";
  model.row(3).load = "L1";
  AddRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 600.0f);  // row 4
  Open();
  // k = (0.285 H / D + 4.3) rho D 80 with H = 60, D = 4.5; I = pi (4.5^4 -
  // 4.026^4) / 64; beta = (k / 4EI)^0.25; the zone is 3 pi / (4 beta).
  const double k = (0.285 * 60.0 / 4.5 + 4.3) * (120.0 / 1728.0) * 4.5 * 80.0;
  const double I = kPi * (std::pow(4.5, 4) - std::pow(4.026, 4)) / 64.0;
  const double zone = 3.0 * kPi / (4.0 * std::pow(k / (4.0 * 2.9e7 * I), 0.25));
  EXPECT_NEAR(zone, 106.3, 0.1);
  EXPECT_NEAR(BuriedRefineLength(TheModel(), 3), zone, 1e-3);
  WithDialog(kRefine, "REFINE_LAYOUT", [](HWND dialog) {
    ExpectBox("Discretize buried portions of the stress layout. Do you want to proceed?", true, IDOK);
    ExpectBox("Want to Renumber nodes of discretized layout?", true, IDCANCEL);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const Model& refined = TheModel();
  // Before the bend: one long piece, then pieces of 2D = 9 in, the bend
  // keeping the last piece with its curve.
  EXPECT_NEAR(refined.row(3).dx, 600.0 - zone, 1e-3);
  int bend = 0;
  for (int r = 4; r <= refined.rowCount && bend == 0; ++r)
    if (refined.row(r).elementType == ElementType::Bend) bend = r;
  ASSERT_GT(bend, 4);
  for (int r = 4; r < bend; ++r) EXPECT_NEAR(refined.row(r).dx, 9.0, 1e-3) << r;
  EXPECT_LE(refined.row(bend).dx, 6.75 + 9.0);
  // After the bend: pieces of 9 in from the bend's node over the zone.
  const int after = static_cast<int>(zone / 9.0 + 1.0);
  for (int r = bend + 1; r < bend + 1 + after; ++r) EXPECT_NEAR(refined.row(r).dz, 9.0, 1e-3) << r;
  EXPECT_EQ(refined.row(refined.rowCount).node, 30);
  EXPECT_TRUE(CanUndo());
}

}  // namespace
