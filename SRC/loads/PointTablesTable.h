// The names table of force spectra or of time functions in the List
// window: one row per record and the blank spare record after the last, one
// editable column "Name", with the record's points in the values grid
// beside it (PointsGrid.h). The two tables differ only in their words, the
// items that refer to a record by name, and the File menu items they bring
// (a PointTablesKind); the behaviour is one:
//
//   Name      an empty text is "Name is required"; a name another record
//             has "is already defined"; renaming a named record asks first
//             and carries the new name to the loads that named the old.
//   Enter     wants a name and points; on the spare row a new spare follows.
//   Insert    puts a blank record before a named one.
//   Delete    refuses a record a load names; the spare row is made blank.
//   Leaving   a record without a name keeps the focus.
//
// While the table is shown (and results are not), the List window's File
// menu holds the kind's items above Print, Edit holds Insert and greys
// Edit, and the export proposes the kind's file name; closing the table
// takes them away again and hides the grid. Every change goes between an
// undo snapshot and its discard when nothing changed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "loads/PointsGrid.h"
#include "model/ListWindow.h"
#include "records/PointTables.h"
#include "services/TableWindow.h"

struct Model;

struct PointTablesKind {
  const char* title;           // "Time functions", "Force Spectrums"
  const char* fieldName;       // "Time function", "Force spectrum"
  const char* renameLabel;     // "Time function name"
  const char* valuesRequired;  // "Time function values are required"
  const char* csvName;         // "TimeFunctions.csv"
  bool (*inUse)(const Model& model, const std::string& name);
  void (*renameReferences)(Model& model, const std::string& from, const std::string& to);
  struct MenuItem {
    int command;
    const char* text;
    bool (*offered)(const Model& model);  // null: always
  };
  std::vector<MenuItem> fileItems;  // before Print, in order; a separator follows
  // The File menu's read of a text file into the current row and its
  // export of every record (ListCommand).
  int readCommand;
  bool (*readTextFile)(HWND owner, std::size_t row);
  int exportCommand;
  bool (*exportAll)(HWND owner);
};

class PointTablesTable : public ItemListTableWindow {
 public:
  PointTablesTable(const PointTablesKind& kind, PointsGrid& grid, ListOpener opener)
      : kind_(kind), grid_(grid), opener_(opener) {}

  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  void StoreCell() override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void EditCurrentItem() override;
  void CurrentRowChanged() override;
  bool MustKeepFocus() override;
  void ContextMenu() override;
  void UpdateMenu() override;
  void Prepare() override;
  void Close() override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  std::string PrintName() override { return kind_.title; }

  // Binds the first List table, shows the table at its row (at least 1)
  // with the grid beside it, and records the opener.
  void Open();
  // Whether the table is the one the List window shows.
  bool Shown() const;
  // The 0-based record of the current row (the spare one when not shown).
  std::size_t CurrentEntry() const;
  // Shows the table again at `row` (rows from 1) after the list changed.
  void Refresh(int row);
  // The kind's read and export commands while the table is shown: the read
  // goes between an undo snapshot and its discard when nothing was read.
  // False for any other command or when the table is not shown.
  bool ListCommand(HWND window, int command);

  PointsGrid& Grid() { return grid_; }
  const PointTablesKind& Kind() const { return kind_; }

 private:
  NamedPointsList& List() const;
  NamedPoints* EntryOfRow(int row) const;
  void SetMenus(bool shown);

  const PointTablesKind& kind_;
  PointsGrid& grid_;
  ListOpener opener_;
};
