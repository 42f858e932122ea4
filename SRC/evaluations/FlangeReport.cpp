// The flange loading report (see FlangeReport.h): the rows built after a
// results read, the "Flange Report" table and the printed report.
#include "evaluations/FlangeReport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "elements/Flange.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/LoadCaseTypes.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kColumns = 8;

struct ReportState {
  std::vector<FlangeLoadingResult> rows;
  bool available = false;
};

ReportState& State() {
  static ReportState state;
  return state;
}

// The case types the report takes and the operating pair whose pressure
// each uses (0 for P1).
int PressureIndexOfCase(int caseType) {
  if (caseType == kCaseIdStaticAnalysis) return 0;
  if (const int k = ThermalIndexOfOperating(caseType)) return k - 1;
  QV_ASSERT(!"flange case type");
  return 0;
}

std::vector<int> ReportCaseTypes() {
  std::vector<int> types = {kCaseIdStaticAnalysis};
  for (int k = 1; k <= 10; ++k) types.push_back(OperatingCase(k));
  return types;
}

const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }

// Pipes, bends, miters, jacketed pipes and bends, reducers; valves,
// bellows and slip joints: the elements that hold the flange's pressure.
bool HoldsPressure(int kind) { return (kind >= 3 && kind <= 9) || kind == 10 || kind == 11; }

// The element ends at the flange's node: (element, at its start).
std::vector<std::pair<int, bool>> ConnectedEnds(const Model& model, int node) {
  std::vector<std::pair<int, bool>> ends;
  const auto& byNode = TheResults().nodeElements;
  if (node > 0 && node < static_cast<int>(byNode.size()))
    for (int e : byNode[static_cast<std::size_t>(node)]) ends.push_back({e, ElementAt(e).node1 == node});
  std::sort(ends.begin(), ends.end());
  if (!ends.empty()) return ends;
  // A bend's own node lies off the pipe: the arc starting, or else ending,
  // at its place stands for it.
  const NodeRecord& at = model.nodes[node];
  auto near = [&](int index) {
    const NodeRecord& other = model.nodes[index];
    return std::fabs(other.x - at.x) < 0.01f && std::fabs(other.y - at.y) < 0.01f && std::fabs(other.z - at.z) < 0.01f;
  };
  for (bool start : {true, false})
    for (int e = 1; e <= TheResults().elementCount; ++e) {
      const AnalysisElement& element = ElementAt(e);
      if (element.kind == static_cast<int>(ElementType::Bend) && near(start ? element.node1 : element.node2))
        return {{e, start}};
    }
  return {};
}

// The smallest inside diameter of the ends that hold pressure; 0 when none.
float DefaultGasketDiameter(const Model& model, const std::vector<std::pair<int, bool>>& ends) {
  float smallest = 0.0f;
  for (const auto& [e, start] : ends) {
    const AnalysisElement& element = ElementAt(e);
    if (!HoldsPressure(element.kind) || element.section < 1 || element.section > model.sections.count) continue;
    const PipeSection& section = model.sections[element.section];
    const float inside = section.outsideDiameter - 2.0f * section.thickness;
    if (inside > 0.0f && (smallest == 0.0f || inside < smallest)) smallest = inside;
  }
  return smallest;
}

// One end in the current case: the worst so far is kept.
void EvaluateEnd(const Model& model, FlangeLoadingResult& result, int e, bool start, int caseType) {
  const AnalysisElement& element = ElementAt(e);
  float P = 0.0f;
  if (element.load >= 1 && element.load <= model.pipeLoads.count)
    P = model.pipeLoads[element.load].operating[static_cast<std::size_t>(PressureIndexOfCase(caseType))].pressure;
  if (e >= static_cast<int>(g_CaseElementForces.size())) return;
  const std::array<float, 12>& forces = g_CaseElementForces[static_cast<std::size_t>(e)];
  const std::size_t end = start ? 0 : 6;  // axial, two shears, torsion, two bending moments
  const double F = std::fabs(forces[end]);
  const double M = std::hypot(forces[end + 4], forces[end + 5]);
  const double G = result.G;
  const double Pe = 4.0 * F / (kPi * G * G) + 16.0 * M / (kPi * G * G * G) + P;
  const double value = result.allowable > 0.0f ? Pe / result.allowable : Pe;
  if (!(value > result.ratio)) return;
  result.P = P;
  result.M = static_cast<float>(M);
  result.F = static_cast<float>(F);
  result.Pe = static_cast<float>(Pe);
  result.ratio = static_cast<float>(value);
}

