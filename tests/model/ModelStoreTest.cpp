// The model store: a new empty model's defaults, clearing, swapping, the
// record tables, the revision record and its file section, and row texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "editing/RowText.h"
#include "model/ModelBuilder.h"
#include "model/RevisionRecord.h"
#include "records/RecordTable.h"
#include "services/BinaryFile.h"
#include "supports/Hanger.h"
#include "supports/Restraint.h"

namespace {

std::string TempPath(const std::string& name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + name;
}

TEST(ModelStore, NewEmptyModelTakesItsDefaultsAndKeepsTheProgramOptions) {
  AnalysisOptions program;
  program.PipingCode = 3;
  program.BourdonEffect = 1;
  program.ReferenceTemperature = 20.0f;
  program.ModeCount = 4;
  Model model;
  model.rowCount = 1;
  model.row(1).node = 10;
  InitEmptyModel(model, program);
  EXPECT_EQ(model.rowCount, 0);
  EXPECT_EQ(model.row(1).node, 0);
  EXPECT_EQ(model.nodeIncrement, 10);
  EXPECT_FLOAT_EQ(model.options.OccasionalLoadFactor, 1.2f);
  EXPECT_EQ(model.options.Z184ClassLocation, 1);
  EXPECT_FLOAT_EQ(model.options.ReferenceTemperature, 70.0f);
  EXPECT_EQ(model.options.ThermalCycles, 7000);
  EXPECT_FLOAT_EQ(model.options.PeakPressureFactor, 1.0f);
  EXPECT_FLOAT_EQ(model.options.YieldDisplacementFactor, 0.04f);
  EXPECT_EQ(model.options.CutOffFrequency, 33);
  EXPECT_EQ(model.options.ModeCount, 20);
  EXPECT_EQ(model.options.ThermalLoadCount, 1);
  EXPECT_EQ(model.options.BourdonEffect, 1);  // kept from the program's options
  EXPECT_EQ(model.options.PipingCode, 3);
  EXPECT_EQ(model.seismic.combination, 2);
  EXPECT_EQ(model.loadCases.count, 0);
  for (int id : {1, 2, 8, 124}) EXPECT_EQ(model.loadCases.selected[static_cast<std::size_t>(id)], 1) << id;
  EXPECT_EQ(model.loadCases.selected[32], 0);
  EXPECT_EQ(model.graphics.viewSetting, 1);
  EXPECT_FLOAT_EQ(model.graphics.factor1, 1.0f);
  EXPECT_EQ(model.graphics.show[kShowAnchors], 1);
  EXPECT_EQ(model.currentRow, 1);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(model.materials.count, 0);
  EXPECT_EQ(model.materials.capacity, 0);
  EXPECT_EQ(model.materials.records.size(), 2u);
  ASSERT_EQ(model.spectra.size(), 1u);  // only the blank entry
  EXPECT_EQ(model.spectra[0].name, "");

  program.PipingCode = 0;
  InitEmptyModel(model, program);
  for (int id : {1, 2, 8, 124}) EXPECT_EQ(model.loadCases.selected[static_cast<std::size_t>(id)], 0) << id;
  EXPECT_EQ(model.loadCases.selected[32], 1);
}

TEST(ModelStore, SwapHandsThePreviousModelBack) {
  Model mine;
  InitEmptyModel(mine, AnalysisOptions{});
  mine.title = "Mine";
  AddRow(mine, 10, ElementType::From);
  SwapModel(mine);
  EXPECT_EQ(TheModel().title, "Mine");
  EXPECT_EQ(TheModel().rowCount, 1);
  EXPECT_EQ(&CurrentNodeTable(), &TheModel().nodes);
  SwapModel(mine);
  EXPECT_EQ(mine.title, "Mine");
}

struct Named {
  std::string name;
  int value = 0;
};

TEST(RecordTable, GrowthSizingAndLookupByName) {
  ModelRecordTable<Named> table;
  EXPECT_EQ(FindRecordByName(table, "A"), 0);
  EXPECT_EQ(ModelRecordTableAppend(table, 4), 1);
  EXPECT_EQ(table.capacity, 4);
  table[1].name = "A";
  for (int i = 0; i < 4; ++i) ModelRecordTableAppend(table, 4);
  EXPECT_EQ(table.count, 5);
  EXPECT_EQ(table.capacity, 8);
  EXPECT_EQ(table[1].name, "A");  // growing keeps the records
  table[5].name = "E";
  EXPECT_EQ(FindRecordByName(table, "E"), 5);
  EXPECT_EQ(FindRecordByName(table, ""), 0);
  EXPECT_EQ(FindRecordByName(table, "Z"), 0);
  ModelRecordTableSizeForRead(table, 3);
  EXPECT_EQ(table.count, 3);
  EXPECT_EQ(table.capacity, 3);
  EXPECT_EQ(table.records.size(), 5u);
  EXPECT_EQ(table[1].name, "");
}

std::string SectionBytes(const RevisionRecord& record) {
  const std::string path = TempPath("revisions.bin");
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenWrite(file, path));
  WriteRevisionRecord(file, record);
  EXPECT_TRUE(BinaryFileClose(file));
  EXPECT_FALSE(BinaryFileHasError(file));
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ReadSection(const std::string& bytes, RevisionRecord& record) {
  const std::string path = TempPath("revisions.bin");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  ReadRevisionRecord(file, record);
}

TEST(RevisionRecord, FourCharacterMarkFillsItsFieldAndReadsBackWhole) {
  RevisionRecord record;
  AppendRevisionRow(record);
  record.rows[1] = {"ABCD", "Dec 6,2026", "Issued for review"};
  const std::string bytes = SectionBytes(record);
  ASSERT_EQ(bytes.size(), 4u + 84u);
  EXPECT_EQ(bytes.substr(4, 4), "ABCD");  // no room for a terminator in the file
  RevisionRecord read;
  ReadSection(bytes, read);
  EXPECT_EQ(read.count, 1);
  EXPECT_EQ(read.rows[1].rev, "ABCD");
  EXPECT_EQ(read.rows[1].remarks, "Issued for review");
}

TEST(RevisionRecord, AtMost160RowsAndADamagedCountLeavesTheRecord) {
  RevisionRecord record;
  for (int row = 0; row < kMaxRevisionRows; ++row) AppendRevisionRow(record);
  try {
    AppendRevisionRow(record);
    FAIL() << "a 161st row was appended";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Maximum number of revision control rows exceeded");
  }
  EXPECT_EQ(record.count, kMaxRevisionRows);

  RevisionRecord kept;
  AppendRevisionRow(kept);
  kept.rows[1].rev = "K";
  std::string bytes = SectionBytes(record);
  bytes[0] = static_cast<char>(161);  // count 161
  EXPECT_THROW(ReadSection(bytes, kept), std::string);
  EXPECT_EQ(kept.count, 1);
  EXPECT_EQ(kept.rows[1].rev, "K");
  // A truncated section is refused too.
  EXPECT_THROW(ReadSection(SectionBytes(record).substr(0, 100), kept), std::string);
  EXPECT_EQ(kept.count, 1);
}

TEST(RowText, LayoutCellsAndDataSubtypes) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  AddRow(model, 10, ElementType::From);
  const int pipe = AddRow(model, 20, ElementType::Pipe, 0.0f, -0.0f, 0.0f);
  model.row(pipe).absolute = true;
  model.row(pipe).material = "A106";
  PutItem(model, pipe, DataType::Restraint);
  auto& restraint = dynamic_cast<Restraint&>(*model.row(pipe).item);
  restraint.restrainX = 1;
  restraint.restrainY = 1;
  EXPECT_EQ(LayoutRowCellText(model, pipe, 1), "20*");
  EXPECT_EQ(LayoutRowCellText(model, pipe, 3), "");  // exactly 0
  EXPECT_EQ(LayoutRowCellText(model, pipe, 4), "");  // -0 too
  EXPECT_EQ(LayoutRowCellText(model, pipe, 6), "A106");
  EXPECT_EQ(LayoutRowCellText(model, 1, 9), "");
  EXPECT_EQ(DataItemSubtype(model.row(pipe)), 4);  // XY
  restraint.restrainY = 0;
  restraint.restrainZ = 1;
  EXPECT_EQ(DataItemSubtype(model.row(pipe)), 6);  // XZ

  const int hangerRow = AddRow(model, 30, ElementType::Pipe, 10.0f);
  PutItem(model, hangerRow, DataType::Hanger);
  dynamic_cast<Hanger&>(*model.row(hangerRow).item).kind = kRodHanger;
  EXPECT_EQ(DataItemSubtype(model.row(hangerRow)), 2);
  // Column 1 of an element list is the "from" node; row 1 has none.
  EXPECT_EQ(RowItemText(model, 1, 1), "");
  EXPECT_EQ(RowItemText(model, hangerRow, 2), "30");
}

}  // namespace
