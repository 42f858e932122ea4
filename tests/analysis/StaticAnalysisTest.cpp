// Static analysis through the driver against hand calculations: a
// cantilever under its own weight and under a tip load (the load is put on
// T1, so "Expansion (T1)", formed as operating minus sustained, is the tip
// load alone), and an L of two legs and a long-radius bend held by anchors
// at both ends under a temperature rise, against the flexibility of the
// path found from its complementary energy. Displacements, anchor loads and
// element end forces, read back from the results file, agree within
// 0.1 %; every static case balances its applied loads; the combined
// expansion block is the operating block minus the sustained block value
// by value.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "elements/Bend.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "loads/Force.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

class StaticAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  std::string path_ = TempFolder() + "/static-analysis.mod";
};

// From 10 (anchor), pipe to 20 (+100 X) with a force of -1000 lb in Y on T1.
TEST_F(StaticAnalysisTest, CantileverUnderWeightAndUnderATipLoad) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PutItem(model, 2, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(2).item);
  force.FY = -1000.0f;
  force.AddedTo = 2;
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 3u);

  const SectionValues s = Pipe4();
  const double L = 100.0, w = kDensity * s.A, P = 1000.0;
  const int tip = FindNodeIndex(model.nodes, 20);
  struct Expected {
    double dy, rz, shear, moment;
  };
  // Sustained: the weight alone; Expansion (T1): the tip load alone.
  const Expected weight{-w * (std::pow(L, 4) / (8 * kE * s.I) + s.shear * L * L / (2 * s.G * s.A)),
                        -w * std::pow(L, 3) / (6 * kE * s.I), w * L, w * L * L / 2};
  const Expected load{-P * (std::pow(L, 3) / (3 * kE * s.I) + s.shear * L / (s.G * s.A)),
                      -P * L * L / (2 * kE * s.I), P, P * L};
  for (const auto& [k, expected] : {std::pair{0, weight}, std::pair{2, load}}) {
    const CaseBlock& block = run.cases[static_cast<std::size_t>(k)];
    SCOPED_TRACE(k);
    EXPECT_TRUE(Within(block.nodes[static_cast<std::size_t>(tip)][1], expected.dy, kTolerance));
    EXPECT_TRUE(Within(block.nodes[static_cast<std::size_t>(tip)][5], expected.rz, kTolerance));
    const std::vector<double> anchor = SupportValues(run, block, 1);
    EXPECT_TRUE(Within(anchor[1], -expected.shear, kTolerance));
    EXPECT_TRUE(Within(anchor[5], -expected.moment, kTolerance));
    for (int i : {0, 2, 3, 4}) EXPECT_NEAR(anchor[static_cast<std::size_t>(i)], 0.0, 1e-3);
    // End 1 is minus what the anchor exerts; end 2 what node 20 exerts.
    const std::array<float, 12>& end = block.forces[1];
    EXPECT_TRUE(Within(end[1], -expected.shear, kTolerance));
    EXPECT_TRUE(Within(end[5], -expected.moment, kTolerance));
    EXPECT_TRUE(Within(end[7], k == 0 ? 0.0 : -P, kTolerance, 1e-3 * P));
    EXPECT_NEAR(end[11], 0.0, 1e-3 * expected.moment);
  }
  // The operating case carries both.
  EXPECT_TRUE(Within(run.cases[1].nodes[static_cast<std::size_t>(tip)][1], weight.dy + load.dy, kTolerance));
}

