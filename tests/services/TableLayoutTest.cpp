// Table layout: font measures, heading and row heights, the row-number
// column and column positions, fitting the window to the parent (hugging a
// narrow table, scroll bars when it does not fit), row counts and titles.
// Expected values are worked out by hand from the font measures the test
// sets (character width 6, height 13: cell margin 6/2+2 = 5, line gap
// 13/12+2 = 3, row height 13+2*3 = 19) and the text widths of the font.
#include "platform/Controls.h"
#include "services/TableTesting.h"

namespace {

class TableLayoutTest : public TableTest {
 protected:
  void FixMetrics() { record.metrics = MakeTableFontMetrics(6, 13, 3); }
  RECT WindowRect() {
    RECT rect{};
    GetWindowRect(tableWindow, &rect);
    return rect;
  }
  DWORD Style() { return static_cast<DWORD>(GetWindowLong(tableWindow, GWL_STYLE)); }
  void ShowFixed(int rows, int width, int height) {
    MakeWindows(width, height);
    FixMetrics();
    Bind(grid);
    grid.records.resize(static_cast<std::size_t>(rows));
    TableSetRows(grid, rows);
    TableShowFocus(grid);
    platform::RunUntilIdle();
  }
};

TEST_F(TableLayoutTest, FontMeasuresGiveMarginGapAndRowHeight) {
  const TableFontMetrics small = MakeTableFontMetrics(6, 13, 3);
  EXPECT_EQ(small.cellMargin, 5);
  EXPECT_EQ(small.lineGap, 3);
  EXPECT_EQ(small.rowHeight, 19);
  const TableFontMetrics large = MakeTableFontMetrics(7, 25, 5);
  EXPECT_EQ(large.cellMargin, 5);  // 7/2 + 2
  EXPECT_EQ(large.lineGap, 4);     // 25/12 + 2
  EXPECT_EQ(large.rowHeight, 33);  // 25 + 8
}

TEST_F(TableLayoutTest, HeadingRowsAndColumnsFromTheMeasures) {
  MakeWindows(600, 300);
  FixMetrics();
  grid.columnWidths = {40, 0, 60, 50};  // column 2 hidden
  Bind(grid);
  grid.headingLines = 2;
  grid.gapAfterHeading1 = true;
  grid.gapAfterHeading2 = true;
  grid.linesPerRow = 2;
  TableSetRows(grid, 10);
  TableLayoutHeadings(grid);
  EXPECT_EQ(grid.headingHeight, 38);  // 2*13 + 2*3 + 3 + 3
  EXPECT_EQ(grid.rowHeight, 32);      // 2*13 + 2*3
  const int rowNumbers = TextWidth("00") + 10;
  EXPECT_EQ(grid.x[1], rowNumbers);
  EXPECT_EQ(grid.x[2], rowNumbers + 50);
  EXPECT_EQ(grid.x[3], rowNumbers + 50);  // the hidden column takes no space
  EXPECT_EQ(grid.x[4], rowNumbers + 50 + 70);
  EXPECT_EQ(grid.x[5], rowNumbers + 50 + 70 + 60);
  EXPECT_EQ(grid.totalWidth, grid.x[5]);
  // Row positions and the heading bands.
  EXPECT_EQ(TableRowTopY(grid, 3), 38 + 2 * 32);
  EXPECT_EQ(TableRowY(grid, 3), 38 + 3 * 32);
  EXPECT_EQ(TableRowsBottomY(grid), 38 + 10 * 32);
  EXPECT_EQ(TableRowTextHeight(grid, 1), 4 + 13);       // 1.5 gaps truncated + 1 line
  EXPECT_EQ(TableRowTextHeight(grid, 2), 7 + 26);       // 2.5 gaps truncated + 2 lines
  EXPECT_EQ(TableRowTextHeight(grid, 3), 0);
  EXPECT_EQ(NodeColumnWidth(grid), TextWidth("0000A"));
}

TEST_F(TableLayoutTest, NoHeadingAndNoRowNumbers) {
  MakeWindows(600, 300);
  FixMetrics();
  Bind(grid);
  grid.headingLines = 0;
  grid.rowNumbers = false;
  TableSetRows(grid, 5);
  TableLayoutHeadings(grid);
  EXPECT_EQ(grid.headingHeight, 0);
  EXPECT_EQ(grid.x[1], 0);
  EXPECT_EQ(grid.x[2], 50);
  // A height below one row still shows one row.
  EXPECT_EQ(TableFitRows(grid, 10), grid.totalWidth + GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(grid.visibleRows, 1);
}

TEST_F(TableLayoutTest, RowNumberColumnWidensAtHundredAndThousandRows) {
  MakeWindows(600, 300);
  FixMetrics();
  Bind(grid);
  for (auto [rows, digits] : {std::pair{99, "00"}, {100, "000"}, {999, "000"}, {1000, "0000"}}) {
    TableSetRows(grid, rows);
    TableLayoutHeadings(grid);
    EXPECT_EQ(grid.x[1], TextWidth(digits) + 10) << rows << " rows";
    EXPECT_EQ(RowNumberWidth(grid), TextWidth(digits));
  }
}

TEST_F(TableLayoutTest, WindowHugsATableNarrowerThanItsParent) {
  ShowFixed(10, 600, 300);
  const int total = TextWidth("00") + 10 + 50 + 90 + 70 + 60;
  EXPECT_EQ(grid.totalWidth, total);
  // Client height 300 - 4 (client edge): (296 - 19) / 19 = 14 rows; all 10 fit.
  EXPECT_EQ(grid.visibleRows, 14);
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, total + 1 + 4);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  EXPECT_EQ(Style() & WS_VSCROLL, 0u);
  EXPECT_EQ(Style() & WS_HSCROLL, 0u);
  EXPECT_FALSE(grid.vScrollShown);
}

TEST_F(TableLayoutTest, MoreRowsThanFitGiveTheVerticalBar) {
  ShowFixed(30, 600, 300);
  const int total = TextWidth("00") + 10 + 50 + 90 + 70 + 60;
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, total + GetSystemMetrics(SM_CXVSCROLL) + 4);
  EXPECT_NE(Style() & WS_VSCROLL, 0u);
  EXPECT_EQ(Style() & WS_HSCROLL, 0u);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(tableWindow, SB_VERT, &info);
  EXPECT_EQ(info.nMin, 1);
  EXPECT_EQ(info.nMax, 30 + 14 - 1);
  EXPECT_EQ(info.nPage, 14u);
  EXPECT_EQ(info.nPos, 1);
}

