// The printed node list, "Coordinates": on the printer the list as a ruled
// grid; in a text report a title centred between columns 6 and 78 and a
// heading repeated on every page, one node a line; in a comma-separated
// report a title line, a heading line and one line per node.
#include <algorithm>
#include <string>

#include "editing/NodeList.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kNodeColumns = 4;
const int kTextColumns[kNodeColumns] = {6, 15, 28, 41};

std::string AxisHeading(const char* axis) { return std::string(axis) + " " + UnitLabel(kUnitLength); }

class NodeListPrintTable : public PrintTable {
 public:
  void DefineColumns() override {
    const Model& model = TheModel();
    SetColumns(kNodeColumns);
    for (int column = 1; column <= kNodeColumns; ++column) {
      int width = TextWidth(TheNodeList().HeadingText(column, 0));
      for (int index = 1; index <= model.nodes.count; ++index)
        width = std::max(width, TextWidth(NodeListCellText(model, index, column)));
      widths[static_cast<std::size_t>(column)] = width;
    }
    const int shared = std::max({widths[2], widths[3], widths[4]});
    widths[2] = widths[3] = widths[4] = shared;
  }
  std::string HeadingText(int column, int line) override { return TheNodeList().HeadingText(column, line); }
  std::string CellText(int row, int column, int /*line*/) override {
    return NodeListCellText(TheModel(), row, column);
  }
};

void TextHeading() {
  ReportPutCentred("Coordinates", 6, 78);
  ReportNewLine();
  ReportPutText("Node", kTextColumns[0]);
  ReportPutText(AxisHeading("X"), kTextColumns[1]);
  ReportPutText(AxisHeading("Y"), kTextColumns[2]);
  ReportPutText(AxisHeading("Z"), kTextColumns[3]);
  ReportNewLine();
  ReportRule();
}

}  // namespace

void PrintNodeList() {
  const Model& model = TheModel();
  if (model.nodes.count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection("Coordinates", 0);
    NodeListPrintTable table;
    TablePrint(table, "Coordinates", model.nodes.count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Coordinates");
    ReportNewLine();
    g_LineText = "Node,";
    for (const char* axis : {"X", "Y", "Z"}) ReportPutCell(AxisHeading(axis));
    ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
    ReportNewLine();
    for (int index = 1; index <= model.nodes.count; ++index) {
      g_LineText.clear();
      for (int column = 1; column <= kNodeColumns; ++column) ReportPutCell(NodeListCellText(model, index, column));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
    }
    return;
  }
  if (ReportLinesLeft() < 5) ReportNewPage();
  ReportSetTitle("Coordinates");
  for (int index = 1; index <= model.nodes.count; ++index) {
    if (index == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    for (int column = 1; column <= kNodeColumns; ++column)
      ReportPutText(NodeListCellText(model, index, column), kTextColumns[column - 1]);
    ReportNewLine();
  }
  ReportRule();
}

void NodeListTable::WriteText() { PrintNodeList(); }