// The L: From 10 (anchor), pipe to 20 (+100 X), bend at 30 (+100 X, given
// flexibility factor 5), pipe to 40 (+100 Z, anchor), heated to 470 F.
class LBendTest : public StaticAnalysisTest {
 protected:
  // With `split`, the last leg ends at 50 through 40, half way.
  void Build(double density, bool solveThermal, bool split = false) {
    Model& model = TheModel();
    StartModel(model, 470.0, density, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PipeRow(model, 30, ElementType::Bend, 100.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, split ? 50.0f : 100.0f);
    if (split) PipeRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 50.0f);
    last_ = split ? 50 : 40;
    PutItem(model, model.rowCount, DataType::Anchor);
    MakeModel(model);
    static_cast<Bend&>(*model.row(3).element).flexibilityFactor = 5.0f;
    model.options.SolveThermalCase = solveThermal ? 1 : 0;
    SetCases(model, {1, 8, 2});
  }
  V3 At(NodeId id) const {
    const NodeRecord& node = NodeById(TheModel(), id);
    return {node.x, node.y, node.z};
  }
  // Legs and arc as the model placed them.
  std::vector<PathSegment> Path() const {
    const Bend& bend = static_cast<const Bend&>(*TheModel().row(3).element);
    const V3 centre{bend.centre[0], bend.centre[1], bend.centre[2]};
    const double R = bend.radius;
    const V3 e1{1, 0, 0}, e2{0, 0, 1};
    PathSegment arc{R * kPi / 2, 5.0, [=](double s) {
                      const double a = -kPi / 2 + s / R;
                      PathPoint p;
                      for (int i = 0; i < 3; ++i) {
                        p.at[static_cast<std::size_t>(i)] = centre[static_cast<std::size_t>(i)] +
                                                             R * (std::cos(a) * e1[static_cast<std::size_t>(i)] +
                                                                  std::sin(a) * e2[static_cast<std::size_t>(i)]);
                        p.tangent[static_cast<std::size_t>(i)] =
                            -std::sin(a) * e1[static_cast<std::size_t>(i)] + std::cos(a) * e2[static_cast<std::size_t>(i)];
                      }
                      return p;
                    }};
    return {Straight(At(10), At(100030)), arc, Straight(At(200030), At(last_))};
  }
  NodeId last_ = 40;
};

// Solves the 6 x 6 system a x = b by elimination with row pivoting.
std::array<double, 6> Solve6(std::array<std::array<double, 6>, 6> a, std::array<double, 6> b) {
  for (std::size_t c = 0; c < 6; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < 6; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < 6; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < 6; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  std::array<double, 6> x{};
  for (std::size_t c = 6; c-- > 0;) {
    double sum = b[c];
    for (std::size_t k = c + 1; k < 6; ++k) sum -= a[c][k] * x[k];
    x[c] = sum / a[c][c];
  }
  return x;
}

TEST_F(LBendTest, TwoAnchorLBendUnderATemperatureRise) {
  Build(0.0, true);
  const RunResults run = AnalyseAndRead(TheModel());
  const CaseBlock& expansion = run.cases[2];
  // The reaction R at 40 closes the gap that free growth would open.
  const std::vector<PathSegment> path = Path();
  double S = 0.0;
  for (const PathSegment& segment : path) S += segment.length;
  const double growth = kAlpha * 400.0;
  const V3 chord = Sub(At(40), At(10));
  std::array<std::array<double, 6>, 6> F{};
  std::array<double, 6> gap{};
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) F[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = PathFlexibility(path, S, i, S, j);
    gap[static_cast<std::size_t>(i)] = i < 3 ? -growth * chord[static_cast<std::size_t>(i)] : 0.0;
  }
  const std::array<double, 6> R = Solve6(F, gap);
  // The anchor's load is what the pipe puts on it: -R at 40; at 10 the
  // resultant moved there.
  const std::vector<double> far = SupportValues(run, expansion, 4);
  const std::vector<double> near = SupportValues(run, expansion, 1);
  const V3 force{R[0], R[1], R[2]};
  const V3 moved = Cross3(chord, force);
  const double largest = std::max({std::fabs(R[0]), std::fabs(R[2]), std::fabs(R[4])});
  for (int i = 0; i < 6; ++i) {
    const auto c = static_cast<std::size_t>(i);
    EXPECT_TRUE(Within(far[c], -R[c], kTolerance, 1e-4 * largest)) << "far " << i;
    const double atNear = i < 3 ? R[c] : R[c] + moved[c - 3];
    EXPECT_TRUE(Within(near[c], atNear, kTolerance, 1e-4 * largest)) << "near " << i;
  }
  EXPECT_GT(std::fabs(R[0]), 100.0);  // a real thermal load, not a trivial zero
  // Node 30A: free growth plus the flexibility from the start to it under R.
  const double sA = path[0].length;
  const int nodeA = FindNodeIndex(TheModel().nodes, 100030);
  const V3 toA = Sub(At(100030), At(10));
  for (int i = 0; i < 6; ++i) {
    double u = i < 3 ? growth * toA[static_cast<std::size_t>(i)] : 0.0;
    for (int j = 0; j < 6; ++j) u += PathFlexibility(path, sA, i, S, j) * R[static_cast<std::size_t>(j)];
    EXPECT_TRUE(Within(expansion.nodes[static_cast<std::size_t>(nodeA)][static_cast<std::size_t>(i)], u, kTolerance,
                       2e-6))
        << "displacement " << i;
  }
  // End forces: element 1 at node 10 (local = global axes) holds the near
  // anchor's load; the last element (along Z: x = Z, y = Y, z = -X) holds
  // at node 40 what the node exerts, R.
  const AnalysisElementList& elements = TheAnalysisElements();
  ASSERT_EQ(elements.count, 4);
  const std::array<float, 12>& first = expansion.forces[1];
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(Within(first[static_cast<std::size_t>(i)], near[static_cast<std::size_t>(i)], kTolerance, 1e-4 * largest));
  const std::array<float, 12>& last = expansion.forces[4];
  const double local[6] = {R[2], R[1], -R[0], R[5], R[4], -R[3]};
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(Within(last[static_cast<std::size_t>(6 + i)], local[i], kTolerance, 1e-4 * largest)) << "end 2, " << i;
}

