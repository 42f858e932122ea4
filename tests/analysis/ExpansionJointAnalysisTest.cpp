// Expansion joints in static runs against hand calculations: the bellows'
// stiffness (axial, torsion, end rotation, parallel offset), and a bellows
// between two pipes held by anchors under pressure, whose thrust the
// anchors share with the pipes' springs in series; tied across by a tie
// rod the rod takes its share, and a tension gap keeps it slack until the
// bellows has stretched that far; a slip joint between two anchors lets
// the anchors carry its friction, in compression when the line is heated
// and in tension when it is cooled below the reference temperature, and
// under pressure resists the thrust (or holds it when its friction is the
// larger), and its friction torque likewise resists a turn; a hinge with friction turns only by the moment beyond its friction torque,
// and no further than its rotation limit; a ball joint likewise in bending
// and in torsion.
#include <gtest/gtest.h>

#include <sstream>

#include "analysis/AnalysisTesting.h"
#include "analysis/NonlinearIteration.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/BellowsDialog.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/StraightElement.h"
#include "elements/TieRod.h"
#include "files/BatchImport.h"
#include "loads/Force.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "services/Units.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

// The spring of end 2 with end 1 held: translation w with the rotation r
// free (held when `otherHeld`), or the rotation r with w free (held).
double EndSpring(const Matrix12d& K, int w, int r, bool rotation, bool otherHeld) {
  if (otherHeld) return rotation ? K[r][r] : K[w][w];
  return rotation ? K[r][r] - K[r][w] * K[w][r] / K[w][w] : K[w][w] - K[w][r] * K[r][w] / K[r][r];
}

TEST(BellowsStiffnessTest, AxialTorsionRotationAndParallelOffsetAgainstTheSpringRates) {
  const double L = 12.0, ka = 850.0, kl = 2400.0, kb = 3.0e4, kt = 5.0e5;
  const Matrix12d K = StiffnessFromFlexibility(L, BellowsFlexibilities(ka, kb, kt, kl));
  EXPECT_TRUE(Within(K[6][6], ka + 0.0001, 1e-9));
  EXPECT_TRUE(Within(K[9][9], kt + 0.0001, 1e-9));
  // The turned end free to move sideways: the bending rate alone, in both
  // planes.
  EXPECT_TRUE(Within(EndSpring(K, 7, 11, true, false), kb + 0.0001, 1e-9));
  EXPECT_TRUE(Within(EndSpring(K, 8, 10, true, false), kb + 0.0001, 1e-9));
  // Both ends kept from turning: the shear and bending springs in series.
  const double offset = 1.0 / (1.0 / (kl + 0.0001) + L * L / (12.0 * (kb + 0.0001)));
  EXPECT_TRUE(Within(EndSpring(K, 7, 11, false, true), offset, 1e-9));
  EXPECT_TRUE(Within(EndSpring(K, 8, 10, false, true), offset, 1e-9));
  // The rate a mean diameter derives: 10^2 x 100 / 8.
  EXPECT_EQ(DerivedBellowsBendingStiffness(10.0f, 100.0f), 1250.0f);
}

class ExpansionJointAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // Anchor 10, pipe to 20 (L1 along X), the joint to 30, pipe to 40 (L2),
  // anchor 40; weightless, pressure p in every pair and as the design
  // pressure, no Bourdon effect. Returns the joint's row.
  int AnchoredLine(double p, ElementType joint, double L1, double L2) {
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    model.pipeLoads[1].operating[0].pressure = static_cast<float>(p);
    model.pipeLoads[1].designPressure = static_cast<float>(p);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L1));
    const int row = PipeRow(model, 30, joint, 10.0f);
    PipeRow(model, 40, ElementType::Pipe, static_cast<float>(L2));
    PutItem(model, 4, DataType::Anchor);
    return row;
  }
  std::string path_ = TempFolder() + "/expansion-joints.mod";
};

