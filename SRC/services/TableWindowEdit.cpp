// The in-place cell editor of a table: loading the edit buffer from a cell,
// the caret (its shape in insert and overwrite mode, its position from the
// glyph widths, putting it at a clicked x), widening a column while typing,
// and committing the edit through the table's StoreCell with the input
// errors it throws shown to the user.
//
// A commit copies the edit buffer into the shared edit-field text and calls
// StoreCell. What it throws decides what is left: a plain message text or a
// MsgCmd keeps the typed text (and the changed flag) for the next try; a CI
// or MsgColCmd makes the named column current with its stored value. The
// current row never changes on a failed commit, so the caret stays in the
// cell that was refused. A store may open what commits the table first (a
// picker the store asks for): that commit of the cell being stored finds
// nothing to store, so a cell is stored once, as one edit. Each text stored
// is kept with its cell until the next action of the user begins: an action
// refused whole gives it back to the cell as typed (PutBackStoredTypedText).
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/Assert.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"

namespace {

int TextWidth(const TableWindow& t, const char* text, int length) {
  if (length < 1 || t.Dc() == nullptr) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(t.Dc(), text, length, &size);
  return size.cx;
}

bool OnWideRow(TableWindow& t) {
  return t.wideRows && t.currentRow >= 1 && t.currentRow <= t.rowCount && t.IsWideRow(t.currentRow);
}

bool CellEditable(TableWindow& t) {
  if (!t.editing || t.currentRow < 1 || t.currentRow > t.rowCount) return false;
  return OnWideRow(t) || t.IsCellEditable(t.currentRow, t.currentColumn);
}

void SendFrameCommand(TableWindow& t, int command) {
  if (t.frame != nullptr) SendMessage(t.frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

bool NamesColumn(const TableWindow& t, int column) { return column >= 1 && column <= t.columnCount; }

// The message of a refusal has the keyboard only while it is up: the user
// has not left the table, so the table is not told it lost the focus (a
// pane that stores its rows when left would take a half-typed entry row
// for the user's last word and load its rows again without it).
void ShowError(TableWindow& t, const std::string& text) {
  struct Refusing {
    TableWindow& table;
    bool outer;
    ~Refusing() { table.showingRefusal = outer; }
  } refusing{t, std::exchange(t.showingRefusal, true)};
  ShowTableMessage(t.Window(), text, TableMessageKind::Error);
}

void MakeColumnCurrent(TableWindow& t, int column) {
  if (NamesColumn(t, column)) TableSetColumn(t, column);
  TablePlaceCaret(t);
}

// Runs `work`; an input error it throws is shown and handled as a failed
// commit handles it. True when an error was reported.
bool Guarded(TableWindow& t, const std::function<void()>& work) {
  try {
    work();
    return false;
  } catch (const CI& error) {
    ShowError(t, error.message);
    MakeColumnCurrent(t, error.column);
  } catch (const MsgCmd& error) {
    ShowError(t, error.message);
    SendFrameCommand(t, error.command);
  } catch (const MsgColCmd& error) {
    ShowError(t, error.message);
    MakeColumnCurrent(t, error.column);
    SendFrameCommand(t, error.command);
  } catch (const std::string& text) {
    ShowError(t, text);
  } catch (const char* text) {
    ShowError(t, text != nullptr ? text : "");
  }
  return true;
}

int RowTop(const TableWindow& t) { return t.headingHeight + (t.currentRow - t.topRow - 1) * t.rowHeight; }

// A text a commit stored: its table and the window that showed it, its
// cell, the caret in it, and what the cell showed once stored.
struct StoredText {
  TableWindow* table;
  HWND window;
  int row, column;
  std::string text;
  int caret;
  std::string shown;
};

std::vector<StoredText>& StoredTexts() {
  static std::vector<StoredText> texts;
  return texts;
}

// Gives `typed` back to its cell, unless the table has left the cell's
// rows or the cell shows what the store left (a row put back with it). A
// table whose window is gone may be gone with it (a dialog's table lives
// as long as its dialog): it is not touched.
void GiveBack(TableWindow& t, int row, int column, const std::string& text, int caret) {
  if (t.currentRow != row) TableGoTo(t, row);
  TableSetColumn(t, column);
  if (t.currentRow != row || t.currentColumn != column || !CellEditable(t)) return;
  t.editBuffer = text;
  t.editChanged = true;
  t.caret = std::clamp(caret, t.prefixLength, t.EditLength());
  TableWidenColumnForEdit(t);
  TableDrawRow(t, t.currentRow);
  TablePlaceCaret(t);
}

void PutBack(const StoredText& typed) {
  if (TableOfWindow(typed.window) != typed.table) return;
  TableWindow& t = *typed.table;
  if (!t.editing) return;
  if (typed.row < 1 || typed.row > t.rowCount || t.CellText(typed.row, typed.column, 0) == typed.shown) return;
  GiveBack(t, typed.row, typed.column, typed.text, typed.caret);
}

}  // namespace

void TableLoadEditBuffer(TableWindow& t) {
  t.editBuffer.clear();
  t.editChanged = false;
  t.prefixLength = 0;
  t.caret = 0;
  if (t.currentRow < 1 || t.currentRow > t.rowCount || t.columnCount < 1) return;
  const bool wide = OnWideRow(t);
  if (!wide && t.IsRowEditable(t.currentRow) && !t.IsCellEditable(t.currentRow, t.currentColumn)) {
    int c = t.currentColumn + 1;
    while (c <= t.columnCount && !t.IsCellEditable(t.currentRow, c)) ++c;
    t.currentColumn = c <= t.columnCount ? c : TableFirstEditableColumn(t);
  }
  if (wide) {
    t.currentColumn = 1;
    t.prefixLength = t.WideRowPrefixLength();
    t.maxEditLength = t.prefixLength != 0 ? t.prefixLength + 48 : TableWindow::kWideRowEditLength;
  } else {
    const auto column = static_cast<std::size_t>(t.currentColumn);
    t.maxEditLength = column < t.editLengths.size() ? t.editLengths[column] : 0;
  }
  t.maxEditLength = std::min(t.maxEditLength, TableWindow::kMaxEditBuffer);
  t.editBuffer = t.CellText(t.currentRow, t.currentColumn, 0);
  if (static_cast<int>(t.editBuffer.size()) > TableWindow::kMaxEditBuffer)
    t.editBuffer.resize(TableWindow::kMaxEditBuffer);
  t.prefixLength = std::min(t.prefixLength, t.EditLength());
  t.caret = t.prefixLength;
}

void TableSetColumn(TableWindow& t, int column) {
  t.currentColumn = std::clamp(column, 1, std::max(t.columnCount, 1));
  TableLoadEditBuffer(t);
  TableDrawRow(t, t.currentRow);
}

int TableCaretWidth(TableWindow& t) {
  if (TableInsertMode()) return 2;
  if (t.caret < t.EditLength()) return std::max(TextWidth(t, t.editBuffer.data() + t.caret, 1), 1);
  return TextWidth(t, "n", 1);
}

void TablePlaceCaret(TableWindow& t) {
  if (!t.editing || !TableHasFocus(t)) return;
  HWND window = t.Window();
  TableDrawCellFrame(t, true);
  if (!CellEditable(t)) {
    SetCaretPos(-20, -20);
    return;
  }
  QV_ASSERT(t.caret <= t.EditLength());  // "curchar <= numchar"
  if (!TableInsertMode()) {
    CreateCaret(window, nullptr, TableCaretWidth(t), t.Metrics().charHeight);
    ShowCaret(window);
  }
  const int margin = t.Metrics().cellMargin;
  int x = TableEditCaretX(t, t.caret) - t.hPosition + margin;
  if (x < margin - 2) {
    TableScrollHorizontally(t, t.hPosition + x - (margin - 2));
  } else if (x > t.clientWidth - margin - 2) {
    TableScrollHorizontally(t, t.hPosition + x - (t.clientWidth - margin - 2));
  }
  x = TableEditCaretX(t, t.caret) - t.hPosition + margin;
  SetCaretPos(x, RowTop(t) + t.Metrics().lineGap);
}

void TableCaretToX(TableWindow& t, int x) {
  if (!CellEditable(t)) return;
  const int left = t.x[static_cast<std::size_t>(t.currentColumn)] - t.hPosition + t.Metrics().cellMargin;
  const int local = x - left;
  int position = 0;
  for (int i = 0; i < t.EditLength(); ++i) {
    const int middle = TextWidth(t, t.editBuffer.data(), i) + TextWidth(t, t.editBuffer.data() + i, 1) / 2;
    if (local < middle) break;
    position = i + 1;
  }
  t.caret = std::max(position, t.prefixLength);
  TablePlaceCaret(t);
}

void TableWidenColumnForEdit(TableWindow& t) {
  const int margin = t.Metrics().cellMargin;
  const bool wide = OnWideRow(t);
  const int column = wide ? 1 : t.currentColumn;
  const int last = wide ? t.columnCount : column;
  const int room = t.x[static_cast<std::size_t>(last) + 1] - t.x[static_cast<std::size_t>(column)] - 2 * margin;
  const int excess = TextWidth(t, t.editBuffer.data(), t.EditLength()) - room;
  if (excess <= 0) return;
  for (int c = last + 1; c <= t.columnCount + 1; ++c) t.x[static_cast<std::size_t>(c)] += excess;
  t.widths[static_cast<std::size_t>(last)] += excess;
  t.totalWidth = t.x[static_cast<std::size_t>(t.columnCount) + 1];
  TableFitWindow(t, FitCaret::Stays);
  if (t.Window() != nullptr) InvalidateRect(t.Window(), nullptr, FALSE);
}

void TableReloadEditCell(TableWindow& t) {
  const int row = t.currentRow;
  const int column = t.currentColumn;
  const int caret = t.caret;
  const bool atEnd = caret >= t.EditLength();
  TableLoadEditBuffer(t);
  if (t.currentRow != row || t.currentColumn != column) return;
  t.caret = std::clamp(atEnd ? t.EditLength() : caret, t.prefixLength, t.EditLength());
}

bool TableCommitEdit(TableWindow& t) {
  static const TableWindow* storing = nullptr;
  if (!t.editing || !t.editChanged || storing == &t) return false;
  g_EditFieldText = t.editBuffer;
  struct Storing {
    const TableWindow* outer;
    ~Storing() { storing = outer; }
  } store{std::exchange(storing, &t)};
  StoredText stored{&t, t.Window(), t.currentRow, t.currentColumn, t.editBuffer, t.caret, {}};
  const bool failed = Guarded(t, [&] { t.StoreCell(); });
  if (failed) return true;
  // A store within a store (a dialog's table) is part of the outer one.
  if (store.outer == nullptr) {
    stored.shown = t.CellText(stored.row, stored.column, 0);
    StoredTexts().push_back(std::move(stored));
  }
  // A command that stores the cell first leaves the user in it: what he
  // types next goes where he was typing, not to the start of the cell.
  const std::string typed = t.editBuffer;
  TableReloadEditCell(t);
  if (t.editBuffer != typed) TablePlaceCaret(t);
  // A stored value may read longer than its column (a data type's name):
  // the columns follow it at once, not when the table is next opened.
  TableFitRow(t, t.currentRow);
  return false;
}

bool TableEndEdit(TableWindow& t) {
  if (!t.editing) return false;
  if (TableCommitEdit(t)) return true;
  return Guarded(t, [&] { t.EditFinished(); });
}

bool TableCommitCell(TableWindow& t, bool control) {
  if (t.editing && TableCommitEdit(t)) return false;
  try {
    t.EnterRow(control);
    t.AfterEnter();
    return true;
  } catch (const CI& error) {
    ShowError(t, error.message);
    if (error.column < 0) {
      TableWindow* next = t.followingTable;
      QV_ASSERT(next != nullptr);  // "pTs"
      if (next->Window() != nullptr) SetFocus(next->Window());
      TableSetColumn(*next, TableFirstEditableColumn(*next));
      TablePlaceCaret(*next);
    } else {
      MakeColumnCurrent(t, error.column);
    }
  } catch (const MsgCmd& error) {
    ShowError(t, error.message);
    SendFrameCommand(t, error.command);
  } catch (const MsgColCmd& error) {
    ShowError(t, error.message);
    MakeColumnCurrent(t, error.column);
    SendFrameCommand(t, error.command);
  } catch (const std::string& text) {
    ShowError(t, text);
  } catch (const char* text) {
    ShowError(t, text != nullptr ? text : "");
  }
  return false;
}

void TableCommitInPlace(TableWindow& t) {
  const int stored = t.currentRow;
  if (!TableCommitCell(t, false)) return;
  TableShowFocus(t);
  TableGoTo(t, stored);  // the row just stored stays current
}

void ForgetStoredTypedText() { StoredTexts().clear(); }

void PutBackStoredTypedText() {
  const std::vector<StoredText> texts = std::exchange(StoredTexts(), {});
  // A table edits one cell: the last text stored in it is the one given back.
  for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
    const auto later = [&](const StoredText& other) { return other.table == text->table; };
    if (std::find_if(texts.rbegin(), text, later) == text) PutBack(*text);
  }
}

HeldTypedText TableHoldTypedText(TableWindow& t) {
  if (!t.editing || !t.editChanged || t.Window() == nullptr) return {};
  return {&t, t.Window(), t.currentRow, t.currentColumn, t.editBuffer, t.caret};
}

void TableGiveBackTypedText(const HeldTypedText& held) {
  if (held.table == nullptr || TableOfWindow(held.window) != held.table) return;
  TableWindow& t = *held.table;
  if (!t.editing || held.row < 1 || held.row > t.rowCount) return;
  GiveBack(t, held.row, held.column, held.text, held.caret);
}

void ThrowCellError(const std::string& message, int column) { throw CI{message, column}; }

void TableFieldRequired(const std::string& columnName, int column) {
  throw CI{columnName + " is required", column};
}

void ThrowCellCommand(int command) { throw MsgCmd{"", command}; }

void ThrowCellCommandError(const std::string& message, int column, int command) {
  throw MsgColCmd{message, column, command};
}
