// The hangers' result views through Analyze and the Results window, on the
// worked line of HangerDesignTest (hot 1000 lb, travel 0.5 inch, B-268 size
// 9 at 200 lb/in, cold 1100 lb): the result chooser offering the hanger
// report, the report's cells, "Loads on Hangers" with the total of two
// hangers, and the LICAD interface file written through File > Export with
// the report shown, under IMPERIAL and, with the length in metres, METRIC
// in mm and N, the user's units unchanged after.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editing/UnitsDialog.h"
#include "numeric/RunState.h"
#include "platform/CommonDialog.h"
#include "platform/Paint.h"
#include "printing/ReportOutput.h"
#include "results/DisplacementTables.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"
#include "services/ProgramCommands.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Hanger.h"
#include "supports/HangerResults.h"
#include "supports/SupportResultTables.h"

namespace {

class HangerResultsTest : public ResultsFixture {
 protected:
  static std::string Trim(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
  void OpenLine(int hangers = 1) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, ModelPath());
    model.pipeLoads[1].additionalWeight = 10.0f;
    model.options.IncludeHangerStiffness = 0;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PutItem(model, 2, DataType::Hanger);
    auto& hanger = static_cast<Hanger&>(*model.row(2).item);
    hanger.numberOfHangers = hangers;
    hanger.tag = "H-1";
    PipeRow(model, 30, ElementType::Pipe, 100.0f);
    PutItem(model, 3, DataType::Anchor);
    for (int row : {1, 3}) {
      auto& anchor = static_cast<Anchor&>(*model.row(row).item);
      anchor.displacements.flags[0] = 1;
      anchor.displacements.sets = std::make_unique<DisplacementSets>();
      anchor.displacements.sets->values[2] = 0.5f;
    }
    MakeModel(model);
    SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    chooser_ = OpenCancelled("RESULTS8_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    return fields;
  }
  // File > Export with the report shown, answered with `path`.
  void ExportTo(const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Export", [path](HWND dialog) {
      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Export");
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    ResultsCommandNow(351);
    platform::CheckModalScript();
  }
  std::vector<std::string> chooser_;
};

TEST_F(HangerResultsTest, TheReportShowsTheDesignAndTheLoadsTableTheTotal) {
  OpenLine(2);
  EXPECT_NE(std::find(chooser_.begin(), chooser_.end(), "&Hanger report"), chooser_.end());
  OpenHangerReport();
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find("Hanger Report"), std::string::npos) << ResultsTitle();
  ResultTableWindow& report = Shown();
  // Two hangers share the 1000 lb: 500 lb each, B-268 size 5 (221 .. 378)
  // would not hold it; size 7 (392 .. 672) holds 500 and 500 + 0.5 x 112.
  EXPECT_EQ(Row(report, 1), (std::vector<std::string>{"20", "2", "Grinnell", "B-268", "7", FormatStiffnessOrRigid(112.0f),
                                                      FormatDisplacement(0.5f), FormatDisplacement(0.0f),
                                                      FormatForce(500.0f), FormatForce(556.0f), "11"}));
  // Tab steps on to the next result table, and Shift+Tab back to the report.
  SetFocus(ResultsTableWindow());
  platform::TestKeyPress(VK_TAB);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsReopenCommand(), OpenHangerReport);
  SetFocus(ResultsTableWindow());
  platform::TestKeyDown(VK_SHIFT);
  platform::TestKeyPress(VK_TAB);
  platform::TestKeyUp(VK_SHIFT);
  platform::RunUntilIdle();
  EXPECT_EQ(ResultsReopenCommand(), OpenHangerReport);
  g_ResultCase = ResultCaseOfType(1);
  HangerResultKind().openLoads();
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find("Loads on Hangers"), std::string::npos) << ResultsTitle();
  const std::vector<std::string> cells = Row(Shown(), 1);
  EXPECT_NE(std::find(cells.begin(), cells.end(), "Grinnell"), cells.end());
  // One hanger carries 500 lb; the total of the two is the sustained load.
  EXPECT_NE(std::find(cells.begin(), cells.end(), Trim(FormatForce(-500.0f))), cells.end());
  EXPECT_NE(std::find(cells.begin(), cells.end(), Trim(FormatForce(-1000.0f))), cells.end());
  // The summary holds the total load of the hangers at the node.
  OpenSupportSummaryWindow(HangerResultKind(), 2);
  platform::RunUntilIdle();
  EXPECT_EQ(Trim(Shown().CellText(1, 1, 0)), "Sustained");
  EXPECT_EQ(Trim(Shown().CellText(1, 2, 0)), Trim(FormatForce(-1000.0f)));
}