TEST_F(ExpansionJointAnalysisTest, ABellowsThrustIsSharedByTheAnchorsThroughThePipesInSeries) {
  const double p = 150.0, area = 40.0, ka = 1500.0, L1 = 100.0, L2 = 60.0;
  Model& model = TheModel();
  const int row = AnchoredLine(p, ElementType::Bellows, L1, L2);
  auto& bellows = static_cast<Bellows&>(*model.row(row).element);
  bellows.axialStiffness = static_cast<float>(ka);
  bellows.lateralStiffness = 1.0e4f;
  bellows.bendingStiffness = 1.0e6f;
  bellows.torsionalStiffness = 1.0e6f;
  bellows.pressureThrustArea = static_cast<float>(area);
  MakeModel(model);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 1u);
  const SectionValues s = Pipe4();
  const double k1 = kE * s.A / L1, k2 = kE * s.A / L2, K = ka + 0.0001;
  const double load = p * area / (1.0 + K * (1.0 / k1 + 1.0 / k2));
  // The thrust pushes the line's ends out: the first anchor is pushed in
  // -X and holds it with +X on the pipe's end, the last the other way.
  const std::vector<double> first = SupportValues(run, run.cases[0], 1);
  const std::vector<double> last = SupportValues(run, run.cases[0], 4);
  EXPECT_TRUE(Within(std::fabs(first[0]), load, kTolerance)) << first[0];
  EXPECT_TRUE(Within(std::fabs(last[0]), load, kTolerance)) << last[0];
  EXPECT_NEAR(first[0] + last[0], 0.0, 1e-6 * load);
  for (int i = 1; i < 6; ++i) EXPECT_NEAR(first[static_cast<std::size_t>(i)], 0.0, 1e-3);
}

// A slip joint of friction F between anchored pipes whose fully restrained
// thermal load E A alpha dT is far above F: it slides, and the anchors
// carry F, pushed apart when heated and pulled together when cooled (the
// joint in tension, whose friction is applied negative, must still count
// as applied, or it slides for ever and the anchors lose the load).
TEST_F(ExpansionJointAnalysisTest, AnchorsCarryTheSlipJointsFrictionHeatedOrCooled) {
  const double friction = 5000.0;
  const SectionValues s = Pipe4();
  for (const double t1 : {470.0, -130.0}) {
    SCOPED_TRACE(t1);
    Model& model = TheModel();
    const int row = AnchoredLine(0.0, ElementType::SlipJoint, 100.0, 60.0);
    model.pipeLoads[1].operating[0].temperature = static_cast<float>(t1);
    static_cast<SlipJoint&>(*model.row(row).element).frictionForce = static_cast<float>(friction);
    MakeModel(model);
    SetCases(model, {8});
    ASSERT_GT(kE * s.A * kAlpha * std::fabs(t1 - 70.0), 10.0 * friction);
    const RunResults run = AnalyseAndRead(model);
    ASSERT_EQ(run.cases.size(), 1u);
    const std::vector<double> first = SupportValues(run, run.cases[0], 1);
    const std::vector<double> last = SupportValues(run, run.cases[0], 4);
    EXPECT_TRUE(Within(std::fabs(first[0]), friction, 0.01)) << first[0];
    EXPECT_NEAR(first[0] + last[0], 0.0, 1e-3 * friction);
    // Heated, the line pushes the first anchor toward -X; cooled, it pulls
    // it toward +X: the anchor's load on the pipe has the other sign.
    const double heatedSign = t1 > 70.0 ? 1.0 : -1.0;
    const double element1Axial = run.cases[0].forces[1][6];
    EXPECT_TRUE(Within(-heatedSign * element1Axial, friction, 0.01)) << element1Axial;
    TearDown();
  }
}

