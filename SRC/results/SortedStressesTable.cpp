// The sorted stresses table; see SortedStressesTable.h.
#include "results/SortedStressesTable.h"

#include <cmath>
#include <string>
#include <vector>

#include "codes/CodeStressDriver.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "printing/TablePrint.h"
#include "results/CodeComplianceTable.h"
#include "results/ResultViewItems.h"
#include "results/SortedStressReport.h"
#include "results/StressDisplays.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 32;
constexpr int kSections = kSortedStressSections;
constexpr int kOccasionalSection = 3;
constexpr int kColourCommand = 383, kStressesCommand = 332, kRatiosCommand = 333, kThresholdsCommand = 334,
              kAllowablesCommand = 374, kOperatingCommand = 338;

CodeStressResults& Stresses() { return TheCodeStresses(); }
int Code() { return Stresses().cm != nullptr ? Stresses().cm->settings.code : 0; }
bool StressOnly() { return Stresses().stressOnly; }
bool Pipeline() { return IsPipelineCode(Code()); }
bool Occasional() { return Stresses().presence.occasional; }
bool InCodes(int code, std::initializer_list<int> codes) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

bool SectionPresent(int k) { return k >= 0 && k < kSections && Stresses().sorted.present[static_cast<std::size_t>(k)]; }
int SectionOf(int column) { return (column - 1) / 4; }
int PartOf(int column) { return (column - 1) % 4; }  // 0 node, 1 stress, 2 allowable, 3 ratio

// The node table a section shows: the pipeline codes show their sustained
// plus occasional stresses in the sustained place.
const SortedStressSection& SectionTable(int k) {
  const SortedStresses& sorted = Stresses().sorted;
  if (k == 0 && Pipeline() && Occasional() && !sorted.sections[kOccasionalSection].entries.empty())
    return sorted.sections[kOccasionalSection];
  return sorted.sections[static_cast<std::size_t>(k)];
}

// The node of row `row` in section k; 0 when the row lies beyond its list.
int NodeOfRow(int k, int row) {
  const SortedStressSection& table = SectionTable(k);
  if (row < 1 || row >= static_cast<int>(table.order.size())) return 0;
  return table.order[static_cast<std::size_t>(row)];
}

const GoverningStress* EntryOfRow(int k, int row) {
  const int node = NodeOfRow(k, row);
  if (node == 0) return nullptr;
  return &SectionTable(k).entries[static_cast<std::size_t>(node)];
}

