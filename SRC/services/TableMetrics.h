// Table layout metrics: the geometry of a table window (heading block, row
// height, row-number column, column positions, visible rows, the caret
// position of the cell being edited) computed by one set of small
// operations, so that painting, printing and the per-kind tables agree.
// All values are whole pixels of the device the table is laid out for.
//
// The font measures a table lays out with are those of its font on its own
// device context: average character width, character height, descent, the
// cell margin (average width / 2 + 2) and the line gap (height / 12 + 2).
// Columns are separated by two cell margins, and the row-number column is
// its digits' width plus two cell margins, so that text in every column
// sits one margin in from its rules.
#pragma once

#include <cstdint>

class TableWindow;

struct TableFontMetrics {
  int charWidth = 0;   // average character width
  int charHeight = 0;  // character (cell) height
  int descent = 0;
  int cellMargin = 0;  // charWidth / 2 + 2
  int lineGap = 0;     // charHeight / 12 + 2
  int rowHeight = 0;   // charHeight + 2 line gaps
};

// Fills cellMargin, lineGap and rowHeight from the three measured values.
TableFontMetrics MakeTableFontMetrics(int charWidth, int charHeight, int descent);

// Lays out the table and then every following table in turn: heading
// height, row height, the row-number column and the column positions (the
// table's DefineColumns sets the widths in between).
void TableLayoutHeadings(TableWindow& table);
// Kind 1: 1.5 gaps + 1 line height; kind 2: 2.5 gaps + 2 line heights; else 0.
int TableRowTextHeight(const TableWindow& table, int kind);
// Pixel width of "0000A" in the table's font: the width of node columns.
int NodeColumnWidth(const TableWindow& table);
// Pixel width of "0000" above 999 rows, "000" above 99, else "00".
int RowNumberWidth(const TableWindow& table);
int TableRowTopY(const TableWindow& table, int row);
int TableRowY(const TableWindow& table, int row);
int TableRowsBottomY(const TableWindow& table);
int TableRightX(const TableWindow& table);
int TableColumnX(const TableWindow& table, int visibleRows);
// Sets the visible row count for a client height; returns TableColumnX for it.
int TableFitRows(TableWindow& table, int height);
int TableEditCaretX(const TableWindow& table, int position);
// Whole visible rows of a grid area: (height - heading) / row height, at least 1.
int TableVisibleRowsFor(const TableWindow& table, int height);
