// The shared behaviour of the beam record lists; see BeamRecordTable.h.
#include "properties/BeamRecordTable.h"

#include <algorithm>
#include <cctype>

#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "services/ErrorRecords.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "properties/PropertyTables.h"

namespace {

constexpr int kEditCommand = 113;
constexpr int kInsertCommand = 128;
constexpr int kDeleteCommand = 126;

}  // namespace

void BeamRecordTable::RequireKeyFirst(int row) {
  if (RecordKey(row).empty()) {
    const int column = KeyColumn();
    throw CI{column == 1 ? "Name is required" : "Description is required", column};
  }
}

void BeamRecordTable::Regrow() {
  TableSetRowsTitled(*this, Title(), RecordCount());
  TableShow(*this);
}

int BeamRecordTable::FilterChar(int c) {
  if (DescriptionColumn(currentColumn)) return c;
  if (c == ' ') return 0;
  const int upper = std::toupper(c);
  if (currentColumn == 1) return std::isalnum(c) || c == '-' || c == '/' ? upper : 0;
  return IsNotNumberChar(static_cast<char>(c)) ? 0 : upper;
}

void BeamRecordTable::EnterRow(bool) {
  if (TableResultsShown() || currentRow < 1 || currentRow > RecordCount() + 1) return;
  CheckRequired(currentRow);
  if (currentRow == RecordCount() + 1) {
    // The entry row made a record: one undo step.
    RunEdit(frame, [&] {
      AppendEntryRecord();
      return true;
    }, EditMessage::GoesOn, EditRefusal::Thrown);
    Regrow();
    TableGoToLast(*this);
    return;
  }
  TableDrawRow(*this, currentRow);
  if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
}

bool BeamRecordTable::CanInsert() {
  const int count = RecordCount();
  if (TableResultsShown() || currentRow < 1 || currentRow > count) return false;
  if (InsertAllowedAnywhere()) return true;
  return !RecordKey(currentRow).empty() && (currentRow == 1 || !RecordKey(currentRow - 1).empty());
}

bool BeamRecordTable::CanDelete() { return !TableResultsShown() && !RecordInUse(currentRow); }

void BeamRecordTable::InsertRow() {
  if (!CanInsert()) {
    ErrorBeep();
    return;
  }
  RunEdit(frame, [&] {
    InsertRecord(currentRow);
    return true;
  });
  Regrow();
}

void BeamRecordTable::DeleteRow() {
  if (TableResultsShown() || currentRow < 1) return;
  if (currentRow > RecordCount()) {
    ClearRecord(currentRow);
    TableDrawRow(*this, currentRow);
    return;
  }
  if (RecordInUse(currentRow)) {
    ErrorBeep();
    ShowTableMessage(Window(), InUseMessage(currentRow), TableMessageKind::Error);
    return;
  }
  RunEdit(frame, [&] {
    RemoveRecord(currentRow);
    return true;
  });
  Regrow();
}

// The entry row is edited as the record after the last; it stays only when
// the dialog stored it with its key.
void BeamRecordTable::EditCurrentItem() {
  const int count = RecordCount();
  if (currentRow < 1 || currentRow > count + 1 || TableEndEdit(*this)) return;
  const int row = currentRow;
  const bool entry = row == count + 1;
  if (entry && TableResultsShown()) return;
  const SnapshotToken token = TakeUndoSnapshot(frame);
  if (entry) AppendEntryRecord();
  const int result = RunDialog(row, token);
  if (entry && (result != 1 || RecordKey(row).empty())) RemoveRecord(row);
  if (!SettleEdit(frame, token) || result != 1) return;
  Regrow();
  TableGoTo(*this, row);
}

void BeamRecordTable::UpdateMenu() { UpdateTableEditMenu(*this); }

void BeamRecordTable::Prepare() {
  ShowListGraphicsButtons(true);
  HMENU menu = ListFrame().menu;
  if (menu == nullptr || TableResultsShown()) return;
  AddFileMenuItems();
  HMENU edit = GetSubMenu(menu, 1);
  if (edit != nullptr && GetMenuState(edit, kInsertCommand, MF_BYCOMMAND) == static_cast<UINT>(-1))
    InsertMenu(edit, kDeleteCommand, MF_BYCOMMAND | MF_STRING, kInsertCommand, "&Insert\tCtrl+Ins");
}

void BeamRecordTable::Close() {
  ShowListGraphicsButtons(false);
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  RemoveFileMenuItems();
  if (HMENU edit = GetSubMenu(menu, 1)) DeleteMenu(edit, kInsertCommand, MF_BYCOMMAND);
}

void BeamRecordTable::ContextMenu() {
  if (TableResultsShown()) {
    TablePopupListMenu(*this);
    return;
  }
  if (frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  if (CanInsert()) AppendMenu(menu, MF_STRING, kInsertCommand, "&Insert");
  if (CanDelete()) AppendMenu(menu, MF_STRING, kDeleteCommand, "&Delete");
  AppendMenu(menu, MF_STRING, kEditCommand, "&Edit");
  AddContextItems(menu);
  AppendMenu(menu, MF_STRING, 302, "List...");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void BeamRecordTable::CurrentRowChanged() { HighlightListRecord(Highlighter(), currentRow, RecordCount()); }

bool BeamRecordTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  entries.title = Title();
  entries.count = RecordCount();
  entries.layoutRows.clear();
  return false;
}

bool BindRecordList(BeamRecordTable& table, int columns, const std::vector<int>& lengths, void (*opener)()) {
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return false;
  TableWindowClose(window);
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, columns, 2, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(opener);
  return true;
}

void BeamListPrint::DefineColumns() {
  SetColumns(columns_);
  headingLines = lines_;
  for (int c = 1; c <= columns_; ++c) {
    int width = 0;
    for (int line = 0; line < lines_; ++line) width = std::max(width, TextWidth(list_.HeadingText(c, line)));
    for (int r = 1; r <= rows_; ++r) width = std::max(width, TextWidth(list_.CellText(r, c, 0)));
    widths[static_cast<std::size_t>(c)] = width;
  }
}
