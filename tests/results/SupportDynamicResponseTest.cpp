// Supports in the responses built from the modes, on one line at 300 F:
// anchor 10, a riser of 60 in to 15, along X 60 in each to 20 (a guide,
// mu 0.3), 30 (a +Y stop seated at -0.002 in, mu 0.3), 40 and 50, along Z
// to 60 and an anchor at 70, a rod hanger at 40 (or at 20 in the guide's
// place) and the dynamic loads of TimeHistoryTesting.h at 50, the
// time-varying one a 300 lb sine at the harmonic's 21 Hz, run for 2 s at
// the harmonic's damping of 10 %; and the stop's support load summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "results/EveryKindModel.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTesting.h"
#include "services/LoadCaseTypes.h"
#include "services/TempFiles.h"
#include "supports/SupportLoadSummary.h"

namespace {

using namespace analysis_testing;
using every_kind::ItemOf;

// The line in `model`, saved as `path` by the analysis: `direction` (1 X,
// 2 Y) of the time-varying and harmonic loads, the harmonic combination
// (0 "Root Mean Square", 1 "Absolute Sum"); the stop's and hanger's rows.
struct StopLine {
  int stopRow = 0, hangerRow = 0;
};
StopLine BuildStopLine(Model& model, const std::string& path, NodeId hangerNode, int code, const std::vector<int>& cases,
                       int direction, int combination) {
  StopLine line;
  StartModel(model, 300.0, kDensity, path);
  model.options.PipingCode = code;
  PutItem(model, PipeRow(model, 10, ElementType::From, 0.0f), DataType::Anchor);
  PipeRow(model, 15, ElementType::Pipe, 0.0f, 60.0f);
  const int guideRow = PipeRow(model, 20, ElementType::Pipe, 60.0f);
  if (hangerNode != 20) ItemOf<Guide>(model, guideRow, DataType::Guide).frictionCoefficient = 0.3f;
  line.stopRow = PipeRow(model, 30, ElementType::Pipe, 60.0f);
  auto& stop = ItemOf<LimitStop>(model, line.stopRow, DataType::LimitStop);
  stop.dirY = 1.0f;
  stop.lowerLimit = -0.002f;
  stop.frictionCoefficient = 0.3f;
  PipeRow(model, 40, ElementType::Pipe, 60.0f);
  PipeRow(model, 50, ElementType::Pipe, 60.0f);
  PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, PipeRow(model, 70, ElementType::Pipe, 0.0f, 0.0f, 60.0f), DataType::Anchor);
  line.hangerRow = PipeRow(model, hangerNode, ElementType::From, 0.0f);
  ItemOf<Hanger>(model, line.hangerRow, DataType::Hanger).kind = kRodHanger;
  AddTimeHistoryLoads(model, cases, true);
  MoveDynamicLoads(model, 50);
  MakeModel(model);
  SetCases(model, cases);
  model.options.FrictionInDynamics = 1;
  model.options.IncludeMissingMass = 0;
  SetLastSpectrum(model.spectra, {"FLAT", 0, 0, 0, kOrdinateG, {{0.1f, 115.92f}, {100.0f, 115.92f}}});
  SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 1.0f);
  auto& sine = model.timeFunctions.at(static_cast<std::size_t>(FindTimeFunction(model.timeFunctions, "PULSE")));
  sine.points.clear();
  for (int k = 0; k <= 4000; ++k)
    sine.points.push_back({k * 0.0005f, static_cast<float>(std::sin(2.0 * kPi * 21.0 * k * 0.0005))});
  auto& varying = dynamic_cast<TimeVaryingLoad&>(*model.row(model.rowCount - 2).item);
  varying.ScaleFactor = 300.0f;
  varying.Direction = direction;
  auto& harmonic = dynamic_cast<HarmonicLoad&>(*model.row(model.rowCount).item);
  harmonic.Frequency = 21.0f;
  harmonic.FY = 0.0f;
  (direction == 1 ? harmonic.FX : harmonic.FY) = 300.0f;
  model.timeHistory = TimeHistorySettings{0.0005f, 4001, 1, 1, 10.0f};
  model.harmonic.damping = 10.0f;
  model.harmonic.combination = combination;
  return line;
}

class SupportDynamicResponseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    const std::string base = path_.substr(0, path_.size() - 4);
    for (const char* extension : {".res", ".rth", "_MFM.csv"}) std::filesystem::remove(base + extension);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  RunResults Run(NodeId hangerNode, int code, const std::vector<int>& cases, int direction = 2, int combination = 1) {
    const StopLine line = BuildStopLine(TheModel(), path_, hangerNode, code, cases, direction, combination);
    stopRow_ = line.stopRow;
    hangerRow_ = line.hangerRow;
    return AnalyseAndRead(TheModel());
  }
  static const CaseBlock& BlockOf(const RunResults& run, int type) {
    for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
      if (run.contents.cases[k].type == type) return run.cases.at(k - 1);
    throw std::runtime_error("no result case of type " + std::to_string(type));
  }
  static std::array<float, 6> At(const CaseBlock& block, NodeId node) {
    return block.nodes.at(static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, node)));
  }

  // Each of the 4000 steps of the time-history file, as 32-bit floats: the
  // displacements of the nodes, then the element forces, then the support
  // loads (SupportAt gives a support row's value in it).
  void ForEachStepRecord(const RunResults& run, const std::function<void(int, const std::vector<float>&)>& visit) {
    const std::int64_t sb = run.contents.supportBlockBytes;
    const std::int64_t record = TimeHistoryStepBytes(ResultNodeCount(TheModel()), run.contents.elementCount, sb);
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenRead(file, TimeHistoryPathOf(path_)));
    ASSERT_EQ(file.size, 24 + 4000 * record);
    BinaryFileSeek(file, 24);
    std::vector<float> step(static_cast<std::size_t>(record / 4));
    for (int s = 1; s <= 4000 && !::testing::Test::HasFatalFailure(); ++s) {
      BinaryFileReadFloats(file, step.data(), step.size());
      visit(s, step);
    }
  }
  static std::size_t DisplacementAt(NodeId node) {
    return static_cast<std::size_t>(6 * (FindNodeIndex(TheModel().nodes, node) - 1));
  }
  static std::size_t SupportAt(const RunResults& run, int row, int value) {
    const std::int64_t sb = run.contents.supportBlockBytes;
    const std::int64_t record = TimeHistoryStepBytes(ResultNodeCount(TheModel()), run.contents.elementCount, sb);
    return static_cast<std::size_t>((record - sb + run.contents.supportOffset.at(row)) / 4 + value);
  }

  // The sliding across a +Y stop (from the displacements of its node) and
  // its friction at each step: the stop of the line at 30, or the one of
  // row `row` at `node`.
  void ForEachStep(const RunResults& run, const std::function<void(int, double, double)>& visit, int row = 0,
                   NodeId node = 30) {
    const std::size_t at = DisplacementAt(node), friction = SupportAt(run, row != 0 ? row : stopRow_, 1);
    ForEachStepRecord(run, [&](int s, const std::vector<float>& step) {
      visit(s, std::hypot(step[at], step[at + 2]), step[friction]);
    });
  }

  std::string path_ = TempFolder() + "/support-dynamic-response.mod";
  int stopRow_ = 0, hangerRow_ = 0;
};

// The stop's friction is the modes' spring (the operating friction over the
// operating sliding) times the size of the superposed sliding across it, at
// every time-history step, in the spectra and, over the cycle, in the
// harmonic response; a sum of the modes' sizes ran negative and too large.
TEST_F(SupportDynamicResponseTest, StopFrictionIsTheModalSpringTimesTheSuperposedSliding) {
  const RunResults run = Run(40, 3, {1, 8, 2, 19, 30, 37, 31, 35, 36});
  auto sliding = [](const CaseBlock& block) -> double { return std::hypot(At(block, 30)[0], At(block, 30)[2]); };
  auto friction = [&](const CaseBlock& block) { return SupportValues(run, block, stopRow_).at(1); };
  const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
  ASSERT_GT(friction(operating), 1.0);
  const double kf = friction(operating) / sliding(operating);
  // Every step of the time-history file; the largest sliding over the last cycle.
  double largest = 0.0, lastCycle = 0.0;
  ForEachStep(run, [&](int s, double slides, double f) {
    // (the file holds no displacement below 1e-6 in)
    ASSERT_GE(f, 0.0) << s;
    ASSERT_TRUE(Within(f, kf * slides, 1e-2, kf * 2e-6)) << s;
    largest = std::max(largest, f);
    if (s > 4000 - 95) lastCycle = std::max(lastCycle, slides);
  });
  EXPECT_TRUE(Within(friction(BlockOf(run, kCaseIdTimeHistory)), largest, 1e-6));
  for (const int type : {kCaseIdResponseSpectrum, kCaseIdForceSpectrum}) {
    EXPECT_GT(sliding(BlockOf(run, type)), 1.0e-4) << type;
    EXPECT_TRUE(Within(friction(BlockOf(run, type)), kf * sliding(BlockOf(run, type)), 1e-2)) << type;
  }
  // X and Z out of phase at the stop: less than the two amplitudes together.
  const CaseBlock& harmonic = BlockOf(run, kCaseIdHarmonic);
  ASSERT_LT(lastCycle, 0.97 * sliding(harmonic));
  EXPECT_TRUE(Within(friction(harmonic), kf * lastCycle, 1e-2));
}

