// The supports whose state the operating case sets, in the responses built
// from the modes, on one line at 300 F: anchor 10, a riser of 60 in to 15,
// then along X 60 in each to 20 (a guide, mu 0.3), 30 (a +Y stop seated at
// -0.002 in, mu 0.3), 40 and 50, then along Z 60 in each to 60 and to an
// anchor at 70; a rod hanger at 40 (or, in the guide's place, at 20, which
// the riser's growth lifts), a tie rod from 20 to 40 (1e5 lb/in past a
// tension gap of 0.01 in), the dynamic loads of TimeHistoryTesting.h at 50
// and "Friction in dynamics" on.
//
// The stop's friction in a response is the modes' friction spring (the
// operating friction over the operating sliding across the stop) times the
// size of the movement across it: at each step of the time history, read
// back from its file, and in the spectra, whose displacements combine as
// the friction does (the square root of the sum of the modes' squares). In
// the harmonic response it is the largest size the movement reaches over
// the cycle; the reference is the time history under the same sine load,
// run until the start has died away, over its last cycle. The guide's
// friction is its spring times the movement along the pipe, signed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "elements/TieRod.h"
#include "records/Spectrum.h"
#include "results/TimeHistoryTesting.h"
#include "services/LoadCaseTypes.h"
#include "services/TempFiles.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"

namespace {

using namespace analysis_testing;

const std::vector<int> kPulseCases = {1, 8, 2, 19, 30, 37, 31, 35, 36};

class SupportDynamicResponseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    const std::string base = path_.substr(0, path_.size() - 4);
    for (const char* extension : {".res", ".rth", "_MFM.csv"}) std::filesystem::remove(base + extension);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // The line with the rod hanger at `hangerNode` (40, or 20 without the
  // guide) under piping code `code`.
  Model& Build(NodeId hangerNode, int code, const std::vector<int>& cases) {
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, path_);
    model.options.PipingCode = code;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 15, ElementType::Pipe, 0.0f, 60.0f);
    guideRow_ = PipeRow(model, 20, ElementType::Pipe, 60.0f);
    if (hangerNode != 20) {
      PutItem(model, guideRow_, DataType::Guide);
      static_cast<Guide&>(*model.row(guideRow_).item).frictionCoefficient = 0.3f;
    }
    stopRow_ = PipeRow(model, 30, ElementType::Pipe, 60.0f);
    PutItem(model, stopRow_, DataType::LimitStop);
    auto& stop = static_cast<LimitStop&>(*model.row(stopRow_).item);
    stop.dirY = 1.0f;
    stop.lowerLimit = -0.002f;
    stop.frictionCoefficient = 0.3f;
    PipeRow(model, 40, ElementType::Pipe, 60.0f);
    PipeRow(model, 50, ElementType::Pipe, 60.0f);
    PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
    PutItem(model, PipeRow(model, 70, ElementType::Pipe, 0.0f, 0.0f, 60.0f), DataType::Anchor);
    hangerRow_ = PipeRow(model, hangerNode, ElementType::From, 0.0f);
    PutItem(model, hangerRow_, DataType::Hanger);
    static_cast<Hanger&>(*model.row(hangerRow_).item).kind = kRodHanger;
    PipeRow(model, 20, ElementType::From, 0.0f);
    auto& rod = static_cast<TieRod&>(*model.row(PipeRow(model, 40, ElementType::TieRod, 120.0f)).element);
    rod.tensionStiffness = 1.0e5f;
    rod.tensionGap = 0.01f;
    AddTimeHistoryLoads(model, cases, true);
    MoveDynamicLoads(model, 50);
    MakeModel(model);
    SetCases(model, cases);
    model.options.FrictionInDynamics = 1;
    model.options.IncludeMissingMass = 0;
    ResponseSpectrum flat;
    flat.name = "FLAT";
    flat.ordinateUnit = kOrdinateG;
    flat.points = {{0.1f, 0.3f * 386.4f}, {100.0f, 0.3f * 386.4f}};
    SetLastSpectrum(model.spectra, flat);
    SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 1.0f);
    return model;
  }
  RunResults Run() {
    RunResults run = AnalyseAndRead(TheModel());
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    return run;
  }
  static const CaseBlock& BlockOf(const RunResults& run, int type) {
    for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
      if (run.contents.cases[k].type == type) return run.cases.at(k - 1);
    ADD_FAILURE() << "no result case of type " << type;
    return run.cases.at(0);
  }
  static std::array<float, 6> At(const CaseBlock& block, NodeId node) {
    return block.nodes.at(static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, node)));
  }
  // Every step of the time-history file, as a case's block.
  std::vector<CaseBlock> ReadSteps(const RunResults& run) const {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, TimeHistoryPathOf(path_)));
    BinaryFileSeek(file, 20);
    std::int32_t count = 0;
    BinaryFileReadInt(file, count);
    std::vector<CaseBlock> steps(static_cast<std::size_t>(std::max(count, 0)));
    for (CaseBlock& step : steps) {
      step.nodes.resize(static_cast<std::size_t>(ResultNodeCount(TheModel())) + 1);
      step.forces.resize(static_cast<std::size_t>(run.contents.elementCount) + 1);
      step.supports.resize(static_cast<std::size_t>(run.contents.supportBlockBytes / 4));
      for (std::size_t n = 1; n < step.nodes.size(); ++n) BinaryFileReadFloats(file, step.nodes[n].data(), 6);
      for (std::size_t e = 1; e < step.forces.size(); ++e) BinaryFileReadFloats(file, step.forces[e].data(), 12);
      BinaryFileReadFloats(file, step.supports.data(), step.supports.size());
    }
    EXPECT_FALSE(BinaryFileReadFailed(file));
    return steps;
  }

  std::string path_ = TempFolder() + "/support-dynamic-response.mod";
  int guideRow_ = 0, stopRow_ = 0, hangerRow_ = 0;
};

