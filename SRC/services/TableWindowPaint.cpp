// Painting a table window: the heading block, the row-number column, the
// grid rules, the headings, and each drawn row (plain, current or wide),
// with the cell frame around the cell being edited.
//
// Every change of what a table shows invalidates the part that changed and
// leaves the drawing to WM_PAINT, so the picture is made in one place. A
// paint walks only the row slots that the client area shows (the whole rows
// below the top row and one partly visible row), never the table's rows, so
// painting costs the same for 10 rows or 7000; rows outside the paint's
// update rectangle are skipped entirely.
//
// Rules sit on the top pixel line of each row; the heading's black line is
// the top rule of the first visible row.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"

namespace {

std::atomic<long> g_cellTextCalls{0};

int Left(const TableWindow& t, int column) { return t.x[static_cast<std::size_t>(column)] - t.hPosition; }

int SlotTop(const TableWindow& t, int slot) { return t.headingHeight + slot * t.rowHeight; }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void Fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  if (right <= left || bottom <= top) return;
  RECT rect{left, top, right, bottom};
  FillRect(dc, &rect, brush);
}

void Text(HDC dc, int x, int y, const std::string& text) {
  if (!text.empty()) TextOut(dc, x, y, text.data(), static_cast<int>(text.size()));
}

// A cell's text is cut at the rule of the column after it: a stored value
// may read longer than its column was measured for, and it must not be
// drawn over the cells beside it. The last column's text is left whole, as
// nothing lies past it but the table's edge.
void DrawCellText(TableWindow& t, HDC dc, int column, int top, int x, int y, const std::string& text) {
  if (text.empty()) return;
  if (column >= t.columnCount) {
    Text(dc, x, y, text);
    return;
  }
  const RECT cell{Left(t, column) + 1, top + 1, Left(t, column + 1), top + t.rowHeight};
  ExtTextOut(dc, x, y, ETO_CLIPPED, &cell, text.data(), static_cast<UINT>(text.size()), nullptr);
}

std::string CellTextCounted(TableWindow& t, int row, int column, int line) {
  g_cellTextCalls.fetch_add(1, std::memory_order_relaxed);
  return t.CellText(row, column, line);
}

void RestoreTextColour(TableWindow& t, HDC dc) {
  if (!t.textColourChanged) return;
  SetTextColor(dc, RGB(0, 0, 0));
  t.textColourChanged = false;
}

bool ShowsEditBuffer(const TableWindow& t, int row, int column) {
  return t.editing && t.editChanged && row == t.currentRow && column == t.currentColumn;
}

HBRUSH RowBrush(TableWindow& t, int row) {
  if (row == t.currentRow && row <= t.rowCount)
    return TableHasFocus(t) ? TableDrawing().currentRow : t.noFocusBrush;
  if (row <= t.rowCount && t.wideRows && t.IsWideRow(row)) return t.wideRowBrush;
  return TableDrawing().white;
}

void DrawRowNumber(TableWindow& t, HDC dc, int row, int top) {
  if (!t.rowNumbers) return;
  const std::string number = std::to_string(row);
  Text(dc, t.Metrics().cellMargin - t.hPosition, top + t.Metrics().lineGap, number);
}

void DrawCells(TableWindow& t, HDC dc, int row, int top) {
  const TableFontMetrics& m = t.Metrics();
  for (int c = 1; c <= t.columnCount; ++c) {
    if (t.widths[static_cast<std::size_t>(c)] == 0) continue;
    for (int line = 0; line < t.linesPerRow; ++line) {
      int x = Left(t, c) + m.cellMargin;
      int y = top + m.lineGap + line * m.charHeight;
      if (line == 0 && ShowsEditBuffer(t, row, c)) {
        DrawCellText(t, dc, c, top, x, y, t.editBuffer);
        continue;
      }
      const std::string text = CellTextCounted(t, row, c, line);
      t.DrawCellCustom(row, c, line, x, y, text);
      DrawCellText(t, dc, c, top, x, y, text);
      RestoreTextColour(t, dc);
    }
  }
}

void DrawNormalRow(TableWindow& t, HDC dc, int slot, HBRUSH brush) {
  const int row = t.topRow + slot + 1;
  const int top = SlotTop(t, slot);
  const int first = std::clamp(t.FirstDrawnColumn(), 1, std::max(t.columnCount, 1));
  const int last = std::clamp(t.LastDrawnColumn(), 0, t.columnCount);
  Fill(dc, Left(t, first) + 1, top + 1, Left(t, last + 1), top + t.rowHeight, brush);
  if (slot > 0) t.DrawRowRule(slot + 1);
  t.DrawRowRule(slot + 2);
  for (int c = 2; c <= t.columnCount + 1; ++c) {
    if (c <= t.columnCount) t.SelectColumnPen(c);
    else SelectObject(dc, TableDrawing().black);
    if (t.widths[static_cast<std::size_t>(c) - 1] != 0) Line(dc, Left(t, c), top, Left(t, c), top + t.rowHeight);
  }
  if (row > t.rowCount) return;
  t.RowColour(row);
  DrawRowNumber(t, dc, row, top);
  DrawCells(t, dc, row, top);
  RestoreTextColour(t, dc);
}

