// The values grid of a force spectrum or a time function: the second table
// of the List window, beside the names table, editing a working copy of the
// points of the record current there (Part of the grid's record: its list
// and index). Each cell shows "%.6G", blank for 0; a typed 0 is kept as
// 1.0e-36, so a point at time or frequency 0 survives. Unless results are
// shown a spare pair (0, 0) ends the copy as the entry row.
//
// Leaving the grid stores a changed copy into the record sorted by
// abscissa; a point whose abscissa repeats another (within 1e-8), or a
// value typed on a row without its abscissa, is dropped, as the points are
// kept, and the grid says which one, so that a step given at one time does
// not quietly become a ramp nor a value vanish unseen. A record without a
// name takes no points: name it first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "loads/PairsGrid.h"
#include "records/PointTables.h"

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

class PointsGrid : public PairsGrid {
 public:
  explicit PointsGrid(const PointsGridKind& kind) : PairsGrid(false), kind_(kind) {}

  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  void StoreCell() override;
  // Stores a changed copy (see the head comment); true when it stored.
  bool Commit() override;

  const PointsGridKind& Kind() const { return kind_; }

 private:
  bool Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const override;
  int HeadingLines() const override { return kind_.headingLines; }
  const char* RequiredField(int column) const override { return column == 1 ? kind_.abscissaLabel : kind_.valueLabel; }
  const PointsGridKind& kind_;
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
