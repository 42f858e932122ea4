// The Layout table: the spreadsheet in the Layout window through which the
// model is typed, one line per layout row and one spare line after the last
// row for appending. Ten columns: the row number, Node, Type, DX, DY, DZ,
// Matl, Sect, Load and Data.
//
// The work is split by concern: LayoutTable.cpp (the table slots: columns,
// cells, typing filter, the store switch), LayoutKeywords.cpp (element and
// data type keywords and the typing completions), LayoutTableStore.cpp (the
// node, offset, name and comment stores and the node rename),
// LayoutTableTypes.cpp (the type and data stores), LayoutTableEnter.cpp
// (validating and entering a row), LayoutTableEditors.cpp (the per-kind
// dialogs a store opens, which later work supplies).
//
// Every store reads g_EditFieldText and throws its errors before it changes
// the row, so a refused cell leaves the row as it was. A store that changed
// the model sets g_EditChangedModel; the undo snapshot taken before the
// store is discarded otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/LayoutRow.h"
#include "services/TableWindow.h"

struct Model;

class LayoutTable : public TableWindow {
 public:
  void Close() override {}
  void InsertRow() override;
  void DeleteRow() override;
  void EnterRow(bool control) override;
  void AfterEnter() override;
  void DoubleClick() override;
  void CurrentRowChanged() override;
  void Prepare() override { rowInserted = false; }
  void DefineColumns() override;
  void AdjustClientRect(RECT& area) override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsWideRow(int row) override;
  int WideRowPrefixLength() override;
  void HeadingClicked(int column) override;
  void BeforeColumnMove(int step) override;
  bool IsCellEditable(int row, int column) override;
  bool IsRowEditable(int row) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void EditFinished() override;
  void HeadingContextMenu(int column) override { HeadingClicked(column); }
  void CellContextMenu(int column) override;
  std::int32_t RowNode(int row) override;
  void WriteText() override;  // LayoutPrint.cpp

  bool rowInserted = false;
};

constexpr int kLayoutColumns = 9;

LayoutTable& TheLayoutTable();

// Shared state of the cell stores.
extern bool g_EditChangedModel;


// The column stores; each reads g_EditFieldText for the table's current row.
void StoreNodeCell(LayoutTable& table);
void StoreTypeCell(LayoutTable& table);
void StoreOffsetCell(LayoutTable& table, int column);
void StoreMaterialCell(LayoutTable& table, int column);
void StoreDataCell(LayoutTable& table);
void SetCommentRowText(LayoutTable& table, const std::string& text);
void ApplyDataType(LayoutTable& table, DataType code);

// Every node number the model names outside the rows' own nodes, handed to
// `visit` to read or change: the intermediate nodes of bends, connected
// nodes of supports, pumps, compressors, turbines and user allowables.
void ForEachNodeReference(Model& model, const std::function<void(std::int32_t& node)>& visit);
// Replaces node `from` by `to` wherever the model refers to it outside the
// rows' own nodes (ForEachNodeReference).
void RenameNodeReferences(Model& model, std::int32_t from, std::int32_t to);

// Whether the Layout table lets the user edit cell (row, column) of
// `model`: no cell of a Hydrotest load row, not the Type of the first From
// row, not the offsets of a hinge or ball joint, not the Data of a bend.
bool IsLayoutCellEditable(const Model& model, int row, int column);

// The first row whose type is not None, Comment or Hydrotest load; the
// spare row when there is none.
int FirstElementRow(const Model& model);

// Validating and entering a row (ctrl: Ctrl was held with Enter).
void ValidateLayoutRow(LayoutTable& table, bool ctrl);
void LayoutEnterRow(LayoutTable& table, bool ctrl);
void LayoutBeforeColumnMove(LayoutTable& table, int step);
// Before the model is saved, closed, replaced or analysed: the cell being
// edited is stored and a row typed on the spare line is entered. False when
// the table refused either (its message was shown, the caret is on the
// refused cell) and the action must stop.
bool CommitLayoutTable();

// The Layout table shown in the Layout window: rows set to the row count
// plus the spare row (none while results are shown).
void SetLayoutRowCount();
// Shows the rows anew (count, title, column widths) and gives the table the
// keyboard; with `takeFocus` false the keyboard stays where it is (a change
// made from another window).
void ReloadLayoutTable(bool takeFocus = true);

// The per-kind dialogs a store opens (LayoutTableEditors.cpp). Each returns
// true when the dialog ended with OK and gave the row its kind.
bool OpenElementTypeDialog(Model& model, int row, ElementType type);
bool OpenDataTypeDialog(Model& model, int row, DataType type, std::int32_t subtype);
// The data type picker; returns the chosen code, or 0 when cancelled.
int PickDataType(Model& model, int row);
