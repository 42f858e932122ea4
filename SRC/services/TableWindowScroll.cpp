// Fitting a table window into its parent, the scroll bars, vertical
// scrolling by rows, horizontal scrolling by pixels, going to a row, and
// keeping the current column and the caret in view.
//
// The window hugs its table: when the parent is wider than the columns the
// window is exactly as wide as they are (plus the vertical bar when one is
// needed), and the parent's area right of it stays the parent's. The
// vertical bar's position is always the current row; its range is
// 1 .. rows + visible rows - 1 with a page of the visible rows, so that the
// last row can reach the top.
//
// Every move to another row, whatever started it (keys, wheel, scroll bar,
// find), first commits the cell being edited; a refused commit keeps the
// row and the caret where they were.
#include <algorithm>
#include <vector>

#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/TableWindow.h"

namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

void SetBar(HWND window, int bar, int low, int high, int page, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = low;
  info.nMax = high;
  info.nPage = static_cast<UINT>(std::max(page, 0));
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
}

void SetVerticalBar(TableWindow& t) {
  SetBar(t.Window(), SB_VERT, 1, std::max(t.rowCount + t.visibleRows - 1, 1), t.visibleRows,
         std::max(t.currentRow, 1));
}

void SetHorizontalBar(TableWindow& t) {
  SetBar(t.Window(), SB_HORZ, 0, std::max(t.totalWidth - 1, 0), t.clientWidth, t.hPosition);
}

// Shows exactly the bars asked for (they live in the window's frame).
void ShowBars(HWND window, bool vertical, bool horizontal) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  DWORD wanted = style & ~(WS_VSCROLL | WS_HSCROLL);
  if (vertical) wanted |= WS_VSCROLL;
  if (horizontal) wanted |= WS_HSCROLL;
  if (wanted == style) return;
  SetWindowLong(window, GWL_STYLE, static_cast<LONG>(wanted));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Width and height of the window's border (frame without scroll bars).
SIZE BorderOf(HWND window) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)) & ~(WS_VSCROLL | WS_HSCROLL);
  const DWORD exStyle = static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE));
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

bool VerticalNeeded(const TableWindow& t) {
  return t.alwaysScroll || t.visibleRows < t.rowCount || t.topRow != 0;
}

void ShowCurrentRow(TableWindow& t) {
  if (t.currentRow > t.topRow + t.visibleRows) t.topRow = t.currentRow - t.visibleRows;
  if (t.currentRow <= t.topRow) t.topRow = std::max(t.currentRow - 1, 0);
}

void FitOne(TableWindow& t, bool caretStays) {
  HWND window = t.Window();
  if (window == nullptr) return;
  RECT area{0, 0, 0, 0};
  if (HWND parent = GetParent(window)) GetClientRect(parent, &area);
  t.AdjustClientRect(area);
  const SIZE border = BorderOf(window);
  int width = area.right - area.left - border.cx;
  int height = area.bottom - area.top - border.cy;
  if (TableWindow* next = t.followingTable) {
    const int nextWidth = TableColumnX(*next, TableVisibleRowsFor(*next, height));
    if (t.totalWidth + nextWidth > 0)
      width = (2 * width * t.totalWidth + t.totalWidth + nextWidth) / (2 * (t.totalWidth + nextWidth));
  }
  const int vBar = GetSystemMetrics(SM_CXVSCROLL);
  const int hBar = GetSystemMetrics(SM_CYHSCROLL);
  t.visibleRows = TableVisibleRowsFor(t, height);
  if (t.totalWidth - t.hPosition < width) t.hPosition = std::max(t.totalWidth - width, 0);
  bool horizontal = width < t.totalWidth || t.hPosition > 0;
  if (horizontal) t.visibleRows = TableVisibleRowsFor(t, height - hBar);
  bool vertical = VerticalNeeded(t);
  const int needed = t.totalWidth + (vertical ? vBar : 0);
  if (width < needed && !horizontal) {
    horizontal = true;
    t.visibleRows = TableVisibleRowsFor(t, height - hBar);
    vertical = VerticalNeeded(t);
  }
  const int windowWidth = std::min(width, t.totalWidth + (vertical ? vBar : 1)) + border.cx;
  ShowBars(window, vertical, horizontal);
  MoveWindow(window, area.left, area.top, std::max(windowWidth, 0), area.bottom - area.top, TRUE);
  t.vScrollShown = vertical;
  t.hScrollShown = horizontal;
  RECT client{0, 0, 0, 0};
  GetClientRect(window, &client);
  t.clientWidth = client.right;
  t.clientHeight = client.bottom;
  t.visibleRows = TableVisibleRowsFor(t, t.clientHeight);
  t.hPosition = Clamp(t.hPosition, 0, std::max(t.totalWidth - t.clientWidth, 0));
  ShowCurrentRow(t);
  SetVerticalBar(t);
  SetHorizontalBar(t);
  InvalidateRect(window, nullptr, FALSE);
  if (caretStays)
    TablePlaceCaret(t);
  else
    TableKeepCaretVisible(t);
}

