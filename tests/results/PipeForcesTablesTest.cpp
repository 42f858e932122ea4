// The pipe forces tables of the Results window, analysed and opened
// through the program: the member each piping code takes; a welding tee
// entered as a Branch SIF row gives every end at its node the code's SIFs
// (B31.1 104.8: i = 0.9 / h^(2/3), h = 3.1 T / r2; B31.3 Appendix D: io
// the same, ii = 0.75 io + 0.25) and the others none; the B1 and B2 of an
// ASME Class 2 elbow in the sustained case and the SIF column in an
// expansion case; the stress column of the case; F7 between local and
// global axes with the local axes display only in local axes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "model/LcsTriad.h"
#include "platform/CommonDialog.h"
#include "printing/PrintSheet.h"
#include "results/CodeResultsTesting.h"
#include "results/PipeForcesTable.h"
#include "resultsfile/ResultCases.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

using namespace code_testing;
using analysis_testing::kOd;
using analysis_testing::kWall;
using analysis_testing::PipeRow;

double Number(const std::string& text) { return std::stod(text); }

class PipeForcesTablesTest : public CodeResultsFixture {
 protected:
  // Run 10 (anchor) - 20 - 30 (anchor) of S4 along X, a 2" branch from 20
  // up to 25, a welding tee on the run's row at 20.
  void BuildTee(int code) {
    Model& model = StartLine(code, analysis_testing::kDensity, 150.0);
    PipeSection two;
    InitSection(two);
    two.name = "S2";
    two.outsideDiameter = 2.375f;
    two.thickness = 0.154f;
    AppendSection(model.sections, two);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 60.0f);
    PutItem(model, 2, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(2).item).type = 1;
    PipeRow(model, 30, ElementType::Pipe, 60.0f);
    PutItem(model, 3, DataType::Anchor);
    PipeRow(model, 20, ElementType::From, 0.0f);
    PipeRow(model, 25, ElementType::Pipe, 0.0f, 48.0f);
    model.row(5).section = "S2";
    Finish(model, {1});
  }
  static int RowBetween(ResultTableWindow& table, const std::string& a, const std::string& b) {
    for (int row = 1; row <= table.rowCount; ++row)
      if (table.CellText(row, 1, 0) == a && table.CellText(row, 1, 1) == b) return row;
    return 0;
  }
};

TEST_F(PipeForcesTablesTest, AWeldingTeeGivesItsCodesSifsToEveryEndAtItsNode) {
  const double T = kWall, r2 = (kOd - kWall) / 2.0, h = 3.1 * T / r2;
  const double io = 0.9 / std::pow(h, 2.0 / 3.0), ii = 0.75 * io + 0.25;
  for (int code : {1, 3}) {
    SCOPED_TRACE(code);
    BuildTee(code);
    OpenChoosing("&Element forces");
    ASSERT_TRUE(InResultsMode());
    EXPECT_EQ(ChosenPipeForcesMember(), code == 1 ? PipeForcesMember::Plain : PipeForcesMember::FlexibilityFactor);
    ResultTableWindow& table = Shown();
    ASSERT_EQ(&table, &PipeForcesTable());
    ASSERT_EQ(table.rowCount, 3);
    const int run1 = RowBetween(table, "10", "20"), run2 = RowBetween(table, "20", "30"), branch = RowBetween(table, "20", "25");
    ASSERT_TRUE(run1 != 0 && run2 != 0 && branch != 0);
    // The ends at 20 with the tee's factors, the others without any.
    const std::array<std::pair<int, int>, 3> atTee{{{run1, 1}, {run2, 0}, {branch, 0}}};
    const std::array<std::pair<int, int>, 3> away{{{run1, 0}, {run2, 1}, {branch, 1}}};
    if (code == 1) {
      EXPECT_EQ(table.HeadingText(8, 0), "SIF");
      for (const auto& [row, line] : atTee) EXPECT_NEAR(Number(table.CellText(row, 8, line)), io, 0.006) << row;
      for (const auto& [row, line] : away) EXPECT_EQ(table.CellText(row, 8, line), "") << row;
      EXPECT_EQ(table.HeadingText(10, 0), "SL");
    } else {
      EXPECT_EQ(table.HeadingText(8, 1), "SIF");
      EXPECT_EQ(table.HeadingText(7, 1), "Moment");
      for (const auto& [row, line] : atTee) {
        EXPECT_NEAR(Number(table.CellText(row, 8, line)), ii, 0.006) << row;
        EXPECT_NEAR(Number(table.CellText(row, 10, line)), io, 0.006) << row;
      }
      for (const auto& [row, line] : away) EXPECT_EQ(table.CellText(row, 10, line), "") << row;
      EXPECT_EQ(table.HeadingText(14, 1), "SL");
      // A straight pipe's flexibility factors are 1.0 on both lines (B31.3
      // takes no B31J branch factors without the option).
      EXPECT_GT(table.widths[11], 0);
      for (int column : {11, 12, 13})
        for (int line : {0, 1}) EXPECT_EQ(table.CellText(run1, column, line), "1.00") << column;
    }
    // The stress column is the case's sustained stress of each end.
    const int stressColumn = code == 1 ? 10 : 14;
    const CodeStressResults& r = TheCodeStresses();
    for (int row = 1; row <= table.rowCount; ++row)
      for (int line = 0; line < 2; ++line)
        EXPECT_NEAR(Number(table.CellText(row, stressColumn, line)), r.Record(row).SL[static_cast<std::size_t>(line)], 0.51);
    // The SIFs reach the stresses: the branch end at the tee carries more
    // than its plain pipe stress.
    EXPECT_GT(r.sifs.elements[static_cast<std::size_t>(r.Record(branch).element)].ends[0].inPlane, 1.5f);
    LeaveResultsMode();
  }
}

