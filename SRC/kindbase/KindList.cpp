// The kinds' lists and their printed sections; see KindList.h.
#include "kindbase/KindList.h"

#include <algorithm>
#include <cctype>

#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/Regenerate.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

int ScreenTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void RedrawLayoutTable() {
  if (HWND layout = ProgramCommands().layoutTableWindow()) InvalidateRect(layout, nullptr, FALSE);
}

}  // namespace

KindListTable::KindListTable(DataType kindType, RowListKind kindList, const char* kindTitle, const char* kindItem,
                             int columnCount, int lines)
    : type(kindType),
      elementType(ElementType::None),
      list(kindList),
      title(kindTitle),
      itemName(kindItem),
      columns(columnCount),
      listHeadingLines(lines) {}

KindListTable::KindListTable(ElementType kindType, RowListKind kindList, const char* kindTitle, const char* kindItem,
                             int columnCount, int lines)
    : type(DataType::None),
      elementType(kindType),
      list(kindList),
      title(kindTitle),
      itemName(kindItem),
      columns(columnCount),
      listHeadingLines(lines) {}

int KindListTable::LayoutRowOf(int row) const {
  const RowIndexList& rows = TheModel().lists[list];
  return row >= 1 && row <= rows.count ? RowListEntry(rows, row) : 0;
}

DataItem* KindListTable::ItemOf(int row) const {
  const int layoutRow = LayoutRowOf(row);
  if (layoutRow == 0) return nullptr;
  LayoutRow& target = TheModel().row(layoutRow);
  return type != DataType::None && target.dataType == type ? target.item.get() : nullptr;
}

ElementData* KindListTable::ElementOf(int row) const {
  const int layoutRow = LayoutRowOf(row);
  if (layoutRow == 0) return nullptr;
  LayoutRow& target = TheModel().row(layoutRow);
  return elementType != ElementType::None && target.elementType == elementType ? target.element.get() : nullptr;
}

int KindListTable::EntryCount() const {
  RegenerateModel(TheModel());
  return TheModel().lists[list].count;
}

void KindListTable::DefineColumns() {
  HDC dc = Dc();
  const int count = TheModel().lists[list].count;
  for (int column = 1; column <= columns && column < static_cast<int>(widths.size()); ++column) {
    int width = 0;
    for (int line = 0; line < listHeadingLines; ++line) width = std::max(width, ScreenTextWidth(dc, HeadingText(column, line)));
    // Every line of an entry: a list may give an entry several lines.
    for (int row = 1; row <= count; ++row)
      for (int line = 0; line < std::max(1, linesPerRow); ++line)
        width = std::max(width, ScreenTextWidth(dc, CellText(row, column, line)));
    widths[static_cast<std::size_t>(column)] = width;
  }
}

std::string KindListTable::CellText(int row, int column, int /*line*/) {
  const int layoutRow = LayoutRowOf(row);
  if (layoutRow == 0) return {};
  if (fromToColumns && column == 1) return FromNodeText(layoutRow);
  if (fromToColumns && column == 2) return ToNodeText(layoutRow);
  if (column == 1) return NodeNumberText(TheModel().row(layoutRow).node);
  if (const ElementData* element = ElementOf(row)) return element->CellText(column);
  const DataItem* item = ItemOf(row);
  return item != nullptr ? item->CellText(column) : std::string();
}

std::int32_t KindListTable::RowNode(int row) {
  const int layoutRow = LayoutRowOf(row);
  return layoutRow != 0 ? TheModel().row(layoutRow).node : 0;
}

bool KindListTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  entries.title = title;
  entries.count = EntryCount();
  entries.layoutRows.clear();
  const RowIndexList& rows = TheModel().lists[list];
  for (int index = 1; index <= rows.count; ++index) entries.layoutRows.push_back(RowListEntry(rows, index));
  return true;
}

void KindListTable::EditCurrentItem() {
  const int layoutRow = LayoutRowOf(currentRow);
  if (layoutRow == 0) return;
  if (TableCommitEdit(*this)) return;
  const bool changed = RunEdit(frame, [&] {
    return elementType != ElementType::None ? RunElementDialog(frame, layoutRow, elementType)
                                            : RunItemDialog(frame, layoutRow, type);
  });
  if (!changed) {
    TableShowFocus(*this);
    return;
  }
  RedrawLayoutTable();
  if (opener_ != nullptr) opener_();
  TableShowFocus(*this);
}

void KindListTable::DeleteRow() {
  const int layoutRow = LayoutRowOf(currentRow);
  if (layoutRow == 0 || TableResultsShown() || type == DataType::None) return;
  RunEdit(frame, [&] {
    ClearDataType(TheModel(), layoutRow);
    RefreshAfterDataItemEdit(TheModel(), layoutRow);
    return true;
  });
  RedrawLayoutTable();
  if (opener_ != nullptr) opener_();
}

void KindListTable::ContextMenu() { TablePopupEditDeleteMenu(*this, itemName); }
void KindListTable::HeadingContextMenu(int /*column*/) { TablePopupListMenu(*this); }
void KindListTable::UpdateMenu() { UpdateTableEditMenu(*this); }

void KindListTable::CurrentRowChanged() {
  const int layoutRow = LayoutRowOf(currentRow);
  if (layoutRow == 0) return;
  if (type != DataType::None)
    HighlightRowDataItem(layoutRow);
  else
    HighlightElementRow(layoutRow);
}

