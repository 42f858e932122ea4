// The list of one data or element kind in the List window, and its
// printed section: one line per row that carries the kind, in the order of
// the kind's row list (regenerated before the list reports its entries),
// column 1 the node. A kind derives its list from KindListTable and gives
// its headings; the cells come from the row's item (DataItem::CellText) or
// element (ElementData::CellText).
//
// Edit (Enter on a read-only list, a double click, Edit > Edit) opens the
// kind's dialog between an undo snapshot and its discard when nothing
// changed; Delete removes a data item from its row (an element list offers
// no Delete). Both redraw the Layout table and show the list again.
// Moving to a line highlights its row's item, or element, in the graphics.
//
// The printed section has nothing when the kind has no rows. On the
// printer it is the list as a ruled grid under the plural title and the
// count; in text and comma-separated reports the kind's "Details" block
// (RowDetails.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/LayoutRow.h"
#include "model/ListWindow.h"
#include "model/RowLists.h"
#include "printing/TablePrint.h"
#include "services/TableWindow.h"

class DataItem;
class ElementData;

class KindListTable : public ItemListTableWindow {
 public:
  KindListTable(DataType type, RowListKind list, const char* title, const char* itemName, int columns, int headingLines);
  KindListTable(ElementType type, RowListKind list, const char* title, const char* itemName, int columns,
                int headingLines);

  void DefineColumns() override;
  std::string CellText(int row, int column, int line) override;
  std::int32_t RowNode(int row) override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  void EditCurrentItem() override;
  void DeleteRow() override;
  void ContextMenu() override;
  void HeadingContextMenu(int column) override;
  void UpdateMenu() override;
  // The line's item (or element) highlighted in the graphics.
  void CurrentRowChanged() override;
  // Stores the typed cell of the current row through StoreItemCell between
  // an undo snapshot and its discard when nothing changed.
  void StoreCell() final;
  std::string PrintName() override { return title; }
  bool CanInsert() override { return false; }

  // The layout row of list line `row` (1-based), 0 when none.
  int LayoutRowOf(int row) const;
  DataItem* ItemOf(int row) const;
  ElementData* ElementOf(int row) const;
  // Regenerates the model and gives the number of items.
  int EntryCount() const;
  // Binds the first List table, records `opener` as the list shown and
  // shows the list on the entry of the current Layout row. `editLengths`
  // (by column) makes the list editable; null keeps it read-only.
  void Open(ListOpener opener, const std::vector<int>* editLengths);
  // The kind's store of one typed cell (g_EditFieldText) into its item;
  // true when a value changed. Refusals throw their messages.
  virtual bool StoreItemCell(DataItem& /*item*/, int /*column*/) { return false; }
  virtual bool StoreElementCell(ElementData& /*element*/, int /*column*/) { return false; }
  // The filter of a yes/no cell: Y or N upper-cased, alone in the cell.
  int YesNoChar(int character);

  const DataType type;              // None for an element list
  const ElementType elementType;    // None for a data list
  const RowListKind list;
  const std::string title;     // "Anchors"
  const std::string itemName;  // "Anchor"
  const int columns;
  const int listHeadingLines;
  // Elements between two nodes list "From" and "To" in columns 1 and 2.
  bool fromToColumns = false;

 private:
  ListOpener opener_ = nullptr;
  std::vector<int> editLengths_;
};

// The list of an element kind between two nodes: "From" and "To" in its
// first two columns, Enter and a double click open the kind's dialog, its
// popup offers Edit only and the Delete menu item is greyed while it is
// shown (an element is removed with its layout row, not from its list).
class ElementKindListTable : public KindListTable {
 public:
  ElementKindListTable(ElementType type, RowListKind list, const char* title, const char* itemName, int columns,
                       int headingLines);
  void ContextMenu() override;
  void Prepare() override;
  void Close() override;
  bool CanDelete() override { return false; }
  // Enter on a read-only list opens the dialog; on an editable one it
  // moves on.
  void EnterRow(bool control) override;
  // The widest heading line or cell of columns first..last, given to each.
  void ShareWidths(int first, int last);
};

// The list printed on the printer page: the screen list's headings and
// cells, widths measured in the report font.
class KindListPrintTable : public PrintTable {
 public:
  explicit KindListPrintTable(KindListTable& list) : list_(list) {}
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override { return list_.HeadingText(column, line); }
  std::string CellText(int row, int column, int line) override { return list_.CellText(row, column, line); }

 protected:
  KindListTable& list_;
};

// The kind's section on the printer: the list laid out by `printTable`.
void PrintKindSection(KindListTable& list, PrintTable& printTable);

// A kind's section whose file form is a "Details" block (RowDetails.h):
// on the printer the list as in PrintKindSection; on the file road the
// section's title as the page title and `request` over the kind's rows.
struct DetailsRequest;
void PrintKindDetailsSection(KindListTable& list, PrintTable& printTable, DetailsRequest request);

// The two nodes of an element row: the node of the element row before it
// and its own node, as node-number text (empty for none).
std::string FromNodeText(int layoutRow);
std::string ToNodeText(int layoutRow);
// A value placed at a 1-based column of a text line grown to fit.
void PutAtColumn(std::string& line, const std::string& text, int column);
// The text without its leading and trailing blanks.
std::string TrimmedText(const char* text);
