// The Soil Restraints result table, reached as a user reaches it: a buried
// line typed into the model, analysed from the Layout window's Analyze,
// Yes to the results, "&Soil restraints" in the result chooser. The line:
// 12.75 x 0.375 inch pipe at the origin, in a cohesionless soil of 120 lb
// per cubic foot, delta 30 degrees, Ks 0.7, ground level 42.375 inch;
// factor 0.04, so each 60-inch element holds by hand Tu 2858.2 lb, Pu
// 30 655 lb, Qd 204 848 lb and Qu 1912.5 lb, each stiffness the load over
// 0.51 inch; the third element, a riser out of the ground, holds none.
// The table's cells, its highlight and Tab, the text report at its columns,
// the comma-separated report and the printed grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>

#include "analysis/AnalysisTesting.h"
#include "editing/ModelWindows.h"
#include "files/ModelFile.h"
#include "graphics/Highlight.h"
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"
#include "platform/CommonDialog.h"
#include "printing/PrinterSettings.h"
#include "results/ResultChooser.h"
#include "results/ResultsMode.h"
#include "results/SoilRestraintsTable.h"
#include "resultsfile/ResultNavigation.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

namespace fs = std::filesystem;

class SoilRestraintsTableTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    fs::create_directories(folder_);
  }
  void TearDown() override {
    if (InResultsMode()) LeaveResultsMode();
    LayoutFixture::TearDown();
    fs::remove_all(folder_);
  }
  std::string ModelPath() const { return folder_ + "/buried.mod"; }

  void BuildLine() {
    Model& model = TheModel();
    analysis_testing::StartModel(model, 170.0, 0.0, ModelPath());
    model.sections[1].outsideDiameter = 12.75f;
    model.sections[1].thickness = 0.375f;
    model.sections[1].soil = "S1";
    Soil soil;
    soil.name = "S1";
    soil.density = static_cast<float>(120.0 / 1728.0);
    soil.delta = static_cast<float>(std::numbers::pi / 6.0);
    soil.Ks = 0.7f;
    soil.groundLevel = 42.375f;
    AppendSoil(model.soils, soil);
    PutItem(model, analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f), DataType::Anchor);
    analysis_testing::PipeRow(model, 20, ElementType::Pipe, 60.0f);
    analysis_testing::PipeRow(model, 30, ElementType::Pipe, 60.0f);
    PutItem(model, analysis_testing::PipeRow(model, 40, ElementType::Pipe, 0.0f, 100.0f), DataType::Anchor);
    MakeModel(model);
    analysis_testing::SetCases(model, {1, 8, 2});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  // Analyze, Yes, and the chooser answered with "&Soil restraints".
  void AnalyseAndOpenTable() {
    platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
      platform::RunUntilIdle();
      SendMessage(dialog, WM_COMMAND, IDYES, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
    bool offered = false;
    const std::string chooser = ResultChooserTemplateName(static_cast<int>(ResultChooserList().size()));
    platform::ExpectModal(platform::ModalKind::Dialog, chooser, [&offered](HWND dialog) {
      for (int id = 1401; id <= 1420; ++id) {
        HWND radio = GetDlgItem(dialog, id);
        if (radio == nullptr || !IsWindowVisible(radio) || TextOf(radio) != "&Soil restraints") continue;
        offered = true;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(radio));
        return;
      }
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_TRUE(offered);
  }
  // File > Print of the Results window to `path` (text or, by its
  // extension, comma-separated).
  void PrintTo(const std::string& path) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Soil restraints",
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
    SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string folder_ = TempFolder() + "/soil-restraints";
};

// The hand values as the table writes them (stiffness in lb/in, loads in
// lb, a decimal below 10 000): 2858.22 / 0.51 = 5604.36 ...
const char* const kExpected[8] = {"5604.4", "2858.2", "60108", "30655", "401663", "204848", "3750.0", "1912.5"};

TEST_F(SoilRestraintsTableTest, TheBuriedElementsSpringsAreInTheTableFromTheResultChooser) {
  BuildLine();
  AnalyseAndOpenTable();
  ASSERT_TRUE(InResultsMode());
  EXPECT_EQ(TextOf(ResultsFrame().window).find("Quorvel : Soil Restraints"), 0u);
  TableWindow* table = ShownResultTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->columnCount, 12);
  EXPECT_EQ(table->headingLines, 3);
  EXPECT_EQ(table->rowCount, 2);  // the riser stands above the ground
  EXPECT_EQ(table->HeadingText(1, 1), "From");
  EXPECT_EQ(table->HeadingText(4, 1), "Type");
  EXPECT_EQ(table->HeadingText(9, 1), "Stiffness");
  EXPECT_EQ(table->HeadingText(9, 2), "(lb/inch)");
  EXPECT_EQ(table->HeadingText(12, 1), "Max Load");
  EXPECT_EQ(table->HeadingText(12, 2), "(lb)");
  EXPECT_EQ(table->widths[1], table->widths[2]);
  for (int row = 1; row <= 2; ++row) {
    EXPECT_EQ(table->CellText(row, 1, 0), row == 1 ? "10" : "20");
    EXPECT_EQ(table->CellText(row, 2, 0), row == 1 ? "20" : "30");
    EXPECT_EQ(table->CellText(row, 3, 0), "S1");
    EXPECT_EQ(table->CellText(row, 4, 0), "Cohesionless");
    for (int value = 0; value < 8; ++value) EXPECT_EQ(table->CellText(row, 5 + value, 0), kExpected[value]) << value;
  }

  // Down to the second row: its element is highlighted; the node commands
  // take its layout row's node. Tab steps to the next table.
  SetFocus(ResultsTableWindow());
  platform::TestKeyPress(VK_DOWN);
  platform::RunUntilIdle();
  ASSERT_EQ(ShownResultTable()->currentRow, 2);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, 3);
  EXPECT_EQ(ShownResultTable()->RowNode(2), 30);
  platform::TestKeyPress(VK_TAB);
  platform::RunUntilIdle();
  EXPECT_NE(ResultsReopenCommand(), OpenSoilRestraintsTable);
}

