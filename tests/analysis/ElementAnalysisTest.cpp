// Bends and straight elements through the analysis: a line anchored at both
// ends with a long-radius bend between two pipes is assembled, solved by the
// skyline solver and its end forces recovered into a results file. Read
// back, the records balance at every free node, the anchors carry the whole
// weight, a thermal case carries no weight share, the pressure term of the
// "BOURDONP" switch is in the forces exactly when it is in the solution, and
// the modal case adds each element's mass and nothing else.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

#include "analysis/ElementAssembly.h"
#include "analysis/ElementInputs.h"
#include "analysis/EndForces.h"
#include "analysis/GlobalSystem.h"
#include "analysis/LoadCaseKinds.h"
#include "analysis/RunState.h"
#include "elements/Bend.h"
#include "elements/BendAnalysis.h"
#include "elements/SlipJoint.h"
#include "elements/Valve.h"
#include "elements/StraightAnalysis.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/RowOperations.h"
#include "shell/BinaryFile.h"
#include "shell/StartupSwitches.h"
#include "shell/TempFiles.h"
#include "supports/Anchor.h"

namespace {

constexpr double kPi = std::numbers::pi;

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
    model.row(2).material = "CS";
    model.row(2).section = "S4";
    model.row(2).load = "L1";
    AddRow(model, 30, ElementType::Bend, 60.0f);
    AddRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    ASSERT_TRUE(static_cast<const Bend&>(*model.row(3).element).BendGeometryValid);
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
    g_ResultsFile = nullptr;
    if (results_.stream) BinaryFileClose(results_);
    std::filesystem::remove(ResultsPath());
    g_ElementForceRun = ElementForceRun{};
    BourdonSwitch = true;
    InitEmptyModel(TheModel(), AnalysisOptions());
  }

  static void Step(int type) {
    ClearStepTable();
    AppendLoadCaseStep(type);
    g_CurrentStep = 1;
  }
  static ElementCaseValues Values(double length) {
    const double od = 4.5, id = od - 2.0 * 0.237;
    ElementCaseValues v;
    v.length = length;
    v.outsideDiameter = od;
    v.wallThickness = 0.237;
    v.area = kPi / 4.0 * (od * od - id * id);
    v.inertia = kPi / 64.0 * (std::pow(od, 4) - std::pow(id, 4));
    v.shearFactor = 1.9;
    v.modulus = 2.9e7;
    v.shearModulus = 2.9e7 / 2.6;
    v.poisson = 0.3;
    v.expansion = 6.5e-6;
    v.weightPerLength = 1.5;
    v.temperature = 400.0;
    v.pressure = 600.0;
    return v;
  }
  // Element e (0..3) between analysis nodes e and e + 1, for the current step.
  AnalysisElementInput Element(int e) const {
    const Model& model = TheModel();
    AnalysisElementInput input;
    input.kind = e == 2 ? ElementType::Bend : ElementType::Pipe;
    input.row = e == 0 ? 2 : e == 3 ? 4 : 3;
    input.node1 = node_[e];
    input.node2 = node_[e + 1];
    const NodeRecord& a = model.nodes[input.node1];
    const NodeRecord& b = model.nodes[input.node2];
    input.values = Values(std::hypot(b.x - a.x, b.y - a.y, b.z - a.z));
    input.loads = CurrentCaseLoadSet(model);
    return input;
  }
  static std::string ResultsPath() { return TempFolder() + "/element-forces.res"; }

  // Assembles, solves and recovers the step; the records read back.
  std::vector<Vector12d> Run(int type) {
    Step(type);
    std::fill(StiffnessValues.begin(), StiffnessValues.end(), 0.0);
    std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
    for (int e = 0; e < 4; ++e) {
      if (e == 2) AssembleBendElement(Element(e));
      else AssembleStraightElement(Element(e));
    }
    static_cast<Anchor&>(*TheModel().row(1).item).AddStiffness(1);
    static_cast<Anchor&>(*TheModel().row(4).item).AddStiffness(4);
    EXPECT_TRUE(TriangulariseStiffness(StiffnessValues, g_StiffnessProfile, SilentProgress()).Ok());
    EXPECT_TRUE(SolveDisplacements(StiffnessValues, g_StiffnessProfile, g_DisplacementVector, SilentProgress()).Ok());
    EXPECT_TRUE(BinaryFileOpenWrite(results_, ResultsPath()));
    g_ResultsFile = &results_;
    for (int e = 0; e < 4; ++e) CalculateElementForce(e + 1, Element(e));
    g_ResultsFile = nullptr;
    BinaryFileClose(results_);
    BinaryFile in;
    EXPECT_TRUE(BinaryFileOpenRead(in, ResultsPath()));
    EXPECT_EQ(in.size, 4 * 48);
    std::vector<Vector12d> records(4);
    for (Vector12d& record : records)
      for (double& value : record) {
        float stored = 0.0f;
        BinaryFileReadFloat(in, stored);
        value = stored;
      }
    return records;
  }

  // What node `n` (0..4) exerts on the elements at it, in global axes.
  std::array<double, 6> NodeForces(const std::vector<Vector12d>& records, int n) const {
    std::array<double, 6> sum{};
    for (int e = 0; e < 4; ++e) {
      if (n != e && n != e + 1) continue;
      const AnalysisElementInput input = Element(e);
      const ElementEndFrames frames =
          ComputeElementEndFrames(TheModel(), input.kind, input.row, input.node1, input.node2);
      const bool second = n == e + 1;
      const ElementAxes& axes = second ? frames.end2 : frames.end1;
      const int at = second ? 6 : 0;
      const double sign = second ? 1.0 : -1.0;
      const Vector3d force = ToGlobal(axes, {records[e][at], records[e][at + 1], records[e][at + 2]});
      const Vector3d moment = ToGlobal(axes, {records[e][at + 3], records[e][at + 4], records[e][at + 5]});
      for (int i = 0; i < 3; ++i) {
        sum[i] += sign * force[i];
        sum[3 + i] += sign * moment[i];
      }
    }
    return sum;
  }
  void ExpectFreeNodesBalance(const std::vector<Vector12d>& records, double scale) const {
    for (int n = 1; n <= 3; ++n) {
      const std::array<double, 6> sum = NodeForces(records, n);
      for (int i = 0; i < 6; ++i) EXPECT_NEAR(sum[i], 0.0, 1.0e-5 * scale * (i < 3 ? 1.0 : 60.0)) << "node " << n << " dof " << i;
    }
  }
  double TotalWeight() const {
    double length = 0.0;
    for (int e = 0; e < 4; ++e) {
      if (e == 2) {
        const Bend& bend = static_cast<const Bend&>(*TheModel().row(3).element);
        length += bend.radius * kPi / 2.0;
      } else {
        length += Element(e).values.length;
      }
    }
    return 1.5 * length;
  }

  int node_[5] = {};
  BinaryFile results_;
};

