// The FRP stresses, their table and their sorted view; see FrpStresses.h.
#include "results/FrpStresses.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "codes/Allowables.h"
#include "codes/CodeModel.h"
#include "codes/CodeStressDriver.h"
#include "codes/ElementCodeStress.h"
#include "elements/DerivedElementData.h"
#include "elements/HydrotestLoad.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "results/CodeStressResults.h"
#include "results/ElementLcs.h"
#include "results/FrpForcesTable.h"
#include "results/ResultViewItems.h"
#include "results/StressDisplays.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

// The cases that take no pressure: the expansion cases and ranges, and the
// occasional and dynamic cases.
bool TakesNoPressure(int caseType) {
  if (IsExpansionOrRangeCase(caseType)) return true;
  static constexpr int kOthers[] = {kCaseIdSettlement,     kCaseIdStaticSeismic,    kCaseIdWind,
                                    kCaseIdXAcceleration,  kCaseIdYAcceleration,    kCaseIdZAcceleration,
                                    kCaseIdModal,          kCaseIdResponseSpectrum, kCaseIdSeismicDisplacement,
                                    kCaseIdMissingMass,    kCaseIdTimeHistory,      kCaseIdHarmonic,
                                    kCaseIdForceSpectrum,  kCaseIdWind2,            kCaseIdWind3,
                                    kCaseIdWind4};
  return std::find(std::begin(kOthers), std::end(kOthers), caseType) != std::end(kOthers);
}

const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }
int FrpCount() { return static_cast<int>(TheResults().frpElements.size()); }
int FrpElement(int k) {
  const auto& frp = TheResults().frpElements;
  return k >= 1 && k <= static_cast<int>(frp.size()) ? frp[static_cast<std::size_t>(k) - 1] : 0;
}

// The pressure number (1 .. 10) of a case type that takes one pressure; 0
// when it takes none.
int PressureNumber(int caseType) {
  // The hanger travel steps and the static analysis take T1's.
  if (caseType == kCaseIdHangerTravel || caseType == kCaseIdRecalculatingHangerTravel ||
      caseType == kCaseIdStaticAnalysis)
    return 1;
  for (int k = 1; k <= 10; ++k)
    if (caseType == OperatingCase(k) || caseType == ColdSpringCase(k) || caseType == SustainedPressureCase(k))
      return k;
  return 0;
}

// The case's pressure and temperature for the element.
void CaseConditions(const Model& model, const AnalysisElement& element, int caseType, double& pressure,
                    double& temperature) {
  temperature = ElementMaxTemp(model, element);
  pressure = 0.0;
  if (caseType == kCaseIdSustained || caseType == kCaseIdColdSpringSustained || caseType == kCaseIdHangerLoads ||
      caseType == kCaseIdRecalculatingHangerLoads) {
    pressure = ElementMaxPressure(model, element);
  } else if (const int i = PressureNumber(caseType)) {
    pressure = ElementPressure(model, element, i);
  } else if (caseType == kCaseIdHydrotest) {
    const auto* hydrotest = element.hydrotestRow != 0
                                ? dynamic_cast<const HydrotestLoad*>(model.row(element.hydrotestRow).element.get())
                                : nullptr;
    pressure = hydrotest != nullptr ? hydrotest->pressure : 0.0;
    temperature = model.options.ReferenceTemperature;
  } else if (caseType == kCaseIdEmptyWeight) {
    pressure = 1.0e-36;
  } else {
    QV_ASSERT(TakesNoPressure(caseType));
  }
}

std::string StressCell(bool formed, double value) {
  if (!formed || !std::isfinite(value)) return {};
  return FormatStress(static_cast<float>(value));
}

// --- the sorted arrays -----------------------------------------------------------------

struct SortedFrp {
  std::array<std::vector<FrpGroupValue>, 4> groups;  // by entry, [0] unused
  std::array<std::vector<int>, 4> order;            // sorted entries, [0] unused
  int entries = 0;
};

