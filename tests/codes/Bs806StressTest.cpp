// BS 806 stresses against hand calculations.
// A bend D 6.1, t 0.1, R 9.0 in: d = 5.9, r = (d + D)/4 = 3.0, lambda =
// R t / r^2 = 0.1, R/r = 3, I = pi (D^4 - d^4)/64 = 8.48461 in^4; P 100 psi,
// no flanged end, moments Mt 500, Mb 2,000, Ma 1,000 in-lb:
//   hoop P (d/t + 1)/2 = 3,000; pressure P d^2 / 4t(d + t) = 1,450.4;
//   the charts at (0.1, 3): ca 9.2, cb 8.5, la 5.1, lb 7.0;
//   circumferential 3,000 + (r/I) sqrt((Mb cb)^2 + (ca Ma)^2) = 9,834.6;
//   longitudinal 1,450.4 + (r/I) sqrt((Mb lb)^2 + (la Ma)^2) = 6,718.8;
//   tau = D Mt / 4I = 89.87; S = sqrt(9,834.6^2 + 4 tau^2) = 9,836.3 psi.
// The allowable pressure of 6.625 x 0.280 in with 12.5 % mill tolerance,
// c 0.0625, f 15,000, E 1.0: te = 0.875 x 0.28 - 0.0625 = 0.1825, P = 2 te
// f / (D - te) = 849.8 psi.
#include "codes/CodeTesting.h"

#include <cmath>

#include "codes/Bs806Stress.h"
#include "codes/CodeStressDriver.h"
#include "codes/Sif.h"

namespace {

constexpr double kRelative = 1e-3;

bool Near(double value, double expected) { return std::fabs(value - expected) <= kRelative * std::fabs(expected); }

class Bs806StressTest : public CodeModelFixture {
 protected:
  void SetUp() override {
    CodeModelFixture::SetUp();
    model.options.PipingCode = 12;
    model.pipeLoads[1].operating[0].pressure = 100.0f;
    model.pipeLoads[1].operating[1].pressure = 100.0f;
    AddSection("T6", 6.1f, 0.1f);
  }
  // 10 - 20 - bend at 30 (radius 9.0) - 40 of T6.
  Bend& BuildThinElbow(ElementType kind = ElementType::Bend) {
    Row(10, ElementType::From, 0, 0);
    Row(20, ElementType::Pipe, 100, 0, "T6");
    const int bend = Row(30, kind, 100, 0, "T6");
    Row(40, ElementType::Pipe, 0, 100, "T6");
    auto& b = static_cast<Bend&>(*model.row(bend).element);
    b.radiusType = kBendRadiusUser;
    b.radius = 9.0f;
    return b;
  }
  std::array<Bs806EndStress, 2> Stresses(int element, int caseType, const std::array<float, 12>& values) {
    const CodeModel cm(model, elements);
    const SifTables sifs = ComputeSifs(cm);
    std::vector<ElementForces> forces(static_cast<std::size_t>(elements.count) + 1);
    forces[static_cast<std::size_t>(element)].values = values;
    const CodeStressCase c{cm, sifs, forces, caseType};
    return ComputeBs806Stresses(c, element);
  }
};

TEST_F(Bs806StressTest, ABendByItsChartsAndTheCombinedStress) {
  BuildThinElbow();
  Make();
  const int arc = ElementOfKind(4);
  const auto s = Stresses(arc, 1, {0, 0, 0, 500, 2000, 1000, 0, 0, 0, 0, 0, 0});
  const Bs806EndStress& e = s[0];
  EXPECT_TRUE(e.bend);
  EXPECT_TRUE(Near(e.hoop, 3000.0)) << e.hoop;
  EXPECT_TRUE(Near(e.pressure, 1450.4)) << e.pressure;
  EXPECT_NEAR(e.ca, 9.2, 1e-6);
  EXPECT_NEAR(e.cb, 8.5, 1e-6);
  EXPECT_NEAR(e.la, 5.1, 1e-6);
  EXPECT_NEAR(e.lb, 7.0, 1e-6);
  EXPECT_TRUE(Near(e.circumferential, 9834.6)) << e.circumferential;
  EXPECT_TRUE(Near(e.longitudinal, 6718.8)) << e.longitudinal;
  EXPECT_TRUE(Near(e.sigma, 9834.6));
  EXPECT_TRUE(Near(e.tau, 6.1 * 500.0 / (4.0 * 8.48461)));
  EXPECT_TRUE(Near(e.S, 9836.3)) << e.S;
  // The other end carries no moment: the larger of hoop and the chart
  // circumferential stress of no moment is the hoop stress.
  EXPECT_TRUE(Near(s[1].S, 3000.0));
}

TEST_F(Bs806StressTest, ChartsBetweenAndBeyondTheirPoints) {
  // Between the R/r rows the logarithms are interpolated: halfway from 3 to
  // 6 gives the geometric mean.
  EXPECT_NEAR(Bs806ChartFactor(0, 0.1, 4.5), std::sqrt(9.2 * 8.7), 1e-9);
  // Above R/r = 10 the last row holds; below lambda 0.01 the first interval
  // carries on in logarithms.
  EXPECT_NEAR(Bs806ChartFactor(1, 1.0, 25.0), 1.6, 1e-9);
  const double slope = std::log(18.0 / 40.0) / std::log(3.2);
  EXPECT_NEAR(Bs806ChartFactor(1, 0.005, 2.0), 40.0 * std::exp(slope * std::log(0.5)), 1e-9);
  EXPECT_NEAR(Bs806ChartFactor(3, 2.0, 6.0), 1.4, 1e-9);
}

TEST_F(Bs806StressTest, FlangedEndsMitersAndFactorsRaisedToOne) {
  Bend& bend = BuildThinElbow();
  bend.flangedEnds = 2;
  Make();
  const int arc = ElementOfKind(4);
  Bs806EndStress e = Stresses(arc, 1, {0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 0})[0];
  // lambda 0.1 below 1 with both ends flanged: k = 0.1^(1/3).
  EXPECT_NEAR(e.ca, std::pow(0.1, 1.0 / 3.0) * 9.2, 1e-6);
  EXPECT_NEAR(e.lb, std::pow(0.1, 1.0 / 3.0) * 7.0, 1e-6);
  // A thick bend of a long radius (lambda 15): the circumferential factors
  // of the charts fall below one and are raised to 1.0; lambda above 1
  // takes no flange correction.
  model.sections[FindSectionByName(model.sections, "T6")].thickness = 1.0f;
  bend.radius = 100.0f;
  e = Stresses(arc, 1, {0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 0})[0];
  EXPECT_DOUBLE_EQ(e.ca, 1.0);
  EXPECT_DOUBLE_EQ(e.cb, 1.0);
  EXPECT_NEAR(e.lb, 1.3, 1e-9);
}

TEST_F(Bs806StressTest, AMiterRaisesItsHoopStressAndTakesTheMiterFactors) {
  BuildThinElbow(ElementType::Miter);
  Make();
  const int miter = ElementOfKind(5);
  ASSERT_NE(miter, 0);
  const Bs806EndStress e = Stresses(miter, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})[0];
  const double r = 3.0, R = 9.0, t = 0.1, lambda = 0.1;
  EXPECT_TRUE(Near(e.hoop, 3000.0 * (1.0 + 0.6427 * (r / (2.0 * R - r)) * std::sqrt(r / t))));
  EXPECT_TRUE(Near(e.ca, 1.8 / std::pow(lambda, 2.0 / 3.0)));
  EXPECT_TRUE(Near(e.la, 1.35 / std::pow(lambda, 2.0 / 3.0)));
}