// With weight, a restraint and a force: every case's supports carry the
// applied loads, forces and moments about the origin.
TEST_F(LBendTest, EveryStaticCaseBalancesItsLoadsAndExpansionIsOperatingMinusSustained) {
  Build(kDensity, false, true);
  Model& model = TheModel();
  PutItem(model, 2, DataType::Restraint);
  static_cast<Restraint&>(*model.row(2).item).restrainY = 1;
  PutItem(model, 4, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(4).item);
  force.FX = 250.0f;
  force.FY = -400.0f;
  force.MZ = 3000.0f;
  force.AddedTo = 1;
  MakeModel(model);
  static_cast<Bend&>(*model.row(3).element).flexibilityFactor = 5.0f;
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 3u);

  // Applied: the weight of the path (including the arc) and the force at 40.
  const double w = kDensity * Pipe4().A;
  V3 load{}, moment{};
  for (const PathSegment& segment : Path()) {
    const int n = 4000;
    for (int m = 0; m < n; ++m) {
      const V3 at = segment.point((m + 0.5) * segment.length / n).at;
      const V3 piece{0.0, -w * segment.length / n, 0.0};
      const V3 turn = Cross3(at, piece);
      for (std::size_t i = 0; i < 3; ++i) load[i] += piece[i], moment[i] += turn[i];
    }
  }
  const V3 applied{force.FX, force.FY, force.FZ};
  const V3 appliedTurn = Cross3(At(40), applied);
  for (std::size_t i = 0; i < 3; ++i) {
    load[i] += applied[i];
    moment[i] += appliedTurn[i] + (i == 2 ? force.MZ : 0.0);
  }
  for (std::size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    V3 total{}, turn{};
    for (int row : {1, 2, 5}) {
      const std::vector<double> values = SupportValues(run, run.cases[k], row);
      const NodeRecord& node = model.nodes[model.row(row).endNode];
      const V3 f{values[0], values[1], values[2]};
      const V3 r = Cross3({node.x, node.y, node.z}, f);
      for (std::size_t i = 0; i < 3; ++i) total[i] += f[i], turn[i] += r[i] + (values.size() == 6 ? values[3 + i] : 0.0);
    }
    // Sustained and operating carry the weight and force; the expansion
    // block (operating minus sustained) carries none.
    const double share = k == 2 ? 0.0 : 1.0;
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_TRUE(Within(total[i], share * load[i], 1e-4, 1e-3)) << "force " << i;
      EXPECT_TRUE(Within(turn[i], share * moment[i], 1e-4, 0.5)) << "moment " << i;
    }
  }
  // Expansion is operating minus sustained, value by value as f32.
  const CaseBlock &sustained = run.cases[0], &operating = run.cases[1], &expansion = run.cases[2];
  for (std::size_t n = 1; n < expansion.nodes.size(); ++n)
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(expansion.nodes[n][i], operating.nodes[n][i] - sustained.nodes[n][i]);
  for (std::size_t e = 1; e < expansion.forces.size(); ++e)
    for (std::size_t i = 0; i < 12; ++i)
      EXPECT_EQ(expansion.forces[e][i], operating.forces[e][i] - sustained.forces[e][i]);
  for (std::size_t i = 0; i < expansion.supports.size(); ++i)
    EXPECT_EQ(expansion.supports[i], operating.supports[i] - sustained.supports[i]);
  // The thermal growth is real: the operating and sustained blocks differ.
  EXPECT_GT(std::fabs(expansion.supports[0]), 100.0f);
}

}  // namespace

