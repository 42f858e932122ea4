// Guides, limit stops, skewed restraints, generic supports and snubbers
// through the analysis driver, against hand calculations (0.1 % unless
// said): an axial stop closing its gap under a temperature rise, rigid and
// elastic; a cantilever propped by a guide with friction (the lateral load
// 3wL/8, the friction against the growth, and a growth too small to
// overcome the friction that sticks); a +Y stop at the end of a run on a
// riser that lifts off when hot and bears load when cold; a guide whose
// gap closes under weight; a rotational skewed restraint and one between
// two nodes; a generic support's F = K u with coupling; a snubber that is
// absent from weight and thermal cases; a stop and a guide stuck by friction
// reporting the friction that holds the pipe. The 4.5-inch pipe and the results
// read back are those of AnalysisTesting.h.
#include <cmath>
#include <cstdlib>

#include "analysis/AnalysisTesting.h"
#include "analysis/NonlinearIteration.h"
#include "elements/ConcentratedMass.h"
#include "kindbase/NonlinearConvergence.h"
#include "loads/Force.h"
#include "model/MakeModel.h"
#include "model/RowOperations.h"
#include "services/TempFiles.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

// Records the iteration texts and counts the assemblies.
class RecordingProgress : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::Iteration) iterations.push_back(text);
    if (area == ProgressArea::Misconvergence) misconvergence.push_back(text);
    if (area == ProgressArea::Phase && text == "Assembling supports") ++assemblies;
    if (area == ProgressArea::Phase && text == "Assembling elements") ++elementAssemblies;
  }
  std::vector<std::string> iterations, misconvergence;
  int assemblies = 0, elementAssemblies = 0;
};

class NonlinearSupportsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
    unsetenv("QVITER");
  }
  template <typename Kind>
  static Kind& Put(Model& model, int row, DataType type) {
    PutItem(model, row, type);
    return static_cast<Kind&>(*model.row(row).item);
  }
  static std::array<float, 6> NodeValues(const CaseBlock& block, const Model& model, NodeId node) {
    return block.nodes.at(static_cast<std::size_t>(FindNodeIndex(model.nodes, node)));
  }
  std::string path_ = TempFolder() + "/nonlinear-supports.mod";
};

// From 10 (anchor), pipe to 20 (+L in X) with an axial stop at 20.
void AxialStopModel(Model& model, const std::string& path, double L, float gap, float stiffness) {
  StartModel(model, 470.0, 0.0, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 2, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(2).item);
  stop.dirX = 1.0f;
  stop.upperLimit = gap;
  stop.stiffness = stiffness;
  MakeModel(model);
  SetCases(model, {8});
}

TEST_F(NonlinearSupportsTest, AnAxialStopClosesItsGapUnderATemperatureRise) {
  const SectionValues s = Pipe4();
  const double L = 100.0, growth = kAlpha * 400.0 * L, g = 0.1;
  ASSERT_LT(g, growth);
  Model& model = TheModel();
  AxialStopModel(model, path_, L, static_cast<float>(g), 1.0e12f);
  RunResults run = AnalyseAndRead(model);
  std::vector<double> loads = SupportValues(run, run.cases[0], 2);
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_TRUE(Within(loads[0], kE * s.A * (growth - g) / L, kTolerance));
  EXPECT_EQ(loads[1], 0.0);
  EXPECT_TRUE(Within(NodeValues(run.cases[0], model, 20)[0], g, kTolerance));

  // An elastic stop: the spring and the pipe in series.
  const double K = 2.0e5;
  AxialStopModel(model, path_, L, static_cast<float>(g), static_cast<float>(K));
  run = AnalyseAndRead(model);
  loads = SupportValues(run, run.cases[0], 2);
  const double load = (growth - g) / (1.0 / K + L / (kE * s.A));
  EXPECT_TRUE(Within(loads[0], load, kTolerance));
  EXPECT_TRUE(Within(NodeValues(run.cases[0], model, 20)[0], g + load / K, kTolerance));
}

// From 10 (anchor), pipe to 20 (+L in X) with a rigid guide at 20.
Guide& GuidedCantilever(Model& model, const std::string& path, double L, double t1, float mu) {
  StartModel(model, t1, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 2, DataType::Guide);
  auto& guide = static_cast<Guide&>(*model.row(2).item);
  guide.frictionCoefficient = mu;
  MakeModel(model);
  SetCases(model, {8});
  return guide;
}

