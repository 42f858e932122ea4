// The "Details" block of printed sections; see RowDetails.h.
#include "printing/RowDetails.h"

#include <algorithm>
#include <utility>

#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "printing/ReportOutput.h"
#include "services/ProgramCommands.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

// The lines a block needs besides its heading: the title, two rules and
// the line after the last row.
constexpr int kBlockFrameLines = 3;

std::string NodeOfRow(int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return {};
  return NodeNumberText(model.row(row).node);
}

std::string FromNodeOfRow(int row) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return {};
  const int previous = PreviousElementRow(model, row);
  return previous != 0 ? NodeNumberText(model.row(previous).node) : std::string();
}

// A node in its column on the text road; a cell in a comma-separated
// report.
void PutNode(const std::string& node, int column) {
  if (g_ReportToFile)
    ReportPutCell(node);
  else
    ReportPutText(node, column);
}

void PutRowNodes(const DetailsRequest& request, int row) {
  if (request.rowKind == kDetailsDataRows) {
    PutNode(NodeOfRow(row), 6);
    return;
  }
  const auto type = static_cast<ElementType>(request.typeCode);
  if (type == ElementType::Bend || type == ElementType::Miter) {
    PutNode(NodeOfRow(row), 6);
    return;
  }
  PutNode(FromNodeOfRow(row), 6);
  PutNode(NodeOfRow(row), type == ElementType::Elastic ? 12 : 13);
}

bool (*g_RowDetailsWriter)(int rowKind, int typeCode, int row) = nullptr;

// The details text of one row by the request's routine, or by the row's
// kind; nothing for a row without the element or data item the request
// lists.
void PutRowDetailsText(const DetailsRequest& request, int row) {
  const Model& model = TheModel();
  if (request.putText == nullptr) {
    if (g_RowDetailsWriter != nullptr) g_RowDetailsWriter(request.rowKind, request.typeCode, row);
    return;
  }
  if (row < 1 || row > model.rowCount) return;
  const LayoutRow& layoutRow = model.row(row);
  const bool present = request.rowKind == kDetailsDataRows ? layoutRow.item != nullptr : layoutRow.element != nullptr;
  if (present) request.putText(row);
}

}  // namespace

void SetRowDetailsWriter(bool (*writer)(int rowKind, int typeCode, int row)) { g_RowDetailsWriter = writer; }

DetailsRequest InitDetailsRequest(int rowKind, int typeCode, const std::string& title,
                                  std::vector<DetailsHeading> headings, int headingLines,
                                  std::vector<DetailsUnit> units, std::vector<int> rows, int linesPerRow) {
  DetailsRequest request;
  request.rowKind = rowKind;
  request.typeCode = typeCode;
  request.title = title;
  request.headings = std::move(headings);
  request.headingLines = headingLines;
  request.units = std::move(units);
  request.rows = std::move(rows);
  request.linesPerRow = linesPerRow < 1 ? 1 : linesPerRow;
  return request;
}

void EndRowDetailsLine() {
  if (!g_ReportToFile) return;
  if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  g_LineText.clear();
}

void PrintDetailsHeading(const DetailsRequest& request) {
  if (g_ReportToFile)
    ReportAppendLine(request.title);
  else
    ReportPutTextCentredLine(request.title);
  ReportNewLine();
  ReportRule();
  if (g_ReportToFile) {
    for (const std::string& line : request.csvHeadings) {
      ReportAppendLine(line);
      ReportNewLine();
    }
  } else {
    for (const DetailsHeading& heading : request.headings)
      ReportPutTextAtLine(heading.text, g_ReportLine + heading.line - 1, heading.column);
    for (const DetailsUnit& unit : request.units)
      ReportPutCentredAtLine(UnitLabel(unit.unitKind), g_ReportLine + unit.line - 1, unit.firstColumn,
                             unit.lastColumn);
    for (int line = 0; line <= request.headingLines; ++line) ReportNewLine();
  }
  ReportRule();
}

void PrintRowDetails(const DetailsRequest& request) {
  if (request.rows.empty()) return;
  if (ReportLinesLeft() >= request.headingLines + request.linesPerRow + kBlockFrameLines)
    PrintDetailsHeading(request);
  else
    ReportNewPage();
  if (ProgramCommands().inResultsMode()) ReportSetTitle("Details: " + request.title);
  const std::size_t count = request.rows.size();
  for (std::size_t i = 0; i < count; ++i) {
    const int row = request.rows[i];
    // A page begun on the text road, by the fit check above or by the
    // rows before, opens with the heading.
    if (!g_ReportToFile && g_ReportLine == kReportBodyLine) PrintDetailsHeading(request);
    g_LineText.clear();
    PutRowNodes(request, row);
    PutRowDetailsText(request, row);
    EndRowDetailsLine();
    ReportNewLine();
    const bool last = i + 1 == count;
    if (!last && request.linesPerRow >= 2 && ReportLinesLeft() < request.linesPerRow) ReportNewPage();
  }
  ReportRule();
}

void PutDescribedAfterNode(const std::string& described, const std::string& node) {
  if (g_ReportToFile) return;
  const std::size_t after = std::min(described.size(), 5 + node.size());
  const std::size_t first = described.find_first_not_of(' ', after);
  if (first == std::string::npos) return;
  ReportPutText(described.substr(first), static_cast<int>(first) + 1);
}

void PutDescribedAfterToNode(const std::string& described, const std::string& toNode, int toColumn) {
  if (g_ReportToFile) return;
  const std::size_t after = std::min(described.size(), static_cast<std::size_t>(toColumn - 1) + toNode.size());
  const std::size_t first = described.find_first_not_of(' ', after);
  if (first == std::string::npos) return;
  ReportPutText(described.substr(first), static_cast<int>(first) + 1);
}

std::string CsvUnitCells(std::initializer_list<int> unitKinds) {
  std::string saved = std::move(g_LineText);
  g_LineText.clear();
  for (int unit : unitKinds) ReportPutUnits(unit);
  std::string cells = std::move(g_LineText);
  g_LineText = std::move(saved);
  return cells;
}

std::string CsvCellsLine(std::string cells) {
  if (!cells.empty() && cells.back() == ',') cells.pop_back();
  return cells;
}

