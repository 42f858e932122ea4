// The printer road recorded on the PDF printer's context: printed tables
// break pages where their rows do, repeat their title and heading on every
// page, start on a new page when their heading does not fit, and leave out
// columns of width 0; heading bands and marked (inverted) cells follow the
// font's measures; the table of contents indents its levels by the width
// of "AAA"; a recording for a window that has no report is refused.
#include <gtest/gtest.h>

#include <cstring>

#include "model/Drawing2D.h"
#include "platform/Metafile.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"

namespace {

struct TextRecord {
  int x;
  int y;
  std::string text;
};

// The texts recorded so far, by page (index 0: before the first page).
std::vector<std::vector<TextRecord>> RecordedTexts(HENHMETAFILE picture) {
  std::vector<std::vector<TextRecord>> pages(1);
  for (const std::vector<DWORD>& record : platform::MetafileRecords(picture)) {
    if (record[0] == EMR_GDICOMMENT && record[3] != 999999) pages.resize(record[3] + 1);
    if (record[0] == EMR_EXTTEXTOUTA)
      pages.back().push_back({static_cast<int>(record[2]), static_cast<int>(record[3]),
                              std::string(reinterpret_cast<const char*>(record.data() + 12), record[10])});
  }
  return pages;
}

int Count(const std::vector<TextRecord>& texts, const std::string& text) {
  int count = 0;
  for (const TextRecord& record : texts) count += record.text == text;
  return count;
}

class Grid : public PrintTable {
 public:
  void DefineColumns() override {
    SetColumns(3);
    widths[1] = TextWidth("Node 0000");
    widths[2] = 0;  // a hidden column
    widths[3] = TextWidth("Length");
  }
  std::string HeadingText(int column, int) override { return column == 1 ? "Node" : column == 2 ? "Hidden" : "Length"; }
  std::string CellText(int row, int column, int) override {
    return column == 1 ? "N" + std::to_string(row) : column == 2 ? "secret" : "L";
  }
};

class PrinterRoadTest : public testing::Test {
 protected:
  HDC printer_ = nullptr;
  void SetUp() override {
    platform::EnableTestMode(true);
    TextPrinter().InitDefaults();
    printer_ = TextPrinter().CreatePrinterDc();
    RECT frame{0, 0, 7 * 2540, 10 * 2540};
    g_PrinterDc = CreateEnhMetaFile(printer_, nullptr, &frame, nullptr);
    PrinterPage().width = 7 * 600;
    PrinterPage().height = 10 * 600;
    g_PrinterPage = 0;
    PrinterPageHeading();
  }
  void TearDown() override {
    if (g_PrinterDc != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(g_PrinterDc));
    g_PrinterDc = nullptr;
    DeleteDC(printer_);
    g_CollectContents = false;
    ContentsEntries().clear();
    platform::Shutdown();
    platform::EnableTestMode(false);
  }
  std::vector<std::vector<TextRecord>> Finish() {
    HENHMETAFILE picture = CloseEnhMetaFile(g_PrinterDc);
    g_PrinterDc = nullptr;
    auto pages = RecordedTexts(picture);
    DeleteEnhMetaFile(picture);
    return pages;
  }
};

TEST_F(PrinterRoadTest, TablesBreakPagesAndRepeatTheirHeading) {
  Grid probe;
  TablePrint(probe, "Probe", 1);  // lays the grid out: its row height and the rows a page holds
  const int perPage = (PrinterPage().bodyBottom - PrinterPage().bodyTop - PrinterPage().barHeight - probe.headingHeight) /
                      probe.rowHeight;
  ASSERT_GT(perPage, 10);
  PrinterPageHeading();  // a fresh page: exactly one page of rows fits
  const int firstPage = g_PrinterPage;
  Grid exact;
  TablePrint(exact, "Exact", perPage);
  EXPECT_EQ(g_PrinterPage, firstPage);
  PrinterPageHeading();
  Grid more;
  TablePrint(more, "More", perPage + 1);
  EXPECT_EQ(g_PrinterPage, firstPage + 2);
  auto pages = Finish();
  ASSERT_EQ(static_cast<int>(pages.size()), firstPage + 3);
  const auto& overflow = pages[static_cast<std::size_t>(firstPage + 2)];
  EXPECT_EQ(Count(overflow, "More"), 1);  // the title bar again
  EXPECT_EQ(Count(overflow, "Node"), 1);  // and the heading
  EXPECT_EQ(Count(overflow, "N" + std::to_string(perPage + 1)), 1);
  EXPECT_EQ(Count(pages[static_cast<std::size_t>(firstPage + 1)], "N" + std::to_string(perPage)), 1);
  for (const auto& page : pages) {
    EXPECT_EQ(Count(page, "Hidden"), 0);
    EXPECT_EQ(Count(page, "secret"), 0);
  }
}

TEST_F(PrinterRoadTest, ATableWhoseHeadingDoesNotFitStartsANewPage) {
  PrinterPageGeometry& page = PrinterPage();
  page.y = page.bodyBottom - page.lineHeight;  // room for one line only
  Grid grid;
  TablePrint(grid, "Late", 3);
  EXPECT_EQ(g_PrinterPage, 2);
  auto pages = Finish();
  EXPECT_EQ(Count(pages[1], "Late"), 0);
  EXPECT_EQ(Count(pages[2], "Late"), 1);
  EXPECT_EQ(Count(pages[2], "N3"), 1);
}

TEST_F(PrinterRoadTest, HeadingBandsAndMarkedCellsFollowTheFontMeasures) {
  const PrinterPageGeometry& page = PrinterPage();
  const int g = page.gap, d = page.descent, h = page.textHeight;
  EXPECT_EQ(TableRowHeight(1), 5 * g / 2 + d + h);
  EXPECT_EQ(TableRowHeight(2), 11 * g / 2 + 2 * (d + h));
  EXPECT_EQ(TableRowHeight(3), 0);
  Grid grid;
  grid.linesPerRow = 2;
  TablePrint(grid, "Marked", 3);
  const int rowTop = grid.originY + grid.headingHeight + grid.rowHeight;  // row 2
  const BYTE mark[4] = {'m', 'a', 'r', 'k'};
  GdiComment(g_PrinterDc, sizeof mark, mark);
  // Row 2, column 3, second line: the lower half of the cell black, no rule
  // above it; then column 1, first line, with its left rule asked for.
  TablePrintCellInverse(grid, 2, 3, 1);
  grid.leftRule = true;
  TablePrintCellInverse(grid, 2, 1, 0);
  EXPECT_FALSE(grid.leftRule);
  HENHMETAFILE picture = CloseEnhMetaFile(g_PrinterDc);
  g_PrinterDc = nullptr;
  std::vector<std::vector<DWORD>> after;
  bool marked = false;
  for (const std::vector<DWORD>& record : platform::MetafileRecords(picture)) {
    if (marked) after.push_back(record);
    if (record[0] == EMR_GDICOMMENT && record.size() > 2 && std::memcmp(record.data() + 3, mark, 4) == 0) marked = true;
  }
  DeleteEnhMetaFile(picture);
  ASSERT_TRUE(marked);
  std::vector<std::vector<int>> fills;
  int whites = 0, tops = 0;
  for (const std::vector<DWORD>& record : after) {
    if (record[0] == EMR_FILLRGN) fills.push_back({static_cast<int>(record[2]), static_cast<int>(record[3]),
                                                   static_cast<int>(record[4]), static_cast<int>(record[5]),
                                                   static_cast<int>(record[7])});
    if (record[0] == EMR_SETTEXTCOLOR && record[2] == 0xFFFFFF) ++whites;
    if (record[0] == EMR_LINETO && static_cast<int>(record[3]) == rowTop) ++tops;
  }
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0], (std::vector<int>{grid.lefts[3], rowTop + grid.rowHeight / 2, grid.lefts[4], rowTop + grid.rowHeight, 0}));
  EXPECT_EQ(fills[1], (std::vector<int>{grid.lefts[1], rowTop, grid.lefts[2], rowTop + grid.rowHeight / 2, 0}));
  EXPECT_EQ(whites, 2);
  EXPECT_EQ(tops, 1);  // only the first line's cell redraws the rule above it
}

