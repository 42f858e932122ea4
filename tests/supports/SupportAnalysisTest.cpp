// Anchors and restraints in the analysis, against hand calculations: the
// springs they add at their node's equations (releases only in the hanger
// selection steps, pipe axes turning the springs), the load K d of an
// imposed displacement (rotations held in degrees, imposed in radians) and
// the load K (u - d) after the solve, written to
// the results file; the run modes of the dynamic runs and the combination
// of stored cases.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "kindbase/GlobalSystem.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "numeric/RunState.h"
#include "services/BinaryFile.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

constexpr double kRigid = 1.0e12;
// The anchor's rigid value as its record holds it (a 32-bit float).
constexpr double kRigidAnchor = static_cast<double>(1.0e12f);

// Rows: 1 From 10 with an anchor, 2 Pipe 20 (12 inch along `axis`), 3
// From 30 and 4 From 40 far away, where no element ends. Node i takes
// position i, so node 10 owns equations 1..6 and node 20 owns 7..12.
class SupportAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override { Build(0); }
  void TearDown() override {
    ReleaseGlobalSystem();
    ResetRunState();
    g_ResultsFile = nullptr;
    if (results_.stream) BinaryFileClose(results_);
    std::filesystem::remove(ResultsPath());
    g_SupportLoadsPeakMode = g_SupportLoadsSquareMode = 0;
    g_SupportLoadsNoWrite = 0;
    InitEmptyModel(TheModel(), AnalysisOptions());
  }

  void Build(int axis) {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddRow(model, 10, ElementType::From);
    PutItem(model, 1, DataType::Anchor);
    float d[3] = {0, 0, 0};
    d[axis] = 12.0f;
    AddRow(model, 20, ElementType::Pipe, d[0], d[1], d[2]);
    AddRow(model, 30, ElementType::From, 500.0f, 500.0f, 500.0f);
    AddRow(model, 40, ElementType::From, 900.0f, 0.0f, 0.0f);
    MakeModel(model);
    for (int index = 1; index <= model.nodes.count; ++index) model.nodes[index].equation = index;
    AllocateGlobalSystem(BuildSkylineProfile(6 * model.nodes.count, {}));
  }

  static Anchor& AnchorAt(int row) { return static_cast<Anchor&>(*TheModel().row(row).item); }
  static int NodeIndex(int row) { return TheModel().row(row).endNode; }
  static int Equation(int row, int direction) { return 6 * (NodeIndex(row) - 1) + direction; }
  static double Term(int q, int r) {
    const auto& DA = g_StiffnessProfile.DiagonalAddress;
    return q >= r ? StiffnessValues[static_cast<std::size_t>(DA[static_cast<std::size_t>(q)] + q - r)]
                  : Term(r, q);
  }
  static double Sum() {
    double sum = 0.0;
    for (double value : StiffnessValues) sum += std::fabs(value);
    return sum;
  }
  static void Step(int type) {
    ClearStepTable();
    AppendLoadCaseStep(type);
    g_CurrentStep = 1;
  }
  static void ClearSystem() {
    std::fill(StiffnessValues.begin(), StiffnessValues.end(), 0.0);
    std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  }
  static std::string ResultsPath() { return TempFolder() + "/support-loads.res"; }
  void OpenResults() {
    ASSERT_TRUE(BinaryFileOpenWrite(results_, ResultsPath()));
    g_ResultsFile = &results_;
  }
  // Closes the results file and reads back every float written.
  std::vector<float> WrittenLoads() {
    g_ResultsFile = nullptr;
    BinaryFileClose(results_);
    BinaryFile in;
    EXPECT_TRUE(BinaryFileOpenRead(in, ResultsPath()));
    std::vector<float> values(static_cast<std::size_t>(in.size / 4));
    BinaryFileReadFloats(in, values.data(), values.size());
    return values;
  }
  static void SetT1(Anchor& anchor, const std::array<float, 6>& values, int slot = 0) {
    anchor.displacements.flags[static_cast<std::size_t>(slot)] = 1;
    if (!anchor.displacements.sets) anchor.displacements.sets = std::make_unique<DisplacementSets>();
    for (int i = 0; i < 6; ++i) anchor.displacements.sets->values[static_cast<std::size_t>(6 * slot + i + 1)] = values[static_cast<std::size_t>(i)];
  }

  BinaryFile results_;
};