// Under "Root Mean Square" the stop's friction is the modes' spring times
// the root mean square of the sliding over whole cycles of the steady state
// (the last 21 cycles of 21 Hz), not the largest size over the cycle
// scaled as a single value would be. The spring is the time history's
// friction over its sliding where the sliding is largest.
TEST_F(SupportDynamicResponseTest, StopFrictionUnderRootMeanSquareIsTheSpringTimesTheRmsSliding) {
  const RunResults run = Run(40, 3, {1, 8, 30, 35, 36}, 1, 0);
  double squares = 0.0, largest = 0.0, kf = 0.0;
  ForEachStep(run, [&](int s, double slides, double f) {
    if (s > 2000) squares += slides * slides;
    if (slides > largest) largest = slides, kf = f / slides;
  });
  const double rms = kf * std::sqrt(squares / 2000.0);
  const double friction = SupportValues(run, BlockOf(run, kCaseIdHarmonic), stopRow_).at(1);
  EXPECT_GT(rms, 1.0);
  EXPECT_TRUE(Within(friction, rms, 1e-3));
}

// Two soft stops, +Y at 30 and 50 (lower limit 0, 2e4 lb/in, mu 0.3), with
// the rod hanger at 20: the stop at 30 bears 2.4 lb, and the iteration's
// last update changes its friction spring by 16 % after the last solve.
// The modes take each stop's spring of the state the operating case
// reports, its friction over its sliding: at every step of the time
// history the friction is that spring times the step's sliding.
TEST_F(SupportDynamicResponseTest, SoftStopsTakeTheSpringOfTheReportedOperatingStateIntoTheModes) {
  Model& model = TheModel();
  const std::vector<int> cases = {1, 8, 30, 35};
  const StopLine line = BuildStopLine(model, path_, 20, 3, cases, 2, 1);
  int row50 = 0;
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).node == 50 && model.row(row).elementType == ElementType::Pipe) row50 = row;
  ItemOf<LimitStop>(model, row50, DataType::LimitStop);
  for (const int row : {line.stopRow, row50}) {
    auto& stop = dynamic_cast<LimitStop&>(*model.row(row).item);
    stop.dirY = 1.0f;
    stop.frictionCoefficient = 0.3f;
    stop.lowerLimit = 0.0f;
    stop.stiffness = 2.0e4f;
  }
  MakeModel(model);
  SetCases(model, cases);
  const RunResults run = AnalyseAndRead(model);
  const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
  for (const std::pair<int, NodeId>& stop : {std::pair<int, NodeId>{line.stopRow, 30}, {row50, 50}}) {
    const int row = stop.first;
    const NodeId node = stop.second;
    const double sliding = std::hypot(At(operating, node)[0], At(operating, node)[2]);
    const double friction = SupportValues(run, operating, row).at(1);
    ASSERT_GT(friction, 0.5) << node;
    ASSERT_GT(sliding, 1.0e-2) << node;
    const double kf = friction / sliding;
    int slidingSteps = 0;
    ForEachStep(
        run,
        [&](int s, double slides, double f) {
          // The file holds no displacement below 1e-6 in: a step counts
          // where that is too little to change the size of the sliding.
          if (slides < 1.0e-4) return;
          ++slidingSteps;
          ASSERT_TRUE(Within(f, kf * slides, 1e-4)) << "node " << node << ", step " << s;
        },
        row, node);
    EXPECT_GT(slidingSteps, 3000) << node;
  }
}

