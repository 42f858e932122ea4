// Beams through the analysis against hand calculations (W 14X90, E 29.0e6
// psi, Nu 0.3, L 120 in, 0.1 %): cantilevers along X and columns along the
// vertical under tip loads on both axes (the strong axis: local y is -X for
// a column with Y vertical) and turned by beta; a cantilever under its
// weight and a beam load; a span of two beams with Major Bending released
// at its outer ends; a restrained beam heated; a major shear area. The
// local matrix and its releases are checked against the classical terms,
// and the modal pass puts the beam's stiffness and masses in the system.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "analysis/AnalysisTesting.h"
#include "elements/BeamAnalysis.h"
#include "elements/BeamStiffness.h"
#include "elements/BeamTesting.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/GlobalSystem.h"
#include "loads/Force.h"
#include "model/MakeModel.h"
#include "numeric/RunState.h"
#include "numeric/Skyline.h"
#include "services/TempFiles.h"

namespace {

using namespace beam_testing;
using analysis_testing::AnalyseAndRead;
using analysis_testing::RunResults;
using analysis_testing::SetCases;
using analysis_testing::SupportValues;
using analysis_testing::Within;

constexpr double kTolerance = 1.0e-3;
constexpr double kL = 120.0;

class BeamAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // A force on T1 at row `row`: "Expansion (T1)" (result case 3) is the
  // force alone.
  static void Force(Model& model, int row, float fx, float fy, float fz) {
    PutItem(model, row, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(row).item);
    force.FX = fx;
    force.FY = fy;
    force.FZ = fz;
    force.AddedTo = 2;
  }
  // The tip displacement (component `i`) of the expansion case of a run.
  static double Tip(Model& model, const RunResults& run, NodeId node, int i) {
    return run.cases.at(2).nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, node))][static_cast<std::size_t>(i)];
  }
  RunResults Cantilever(float dx, float dy, float dz, float fx, float fy, float fz, float beta = 0.0f) {
    Model& model = TheModel();
    StartBeamModel(model, 0.0, path_);
    AnchoredFrom(model, 10);
    const int beam = BeamRow(model, 20, dx, dy, dz);
    BeamOf(model, beam).beta = beta;
    Force(model, beam, fx, fy, fz);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    return AnalyseAndRead(model);
  }
  std::string path_ = TempFolder() + "/beam-analysis.mod";
};

// PL^3/(3 E I) on the strong and the weak axis.
const double kStrong = 1000.0 * std::pow(kL, 3) / (3.0 * kE * kImaj);  // 0.019882
const double kWeak = 1000.0 * std::pow(kL, 3) / (3.0 * kE * kImin);    // 0.054868

TEST_F(BeamAnalysisTest, HorizontalCantileverBendsOnTheStrongAxisAndOnTheWeakOneTurnedBy90) {
  EXPECT_NEAR(kStrong, 0.019882, 1e-6);
  EXPECT_NEAR(kWeak, 0.054868, 1e-6);
  {
    const RunResults run = Cantilever(120.0f, 0.0f, 0.0f, 0.0f, -1000.0f, 0.0f);
    Model& model = TheModel();
    EXPECT_TRUE(Within(Tip(model, run, 20, 1), -kStrong, kTolerance));
    // The anchor holds the shear and the moment PL.
    const std::vector<double> anchor = SupportValues(run, run.cases.at(2), 1);
    EXPECT_TRUE(Within(std::fabs(anchor[1]), 1000.0, kTolerance));
    EXPECT_TRUE(Within(std::fabs(anchor[5]), 120000.0, kTolerance));
    // End 1 of the element record: the root shear and moment in local axes.
    const std::array<float, 12>& end = run.cases.at(2).forces.at(1);
    EXPECT_TRUE(Within(std::fabs(end[1]), 1000.0, kTolerance));
    EXPECT_TRUE(Within(std::fabs(end[5]), 120000.0, kTolerance));
    EXPECT_NEAR(end[11], 0.0, 0.1);
  }
  const RunResults turned = Cantilever(120.0f, 0.0f, 0.0f, 0.0f, -1000.0f, 0.0f, 90.0f);
  EXPECT_TRUE(Within(Tip(TheModel(), turned, 20, 1), -kWeak, kTolerance));
}

