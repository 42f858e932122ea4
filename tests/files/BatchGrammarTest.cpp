// The batch file grammar: the two field splitters, section headers and the
// end word, the title, physical line numbers under every line ending, and
// lines far longer than the old 255-character buffer.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "records/ModelBatchFile.h"

namespace {

using Fields = std::vector<std::string>;

Fields Split(const std::string& text, bool commasOnly) {
  BatchFieldCursor cursor;
  StartBatchFields(cursor, text);
  Fields fields;
  while (const std::optional<std::string> field = commasOnly ? NextBatchCommaField(cursor) : NextBatchField(cursor))
    fields.push_back(*field);
  return fields;
}

TEST(BatchSplitterTest, SeparatorsGroupsAndEmptyFields) {
  EXPECT_EQ(Split("T30,KA,X120,CFREEY,L=LD1", false), (Fields{"T30", "KA", "X120", "CFREEY", "L=LD1"}));
  // Blanks separate for one splitter and belong to the field for the other.
  EXPECT_EQ(Split("  A1 B2,C3", false), (Fields{"A1", "B2", "C3"}));
  EXPECT_EQ(Split("  K-101 FEED, 2 ,3", true), (Fields{"K-101 FEED", "2", "3"}));
  // A group is one field; an unclosed one runs to the end.
  EXPECT_EQ(Split("OFFSET(1, 2, 3),X", false), (Fields{"OFFSET(1, 2, 3)", "X"}));
  EXPECT_EQ(Split("DIS(1, 2", false), (Fields{"DIS(1, 2"}));
  // Two commas give an empty field, and so does a blank then a comma for the
  // blank-and-comma splitter; a trailing comma gives none.
  EXPECT_EQ(Split("A,,B", false), (Fields{"A", "", "B"}));
  EXPECT_EQ(Split("A ,B", false), (Fields{"A", "", "B"}));
  EXPECT_EQ(Split("A ,B", true), (Fields{"A", "B"}));
  EXPECT_EQ(Split("A,B,", false), (Fields{"A", "B"}));
  EXPECT_EQ(Split("   ", false), Fields{});
}

TEST(BatchHeaderTest, HeadersByTheirFirstFiveLettersAndTheEndWord) {
  // Every spelling opens its section, with text after the word; PIPES is a
  // data line of the section in force; a data line of PUMPS may start with
  // PUMPS; after COD nothing is read.
  std::istringstream input(
      "Title\r\nmaterials\r\nX1\nMaterials of the line\nPIPES\rPUMPS\nPUMPS 1A,1\nPIPE\nS1\nLAYOUT ROWS\nCOD\nT10\n");
  BatchReader reader;
  reader.input = &input;
  std::vector<std::pair<std::int32_t, std::string>> read;
  for (ReadBatchSectionHeader(reader); reader.section != kBatchEnd; ReadBatchSectionHeader(reader))
    read.emplace_back(reader.section, std::to_string(reader.lineNumber) + " " + reader.line);
  EXPECT_EQ(read, (std::vector<std::pair<std::int32_t, std::string>>{{kBatchTitle, "1 TITLE"},
                                                                     {kBatchMaterial, "3 X1"},
                                                                     {kBatchMaterial, "5 PIPES"},
                                                                     {kBatchPumps, "7 PUMPS 1A,1"},
                                                                     {kBatchPipe, "9 S1"}}));
  EXPECT_EQ(reader.lineNumber, 11);
  EXPECT_EQ(reader.headersRead, 5);
}

class BatchFileTest : public BatchFixture {};

TEST_F(BatchFileTest, TheTitleKeepsItsCaseAndIsCutTo48) {
  Model model;
  std::vector<std::string> log;
  const std::string title = "Steam Line to Turbine T-1, Unit 2, Boiler House North";
  ASSERT_EQ(Import("\n" + title + "\nignored line\nOPTIONS\n", model, &log), "");
  EXPECT_EQ(model.title, title.substr(0, 48));
  ASSERT_EQ(model.rowCount, 1);
  EXPECT_EQ(model.row(1).element->Text(), "Title = " + title.substr(0, 48));
  EXPECT_EQ(log, Fields{"Line 2: Title cut to 48 characters"});
  // A file that starts with a header has no title and no title row.
  Model untitled;
  ASSERT_EQ(Import("OPTIONS\nB313\n", untitled), "");
  EXPECT_TRUE(untitled.title.empty());
  EXPECT_EQ(untitled.rowCount, 0);
}

TEST_F(BatchFileTest, ErrorsNameThePhysicalLineUnderEveryLineEnding) {
  // Line 5 is the bad one whether lines end in LF, CR LF or CR alone; blank
  // and header lines count.
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    Model model;
    EXPECT_EQ(Import("T" + end + end + "PIPE" + end + "S1,8.625,0.322" + end + "S2,2,1.5" + end, model),
              LineError(5, "S2,2,1.5", "Thickness is greater than radius"));
  }
}