SortedFrp& Sorted() {
  static SortedFrp sorted;
  return sorted;
}

FrpGroupValue GroupValue(int node, double stress, double allowable, bool formed) {
  FrpGroupValue v;
  v.node = node;
  v.stress = static_cast<float>(stress);
  v.allowable = static_cast<float>(allowable);
  v.formed = formed && std::isfinite(stress);
  v.ratio = v.formed && allowable > 2.0 ? static_cast<float>(std::fabs(stress / allowable)) : -1.0f;
  return v;
}

// --- the FRP stresses table -------------------------------------------------------------

class FrpStressesTableWindow : public ResultTableWindow {
 public:
  FrpStressesTableWindow() {
    linesPerRow = 2;
    nodePair = true;
  }
  void Load() {
    LoadCaseElementForces();
    cached_ = 0;
    ShowResultsTitle("FRP stresses");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return "FRP stresses"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    SpreadMaxWidth(widths, 2, 4);
  }
  std::string HeadingText(int column, int line) override {
    static const char* const kNames[] = {"", "", "Hoop", "Axial", "Bending", "Longitudinal", "Longitudinal", "Torsional"};
    if (column == 1) return line == 1 ? "Node" : "";
    if (column < 2 || column > 7) return {};
    if (line == 0) return kNames[column];
    if (column == 5) return std::string("Max ") + UnitLabel(kUnitStress);
    if (column == 6) return std::string("Min ") + UnitLabel(kUnitStress);
    return UnitLabel(kUnitStress);
  }
  std::string CellText(int row, int column, int line) override {
    const int e = FrpElement(row);
    if (e == 0 || line < 0 || line > 1) return {};
    const AnalysisElement& element = ElementAt(e);
    if (column == 1) return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
    if (cached_ != e || cachedCase_ != g_ResultCase) {
      if (!ComputeFrpStresses(e, record_)) record_ = FrpStressRecord{};
      cached_ = e;
      cachedCase_ = g_ResultCase;
    }
    const FrpEndStresses& s = record_.ends[static_cast<std::size_t>(line)];
    switch (column) {
      case 2: return StressCell(s.hoopFormed, s.hoop);
      case 3: return StressCell(s.axialFormed, s.axial);
      case 4: return StressCell(s.bendingFormed, s.bending);
      case 5: return StressCell(s.axialFormed && s.bendingFormed, s.axial + s.bending);
      case 6: return StressCell(s.axialFormed && s.bendingFormed, s.axial - s.bending);
      case 7: return StressCell(s.bendingFormed, s.torsion);
      default: return {};
    }
  }
  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override {
    from = to = 0;
    if (const int e = FrpElement(row)) {
      from = TheModel().nodes[ElementAt(e).node1].id;
      to = TheModel().nodes[ElementAt(e).node2].id;
    }
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    const int e = FrpElement(currentRow);
    if (e == 0) return;
    HighlightElementRow(ElementAt(e).row);
    StoreElementLcs(e);
  }
  void Prepare() override {
    AddTableSwitchItem(287, "Sorted &Stresses\tF6");
    AddLoadCaseMenu();
    AddElementLcsItem();
  }
  void Close() override {
    HideHighlight();
    RemoveTableSwitchItem(287);
    RemoveLoadCaseMenu();
    CloseElementLcs();
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 287, "&Sorted Stresses");
    AppendMenu(popup, MF_STRING, 327, ElementLcsMenuText().c_str());
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    if (TheResultCases().count > 1) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintFrpStresses(); }

 private:
  int cached_ = 0, cachedCase_ = 0;
  FrpStressRecord record_;
};

FrpStressesTableWindow& TheStresses() {
  static FrpStressesTableWindow table;
  return table;
}

// --- the sorted view ---------------------------------------------------------------------

std::string GroupTitle(int group) {
  static const char* const kTitles[4] = {"Hoop ", "Max Long ", "Min Long ", "Torsion "};
  return kTitles[group] + std::string(UnitLabel(kUnitStress));
}

