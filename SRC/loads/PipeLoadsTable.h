// The "Loads" list of the List window: one row per pipe load and the spare
// row after the last, where a new load is typed. 26 columns (PipeLoad.h);
// the columns of the temperature and pressure pairs not in use have width
// 0 and are not edited, and the additional weight and wind flag are changed
// in the dialog only.
//
// A cell store checks as the dialog does and asks before a new name is
// carried into every row; Enter fills the not-given values of a row (the
// reference temperature, the not-given pressure, the design values from the
// largest operating ones) and, on the spare row, makes the new record.
// Insert makes a new record, named "L" and the first free number, before
// the current one, Delete refuses a
// load that a row uses. Edit (double click) opens LOAD_DIALOG. The List
// window's Copy and Paste copy every value but the name from one load to
// another. The list prints as the "Pipe loads" section (PipeLoadsPrint.cpp).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "services/TableWindow.h"

struct Model;

class PipeLoadsTable : public ItemListTableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void EditFinished() override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void EditCurrentItem() override;
  void ContextMenu() override;
  void HeadingContextMenu(int column) override;
  void UpdateMenu() override;
  // While shown: the highlight toggle and colour graphics of the List
  // window; moving in the list highlights the rows of the line's load.
  void Prepare() override;
  void Close() override;
  void CurrentRowChanged() override;
  void WriteText() override;
  std::string PrintName() override { return "Pipe Loads"; }
};

PipeLoadsTable& ThePipeLoadsTable();
// The List window's opener: the table on the record of the current layout
// row's load (the first record when the row names none).
void OpenPipeLoadsTable();
// The "Loads" list is always offered.
bool PipeLoadsOffered(const Model& model);
// Copy and Paste of the List window while the list is shown; false when it
// is not shown (the command is not this list's).
bool CopyPipeLoad();
bool PastePipeLoad(HWND owner);
// The "Pipe loads" report section (PipeLoadsPrint.cpp).
void PrintPipeLoads();
// Column widths of the list for a measure of text: the widest of the
// headings and cells, one width for all twenty pair columns, 0 for the
// pairs not in use. `widths` has room for columns 1 .. 26.
void PipeLoadColumnWidths(const Model& model, const std::function<int(const std::string&)>& measure,
                          std::vector<int>& widths);