TEST_F(TableLayoutTest, AlwaysScrollShowsTheBarWhenEverythingFits) {
  MakeWindows(600, 300);
  FixMetrics();
  Bind(grid);
  grid.alwaysScroll = true;
  TableSetRows(grid, 3);
  TableShowFocus(grid);
  EXPECT_NE(Style() & WS_VSCROLL, 0u);
  EXPECT_EQ(TableRightX(grid), grid.totalWidth + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(TableLayoutTest, NarrowParentGivesTheHorizontalBar) {
  ShowFixed(5, 200, 300);
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_NE(Style() & WS_HSCROLL, 0u);
  // Rows counted on the height less the bar: (296 - bar - 19) / 19.
  EXPECT_EQ(grid.visibleRows, (296 - GetSystemMetrics(SM_CYHSCROLL) - 19) / 19);
  EXPECT_EQ(grid.clientWidth, 200 - 4);
  // Scrolling right moves by one average character width, left end clamps.
  SendMessage(tableWindow, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(grid.hPosition, 6);
  SendMessage(tableWindow, WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(grid.hPosition, 6 + 36);
  SendMessage(tableWindow, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000), 0);
  EXPECT_EQ(grid.hPosition, grid.totalWidth - grid.clientWidth);
  SendMessage(tableWindow, WM_HSCROLL, SB_PAGELEFT, 0);
  SendMessage(tableWindow, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
  EXPECT_EQ(grid.hPosition, 0);
}

TEST_F(TableLayoutTest, TabScrollsTheNewColumnIntoView) {
  ShowFixed(5, 200, 300);
  ASSERT_EQ(grid.hPosition, 0);
  Key(VK_TAB);
  Key(VK_TAB);  // the value column, right of the visible area
  ASSERT_EQ(grid.currentColumn, 3);
  // Scrolled as far as needed and no further: its right edge on the client's.
  EXPECT_EQ(grid.hPosition, grid.x[4] - grid.clientWidth);
  Key(VK_TAB);  // back to the node column at the left edge
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.hPosition, 0);
}

TEST_F(TableLayoutTest, CountedListsHaveASpareRowOutsideResults) {
  MakeWindows(600, 300);
  Bind(grid);
  TableSetRowsTitled(grid, "Items", 3);
  EXPECT_EQ(grid.rowCount, 4);
  char title[64] = "";
  GetWindowText(frame, title, sizeof title);
  EXPECT_STREQ(title, "Items  (3) ");
  SetTableResultsShown(true);
  TableSetRowsTitled(grid, "Items", 3);
  EXPECT_EQ(grid.rowCount, 3);
  TableShow(grid);
  EXPECT_FALSE(grid.editing);  // no editing while results are shown
}

TEST_F(TableLayoutTest, ShowingClampsTheRowAndAnEmptyTableHides) {
  MakeWindows(600, 300);
  Bind(grid);
  grid.currentRow = 9;
  grid.rowCount = 4;
  TableShow(grid);
  EXPECT_EQ(grid.currentRow, 4);
  EXPECT_TRUE(IsWindowVisible(tableWindow));
  EXPECT_EQ(TableOfWindow(tableWindow), &grid);
  SetWindowText(frame, "Old");
  TableSetRows(grid, 0);
  TableShow(grid);
  EXPECT_EQ(grid.currentRow, 0);
  EXPECT_FALSE(IsWindowVisible(tableWindow));
  EXPECT_EQ(TableOfWindow(tableWindow), nullptr);
  char title[64] = "x";
  GetWindowText(frame, title, sizeof title);
  EXPECT_STREQ(title, "");
}

TEST_F(TableLayoutTest, WithoutEditLengthsATableNeverEdits) {
  MakeWindows(600, 300);
  Bind(grid, /*editable=*/false);
  grid.editable = true;  // asked for, but no edit lengths were given
  TableSetRows(grid, 4);
  TableShowFocus(grid);
  EXPECT_FALSE(grid.editing);
  Type("7");
  EXPECT_EQ(grid.stores, 0);
  EXPECT_EQ(grid.records[0].node, 10);
}

class OtherTable : public TableWindow {
 public:
  int closes = 0;
  void DefineColumns() override { widths[1] = 30; }
  void Close() override { ++closes; }
};

TEST_F(TableLayoutTest, ShowingAnotherTableClosesTheOneShown) {
  MakeWindows(600, 300);
  OtherTable first, second;
  TableSetColumns(first, &record, frame, 1, 1, nullptr);
  TableSetColumns(second, &record, frame, 1, 1, nullptr);
  TableSetRows(first, 2);
  TableSetRows(second, 2);
  TableShow(first);
  EXPECT_EQ(TableOfWindow(tableWindow), &first);
  TableShow(second);
  EXPECT_EQ(first.closes, 1);
  EXPECT_EQ(TableOfWindow(tableWindow), &second);
  TableWindowClose(tableWindow);
  EXPECT_EQ(second.closes, 1);
  EXPECT_EQ(TableOfWindow(tableWindow), nullptr);
  EXPECT_FALSE(IsWindowVisible(tableWindow));
}

}  // namespace
