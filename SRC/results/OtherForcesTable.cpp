// The other forces table; see OtherForcesTable.h.
#include "results/OtherForcesTable.h"

#include <algorithm>
#include <array>
#include <string>

#include "graphics/Highlight.h"
#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "results/ElementForceRows.h"
#include "results/ElementForceValues.h"
#include "results/OtherSelectors.h"
#include "results/ResultBlocks.h"
#include "results/ResultCases.h"
#include "results/ResultNavigation.h"
#include "results/ResultPrint.h"
#include "results/ResultsFile.h"
#include "results/TextMeasure.h"
#include "shell/TableViews.h"
#include "shell/TableWindow.h"
#include "shell/Units.h"

namespace {

constexpr int kColumns = 8;
constexpr const char* kLocalNames[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
constexpr const char* kGlobalNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

int OtherCount() { return static_cast<int>(TheResults().otherElements.size()); }
std::string Axes() { return g_ShowGlobalForces ? "global" : "local"; }
const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }

class OtherForcesTableWindow : public ResultTableWindow {
 public:
  OtherForcesTableWindow() {
    linesPerRow = 2;
    nodePair = true;
  }

  int ElementOfRow(int row) const {
    const auto& others = TheResults().otherElements;
    return row >= 1 && row <= static_cast<int>(others.size()) ? others[static_cast<std::size_t>(row) - 1] : 0;
  }
  void Load() {
    LoadCaseElementForces();
    cachedElement_ = 0;
    ShowResultsTitle("Other forces in " + Axes() + " coordinates");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "Other forces"; }
  // Measured in both axes; the value columns take the wider measure, all
  // six alike, so switching the axes keeps them.
  void DefineColumns() override { widths = BothModeWidths(ScreenTextWidth(*this)); }
  std::vector<int> BothModeWidths(const TextWidthFunction& width) {
    const bool global = g_ShowGlobalForces;
    g_ShowGlobalForces = false;
    cachedElement_ = 0;
    std::vector<int> local = MeasureTableColumns(*this, rowCount, width);
    g_ShowGlobalForces = true;
    cachedElement_ = 0;
    std::vector<int> measured = MeasureTableColumns(*this, rowCount, width);
    g_ShowGlobalForces = global;
    cachedElement_ = 0;
    for (std::size_t c = 1; c < measured.size() && c < local.size(); ++c) measured[c] = std::max(measured[c], local[c]);
    SpreadMaxWidth(measured, 3, 8);
    return measured;
  }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 1 ? "Node" : "";
    if (column == 2) return line == 1 ? "Type" : "";
    if (column < 3 || column > kColumns) return {};
    if (line == 0) return (g_ShowGlobalForces ? kGlobalNames : kLocalNames)[column - 3];
    return UnitLabel(column <= 5 ? kUnitForce : kUnitMoment);
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size()) || line < 0 || line > 1) return {};
    const AnalysisElement& element = ElementAt(e);
    if (column == 1) return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
    if (column == 2) return line == 0 ? ElementTypeMessageName(static_cast<ElementType>(element.kind)) : "";
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (!g_ShowGlobalForces) return FormatLocalForce(record, column, line, 3);
    if (cachedElement_ != e || cachedCase_ != g_ResultCase) {
      global_ = ElementGlobalForces(e);
      cachedElement_ = e;
      cachedCase_ = g_ResultCase;
    }
    return FormatPipeForce(global_, column, line, 1, IsDynamicLoadCase());
  }
  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override {
    from = to = 0;
    if (const int e = ElementOfRow(row)) {
      from = TheModel().nodes[ElementAt(e).node1].id;
      to = TheModel().nodes[ElementAt(e).node2].id;
    }
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (const int e = ElementOfRow(currentRow)) HighlightElementRow(ElementAt(e).row);
  }
  void Prepare() override {
    cachedElement_ = 0;
    AddForceNavigationMenu(MultipleForceKinds());
  }
  void Close() override {
    HideHighlight();
    RemoveForceNavigationMenu();
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    if (MultipleForceKinds()) {
      AppendMenu(popup, MF_STRING, 287, "&Other forces...");
      AppendMenu(popup, MF_STRING, 330, "Next force");
      AppendMenu(popup, MF_STRING, 331, "Previous force");
    }
    AppendMenu(popup, MF_STRING, 288, g_ShowGlobalForces ? "Local &forces" : "Global &forces");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    if (TheResultCases().count > 1) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintOtherForces(); }

 private:
  int cachedElement_ = 0;
  int cachedCase_ = 0;
  std::array<double, 12> global_{};
};