TEST_F(BeamAnalysisTest, ColumnsTakeTheirStrongAxisAcrossX) {
  EXPECT_TRUE(Within(Tip(TheModel(), Cantilever(0.0f, 120.0f, 0.0f, 1000.0f, 0.0f, 0.0f), 20, 0), kStrong, kTolerance));
  EXPECT_TRUE(Within(Tip(TheModel(), Cantilever(0.0f, 120.0f, 0.0f, 0.0f, 0.0f, 1000.0f), 20, 2), kWeak, kTolerance));
}

TEST_F(BeamAnalysisTest, WithZVerticalTheColumnAlongZKeepsItsStrongAxisAcrossX) {
  for (const auto& [fx, fy, component, expected] :
       {std::tuple{1000.0f, 0.0f, 0, kStrong}, std::tuple{0.0f, 1000.0f, 1, kWeak}}) {
    Model& model = TheModel();
    StartBeamModel(model, 0.0, path_);
    model.options.ZVertical = 1;
    AnchoredFrom(model, 10);
    const int beam = BeamRow(model, 20, 0.0f, 0.0f, 120.0f);
    Force(model, beam, fx, fy, 0.0f);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_TRUE(Within(Tip(model, run, 20, component), expected, kTolerance)) << component;
  }
}

// w = 0.2836 x 26.5 + 100 / 12 = 15.8487 lb/in.
TEST_F(BeamAnalysisTest, WeightAndBeamLoadMakeAUniformLoad) {
  Model& model = TheModel();
  StartBeamModel(model, 0.2836, path_);
  model.beamLoads[1].additionalWeight = 100.0f / 12.0f;
  AnchoredFrom(model, 10);
  BeamRow(model, 20, 120.0f);
  MakeModel(model);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  const double w = 0.2836 * kA + 100.0 / 12.0;
  EXPECT_NEAR(w, 15.8487, 1e-4);
  const int tip = FindNodeIndex(model.nodes, 20);
  EXPECT_TRUE(Within(run.cases.at(0).nodes[static_cast<std::size_t>(tip)][1], -0.014180, kTolerance));
  const std::array<float, 12>& end = run.cases.at(0).forces.at(1);
  EXPECT_TRUE(Within(std::fabs(end[1]), 1901.85, kTolerance));
  EXPECT_TRUE(Within(std::fabs(end[5]), 114111.0, kTolerance));
}

// Released Major Bending at the outer ends: a simply supported span of 240 in.
TEST_F(BeamAnalysisTest, ReleasedOuterEndsMakeASimplySupportedSpan) {
  Model& model = TheModel();
  StartBeamModel(model, 0.2836, path_);
  model.beamLoads[1].additionalWeight = 100.0f / 12.0f;
  AnchoredFrom(model, 10);
  const int first = BeamRow(model, 20, 120.0f);
  const int second = BeamRow(model, 30, 120.0f);
  PutItem(model, second, DataType::Anchor);
  BeamOf(model, first).releases[kReleaseMajorBending] = 1;
  BeamOf(model, second).releases[6 + kReleaseMajorBending] = 1;
  MakeModel(model);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  const double w = 0.2836 * kA + 100.0 / 12.0;
  const double expected = 5.0 * w * std::pow(240.0, 4) / (384.0 * kE * kImaj);
  EXPECT_NEAR(expected, 0.023633, 1e-6);
  const int mid = FindNodeIndex(model.nodes, 20);
  EXPECT_TRUE(Within(run.cases.at(0).nodes[static_cast<std::size_t>(mid)][1], -expected, kTolerance));
  for (int row : {1, second}) {
    const std::vector<double> anchor = SupportValues(run, run.cases.at(0), row);
    EXPECT_TRUE(Within(std::fabs(anchor[1]), 1901.85, kTolerance)) << row;
    EXPECT_NEAR(anchor[5], 0.0, 1.0) << row;
  }
}

