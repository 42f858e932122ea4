// Time functions without windows: the value at a time (the first value
// before the first point, the last after the last, linear between), the
// duration, and the text files the import reads or refuses, each refusal
// with its line: the two-function file of F1 and F2, a file ending at its
// "-1.e11" line, a function ending there without points, negative times,
// values that are no numbers, a time given twice, a name given twice,
// blank lines and lines longer than any buffer.
#include <gtest/gtest.h>

#include <sstream>

#include "loads/TimeFunctionFiles.h"
#include "records/PointTables.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"

namespace {

std::string Thrown(const std::string& text) {
  std::istringstream in(text);
  try {
    ParseTimeFunctionText(in);
  } catch (const std::string& message) {
    return message;
  }
  return "(nothing thrown)";
}

std::vector<NamedPoints> Parsed(const std::string& text) {
  std::istringstream in(text);
  return ParseTimeFunctionText(in);
}

TEST(TimeFunctionValues, FirstBeforeLastAfterAndLinearBetween) {
  TimeFunctionList list;
  ClearTimeFunctions(list);
  SetLastTimeFunction(list, "Ramp", {{kExplicitZero, 0.0f}, {1.0f, 100.0f}, {3.0f, -20.0f}});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(IsBlankPointTable(list.back()));
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 0.25f, 0), 25.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 2.0f, 0), 40.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, -1.0f, 0), 0.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 10.0f, 0), -20.0f);
  EXPECT_FLOAT_EQ(TimeFunctionDuration(list, 0), 3.0f);
  EXPECT_EQ(TimeFunctionDuration(list, 1), 0.0f);
  try {
    TimeFunctionValueAt(list, 1.0f, 1);
    ADD_FAILURE() << "no throw";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Interpolate on empty vector");
  }
}

TEST(TimeFunctionValues, NearDuplicateTimesAreFoundBeforeTheyAreDropped) {
  const std::vector<FloatPair> step{{kExplicitZero, 0.0f}, {0.1f, 0.0f}, {0.100000001f, 100.0f}, {1.0f, 100.0f}};
  EXPECT_EQ(FirstNearDuplicate(step), 2);
  const std::vector<FloatPair> kept = SortedPoints(step);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].y, 0.0f);  // the first of the two, as the points are kept
  EXPECT_EQ(FirstNearDuplicate({{0.2f, 1.0f}, {0.1f, 2.0f}, {0.3f, 3.0f}}), -1);
  EXPECT_EQ(FirstNearDuplicate({{0.3f, 1.0f}, {0.1f, 2.0f}, {0.3f, 3.0f}}), 2);
}

TEST(TimeFunctionText, TwoFunctionsSeparatedByTheEndMark) {
  const std::vector<NamedPoints> read = Parsed("F1\n0 0\n0.1 100\n-1.e11 ends F1\nF2\n0 5\n");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].name, "F1");
  ASSERT_EQ(read[0].points.size(), 2u);
  EXPECT_EQ(read[0].points[0].x, kExplicitZero);
  EXPECT_EQ(read[0].points[0].y, kExplicitZero);
  EXPECT_FLOAT_EQ(read[0].points[1].y, 100.0f);
  EXPECT_EQ(read[1].name, "F2");
  EXPECT_EQ(read[1].points[0].y, 5.0f);
  // The mark in capitals, blank lines and a negative value.
  const std::vector<NamedPoints> more = Parsed("A\r\n\r\n0.5 -3\r\n-1.E11\r\nB\r\n1 2\r\n\r\n");
  ASSERT_EQ(more.size(), 2u);
  EXPECT_EQ(more[0].points[0].y, -3.0f);
  // A time too small for a float is a typed 0, kept where sorting drops a
  // missing one.
  const std::vector<NamedPoints> tiny = Parsed("T\n5e-50 -1e-60\n1 2\n");
  ASSERT_EQ(tiny.size(), 1u);
  ASSERT_EQ(SortedPoints(tiny[0].points).size(), 2u);
  EXPECT_EQ(tiny[0].points[0].x, kExplicitZero);
  EXPECT_EQ(tiny[0].points[0].y, kExplicitZero);
}

TEST(TimeFunctionText, EveryFaultIsRefusedWithItsLine) {
  EXPECT_EQ(Thrown(""), "End of file reached");
  EXPECT_EQ(Thrown("\n0 1\n"), "File does not have time function name");
  EXPECT_EQ(Thrown("F1\n0 0\n0.1 100\n-1.e11\n"), "End of file reached");
  EXPECT_EQ(Thrown("F1\n"), "There are no time function data points");
  EXPECT_EQ(Thrown("F1\n0 1\n-1.e11\nF2\n\n"), "There are no time function data points");
  // A function that ends at the mark without points, like the last one.
  EXPECT_EQ(Thrown("F1\n\n-1.e11\nF2\n0 1\n"), "Line 3: -1.e11\nThere are no time function data points");
  EXPECT_EQ(Thrown("F1\n0 1\n-0.5 2\n"), "Line 3: -0.5 2\nTime should be positive");
  EXPECT_EQ(Thrown("F1\n0 1\n0.5\n"), "Line 3: 0.5\nInvalid time function values");
  EXPECT_EQ(Thrown("F1\n0 1\n0.5 abc\n"), "Line 3: 0.5 abc\nInvalid time function values");
  EXPECT_EQ(Thrown("F1\n0 1\ninf 2\n"), "Line 3: inf 2\nInvalid time function values");
  EXPECT_EQ(Thrown("F1\n0 0\n0.1 0\n0.1 100\n"), "Line 4: 0.1 100\nThe time of line 3 is given again");
  EXPECT_EQ(Thrown("F1\n0 1\n-1.e11\nF1\n0 2\n"), "Line 4: F1\nTime function F1 is already in the file");
  // A time too small for a float is time 0 typed, so it repeats line 2's.
  EXPECT_EQ(Thrown("F1\n0 1\n5e-50 2\n"), "Line 3: 5e-50 2\nThe time of line 2 is given again");
}

TEST(TimeFunctionText, LongNamesAreCutAndLongLinesReadWhole) {
  const std::string name(40, 'N');
  const std::string padded = "1.5" + std::string(200, ' ') + "7";
  const std::vector<NamedPoints> read = Parsed(name + "\n" + padded + "\n");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].name, std::string(31, 'N'));
  EXPECT_EQ(read[0].points[0].x, 1.5f);
  EXPECT_EQ(read[0].points[0].y, 7.0f);
}

TEST(TimeFunctionText, TheExportListsEveryFunctionAndItsPoints) {
  TimeFunctionList list;
  ClearTimeFunctions(list);
  SetLastTimeFunction(list, "Pulse, short", {{kExplicitZero, kExplicitZero}, {0.05f, 250.5f}, {0.1f, -12.0f}});
  SetLastTimeFunction(list, "Step", {{1.0f, 1000.0f}});
  EXPECT_EQ(TimeFunctionsCsvText(list),
            "Time function = ,\"Pulse, short\"\r\nTime(Sec),Value\r\n0,0\r\n0.05,250.5\r\n0.1,-12\r\n\r\n"
            "Time function = ,Step\r\nTime(Sec),Value\r\n1,1000\r\n\r\n");
}

}  // namespace