std::string NodeOfRow(int row) { return NodeNumberText(TheModel().row(row).node); }

void SayUnfound(const Model& model, const std::vector<int>& rows, HWND owner) {
  if (rows.empty()) return;
  std::string places;
  for (int row : rows) {
    if (!places.empty()) places += ", ";
    places += std::string(NodeNumberText(model.row(row).node)) + " (row " + std::to_string(row) + ")";
  }
  const bool one = rows.size() == 1;
  ShowWarningMessage(owner, std::string("Unable to find connected pressure element to the flange") +
                                (one ? " at node " : "s at nodes ") + places + ".\n" +
                                (one ? "Its line" : "Their lines") + " of the Flange Report " +
                                (one ? "is" : "are") + " left blank.");
}

// Rows with an allowable by ratio, then those without by Pe, then the blank
// ones; a stable sort keeps row order among equals.
void SortRows(std::vector<FlangeLoadingResult>& rows) {
  auto group = [](const FlangeLoadingResult& r) { return !r.found ? 2 : (r.allowable > 0.0f ? 0 : 1); };
  std::stable_sort(rows.begin(), rows.end(), [&](const FlangeLoadingResult& a, const FlangeLoadingResult& b) {
    if (group(a) != group(b)) return group(a) < group(b);
    return group(a) == 2 ? false : a.ratio > b.ratio;
  });
}

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

const char* RatioText(float ratio) { return ratio < 10.0f ? FormatFixedWidth(ratio, 10, 3) : FormatRatio(ratio); }

// --- the table -----------------------------------------------------------------------------

const char* const kHeadings[kColumns][3] = {
    {"", "Node", ""},          {"", "Pressure", nullptr}, {"Bending", "moment", nullptr},
    {"Axial", "force", nullptr}, {"Gasket", "diameter", nullptr}, {"Flange", "Pressure", nullptr},
    {"Allowable", "Pressure", nullptr}, {"Flange", "Pressure", "Allowable"}};
constexpr int kHeadingUnits[kColumns] = {0, kUnitPressure, kUnitMoment, kUnitForce, kUnitDimension,
                                         kUnitPressure, kUnitPressure, 0};

std::string HeadingOf(int column, int line) {
  if (column < 1 || column > kColumns || line < 0 || line > 2) return {};
  const char* text = kHeadings[column - 1][line];
  if (text == nullptr) return UnitLabel(kHeadingUnits[column - 1]);
  return text;
}

const FlangeLoadingResult* RowAt(int row) {
  const auto& rows = State().rows;
  return row >= 1 && row <= static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row) - 1] : nullptr;
}

bool Flagged(int row, int column) {
  const FlangeLoadingResult* result = RowAt(row);
  return result != nullptr && (column == 6 || column == 8) && FlangeReportRowExceeds(*result);
}

class FlangeReportTable : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Flange report"; }
  void DefineColumns() override { widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this)); }
  std::string HeadingText(int column, int line) override { return HeadingOf(column, line); }
  std::string CellText(int row, int column, int /*line*/) override {
    const FlangeLoadingResult* result = RowAt(row);
    return result != nullptr ? FlangeReportCell(*result, column) : std::string();
  }
  void DrawCellCustom(int row, int column, int /*line*/, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    if (!Flagged(row, column)) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  std::int32_t RowNode(int row) override {
    const FlangeLoadingResult* result = RowAt(row);
    return result != nullptr ? TheModel().row(result->row).node : 0;
  }
  void CurrentRowChanged() override {
    const FlangeLoadingResult* result = RowAt(currentRow);
    if (result == nullptr) return;
    HighlightRowDataItem(result->row);
    // The flanges list of the List window follows the flange.
    if (CurrentListLabel() != "&Flanges") return;
    const RowIndexList& flanges = TheModel().lists[RowListKind::Flanges];
    for (int index = 1; index <= flanges.count; ++index)
      if (RowListEntry(flanges, index) == result->row)
        if (HWND list = ListTableWindow(0); list != nullptr && IsWindowVisible(list)) TableWindowGoTo(list, index);
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB)
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    else
      TableKeyDown(*this, key);
  }
  void Close() override { HideHighlight(); }
  void WriteText() override { PrintFlangeReport(); }
};

