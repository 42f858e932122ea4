// The shared part of the element force tables; see ElementForcesTable.h.
#include "results/ElementForcesTable.h"

#include <algorithm>
#include <utility>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "results/ElementForceValues.h"
#include "results/OtherSelectors.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

std::string ForceAxesName() { return g_ShowGlobalForces ? "global" : "local"; }

std::string ForceValueHeading(int index, int line, bool global) {
  static constexpr const char* kLocalNames[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
  static constexpr const char* kGlobalNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};
  if (index < 0 || index > 5) return {};
  if (line == 0) return (global ? kGlobalNames : kLocalNames)[index];
  return UnitLabel(index < 3 ? kUnitForce : kUnitMoment);
}

ElementForcesTableWindow::ElementForcesTableWindow() {
  linesPerRow = 2;
  nodePair = true;
}

void ElementForcesTableWindow::Reload() {
  ForgetGlobalForces();
  Load();
  RefreshShownTable(*this);
}

int ElementForcesTableWindow::ElementOfRow(int row) const {
  const std::vector<int>& elements = RowElements();
  return row >= 1 && row <= static_cast<int>(elements.size()) ? elements[static_cast<std::size_t>(row) - 1] : 0;
}

const AnalysisElement& ElementForcesTableWindow::Element(int e) {
  return TheResults().elements[static_cast<std::size_t>(e)];
}

std::string ElementForcesTableWindow::NodeCell(int e, int line) {
  const AnalysisElement& element = Element(e);
  return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
}

std::string ElementForcesTableWindow::GlobalCell(int e, const std::array<float, 12>& record, int column, int line,
                                                 int offset) {
  if (cachedElement_ != e || cachedCase_ != g_ResultCase) {
    global_ = PipeForceValues(TheModel(), Element(e), record);
    cachedElement_ = e;
    cachedCase_ = g_ResultCase;
  }
  return FormatPipeForce(global_, column, line, offset, IsDynamicLoadCase());
}

std::vector<int> ElementForcesTableWindow::BothAxesWidths(const TextWidthFunction& width, int first, int last) {
  const bool global = g_ShowGlobalForces;
  g_ShowGlobalForces = false;
  ForgetGlobalForces();
  std::vector<int> local = MeasureTableColumns(*this, rowCount, width);
  g_ShowGlobalForces = true;
  ForgetGlobalForces();
  std::vector<int> measured = MeasureTableColumns(*this, rowCount, width);
  g_ShowGlobalForces = global;
  ForgetGlobalForces();
  for (std::size_t c = 1; c < measured.size() && c < local.size(); ++c) measured[c] = std::max(measured[c], local[c]);
  SpreadMaxWidth(measured, first, last);
  return measured;
}

void ElementForcesTableWindow::RowNodes(int row, std::int32_t& from, std::int32_t& to) {
  from = to = 0;
  const int e = ElementOfRow(row);
  if (e == 0) return;
  from = TheModel().nodes[Element(e).node1].id;
  to = TheModel().nodes[Element(e).node2].id;
}

void ElementForcesTableWindow::KeyDown(UINT key) {
  if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
}

void ElementForcesTableWindow::CurrentRowChanged() {
  if (const int e = ElementOfRow(currentRow)) HighlightElementRow(Element(e).row);
}

void ElementForcesTableWindow::Prepare() {
  ForgetGlobalForces();
  AddForceNavigationMenu(MultipleForceKinds());
}

void ElementForcesTableWindow::Close() {
  HideHighlight();
  RemoveForceNavigationMenu();
}

void ElementForcesTableWindow::ContextMenu() {
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

void OpenElementForcesTable(ElementForcesTableWindow& table, void (*kind)()) {
  const int rows = static_cast<int>(table.RowElements().size());
  if (rows == 0) return;
  EnterForceKind(kind);
  const TableShape shape = table.Shape();
  if (!BindResultsTable(table, shape.columns, shape.headingLines)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void PrintForcesGrid(ElementForcesTableWindow& table, int rows, const std::string& name,
                     std::function<void(std::vector<int>&)> equalize, std::vector<HeadingGroup> groups) {
  ResultPrintTable grid(table, table.Shape(), rows, std::move(groups));
  grid.equalize = std::move(equalize);
  PrintResultGrid(grid, name + " (" + ForceAxesName() + " coordinates)",
                  name + " in " + ForceAxesName() + " coordinates: " + CurrentCaseTitle(), rows);
}

void WriteForceUnitsCsv(std::vector<std::string> leading) {
  for (int i = 0; i < 6; ++i) leading.push_back(UnitLabel(i < 3 ? kUnitForce : kUnitMoment));
  WriteCsvCells(leading);
}

void WriteForceRowCsv(TableWindow& table, int row, int columns) {
  for (int line = 0; line < 2; ++line) {
    std::vector<std::string> cells;
    for (int c = 1; c <= columns; ++c) cells.push_back(table.CellText(row, c, line));
    WriteCsvCells(cells);
  }
}
