// The forces list and its printed section; see ForceList.h.
#include "loads/ForceList.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "kindbase/KindList.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/ReportMode.h"
#include "services/Units.h"

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

void NodalForceDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeNodalForce(row), NodeNumberText(TheModel().row(row).node));
    return;
  }
  const NodalForce& force = ForceOfRow(row);
  for (int i = 0; i < 6; ++i) ReportPutCell(ComponentText(force, i));
  ReportPutCell(AddedToText(force.AddedTo));
}

void PrintForcesTable() {
  KindListPrintTable table(TheForcesList());
  std::vector<DetailsHeading> headings;
  std::vector<DetailsUnit> units;
  for (int i = 0; i < 6; ++i) {
    headings.push_back({kHeadings[i + 2], 1, kTextHeadingColumns[i]});
    units.push_back({i < 3 ? kUnitForce : kUnitMoment, 2, kTextUnitFirst[i], kTextUnitFirst[i] + 9});
  }
  headings.push_back({"Added", 1, kTextAddedToColumn});
  headings.push_back({"Node", 2, 6});
  headings.push_back({"to", 2, kTextAddedToColumn});
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Force),
                                              TheForcesList().title, std::move(headings), 1, std::move(units), {}, 1);
  request.putText = NodalForceDetailsText;
  std::string unitLine = "Node";
  for (int i = 0; i < 6; ++i) unitLine += std::string(",") + ComponentUnit(i);
  request.csvHeadings = {unitLine + ",Added to", ",FX,FY,FZ,MX,MY,MZ"};
  PrintKindDetailsSection(TheForcesList(), table, std::move(request));
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
