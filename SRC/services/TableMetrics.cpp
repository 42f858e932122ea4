// Table layout metrics (see TableMetrics.h). Text widths are measured on the
// table window's own device context, which has the table font selected.
#include "services/TableMetrics.h"

#include <algorithm>

#include "platform/Gdi.h"
#include "platform/System.h"
#include "services/TableWindow.h"

namespace {

int WidthOf(const TableWindow& table, const char* text, int length) {
  HDC dc = table.Dc();
  if (dc == nullptr) return length * table.Metrics().charWidth;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text, length, &size);
  return size.cx;
}

void LayoutOne(TableWindow& table) {
  const TableFontMetrics& m = table.Metrics();
  table.headingHeight = 0;
  if (table.headingLines > 0) {
    table.headingHeight = m.charHeight * table.headingLines + 2 * m.lineGap;
    if (table.gapAfterHeading1) table.headingHeight += m.lineGap;
    if (table.gapAfterHeading2) table.headingHeight += m.lineGap;
  }
  table.rowHeight = m.charHeight * table.linesPerRow + 2 * m.lineGap;
  const auto slots = static_cast<std::size_t>(table.columnCount) + 2;
  table.widths.resize(slots - 1, 0);
  table.x.assign(slots, 0);
  table.x[1] = table.rowNumbers ? RowNumberWidth(table) + 2 * m.cellMargin : 0;
  table.DefineColumns();
  for (int c = 1; c <= table.columnCount; ++c) {
    const int width = table.widths[static_cast<std::size_t>(c)];
    table.x[static_cast<std::size_t>(c) + 1] =
        table.x[static_cast<std::size_t>(c)] + (width == 0 ? 0 : width + 2 * m.cellMargin);
  }
  table.totalWidth = table.x[static_cast<std::size_t>(table.columnCount) + 1];
}

int ScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

}  // namespace

TableFontMetrics MakeTableFontMetrics(int charWidth, int charHeight, int descent) {
  TableFontMetrics m;
  m.charWidth = charWidth;
  m.charHeight = charHeight;
  m.descent = descent;
  m.cellMargin = charWidth / 2 + 2;
  m.lineGap = charHeight / 12 + 2;
  m.rowHeight = charHeight + 2 * m.lineGap;
  return m;
}

void TableLayoutHeadings(TableWindow& table) {
  for (TableWindow* t = &table; t != nullptr; t = t->followingTable) {
    LayoutOne(*t);
    if (t->followingTable == &table) break;
  }
}

int TableRowTextHeight(const TableWindow& table, int kind) {
  const TableFontMetrics& m = table.Metrics();
  if (kind == 1) return m.lineGap * 3 / 2 + m.charHeight;
  if (kind == 2) return m.lineGap * 5 / 2 + 2 * m.charHeight;
  return 0;
}

int NodeColumnWidth(const TableWindow& table) { return WidthOf(table, "0000A", 5); }

int RowNumberWidth(const TableWindow& table) {
  if (table.rowCount > 999) return WidthOf(table, "0000", 4);
  if (table.rowCount > 99) return WidthOf(table, "000", 3);
  return WidthOf(table, "00", 2);
}

int TableRowTopY(const TableWindow& table, int row) {
  return table.rowHeight * (row - 1) + table.headingHeight;
}

int TableRowY(const TableWindow& table, int row) { return table.rowHeight * row + table.headingHeight; }

int TableRowsBottomY(const TableWindow& table) {
  return table.rowHeight * table.rowCount + table.headingHeight;
}

int TableRightX(const TableWindow& table) {
  const int right = table.x[static_cast<std::size_t>(table.columnCount) + 1];
  return table.alwaysScroll ? right + ScrollBarWidth() : right;
}

int TableColumnX(const TableWindow& table, int visibleRows) {
  const int right = table.x[static_cast<std::size_t>(table.columnCount) + 1];
  return table.rowCount > visibleRows || table.alwaysScroll ? right + ScrollBarWidth() : right;
}

int TableVisibleRowsFor(const TableWindow& table, int height) {
  if (table.rowHeight <= 0) return 1;
  return std::max(1, (height - table.headingHeight) / table.rowHeight);
}

int TableFitRows(TableWindow& table, int height) {
  table.visibleRows = TableVisibleRowsFor(table, height);
  return TableColumnX(table, table.visibleRows);
}

int TableEditCaretX(const TableWindow& table, int position) {
  const int count = std::clamp(position, 0, table.EditLength());
  const int width = count < 1 ? 0 : WidthOf(table, table.editBuffer.data(), count);
  return width + table.x[static_cast<std::size_t>(table.currentColumn)];
}