// A cold slip joint of thrust area A between anchored pipes under pressure
// p: the thrust pA drives it open, its friction F resists that. With F below
// pA it slides open and the anchors carry pA - F (the free spring of
// 1 lb/in adds the opening, thousandths of a pound); the opening is what
// that load shortens the pipes by, (pA - F)(L1 + L2) / EA. With F above pA
// it is held and carries the thrust itself: the anchors get next to nothing.
// The same in the sustained and the operating case, each converged.
TEST_F(ExpansionJointAnalysisTest, ASlipJointsFrictionResistsThePressureThrustOrHoldsIt) {
  const double p = 150.0, area = 20.0, thrust = p * area, L = 120.0;
  const SectionValues s = Pipe4();
  for (const double friction : {500.0, 5000.0}) {
    SCOPED_TRACE(friction);
    Model& model = TheModel();
    const int row = AnchoredLine(p, ElementType::SlipJoint, L, L);
    auto& joint = static_cast<SlipJoint&>(*model.row(row).element);
    joint.frictionForce = static_cast<float>(friction);
    joint.pressureThrustArea = static_cast<float>(area);
    MakeModel(model);
    SetCases(model, {1, 8});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_TRUE(UnconvergedCases().empty());
    ASSERT_EQ(run.cases.size(), 2u);
    for (const CaseBlock& block : run.cases) {
      const double first = SupportValues(run, block, 1)[0], last = SupportValues(run, block, 4)[0];
      const auto x = [&](NodeId id) { return block.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))][0]; };
      const double opening = x(30) - x(20);
      EXPECT_NEAR(first + last, 0.0, 1e-3);
      if (friction < thrust) {
        EXPECT_TRUE(Within(std::fabs(first), thrust - friction, 1e-4)) << first;
        EXPECT_TRUE(Within(opening, (thrust - friction) * 2.0 * L / (kE * s.A), 1e-3)) << opening;
      } else {
        EXPECT_LT(std::fabs(first), 0.01);
        EXPECT_NEAR(opening, 0.0, 1e-6);
      }
    }
    TearDown();
  }
}

// The joint turning: a moment M about the pipe's axis at 20, between the
// pipe to the first anchor (L1) and the joint with the pipe to the last
// (L2). Held, the joint passes on the last pipe's share M L1 / (L1 + L2);
// when that is above the friction torque T it turns and passes T alone.
TEST_F(ExpansionJointAnalysisTest, ASlipJointsFrictionTorquePassesOnItsShareOrTurns) {
  const double M = 10000.0, L1 = 100.0, L2 = 60.0, share = M * L1 / (L1 + L2);
  for (const double torque : {2000.0, 8000.0}) {
    SCOPED_TRACE(torque);
    Model& model = TheModel();
    const int row = AnchoredLine(0.0, ElementType::SlipJoint, L1, L2);
    static_cast<SlipJoint&>(*model.row(row).element).frictionTorque = static_cast<float>(torque);
    PutItem(model, 2, DataType::Force);
    static_cast<NodalForce&>(*model.row(2).item).MX = static_cast<float>(M);
    MakeModel(model);
    SetCases(model, {8});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_TRUE(UnconvergedCases().empty());
    ASSERT_EQ(run.cases.size(), 1u);
    const double first = SupportValues(run, run.cases[0], 1)[3], last = SupportValues(run, run.cases[0], 4)[3];
    const double passed = std::min(share, torque);
    EXPECT_TRUE(Within(std::fabs(last), passed, 1e-4)) << last;
    EXPECT_TRUE(Within(std::fabs(first), M - passed, 1e-4)) << first;
    TearDown();
  }
}