TEST_F(NonlinearSupportsTest, AGuideWithFrictionPropsTheCantileverAndResistsItsGrowth) {
  const SectionValues s = Pipe4();
  const double L = 300.0, w = kDensity * s.A, mu = 0.3;
  Model& model = TheModel();
  GuidedCantilever(model, path_, L, 470.0, static_cast<float>(mu));
  RunResults run = AnalyseAndRead(model);
  std::vector<double> loads = SupportValues(run, run.cases[0], 2);  // axial, lateral 1 (up), lateral 2
  ASSERT_EQ(loads.size(), 3u);
  EXPECT_TRUE(Within(-loads[1], 3.0 * w * L / 8.0, 0.01));
  EXPECT_TRUE(Within(std::fabs(loads[0]), mu * 3.0 * w * L / 8.0, 0.01));
  // The friction holds the pipe back: the load follows the growth (+X).
  EXPECT_GT(loads[0], 0.0);
  EXPECT_GT(NodeValues(run.cases[0], model, 20)[0], 0.0);

  // A growth whose full restraint is below the friction sticks and carries
  // it all.
  GuidedCantilever(model, path_, L, 70.01, static_cast<float>(mu));
  run = AnalyseAndRead(model);
  loads = SupportValues(run, run.cases[0], 2);
  const double deltaT = static_cast<double>(70.01f) - 70.0;
  ASSERT_LT(kE * s.A * kAlpha * deltaT, mu * 3.0 * w * L / 8.0);
  EXPECT_TRUE(Within(loads[0], kE * s.A * kAlpha * deltaT, kTolerance));
}

// From 10 (anchor), riser to 20 (+H in Y), run to 30 (+L in X) with a +Y
// stop at 30 (lower limit 0, no upper limit).
void RiserModel(Model& model, const std::string& path, double H, double L) {
  StartModel(model, 470.0, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 0.0f, static_cast<float>(H));
  PipeRow(model, 30, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 3, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(3).item);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  MakeModel(model);
  SetCases(model, {1, 8});
}

TEST_F(NonlinearSupportsTest, AVerticalStopLetsTheHotRunLiftOffAndCarriesItCold) {
  const SectionValues s = Pipe4();
  const double H = 120.0, L = 60.0, w = kDensity * s.A;
  const double EI = kE * s.I, EA = kE * s.A, GA = s.G * s.A;
  Model& model = TheModel();
  RiserModel(model, path_, H, L);
  RecordingProgress progress;
  RunAnalysis(model, progress);
  RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.cases.size(), 2u);

  // Operating: the riser's growth lifts the end off the stop.
  const double sag = w * std::pow(L, 4) / (8 * EI) + w * std::pow(L, 3) * H / (2 * EI) + (w * L * H + w * H * H / 2) / EA;
  const double rise = kAlpha * 400.0 * H - sag;
  ASSERT_GT(rise, 0.0);
  EXPECT_TRUE(Within(NodeValues(run.cases[1], model, 30)[1], rise, 0.005));
  EXPECT_EQ(SupportValues(run, run.cases[1], 3)[0], 0.0);

  // Sustained: the end rests on the stop, which takes the reaction of a
  // frame propped at its end.
  const double droop = sag + s.shear * w * L * L / (2 * GA);
  const double flexibility = std::pow(L, 3) / (3 * EI) + L * L * H / EI + H / EA + s.shear * L / GA;
  EXPECT_TRUE(Within(SupportValues(run, run.cases[0], 3)[0], -droop / flexibility, 0.005));
  EXPECT_NEAR(NodeValues(run.cases[0], model, 30)[1], 0.0, 1.0e-6);
}

