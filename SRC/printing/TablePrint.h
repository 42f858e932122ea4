// Tables printed on the printer page as ruled grids that look like the
// table windows: a title bar (or a rule), a shaded heading block, an
// optional shaded row-number column, ruled columns and rows, page by page
// with the title and heading block repeated on every page, and a closing
// rule. Each printed grid is a PrintTable subclass that gives its columns,
// headings and cell texts; the page, its font measures, the current y and
// the page heading are those of the printer road (printing/PrinterReport.h).
//
// Measures are in printer pixels: height H = ascent less internal leading,
// descent D, gap G = H/5, cell margin M = H/3. A heading line takes
// G + D + H; a row 3G + D + H (more lines: 2G + D + H each, less G/2).
// Columns of width 0 print nothing and take no space. A grid wider than
// the page first narrows its cell margins (to G at the least), then prints
// in a smaller font, so that no column is lost past the page's edge.
#pragma once

#include <string>
#include <vector>

#include "platform/Gdi.h"

class PrintTable {
 public:
  PrintTable() = default;
  PrintTable(const PrintTable&) = delete;
  PrintTable& operator=(const PrintTable&) = delete;
  virtual ~PrintTable();

  // --- virtual operations, in the order of their slots ------------------------------
  virtual void DefineColumns() = 0;  // fills widths[1..columnCount]
  virtual void SelectColumnPen(int column);
  virtual void PrintColumnRule(int column);
  virtual void PrintExtra() {}
  virtual std::string HeadingText(int /*column*/, int /*line*/) { return {}; }
  virtual std::string CellText(int /*row*/, int /*column*/, int /*line*/) { return {}; }  // rows from 1
  virtual bool IsWideRow(int /*row*/) { return false; }
  virtual void RowColour(int /*row*/) {}
  virtual void BeforeRowLine(int /*row*/, int /*line*/) {}
  virtual void PrintCellCustom(int /*row*/, int /*column*/, int /*line*/, int& /*x*/, int& /*y*/,
                               std::string& /*text*/) {}
  virtual void PrintHeading() {}
  virtual void AfterPageHeading() {}

  // --- data --------------------------------------------------------------------------------
  int linesPerRow = 1;
  bool countInTitle = false;
  bool rowNumbers = false;
  bool gapAfterHeading1 = false;
  bool gapAfterHeading2 = false;
  int rowsToPrint = 0;
  bool wideRows = false;
  bool leftRule = false;
  int pageRowsBottom = 0;
  int headingLines = 1;
  int columnCount = 0;
  int firstRow = 0;  // offset of the page's first row
  std::vector<int> widths;  // [1..columns]
  std::vector<int> lefts;   // [1..columns+1]
  int headingHeight = 0;
  int rowHeight = 0;
  int rowsPerPage = 0;
  int originX = 0;
  int originY = 0;
  int rightEdge = 0;
  int rowNumberWidth = 0;
  std::string title;
  // The smaller font of a grid too wide for the page in the report font;
  // null while the grid prints in the report font.
  HFONT font = nullptr;

  // Font measures of the printer page, set when the table is laid out.
  int height = 0;
  int descent = 0;
  int gap = 0;
  int cellMargin = 0;
  int lineWidth = 1;

  // Sets the number of columns and sizes the width and position lists.
  void SetColumns(int columns);
  // The printer width of a text in the report font.
  static int TextWidth(const std::string& text);
};

void TablePrint(PrintTable& table, const std::string& title, int rows);
void TablePrintCellInverse(PrintTable& table, int row, int column, int line);
int TableRowHeight(int kind);
// The table window's table written to a report file chosen in the "Print to
// File" dialog.
void PrintTableWindowToFile(HWND window);
