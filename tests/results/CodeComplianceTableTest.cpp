// The code compliance and sorted stresses tables as the user meets them in
// the Results window: ratios above 1.0 and their stresses drawn in red (and
// a design pressure above the allowable one), the ratio columns hidden and
// shown again from the View menu and the table's popup, the sorted blocks
// worst first with the nodes never reached last, the allowable columns and
// the operating block on request, printing through the print sheet, and
// the BS 806 and Class 2 branch connection models opening their results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeResultsTesting.h"
#include "results/ResultViewItems.h"
#include "results/SortedStressesTable.h"
#include "services/TableWindowSupport.h"

namespace {

using namespace code_testing;

bool IsRed(COLORREF colour) { return GetRValue(colour) > 200 && GetGValue(colour) < 90 && GetBValue(colour) < 90; }

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CodeComplianceTableTest : public CodeResultsFixture {
 protected:
  // The cantilever of B31.1 with an allowable of 3000 psi, so that its
  // anchor end is overstressed, and a design pressure above the allowable
  // pressure of that allowable.
  void BuildOverstressed() {
    Model& model = StartLine(1, analysis_testing::kDensity, 150.0);
    for (int t = 1; t <= 2; ++t) model.materials[1].temps[static_cast<std::size_t>(t)].values[3] = 3000.0f;
    model.materials[1].jointFactor = 1.0f;
    model.pipeLoads[1].designPressure = 400.0f;
    analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    analysis_testing::PipeRow(model, 20, ElementType::Pipe, 120.0f);
    analysis_testing::PipeRow(model, 30, ElementType::Pipe, 120.0f);
    Finish(model, {1});
  }
  // Whether a red pixel lies in the cell's line.
  static bool CellHasRed(TableWindow& table, int row, int column, int line) {
    const int left = table.x[static_cast<std::size_t>(column)] - table.hPosition;
    const int right = table.x[static_cast<std::size_t>(column) + 1] - table.hPosition;
    const int top = table.headingHeight + (row - table.topRow - 1) * table.rowHeight + line * table.Metrics().charHeight;
    for (int y = top; y < top + table.Metrics().charHeight + table.Metrics().lineGap * 2; ++y)
      for (int x = left; x < right; ++x)
        if (IsRed(platform::GetWindowPixel(table.Window(), x, y))) return true;
    return false;
  }
};

TEST_F(CodeComplianceTableTest, RatiosAboveOneAndTheirStressesAreRed) {
  BuildOverstressed();
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &CodeComplianceTable());
  platform::RunUntilIdle();
  const CodeStressResults& r = TheCodeStresses();
  ASSERT_GT(r.Record(1).SL[0], r.Record(1).SH[0]);  // the anchor's end
  bool highlight = false;
  EXPECT_GT(std::stod(ComplianceCellText(1, 5, 0, highlight)), 1.0);
  EXPECT_TRUE(highlight);
  ComplianceCellText(1, 3, 0, highlight);
  EXPECT_TRUE(highlight);
  ComplianceCellText(1, 4, 0, highlight);
  EXPECT_FALSE(highlight);
  // The last end carries no moment: its ratio passes and stays black.
  ComplianceCellText(2, 5, 1, highlight);
  EXPECT_FALSE(highlight);
  // 400 psi against the allowable pressure of S = 3000.
  EXPECT_LT(r.allowablePressure[1], 400.0);
  ComplianceCellText(1, 2, 0, highlight);
  EXPECT_TRUE(highlight);
  // On the screen.
  EXPECT_TRUE(CellHasRed(table, 1, 5, 0));
  EXPECT_TRUE(CellHasRed(table, 1, 3, 0));
  EXPECT_TRUE(CellHasRed(table, 1, 2, 0));
  EXPECT_FALSE(CellHasRed(table, 1, 4, 0));
  EXPECT_FALSE(CellHasRed(table, 2, 5, 1));
  EXPECT_FALSE(CellHasRed(table, 1, 1, 0));
}

