// The printed Layout: the "Layout" section of the model report on the
// current report road. On the printer it is the Layout table as a ruled
// grid (Comment and Hydrotest load rows across the whole width); in a text
// report one line per row under a heading block repeated on every page; in
// a comma-separated report a heading line and one line per row.
//
// The Layout table window prints this section too (its print operation).
#include <algorithm>
#include <string>

#include "editing/LayoutTable.h"
#include "editing/RowText.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/NameTables.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

bool IsWideRow(const LayoutRow& row) {
  return row.elementType == ElementType::Comment || row.elementType == ElementType::HydrotestLoad;
}

class LayoutPrintTable : public PrintTable {
 public:
  LayoutPrintTable() {
    rowNumbers = true;
    wideRows = true;
  }
  void DefineColumns() override {
    const Model& model = TheModel();
    SetColumns(kLayoutColumns);
    for (int column = 1; column <= kLayoutColumns; ++column) {
      int width = TextWidth(HeadingText(column, 0));
      for (int row = 1; row <= model.rowCount; ++row)
        if (!::IsWideRow(model.row(row))) width = std::max(width, TextWidth(LayoutRowCellText(model, row, column)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int line) override { return TheLayoutTable().HeadingText(column, line); }
  std::string CellText(int row, int column, int /*line*/) override {
    return LayoutRowCellText(TheModel(), row, column);
  }
  bool IsWideRow(int row) override { return ::IsWideRow(TheModel().row(row)); }
};

std::string LengthHeading(const char* axis) { return std::string(axis) + " " + UnitLabel(kUnitLength); }

// A length heading in its ten columns of the text report. The longest
// unit label ("(ft'in\")") would run into the next heading with the blank
// before it, so that blank goes when the heading would not fit.
std::string TextLengthHeading(const char* axis) {
  std::string heading = LengthHeading(axis);
  if (heading.size() > 10) heading = std::string(axis) + UnitLabel(kUnitLength);
  return heading;
}

void TextHeadingBlock() {
  ReportPutText("#", 5);
  ReportPutText("Node", 8);
  ReportPutText("Type", 14);
  ReportPutCentred(TextLengthHeading("DX"), 21, 30);
  ReportPutCentred(TextLengthHeading("DY"), 32, 41);
  ReportPutCentred(TextLengthHeading("DZ"), 43, 52);
  ReportPutText("Mat", 55);
  ReportPutText("Sec", 61);
  ReportPutText("Load", 67);
  ReportPutText("Data", 74);
  ReportNewLine();
  ReportRule();
}

void PutIfSet(const std::string& text, int column) {
  if (!text.empty()) ReportPutText(text, column);
}

}  // namespace

void PrintLayoutRowLine(int number) {
  const Model& model = TheModel();
  const LayoutRow& row = model.row(number);
  if (IsWideRow(row)) {
    // A comment is one cell however many commas it holds.
    const std::string text = LayoutRowElementText(row);
    ReportPutText(g_ReportToFile ? CsvQuoted(text) : text, 7);
    return;
  }
  const std::string node = NodeNumberText(row.node);
  const std::string type = ElementTypeName(static_cast<int>(row.elementType));
  const std::string data = LayoutRowCellText(model, number, 9);
  const bool location = row.elementType == ElementType::Location;
  if (g_ReportToFile) {
    g_LineText.clear();
    ReportPutCell(node);
    ReportPutCell(type);
    if (location) {
      g_LineText += ",,,,,";
    } else {
      for (float value : {row.dx, row.dy, row.dz}) ReportPutCell(FormatLength(value));
      for (const std::string* name : {&row.material, &row.section, &row.load}) ReportPutCell(*name);
    }
    ReportPutCell(data);
    ReportPutText(g_LineText.substr(0, g_LineText.size() - 1), 7);
    return;
  }
  ReportPutTextRight(node, row.node >= 100001 ? 12 : 11);
  ReportPutText(type, 13);
  if (!location) {
    const float offsets[] = {row.dx, row.dy, row.dz};
    const int columns[] = {22, 33, 44};
    for (int i = 0; i < 3; ++i)
      if (offsets[i] != 0.0f) ReportPutText(FormatLength(offsets[i]), columns[i]);
    PutIfSet(row.material, 55);
    PutIfSet(row.section, 61);
    PutIfSet(row.load, 67);
  }
  if (row.dataType != DataType::None) ReportPutText(data, 74);
}

void PrintLayout() {
  const Model& model = TheModel();
  if (model.rowCount == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Layout", 0);
    LayoutPrintTable table;
    TablePrint(table, "Layout", model.rowCount);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Layout");
    ReportNewLine();
    ReportRule();
    ReportAppendLine("#,Node,Type," + CsvQuoted(LengthHeading("DX")) + "," + CsvQuoted(LengthHeading("DY")) + "," +
                     CsvQuoted(LengthHeading("DZ")) + ",Material,Section,Load,Data");
    ReportNewLine();
    ReportRule();
    for (int number = 1; number <= model.rowCount; ++number) {
      ReportPutTextRight(std::to_string(number), 5);
      PrintLayoutRowLine(number);
      ReportNewLine();
    }
    ReportRule();
    return;
  }
  if (ReportLinesLeft() < 5) ReportNewPage();
  ReportSetTitle("Layout");
  for (int number = 1; number <= model.rowCount; ++number) {
    if (number == 1 || g_ReportLine == kReportBodyLine) TextHeadingBlock();
    ReportPutTextRight(std::to_string(number), 5);
    PrintLayoutRowLine(number);
    ReportNewLine();
  }
  ReportRule();
}

void LayoutTable::WriteText() { PrintLayout(); }
