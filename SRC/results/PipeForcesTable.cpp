// The pipe forces table; see PipeForcesTable.h.
#include "results/PipeForcesTable.h"

#include <array>
#include <string>

#include "graphics/Highlight.h"
#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "results/ElementForceValues.h"
#include "results/OtherSelectors.h"
#include "results/ResultBlocks.h"
#include "results/ResultCases.h"
#include "results/ResultNavigation.h"
#include "results/ResultPrint.h"
#include "results/ResultsFile.h"
#include "results/TextMeasure.h"
#include "shell/StandIn.h"
#include "shell/TableViews.h"
#include "shell/TableWindow.h"
#include "shell/Units.h"

namespace {

constexpr int kColumns = 7;
constexpr const char* kLocalNames[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
constexpr const char* kGlobalNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

class PipeForcesTableWindow : public ResultTableWindow {
 public:
  PipeForcesTableWindow() {
    linesPerRow = 2;
    nodePair = true;
  }

  int ElementOfRow(int row) const {
    const auto& elements = TheResults().stressElements;
    return row >= 1 && row <= static_cast<int>(elements.size()) ? elements[static_cast<std::size_t>(row) - 1] : 0;
  }

  std::string Title() const {
    return std::string("Pipe forces in ") + (g_ShowGlobalForces ? "global" : "local") + " coordinates";
  }

  void Load() {
    LoadCaseElementForces();
    ShowResultsTitle(Title());
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "Pipe forces"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    SpreadMaxWidth(widths, 2, 7);
  }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 0 ? "Node" : "";
    if (column < 2 || column > 7) return {};
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
  void WriteText() override;

 private:
  int cachedElement_ = 0;
  int cachedCase_ = 0;
  std::array<double, 12> global_{};
};

PipeForcesTableWindow& TheTable() {
  static PipeForcesTableWindow table;
  return table;
}

// The file road writes the table as it stands: a title, the two heading
// lines and two lines per element, in columns or comma-separated.
void WriteForcesReport(PipeForcesTableWindow& t, int rows) {
  const std::string axes = g_ShowGlobalForces ? "global" : "local";
  const std::string caseTitle = CurrentCaseTitle();
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(caseTitle + ": Pipe forces (" + axes + " coordinates)"));
    ReportNewLine();
    for (int line = 0; line < 2; ++line) {
      std::vector<std::string> cells;
      for (int c = 1; c <= kColumns; ++c) cells.push_back(t.HeadingText(c, line));
      WriteCsvCells(cells);
    }
    for (int row = 1; row <= rows; ++row)
      for (int line = 0; line < 2; ++line) {
        std::vector<std::string> cells;
        for (int c = 1; c <= kColumns; ++c) cells.push_back(t.CellText(row, c, line));
        WriteCsvCells(cells);
      }
    return;
  }
  constexpr int kEnds[7] = {10, 22, 34, 46, 59, 72, 85};
  auto heading = [&] {
    ReportPutCentred("Pipe forces in " + axes + " coordinates: " + caseTitle, 6, 85);
    ReportNewLine();
    ReportRule();
    for (int line = 0; line < 2; ++line) {
      for (int c = 1; c <= kColumns; ++c) ReportPutTextRight(t.HeadingText(c, line), kEnds[c - 1]);
      ReportNewLine();
    }
    ReportRule();
  };
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(caseTitle + ": Pipe forces (" + axes + " coordinates)");
  heading();
  for (int row = 1; row <= rows; ++row) {
    if (ReportLinesLeft() < 3) ReportNewPage();
    if (g_ReportLine == kReportBodyLine) heading();
    for (int line = 0; line < 2; ++line) {
      for (int c = 1; c <= kColumns; ++c) ReportPutTextRight(t.CellText(row, c, line), kEnds[c - 1]);
      ReportNewLine();
    }
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void PipeForcesTableWindow::WriteText() {
  const int rows = static_cast<int>(TheResults().stressElements.size());
  if (rows == 0) return;
  LoadCaseElementForces();
  const std::string axes = g_ShowGlobalForces ? "global" : "local";
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(*this, rows);
    grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 7); };
    PrintResultGrid(grid, "Pipe forces (" + axes + " coordinates)",
                    "Pipe forces in " + axes + " coordinates: " + CurrentCaseTitle(), rows);
    return;
  }
  WriteForcesReport(*this, rows);
}

}  // namespace

void OpenPipeForcesTable() {
  STAND_IN("the SIF, B1/B2 and code stress columns of the pipe forces and its flexibility-factor, BS 806 and "
           "von Mises forms, which come with the code compliance tables");
  const int rows = static_cast<int>(TheResults().stressElements.size());
  if (rows == 0) return;
  EnterForceKind(OpenPipeForcesTable);
  PipeForcesTableWindow& table = TheTable();
  if (!BindResultsTable(table, kColumns, 2)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

ResultTableWindow& PipeForcesTable() { return TheTable(); }
void RegisterPipeForcesTable() { RegisterResultTableView(TheTable()); }
