// The passes of the nonlinear iteration after the first of a case keep the
// case's linear part (the elements, the linear supports and the item loads)
// and assemble only the supports that iterate. Whatever is kept, each pass
// must solve the very system a whole assembly gives: before every
// factorisation of a run the system assembled by the run is compared, term
// by term and exactly, with the one a whole assembly of the same case and
// state gives, and the passes of every step are those counted by the
// iteration as it was before it kept anything (the golden counts below).
//
// The models cover the kinds and their branches: guides with friction, with
// a gap and to a connected node; limit stops resting, with gaps both ways,
// with friction and to a connected node; linear supports and loads at the
// nodes of nonlinear ones, on rows after them; three operating cases and the
// static seismic directions; designed, user and rod hangers, with and
// without their stiffness; slip, hinge and ball joints and a tie rod (whose
// elements are assembled in every pass); and buried pipe, whose soil springs
// iterate in the buried steps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "AnalysisTesting.h"
#include "analysis/Assembly.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "kindbase/GlobalSystem.h"
#include "loads/Force.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "records/Soil.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"

namespace {

using namespace analysis_testing;

using StepPasses = std::vector<std::pair<std::string, int>>;

template <typename Kind>
Kind& Put(Model& model, int row, DataType type) {
  PutItem(model, row, type);
  return static_cast<Kind&>(*model.row(row).item);
}

// Counts the passes of each step (one support assembly each) and, as each
// factorisation begins, compares the system the run assembled with a whole
// assembly of the same case.
class CheckingProgress : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::StepTitle) passes.emplace_back(text, 0);
    if (area != ProgressArea::Phase) return;
    if (text == "Assembling supports" && !passes.empty()) ++passes.back().second;
    if (text == "Triangularizing stiffness matrix") CompareWithWholeAssembly();
  }
  StepPasses passes;
  int compared = 0, differing = 0;

 private:
  void CompareWithWholeAssembly() {
    const std::vector<double> stiffness = StiffnessValues, loads = g_DisplacementVector;
    AssembleCurrentCase(TheModel(), TheAnalysisElements(), CurrentLoadCaseStep(), SilentProgress(), nullptr);
    ++compared;
    const bool same = stiffness.size() == StiffnessValues.size() && loads.size() == g_DisplacementVector.size() &&
                      std::memcmp(stiffness.data(), StiffnessValues.data(), stiffness.size() * sizeof(double)) == 0 &&
                      std::memcmp(loads.data(), g_DisplacementVector.data(), loads.size() * sizeof(double)) == 0;
    if (!same) {
      ++differing;
      ADD_FAILURE() << "pass " << passes.back().second << " of \"" << passes.back().first
                    << "\" solves another system than a whole assembly";
    }
    StiffnessValues = stiffness;
    g_DisplacementVector = loads;
  }
};

class NonlinearAssemblyTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // Runs the model, checking every pass; the passes of each step.
  StepPasses Run(Model& model) {
    CheckingProgress progress;
    RunAnalysis(model, progress);
    EXPECT_GT(progress.compared, 0);
    EXPECT_EQ(progress.differing, 0);
    return progress.passes;
  }
  // Three temperatures: T1 hot, T2 warm, T3 below the reference.
  void Start(Model& model, double density) {
    StartModel(model, 400.0, density, path_);
    model.options.ThermalLoadCount = 3;
    model.pipeLoads[1].operating[1].temperature = 250.0f;
    model.pipeLoads[1].operating[2].temperature = -20.0f;
  }
  std::string path_ = TempFolder() + "/nonlinear-assembly.mod";
};