TEST_F(ElementAnalysisTest, WeightEndForcesBalanceAtEveryNodeAndTheAnchorsCarryTheWeight) {
  const std::vector<Vector12d> records = Run(1);  // sustained only
  const double weight = TotalWeight();
  ExpectFreeNodesBalance(records, weight);
  // The anchors' reactions are what their nodes exert on the line.
  const double up = NodeForces(records, 0)[1] + NodeForces(records, 4)[1];
  EXPECT_NEAR(up, weight, 1.0e-4 * weight);
  // A pipe without span loads but the weight: its shear changes by w L.
  const Vector12d& first = records[0];
  EXPECT_NEAR(first[7] - first[1], 1.5 * 60.0, 1.0e-3);
}

TEST_F(ElementAnalysisTest, AThermalCaseCarriesNoWeightAndBalances) {
  TheModel().options.BourdonEffect = 1;
  const std::vector<Vector12d> records = Run(2);  // thermal T1 only (with the pressure term)
  double largest = 0.0;
  for (const Vector12d& record : records)
    for (double value : record) largest = std::max(largest, std::fabs(value));
  ASSERT_GT(largest, 100.0);
  ExpectFreeNodesBalance(records, largest);
  const std::array<double, 6> a = NodeForces(records, 0), b = NodeForces(records, 4);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i] + b[i], 0.0, 1.0e-5 * largest) << i;
}