// A section that begins at the foot of a page, where its table finds no
// room: its entry names the page the table's title lands on.
TEST_F(PrinterRoadTest, AContentsEntryNamesThePageItsSectionStartsOn) {
  g_CollectContents = true;
  PrinterTextLeft("The body so far");
  PrinterPage().y = PrinterPage().bodyBottom - PrinterPage().lineHeight;
  BeginReportSection("Late", 0);
  Grid late;
  TablePrint(late, "Late", 3);
  ASSERT_EQ(ContentsEntries().size(), 1u);
  const int listed = ContentsEntries()[0].page;
  auto pages = Finish();
  int landed = -1;
  for (std::size_t page = 0; page < pages.size() && landed < 0; ++page)
    if (Count(pages[page], "Late") > 0) landed = static_cast<int>(page);
  EXPECT_EQ(landed, 2);
  EXPECT_EQ(listed, landed);
}

TEST_F(PrinterRoadTest, ContentsIndentTheirLevelsByThreeCapitalAs) {
  g_CollectContents = true;
  BeginReportSection("Input", 0);
  BeginReportSection("Layout", 1);
  BeginReportSection("Bends", 2);
  PrinterTextLeft("The last body line");  // the page holds text: the contents start a page of their own
  PrintTableOfContents();
  EXPECT_EQ(g_PrinterPage, 2);
  EXPECT_TRUE(ContentsEntries().empty());
  EXPECT_FALSE(g_RomanPageNumbers);
  const int unit = PrinterPage().unit;
  const int threeAs = PrinterTextWidth("AAA");
  auto pages = Finish();
  auto x = [&](const std::string& text) {
    for (const auto& page : pages)
      for (const TextRecord& record : page)
        if (record.text == text) return record.x;
    return -1;
  };
  EXPECT_EQ(x("Input"), 6 * unit);
  EXPECT_EQ(x("Layout"), 6 * unit + threeAs);
  EXPECT_EQ(x("Bends"), 6 * unit + 2 * threeAs);
  EXPECT_GE(x("Table of Contents"), 0);
  EXPECT_GE(x("Page i"), 0);  // the contents page numbers itself in roman
  EXPECT_EQ(x("Page 2"), -1);
}

TEST_F(PrinterRoadTest, AWindowWithoutAReportIsRefused) {
  TextPrinter().owner = nullptr;
  try {
    CreateTextPrinterPage(TextPrinter(), printer_, 7.0f, 10.0f);
    ADD_FAILURE() << "recorded for no window";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unknown caller in create emf on text printer");
  }
  EXPECT_EQ(TextPrinter().document, nullptr);
  EXPECT_FALSE(g_Recording);
}

}  // namespace