std::vector<HeadingGroup> SortedGroups() {
  std::vector<HeadingGroup> groups;
  for (int g = 0; g < 4; ++g) groups.push_back({4 * g + 1, 4 * g + 4, GroupTitle(g)});
  return groups;
}

void FitSortedColumns(std::vector<int>& w, const TextWidthFunction& width) {
  EqualizeFourWidths(w, 1, 3, 5, 7);
  EqualizeFourWidths(w, 9, 11, 13, 15);
  EqualizeFourWidths(w, 2, 4, 6, 8);
  EqualizeFourWidths(w, 10, 12, 14, 16);
  const int title = width(std::string("MaxLong") + UnitLabel(kUnitStress));
  const int sum = w[1] + w[2] + w[3] + w[4];
  if (title > sum)
    for (int c = 1; c <= 16; ++c) w[static_cast<std::size_t>(c)] += (title - sum) / 4;
}

std::string SortedCell(int row, int column, bool& over) {
  over = false;
  if (column < 1 || column > 16) return {};
  const int group = (column - 1) / 4, part = (column - 1) % 4;
  const SortedFrp& sorted = Sorted();
  if (row < 1 || row > sorted.entries) return {};
  const int entry = sorted.order[static_cast<std::size_t>(group)][static_cast<std::size_t>(row)];
  const FrpGroupValue& v = sorted.groups[static_cast<std::size_t>(group)][static_cast<std::size_t>(entry)];
  switch (part) {
    case 0: return v.node != 0 ? NodeNumberText(TheModel().nodes[v.node].id) : "";
    case 1: return StressCell(v.formed, v.stress);
    case 2: return v.allowable > 2.0f ? FormatStress(v.allowable) : "";
    default:
      if (!(v.allowable > 2.0f) || v.ratio < 0.0f) return {};
      over = v.ratio >= 1.0f;
      return FormatRatio(v.ratio);
  }
}

void SetFrpGroup(int group) {
  TheCodeStresses().sorted.currentSection = (group % 4 + 4) % 4;
}