TEST_F(ElementAnalysisTest, WithBourdonpThePressureTermIsInTheSustainedCaseAndItsForces) {
  TheModel().options.BourdonEffect = 1;
  BourdonSwitch = false;
  Step(1);
  EXPECT_TRUE(CurrentCaseLoadSet(TheModel()).pressure);
  const std::vector<Vector12d> records = Run(1);
  ExpectFreeNodesBalance(records, TotalWeight());
  // The pressure opens the bend: the forces differ from those of the weight alone.
  TheModel().options.BourdonEffect = 0;
  const std::vector<Vector12d> plain = Run(1);
  EXPECT_GT(std::fabs(records[2][0] - plain[2][0]), 1.0);
  // Without the switch a sustained case takes no pressure term, a thermal one does.
  BourdonSwitch = true;
  TheModel().options.BourdonEffect = 1;
  EXPECT_FALSE(CurrentCaseLoadSet(TheModel()).pressure);
  Step(2);
  EXPECT_TRUE(CurrentCaseLoadSet(TheModel()).pressure);
}

TEST_F(ElementAnalysisTest, TheModalCaseAddsHalfOfEachElementsMassAtItsNodesAndNoLoad) {
  Step(30);
  for (int e = 0; e < 4; ++e) {
    if (e == 2) AssembleBendElement(Element(e));
    else AssembleStraightElement(Element(e));
  }
  for (double load : g_DisplacementVector) EXPECT_EQ(load, 0.0);
  double total = 0.0;
  for (std::size_t q = 1; q < g_MassVector.size(); q += 6) total += g_MassVector[q];
  EXPECT_NEAR(total * 386.4, TotalWeight(), 1.0e-6 * TotalWeight());  // the arc angle of float nodes
  // Translations only, equal in X, Y and Z.
  EXPECT_EQ(g_MassVector[7], g_MassVector[8]);
  EXPECT_EQ(g_MassVector[10], 0.0);
}

TEST_F(ElementAnalysisTest, ValuesThatWouldDivideByZeroAreRefusedNamingTheRow) {
  Step(1);
  const struct {
    void (*spoil)(ElementCaseValues&);
    const char* message;
  } cases[] = {
      {[](ElementCaseValues& v) { v.length = 0.0; }, "Row 2 : Element length must be greater than 0"},
      {[](ElementCaseValues& v) { v.modulus = 0.0; }, "Row 2 : Modulus of elasticity must be greater than 0"},
      {[](ElementCaseValues& v) { v.shearModulus = 0.0; }, "Row 2 : Shear modulus must be greater than 0"},
      {[](ElementCaseValues& v) { v.area = 0.0; }, "Row 2 : Section area must be greater than 0"},
      {[](ElementCaseValues& v) { v.inertia = std::nan(""); }, "Row 2 : Section moment of inertia must be greater than 0"},
  };
  for (const auto& c : cases) {
    AnalysisElementInput input = Element(0);
    c.spoil(input.values);
    try {
      AssembleStraightElement(input);
      ADD_FAILURE() << c.message;
    } catch (const std::string& message) {
      EXPECT_EQ(message, c.message);
    }
  }
  // The wall only matters to a pipe where the pressure term applies, and always to a bend.
  AnalysisElementInput pipe = Element(0);
  pipe.values.wallThickness = 0.0;
  EXPECT_NO_THROW(AssembleStraightElement(pipe));
  pipe.loads.pressure = true;
  EXPECT_THROW(AssembleStraightElement(pipe), std::string);
  AnalysisElementInput bend = Element(2);
  bend.values.wallThickness = 2.25;
  try {
    AssembleBendElement(bend);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3 : Wall thickness must be less than half the outside diameter");
  }
  bend.values.wallThickness = 0.0;
  EXPECT_THROW(AssembleBendElement(bend), std::string);
  // A flexibility factor of 0 held in a file.
  static_cast<Bend&>(*TheModel().row(3).element).flexibilityFactor = 0.0f;
  try {
    AssembleBendElement(Element(2));
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3 : Flexibility factor must be greater than 0");
  }
}

