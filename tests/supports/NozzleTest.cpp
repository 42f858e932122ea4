// The nozzle's springs and its part in the analysis, against hand
// calculations: the three stiffnesses of a cylindrical vessel, a sphere and
// a flat-bottom tank at a grid point of its tables (the pad tables chosen by
// the pad byte, never by L2), the curves' ends and extrapolation; then a
// line from an anchor into a nozzle along its axis, heated, with and
// without a vessel movement in T1 (the operating case only), through the
// analysis driver; and the runs the nozzle stops, naming its node or row,
// leaving no results file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "analysis/AnalysisTesting.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"

namespace {

using analysis_testing::Within;

constexpr double kTolerance = 1.0e-3;  // 0.1 %

void Cylinder(Nozzle& n) {
  n.nozzleOd = 8.625f;
  n.nozzleThickness = 0.5f;
  n.vesselOd = 48.0f;
  n.vesselThickness = 0.5f;
  n.l1 = n.l2 = 60.0f;
  n.elasticModulus = 29.0e6f;
  n.vesselAxis = {0.0f, 1.0f, 0.0f};
}

TEST(NozzleStiffness, ACylindricalVesselGivesTheWorkedValues) {
  Nozzle n;
  Cylinder(n);
  // Dm 47.5; L = 8 L1 L2 / (2 sqrt 60)^2 = 120; lambda = (d / Dm) sqrt(Dm / T);
  // rho = L / sqrt(T Dm); q = T / t = 1.
  const double Dm = 47.5, lambda = 8.625 / Dm * std::sqrt(Dm / 0.5), rho = 120.0 / std::sqrt(0.5 * Dm);
  EXPECT_TRUE(Within(lambda, 1.7698, 1.0e-4));
  EXPECT_TRUE(Within(rho, 24.623, 1.0e-4));
  ComputeNozzleStiffness(n);
  EXPECT_TRUE(Within(n.axialStiffness, 520097.0, kTolerance));
  EXPECT_TRUE(Within(n.circumferentialStiffness, 5.1055e6, kTolerance));
  EXPECT_TRUE(Within(n.longitudinalStiffness, 2.7104e7, kTolerance));
  // L1 = L2 gives L = 2 L1: 30 and 30 give the rho of L = 60.
  n.l1 = n.l2 = 30.0f;
  ComputeNozzleStiffness(n);
  const double kp60 = 4.95 * 29.0e6 * 0.25 * CylCurveKp(lambda, 60.0 / std::sqrt(0.5 * Dm)) /
                      (Dm * std::sqrt(60.0 / std::sqrt(0.5 * Dm)));
  EXPECT_TRUE(Within(n.axialStiffness, kp60, kTolerance));
}

TEST(NozzleStiffness, ASphereGivesTheWorkedValuesAndItsCurvesHoldTheirEnds) {
  Nozzle n;
  n.spherical = 1;
  n.nozzleOd = 8.625f;
  n.nozzleThickness = 0.5f;
  n.vesselOd = 60.0f;
  n.vesselThickness = 1.0f;
  n.elasticModulus = 29.0e6f;
  EXPECT_TRUE(Within(1.82 * (4.3125 / 60.0) * std::sqrt(60.0), 1.0133, 1.0e-4));
  ComputeNozzleStiffness(n);
  EXPECT_TRUE(Within(n.axialStiffness, 2.7132e6, kTolerance));
  EXPECT_TRUE(Within(n.circumferentialStiffness, 9.0363e7, kTolerance));
  EXPECT_EQ(n.circumferentialStiffness, n.longitudinalStiffness);
  // Beyond u = 4 the last values hold; at 4 the last segment gives them.
  EXPECT_DOUBLE_EQ(NozzleCurveSpherical1(5.0), 0.028);
  EXPECT_DOUBLE_EQ(NozzleCurveSpherical2(5.0), 0.022);
  EXPECT_NEAR(NozzleCurveSpherical1(4.0), 0.028, 1.0e-12);
  EXPECT_NEAR(NozzleCurveSpherical2(4.0), 0.022, 1.0e-12);
  // u up to 0.5 takes the first segment, extended below 0.1.
  EXPECT_NEAR(NozzleCurveSpherical1(0.05), 0.40 + (0.05 - 0.1) / 0.4 * (0.26 - 0.40), 1.0e-12);
  EXPECT_NEAR(NozzleCurveSpherical2(0.3), 0.12 + 0.5 * (0.21 - 0.12), 1.0e-12);
}

TEST(NozzleStiffness, AFlatBottomTankReadsItsTablesByThePadByte) {
  // R/T 400, a/R 0.02, L/2a 1: T 1, R 400 (D 801), a 8 (d 16), L 16.
  Nozzle n;
  n.flatBottom = 1;
  n.nozzleOd = 16.0f;
  n.nozzleThickness = 1.0f;
  n.vesselOd = 801.0f;
  n.vesselThickness = 1.0f;
  n.l1 = 16.0f;
  n.l2 = 5.0f;  // a stale L2 must not choose the pad tables
  n.elasticModulus = 29.0e6f;
  ComputeNozzleStiffness(n);
  const double E = 29.0e6, d = 16.0;
  EXPECT_TRUE(Within(n.axialStiffness, E * d * std::exp(-8.1117), kTolerance));
  EXPECT_TRUE(Within(n.circumferentialStiffness, E * d * d * d * std::exp(-8.1117), kTolerance));
  EXPECT_TRUE(Within(n.longitudinalStiffness, E * d * d * d * std::exp(-7.8240), kTolerance));
  n.reinforcingPad = 1;
  n.l2 = 0.0f;
  ComputeNozzleStiffness(n);
  EXPECT_TRUE(Within(n.axialStiffness, E * d * std::exp(-7.6009), kTolerance));
  EXPECT_TRUE(Within(n.circumferentialStiffness, E * d * d * d * std::exp(-7.6009), kTolerance));
  EXPECT_TRUE(Within(n.longitudinalStiffness, E * d * d * d * std::exp(-7.2644), kTolerance));
}

TEST(NozzleStiffness, TablesAreExtrapolatedFromTheirEndIntervalsNotClamped) {
  // ln 0.05 lies below the kml grid's first point ln 0.1.
  const double slope = (-0.3711 + 0.6931) / (-1.6094 + 2.3026);
  EXPECT_TRUE(Within(CylCurveKml(0.05, 0.2), std::exp(-0.6931 + (std::log(0.05) + 2.3026) * slope), 1.0e-5));
  // q 19.8 lies beyond the grid's 10, twice the step from 0.2 to 10.
  const double low = 0.1823, high = 1.1314;  // lambda 1: q 10 and q 0.2
  EXPECT_TRUE(Within(CylCurveKml(1.0, 19.8), std::exp(high + 2.0 * (low - high)), 1.0e-5));
}

// --- in the analysis ------------------------------------------------------------------------

class NozzleRunTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = TempFolder() + "/nozzle-run.mod"; }
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // 10 (anchor) along X 120 inch to 20, the nozzle; 300 F, weightless.
  Nozzle& Build(std::vector<int> cases) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, 0.0, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    PutItem(model, 2, DataType::Nozzle);
    auto& nozzle = static_cast<Nozzle&>(*model.row(2).item);
    Cylinder(nozzle);
    ComputeNozzleStiffness(nozzle);
    MakeModel(model);
    SetCases(model, cases);
    return nozzle;
  }
  std::string Failure() {
    try {
      RunAnalysis(TheModel(), SilentProgress());
    } catch (const std::string& message) {
      return message;
    }
    return "";
  }
  std::string path_;
};

