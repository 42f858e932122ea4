// The branch connection stresses table as the user meets it: a Class 2 tee
// of the 4.5 x 0.237 in pipe at 150 psi analysed for the sustained and the
// wind case, the table of one case at a time stepped with the arrows (after
// the last comes the first) with the load-case items in the Results menu,
// the pressure stress P D B1 / 2T with B1 = 0.5 of a straight run, the
// ratio's limit in the heading, the text report with a heading per case,
// and a branch at 80 degrees to its run shown "* Invalid *".
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "elements/BranchSif.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeResultsTesting.h"
#include "resultsfile/ResultNavigation.h"
#include "services/NameTables.h"

namespace {

using namespace code_testing;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class BranchConnectionTableTest : public CodeResultsFixture {
 protected:
  // Run 10 (anchor) - 20 - 30 (anchor) along X, the branch 20 - 25 leaving
  // at `angle` degrees to the run in the XY plane; a welding tee at 20.
  void BuildTee(double angle, const std::vector<int>& cases) {
    using namespace analysis_testing;
    Model& model = StartLine(10, kDensity, 150.0);
    model.pipeLoads[1].wind = 1;
    model.wind.profileIsVelocity = 0;
    model.wind.loads[0].direction = {0.0f, 0.0f, 1.0f};
    model.wind.loads[0].pressureProfile = {{0.0f, 0.1f}};
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 60.0f);
    PutItem(model, 2, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(2).item).type = 1;
    PipeRow(model, 30, ElementType::Pipe, 60.0f);
    PutItem(model, 3, DataType::Anchor);
    PipeRow(model, 20, ElementType::From, 0.0f);
    const double radians = angle * kPi / 180.0;
    PipeRow(model, 25, ElementType::Pipe, static_cast<float>(40.0 * std::cos(radians)),
            static_cast<float>(40.0 * std::sin(radians)));
    Finish(model, cases);
  }
};

TEST_F(BranchConnectionTableTest, TheTableStepsItsCasesAndPrintsEach) {
  BuildTee(90.0, {1, 13});
  OpenChoosing("&Branch conn stresses");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &BranchConnectionStressesTable());
  ASSERT_EQ(table.rowCount, 1);
  EXPECT_NE(ResultsTitle().find(std::string("Branch Connection Stresses: ") + LoadCaseTitle(1)), std::string::npos)
      << ResultsTitle();
  EXPECT_EQ(table.CellText(1, 1, 0), "20");
  EXPECT_EQ(table.CellText(1, 2, 0), BranchTypeName(1));
  EXPECT_NEAR(std::stod(table.CellText(1, 3, 0)), 0.5, 1e-9);
  // P D B1 / 2T = 150 x 4.5 x 0.5 / 0.474.
  EXPECT_NEAR(std::stod(table.CellText(1, 4, 0)), 150.0 * analysis_testing::kOd * 0.5 / (2.0 * analysis_testing::kWall), 1.0);
  EXPECT_EQ(table.HeadingText(9, 2), "1.5SH");
  EXPECT_EQ(table.HeadingText(5, 1), "B2");
  EXPECT_NE(table.CellText(1, 5, 1), "");  // B2b on the branch line
  // Total = pressure + run + branch stress.
  const double total = std::stod(table.CellText(1, 4, 0)) + std::stod(table.CellText(1, 7, 0)) +
                       std::stod(table.CellText(1, 7, 1));
  EXPECT_NEAR(std::stod(table.CellText(1, 8, 0)), total, 2.0);
  // Two cases: the load-case items in the Results menu; Right steps to the
  // wind case, Right again back to the first, Left to the last.
  EXPECT_TRUE(ResultsMenuHas(228));
  EXPECT_TRUE(ResultsMenuHas(229));
  EXPECT_TRUE(ResultsMenuHas(231));
  SetFocus(ResultsTableWindow());
  table.KeyDown(VK_RIGHT);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find(LoadCaseTitle(13)), std::string::npos) << ResultsTitle();
  EXPECT_EQ(Shown().HeadingText(9, 2), "1.8SH");
  Shown().KeyDown(VK_RIGHT);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find(LoadCaseTitle(1)), std::string::npos) << ResultsTitle();
  Shown().KeyDown(VK_LEFT);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find(LoadCaseTitle(13)), std::string::npos) << ResultsTitle();
  // The text report: each case under its own heading, with its limit.
  const std::string path = folder_ + "/branches.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  Shown().WriteText();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = FileLines(path);
  int headings = 0, sustained = 0, wind = 0;
  for (const std::string& line : lines) {
    if (line.find("Branch Connection Stresses: ") != std::string::npos) ++headings;
    if (line.find("/1.5SH") != std::string::npos) ++sustained;
    if (line.find("/1.8SH") != std::string::npos) ++wind;
  }
  EXPECT_EQ(headings, 2);
  EXPECT_EQ(sustained, 1);
  EXPECT_EQ(wind, 1);
  // The case shown stays the one the user chose.
  EXPECT_NE(ResultsTitle().find(LoadCaseTitle(13)), std::string::npos) << ResultsTitle();
  // Leaving the table takes the load-case items away.
  ResultsCommandNow(226);  // Next Result
  EXPECT_FALSE(ResultsMenuHas(228));
}

TEST_F(BranchConnectionTableTest, ABranchAt80DegreesIsInvalid) {
  BuildTee(80.0, {1});
  OpenChoosing("&Branch conn stresses");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &BranchConnectionStressesTable());
  EXPECT_EQ(table.CellText(1, 1, 0), "20");
  EXPECT_EQ(table.CellText(1, 2, 0), "* Invalid *");
  for (int column = 3; column <= 9; ++column) EXPECT_EQ(table.CellText(1, column, 0), "") << column;
  // One case: no load-case items, the arrows change nothing.
  EXPECT_FALSE(ResultsMenuHas(228));
  const std::string title = ResultsTitle();
  table.KeyDown(VK_RIGHT);
  platform::RunUntilIdle();
  EXPECT_EQ(ResultsTitle(), title);
}

}  // namespace