TEST_F(SoilRestraintsTableTest, TheReportsPutTheSpringsUnderTheirHeadings) {
  BuildLine();
  AnalyseAndOpenTable();
  const std::string path = folder_ + "/soil.txt";
  PrintTo(path);
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::size_t title = 0;
  while (title < lines.size() && lines[title].find("Soil restraints") == std::string::npos) ++title;
  ASSERT_LT(title + 7, lines.size());
  EXPECT_EQ(lines[title + 2].find("Axial"), 17u);
  EXPECT_EQ(lines[title + 2].find("Transverse"), 32u);
  EXPECT_EQ(lines[title + 2].find("Vertical Down"), 47u);
  EXPECT_EQ(lines[title + 2].find("Vertical Up"), 65u);
  EXPECT_EQ(lines[title + 3].find("From To   Stiffnes MaxLoad"), 2u);
  EXPECT_EQ(lines[title + 4].find("(lb/in)"), 12u);
  EXPECT_EQ(lines[title + 4].find("(lb)"), 21u);
  const std::string& row = lines[title + 6];
  EXPECT_EQ(row.substr(2, 2), "10");
  EXPECT_EQ(row.substr(7, 2), "20");
  const int columns[8] = {13, 22, 30, 39, 47, 56, 64, 73};
  for (int value = 0; value < 8; ++value)
    EXPECT_EQ(row.substr(static_cast<std::size_t>(columns[value] - 1), std::string(kExpected[value]).size()),
              kExpected[value])
        << row;
  EXPECT_EQ(lines[title + 7].substr(2, 2), "20");

  // Comma-separated: the groups, the headings, the units, one line a record.
  const std::string csv = folder_ + "/soil.csv";
  PrintTo(csv);
  const std::string text = Bytes(csv);
  EXPECT_NE(text.find("Soil restraints,\r\n,,,,Axial,,Transverse,,Vertical Down,,Vertical Up,,\r\n"
                      "From,To,Name,Type,Stiffness,Max Load,Stiffness,Max Load,Stiffness,Max Load,Stiffness,Max Load,\r\n"
                      ",,,,(lb/inch),(lb),(lb/inch),(lb),(lb/inch),(lb),(lb/inch),(lb),\r\n"
                      "10,20,S1,Cohesionless,5604.4,2858.2,60108,30655,401663,204848,3750.0,1912.5,\r\n"
                      "20,30,S1,Cohesionless,"),
            std::string::npos)
      << text;

  // The printer's grid, seen in the preview: one page.
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Soil restraints",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1001, 0); });
  SendMessage(ResultsFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  PrinterSettings& printer = TextPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.pageCount, 1);
  platform::CheckModalScript();
  // Closed again: a preview left open takes the prints of the tests after.
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);
}

TEST_F(SoilRestraintsTableTest, ResultsWithoutBuriedPipeDoNotOfferTheTable) {
  BuildLine();
  TheModel().sections[1].soil.clear();
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDYES, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
  std::vector<std::string> names;
  const std::string chooser = ResultChooserTemplateName(static_cast<int>(ResultChooserList().size()));
  platform::ExpectModal(platform::ModalKind::Dialog, chooser, [&names](HWND dialog) {
    for (int id = 1401; id <= 1420; ++id)
      if (HWND radio = GetDlgItem(dialog, id); radio != nullptr && IsWindowVisible(radio)) names.push_back(TextOf(radio));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(std::find(names.begin(), names.end(), "&Soil restraints"), names.end());
  EXPECT_FALSE(SoilRestraintsAvailable());
  OpenSoilRestraintsTable();  // nothing to show: nothing changes
  EXPECT_NE(ResultsReopenCommand(), OpenSoilRestraintsTable);
}

}  // namespace
