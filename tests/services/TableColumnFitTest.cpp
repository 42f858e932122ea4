// A stored value that reads longer than what was typed (a completion, a
// data type's name) widens its column at once, measured in the table's
// font, without the table being shown again; the row, the column and the
// caret stay where they are, and the window hugs the wider table. A column
// the user widened by typing keeps its width when another store measures
// the columns again, and a text longer than its column is cut at the
// column's rule, the second-last column's as any other's.
#include <algorithm>
#include <string>

#include "services/TableTesting.h"

namespace {

// Column 2 is measured from its texts; a name typed as "l" is stored as a
// much longer text, as a completion is.
class CompletingGrid : public TestGrid {
 public:
  void DefineColumns() override {
    TestGrid::DefineColumns();
    int widest = 0;
    for (int row = 0; row <= static_cast<int>(records.size()); ++row) {
      const std::string text = row == 0 ? HeadingText(2, 0) : CellText(row, 2, 0);
      SIZE size{0, 0};
      GetTextExtentPoint32(Dc(), text.data(), static_cast<int>(text.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    widths[2] = widest;
  }
  void StoreCell() override {
    if (currentColumn == 2 && g_EditFieldText == "l") g_EditFieldText = "A name much longer than any row's";
    TestGrid::StoreCell();
  }
};

class TableColumnFitTest : public TableTest {};

TEST_F(TableColumnFitTest, AStoredTextLongerThanItsColumnWidensItAtOnce) {
  CompletingGrid table;
  ShowTable(table, 3);
  const int margin = record.metrics.cellMargin;
  const int widest = std::max({TextWidth("Name"), TextWidth("Row1"), TextWidth("Row2"), TextWidth("Row3")});
  EXPECT_EQ(table.x[3] - table.x[2], widest + 2 * margin);
  Key(VK_DOWN);
  Key(VK_TAB);
  ASSERT_EQ(table.currentColumn, 2);
  Replace("l");
  Key(VK_TAB);  // stored as the long text; the caret goes on to column 3
  EXPECT_EQ(table.records[1].name, "A name much longer than any row's");
  EXPECT_EQ(table.x[3] - table.x[2], TextWidth("A name much longer than any row's") + 2 * margin);
  EXPECT_EQ(table.currentRow, 2);
  EXPECT_EQ(table.currentColumn, 3);
  EXPECT_EQ(table.editBuffer, "2");
  // The window hugs the wider table.
  RECT client{};
  GetClientRect(tableWindow, &client);
  EXPECT_GE(client.right, table.totalWidth);
  EXPECT_EQ(GetFocus(), tableWindow);
}

// A long value typed into column 3 widened it; a short one stored in its
// place, and then a long name stored in column 2, which measures the
// columns again: column 3 keeps the width the typing gave it.
TEST_F(TableColumnFitTest, AColumnWidenedByTypingKeepsItsWidthWhenTheColumnsAreMeasuredAgain) {
  CompletingGrid table;
  table.columnWidths = {40, 80, 30, 50};
  ShowTable(table, 3);
  Key(VK_DOWN);
  Key(VK_TAB);
  Key(VK_TAB);
  ASSERT_EQ(table.currentColumn, 3);
  Replace("12345678");
  const int widened = table.x[4] - table.x[3];
  ASSERT_GT(widened, 30 + 2 * record.metrics.cellMargin) << "typing did not widen the column";
  Replace("1");
  Key(VK_TAB);  // stores "1"; on to column 1 of the row
  Key(VK_TAB);
  Replace("l");
  Key(VK_TAB);  // stored as the long name: the columns are measured again
  ASSERT_EQ(table.records[1].name, "A name much longer than any row's");
  EXPECT_EQ(table.records[1].value, "1");
  EXPECT_EQ(table.x[4] - table.x[3], widened);
}

// Column 3 of 4 holds a value much wider than the column: nothing of it
// reaches into column 4 past its rule.
TEST_F(TableColumnFitTest, TheSecondLastColumnsTextIsCutAtItsRule) {
  TestGrid table;
  table.columnWidths = {40, 80, 30, 50};
  ShowTable(table, 3);
  table.records[1].value = "123456789012345";
  InvalidateRect(tableWindow, nullptr, FALSE);
  UpdateWindow(tableWindow);
  ASSERT_GT(TextWidth(table.records[1].value), 30 + 50);
  const int top = table.headingHeight + table.rowHeight;
  const int rule = table.x[4] - table.hPosition;
  std::string text;  // the first pixel of text past the rule
  for (int x = rule + 1; x < rule + record.metrics.cellMargin - 1 && text.empty(); ++x)
    for (int y = top + 2; y < top + table.rowHeight - 1 && text.empty(); ++y) {
      const COLORREF pixel = platform::GetWindowPixel(tableWindow, x, y);
      if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 300)
        text = std::to_string(x) + ", " + std::to_string(y);
    }
  EXPECT_EQ(text, "");
}

}  // namespace