void DrawWideRow(TableWindow& t, HDC dc, int slot, HBRUSH brush) {
  const int row = t.topRow + slot + 1;
  const int top = SlotTop(t, slot);
  const int right = std::min(Left(t, t.columnCount + 1), t.clientWidth);
  Fill(dc, Left(t, 1) + 1, top + 1, right, top + t.rowHeight, brush);
  if (slot > 0) t.DrawRowRule(slot + 1);
  t.DrawRowRule(slot + 2);
  DrawRowNumber(t, dc, row, top);
  const int x = Left(t, 1) + t.Metrics().cellMargin;
  const int y = top + t.Metrics().lineGap;
  Text(dc, x, y, ShowsEditBuffer(t, row, 1) ? t.editBuffer : CellTextCounted(t, row, 1, 0));
}

void DrawSlot(TableWindow& t, HDC dc, int slot) {
  const int row = t.topRow + slot + 1;
  const HBRUSH brush = RowBrush(t, row);
  if (row <= t.rowCount && t.wideRows && t.IsWideRow(row))
    DrawWideRow(t, dc, slot, brush);
  else
    DrawNormalRow(t, dc, slot, brush);
}

void PaintHeadings(TableWindow& t, HDC dc) {
  const TableFontMetrics& m = t.Metrics();
  if (t.headingLines == 0) return;
  if (t.rowNumbers) {
    const int y = m.lineGap + (t.headingLines > 2 ? m.charHeight : 0);
    Text(dc, m.cellMargin - t.hPosition, y, t.rowCount < 100 ? "#" : " #");
  }
  for (int c = 1; c <= t.columnCount; ++c) {
    if (t.widths[static_cast<std::size_t>(c)] == 0) continue;
    for (int line = 0; line < t.headingLines; ++line) {
      int y = m.lineGap + line * m.charHeight;
      if (line >= 1 && t.gapAfterHeading1) y += m.lineGap;
      if (line >= 2 && t.gapAfterHeading2) y += m.lineGap;
      Text(dc, Left(t, c) + m.cellMargin, y, t.HeadingText(c, line));
    }
  }
}

void PaintFrame(TableWindow& t, HDC dc) {
  const TableDrawingSet& set = TableDrawing();
  const int slots = TableDrawnRows(t);
  if (t.headingHeight > 0) {
    Fill(dc, 0, 0, t.clientWidth, t.headingHeight, t.headingBrush);
    SelectObject(dc, set.black);
    Line(dc, 0, t.headingHeight, t.clientWidth, t.headingHeight);
  }
  const int column1 = Left(t, 1);
  if (t.rowNumbers) {
    Fill(dc, 0, t.headingHeight + 1, column1, t.clientHeight, t.headingBrush);
    SelectObject(dc, set.black);
    for (int slot = 1; slot <= slots; ++slot) Line(dc, 0, SlotTop(t, slot), column1, SlotTop(t, slot));
  }
  Fill(dc, std::max(column1, 0) + (t.rowNumbers ? 1 : 0), t.headingHeight + 1, t.clientWidth,
       t.clientHeight, set.white);
  for (int slot = 2; slot <= slots; ++slot) t.DrawRowRule(slot);
  SelectObject(dc, set.black);
  if (t.rowNumbers) Line(dc, column1, 0, column1, t.clientHeight);
  for (int c = 2; c <= t.columnCount; ++c) t.DrawColumnRule(c);
  SelectObject(dc, set.black);
  const int right = Left(t, t.columnCount + 1);
  Line(dc, right, 0, right, t.clientHeight);
  if (!t.vScrollShown) Line(dc, t.clientWidth - 1, 0, t.clientWidth - 1, t.clientHeight);
}