TEST_F(SupportDynamicResponseTest, StopFrictionIsTheModalSpringTimesTheSuperposedSlidingInEveryResponse) {
  Build(40, 3, kPulseCases);
  const RunResults run = Run();
  // The stop's sliding across it and the guide's along the pipe.
  auto sliding = [](const CaseBlock& block) { return std::hypot(At(block, 30)[0], At(block, 30)[2]); };
  auto guideSliding = [](const CaseBlock& block) { return std::fabs(At(block, 20)[0]); };
  auto friction = [this](const RunResults& r, const CaseBlock& block) {
    return SupportValues(r, block, stopRow_).at(1);
  };
  auto guideFriction = [this, &run](const CaseBlock& block) {
    return std::fabs(SupportValues(run, block, guideRow_).at(0));
  };
  // The operating case: the stop seated and both sliding.
  const CaseBlock& operating = BlockOf(run, kCaseIdOperating);
  ASSERT_LT(SupportValues(run, operating, stopRow_).at(0), -1.0);
  ASSERT_GT(std::fabs(At(operating, 30)[0]), 0.01);
  ASSERT_GT(guideSliding(operating), 0.01);
  // The time history: the springs of the step that slides the most, within
  // the iteration's tolerance of the operating friction over the sliding
  // (the modes take the spring of the last pass), hold at every step.
  const std::vector<CaseBlock> steps = ReadSteps(run);
  ASSERT_EQ(steps.size(), 50u);
  const CaseBlock& most = *std::max_element(steps.begin(), steps.end(), [&](const CaseBlock& a, const CaseBlock& b) {
    return sliding(a) < sliding(b);
  });
  const double kf = friction(run, most) / sliding(most), ka = guideFriction(most) / guideSliding(most);
  EXPECT_TRUE(Within(kf, friction(run, operating) / sliding(operating), 1e-2));
  EXPECT_TRUE(Within(ka, guideFriction(operating) / guideSliding(operating), 2e-2));
  double largest = 0.0;
  for (std::size_t s = 0; s < steps.size(); ++s) {
    SCOPED_TRACE(s + 1);
    EXPECT_GE(friction(run, steps[s]), 0.0);
    // (the file's displacements below 1e-6 in are 0)
    EXPECT_TRUE(Within(friction(run, steps[s]), kf * sliding(steps[s]), 1e-3, kf * 2e-6));
    EXPECT_TRUE(Within(guideFriction(steps[s]), ka * guideSliding(steps[s]), 1e-3, ka * 1e-6));
    largest = std::max(largest, friction(run, steps[s]));
  }
  EXPECT_GT(largest, 1.0);
  EXPECT_TRUE(Within(friction(run, BlockOf(run, kCaseIdTimeHistory)), largest, 1e-6));
  // The spectra.
  for (const int type : {kCaseIdResponseSpectrum, kCaseIdForceSpectrum}) {
    SCOPED_TRACE(type);
    const CaseBlock& block = BlockOf(run, type);
    EXPECT_GT(sliding(block), 1.0e-4);
    EXPECT_TRUE(Within(friction(run, block), kf * sliding(block), 1e-3));
  }
  TearDown();

  // A harmonic load of 300 lb at 21 Hz, between the first modes, where the
  // movements in X and in Z at the stop are out of phase; as the reference,
  // the same sine as a time history (points every 0.0005 s) run for 2 s,
  // long after the start has died away at the same damping of 10 %.
  // "Absolute Sum" keeps the amplitude.
  Model& model = Build(40, 3, {8, 30, 35, 36});
  const double frequency = 21.0, dt = 0.0005;
  const int points = 4001;
  auto& sine = model.timeFunctions.at(static_cast<std::size_t>(FindTimeFunction(model.timeFunctions, "PULSE")));
  sine.points.clear();
  for (int k = 0; k < points; ++k)
    sine.points.push_back({static_cast<float>(k * dt), static_cast<float>(std::sin(2.0 * kPi * frequency * k * dt))});
  for (int row = 1; row <= model.rowCount; ++row) {
    if (model.row(row).dataType == DataType::TimeVaryingLoad)
      static_cast<TimeVaryingLoad&>(*model.row(row).item).ScaleFactor = 300.0f;
    if (model.row(row).dataType == DataType::HarmonicLoad)
      static_cast<HarmonicLoad&>(*model.row(row).item).Frequency = static_cast<float>(frequency);
  }
  model.timeHistory.stepCount = points;
  model.timeHistory.timeStep = static_cast<float>(dt);
  model.timeHistory.outputInterval = 1;
  model.timeHistory.damping = model.harmonic.damping = 10.0f;
  model.harmonic.combination = 1;
  const RunResults cycled = Run();
  const std::vector<CaseBlock> history = ReadSteps(cycled);
  // The largest values over the last cycle.
  double slides = 0.0, x30 = 0.0, z30 = 0.0;
  for (std::size_t s = history.size() - static_cast<std::size_t>(std::lround(1.0 / frequency / dt));
       s < history.size(); ++s) {
    slides = std::max(slides, friction(cycled, history[s]));
    x30 = std::max(x30, std::fabs(static_cast<double>(At(history[s], 30)[0])));
    z30 = std::max(z30, std::fabs(static_cast<double>(At(history[s], 30)[2])));
  }
  // Out of phase: the largest sliding falls short of what the two largest
  // movements would make together.
  ASSERT_LT(slides, 0.97 * kf * std::hypot(x30, z30));
  const CaseBlock& harmonic = BlockOf(cycled, kCaseIdHarmonic);
  EXPECT_TRUE(Within(At(harmonic, 30)[0], x30, 2e-3));
  EXPECT_TRUE(Within(At(harmonic, 30)[2], z30, 2e-3));
  EXPECT_TRUE(Within(friction(cycled, harmonic), slides, 2e-3));
}

