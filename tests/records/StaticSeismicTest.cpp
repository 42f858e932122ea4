// The static seismic case through the driver: an L of two 100-inch legs
// held by an anchor at its start (X leg, then Z leg, Y up) under X and Z
// accelerations; the anchor's moment about Y by statics (gX: the Z leg's
// mass at its lever z, w·100²/2; gZ: both legs at their lever x,
// w·100²/2 + w·100·100), each direction alone, then both combined by
// the square root of the sum of squares, the absolute sum and the
// algebraic sum. Seismic anchor movements of a B31.1 model: a 200-inch
// line anchored at both ends whose far anchor moves δ along the line
// stretches it by EA·δ/200, and that force and the movement's share of the
// displacements add their absolute values to the combined directions; a
// code without seismic anchor movements leaves them out.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "analysis/SeismicCombination.h"
#include "model/MakeModel.h"
#include "records/StaticSeismic.h"
#include "services/NameTables.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

namespace {

using namespace analysis_testing;

class StaticSeismicTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // The anchor's moment about Y in the seismic case, and the whole run.
  double AnchorMy(float gx, float gz, int method, RunResults* out = nullptr) {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    StartModel(model, 70.0, kDensity, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 100.0f);
    MakeModel(model);
    model.seismic.g = {gx, 0.0f, gz};
    model.seismic.combination = method;
    SetCases(model, {12});
    RunResults run = AnalyseAndRead(model);
    EXPECT_EQ(run.fileSize, run.contents.endOffset);
    const double my = SupportValues(run, run.cases.at(0), 1).at(4);
    if (out != nullptr) *out = std::move(run);
    return my;
  }
  std::string path_ = TempFolder() + "/static-seismic.mod";
};

TEST_F(StaticSeismicTest, TheAnchorMomentOfEachDirectionAndOfTheirCombinations) {
  const double w = kDensity * Pipe4().A;
  const double a = 0.3 * w * 5000.0, b = 0.2 * w * 15000.0;
  const double alongX = AnchorMy(0.3f, 0.0f, kSeismicSrss);
  const double alongZ = AnchorMy(0.0f, 0.2f, kSeismicSrss);
  // One direction under SRSS is its absolute value.
  EXPECT_TRUE(Within(alongX, a, 1e-3));
  EXPECT_TRUE(Within(alongZ, b, 1e-3));
  EXPECT_TRUE(Within(AnchorMy(0.3f, 0.2f, kSeismicSrss), std::sqrt(a * a + b * b), 1e-3));
  EXPECT_TRUE(Within(AnchorMy(0.3f, 0.2f, kSeismicAbsoluteSum), a + b, 1e-3));
  // Signed, the two moments act against each other.
  const double signedX = AnchorMy(0.3f, 0.0f, kSeismicAlgebraicSum);
  const double signedZ = AnchorMy(0.0f, 0.2f, kSeismicAlgebraicSum);
  EXPECT_LT(signedX * signedZ, 0.0);
  EXPECT_TRUE(Within(AnchorMy(0.3f, 0.2f, kSeismicAlgebraicSum), signedX + signedZ, 1e-3));
  // No acceleration at all: a zero case laid out as any other.
  RunResults run;
  EXPECT_EQ(AnchorMy(0.0f, 0.0f, kSeismicSrss, &run), 0.0);
}

TEST(SeismicCombinationTest, OnlyTheDirectionsTakingPartCount) {
  const std::vector<double> values{3.0, -4.0, 100.0};
  const bool present[3] = {true, true, false};
  EXPECT_DOUBLE_EQ(CombineSeismicValue(values, present, kSeismicAbsoluteSum), 7.0);
  EXPECT_DOUBLE_EQ(CombineSeismicValue(values, present, kSeismicSrss), 5.0);
  EXPECT_DOUBLE_EQ(CombineSeismicValue(values, present, kSeismicAlgebraicSum), -1.0);
  const bool onlyY[3] = {false, true, false};
  EXPECT_DOUBLE_EQ(CombineSeismicValue(values, onlyY, kSeismicSrss), 4.0);
}

// A 200-inch line in X of two elements, anchored at both ends; the far
// anchor moves `delta` in X as its seismic anchor movement.
RunResults AnchoredLine(const std::string& path, int code, float delta, int method) {
  Model& model = TheModel();
  InitEmptyModel(model, AnalysisOptions());
  StartModel(model, 70.0, kDensity, path);
  model.options.PipingCode = code;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PipeRow(model, 30, ElementType::Pipe, 100.0f);
  PutItem(model, 3, DataType::Anchor);
  MakeModel(model);
  auto& anchor = static_cast<Anchor&>(*model.row(3).item);
  anchor.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[static_cast<std::size_t>(6 * kSeismicSlot + 1)] = delta;
  model.seismic.g = {0.3f, 0.2f, 0.0f};
  model.seismic.combination = method;
  SetCases(model, {1, 12});
  return AnalyseAndRead(model);
}

