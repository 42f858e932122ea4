// The branch connection stresses of ASME Class 2 (2017) against a hand
// calculation (NC-3653 at a welding tee): run 8.625 x 0.322 in, branch
// 4.5 x 0.237 in, P 500 psi, SH 20,000 and SY 35,000 psi.
//   p = P Do B1 / 2 Tr = 500 x 8.625 x 0.5 / 0.644 = 3,348.2 psi
//   B2r = 0.5 (R/T)^(2/3) = 2.7492, B2b = 0.4 (R/T)^(2/3) = 2.1993
//   Zr = pi Tr Rm^2 = 17.435 in^3, Zb = pi rm^2 Tb = 3.3827 in^3
// With the run moments (3,000, 5,000, -4,000) and (-6,000, 2,000, 9,000)
// and the branch moment (2,000, 6,000, 3,000) in-lb, as they enter after
// the direction rule: the sustained run moment takes the smaller leg where
// the legs turn opposite ways, |(3,000, 0, 4,000)| = 5,000; the branch
// moment is 7,000; total 3,348.2 + 2.7492 x 5,000 / 17.435 + 2.1993 x 7,000
// / 3.3827 = 8,687.8 psi, ratio 0.2896 to 1.5 SH. A response spectrum case
// carrying the same moments takes magnitudes, |(3,000, 2,000, 4,000)| =
// 5,385.2, adds the sustained moments: 14,088 psi against 1.8 SH = 36,000
// (service level 0; 1.5 SY = 52,500 is not smaller), ratio 0.3913.
// The records are computed through the code stress driver on forces handed
// to it, as the results would give them.
#include "codes/CodeTesting.h"

#include <cmath>

#include "codes/BranchConnection.h"
#include "codes/CodeStressDriver.h"
#include "codes/Sif.h"

namespace {

constexpr double kRelative = 1e-3;  // 0.1 %

class BranchConnectionTest : public CodeModelFixture {
 protected:
  void SetUp() override {
    CodeModelFixture::SetUp();
    model.options.PipingCode = 101;
    model.options.ServiceLevel = 0;
    Material& steel = model.materials[1];
    for (int row = 1; row <= 2; ++row) {
      steel.temps[static_cast<std::size_t>(row)].values[3] = 20000.0f;
      steel.temps[static_cast<std::size_t>(row)].values[4] = 35000.0f;
    }
    model.pipeLoads[1].operating[0].pressure = 500.0f;
    model.pipeLoads[1].operating[1].pressure = 500.0f;
    AddSection("R8", 8.625f, 0.322f);
    AddSection("B4", 4.5f, 0.237f);
  }

  // Run 10 - 20 - 30 along X of R8, the branch 20 - 25 of B4 at `degrees`
  // to the run in the XY plane, a welding tee at 20.
  void BuildTee(double degrees) {
    Row(10, ElementType::From, 0, 0);
    const int tee = Row(20, ElementType::Pipe, 50, 0, "R8");
    Row(30, ElementType::Pipe, 50, 0, "R8");
    Row(20, ElementType::From, 0, 0);
    const double a = degrees * 3.14159265358979 / 180.0;
    Row(25, ElementType::Pipe, static_cast<float>(40.0 * std::cos(a)), static_cast<float>(40.0 * std::sin(a)), "B4");
    PutItem(model, tee, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(tee).item).type = kBranchSifWeldingTee;
    Make();
  }

  // The end moments of the three legs at the tee as the formula takes them
  // (after its direction rule), stored as the analysis stores them.
  std::vector<ElementForces> Forces(const BCstress& r) const {
    std::vector<ElementForces> forces(static_cast<std::size_t>(elements.count) + 1);
    const std::array<std::array<double, 3>, 3> moments{{{3000, 5000, -4000}, {-6000, 2000, 9000}, {2000, 6000, 3000}}};
    const int legs[3] = {r.run1, r.run2, r.branch};
    for (int i = 0; i < 3; ++i) {
      auto& f = forces[static_cast<std::size_t>(legs[i])].values;
      const bool start = r.startsAtNode[static_cast<std::size_t>(i)];
      for (std::size_t k = 0; k < 3; ++k) f[(start ? 3 : 9) + k] = static_cast<float>((start ? -1.0 : 1.0) * moments[i][k]);
    }
    return forces;
  }

