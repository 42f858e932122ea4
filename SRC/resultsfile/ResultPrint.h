// What the result tables share for their layout and their printed grid:
// column widths measured over the headings and every cell (on the screen's
// device context or in the report font of the printer page), and the
// printed grid of a result table: its headings and cells, the group captions
// that span columns in the first heading line with the rules inside a group
// starting below the caption, and a flag per cell that the printer marks.
//
// Measuring every cell of a large table is the cost of opening it; texts
// that differ only in their digits have one width when the font's digits
// share one advance (as the table fonts' do), so each such shape is
// measured once.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "printing/TablePrint.h"

class TableWindow;

struct HeadingGroup {
  int first = 0, last = 0;  // columns
  std::string text;
};

using TextWidthFunction = std::function<int(const std::string&)>;

// widths[1 .. columns] of `table`: the widest of each column's heading lines
// and of the cells of rows 1 .. rows (every line of a row).
std::vector<int> MeasureTableColumns(TableWindow& table, int rows, const TextWidthFunction& width);
// The same for columns first .. last only; the others are 0.
std::vector<int> MeasureTableColumns(TableWindow& table, int rows, const TextWidthFunction& width, int first,
                                     int last);
// True when the digits share one advance under `width`: texts that differ
// only in their digits are then equally wide.
bool DigitsShareWidth(const TextWidthFunction& width);
// The width of a text on the table's own device context.
TextWidthFunction ScreenTextWidth(const TableWindow& table);

// The group captions of a table window drawn in its first heading line, and
// the column rules inside a group starting below its caption.
void PaintHeadingGroups(TableWindow& table, const std::vector<HeadingGroup>& groups);
// True (and the rule drawn) when `column` lies inside a group.
bool DrawGroupColumnRule(TableWindow& table, const std::vector<HeadingGroup>& groups, int column);

// The layout a result table is measured and printed in.
struct TableShape {
  int columns = 0;
  int headingLines = 0;
  int linesPerRow = 1;
};

// A table laid out in `shape` with `rows` rows while this lives. The report
// prints and writes tables that are not the one shown, or were never shown:
// each is lent the layout it prints in and gets its own back after.
class LentTableShape {
 public:
  LentTableShape(TableWindow& table, TableShape shape, int rows);
  ~LentTableShape();
  LentTableShape(const LentTableShape&) = delete;
  LentTableShape& operator=(const LentTableShape&) = delete;

 private:
  TableWindow& table_;
  TableShape own_;
  int ownRows_ = 0;
};

// The printed grid of a result table window.
class ResultPrintTable : public PrintTable {
 public:
  // `table` printed in `shape` with `rows` rows, whatever it shows.
  ResultPrintTable(TableWindow& table, TableShape shape, int rows, std::vector<HeadingGroup> groups = {});
  // `table` printed in the layout it has (a table laid out by its caller).
  ResultPrintTable(TableWindow& table, int rows, std::vector<HeadingGroup> groups = {});
  void DefineColumns() override;
  void PrintExtra() override;
  void PrintColumnRule(int column) override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  void PrintCellCustom(int row, int column, int line, int& x, int& y, std::string& text) override;

  // Makes equal widths among columns after measuring (printer units); a
  // width of 0 hides a column.
  std::function<void(std::vector<int>& widths)> equalize;
  // A cell the printer marks (an exceeded allowable).
  std::function<bool(int row, int column, int line)> flagged;

 private:
  void TakeLayout(int rows);

  std::optional<LentTableShape> lent_;
  TableWindow& table_;
  std::vector<HeadingGroup> groups_;
};

// Prints `table` on the printer under `title` (a report section titled
// `section` when it is not empty).
void PrintResultGrid(ResultPrintTable& grid, const std::string& section, const std::string& title, int rows);

// One comma-separated report line of `cells` (each quoted when it must be).
void WriteCsvCells(const std::vector<std::string>& cells);