TEST_F(Bs806StressTest, ABranchConnectionTakesItsFactorsButNotInTheSustainedCase) {
  BuildTee(kBranchSifWeldingTee);
  Make();
  const int branch = ElementBetween(20, 25), run = ElementBetween(10, 20);
  // Run S6 6.625 x 0.280: T 0.28, rm 3.1725; branch S4 4.5 x 0.237: rb 2.1315.
  const double T = 0.28, rm = 3.1725, tb = 0.237, rb = 2.1315;
  const double h = 4.4 * T / rm, io = 1.8 / std::pow(h, 2.0 / 3.0), ii = 0.75 * io + 0.5;
  const double m = 2.5 * std::pow((rb / tb) * (rb / tb) * T / rm, 0.2042);
  const std::array<float, 12> values{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const Bs806EndStress atTee = Stresses(branch, 2, values)[0];
  EXPECT_TRUE(atTee.branch);
  EXPECT_TRUE(Near(atTee.io, std::max(io, 1.0)));
  EXPECT_TRUE(Near(atTee.ii, std::max(ii, 1.0)));
  EXPECT_TRUE(Near(atTee.m, m));
  // With no moment the stress is the pressure term m P (2 rm + Te)/2 Te,
  // P the expansion case's P1 (100 psi).
  EXPECT_TRUE(Near(atTee.sigma, m * 100.0 * (2.0 * rm + T) / (2.0 * T)));
  // The sustained case carries no pressure term and factors of one.
  const Bs806EndStress sustained = Stresses(branch, 1, values)[0];
  EXPECT_DOUBLE_EQ(sustained.m, 1.0);
  EXPECT_DOUBLE_EQ(sustained.sigma, 0.0);
  // The branch's own end takes the branch's section, the run's the run's:
  // an in-plane moment of 1,000 in the branch plane.
  std::array<float, 12> moment{};
  moment[5] = 1000.0f;
  const double branchSigma = Stresses(branch, 1, moment)[0].sigma;
  EXPECT_NEAR(branchSigma, 1000.0 / (3.14159265358979 * rb * rb * std::min(T, tb)), 1e-3);
  std::array<float, 12> runMoment{};
  runMoment[11] = 1000.0f;
  const Bs806EndStress runEnd = Stresses(run, 1, runMoment)[1];
  const double D = 6.625, d = D - 2.0 * T, I = 0.049087385 * (std::pow(D, 4) - std::pow(d, 4));
  EXPECT_NEAR(runEnd.sigma, rm / I * 1000.0, 1e-3);
  EXPECT_TRUE(IsBs806BranchNode(CodeModel(model, elements), Node(20)));
}

TEST_F(Bs806StressTest, ThePressureOfEachCaseType) {
  model.pipeLoads[1].operating[0].pressure = 150.0f;
  model.pipeLoads[1].operating[1].pressure = -200.0f;
  BuildElbow();
  Make();
  const CodeModel cm(model, elements);
  const AnalysisElement& e = elements[1];
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 2), 150.0);
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 9), -200.0);
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 1), 200.0);
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 13), 200.0);
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 11), 0.0);
  // A range takes the larger of its two pressures; a type the table does not
  // list the largest operating one.
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 5), 200.0);
  EXPECT_DOUBLE_EQ(Bs806CasePressure(cm, e, 124), 200.0);
  // The hot check's case of each temperature.
  EXPECT_EQ(Bs806HotCaseType({8, 15, 9}, 1), 15);
  EXPECT_EQ(Bs806HotCaseType({8, 15, 9}, 2), 9);
  EXPECT_EQ(Bs806HotCaseType({8}, 3), 0);
}