TEST_F(CodeComplianceTableTest, TheRatioColumnsHideAndShowFromTheViewMenuAndThePopup) {
  BuildCantilever(3, {1, 13});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ASSERT_TRUE(TheCodeStresses().showRatios);  // Sustained and Occasional: 6 columns
  const std::vector<int> shown = Shown().widths;
  EXPECT_GT(shown[5], 0);
  EXPECT_EQ(ViewItemText(374), "&Hide Ratios");
  ResultsCommandNow(374);
  EXPECT_EQ(Shown().widths[5], 0);
  EXPECT_EQ(Shown().widths[14], 0);
  EXPECT_GT(Shown().widths[4], 0);
  EXPECT_EQ(ViewItemText(374), "&Show Ratios");
  // The table's popup toggles them back.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Show Ratios", [](HWND) {
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_RETURN);
  });
  Shown().ContextMenu();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(Shown().widths, shown);
  EXPECT_EQ(ViewItemText(374), "&Hide Ratios");
  // The next table takes the View item away with the compliance table.
  ResultsCommandNow(226);  // Next Result
  EXPECT_NE(ResultsReopenCommand(), OpenCodeComplianceTable);
  EXPECT_FALSE(ResultsMenuHas(374));
}

TEST_F(CodeComplianceTableTest, TheSortedBlocksRunWorstFirstAndNodesNeverReachedComeLast) {
  BuildFrame(3);
  OpenChoosing("&Sorted stresses");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &SortedStressesTable());
  const CodeStressResults& r = TheCodeStresses();
  EXPECT_NE(ResultsTitle().find("B31.3 (2016) Code compliance (Sorted stresses)"), std::string::npos);
  // The frame's three nodes in each block; the expansion block (columns
  // 5 - 8) ordered by ratio, the worst one a node of the frame's ends.
  ASSERT_EQ(table.rowCount, 3);
  double previous = 1e30;
  for (int row = 1; row <= table.rowCount; ++row) {
    const double ratio = std::stod(table.CellText(row, 8, 0));
    EXPECT_LE(ratio, previous + 1e-9);
    previous = ratio;
  }
  // Each block's first row is the largest ratio among the frame's ends.
  double largest = 0.0;
  for (int row = 1; row <= r.RecordCount(); ++row)
    for (const StressCheck& check : r.Record(row).expansion) largest = std::max(largest, static_cast<double>(check.ratio));
  EXPECT_NEAR(std::stod(table.CellText(1, 8, 0)), largest, 0.006);
  EXPECT_EQ(table.HeadingText(6, 1), "SE");
  EXPECT_EQ(table.HeadingText(7, 1), "SA");
  EXPECT_EQ(table.HeadingText(5, 2), "Node");
  // Right steps to the next block, Left back; the current row's
  // highlight covers the current block.
  EXPECT_EQ(r.sorted.currentSection, 0);
  SetFocus(ResultsTableWindow());
  table.KeyDown(VK_RIGHT);
  EXPECT_EQ(r.sorted.currentSection, 1);
  EXPECT_EQ(table.FirstDrawnColumn(), 5);
  table.KeyDown(VK_RIGHT);  // the last block present wraps to the first
  EXPECT_EQ(r.sorted.currentSection, 0);
  // The allowables hide and come back.
  ResultsCommandNow(374);
  EXPECT_EQ(Shown().widths[7], 0);
  EXPECT_EQ(ViewItemText(374), "Show &Allowables");
  ResultsCommandNow(374);
  EXPECT_GT(Shown().widths[7], 0);
  // The operating block (case 8) on request.
  EXPECT_EQ(Shown().widths[25], 0);
  ResultsCommandNow(338);
  EXPECT_GT(Shown().widths[25], 0);
  EXPECT_EQ(Shown().HeadingText(26, 1), "Sopr");
  ResultsCommandNow(338);
  EXPECT_EQ(Shown().widths[25], 0);
}

