// A BS 806 model's results as the user opens them: the elbow line of the
// results tests under BS 806 with its sustained and operating cases, the
// element forces table in its BS 806 form (the bend's four chart factors on
// both its lines, a straight pipe's factor columns empty, fc = sqrt(F^2 +
// 4 fs^2) of the F,fB and fs shown), its text report with its own heading,
// and the compliance report with the BS 806 heading.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "printing/ReportOutput.h"
#include "results/CodeComplianceReport.h"
#include "results/CodeResultsTesting.h"
#include "results/PipeForcesTable.h"

namespace {

using namespace code_testing;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text, std::size_t column) {
  for (const std::string& line : lines)
    if (line.size() + 1 >= column + text.size() && line.compare(column - 1, text.size(), text) == 0) return true;
  return false;
}

double Number(const std::string& text) { return text.empty() ? 0.0 : std::stod(text); }

class Bs806ResultsTest : public CodeResultsFixture {};

TEST_F(Bs806ResultsTest, TheForcesTableAndReportsOfABs806Model) {
  BuildElbowLine(12, 150.0, {0.0, 200.0, 0.0}, {1, 8});
  OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  ASSERT_EQ(ChosenPipeForcesMember(), PipeForcesMember::Bs806);
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &PipeForcesTable());
  EXPECT_EQ(table.HeadingText(5, 0), "FTi");
  EXPECT_EQ(table.HeadingText(5, 1), "Br.J");
  EXPECT_EQ(table.HeadingText(11, 0), "fc");
  int bends = 0;
  for (int row = 1; row <= table.rowCount; ++row) {
    const bool bend = !table.CellText(row, 5, 0).empty();
    bends += bend ? 1 : 0;
    for (int line : {0, 1}) {
      for (int column = 5; column <= 8; ++column) {
        if (bend) EXPECT_GE(Number(table.CellText(row, column, line)), 1.0) << row << " " << column;
        else EXPECT_EQ(table.CellText(row, column, line), "") << row << " " << column;
      }
      const double F = Number(table.CellText(row, 9, line)), fs = Number(table.CellText(row, 10, line));
      const double fc = Number(table.CellText(row, 11, line));
      EXPECT_NEAR(fc, std::sqrt(F * F + 4.0 * fs * fs), 1.5) << row;
      EXPECT_GT(fc, 0.0) << row;
    }
  }
  EXPECT_EQ(bends, 1);
  // The forces report in local coordinates, as text.
  const std::string forces = folder_ + "/forces.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, forces));
  table.WriteText();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = FileLines(forces);
  EXPECT_TRUE(Contains(lines, "Mi      Mo      Mt    FTi   FTo   FLi   FLo   F,fB    fs     fc", 14));
  EXPECT_TRUE(Contains(lines, "BrJnc   m    Bi    Bo", 35));
  EXPECT_TRUE(Contains(lines, "Node", 5));
  // The compliance report with the BS 806 heading.
  const std::string compliance = folder_ + "/compliance.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, compliance));
  PrintCodeCompliance();
  ASSERT_TRUE(ReportCloseFile());
  EXPECT_TRUE(Contains(FileLines(compliance), "Press  ----Sustained-----  ----Expansion-----  --------Hot--------", 13));
}

}  // namespace
