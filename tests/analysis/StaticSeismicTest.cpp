// The static seismic case through the driver: an L of two 100-inch legs
// held by an anchor at its start (X leg, then Z leg, Y up) under X and Z
// accelerations; the anchor's moment about Y by statics (gX: the Z leg's
// mass at its lever z, w·100²/2; gZ: both legs at their lever x,
// w·100²/2 + w·100·100), each direction alone, then both combined by
// the square root of the sum of squares, the absolute sum and the
// algebraic sum; and the refusal of anchor movements it cannot add yet.
#include <gtest/gtest.h>

#include "AnalysisTesting.h"
#include "analysis/SeismicCombination.h"
#include "loads/StaticSeismic.h"
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

TEST_F(StaticSeismicTest, AnchorMovementsOfTheSeismicCasesAreRefusedBeforeTheRun) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  model.options.PipingCode = 1;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  MakeModel(model);
  auto& anchor = static_cast<Anchor&>(*model.row(1).item);
  anchor.displacements.flags[static_cast<std::size_t>(kSeismicSlot)] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  model.seismic.g = {0.3f, 0.0f, 0.0f};
  SetCases(model, {1, 12});
  try {
    RunAnalysis(model, SilentProgress());
    FAIL() << "ran";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 1: seismic anchor movements cannot be analysed yet");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
}

}  // namespace
