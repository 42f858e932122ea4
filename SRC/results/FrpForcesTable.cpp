// The FRP forces table; see FrpForcesTable.h.
#include "results/FrpForcesTable.h"

#include <algorithm>
#include <array>
#include <string>

#include "codes/CodeModel.h"
#include "codes/CodeStressDriver.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "results/CodeStressResults.h"
#include "results/ElementForceRows.h"
#include "results/ElementForceValues.h"
#include "results/ElementLcs.h"
#include "results/OtherSelectors.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr const char* kLocalNames[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
constexpr const char* kGlobalNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

int FrpCount() { return static_cast<int>(TheResults().frpElements.size()); }
std::string Axes() { return g_ShowGlobalForces ? "global" : "local"; }
const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }

int Columns() { return g_ShowGlobalForces ? 7 : InOutPlaneSifs() ? 9 : 8; }
// The layout in the axes set now, shown and printed: the in-plane and
// out-of-plane moments take a first heading line of captions.
TableShape Shape() { return {Columns(), !g_ShowGlobalForces && InOutPlaneSifs() ? 3 : 2, 2}; }

const EndSifs* SifsOf(int e, int line) {
  const SifTables& sifs = TheCodeStresses().sifs;
  if (e < 1 || e >= static_cast<int>(sifs.elements.size())) return nullptr;
  return &sifs.elements[static_cast<std::size_t>(e)].ends[static_cast<std::size_t>(line)];
}

std::string SifText(int e, int line, bool inPlane) {
  const EndSifs* s = SifsOf(e, line);
  return s != nullptr ? FormatSif(inPlane ? s->inPlane : s->outPlane) : "";
}

class FrpForcesTableWindow : public ResultTableWindow {
 public:
  FrpForcesTableWindow() {
    linesPerRow = 2;
    nodePair = true;
  }

  int ElementOfRow(int row) const {
    const auto& frp = TheResults().frpElements;
    return row >= 1 && row <= static_cast<int>(frp.size()) ? frp[static_cast<std::size_t>(row) - 1] : 0;
  }
  void Load() {
    LoadCaseElementForces();
    cachedElement_ = 0;
    ShowResultsTitle("FRP forces in " + Axes() + " coordinates");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "FRP forces"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    Equalize(widths, ScreenTextWidth(*this));
  }
  static void Equalize(std::vector<int>& w, const TextWidthFunction& width) {
    if (g_ShowGlobalForces || !InOutPlaneSifs()) {
      SpreadMaxWidth(w, 2, 7);
      return;
    }
    SpreadMaxWidth(w, 2, 5);
    EqualizePairWidth(w, 6, 8);
    EqualizePairWidth(w, 7, 9);
    const int outplane = width(std::string("Outpln") + UnitLabel(kUnitMoment));
    if (outplane > w[6] + w[7]) {
      w[6] += outplane - (w[6] + w[7]);
      w[8] = w[6];
    }
  }
  std::vector<HeadingGroup> Groups() const {
    if (g_ShowGlobalForces || !InOutPlaneSifs()) return {};
    const std::string moment = UnitLabel(kUnitMoment);
    return {{6, 7, "Inplane" + moment}, {8, 9, "Outplane" + moment}};
  }
  std::string HeadingText(int column, int line) override {
    // The in-plane/out-of-plane set keeps its first line for the groups.
    const bool grouped = !g_ShowGlobalForces && InOutPlaneSifs();
    if (grouped) {
      if (line == 0) return {};
      --line;
    }
    if (column == 1) return line == 1 ? "Node" : "";
    if (g_ShowGlobalForces || !grouped) {
      if (column >= 2 && column <= 7) {
        if (line == 0) return (g_ShowGlobalForces ? kGlobalNames : kLocalNames)[column - 2];
        return UnitLabel(column <= 4 ? kUnitForce : kUnitMoment);
      }
      if (column == 8 && !g_ShowGlobalForces) return line == 1 ? "SIF" : "";
      return {};
    }
    static const char* const kNames[] = {"", "", "Axial", "y Shear", "z Shear", "Torque"};
    if (column >= 2 && column <= 5) return line == 0 ? kNames[column] : UnitLabel(column <= 4 ? kUnitForce : kUnitMoment);
    if (column == 6 || column == 8) return line == 1 ? "Moment" : "";
    if (column == 7 || column == 9) return line == 1 ? "SIF" : "";
    return {};
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size()) || line < 0 || line > 1) return {};
    const AnalysisElement& element = ElementAt(e);
    if (column == 1) return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (g_ShowGlobalForces) {
      if (cachedElement_ != e || cachedCase_ != g_ResultCase) {
        global_ = ElementGlobalForces(e);
        cachedElement_ = e;
        cachedCase_ = g_ResultCase;
      }
      return FormatPipeForce(global_, column, line, 0, IsDynamicLoadCase());
    }
    if (!InOutPlaneSifs()) {
      if (column >= 2 && column <= 7) return FormatLocalForce(record, column, line, 2);
      return column == 8 ? SifText(e, line, true) : "";
    }
    if (column >= 2 && column <= 5) return FormatLocalForce(record, column, line, 2);
    if (column == 6 || column == 8) {
      double inPlane = 0.0, outPlane = 0.0;
      EndBendingMoments(e, line, inPlane, outPlane);
      return FormatMoment(static_cast<float>(column == 6 ? inPlane : outPlane));
    }
    if (column == 7 || column == 9) return SifText(e, line, column == 7);
    return {};
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
    const int e = ElementOfRow(currentRow);
    if (e == 0) return;
    HighlightElementRow(ElementAt(e).row);
    if (!g_ShowGlobalForces) StoreElementLcs(e);
  }
  void Prepare() override {
    cachedElement_ = 0;
    AddForceNavigationMenu(MultipleForceKinds());
    if (!g_ShowGlobalForces) AddElementLcsItem();
  }
  void Close() override {
    HideHighlight();
    RemoveForceNavigationMenu();
    CloseElementLcs();
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
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
  void WriteText() override {
    if (g_ShowGlobalForces) FrpGlobalForcesText();
    else PrintFrpForces();
  }

 private:
  int cachedElement_ = 0;
  int cachedCase_ = 0;
  std::array<double, 12> global_{};
};

