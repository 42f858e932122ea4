// The batch file grammar: the two field splitters, section headers and the
// end word, the title, physical line numbers under every line ending, and
// lines far longer than the old 255-character buffer.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "BatchTesting.h"
#include "elements/CommentData.h"
#include "files/ModelBatchFile.h"
#include "model/RowObjects.h"

namespace {

std::vector<std::string> Split(const std::string& text, bool commasOnly) {
  BatchFieldCursor cursor;
  StartBatchFields(cursor, text);
  std::vector<std::string> fields;
  while (const std::optional<std::string> field = commasOnly ? NextBatchCommaField(cursor) : NextBatchField(cursor))
    fields.push_back(*field);
  return fields;
}

using Fields = std::vector<std::string>;

TEST(BatchSplitterTest, SeparatorsGroupsAndEmptyFields) {
  EXPECT_EQ(Split("T30,KA,X120,CFREEY,L=LD1", false), (Fields{"T30", "KA", "X120", "CFREEY", "L=LD1"}));
  // Blanks separate for one splitter and belong to the field for the other.
  EXPECT_EQ(Split("  A1 B2,C3", false), (Fields{"A1", "B2", "C3"}));
  EXPECT_EQ(Split("  K-101 FEED, 2 ,3", true), (Fields{"K-101 FEED", "2", "3"}));
  // A group is one field; an unclosed one runs to the end.
  EXPECT_EQ(Split("OFFSET(1, 2, 3),X", false), (Fields{"OFFSET(1, 2, 3)", "X"}));
  EXPECT_EQ(Split("DIS(1, 2", false), (Fields{"DIS(1, 2"}));
  // Two commas give an empty field, a blank then a comma too (blank-and-comma
  // only); a trailing comma gives none.
  EXPECT_EQ(Split("A,,B", false), (Fields{"A", "", "B"}));
  EXPECT_EQ(Split("A ,B", false), (Fields{"A", "", "B"}));
  EXPECT_EQ(Split("A ,B", true), (Fields{"A", "B"}));
  EXPECT_EQ(Split("A,B,", false), (Fields{"A", "B"}));
  EXPECT_EQ(Split("   ", false), Fields{});
}

TEST(BatchSplitterTest, CursorsAreIndependentAndRestartOnTheirOwnCopy) {
  BatchFieldCursor blanks, commas;
  std::string text = "A1 X,B2";
  StartBatchFields(blanks, text);
  StartBatchFields(commas, text);
  text = "changed";
  EXPECT_EQ(NextBatchField(blanks), "A1");
  EXPECT_EQ(NextBatchCommaField(commas), "A1 X");
  EXPECT_EQ(NextBatchField(blanks), "X");
  EXPECT_EQ(blanks.fieldStart, 3u);
  EXPECT_EQ(NextBatchCommaField(commas), "B2");
  EXPECT_EQ(NextBatchField(blanks), "B2");
  EXPECT_EQ(NextBatchField(blanks), std::nullopt);
  EXPECT_EQ(NextBatchField(blanks), std::nullopt);
}

TEST(BatchHeaderTest, HeaderWordsByTheirFirstFiveLetters) {
  EXPECT_EQ(BatchHeaderSection("MATER"), kBatchMaterial);
  EXPECT_EQ(BatchHeaderSection("PIPE"), kBatchPipe);
  EXPECT_EQ(BatchHeaderSection("PIPES"), std::nullopt);
  EXPECT_EQ(BatchHeaderSection("WIND"), kBatchWind);
  EXPECT_EQ(BatchHeaderSection("ALLOW"), kBatchAllow);
  EXPECT_EQ(BatchHeaderSection("COD"), std::nullopt);

  // Every spelling of a header opens its section, with text after the word;
  // a line that is no header is a data line of the section in force.
  std::istringstream input("Title\r\nmaterials\r\nX1\nMaterials of the line\nPIPES\rLAYOUT ROWS\nCOD\nT10\n");
  BatchReader reader;
  reader.input = &input;
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchTitle);
  EXPECT_EQ(reader.rawLine, "Title");
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchMaterial);
  EXPECT_EQ(reader.lineNumber, 3);
  EXPECT_EQ(reader.line, "X1");
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchMaterial);
  EXPECT_EQ(reader.line, "PIPES");
  EXPECT_EQ(reader.lineNumber, 5);
  EXPECT_EQ(NextBatchField(reader.fields), std::nullopt);  // the cursor stands after the first field
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchEnd);  // LAYOUT, then COD; T10 is never read
  EXPECT_EQ(reader.lineNumber, 7);
  EXPECT_EQ(reader.headersRead, 3);
}

