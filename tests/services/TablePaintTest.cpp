// Painting: the colours of the heading, the current row (focused and not),
// the grid rules and the text, and the cost of a paint: a table of 7000
// rows asks for the cells of the visible rows only, however far it is
// scrolled.
#include <cstdlib>
#include <filesystem>

#include "services/TableTesting.h"

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kLightCyan = RGB(208, 255, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class TablePaintTest : public TableTest {
 protected:
  // A point in a row's cell clear of text and rules: the right end of column 4.
  COLORREF RowPixel(int row) {
    const int x = ColumnLeft(grid, 5) - 3;
    const int y = grid.headingHeight + (row - grid.topRow - 1) * grid.rowHeight + grid.rowHeight - 2;
    return platform::GetWindowPixel(tableWindow, x, y);
  }
  long CellCallsOfOnePaint() {
    const long before = TableCellTextCalls();
    InvalidateRect(tableWindow, nullptr, FALSE);
    UpdateWindow(tableWindow);
    return TableCellTextCalls() - before;
  }
};

TEST_F(TablePaintTest, CurrentRowIsYellowWithFocusAndCyanWithout) {
  ShowGrid(10);
  EXPECT_EQ(RowPixel(1), kYellow);
  EXPECT_EQ(RowPixel(2), kWhite);
  Key(VK_DOWN);
  EXPECT_EQ(RowPixel(1), kWhite);
  EXPECT_EQ(RowPixel(2), kYellow);
  SetFocus(frame);
  platform::RunUntilIdle();
  EXPECT_EQ(RowPixel(2), kLightCyan);
}

TEST_F(TablePaintTest, HeadingRulesAndText) {
  ShowGrid(10);
  // The heading block has the button-face colour, the line under it is black.
  const int headingX = ColumnLeft(grid, 5) - 3;
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, headingX, 1), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, headingX, grid.headingHeight), kBlack);
  // The top rule of row 3 is light grey, column rules black.
  const int rowThreeTop = grid.headingHeight + 2 * grid.rowHeight;
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, headingX, rowThreeTop), kLightGrey);
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, ColumnLeft(grid, 3), rowThreeTop + 5), kBlack);
  // Some pixel of row 3's name text ("Row3") is dark.
  bool dark = false;
  const int left = ColumnLeft(grid, 2) + record.metrics.cellMargin;
  for (int x = left; x < left + TextWidth("Row3"); ++x)
    for (int y = rowThreeTop + 1; y < rowThreeTop + grid.rowHeight; ++y)
      dark = dark || GetRValue(platform::GetWindowPixel(tableWindow, x, y)) < 100;
  EXPECT_TRUE(dark);
  // A headless picture to look at.
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/table-headless.png";
  EXPECT_TRUE(platform::WriteWindowPng(frame, path));
  if (const char* keep = std::getenv("QUORVEL_KEEP_PNG")) std::filesystem::copy_file(path, keep, std::filesystem::copy_options::overwrite_existing);
}

TEST_F(TablePaintTest, APaintOfSevenThousandRowsAsksForTheVisibleCellsOnly) {
  ShowGrid(7000, 600, 400);
  // Cells per paint: (whole visible rows + one partly visible) x 4 columns.
  const long bound = (grid.visibleRows + 1) * 4L;
  long calls = CellCallsOfOnePaint();
  EXPECT_GT(calls, 0);
  EXPECT_LE(calls, bound);
  ControlKey(VK_END);
  EXPECT_EQ(grid.currentRow, 7000);
  EXPECT_EQ(grid.topRow, 7000 - grid.visibleRows);
  calls = CellCallsOfOnePaint();
  EXPECT_GT(calls, 0);
  EXPECT_LE(calls, bound);
  // A scroll step repaints no more than that either.
  const long before = TableCellTextCalls();
  Key(VK_UP);
  ControlKey(VK_HOME);
  EXPECT_LE(TableCellTextCalls() - before, 2 * bound + 2 * 4);  // two paints + two edit-buffer loads
  EXPECT_EQ(grid.topRow, 0);
}

}  // namespace
