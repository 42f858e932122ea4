// The elastic element: its stiffness (symmetric, free of forces under the
// six rigid-body motions with or without an arm, also on axes the dialog
// lets be slightly skew; every spring 0 still not singular), ELASTIC_DIALOG
// with its direction checks, the Elastic elements list with its typed
// stiffnesses and its LCS entry, and the printed section.
#include <algorithm>

#include "editing/NodeList.h"
#include "elements/BendTesting.h"
#include "elements/ElasticAnalysis.h"
#include "elements/ElasticDialog.h"
#include "elements/ElasticElement.h"
#include "elements/ElasticList.h"
#include "elements/InlineTesting.h"
#include "model/ContextMenus.h"
#include "model/LcsTriad.h"
#include "model/RowOperations.h"
#include "services/NumberText.h"

namespace {

// Springs of six stiffnesses on the axes given.
void SetSprings(ElasticElement& e, float x0, float x1, float x2, float y0, float y1, float y2) {
  e.kx = 1.0e3f;
  e.ky = 2.0e3f;
  e.kz = 3.0e3f;
  e.kxx = 4.0e5f;
  e.kyy = 5.0e5f;
  e.kzz = 6.0e5f;
  const float x[3] = {x0, x1, x2}, y[3] = {y0, y1, y2};
  for (int i = 0; i < 3; ++i) {
    e.localX[i] = x[i];
    e.localY[i] = y[i];
  }
}

TEST(ElasticStiffnessTest, NoForcesUnderRigidBodyMotionsWithOrWithoutAnArm) {
  const float frames[3][6] = {{1, 0, 0, 0, 1, 0}, {2, 1, 0, -1, 2, 0.05f},  // skew by 0.01 in the cosine
                              {0, 0, 3, 1, 0, 0}};
  for (const auto& f : frames) {
    ElasticElement e;
    SetSprings(e, f[0], f[1], f[2], f[3], f[4], f[5]);
    const ElementAxes axes = ElasticElementAxes(e);
    EXPECT_NEAR(Dot(axes.x, axes.y), 0.0, 1.0e-12);
    EXPECT_NEAR(Norm(axes.z), 1.0, 1.0e-12);
    for (const Vector3d& d : {Vector3d{0, 0, 0}, Vector3d{10, -4, 7}}) {
      const Matrix12d K = ElasticElementStiffness(e, axes, d);
      // Rigid-body motions in the element's own axes, with the arm there.
      ExpectSymmetricAndFreeOfRigidBodyForces(K, ToLocal(axes, d));
    }
  }
  // Coincident nodes: six plain springs, node 1 against node 2.
  ElasticElement plain;
  SetSprings(plain, 1, 0, 0, 0, 1, 0);
  const Matrix12d K = ElasticElementStiffness(plain, ElasticElementAxes(plain), {0, 0, 0});
  const double springs[6] = {1.0e3, 2.0e3, 3.0e3, 4.0e5, 5.0e5, 6.0e5};
  for (int i = 0; i < 6; ++i) {
    EXPECT_DOUBLE_EQ(K[i][i], springs[i]);
    EXPECT_DOUBLE_EQ(K[i][i + 6], -springs[i]);
  }
  // An arm of b along y couples the x spring with node 2's turn about z.
  const Matrix12d armed = ElasticElementStiffness(plain, ElasticElementAxes(plain), {0, 10, 0});
  EXPECT_DOUBLE_EQ(armed[0][11], -10.0 * 1.0e3);
  EXPECT_DOUBLE_EQ(armed[11][11], 100.0 * 1.0e3 + 6.0e5);
  // No springs at all: 1.0e-8 each, so nothing is singular.
  ElasticElement none;
  SetSprings(none, 1, 0, 0, 0, 1, 0);
  none.kx = none.ky = none.kz = none.kxx = none.kyy = none.kzz = 0.0f;
  const Matrix12d weak = ElasticElementStiffness(none, ElasticElementAxes(none), {0, 0, 0});
  for (int i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(weak[i][i], 1.0e-8);
}

// Row 3 (node 30) made an elastic element.
class ElasticElementTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  static ElasticElement& ElasticAt() { return static_cast<ElasticElement&>(*TheModel().row(kRow).element); }
  static void MakeElastic() {
    SetElementType(TheModel(), kRow, ElementType::Elastic);
    SetSprings(ElasticAt(), 1, 0, 0, 0, 1, 0);
    MakeModel(TheModel());
    TheModel().modified = false;
  }
};

TEST_F(ElasticElementTest, TheDialogChecksTheDirectionsAndKeepsThemAsEntered) {
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "ELASTIC_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Elastic element from 20 to 30");
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitRotStiffness));
    SetDlgItemText(dialog, 1301, "1000");
    SetDlgItemText(dialog, 1302, "rig");
    SetDlgItemText(dialog, 1306, "x");
    ExpectRefused(dialog, "kzz =  X  is invalid", 1306);
    SetDlgItemText(dialog, 1306, "");
    ExpectRefused(dialog, "0.0, 0.0, 0.0 is not a valid direction", 1307);
    SetDlgItemText(dialog, 1307, "2");
    ExpectRefused(dialog, "0.0, 0.0, 0.0 is not a valid direction", 1310);
    SetDlgItemText(dialog, 1310, "0.02");
    SetDlgItemText(dialog, 1311, "1");
    ExpectRefused(dialog, "x and y axes are not perpendicular", 1307);
    SetDlgItemText(dialog, 1310, "0");
    SetDlgItemText(dialog, 1312, "0.01");  // within 0.01 of square
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, kRow, ElementType::Elastic));
  platform::CheckModalScript();
  const ElasticElement& e = ElasticAt();
  EXPECT_EQ(e.kx, 1000.0f);
  EXPECT_TRUE(IsRigidStiffness(e.ky));
  EXPECT_EQ(e.kzz, 0.0f);
  EXPECT_EQ(e.localX[0], 2.0f);  // as entered, not made a unit vector
  EXPECT_EQ(e.localY[2], 0.01f);
  EditRow("ELASTIC_DIALOG", kRow, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), "Rigid");
    EXPECT_EQ(Field(dialog, 1307), "2.0000");
    Ok(dialog);
  });
}

