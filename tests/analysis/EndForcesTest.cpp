// The end-force record and its frames: a pipe in pure tension or torsion
// stores the same value at both ends, a freedom without an equation adds
// nothing, tiny values are written as 0, the frames of horizontal, vertical
// and zero-length pipes, the envelope and sum of squares of the dynamic
// runs, the susceptibility values and the refusal of kinds without a routine.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "analysis/ElementAssembly.h"
#include "analysis/ElementInputs.h"
#include "analysis/EndForces.h"
#include "analysis/GlobalSystem.h"
#include "analysis/RunState.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "shell/BinaryFile.h"
#include "shell/TempFiles.h"

namespace {

// Rows: From 10, Pipe 20 (d from node 10), Pipe 30 (+100 Y), Pipe 40 (0 length).
class EndForcesTest : public ::testing::Test {
 protected:
  void SetUp() override { Build(100.0f); }
  void TearDown() override {
    ReleaseGlobalSystem();
    ResetRunState();
    g_ResultsFile = nullptr;
    if (results_.stream) BinaryFileClose(results_);
    std::filesystem::remove(Path());
    g_ElementForceRun = ElementForceRun{};
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  void Build(float dx) {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddRow(model, 10, ElementType::From);
    AddRow(model, 20, ElementType::Pipe, dx);
    AddRow(model, 30, ElementType::Pipe, 0.0f, 100.0f);
    AddRow(model, 40, ElementType::Pipe);
    MakeModel(model);
    for (int index = 1; index <= model.nodes.count; ++index) model.nodes[index].equation = index;
    AllocateGlobalSystem(BuildSkylineProfile(6 * model.nodes.count, {}));
  }
  static int Node(NodeId id) { return FindNodeIndex(TheModel().nodes, id); }
  static AnalysisElementInput Pipe(NodeId from, NodeId to, int row) {
    AnalysisElementInput input;
    input.kind = ElementType::Pipe;
    input.row = row;
    input.node1 = Node(from);
    input.node2 = Node(to);
    ElementCaseValues& v = input.values;
    v.length = 100.0;
    v.area = 5.0;
    v.inertia = 20.0;
    v.modulus = 3.0e7;
    v.shearModulus = 1.0e7;
    return input;
  }
  static std::string Path() { return TempFolder() + "/records.res"; }
  std::vector<float> Recover(const AnalysisElementInput& input) {
    EXPECT_TRUE(BinaryFileOpenWrite(results_, Path()));
    g_ResultsFile = &results_;
    CalculateElementForce(1, input);
    g_ResultsFile = nullptr;
    BinaryFileClose(results_);
    BinaryFile in;
    EXPECT_TRUE(BinaryFileOpenRead(in, Path()));
    std::vector<float> values(static_cast<std::size_t>(in.size / 4));
    BinaryFileReadFloats(in, values.data(), values.size());
    return values;
  }
  static void Displace(NodeId node, int direction, double value) {
    g_DisplacementVector[static_cast<std::size_t>(6 * (TheModel().nodes[Node(node)].equation - 1) + direction)] = value;
  }

  BinaryFile results_;
};

TEST_F(EndForcesTest, TensionAndTorsionAreStoredAlikeAtBothEnds) {
  const AnalysisElementInput pipe = Pipe(10, 20, 2);
  Displace(20, 1, 0.01);    // stretched 0.01 inch: N = EA/L x 0.01 = 15000
  Displace(20, 4, 0.002);   // twisted: T = 2GI/L x 0.002 = 8000
  Displace(10, 6, 1.0e-38); // a value whose force is below 1e-30
  const std::vector<float> record = Recover(pipe);
  ASSERT_EQ(record.size(), 12u);
  EXPECT_FLOAT_EQ(record[0], 15000.0f);
  EXPECT_FLOAT_EQ(record[6], 15000.0f);
  EXPECT_FLOAT_EQ(record[3], 8000.0f);
  EXPECT_FLOAT_EQ(record[9], 8000.0f);
  for (int i : {1, 2, 4, 5, 7, 8, 10, 11}) {
    EXPECT_EQ(record[static_cast<std::size_t>(i)], 0.0f) << i;
    EXPECT_FALSE(std::signbit(record[static_cast<std::size_t>(i)])) << i;
  }
  // A node without equations takes no part.
  TheModel().nodes[Node(20)].equation = 0;
  const std::vector<float> none = Recover(pipe);
  for (float value : none) EXPECT_EQ(value, 0.0f);
}

TEST_F(EndForcesTest, FramesOfHorizontalVerticalAndZeroLengthPipes) {
  const Model& model = TheModel();
  const ElementEndFrames along = ComputeElementEndFrames(model, ElementType::Pipe, 2, Node(10), Node(20));
  EXPECT_EQ(along.end1.y, (Vector3d{0, 1, 0}));
  EXPECT_EQ(along.end1.z, (Vector3d{0, 0, 1}));
  EXPECT_EQ(along.end2.x, along.end1.x);
  const ElementEndFrames up = ComputeElementEndFrames(model, ElementType::Pipe, 3, Node(20), Node(30));
  EXPECT_EQ(up.end1.x, (Vector3d{0, 1, 0}));
  EXPECT_EQ(up.end1.y, (Vector3d{-1, 0, 0}));
  EXPECT_EQ(up.end1.z, (Vector3d{0, 0, 1}));
  const ElementEndFrames point = ComputeElementEndFrames(model, ElementType::Rigid, 4, Node(30), Node(40));
  EXPECT_EQ(point.end1.x, (Vector3d{1, 0, 0}));
  // With Z vertical the upward axis is local z.
  TheModel().options.ZVertical = 1;
  const ElementEndFrames zUp = ComputeElementEndFrames(model, ElementType::Pipe, 2, Node(10), Node(20));
  EXPECT_EQ(zUp.end1.z, (Vector3d{0, 0, 1}));
  EXPECT_EQ(zUp.end1.y, (Vector3d{0, 1, 0}));
}

TEST_F(EndForcesTest, EnvelopeKeepsTheLargerSizeWithItsSignAndSumOfSquaresAdds) {
  const AnalysisElementInput pipe = Pipe(10, 20, 2);
  ElementForceRun& run = g_ElementForceRun;
  run.noWrite = true;
  run.accumulation = ElementForceAccumulation::Envelope;
  run.accumulator.assign(2, Vector12d{});
  run.accumulator[1][0] = 4.0;
  run.accumulator[1][1] = -4.0;
  Vector12d record{};
  record[0] = -5.0;
  record[1] = 3.0;
  OutputElementForces(1, pipe, record, {});
  EXPECT_EQ(run.accumulator[1][0], -5.0);
  EXPECT_EQ(run.accumulator[1][1], -4.0);
  run.accumulation = ElementForceAccumulation::SumOfSquares;
  run.accumulator[1] = {};
  OutputElementForces(1, pipe, record, {});
  OutputElementForces(1, pipe, record, {});
  EXPECT_EQ(run.accumulator[1][0], 50.0);
  EXPECT_EQ(run.accumulator[1][1], 18.0);
  // The modal-forces row writer sees the record when writing is on.
  static Vector12d seen{};
  run.noWrite = false;
  run.accumulation = ElementForceAccumulation::None;
  run.modalForcesRow = [](int, const Vector12d& forces) { seen = forces; };
  ASSERT_TRUE(BinaryFileOpenWrite(results_, Path()));
  g_ResultsFile = &results_;
  OutputElementForces(1, pipe, record, {});
  EXPECT_EQ(seen[0], -5.0);
}

TEST_F(EndForcesTest, SusceptibilityValuesDropWhatIsNegligible) {
  ElementEndFrames frames;  // global axes at both ends
  Vector12d u{}, F{};
  u[1] = 3.0;  // transverse at node 1
  u[2] = 4.0;
  u[6] = 1.0;  // axial only at node 2
  F[4] = 6.0, F[5] = 8.0;  // m1 = 10
  F[0] = 1.0e7;            // N1: 10 < 1e-5 x 1e7 drops m1
  F[10] = 2.0;             // m2 = 2
  const std::array<float, 4> values = SusceptibilityValues(frames, u, F);
  EXPECT_FLOAT_EQ(values[0], 5.0f);  // d1
  EXPECT_EQ(values[1], 0.0f);        // m1
  EXPECT_EQ(values[2], 0.0f);        // d2 = 0 beside its axial value
  EXPECT_FLOAT_EQ(values[3], 2.0f);
  // In the susceptibility run a pipe writes these four values and nothing else.
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, Path()));
  g_ElementForceRun.susceptibility = true;
  g_ElementForceRun.susceptibilityFile = &file;
  g_ElementForceRun.accumulation = ElementForceAccumulation::Envelope;  // not reached
  OutputElementForces(1, Pipe(10, 20, 2), F, frames);
  BinaryFileClose(file);
  EXPECT_EQ(std::filesystem::file_size(Path()), 16u);
}

TEST_F(EndForcesTest, KindsWithoutARoutineAreRefusedAndB31JIsRefused) {
  AnalysisElementInput input = Pipe(10, 20, 2);
  input.kind = ElementType::Comment;
  try {
    CalculateElementForce(1, input);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "calculate element forces: Invalid type");
  }
  input.kind = ElementType::TieRod;
  try {
    CalculateElementForce(1, input);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Element forces of Tie rod elements are not available yet.");
  }
  AnalysisOptions options;
  EXPECT_NO_THROW(CheckAnalysisOptionsSupported(options));
  options.UseB31J = 1;
  try {
    CheckAnalysisOptionsSupported(options);
    ADD_FAILURE();
  } catch (const std::string& message) {
    EXPECT_EQ(message,
              "The analysis does not support the option \"Use B31J\" yet.\n"
              "Turn it off in the analysis options to analyze this model.");
  }
}

}  // namespace