// The guide at 20 (mu 0.3) likewise: its axial friction at every step is
// the operating case's axial friction over its axial sliding (along X)
// times the step's sliding.
TEST_F(SupportDynamicResponseTest, TheGuideTakesTheSpringOfTheReportedOperatingStateIntoTheModes) {
  const RunResults run = Run(40, 3, {1, 8, 30, 35});
  int guideRow = 0;
  for (int row = 1; row <= TheModel().rowCount; ++row)
    if (TheModel().row(row).dataType == DataType::Guide) guideRow = row;
  const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
  const double sliding = At(operating, 20)[0], friction = SupportValues(run, operating, guideRow).at(0);
  ASSERT_GT(std::fabs(friction), 1.0);
  const double kf = friction / sliding;
  const std::size_t at = DisplacementAt(20), axial = SupportAt(run, guideRow, 0);
  int slidingSteps = 0;
  ForEachStepRecord(run, [&](int s, const std::vector<float>& step) {
    if (std::fabs(step[at]) < 1.0e-4) return;
    ++slidingSteps;
    ASSERT_TRUE(Within(step[axial], kf * step[at], 1e-4)) << "step " << s;
  });
  EXPECT_GT(slidingSteps, 3000);
}

// The rod hanger at 20, lifted off in the static case of a model without a
// piping code, carries nothing in the responses and keeps that rise as its
// travel; the modes held it rigid.
TEST_F(SupportDynamicResponseTest, ARodHangerLiftedOffWithoutAPipingCodeCarriesNothingInTheResponses) {
  const RunResults run = Run(20, 0, {kCaseIdStaticAnalysis, 30, 35, 36});
  const float rise = At(BlockOf(run, kCaseIdStaticAnalysis), 20)[1];
  EXPECT_GT(rise, 0.001f);
  EXPECT_TRUE(Within(run.contents.hangers.at(0).design[0], rise, 1e-4));
  for (const int type : {kCaseIdStaticAnalysis, kCaseIdTimeHistory, kCaseIdHarmonic}) {
    EXPECT_GT(std::fabs(At(BlockOf(run, type), 50)[1]), 1.0e-4f) << type;
    EXPECT_EQ(SupportValues(run, BlockOf(run, type), hangerRow_).at(0), 0.0) << type;
  }
}

// The stop's support load summary on the line under 300 lb FY at 21 Hz
// ("Absolute Sum"): each combination row is its base row and its case,
// both from the results file, the friction (a size) never below 0 where
// the case's friction exceeds the base's.
class StopSummaryTest : public ResultsFixture {};

TEST_F(StopSummaryTest, NoCombinationRowGivesTheStopANegativeFriction) {
  const StopLine line = BuildStopLine(TheModel(), ModelPath(), 40, 3, {1, 8, 30, 31, 36}, 2, 1);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
  RunResults run;
  run.contents = TheResults();
  auto friction = [&](int type) {
    for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
      if (run.contents.cases[k].type == type)
        return SupportValues(run, ReadCaseBlock(file, TheModel(), run.contents, static_cast<int>(k)), line.stopRow).at(1);
    return -1.0;
  };
  const double sustained = friction(kCaseIdSustained), harmonic = friction(kCaseIdHarmonic);
  ASSERT_GT(harmonic, sustained);
  const auto& rows = dynamic_cast<const LimitStop&>(*TheModel().row(line.stopRow).item).summaryRows;
  const std::vector<std::string>& labels = SummaryRowLabels();
  ASSERT_EQ(rows.size(), labels.size());
  for (std::size_t r = 1; r < rows.size(); ++r) EXPECT_GE(rows[r][1], 0.0f) << labels[r];
  const auto row = [&](const std::string& label) {
    return rows.at(static_cast<std::size_t>(std::find(labels.begin(), labels.end(), label) - labels.begin()))[1];
  };
  EXPECT_TRUE(Within(row("Sustained+Harmonic"), sustained + harmonic, 1e-6));
  EXPECT_EQ(row("Sustained-Harmonic"), 0.0f);
  // Where the base's friction exceeds the case's, the "-" row is their
  // difference.
  const double operating = friction(kCaseIdOperating);
  ASSERT_GT(operating, harmonic);
  EXPECT_TRUE(Within(row("Operating1-Harmonic"), operating - harmonic, 1e-6));
}

}  // namespace
