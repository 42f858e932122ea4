// The names table of the named point tables; see PointTablesTable.h. Row r
// shows record r - 1; the last row is the spare record.
#include "loads/PointTablesTable.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kFilePosition = 0;
constexpr int kEditPosition = 1;
constexpr int kPrintCommand = 106;
constexpr int kSeparatorCommand = 276;

bool IsKindItem(const PointTablesKind& kind, UINT id) {
  return std::any_of(kind.fileItems.begin(), kind.fileItems.end(),
                     [id](const PointTablesKind::MenuItem& item) { return static_cast<UINT>(item.command) == id; });
}

// The kind's items and the separator after them, found by place: a
// separator has no command to be found by.
void RemoveFileItems(const PointTablesKind& kind, HMENU file) {
  for (int position = 0; position < GetMenuItemCount(file); ++position) {
    if (!IsKindItem(kind, GetMenuItemID(file, position))) continue;
    while (position < GetMenuItemCount(file) && IsKindItem(kind, GetMenuItemID(file, position)))
      DeleteMenu(file, static_cast<UINT>(position), MF_BYPOSITION);
    if (position < GetMenuItemCount(file) && GetMenuItemID(file, position) == 0)
      DeleteMenu(file, static_cast<UINT>(position), MF_BYPOSITION);
    return;
  }
}

}  // namespace

NamedPointsList& PointTablesTable::List() const {
  NamedPointsList& list = grid_.Kind().list(TheModel());
  EnsureTrailingBlank(list);
  return list;
}

NamedPoints* PointTablesTable::EntryOfRow(int row) const {
  NamedPointsList& list = List();
  if (row < 1 || row > static_cast<int>(list.size())) return nullptr;
  return &list[static_cast<std::size_t>(row - 1)];
}

bool PointTablesTable::Shown() const {
  return Window() != nullptr && IsWindowVisible(Window()) && TableOfWindow(Window()) == this;
}

std::size_t PointTablesTable::CurrentEntry() const {
  const std::size_t last = List().size() - 1;
  if (!Shown() || currentRow < 1) return last;
  return std::min(static_cast<std::size_t>(currentRow - 1), last);
}

void PointTablesTable::Refresh(int row) {
  NamedPointsList& list = List();
  const int saved = static_cast<int>(SavedPointTableCount(list));
  const int rows = TableResultsShown() ? saved : static_cast<int>(list.size());
  TableSetCountTitle(*this, kind_.title, saved);
  TableSetRows(*this, rows);
  TableShowFocus(*this);
  TableGoTo(*this, std::clamp(row, 1, std::max(rowCount, 1)));
  if (rowCount > 0)
    grid_.Load(CurrentEntry());
  else
    grid_.Hide();
}

bool PointTablesTable::ListCommand(HWND window, int command) {
  if (!Shown()) return false;
  if (command == kind_.readCommand) {
    if (TableResultsShown()) return true;
    grid_.Commit();
    if (!RunEdit(window, [&] { return kind_.readTextFile(window, CurrentEntry()); })) return true;
    Refresh(currentRow);
    return true;
  }
  if (command == kind_.exportCommand) {
    grid_.Commit();
    kind_.exportAll(window);
    return true;
  }
  return false;
}

void PointTablesTable::Open() {
  HWND window = ListTableWindow(0);
  TableWindowRecord* record = RecordOfWindow(window);
  if (record == nullptr) return;
  TableWindowClose(window);
  static const std::vector<int> kEditLengths{0, static_cast<int>(kPointTableNameLength)};
  TableSetColumns(*this, record, ListFrame().window, 1, 1, &kEditLengths);
  editable = true;
  SetCurrentListOpener(opener_);
  Refresh(std::max(currentRow, 1));
}

void PointTablesTable::DefineColumns() {
  HDC dc = Dc();
  int width = 3 * CellTextWidth(dc, "Name");
  for (const NamedPoints& record : List()) width = std::max(width, CellTextWidth(dc, record.name));
  if (widths.size() > 1) widths[1] = width;
}

std::string PointTablesTable::HeadingText(int column, int line) { return column == 1 && line == 0 ? "Name" : ""; }

std::string PointTablesTable::CellText(int row, int column, int /*line*/) {
  const NamedPoints* record = EntryOfRow(row);
  return record != nullptr && column == 1 ? record->name : std::string();
}

bool PointTablesTable::IsCellEditable(int row, int column) {
  return !TableResultsShown() && column == 1 && row >= 1;
}

