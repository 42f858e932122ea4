// What the three beam record lists of the List window share ("Beam
// materials", "Beam sections", "Beam loads"; the "Soils" list too): one row
// per record and an
// entry row after the last; Enter on a row checks its required fields and,
// on the entry row, appends the record; Insert puts a fresh record at a
// named row whose previous row is named; Delete refuses a record still
// named by a row; Edit and a double-click open the record's dialog;
// moving to a row highlights the beams of that record while the list's
// highlight option is on. Typed cells keep to their column: letters and
// digits in the name, anything in a description, number characters in the
// values, no blank outside the description.
//
// A value typed on a row without a name is refused with "Name is required"
// in the name column, so nothing typed is ever dropped silently. The
// record kinds add their columns, stores, dialog and report.
#pragma once

#include <string>
#include <vector>

#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "properties/PropertyTables.h"
#include "records/RecordTable.h"
#include "services/TableWindow.h"

class BeamRecordTable : public ItemListTableWindow {
 public:
  void EditCurrentItem() override;
  void InsertRow() override;
  void DeleteRow() override;
  void EnterRow(bool control) override;
  void UpdateMenu() override;
  void Prepare() override;
  void Close() override;
  void ContextMenu() override;
  void CurrentRowChanged() override;
  int FilterChar(int character) override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  bool CanInsert() override;
  bool CanDelete() override;
  std::string PrintName() override { return Title(); }

  // --- the record kind ---
  virtual std::string Title() = 0;
  virtual int RecordCount() = 0;
  // The key that must be given before anything else (the name; the
  // description in the beam section library) and its column.
  virtual std::string RecordKey(int record) = 0;
  virtual int KeyColumn() { return 1; }
  virtual void InsertRecord(int row) = 0;
  virtual void RemoveRecord(int row) = 0;
  virtual void ClearRecord(int row) = 0;
  virtual void AppendEntryRecord() = 0;
  virtual bool RecordInUse(int record) = 0;
  virtual std::string InUseMessage(int record) = 0;
  virtual int RunDialog(int record, SnapshotToken token) = 0;
  using RecordHighlighter = void (*)(int record);
  virtual RecordHighlighter Highlighter() = 0;
  // The fields Enter requires of a row, thrown as CI (message, column).
  virtual void CheckRequired(int row) = 0;
  virtual bool DescriptionColumn(int column) { return column == 2; }
  virtual bool InsertAllowedAnywhere() { return false; }
  // Extra items of the List frame's first menu while the table is active.
  virtual void AddFileMenuItems() {}
  virtual void RemoveFileMenuItems() {}
  // Extra items of the right-click menu, before "List...".
  virtual void AddContextItems(HMENU /*menu*/) {}

 protected:
  // Refuses a value typed before the record's key.
  void RequireKeyFirst(int row);
  // The title with the count, the rows again and the table shown.
  void Regrow();
};

// The record at `row` of `table`, the entry row past the last one included
// (room is made for it).
template <typename T>
T& BeamRecordAt(ModelRecordTable<T>& table, int row) {
  if (row > table.capacity) ModelRecordTableGrow(table, table.capacity + 4);
  return table[row];
}

// `table` bound to the List window's table pane as the current list
// (`opener` opens it again): editable, with row numbers, `columns` columns
// under two heading lines, the edit lengths `lengths` ([0] unused); the list
// shown before is closed. False when the List window has no table pane.
// The caller then fills and shows it (TableOpenAt).
bool BindRecordList(BeamRecordTable& table, int columns, const std::vector<int>& lengths, void (*opener)());

// The lists of records that no row names (compressors and turbines, pumps,
// allowables): the records of one model table, a record inserted at any row,
// none refused as in use. The kinds add their key, columns, stores, dialog
// and report.
template <typename T>
class UnnamedRecordList : public BeamRecordTable {
 public:
  virtual ModelRecordTable<T>& ModelRecords() = 0;

  int RecordCount() override { return ModelRecords().count; }
  void InsertRecord(int row) override { InsertRecordAt(ModelRecords(), row); }
  void RemoveRecord(int row) override { RemoveRecordAt(ModelRecords(), row); }
  void ClearRecord(int row) override { BeamRecordAt(ModelRecords(), row) = T{}; }
  void AppendEntryRecord() override {
    BeamRecordAt(ModelRecords(), ModelRecords().count + 1);
    ++ModelRecords().count;
  }
  bool InsertAllowedAnywhere() override { return true; }
  bool RecordInUse(int) override { return false; }
  std::string InUseMessage(int) override { return {}; }
};

#include "printing/TablePrint.h"

// A list printed on the printer page whole: its headings and cells, each
// column as wide as its widest text in the report font.
class BeamListPrint : public PrintTable {
 public:
  BeamListPrint(TableWindow& list, int columns, int lines, int rows)
      : list_(list), columns_(columns), lines_(lines), rows_(rows) {}
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override { return list_.HeadingText(column, line); }
  std::string CellText(int row, int column, int line) override { return list_.CellText(row, column, line); }

 private:
  TableWindow& list_;
  int columns_;
  int lines_;
  int rows_;
};