TEST_F(SupportAnalysisTest, ARigidAnchorAddsRigidSpringsOnItsSixDiagonalsOnly) {
  Step(2);
  AnchorAt(1).AddStiffness(1);
  for (int direction = 1; direction <= 6; ++direction) EXPECT_EQ(Term(direction, direction), kRigidAnchor);
  EXPECT_EQ(Sum(), 6 * kRigidAnchor);
  for (double load : g_DisplacementVector) EXPECT_EQ(load, 0.0);
}

TEST_F(SupportAnalysisTest, AReleaseActsOnlyInTheHangerSelectionSteps) {
  AnchorAt(1).releases[1] = 1;  // Y
  for (int type : {20, 22, 2, 21, 32}) {
    ClearSystem();
    Step(type);
    AnchorAt(1).AddStiffness(1);
    const bool released = type == 20 || type == 22;
    EXPECT_EQ(Term(2, 2), released ? 0.0 : kRigidAnchor) << type;
    EXPECT_EQ(Term(1, 1), kRigidAnchor) << type;
  }
}

TEST_F(SupportAnalysisTest, AnImposedDisplacementLoadsItsSpringAndTheLoadIsKTimesUMinusD) {
  Anchor& anchor = AnchorAt(1);
  anchor.stiffness = {1000.0f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f};
  SetT1(anchor, {0.5f, 0, 0, 0, 0, 0});
  // A case with T1 (type 2) takes the set; one with T2 (type 3) does not.
  Step(3);
  anchor.AddStiffness(1);
  EXPECT_EQ(g_DisplacementVector[1], 0.0);
  Step(2);
  anchor.AddStiffness(1);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[1], 1000.0 * 0.5);  // K d on the X equation
  for (int q = 2; q <= 12; ++q) EXPECT_EQ(g_DisplacementVector[static_cast<std::size_t>(q)], 0.0) << q;
  // After the solve: F = K (u - d) per direction, written to the results file.
  OpenResults();
  g_DisplacementVector[1] = 0.8;
  g_DisplacementVector[2] = 2.0e-9;
  g_DisplacementVector[6] = -1.0e-10;
  anchor.ComputeSupportLoads(1);
  const std::vector<float> loads = WrittenLoads();
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_FLOAT_EQ(loads[0], static_cast<float>(1000.0 * (0.8 - 0.5)));
  EXPECT_FLOAT_EQ(loads[1], static_cast<float>(kRigidAnchor * 2.0e-9));
  EXPECT_FLOAT_EQ(loads[5], static_cast<float>(kRigidAnchor * -1.0e-10));
  EXPECT_EQ(loads[2], 0.0f);
}

// The sets hold rotations in degrees, as the dialog shows and the file
// stores them; the system turns in radians with springs per radian.
TEST_F(SupportAnalysisTest, AnImposedRotationIsHeldInDegreesAndImposedInRadians) {
  Anchor& anchor = AnchorAt(1);
  anchor.stiffness = {1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1000.0f};
  SetT1(anchor, {0, 0, 0, 0, 0, 0.5f});
  const double radians = 0.5 * std::acos(-1.0) / 180.0;
  Step(2);
  anchor.AddStiffness(1);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[6], 1000.0 * radians);
  OpenResults();
  g_DisplacementVector[6] = 0.01;
  anchor.ComputeSupportLoads(1);
  const std::vector<float> loads = WrittenLoads();
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_FLOAT_EQ(loads[5], static_cast<float>(1000.0 * (0.01 - radians)));
}