class SortedFrpTableWindow : public ResultTableWindow {
 public:
  SortedFrpTableWindow() {
    linesPerRow = 1;
    gapAfterHeading1 = true;
    nodeSearch = true;
  }
  void Load() {
    LoadCaseElementForces();
    SortFrpStresses();
    ShowResultsTitle("Sorted FRP stresses");
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
    ApplyStressSection();
  }
  std::string PrintName() override { return "Sorted FRP stresses"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    FitSortedColumns(widths, ScreenTextWidth(*this));
  }
  std::string HeadingText(int column, int line) override {
    if (column < 1 || column > 16 || line == 0) return {};
    static const char* const kFirst[4] = {"Node", "Stress", "Allow", "Stress/"};
    const int part = (column - 1) % 4;
    if (line == 1) return kFirst[part];
    if (part == 1 || part == 2) return UnitLabel(kUnitStress);
    return part == 3 ? "Allow" : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    bool over = false;
    return SortedCell(row, column, over);
  }
  void DrawCellCustom(int row, int column, int /*line*/, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    bool over = false;
    SortedCell(row, column, over);
    if (!over) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  int FirstDrawnColumn() override { return 4 * CurrentFrpGroup() + 1; }
  int LastDrawnColumn() override { return 4 * CurrentFrpGroup() + 4; }
  std::int32_t RowNode(int row) override {
    const int entry = FrpSortedEntry(row);
    const int node = entry != 0 ? FrpStressComponent(entry).node : 0;
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if ((key == VK_LEFT || key == VK_RIGHT) && control) {
      HideHighlight();
      SetFrpGroup(CurrentFrpGroup() + (key == VK_RIGHT ? 1 : -1));
      currentColumn = 4 * CurrentFrpGroup() + 1;
      ApplyStressSection();
      Redraw();
      return;
    }
    if (key == VK_LEFT || key == VK_RIGHT) {
      ResultTableKey(*this, key);  // the case changes and the table reloads
      return;
    }
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void ColumnClicked() override {
    const int group = (currentColumn - 1) / 4;
    if (group == CurrentFrpGroup() || group < 0 || group > 3) return;
    HideHighlight();
    SetFrpGroup(group);
    ApplyStressSection();
    Redraw();
  }
  void CurrentRowChanged() override {
    const int entry = FrpSortedEntry(currentRow);
    if (entry != 0 && FrpStressComponent(entry).node != 0) HighlightNode(FrpStressComponent(entry).node);
  }
  void Prepare() override {
    AddTableSwitchItem(287, "Unsorted &Stresses\tF6");
    InsertViewItems({{332, "&Show Stresses"}, {333, "Show Stress &Ratios"}});
    AddLoadCaseMenu();
    ShowResultsButtons({297, 332, 333}, true);
  }
  void Close() override {
    HideStressDisplays();
    HideHighlight();
    RemoveTableSwitchItem(287);
    RemoveViewItems({332, 333});
    RemoveLoadCaseMenu();
    ShowResultsButtons({297, 332, 333}, false);
  }
  void PaintExtra() override { PaintHeadingGroups(*this, SortedGroups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, SortedGroups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 287, "Unsorted &Stresses");
    AppendMenu(popup, MF_STRING, 332, StressDisplayShown() ? "&Hide Stresses" : "&Show Stresses");
    AppendMenu(popup, MF_STRING, 333, RatioDisplayShown() ? "&Hide Stress Ratios" : "Show Stress &Ratios");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    if (TheResultCases().count > 1) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintSortedFrpStresses(); }

 private:
  void Redraw() {
    if (Window() != nullptr) InvalidateRect(Window(), nullptr, FALSE);
    CurrentRowChanged();
  }
};

SortedFrpTableWindow& TheSorted() {
  static SortedFrpTableWindow table;
  return table;
}

// The layouts of the two tables, on screen and printed alike.
constexpr TableShape kStressesShape{7, 2, 2};
constexpr TableShape kSortedShape{16, 3, 1};

template <typename Table>
void ShowTable(Table& table, ResultOpener opener, TableShape shape, int rows) {
  if (!BindResultsTable(table, shape.columns, shape.headingLines)) return;
  SetResultsReopenCommand(opener);
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

// The pages of a text report: the heading at the top of each page.
template <typename Heading, typename Row>
void TextPages(const std::string& pageTitle, int rows, int linesBetween, Heading heading, Row row) {
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(pageTitle);
  for (int r = 1; r <= rows; ++r) {
    if (r == 1 || g_ReportLine == kReportBodyLine) heading();
    row(r);
    if (r < rows && ReportLinesLeft() < linesBetween) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

}  // namespace

bool ComputeFrpStresses(int e, FrpStressRecord& record) {
  record = FrpStressRecord{};
  CodeStressResults& r = TheCodeStresses();
  if (r.cm == nullptr || e < 1 || e > r.cm->ElementCount()) return false;
  const CodeModel& cm = *r.cm;
  const AnalysisElement& element = cm.Element(e);
  const int type = CurrentResultCaseType();
  double pressure = 0.0, temperature = 0.0;
  CaseConditions(cm.model, element, type, pressure, temperature);
  const EndDimensions dimensions = ElementEndDimensions(cm, element);
  const PipeSection* section = cm.SectionOf(element);
  const double mill = section != nullptr ? section->millTolerance : 0.0;
  const double corrosion = section != nullptr ? section->corrosionAllowance : 0.0;
  if (const Material* material = cm.MaterialOf(element)) {
    record.hoopAllowable = std::max(AllowableAtTemperature(*material, temperature), 2.0);
    record.torsionAllowable = std::max(YieldAtTemperature(*material, temperature), 2.0);
    record.axialAllowable = std::max(CreepStressAtTemperature(*material, temperature), 2.0);
  }
  const CodeStressCase c{cm, r.sifs, CurrentCaseForces(), type};
  const EndPair longitudinal = ElementPressureStresses(cm, e, pressure);
  const EndSection properties = ElementEndSectionProperties(c, e, false);
  const bool separate = InOutPlaneSifs();
  const std::array<float, 12> forces =
      e < static_cast<int>(g_CaseElementForces.size()) ? g_CaseElementForces[static_cast<std::size_t>(e)] : std::array<float, 12>{};
  for (int end = 0; end < 2; ++end) {
    FrpEndStresses& s = record.ends[static_cast<std::size_t>(end)];
    const std::size_t at = static_cast<std::size_t>(end);
    const double te = (1.0 - 0.01 * mill) * dimensions.t[at] - corrosion;
    s.hoopFormed = te > 0.0;
    if (s.hoopFormed) s.hoop = dimensions.D[at] * pressure / (2.0 * te);
    const double A = properties.A[at], Z = properties.Z[at];
    const std::size_t base = end == 0 ? 0 : 6;
    s.axialFormed = A > 0.0;
    if (s.axialFormed) s.axial = forces[base] / A + (end == 0 ? longitudinal.end1 : longitudinal.end2);
    double inPlane = 0.0, outPlane = 0.0;
    EndBendingMoments(e, end, inPlane, outPlane);
    const SifTables& sifs = r.sifs;
    double ii = 1.0, io = 1.0;
    if (e < static_cast<int>(sifs.elements.size())) {
      const EndSifs& sif = sifs.elements[static_cast<std::size_t>(e)].ends[at];
      ii = sif.inPlane;
      io = separate ? sif.outPlane : sif.inPlane;
    }
    s.bendingFormed = Z > 0.0;
    if (s.bendingFormed) {
      s.bending = std::sqrt(std::pow(inPlane * ii, 2) + std::pow(io * outPlane, 2)) / Z;
      s.torsion = std::fabs(forces[base + 3]) / (2.0 * Z);
    }
  }
  return true;
}

void SortFrpStresses() {
  SortedFrp& sorted = Sorted();
  const int n = FrpCount();
  sorted.entries = 2 * n;
  for (int g = 0; g < 4; ++g) {
    sorted.groups[static_cast<std::size_t>(g)].assign(static_cast<std::size_t>(sorted.entries) + 1, FrpGroupValue{});
    sorted.order[static_cast<std::size_t>(g)].assign(static_cast<std::size_t>(sorted.entries) + 1, 0);
  }
  LoadCaseElementForces();
  for (int k = 1; k <= n; ++k) {
    const int e = FrpElement(k);
    FrpStressRecord record;
    ComputeFrpStresses(e, record);
    const AnalysisElement& element = ElementAt(e);
    for (int end = 0; end < 2; ++end) {
      const int entry = 2 * k - 1 + end;
      const int node = end == 0 ? element.node1 : element.node2;
      const FrpEndStresses& s = record.ends[static_cast<std::size_t>(end)];
      const bool longitudinal = s.axialFormed && s.bendingFormed;
      const FrpGroupValue values[4] = {GroupValue(node, s.hoop, record.hoopAllowable, s.hoopFormed),
                                       GroupValue(node, s.axial + s.bending, record.axialAllowable, longitudinal),
                                       GroupValue(node, s.axial - s.bending, record.axialAllowable, longitudinal),
                                       GroupValue(node, s.torsion, record.torsionAllowable, s.bendingFormed)};
      for (std::size_t g = 0; g < 4; ++g) {
        sorted.groups[g][static_cast<std::size_t>(entry)] = values[g];
        sorted.order[g][static_cast<std::size_t>(entry)] = entry;
      }
    }
  }
  // Largest ratio first; equal ratios keep their entry order, and ends
  // without an allowable (-1) come last.
  for (std::size_t g = 0; g < 4; ++g) {
    const std::vector<FrpGroupValue>& values = sorted.groups[g];
    std::stable_sort(sorted.order[g].begin() + 1, sorted.order[g].end(), [&values](int a, int b) {
      return values[static_cast<std::size_t>(a)].ratio > values[static_cast<std::size_t>(b)].ratio;
    });
  }
}

int CurrentFrpGroup() {
  const int section = TheCodeStresses().sorted.currentSection;
  return section >= 1 && section <= 3 ? section : 0;
}

FrpGroupValue FrpStressComponent(int entry) {
  const SortedFrp& sorted = Sorted();
  if (entry < 1 || entry > sorted.entries) return {};
  return sorted.groups[static_cast<std::size_t>(CurrentFrpGroup())][static_cast<std::size_t>(entry)];
}

int FrpSortedEntry(int row) {
  const SortedFrp& sorted = Sorted();
  if (row < 1 || row > sorted.entries) return 0;
  return sorted.order[static_cast<std::size_t>(CurrentFrpGroup())][static_cast<std::size_t>(row)];
}

int FrpEntryCount() { return Sorted().entries; }

std::string FrpGroupStressName(int group) {
  static const char* const kNames[4] = {"Hoop stress ", "Max.Long stress ", "Min.Long stress ", "Torsional stress "};
  return kNames[group >= 0 && group <= 3 ? group : 0];
}

std::string FrpGroupRatioName(int group) {
  static const char* const kNames[4] = {"Hoop stress ratio - ", "Max.Long stress ratio - ", "Min.Long stress ratio - ",
                                        "Torsional stress ratio - "};
  return kNames[group >= 0 && group <= 3 ? group : 0];
}

bool FrpStressesOffered() { return FrpCount() > 0 && TheResultCases().count > 0; }

void OpenFrpStressesTable() {
  if (!FrpStressesOffered()) return;
  ShowTable(TheStresses(), OpenFrpStressesTable, kStressesShape, FrpCount());
}

void OpenSortedFrpStressesTable() {
  if (!FrpStressesOffered()) return;
  // A section beyond the groups (left by the sorted code stresses) is the hoop group.
  if (TheCodeStresses().sorted.currentSection > 3) SetFrpGroup(0);
  SortedFrpTableWindow& table = TheSorted();
  table.currentColumn = 4 * CurrentFrpGroup() + 1;
  ShowTable(table, OpenSortedFrpStressesTable, kSortedShape, 2 * FrpCount());
}

ResultTableWindow& FrpStressesTable() { return TheStresses(); }

void ToggleFrpStressesLcs() {
  if (ShownResultTable() != &TheStresses()) return;
  ToggleElementLcs(FrpElement(TheStresses().currentRow));
}
ResultTableWindow& SortedFrpStressesTable() { return TheSorted(); }
void RegisterFrpStressTables() {
  RegisterResultTableView(TheStresses());
  RegisterResultTableView(TheSorted());
}

void PrintFrpStresses() {
  const int rows = FrpCount();
  if (rows == 0) return;
  FrpStressesTableWindow& t = TheStresses();
  t.Load();
  const std::string caseTitle = CurrentCaseTitle();
  const std::string unit = UnitLabel(kUnitStress);
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(t, kStressesShape, rows);
    grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 4); };
    PrintResultGrid(grid, "FRP stresses", "FRP stresses: " + caseTitle, rows);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted("FRP element stresses " + unit + ": " + caseTitle));
    ReportNewLine();
    ReportAppendLine("Node,Hoop,Axial,Bending,Max. Longitudnl,Min Longitudnl,Torsional");
    ReportNewLine();
    ReportNewLine();
    for (int row = 1; row <= rows; ++row)
      for (int line = 0; line < 2; ++line) {
        std::vector<std::string> cells;
        for (int c = 1; c <= 7; ++c) cells.push_back(t.CellText(row, c, line));
        WriteCsvCells(cells);
      }
    ReportNewLine();
    return;
  }
  auto heading = [&] {
    ReportPutCentred("FRP element stresses " + unit + ": " + caseTitle, 6, 78);
    ReportNewLine();
    ReportRule();
    ReportPutText("Max", 43);
    ReportPutText("Min", 55);
    ReportNewLine();
    ReportPutText("Node", 6);
    ReportPutText("Hoop     Axial    Bending  Longitudnl  Longitudnl  Torsional", 13);
    ReportNewLine();
    ReportRule();
  };
  TextPages(caseTitle + ": FRP stresses", rows, 3, heading, [&t](int row) {
    static constexpr int kEnds[6] = {16, 26, 36, 46, 58, 70};
    for (int line = 0; line < 2; ++line) {
      ReportPutText(t.CellText(row, 1, line), 6);
      for (int c = 2; c <= 7; ++c) ReportPutTextRight(t.CellText(row, c, line), kEnds[c - 2]);
      ReportNewLine();
    }
    ReportNewLine();
  });
}