// From 10 (anchor), pipe to 20 (+100 in X) with a +Y stop at 20 (lower
// limit 0, friction 0.3) or a guide with the same friction, and 10 000 lb
// on a Location row at 20, at 71.5 F (1.5 above the reference): the weight
// presses the pipe onto the support, whose friction (3 000 lb and more)
// holds the end against a growth that a full restraint stops with
// E A alpha dT = 2.9e7 x 3.174 x 6.5e-6 x 1.5 = 897.46 lb. Stuck, the
// support moves by 1e-9 in, and its friction is the anchor's axial load.
TEST_F(NonlinearSupportsTest, ASupportStuckByFrictionReportsTheFrictionThatHoldsThePipe) {
  const SectionValues s = Pipe4();
  const double L = 100.0, deltaT = 1.5, held = kE * s.A * kAlpha * deltaT;
  EXPECT_NEAR(held, 897.46, 0.005);
  for (const DataType type : {DataType::LimitStop, DataType::Guide}) {
    SCOPED_TRACE(static_cast<int>(type));
    Model& model = TheModel();
    StartModel(model, 70.0 + deltaT, kDensity, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
    if (type == DataType::LimitStop) {
      auto& stop = Put<LimitStop>(model, 2, type);
      stop.dirY = 1.0f;
      stop.lowerLimit = 0.0f;
      stop.frictionCoefficient = 0.3f;
    } else {
      Put<Guide>(model, 2, type).frictionCoefficient = 0.3f;
    }
    const int location = PipeRow(model, 20, ElementType::Location, 0.0f);
    Put<ConcentratedMass>(model, location, DataType::ConcentratedMass).weight = 10000.0f;
    MakeModel(model);
    SetCases(model, {8});
    const RunResults run = AnalyseAndRead(model);
    const std::vector<double> anchor = SupportValues(run, run.cases[0], 1);
    const std::vector<double> support = SupportValues(run, run.cases[0], 2);
    EXPECT_TRUE(Within(std::fabs(anchor[0]), held, 1.0e-4));
    EXPECT_LT(std::fabs(NodeValues(run.cases[0], model, 20)[0]), 1.0e-6);
    // The stop's friction (its second value) and the guide's axial load
    // (its first) are the load that holds the pipe.
    const double friction = type == DataType::LimitStop ? support.at(1) : std::fabs(support.at(0));
    EXPECT_TRUE(Within(friction, held, 1.0e-4));
  }
}

TEST_F(NonlinearSupportsTest, AGuideGapClosesUnderWeight) {
  const SectionValues s = Pipe4();
  const double L = 300.0, w = kDensity * s.A, g = 1.0;
  Model& model = TheModel();
  Guide& guide = GuidedCantilever(model, path_, L, 70.0, 0.0f);
  guide.gap = static_cast<float>(g);
  SetCases(model, {1});
  const RunResults run = AnalyseAndRead(model);
  const double EI = kE * s.I, GA = s.G * s.A;
  const double free = w * std::pow(L, 4) / (8 * EI) + s.shear * w * L * L / (2 * GA);
  const double flexibility = std::pow(L, 3) / (3 * EI) + s.shear * L / GA;
  ASSERT_GT(free, g);
  const std::vector<double> loads = SupportValues(run, run.cases[0], 2);
  EXPECT_TRUE(Within(-loads[1], (free - g) / flexibility, kTolerance));
  EXPECT_TRUE(Within(NodeValues(run.cases[0], model, 20)[1], -g, kTolerance));
  EXPECT_EQ(loads[0], 0.0);
  EXPECT_EQ(loads[2], 0.0);
}

// From 10 (anchor), pipe to 20 (+L in X) with a force FY on T1 at 20.
void TipLoadModel(Model& model, const std::string& path, double L, float fy) {
  StartModel(model, 70.0, 0.0, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 2, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(2).item);
  force.FY = fy;
  force.AddedTo = 2;
}

TEST_F(NonlinearSupportsTest, ARotationalSkewedRestraintGuidesTheCantileverEnd) {
  const double L = 100.0, P = 1000.0;
  Model& model = TheModel();
  TipLoadModel(model, path_, L, static_cast<float>(-P));
  // The restraint at the tip is on a row of its own (a Location row of 20).
  AddRow(model, 20, ElementType::Location);
  PutItem(model, 3, DataType::SkewedRestraint);
  auto& skewed = static_cast<SkewedRestraint&>(*model.row(3).item);
  skewed.rotational = 1;
  skewed.stiffness = 1.0e12f;
  skewed.dirZ = 2.0f;  // not unit: normalised
  MakeModel(model);
  SetCases(model, {8});
  const RunResults run = AnalyseAndRead(model);
  const std::vector<double> load = SupportValues(run, run.cases[0], 3);
  ASSERT_EQ(load.size(), 1u);
  EXPECT_TRUE(Within(std::fabs(load[0]), P * L / 2.0, kTolerance));
  EXPECT_NEAR(NodeValues(run.cases[0], model, 20)[5], 0.0, 1.0e-9);
}

TEST_F(NonlinearSupportsTest, ASkewedRestraintBetweenTwoNodesIsPositiveWhenTheyPart) {
  const double L = 100.0, P = 1000.0;
  Model& model = TheModel();
  // Two equal cantilevers side by side; their ends 20 and 40 are tied by a
  // rigid link along Y; 20 is pulled away from 40.
  TipLoadModel(model, path_, L, static_cast<float>(P));
  PipeRow(model, 30, ElementType::From, 0.0f, -50.0f, 0.0f);
  PutItem(model, 3, DataType::Anchor);
  PipeRow(model, 40, ElementType::Pipe, static_cast<float>(L));
  PutItem(model, 4, DataType::SkewedRestraint);
  auto& skewed = static_cast<SkewedRestraint&>(*model.row(4).item);
  skewed.stiffness = 1.0e12f;
  skewed.connectedNode = 20;
  MakeModel(model);
  SetCases(model, {8});
  const RunResults run = AnalyseAndRead(model);
  const std::vector<double> load = SupportValues(run, run.cases[0], 4);
  // The link pulls 40 towards 20: its load is the tension P / 2, and it is
  // positive although the direction runs from 20 to 40 (the nodes part).
  EXPECT_TRUE(Within(load[0], P / 2.0, kTolerance));
}

TEST_F(NonlinearSupportsTest, AGenericSupportGivesKTimesUWithItsCoupling) {
  const double L = 100.0, P = 1000.0;
  Model& model = TheModel();
  TipLoadModel(model, path_, L, static_cast<float>(-P));
  AddRow(model, 20, ElementType::Location);
  PutItem(model, 3, DataType::GenericSupport);
  auto& generic = static_cast<GenericSupport&>(*model.row(3).item);
  generic.terms.fill(0.0f);
  const auto term = [&generic](int i, int j) -> float& {
    return generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(i, j))];
  };
  term(2, 2) = 2000.0f;
  term(6, 6) = 4.0e6f;
  term(2, 6) = 5.0e4f;
  MakeModel(model);
  SetCases(model, {8});
  const RunResults run = AnalyseAndRead(model);
  const std::vector<double> loads = SupportValues(run, run.cases[0], 3);
  ASSERT_EQ(loads.size(), 6u);
  const std::array<float, 6> u = NodeValues(run.cases[0], model, 20);
  EXPECT_TRUE(Within(loads[1], 2000.0 * u[1] + 5.0e4 * u[5], kTolerance));
  EXPECT_TRUE(Within(loads[5], 5.0e4 * u[1] + 4.0e6 * u[5], kTolerance));
  EXPECT_EQ(loads[0], 0.0);
  // The tip load is shared between the anchor and the support (loads are
  // the forces of the pipe on its supports: they sum to the applied load).
  const std::vector<double> anchor = SupportValues(run, run.cases[0], 1);
  EXPECT_TRUE(Within(anchor[1] + loads[1], -P, kTolerance));
  EXPECT_LT(loads[1], 0.0);
}