TEST_F(ElementAnalysisTest, AValvesHungWeightASlipJointsFrictionAndTheWindReachTheLoadVector) {
  auto yLoads = [] {
    double sum = 0.0;
    for (std::size_t q = 2; q < g_DisplacementVector.size(); q += 6) sum += g_DisplacementVector[q];
    return sum;
  };
  // Row 2 a valve with 300 lb hung 6 inches beside its middle.
  Model& model = TheModel();
  auto& valve = static_cast<Valve&>(*SetElementType(model, 2, ElementType::Valve));
  valve.additionalWeight = 300.0f;
  valve.dz = 6.0f;
  Step(1);
  AnalysisElementInput input = Element(0);
  input.kind = ElementType::Valve;
  AddAttachedWeightLoads(input);
  EXPECT_NEAR(yLoads(), -(1.5 * 60.0 + 300.0), 1.0e-9);
  // Its moment about X at the two nodes: 300 lb at z = 6 in.
  EXPECT_NEAR(g_DisplacementVector[4] + g_DisplacementVector[10], 300.0 * 6.0, 1.0e-9);
  Step(30);
  input.loads = CurrentCaseLoadSet(model);
  std::fill(g_MassVector.begin(), g_MassVector.end(), 0.0);
  AddAttachedWeightLoads(input);
  EXPECT_NEAR((g_MassVector[1] + g_MassVector[7]) * 386.4, 1.5 * 60.0 + 300.0, 1.0e-9);

  // Row 2 a slip joint with 100 lb friction; the last pass left 40 lb applied
  // and an axial force of 500 lb in the joint.
  auto& joint = static_cast<SlipJoint&>(*SetElementType(model, 2, ElementType::SlipJoint));
  joint.frictionForce = 100.0f;
  SlipJointState state;
  state.appliedFrictionForce = 40.0;
  state.axialForce = 500.0;
  Step(8);
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  input = Element(0);
  input.kind = ElementType::SlipJoint;
  input.slip = &state;
  input.loads.sustained = false;
  input.loads.thermal = false;
  AssembleStraightElement(input);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[1], -40.0);
  EXPECT_DOUBLE_EQ(g_DisplacementVector[7], 40.0);
  EXPECT_DOUBLE_EQ(state.axialSecant, 500.0 / 400.0);
  // The force recovery takes the pair back out of the joint's end forces.
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  ASSERT_TRUE(BinaryFileOpenWrite(results_, ResultsPath()));
  g_ResultsFile = &results_;
  CalculateElementForce(1, input);
  g_ResultsFile = nullptr;
  BinaryFileClose(results_);
  BinaryFile in;
  ASSERT_TRUE(BinaryFileOpenRead(in, ResultsPath()));
  float record[12] = {};
  BinaryFileReadFloats(in, record, 12);
  // With nothing solved the pair is all the joint carries, alike at both ends.
  EXPECT_FLOAT_EQ(record[0], -40.0f);
  EXPECT_FLOAT_EQ(record[6], -40.0f);
  EXPECT_DOUBLE_EQ(state.axialSecant, 500.0 / 400.0);  // left alone while recovering

  // Wind of 0.05 psi along Z on the first pipe (along X) and on the bend.
  SetElementType(model, 2, ElementType::Pipe);
  Step(13);
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  input = Element(0);
  input.values.insulationThickness = 1.0;
  input.loads.windPressure[0] = 0.05;
  input.loads.windDirection[0] = {0.0, 0.0, 1.0};
  AssembleStraightElement(input);
  EXPECT_NEAR(g_DisplacementVector[3], 0.05 * (4.5 + 2.0) * 60.0 / 2.0, 1.0e-9);
  EXPECT_NEAR(g_DisplacementVector[9], 0.05 * (4.5 + 2.0) * 60.0 / 2.0, 1.0e-9);
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  AnalysisElementInput arc = Element(2);
  arc.loads.windPressure[1] = 0.05;
  arc.loads.windDirection[1] = {0.0, 1.0, 0.0};  // across the bend's X-Z plane
  AssembleBendElement(arc);
  const NodeRecord& a = model.nodes[node_[2]];
  const NodeRecord& b = model.nodes[node_[3]];
  const double chord = std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
  EXPECT_NEAR(g_DisplacementVector[14] + g_DisplacementVector[20], 0.05 * 4.5 * chord, 1.0e-6);
  EXPECT_EQ(g_DisplacementVector[13], 0.0);
}

}  // namespace