TEST_F(SupportAnalysisTest, ADisplacementWithinATinyMarginOfTheSetValueGivesExactlyZero) {
  Anchor& anchor = AnchorAt(1);
  SetT1(anchor, {0.0f, 0.25f, 0, 0, 0, 0});
  Step(2);
  OpenResults();
  g_DisplacementVector[2] = 0.25 + 1.0e-31;  // the sum rounds to the set value's double
  g_DisplacementVector[3] = 1.0e-31;
  anchor.ComputeSupportLoads(1);
  const std::vector<float> loads = WrittenLoads();
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_EQ(loads[1], 0.0f);
  EXPECT_EQ(loads[2], 0.0f);
  EXPECT_FALSE(std::signbit(loads[2]));
}

TEST_F(SupportAnalysisTest, SeismicAndSettlementSetsApplyOnlyInTheirOwnCases) {
  Anchor& anchor = AnchorAt(1);
  SetT1(anchor, {1.0f, 0, 0, 0, 0, 0}, kSeismicSlot);
  SetT1(anchor, {0, 0, 2.0f, 0, 0, 0}, kSettlementSlot);
  Step(33);
  anchor.AddStiffness(1);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[1], kRigidAnchor * 1.0);
  EXPECT_EQ(g_DisplacementVector[3], 0.0);
  ClearSystem();
  Step(11);
  anchor.AddStiffness(1);
  EXPECT_EQ(g_DisplacementVector[1], 0.0);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[3], kRigidAnchor * 2.0);
}

TEST_F(SupportAnalysisTest, AnAnchorInPipeAxesTurnsItsSpringsWithThePipe) {
  // A vertical pipe (Y up): local x is global Y; the frame's rule then gives
  // y = (-1, 0, 0) and z = x cross y = (0, 0, 1).
  Build(1);
  Anchor& anchor = AnchorAt(1);
  anchor.AnchorInPipeLcs = 1;
  anchor.releases = {1, 1, 1, 1, 1, 1};  // no effect in pipe axes
  anchor.stiffness = {100.0f, 200.0f, 300.0f, 4000.0f, 5000.0f, 6000.0f};
  Step(20);
  anchor.AddStiffness(1);
  EXPECT_NEAR(Term(1, 1), 200.0, 1e-9);  // ky on global X
  EXPECT_NEAR(Term(2, 2), 100.0, 1e-9);  // kx on global Y
  EXPECT_NEAR(Term(3, 3), 300.0, 1e-9);
  EXPECT_NEAR(Term(4, 4), 5000.0, 1e-9);
  EXPECT_NEAR(Term(5, 5), 4000.0, 1e-9);
  EXPECT_NEAR(Term(6, 6), 6000.0, 1e-9);
  EXPECT_NEAR(Sum(), 200 + 100 + 300 + 5000 + 4000 + 6000, 1e-6);  // nothing couples
  // A pipe at 45 degrees in the X-Z plane: the translational block is
  // T^T diag(k) T, with its coupling term (kx - kz)/2 between X and Z.
  Model& model = TheModel();
  model.row(2).dx = 12.0f;
  model.row(2).dy = 0.0f;
  model.row(2).dz = 12.0f;
  MakeModel(model);
  for (int index = 1; index <= model.nodes.count; ++index) model.nodes[index].equation = index;
  ClearSystem();
  anchor.stiffness = {100.0f, 200.0f, 300.0f, 1.0f, 1.0f, 1.0f};
  anchor.AddStiffness(1);
  EXPECT_NEAR(Term(1, 1), (100.0 + 300.0) / 2, 1e-4);
  EXPECT_NEAR(Term(3, 3), (100.0 + 300.0) / 2, 1e-4);
  EXPECT_NEAR(std::fabs(Term(1, 3)), (300.0 - 100.0) / 2, 1e-4);
  EXPECT_NEAR(Term(2, 2), 200.0, 1e-4);
  EXPECT_EQ(Term(1, 4), 0.0);
}