// The black frame around the cell being edited (across all columns on a
// wide row), over the cell's rules.
void DrawCellFrameNow(TableWindow& t, HDC dc) {
  const int slot = t.currentRow - t.topRow - 1;
  if (slot < 0 || slot > t.visibleRows || t.currentRow > t.rowCount || t.columnCount < 1) return;
  const bool wide = t.wideRows && t.IsWideRow(t.currentRow);
  const int column = wide ? 1 : std::clamp(t.currentColumn, 1, t.columnCount);
  const int left = Left(t, column);
  const int right = Left(t, wide ? t.columnCount + 1 : column + 1);
  const int top = SlotTop(t, slot);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SelectObject(dc, TableDrawing().black);
  Rectangle(dc, left, top, right + 1, top + t.rowHeight + 1);
  SelectObject(dc, oldBrush);
}

}  // namespace

// --- base drawing operations ----------------------------------------------------------------

void TableWindow::SelectRowPen(int /*row*/) {
  SelectObject(Dc(), gridPen != nullptr ? gridPen : TableDrawing().lightGrey);
}

void TableWindow::SelectColumnPen(int /*column*/) { SelectObject(Dc(), TableDrawing().black); }

void TableWindow::DrawRowRule(int visibleRow) {
  SelectRowPen(topRow + visibleRow);
  const int y = headingHeight + (visibleRow - 1) * rowHeight;
  Line(Dc(), x[1] - hPosition, y, clientWidth, y);
}

void TableWindow::DrawColumnRule(int column) {
  SelectColumnPen(column);
  const int at = x[static_cast<std::size_t>(column)] - hPosition;
  Line(Dc(), at, 0, at, clientHeight);
}

int TableDrawnRows(const TableWindow& table) {
  const int bottom = table.headingHeight + table.visibleRows * table.rowHeight;
  return table.visibleRows + (bottom < table.clientHeight ? 1 : 0);  // + the partly visible slot
}

long TableCellTextCalls() { return g_cellTextCalls.load(std::memory_order_relaxed); }

void TablePaint(TableWindow& t, HDC dc) {
  RECT update{0, 0, t.clientWidth, t.clientHeight};
  GetClipBox(dc, &update);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  PaintFrame(t, dc);
  t.PaintExtra();
  PaintHeadings(t, dc);
  const int slots = TableDrawnRows(t);
  for (int slot = 0; slot < slots; ++slot) {
    const int top = SlotTop(t, slot);
    if (top > update.bottom || top + t.rowHeight < update.top) continue;
    DrawSlot(t, dc, slot);
  }
  if (t.editing && TableHasFocus(t)) DrawCellFrameNow(t, dc);
}

void TableDrawRow(TableWindow& t, int row) {
  const int slot = row - t.topRow - 1;
  if (t.Window() == nullptr || slot < 0 || slot > t.visibleRows) return;
  RECT rect{0, SlotTop(t, slot), t.clientWidth, SlotTop(t, slot) + t.rowHeight + 1};
  InvalidateRect(t.Window(), &rect, FALSE);
}

void TableDrawCellFrame(TableWindow& t, bool /*draw*/) {
  if (t.currentRow <= t.rowCount) TableDrawRow(t, t.currentRow);
}

void TableRedrawEditCell(TableWindow& t) { TableDrawRow(t, t.currentRow); }

// --- primitives for the tables' own extra marks (PaintExtra) ------------------------------

void TableVerticalLine(TableWindow& t, int x, int top, int bottom) {
  Line(t.Dc(), x - t.hPosition, top, x - t.hPosition, bottom);
}

void TableHorizontalLine(TableWindow& t, int left, int right, int y) {
  Line(t.Dc(), left - t.hPosition, y, right - t.hPosition, y);
}

void TableHeadingCentred(TableWindow& t, int firstColumn, int lastColumn, int line, const std::string& text) {
  const TableFontMetrics& m = t.Metrics();
  SIZE size{0, 0};
  GetTextExtentPoint32(t.Dc(), text.data(), static_cast<int>(text.size()), &size);
  const int left = t.x[static_cast<std::size_t>(firstColumn)];
  const int right = t.x[static_cast<std::size_t>(lastColumn) + 1];
  int y = m.lineGap + line * m.charHeight;
  if (line >= 1 && t.gapAfterHeading1) y += m.lineGap;
  if (line >= 2 && t.gapAfterHeading2) y += m.lineGap;
  Text(t.Dc(), (left + right - size.cx) / 2 - t.hPosition, y, text);
}

void TableHeadingRule(TableWindow& t, int firstColumn, int lastColumn, int lines) {
  const TableFontMetrics& m = t.Metrics();
  const int y = lines >= 3 ? m.lineGap * 5 / 2 + 2 * m.charHeight : m.lineGap * 3 / 2 + m.charHeight;
  SelectObject(t.Dc(), TableDrawing().black);
  TableHorizontalLine(t, t.x[static_cast<std::size_t>(firstColumn)], t.x[static_cast<std::size_t>(lastColumn) + 1], y);
}