TEST_F(BeamAnalysisTest, ARestrainedBeamHeated100FPushesItsAnchorsApart) {
  Model& model = TheModel();
  StartBeamModel(model, 0.0, path_);
  model.beamLoads[1].temperature[0] = 170.0f;
  AnchoredFrom(model, 10);
  const int beam = BeamRow(model, 20, 120.0f);
  PutItem(model, beam, DataType::Anchor);
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  const double P = 100.0 * kAlpha * kA * kE;
  EXPECT_NEAR(P, 499525.0, 1.0);
  const std::vector<double> anchor = SupportValues(run, run.cases.at(2), 1);
  EXPECT_TRUE(Within(std::fabs(anchor[0]), P, kTolerance));
  EXPECT_TRUE(Within(std::fabs(run.cases.at(2).forces.at(1)[0]), P, kTolerance));
}

TEST_F(BeamAnalysisTest, AMajorShearAreaAddsTheShearDeflection) {
  Model& model = TheModel();
  StartBeamModel(model, 0.0, path_);
  model.beamSections[1].Asmaj = 6.0f;
  AnchoredFrom(model, 10);
  const int beam = BeamRow(model, 20, 120.0f);
  Force(model, beam, 0.0f, -1000.0f, 0.0f);
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  const double G = kE / 2.6;
  const double expected = kStrong + 1000.0 * kL / (G * 6.0);
  EXPECT_NEAR(expected, 0.021675, 1e-6);
  EXPECT_TRUE(Within(Tip(model, run, 20, 1), -expected, kTolerance));
}

TEST_F(BeamAnalysisTest, BeamsWithoutStiffnessAreRefusedNamingTheirRow) {
  struct Fault {
    void (*spoil)(Model&);
    const char* message;
  };
  const Fault faults[] = {
      {[](Model& m) { m.beamMaterials[1].E = 0.0f; }, "Row 2 : Beam material modulus must be greater than 0"},
      {[](Model& m) { m.beamSections[1].A = 0.0f; }, "Row 2 : Beam section area must be greater than 0"},
      {[](Model& m) { m.beamSections[1].Imin = 0.0f; },
       "Row 2 : Beam section moments of inertia must be greater than 0"},
  };
  for (const Fault& fault : faults) {
    Model& model = TheModel();
    StartBeamModel(model, 0.0, path_);
    AnchoredFrom(model, 10);
    BeamRow(model, 20, 120.0f);
    MakeModel(model);
    SetCases(model, {1});
    fault.spoil(model);
    try {
      RunAnalysis(model, SilentProgress());
      ADD_FAILURE() << fault.message;
    } catch (const std::string& message) {
      EXPECT_EQ(message, fault.message);
    }
  }
}

// A section without J is analysed with Imaj + Imin, which it keeps.
TEST_F(BeamAnalysisTest, ASectionWithoutTorsionalConstantTakesTheSumOfItsInertias) {
  Model& model = TheModel();
  StartBeamModel(model, 0.0, path_);
  model.beamSections[1].J = 0.0f;
  AnchoredFrom(model, 10);
  const int beam = BeamRow(model, 20, 120.0f);
  PutItem(model, beam, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(beam).item);
  force.MX = 1000.0f;
  force.AddedTo = 2;
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  EXPECT_FLOAT_EQ(model.beamSections[1].J, static_cast<float>(kImaj + kImin));
  const double G = kE / 2.6;
  EXPECT_TRUE(Within(Tip(model, run, 20, 3), 1000.0 * kL / (G * (kImaj + kImin)), kTolerance));
}

