// A guide's or a limit stop's friction coefficient below 0, as a model file
// may hold it (saved after an import by an older version): the model opens
// with it, and Analyze refuses it before the run with its row and value,
// writing no results.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AnalysisTesting.h"
#include "files/ModelFile.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"

namespace {

using namespace analysis_testing;

class SupportFrictionCheckTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(path_);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  std::string path_ = TempFolder() + "/support-friction.mod";
};

// 10 anchored, a guide at 20 and a stop across the pipe (Y) at 30, each
// with the friction coefficient given.
void GuideAndStop(Model& model, const std::string& path, float guideFriction, float stopFriction) {
  StartModel(model, 400.0, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  const int guideRow = PipeRow(model, 20, ElementType::Pipe, 120.0f);
  PutItem(model, guideRow, DataType::Guide);
  static_cast<Guide&>(*model.row(guideRow).item).frictionCoefficient = guideFriction;
  const int stopRow = PipeRow(model, 30, ElementType::Pipe, 120.0f);
  PutItem(model, stopRow, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(stopRow).item);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  stop.frictionCoefficient = stopFriction;
  SetCases(model, {8});
  MakeModel(model);
}

// The refusal of CheckModelAnalysable, and the row it names.
std::string Refusal(const Model& model, int& row) {
  row = 0;
  try {
    CheckModelAnalysable(model, &row);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

TEST_F(SupportFrictionCheckTest, ANegativeFrictionFromAModelFileIsRefusedBeforeTheRunWithItsRowAndValue) {
  {
    Model written;
    GuideAndStop(written, path_, -0.3f, -0.25f);
    ASSERT_EQ(WriteModelFileFrom(written, path_), "");
  }
  Model& model = TheModel();
  ASSERT_NO_THROW(ReadModelFileInto(path_, model));  // the file opens without a word
  model.path = path_;
  int row = 0;
  EXPECT_EQ(Refusal(model, row), "Row 2: Guide: the friction coefficient, -0.3, must be 0 or more.");
  EXPECT_EQ(row, 2);
  // The run itself checks first: no step runs and no results stay.
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "the run went on";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 2: Guide: the friction coefficient, -0.3, must be 0 or more.");
  }
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));

  static_cast<Guide&>(*model.row(2).item).frictionCoefficient = 0.3f;
  EXPECT_EQ(Refusal(model, row), "Row 3: Limit stop: the friction coefficient, -0.25, must be 0 or more.");
  EXPECT_EQ(row, 3);
  // The model was not changed by the refusals.
  EXPECT_EQ(static_cast<const LimitStop&>(*model.row(3).item).frictionCoefficient, -0.25f);
}

TEST_F(SupportFrictionCheckTest, AFrictionOfZeroOrMoreRuns) {
  Model& model = TheModel();
  GuideAndStop(model, path_, 0.0f, 0.3f);
  int row = 0;
  EXPECT_EQ(Refusal(model, row), "");
  EXPECT_EQ(row, 0);
  EXPECT_NO_THROW(RunAnalysis(model, SilentProgress()));
  EXPECT_TRUE(std::filesystem::exists(ResultsPathOf(path_)));
}

}  // namespace
