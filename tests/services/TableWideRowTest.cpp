// Wide rows (a comment drawn across all columns, with a protected prefix
// that cannot be edited), the cell frame, and Tab into a following table.
#include "services/TableTesting.h"

namespace {

constexpr COLORREF kLightGreen = RGB(216, 255, 216);

// Row 2 is a comment row "* <text>" whose first two characters are protected.
class CommentGrid : public TestGrid {
 public:
  std::string comment = "* comment";
  CommentGrid() { wideRows = true; }
  bool IsWideRow(int row) override { return row == 2; }
  int WideRowPrefixLength() override { return 2; }
  std::string CellText(int row, int column, int line) override {
    return row == 2 ? (column == 1 && line == 0 ? comment : "") : TestGrid::CellText(row, column, line);
  }
  void StoreCell() override {
    if (currentRow == 2) {
      ++stores;
      comment = g_EditFieldText;
      return;
    }
    TestGrid::StoreCell();
  }
};

class TableWideRowTest : public TableTest {
 protected:
  void ShowComments() {
    MakeWindows(600, 300);
    Bind(comments);
    TableSetRows(comments, 5);
    TableShowFocus(comments);
    platform::RunUntilIdle();
  }
  CommentGrid comments;
};

TEST_F(TableWideRowTest, TheProtectedPrefixCannotBeEdited) {
  ShowComments();
  Key(VK_DOWN);
  ASSERT_EQ(comments.currentRow, 2);
  EXPECT_EQ(comments.currentColumn, 1);
  EXPECT_EQ(comments.editBuffer, "* comment");
  EXPECT_EQ(comments.caret, 2);
  EXPECT_EQ(comments.maxEditLength, 2 + 48);
  Key(VK_BACK);  // at the prefix: nothing
  Key(VK_LEFT);  // never into the prefix
  EXPECT_EQ(comments.editBuffer, "* comment");
  EXPECT_EQ(comments.caret, 2);
  Key(VK_END);
  Key(VK_HOME);
  EXPECT_EQ(comments.caret, 2);
  Type("x");
  EXPECT_EQ(comments.editBuffer, "* xcomment");
  // A click left of the text puts the caret after the prefix.
  Pause();
  Click(ColumnLeft(comments, 1) + 2, RowMiddle(comments, 2));
  EXPECT_EQ(comments.caret, 2);
  Key(VK_TAB);  // no columns to move between on a wide row
  EXPECT_EQ(comments.currentColumn, 1);
  EXPECT_EQ(comments.stores, 0);
  Key(VK_RETURN);
  EXPECT_EQ(comments.comment, "* xcomment");
  EXPECT_EQ(comments.currentRow, 3);
}

TEST_F(TableWideRowTest, AWideRowIsPaintedGreenAcrossTheColumns) {
  ShowComments();
  const int y = comments.headingHeight + comments.rowHeight + comments.rowHeight - 2;
  // Where column rules would be in an ordinary row, the wide row is green.
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, ColumnLeft(comments, 3), y), kLightGreen);
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, ColumnLeft(comments, 3), y + comments.rowHeight), RGB(0, 0, 0));
}

TEST_F(TableWideRowTest, TheCellFrameMarksTheCellBeingEdited) {
  ShowGrid(5);
  Key(VK_TAB);  // column 2 of row 1
  const int bottom = grid.headingHeight + grid.rowHeight;  // the top rule of row 2
  const int inside2 = ColumnLeft(grid, 2) + 3;
  const int inside3 = ColumnLeft(grid, 3) + 3;
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, inside2, bottom), RGB(0, 0, 0));
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, inside3, bottom), RGB(192, 192, 192));
  Key(VK_TAB);
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, inside2, bottom), RGB(192, 192, 192));
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, inside3, bottom), RGB(0, 0, 0));
  SetFocus(frame);  // without the focus there is no frame
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(tableWindow, inside3, bottom), RGB(192, 192, 192));
}

TEST_F(TableWideRowTest, TabPastTheLastColumnEntersTheFollowingTable) {
  MakeWindows(400, 300);
  TableWindowRecord secondRecord;
  HWND secondWindow = CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD, 0, 0, 0, 0, frame,
                                     nullptr, nullptr, &secondRecord);
  TestGrid second(3);
  static const std::vector<int> lengths{0, 5, 10, 8, 0};
  Bind(grid);
  grid.records.resize(3);
  TableSetRows(grid, 3);
  TableSetColumns(second, &secondRecord, frame, 4, 1, &lengths);
  TableReset(second);
  TableSetRows(second, 3);
  grid.followingTable = &second;
  TableShow(second);
  TableShowFocus(grid);
  platform::RunUntilIdle();
  Key(VK_TAB);
  Key(VK_TAB);
  ASSERT_EQ(grid.currentColumn, 3);
  Type("7");
  Key(VK_TAB);
  EXPECT_EQ(grid.records[0].value, "71");  // committed before leaving
  EXPECT_EQ(GetFocus(), secondWindow);
  EXPECT_EQ(second.currentColumn, 1);
  EXPECT_EQ(grid.currentColumn, 1);
  // Two equal tables share the client width (400 - 4) half and half.
  ASSERT_GT(grid.totalWidth, 198);
  RECT one{};
  GetWindowRect(tableWindow, &one);
  EXPECT_EQ(one.right - one.left, 198 + 4);
  EXPECT_TRUE(grid.hScrollShown);
}

// A comment typed past the width of every column widens the last one and
// scrolls the view to the caret; its characters keep their order.
TEST_F(TableWideRowTest, ACommentTypedPastTheColumnsKeepsItsOrder) {
  MakeWindows(200, 200);
  Bind(comments);
  TableSetRows(comments, 5);
  TableShowFocus(comments);
  Key(VK_DOWN);
  Key(VK_END);
  const std::string text = " from the pump to the first anchor";
  for (char c : text) Type(std::string(1, c));
  EXPECT_GT(comments.hPosition, 0);
  Key(VK_RETURN);
  EXPECT_EQ(comments.comment, "* comment" + text);
}

}  // namespace