FrpForcesTableWindow& TheTable() {
  static FrpForcesTableWindow table;
  return table;
}

// The printed grid in the axes set now; the table's own shape (it may be
// shown in the other axes) comes back afterwards.
void PrintGrid(const std::string& axes) {
  FrpForcesTableWindow& t = TheTable();
  const int rows = FrpCount();
  ResultPrintTable grid(t, Shape(), rows, t.Groups());
  grid.equalize = [](std::vector<int>& w) {
    FrpForcesTableWindow::Equalize(w, [](const std::string& text) { return PrintTable::TextWidth(text); });
  };
  PrintResultGrid(grid, "FRP forces (" + axes + " coordinates)", "FRP forces in " + axes + " coordinates: " + CurrentCaseTitle(),
                  rows);
}

void LocalTextHeading() {
  ReportPutCentred("FRP forces in local coordinates: " + CurrentCaseTitle(), 6, 78);
  ReportNewLine();
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  if (!InOutPlaneSifs()) {
    ReportRule();
    ReportPutText("fx      fy      fz       mx       my       mz", 16);
    ReportNewLine();
    ReportPutText("Node", 6);
    for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(force, a, b);
    for (const auto& [a, b] : {std::pair{39, 45}, {48, 54}, {57, 63}}) ReportPutCentred(moment, a, b);
    ReportPutText("SIF", 67);
  } else {
    ReportPutText("---------------------------------------...In plane... .Out of plane..------", 4);
    ReportNewLine();
    ReportPutText("Axial  y shear z shear Torque  Bend.Moment    Bend.Moment", 14);
    ReportNewLine();
    ReportPutText("Node", 6);
    for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(force, a, b);
    for (const auto& [a, b] : {std::pair{37, 43}, {45, 51}, {60, 66}}) ReportPutCentred(moment, a, b);
    ReportPutText("SIF", 54);
    ReportPutText("SIF", 69);
  }
  ReportNewLine();
  ReportRule();
}

// The two lines of an element in local axes (the columns of the element
// force report's pipe rows).
void LocalTextRow(int row) {
  FrpForcesTableWindow& t = TheTable();
  static constexpr int kPlainEnds[7] = {18, 26, 34, 44, 53, 62, 70};
  static constexpr int kSplitEnds[8] = {18, 26, 34, 42, 50, 56, 65, 71};
  for (int line = 0; line < 2; ++line) {
    ReportPutText(t.CellText(row, 1, line), 6);
    if (!InOutPlaneSifs())
      for (int c = 2; c <= 8; ++c) ReportPutTextRight(t.CellText(row, c, line), kPlainEnds[c - 2]);
    else
      for (int c = 2; c <= 9; ++c) ReportPutTextRight(t.CellText(row, c, line), kSplitEnds[c - 2]);
    ReportNewLine();
  }
  ReportNewLine();
}

void GlobalTextHeading() {
  ReportPutCentred("FRP forces in global coordinates: " + CurrentCaseTitle(), 4, 78);
  ReportNewLine();
  ReportRule();
  ReportNewLine();
  ReportRule();
  ReportPutText("Node", 5);
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  ReportPutCentred("FX " + force, 13, 19);
  ReportPutCentred("FY " + force, 23, 29);
  ReportPutCentred("FZ " + force, 33, 39);
  ReportPutCentred("MX " + moment, 44, 52);
  ReportPutCentred("MY " + moment, 56, 64);
  ReportPutCentred("MZ " + moment, 68, 76);
  ReportNewLine();
  ReportRule();
}