TEST_F(PipeForcesTablesTest, AClass2ElbowShowsB1AndB2InItsSustainedCaseAndTheSifInItsExpansion) {
  BuildElbowLine(9, 1000.0, {300.0, -1000.0, 0.0}, {1, 8, 2});
  OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  g_ResultCase = ResultCaseOfType(1);
  OpenPipeForcesTable();
  ResultTableWindow& table = Shown();
  EXPECT_EQ(table.HeadingText(8, 0), "B1");
  EXPECT_EQ(table.HeadingText(9, 0), "B2");
  EXPECT_EQ(table.HeadingText(10, 0), "SL");
  EXPECT_GT(table.widths[9], 0);
  const Bend& bend = static_cast<const Bend&>(*TheModel().row(3).element);
  const double r2 = (kOd - kWall) / 2.0, h = bend.radius * kWall / (r2 * r2);
  const double b1 = std::clamp(0.4 * h - 0.1, 0.0, 0.5), b2 = std::max(1.3 / std::pow(h, 2.0 / 3.0), 1.0);
  const CodeStressResults& r = TheCodeStresses();
  int checked = 0;
  for (int row = 1; row <= table.rowCount; ++row) {
    const bool isBend = r.cm->Element(r.Record(row).element).kind == 4;
    for (int line = 0; line < 2; ++line) {
      EXPECT_NEAR(Number(table.CellText(row, 8, line)), isBend ? b1 : 0.5, 0.006);
      EXPECT_NEAR(Number(table.CellText(row, 9, line)), isBend ? b2 : 1.0, 0.006);
      // The sustained stress of the B1/B2 formula.
      EXPECT_NEAR(Number(table.CellText(row, 10, line)), r.Record(row).SI[static_cast<std::size_t>(line)], 0.51);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2 * table.rowCount);
  // The expansion case: the SIF column, no B2, the expansion stress.
  g_ResultCase = ResultCaseOfType(2);
  table.Reload();
  EXPECT_EQ(table.HeadingText(8, 0), "SIF");
  EXPECT_EQ(table.HeadingText(10, 0), "SE");
  EXPECT_EQ(Shown().widths[9], 0);
}

TEST_F(PipeForcesTablesTest, F7SwitchesTheAxesAndTheLocalAxesDisplayGoesWithTheLocalForm) {
  BuildTee(1);
  g_ShowGlobalForces = false;
  OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  EXPECT_EQ(Shown().columnCount, 10);
  EXPECT_TRUE(ResultsMenuHas(327));
  EXPECT_NE(ResultsTitle().find("Pipe forces in local coordinates"), std::string::npos);
  const bool shown = TheLcsTriad().shown;
  ResultsCommandNow(327);
  EXPECT_NE(TheLcsTriad().shown, shown);
  ResultsCommandNow(288);
  EXPECT_TRUE(g_ShowGlobalForces);
  EXPECT_EQ(Shown().columnCount, 7);
  EXPECT_EQ(Shown().HeadingText(2, 0), "FX");
  EXPECT_FALSE(ResultsMenuHas(327));
  EXPECT_FALSE(TheLcsTriad().shown);  // leaving the local form takes the axes away
  ResultsCommandNow(288);
  EXPECT_FALSE(g_ShowGlobalForces);
  EXPECT_EQ(Shown().columnCount, 10);
}

}  // namespace

