// The example models a user opens first: each reads, its pipe loads pass
// the checks of the pipe-load dialog (design temperature and pressure at
// least every operating value in use, so that allowables are taken at a
// temperature the line reaches), it carries load cases and it analyses,
// one results block per case. The big model is big: a plant rack of
// several hundred rows with its branches, bends, supports and three
// thermal states.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/AnalysisTesting.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/Regenerate.h"
#include "records/PipeLoad.h"
#include "services/TempFiles.h"

namespace {

namespace fs = std::filesystem;

int RowsOf(const Model& model, ElementType type) {
  int count = 0;
  for (int row = 1; row <= model.rowCount; ++row) count += model.row(row).elementType == type ? 1 : 0;
  return count;
}
int RowsOf(const Model& model, DataType type) {
  int count = 0;
  for (int row = 1; row <= model.rowCount; ++row) count += model.row(row).dataType == type ? 1 : 0;
  return count;
}

class ExampleModelsTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    folder_ = fs::path(TempFolder()) / "examples";
    fs::create_directories(folder_);
    path_ = (folder_ / GetParam()).string();
    fs::copy_file(fs::path(QUORVEL_SOURCE_DIR) / "examples" / GetParam(), path_,
                  fs::copy_options::overwrite_existing);
  }
  void TearDown() override {
    InitEmptyModel(TheModel(), AnalysisOptions());
    fs::remove_all(folder_);
  }

  fs::path folder_;
  std::string path_;
};

TEST_P(ExampleModelsTest, OpensPassesThePipeLoadChecksAndAnalyses) {
  // Opened as File > Open does: read, then made the open model.
  ASSERT_EQ(ReadModelFile(path_), "");
  Model& model = TheModel();
  ASSERT_GT(model.pipeLoads.count, 0);
  const int thermal = model.options.ThermalLoadCount;
  for (int record = 1; record <= model.pipeLoads.count; ++record) {
    const PipeLoad& load = model.pipeLoads[record];
    EXPECT_TRUE(DesignTemperatureCoversOperating(load, thermal)) << load.name << ": " << kDesignTemperatureMessage;
    EXPECT_TRUE(DesignPressureCoversOperating(load, thermal)) << load.name << ": " << kDesignPressureMessage;
    // Hot lines are designed hot: never at the reference temperature.
    EXPECT_GT(load.designTemperature, model.options.ReferenceTemperature) << load.name;
  }
  ASSERT_GT(model.loadCases.count, 0);
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(model);
  EXPECT_EQ(static_cast<int>(run.contents.cases.size()) - 1, model.loadCases.count);
  for (int entry = 1; entry <= model.loadCases.count; ++entry)
    EXPECT_EQ(run.contents.cases[static_cast<std::size_t>(entry)].type,
              model.loadCases.cases[static_cast<std::size_t>(entry)]);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleModelsTest, ::testing::Values("Sample.mod", "SteamLine.mod", "BigModel.mod"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

TEST(BigExampleModel, IsAPlantRackWithBranchesLoopsAndThreeThermalStates) {
  Model model;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/BigModel.mod", model);
  EXPECT_GE(model.rowCount, 500);
  EXPECT_LE(model.rowCount, 2000);
  EXPECT_EQ(model.options.ThermalLoadCount, 3);
  EXPECT_GE(RowsOf(model, ElementType::Bend), 100);
  EXPECT_GE(RowsOf(model, ElementType::From), 40);  // the lines and their take-offs
  EXPECT_GE(RowsOf(model, DataType::Anchor), 40);
  EXPECT_GE(RowsOf(model, DataType::Restraint), 150);
  RegenerateModel(model);
  EXPECT_GE(model.lists[RowListKind::BranchNodes].count, 40);
  // Every case of the three thermal states is run.
  for (int type : {1, 2, 3, 4, 8, 9, 10}) {
    bool listed = false;
    for (int entry = 1; entry <= model.loadCases.count; ++entry)
      listed = listed || model.loadCases.cases[static_cast<std::size_t>(entry)] == type;
    EXPECT_TRUE(listed) << type;
  }
}

}  // namespace
