// Expansion joints in static runs against hand calculations: the bellows'
// stiffness (axial, torsion, end rotation, parallel offset), and a bellows
// between two pipes held by anchors under pressure, whose thrust the
// anchors share with the pipes' springs in series.
#include <gtest/gtest.h>

#include "AnalysisTesting.h"
#include "elements/Bellows.h"
#include "elements/BellowsDialog.h"
#include "elements/StraightElement.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

// The spring of end 2 with end 1 held: translation w with the rotation r
// free (held when `otherHeld`), or the rotation r with w free (held).
double EndSpring(const Matrix12d& K, int w, int r, bool rotation, bool otherHeld) {
  if (otherHeld) return rotation ? K[r][r] : K[w][w];
  return rotation ? K[r][r] - K[r][w] * K[w][r] / K[w][w] : K[w][w] - K[w][r] * K[r][w] / K[r][r];
}

TEST(BellowsStiffnessTest, AxialTorsionRotationAndParallelOffsetAgainstTheSpringRates) {
  const double L = 12.0, ka = 850.0, kl = 2400.0, kb = 3.0e4, kt = 5.0e5;
  const Matrix12d K = StiffnessFromFlexibility(L, BellowsFlexibilities(ka, kb, kt, kl));
  EXPECT_TRUE(Within(K[6][6], ka + 0.0001, 1e-9));
  EXPECT_TRUE(Within(K[9][9], kt + 0.0001, 1e-9));
  // The turned end free to move sideways: the bending rate alone, in both
  // planes.
  EXPECT_TRUE(Within(EndSpring(K, 7, 11, true, false), kb + 0.0001, 1e-9));
  EXPECT_TRUE(Within(EndSpring(K, 8, 10, true, false), kb + 0.0001, 1e-9));
  // Both ends kept from turning: the shear and bending springs in series.
  const double offset = 1.0 / (1.0 / (kl + 0.0001) + L * L / (12.0 * (kb + 0.0001)));
  EXPECT_TRUE(Within(EndSpring(K, 7, 11, false, true), offset, 1e-9));
  EXPECT_TRUE(Within(EndSpring(K, 8, 10, false, true), offset, 1e-9));
  // The rate a mean diameter derives: 10^2 x 100 / 8.
  EXPECT_EQ(DerivedBellowsBendingStiffness(10.0f, 100.0f), 1250.0f);
}

class ExpansionJointAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // Anchor 10, pipe to 20 (L1 along X), the joint to 30, pipe to 40 (L2),
  // anchor 40; weightless, pressure p in every pair and as the design
  // pressure, no Bourdon effect. Returns the joint's row.
  int AnchoredLine(double p, ElementType joint, double L1, double L2) {
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    model.pipeLoads[1].operating[0].pressure = static_cast<float>(p);
    model.pipeLoads[1].designPressure = static_cast<float>(p);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L1));
    const int row = PipeRow(model, 30, joint, 10.0f);
    PipeRow(model, 40, ElementType::Pipe, static_cast<float>(L2));
    PutItem(model, 4, DataType::Anchor);
    return row;
  }
  std::string path_ = TempFolder() + "/expansion-joints.mod";
};

TEST_F(ExpansionJointAnalysisTest, ABellowsThrustIsSharedByTheAnchorsThroughThePipesInSeries) {
  const double p = 150.0, area = 40.0, ka = 1500.0, L1 = 100.0, L2 = 60.0;
  Model& model = TheModel();
  const int row = AnchoredLine(p, ElementType::Bellows, L1, L2);
  auto& bellows = static_cast<Bellows&>(*model.row(row).element);
  bellows.axialStiffness = static_cast<float>(ka);
  bellows.lateralStiffness = 1.0e4f;
  bellows.bendingStiffness = 1.0e6f;
  bellows.torsionalStiffness = 1.0e6f;
  bellows.pressureThrustArea = static_cast<float>(area);
  MakeModel(model);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 1u);
  const SectionValues s = Pipe4();
  const double k1 = kE * s.A / L1, k2 = kE * s.A / L2, K = ka + 0.0001;
  const double load = p * area / (1.0 + K * (1.0 / k1 + 1.0 / k2));
  // The thrust pushes the line's ends out: the first anchor is pushed in
  // -X and holds it with +X on the pipe's end, the last the other way.
  const std::vector<double> first = SupportValues(run, run.cases[0], 1);
  const std::vector<double> last = SupportValues(run, run.cases[0], 4);
  EXPECT_TRUE(Within(std::fabs(first[0]), load, kTolerance)) << first[0];
  EXPECT_TRUE(Within(std::fabs(last[0]), load, kTolerance)) << last[0];
  EXPECT_NEAR(first[0] + last[0], 0.0, 1e-6 * load);
  for (int i = 1; i < 6; ++i) EXPECT_NEAR(first[static_cast<std::size_t>(i)], 0.0, 1e-3);
}

}  // namespace
