// A stored value that reads longer than what was typed (a completion, a
// data type's name) widens its column at once, measured in the table's
// font, without the table being shown again; the row, the column and the
// caret stay where they are, and the window hugs the wider table.
#include <algorithm>

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

}  // namespace
