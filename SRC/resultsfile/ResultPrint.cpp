// Column widths and the printed grid of the result tables; see ResultPrint.h.
#include "resultsfile/ResultPrint.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "model/Drawing2D.h"
#include "platform/Gdi.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/TableWindow.h"

// Digits share one advance in the measured font: then a text's width is
// that of its shape with every digit made '0'.
bool DigitsShareWidth(const TextWidthFunction& width) {
  const int zero = width("0");
  for (char digit = '1'; digit <= '9'; ++digit)
    if (width(std::string(1, digit)) != zero) return false;
  return true;
}

namespace {

std::string Shape(const std::string& text) {
  std::string shape = text;
  for (char& c : shape)
    if (std::isdigit(static_cast<unsigned char>(c))) c = '0';
  return shape;
}

}  // namespace

std::vector<int> MeasureTableColumns(TableWindow& table, int rows, const TextWidthFunction& width) {
  return MeasureTableColumns(table, rows, width, 1, table.columnCount);
}

std::vector<int> MeasureTableColumns(TableWindow& table, int rows, const TextWidthFunction& width, int first,
                                     int last) {
  const int columns = table.columnCount;
  std::vector<int> widths(static_cast<std::size_t>(columns) + 1, 0);
  if (first < 1) first = 1;
  if (last > columns) last = columns;
  const bool byShape = DigitsShareWidth(width);
  std::unordered_map<std::string, int> measured;
  auto measure = [&](const std::string& text) {
    if (text.empty()) return 0;
    if (!byShape) return width(text);
    const std::string shape = Shape(text);
    auto found = measured.find(shape);
    if (found != measured.end()) return found->second;
    const int w = width(text);
    measured.emplace(shape, w);
    return w;
  };
  for (int column = first; column <= last; ++column) {
    int& w = widths[static_cast<std::size_t>(column)];
    for (int line = 0; line < table.headingLines; ++line) w = std::max(w, measure(table.HeadingText(column, line)));
    for (int row = 1; row <= rows; ++row)
      for (int line = 0; line < table.linesPerRow; ++line) w = std::max(w, measure(table.CellText(row, column, line)));
  }
  return widths;
}

TextWidthFunction ScreenTextWidth(const TableWindow& table) {
  HDC dc = table.windowRecord != nullptr ? table.Dc() : nullptr;
  return [dc](const std::string& text) {
    SIZE size{0, 0};
    if (dc != nullptr && !text.empty()) GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
}

void PaintHeadingGroups(TableWindow& table, const std::vector<HeadingGroup>& groups) {
  for (const HeadingGroup& group : groups) {
    if (group.last < group.first || table.widths[static_cast<std::size_t>(group.first)] == 0) continue;
    TableHeadingCentred(table, group.first, group.last, 0, group.text);
    TableHeadingRule(table, group.first, group.last, 2);
  }
}

bool DrawGroupColumnRule(TableWindow& table, const std::vector<HeadingGroup>& groups, int column) {
  for (const HeadingGroup& group : groups) {
    if (column <= group.first || column > group.last) continue;
    const TableFontMetrics& m = table.Metrics();
    table.SelectColumnPen(column);
    TableVerticalLine(table, table.x[static_cast<std::size_t>(column)], m.lineGap * 3 / 2 + m.charHeight,
                      table.clientHeight);
    return true;
  }
  return false;
}

LentTableShape::LentTableShape(TableWindow& table, TableShape shape, int rows)
    : table_(table), own_{table.columnCount, table.headingLines, table.linesPerRow}, ownRows_(table.rowCount) {
  table.columnCount = shape.columns;
  table.headingLines = shape.headingLines;
  table.linesPerRow = shape.linesPerRow;
  table.rowCount = rows;
}

LentTableShape::~LentTableShape() {
  table_.columnCount = own_.columns;
  table_.headingLines = own_.headingLines;
  table_.linesPerRow = own_.linesPerRow;
  table_.rowCount = ownRows_;
}

// The lent layout (declared first) is in place before the grid reads it.
ResultPrintTable::ResultPrintTable(TableWindow& table, TableShape shape, int rows, std::vector<HeadingGroup> groups)
    : lent_(std::in_place, table, shape, rows), table_(table), groups_(std::move(groups)) {
  TakeLayout(rows);
}

ResultPrintTable::ResultPrintTable(TableWindow& table, int rows, std::vector<HeadingGroup> groups)
    : table_(table), groups_(std::move(groups)) {
  TakeLayout(rows);
}

void ResultPrintTable::TakeLayout(int rows) {
  rowsToPrint = rows;
  linesPerRow = table_.linesPerRow;
  // The page lays out the heading block before it asks for the columns.
  headingLines = table_.headingLines;
  gapAfterHeading1 = !groups_.empty();
}

void ResultPrintTable::DefineColumns() {
  SetColumns(table_.columnCount);
  std::vector<int> measured = MeasureTableColumns(table_, rowsToPrint, [](const std::string& text) {
    return PrintTable::TextWidth(text);
  });
  if (equalize) equalize(measured);
  for (int column = 1; column <= columnCount; ++column) widths[static_cast<std::size_t>(column)] = measured[static_cast<std::size_t>(column)];
}

void ResultPrintTable::PrintExtra() {
  for (const HeadingGroup& group : groups_) {
    if (widths[static_cast<std::size_t>(group.first)] == 0) continue;
    const int left = lefts[static_cast<std::size_t>(group.first)];
    const int right = lefts[static_cast<std::size_t>(group.last) + 1];
    PrinterTextAtXY((left + right - TextWidth(group.text)) / 2, originY + height + 2 * gap, group.text);
  }
}

void ResultPrintTable::PrintColumnRule(int column) {
  for (const HeadingGroup& group : groups_) {
    if (column <= group.first || column > group.last) continue;
    SelectColumnPen(column);
    const int at = lefts[static_cast<std::size_t>(column)];
    MoveToEx(g_PrinterDc, at, originY + gap + descent + height, nullptr);
    LineTo(g_PrinterDc, at, pageRowsBottom);
    return;
  }
  PrintTable::PrintColumnRule(column);
}

std::string ResultPrintTable::HeadingText(int column, int line) { return table_.HeadingText(column, line); }
std::string ResultPrintTable::CellText(int row, int column, int line) { return table_.CellText(row, column, line); }

void ResultPrintTable::PrintCellCustom(int row, int column, int line, int& /*x*/, int& /*y*/, std::string& /*text*/) {
  if (flagged && flagged(row, column, line)) TablePrintCellInverse(*this, row, column, line);
}

void PrintResultGrid(ResultPrintTable& grid, const std::string& section, const std::string& title, int rows) {
  if (!section.empty()) BeginReportSection(section, 0);
  TablePrint(grid, title, rows);
}

void WriteCsvCells(const std::vector<std::string>& cells) {
  g_LineText.clear();
  for (const std::string& cell : cells) ReportPutCell(cell);
  if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  ReportNewLine();
}
