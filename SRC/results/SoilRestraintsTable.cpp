// The Soil Restraints result table and its printing; see SoilRestraintsTable.h.
#include "results/SoilRestraintsTable.h"

#include <algorithm>
#include <vector>

#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "records/PipeSection.h"
#include "records/Soil.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 12;
constexpr int kHeadingLines = 3;
constexpr int kFirstValue = 5;

int RecordCount() { return static_cast<int>(TheResults().soil.size()) - 1; }

const SoilRestraintRecord* RecordAt(int row) {
  return row >= 1 && row <= RecordCount() ? &TheResults().soil[static_cast<std::size_t>(row)] : nullptr;
}

const AnalysisElement* ElementOf(const SoilRestraintRecord& record) {
  const auto& elements = TheResults().elements;
  if (record.element < 1 || record.element >= static_cast<int>(elements.size())) return nullptr;
  return &elements[static_cast<std::size_t>(record.element)];
}

// The soil of the element's section; null when the model no longer names it.
const Soil* SoilOf(const AnalysisElement& element) {
  const Model& model = TheModel();
  if (element.section < 1 || element.section > model.sections.count) return nullptr;
  const int soil = FindSoilByName(model.soils, model.sections[element.section].soil);
  return soil > 0 ? &model.soils[soil] : nullptr;
}

std::string NodeText(int nodeIndex) {
  const Model& model = TheModel();
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return {};
  return NodeNumberText(model.nodes[nodeIndex].id);
}

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

std::string ValueText(const SoilRestraintRecord& record, int column) {
  const float value = record.values[static_cast<std::size_t>(column - kFirstValue)];
  return Trimmed((column - kFirstValue) % 2 == 0 ? FormatStiffnessCompact(value) : FormatForceCompact(value));
}

const char* const kGroupNames[4] = {"Axial", "Transverse", "Vertical Down", "Vertical Up"};

std::vector<HeadingGroup> Groups() {
  std::vector<HeadingGroup> groups;
  for (int g = 0; g < 4; ++g) groups.push_back({kFirstValue + 2 * g, kFirstValue + 2 * g + 1, kGroupNames[g]});
  return groups;
}

std::string HeadingOf(int column, int line) {
  static const char* const kNames[4] = {"From", "To", "Name", "Type"};
  if (column < 1 || column > kColumns || line < 1 || line > 2) return {};
  if (column < kFirstValue) return line == 1 ? kNames[column - 1] : "";
  const bool stiffness = (column - kFirstValue) % 2 == 0;
  if (line == 1) return stiffness ? "Stiffness" : "Max Load";
  return UnitLabel(stiffness ? kUnitStiffness : kUnitForce);
}

// Columns 1 and 2 hold nodes alike: one width, the larger.
void EqualNodeColumns(std::vector<int>& widths) {
  if (widths.size() <= 2) return;
  widths[1] = widths[2] = std::max(widths[1], widths[2]);
}

class SoilRestraintsTable : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Soil restraints"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    EqualNodeColumns(widths);
  }
  std::string HeadingText(int column, int line) override { return HeadingOf(column, line); }
  std::string CellText(int row, int column, int /*line*/) override { return SoilRestraintCell(row, column); }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  std::int32_t RowNode(int row) override {
    const SoilRestraintRecord* record = RecordAt(row);
    const AnalysisElement* element = record != nullptr ? ElementOf(*record) : nullptr;
    return element != nullptr ? TheModel().row(element->row).node : 0;
  }
  void CurrentRowChanged() override {
    const SoilRestraintRecord* record = RecordAt(currentRow);
    if (const AnalysisElement* element = record != nullptr ? ElementOf(*record) : nullptr)
      HighlightElementRow(element->row);
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB)
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    else
      TableKeyDown(*this, key);
  }
  void Close() override { HideHighlight(); }
  void WriteText() override { PrintSoilRestraints(); }
};

SoilRestraintsTable& TheTable() {
  static SoilRestraintsTable table;
  static const bool registered = (RegisterResultTableView(table), true);
  static_cast<void>(registered);
  return table;
}

// --- the report file ---------------------------------------------------------------------

constexpr int kValueColumns[8] = {13, 22, 30, 39, 47, 56, 64, 73};

