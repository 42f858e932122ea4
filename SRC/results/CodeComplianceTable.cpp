// The code compliance table; see CodeComplianceTable.h.
#include "results/CodeComplianceTable.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "codes/CodeStressDriver.h"
#include "elements/DerivedElementData.h"
#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/TablePrint.h"
#include "results/CodeComplianceReport.h"
#include "results/ResultViewItems.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 23;
constexpr int kGroups = 7;
constexpr int kRatiosCommand = 374;
constexpr CodeStressCategory kCategories[kGroups] = {
    CodeStressCategory::Sustained,  CodeStressCategory::Expansion, CodeStressCategory::Combined,
    CodeStressCategory::Occasional, CodeStressCategory::Settlement, CodeStressCategory::Creep,
    CodeStressCategory::Buried};
enum { kSustained = 0, kExpansion, kCombined, kOccasional, kSettlement, kCreep, kBuried };

const CodeStressResults& Stresses() { return TheCodeStresses(); }
int Code() { return Stresses().cm != nullptr ? Stresses().cm->settings.code : 0; }
bool Pipeline() { return IsPipelineCode(Code()); }

bool GroupPresent(int group) {
  const CategoryPresence& p = Stresses().presence;
  switch (group) {
    case kSustained: return p.sustained;
    case kExpansion: return p.expansion;
    case kCombined: return p.combined;
    case kOccasional: return p.occasional && !Pipeline();
    case kSettlement: return p.settlement;
    case kCreep: return p.creep;
    case kBuried: return p.buried;
    default: return false;
  }
}

int FirstColumn(int group) { return 3 + 3 * group; }
// 0 stress, 1 allowable, 2 ratio.
int PartOf(int column) { return (column - 3) % 3; }

// What a group shows at one end: the stress S, the allowable A and the
// ratio R (stored, or S / A for the sustained group).
struct GroupValues {
  double S = 0.0, A = 0.0, R = -1.0;
};

GroupValues ValuesOf(const CodeStressRecord& record, int group, int end) {
  const auto e = static_cast<std::size_t>(end);
  auto stored = [](const StressCheck& check) { return GroupValues{check.stress, check.allowable, check.ratio}; };
  switch (group) {
    case kSustained: {
      GroupValues v{record.SL[e], record.SH[e], -1.0};
      if (IsClass2Or3Code(Code())) v.S = record.SI[e];
      // The pipeline codes show the sustained plus occasional check here.
      if (Pipeline() && Stresses().presence.occasional) v = {record.occasional[e].stress, record.occasional[e].allowable, -1.0};
      if (v.A > 0.0) v.R = v.S / v.A;
      return v;
    }
    case kExpansion: return stored(record.expansion[e]);
    case kCombined: return stored(record.combined[e]);
    case kOccasional: return stored(record.occasional[e]);
    case kSettlement: return stored(record.settlement[e]);
    case kCreep: return stored(record.creep[e]);
    case kBuried: return stored(record.buried[e]);
    default: return {};
  }
}