// A hot line along X whose end turns down through a slip joint (friction
// 500 lb) to a point held in X and Z, with a guide of 0.125 in gap on the
// pipe just before the joint: held, the joint carries the little the line
// brings to it along Z and the point that, under 100 lb; a slide would run
// the 0.125 in gap shut and load the guide and the point with the friction.
TEST_F(ExpansionJointAnalysisTest, ASlipJointBesideAGapGuideSettlesHeld) {
  std::istringstream input(
    "Slip joint beside a gap guide\n"
    "OPTIONS\n"
    "B311\n"
    "MATERIAL\n"
    "CS1,0.283,0.3,1.0,1.0,CS,Carbon steel\n"
    "CS1,70,29.5E6,6.07E-6,17100,35000\n"
    "CS1,200,28.8E6,6.38E-6,17100,35000\n"
    "CS1,400,27.7E6,6.82E-6,17100,35000\n"
    "CS1,600,26.7E6,7.23E-6,17100,35000\n"
    "CS1,800,24.2E6,7.65E-6,10800,35000\n"
    "PIPE\n"
    "S6,6.625,0.28,0.0625,12.5,11,2\n"
    "S4,4.5,0.237,0.0625,12.5\n"
    "S8,8.625,0.322,0,12.5\n"
    "S12,12.75,0.375,0,12.5\n"
    "LOADS\n"
    "L1,300,100,0.8\n"
    "LAYOUT\n"
    "F2980,KA,MCS1,PS6,CL=L1\n"
    "T3020,Z-8\n"
    "T3050,X-12\n"
    "T3060,X-10\n"
    "T3070,X-15\n"
    "T3090,X-10,CG,GGAP=0.125\n"
    "T3100,JS,Z-1,CFFOR=500\n"
    "L3100,CFIXD(1,0,1)\n"
    "T3110,Z-5\n"
    "T3120,Z-10\n"
    "T3130,Z-5\n"
    "T3140,Z-3,CFOR(100,-300,50)\n"
    "T3150,KM,B12,Z-12\n"
    "T3180,JD,X-1,PS4,COD1=6.625,OD2=4.5,THK1=0.28,THK2=0.237\n"
    "T3190,X-15,CFY\n"
    "T3200,X-4\n"
    "L3200,KA\n");
  Model& model = TheModel();
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  g_UnitsSettings = UnitsSettings{};  // the file's units, left to the next test else
  model.path = path_;
  g_NonlinearAutoAccept = true;  // as a batch run: a case that never settles is accepted and named
  const RunResults run = AnalyseAndRead(model);
  g_NonlinearAutoAccept = false;
  EXPECT_TRUE(UnconvergedCases().empty());
  int held = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    if (model.row(row).node != 3100 || dynamic_cast<Restraint*>(model.row(row).item.get()) == nullptr) continue;
    held = row;
  }
  ASSERT_NE(held, 0);
  // Empty weight, sustained and operating; the expansion case after them
  // is the difference of the last two. The point's Z is the joint's axis.
  ASSERT_EQ(run.cases.size(), 4u);
  for (std::size_t k = 0; k < 3; ++k) EXPECT_LT(std::fabs(SupportValues(run, run.cases[k], held).at(2)), 100.0) << k;
}

// Anchor 10, pipe to 20 (+100 X), a hinge at 25 about Z, pipe to 30
// (+50 X) under a moment M about Z at 30 (weight and pressure loads, so
// every case carries it). The turn across the hinge: none while M is below
// the friction torque T, (M - T) / k beyond it, held at the limit when
// that is smaller.
class HingeJointAnalysisTest : public ExpansionJointAnalysisTest {
 protected:
  double Turn(double moment, double limit) {
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    const int row = AddRow(model, 25, ElementType::HingeJoint);
    auto& hinge = static_cast<HingeJoint&>(*model.row(row).element);
    hinge.stiffness = static_cast<float>(kK);
    hinge.frictionTorque = static_cast<float>(kT);
    hinge.rotationLimit = static_cast<float>(limit);
    hinge.axis[2] = 1.0f;
    const int tip = PipeRow(model, 30, ElementType::Pipe, 50.0f);
    PutItem(model, tip, DataType::Force);
    static_cast<NodalForce&>(*model.row(tip).item).MZ = static_cast<float>(moment);
    MakeModel(model);
    SetCases(model, {8});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_EQ(run.cases.size(), 1u);
    if (run.cases.empty()) return 0.0;
    const auto rz = [&](NodeId id) {
      return static_cast<double>(run.cases[0].nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))][5]);
    };
    return rz(25) - rz(20);
  }
  static constexpr double kK = 1.0e5, kT = 2000.0;
};

TEST_F(HingeJointAnalysisTest, AHingeTurnsByTheMomentBeyondItsFrictionUpToItsLimit) {
  EXPECT_NEAR(Turn(1500.0, 1.0e30), 0.0, 1.0e-6);  // sticks
  TearDown();
  EXPECT_TRUE(Within(Turn(5000.0, 1.0e30), (5000.0 - kT) / kK, 0.01));
  TearDown();
  EXPECT_TRUE(Within(Turn(-5000.0, 1.0e30), -(5000.0 - kT) / kK, 0.01));
  TearDown();
  EXPECT_TRUE(Within(Turn(5000.0, 0.01), 0.01, 0.01));  // held at its limit
}