void TextHeadings() {
  ReportPutCentred("Soil restraints", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Axial", 18);
  ReportPutText("Transverse", 33);
  ReportPutText("Vertical Down", 48);
  ReportPutText("Vertical Up", 66);
  ReportNewLine();
  ReportPutText("From To   Stiffnes MaxLoad Stiffnes MaxLoad Stiffnes MaxLoad Stiffnes MaxLoad", 3);
  ReportNewLine();
  const std::string stiffness = ChosenUnit(kUnitStiffness) == 0 ? "(lb/in)" : UnitLabel(kUnitStiffness);
  for (int group = 0; group < 4; ++group) {
    ReportPutText(stiffness, kValueColumns[2 * group]);
    ReportPutText(UnitLabel(kUnitForce), kValueColumns[2 * group + 1]);
  }
  ReportNewLine();
  ReportRule();
}

void WriteText() {
  if (ReportLinesLeft() < 7)
    ReportNewPage();
  else
    TextHeadings();
  ReportSetTitle("Soil restraints");
  for (int row = 1; row <= RecordCount(); ++row) {
    if (g_ReportLine == kReportBodyLine) TextHeadings();
    ReportPutText(SoilRestraintCell(row, 1), 3);
    ReportPutText(SoilRestraintCell(row, 2), 8);
    for (int value = 0; value < 8; ++value) ReportPutText(SoilRestraintCell(row, kFirstValue + value), kValueColumns[value]);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void WriteCsv() {
  ReportAppendLine("Soil restraints");
  ReportNewLine();
  std::vector<std::string> groups(kColumns);
  for (const HeadingGroup& group : Groups()) groups[static_cast<std::size_t>(group.first - 1)] = group.text;
  WriteCsvCells(groups);
  std::vector<std::string> names;
  for (int column = 1; column <= kColumns; ++column) names.push_back(HeadingOf(column, 1));
  WriteCsvCells(names);
  std::vector<std::string> units;
  for (int column = 1; column <= kColumns; ++column) units.push_back(HeadingOf(column, 2));
  WriteCsvCells(units);
  for (int row = 1; row <= RecordCount(); ++row) {
    std::vector<std::string> cells;
    for (int column = 1; column <= kColumns; ++column) cells.push_back(SoilRestraintCell(row, column));
    WriteCsvCells(cells);
  }
}

}  // namespace

bool SoilRestraintsAvailable() { return RecordCount() > 0; }

std::string SoilRestraintCell(int row, int column) {
  const SoilRestraintRecord* record = RecordAt(row);
  const AnalysisElement* element = record != nullptr ? ElementOf(*record) : nullptr;
  if (element == nullptr) return {};
  switch (column) {
    case 1: return NodeText(element->node1);
    case 2: return NodeText(element->node2);
    case 3:
      return element->section >= 1 && element->section <= TheModel().sections.count
                 ? TheModel().sections[element->section].soil
                 : std::string();
    case 4: {
      const Soil* soil = SoilOf(*element);
      if (soil == nullptr) return {};
      return soil->type == kSoilCohesive ? "Cohesive" : "Cohesionless";
    }
    default: return column >= kFirstValue && column <= kColumns ? ValueText(*record, column) : std::string();
  }
}

void OpenSoilRestraintsTable() {
  const int rows = RecordCount();
  if (rows <= 0) return;
  SetResultsReopenCommand(OpenSoilRestraintsTable);
  SoilRestraintsTable& table = TheTable();
  if (!BindResultsTable(table, kColumns, kHeadingLines)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  table.currentRow = 0;
  FrameSetTitle(ResultsFrame(), "Soil Restraints");
  TableShowFocus(table);
}

void PrintSoilRestraints() {
  const int rows = RecordCount();
  if (rows <= 0) return;
  if (!g_ReportFileOpen) {
    SoilRestraintsTable table;
    TableSetColumns(table, nullptr, nullptr, kColumns, kHeadingLines, nullptr);
    ResultPrintTable grid(table, rows, Groups());
    grid.equalize = EqualNodeColumns;
    PrintResultGrid(grid, "", "Soil restraints", rows);
    return;
  }
  if (g_ReportToFile)
    WriteCsv();
  else
    WriteText();
}
