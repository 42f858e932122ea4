// The values grid of a force spectrum or a time function: the second table
// of the List window, beside the names table, editing a working copy of the
// points of the record current there (Part of the grid's record: its list
// and index). Each cell shows "%.6G", blank for 0; a typed 0 is kept as
// 1.0e-36, so a point at time or frequency 0 survives. Unless results are
// shown a spare pair (0, 0) ends the copy as the entry row.
//
// Leaving the grid stores a changed copy into the record sorted by
// abscissa; a point whose abscissa repeats another (within 1e-8) is
// dropped, as the points are kept, and the grid says which one, so that a
// step given at one time does not quietly become a ramp. A record without a
// name takes no points: name it first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "loads/PointTables.h"
#include "shell/TableWindow.h"

struct Model;

struct PointsGridKind {
  const char* headings[2][2];  // [column - 1][line]
  int headingLines;
  const char* abscissaLabel;   // "Time", "Frequency"
  const char* valueLabel;      // "Value", "Spectrum value"
  bool negativeValues;         // values below 0 accepted
  const char* printTitle;      // "Time function = ", followed by the name
  NamedPointsList& (*list)(Model& model);
};

class PointsGrid : public TableWindow {
 public:
  explicit PointsGrid(const PointsGridKind& kind) : kind_(kind) {}

  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void ContextMenu() override;
  void UpdateMenu() override;
  void LostFocus() override;
  // Beside the names table: from its right edge to the client's.
  void AdjustClientRect(RECT& area) override;

  // Shows record `index` of the list in the List window's second table
  // (the working copy made again, row 1 unless `keepRow`).
  void Load(std::size_t index, bool keepRow = false);
  // Stores a changed copy (see the head comment); true when it stored.
  bool Commit();
  // Closes and hides the grid, its copy dropped.
  void Hide();

  std::size_t Index() const { return index_; }
  bool Changed() const { return changed_; }
  const std::vector<FloatPair>& Points() const { return points_; }
  const PointsGridKind& Kind() const { return kind_; }

 private:
  bool OnSpareRow() const;
  const PointsGridKind& kind_;
  std::size_t index_ = 0;
  bool loaded_ = false;
  bool changed_ = false;
  std::vector<FloatPair> points_;
};

// Prints the points of `record` on the printer under the grid's title.
void PrintPointsGrid(const PointsGridKind& kind, const NamedPoints& record);

// How a list of point tables reads in the reports.
struct PointTablesReportForm {
  const char* section;          // "Time functions"
  const char* abscissaHeading;  // "Time (Sec)"
  int abscissaColumn;           // where the text report puts the values
  int valueColumn;
};
// The report section of the saved tables of `list`: on the printer each
// table as its grid prints it; as text its title in a box, the heading and
// the points, a rule under them; as CSV the title, heading and point lines.
void PrintPointTables(const PointsGridKind& kind, const NamedPointsList& list, const PointTablesReportForm& form);