TEST_F(NozzleRunTest, AHeatedLineIntoANozzlePushesItsAxialSpring) {
  using namespace analysis_testing;
  const Nozzle& nozzle = Build({1, 8});
  const RunResults run = AnalyseAndRead(TheModel());
  ASSERT_EQ(run.cases.size(), 2u);
  const double kp = nozzle.axialStiffness, L = 120.0, EA = kE * Pipe4().A;
  const double growth = kAlpha * (300.0 - 70.0) * L;
  const std::vector<double> operating = SupportValues(run, run.cases[1], 2);
  ASSERT_EQ(operating.size(), 6u);
  EXPECT_TRUE(Within(operating[0], growth / (1.0 / kp + L / EA), kTolerance));
  // Nothing across the axis, no moments: the line is straight.
  for (int i = 1; i < 6; ++i) EXPECT_NEAR(operating[static_cast<std::size_t>(i)], 0.0, 1.0e-3) << i;
  const std::vector<double> sustained = SupportValues(run, run.cases[0], 2);
  for (double value : sustained) EXPECT_NEAR(value, 0.0, 1.0e-3);
}

TEST_F(NozzleRunTest, AVesselMovementInT1LoadsTheOperatingCaseOnly) {
  using namespace analysis_testing;
  Nozzle& nozzle = Build({1, 8});
  const double delta = 0.05;
  nozzle.displacements.flags[0] = 1;
  nozzle.displacements.sets = std::make_unique<DisplacementSets>();
  nozzle.displacements.sets->values[1] = static_cast<float>(delta);  // DX of T1
  const RunResults run = AnalyseAndRead(TheModel());
  const double kp = nozzle.axialStiffness, L = 120.0, EA = kE * Pipe4().A;
  const double growth = kAlpha * (300.0 - 70.0) * L;
  EXPECT_TRUE(Within(SupportValues(run, run.cases[1], 2)[0], (growth - delta) / (1.0 / kp + L / EA), kTolerance));
  EXPECT_NEAR(SupportValues(run, run.cases[0], 2)[0], 0.0, 1.0e-3);
}

