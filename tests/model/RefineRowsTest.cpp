// Refine Nodal Mesh and Refine Branches for B31J through the Edit menu: a
// 1000 in pipe refined for 10 Hz into pieces of the hand-worked mass point
// spacing, as one undo step; a frequency of 0 refining nothing and leaving
// no undo step; buried refinement without soils refused; branch points of
// a tee given nodes half the branch diameter away, and a second run
// reporting the model already refined.
#include <cmath>

#include "ToolTesting.h"
#include "model/RefineRows.h"

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
  RefineDynamic("0");
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

}  // namespace
