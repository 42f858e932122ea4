// The table object: construction, columns, binding to a window and showing,
// row counts and titles, the current row, the editable columns of a row,
// finding rows by node or name, and the operations on a table window that
// reach the table bound to it.
//
// A window's extra bytes hold two slots: the window record at offset 0 and
// the bound table at offset 4. Showing a table closes whatever the window
// showed (its Close is called) and binds the new one; a table with no rows
// is not shown and leaves the window unbound and hidden.
#include "services/TableWindow.h"

#include <algorithm>
#include <cstdio>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/Assert.h"
#include "services/General.h"
#include "services/TableWindowSupport.h"

namespace {

constexpr int kRecordSlot = 0;
constexpr int kTableSlot = 4;

TableNameMatcher& NameMatcher() {
  static TableNameMatcher matcher = nullptr;
  return matcher;
}

// The table bound to a window that is shown; null otherwise.
TableWindow* ShownTable(HWND window) {
  if (window == nullptr || !IsWindowVisible(window)) return nullptr;
  return TableOfWindow(window);
}

void Unbind(HWND window) {
  if (window != nullptr) SetWindowLongPtr(window, kTableSlot, 0);
}

bool RowMatchesNode(TableWindow& table, int row, std::int32_t node) {
  if (table.nodePair) {
    std::int32_t from = 0, to = 0;
    table.RowNodes(row, from, to);
    return from == node || to == node;
  }
  return table.RowNode(row) == node;
}

// Rows after the current one to the last, then 1 to the current one: the
// current row is tested last.
template <typename Match>
int SearchRows(TableWindow& table, Match match) {
  const int start = std::clamp(table.currentRow, 0, table.rowCount);
  for (int i = 1; i <= table.rowCount; ++i) {
    const int row = (start + i - 1) % table.rowCount + 1;
    if (match(row)) return row;
  }
  return 0;
}

void GoToFound(TableWindow& table, int row) {
  if (TableEndEdit(table)) return;
  TableGoTo(table, row);
  if (table.editing) {
    table.currentColumn = TableFirstEditableColumn(table);
    TableLoadEditBuffer(table);
    InvalidateRect(table.Window(), nullptr, FALSE);
    TablePlaceCaret(table);
  }
}

}  // namespace

TableWindow::TableWindow() = default;

const TableFontMetrics& TableWindow::Metrics() const {
  static const TableFontMetrics none = MakeTableFontMetrics(6, 13, 3);
  return windowRecord != nullptr ? windowRecord->metrics : none;
}

HDC TableWindow::Dc() const { return windowRecord != nullptr ? windowRecord->dc : nullptr; }

HWND TableWindow::Window() const { return windowRecord != nullptr ? windowRecord->window : nullptr; }

void TableWindow::EnterRow(bool /*control*/) {
  if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
}

void TableWindow::AfterEnter() {
  if (!editing) return;
  TableSetColumn(*this, TableFirstEditableColumn(*this));
  TablePlaceCaret(*this);
}

void TableWindow::KeyDown(UINT virtualKey) { TableKeyDown(*this, virtualKey); }

void TableWindow::SetColours() {
  const TableDrawingSet& set = TableDrawing();
  headingBrush = set.heading;
  wideRowBrush = set.wideRow;
  noFocusBrush = set.noFocusRow;
  gridPen = set.lightGrey;
}

// --- columns and showing ------------------------------------------------------------

void TableSetColumns(TableWindow& table, TableWindowRecord* record, HWND frame, int columns,
                     int headingLines, const std::vector<int>* editLengths) {
  table.windowRecord = record;
  table.frame = frame;
  table.shownWhenEmpty = false;
  table.columnCount = columns;
  table.headingLines = headingLines;
  table.widths.assign(static_cast<std::size_t>(columns) + 1, 0);
  table.x.assign(static_cast<std::size_t>(columns) + 2, 0);
  if (editLengths != nullptr) {
    table.editLengths = *editLengths;
    table.editLengths.resize(static_cast<std::size_t>(columns) + 1, 0);
  } else {
    table.editLengths.clear();
    table.editable = false;
  }
  table.returnColumn = 0;
}

void TableReset(TableWindow& table) {
  table.editing = table.editable;
  table.currentRow = 1;
  // The rows may not be filled yet; showing finds the column again.
  if (table.editing && table.rowCount > 0) table.currentColumn = TableFirstEditableColumn(table);
  table.topRow = 0;
  table.hPosition = 0;
  table.hScrollShown = false;
  table.vScrollShown = false;
  table.returnColumn = 0;
}