void KindListTable::Open(ListOpener opener, const std::vector<int>* editLengths) {
  opener_ = opener;
  if (!BindFirstListTable(*this, columns)) return;
  headingLines = listHeadingLines;
  if (editLengths != nullptr) {
    editLengths_ = *editLengths;
    editLengths_.resize(static_cast<std::size_t>(columns) + 1, 0);
    this->editLengths = editLengths_;
    editable = true;
  }
  nodeSearch = true;
  SetCurrentListOpener(opener);
  OpenTableAtCurrentRow(*this);
}

void KindListTable::StoreCell() {
  DataItem* item = ItemOf(currentRow);
  ElementData* element = ElementOf(currentRow);
  if (item == nullptr && element == nullptr) return;
  const int layoutRow = LayoutRowOf(currentRow);
  // A value that moves nodes (a valve's length) may leave an element
  // without length or rows that cannot be made: refused as the Layout's
  // cells refuse it, with the model put back.
  bool changed = false;
  // A stored cell may change what other cells of the row show.
  const auto redraw = [&] {
    if (!changed) return;
    RedrawLayoutTable();
    if (Window() != nullptr) InvalidateRect(Window(), nullptr, FALSE);
  };
  try {
    RunEdit(frame, [&] {
      if (!(item != nullptr ? StoreItemCell(*item, currentColumn) : StoreElementCell(*element, currentColumn)))
        return false;
      changed = true;
      Model& model = TheModel();
      model.layoutChanged = true;
      if (item != nullptr)
        RefreshAfterDataItemEdit(model, layoutRow);
      else
        RefreshAfterElementValuesEdit(model, layoutRow);
      return true;
    }, EditMessage::GoesOn, EditRefusal::Thrown);
  } catch (const std::string&) {
    redraw();
    throw;
  }
  redraw();
}

int KindListTable::YesNoChar(int character) {
  const int upper = std::toupper(character);
  if (upper != 'Y' && upper != 'N') return 0;
  editBuffer.clear();
  caret = 0;
  return upper;
}

ElementKindListTable::ElementKindListTable(ElementType kindType, RowListKind kindList, const char* kindTitle,
                                           const char* kindItem, int columnCount, int lines)
    : KindListTable(kindType, kindList, kindTitle, kindItem, columnCount, lines) {
  fromToColumns = true;
}

void ElementKindListTable::ContextMenu() { TablePopupEditMenu(*this, itemName); }
void ElementKindListTable::Prepare() { DisableTableDeleteItem(*this); }
void ElementKindListTable::Close() { EnableTableDeleteItem(*this); }

void ElementKindListTable::EnterRow(bool control) {
  if (!editable || editLengths.empty()) {
    EditCurrentItem();
    return;
  }
  KindListTable::EnterRow(control);
}

void ElementKindListTable::ShareWidths(int first, int last) {
  int width = 0;
  for (int column = first; column <= last; ++column) width = std::max(width, widths[static_cast<std::size_t>(column)]);
  for (int column = first; column <= last; ++column) widths[static_cast<std::size_t>(column)] = width;
}

// --- printing ---------------------------------------------------------------

void KindListPrintTable::DefineColumns() {
  SetColumns(list_.columns);
  headingLines = list_.listHeadingLines;
  const int count = TheModel().lists[list_.list].count;
  for (int column = 1; column <= list_.columns; ++column) {
    int width = 0;
    for (int line = 0; line < headingLines; ++line) width = std::max(width, TextWidth(list_.HeadingText(column, line)));
    for (int row = 1; row <= count; ++row)
      for (int line = 0; line < std::max(1, list_.linesPerRow); ++line)
        width = std::max(width, TextWidth(list_.CellText(row, column, line)));
    widths[static_cast<std::size_t>(column)] = width;
  }
}

std::string FromNodeText(int layoutRow) {
  const Model& model = TheModel();
  if (layoutRow < 1 || layoutRow > model.rowCount) return {};
  const int previous = PreviousElementRow(model, layoutRow);
  return previous != 0 ? NodeNumberText(model.row(previous).node) : std::string();
}

std::string ToNodeText(int layoutRow) {
  const Model& model = TheModel();
  if (layoutRow < 1 || layoutRow > model.rowCount) return {};
  return NodeNumberText(model.row(layoutRow).node);
}

void PutAtColumn(std::string& line, const std::string& text, int column) { PutValueInLine(line, text, column); }

std::string TrimmedText(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = result.find_last_not_of(' ');
  return result.substr(first, last - first + 1);
}

void PrintKindDetailsSection(KindListTable& list, PrintTable& printTable, DetailsRequest request) {
  const int count = list.EntryCount();
  if (count == 0) return;
  if (!g_ReportFileOpen) return PrintKindSection(list, printTable);
  request.rows.clear();
  for (int index = 1; index <= count; ++index) request.rows.push_back(list.LayoutRowOf(index));
  ReportSetTitle(list.title);
  PrintRowDetails(request);
}

void PrintKindSection(KindListTable& list, PrintTable& printTable) {
  const int count = list.EntryCount();
  if (count == 0) return;
  BeginReportSection(list.title, 0);
  printTable.countInTitle = true;
  TablePrint(printTable, list.title, count);
}
