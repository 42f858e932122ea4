// Printed table grids (see TablePrint.h): layout, the page loop and the
// page body, inverted cells and the table window's print to a file.
#include "printing/TablePrint.h"

#include <algorithm>

#include "model/Drawing2D.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "services/Assert.h"
#include "services/TableWindow.h"

namespace {

void Line(int x1, int y1, int x2, int y2) {
  MoveToEx(g_PrinterDc, x1, y1, nullptr);
  LineTo(g_PrinterDc, x2, y2);
}

void Fill(int left, int top, int right, int bottom, HBRUSH brush) {
  if (right <= left || bottom <= top) return;
  RECT rect{left, top, right, bottom};
  FillRect(g_PrinterDc, &rect, brush);
}

// The measures of the font the grid prints in: the page's report font, or
// the smaller one of a grid too wide for it.
void Measure(PrintTable& table) {
  TEXTMETRIC metrics{};
  GetTextMetrics(g_PrinterDc, &metrics);
  table.height = metrics.tmAscent - metrics.tmInternalLeading;
  table.descent = metrics.tmDescent;
  table.gap = table.height / 5;
  table.cellMargin = table.height / 3;
  table.lineWidth = std::max(1, GetDeviceCaps(g_PrinterDc, LOGPIXELSY) / 72);
}

// The columns are defined first: a table may set its heading lines and its
// lines per row there, and the heights follow from them.
void LayOut(PrintTable& table) {
  Measure(table);
  table.DefineColumns();
  const int g = table.gap, line = table.gap + table.descent + table.height;
  table.headingHeight = 0;
  if (table.headingLines > 0) {
    table.headingHeight = table.headingLines * line + 2 * g;
    if (table.gapAfterHeading1) table.headingHeight += 3 * g / 2;
    if (table.gapAfterHeading2) table.headingHeight += 3 * g / 2;
  }
  table.rowHeight = 3 * g + table.descent + table.height +
                    (table.linesPerRow - 1) * (2 * g + table.descent + table.height) - (table.linesPerRow > 1 ? g / 2 : 0);
  table.rowNumberWidth = 0;
  if (table.rowNumbers) {
    const char* digits = table.rowsToPrint > 999 ? "0000" : table.rowsToPrint > 99 ? "000" : "00";
    table.rowNumberWidth = PrintTable::TextWidth(digits) + 2 * table.cellMargin;
  }
  table.lefts.resize(static_cast<std::size_t>(table.columnCount) + 2, 0);
  table.widths.resize(static_cast<std::size_t>(table.columnCount) + 1, 0);
  // A grid wider than the page would lose its last columns past the page's
  // edge: its cell margins narrow (to a gap at the least) to keep them on it.
  int shown = 0, texts = 0;
  for (int column = 1; column <= table.columnCount; ++column) {
    const int width = table.widths[static_cast<std::size_t>(column)];
    if (width > 0) {
      ++shown;
      texts += width;
    }
  }
  const int room = PrinterPage().width - table.lineWidth - table.originX - table.rowNumberWidth - texts;
  if (shown > 0 && room < 2 * shown * table.cellMargin)
    table.cellMargin = std::max(std::min(table.gap, table.cellMargin), room / (2 * shown));
  table.lefts[1] = table.originX + table.rowNumberWidth;
  for (int column = 1; column <= table.columnCount; ++column) {
    int width = table.widths[static_cast<std::size_t>(column)];
    table.lefts[static_cast<std::size_t>(column) + 1] =
        table.lefts[static_cast<std::size_t>(column)] + (width > 0 ? width + 2 * table.cellMargin : 0);
  }
}

int GridRight(const PrintTable& table) { return table.lefts[static_cast<std::size_t>(table.columnCount) + 1]; }

bool FitsThePage(const PrintTable& table) { return GridRight(table) <= PrinterPage().width - table.lineWidth; }

// The font of the grid selected again after a page heading (which selects
// the page's report font).
void SelectGridFont(const PrintTable& table) {
  if (table.font != nullptr) SelectObject(g_PrinterDc, table.font);
}

// A grid that does not fit across the page even with narrow cell margins
// prints in a smaller font rather than losing its last columns past the
// page's edge: the report font scaled to the page, down to 5 points.
void FitToThePage(PrintTable& table) {
  const int pixelsPerInch = GetDeviceCaps(g_PrinterDc, LOGPIXELSY);
  const int smallest = 5 * pixelsPerInch / 72;
  LOGFONT font = TextPrinter().font;
  font.lfWidth = 0;
  int size = TextPrinter().fontSize * pixelsPerInch / 720;
  for (int attempt = 0; attempt < 4 && !FitsThePage(table) && size > smallest; ++attempt) {
    const double needed = GridRight(table) - table.originX;
    const double room = PrinterPage().width - table.lineWidth - table.originX;
    size = std::max(smallest, std::min(size - 1, static_cast<int>(size * room / needed)));
    font.lfHeight = -size;
    HFONT smaller = CreateFontIndirect(&font);
    if (smaller == nullptr) return;
    SelectObject(g_PrinterDc, smaller);
    if (table.font != nullptr) DeleteObject(table.font);
    table.font = smaller;
    LayOut(table);
  }
}

// The page's report font back, the grid's own font deleted.
void ReleaseGridFont(PrintTable& table) {
  if (table.font == nullptr) return;
  SelectObject(g_PrinterDc, PrinterObjects().font);
  DeleteObject(table.font);
  table.font = nullptr;
}

std::string TitleText(const PrintTable& table) {
  if (!table.countInTitle) return table.title;
  return table.title + " (" + std::to_string(table.rowsToPrint) + ")";
}

void TitleOrRule(PrintTable& table) {
  PrinterPageGeometry& page = PrinterPage();
  if (table.title.empty()) {
    SelectObject(g_PrinterDc, PrinterObjects().pointPen);
    Line(table.originX, page.y, table.rightEdge, page.y);
  } else {
    // The title bar is the page's, in the report font, whatever the grid's.
    SelectObject(g_PrinterDc, PrinterObjects().thinPen);
    SelectObject(g_PrinterDc, PrinterObjects().font);
    PrinterHeadingBar(TitleText(table));
    SelectGridFont(table);
  }
}

int HeadingBaseline(const PrintTable& table, int gridTop, int line) {
  const int g = table.gap;
  int y = gridTop + table.height + 2 * g + line * (g + table.descent + table.height);
  if (table.gapAfterHeading1) {
    if (line == 0) y -= g / 2;
    else if (line == 1) y += g;
    else y += 3 * g / 2;
  }
  if (table.gapAfterHeading2 && line >= 2) y += 3 * g / 2;
  return y;
}

void PrintRowNumber(const PrintTable& table, int row, int baseline) {
  std::string number = std::to_string(row);
  int right = table.lefts[1] - table.cellMargin;
  PrinterTextAtXY(right - PrintTable::TextWidth(number), baseline, number);
}

void PrintRow(PrintTable& table, int row, int rowTop) {
  const PrinterPageObjects& objects = PrinterObjects();
  const int g = table.gap;
  const int firstBaseline = rowTop + 2 * g + table.height;
  if (table.wideRows && table.IsWideRow(row)) {
    Fill(table.lefts[1] + table.lineWidth, rowTop + table.lineWidth, table.rightEdge - table.lineWidth,
         rowTop + table.rowHeight, objects.lightBrush);
    SelectObject(g_PrinterDc, objects.pointPen);
    Line(table.rightEdge, rowTop, table.rightEdge, rowTop + table.rowHeight);
    PrinterTextAtXY(table.lefts[1] + table.cellMargin, firstBaseline, table.CellText(row, 1, 0));
  } else {
    table.RowColour(row);
    for (int line = 0; line < table.linesPerRow; ++line) {
      table.BeforeRowLine(row, line);
      for (int column = 1; column <= table.columnCount; ++column) {
        if (table.widths[static_cast<std::size_t>(column)] <= 0) continue;
        std::string text = table.CellText(row, column, line);
        int x = table.lefts[static_cast<std::size_t>(column)] + table.cellMargin;
        int y = firstBaseline + line * (3 * g / 2 + table.descent + table.height);
        table.PrintCellCustom(row, column, line, x, y, text);
        if (!text.empty()) PrinterTextAtXY(x, y, text);
        SetTextColor(g_PrinterDc, RGB(0, 0, 0));
      }
    }
  }
  if (table.rowNumbers) PrintRowNumber(table, row, firstBaseline);
}

// One page of rows below the current y; returns the rows it printed.
int PrintPageBody(PrintTable& table) {
  const PrinterPageObjects& objects = PrinterObjects();
  PrinterPageGeometry& page = PrinterPage();
  const int gridTop = page.y;
  table.originY = gridTop;
  table.rowsPerPage = std::max(1, (page.bodyBottom - gridTop - table.headingHeight) / std::max(1, table.rowHeight));
  const int rows = std::min(table.rowsPerPage, table.rowsToPrint - table.firstRow);
  const int rowsTop = gridTop + table.headingHeight;
  table.pageRowsBottom = rowsTop + rows * table.rowHeight;
  const int inset = table.lineWidth;
  Fill(table.originX + inset, gridTop + inset, table.rightEdge - inset, rowsTop, objects.barBrush);
  if (table.rowNumbers)
    Fill(table.originX + inset, rowsTop, table.lefts[1] - inset, table.pageRowsBottom - inset, objects.barBrush);
  SelectObject(g_PrinterDc, objects.thinPen);
  for (int i = 1; i <= rows; ++i) Line(table.originX, rowsTop + i * table.rowHeight, table.rightEdge, rowsTop + i * table.rowHeight);
  for (int column = 2; column <= table.columnCount + 1; ++column)
    if (column == table.columnCount + 1 || table.widths[static_cast<std::size_t>(column)] > 0) table.PrintColumnRule(column);
  table.PrintExtra();
  for (int line = 0; line < table.headingLines; ++line) {
    int baseline = HeadingBaseline(table, gridTop, line);
    for (int column = 1; column <= table.columnCount; ++column) {
      if (table.widths[static_cast<std::size_t>(column)] <= 0) continue;
      std::string text = table.HeadingText(column, line);
      if (!text.empty()) PrinterTextAtXY(table.lefts[static_cast<std::size_t>(column)] + table.cellMargin, baseline, text);
    }
  }
  if (table.rowNumbers && table.headingLines > 0) {
    std::string mark = table.rowsToPrint < 100 ? "#" : " #";
    PrinterTextAtXY(table.originX + table.cellMargin, HeadingBaseline(table, gridTop, 0), mark);
  }
  for (int i = 0; i < rows; ++i) PrintRow(table, table.firstRow + i + 1, rowsTop + i * table.rowHeight);
  SelectObject(g_PrinterDc, objects.pointPen);
  if (table.headingLines > 0) Line(table.originX, rowsTop, table.rightEdge, rowsTop);
  if (table.rowNumbers) Line(table.lefts[1], gridTop, table.lefts[1], table.pageRowsBottom);
  Line(table.originX, gridTop, table.originX, table.pageRowsBottom);
  return rows;
}

}  // namespace