// Units chosen from the Layout window: the report shown is laid out again
// and painted whole under the new labels, as Units in the Results window
// reopens it.
TEST_F(HangerResultsTest, UnitsFromTheLayoutWindowRedrawTheReportShown) {
  OpenLine();
  OpenHangerReport();
  platform::RunUntilIdle();
  ResultTableWindow& report = Shown();
  HWND window = report.Window();
  ValidateRect(window, nullptr);
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kAllSiButton, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(ChooseUnits(ProgramCommands().layoutTableWindow()));
  platform::CheckModalScript();
  RECT client{}, update{};
  GetClientRect(window, &client);
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_TRUE(update.left <= 0 && update.top <= 0 && update.right >= client.right && update.bottom >= client.bottom)
      << update.left << "," << update.top << "," << update.right << "," << update.bottom;
  // 0.5 inch of travel is 12.7 mm, and its column is as wide as a fresh
  // report's in mm.
  EXPECT_NE(report.CellText(1, 7, 0).find("12.7"), std::string::npos) << report.CellText(1, 7, 0);
  EXPECT_NE(report.HeadingText(7, 2).find("mm"), std::string::npos) << report.HeadingText(7, 2);
  const std::vector<int> widths = report.widths;
  OpenHangerReport();
  EXPECT_EQ(Shown().widths, widths);
}

TEST_F(HangerResultsTest, TheLicadFileCarriesTheDesignInTheFilesUnits) {
  OpenLine();
  OpenHangerReport();
  platform::RunUntilIdle();
  EXPECT_EQ(HangerReportCell(1, 11), "10");
  const UnitsSettings users = g_UnitsSettings;
  g_UnitsSettings = UnitsSettings{};  // feet and inches: inch in the file
  const std::string imperial = folder_ + "/line-imperial.cli";
  ExportTo(imperial);
  const std::vector<std::string> lines = Lines(imperial);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Interface QUORVEL LICAD Version: 1.0");
  EXPECT_EQ(lines[1], "IMPERIAL");
  EXPECT_EQ(Fields(lines[2]).size(), 24u);
  EXPECT_EQ(Fields(lines[2])[0], "Hanger mark");
  const std::vector<std::string> fields = Fields(lines[3]);
  ASSERT_EQ(fields.size(), 24u);
  EXPECT_EQ(fields[0], "H-1 1");
  EXPECT_EQ(fields[4] + ";" + fields[5], "B-268;9");
  EXPECT_NEAR(std::stod(fields[1]), 100.0, 1.0e-4);  // inch, whatever the user shows
  EXPECT_EQ(fields[18], "1.00_0.00_0.00");
  EXPECT_EQ(fields[19], "0.00_1.00_0.00");
  EXPECT_EQ(fields[21], "0.100");
  // With metres: mm and N, and the user's units come back.
  const UnitsSettings before = [] {
    UnitsSettings units = g_UnitsSettings;
    units.unit[kUnitLength] = kLengthMetre;
    return units;
  }();
  g_UnitsSettings = before;
  const std::string metric = folder_ + "/line-metric.cli";
  ASSERT_TRUE(WriteLicadFile(ResultsFrame().window, metric));
  for (int kind = 1; kind <= kUnitKindCount; ++kind) EXPECT_EQ(g_UnitsSettings.unit[kind], before.unit[kind]) << kind;
  const std::vector<std::string> metricLines = Lines(metric);
  ASSERT_EQ(metricLines.size(), 4u);
  EXPECT_EQ(metricLines[1], "METRIC");
  const std::vector<std::string> metricFields = Fields(metricLines[3]);
  EXPECT_NEAR(std::stod(metricFields[1]), 2540.0, 0.5);           // 100 inch in mm
  EXPECT_NEAR(std::stod(metricFields[10]), 1000.0 * 4.44822, 2.0);  // the hot load in N
  EXPECT_NEAR(std::stod(metricFields[13]), 12.7, 0.01);             // the travel in mm
  g_UnitsSettings = users;
}

