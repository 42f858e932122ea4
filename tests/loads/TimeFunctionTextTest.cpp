// The time function text files as the user reads them (the command with its
// open dialog and its message): the two-function file of F1 and F2, a file
// ending at its "-1.e11" line, a function ending there without points,
// negative times, values that are no numbers (a sign or a point without a
// digit among them), a time given twice, a name
// given twice, blank lines and lines longer than any buffer, each refusal
// with its line and the list left as it was; and the comma-separated export
// of every function.
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "loads/PointTablesTesting.h"
#include "loads/SpectrumFiles.h"
#include "loads/TimeFunctionFiles.h"
#include "records/PointTables.h"
#include "records/TimeFunction.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace {

class TimeFunctionTextTest : public PointTablesFixture {
 protected:
  static TimeFunctionList& Functions() { return TheModel().timeFunctions; }
  // A text file read by the command into an empty list: the open dialog
  // answered with the file, and the message it shows then checked. True
  // when functions were read.
  bool ReadText(const std::string& text, const std::vector<std::string>& box) {
    ClearTimeFunctions(Functions());
    const std::string path = Path("functions.txt");
    WriteText(path, text);
    ChooseFile("Read Time function from a Text File", path);
    ExpectBox(box);
    const bool read = ReadTimeFunctionsFromTextFile(ListFrame().window, 0);
    platform::CheckModalScript();
    return read;
  }
  // The text refused with `message`, the list left empty.
  void ExpectRefused(const std::string& text, const std::string& message) {
    EXPECT_FALSE(ReadText(text, MessageLines(message))) << text;
    EXPECT_FALSE(HasTimeFunctions(Functions())) << text;
  }
  // The functions the text was read into, in file order.
  std::vector<NamedPoints> Read(const std::string& text) {
    EXPECT_TRUE(ReadText(text, {"Time function was read from file: " + Path("functions.txt")})) << text;
    return {Functions().begin(), Functions().begin() + static_cast<std::ptrdiff_t>(SavedPointTableCount(Functions()))};
  }
};

TEST_F(TimeFunctionTextTest, TwoFunctionsSeparatedByTheEndMark) {
  const std::vector<NamedPoints> read = Read("F1\n0 0\n0.1 100\n-1.e11 ends F1\nF2\n0 5\n");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].name, "F1");
  ASSERT_EQ(read[0].points.size(), 2u);
  EXPECT_EQ(read[0].points[0].x, kExplicitZero);
  EXPECT_EQ(read[0].points[0].y, kExplicitZero);
  EXPECT_FLOAT_EQ(read[0].points[1].y, 100.0f);
  EXPECT_EQ(read[1].name, "F2");
  EXPECT_EQ(read[1].points[0].y, 5.0f);
  // The mark in capitals, blank lines and a negative value.
  const std::vector<NamedPoints> more = Read("A\r\n\r\n0.5 -3\r\n-1.E11\r\nB\r\n1 2\r\n\r\n");
  ASSERT_EQ(more.size(), 2u);
  EXPECT_EQ(more[0].points[0].y, -3.0f);
  // A typed 0 is kept where sorting drops a missing one.
  const std::vector<NamedPoints> tiny = Read("T\n0 -0.0\n1 2\n");
  ASSERT_EQ(tiny.size(), 1u);
  ASSERT_EQ(tiny[0].points.size(), 2u);
  EXPECT_EQ(tiny[0].points[0].x, kExplicitZero);
  EXPECT_EQ(tiny[0].points[0].y, kExplicitZero);
}