// A report that throws half-way leaves the grid's font selected.
PrintTable::~PrintTable() {
  if (font == nullptr) return;
  if (g_PrinterDc != nullptr) SelectObject(g_PrinterDc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

void PrintTable::SetColumns(int columns) {
  columnCount = columns;
  widths.assign(static_cast<std::size_t>(columns) + 1, 0);
  lefts.assign(static_cast<std::size_t>(columns) + 2, 0);
}

int PrintTable::TextWidth(const std::string& text) { return PrinterTextWidth(text); }

void PrintTable::SelectColumnPen(int /*column*/) { SelectObject(g_PrinterDc, PrinterObjects().thinPen); }

void PrintTable::PrintColumnRule(int column) {
  SelectColumnPen(column);
  int x = std::min(lefts[static_cast<std::size_t>(column)], rightEdge);
  Line(x, originY, x, pageRowsBottom);
}

void TablePrint(PrintTable& table, const std::string& title, int rows) {
  PrinterPageGeometry& page = PrinterPage();
  table.title = title;
  table.rowsToPrint = rows;
  table.firstRow = 0;
  table.originX = 0;
  SelectObject(g_PrinterDc, PrinterObjects().font);
  LayOut(table);
  FitToThePage(table);
  const int titleHeight = title.empty() ? 0 : page.barHeight;
  if (page.bodyBottom - page.y < table.headingHeight + table.rowHeight + titleHeight) {
    PrinterPageHeading();
    SelectGridFont(table);
    table.AfterPageHeading();
  }
  table.PrintHeading();
  table.rightEdge = table.lefts[static_cast<std::size_t>(table.columnCount) + 1];
  if (table.rightEdge > page.width) table.rightEdge = page.width - table.lineWidth;
  TitleOrRule(table);
  while (rows > 0) {
    int printed = PrintPageBody(table);
    if (table.firstRow + printed >= rows) break;
    PrinterPageHeading();
    SelectGridFont(table);
    table.AfterPageHeading();
    if (!title.empty()) TitleOrRule(table);
    table.firstRow += printed;
  }
  page.y = rows > 0 ? table.pageRowsBottom : page.y;
  SelectObject(g_PrinterDc, PrinterObjects().framePen);
  Line(0, page.y, page.width, page.y);
  ReleaseGridFont(table);
}

void TablePrintCellInverse(PrintTable& table, int row, int column, int line) {
  if (table.linesPerRow != 1 && table.linesPerRow != 2) QV_ASSERT(!"0");
  const int index = row - 1 - table.firstRow;
  const int rowTop = table.originY + table.headingHeight + index * table.rowHeight;
  int top = rowTop, bottom = rowTop + table.rowHeight;
  if (table.linesPerRow == 2) {
    int middle = rowTop + table.rowHeight / 2;
    if (line == 0) bottom = middle;
    else top = middle;
  }
  const int left = table.lefts[static_cast<std::size_t>(column)];
  const int right = table.lefts[static_cast<std::size_t>(column) + 1];
  Fill(left, top, right, bottom, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (index > 0 && line == 0) {
    SelectObject(g_PrinterDc, PrinterObjects().thinPen);
    Line(left, rowTop, right, rowTop);
  }
  if (table.leftRule) {
    table.PrintColumnRule(column);
    table.leftRule = false;
  }
  SetTextColor(g_PrinterDc, RGB(255, 255, 255));
}

int TableRowHeight(int kind) {
  const PrinterPageGeometry& page = PrinterPage();
  const int g = page.gap, d = page.descent, h = page.textHeight;
  if (kind == 1) return 5 * g / 2 + d + h;
  if (kind == 2) return 11 * g / 2 + 2 * (d + h);
  return 0;
}

void PrintTableWindowToFile(HWND window) {
  TableWindow* table = TableOfWindow(window);
  if (window == nullptr || !IsWindowVisible(window) || table == nullptr) return;
  HWND owner = table->frame != nullptr ? table->frame : window;
  if (!ReportPrintToFile(owner)) return;
  TableWindowPrint(window);
  ReportWrittenMessage(owner);
}