TEST_F(BatchFileTest, ControlCharactersByteOrderMarksAndTheEndOfFileMark) {
  // A NUL or another control character is refused where it stands, the line
  // shown with it made visible; blanks of every kind separate fields.
  Model model;
  EXPECT_EQ(Import(std::string("T\nPIPE\nS1,8.6") + '\0' + "25,0.322\n", model),
            LineError(3, "S1,8.6?25,0.322", "Invalid character (code 0) in column 7"));
  EXPECT_EQ(Import("T\nLAYOUT\nF10\nT20,X5\x7F\n", model),
            LineError(4, "T20,X5?", "Invalid character (code 127) in column 7"));
  EXPECT_EQ(Import("Ti\x1btle\nLAYOUT\n", model), LineError(1, "Ti?tle", "Invalid character (code 27) in column 3"));
  ASSERT_EQ(Import("T\nPIPE\nS1\t8.625\v0.322\f0.05\n", model), "");
  EXPECT_EQ(model.sections[1].corrosionAllowance, 0.05f);

  // A UTF-8 mark is passed over, so the first line is still a header; a
  // UTF-16 file is refused whole.
  Model marked;
  ASSERT_EQ(Import("\xEF\xBB\xBFOPTIONS\nSI\nPIPE\nS1,219.075,8.18\n", marked), "");
  EXPECT_TRUE(marked.title.empty());
  EXPECT_NEAR(marked.sections[1].outsideDiameter, 8.625, 1e-5);
  EXPECT_EQ(Import("\xFE\xFF\0O\0P", marked), "The file is UTF-16 text.\nSave it as plain text and import it again.");

  // Ctrl+Z as the last byte ends the file; anywhere else it is refused.
  Model ended;
  ASSERT_EQ(Import("T\nLAYOUT\nF10\nT20,X5\n\x1A", ended), "");
  EXPECT_EQ(ended.rowCount, 3);
  EXPECT_EQ(Import("T\nLAYOUT\nF10\x1A\nT20,X5\n", ended),
            LineError(3, "F10?", "Invalid character (code 26) in column 4"));
}

TEST_F(BatchFileTest, LongLinesAreReadWholeAndEquipmentLinesAreNeverPassedOver) {
  std::string line = "T20,X5,KA,C";
  for (int i = 0; i < 40; ++i) line += "DIS(0.001,0,0),";
  Model model;
  ASSERT_EQ(Import("T\nPUMPS\nP-1,1,5\nLAYOUT\nF10\n" + line + "FREEZ\nT30,X1\nJOINT\nanything\n", model), "");
  ASSERT_EQ(model.rowCount, 4);
  EXPECT_EQ(model.row(3).dataType, DataType::Anchor);
  EXPECT_EQ(model.row(4).node, 30);
  Model refused;
  EXPECT_EQ(Import("T\nLAYOUT\nF10\n" + line + "XYZ\n", refused), LineError(4, line + "XYZ", "Unknown comment :  XYZ"));
  // A blank line of an equipment section is a line without its description.
  EXPECT_EQ(Import("T\nPUMPS\nPUMPS 1A,1,10,20\n\n", refused), LineError(4, "", "Pump description is required"));
}

}  // namespace
