// Pipe loads among the rows: a load in use as a row's load or as a jacket
// load, renaming through every row, the merge of another model's loads
// (clashes renamed through one map from the original names, jacket loads
// included, refused when no name is free), and the list's cell texts.
#include <gtest/gtest.h>

#include <vector>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "loads/PipeLoadUse.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/BeamLoad.h"
#include "records/PipeLoad.h"

namespace {

PipeLoad Named(const std::string& name, float t1 = 300.0f) {
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = name;
  load.operating[0].temperature = t1;
  return load;
}

void AddRow(std::vector<LayoutRow>& rows, ElementType type, const std::string& load) {
  LayoutRow row;
  row.elementType = type;
  row.element = CreateElementData(type);
  row.load = load;
  rows.push_back(std::move(row));
}

std::string& JacketLoad(LayoutRow& row) {
  if (auto* pipe = dynamic_cast<JacketedPipe*>(row.element.get())) return pipe->jacketLoad;
  return dynamic_cast<JacketedBend&>(*row.element).jacketLoad;
}

class PipeLoadRules : public ::testing::Test {
 protected:
  Model model;
  void SetUp() override {
    InitEmptyModel(model, AnalysisOptions());
    AppendPipeLoad(model.pipeLoads, Named("L1"));
    AppendPipeLoad(model.pipeLoads, Named("L2"));
    AppendPipeLoad(model.pipeLoads, Named("JK"));
    BeamLoad beam;
    beam.name = "B1";
    AppendBeamLoad(model.beamLoads, beam);
    model.rowCount = 2;
    model.row(1).elementType = ElementType::Pipe;
    model.row(1).load = "L1";
    model.row(2).elementType = ElementType::JacketedBend;
    model.row(2).element = CreateElementData(ElementType::JacketedBend);
    model.row(2).load = "L1";
    JacketLoad(model.row(2)) = "JK";
  }
};

}  // namespace

TEST_F(PipeLoadRules, InUseByRowsAndJacketsAndRenamedEverywhere) {
  EXPECT_TRUE(IsPipeLoadInUse(model, 1));
  EXPECT_FALSE(IsPipeLoadInUse(model, 2));
  EXPECT_TRUE(IsPipeLoadInUse(model, 3));  // only the jacket load of a jacketed bend
  EXPECT_FALSE(IsPipeLoadInUse(model, 4));
  model.pipeLoads[2].name.clear();
  EXPECT_FALSE(IsPipeLoadInUse(model, 2));
  RenamePipeLoad(model, FindPipeLoadByName(model.pipeLoads, "JK"), "JKT");
  RenamePipeLoad(model, 1, "STEAM");
  EXPECT_EQ(model.row(1).load, "STEAM");
  EXPECT_EQ(model.row(2).load, "STEAM");
  EXPECT_EQ(JacketLoad(model.row(2)), "JKT");
  EXPECT_EQ(FindPipeLoadByName(model.pipeLoads, "STEAM"), 1);
  EXPECT_EQ(FindPipeLoadByName(model.pipeLoads, "L1"), 0);
  EXPECT_TRUE(model.modified);
}

TEST_F(PipeLoadRules, MergeRenamesClashesThroughOneMapOfTheOriginalNames) {
  ModelRecordTable<PipeLoad> merged;
  for (const char* name : {"L1", "1", "B1", "NEW"}) AppendPipeLoad(merged, Named(name, 500.0f));
  std::vector<LayoutRow> rows(1);  // row 0 unused
  AddRow(rows, ElementType::Pipe, "L1");
  AddRow(rows, ElementType::Pipe, "1");
  AddRow(rows, ElementType::JacketedPipe, "NEW");
  JacketLoad(rows[3]) = "B1";
  rows.emplace_back();  // the spare row after the merged ones
  MergePipeLoads(model, merged, rows, 3);
  ASSERT_EQ(model.pipeLoads.count, 7);
  EXPECT_EQ(model.pipeLoads.capacity, 7);
  std::vector<std::string> names;
  for (int index = 1; index <= model.pipeLoads.count; ++index) names.push_back(model.pipeLoads[index].name);
  // L1 clashes with the model's load and takes "2", since "1" is a merged
  // name; B1 clashes with a beam load and takes "3".
  EXPECT_EQ(names, (std::vector<std::string>{"L1", "L2", "JK", "2", "1", "3", "NEW"}));
  EXPECT_EQ(model.pipeLoads[4].operating[0].temperature, 500.0f);
  EXPECT_EQ(rows[1].load, "2");
  EXPECT_EQ(rows[2].load, "1");  // not renamed again through "L1" -> "2"
  EXPECT_EQ(rows[3].load, "NEW");
  EXPECT_EQ(JacketLoad(rows[3]), "3");
  // The open model's rows keep their names.
  EXPECT_EQ(model.row(1).load, "L1");
}

TEST_F(PipeLoadRules, MergeWithoutAFreeNameIsRefusedAndChangesNothing) {
  for (int number = 1; number <= 999; ++number) AppendPipeLoad(model.pipeLoads, Named(std::to_string(number)));
  const int count = model.pipeLoads.count;
  ModelRecordTable<PipeLoad> merged;
  AppendPipeLoad(merged, Named("NEW"));
  AppendPipeLoad(merged, Named("L2"));
  std::vector<LayoutRow> rows(1);
  AddRow(rows, ElementType::Pipe, "L2");
  rows.emplace_back();
  try {
    MergePipeLoads(model, merged, rows, 1);
    ADD_FAILURE() << "the merge found a name";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to merge: no free name for the pipe load L2");
  }
  EXPECT_EQ(model.pipeLoads.count, count);
  EXPECT_EQ(rows[1].load, "L2");
}

TEST(PipeLoadCells, PairsInUseDesignValuesGravityAndWind) {
  PipeLoad load = Named("L1");
  load.operating[1] = {400.0f, 150.0f};
  load.designTemperature = 450.0f;
  load.designPressure = 0.0f;
  load.specificGravity = 1.5f;
  EXPECT_EQ(PipeLoadCellText(load, 1, 1), "L1");
  EXPECT_EQ(PipeLoadCellText(load, 2, 1), "300");
  EXPECT_EQ(PipeLoadCellText(load, 3, 1), "0");  // the not-given pressure
  EXPECT_EQ(PipeLoadCellText(load, 4, 1), "");   // T2 not in use
  EXPECT_EQ(PipeLoadCellText(load, 4, 2), "400");
  EXPECT_EQ(PipeLoadCellText(load, 5, 2), "150");
  EXPECT_EQ(PipeLoadCellText(load, 22, 1), "450");
  EXPECT_EQ(PipeLoadCellText(load, 23, 1), "");
  EXPECT_EQ(PipeLoadCellText(load, 24, 1), "1.5");
  EXPECT_EQ(PipeLoadCellText(load, 26, 1), "Y");
  load.wind = 0;
  EXPECT_EQ(PipeLoadCellText(load, 26, 1), "");
  EXPECT_EQ(PipeLoadHeadingText(21, 0), "P10");
  EXPECT_EQ(PipeLoadHeadingText(20, 1), "(F)");
  EXPECT_EQ(PipeLoadHeadingText(24, 1), "gravity");
}