TEST_F(Bs806StressTest, AllowablesAndTheAllowablePressure) {
  BuildTee(kBranchSifWeldingTee);
  Material& steel = model.materials[1];
  steel.temps[1].values[3] = steel.temps[2].values[3] = 15000.0f;
  steel.temps[1].values[5] = steel.temps[2].values[5] = 30000.0f;
  const int s6 = FindSectionByName(model.sections, "S6");
  model.sections[s6].millTolerance = 12.5f;
  model.sections[s6].corrosionAllowance = 0.0625f;
  Make();
  const CodeModel cm(model, elements);
  const int run = ElementBetween(10, 20);
  EXPECT_TRUE(Near(Bs806AllowablePressure(cm, run), 849.8)) << Bs806AllowablePressure(cm, run);
  // Sustained: 0.8 of the rupture stress where it is smaller than the
  // proof stress (31,333 at 400 F), 0.15 of the design stress at a branch;
  // expansion 0.9 (hot + cold proof); hot the rupture stress.
  const AnalysisElement& e = elements[run];
  const double proof400 = 35000.0 + (400.0 - 70.0) / 630.0 * (28000.0 - 35000.0);
  EXPECT_NEAR(Bs806SustainedAllowable(cm, e, Node(10)), 0.8 * 30000.0, 1e-3);
  EXPECT_NEAR(Bs806SustainedAllowable(cm, e, Node(20)), 0.15 * 15000.0, 1e-3);
  EXPECT_NEAR(Bs806ExpansionAllowable(cm, e, 70.0, 70.0), 0.9 * (30000.0 + 35000.0), 1e-3);
  EXPECT_NEAR(Bs806HotAllowable(cm, e, 400.0), 30000.0, 1e-3);
  // Without a rupture stress the proof stress rules, and the hot check
  // has no allowable (1.0, shown as none).
  steel.temps[1].values[5] = steel.temps[2].values[5] = 0.0f;
  EXPECT_NEAR(Bs806SustainedAllowable(cm, e, Node(10)), 0.8 * proof400, 1e-2);
  EXPECT_DOUBLE_EQ(Bs806HotAllowable(cm, e, 400.0), 1.0);
}

TEST_F(Bs806StressTest, TheDriverChecksSustainedExpansionAndHot) {
  BuildElbow();
  Make();
  CodeStressResults& r = TheCodeStresses();
  std::vector<AnalysisElement> list(elements.elements.begin(), elements.elements.begin() + elements.count + 1);
  std::vector<int> stress;
  for (int e = 1; e <= elements.count; ++e) stress.push_back(e);
  BeginCodeStresses(r, model, list, elements.count, stress, {1, 2, 8});
  ComputeResultSifs(r);
  int loads = 0;
  CalculateCodeStresses(r, [&](int, std::vector<ElementForces>&) { ++loads; });
  EXPECT_EQ(loads, 3);
  EXPECT_TRUE(r.presence.combined);
  EXPECT_FALSE(r.presence.occasional);
  const CodeStressRecord& record = r.Record(1);
  // Without moments: the hoop stress of the case pressure.
  const double d = 6.625 - 0.56, hoop = 100.0 * (d / 0.28 + 1.0) / 2.0;
  EXPECT_NEAR(record.SL[0], hoop, 0.05);
  EXPECT_GT(record.expansion[0].ratio, 0.0f);
  EXPECT_GT(record.combined[0].ratio, 0.0f);
  EXPECT_GT(SortedStressRowCount(r), 0);
  FreeCodeStresses();
}

}  // namespace