std::string StressText(double value) {
  if (IsFlaggedStress(std::fabs(value)) || !std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}

void EnsureCurrentSectionPresent() {
  SortedStresses& sorted = Stresses().sorted;
  if (SectionPresent(sorted.currentSection)) return;
  for (int k = 0; k < kSections; ++k)
    if (SectionPresent(k)) {
      sorted.currentSection = k;
      return;
    }
}

const char* AllowablesItemText() { return Stresses().sorted.showAllowables ? "Hide &Allowables" : "Show &Allowables"; }

std::string OperatingItemText() {
  return std::string(Stresses().showOperating ? "Hide Operating Stress for " : "Show Operating Stress for ") +
         (Code() == 5 ? "Impact Test" : "NDE");
}

std::vector<ViewItem> ViewItems() {
  return {{kColourCommand, "Color code stresses"},
          {kStressesCommand, "&Show Stresses"},
          {kRatiosCommand, "Show Stress &Ratios"},
          {kThresholdsCommand, "&Thresholds..."},
          {kAllowablesCommand, AllowablesItemText()}};
}

// Visibility and the section titles' room on widths measured with `width`.
void FitSortedColumns(std::vector<int>& widths, const TextWidthFunction& width, bool printer) {
  const int room = 2 * width(" ");
  const bool allowables = Stresses().sorted.showAllowables;
  for (int k = 0; k < kSections; ++k) {
    const auto first = static_cast<std::size_t>(4 * k + 1);
    if (!SectionPresent(k)) {
      for (std::size_t c = first; c < first + 4; ++c) widths[c] = 0;
      continue;
    }
    if (!allowables) widths[first + 2] = 0;
    int sum = 0, shown = 0;
    for (std::size_t c = first; c < first + 4; ++c)
      if (widths[c] > 0) {
        sum += widths[c];
        ++shown;
      }
    const int excess = width(SortedSectionTitle(k, printer)) - (sum + room);
    if (excess <= 0 || shown == 0) continue;
    for (std::size_t c = first; c < first + 4; ++c)
      if (widths[c] > 0) widths[c] += excess / shown;
  }
}

std::vector<HeadingGroup> SectionGroups(bool printer) {
  std::vector<HeadingGroup> groups;
  for (int k = 0; k < kSections; ++k)
    if (SectionPresent(k)) groups.push_back({4 * k + 1, 4 * k + 4, SortedSectionTitle(k, printer)});
  return groups;
}

// --- the table window --------------------------------------------------------------

class SortedStressesTableWindow : public ResultTableWindow {
 public:
  SortedStressesTableWindow() {
    linesPerRow = 1;
    gapAfterHeading1 = true;
    gapAfterHeading2 = true;
    nodeSearch = true;
  }

  std::string PrintName() override { return "Sorted stresses"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    FitSortedColumns(widths, ScreenTextWidth(*this), false);
  }
  std::string HeadingText(int column, int line) override {
    if (column < 1 || column > kColumns || line == 0) return {};
    const int k = SectionOf(column);
    switch (PartOf(column)) {
      case 0: return line == 2 ? "Node" : "";
      case 1: return line == 1 ? SortedStressSymbol(k) : UnitLabel(kUnitStress);
      case 2: return line == 1 ? SortedAllowableSymbol(k) : UnitLabel(kUnitStress);
      default: return line == 1 ? SortedStressSymbol(k) : SortedAllowableSymbol(k);
    }
  }
  std::string CellText(int row, int column, int /*line*/) override {
    bool marked = false;
    return SortedStressCellText(row, column, marked);
  }
  void DrawCellCustom(int row, int column, int /*line*/, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    bool marked = false;
    SortedStressCellText(row, column, marked);
    if (!marked) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  int FirstDrawnColumn() override { return 4 * Stresses().sorted.currentSection + 1; }
  int LastDrawnColumn() override { return 4 * Stresses().sorted.currentSection + 4; }
  std::int32_t RowNode(int row) override {
    const int node = NodeOfRow(Stresses().sorted.currentSection, row);
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    switch (key) {
      case VK_TAB: CycleResultTable(GetKeyState(VK_SHIFT) < 0); return;
      case VK_LEFT: StepSection(-1); return;
      case VK_RIGHT: StepSection(1); return;
      default: TableKeyDown(*this, key); return;
    }
  }
  void ColumnClicked() override {
    const int k = SectionOf(currentColumn);
    if (k == Stresses().sorted.currentSection || !SectionPresent(k)) return;
    HideHighlight();
    Stresses().sorted.currentSection = k;
    ApplyStressSection();
    Redraw();
  }
  void CurrentRowChanged() override {
    const int node = NodeOfRow(Stresses().sorted.currentSection, currentRow);
    if (node != 0) HighlightNode(node);
  }
  void Prepare() override {
    InsertViewItems(ViewItems());
    ShowResultsButtons({297, kStressesCommand, kRatiosCommand}, true);
  }
  void Close() override {
    HideStressDisplays();
    RemoveViewItems({kColourCommand, kStressesCommand, kRatiosCommand, kThresholdsCommand, kAllowablesCommand});
    ShowResultsButtons({297, kStressesCommand, kRatiosCommand}, false);
    HideHighlight();
  }
  void PaintExtra() override {
    PaintHeadingGroups(*this, SectionGroups(false));
    const TableFontMetrics& m = Metrics();
    const int y = 3 * m.lineGap + 2 * m.charHeight + m.lineGap / 2;
    SelectObject(Dc(), TableDrawing().black);
    for (int k = 0; k < kSections; ++k) {
      const auto ratio = static_cast<std::size_t>(4 * k + 4);
      if (widths[ratio] == 0) continue;
      TableHorizontalLine(*this, x[ratio] + m.cellMargin, x[ratio + 1] - m.cellMargin, y);
    }
  }
  void DrawColumnRule(int column) override {
    if (widths[static_cast<std::size_t>(column) - 1] == 0) return;
    if (PartOf(column) == 0) {
      SelectObject(Dc(), SectionRulePen());
      TableVerticalLine(*this, x[static_cast<std::size_t>(column)], 0, clientHeight);
      return;
    }
    const TableFontMetrics& m = Metrics();
    SelectObject(Dc(), TableDrawing().black);
    TableVerticalLine(*this, x[static_cast<std::size_t>(column)], m.lineGap * 3 / 2 + m.charHeight, clientHeight);
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, kStressesCommand, StressDisplayShown() ? "&Hide Stresses" : "&Show Stresses");
    AppendMenu(popup, MF_STRING, kRatiosCommand, RatioDisplayShown() ? "&Hide Stress Ratios" : "Show Stress &Ratios");
    AppendMenu(popup, MF_STRING, kThresholdsCommand, "&Thresholds...");
    AppendMenu(popup, MF_STRING, kOperatingCommand, OperatingItemText().c_str());
    AppendMenu(popup, MF_STRING, kAllowablesCommand, AllowablesItemText());
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override;

 private:
  static HPEN SectionRulePen() {
    static HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    return pen;
  }
  void StepSection(int step) {
    int k = Stresses().sorted.currentSection;
    for (int i = 0; i < kSections; ++i) {
      k = (k + step + kSections) % kSections;
      if (SectionPresent(k)) break;
    }
    if (k == Stresses().sorted.currentSection) return;
    HideHighlight();
    Stresses().sorted.currentSection = k;
    currentColumn = 4 * k + 1;
    ApplyStressSection();
    Redraw();
  }
  void Redraw() {
    if (Window() != nullptr) InvalidateRect(Window(), nullptr, FALSE);
    CurrentRowChanged();
  }
};

SortedStressesTableWindow& TheTable() {
  static SortedStressesTableWindow table;
  return table;
}

std::string TableTitle() {
  if (StressOnly()) return "Sorted stresses";
  return PipingCodeTitle(Code()) + " Code compliance (Sorted stresses)";
}

void SortedStressesTableWindow::WriteText() {
  const int rows = Stresses().sorted.rowCount;
  if (g_ReportFileOpen) {
    SortedStressesText();
    return;
  }
  if (rows == 0) return;
  ResultPrintTable grid(*this, rows, SectionGroups(true));
  grid.gapAfterHeading1 = true;
  grid.gapAfterHeading2 = true;
  grid.equalize = [](std::vector<int>& w) {
    FitSortedColumns(w, [](const std::string& t) { return PrintTable::TextWidth(t); }, true);
  };
  grid.flagged = [](int row, int column, int /*line*/) {
    bool marked = false;
    SortedStressCellText(row, column, marked);
    return marked;
  };
  PrintResultGrid(grid, "Sorted stresses", TableTitle(), rows);
}

}  // namespace

std::string SortedSectionTitle(int k, bool printer) {
  const int code = Code();
  if (StressOnly() && k <= 2) {
    static const char* const titles[] = {"Von Mises stress", "Maximum stress", "Minimum stress"};
    return titles[k];
  }
  switch (k) {
    case 0: return SustainedCategoryTitle(code);
    case 1: return ExpansionCategoryTitle(code);
    case 2: return CombinedCategoryTitle(code);
    case 3: return OccasionalCategoryTitle(code);
    case 4: return SettlementCategoryTitle(code);
    case 5: return CreepCategoryTitle(code);
    case 6:
      if (code == 5) return printer ? "Oper.Stress for Impact Test" : "Oper. Stress for Impact Test";
      return "Operating Stress for NDE";
    case 7: return printer ? "Buried Stress (5.2.4)" : "Buried Piping 5.2.4";
    default: return {};
  }
}

std::string SortedStressSymbol(int k) {
  const int code = Code();
  const bool en = code == 21 || code == 16;
  switch (k) {
    case 0:
      if (code == 0) return "Stress";
      if (code == 12) return "fc";
      if (en) return "S1";
      return Pipeline() && Occasional() ? "SL+SO" : "SL";
    case 1: return code == 0 ? "Stress" : code == 12 ? "fc" : en ? "S3" : "SE";
    case 2:
      if (code == 0) return "Stress";
      if (code == 12) return "fc";
      if (en) return "S4";
      return code == 22 ? "Sh-SL+SB" : (code == 4 || code == 6) ? "Seq" : "SL+SE";
    case 3: return en ? "S2" : "SL+SO";
    case 4: return code == 21 ? "S6" : "SS";
    case 5: return "S5";
    case 6: return "Sopr";
    case 7: return "SL";
    default: return {};
  }
}

std::string SortedAllowableSymbol(int k) {
  const int code = Code();
  const bool nordic = InCodes(code, {13, 14, 18});
  switch (k) {
    case 0:
      if (code == 0) return "Allow.";
      if (code == 12) return "max";
      if (code == 21) return "ff";
      if (code == 16) return "fh";
      if (code == 6) return "0.75ST";
      if (code == 4) return Occasional() ? "0.80SY" : "0.75SY";
      if (code == 22) return "SFLT";
      return IsClass2Or3Code(code) ? "1.5SH" : "SH";
    case 1:
      if (code == 0) return "Allow.";
      if (code == 12) return "max";
      if (code == 21 || code == 16) return "fa";
      return nordic ? "SR" : code == 22 ? "0.72ST" : "SA";
    case 2:
      if (code == 0) return "Allow.";
      if (code == 12) return "Rupture";
      if (code == 21) return "ff+fa";
      if (code == 16) return "fh+fa";
      if (code == 6) return "0.9ST";
      if (code == 4) return "0.9SY";
      if (code == 22) return "ST";
      return nordic ? "SH+SR" : "SH+SA";
    case 3: return Stresses().cm != nullptr ? OccasionalAllowableLabel(Stresses().cm->settings) : "";
    case 4: return code == 21 ? "S6a" : "3.0SC";
    case 5: return "fCR";
    case 6: return "Sall";
    case 7: return "SLa";
    default: return {};
  }
}

std::string SortedStressCellText(int row, int column, bool& marked) {
  marked = false;
  if (column < 1 || column > kColumns) return {};
  const int k = SectionOf(column);
  if (!SectionPresent(k)) return {};
  const GoverningStress* e = EntryOfRow(k, row);
  if (e == nullptr) return {};
  const int part = PartOf(column);
  if (part == 0) return NodeNumberText(TheModel().nodes[NodeOfRow(k, row)].id);
  const bool counted = e->allowable > 2.0f, over = e->ratio > 1.0f;
  if (k <= 1) {
    if (e->stress < 0.0f) return {};
    if (part == 1) {
      marked = over && counted;
      return StressText(e->stress);
    }
    if (!counted) return AllowableMissing(e->stress, e->allowable) ? kNotFiniteText : std::string();
    if (part == 2) return StressText(e->allowable);
    marked = over;
    return FormatRatio(e->ratio);
  }
  if (part == 1) {
    marked = over && counted;
    if (!counted && k != 3 && k != 4 && !AllowableMissing(e->stress, e->allowable)) return {};
    return StressText(e->stress);
  }
  if (!counted) return AllowableMissing(e->stress, e->allowable) ? kNotFiniteText : std::string();
  if (part == 2) return StressText(e->allowable);
  marked = over;
  return FormatRatio(e->ratio);
}

bool SortedStressesOffered() {
  const CodeStressResults& r = Stresses();
  return r.computed && r.RecordCount() > 0 && (r.sorted.rowCount > 0 || Pipeline());
}

void OpenSortedStressesTable() {
  CodeStressResults& r = Stresses();
  if (!r.computed || r.RecordCount() == 0) return;
  if (r.sorted.rowCount == 0 && !Pipeline()) return;
  SortedStressesTableWindow& table = TheTable();
  if (!BindResultsTable(table, kColumns, 3)) return;
  SetResultsReopenCommand(OpenSortedStressesTable);
  ShowOperatingSection(r, r.showOperating);
  EnsureCurrentSectionPresent();
  table.currentColumn = 4 * r.sorted.currentSection + 1;
  TableRefresh(table, TableTitle(), r.sorted.rowCount, 0);
  table.CurrentRowChanged();
  ShowMissingAllowableMessage();
}

void ToggleSortedAllowables() {
  Stresses().sorted.showAllowables = !Stresses().sorted.showAllowables;
  OpenSortedStressesTable();
}

void ToggleOperatingStressSection() {
  CodeStressResults& r = Stresses();
  ShowOperatingSection(r, !r.showOperating);
  OpenSortedStressesTable();
}

ResultTableWindow& SortedStressesTable() { return TheTable(); }
void RegisterSortedStressesTable() { RegisterResultTableView(TheTable()); }

bool SectionNodeValues(int node, float& stress, float& ratio) {
  stress = ratio = 0.0f;
  const int k = Stresses().sorted.currentSection;
  if (!SectionPresent(k)) return false;
  const SortedStressSection& table = SectionTable(k);
  if (node < 1 || node >= static_cast<int>(table.entries.size())) return false;
  const GoverningStress& entry = table.entries[static_cast<std::size_t>(node)];
  if (entry.ratio < 0.0f) return false;
  stress = entry.stress;
  ratio = entry.ratio;
  return true;
}

int SortedRowNode(int row) {
  if (row < 1 || row > Stresses().sorted.rowCount) return 0;
  return NodeOfRow(Stresses().sorted.currentSection, row);
}

int CurrentStressSection() { return Stresses().sorted.currentSection; }