// The pages of a text sub-section: the heading at the top of each page.
void TextPages(const std::string& pageTitle, void (*heading)(), void (*row)(int)) {
  const int rows = FrpCount();
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(pageTitle);
  for (int r = 1; r <= rows; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) heading();
    row(r);
    if (r < rows && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

}  // namespace

bool InOutPlaneSifs() {
  const int code = TheModel().options.PipingCode;
  return code == 2 || code == 3 || code == 4 || code == 5 || code == 6 || code == 16;
}

void EndBendingMoments(int element, int end, double& inPlane, double& outPlane) {
  inPlane = outPlane = 0.0;
  if (element < 1 || element >= static_cast<int>(g_CaseElementForces.size())) return;
  const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(element)];
  const std::size_t base = end == 0 ? 0 : 6;
  inPlane = record[base + 5];
  outPlane = record[base + 4];
  const CodeStressResults& r = TheCodeStresses();
  if (!InOutPlaneSifs() || r.cm == nullptr) return;
  const AnalysisElement& e = ElementAt(element);
  const auto kind = static_cast<ElementType>(e.kind);
  if (kind != ElementType::Pipe && kind != ElementType::JacketedPipe && kind != ElementType::Reducer) return;
  const int node = end == 0 ? e.node1 : e.node2;
  if (!r.cm->IsBranchPoint(node)) return;
  double mi = 0.0, mo = 0.0;
  if (CurrentCaseBranchMoments(element, node, mi, mo)) {
    inPlane = mi;
    outPlane = mo;
  }
}

void OpenFrpForcesTable() {
  const int rows = FrpCount();
  if (rows == 0) return;
  EnterForceKind(OpenFrpForcesTable);
  FrpForcesTableWindow& table = TheTable();
  const TableShape shape = Shape();
  table.gapAfterHeading1 = shape.headingLines == 3;
  if (!BindResultsTable(table, shape.columns, shape.headingLines)) return;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void ToggleFrpForcesLcs() {
  if (ShownResultTable() != &TheTable() || g_ShowGlobalForces) return;
  ToggleElementLcs(TheTable().ElementOfRow(TheTable().currentRow));
}

ResultTableWindow& FrpForcesTable() { return TheTable(); }
void RegisterFrpForcesTable() { RegisterResultTableView(TheTable()); }

void PrintFrpForces() {
  if (FrpCount() == 0) return;
  const bool shown = g_ShowGlobalForces;
  g_ShowGlobalForces = false;
  LoadCaseElementForces();
  if (!g_ReportFileOpen) {
    PrintGrid("local");
  } else if (g_ReportToFile) {
    FrpForcesTableWindow& t = TheTable();
    ReportAppendLine(CsvQuoted("FRP forces in local coordinates: " + CurrentCaseTitle()));
    ReportNewLine();
    ReportNewLine();
    const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
    std::vector<std::string> units{"Node", force, force, force, moment, moment, moment};
    if (!InOutPlaneSifs()) {
      WriteCsvCells({"", "fx", "fy", "fz", "mx", "my", "mz"});
      units.push_back("SIF");
    } else {
      WriteCsvCells({"", "", "", "", "", "In plane", "Out plane", "In plane", "Out plane"});
      WriteCsvCells({"", "Axial", "y shear", "z shear", "Torque", "Moment", "Moment", "SIF", "SIF"});
    }
    WriteCsvCells(units);
    ReportNewLine();
    for (int row = 1; row <= FrpCount(); ++row)
      for (int line = 0; line < 2; ++line) {
        std::vector<std::string> cells{t.CellText(row, 1, line)};
        if (!InOutPlaneSifs()) {
          for (int c = 2; c <= 8; ++c) cells.push_back(t.CellText(row, c, line));
        } else {
          // Forces, torque, both moments, then both SIFs.
          for (int c : {2, 3, 4, 5, 6, 8, 7, 9}) cells.push_back(t.CellText(row, c, line));
        }
        WriteCsvCells(cells);
      }
    ReportNewLine();
  } else {
    TextPages(CurrentCaseTitle() + ": FRP forces (local)", LocalTextHeading, LocalTextRow);
  }
  g_ShowGlobalForces = shown;
}

void FrpGlobalForcesText() {
  if (FrpCount() == 0) return;
  const bool shown = g_ShowGlobalForces;
  g_ShowGlobalForces = true;
  LoadCaseElementForces();
  if (!g_ReportFileOpen) {
    PrintGrid("global");
  } else if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(CurrentCaseTitle() + ": FRP forces in global coordinates"));
    ReportNewLine();
    ReportNewLine();
    ReportAppendLine("Node,FX,FY,FZ,MX,MY,MZ");
    ReportNewLine();
    const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
    WriteCsvCells({"", force, force, force, moment, moment, moment});
    ReportNewLine();
    for (int row = 1; row <= FrpCount(); ++row) WriteGlobalForceCsvRow(TheTable().ElementOfRow(row), false);
  } else {
    TextPages(CurrentCaseTitle() + ": FRP forces in global coordinates", GlobalTextHeading,
              [](int row) { WriteGlobalForceTextRow(TheTable().ElementOfRow(row), false); });
  }
  g_ShowGlobalForces = shown;
}