TEST_F(HangerResultsTest, UserAndRodHangersAreLeftOutOfTheLicadFile) {
  OpenLine();
  static_cast<Hanger&>(*TheModel().row(2).item).kind = kRodHanger;
  const std::string path = folder_ + "/rod.cli";
  ASSERT_TRUE(WriteLicadFile(ResultsFrame().window, path));
  EXPECT_EQ(Lines(path).size(), 3u);  // the three header lines only
  static_cast<Hanger&>(*TheModel().row(2).item).kind = kUserHanger;
  ASSERT_TRUE(WriteLicadFile(ResultsFrame().window, path));
  EXPECT_EQ(Lines(path).size(), 3u);
}

TEST_F(HangerResultsTest, AFileThatCannotBeOpenedIsNamed) {
  OpenLine();
  const std::string path = folder_ + "/missing/line.cli";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [path](HWND box) {
    EXPECT_EQ(LinesOfDialog(box), (std::vector<std::string>{"Unable to open LICAD export file:", path}));
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(WriteLicadFile(ResultsFrame().window, path));
  platform::CheckModalScript();
}

// The sustained displacements during hanger selection (the hanger node held
// rigid under the weight) replace the operating case's rows from the
// Displacements table's popup, titled as such, until the next case; a
// damaged file leaves the case's rows.
TEST_F(HangerResultsTest, TheDisplacementsDuringHangerSelectionShowFromThePopup) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(8);
  OpenDisplacementsTable();
  platform::RunUntilIdle();
  ResultTableWindow& table = Shown();
  const int row = 2;  // node 20, at the hanger
  ASSERT_EQ(table.CellText(row, 1, 0), "20");
  const std::string operating = table.CellText(row, 3, 0);
  ASSERT_EQ(operating, FormatDisplacementOrNone(0.5f));  // both anchors moved up 0.5 inch
  const std::string file = HangerDisplacementsFileFor(ResultsPathOf(TheModel().path));
  ASSERT_FALSE(file.empty()) << "the run kept no hanger displacement file for its results";
  const auto choose = [] {
    platform::ExpectModal(platform::ModalKind::PopupMenu, "Show deflected shape", [](HWND) {
      platform::TestKeyPress(VK_UP);  // the last item
      platform::TestKeyPress(VK_RETURN);
    });
    Shown().ContextMenu();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  };
  choose();
  EXPECT_NE(ResultsTitle().find(": Sustained Load Displacements during Hanger Selection -"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(table.CellText(row, 3, 0), FormatDisplacementOrNone(0.0f));  // held by the hanger under the weight
  EXPECT_FALSE(ResultsMenuHas(216));  // the shape items show a case, not this
  // The next case load goes back to the case.
  table.Reload();
  EXPECT_EQ(table.CellText(row, 3, 0), operating);
  EXPECT_NE(ResultsTitle().find("Displacements: "), std::string::npos) << ResultsTitle();
  EXPECT_TRUE(ResultsMenuHas(216));
  // A short file changes none of the rows.
  std::filesystem::resize_file(file, 10);
  choose();
  EXPECT_NE(ResultsTitle().find(": Sustained Load Displacements during Hanger Selection -"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(table.CellText(row, 3, 0), operating);
}

// The hanger report as text (the row at its columns, the catalogue name
// short), as comma-separated values, and offered to the model report.
TEST_F(HangerResultsTest, TheReportPrintsAtItsColumnsAndJoinsTheModelReport) {
  OpenLine();
  const std::vector<PrintSection>& kinds = PrintResultKinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), PrintSection::HangerReport), kinds.end());
  OpenHangerReport();
  platform::RunUntilIdle();
  const std::string text = folder_ + "/hangers.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  std::string row;
  for (const std::string& line : Lines(text))
    if (line.size() > 40 && line.find("B-268") != std::string::npos) row = line;
  ASSERT_FALSE(row.empty());
  const auto at = [&row](int column, const std::string& value) { return row.compare(column - 1, value.size(), value) == 0; };
  EXPECT_TRUE(at(6, "20")) << row;
  EXPECT_TRUE(at(11, "1")) << row;
  EXPECT_TRUE(at(14, "Grinnell")) << row;
  // The series fills its five columns: the size keeps a blank before it.
  EXPECT_TRUE(at(30, "B-268 9 ")) << row;
  EXPECT_TRUE(at(77, "10")) << row;
  // The rate's unit under "rate", in the label's own parentheses.
  const std::string unit = UnitLabel(kUnitStiffness);
  ASSERT_EQ(unit.front(), '(');
  std::string units;
  for (const std::string& line : Lines(text))
    if (line.find("No.  Size") != std::string::npos) units = line;
  ASSERT_FALSE(units.empty());
  // The travels and loads carry theirs after it too, a blank apart.
  const std::string travelUnit = UnitLabel(kUnitDisplacement), loadUnit = UnitLabel(kUnitForce);
  EXPECT_EQ(units.substr(41), unit + " " + travelUnit + " " + travelUnit + " " + loadUnit + " " + loadUnit) << units;
  const std::string csv = folder_ + "/hangers.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = Lines(csv);
  const auto header = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.rfind("Node,No.,Type,Fig.,Size", 0) == 0; });
  ASSERT_NE(header, lines.end());
  ASSERT_GE(lines.end() - header, 3);
  const std::string travel = UnitLabel(kUnitDisplacement), load = UnitLabel(kUnitForce);
  EXPECT_EQ(header[1].substr(0, header[1].find_last_not_of("\r,") + 1),
            ",of,,No.,," + unit + "," + travel + "," + travel + "," + load + "," + load);
  const std::vector<std::string> cells = [](std::string line) {
    std::vector<std::string> out(1);
    for (char c : line) {
      if (c == ',') out.emplace_back();
      else if (c != '\r') out.back() += c;
    }
    return out;
  }(header[2]);
  ASSERT_GE(cells.size(), 11u);
  EXPECT_EQ(cells[0], "20");
  EXPECT_EQ(cells[3], "B-268");
  EXPECT_EQ(cells[10], "10");
}

