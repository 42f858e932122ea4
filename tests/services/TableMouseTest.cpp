// Mouse: clicks on the heading, on a cell while not editing, right clicks
// on the heading, a cell and beside the grid, and the double click that
// opens the current row's item.
#include "services/TableTesting.h"

namespace {

class MouseGrid : public TestGrid {
 public:
  std::vector<std::string> calls;
  void HeadingClicked(int column) override { calls.push_back("heading " + std::to_string(column)); }
  void ColumnClicked() override { calls.push_back("column " + std::to_string(currentColumn)); }
  void HeadingContextMenu(int column) override { calls.push_back("heading menu " + std::to_string(column)); }
  void CellContextMenu(int column) override { calls.push_back("cell menu " + std::to_string(column)); }
  void ContextMenu() override { calls.push_back("menu"); }
  void EditCurrentItem() override { calls.push_back("edit " + std::to_string(currentRow)); }
};

class TableMouseTest : public TableTest {
 protected:
  void ShowMouseGrid(bool editable) {
    MakeWindows(600, 300);
    Bind(table, editable);
    TableSetRows(table, 6);
    TableShowFocus(table);
    platform::RunUntilIdle();
  }
  void RightClick(int x, int y) {
    platform::TestMouse(tableWindow, WM_RBUTTONDOWN, x, y);
    platform::TestMouse(tableWindow, WM_RBUTTONUP, x, y);
    platform::RunUntilIdle();
  }
  MouseGrid table;
};

TEST_F(TableMouseTest, ClicksWhileNotEditing) {
  ShowMouseGrid(false);
  Click(ColumnLeft(table, 2) + 4, 3);  // heading of column 2
  Pause();
  Click(ColumnLeft(table, 3) + 4, RowMiddle(table, 4));
  EXPECT_EQ(table.calls, (std::vector<std::string>{"heading 2", "column 3"}));
  EXPECT_EQ(table.currentRow, 4);
  EXPECT_EQ(table.currentColumn, 3);
  Pause();
  Click(ColumnLeft(table, 2) + 4, table.headingHeight + 20 * table.rowHeight);  // below the rows
  EXPECT_EQ(table.currentRow, 4);
}

TEST_F(TableMouseTest, RightClicksChooseTheMenu) {
  ShowMouseGrid(true);
  RightClick(ColumnLeft(table, 2) + 4, 3);
  RightClick(ColumnLeft(table, 3) + 4, RowMiddle(table, 3));
  EXPECT_EQ(table.currentRow, 3);
  EXPECT_EQ(table.currentColumn, 3);
  RightClick(ColumnLeft(table, 2) + 4, RowMiddle(table, 10));  // below the rows
  EXPECT_EQ(table.calls, (std::vector<std::string>{"heading menu 2", "cell menu 3", "menu"}));
  POINT screen{ColumnLeft(table, 2) + 4, RowMiddle(table, 10)};  // the last right click
  ClientToScreen(tableWindow, &screen);
  EXPECT_EQ(table.popupPoint.x, screen.x);
  EXPECT_EQ(table.popupPoint.y, screen.y);
}

TEST_F(TableMouseTest, ADoubleClickOpensTheItemOfTheClickedRow) {
  ShowMouseGrid(false);
  const int x = ColumnLeft(table, 2) + 4;
  const int y = RowMiddle(table, 5);
  platform::TestMouse(tableWindow, WM_LBUTTONDOWN, x, y);
  platform::TestMouse(tableWindow, WM_LBUTTONUP, x, y);
  platform::TestMouse(tableWindow, WM_LBUTTONDOWN, x, y);
  platform::TestMouse(tableWindow, WM_LBUTTONUP, x, y);
  platform::RunUntilIdle();
  ASSERT_FALSE(table.calls.empty());
  EXPECT_EQ(table.calls.back(), "edit 5");
}

}  // namespace
