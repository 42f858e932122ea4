// The flange loading report through Analyze, by hand: a weightless 12.75 x
// 0.375 in pipe at P1 150 psi from anchored node 10 along X, 50 in to the
// flange at node 20 (gasket diameter 12 in, allowable 740 psi), 100 in on
// to a force (2000, -1000, 0) lb in T1 at node 30. At node 20 the axial
// force is 2000 lb and the moment 1000 lb x 100 in; Pe = 4F/(pi G^2) +
// 16M/(pi G^3) + P = 17.68 + 294.73 + 150 = 462.42 psi, 0.625 of 740.
// Without the allowable the flange shows no ratio and no warning colour;
// with more flanges the rows go by ratio, then by Pe without an allowable,
// a defaulted gasket diameter is the pipe's inside diameter, and a flange
// at a bend's own node, with no pipe ending there, is named in one message
// and left blank; the thinner wall of two pipes gives the gasket diameter
// and the operating case of the higher pressure governs; the printed text
// report lays its columns under its headings and stars a ratio of 1000 on;
// a row chosen highlights its flange, Tab steps to the next result table.
#include <gtest/gtest.h>

#include <sstream>

#include "elements/FlangeList.h"
#include "evaluations/FlangeReport.h"
#include "evaluations/FlangeTesting.h"
#include "graphics/Highlight.h"
#include "platform/CommonDialog.h"
#include "printing/PrinterSettings.h"
#include "resultsfile/ResultNavigation.h"

namespace {

class FlangeReportTest : public FlangeLineFixture {};

TEST_F(FlangeReportTest, TheFlangeOfTheLineTakesItsEquivalentPressureThroughAnalyze) {
  BuildLine(740.0f, false);
  AnalyseAndOpenReport();
  ASSERT_TRUE(InResultsMode());
  EXPECT_EQ(TextOf(ResultsFrame().window).find("Quorvel : Flange Report"), 0u);
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 1u);
  const FlangeLoadingResult& r = rows[0];
  EXPECT_NEAR(r.F, 2000.0, 2.0);
  EXPECT_NEAR(r.M, 100000.0, 100.0);
  EXPECT_NEAR(r.P, 150.0, 1e-3);
  EXPECT_EQ(r.G, 12.0f);
  EXPECT_NEAR(r.Pe, kPe20, kPe20 * 1e-3);
  EXPECT_NEAR(r.ratio, kPe20 / 740.0, 1e-3);
  EXPECT_FALSE(FlangeReportRowExceeds(r));
  TableWindow* table = ShownResultTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->columnCount, 8);
  EXPECT_EQ(table->headingLines, 3);
  EXPECT_EQ(table->HeadingText(8, 2), "Allowable");
  EXPECT_EQ(table->HeadingText(3, 2), "(ft-lb)");
  const std::vector<std::string> cells = Cells(1);
  EXPECT_EQ(cells[0], "20");
  EXPECT_EQ(cells[6], "740");
  EXPECT_EQ(cells[7], "0.625");
}

// The chooser offers the hanger report before the flange report.
TEST_F(FlangeReportTest, TheChooserOffersTheHangerReportFirst) {
  BuildLine(740.0f, false, true);
  AnalyseAndOpenReport();
  ASSERT_TRUE(InResultsMode());
  int hanger = 0, flange = 0;
  for (std::size_t i = 0; i < ResultChooserList().size(); ++i) {
    if (ResultChooserList()[i].name == "&Hanger report") hanger = static_cast<int>(i) + 1;
    if (ResultChooserList()[i].name == "&Flange report") flange = static_cast<int>(i) + 1;
  }
  EXPECT_GT(hanger, 0);
  EXPECT_EQ(flange, hanger + 1);
}

TEST_F(FlangeReportTest, WithoutAnAllowableThereIsNoRatioAndNoWarningColour) {
  BuildLine(0.0f, false);
  AnalyseAndOpenReport();
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NEAR(rows[0].ratio, kPe20, kPe20 * 1e-3);  // Pe stands for the ratio
  EXPECT_FALSE(FlangeReportRowExceeds(rows[0]));
  const std::vector<std::string> cells = Cells(1);
  EXPECT_EQ(cells[6], "");
  EXPECT_EQ(cells[7], "");
  EXPECT_FALSE(cells[5].empty());
}

