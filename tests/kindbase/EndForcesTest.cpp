// The end-force record and its frames: a pipe in pure tension or torsion
// stores the same value at both ends, a freedom without an equation adds
// nothing, tiny values are written as 0; the frames of horizontal, vertical
// and zero-length pipes; the envelope and sum of squares of the dynamic
// runs; the susceptibility values; kinds without a routine refused.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "elements/BendTesting.h"
#include "elements/ElementForces.h"
#include "kindbase/EndForces.h"
#include "kindbase/GlobalSystem.h"
#include "services/BinaryFile.h"
#include "services/TempFiles.h"

namespace {

// Rows: From 10, Pipe 20 (+100 X), Pipe 30 (+100 Y), Pipe 40 (no length).
class EndForcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddRow(model, 10, ElementType::From);
    AddRow(model, 20, ElementType::Pipe, 100.0f);
    AddRow(model, 30, ElementType::Pipe, 0.0f, 100.0f);
    AddRow(model, 40, ElementType::Pipe);
    MakeModel(model);
    for (int index = 1; index <= model.nodes.count; ++index) model.nodes[index].equation = index;
    AllocateGlobalSystem(BuildSkylineProfile(6 * model.nodes.count, {}));
  }
  void TearDown() override {
    ReleaseGlobalSystem();
    g_ElementForceRun = ElementForceRun{};
    std::filesystem::remove(Path());
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  static int Node(NodeId id) { return FindNodeIndex(TheModel().nodes, id); }
  static AnalysisElementInput Pipe() {
    AnalysisElementInput input;
    input.row = 2;
    input.node1 = Node(10);
    input.node2 = Node(20);
    input.values = {100.0, 0.0, 0.0, 5.0, 20.0, 0.0, 3.0e7, 1.0e7};  // L, D, t, A, I, k, E, G
    return input;
  }
  static std::string Path() { return TempFolder() + "/records.res"; }
  // The record of the pipe, written to and read back from a results file.
  static std::vector<float> Recover() {
    BinaryFile out;
    EXPECT_TRUE(BinaryFileOpenWrite(out, Path()));
    g_ResultsFile = &out;
    TransformElementForces(1, Pipe(), BuildElementForce(Pipe()));
    g_ResultsFile = nullptr;
    BinaryFileClose(out);
    BinaryFile in;
    EXPECT_TRUE(BinaryFileOpenRead(in, Path()));
    std::vector<float> values(static_cast<std::size_t>(in.size / 4));
    BinaryFileReadFloats(in, values.data(), values.size());
    return values;
  }
  static void Displace(int position, int direction, double value) {
    g_DisplacementVector[static_cast<std::size_t>(6 * (position - 1) + direction)] = value;
  }
};

TEST_F(EndForcesTest, TensionAndTorsionAreStoredAlikeAtBothEnds) {
  Displace(Node(20), 1, 0.01);     // stretched: N = EA/L x 0.01 = 15000
  Displace(Node(20), 4, 0.002);    // twisted: T = 2GI/L x 0.002 = 8000
  Displace(Node(10), 6, 1.0e-38);  // forces below 1e-30 in size
  const std::vector<float> record = Recover();
  ASSERT_EQ(record.size(), 12u);
  EXPECT_EQ(std::vector<float>(record.begin(), record.begin() + 6), (std::vector<float>{15000, 0, 0, 8000, 0, 0}));
  EXPECT_EQ(std::vector<float>(record.begin() + 6, record.end()), (std::vector<float>{15000, 0, 0, 8000, 0, 0}));
  for (float value : record) EXPECT_FALSE(std::signbit(value));
  // A node without equations takes no part.
  TheModel().nodes[Node(20)].equation = 0;
  for (float value : Recover()) EXPECT_EQ(value, 0.0f);
}

TEST_F(EndForcesTest, FramesOfHorizontalVerticalAndZeroLengthPipes) {
  Model& model = TheModel();
  const ElementEndFrames along = ComputeElementEndFrames(model, ElementType::Pipe, 2, Node(10), Node(20));
  EXPECT_EQ(along.end1.y, (Vector3d{0, 1, 0}));
  EXPECT_EQ(along.end1.z, (Vector3d{0, 0, 1}));
  EXPECT_EQ(along.end2.x, along.end1.x);
  const ElementEndFrames up = ComputeElementEndFrames(model, ElementType::Pipe, 3, Node(20), Node(30));
  EXPECT_EQ(up.end1.y, (Vector3d{-1, 0, 0}));
  EXPECT_EQ(up.end1.z, (Vector3d{0, 0, 1}));
  EXPECT_EQ(ComputeElementEndFrames(model, ElementType::Rigid, 4, Node(30), Node(40)).end1.x, (Vector3d{1, 0, 0}));
  model.options.ZVertical = 1;  // the upward axis is local z
  EXPECT_EQ(ComputeElementEndFrames(model, ElementType::Pipe, 2, Node(10), Node(20)).end1.z, (Vector3d{0, 0, 1}));
}

TEST_F(EndForcesTest, DynamicRunsKeepTheEnvelopeOrTheSumOfSquaresOrTheSusceptibility) {
  ElementForceRun& run = g_ElementForceRun;
  run.noWrite = true;
  run.accumulation = ElementForceAccumulation::Envelope;
  run.accumulator.assign(2, Vector12d{4.0, -4.0});
  const Vector12d record{-5.0, 3.0};
  OutputElementForces(1, Pipe(), record, {});  // -5 replaces 4; 3 does not replace -4
  EXPECT_EQ(run.accumulator[1][0], -5.0);
  EXPECT_EQ(run.accumulator[1][1], -4.0);
  run.accumulation = ElementForceAccumulation::SumOfSquares;
  run.accumulator[1] = {};
  OutputElementForces(1, Pipe(), record, {});
  OutputElementForces(1, Pipe(), record, {});
  EXPECT_EQ(run.accumulator[1][0], 50.0);
  // Susceptibility: d1 = |(3, 4)| = 5; m1 = 10 is negligible beside N1 = 1e7;
  // d2 = 0 beside its axial movement; m2 = 2.
  Vector12d u{}, F{};
  u[1] = 3.0, u[2] = 4.0, u[6] = 1.0;
  F[4] = 6.0, F[5] = 8.0, F[0] = 1.0e7, F[10] = 2.0;
  EXPECT_EQ(SusceptibilityValues({}, u, F), (std::array<float, 4>{5.0f, 0.0f, 0.0f, 2.0f}));
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, Path()));
  run.susceptibility = true;
  run.susceptibilityFile = &file;
  OutputElementForces(1, Pipe(), F, {});  // four values and nothing else
  BinaryFileClose(file);
  EXPECT_EQ(std::filesystem::file_size(Path()), 16u);
  EXPECT_EQ(run.accumulator[1][0], 50.0);
}

TEST_F(EndForcesTest, AKindWithoutARoutineIsRefused) {
  AnalysisElementInput input = Pipe();
  input.kind = ElementType::Comment;
  EXPECT_EQ(Thrown([&] { TransformElementForces(1, input, BuildElementForce(input)); }), "calculate element forces: Invalid type");
}

}  // namespace