// The caret's x in client pixels for a caret position.
int CaretClientX(const TableWindow& t, int position) {
  return TableEditCaretX(t, position) - t.hPosition + t.Metrics().cellMargin;
}

// A caret that the view cannot be scrolled any further towards counts as
// visible while it lies inside the client: the caret at the end of a text
// that fills the last column sits a pixel or two past the area, and moving
// it off the end would put the next typed character before the last.
bool CaretVisible(const TableWindow& t, int position) {
  const int x = CaretClientX(t, position);
  const int margin = t.Metrics().cellMargin;
  const bool scrolledRight = t.hPosition >= t.totalWidth - t.clientWidth;
  return x >= margin - 2 && (x <= t.clientWidth - margin - 2 || (scrolledRight && x < t.clientWidth));
}

int TextWidthOf(TableWindow& t, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32(t.Dc(), text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

bool CurrentCellEditable(TableWindow& t) {
  if (!t.editing || t.currentRow < 1 || t.currentRow > t.rowCount) return false;
  if (t.wideRows && t.IsWideRow(t.currentRow)) return true;
  return t.IsCellEditable(t.currentRow, t.currentColumn);
}

// Steps the current column one editable column in `direction`; false when
// there is none.
bool StepColumn(TableWindow& t, int direction) {
  if (t.wideRows && t.IsWideRow(t.currentRow)) return false;
  for (int c = t.currentColumn + direction; c >= 1 && c <= t.columnCount; c += direction) {
    if (!t.IsCellEditable(t.currentRow, c)) continue;
    t.currentColumn = c;
    TableLoadEditBuffer(t);
    t.caret = t.prefixLength;
    return true;
  }
  return false;
}

}  // namespace

bool TableHasFocus(const TableWindow& table) {
  return table.Window() != nullptr && GetFocus() == table.Window();
}

void TableFitWindow(TableWindow& table, FitCaret caret) {
  for (TableWindow* t = &table; t != nullptr; t = t->followingTable) {
    FitOne(*t, caret == FitCaret::Stays && t == &table);
    if (t->followingTable == &table) break;
  }
}

void TableKeepCaretVisible(TableWindow& t) {
  if (!CurrentCellEditable(t) || t.clientWidth <= 0) return;
  for (int guard = 0; guard <= t.columnCount && !CaretVisible(t, t.caret); ++guard) {
    const bool left = CaretClientX(t, t.caret) < t.Metrics().cellMargin - 2;
    int position = t.caret;
    const int step = left ? 1 : -1;
    while (position >= t.prefixLength && position <= t.EditLength() && !CaretVisible(t, position))
      position += step;
    if (position >= t.prefixLength && position <= t.EditLength()) {
      t.caret = position;
      break;
    }
    if (!StepColumn(t, left ? 1 : -1)) break;
    InvalidateRect(t.Window(), nullptr, FALSE);
  }
  TablePlaceCaret(t);
}

void TableGoTo(TableWindow& t, int row, int offset) {
  if (row < 1 || row > t.rowCount) return;
  TableDrawRow(t, t.currentRow);
  if (offset != 0) {
    t.topRow = Clamp(row - offset, 0, t.rowCount - 1);
  } else if (row > t.topRow + t.visibleRows) {
    t.topRow = row - t.visibleRows;
  } else if (row <= t.topRow) {
    t.topRow = row - 1;
  }
  TableGoToRow(t, row);
  if (t.wideRows && t.IsWideRow(row)) t.currentColumn = 1;
  if (t.Window() == nullptr) return;
  InvalidateRect(t.Window(), nullptr, FALSE);
  SetScrollPos(t.Window(), SB_VERT, row, TRUE);
  if (!TableHasFocus(t)) return;
  if (!t.vDragging || t.notifyWhileDragging) t.CurrentRowChanged();
  TablePlaceCaret(t);
}

void TableGoToLast(TableWindow& t) {
  if (t.rowCount == 100 || t.rowCount == 1000)
    TableShow(t);
  else if (t.Window() != nullptr)
    SetVerticalBar(t);
  TableGoTo(t, t.rowCount);
}

void TableSelectRow(TableWindow& t) {
  const int row = t.currentRow;
  if (row < 1 || row > t.rowCount) return;
  if (!TableRowFits(t, row)) {
    TableShowFocus(t);
    return;
  }
  if (t.editing) TableLoadEditBuffer(t);
  TableDrawRow(t, row);
  TablePlaceCaret(t);
}

bool TableRowFits(TableWindow& t, int row) {
  if (row < 1 || row > t.rowCount) return true;
  auto width = [&t](const std::string& text) { return TextWidthOf(t, text); };
  if (t.wideRows && t.IsWideRow(row))
    return width(t.CellText(row, 1, 0)) <= t.x[static_cast<std::size_t>(t.columnCount) + 1] - t.x[1];
  for (int c = 1; c <= t.columnCount; ++c) {
    const int room = t.widths[static_cast<std::size_t>(c)];
    if (room == 0) continue;
    for (int line = 0; line < t.linesPerRow; ++line)
      if (width(t.CellText(row, c, line)) > room) return false;
  }
  return true;
}

void TableFitRow(TableWindow& t, int row) {
  HWND window = t.Window();
  const bool shown = window != nullptr && IsWindowVisible(window) && TableOfWindow(window) == &t;
  if (!shown || TableRowFits(t, row)) {
    TableDrawRow(t, row);
    return;
  }
  const std::vector<int> before = t.widths;
  TableLayoutHeadings(t);
  // The measures may not count the row (the spare row a record is being
  // typed into): its own texts widen their columns, and no column shrinks
  // under the user, one he widened by typing keeping the width it took.
  const bool wide = t.wideRows && t.IsWideRow(row);
  const int margin = t.Metrics().cellMargin;
  for (int c = 1; c <= t.columnCount && static_cast<std::size_t>(c) < before.size(); ++c) {
    const auto at = static_cast<std::size_t>(c);
    if (t.widths[at] != 0) {
      t.widths[at] = std::max(t.widths[at], before[at]);
      for (int line = 0; line < t.linesPerRow && !wide; ++line)
        t.widths[at] = std::max(t.widths[at], TextWidthOf(t, t.CellText(row, c, line)));
    }
    t.x[at + 1] = t.x[at] + (t.widths[at] == 0 ? 0 : t.widths[at] + 2 * margin);
  }
  t.totalWidth = t.x[static_cast<std::size_t>(t.columnCount) + 1];
  TableFitWindow(t);
  InvalidateRect(window, nullptr, FALSE);
  TablePlaceCaret(t);
}

void TableVScroll(TableWindow& t, UINT code, int thumb) {
  if (t.Window() != nullptr) SetFocus(t.Window());
  if (t.rowCount < 2) return;
  if (code == SB_ENDSCROLL || code == SB_TOP || code == SB_BOTTOM) return;
  if (TableEndEdit(t)) return;
  switch (code) {
    case SB_LINEUP: TableGoTo(t, t.currentRow - 1); break;
    case SB_LINEDOWN: TableGoTo(t, t.currentRow + 1); break;
    case SB_PAGEUP: TableGoTo(t, std::max(t.currentRow - t.visibleRows, 1)); break;
    case SB_PAGEDOWN: TableGoTo(t, std::min(t.currentRow + t.visibleRows, t.rowCount)); break;
    case SB_THUMBTRACK:
      t.vDragging = true;
      TableGoTo(t, Clamp(thumb, 1, t.rowCount));
      break;
    case SB_THUMBPOSITION: {
      // The end of a drag: the row is notified once now, unless every row
      // passed was notified during the drag.
      const int row = Clamp(thumb, 1, t.rowCount);
      t.vDragging = true;
      if (row != t.currentRow) TableGoTo(t, row);
      t.vDragging = false;
      if (!t.notifyWhileDragging && TableHasFocus(t)) t.CurrentRowChanged();
      break;
    }
    default: break;
  }
}

void TableScrollHorizontally(TableWindow& t, int newPosition) {
  const int position = Clamp(newPosition, 0, std::max(t.totalWidth - t.clientWidth, 0));
  if (position == t.hPosition) return;
  t.hPosition = position;
  if (t.Window() == nullptr) return;
  SetScrollPos(t.Window(), SB_HORZ, position, TRUE);
  InvalidateRect(t.Window(), nullptr, FALSE);
}

void TableHScroll(TableWindow& t, UINT code, int thumb) {
  if (t.Window() != nullptr) SetFocus(t.Window());
  const int step = t.Metrics().charWidth;
  int position = t.hPosition;
  switch (code) {
    case SB_LINELEFT: position -= step; break;
    case SB_LINERIGHT: position += step; break;
    case SB_PAGELEFT: position -= 6 * step; break;
    case SB_PAGERIGHT: position += 6 * step; break;
    case SB_THUMBTRACK:
      t.hDragging = true;
      position = thumb;
      break;
    case SB_THUMBPOSITION:
      t.hDragging = false;
      position = thumb;
      break;
    default: return;  // end of scroll and the rest leave the caret and frame as they were
  }
  if (t.editing && TableHasFocus(t)) HideCaret(t.Window());
  TableScrollHorizontally(t, position);
  if (t.hDragging) return;  // the caret stays hidden while the thumb is dragged
  if (t.editing && TableHasFocus(t)) ShowCaret(t.Window());
  TableKeepCaretVisible(t);
}

void TableScrollColumnIntoView(TableWindow& t, int column) {
  if (column < 1 || column > t.columnCount) return;
  const int left = t.x[static_cast<std::size_t>(column)];
  const int right = t.x[static_cast<std::size_t>(column) + 1];
  int position = t.hPosition;
  if (left - position < 0) position = left;
  if (right - position > t.clientWidth) position += right - position - t.clientWidth;
  if (position > 0) position = std::min(std::max(right - t.clientWidth, 0), left);
  TableScrollHorizontally(t, position);
}