void TableShow(TableWindow& table) {
  QV_ASSERT(table.windowRecord != nullptr);  // "w"
  HWND window = table.Window();
  // Closing hides the window, and a hidden window loses the keyboard; a
  // table shown again where the user was typing (a row appended by Enter)
  // must keep it, unless something else took it meanwhile.
  const HWND focus = GetFocus();
  const bool hadFocus = focus != nullptr && (focus == window || IsChild(window, focus));
  // Shown again over the cell the user is in (the values follow new units),
  // the caret stays where he left it.
  const bool reshown = table.editing && TableOfWindow(window) == &table;
  const int row = table.currentRow;
  const int column = table.currentColumn;
  TableWindowClose(window);
  SetWindowLongPtr(window, kTableSlot, reinterpret_cast<LONG_PTR>(&table));
  table.Prepare();
  if (table.rowCount > 0 || table.shownWhenEmpty) {
    table.currentRow = std::clamp(table.currentRow, std::min(table.rowCount, 1), table.rowCount);
    table.editing = table.rowCount > 0 && table.editable && !table.editLengths.empty() && !TableResultsShown();
    table.SetColours();
    if (table.editing) {
      table.currentColumn = TableFirstEditableColumn(table);
      if (reshown && table.currentRow == row && table.currentColumn == column)
        TableReloadEditCell(table);
      else
        TableLoadEditBuffer(table);
    }
    TableLayoutHeadings(table);
    TableFitWindow(table);
    ShowWindow(window, SW_SHOW);
    if (hadFocus && GetFocus() == nullptr) SetFocus(window);
    return;
  }
  table.currentRow = 0;
  Unbind(window);
  ShowWindow(window, SW_HIDE);
  if (table.frame != nullptr) TableFrameSetTitle(table.frame, "");
}

void TableShowFocus(TableWindow& table) {
  TableShow(table);
  if ((table.rowCount > 0 || table.shownWhenEmpty) && table.Window() != nullptr) SetFocus(table.Window());
}

void TableSetRows(TableWindow& table, int rows) {
  table.rowCount = std::max(rows, 0);
  if (table.currentRow > table.rowCount) table.currentRow = table.rowCount;
}

void TableSetCountTitle(TableWindow& table, const std::string& title, int count) {
  if (table.frame == nullptr) return;
  char text[256];
  std::snprintf(text, sizeof text, "%s  (%d) ", title.c_str(), count);
  TableFrameSetTitle(table.frame, text);
}

void TableSetRowsTitled(TableWindow& table, const std::string& title, int count) {
  TableSetCountTitle(table, title, count);
  TableSetRows(table, TableResultsShown() ? count : count + 1);
}

void TableRefreshCounted(TableWindow& table, const std::string& title, int count, int row) {
  TableSetCountTitle(table, title, count);
  TableSetRows(table, count);
  TableShowFocus(table);
  if (row != 0 && row <= table.rowCount) TableGoTo(table, row);
}

void TableRefresh(TableWindow& table, const std::string& title, int rows, int row) {
  if (table.frame != nullptr) TableFrameSetTitle(table.frame, title);
  TableSetRows(table, rows);
  TableShowFocus(table);
  if (row != 0) TableGoTo(table, row);
}

void TableOpenAt(TableWindow& table, const std::string& title, int count, int row, int top) {
  table.currentRow = row;
  table.topRow = top;
  TableSetRowsTitled(table, title, count);
  TableShowFocus(table);
}

void TableGoToRow(TableWindow& table, int row) {
  table.currentRow = std::max(row, 1);
  if (!table.editing) return;
  TableLoadEditBuffer(table);
  if (TableHasFocus(table)) TablePlaceCaret(table);
}

void TableWindowSetMenu(TableWindow& table, HMENU menu, int mode) {
  table.frameMenu = menu;
  table.menuMode = mode;
  table.UpdateMenu();
}

int TableFirstEditableColumn(TableWindow& table) {
  if (!table.editing) return 0;
  const int row = table.currentRow;
  if (table.wideRows && table.IsWideRow(row)) return 1;
  if (!table.IsRowEditable(row)) return 1;
  int i = 1;
  while (i <= table.columnCount && !table.IsCellEditable(row, i)) ++i;
  QV_ASSERT(i <= table.columnCount);  // "i <= numcolumns"
  return i;
}

int TableLastEditableColumn(TableWindow& table) {
  if (!table.editing) return 0;
  const int row = table.currentRow;
  if (table.wideRows && table.IsWideRow(row)) return 1;
  if (!table.IsRowEditable(row)) return 1;
  int i = table.columnCount;
  while (i > 0 && !table.IsCellEditable(row, i)) --i;
  QV_ASSERT(i > 0);  // "i > 0"
  return i;
}

// --- finding ---------------------------------------------------------------------------

void TableFindRow(TableWindow& table, std::int32_t node, const std::string& nodeText) {
  if (!table.nodeSearch || table.rowCount < 1) {
    ErrorBeep();
    return;
  }
  const int row = SearchRows(table, [&](int r) { return RowMatchesNode(table, r, node); });
  if (row != 0) {
    GoToFound(table, row);
    return;
  }
  ShowTableMessage(table.Window(), "Node  " + nodeText + "  not found", TableMessageKind::Warning);
}

void SetTableNameMatcher(TableNameMatcher matcher) { NameMatcher() = matcher; }

void TableFindName(TableWindow& table, const std::string& text) {
  if (!table.nameSearch || table.rowCount < 1) {
    ErrorBeep();
    return;
  }
  TableNameMatcher matcher = NameMatcher();
  const int row =
      matcher == nullptr ? 0 : SearchRows(table, [&](int r) { return matcher(r, text); });
  if (row != 0) {
    GoToFound(table, row);
    return;
  }
  ShowTableMessage(table.Window(), text + "  not found", TableMessageKind::Warning);
}

