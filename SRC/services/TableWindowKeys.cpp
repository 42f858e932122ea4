// Keys and characters of a table window: navigation while not editing, the
// editor's keys while editing, typed characters (insert and overwrite mode,
// backspace, the edit length), and moving between editable columns with Tab
// and the arrows, into linked tables past the last column.
//
// Every key that leaves the row (Up, Down, Page Up, Page Down, Ctrl+Home,
// Ctrl+End) first finishes the edit and stays put when the commit is
// refused. Page Up and Page Down keep the current row's place on the screen.
#include <algorithm>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/Assert.h"
#include "services/General.h"
#include "services/ProgramCommands.h"
#include "services/TableWindow.h"

namespace {

bool& InsertModeFlag() {
  static bool insert = true;
  return insert;
}

bool KeyIsDown(UINT key) { return (GetKeyState(static_cast<int>(key)) & 0x8000) != 0; }

void GoToRow(TableWindow& t, int row) {
  if (TableEndEdit(t)) return;
  TableGoTo(t, row);
}

// Page Up / Page Down while editing: the new row keeps the screen place of
// the current one.
void PageKeepingPlace(TableWindow& t, int row) {
  if (TableEndEdit(t)) return;
  const int place = t.currentRow - t.topRow;
  TableGoTo(t, std::clamp(row, 1, std::max(t.rowCount, 1)), std::max(place, 1));
}

bool OnWideRow(TableWindow& t) {
  return t.wideRows && t.currentRow >= 1 && t.currentRow <= t.rowCount && t.IsWideRow(t.currentRow);
}

bool CurrentCellEditable(TableWindow& t) {
  if (!t.editing || t.currentRow < 1 || t.currentRow > t.rowCount) return false;
  return OnWideRow(t) || t.IsCellEditable(t.currentRow, t.currentColumn);
}

// The caret stays where the edit put it and the view scrolls to it:
// moving the caret back into view instead would put the next character in
// the wrong place.
void AfterTextChange(TableWindow& t) {
  t.editChanged = true;
  TableRedrawEditCell(t);
  TablePlaceCaret(t);
}

void FindNodeByPrompt(TableWindow& t) {
  if (!t.nodeSearch) return;
  std::int32_t node = 0;
  std::string text;
  const bool asked = ProgramCommands().askNodeToFind(t.Window(), node, text);
  // The prompt's end does not always hand the focus back to the child it came from.
  if (t.Window() != nullptr && IsWindowVisible(t.Window())) SetFocus(t.Window());
  if (!asked) return;
  TableFindRow(t, node, text);
}

// Focus and column to a linked table; this table's column becomes its
// first editable one.
void PassTo(TableWindow& t, TableWindow& other, bool first) {
  t.currentColumn = TableFirstEditableColumn(t);
  TableLoadEditBuffer(t);
  TableDrawRow(t, t.currentRow);
  if (other.Window() != nullptr) SetFocus(other.Window());
  TableSetColumn(other, first ? TableFirstEditableColumn(other) : TableLastEditableColumn(other));
  TableScrollColumnIntoView(other, other.currentColumn);
  TablePlaceCaret(other);
}

void MoveToColumn(TableWindow& t, int column) {
  TableSetColumn(t, column);
  TableScrollColumnIntoView(t, column);
  TablePlaceCaret(t);
}

int NextEditable(TableWindow& t, int from, int direction) {
  for (int c = from + direction; c >= 1 && c <= t.columnCount; c += direction)
    if (t.IsCellEditable(t.currentRow, c)) return c;
  return 0;
}

// A table in a dialog is one of its controls: Tab past its row's last cell
// (Shift+Tab before its first) goes on to the dialog's next (previous)
// control as from any other, or a keyboard user could never reach OK. The
// row keeps the column it wrapped to, where Tab back into the table
// resumes. Alone among the dialog's tab stops, the table keeps the focus.
void LeaveForDialogControl(TableWindow& t, bool forward) {
  HWND window = t.Window();
  if (t.windowRecord != &DialogTableWindowRecord() || window == nullptr) return;
  HWND dialog = GetAncestor(window, GA_ROOT);
  if (dialog == nullptr || dialog == window) return;
  HWND next = GetNextDlgTabItem(dialog, window, forward ? FALSE : TRUE);
  if (next == nullptr || next == window) return;
  SendMessage(dialog, WM_NEXTDLGCTL, forward ? 0 : 1, FALSE);
}

void PastTheEnd(TableWindow& t, bool forward) {
  if (t.partnerTable != nullptr) {
    PassTo(t, *t.partnerTable, forward);
    return;
  }
  // Asked once: the table says why it keeps the focus when it answers.
  const bool keep = t.MustKeepFocus();
  if (t.followingTable != nullptr && !keep) {
    PassTo(t, *t.followingTable, forward);
  } else if (keep) {
    const int fallback = forward ? TableLastEditableColumn(t) : TableFirstEditableColumn(t);
    MoveToColumn(t, t.returnColumn != 0 ? t.returnColumn : fallback);
  } else {
    MoveToColumn(t, forward ? TableFirstEditableColumn(t) : TableLastEditableColumn(t));
    LeaveForDialogControl(t, forward);
  }
}

void DeleteAtCaret(TableWindow& t) {
  if (!CurrentCellEditable(t) || t.caret >= t.EditLength()) return;
  t.editBuffer.erase(static_cast<std::size_t>(t.caret), 1);
  AfterTextChange(t);
}

void ToggleInsertMode(TableWindow& t) {
  SetTableInsertMode(!TableInsertMode());
  if (TableInsertMode() && TableHasFocus(t)) {
    CreateCaret(t.Window(), nullptr, 2, t.Metrics().charHeight);
    ShowCaret(t.Window());
  }
  TablePlaceCaret(t);
}

void EscapeEdit(TableWindow& t) {
  TableLoadEditBuffer(t);
  TableRedrawEditCell(t);
  TablePlaceCaret(t);
}

}  // namespace