namespace {

// A B31.3 bend of the 4.5 x 0.237 in pipe at radius 6.75 in, no pressure:
// r = (4.5 - 0.237) / 2, h = t R / r^2, FFi = FFo = 1.65 / h = 4.686 on
// both lines of the bend, FFt 1.00; the straight pipes 1.00 throughout.
TEST_F(PipeForcesTablesTest, TheBendsFlexibilityFactorsShowInTheForcesTable) {
  using namespace analysis_testing;
  Model& model = StartLine(3, 0.0, 0.0);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 100.0f);
  PipeRow(model, 30, ElementType::Bend, 100.0f);
  auto& bend = static_cast<Bend&>(*model.row(3).element);
  bend.radiusType = kBendRadiusUser;
  bend.radius = 6.75f;
  PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 100.0f);
  PutItem(model, 4, DataType::Anchor);
  Finish(model, {1});
  OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &PipeForcesTable());
  EXPECT_EQ(table.HeadingText(11, 1), "FFi");
  const double r = (kOd - kWall) / 2.0, k = 1.65 / (kWall * 6.75 / (r * r));
  int bends = 0;
  for (int row = 1; row <= table.rowCount; ++row) {
    const bool isBend = Number(table.CellText(row, 11, 0)) > 1.5;
    bends += isBend ? 1 : 0;
    for (int line : {0, 1}) {
      EXPECT_NEAR(Number(table.CellText(row, 11, line)), isBend ? k : 1.0, 0.006) << row;
      EXPECT_NEAR(Number(table.CellText(row, 12, line)), isBend ? k : 1.0, 0.006) << row;
      EXPECT_EQ(table.CellText(row, 13, line), "1.00") << row;
    }
  }
  EXPECT_EQ(bends, 1);
}

// The flexibility factor table of B31.3 printed to a text and a CSV file
// from the Results window: its first heading line keeps the printed
// grid's group captions, each moment pair's with the moment unit, over
// their columns (text: centred over the columns' span; CSV: over the
// group's first column), so the three Moment/SIF pairs are told apart.
TEST_F(PipeForcesTablesTest, TheFlexibilityFactorTableKeepsItsGroupCaptionsInTextAndCsv) {
  BuildTee(3);
  OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  ASSERT_EQ(&Shown(), &PipeForcesTable());
  const std::string moment = UnitLabel(kUnitMoment);
  auto print = [this](const std::string& name) {
    const std::string path = folder_ + "/" + name;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    SendMessage(ResultsFrame().window, kPrintToFileMessage, 0, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  };
  // Text: the captions' line, then the names (Moment SIF Moment SIF ...),
  // then the units; each caption lies over its two or three columns.
  const std::vector<std::string> text = print("forces.txt");
  std::size_t names = 0;
  while (names < text.size() && text[names].find("y Shear") == std::string::npos) ++names;
  ASSERT_LT(names, text.size());
  ASSERT_GE(names, 1u);
  const std::string& captions = text[names - 1];
  const std::string& headings = text[names];
  // The ends of the names of columns 4 to 13 on the names' line, right
  // aligned in their columns: a group spans from just after the name
  // before it to the end of its last name.
  std::vector<std::size_t> ends;
  std::size_t from = 0;
  for (const char* name : {"z Shear", "Moment", "SIF", "Moment", "SIF", "Moment", "SIF", "FFi", "FFo", "FFt"}) {
    const std::size_t found = headings.find(name, from);
    ASSERT_NE(found, std::string::npos) << name << "\n" << headings;
    from = found + std::string(name).size();
    ends.push_back(from);
  }
  const struct {
    std::string caption;
    std::size_t first, last;
  } groups[] = {{"Torsion" + moment, ends[0], ends[2]}, {"Inplane" + moment, ends[2], ends[4]},
                {"Outplane" + moment, ends[4], ends[6]}, {"Flex. Factors", ends[6], ends[9]}};
  for (const auto& group : groups) {
    const std::size_t found = captions.find(group.caption);
    ASSERT_NE(found, std::string::npos) << group.caption << "\n" << captions;
    EXPECT_GE(found, group.first) << group.caption << "\n" << captions << "\n" << headings;
    EXPECT_LE(found + group.caption.size(), group.last) << group.caption << "\n" << captions << "\n" << headings;
  }
  // The rules of the table are as wide as its rows (past the standard
  // rule's column 86): the page header's rule stays as it is.
  std::vector<std::size_t> rules;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i].size() > 3 && text[i].find_first_not_of(' ') == 3 && text[i].find_first_not_of('-', 3) == std::string::npos &&
        text[i - 1].find("Version") == std::string::npos)
      rules.push_back(i);
  ASSERT_GE(rules.size(), 3u);
  std::size_t widest = 0;
  for (std::size_t i = rules[1] + 1; i < rules.back(); ++i) widest = std::max(widest, text[i].size());
  EXPECT_GT(widest, 86u);
  for (std::size_t i = rules[0] + 1; i < rules[1]; ++i) EXPECT_LE(text[i].size(), widest) << text[i];
  for (std::size_t rule : rules) EXPECT_EQ(text[rule].size(), widest) << rule;
  // CSV: the captions over the first column of their groups.
  const std::vector<std::string> csv = print("forces.csv");
  std::size_t line = 0;
  while (line < csv.size() && csv[line].find("Torsion") == std::string::npos) ++line;
  ASSERT_LT(line + 1, csv.size());
  EXPECT_EQ(csv[line].substr(0, csv[line].find("Flex. Factors") + 13),
            ",,,,Torsion" + moment + ",,Inplane" + moment + ",,Outplane" + moment + ",,Flex. Factors");
  EXPECT_EQ(csv[line + 1].substr(0, 59), "Node,Axial,y Shear,z Shear,Moment,SIF,Moment,SIF,Moment,SIF");
}

}  // namespace