// Opening results works on a copy of the options: the Norwegian code of
// 1990 counts at least 100 thermal cycles and only some codes know the
// liberal allowable, but neither changes the model.
TEST_F(CodeComplianceTableTest, OpeningResultsLeavesTheModelsOptionsAsTheyWere) {
  Model& model = StartLine(14, 0.0, 150.0);
  model.options.ThermalCycles = 50;
  model.options.LiberalAllowable = 1;
  analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  analysis_testing::PipeRow(model, 20, ElementType::Pipe, 120.0f);
  analysis_testing::PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
  PutItem(model, 3, DataType::Anchor);
  Finish(model, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  const CodeStressResults& r = TheCodeStresses();
  EXPECT_EQ(r.cm->settings.thermalCycles, 100);
  EXPECT_FALSE(r.cm->settings.liberalAllowable);
  EXPECT_NEAR(r.cyclicFactor, std::pow(7000.0 / 100.0, 0.2), 1e-12);
  EXPECT_EQ(TheModel().options.ThermalCycles, 50);
  EXPECT_EQ(TheModel().options.LiberalAllowable, 1);
  EXPECT_FALSE(TheModel().modified);
}

// A stress that could not be formed (a wall or section modulus of zero)
// shows as stars, never as a huge number, and stands out.
TEST_F(CodeComplianceTableTest, AStressThatCouldNotBeFormedShowsStars) {
  BuildCantilever(3, {1, 13});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  CodeStressRecord& record = TheCodeStresses().records[1];
  record.SL[0] = kFlaggedStress;
  bool highlight = false;
  EXPECT_EQ(ComplianceCellText(1, 3, 0, highlight), "*****");
  EXPECT_TRUE(highlight);
  EXPECT_EQ(ComplianceCellText(1, 5, 0, highlight), "****");
  EXPECT_TRUE(highlight);
}

TEST(SortedStressOrderTest, EqualRatiosKeepTheirOrderAndUnreachedNodesSortLast) {
  SortedStressSection section = MakeSortedStressSection(5);
  StressRatio(section.entries[2], 1000.0, 10000.0);  // 0.1
  StressRatio(section.entries[4], 3000.0, 10000.0);  // 0.3
  StressRatio(section.entries[1], 3000.0, 10000.0);  // 0.3, an equal ratio
  StressRatio(section.entries[5], 0.0, 10000.0);     // reached with no stress
  EXPECT_EQ(SortStressSection(section), 4);          // node 3 never reached
  EXPECT_EQ(section.order, (std::vector<int>{0, 1, 4, 2, 5, 3}));
}

TEST_F(CodeComplianceTableTest, TheTablePrintsOnThePrinterThroughThePrintSheet) {
  BuildCantilever(1, {1, 13});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  const std::string pdf = folder_ + "/compliance.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Code compliance",
                        [](HWND sheet) { SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(106);
  platform::CheckModalScript();
  ASSERT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::string text = Bytes(pdf + ".txt");
  ResultTableWindow& table = Shown();
  for (const std::string& expected : {std::string("B31.1 (2016) Code Compliance"), std::string("Sustained"),
                                      std::string("Occasional"), table.CellText(1, 3, 0), table.CellText(1, 12, 0),
                                      table.CellText(1, 14, 0), std::string("1.2SH")})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(CodeComplianceTableTest, Bs806AndClass2BranchConnectionModelsOpenTheirResults) {
  // BS 806: its own stresses, table and report.
  BuildFrame(12);
  std::vector<std::string> names = OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "&Sorted stresses");
  EXPECT_EQ(names[1], "&Code compliance");
  EXPECT_EQ(TheCodeStresses().RecordCount(), 2);
  EXPECT_EQ(Shown().HeadingText(3, 1), "fc");
  EXPECT_EQ(Shown().HeadingText(4, 1), "max");
  LeaveResultsMode();
  // ASME Class 2 with a tee entered as a Branch SIF row: its branch
  // connection stresses are offered beside the compliance table.
  Model& model = StartLine(10, 0.0, 150.0);
  analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  analysis_testing::PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PutItem(model, 2, DataType::BranchSif);
  analysis_testing::PipeRow(model, 30, ElementType::Pipe, 60.0f);
  analysis_testing::PipeRow(model, 20, ElementType::From, 0.0f);
  analysis_testing::PipeRow(model, 25, ElementType::Pipe, 0.0f, 40.0f);
  Finish(model, {1});
  names = OpenChoosing("&Branch conn stresses");
  ASSERT_TRUE(InResultsMode());
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[2], "&Branch conn stresses");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(TheModel().options.PipingCode, 10);
}

}  // namespace