TEST_F(StaticSeismicTest, SeismicAnchorMovementsAddTheirAbsoluteValuesToTheCombination) {
  const SectionValues s = Pipe4();
  const double w = kDensity * s.A, EA = kE * s.A, delta = 0.01;
  const double stretch = EA * delta / 200.0;
  // The near anchor takes its own node's load and half the middle one's.
  const double inertiaX = 0.3 * w * 100.0, inertiaY = 0.2 * w * 100.0;
  // The middle node between two axial springs of EA/100.
  const double middleX = 0.3 * w * 100.0 / (2.0 * EA / 100.0);
  for (const int method : {kSeismicSrss, kSeismicAbsoluteSum}) {
    SCOPED_TRACE(method);
    for (const float sign : {1.0f, -1.0f}) {
      const RunResults run = AnchoredLine(path_, 1, sign * static_cast<float>(delta), method);
      ASSERT_EQ(run.cases.size(), 2u);
      const CaseBlock& seismic = run.cases.at(1);
      const std::vector<double> near = SupportValues(run, seismic, 1);
      EXPECT_TRUE(Within(near.at(0), inertiaX + stretch, 1e-3));
      // Across the line the movement adds nothing.
      EXPECT_TRUE(Within(near.at(1), inertiaY, 1e-3));
      const Model& model = TheModel();
      const int middle = FindNodeIndex(model.nodes, 20), far = FindNodeIndex(model.nodes, 30);
      EXPECT_TRUE(Within(seismic.nodes[static_cast<std::size_t>(middle)][0], middleX + delta / 2.0, 1e-3));
      EXPECT_TRUE(Within(seismic.nodes[static_cast<std::size_t>(far)][0], delta, 1e-3));
      // The first element's near end carries half the line's inertia and
      // the stretch.
      EXPECT_TRUE(Within(std::fabs(seismic.forces[1][0]), inertiaX + stretch, 1e-3));
      // The sustained case knows nothing of the movement.
      EXPECT_LT(std::fabs(run.cases.at(0).nodes[static_cast<std::size_t>(far)][0]), 1e-9);
      EXPECT_EQ(run.fileSize, run.contents.endOffset);
    }
  }
}

// The step titles of a run, in order.
class StepTitles : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::StepTitle) titles.push_back(text);
  }
  std::vector<std::string> titles;
};

TEST_F(StaticSeismicTest, TheAnchorMovementStepRunsBeforeTheLoadCases) {
  AnchoredLine(path_, 1, 0.01f, kSeismicSrss);
  StepTitles steps;
  RunAnalysis(TheModel(), steps);
  const std::vector<std::string> expected{LoadCaseTitle(33), LoadCaseTitle(1), LoadCaseTitle(26), LoadCaseTitle(27),
                                          LoadCaseTitle(29)};
  EXPECT_EQ(steps.titles, expected);
  EXPECT_EQ(std::string(LoadCaseTitle(33)), "Seismic displacement");
  // Without a seismic case there is nothing to add them to.
  SetCases(TheModel(), {1});
  steps.titles.clear();
  RunAnalysis(TheModel(), steps);
  EXPECT_EQ(steps.titles, std::vector<std::string>{LoadCaseTitle(1)});
}

TEST_F(StaticSeismicTest, ACodeWithoutSeismicAnchorMovementsLeavesThemOut) {
  const SectionValues s = Pipe4();
  const double w = kDensity * s.A;
  const RunResults run = AnchoredLine(path_, 3, 0.01f, kSeismicSrss);
  const std::vector<double> near = SupportValues(run, run.cases.at(1), 1);
  EXPECT_TRUE(Within(near.at(0), 0.3 * w * 100.0, 1e-3));
  EXPECT_LT(std::fabs(run.cases.at(1).nodes[static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, 30))][0]), 1e-9);
}

TEST_F(StaticSeismicTest, WithEveryAccelerationAtZeroTheCaseIsTheAnchorMovementAlone) {
  Model& model = TheModel();
  const SectionValues s = Pipe4();
  RunResults run = AnchoredLine(path_, 1, -0.02f, kSeismicSrss);
  // Again with no acceleration at all.
  model.seismic.g = {0.0f, 0.0f, 0.0f};
  run = AnalyseAndRead(model);
  const std::vector<double> near = SupportValues(run, run.cases.at(1), 1);
  EXPECT_TRUE(Within(near.at(0), kE * s.A * 0.02 / 200.0, 1e-3));
  EXPECT_LT(std::fabs(near.at(1)), 1e-6);
  EXPECT_TRUE(Within(run.cases.at(1).nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, 20))][0], 0.01, 1e-3));
  EXPECT_EQ(run.fileSize, run.contents.endOffset);
}

}  // namespace