// A stress that could not be formed shows as such, never as a number.
std::string StressText(double value) {
  if (IsFlaggedStress(value) || !std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}
std::string AllowableText(double value) { return FormatStress(static_cast<float>(value)); }
std::string RatioText(double value) { return FormatRatio(value); }

std::string GroupCell(const CodeStressRecord& record, int group, int part, int line, bool& highlight) {
  const GroupValues v = ValuesOf(record, group, line);
  const bool counted = v.A > 2.0;
  if (group == kSustained) {
    // An allowable of 2.0 or less was not computed: it is never shown.
    const bool over = counted && v.S > v.A;
    if (v.S < 0.0) return {};
    if (part == 0) {
      highlight = over;
      return StressText(v.S);
    }
    if (!counted) return AllowableMissing(v.S, v.A) ? kNotFiniteText : std::string();
    if (part == 1) {
      highlight = over && line == 1;
      return AllowableText(v.A);
    }
    highlight = over;
    return RatioText(v.R);
  }
  bool shown = counted;
  if (group == kExpansion) shown = counted && v.S >= 0.0;
  if (group == kCombined) shown = counted && v.S > 0.0;
  if (!shown) {
    if (!AllowableMissing(v.S, v.A)) return {};
    return part == 0 ? StressText(v.S) : kNotFiniteText;
  }
  const bool over = v.R > 1.0;
  if (part == 0) {
    highlight = over;
    return StressText(v.S);
  }
  if (part == 1) return AllowableText(v.A);
  highlight = over;
  return RatioText(v.R);
}

const AnalysisElement* ElementOf(int row) {
  const CodeStressResults& r = Stresses();
  if (r.cm == nullptr || row < 1 || row > r.RecordCount()) return nullptr;
  return &r.cm->Element(r.Record(row).element);
}

double AllowablePressureOf(int row) {
  const auto& pressures = Stresses().allowablePressure;
  return row >= 1 && row < static_cast<int>(pressures.size()) ? pressures[static_cast<std::size_t>(row)] : 0.0;
}

std::string PressureCell(int row, int line, bool& highlight) {
  const AnalysisElement* e = ElementOf(row);
  if (e == nullptr) return {};
  const double allowable = AllowablePressureOf(row);
  if (line == 0) {
    const float design = ElementDesignPressure(TheModel(), *e);
    highlight = allowable != 0.0 && allowable < design;
    return FormatPressure(design);
  }
  if (std::isnan(allowable)) return kNotFiniteText;
  return allowable != 0.0 ? FormatPressure(static_cast<float>(allowable)) : std::string();
}

// --- layout --------------------------------------------------------------------------

std::string GroupTitle(int group) { return CategoryTitle(Code(), kCategories[group]); }

// The shown columns of a group: stress and allowable, and the ratio when
// the ratios are shown (the settlement group widens only its first two).
std::vector<int> WidenedColumns(int group) {
  const int first = FirstColumn(group);
  std::vector<int> columns{first, first + 1};
  if (Stresses().showRatios && group != kSettlement) columns.push_back(first + 2);
  return columns;
}

// Visibility and the group titles' room, on widths measured with `width`.
void FitComplianceColumns(std::vector<int>& widths, const TextWidthFunction& width) {
  for (int column = 1; column <= kColumns; ++column)
    if (!ComplianceColumnShown(column)) widths[static_cast<std::size_t>(column)] = 0;
  const int blank = width(" ");
  for (int group = 0; group < kGroups; ++group) {
    if (!GroupPresent(group)) continue;
    const std::vector<int> columns = WidenedColumns(group);
    int excess = width(GroupTitle(group)) - 2 * blank;
    int shownCount = 0;
    for (int column = FirstColumn(group); column <= FirstColumn(group) + 2; ++column)
      if (widths[static_cast<std::size_t>(column)] > 0) excess -= widths[static_cast<std::size_t>(column)];
    for (int column : columns)
      if (widths[static_cast<std::size_t>(column)] > 0) ++shownCount;
    if (excess <= 0 || shownCount == 0) continue;
    for (int column : columns)
      if (widths[static_cast<std::size_t>(column)] > 0) widths[static_cast<std::size_t>(column)] += excess / shownCount;
  }
}

std::vector<HeadingGroup> ShownGroups() {
  std::vector<HeadingGroup> groups;
  for (int group = 0; group < kGroups; ++group) {
    if (!GroupPresent(group)) continue;
    const int first = FirstColumn(group);
    groups.push_back({first, first + (Stresses().showRatios ? 2 : 1), GroupTitle(group)});
  }
  return groups;
}

// A rule at a group boundary runs the full height in the group pen.
bool IsBoundaryRule(int column) {
  if (column == 2 || column == 3) return true;
  if (Stresses().showRatios) return column >= 6 && (column - 3) % 3 == 0;
  return column >= 5 && (column - 5) % 3 == 0;
}

HPEN GroupRulePen() {
  static HPEN pen = CreatePen(PS_SOLID, 2, RGB(192, 0, 0));
  return pen;
}

const char* RatiosItemText() { return Stresses().showRatios ? "&Hide Ratios" : "&Show Ratios"; }

// --- the table window --------------------------------------------------------------

class CodeComplianceTableWindow : public ResultTableWindow {
 public:
  CodeComplianceTableWindow() {
    linesPerRow = 2;
    nodePair = true;
    gapAfterHeading1 = true;
    gapAfterHeading2 = true;
  }

  std::string PrintName() override { return "Code compliance"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    FitComplianceColumns(widths, ScreenTextWidth(*this));
  }
  std::string HeadingText(int column, int line) override { return ComplianceHeadingText(column, line); }
  std::string CellText(int row, int column, int line) override {
    bool highlight = false;
    return ComplianceCellText(row, column, line, highlight);
  }
  void DrawCellCustom(int row, int column, int line, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    bool highlight = false;
    ComplianceCellText(row, column, line, highlight);
    if (!highlight) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override {
    from = to = 0;
    const AnalysisElement* e = ElementOf(row);
    if (e == nullptr) return;
    from = TheModel().nodes[e->node1].id;
    to = TheModel().nodes[e->node2].id;
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB)
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    else
      TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (const AnalysisElement* e = ElementOf(currentRow)) HighlightElementRow(e->row);
  }
  void Prepare() override { InsertViewItems({{kRatiosCommand, RatiosItemText()}}); }
  void Close() override {
    RemoveViewItems({kRatiosCommand});
    HideHighlight();
  }
  void PaintExtra() override {
    PaintHeadingGroups(*this, ShownGroups());
    // The fraction bar of each ratio column between its symbol and its
    // allowable label.
    const TableFontMetrics& m = Metrics();
    const int y = 3 * m.lineGap + 2 * m.charHeight + m.lineGap / 2;
    SelectObject(Dc(), TableDrawing().black);
    for (int group = 0; group < kGroups && Stresses().showRatios; ++group) {
      const auto column = static_cast<std::size_t>(FirstColumn(group) + 2);
      if (widths[column] == 0) continue;
      TableHorizontalLine(*this, x[column] + m.cellMargin, x[column + 1] - m.cellMargin, y);
    }
  }
  void DrawColumnRule(int column) override {
    if (widths[static_cast<std::size_t>(column) - 1] == 0) return;
    const int at = x[static_cast<std::size_t>(column)];
    if (IsBoundaryRule(column)) {
      SelectObject(Dc(), GroupRulePen());
      TableVerticalLine(*this, at, 0, clientHeight);
      return;
    }
    const TableFontMetrics& m = Metrics();
    SelectObject(Dc(), TableDrawing().black);
    TableVerticalLine(*this, at, m.lineGap * 3 / 2 + m.charHeight, clientHeight);
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, kRatiosCommand, RatiosItemText());
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintCodeCompliance(); }
};