void PrintSortedFrpStresses() {
  const int n = FrpCount();
  if (n == 0) return;
  SortFrpStresses();
  const int rows = 2 * n;
  const std::string caseTitle = CurrentCaseTitle();
  const std::string unit = UnitLabel(kUnitStress);
  SortedFrpTableWindow& t = TheSorted();
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(t, kSortedShape, rows, SortedGroups());
    grid.gapAfterHeading1 = true;
    grid.equalize = [](std::vector<int>& w) {
      FitSortedColumns(w, [](const std::string& text) { return PrintTable::TextWidth(text); });
    };
    grid.flagged = [](int row, int column, int /*line*/) {
      bool over = false;
      SortedCell(row, column, over);
      return over;
    };
    PrintResultGrid(grid, "Sorted FRP stresses", "Sorted FRP stresses: " + caseTitle, rows);
    return;
  }
  auto pair = [](int row, int group, bool stress) {
    bool over = false;
    return SortedCell(row, 4 * group + (stress ? 2 : 1), over);
  };
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted("Sorted FRP stresses " + unit + ": " + caseTitle));
    ReportNewLine();
    ReportAppendLine("Node,Hoop,Node,Max.Longitdnl,Node,Min.Longitdnl,Node,Torsional");
    ReportNewLine();
    ReportNewLine();
    for (int row = 1; row <= rows; ++row) {
      std::vector<std::string> cells;
      for (int g = 0; g < 4; ++g) {
        cells.push_back(pair(row, g, false));
        cells.push_back(pair(row, g, true));
      }
      WriteCsvCells(cells);
    }
    ReportNewLine();
    ReportNewLine();
    return;
  }
  auto heading = [&] {
    ReportPutCentred("Sorted FRP stresses " + unit + ": " + caseTitle, 6, 78);
    ReportNewLine();
    ReportRule();
    ReportPutText("Max", 29);
    ReportPutText("Min", 47);
    ReportNewLine();
    ReportPutText("Node", 6);
    ReportPutText("Hoop", 13);
    ReportPutText("Node", 21);
    ReportPutText("Longitdnl", 27);
    ReportPutText("Node", 40);
    ReportPutText("Longitdnl", 46);
    ReportPutText("Node", 59);
    ReportPutText("Torsional", 65);
    ReportNewLine();
    ReportRule();
  };
  TextPages(caseTitle + ": Sorted FRP stresses", rows, 2, heading, [&pair](int row) {
    static constexpr int kNodes[4] = {6, 21, 40, 59};
    static constexpr int kEnds[4] = {16, 33, 52, 71};
    for (int g = 0; g < 4; ++g) {
      ReportPutText(pair(row, g, false), kNodes[g]);
      ReportPutTextRight(pair(row, g, true), kEnds[g]);
    }
    ReportNewLine();
  });
}
