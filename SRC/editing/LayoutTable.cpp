// The Layout table's slots: columns and headings, cell texts, which cells
// may be edited, the typing filter with its completions, and the store
// switch that runs every column store between an undo snapshot and its
// discard when nothing changed.
//
// The table's current row is the layout row; the spare line after the last
// row is row count + 1 of the model's row room, so a row typed there is the
// model's next row once it is entered.
#include "editing/LayoutTable.h"

#include <algorithm>
#include <cctype>

#include "editing/LayoutEditors.h"
#include "editing/RowText.h"
#include "editing/UndoRedo.h"
#include "model/LayoutKeywords.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

bool g_EditChangedModel = false;

namespace {

constexpr int kTitlePrefix = 8;  // "Title = " on row 1 is not editable

bool IsWideType(ElementType type) { return type == ElementType::Comment || type == ElementType::HydrotestLoad; }

bool IsBendRow(const LayoutRow& row) { return IsBendElementType(row.elementType); }

int TextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

int Reject() {
  ErrorBeep();
  return 0;
}

}  // namespace

LayoutTable& TheLayoutTable() {
  static LayoutTable table;
  return table;
}

std::string LayoutTable::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "Node";
    case 2: return "Type";
    case 3: return std::string("DX ") + UnitLabel(kUnitLength);
    case 4: return std::string("DY ") + UnitLabel(kUnitLength);
    case 5: return std::string("DZ ") + UnitLabel(kUnitLength);
    case 6: return "Matl";
    case 7: return "Sect";
    case 8: return "Load";
    case 9: return "Data";
    default: return {};
  }
}

std::string LayoutTable::CellText(int row, int column, int /*line*/) {
  if (row < 1 || row > kLayoutRowRoom - 1) return {};
  return LayoutRowCellText(TheModel(), row, column);
}

// Each column is as wide as its widest heading or cell; when a wide row's
// text is wider than all columns together the difference is shared out.
void LayoutTable::DefineColumns() {
  const Model& model = TheModel();
  HDC dc = Dc();
  int widest = 0;
  for (int column = 1; column <= kLayoutColumns && column < static_cast<int>(widths.size()); ++column) {
    int width = TextWidth(dc, HeadingText(column, 0));
    for (int row = 1; row <= model.rowCount + 1; ++row) {
      if (IsWideType(model.row(row).elementType)) continue;
      width = std::max(width, TextWidth(dc, LayoutRowCellText(model, row, column)));
    }
    widths[static_cast<std::size_t>(column)] = width;
  }
  for (int row = 1; row <= model.rowCount; ++row)
    if (IsWideType(model.row(row).elementType))
      widest = std::max(widest, TextWidth(dc, LayoutRowCellText(model, row, 1)));
  const int margin = Metrics().cellMargin;
  int sum = 0;
  for (int column = 1; column <= kLayoutColumns && column < static_cast<int>(widths.size()); ++column)
    sum += widths[static_cast<std::size_t>(column)] + 2 * margin;
  const int d = widest + 2 * margin - sum;
  if (d > 0)
    for (int column = 1; column <= kLayoutColumns && column < static_cast<int>(widths.size()); ++column)
      widths[static_cast<std::size_t>(column)] += d / kLayoutColumns + 1;
}

// The table window is the Layout frame's client: it fits below the toolbar,
// as the frame placed it.
void LayoutTable::AdjustClientRect(RECT& area) {
  const Frame& layout = LayoutFrame();
  if (layout.window == nullptr || GetParent(Window()) != layout.window) return;
  if (FrameToolbarHeight() == 0 || layout.activeToolbar == nullptr) return;
  RECT bar{};
  GetClientRect(layout.activeToolbar, &bar);
  area.top += bar.bottom + 2;
}

bool LayoutTable::IsWideRow(int row) { return IsWideType(TheModel().row(row).elementType); }

int LayoutTable::WideRowPrefixLength() { return currentRow == 1 ? kTitlePrefix : 0; }

bool LayoutTable::IsRowEditable(int row) { return TheModel().row(row).elementType != ElementType::HydrotestLoad; }

bool LayoutTable::IsCellEditable(int row, int column) { return IsLayoutCellEditable(TheModel(), row, column); }