TEST_F(TimeFunctionTextTest, EveryFaultIsRefusedWithItsLine) {
  ExpectRefused("", "End of file reached");
  ExpectRefused("\n0 1\n", "File does not have time function name");
  ExpectRefused("F1\n0 0\n0.1 100\n-1.e11\n", "End of file reached");
  ExpectRefused("F1\n", "There are no time function data points");
  ExpectRefused("F1\n0 1\n-1.e11\nF2\n\n", "There are no time function data points");
  // A function that ends at the mark without points, like the last one.
  ExpectRefused("F1\n\n-1.e11\nF2\n0 1\n", "Line 3: -1.e11\nThere are no time function data points");
  ExpectRefused("F1\n0 1\n-0.5 2\n", "Line 3: -0.5 2\nTime should be positive");
  ExpectRefused("F1\n0 1\n0.5\n", "Line 3: 0.5\nInvalid time function values");
  ExpectRefused("F1\n0 1\n0.5 abc\n", "Line 3: 0.5 abc\nInvalid time function values");
  ExpectRefused("F1\n0 1\ninf 2\n", "Line 3: inf 2\nInvalid time function values");
  // A sign or a point without a digit before the exponent, which a cell
  // reads as 0, is no number in a file.
  ExpectRefused("F1\n0 1\n1 -.\n", "Line 3: 1 -.\nInvalid time function values");
  ExpectRefused("F1\n0 1\n1 .E5\n", "Line 3: 1 .E5\nInvalid time function values");
  ExpectRefused("F1\n0 0\n0.1 0\n0.1 100\n", "Line 4: 0.1 100\nThe time of line 3 is given again");
  // Times that go back would be sorted into another pulse.
  ExpectRefused("F1\n0 0\n0.5 1\n0.3 1\n1.0 0\n", "Line 4: 0.3 1\nTimes must ascend");
  ExpectRefused("F1\n0 1\n-1.e11\nF1\n0 2\n", "Line 4: F1\nTime function F1 is already in the file");
  // A time too small for a float (or below 1E-37) is refused, as a cell
  // refuses it.
  ExpectRefused("F1\n0 1\n5e-50 2\n",
                "Line 3: 5e-50 2\nInvalid time function values\nTime is out of range (a value is zero, or from 1E-37 "
                "up to 1E38)");
}

// A carriage return alone ends a line, in point tables and spectra alike.
TEST_F(TimeFunctionTextTest, ACarriageReturnAloneEndsALine) {
  for (const char* text : {"F1\n1 0.1\r2 0.3\n3 0.5\n", "F1\r1 0.1\r2 0.3\r3 0.5\r"}) {
    const std::vector<NamedPoints> read = Read(text);
    ASSERT_EQ(read.at(0).points.size(), 3u) << text;
    EXPECT_FLOAT_EQ(read[0].points[2].y, 0.5f);
  }
  std::istringstream spectrum("S\r0 0\r1 2\r2 3\r");
  EXPECT_EQ(ParseSpectrumText(spectrum).points.size(), 2u);
}

TEST_F(TimeFunctionTextTest, LongNamesAreCutAndLongLinesReadWhole) {
  const std::string name(40, 'N');
  const std::string padded = "1.5" + std::string(200, ' ') + "7";
  const std::vector<NamedPoints> read = Read(name + "\n" + padded + "\n");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].name, std::string(31, 'N'));
  EXPECT_EQ(read[0].points[0].x, 1.5f);
  EXPECT_EQ(read[0].points[0].y, 7.0f);
}

TEST_F(TimeFunctionTextTest, TheExportListsEveryFunctionAndItsPoints) {
  ClearTimeFunctions(Functions());
  SetLastTimeFunction(Functions(), "Pulse, short", {{kExplicitZero, kExplicitZero}, {0.05f, 250.5f}, {0.1f, -12.0f}});
  SetLastTimeFunction(Functions(), "Step", {{1.0f, 1000.0f}});
  const std::string csv = Path("TimeFunctions.csv");
  ChooseFile("Export to Comma Separated Values file", csv);
  EXPECT_TRUE(ExportTimeFunctions(ListFrame().window));
  platform::CheckModalScript();
  std::ifstream exported(csv, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(exported), std::istreambuf_iterator<char>()),
            "Time function = ,\"Pulse, short\"\r\nTime(Sec),Value\r\n0,0\r\n0.05,250.5\r\n0.1,-12\r\n\r\n"
            "Time function = ,Step\r\nTime(Sec),Value\r\n1,1000\r\n\r\n");
}

}  // namespace
