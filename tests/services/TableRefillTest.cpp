// A table shown again while the user types in it: Enter on its last row
// appending a row and showing the table again keeps the keyboard in the
// table (the new row's first cell takes the next keys), without taking it
// from another window that has it.
#include "services/TableTesting.h"

namespace {

// Rows are typed at the end: Enter on the last row appends an empty one and
// shows the table again, as the values grids of the List window do.
class AppendingGrid : public TestGrid {
 public:
  AppendingGrid() : TestGrid(1) {}
  void EnterRow(bool /*control*/) override {
    if (currentRow < rowCount) {
      TableGoTo(*this, currentRow + 1);
      return;
    }
    records.push_back({});
    TableSetRows(*this, static_cast<int>(records.size()));
    TableShow(*this);
    TableGoTo(*this, rowCount);
  }
};

class TableRefillTest : public TableTest {};

TEST_F(TableRefillTest, EnterOnTheLastRowLeavesTheKeyboardInTheNewRowsFirstCell) {
  AppendingGrid table;
  ShowTable(table, 1);
  ASSERT_EQ(GetFocus(), tableWindow);
  Replace("11");
  Key(VK_TAB);
  Replace("First");
  Key(VK_TAB);
  Replace("1.5");
  Key(VK_RETURN);
  ASSERT_EQ(table.rowCount, 2);
  EXPECT_EQ(table.currentRow, 2);
  EXPECT_EQ(table.currentColumn, 1);
  EXPECT_EQ(GetFocus(), tableWindow);
  // The keys that follow fill the new row, cell by cell.
  Replace("22");
  Key(VK_TAB);
  Replace("Second");
  Key(VK_TAB);
  Replace("2.5");
  Key(VK_RETURN);
  ASSERT_EQ(table.records.size(), 3u);
  EXPECT_EQ(table.records[0].node, 11);
  EXPECT_EQ(table.records[0].name, "First");
  EXPECT_EQ(table.records[0].value, "1.5");
  EXPECT_EQ(table.records[1].node, 22);
  EXPECT_EQ(table.records[1].name, "Second");
  EXPECT_EQ(table.records[1].value, "2.5");
  EXPECT_EQ(table.currentRow, 3);
  EXPECT_EQ(GetFocus(), tableWindow);
  // The caret stands in the third row's first cell.
  POINT caret{0, 0};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.y, table.headingHeight + (3 - table.topRow - 1) * table.rowHeight + record.metrics.lineGap);
  EXPECT_TRUE(messages.empty());
}

TEST_F(TableRefillTest, ATableShownAgainTakesNoKeyboardFromAnotherWindow) {
  AppendingGrid table;
  ShowTable(table, 2);
  HWND other = CreateWindowEx(0, "BUTTON", "Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 400, 10, 80, 20, frame,
                              nullptr, nullptr, nullptr);
  SetFocus(other);
  TableShow(table);
  platform::RunUntilIdle();
  EXPECT_EQ(GetFocus(), other);
  EXPECT_TRUE(IsWindowVisible(tableWindow));
}

}  // namespace