bool IsLayoutCellEditable(const Model& model, int row, int column) {
  const LayoutRow& target = model.row(row);
  if (target.elementType == ElementType::HydrotestLoad) return false;
  switch (column) {
    case 1: return true;
    case 2: return !(target.elementType == ElementType::From && row == FirstElementRow(model));
    case 3:
    case 4:
    case 5:
      return target.elementType != ElementType::HingeJoint && target.elementType != ElementType::BallJoint;
    case 6:
    case 7:
    case 8: return true;
    case 9: return !IsBendRow(target);
    default: return false;
  }
}

std::int32_t LayoutTable::RowNode(int row) { return TheModel().row(row).node; }

// Regaining the focus also lands here; refreshing the List window then would
// hand the focus back and come here again, so only a move refreshes it.
void LayoutTable::CurrentRowChanged() {
  Model& model = TheModel();
  if (model.currentRow == currentRow) return;
  model.currentRow = currentRow;
  if (model.row(currentRow).drawn)
    HighlightElementRow(currentRow);
  else
    HideHighlight();
  RefreshListWindow();
}

void LayoutTable::AfterEnter() {
  if (TableResultsShown() || !editing) return;
  TableSetColumn(*this, 1);
  TablePlaceCaret(*this);
}

void LayoutTable::EnterRow(bool control) { LayoutEnterRow(*this, control); }

void LayoutTable::BeforeColumnMove(int step) { LayoutBeforeColumnMove(*this, step); }

void LayoutTable::EditFinished() {
  Model& model = TheModel();
  if (!model.layoutChanged) return;
  MakeModel(model);
  model.modified = true;
}

// Insert and Delete are the Layout window's commands, which bracket them
// with the undo snapshot.
void LayoutTable::InsertRow() {
  if (frame != nullptr) SendMessage(frame, WM_COMMAND, 128, 0);
}

void LayoutTable::DeleteRow() {
  if (frame != nullptr) SendMessage(frame, WM_COMMAND, 279, 0);
}

// The editors of a row's element and data item are the kinds' own dialogs.
void LayoutTable::DoubleClick() { LayoutDoubleClick(*this); }

void LayoutTable::HeadingClicked(int column) { LayoutHeadingClicked(*this, column); }

void LayoutTable::CellContextMenu(int column) { ShowLayoutPopupMenu(*this, column); }

namespace {

int FilterNodeColumn(LayoutTable& table, LayoutRow& target, int character) {
  const char c = static_cast<char>(character);
  if (table.caret == 0 && target.elementType == ElementType::None) {
    if (c == 'C' || c == 'c') {
      SetElementType(TheModel(), table.currentRow, ElementType::Comment);
      TableLoadEditBuffer(table);
      TableDrawRow(table, table.currentRow);
      return 0;
    }
    if (c == 'H' || c == 'h') {
      if (OpenElementTypeDialog(TheModel(), table.currentRow, ElementType::HydrotestLoad)) {
        TableDrawRow(table, table.currentRow);
        TableCommitInPlace(table);
      }
      return 0;
    }
  }
  if (std::isdigit(static_cast<unsigned char>(c))) return c == '0' && table.caret == 0 ? Reject() : character;
  if (c == ' ') return character;
  if (table.caret == 0) return Reject();
  if (c == '*') return character;
  std::string typed = table.editBuffer;
  typed.insert(static_cast<std::size_t>(table.caret), 1, c);
  NodeId id = 0;
  if (ParseNodeNumber(Squeezed(typed), id) == kNodeOk && FindNodeIndex(TheModel().nodes, id) != 0) return character;
  return Reject();
}

int FilterTypeColumn(LayoutTable& table, int character) {
  const char c = static_cast<char>(character);
  if (c == ' ') return character;
  if (!std::isalpha(static_cast<unsigned char>(c))) return Reject();
  const std::string typed = table.editBuffer.substr(0, static_cast<std::size_t>(table.caret));
  const std::string completion = ElementTypeCompletion(typed, c);
  if (completion.empty()) return character;
  table.editBuffer = completion;
  table.caret = static_cast<int>(completion.size());
  table.editChanged = true;
  TableNextColumn(table, 1);
  return 0;
}

int FilterDataColumn(LayoutTable& table, LayoutRow& target, int character) {
  const char c = static_cast<char>(character);
  if (c == ' ') return character;
  if (IsBendRow(target) || !std::isalpha(static_cast<unsigned char>(c))) return 0;
  const std::string completion =
      DataTypeCompletion(table.editBuffer.substr(0, static_cast<std::size_t>(table.caret)), c, TheModel());
  if (completion == kRefusedCompletion) {
    table.editBuffer.clear();
    table.caret = 0;
    TableRedrawEditCell(table);
    return Reject();
  }
  if (completion.empty()) return character;
  table.editBuffer = completion;
  table.caret = static_cast<int>(completion.size());
  table.editChanged = true;
  TableCommitEdit(table);
  return 0;
}

}  // namespace