namespace {

// From 10 (anchor), pipe 20 (+100 X) with a 200 lb concentrated mass whose
// centre is 10 inch off in Z, pipe 30 (+100 X) with a 50 lb flange pair,
// weightless pipe; wind load 1 of 0.1 psi in Z. The anchor carries the
// weights with the moment of the mass's offset in the sustained case, and
// the wind on the pipes' projected area in the wind case.
TEST_F(StaticAnalysisTest, MassesFlangesAndWindReachTheSupports) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PutItem(model, 2, DataType::ConcentratedMass);
  auto& mass = static_cast<ConcentratedMass&>(*model.row(2).item);
  mass.weight = 200.0f;
  mass.dz = 10.0f;
  PipeRow(model, 30, ElementType::Pipe, 100.0f);
  PutItem(model, 3, DataType::Flange);
  static_cast<Flange&>(*model.row(3).item).weight = 50.0f;
  model.pipeLoads[1].wind = 1;
  model.wind.profileIsVelocity = 0;
  model.wind.loads[0].direction = {0.0f, 0.0f, 2.0f};
  model.wind.loads[0].pressureProfile = {{0.0f, 0.1f}};
  MakeModel(model);
  SetCases(model, {1, 13});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 2u);
  const std::vector<double> weight = SupportValues(run, run.cases[0], 1);
  const double expectedWeight[6] = {0, -250, 0, 200 * 10, 0, -200 * 100 - 50 * 200};
  const std::vector<double> wind = SupportValues(run, run.cases[1], 1);
  const double force = 0.1 * kOd * 200.0;
  const double expectedWind[6] = {0, 0, force, 0, -force * 100.0, 0};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_TRUE(Within(weight[i], expectedWeight[i], kTolerance, 1e-2)) << "weight " << i;
    EXPECT_TRUE(Within(wind[i], expectedWind[i], kTolerance, 1e-2)) << "wind " << i;
  }
}

// 10 ft of weightless pipe between two anchors, the far one turned 0.1
// degree about Z on T1 (the set holds degrees, as the dialog and the file
// do): the pipe bends by 0.1 degree in radians, so the end moments are the
// shear-flexible beam's (4 + phi) E I theta / ((1 + phi) L) at the turned
// end and (2 - phi) E I theta / ((1 + phi) L) at the other, with the shear
// 6 E I theta / ((1 + phi) L^2), and the far node turns by exactly theta.
TEST_F(StaticAnalysisTest, AnImposedAnchorRotationInDegreesTurnsThePipeByItsRadians) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 120.0f);
  PutItem(model, 2, DataType::Anchor);
  Anchor& turned = static_cast<Anchor&>(*model.row(2).item);
  turned.displacements.flags[0] = 1;
  turned.displacements.sets = std::make_unique<DisplacementSets>();
  turned.displacements.sets->values[6] = 0.1f;  // T1, ZZ
  MakeModel(model);
  SetCases(model, {8});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 1u);

  const SectionValues s = Pipe4();
  const double L = 120.0, theta = 0.1f * kPi / 180.0;
  const double phi = 12.0 * kE * s.I * s.shear / (s.G * s.A * L * L);
  const double far = (4.0 + phi) * kE * s.I * theta / ((1.0 + phi) * L);
  const double near = (2.0 - phi) * kE * s.I * theta / ((1.0 + phi) * L);
  const double shear = 6.0 * kE * s.I * theta / ((1.0 + phi) * L * L);
  const CaseBlock& block = run.cases[0];
  const int tip = FindNodeIndex(model.nodes, 20);
  // The rigid spring (1.0e12) holds the node within k / 1.0e12 of theta,
  // k = 4EI/L of the pipe, about 3e6.
  EXPECT_TRUE(Within(block.nodes[static_cast<std::size_t>(tip)][5], theta, 1e-5));
  // An anchor's load is what the pipe puts on it: minus the element's end forces.
  const std::vector<double> at10 = SupportValues(run, block, 1), at20 = SupportValues(run, block, 2);
  EXPECT_TRUE(Within(at20[5], -far, kTolerance));
  EXPECT_TRUE(Within(at10[5], -near, kTolerance));
  EXPECT_TRUE(Within(at20[1], shear, kTolerance));
  EXPECT_TRUE(Within(at10[1], -shear, kTolerance));
  EXPECT_TRUE(Within(block.forces[1][11], far, kTolerance));
}

}  // namespace