TEST_F(SupportAnalysisTest, DisplacementsInPipeAxesAreTurnedToGlobalAxes) {
  Build(1);  // local x = global Y
  Anchor& anchor = AnchorAt(1);
  anchor.stiffness = {1000.0f, 2000.0f, 3000.0f, 1.0f, 1.0f, 1.0f};
  anchor.DisplacementsInPipeLcs = 1;
  SetT1(anchor, {0.5f, 0, 0, 0, 0, 0});  // along the pipe: global +Y
  Step(2);
  anchor.AddStiffness(1);
  EXPECT_NEAR(g_DisplacementVector[1], 0.0, 1e-9);
  EXPECT_NEAR(g_DisplacementVector[2], 2000.0 * 0.5, 1e-6);
}

TEST_F(SupportAnalysisTest, LocalAxesAreNeededOnlyWhereUsedAndTheirLackStopsTheRun) {
  // Row 3 (node 30) has no element: a global anchor there works.
  PutItem(TheModel(), 3, DataType::Anchor);
  Anchor& anchor = AnchorAt(3);
  Step(2);
  EXPECT_NO_THROW(anchor.AddStiffness(3));
  EXPECT_EQ(Term(Equation(3, 1), Equation(3, 1)), kRigidAnchor);
  anchor.AnchorInPipeLcs = 1;
  try {
    anchor.AddStiffness(3);
    FAIL() << "no message";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to find anchor local direction at node 30");
  }
  anchor.AnchorInPipeLcs = 0;
  anchor.DisplacementsInPipeLcs = 1;
  SetT1(anchor, {1.0f, 0, 0, 0, 0, 0});
  EXPECT_THROW(anchor.ComputeSupportLoads(3), std::string);
  Step(3);  // T1 does not take part: no axes needed
  OpenResults();
  EXPECT_NO_THROW(anchor.ComputeSupportLoads(3));
}

TEST_F(SupportAnalysisTest, ANodeOutsideTheAnalysisAddsNothingAndWritesZeroLoads) {
  Model& model = TheModel();
  model.nodes[NodeIndex(3)].equation = 0;
  PutItem(model, 3, DataType::Anchor);
  PutItem(model, 4, DataType::Restraint);
  static_cast<Restraint&>(*model.row(4).item).restrainX = 1;
  model.nodes[NodeIndex(4)].equation = 0;
  Step(2);
  AnchorAt(3).AddStiffness(3);
  model.row(4).item->AddStiffness(4);
  EXPECT_EQ(Sum(), 0.0);
  OpenResults();
  AnchorAt(3).ComputeSupportLoads(3);
  model.row(4).item->ComputeSupportLoads(4);
  EXPECT_EQ(WrittenLoads(), std::vector<float>(9, 0.0f));
}

TEST_F(SupportAnalysisTest, ARestraintHoldsItsDirectionsRigidlyAndReportsTheirLoads) {
  Model& model = TheModel();
  PutItem(model, 2, DataType::Restraint);
  auto& restraint = static_cast<Restraint&>(*model.row(2).item);
  restraint.restrainX = 1;
  restraint.restrainZ = 1;
  Step(2);
  restraint.AddStiffness(2);
  const int x = Equation(2, 1);
  EXPECT_EQ(Term(x, x), kRigid);
  EXPECT_EQ(Term(x + 2, x + 2), kRigid);
  EXPECT_EQ(Sum(), 2 * kRigid);
  OpenResults();
  g_DisplacementVector[static_cast<std::size_t>(x)] = 2.0e-10;
  g_DisplacementVector[static_cast<std::size_t>(x + 1)] = 0.3;  // Y is free: no load
  g_DisplacementVector[static_cast<std::size_t>(x + 2)] = -1.0e-11;
  restraint.ComputeSupportLoads(2);
  EXPECT_EQ(WrittenLoads(), (std::vector<float>{static_cast<float>(kRigid * 2.0e-10), 0.0f,
                                                 static_cast<float>(kRigid * -1.0e-11)}));
}