CodeComplianceTableWindow& TheTable() {
  static CodeComplianceTableWindow table;
  return table;
}

// --- the printout ----------------------------------------------------------------------

class CodeCompliancePrintout : public ResultPrintTable {
 public:
  explicit CodeCompliancePrintout(int rows) : ResultPrintTable(TheTable(), rows, ShownGroups()) {
    gapAfterHeading1 = true;
    gapAfterHeading2 = true;
    equalize = [](std::vector<int>& w) { FitComplianceColumns(w, [](const std::string& t) { return TextWidth(t); }); };
    flagged = [](int row, int column, int line) {
      bool highlight = false;
      ComplianceCellText(row, column, line, highlight);
      return highlight;
    };
  }
  void SelectColumnPen(int column) override {
    const PrinterPageObjects& objects = PrinterObjects();
    SelectObject(g_PrinterDc, column == columnCount + 1 || IsBoundaryRule(column) ? objects.pointPen : objects.thinPen);
  }
  // Rules inside a group start under its title; the group boundaries run
  // the grid's height.
  void PrintColumnRule(int column) override {
    SelectColumnPen(column);
    const bool inside = column > 2 && column <= columnCount && !IsBoundaryRule(column);
    const int at = std::min(lefts[static_cast<std::size_t>(column)], rightEdge);
    MoveToEx(g_PrinterDc, at, inside ? UnderTitles() : originY, nullptr);
    LineTo(g_PrinterDc, at, pageRowsBottom);
  }
  void PrintExtra() override {
    ResultPrintTable::PrintExtra();
    // The rule under the group titles halfway between the title's descent
    // and the symbols' tops, and each ratio's fraction bar halfway between
    // its symbol and its allowable label (the heading lines of the grid lie
    // as the table printer places them with both gaps).
    const int under = UnderTitles();
    const int bar = originY + 2 * height + 2 * descent + 11 * gap / 2;
    SelectObject(g_PrinterDc, PrinterObjects().thinPen);
    for (const HeadingGroup& group : ShownGroups()) {
      const auto first = static_cast<std::size_t>(group.first);
      if (widths[first] == 0) continue;
      HorizontalLine(lefts[first], lefts[static_cast<std::size_t>(group.last) + 1], under);
      if (!Stresses().showRatios) continue;
      const auto ratio = static_cast<std::size_t>(group.last);
      HorizontalLine(lefts[ratio] + cellMargin, lefts[ratio + 1] - cellMargin, bar);
    }
  }

