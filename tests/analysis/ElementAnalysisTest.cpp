// Bends and straight elements through the analysis: a line anchored at both
// ends with a long-radius bend between two pipes is assembled, solved by the
// skyline solver and its end forces recovered into a results file. Read
// back, the records balance at every free node, the anchors carry the whole
// weight, a thermal case carries no weight share, the pressure term of the
// "BOURDONP" switch is in the forces exactly when it is in the solution, the
// modal case adds each element's mass and nothing else; a valve's hung
// weight, a slip joint's friction pair and the wind reach the loads; values
// that would be divided by are refused naming the row.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

#include "elements/BendAnalysis.h"
#include "elements/BendTesting.h"
#include "elements/ElementForces.h"
#include "elements/SlipJoint.h"
#include "elements/StraightAnalysis.h"
#include "elements/Valve.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/GlobalSystem.h"
#include "numeric/RunState.h"
#include "services/BinaryFile.h"
#include "services/StartupSwitches.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kWeight = 1.5;  // lb per inch

// Rows: From 10 (anchor), Pipe 20 (+60 X), Bend 30 (+60 X), Pipe 40 (+60 Z,
// anchor), section S4 (4.5 x 0.237): a long-radius bend of 6.75 inch
// between 30A and 30B. Analysis nodes 10, 20, 30A, 30B, 40 take positions 1..5.
class ElementAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddTestProperties(model);
    AddRow(model, 10, ElementType::From);
    PutItem(model, 1, DataType::Anchor);
    AddRow(model, 20, ElementType::Pipe, 60.0f);
    model.row(2).section = "S4";
    AddRow(model, 30, ElementType::Bend, 60.0f);
    AddRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    const NodeId ids[5] = {10, 20, 100030, 200030, 40};
    for (int i = 0; i < 5; ++i) {
      node_[i] = FindNodeIndex(model.nodes, ids[i]);
      model.nodes[node_[i]].equation = i + 1;
    }
    std::vector<LocationVector> links;
    for (int e = 0; e < 4; ++e) links.push_back(ElementEquations(model, node_[e], node_[e + 1]));
    AllocateGlobalSystem(BuildSkylineProfile(30, links));
  }
  void TearDown() override {
    ReleaseGlobalSystem();
    ResetRunState();
    std::filesystem::remove(ResultsPath());
    BourdonSwitch = true;
    InitEmptyModel(TheModel(), AnalysisOptions());
  }

  static void Step(int type) {
    ClearStepTable();
    AppendLoadCaseStep(type);
    g_CurrentStep = 1;
    std::fill(StiffnessValues.begin(), StiffnessValues.end(), 0.0);
    std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
    std::fill(g_MassVector.begin(), g_MassVector.end(), 0.0);
  }
  // Element e (0..3) between analysis nodes e and e + 1, for the current step.
  AnalysisElementInput Element(int e) const {
    const Model& model = TheModel();
    AnalysisElementInput input;
    input.kind = e == 2 ? ElementType::Bend : ElementType::Pipe;
    input.row = e == 0 ? 2 : e == 3 ? 4 : 3;
    input.node1 = node_[e];
    input.node2 = node_[e + 1];
    const NodeRecord &a = model.nodes[input.node1], &b = model.nodes[input.node2];
    const double od = 4.5, id = od - 2.0 * 0.237;
    // L, D, t, A, I, k, E, G, nu, alpha, w, T, P
    input.values = {std::hypot(b.x - a.x, b.y - a.y, b.z - a.z), od, 0.237, kPi / 4.0 * (od * od - id * id),
                    kPi / 64.0 * (std::pow(od, 4) - std::pow(id, 4)), 1.9, 2.9e7, 2.9e7 / 2.6, 0.3, 6.5e-6, kWeight,
                    400.0, 600.0};
    input.loads = CurrentCaseLoadSet(model);
    return input;
  }
  void AssembleAll() const {
    for (int e = 0; e < 4; ++e) {
      if (e == 2) AssembleBendElement(Element(e));
      else AssembleStraightElement(Element(e));
    }
  }
  static std::string ResultsPath() { return TempFolder() + "/element-forces.res"; }
  // Recovers the forces of the elements from `first` on into a results
  // file and reads the records back.
  std::vector<Vector12d> Recover(int first = 0, const AnalysisElementInput* only = nullptr) const {
    BinaryFile out;
    EXPECT_TRUE(BinaryFileOpenWrite(out, ResultsPath()));
    g_ResultsFile = &out;
    for (int e = first; e < (only != nullptr ? first + 1 : 4); ++e) {
      const AnalysisElementInput input = only != nullptr ? *only : Element(e);
      TransformElementForces(e + 1, input, BuildElementForce(input));
    }
    g_ResultsFile = nullptr;
    BinaryFileClose(out);
    BinaryFile in;
    EXPECT_TRUE(BinaryFileOpenRead(in, ResultsPath()));
    std::vector<Vector12d> records(static_cast<std::size_t>(in.size / 48));
    for (Vector12d& record : records)
      for (double& value : record) {
        float stored = 0.0f;
        BinaryFileReadFloat(in, stored);
        value = stored;
      }
    return records;
  }
  // Assembles, solves and recovers the step.
  std::vector<Vector12d> Run(int type) const {
    Step(type);
    AssembleAll();
    static_cast<Anchor&>(*TheModel().row(1).item).AddStiffness(1);
    static_cast<Anchor&>(*TheModel().row(4).item).AddStiffness(4);
    EXPECT_TRUE(TriangulariseStiffness(StiffnessValues, g_StiffnessProfile, SilentProgress()).Ok());
    EXPECT_TRUE(SolveDisplacements(StiffnessValues, g_StiffnessProfile, g_DisplacementVector, SilentProgress()).Ok());
    return Recover();
  }
  // What node `n` (0..4) exerts on the elements at it, in global axes.
  std::array<double, 6> NodeForces(const std::vector<Vector12d>& records, int n) const {
    std::array<double, 6> sum{};
    for (int e = std::max(n - 1, 0); e <= std::min(n, 3); ++e) {
      const AnalysisElementInput input = Element(e);
      const ElementEndFrames frames = ComputeElementEndFrames(TheModel(), input.kind, input.row, input.node1, input.node2);
      const bool second = n == e + 1;
      const int at = second ? 6 : 0;
      const Vector12d& r = records[static_cast<std::size_t>(e)];
      const ElementAxes& axes = second ? frames.end2 : frames.end1;
      const Vector3d force = ToGlobal(axes, {r[at], r[at + 1], r[at + 2]});
      const Vector3d moment = ToGlobal(axes, {r[at + 3], r[at + 4], r[at + 5]});
      for (int i = 0; i < 3; ++i) {
        sum[i] += second ? force[i] : -force[i];
        sum[3 + i] += second ? moment[i] : -moment[i];
      }
    }
    return sum;
  }
  void ExpectFreeNodesBalance(const std::vector<Vector12d>& records, double scale) const {
    for (int n = 1; n <= 3; ++n) {
      const std::array<double, 6> sum = NodeForces(records, n);
      for (int i = 0; i < 6; ++i) EXPECT_NEAR(sum[i], 0.0, 1.0e-5 * scale * (i < 3 ? 1.0 : 60.0)) << n << " " << i;
    }
  }
  double TotalWeight() const {
    const double arc = static_cast<const Bend&>(*TheModel().row(3).element).radius * kPi / 2.0;
    return kWeight * (Element(0).values.length + Element(1).values.length + arc + Element(3).values.length);
  }

  int node_[5] = {};
};

