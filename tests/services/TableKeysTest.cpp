// Keyboard navigation of a table: rows by arrows, Home/End, Page Up/Down
// and the wheel (not editing and editing, with Ctrl), columns by Tab,
// Shift+Tab and the arrows at the ends of the text, and the current cell
// each leaves. Expected rows come from the table's visible row count.
#include "platform/Controls.h"
#include "services/TableTesting.h"

namespace {

class TableKeysTest : public TableTest {};

TEST_F(TableKeysTest, RowsByKeysWhileNotEditing) {
  ShowGrid(50, 600, 300, /*editable=*/false);
  const int v = grid.visibleRows;
  ASSERT_GT(v, 2);
  ASSERT_LT(v, 50);
  Key(VK_DOWN);
  EXPECT_EQ(grid.currentRow, 2);
  Key(VK_UP);
  Key(VK_UP);  // stays on the first row
  EXPECT_EQ(grid.currentRow, 1);
  Key(VK_END);
  EXPECT_EQ(grid.currentRow, 50);
  EXPECT_EQ(grid.topRow, 50 - v);  // the last row is the last visible one
  Key(VK_HOME);
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.topRow, 0);
  Key(VK_NEXT);
  EXPECT_EQ(grid.currentRow, 1 + v);
  EXPECT_EQ(grid.topRow, 1);  // scrolled just enough to show it
  Key(VK_NEXT);
  EXPECT_EQ(grid.currentRow, 1 + 2 * v);
  Key(VK_PRIOR);
  EXPECT_EQ(grid.currentRow, 1 + v);
  for (int i = 0; i < 50; ++i) platform::TestKeyPress(VK_NEXT);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.currentRow, 50);
  for (int i = 0; i < 50; ++i) platform::TestKeyPress(VK_PRIOR);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(GetScrollPos(tableWindow, SB_VERT), 1);
}

TEST_F(TableKeysTest, EveryRowChangeIsNotified) {
  ShowGrid(20, 600, 300, /*editable=*/false);
  const int before = grid.rowChanges;
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_UP);
  EXPECT_EQ(grid.rowChanges - before, 3);
}

TEST_F(TableKeysTest, TheWheelMovesOneRowPerMessage) {
  ShowGrid(20, 600, 300, /*editable=*/false);
  platform::TestMouseWheel(tableWindow, -3 * WHEEL_DELTA, 50, 50);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.currentRow, 2);
  platform::TestMouseWheel(tableWindow, -WHEEL_DELTA, 50, 50);
  platform::TestMouseWheel(tableWindow, -WHEEL_DELTA, 50, 50);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.currentRow, 4);
  platform::TestMouseWheel(tableWindow, 2 * WHEEL_DELTA, 50, 50);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.currentRow, 3);
}

TEST_F(TableKeysTest, TabWalksTheEditableColumnsOfTheRow) {
  ShowGrid(5);
  ASSERT_TRUE(grid.editing);
  EXPECT_EQ(grid.currentColumn, 1);  // the first editable column
  EXPECT_EQ(grid.editBuffer, "10");
  Key(VK_TAB);
  EXPECT_EQ(grid.currentColumn, 2);
  EXPECT_EQ(grid.editBuffer, "Row1");
  Key(VK_TAB);
  EXPECT_EQ(grid.currentColumn, 3);
  Key(VK_TAB);  // past the last editable column: the first one, same row
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.currentRow, 1);
  ShiftKey(VK_TAB);  // backwards past the first: the last editable one
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.columnMoves, 4);
  EXPECT_EQ(grid.stores, 0);  // nothing typed, nothing stored
}

TEST_F(TableKeysTest, ArrowsMoveTheCaretAndLeaveTheCellAtItsEnds) {
  ShowGrid(5);
  Key(VK_TAB);  // "Row1", caret at 0
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(grid.caret, 2);
  Key(VK_END);
  EXPECT_EQ(grid.caret, 4);
  EXPECT_EQ(grid.currentRow, 1);  // End alone stays in the cell
  Key(VK_RIGHT);  // at the end: the next column
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.caret, 0);
  Key(VK_LEFT);  // at 0: the previous column
  EXPECT_EQ(grid.currentColumn, 2);
  Key(VK_END);
  Key(VK_HOME);
  EXPECT_EQ(grid.caret, 0);
}

TEST_F(TableKeysTest, ControlHomeAndEndGoToTheFirstAndLastRowWhileEditing) {
  ShowGrid(40, 600, 300);
  ControlKey(VK_END);
  EXPECT_EQ(grid.currentRow, 40);
  EXPECT_EQ(grid.editBuffer, "400");
  ControlKey(VK_HOME);
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.topRow, 0);
}

TEST_F(TableKeysTest, PageKeysWhileEditingKeepTheRowsPlaceOnTheScreen) {
  ShowGrid(60, 600, 300);
  const int v = grid.visibleRows;
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);  // row 4, fourth on the screen
  ASSERT_EQ(grid.currentRow, 4);
  Key(VK_NEXT);
  EXPECT_EQ(grid.currentRow, 4 + v - 1);
  EXPECT_EQ(grid.currentRow - grid.topRow, 4);
  Key(VK_PRIOR);
  EXPECT_EQ(grid.currentRow, 4);
  EXPECT_EQ(grid.topRow, 0);
  Key(VK_PRIOR);  // clamps at the first row
  EXPECT_EQ(grid.currentRow, 1);
}

}  // namespace