int LayoutTable::FilterChar(int character) {
  LayoutRow& target = TheModel().row(currentRow);
  if (target.elementType == ElementType::Comment) return character;
  if (target.elementType == ElementType::HydrotestLoad) return Reject();
  if (target.node == 0 && currentColumn != 1) return Reject();
  const char c = static_cast<char>(character);
  switch (currentColumn) {
    case 1: return FilterNodeColumn(*this, target, character);
    case 2: return FilterTypeColumn(*this, character);
    case 3:
    case 4:
    case 5: return IsNotLengthChar(c) ? 0 : character;
    case 6:
    case 7:
    case 8:
      return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '/' ? character : 0;
    case 9: return FilterDataColumn(*this, target, character);
    default: return 0;
  }
}

namespace {

// The end of a store's edit: a store that changed nothing leaves no step,
// one that changed the model is settled, whatever else it has to say (a
// picker left without a choice after a change to Beam keeps the change).
// The gate's refusal goes instead: the model is already put back, and every
// row it shows again.
void EndStoreEdit(LayoutTable& table, SnapshotToken token) {
  if (!g_EditChangedModel) {
    PopTempFile(token);
    return;
  }
  if (std::string refusal = SettleEditSnapshot(token); !refusal.empty()) {
    g_EditChangedModel = false;
    SetLayoutRowCount();
    if (HWND shown = table.Window()) InvalidateRect(shown, nullptr, FALSE);
    RefreshListWindow();
    throw refusal;
  }
}

}  // namespace

// Every store is one edit: a store that changed nothing (refused ones
// included) leaves no undo step, nor does one that changed only what no
// model file keeps: the cells of the spare row are one undo step with the
// row, taken when it is entered. What a store opens on its way (the three
// pickers after a change to or from Beam, a kind's dialog) joins its edit.
void LayoutTable::StoreCell() {
  if (currentRow > kMaxLayoutRows) throw std::string("Maximum number of rows exceeded");
  g_EditChangedModel = false;
  const bool modified = TheModel().modified;
  const SnapshotToken token = TakeUndoSnapshot(frame);
  try {
    if (currentColumn == 1 && TheModel().row(currentRow).elementType == ElementType::Comment)
      SetCommentRowText(*this, g_EditFieldText);
    else if (currentColumn == 1)
      StoreNodeCell(*this);
    else if (currentColumn == 2)
      StoreTypeCell(*this);
    else if (currentColumn >= 3 && currentColumn <= 5)
      StoreOffsetCell(*this, currentColumn);
    else if (currentColumn >= 6 && currentColumn <= 8)
      StoreMaterialCell(*this, currentColumn);
    else if (currentColumn == 9)
      StoreDataCell(*this);
  } catch (const std::string&) {
    // A message after the row changed: the model could not be made from it
    // (the node table is full), so it goes back to what it was.
    if (g_EditChangedModel && RestoreUndoSnapshot(token, modified)) {
      g_EditChangedModel = false;
      TableDrawRow(*this, currentRow);
    }
    EndStoreEdit(*this, token);
    throw;
  } catch (...) {
    EndStoreEdit(*this, token);
    throw;
  }
  EndStoreEdit(*this, token);
}

void SetLayoutRowCount() {
  LayoutTable& table = TheLayoutTable();
  TableSetRowsTitled(table, "Layout", TheModel().rowCount);
}

void ReloadLayoutTable(bool takeFocus) {
  LayoutTable& table = TheLayoutTable();
  if (table.windowRecord == nullptr) return;
  TableScrollColumnIntoView(table, table.currentColumn);
  TableSetRowsTitled(table, "Layout", TheModel().rowCount);
  if (takeFocus)
    TableShowFocus(table);
  else
    TableShow(table);
}