// Anchors at 10 and 30, pipes of L1 and L2 along X joined at 20 by a hinge
// about Z or a ball joint, without stiffness (to 25), a force P in Y at 20.
// The joint's moment, the pipe's moment at 20 and the turn across it.
struct HingeLine {
  double hinge, pipe, turn;
};

class HingeBetweenAnchorsTest : public HingeJointAnalysisTest {
 protected:
  HingeLine Run(ElementType kind, double L1, double L2, double P, double friction, double limit,
                double density = 0.0, double od = kOd, double wall = kWall) {
    Model& model = TheModel();
    StartModel(model, 70.0, density, path_);
    model.sections[1].outsideDiameter = static_cast<float>(od);
    model.sections[1].thickness = static_cast<float>(wall);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    const int loaded = PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L1));
    PutItem(model, loaded, DataType::Force);
    static_cast<NodalForce&>(*model.row(loaded).item).FY = static_cast<float>(P);
    const int joint = AddRow(model, 25, kind);
    if (kind == ElementType::HingeJoint) {
      auto& hinge = static_cast<HingeJoint&>(*model.row(joint).element);
      hinge.frictionTorque = static_cast<float>(friction);
      hinge.rotationLimit = static_cast<float>(limit);
      hinge.axis[2] = 1.0f;
    } else {
      auto& ball = static_cast<BallJoint&>(*model.row(joint).element);
      ball.torsionalStiffness = 1.0e6f;
      ball.bendingFrictionTorque = static_cast<float>(friction);
      ball.bendingRotationLimit = static_cast<float>(limit);
    }
    PutItem(model, PipeRow(model, 30, ElementType::Pipe, static_cast<float>(L2)), DataType::Anchor);
    MakeModel(model);
    SetCases(model, {8});
    g_NonlinearAutoAccept = true;  // a case that never settles is named, not asked about
    const RunResults run = AnalyseAndRead(model);
    g_NonlinearAutoAccept = false;
    EXPECT_TRUE(UnconvergedCases().empty());
    if (run.cases.empty()) return {};
    const CaseBlock& block = run.cases[0];
    const auto rz = [&](NodeId id) {
      return static_cast<double>(block.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))][5]);
    };
    const auto& f = block.forces;
    return {std::hypot(f[2][9], f[2][10], f[2][11]), std::hypot(f[1][9], f[1][10], f[1][11]), rz(25) - rz(20)};
  }
};

// Equal halves: free, each half bends as a cantilever under P/2 and the
// hinge turns by P L^2 / (2 EI). Its limit at 0.99 of that holds the turn,
// and the moment M it takes turns each end back by M L / EI of the 1 %:
// M = 0.01 P L / 4.
TEST_F(HingeBetweenAnchorsTest, AHingeAtItsLimitKeepsItAndCarriesTheRest) {
  const double L = 100.0, P = 1000.0, EI = kE * Pipe4().I;
  const double limit = 0.99 * P * L * L / (2.0 * EI);
  for (const ElementType kind : {ElementType::HingeJoint, ElementType::BallJoint}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const HingeLine line = Run(kind, L, L, P, 0.0, limit);
    EXPECT_TRUE(Within(std::fabs(line.turn), limit, 1e-4)) << line.turn;
    EXPECT_TRUE(Within(line.hinge, 0.01 * P * L / 4.0, 0.02));
    TearDown();
  }
}

// A stuck hinge carries what a rigid joint would, 2 P a^2 b^2 / L^3 at the
// load between fixed ends, the same as the pipe beside it.
TEST_F(HingeBetweenAnchorsTest, AStuckHingeCarriesThePipesMoment) {
  const double a = 48.0, b = 96.0, P = 1000.0;
  const double rigid = 2.0 * P * a * a * b * b / std::pow(a + b, 3);
  for (const ElementType kind : {ElementType::HingeJoint, ElementType::BallJoint}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const HingeLine line = Run(kind, a, b, P, 1.5 * rigid, 1.0e30);
    EXPECT_TRUE(Within(line.hinge, line.pipe, 5e-3));
    EXPECT_TRUE(Within(line.hinge, rigid, 0.02));
    EXPECT_NEAR(line.turn, 0.0, 1e-6);
    TearDown();
  }
}