// Two lines: 10 (anchor) along X to 40, along Z to 60, back along X to 80
// (anchor, moved in T1); 100 below it to 120 (anchor). A resting stop, a
// guide with friction and one with a gap, a stop along X with gaps both
// ways and friction, a guide from 70 to the other line and a stop from 110
// back to 70; a Y restraint, a force, a flange, a skewed restraint and a
// generic support at nodes of nonlinear supports, on later rows.
void GuidesAndStops(Model& model) {
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  int row = PipeRow(model, 20, ElementType::Pipe, 120.0f);
  Put<Guide>(model, row, DataType::Guide).frictionCoefficient = 0.3f;
  row = PipeRow(model, 30, ElementType::Pipe, 120.0f);
  {
    auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
    stop.dirY = 1.0f;
    stop.lowerLimit = 0.0f;
    stop.frictionCoefficient = 0.3f;
  }
  row = AddRow(model, 30, ElementType::Location);
  Put<Flange>(model, row, DataType::Flange).weight = 150.0f;
  row = PipeRow(model, 40, ElementType::Pipe, 120.0f);
  {
    auto& guide = Put<Guide>(model, row, DataType::Guide);
    guide.gap = 0.05f;
    guide.frictionCoefficient = 0.2f;
    guide.stiffness = 2.0e5f;
  }
  row = AddRow(model, 40, ElementType::Location);
  Put<Restraint>(model, row, DataType::Restraint).restrainY = 1;
  PipeRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 150.0f);
  row = AddRow(model, 50, ElementType::Location);
  {
    auto& mass = Put<ConcentratedMass>(model, row, DataType::ConcentratedMass);
    mass.weight = 400.0f;
    mass.dx = 6.0f;
  }
  row = PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 150.0f);
  {
    auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
    stop.dirX = 1.0f;
    stop.lowerLimit = -0.05f;
    stop.upperLimit = 0.08f;
    stop.stiffness = 5.0e4f;
    stop.frictionCoefficient = 0.25f;
  }
  row = AddRow(model, 60, ElementType::Location);
  {
    auto& force = Put<NodalForce>(model, row, DataType::Force);
    force.FX = 300.0f;
    force.FY = -500.0f;
  }
  row = AddRow(model, 60, ElementType::Location);
  {
    auto& skewed = Put<SkewedRestraint>(model, row, DataType::SkewedRestraint);
    skewed.stiffness = 3.0e4f;
    skewed.dirX = 1.0f;
    skewed.dirY = 1.0f;
  }
  row = PipeRow(model, 70, ElementType::Pipe, -100.0f);
  {
    auto& guide = Put<Guide>(model, row, DataType::Guide);
    guide.frictionCoefficient = 0.3f;
    guide.connectedNode = 110;
    guide.stiffness = 1.0e6f;
  }
  row = AddRow(model, 70, ElementType::Location);
  {
    auto& generic = Put<GenericSupport>(model, row, DataType::GenericSupport);
    generic.terms.fill(0.0f);
    generic.terms[GenericSupport::TermIndex(1, 1)] = 2.0e4f;
    generic.terms[GenericSupport::TermIndex(1, 2)] = 5.0e3f;
    generic.terms[GenericSupport::TermIndex(2, 2)] = 3.0e4f;
  }
  row = PipeRow(model, 80, ElementType::Pipe, -100.0f);
  {
    auto& anchor = Put<Anchor>(model, row, DataType::Anchor);
    anchor.displacements.flags[0] = 1;
    anchor.displacements.sets = std::make_unique<DisplacementSets>();
    anchor.displacements.sets->values[0] = 0.1f;   // DX of T1
    anchor.displacements.sets->values[2] = -0.05f;  // DY of T1
  }
  PipeRow(model, 100, ElementType::From, 0.0f, -40.0f, 0.0f);
  row = PipeRow(model, 110, ElementType::Pipe, 100.0f);
  {
    auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
    stop.connectedNode = 70;
    stop.lowerLimit = -0.02f;
    stop.upperLimit = 0.02f;
    stop.frictionCoefficient = 0.1f;
  }
  row = PipeRow(model, 120, ElementType::Pipe, 100.0f);
  PutItem(model, row, DataType::Anchor);
}

TEST_F(NonlinearAssemblyTest, GuidesAndStopsInThreeOperatingCasesAndTheSeismicDirections) {
  Model& model = TheModel();
  Start(model, kDensity);
  GuidesAndStops(model);
  model.seismic.g = {0.2f, 0.1f, 0.15f};
  MakeModel(model);
  ASSERT_TRUE(ElementsAreLinear(model));
  SetCases(model, {1, 8, 9, 10, 2, 3, 4, 12});
  const StepPasses passes = Run(model);
  EXPECT_EQ(passes, StepPasses({{"Sustained (W+P)", 5},
                                {"Operating (W+P1+T1)", 8},
                                {"Operating (W+P2+T2)", 7},
                                {"Operating (W+P3+T3)", 7},
                                {"Expansion (T1)", 0},
                                {"Expansion (T2)", 0},
                                {"Expansion (T3)", 0},
                                {"X acceleration", 3},
                                {"Y acceleration", 3},
                                {"Z acceleration", 5},
                                {"Combining acceleration results", 0}}));
}