// The rod hanger at 20, lifted off by the riser's growth in the operating
// case, which without a piping code is the static analysis: it carries
// nothing there nor in the responses, keeps that case's rise as its
// travel, and the two models respond alike.
TEST_F(SupportDynamicResponseTest, ARodHangerLiftedOffWithoutAPipingCodeCarriesNothingInTheResponses) {
  std::vector<float> responses;  // Y at 20 and at 50 in each response
  for (const int code : {3, 0}) {
    SCOPED_TRACE(code);
    const int operatingType = code == 0 ? kCaseIdStaticAnalysis : kCaseIdOperating;
    Build(20, code, {operatingType, 30, 35, 36});
    const RunResults run = Run();
    const CaseBlock& operating = BlockOf(run, operatingType);
    const float rise = At(operating, 20)[1];
    EXPECT_GT(rise, 0.001f);
    EXPECT_EQ(SupportValues(run, operating, hangerRow_).at(0), 0.0);
    ASSERT_EQ(run.contents.hangers.size(), 1u);
    EXPECT_TRUE(Within(run.contents.hangers[0].design[0], rise, 1e-4));
    for (const int type : {kCaseIdTimeHistory, kCaseIdHarmonic}) {
      SCOPED_TRACE(type);
      const CaseBlock& block = BlockOf(run, type);
      EXPECT_EQ(SupportValues(run, block, hangerRow_).at(0), 0.0);
      responses.push_back(At(block, 20)[1]);
      responses.push_back(At(block, 50)[1]);
    }
    TearDown();
  }
  ASSERT_EQ(responses.size(), 8u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_GT(std::fabs(responses[i]), 1.0e-4f);
    EXPECT_TRUE(Within(responses[i + 4], responses[i], 1e-4));
  }
}

}  // namespace