// A stiff 24 in line, 4 ft and 8 ft between anchors under its own weight,
// the joint at 4 ft held by a friction well above its rigid moment: the
// fixed-ended beam's w L^2 / 36 at a third of its span, and the joint's
// moment that of the pipe beside it.
TEST_F(HingeBetweenAnchorsTest, AStuckJointUnderWeightCarriesThePipesMoment) {
  const double od = 24.0, wall = 0.375, a = 48.0, b = 96.0, L = a + b;
  const double w = kDensity * kPi * (od * od - (od - 2.0 * wall) * (od - 2.0 * wall)) / 4.0;
  const double rigid = w * L * L / 36.0;
  for (const ElementType kind : {ElementType::HingeJoint, ElementType::BallJoint}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const HingeLine line = Run(kind, a, b, 0.0, 1.5 * rigid, 1.0e30, kDensity, od, wall);
    EXPECT_TRUE(Within(line.pipe, rigid, 0.01)) << line.pipe;
    EXPECT_TRUE(Within(line.hinge, line.pipe, 5e-3)) << line.hinge << " " << line.pipe;
    TearDown();
  }
}

TEST_F(HingeJointAnalysisTest, AHingeWithoutAnAxisStopsTheRun) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  AddRow(model, 25, ElementType::HingeJoint);
  PipeRow(model, 30, ElementType::Pipe, 50.0f);
  MakeModel(model);
  SetCases(model, {1});
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "a hinge without an axis was analysed";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to find hinge joint direction at node 25");
  }
}

// The hinge's line with a ball joint at 25 (bending kb, friction Tb;
// torsion kt, friction Tt) under a moment about Z (bending) or about X,
// the pipe's axis (torsion), at 30.
class BallJointAnalysisTest : public ExpansionJointAnalysisTest {
 protected:
  // The turn across the joint about global axis `axis` (3 X ... 5 Z).
  double Turn(int axis, double moment, float bendingLimit) {
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    const int row = AddRow(model, 25, ElementType::BallJoint);
    auto& ball = static_cast<BallJoint&>(*model.row(row).element);
    ball.bendingStiffness = static_cast<float>(kKb);
    ball.torsionalStiffness = static_cast<float>(kKt);
    ball.bendingFrictionTorque = static_cast<float>(kTb);
    ball.torsionalFrictionTorque = static_cast<float>(kTt);
    ball.bendingRotationLimit = bendingLimit;
    const int tip = PipeRow(model, 30, ElementType::Pipe, 50.0f);
    PutItem(model, tip, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(tip).item);
    (axis == 3 ? force.MX : force.MZ) = static_cast<float>(moment);
    MakeModel(model);
    SetCases(model, {8});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_EQ(run.cases.size(), 1u);
    if (run.cases.empty()) return 0.0;
    const auto turn = [&](NodeId id) {
      return static_cast<double>(
          run.cases[0].nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))][static_cast<std::size_t>(axis)]);
    };
    return turn(25) - turn(20);
  }
  static constexpr double kKb = 2.0e5, kKt = 1.0e5, kTb = 3000.0, kTt = 1000.0;
};

TEST_F(BallJointAnalysisTest, ItTurnsByTheMomentBeyondEachFrictionUpToItsLimit) {
  EXPECT_TRUE(Within(Turn(5, 9000.0, 1.0e30f), (9000.0 - kTb) / kKb, 0.01));
  TearDown();
  EXPECT_NEAR(Turn(5, 2000.0, 1.0e30f), 0.0, 1.0e-6);  // bending sticks
  TearDown();
  EXPECT_TRUE(Within(Turn(5, 9000.0, 0.01f), 0.01, 0.01));  // held at the bending limit
  TearDown();
  EXPECT_TRUE(Within(Turn(3, 4000.0, 1.0e30f), (4000.0 - kTt) / kKt, 0.01));
  TearDown();
  EXPECT_NEAR(Turn(3, 500.0, 1.0e30f), 0.0, 1.0e-6);  // torsion sticks
}