// 10 (anchor) along X by 100 inch to 70 (anchor), the anchors moved up 0.5
// and 0.2 inch in T1: a designed hanger at 20, a rod hanger at 30, a user
// hanger at 40 whose load is found, a resting stop with a gap and friction
// at 50 and a rod hanger at 60 hung from 30.
void Hangers(Model& model) {
  model.pipeLoads[1].additionalWeight = 10.0f;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  int row = PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PutItem(model, row, DataType::Hanger);
  row = PipeRow(model, 30, ElementType::Pipe, 100.0f);
  Put<Hanger>(model, row, DataType::Hanger).kind = kRodHanger;
  row = PipeRow(model, 40, ElementType::Pipe, 100.0f);
  {
    auto& hanger = Put<Hanger>(model, row, DataType::Hanger);
    hanger.kind = kUserHanger;
    hanger.springRate = 300.0f;
  }
  row = PipeRow(model, 50, ElementType::Pipe, 100.0f);
  {
    auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
    stop.dirY = 1.0f;
    stop.lowerLimit = -0.1f;
    stop.frictionCoefficient = 0.3f;
  }
  row = PipeRow(model, 60, ElementType::Pipe, 100.0f);
  {
    auto& hanger = Put<Hanger>(model, row, DataType::Hanger);
    hanger.kind = kRodHanger;
    hanger.connectedNode = 30;
  }
  row = PipeRow(model, 70, ElementType::Pipe, 100.0f);
  PutItem(model, row, DataType::Anchor);
  for (int anchorRow : {1, row}) {
    auto& anchor = static_cast<Anchor&>(*model.row(anchorRow).item);
    anchor.displacements.flags[0] = 1;
    anchor.displacements.sets = std::make_unique<DisplacementSets>();
    anchor.displacements.sets->values[2] = anchorRow == 1 ? 0.5f : 0.2f;  // DY of T1
  }
}

TEST_F(NonlinearAssemblyTest, DesignedUserAndRodHangersWithAndWithoutTheirStiffness) {
  for (const bool stiffness : {false, true}) {
    SCOPED_TRACE(stiffness);
    Model& model = TheModel();
    Start(model, 0.0);
    model.options.IncludeHangerStiffness = stiffness ? 1 : 0;
    Hangers(model);
    MakeModel(model);
    SetCases(model, {1, 8, 9, 2});
    const StepPasses passes = Run(model);
    EXPECT_EQ(passes, StepPasses({{"Calculating hanger loads", 4},
                                  {"Calculating hanger travel", 4},
                                  {"Recalculating hanger loads", 1},
                                  {"Recalculating hanger travel", 4},
                                  {"Designing hangers", 0},
                                  {"Calculating hanger loads", 0},
                                  {"Sustained (W+P)", 4},
                                  {"Operating (W+P1+T1)", 4},
                                  {"Operating (W+P2+T2)", 4},
                                  {"Expansion (T1)", 0}}));
    TearDown();
  }
}

