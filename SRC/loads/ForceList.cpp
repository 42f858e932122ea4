// The forces list and its printed section; see ForceList.h.
#include "loads/ForceList.h"

#include <algorithm>

#include "elements/KindList.h"
#include "graphics/ReportOutput.h"
#include "loads/LoadsReport.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "shell/Units.h"

namespace {

constexpr int kColumns = 8;
constexpr const char* kHeadings[kColumns + 1] = {"", "Node", "FX", "FY", "FZ", "MX", "MY", "MZ", "Added to"};
// The text report: headings at these columns, the unit labels centred in
// the ranges below them, values with their decimal points at the points.
constexpr int kTextHeadingColumns[6] = {17, 28, 39, 50, 61, 72};
constexpr int kTextUnitFirst[6] = {13, 24, 35, 46, 57, 68};
constexpr int kTextPointColumns[6] = {19, 30, 41, 52, 63, 74};
constexpr int kTextAddedToColumn = 80;

const NodalForce& ForceOfRow(int row) { return static_cast<const NodalForce&>(*TheModel().row(row).item); }

const char* ComponentUnit(int index) { return UnitLabel(index < 3 ? kUnitForce : kUnitMoment); }

void TextHeading() {
  for (int i = 0; i < 6; ++i) ReportPutText(kHeadings[i + 2], kTextHeadingColumns[i]);
  ReportPutText("Added", kTextAddedToColumn);
  ReportNewLine();
  ReportPutText("Node", 6);
  for (int i = 0; i < 6; ++i) ReportPutCentred(ComponentUnit(i), kTextUnitFirst[i], kTextUnitFirst[i] + 9);
  ReportPutText("to", kTextAddedToColumn);
  ReportNewLine();
}

void TextLine(int row) { ReportAppendLine(DescribeNodalForce(row)); }

void CsvHeading() {
  std::string units = "Node";
  for (int i = 0; i < 6; ++i) units += std::string(",") + ComponentUnit(i);
  ReportAppendLine(units + ",Added to");
  ReportNewLine();
  ReportAppendLine(",FX,FY,FZ,MX,MY,MZ");
  ReportNewLine();
}

void CsvLine(int row) {
  const NodalForce& force = ForceOfRow(row);
  ReportPutCell(NodeNumberText(TheModel().row(row).node));
  for (int i = 0; i < 6; ++i) ReportPutCell(ComponentText(force, i));
  ReportPutCell(AddedToText(force.AddedTo));
}

ForcesList& TheForcesList() {
  static ForcesList list;
  return list;
}

}  // namespace

ForcesList::ForcesList() : KindListTable(DataType::Force, RowListKind::Forces, "Forces", "Force", kColumns, 2) {}

// The value columns share one width, the widest of them, so the six
// components stand in an even grid.
void ForcesList::DefineColumns() {
  KindListTable::DefineColumns();
  if (widths.size() <= static_cast<std::size_t>(kColumns)) return;
  const int widest = *std::max_element(widths.begin() + 2, widths.begin() + kColumns + 1);
  std::fill(widths.begin() + 2, widths.begin() + kColumns + 1, widest);
}

std::string ForcesList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kHeadings[column];
  return line == 1 && column >= 2 && column <= 7 ? ComponentUnit(column - 2) : "";
}

void ForcesList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void ForcesList::WriteText() { PrintForcesTable(); }

TableWindow& ForcesListTable() { return TheForcesList(); }

bool ForcesListOffered(const Model& model) { return model.lists[RowListKind::Forces].count > 0; }

void OpenForcesList() { TheForcesList().Open(OpenForcesList, nullptr); }

void PrintForcesTable() {
  KindListPrintTable table(TheForcesList());
  PrintKindSection(TheForcesList(), table, {TextHeading, TextLine, CsvHeading, CsvLine});
}

std::string DescribeNodalForce(int row) {
  const NodalForce& force = ForceOfRow(row);
  std::string line(kTextAddedToColumn + 8, ' ');
  auto put = [&line](const std::string& text, int column) { PutAtColumn(line, text, column); };
  put(NodeNumberText(TheModel().row(row).node), 6);
  for (int i = 0; i < 6; ++i) {
    const std::string text = ComponentText(force, i);
    if (text.empty()) continue;
    const std::size_t point = std::min(text.find('.'), text.size());
    put(text, std::max(kTextPointColumns[i] - static_cast<int>(point), kTextUnitFirst[i]));
  }
  put(AddedToText(force.AddedTo), kTextAddedToColumn);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