TEST(BeamStiffness, WithoutShearAreasTheMatrixIsTheClassicalOneAndReleasesZeroTheirFreedoms) {
  BeamStiffnessInput in;
  in.length = kL;
  in.E = kE;
  in.G = kE / 2.6;
  in.A = kA;
  in.Imaj = kImaj;
  in.Imin = kImin;
  in.J = kJ;
  Matrix12d K = BeamLocalStiffness(in);
  const double EI = kE * kImaj, EIa = kE * kImin;
  EXPECT_NEAR(K[1][1], 12.0 * EI / std::pow(kL, 3), 1e-6 * K[1][1]);
  EXPECT_NEAR(K[5][5], 4.0 * EI / kL, 1e-6 * K[5][5]);
  EXPECT_NEAR(K[5][11], 2.0 * EI / kL, 1e-6 * K[5][5]);
  EXPECT_NEAR(K[2][4], -6.0 * EIa / (kL * kL), 1e-6 * std::fabs(K[2][4]));
  EXPECT_NEAR(K[3][3], in.G * kJ / kL, 1e-6 * K[3][3]);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) EXPECT_DOUBLE_EQ(K[i][j], K[j][i]);
  // Major Bending released at both ends with Y vertical: rz at each end.
  std::array<std::uint8_t, 12> releases{};
  releases[kReleaseMajorBending] = releases[6 + kReleaseMajorBending] = 1;
  const BeamReleasedFreedoms freed = BeamReleaseFreedoms(releases, false);
  ASSERT_EQ(freed.count, 2);
  CondenseBeamReleases(K, freed);
  for (int i = 0; i < 12; ++i)
    for (int d : {5, 11}) {
      EXPECT_NEAR(K[i][d], 0.0, 1e-6);
      EXPECT_NEAR(K[d][i], 0.0, 1e-6);
    }
  // A pinned-pinned beam keeps 3EI/L^3 ... no: its transverse stiffness is
  // that of rigid-body motion, zero.
  EXPECT_NEAR(K[1][1], 0.0, 1e-6 * 12.0 * EI / std::pow(kL, 3));
  // With Z vertical the same releases free ry.
  const BeamReleasedFreedoms z = BeamReleaseFreedoms(releases, true);
  EXPECT_EQ(z.dof[0], 4);
  EXPECT_EQ(z.dof[1], 10);
}

// The modal pass assembles the beam's stiffness beside its masses (the
// eigen solver needs both) and no load.
TEST_F(BeamAnalysisTest, TheModalPassAddsTheStiffnessAndTheMassesOnly) {
  Model& model = TheModel();
  StartBeamModel(model, 0.2836, path_);
  AnchoredFrom(model, 10);
  BeamRow(model, 20, 120.0f);
  MakeModel(model);
  const int a = FindNodeIndex(model.nodes, 10), b = FindNodeIndex(model.nodes, 20);
  model.nodes[a].equation = 1;
  model.nodes[b].equation = 2;
  const std::vector<LocationVector> links{ElementEquations(model, a, b)};
  AllocateGlobalSystem(BuildSkylineProfile(12, links));
  ClearStepTable();
  AppendLoadCaseStep(30);
  g_CurrentStep = 1;
  std::fill(StiffnessValues.begin(), StiffnessValues.end(), 0.0);
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  std::fill(g_MassVector.begin(), g_MassVector.end(), 0.0);
  AnalysisElementInput input;
  input.kind = ElementType::Beam;
  input.row = 2;
  input.node1 = a;
  input.node2 = b;
  input.loads = CurrentCaseLoadSet(model);
  ASSERT_TRUE(input.loads.modal);
  AssembleBeam(input);
  for (double load : g_DisplacementVector) EXPECT_EQ(load, 0.0);
  const double half = 0.2836 * kA * kL / 2.0 / 386.4;
  for (int q : {1, 2, 3, 7, 8, 9}) EXPECT_TRUE(Within(g_MassVector[static_cast<std::size_t>(q)], half, 1e-6)) << q;
  for (int q : {4, 5, 6, 10, 11, 12}) EXPECT_EQ(g_MassVector[static_cast<std::size_t>(q)], 0.0) << q;
  double largest = 0.0;
  for (double k : StiffnessValues) largest = std::max(largest, std::fabs(k));
  EXPECT_TRUE(Within(largest, 4.0 * kE * kImaj / kL, 1e-6));  // the strong-axis rotation leads
  ReleaseGlobalSystem();
  ResetRunState();
}

}  // namespace
