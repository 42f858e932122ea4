// The beam forces table; see BeamForcesTable.h.
#include "results/BeamForcesTable.h"

#include <array>
#include <string>

#include "graphics/Highlight.h"
#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
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

constexpr int kColumns = 7;
constexpr const char* kLocalNames[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
constexpr const char* kGlobalNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

int BeamCount() { return static_cast<int>(TheResults().beamElements.size()); }

std::string Axes() { return g_ShowGlobalForces ? "global" : "local"; }

class BeamForcesTableWindow : public ResultTableWindow {
 public:
  BeamForcesTableWindow() {
    linesPerRow = 2;
    nodePair = true;
  }

  int ElementOfRow(int row) const {
    const auto& beams = TheResults().beamElements;
    return row >= 1 && row <= static_cast<int>(beams.size()) ? beams[static_cast<std::size_t>(row) - 1] : 0;
  }

  void Load() {
    LoadCaseElementForces();
    ShowResultsTitle("Beam forces in " + Axes() + " coordinates");
  }
  void Reload() override {
    cachedElement_ = 0;
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "Beam forces"; }
  // The wider of the local and the global measure, so that switching the
  // mode keeps the columns.
  void DefineColumns() override {
    const bool global = g_ShowGlobalForces;
    g_ShowGlobalForces = false;
    cachedElement_ = 0;
    std::vector<int> local = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    g_ShowGlobalForces = true;
    cachedElement_ = 0;
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    g_ShowGlobalForces = global;
    cachedElement_ = 0;
    for (std::size_t c = 1; c < widths.size() && c < local.size(); ++c) widths[c] = std::max(widths[c], local[c]);
    SpreadMaxWidth(widths, 2, 7);
  }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 0 ? "" : "Node";
    if (column < 2 || column > kColumns) return {};
    if (line == 0) return (g_ShowGlobalForces ? kGlobalNames : kLocalNames)[column - 2];
    return UnitLabel(column <= 4 ? kUnitForce : kUnitMoment);
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size())) return {};
    const AnalysisElement& element = TheResults().elements[static_cast<std::size_t>(e)];
    if (column == 1) return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (!g_ShowGlobalForces) return FormatLocalForce(record, column, line, 2);
    if (cachedElement_ != e || cachedCase_ != g_ResultCase) {
      global_ = PipeForceValues(TheModel(), element, record);
      cachedElement_ = e;
      cachedCase_ = g_ResultCase;
    }
    return FormatPipeForce(global_, column, line, 0, IsDynamicLoadCase());
  }
  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override {
    from = to = 0;
    const int e = ElementOfRow(row);
    if (e == 0) return;
    const AnalysisElement& element = TheResults().elements[static_cast<std::size_t>(e)];
    from = TheModel().nodes[element.node1].id;
    to = TheModel().nodes[element.node2].id;
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    const int e = ElementOfRow(currentRow);
    if (e != 0) HighlightElementRow(TheResults().elements[static_cast<std::size_t>(e)].row);
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
  void WriteText() override { PrintBeamForces(); }

 private:
  int cachedElement_ = 0;
  int cachedCase_ = 0;
  std::array<double, 12> global_{};
};

BeamForcesTableWindow& TheTable() {
  static BeamForcesTableWindow table;
  return table;
}

// The six values of one end in the text report's columns.
void PutValues(BeamForcesTableWindow& t, int row, int line, int first, int step) {
  for (int c = 2; c <= kColumns; ++c) ReportPutTextRight(t.CellText(row, c, line), first + step * (c - 2) + (c >= 5 ? 2 : 0));
}

void WriteTextReport(BeamForcesTableWindow& t, int rows) {
  const std::string caseTitle = CurrentCaseTitle();
  const bool global = g_ShowGlobalForces;
  const std::string title = "Beam forces in " + Axes() + " coordinates: " + caseTitle;
  const int nodeColumn = global ? 4 : 6;
  auto heading = [&] {
    ReportPutCentred(title, global ? 4 : 6, 78);
    ReportNewLine();
    ReportRule();
    if (!global) {
      ReportPutText("fx      fy      fz       mx       my       mz", 16);
      ReportNewLine();
      ReportPutText("Node", 6);
      for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(UnitLabel(kUnitForce), a, b);
      for (const auto& [a, b] : {std::pair{39, 45}, {48, 54}, {57, 63}}) ReportPutCentred(UnitLabel(kUnitMoment), a, b);
    } else {
      ReportPutText("Node", 5);
      const int spans[6][2] = {{13, 19}, {23, 29}, {33, 39}, {44, 52}, {56, 64}, {68, 76}};
      for (int i = 0; i < 6; ++i)
        ReportPutCentred(std::string(kGlobalNames[i]) + " " + UnitLabel(i < 3 ? kUnitForce : kUnitMoment), spans[i][0],
                         spans[i][1]);
    }
    ReportNewLine();
    ReportRule();
  };
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(caseTitle + (global ? ": Beam forces in global coordinates" : ": Beam forces (local)"));
  heading();
  for (int row = 1; row <= rows; ++row) {
    if (ReportLinesLeft() < 3) ReportNewPage();
    if (g_ReportLine == kReportBodyLine) heading();
    for (int line = 0; line < 2; ++line) {
      ReportPutText(t.CellText(row, 1, line), nodeColumn);
      PutValues(t, row, line, global ? 19 : 18, global ? 11 : 8);
      ReportNewLine();
    }
    ReportNewLine();
  }
}

void WriteCsvReport(BeamForcesTableWindow& t, int rows) {
  const std::string caseTitle = CurrentCaseTitle();
  const bool global = g_ShowGlobalForces;
  ReportAppendLine(CsvQuoted(caseTitle + (global ? ": Beam forces in global coordinates" : ": Beam forces (local)")));
  ReportNewLine();
  ReportAppendLine(global ? "Node,FX,FY,FZ,MX,MY,MZ" : ",fx,fy,fz,mx,my,mz");
  ReportNewLine();
  std::vector<std::string> units{"Node"};
  for (int i = 0; i < 6; ++i) units.push_back(UnitLabel(i < 3 ? kUnitForce : kUnitMoment));
  WriteCsvCells(units);
  for (int row = 1; row <= rows; ++row)
    for (int line = 0; line < 2; ++line) {
      std::vector<std::string> cells;
      for (int c = 1; c <= kColumns; ++c) cells.push_back(t.CellText(row, c, line));
      WriteCsvCells(cells);
    }
}

}  // namespace

void OpenBeamForcesTable() {
  const int rows = BeamCount();
  if (rows == 0) return;
  EnterForceKind(OpenBeamForcesTable);
  BeamForcesTableWindow& table = TheTable();
  if (!BindResultsTable(table, kColumns, 2)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

ResultTableWindow& BeamForcesTable() { return TheTable(); }
void RegisterBeamForcesTable() { RegisterResultTableView(TheTable()); }

void PrintBeamForces() {
  const int rows = BeamCount();
  if (rows == 0) return;
  LoadCaseElementForces();
  BeamForcesTableWindow& table = TheTable();
  if (table.rowCount != rows) table.rowCount = rows;
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(table, rows);
    grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 7); };
    PrintResultGrid(grid, "Beam forces (" + Axes() + " coordinates)",
                    "Beam forces in " + Axes() + " coordinates: " + CurrentCaseTitle(), rows);
    return;
  }
  if (g_ReportToFile) WriteCsvReport(table, rows);
  else WriteTextReport(table, rows);
}