bool TableInsertMode() { return InsertModeFlag(); }

bool TableUndoTyping(TableWindow& t) {
  if (!t.editing || !t.editChanged) return false;
  EscapeEdit(t);
  return true;
}

void SetTableInsertMode(bool insert) { InsertModeFlag() = insert; }

void TableKeyDown(TableWindow& t, UINT virtualKey) {
  if (t.editing)
    TableEditKey(t, virtualKey);
  else
    TableNavigateKey(t, virtualKey);
}

void TableNavigateKey(TableWindow& t, UINT key) {
  switch (key) {
    case VK_HOME: GoToRow(t, 1); break;
    case VK_END: GoToRow(t, t.rowCount); break;
    case VK_UP: GoToRow(t, t.currentRow - 1); break;
    case VK_DOWN: GoToRow(t, t.currentRow + 1); break;
    case VK_PRIOR: GoToRow(t, std::max(t.currentRow - t.visibleRows, 1)); break;
    case VK_NEXT: GoToRow(t, std::min(t.currentRow + t.visibleRows, t.rowCount)); break;
    case VK_LEFT:
      if (t.hScrollShown && t.hPosition > 0)
        TableHScroll(t, SB_LINELEFT, 0);
      else
        TableNextColumn(t, -1);
      break;
    case VK_RIGHT:
      if (t.hScrollShown)
        TableHScroll(t, SB_LINERIGHT, 0);
      else
        TableNextColumn(t, 0);
      break;
    case VK_TAB: TableNextColumn(t, KeyIsDown(VK_SHIFT) ? -1 : 0); break;
    case 'F':
      if (KeyIsDown(VK_CONTROL)) FindNodeByPrompt(t);
      break;
    default: break;
  }
}

void TableEditKey(TableWindow& t, UINT key) {
  if (OnWideRow(t)) QV_ASSERT(t.currentColumn == 1);  // "current_column == 1"
  const bool control = KeyIsDown(VK_CONTROL);
  switch (key) {
    case VK_HOME:
      if (control) {
        GoToRow(t, 1);
        break;
      }
      TableScrollColumnIntoView(t, t.currentColumn);
      t.caret = t.prefixLength;
      TablePlaceCaret(t);
      break;
    case VK_END:
      if (control) {
        GoToRow(t, t.rowCount);
        break;
      }
      t.caret = t.EditLength();
      TablePlaceCaret(t);
      break;
    case VK_LEFT:
      if (t.caret == 0) {
        TableNextColumn(t, -1);
      } else if (t.caret - 1 >= t.prefixLength) {
        --t.caret;
        TablePlaceCaret(t);
      }
      break;
    case VK_RIGHT:
      if (t.caret >= t.EditLength()) {
        TableNextColumn(t, 0);
      } else {
        ++t.caret;
        TablePlaceCaret(t);
      }
      break;
    case VK_UP: GoToRow(t, t.currentRow - 1); break;
    case VK_DOWN: GoToRow(t, t.currentRow + 1); break;
    case VK_PRIOR: PageKeepingPlace(t, t.currentRow - t.visibleRows + 1); break;
    case VK_NEXT: PageKeepingPlace(t, t.currentRow + t.visibleRows - 1); break;
    case VK_TAB: TableNextColumn(t, KeyIsDown(VK_SHIFT) ? -1 : 0); break;
    case VK_RETURN: TableCommitCell(t, control); break;
    case VK_ESCAPE: EscapeEdit(t); break;
    case VK_INSERT:
      if (control)
        t.InsertRow();
      else
        ToggleInsertMode(t);
      break;
    case VK_DELETE:
      if (control)
        t.DeleteRow();
      else
        DeleteAtCaret(t);
      break;
    default: break;
  }
}

void TableChar(TableWindow& t, int character) {
  if (!t.editing) {
    t.CharNotEditing(character);
    return;
  }
  if (!CurrentCellEditable(t)) return;
  if (character == '\b') {
    if (t.caret == 0 || t.caret <= t.prefixLength) return;
    --t.caret;
    t.editBuffer.erase(static_cast<std::size_t>(t.caret), 1);
    AfterTextChange(t);
    return;
  }
  if (character >= 0 && character <= 27) return;
  const int filtered = t.FilterChar(character);
  if (filtered == 0) return;
  const char c = static_cast<char>(filtered);
  const auto at = static_cast<std::size_t>(t.caret);
  if (TableInsertMode()) {
    if (t.EditLength() >= t.maxEditLength) {
      ErrorBeep();
      return;
    }
    t.editBuffer.insert(at, 1, c);
  } else if (t.caret < t.EditLength()) {
    t.editBuffer[at] = c;
  } else if (t.EditLength() < t.maxEditLength) {
    t.editBuffer.push_back(c);
  } else {
    return;  // a full text takes nothing more at its end
  }
  TableWidenColumnForEdit(t);
  if (t.caret < t.maxEditLength) ++t.caret;
  AfterTextChange(t);
}

void TableNextColumn(TableWindow& t, int step) {
  if (!t.editing || OnWideRow(t)) return;
  if (TableCommitEdit(t)) return;
  t.BeforeColumnMove(step);
  TableDrawCellFrame(t, false);
  const bool forward = step >= 0;
  const int next = NextEditable(t, t.currentColumn, forward ? 1 : -1);
  if (next != 0)
    MoveToColumn(t, next);
  else
    PastTheEnd(t, forward);
}