TEST_F(NonlinearSupportsTest, AGenericSupportThatIsNotPositiveSemiDefiniteStopsTheRun) {
  Model& model = TheModel();
  TipLoadModel(model, path_, 100.0, -1000.0f);
  AddRow(model, 20, ElementType::Location);
  auto& generic = Put<GenericSupport>(model, 3, DataType::GenericSupport);
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 1))] = 100.0f;
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(2, 2))] = 100.0f;
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 2))] = 150.0f;
  MakeModel(model);
  SetCases(model, {8});
  EXPECT_FALSE(GenericSupportMatrixSound(generic));
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "the run went on";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "The stiffness matrix of the generic support at node 20 is not positive semi-definite");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 2))] = 99.0f;
  EXPECT_TRUE(GenericSupportMatrixSound(generic));
}

TEST_F(NonlinearSupportsTest, ASnubberIsAbsentFromWeightAndThermalCases) {
  const SectionValues s = Pipe4();
  const double L = 100.0, w = kDensity * s.A;
  Model& model = TheModel();
  StartModel(model, 470.0, kDensity, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, static_cast<float>(L));
  auto& snubber = Put<Snubber>(model, 2, DataType::Snubber);
  snubber.dirY = 1.0f;
  MakeModel(model);
  SetCases(model, {1, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  const double free = -w * (std::pow(L, 4) / (8 * kE * s.I) + s.shear * L * L / (2 * s.G * s.A));
  EXPECT_TRUE(Within(NodeValues(run.cases[0], model, 20)[1], free, kTolerance));
  for (const CaseBlock& block : run.cases) EXPECT_EQ(SupportValues(run, block, 2), std::vector<double>{0.0});
  // In a seismic case it is a spring.
  EXPECT_TRUE(SnubberStiffnessCase(12));
  EXPECT_TRUE(SnubberLoadCase(31));
  EXPECT_FALSE(SnubberStiffnessCase(31));
  EXPECT_FALSE(SnubberLoadCase(30));
  EXPECT_FALSE(SnubberStiffnessCase(8));
}

TEST_F(NonlinearSupportsTest, ZeroDirectionsAndUndefinedConnectedNodesStopTheRun) {
  Model& model = TheModel();
  const auto failure = [&model]() -> std::string {
    try {
      RunAnalysis(model, SilentProgress());
    } catch (const std::string& message) {
      return message;
    }
    return "";
  };
  AxialStopModel(model, path_, 100.0, 0.1f, 1.0e12f);
  static_cast<LimitStop&>(*model.row(2).item).dirX = 0.0f;
  EXPECT_EQ(failure(), "Unable to find direction for limit stop at node 20");
  static_cast<LimitStop&>(*model.row(2).item).connectedNode = 77;
  EXPECT_EQ(failure(), "For limit stop at node 20, undefined connected node 77");
  SetDataType(model, 2, DataType::SkewedRestraint);
  static_cast<SkewedRestraint&>(*model.row(2).item).stiffness = 1.0e12f;
  EXPECT_EQ(failure(), "Unable to find direction for skewed restraint at node 20");
  SetDataType(model, 2, DataType::Snubber);
  EXPECT_EQ(failure(), "Unable to find direction for snubber at node 20");
}

// --- the iteration -----------------------------------------------------------------

TEST_F(NonlinearSupportsTest, StatesThatDoNotChangeConvergeInTwoIterations) {
  Model& model = TheModel();
  // A stop far from its limit: free in both passes.
  AxialStopModel(model, path_, 100.0, 50.0f, 1.0e12f);
  RecordingProgress progress;
  RunAnalysis(model, progress);
  EXPECT_EQ(progress.assemblies, 2);
  EXPECT_EQ(progress.iterations, (std::vector<std::string>{"Iteration 1: 1 nonlinearities not converged"}));
  ASSERT_FALSE(progress.misconvergence.empty());
  EXPECT_EQ(progress.misconvergence[0], "Maximum misconvergence = 100 % for the Limit stop at node 20");
  EXPECT_TRUE(UnconvergedCases().empty());

  // A closing stop takes one pass more: the one that reaches the limit.
  AxialStopModel(model, path_, 100.0, 0.1f, 1.0e12f);
  RecordingProgress closing;
  RunAnalysis(model, closing);
  EXPECT_EQ(closing.assemblies, 3);
  ASSERT_EQ(closing.iterations.size(), 2u);
  EXPECT_EQ(closing.iterations[1], "Iteration 2: 1 nonlinearities not converged");
  // Only the supports change between passes: the elements are assembled in
  // the first pass of the case, their part is kept for the others (and the
  // load on the stop is still the hand calculation's, as above).
  EXPECT_EQ(closing.elementAssemblies, 1);
  EXPECT_TRUE(ElementsAreLinear(model));
}

TEST_F(NonlinearSupportsTest, TheConvergenceTestsAndTheirTexts) {
  g_NonlinearIteration.tolerance = 0.01;
  EXPECT_FALSE(NonlinearConverged(0.0, 0.5, 0, 5, 3));
  EXPECT_EQ(g_AnalysisFlags.misconvergence.ratio, 1.0f);
  EXPECT_EQ(MisconvergencePercentText(1.0f), "= 100 %");
  EXPECT_EQ(MisconvergencePercentText(1.5f), "> 100 %");
  EXPECT_TRUE(NonlinearConverged(1.0, 1.005, 0, 5, 3));
  EXPECT_TRUE(NonlinearConverged(5.0e-7, 0.0, 0, 5, 3));
  EXPECT_FALSE(NonlinearConvergedCoarse(1.0, 1.2, 0, 6, 3));
  EXPECT_TRUE(NonlinearConvergedAbs1(0.5, 0.1, 12, 0, 3));
  EXPECT_EQ(MisconvergenceKindName(0, 5), "Guide");
  EXPECT_EQ(MisconvergenceKindName(0, 6), "Limit stop");
  EXPECT_EQ(MisconvergenceKindName(13, 0), "Ball joint");
  EXPECT_EQ(NonlinearCheckpointInterval(nullptr), 500);
  EXPECT_EQ(NonlinearCheckpointInterval("10"), 10);
  for (const char* text : {"0", "-3", "ten", "", "2.5"}) EXPECT_EQ(NonlinearCheckpointInterval(text), 500) << text;
}

}  // namespace