TEST_F(ElementAnalysisTest, WeightAndThermalEndForcesBalanceAtEveryNode) {
  const std::vector<Vector12d> weight = Run(1);
  const double total = TotalWeight();
  ExpectFreeNodesBalance(weight, total);
  EXPECT_NEAR(NodeForces(weight, 0)[1] + NodeForces(weight, 4)[1], total, 1.0e-4 * total);  // the anchors carry it
  EXPECT_NEAR(weight[0][7] - weight[0][1], kWeight * 60.0, 1.0e-3);  // the first pipe's shear grows by w L
  // A thermal case with the pressure term: no weight share, self-balanced.
  TheModel().options.BourdonEffect = 1;
  const std::vector<Vector12d> thermal = Run(2);
  double largest = 0.0;
  for (const Vector12d& record : thermal)
    for (double value : record) largest = std::max(largest, std::fabs(value));
  ASSERT_GT(largest, 100.0);
  ExpectFreeNodesBalance(thermal, largest);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(NodeForces(thermal, 0)[i] + NodeForces(thermal, 4)[i], 0.0, 1.0e-5 * largest);
}

TEST_F(ElementAnalysisTest, WithBourdonpThePressureTermIsInTheSustainedCaseAndItsForces) {
  TheModel().options.BourdonEffect = 1;
  BourdonSwitch = false;
  const std::vector<Vector12d> records = Run(1);
  EXPECT_TRUE(Element(0).loads.pressure);
  ExpectFreeNodesBalance(records, TotalWeight());
  TheModel().options.BourdonEffect = 0;
  EXPECT_GT(std::fabs(records[2][0] - Run(1)[2][0]), 1.0);  // the pressure opens the bend
  // Without the switch the term belongs to the thermal cases.
  BourdonSwitch = true;
  TheModel().options.BourdonEffect = 1;
  EXPECT_FALSE(Element(0).loads.pressure);
  Step(2);
  EXPECT_TRUE(Element(0).loads.pressure);
}