TEST_F(ElasticElementTest, TheListStoresTypedStiffnessesShowsTheAxesAndPrintsThreeLines) {
  MakeElastic();
  ShowModelWindows();
  ChooseList("&Elastic elements");
  TableWindow& list = ElasticElementsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(6, 0), "kxx");
  EXPECT_EQ(list.HeadingText(4, 1), UnitLabel(kUnitStiffness));
  EXPECT_EQ(list.widths[3], list.widths[5]);
  EXPECT_EQ(list.CellText(1, 3, 0), ElasticStiffnessText(0, 1.0e3f));
  TypeCell(list, 1, 4, "RIGID");
  EXPECT_TRUE(IsRigidStiffness(ElasticAt().ky));
  EXPECT_EQ(list.CellText(1, 4, 0), "Rigid");
  EXPECT_TRUE(TheModel().modified);

  // The LCS entry applies to this list and draws the element's axes at its
  // start node; leaving the list takes them away.
  EXPECT_TRUE(LcsMenuApplies());
  SendMessage(ListFrame().window, WM_COMMAND, kLcsCommand, 0);
  platform::RunUntilIdle();
  const LcsTriad& triad = TheLcsTriad();
  EXPECT_TRUE(triad.shown);
  EXPECT_EQ(triad.node, TheModel().row(kRow).startNode);
  EXPECT_FLOAT_EQ(triad.axes[1][1], 1.0f);
  ShowListByOpener(OpenNodeList);
  EXPECT_FALSE(LcsMenuApplies());
  EXPECT_FALSE(TheLcsTriad().shown);

  const std::vector<std::string> text = Report("elastic.txt", PrintElasticElementsDetails);
  const auto header = std::find_if(text.begin(), text.end(), [](const std::string& line) {
    return line.find("x Xcomp    x Ycomp") != std::string::npos;
  });
  ASSERT_TRUE(header != text.end() && header != text.begin() && header + 1 != text.end());
  EXPECT_EQ(At(*(header - 1), 6, 8), "20");
  EXPECT_EQ(At(*(header - 1), 26, 35), "Rigid");
  EXPECT_EQ(At(*(header + 1), 15, 24), "1.000");
  EXPECT_EQ(At(*(header + 1), 59, 68), "1.000");
  const std::vector<std::string> csv = Report("elastic.csv", PrintElasticElementsDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Elastic elements,");
  ASSERT_TRUE(csv.end() - title > 5);
  EXPECT_EQ(*(title + 2), "From,To,kx,ky,kz,kxx,kyy,kzz,xXcomp,xYcomp,xZcomp,yXcomp,yYcomp,yZcomp,");
  EXPECT_NE((title + 5)->find(",Rigid,"), std::string::npos);
  EXPECT_NE((title + 5)->find(",1.000,0.000,0.000,0.000,1.000,0.000,"), std::string::npos);
}

}  // namespace