// Every value of the report's text keeps a blank before the next: a series
// of five characters and its size (B-268, 5), and two travels each wider
// than its column (0.073375 and 0.10235), read as four values, each where
// the columns put it or one blank after the value before.
TEST_F(HangerResultsTest, TheReportsValuesStandApartWhenTheyFillTheirColumns) {
  OpenLine();
  ASSERT_EQ(TheResults().hangers.size(), 1u);
  HangerDesignRecord& design = TheResults().hangers[0];
  design.figure = "B-268";
  design.size = "5";
  design.design[0] = 0.073375f;
  design.design[1] = 0.10235f;
  OpenHangerReport();
  platform::RunUntilIdle();
  ASSERT_EQ(HangerReportCell(1, 7), "0.073375");
  ASSERT_EQ(HangerReportCell(1, 8), "0.10235");
  const std::string text = folder_ + "/hangers.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  std::string row;
  for (const std::string& line : Lines(text))
    if (line.find("Grinnell") != std::string::npos) row = line;
  ASSERT_FALSE(row.empty());
  EXPECT_EQ(row.substr(29, 7), "B-268 5") << row;
  EXPECT_EQ(row.substr(48, 17), "0.073375 0.10235 ") << row;
  // Eleven values, as many as the report has columns.
  std::istringstream words(row);
  std::vector<std::string> values;
  for (std::string word; words >> word;) values.push_back(word);
  EXPECT_EQ(values.size(), 11u) << row;
}

// A travel of rounding size reads as 0.
TEST_F(HangerResultsTest, ATravelOfRoundingSizeReadsAsZero) {
  OpenLine();
  ASSERT_EQ(TheResults().hangers.size(), 1u);
  TheResults().hangers[0].design[0] = -1.7685e-9f;
  TheResults().hangers[0].design[1] = 2.0e-6f;
  EXPECT_EQ(HangerReportCell(1, 7), "0");
  EXPECT_EQ(HangerReportCell(1, 8), "0");
}

}  // namespace