  // The driver over the cases, every case given `forces`.
  CodeStressResults& Run(const std::vector<int>& cases, const std::vector<ElementForces>* forces = nullptr) {
    CodeStressResults& r = TheCodeStresses();
    std::vector<AnalysisElement> list(elements.elements.begin(), elements.elements.begin() + elements.count + 1);
    std::vector<int> stress;
    for (int e = 1; e <= elements.count; ++e) stress.push_back(e);
    BeginCodeStresses(r, model, list, elements.count, stress, cases);
    ComputeResultSifs(r);
    CalculateCodeStresses(r, [&](int, std::vector<ElementForces>& out) {
      if (forces != nullptr) out = *forces;
    });
    return r;
  }
  void TearDown() override { FreeCodeStresses(); }
};

bool Near(double value, double expected) { return std::fabs(value - expected) <= kRelative * std::fabs(expected); }

TEST_F(BranchConnectionTest, AWeldingTeeOfClass2BySetUpAndCase) {
  BuildTee(90.0);
  // The set-up alone, first without forces.
  CodeStressResults& first = Run({1, 31});
  ASSERT_TRUE(first.branches.ready);
  ASSERT_EQ(first.branches.records.size(), 1u);
  const BCstress record = first.branches.records[0];
  EXPECT_EQ(record.type, 1);
  EXPECT_EQ(record.branch, ElementBetween(20, 25));
  EXPECT_TRUE(Near(record.pressure, 3348.2)) << record.pressure;
  EXPECT_TRUE(Near(record.B2r, 2.7492)) << record.B2r;
  EXPECT_TRUE(Near(record.B2b, 2.1993)) << record.B2b;
  EXPECT_TRUE(Near(record.Zr, 17.435)) << record.Zr;
  EXPECT_TRUE(Near(record.Zb, 3.3827)) << record.Zb;
  EXPECT_FLOAT_EQ(record.SH, 20000.0f);
  EXPECT_FLOAT_EQ(record.limit, 36000.0f);

  const std::vector<ElementForces> forces = Forces(record);
  CodeStressResults& r = Run({1, 31}, &forces);
  const BranchConnectionStresses& b = r.branches;
  ASSERT_EQ(b.caseTypes, (std::vector<int>{1, 31}));
  EXPECT_EQ(b.caseIndex, 1);
  const BCstress& computed = b.records[0];
  ASSERT_EQ(computed.cases.size(), 2u);
  const BranchConCaseStresses& sustained = computed.cases[0];
  EXPECT_TRUE(Near(sustained.runMoment, 5000.0));
  EXPECT_TRUE(Near(sustained.branchMoment, 7000.0));
  EXPECT_TRUE(Near(sustained.totalStress, 8687.8)) << sustained.totalStress;
  EXPECT_TRUE(Near(sustained.ratio, 0.2896)) << sustained.ratio;
  const BranchConCaseStresses& spectrum = computed.cases[1];
  EXPECT_TRUE(Near(spectrum.runMoment, 5000.0 + std::sqrt(29.0e6)));
  EXPECT_TRUE(Near(spectrum.branchMoment, 14000.0));
  EXPECT_TRUE(Near(spectrum.pressureStress, 3348.2));
  EXPECT_TRUE(Near(spectrum.totalStress, 14088.0)) << spectrum.totalStress;
  EXPECT_TRUE(Near(spectrum.ratio, 0.3913)) << spectrum.ratio;
  // The tee's node carries the connection's total in the sustained and the
  // occasional node tables.
  const int tee = Node(20);
  EXPECT_GE(r.sorted.sections[0].entries[static_cast<std::size_t>(tee)].ratio, sustained.ratio - 1e-6f);
  EXPECT_GE(r.sorted.sections[3].entries[static_cast<std::size_t>(tee)].ratio, spectrum.ratio - 1e-6f);
}

TEST_F(BranchConnectionTest, TheRunMomentOfSignedAndUnsignedCases) {
  BuildTee(90.0);
  BCstress r = Run({1}).branches.records[0];
  // Moments of 100 and 80 about one axis that turn the same way: a signed
  // case carries none, an unsigned one the smaller.
  std::vector<ElementForces> forces(static_cast<std::size_t>(elements.count) + 1);
  const int legs[2] = {r.run1, r.run2};
  const double values[2] = {100.0, 80.0};
  for (int i = 0; i < 2; ++i) {
    const bool start = r.startsAtNode[static_cast<std::size_t>(i)];
    forces[static_cast<std::size_t>(legs[i])].values[start ? 5 : 11] = static_cast<float>((start ? -1.0 : 1.0) * values[i]);
  }
  r.cases.clear();
  BranchConnectionCaseStress(r, forces, 1, 0);
  EXPECT_FLOAT_EQ(r.cases[0].runMoment, 0.0f);
  BranchConnectionCaseStress(r, forces, 31, 1);
  EXPECT_FLOAT_EQ(r.cases[1].runMoment, 80.0f);
  // Turned opposite ways a signed case carries the smaller too.
  forces[static_cast<std::size_t>(legs[1])].values[r.startsAtNode[1] ? 5 : 11] *= -1.0f;
  BranchConnectionCaseStress(r, forces, 13, 1);
  EXPECT_FLOAT_EQ(r.cases[1].runMoment, 80.0f);
  // An occasional case with no load of its own repeats the sustained
  // stresses against its own limit.
  const std::vector<ElementForces> none(static_cast<std::size_t>(elements.count) + 1);
  BranchConnectionCaseStress(r, none, 1, 0);
  BranchConnectionCaseStress(r, none, 13, 1);
  EXPECT_FLOAT_EQ(r.cases[1].totalStress, r.cases[0].totalStress);
  EXPECT_NEAR(r.cases[1].ratio, r.cases[0].totalStress / 36000.0, 1e-6);
  EXPECT_TRUE(IsSignedBranchCase(108));
  EXPECT_FALSE(IsSignedBranchCase(37));
}

TEST_F(BranchConnectionTest, EachWindCaseKeepsItsOwnStresses) {
  BuildTee(90.0);
  const std::vector<ElementForces> forces = Forces(Run({1}).branches.records[0]);
  CodeStressResults& r = Run({1, 13, 107}, &forces);
  ASSERT_EQ(r.branches.caseTypes, (std::vector<int>{1, 13, 107}));
  ASSERT_EQ(r.branches.records[0].cases.size(), 3u);
  // Wind and Wind 2 each hold a slot of their own.
  EXPECT_GT(r.branches.records[0].cases[1].totalStress, 0.0f);
  EXPECT_GT(r.branches.records[0].cases[2].totalStress, 0.0f);
}

TEST_F(BranchConnectionTest, ABranchAt80DegreesIsNoBranchConnection) {
  BuildTee(80.0);
  CodeStressResults& r = Run({1, 13});
  ASSERT_EQ(r.branches.records.size(), 1u);
  EXPECT_EQ(r.branches.records[0].type, -1);
  EXPECT_TRUE(r.branches.records[0].cases.empty());
  // An element that does not end at the node has no direction from it.
  EXPECT_THROW(BranchElementDirection(*r.cm, Node(10), ElementBetween(20, 25)), int);
  const auto u = BranchElementDirection(*r.cm, Node(20), ElementBetween(20, 30));
  EXPECT_NEAR(u[0], 1.0, 1e-9);
}

TEST_F(BranchConnectionTest, OtherCodesAndModelsWithoutASustainedCaseHaveNone) {
  BuildTee(90.0);
  EXPECT_FALSE(Run({2}).branches.ready);
  model.options.PipingCode = 3;
  EXPECT_FALSE(Run({1}).branches.ready);
}

}  // namespace