TEST_F(FlangeReportTest, RowsGoByRatioThenByPressureAndAFlangeWithoutPipeIsNamedOnce) {
  BuildLine(400.0f, true);
  AnalyseAndOpenReport();
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 3u);
  // 20: 462.42/400 = 1.156 (over); 28: G = 12.75 - 2 x 0.375 = 12.0, M = 50000,
  // Pe = 17.68 + 147.37 + 150 = 315.05, 0.315 of 1000; 25 without allowable
  // (Pe 388.73) last.
  EXPECT_EQ(TheModel().row(rows[0].row).node, 20);
  EXPECT_EQ(TheModel().row(rows[1].row).node, 28);
  EXPECT_EQ(TheModel().row(rows[2].row).node, 25);
  EXPECT_TRUE(FlangeReportRowExceeds(rows[0]));
  EXPECT_NEAR(rows[0].ratio, kPe20 / 400.0, 1e-3);
  EXPECT_EQ(rows[1].G, 12.0f);
  EXPECT_NEAR(rows[1].Pe, 315.05, 0.3);
  EXPECT_NEAR(rows[2].Pe, 388.73, 0.4);
  EXPECT_EQ(Cells(1)[7], "1.156");

  // A flange whose gasket diameter must come from pipes that give none (a
  // wall thicker than the pipe's radius: no inside diameter) is named in
  // one message; its line is blank, the others are built.
  TheModel().sections[1].thickness = 7.0f;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog),
              (std::vector<std::string>{"Unable to find connected pressure element to the flange at node 28 (row 4).",
                                        "Its line of the Flange Report is left blank."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  FlangeElementsReport(TheModel(), ResultsFrame().window);
  platform::CheckModalScript();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(TheModel().row(rows[2].row).node, 28);
  EXPECT_FALSE(rows[2].found);
  EXPECT_EQ(FlangeReportCell(rows[2], 1), "28");
  for (int column = 2; column <= 8; ++column) EXPECT_EQ(FlangeReportCell(rows[2], column), "");
  EXPECT_TRUE(rows[0].found);
}

// A flange at node 20 without gasket diameter between the 0.375 in wall
// (inside 12.0 in) and a 0.5 in wall (inside 11.75 in) takes G = 11.75 in.
// In W+P1+T1 at 150 psi with the force: Pe = 4 x 2000/(pi 11.75^2) +
// 16 x 100000/(pi 11.75^3) + 150 = 18.44 + 313.95 + 150 = 482.39 psi; in
// W+P2+T2 at 600 psi, no force: Pe = 600 psi, which governs.
TEST_F(FlangeReportTest, TheThinnerInsideDiameterAndTheWorstOperatingCaseGovern) {
  Model& model = TheModel();
  analysis_testing::StartModel(model, 70.0, 0.0, ModelPath());
  model.options.ThermalLoadCount = 2;
  model.sections[1].outsideDiameter = 12.75f;
  model.sections[1].thickness = 0.375f;
  PipeSection heavier = model.sections[1];
  heavier.name = "S5";
  heavier.thickness = 0.5f;
  AppendSection(model.sections, heavier);
  model.pipeLoads[1].operating[0].pressure = 150.0f;
  model.pipeLoads[1].operating[1].pressure = 600.0f;
  model.pipeLoads[1].operating[1].temperature = 70.0f;
  PutItem(model, Row(10, ElementType::From, 0.0f), DataType::Anchor);
  const int flangeRow = Row(20, ElementType::Pipe, 50.0f);
  PutFlange(flangeRow, 0.0f, 1000.0f);
  const int end = Row(30, ElementType::Pipe, 100.0f);
  model.row(end).section = "S5";
  PutItem(model, end, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(end).item);
  force.FX = 2000.0f;
  force.FY = -1000.0f;
  force.AddedTo = 2;  // T1
  MakeModel(model);
  analysis_testing::SetCases(model, {1, 8, 9});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  ShowModelWindows();
  platform::RunUntilIdle();
  AnalyseAndOpenReport();
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].G, 11.75f);
  EXPECT_NEAR(rows[0].P, 600.0, 1e-3);
  EXPECT_NEAR(rows[0].Pe, 600.0, 0.5);
  EXPECT_NEAR(rows[0].ratio, 0.6, 1e-3);

  // Against 0.4 psi the ratio is 1500: the printed report shows "*****".
  auto& flange = static_cast<Flange&>(*TheModel().row(flangeRow).item);
  flange.allowablePressure = 0.4f;
  FlangeElementsReport(TheModel(), ResultsFrame().window);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NEAR(rows[0].ratio, 1500.0, 2.0);
  EXPECT_TRUE(FlangeReportRowExceeds(rows[0]));
  const std::string path = folder_ + "/over.txt";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Flange report",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  std::ifstream in(path);
  std::string row;
  for (std::string line; std::getline(in, line);)
    if (line.size() > 7 && line.substr(5, 2) == "20") row = line;
  ASSERT_FALSE(row.empty());
  EXPECT_EQ(row.substr(73), "*****");  // where the ratios end, at 78
}