// The vessel's seismic movement, in a code that has seismic anchor
// movements, is the Seismic (g) case's whole load when every g is 0.
TEST_F(NozzleRunTest, AVesselsSeismicMovementLoadsTheSeismicCase) {
  using namespace analysis_testing;
  Nozzle& nozzle = Build({1, 12});
  TheModel().options.PipingCode = 1;
  TheModel().seismic.g = {0.0f, 0.0f, 0.0f};
  const double delta = 0.05;
  nozzle.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  nozzle.displacements.sets = std::make_unique<DisplacementSets>();
  nozzle.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + 1)] = static_cast<float>(-delta);
  const RunResults run = AnalyseAndRead(TheModel());
  ASSERT_EQ(run.cases.size(), 2u);
  const double kp = nozzle.axialStiffness, L = 120.0, EA = kE * Pipe4().A;
  EXPECT_TRUE(Within(SupportValues(run, run.cases[1], 2)[0], delta / (1.0 / kp + L / EA), kTolerance));
  EXPECT_NEAR(SupportValues(run, run.cases[0], 2)[0], 0.0, 1.0e-3);
}

TEST_F(NozzleRunTest, ParallelAxesAndAMissingStiffnessStopTheRun) {
  Nozzle& nozzle = Build({8});
  nozzle.vesselAxis = {2.0f, 0.0f, 0.0f};
  EXPECT_EQ(Failure(), "Nozzle at node 20 has parallel nozzle and vessel axes");
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  // A sphere does not use the vessel axis.
  nozzle.spherical = 1;
  nozzle.vesselOd = 60.0f;
  ComputeNozzleStiffness(nozzle);
  EXPECT_EQ(Failure(), "");
  nozzle.spherical = 0;
  nozzle.vesselAxis = {0.0f, 0.0f, 1.0f};
  nozzle.circumferentialStiffness = 0.0f;
  EXPECT_EQ(Failure(), "Row 2: the nozzle at node 20 has no stiffness; enter its vessel again in its dialog");
}

}  // namespace