OtherForcesTableWindow& TheTable() {
  static OtherForcesTableWindow table;
  return table;
}

std::string PageTitle() { return CurrentCaseTitle() + ": Other forces (" + Axes() + " coordinates)"; }

void TextHeading() {
  ReportPutCentred("Other forces in " + Axes() + " coordinates: " + CurrentCaseTitle(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText(g_ShowGlobalForces ? "FX      FY      FZ        MX       MY        MZ"
                                   : "fx      fy      fz        mx       my        mz",
                25);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutText("Type", 16);
  for (const auto& [a, b] : {std::pair{24, 27}, {32, 35}, {40, 43}}) ReportPutCentred(UnitLabel(kUnitForce), a, b);
  for (const auto& [a, b] : {std::pair{49, 55}, {58, 64}, {68, 74}}) ReportPutCentred(UnitLabel(kUnitMoment), a, b);
  ReportNewLine();
  ReportRule();
}

void CsvHeading() {
  ReportAppendLine(CsvQuoted(PageTitle()));
  ReportNewLine();
  ReportAppendLine(g_ShowGlobalForces ? "Node,Type,FX,FY,FZ,MX,MY,MZ" : "Node,Type,fx,fy,fz,mx,my,mz");
  ReportNewLine();
  std::vector<std::string> units{"", ""};
  for (int i = 0; i < 6; ++i) units.push_back(UnitLabel(i < 3 ? kUnitForce : kUnitMoment));
  WriteCsvCells(units);
}

void LocalTextRow(OtherForcesTableWindow& t, int row) {
  static constexpr int kEnds[6] = {27, 35, 43, 53, 63, 73};
  for (int line = 0; line < 2; ++line) {
    ReportPutText(t.CellText(row, 1, line), 6);
    if (line == 0) ReportPutText(t.CellText(row, 2, 0), 16);
    for (int c = 3; c <= kColumns; ++c) ReportPutTextRight(t.CellText(row, c, line), kEnds[c - 3]);
    ReportNewLine();
  }
  ReportNewLine();
}

void LocalCsvRow(OtherForcesTableWindow& t, int row) {
  for (int line = 0; line < 2; ++line) {
    std::vector<std::string> cells;
    for (int c = 1; c <= kColumns; ++c) cells.push_back(t.CellText(row, c, line));
    WriteCsvCells(cells);
  }
}

}  // namespace

void OpenOtherForcesElementTable() {
  const int rows = OtherCount();
  if (rows == 0) return;
  EnterForceKind(OpenOtherForcesElementTable);
  OtherForcesTableWindow& table = TheTable();
  if (!BindResultsTable(table, kColumns, 2)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

ResultTableWindow& OtherForcesTable() { return TheTable(); }
void RegisterOtherForcesTable() { RegisterResultTableView(TheTable()); }

void PrintOtherForces() {
  const int rows = OtherCount();
  if (rows == 0) return;
  LoadCaseElementForces();
  OtherForcesTableWindow& t = TheTable();
  t.rowCount = rows;
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(t, rows);
    grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 3, 8); };
    PrintResultGrid(grid, "Other forces (" + Axes() + " coordinates)",
                    "Other forces in " + Axes() + " coordinates: " + CurrentCaseTitle(), rows);
    return;
  }
  const bool global = g_ShowGlobalForces;
  if (g_ReportToFile) {
    CsvHeading();
    for (int row = 1; row <= rows; ++row) {
      if (global) WriteGlobalForceCsvRow(t.ElementOfRow(row), true);
      else LocalCsvRow(t, row);
    }
    return;
  }
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(PageTitle());
  for (int row = 1; row <= rows; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    if (global) WriteGlobalForceTextRow(t.ElementOfRow(row), true);
    else LocalTextRow(t, row);
    if (row < rows && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}