TEST_F(SupportAnalysisTest, RunModesKeepPeaksOrSumSquaresAndCanLeaveTheFileAlone) {
  Model& model = TheModel();
  PutItem(model, 2, DataType::Restraint);
  auto& restraint = static_cast<Restraint&>(*model.row(2).item);
  restraint.restrainX = restraint.restrainY = 1;
  const auto x = static_cast<std::size_t>(Equation(2, 1));
  OpenResults();
  g_SupportLoadsNoWrite = 1;
  // Peak: strictly larger magnitudes replace; equal and opposite does not.
  g_SupportLoadsPeakMode = 1;
  restraint.ClearCaseLoads();
  for (double u : {3.0e-12, -5.0e-12, 5.0e-12, 1.0e-12}) {
    g_DisplacementVector[x] = u;
    g_DisplacementVector[x + 1] = -u;
    restraint.ComputeSupportLoads(2);
  }
  EXPECT_FLOAT_EQ(restraint.caseLoads[0], -5.0f);
  EXPECT_FLOAT_EQ(restraint.caseLoads[1], 5.0f);
  // Square: the squares add; the root of the sum is the combination.
  g_SupportLoadsPeakMode = 0;
  g_SupportLoadsSquareMode = 1;
  restraint.ClearCaseLoads();
  for (double u : {3.0e-12, 4.0e-12}) {
    g_DisplacementVector[x] = u;
    restraint.ComputeSupportLoads(2);
  }
  EXPECT_FLOAT_EQ(restraint.caseLoads[0], 25.0f);
  restraint.SqrtCaseLoads();
  EXPECT_FLOAT_EQ(restraint.caseLoads[0], 5.0f);
  EXPECT_EQ(BinaryFileTell(results_), 0);  // nothing written with writing off
  // The anchor keeps six squared modal loads the same way.
  Anchor& anchor = AnchorAt(1);
  anchor.ClearCaseLoads();
  g_DisplacementVector[1] = 2.0e-12;
  anchor.ComputeSupportLoads(1);
  anchor.ComputeSupportLoads(1);
  EXPECT_FLOAT_EQ(anchor.caseLoads[0], 8.0f);
  EXPECT_EQ(BinaryFileTell(results_), 0);
  g_SupportLoadsSquareMode = 0;
  g_SupportLoadsNoWrite = 0;
  anchor.WriteCaseLoads();
  EXPECT_EQ(WrittenLoads().at(0), 8.0f);
}

TEST_F(SupportAnalysisTest, StoredCasesCombineValueByValue) {
  Model& model = TheModel();
  PutItem(model, 2, DataType::Restraint);
  auto& restraint = static_cast<Restraint&>(*model.row(2).item);
  // Two cases in a results file: the second read as case loads, the first
  // as the sum; the combination is first minus second.
  OpenResults();
  restraint.caseLoads = {10.0f, -4.0f, 2.5f};
  restraint.WriteCaseLoads();
  restraint.caseLoads = {3.0f, 1.0f, 2.5f};
  restraint.WriteCaseLoads();
  WrittenLoads();
  BinaryFile in;
  ASSERT_TRUE(BinaryFileOpenRead(in, ResultsPath()));
  g_ResultsFile = &in;
  BinaryFileSeek(in, 12);
  restraint.ReadCaseLoads();
  BinaryFileSeek(in, 0);
  restraint.ReadSumLoads();
  restraint.SubtractCaseFromSum();
  EXPECT_EQ(restraint.sumLoads, (std::array<float, 3>{7.0f, -5.0f, 0.0f}));
  g_ResultsFile = nullptr;
  // The harmonic combination: root of half the summed squares.
  restraint.ClearSumLoads();
  restraint.caseLoads = {9.0f, 16.0f, 0.0f};
  restraint.AddCaseToSum();
  restraint.AddCaseToSum();
  OpenResults();
  restraint.SqrtScaledSumToCase();
  EXPECT_EQ(restraint.caseLoads, (std::array<float, 3>{3.0f, 4.0f, 0.0f}));
  restraint.ClearSumLoads();
  restraint.AddSqrtCaseToSum();
  EXPECT_EQ(restraint.sumLoads, (std::array<float, 3>{std::sqrt(3.0f), 2.0f, 0.0f}));
  EXPECT_EQ(WrittenLoads(), (std::vector<float>{3.0f, 4.0f, 0.0f}));
}

}  // namespace