void PointTablesTable::StoreCell() {
  NamedPoints* record = EntryOfRow(currentRow);
  if (record == nullptr) return;
  const std::string name = KeptTableName(g_EditFieldText);
  if (name.empty()) TableFieldRequired("Name", 1);
  // Shown with the character made visible: a line end or a tab would break
  // the message where it stands.
  if (HoldsControlCharacter(name))
    throw FormatFieldError(kind_.fieldName, VisibleText(g_EditFieldText), "may not hold a control character");
  const int other = FindPointTable(List(), name);
  if (other >= 0 && other != currentRow - 1) ThrowFieldError(kind_.fieldName, "is already defined");
  if (name == record->name) return;
  RunEdit(frame, [&] {
    if (!record->name.empty()) {
      if (!ConfirmChange(frame, kind_.renameLabel, record->name, name)) return false;
      kind_.renameReferences(TheModel(), record->name, name);
    }
    record->name = name;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  // A record just named takes points in the grid.
  if (!record->name.empty() && grid_.Index() == static_cast<std::size_t>(currentRow - 1)) grid_.Load(grid_.Index(), true);
  // A name typed into the spare record makes a record before its row is
  // left (the list as it is: the spare's successor comes with the row).
  TableSetCountTitle(*this, kind_.title, static_cast<int>(SavedPointTableCount(grid_.Kind().list(TheModel()))));
}

void PointTablesTable::EnterRow(bool /*control*/) {
  grid_.Commit();
  const NamedPoints* record = EntryOfRow(currentRow);
  if (record == nullptr) return;
  if (record->name.empty()) TableFieldRequired("Name", 1);
  if (record->points.empty()) throw std::string(kind_.valuesRequired);
  const int row = currentRow;
  if (row < rowCount) {
    TableGoTo(*this, row + 1);
    return;
  }
  EnsureTrailingBlank(List());
  Refresh(row + 1);
}

void PointTablesTable::InsertRow() {
  const NamedPoints* record = EntryOfRow(currentRow);
  if (TableResultsShown() || record == nullptr || record->name.empty()) {
    ErrorBeep();
    return;
  }
  grid_.Commit();
  const int row = currentRow;
  RunEdit(frame, [&] {
    List().insert(List().begin() + (row - 1), NamedPoints{});
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Refresh(row);
}

void PointTablesTable::DeleteRow() {
  NamedPoints* record = EntryOfRow(currentRow);
  if (TableResultsShown() || record == nullptr) return;
  grid_.Commit();
  if (kind_.inUse(TheModel(), record->name)) {
    ErrorBeep();
    ShowTableMessage(Window(), std::string(kind_.fieldName) + " " + record->name + " is in use, it cannot be deleted",
                     TableMessageKind::Error);
    return;
  }
  const int row = currentRow;
  RunEdit(frame, [&] {
    if (row == static_cast<int>(List().size())) {
      const bool changed = !IsBlankPointTable(*record);
      *record = NamedPoints{};
      return changed;
    }
    List().erase(List().begin() + (row - 1));
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Refresh(row);
}

// The points are edited in the grid beside the table; the names table has
// nothing more to open.
void PointTablesTable::EditCurrentItem() {}

void PointTablesTable::CurrentRowChanged() {
  HideHighlight();
  if (!Shown() || rowCount < 1) return;
  const std::size_t entry = CurrentEntry();
  if (grid_.Index() == entry && TableOfWindow(ListTableWindow(1)) == &grid_) return;
  grid_.Commit();
  grid_.Load(entry);
}

bool PointTablesTable::MustKeepFocus() {
  NamedPoints* record = EntryOfRow(currentRow);
  if (record == nullptr || TableResultsShown()) return false;
  if (record->name.empty()) {
    if (currentRow == static_cast<int>(List().size()) && IsBlankPointTable(*record)) return false;
    ShowTableMessage(Window(), "Name is required", TableMessageKind::Error);
    return true;
  }
  // A named spare record becomes a record of its own with a new spare after it.
  if (currentRow == static_cast<int>(List().size())) {
    EnsureTrailingBlank(List());
    TableSetCountTitle(*this, kind_.title, static_cast<int>(SavedPointTableCount(List())));
    TableSetRows(*this, static_cast<int>(List().size()));
  }
  return false;
}

void PointTablesTable::ContextMenu() {
  if (frame == nullptr || TableResultsShown()) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertItemCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteItemCommand, "&Delete");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void PointTablesTable::UpdateMenu() {
  UpdateTableEditMenu(*this);
  if (menuMode == 1 && frameMenu != nullptr) EnableMenuItem(frameMenu, kEditItemCommand, MF_BYCOMMAND | MF_GRAYED);
}

void PointTablesTable::SetMenus(bool shown) {
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  if (HMENU file = GetSubMenu(menu, kFilePosition)) {
    RemoveFileItems(kind_, file);
    if (shown) {
      const Model& model = TheModel();
      for (const PointTablesKind::MenuItem& item : kind_.fileItems)
        if (item.offered == nullptr || item.offered(model))
          InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(item.command), item.text);
      InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_SEPARATOR, kSeparatorCommand, nullptr);
    }
  }
  if (HMENU edit = GetSubMenu(menu, kEditPosition)) {
    if (shown && GetMenuState(edit, kInsertItemCommand, MF_BYCOMMAND) == static_cast<UINT>(-1))
      InsertMenu(edit, kDeleteItemCommand, MF_BYCOMMAND | MF_STRING, kInsertItemCommand, "&Insert\tCtrl+Ins");
    EnableMenuItem(edit, kEditItemCommand, MF_BYCOMMAND | (shown ? MF_GRAYED : MF_ENABLED));
  }
  g_CsvExportDefaultName = shown ? kind_.csvName : "";
  if (ListFrame().window != nullptr) DrawMenuBar(ListFrame().window);
}

void PointTablesTable::Prepare() {
  if (!TableResultsShown()) SetMenus(true);
}

void PointTablesTable::Close() {
  grid_.Commit();
  grid_.Hide();
  SetMenus(false);
}

bool PointTablesTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  entries.title = kind_.title;
  entries.count = static_cast<int>(SavedPointTableCount(List()));
  entries.layoutRows.clear();
  return false;
}