FlangeReportTable& TheTable() {
  static FlangeReportTable table;
  static const bool registered = (RegisterResultTableView(table), true);
  static_cast<void>(registered);
  return table;
}

// --- the report file ---------------------------------------------------------------------

// The value columns of the text report end where their headings do.
constexpr int kValueEnds[kColumns] = {0, 19, 30, 39, 49, 60, 69, 78};

void TextHeadings() {
  ReportPutCentred("Flange Loading Report", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Bending   Axial    Gasket     Flange  Allowable Flange", 23);
  ReportNewLine();
  ReportPutText("Node  Pressure   moment    force    diameter   pressure pressure pressure", 6);
  ReportNewLine();
  ReportPutCentred(UnitLabel(kUnitPressure), 12, 19);
  ReportPutCentred(UnitLabel(kUnitMoment), 22, 30);
  ReportPutCentred(UnitLabel(kUnitForce), 31, 39);
  ReportPutCentred(UnitLabel(kUnitDimension), 41, 49);
  ReportPutCentred(UnitLabel(kUnitPressure), 52, 60);
  ReportPutCentred(UnitLabel(kUnitPressure), 62, 69);
  ReportPutText("/Allow.", 71);
  ReportNewLine();
  ReportRule();
}

void TextRow(const FlangeLoadingResult& result) {
  ReportPutText(FlangeReportCell(result, 1), 6);
  if (!result.found) return;
  for (int column = 2; column <= 6; ++column) ReportPutTextRight(FlangeReportCell(result, column), kValueEnds[column - 1]);
  if (result.allowable <= 0.0f) return;
  ReportPutTextRight(FlangeReportCell(result, 7), kValueEnds[6]);
  ReportPutTextRight(result.ratio >= 1000.0f ? "*****" : Trimmed(FormatFixedWidth(result.ratio, 8, 3)), kValueEnds[7]);
}

void WriteText(const std::vector<FlangeLoadingResult>& rows) {
  if (ReportLinesLeft() < 6)
    ReportNewPage();
  else
    TextHeadings();
  ReportSetTitle("Flange report");
  for (const FlangeLoadingResult& result : rows) {
    if (g_ReportLine == kReportBodyLine) TextHeadings();
    TextRow(result);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

// The fields of `g_LineText` as one line (its last comma is the line's).
void AppendCsvLine() {
  if (!g_LineText.empty() && g_LineText.back() == ',') g_LineText.pop_back();
  ReportAppendLine(g_LineText);
  ReportNewLine();
}

void WriteCsv(const std::vector<FlangeLoadingResult>& rows) {
  ReportAppendLine("Flange Loading Report");
  ReportNewLine();
  ReportNewLine();
  std::vector<std::string> heading;
  for (int column = 1; column < kColumns; ++column) {
    std::string text = HeadingOf(column, 0);
    if (!text.empty()) text += " ";
    heading.push_back(text + HeadingOf(column, 1));
  }
  heading.push_back("Flange Pressure/Allowable");
  WriteCsvCells(heading);
  g_LineText.clear();
  for (int column = 1; column <= kColumns; ++column) ReportPutUnits(kHeadingUnits[column - 1]);
  AppendCsvLine();
  for (const FlangeLoadingResult& result : rows) {
    g_LineText.clear();
    for (int column = 1; column <= kColumns; ++column) ReportPutField(FlangeReportCell(result, column));
    AppendCsvLine();
  }
}

}  // namespace

bool FlangeReportRowExceeds(const FlangeLoadingResult& result) {
  return result.found && result.allowable > 0.0f && result.ratio > 1.0f;
}

std::string FlangeReportCell(const FlangeLoadingResult& result, int column) {
  if (column == 1) return NodeOfRow(result.row);
  if (!result.found) return {};
  switch (column) {
    case 2: return Trimmed(FormatPressure(result.P));
    case 3: return Trimmed(FormatMoment(result.M));
    case 4: return Trimmed(FormatForce(result.F));
    case 5: return Trimmed(FormatDimension(result.G));
    case 6: return Trimmed(FormatPressure(result.Pe));
    case 7: return result.allowable > 0.0f ? Trimmed(FormatPressure(result.allowable)) : std::string();
    case 8: return result.allowable > 0.0f ? Trimmed(RatioText(result.ratio)) : std::string();
    default: return {};
  }
}

void FlangeElementsReport(Model& model, HWND owner) {
  ReportState& state = State();
  state = ReportState{};
  TheTable();  // registers its view
  const RowIndexList& flanges = model.lists[RowListKind::Flanges];
  const ResultAvailability& flags = TheResultCases().flags;
  if (flanges.count == 0 || !(flags.operating || flags.present[kCaseIdStaticAnalysis])) return;
  state.available = true;
  std::vector<std::vector<std::pair<int, bool>>> ends;
  std::vector<int> unfound;
  for (int index = 1; index <= flanges.count; ++index) {
    const int row = RowListEntry(flanges, index);
    const auto* flange = dynamic_cast<const Flange*>(model.row(row).item.get());
    FlangeLoadingResult result;
    result.row = row;
    result.allowable = flange != nullptr ? flange->allowablePressure : 0.0f;
    ends.push_back(ConnectedEnds(model, model.row(row).endNode));
    result.G = flange != nullptr ? flange->gasketDiameter : 0.0f;
    if (result.G < 0.01f) result.G = DefaultGasketDiameter(model, ends.back());
    result.found = result.G >= 0.01f && !ends.back().empty();
    if (!result.found) unfound.push_back(row);
    state.rows.push_back(result);
  }
  for (int type : ReportCaseTypes()) {
    if (ResultCaseOfType(type) == 0) continue;
    SelectLoadCaseByType(type);
    LoadCaseElementForces();
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
      if (!state.rows[i].found) continue;
      for (const auto& [e, start] : ends[i]) EvaluateEnd(model, state.rows[i], e, start, type);
    }
  }
  SortRows(state.rows);
  SayUnfound(model, unfound, owner);
}

void FreeFlangeReport() { State() = ReportState{}; }

bool FlangeReportAvailable() { return State().available; }

const std::vector<FlangeLoadingResult>& FlangeReportRows() { return State().rows; }

void FlangeReportFollowRow(int layoutRow) {
  if (ResultsReopenCommand() != OpenFlangeReportTable) return;
  const std::vector<FlangeLoadingResult>& rows = State().rows;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].row == layoutRow) {
      FlangeReportTable& table = TheTable();
      if (table.Window() != nullptr && TableOfWindow(table.Window()) == &table) TableGoTo(table, static_cast<int>(i) + 1);
      return;
    }
}

void OpenFlangeReportTable() {
  const int rows = static_cast<int>(State().rows.size());
  if (!State().available || rows == 0) return;
  SetResultsReopenCommand(OpenFlangeReportTable);
  FlangeReportTable& table = TheTable();
  if (!BindResultsTable(table, kColumns, 3)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  FrameSetTitle(ResultsFrame(), "Flange Report");
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void PrintFlangeReport() {
  const std::vector<FlangeLoadingResult>& rows = State().rows;
  if (rows.empty()) return;
  if (!g_ReportFileOpen) {
    FlangeReportTable table;
    TableSetColumns(table, nullptr, nullptr, kColumns, 3, nullptr);
    const int count = static_cast<int>(rows.size());
    ResultPrintTable grid(table, count);
    grid.flagged = [](int row, int column, int) { return Flagged(row, column); };
    PrintResultGrid(grid, "", "Flange report", count);
    return;
  }
  if (g_ReportToFile)
    WriteCsv(rows);
  else
    WriteText(rows);
}