 private:
  int UnderTitles() const { return originY + height + descent + 11 * gap / 4; }
  static void HorizontalLine(int left, int right, int y) {
    MoveToEx(g_PrinterDc, left, y, nullptr);
    LineTo(g_PrinterDc, right, y);
  }
};

}  // namespace

std::string ComplianceTitle() { return PipingCodeTitle(Code()) + " Code Compliance"; }

int ComplianceGroupOf(int column) { return column >= 3 && column <= kColumns ? (column - 3) / 3 : -1; }

bool ComplianceColumnShown(int column) {
  if (column == 1 || column == 2) return true;
  const int group = ComplianceGroupOf(column);
  if (group < 0 || !GroupPresent(group)) return false;
  return PartOf(column) < 2 || Stresses().showRatios;
}

std::string ComplianceHeadingText(int column, int line) {
  if (line == 0) return column == 2 ? "Press." : "";
  if (column == 1) return line == 1 ? "Node" : "";
  if (column == 2) return line == 1 ? "Allow." : UnitLabel(kUnitPressure);
  const int group = ComplianceGroupOf(column);
  if (group < 0 || Stresses().cm == nullptr) return {};
  const CategorySymbols symbols =
      ComplianceSymbols(Stresses().cm->settings, kCategories[group], Stresses().presence.occasional);
  switch (PartOf(column)) {
    case 0: return line == 1 ? symbols.stress : UnitLabel(kUnitStress);
    case 1: return line == 1 ? symbols.allowable : UnitLabel(kUnitStress);
    default: return line == 1 ? symbols.stress : symbols.allowable;
  }
}

std::string ComplianceCellText(int row, int column, int line, bool& highlight) {
  highlight = false;
  const AnalysisElement* e = ElementOf(row);
  if (e == nullptr || line < 0 || line > 1 || !ComplianceColumnShown(column)) return {};
  if (column == 1) return NodeNumberText(TheModel().nodes[line == 0 ? e->node1 : e->node2].id);
  if (column == 2) return PressureCell(row, line, highlight);
  return GroupCell(Stresses().Record(row), ComplianceGroupOf(column), PartOf(column), line, highlight);
}

void ShowMissingAllowableMessage() {
  CodeStressResults& stresses = TheCodeStresses();
  if (stresses.missingAllowableMessage.empty() || stresses.missingAllowableMessageShown) return;
  stresses.missingAllowableMessageShown = true;
  ShowWarningMessage(ResultsFrame().window, stresses.missingAllowableMessage + "\nIts allowable and ratio show \"*****\".");
}

void OpenCodeComplianceTable() {
  const CodeStressResults& r = Stresses();
  if (r.RecordCount() == 0 || !r.computed) return;
  CodeComplianceTableWindow& table = TheTable();
  if (!BindResultsTable(table, kColumns, 3)) return;
  SetResultsReopenCommand(OpenCodeComplianceTable);
  TableRefresh(table, ComplianceTitle(), r.RecordCount(), 0);
  table.CurrentRowChanged();
  // An allowable pressure the code has no value for is said once per results.
  CodeStressResults& stresses = TheCodeStresses();
  if (!stresses.allowablePressureMessage.empty() && !stresses.allowablePressureMessageShown) {
    stresses.allowablePressureMessageShown = true;
    ShowWarningMessage(ResultsFrame().window, stresses.allowablePressureMessage + "\nIts allowable pressure shows \"*****\".");
  }
  ShowMissingAllowableMessage();
}

void ToggleComplianceRatios() {
  TheCodeStresses().showRatios = !TheCodeStresses().showRatios;
  // Reopening puts the View item back with the new state's text.
  OpenCodeComplianceTable();
}

ResultTableWindow& CodeComplianceTable() { return TheTable(); }
void RegisterCodeComplianceTable() { RegisterResultTableView(TheTable()); }

void PrintCodeComplianceGrid() {
  const int rows = Stresses().RecordCount();
  if (rows == 0) return;
  CodeCompliancePrintout grid(rows);
  PrintResultGrid(grid, "Code compliance", ComplianceTitle(), rows);
}