// 10 (anchor) along X to 45, then along Z to 80 (anchor): a guide with
// friction at 20, a slip joint with friction to 30, a hinge with friction
// about Z at 45, a ball joint with both frictions at 55, a resting stop at
// 60, a bellows from 60 to 70 tied by a tie rod with a tension gap;
// pressure in two of the three operating pairs.
void Joints(Model& model) {
  model.pipeLoads[1].operating[0].pressure = 150.0f;
  model.pipeLoads[1].operating[1].pressure = 100.0f;
  model.pipeLoads[1].designPressure = 150.0f;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  int row = PipeRow(model, 20, ElementType::Pipe, 100.0f);
  Put<Guide>(model, row, DataType::Guide).frictionCoefficient = 0.3f;
  row = PipeRow(model, 30, ElementType::SlipJoint, 10.0f);
  static_cast<SlipJoint&>(*model.row(row).element).frictionForce = 800.0f;
  PipeRow(model, 40, ElementType::Pipe, 100.0f);
  row = AddRow(model, 45, ElementType::HingeJoint);
  {
    auto& hinge = static_cast<HingeJoint&>(*model.row(row).element);
    hinge.stiffness = 1.0e5f;
    hinge.frictionTorque = 2000.0f;
    hinge.axis[2] = 1.0f;
  }
  PipeRow(model, 50, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
  row = AddRow(model, 55, ElementType::BallJoint);
  {
    auto& ball = static_cast<BallJoint&>(*model.row(row).element);
    ball.bendingStiffness = 2.0e5f;
    ball.torsionalStiffness = 1.0e5f;
    ball.bendingFrictionTorque = 3000.0f;
    ball.torsionalFrictionTorque = 1000.0f;
  }
  row = PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
  {
    auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
    stop.dirY = 1.0f;
    stop.lowerLimit = 0.0f;
  }
  row = PipeRow(model, 70, ElementType::Bellows, 0.0f, 0.0f, 10.0f);
  {
    auto& bellows = static_cast<Bellows&>(*model.row(row).element);
    bellows.axialStiffness = 1500.0f;
    bellows.lateralStiffness = 1.0e4f;
    bellows.bendingStiffness = 1.0e6f;
    bellows.torsionalStiffness = 1.0e6f;
    bellows.pressureThrustArea = 40.0f;
  }
  row = PipeRow(model, 80, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, row, DataType::Anchor);
  PipeRow(model, 60, ElementType::From, 0.0f);
  row = PipeRow(model, 70, ElementType::TieRod, 0.0f, 0.0f, 10.0f);
  {
    auto& rod = static_cast<TieRod&>(*model.row(row).element);
    rod.tensionStiffness = 2.0e4f;
    rod.compressionStiffness = 2.0e4f;
    rod.tensionGap = 0.002f;
  }
}

TEST_F(NonlinearAssemblyTest, SlipHingeAndBallJointsAndATieRodAmongGuidesAndStops) {
  Model& model = TheModel();
  Start(model, kDensity);
  Joints(model);
  MakeModel(model);
  ASSERT_FALSE(ElementsAreLinear(model));
  SetCases(model, {1, 8, 9, 10, 2});
  const StepPasses passes = Run(model);
  EXPECT_EQ(passes, StepPasses({{"Sustained (W+P)", 10},
                                {"Operating (W+P1+T1)", 6},
                                {"Operating (W+P2+T2)", 7},
                                {"Operating (W+P3+T3)", 6},
                                {"Expansion (T1)", 0}}));
}

// A line of the 12.75-inch pipe buried in sand, 10 (free) along X to 70
// (anchor), with a guide with friction at 30 and a resting stop at 50.
void BuriedLine(Model& model) {
  model.sections[1].outsideDiameter = 12.75f;
  model.sections[1].thickness = 0.375f;
  model.sections[1].soil = "S1";
  Soil soil;
  soil.name = "S1";
  soil.type = kSoilCohesionless;
  soil.density = 120.0f / 1728.0f;
  soil.delta = 0.5236f;
  soil.Ks = 0.7f;
  soil.groundLevel = 42.375f;
  AppendSoil(model.soils, soil);
  PipeRow(model, 10, ElementType::From, 0.0f);
  for (int i = 1; i <= 6; ++i) {
    const int row = PipeRow(model, 10 + 10 * i, ElementType::Pipe, 60.0f);
    if (i == 2) Put<Guide>(model, row, DataType::Guide).frictionCoefficient = 0.3f;
    if (i == 4) {
      auto& stop = Put<LimitStop>(model, row, DataType::LimitStop);
      stop.dirY = 1.0f;
      stop.lowerLimit = 0.0f;
    }
  }
  PutItem(model, model.rowCount, DataType::Anchor);
}

TEST_F(NonlinearAssemblyTest, ABuriedLineWhoseSoilSpringsIterateInTheBuriedSteps) {
  Model& model = TheModel();
  Start(model, kDensity);
  model.options.ThermalLoadCount = 2;
  BuriedLine(model);
  MakeModel(model);
  ASSERT_TRUE(ModelHasBuriedPipe(model));
  SetCases(model, {1, 8, 9, 2});
  const StepPasses passes = Run(model);
  EXPECT_EQ(passes, StepPasses({{"Buried (W+P1+T1)", 3},
                                {"Buried (W+P2+T2)", 3},
                                {"Sustained (W+P)", 3},
                                {"Operating (W+P1+T1)", 3},
                                {"Operating (W+P2+T2)", 3},
                                {"Expansion (T1)", 0}}));
}

}  // namespace
