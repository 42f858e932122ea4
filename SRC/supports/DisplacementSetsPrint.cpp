// The "Specified Displacements" section of the model report (see
// DisplacementSets.h). On the printer it is the list as a grid, one line
// per set with a rule between the lines of an entry; on the file roads one
// block of detail lines per anchor or nozzle: a line per thermal set in
// use (written even without values in the text report) and a line for the
// seismic and the settlement set when they hold values.
#include <string>
#include <vector>

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "printing/TablePrint.h"
#include "services/ReportMode.h"
#include "services/Units.h"
#include "supports/DisplacementSets.h"

namespace {

constexpr int kColumns = 10;
constexpr int kLoadColumn = 3;
// Text columns: where each value ends (right-aligned).
constexpr int kValueEnds[6] = {31, 40, 49, 58, 67, 77};

const Model& M() { return TheModel(); }
const RowIndexList& Entries() { return M().lists[RowListKind::DisplacedAnchors]; }

class SpecifiedDisplacementsPrintTable : public PrintTable {
 public:
  void DefineColumns() override {
    SetColumns(kColumns);
    for (int column = 1; column <= kColumns; ++column)
      widths[static_cast<std::size_t>(column)] =
          SpecifiedDisplacementsColumnWidth(column, linesPerRow, [](const std::string& text) { return TextWidth(text); });
  }
  std::string HeadingText(int column, int /*line*/) override { return SpecifiedDisplacementsHeading(column); }
  std::string CellText(int row, int column, int line) override {
    return SpecifiedDisplacementsCellText(row, column, line);
  }
  // A rule between the lines of one entry, from the "Load" column on,
  // halfway between the line above's descent and this line's capitals.
  void BeforeRowLine(int row, int line) override {
    if (line == 0) return;
    const int rowTop = originY + headingHeight + (row - 1 - firstRow) * rowHeight;
    const int y = (Baseline(rowTop, line - 1) + descent + Baseline(rowTop, line) - height) / 2;
    SelectObject(g_PrinterDc, PrinterObjects().thinPen);
    MoveToEx(g_PrinterDc, lefts[kLoadColumn], y, nullptr);
    LineTo(g_PrinterDc, rightEdge, y);
  }
  // The texts from "Load" on sit a little lower between the rules.
  void PrintCellCustom(int /*row*/, int column, int line, int& /*x*/, int& y, std::string& /*text*/) override {
    if (column >= kLoadColumn && line > 0) y += line * gap / 4;
  }

 private:
  // The baseline of a line of the row, as the grid and the shift above place it.
  int Baseline(int rowTop, int line) const {
    return rowTop + 2 * gap + height + line * (3 * gap / 2 + descent + height) + line * gap / 4;
  }
};

bool Anchor(const LayoutRow& row) { return row.dataType == DataType::Anchor; }

// The values of one set on the current line: text right-aligned at their
// ends, comma-separated six cells; then, for an anchor, its axes.
void PutValues(const LayoutRow& row, int slot) {
  const SpecifiedDisplacements* displacements = RowDisplacements(row);
  const DisplacementSets* sets = displacements != nullptr ? displacements->sets.get() : nullptr;
  for (int value = 0; value < 6; ++value) {
    const float v = sets != nullptr ? sets->values[static_cast<std::size_t>(6 * slot + value + 1)] : 0.0f;
    const std::string text = v == 0.0f ? std::string()
                                       : (value < 3 ? std::string(FormatDisplacementOrNone(v)) : RotationText(v));
    if (g_ReportToFile)
      ReportPutCell(text);
    else if (!text.empty())
      ReportPutTextRight(text, kValueEnds[value]);
  }
  if (!Anchor(row)) return;
  const char* axes = RowDisplacementsInPipeLcs(row) ? "Pipe LCS" : "GCS";
  if (g_ReportToFile)
    ReportPutCell(axes);
  else
    ReportPutText(axes, 80);
}

std::string CsvHeading() {
  g_LineText = "Node,Type,Load,X/x,";
  ReportPutUnits(kUnitDisplacement);
  for (const char* heading : {"Y/y", "Z/z"}) {
    g_LineText += std::string(heading) + ",";
    ReportPutUnits(kUnitDisplacement);
  }
  for (const char* heading : {"XX/xx", "YY/yy", "ZZ/zz"}) {
    g_LineText += std::string(heading) + ",";
    ReportPutUnits(kUnitAngle);
  }
  g_LineText += "Disp. in";
  std::string heading = g_LineText;
  g_LineText.clear();
  return heading;
}

}  // namespace

void SpecifiedDisplacementsDetailsText(int rowNumber) {
  const LayoutRow& row = M().row(rowNumber);
  const SpecifiedDisplacements* displacements = RowDisplacements(row);
  if (displacements == nullptr) return;
  const DisplacementSetList& sets = BuildSpecDisplSets();
  const char* type = Anchor(row) ? "Anchor" : "Nozzle";
  bool first = true;
  for (const DisplacementSetEntry& set : sets.entries) {
    const bool thermal = set.slot < kSeismicSlot;
    const bool flagged = displacements->flags[static_cast<std::size_t>(set.slot)] != 0;
    // The seismic and settlement lines appear only with values.
    if (!thermal && !flagged) continue;
    if (!first) {
      EndRowDetailsLine();
      ReportNewLine();
    }
    if (first) {
      if (g_ReportToFile) {
        ReportPutCell(type);
        ReportPutCell(set.label);
      } else {
        ReportPutText(type, 12);
        ReportPutText(set.label, 20);
      }
    } else if (g_ReportToFile) {
      g_LineText = ",,";
      ReportPutCell(set.label);
    } else {
      ReportPutText(set.label, thermal ? 20 : 19);
    }
    if (flagged) PutValues(row, set.slot);
    first = false;
  }
}

void PrintSpecifiedDisplacements() {
  if (Entries().count == 0) return;
  BuildSpecDisplSets();
  const int lines = SpecifiedDisplacementSetCount();
  if (!g_ReportFileOpen) {
    BeginReportSection("Specified Displacements", 0);
    SpecifiedDisplacementsPrintTable table;
    table.linesPerRow = lines;
    TablePrint(table, "Specified Displacements", Entries().count);
    return;
  }
  ReportSetTitle("Specified Displacements");
  const char* headings[] = {"Node", "Type", "Load", "X/x", "Y/y", "Z/z", "XX/xx", "YY/yy", "ZZ/zz", "Disp. in"};
  const int columns[] = {6, 13, 19, 25, 34, 43, 52, 61, 71, 79};
  std::vector<DetailsHeading> placed;
  for (int i = 0; i < 10; ++i) placed.push_back({headings[i], 1, columns[i]});
  std::vector<DetailsUnit> units;
  for (int first : {26, 35, 44}) units.push_back({kUnitDisplacement, 2, first, first + 5});
  for (int first : {54, 63, 73}) units.push_back({kUnitAngle, 2, first, first + 4});
  std::vector<int> rows;
  for (int entry = 1; entry <= Entries().count; ++entry) rows.push_back(RowListEntry(Entries(), entry));
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, kSpecifiedDisplacementsDetails,
                                              "Specified Displacements", std::move(placed), 1, std::move(units),
                                              std::move(rows), lines);
  request.putText = SpecifiedDisplacementsDetailsText;
  request.csvHeadings = {CsvHeading()};
  PrintRowDetails(request);
}