TEST_F(ElementAnalysisTest, TheModalCaseAddsHalfOfEachElementsMassAtItsNodesAndNoLoad) {
  Step(30);
  AssembleAll();
  for (double load : g_DisplacementVector) EXPECT_EQ(load, 0.0);
  double total = 0.0;
  for (std::size_t q = 1; q < g_MassVector.size(); q += 6) total += g_MassVector[q];
  EXPECT_NEAR(total * 386.4, TotalWeight(), 1.0e-6 * TotalWeight());  // the arc angle of float nodes
  EXPECT_EQ(g_MassVector[7], g_MassVector[8]);
  EXPECT_EQ(g_MassVector[10], 0.0);
}

TEST_F(ElementAnalysisTest, ValuesThatWouldBeDividedByAreRefusedNamingTheRow) {
  Step(1);
  const std::pair<double ElementCaseValues::*, const char*> spoiled[] = {
      {&ElementCaseValues::length, "Row 2 : Element length must be greater than 0"},
      {&ElementCaseValues::modulus, "Row 2 : Modulus of elasticity must be greater than 0"},
      {&ElementCaseValues::shearModulus, "Row 2 : Shear modulus must be greater than 0"},
      {&ElementCaseValues::area, "Row 2 : Section area must be greater than 0"},
      {&ElementCaseValues::inertia, "Row 2 : Section moment of inertia must be greater than 0"},
  };
  for (const auto& [field, message] : spoiled) {
    AnalysisElementInput input = Element(0);
    input.values.*field = std::nan("");
    EXPECT_EQ(Thrown([&] { AssembleStraightElement(input); }), message);
  }
  // The wall matters to a pipe only where the pressure term applies, and always to a bend.
  AnalysisElementInput pipe = Element(0);
  pipe.values.wallThickness = 0.0;
  EXPECT_EQ(Thrown([&] { AssembleStraightElement(pipe); }), "");
  pipe.loads.pressure = true;
  EXPECT_EQ(Thrown([&] { AssembleStraightElement(pipe); }), "Row 2 : Wall thickness must be greater than 0");
  AnalysisElementInput bend = Element(2);
  bend.values.wallThickness = 2.25;
  EXPECT_EQ(Thrown([&] { AssembleBendElement(bend); }),
            "Row 3 : Wall thickness must be less than half the outside diameter");
  static_cast<Bend&>(*TheModel().row(3).element).flexibilityFactor = 0.0f;  // as a file may hold it
  EXPECT_EQ(Thrown([&] { AssembleBendElement(Element(2)); }), "Row 3 : Flexibility factor must be greater than 0");
}