TEST(BatchHeaderTest, EquipmentWordsAreDataInTheirOwnSection) {
  std::istringstream input("T\nPUMPS\nPUMPS 1A,1,10,20\nPIPE\nS1,1,0.1\n");
  BatchReader reader;
  reader.input = &input;
  ReadBatchSectionHeader(reader);
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchPumps);
  EXPECT_EQ(reader.line, "PUMPS 1A,1,10,20");
  ReadBatchSectionHeader(reader);
  EXPECT_EQ(reader.section, kBatchPipe);
  EXPECT_EQ(reader.lineNumber, 5);
}

class BatchFileTest : public BatchFixture {};

TEST_F(BatchFileTest, TitleKeepsItsCaseAndIsCutTo48) {
  Model model;
  std::vector<std::string> log;
  const std::string title = "Steam Line to Turbine T-1, Unit 2, Boiler House North";
  ASSERT_EQ(Import("\n" + title + "\nignored line\nOPTIONS\n", model, &log), "");
  EXPECT_EQ(model.title, title.substr(0, 48));
  ASSERT_EQ(model.rowCount, 1);
  EXPECT_EQ(model.row(1).elementType, ElementType::Comment);
  EXPECT_EQ(model.row(1).element->Text(), "Title = " + title.substr(0, 48));
  EXPECT_EQ(log, std::vector<std::string>{"Line 2: Title cut to 48 characters"});

  // A file that starts with a header has no title and no title row.
  Model untitled;
  ASSERT_EQ(Import("OPTIONS\nB313\n", untitled), "");
  EXPECT_TRUE(untitled.title.empty());
  EXPECT_EQ(untitled.rowCount, 0);
}

TEST_F(BatchFileTest, ErrorsNameThePhysicalLineUnderEveryLineEnding) {
  // Line 5 is the bad one whether lines end in LF, CR LF or CR alone; blank
  // lines and header lines count.
  for (const char* end : {"\n", "\r\n", "\r"}) {
    const std::string e = end;
    Model model;
    EXPECT_EQ(Import("T" + e + e + "PIPE" + e + "S1,8.625,0.322" + e + "S2,2,1.5" + e, model),
              LineError(5, "S2,2,1.5", "Thickness is greater than radius"))
        << "line end " << static_cast<int>(end[0]);
  }
}

TEST_F(BatchFileTest, LongLinesAreReadWhole) {
  // An attribute list far past 255 characters still reaches its last entry.
  std::string line = "T20,KA,C";
  for (int i = 0; i < 40; ++i) line += "DIS(0.001,0,0),";
  line += "FREEZ";
  Model model;
  ASSERT_EQ(Import("T\nLAYOUT\nF10\n" + line + "\nT30,X1\n", model), "");
  ASSERT_EQ(model.rowCount, 4);
  ASSERT_EQ(model.row(3).dataType, DataType::Anchor);
  EXPECT_EQ(model.row(4).node, 30);

  Model refused;
  const std::string bad = line + ",XYZ";
  EXPECT_EQ(Import("T\nLAYOUT\nF10\n" + bad + "\n", refused), LineError(4, bad, "Unknown comment :  XYZ"));
}

TEST_F(BatchFileTest, EndWordEndsTheDataAndJointLinesAreIgnored) {
  Model model;
  ASSERT_EQ(Import("T\nJOINT\nanything at all\nLAYOUT\nF10\nCOD\nT20,QQQ\n", model), "");
  EXPECT_EQ(model.rowCount, 2);
  // CODE is not the end word: in LAYOUT it is an attribute list.
  Model other;
  EXPECT_EQ(Import("T\nLAYOUT\nCODE\n", other), LineError(3, "CODE", "Unknown comment :  ODE"));
}

TEST_F(BatchFileTest, EquipmentSectionsAreRefusedLineByLine) {
  Model model;
  // Their headers alone are harmless; a data line is never passed over.
  ASSERT_EQ(Import("T\nPUMPS\n\nCOMPRESSORS\nLAYOUT\nF10\n", model), "");
  EXPECT_EQ(Import("T\nPUMPS\nPUMPS 1A,1,10,20\n", model),
            LineError(3, "PUMPS 1A,1,10,20", "The PUMPS section is not available yet"));
  EXPECT_EQ(Import("T\nALLOW\n55,1000,1000,1000,2000,2000,2000\n", model),
            LineError(3, "55,1000,1000,1000,2000,2000,2000", "The ALLOW section is not available yet"));
}

}  // namespace
