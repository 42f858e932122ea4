// End forces turned to global axes against hand calculations: a pipe in
// tension, weight on a horizontal and on a vertical cantilever (the
// vertical pipe's local frame), and a bend whose end-2 frame turns with the
// arc; the force table's global and local cells, static and dynamic.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "loads/Force.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "results/ElementForceValues.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

class ElementForcesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
    g_UnitsSettings = UnitsSettings{};
  }
  // A cantilever from anchor 10 along (dx, dy, dz) to node 20, with a tip
  // load and weight `density`, analysed for the sustained case.
  RunResults Cantilever(float dx, float dy, float dz, double density, float fx, float fy, float fz) {
    Model& model = TheModel();
    StartModel(model, 70.0, density, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, dx, dy, dz);
    PutItem(model, 2, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(2).item);
    force.FX = fx, force.FY = fy, force.FZ = fz;
    MakeModel(model);
    SetCases(model, {1});
    return AnalyseAndRead(model);
  }
  std::array<double, 12> Global(const RunResults& run, int element) {
    return PipeForceValues(TheModel(), run.contents.elements[static_cast<std::size_t>(element)],
                           run.cases[0].forces[static_cast<std::size_t>(element)]);
  }
  std::string path_ = TempFolder() + "/element-forces.mod";
};

TEST_F(ElementForcesTest, APipeInTensionCarriesPlusNAtBothEndsAndItsNodesPullApart) {
  const double N = 1000.0;
  const RunResults run = Cantilever(100.0f, 0.0f, 0.0f, 0.0, static_cast<float>(N), 0.0f, 0.0f);
  ASSERT_EQ(run.contents.elementCount, 1);
  const std::array<float, 12>& stored = run.cases[0].forces[1];
  EXPECT_TRUE(Within(stored[0], N, kTolerance));
  EXPECT_TRUE(Within(stored[6], N, kTolerance));
  // Along X the local axes are the global ones: the values come back as stored.
  const std::array<double, 12> global = Global(run, 1);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_NEAR(global[i], stored[i], 1e-6 * N) << i;
  // The table's global cells: what each node exerts on the element, so the
  // anchor pulls back (-N) and the tip forward (+N); a dynamic case shows
  // magnitudes.
  g_UnitsSettings.unit[kUnitForce] = 1;  // N
  const double newtons = N * 4.44822;
  EXPECT_TRUE(Within(std::stod(FormatPipeForce(global, 2, 0, 0, false)), -newtons, kTolerance));
  EXPECT_TRUE(Within(std::stod(FormatPipeForce(global, 2, 1, 0, false)), newtons, kTolerance));
  EXPECT_TRUE(Within(std::stod(FormatPipeForce(global, 2, 0, 0, true)), newtons, kTolerance));
  // The local cells show the record as it is: +N on both lines.
  EXPECT_TRUE(Within(std::stod(FormatLocalForce(stored, 2, 0, 2)), newtons, kTolerance));
  EXPECT_TRUE(Within(std::stod(FormatLocalForce(stored, 2, 1, 2)), newtons, kTolerance));
  EXPECT_EQ(FormatPipeForce(global, 8, 0, 0, false), "");
  EXPECT_EQ(FormatPipeForce(global, 3, 0, 1, false), FormatPipeForce(global, 2, 0, 0, false));
}

TEST_F(ElementForcesTest, WeightOnAHorizontalPipeIsHeldByShearAndMomentAtTheAnchor) {
  const RunResults run = Cantilever(100.0f, 0.0f, 0.0f, kDensity, 0.0f, 0.0f, 0.0f);
  const double L = 100.0, w = kDensity * Pipe4().A;
  const std::array<double, 12> global = Global(run, 1);
  // End 1 holds minus what the anchor exerts: the anchor lifts wL and turns
  // +wL^2/2 about Z; the free end carries nothing.
  EXPECT_TRUE(Within(-global[1], w * L, kTolerance));
  EXPECT_TRUE(Within(-global[5], w * L * L / 2, kTolerance));
  for (int i : {0, 2, 3, 4}) EXPECT_NEAR(global[static_cast<std::size_t>(i)], 0.0, 1e-3);
  for (std::size_t i = 6; i < 12; ++i) EXPECT_NEAR(global[i], 0.0, 1e-2) << i;
}