TEST_F(FlangeReportTest, ARowChosenHighlightsItsFlangeAndTabStepsToTheNextTable) {
  BuildLine(400.0f, true);
  AnalyseAndOpenReport();
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 3u);
  // Down from node 20 (first by ratio) to node 28.
  SetFocus(ResultsTableWindow());
  platform::TestKeyPress(VK_DOWN);
  platform::RunUntilIdle();
  ASSERT_EQ(ShownResultTable()->currentRow, 2);
  EXPECT_EQ(TheModel().row(rows[1].row).node, 28);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, rows[1].row);

  // Tab: the next result table.
  const ResultOpener before = ResultsReopenCommand();
  platform::TestKeyPress(VK_TAB);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsReopenCommand(), before);
}

TEST_F(FlangeReportTest, TheTextReportPutsItsColumnsUnderTheHeadings) {
  BuildLine(740.0f, false);
  AnalyseAndOpenReport();
  const std::string path = folder_ + "/flanges.txt";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Flange report",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  auto find = [&lines](const std::string& text) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].find(text) != std::string::npos) return i;
    ADD_FAILURE() << text;
    return lines.size() - 1;
  };
  const std::size_t title = find("Flange Loading Report");
  EXPECT_EQ(lines[title + 2].find("Bending   Axial"), 22u);
  EXPECT_EQ(lines[title + 3].find("Node  Pressure"), 5u);
  const std::string& units = lines[title + 4];
  EXPECT_EQ(units.find("/Allow."), 70u);
  const std::string& row = lines[title + 6];
  EXPECT_EQ(row.substr(5, 2), "20");
  EXPECT_EQ(row.substr(16, 3), "150");    // P ends under "Pressure" (column 19)
  EXPECT_EQ(row.substr(66, 3), "740");    // the allowable ends at 69
  EXPECT_EQ(row.substr(73, 5), "0.625");  // the ratio at 78

  // The comma-separated form: headings, units, one row of fields.
  const std::string csv = folder_ + "/flanges.csv";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Flange report",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [csv](HWND dialog) {
    SetDlgItemText(dialog, edt1, csv.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  std::ifstream csvIn(csv, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(csvIn)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\r\nFlange Loading Report,\r\n\r\nNode,Pressure,Bending moment,Axial force,Gasket diameter,"
                      "Flange Pressure,Allowable Pressure,Flange Pressure/Allowable,\r\n"
                      ",(psi),(ft-lb),(lb),(inch),(psi),(psi),,\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n20,150,8333,2000,12.0000,462,740,0.625,\r\n"), std::string::npos) << text;

  // The printer's grid, seen in the preview: one page.
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Flange report",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1001, 0); });
  SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  PrinterSettings& printer = TextPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.pageCount, 1);
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
}

// The Flanges list's current line takes the open Flange Report to the same
// flange.
TEST_F(FlangeReportTest, TheFlangesListMovesTheReportToItsFlange) {
  BuildLine(400.0f, true);
  AnalyseAndOpenReport();
  const auto& rows = FlangeReportRows();
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_EQ(ShownResultTable()->currentRow, 1);
  OpenFlangesList();
  platform::RunUntilIdle();
  TableWindow& list = FlangesListTable();
  // The list goes by row; the report by ratio: node 25 is the report's third line.
  for (int line = 1; line <= list.rowCount; ++line) {
    if (list.CellText(line, 1, 0) != "25") continue;
    TableGoTo(list, line);
    break;
  }
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().row(rows[2].row).node, 25);
  EXPECT_EQ(ShownResultTable()->currentRow, 3);
}

}  // namespace