TEST_F(ElementAnalysisTest, AValvesHungWeightASlipJointsFrictionAndTheWindReachTheLoads) {
  Model& model = TheModel();
  auto& valve = static_cast<Valve&>(*SetElementType(model, 2, ElementType::Valve));
  valve.additionalWeight = 300.0f;  // hung 6 inches off the middle
  valve.dz = 6.0f;
  Step(1);
  AnalysisElementInput input = Element(0);
  input.kind = ElementType::Valve;
  AddAttachedWeightLoads(input);
  EXPECT_NEAR(g_DisplacementVector[2] + g_DisplacementVector[8], -(kWeight * 60.0 + 300.0), 1.0e-9);
  EXPECT_NEAR(g_DisplacementVector[4] + g_DisplacementVector[10], 300.0 * 6.0, 1.0e-9);  // about X
  Step(30);
  input.loads = CurrentCaseLoadSet(model);
  AddAttachedWeightLoads(input);
  EXPECT_NEAR((g_MassVector[1] + g_MassVector[7]) * 386.4, kWeight * 60.0 + 300.0, 1.0e-9);

  // A slip joint of 100 lb friction; the last pass left 40 lb applied and 500 lb in the joint.
  static_cast<SlipJoint&>(*SetElementType(model, 2, ElementType::SlipJoint)).frictionForce = 100.0f;
  SlipJointState state;
  state.appliedFrictionForce = 40.0;
  state.axialForce = 500.0;
  Step(8);
  input = Element(0);
  input.kind = ElementType::SlipJoint;
  input.slip = &state;
  input.loads.sustained = input.loads.thermal = false;
  AssembleStraightElement(input);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[1], -40.0);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[7], 40.0);
  EXPECT_DOUBLE_EQ(state.axialSecant, 500.0 / 400.0);
  // With nothing solved the pair is all the joint carries, alike at both ends.
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  const Vector12d record = Recover(0, &input).at(0);
  EXPECT_EQ(record[0], -40.0);
  EXPECT_EQ(record[6], -40.0);

  // 0.05 psi of wind on the first pipe (along X, 1 inch of insulation) and
  // across the bend's X-Z plane.
  SetElementType(model, 2, ElementType::Pipe);
  Step(13);
  input = Element(0);
  input.values.insulationThickness = 1.0;
  input.loads.windPressure[0] = 0.05;
  input.loads.windDirection[0] = {0.0, 0.0, 1.0};
  AssembleStraightElement(input);
  EXPECT_NEAR(g_DisplacementVector[3], 0.05 * 6.5 * 60.0 / 2.0, 1.0e-9);
  EXPECT_NEAR(g_DisplacementVector[9], 0.05 * 6.5 * 60.0 / 2.0, 1.0e-9);
  Step(13);
  AnalysisElementInput arc = Element(2);
  arc.loads.windPressure[1] = 0.05;
  arc.loads.windDirection[1] = {0.0, 1.0, 0.0};
  AssembleBendElement(arc);
  const NodeRecord &a = model.nodes[node_[2]], &b = model.nodes[node_[3]];
  EXPECT_NEAR(g_DisplacementVector[14] + g_DisplacementVector[20], 0.05 * 4.5 * std::hypot(b.x - a.x, b.z - a.z), 1.0e-6);
  EXPECT_EQ(g_DisplacementVector[13], 0.0);
}

}  // namespace
