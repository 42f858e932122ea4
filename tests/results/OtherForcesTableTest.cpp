// The Other forces table through the Results window: valves in tension
// along +X show +N on both lines in local axes, -N and +N in global axes
// for a static case and N twice for a dynamic one; the Other Forces
// selector offers the kind beside the pipes; the text report repeats its
// header after a page break and the comma-separated lines carry the type.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "loads/Force.h"
#include "printing/ReportOutput.h"
#include "results/OtherForcesTable.h"
#include "results/OtherSelectors.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "services/Units.h"

namespace {

using analysis_testing::Within;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class OtherForcesTableTest : public ResultsFixture {
 protected:
  void TearDown() override {
    g_ShowGlobalForces = false;
    ResultsFixture::TearDown();
  }
  static constexpr double kN = 1000.0;
  // Anchor 10, then `valves` times a pipe of 20 inch and a valve of 10
  // inch along X (nodes 20, 30, 40 ...), a tip force +N in X; weightless.
  void OpenValves(int valves) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, ModelPath());
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    NodeId node = 10;
    for (int v = 0; v < valves; ++v) {
      PipeRow(model, node += 10, ElementType::Pipe, 20.0f);
      PipeRow(model, node += 10, ElementType::Valve, 10.0f);
    }
    const int tip = PipeRow(model, node + 10, ElementType::Pipe, 20.0f);
    PutItem(model, tip, DataType::Force);
    static_cast<NodalForce&>(*model.row(tip).item).FX = static_cast<float>(kN);
    MakeModel(model);
    SetCases(model, {1});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS6_DIALOG");
    ASSERT_TRUE(InResultsMode());
    g_ResultCase = 1;
  }
  static double Value(ResultTableWindow& table, int row, int column, int line) {
    return std::stod(table.CellText(row, column, line));
  }
};

TEST_F(OtherForcesTableTest, AValveInTensionInLocalAndGlobalAxesStaticAndDynamic) {
  OpenValves(1);
  std::vector<std::string> kinds;
  for (const ResultKind& kind : ForceFamily().kinds) kinds.push_back(kind.name);
  EXPECT_EQ(kinds, (std::vector<std::string>{"&Pipes", "&Other"}));
  // The selector over the pipe forces opens the other forces.
  OpenOtherForcesTable();
  platform::ExpectModal(platform::ModalKind::Dialog, "OTHER2_DIALOG", [](HWND dialog) { Click(dialog, 1402); });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_NE(ResultsTitle().find("Other forces in local coordinates"), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 1);
  EXPECT_EQ(table.CellText(1, 1, 0), "20");
  EXPECT_EQ(table.CellText(1, 2, 0), "Valve");
  EXPECT_EQ(table.CellText(1, 1, 1), "30");
  EXPECT_EQ(table.CellText(1, 2, 1), "");
  EXPECT_EQ(table.HeadingText(3, 0), "fx");
  EXPECT_EQ(table.HeadingText(1, 1), "Node");
  EXPECT_TRUE(Within(Value(table, 1, 3, 0), kN, 1.0e-3));
  EXPECT_TRUE(Within(Value(table, 1, 3, 1), kN, 1.0e-3));
  for (int c = 4; c <= 8; ++c) EXPECT_NEAR(Value(table, 1, c, 0), 0.0, 0.5) << c;
  ResultsCommandNow(288);
  EXPECT_NE(ResultsTitle().find("Other forces in global coordinates"), std::string::npos) << ResultsTitle();
  ResultTableWindow& global = Shown();
  EXPECT_EQ(global.HeadingText(3, 0), "FX");
  EXPECT_TRUE(Within(Value(global, 1, 3, 0), -kN, 1.0e-3));
  EXPECT_TRUE(Within(Value(global, 1, 3, 1), kN, 1.0e-3));
  // The same record read as a dynamic case's: magnitudes without a sign.
  ResultCase& current = TheResultCases().cases.at(static_cast<std::size_t>(g_ResultCase));
  const int type = current.type;
  current.type = 31;
  global.Reload();
  EXPECT_TRUE(Within(Value(global, 1, 3, 0), kN, 1.0e-3));
  EXPECT_TRUE(Within(Value(global, 1, 3, 1), kN, 1.0e-3));
  current.type = type;
}

TEST_F(OtherForcesTableTest, TheTextReportRepeatsItsHeaderAfterAPageBreakAndTheCsvCarriesTheType) {
  OpenValves(24);
  OpenOtherForcesElementTable();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 24);
  const std::string text = folder_ + "/others.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = FileLines(text);
  const std::string title = "Other forces in local coordinates: " + CurrentCaseTitle();
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(title) != std::string::npos) headers.push_back(i);
  ASSERT_EQ(headers.size(), 2u);  // 72 lines of rows on pages of 60
  const std::size_t h = headers[0];
  EXPECT_EQ(lines[h + 2].substr(24, 2), "fx");
  EXPECT_EQ(lines[h + 3].substr(5, 4), "Node");
  EXPECT_EQ(lines[h + 3].substr(15, 4), "Type");
  const std::string first = lines[h + 5];
  EXPECT_EQ(first.substr(5, 2), "20");
  EXPECT_EQ(first.substr(15, 5), "Valve");
  const std::string fx = table.CellText(1, 3, 0);
  EXPECT_EQ(first.substr(27 - fx.size(), fx.size()), fx) << first;
  EXPECT_EQ(lines[h + 6].substr(5, 2), "30");
  EXPECT_EQ(lines[h + 7], "");
  // After the break the rows go on under a new header.
  EXPECT_EQ(lines[headers[1] + 5].find("Valve"), 15u) << lines[headers[1] + 5];
  const std::string csv = folder_ + "/others.csv";
  g_ShowGlobalForces = true;
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto heading = std::find(rows.begin(), rows.end(), CurrentCaseTitle() + ": Other forces (global coordinates),");
  ASSERT_NE(heading, rows.end());
  EXPECT_EQ(*(heading + 1), "Node,Type,FX,FY,FZ,MX,MY,MZ,");
  EXPECT_EQ(*(heading + 2), ",," + std::string(UnitLabel(kUnitForce)) + "," + UnitLabel(kUnitForce) + "," +
                                UnitLabel(kUnitForce) + "," + UnitLabel(kUnitMoment) + "," + UnitLabel(kUnitMoment) +
                                "," + UnitLabel(kUnitMoment) + ",");
  const std::string start = *(heading + 3);
  EXPECT_EQ(start.rfind("20,Valve,", 0), 0u) << start;
  EXPECT_TRUE(Within(std::stod(start.substr(9)), -kN, 1.0e-3)) << start;
  EXPECT_EQ((heading + 4)->rfind("30,,", 0), 0u) << *(heading + 4);
  EXPECT_EQ(rows.end() - (heading + 3), 48);
}

}  // namespace