TEST_F(ElementForcesTest, AVerticalPipeTakesMinusXForItsLocalYAndItsWeightAxially) {
  // Along +Y: local x = +Y, local y = -X, local z = +Z. Weight compresses
  // it; a tip load P in X bends it about Z.
  const double L = 100.0, P = 500.0, w = kDensity * Pipe4().A;
  const RunResults run = Cantilever(0.0f, 100.0f, 0.0f, kDensity, static_cast<float>(P), 0.0f, 0.0f);
  const std::array<float, 12>& stored = run.cases[0].forces[1];
  EXPECT_TRUE(Within(stored[0], -w * L, kTolerance));   // compression at the root
  EXPECT_TRUE(Within(stored[1], -P, kTolerance));       // fy: P along -local y
  EXPECT_TRUE(Within(stored[7], -P, kTolerance));       // the same shear at the tip
  EXPECT_TRUE(Within(stored[5], -P * L, kTolerance));   // mz at the root
  EXPECT_NEAR(stored[11], 0.0, 1e-3 * P * L);
  // In global axes the anchor exerts +wL in Y, -P in X and +PL about Z.
  const std::array<double, 12> global = Global(run, 1);
  EXPECT_TRUE(Within(-global[0], -P, kTolerance));
  EXPECT_TRUE(Within(-global[1], w * L, kTolerance));
  EXPECT_TRUE(Within(-global[5], P * L, kTolerance));
  EXPECT_TRUE(Within(global[6], P, kTolerance));  // the tip load, at end 2
  EXPECT_NEAR(global[7], 0.0, 1e-3 * P);
}

TEST_F(ElementForcesTest, ABendsEnd2FrameTurnsWithTheArc) {
  // Anchor 10, pipe +60 X, bend to 30 (+60 X), pipe +60 Z to a free tip 40
  // loaded with P in Y. At the bend's end 2 the node exerts (0, P, 0) and
  // the moment of the tip load about it, (-P L3, 0, 0), whatever the frame.
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PipeRow(model, 30, ElementType::Bend, 60.0f);
  PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, 4, DataType::Force);
  const double P = 200.0;
  static_cast<NodalForce&>(*model.row(4).item).FY = static_cast<float>(P);
  MakeModel(model);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  int arc = 0;
  for (int e = 1; e <= run.contents.elementCount; ++e)
    if (run.contents.elements[static_cast<std::size_t>(e)].kind == static_cast<int>(ElementType::Bend)) arc = e;
  ASSERT_NE(arc, 0);
  const AnalysisElement& element = run.contents.elements[static_cast<std::size_t>(arc)];
  const NodeRecord& end2 = model.nodes[element.node2];
  const NodeRecord& tip = model.nodes[FindNodeIndex(model.nodes, 40)];
  const double L3 = tip.z - end2.z;
  ASSERT_GT(L3, 1.0);
  const std::array<double, 12> global = Global(run, arc);
  EXPECT_NEAR(global[6], 0.0, 1e-3 * P);
  EXPECT_TRUE(Within(global[7], P, kTolerance));
  EXPECT_NEAR(global[8], 0.0, 1e-3 * P);
  EXPECT_TRUE(Within(global[9], -P * L3, kTolerance));
  EXPECT_NEAR(global[10], 0.0, 1e-3 * P * L3);
  EXPECT_NEAR(global[11], 0.0, 1e-3 * P * L3);
  // Stored in the end-2 frame (x along +Z there), the end-2 force is not
  // the global one: only the turn of the end-2 frame gives it back.
  const std::array<float, 12>& stored = run.cases[0].forces[static_cast<std::size_t>(arc)];
  EXPECT_GT(std::fabs(stored[9] - global[9]) + std::fabs(stored[11] - global[11]), 1e-2 * P * L3);
  // End 1 of the arc: the tip load's moment about the arc's start, whose
  // lever adds the arc's X run.
  const NodeRecord& end1 = model.nodes[element.node1];
  const double dx = tip.x - end1.x, dz = tip.z - end1.z;
  // Node exerts at end 1 minus the moment of the load: stored sign negates.
  EXPECT_TRUE(Within(global[3], -P * dz, kTolerance));
  EXPECT_TRUE(Within(global[5], P * dx, kTolerance));
}

}  // namespace
