// What the values grids of the List window share (force spectra and time
// functions: PointsGrid.h; response spectra: SpectrumValuesGrid.h): the
// second table beside the names list, editing a working copy of the points
// of the record current there. Unless results are shown an empty pair ends
// the copy as the entry row: Enter on it opens another, Insert and Delete
// act on the rows above it. A record without a name takes no points: name
// it first. Leaving the grid commits the copy, each kind its own way. Tab
// past the grid's last cell runs on to the names list (Shift+Tab past its
// first), so that names and points are typed with the keyboard alone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "records/PointTables.h"
#include "services/TableWindow.h"

class PairsGrid : public TableWindow {
 public:
  void DefineColumns() override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void ContextMenu() override;
  void UpdateMenu() override;
  void LostFocus() override { Commit(); }
  // Beside the names table: from its right edge to the client's.
  void AdjustClientRect(RECT& area) override;

  // Shows record `index` of the grid's list in the List window's second
  // table (the working copy made again, row 1 unless `keepRow`); past the
  // list's end the grid is hidden.
  void Load(std::size_t index, bool keepRow = false);
  // Stores a changed copy; true when it stored.
  virtual bool Commit() = 0;
  // Closes and hides the grid, its copy dropped.
  void Hide();

  std::size_t Index() const { return index_; }
  bool Loaded() const { return loaded_; }
  bool Changed() const { return changed_; }
  const std::vector<FloatPair>& Points() const { return points_; }

 protected:
  // `asksFirst`: a click back on the names list asks the grid first whether
  // it may be left (MustKeepFocus), and Tab past the names list's last
  // column goes to the grid without asking the list.
  explicit PairsGrid(bool asksFirst) : asksFirst_(asksFirst) {}

  // The name and points of record `index` of the grid's list; false past
  // its end.
  virtual bool Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const = 0;
  virtual int HeadingLines() const = 0;
  // The field named by the message of an empty cell of `column` on Enter.
  virtual const char* RequiredField(int column) const = 0;

  bool OnEntryRow() const;
  // The copy without its entry row: what a commit stores.
  std::vector<FloatPair> GivenPoints() const;
  // After a commit: the grid shows the stored points again.
  void Reload();
  // A typed cell's value into the copy ("" and "0" differ: the second is
  // the kept zero); marks the copy changed.
  void StoreTyped(float typed);

  std::size_t index_ = 0;
  bool loaded_ = false;
  bool changed_ = false;
  std::vector<FloatPair> points_;

 private:
  bool asksFirst_;
};