// The line above with a tie rod of stiffness kr from 20 to 30 across the
// bellows. With c = 1/k1 + 1/k2 and the bellows' stretch e = N c, the
// balance at a bellows end pA = Ka e + kr (e - g) + N gives the anchors'
// N = (pA + kr g) / (1 + (Ka + kr) c) while the rod is taut (e > g), and
// the rod's kr (e - g); with no gap that is kr/K of pA - N, K = Ka + kr.
class TiedBellowsTest : public ExpansionJointAnalysisTest {
 protected:
  struct Outcome {
    double anchor, rod, stretch;
  };
  Outcome Run(double gap) {
    Model& model = TheModel();
    const int row = AnchoredLine(kP, ElementType::Bellows, kL1, kL2);
    auto& bellows = static_cast<Bellows&>(*model.row(row).element);
    bellows.axialStiffness = static_cast<float>(kKa);
    bellows.lateralStiffness = 1.0e4f;
    bellows.bendingStiffness = 1.0e6f;
    bellows.torsionalStiffness = 1.0e6f;
    bellows.pressureThrustArea = static_cast<float>(kArea);
    PipeRow(model, 20, ElementType::From, 0.0f);
    const int rodRow = PipeRow(model, 30, ElementType::TieRod, 10.0f);
    auto& rod = static_cast<TieRod&>(*model.row(rodRow).element);
    rod.tensionStiffness = static_cast<float>(kKr);
    rod.compressionStiffness = static_cast<float>(kKr);
    rod.tensionGap = static_cast<float>(gap);
    MakeModel(model);
    SetCases(model, {1});
    const RunResults run = AnalyseAndRead(model);
    EXPECT_EQ(run.cases.size(), 1u);
    if (run.cases.empty()) return {};
    const CaseBlock& block = run.cases[0];
    const auto at = [&](NodeId id) { return block.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))][0]; };
    // Element 4 is the rod: its axial force at end 2.
    return {SupportValues(run, block, 1)[0], block.forces[4][6], at(30) - at(20)};
  }
  static double C() {
    const SectionValues s = Pipe4();
    return kL1 / (kE * s.A) + kL2 / (kE * s.A);
  }
  static constexpr double kP = 150.0, kArea = 40.0, kKa = 1500.0 + 0.0001, kKr = 2.0e4, kL1 = 100.0, kL2 = 60.0;
};

TEST_F(TiedBellowsTest, TheRodsTakeTheirShareOfTheThrust) {
  const Outcome out = Run(0.0);
  const double K = kKa + kKr, N = kP * kArea / (1.0 + K * C());
  EXPECT_TRUE(Within(std::fabs(out.anchor), N, kTolerance)) << out.anchor;
  EXPECT_TRUE(Within(std::fabs(out.rod), kKr / K * (kP * kArea - N), kTolerance)) << out.rod;
  EXPECT_TRUE(Within(out.stretch, N * C(), kTolerance));
}

TEST_F(TiedBellowsTest, ATensionGapLeavesTheRodsSlackUntilTheBellowsStretchesIt) {
  // Taut beyond a gap of 0.005 in.
  const double g = 0.005;
  Outcome out = Run(g);
  const double K = kKa + kKr, N = (kP * kArea + kKr * g) / (1.0 + K * C()), e = N * C();
  ASSERT_GT(e, g);
  EXPECT_TRUE(Within(std::fabs(out.anchor), N, kTolerance)) << out.anchor;
  EXPECT_TRUE(Within(std::fabs(out.rod), kKr * (e - g), kTolerance)) << out.rod;
  EXPECT_TRUE(Within(out.stretch, e, kTolerance));
  // Slack within a gap of 0.05 in: the bellows alone, the rod's 0.001.
  TearDown();
  out = Run(0.05);
  const double slack = kP * kArea / (1.0 + (kKa + 0.001) * C());
  EXPECT_LT(slack * C(), 0.05);
  EXPECT_TRUE(Within(std::fabs(out.anchor), slack, kTolerance)) << out.anchor;
  EXPECT_NEAR(out.rod, 0.0, 0.01);
}

}  // namespace
