// A nodal force in the static cases, against the hand calculation of a
// weightless cantilever of length L along X held by an anchor, with a tip
// force FY = -P: tip deflection P L^3 / 3 E I + P L k / G A (k the tube's
// shear form factor), anchor moment P L, within 0.1 %. Added to "W+P" it
// acts in the sustained and operating cases and leaves the expansion case
// (operating minus sustained) empty; added to T1 it acts in the operating
// and the expansion cases and not in the sustained one. The dynamic loads
// beside it change nothing in those cases.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/MakeModel.h"
#include "model/RowOperations.h"
#include "services/TempFiles.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;
constexpr double kLength = 120.0, kLoad = 800.0;
constexpr int kSustained = 1, kOperating = 8, kExpansion = 2;

class ForceAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // The cantilever with the force added to `addedTo`, run for the
  // sustained, operating and expansion cases.
  RunResults Run(std::int32_t addedTo, DataType dynamicLoad = DataType::None) {
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(kLength));
    PutItem(model, 2, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(2).item);
    force.FY = static_cast<float>(-kLoad);
    force.AddedTo = addedTo;
    if (dynamicLoad != DataType::None) {
      // A dynamic load at the tip too, on a Location row of its own.
      AddRow(model, 20, ElementType::Location, 0.0f);
      DataItem* item = SetDataType(model, 3, dynamicLoad);
      if (auto* harmonic = dynamic_cast<HarmonicLoad*>(item)) {
        harmonic->Frequency = 5.0f;
        harmonic->FX = 1.0e4f;
      }
    }
    MakeModel(model);
    SetCases(model, {kSustained, kOperating, kExpansion});
    return AnalyseAndRead(model);
  }
  // Checks the tip's Y displacement and the anchor's FY and MZ of one case
  // against the loaded cantilever (`loaded`) or an unloaded one.
  static void CheckCase(const RunResults& run, std::size_t k, bool loaded) {
    SCOPED_TRACE(k);
    const SectionValues s = Pipe4();
    const double P = loaded ? kLoad : 0.0, L = kLength;
    const double tip = -P * (L * L * L / (3.0 * kE * s.I) + L * s.shear / (s.G * s.A));
    const int node = FindNodeIndex(TheModel().nodes, 20);
    const CaseBlock& block = run.cases.at(k);
    EXPECT_TRUE(Within(block.nodes[static_cast<std::size_t>(node)][1], tip, kTolerance, 1e-9));
    const std::vector<double> anchor = SupportValues(run, block, 1);
    // The loads on the anchor, as the pipe puts them on it.
    EXPECT_TRUE(Within(anchor[1], -P, kTolerance, 1e-6));
    EXPECT_TRUE(Within(anchor[5], -P * L, kTolerance, 1e-6));
  }

  std::string path_ = TempFolder() + "/force-analysis.mod";
};

TEST_F(ForceAnalysisTest, AForceOnWeightAndPressureActsInTheSustainedAndOperatingCases) {
  const RunResults run = Run(kAddedToWeightAndPressure);
  ASSERT_EQ(run.cases.size(), 3u);
  CheckCase(run, 0, true);
  CheckCase(run, 1, true);
  CheckCase(run, 2, false);
}

TEST_F(ForceAnalysisTest, AForceOnT1ActsInTheOperatingAndExpansionCasesOnly) {
  const RunResults run = Run(2);
  ASSERT_EQ(run.cases.size(), 3u);
  CheckCase(run, 0, false);
  CheckCase(run, 1, true);
  CheckCase(run, 2, true);
}

// The time varying, harmonic and force spectrum loads act in the dynamic
// runs only: the static cases of a model that has them are run, and take
// nothing from them.
TEST_F(ForceAnalysisTest, DynamicLoadsAddNothingToTheStaticCases) {
  for (DataType type : {DataType::HarmonicLoad, DataType::TimeVaryingLoad, DataType::ForceSpectrumLoad}) {
    SCOPED_TRACE(static_cast<int>(type));
    const RunResults run = Run(kAddedToWeightAndPressure, type);
    ASSERT_EQ(run.cases.size(), 3u);
    CheckCase(run, 0, true);
    CheckCase(run, 2, false);
  }
}

}  // namespace