// --- operations on a table window --------------------------------------------------------

TableWindow* TableOfWindow(HWND window) {
  if (window == nullptr || !IsWindow(window)) return nullptr;
  return reinterpret_cast<TableWindow*>(GetWindowLongPtr(window, kTableSlot));
}

TableWindowRecord* RecordOfWindow(HWND window) {
  if (window == nullptr || !IsWindow(window)) return nullptr;
  return reinterpret_cast<TableWindowRecord*>(GetWindowLongPtr(window, kRecordSlot));
}

void TableWindowClose(HWND window) {
  if (window == nullptr) return;
  ShowWindow(window, SW_HIDE);
  if (TableWindow* table = TableOfWindow(window)) {
    Unbind(window);
    table->Close();
  }
}

void TableWindowPrint(HWND window) {
  if (TableWindow* table = TableOfWindow(window)) table->WriteText();
}

std::string TableWindowPrintObject(HWND window) {
  TableWindow* table = TableOfWindow(window);
  if (auto* result = dynamic_cast<ResultTableWindow*>(table)) return result->PrintName();
  if (auto* list = dynamic_cast<ItemListTableWindow*>(table)) return list->PrintName();
  return {};
}

// The record takes the current font even when no table is shown in it (a
// hidden list window must not keep a font that was deleted); a table shown
// there is laid out again in it. A new font is no edit: the user stays in
// the cell he was in, with what he typed there and not yet stored, and the
// caret where he left it; the column widens for the text in the new font
// as it did while he typed.
void TableWindowReselectFont(HWND window) {
  TableWindowRecord* record = RecordOfWindow(window);
  if (record != nullptr && record->dc != nullptr) {
    record->font = record == &DialogTableWindowRecord() ? TableSmallFont() : TableTextFont();
    SelectObject(record->dc, record->font);
    record->metrics = MeasureTableFont(record->dc);
  }
  TableWindow* table = TableOfWindow(window);
  if (table == nullptr) return;
  const bool editing = table->editing;
  const int row = table->currentRow;
  const int column = table->currentColumn;
  const int caret = table->caret;
  const bool typed = table->editChanged;
  const std::string text = table->editBuffer;
  TableShow(*table);
  if (!editing || !table->editing || table->currentRow != row || row < 1) return;
  const bool wide = table->wideRows && table->IsWideRow(row);
  if (!wide && !table->IsCellEditable(row, column)) return;
  table->currentColumn = column;
  TableLoadEditBuffer(*table);
  if (typed) {
    table->editBuffer = text;
    table->editChanged = true;
  }
  table->caret = std::clamp(caret, table->prefixLength, table->EditLength());
  TableWidenColumnForEdit(*table);
  TableDrawRow(*table, row);
  TablePlaceCaret(*table);
}

void TableWindowGoTo(HWND window, int row) {
  if (TableWindow* table = ShownTable(window)) {
    if (!TableEndEdit(*table)) TableGoTo(*table, row);
  }
}

void TableWindowFocus(HWND window) {
  TableWindow* table = ShownTable(window);
  if (table == nullptr) return;
  HWND had = GetFocus();
  TableShowFocus(*table);
  if (had != nullptr && had != window) SetFocus(had);
}

void TableWindowFit(HWND window) {
  if (TableWindow* table = ShownTable(window)) TableFitWindow(*table);
}

bool TableWindowHasNodes(HWND window) {
  TableWindow* table = ShownTable(window);
  return table != nullptr && table->nodeSearch;
}

void TableWindowFindRow(HWND window, std::int32_t node, const std::string& nodeText) {
  if (TableWindow* table = ShownTable(window)) TableFindRow(*table, node, nodeText);
}

void TableWindowFindName(HWND window, const std::string& text) {
  if (TableWindow* table = ShownTable(window)) TableFindName(*table, text);
}

void TableWindowInsertRow(HWND window) {
  if (TableWindow* table = ShownTable(window)) table->InsertRow();
}

void TableWindowDeleteRow(HWND window) {
  if (TableWindow* table = ShownTable(window)) table->DeleteRow();
}

void TableWindowNotifyRow(HWND window) {
  if (TableWindow* table = ShownTable(window)) table->CurrentRowChanged();
}

void TableWindowEditItem(HWND window) {
  TableWindow* table = ShownTable(window);
  if (table == nullptr) return;
  table->EditCurrentItem();
}

void TableWindowSelectRow(HWND window) {
  if (TableWindow* table = ShownTable(window)) TableSelectRow(*table);
}

void TableWindowRedrawEdit(HWND window) {
  if (TableWindow* table = ShownTable(window)) TableRedrawEditCell(*table);
}

bool TableWindowShowHelp(HWND window) {
  TableWindow* table = ShownTable(window);
  return table != nullptr && table->ShowHelp();
}

void TableWindowMenu(HWND window, HMENU menu, int mode) {
  if (TableWindow* table = ShownTable(window)) TableWindowSetMenu(*table, menu, mode);
}
