// The guides' result views: "Loads on Guides" in local axes (fx along the
// pipe, blank without friction, fy and fz across it, and the pipe axis) or
// in global axes (FX, FY, FZ = fx a + fy l1 + fz l2; in a dynamic case,
// where the responses have no sign, the sum of the parts' magnitudes),
// switched by the global/local command, and the guide's support load
// summary. The printed section writes the local block and then the global
// one.
#include <cmath>

#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultCases.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Guide.h"
#include "supports/OtherSupportLists.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLocalNames[3] = {"fx", "fy", "fz"};
constexpr const char* kGlobalNames[3] = {"FX", "FY", "FZ"};

Guide& AsGuide(const DataItem& item) { return const_cast<Guide&>(static_cast<const Guide&>(item)); }

void OpenGuideLoadsTable() { OpenSupportKindLoadsTable(GuideResultKind()); }

// The global loads of a guide in the case loaded.
std::array<float, 3> GlobalLoads(const DataItem& item, int layoutRow) {
  Guide& guide = AsGuide(item);
  if (layoutRow == 0) return {};
  return GuideGlobalLoads(guide, TheModel().row(layoutRow).endNode, IsDynamicLoadCase());
}

// The layout row that holds the item.
int RowOfItem(const DataItem& item) {
  const Model& model = TheModel();
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).item.get() == &item) return row;
  return 0;
}

bool Global() { return g_SupportLoadsGlobal != 0; }

// fx, fy, fz (or FX, FY, FZ) of the guide in the axes shown.
std::array<float, 3> ShownLoads(const DataItem& item, int layoutRow) {
  if (!Global()) return AsGuide(item).caseLoads;
  return GlobalLoads(item, layoutRow);
}

Direction3 PipeAxis(const DataItem& item, int layoutRow) {
  Guide& guide = AsGuide(item);
  if (!GuideLocalAxes(guide, TheModel().row(layoutRow).endNode)) return {};
  return guide.axis;
}

void TextHeadings() {
  const char* const* names = Global() ? kGlobalNames : kLocalNames;
  ReportPutText("Node", 6);
  const int spans[3][2] = {{15, 21}, {26, 32}, {37, 43}};
  for (std::size_t c = 0; c < 3; ++c)
    ReportPutCentred(std::string(names[c]) + " " + UnitLabel(kUnitForce), spans[c][0], spans[c][1]);
  if (!Global()) ReportPutText("x Xcomp    x Ycomp    x Zcomp", 48);
  ReportNewLine();
}

// The axial load only where the guide has friction, in local axes.
void TextRow(const DataItem& item, int layoutRow) {
  const std::array<float, 3> loads = ShownLoads(item, layoutRow);
  const int ends[3] = {20, 31, 42};
  for (std::size_t c = 0; c < 3; ++c)
    if (c != 0 || Global() || AsGuide(item).frictionCoefficient != 0.0f) ReportPutTextRight(FormatForce(loads[c]), ends[c]);
  if (Global()) return;
  const Direction3 axis = PipeAxis(item, layoutRow);
  const int axisEnds[3] = {53, 64, 75};
  for (std::size_t i = 0; i < 3; ++i) ReportFieldRight(ReportComponent(std::fabs(axis[i]) < 5.0e-4 ? 0.0 : axis[i]), axisEnds[i]);
}

std::vector<std::vector<std::string>> CsvHeadings() {
  const char* const* names = Global() ? kGlobalNames : kLocalNames;
  std::vector<std::string> line{"Node", "Tag"};
  for (std::size_t c = 0; c < 3; ++c) line.push_back(std::string(c == 0 && Global() ? " " : "") + names[c] + " " + UnitLabel(kUnitForce));
  if (!Global()) line.insert(line.end(), {"x Xcomp", "x Ycomp", "x Zcomp"});
  return {line};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  std::vector<std::string> cells{NodeNumberText(TheModel().row(layoutRow).node), AsGuide(item).tag};
  for (float load : ShownLoads(item, layoutRow)) cells.push_back(FormatForce(load));
  if (!Global())
    for (double c : PipeAxis(item, layoutRow)) cells.push_back(FormatFixedWidth(c, 10, 3));
  return cells;
}

// The local block, then the global one: one section of the report, listed
// once in its contents.
void PrintGuideLoads() {
  const std::uint8_t shown = g_SupportLoadsGlobal;
  for (std::uint8_t global : {0, 1}) {
    g_SupportLoadsGlobal = global;
    PrintSupportKindLoadsBlock(GuideResultKind(), global == 0);
  }
  g_SupportLoadsGlobal = shown;
}

// The summary is in local axes: fx, fy, fz with the force unit.
void SummaryTextHeadings() {
  ReportPutText("Load combination", 4);
  const int ends[3] = {38, 46, 54};
  for (std::size_t c = 0; c < 3; ++c) ReportPutTextRight(ValueWithUnitLabel(kLocalNames[c], kUnitForce), ends[c]);
  ReportNewLine();
}

SupportResultKind MakeGuideKind() {
  SupportResultKind kind;
  kind.type = DataType::Guide;
  kind.list = RowListKind::Guides;
  kind.menuName = "&Guides";
  kind.plural = "Guides";
  kind.pluralLower = "guides";
  kind.singular = "Guide";
  kind.singularLower = "guide";
  kind.summarySection = "Guide at Node %s";
  kind.loads = 3;
  kind.loadNames = kLocalNames;
  kind.loadHeading = [](int c) -> std::string {
    return ValueWithUnitLabel(g_SupportLoadsGlobal != 0 ? kGlobalNames[c] : kLocalNames[c], kUnitForce);
  };
  // fx is blank when the guide has no friction (local loads only).
  kind.held = [](const DataItem& item, int c) {
    return c != 0 || g_SupportLoadsGlobal != 0 || AsGuide(item).frictionCoefficient != 0.0f;
  };
  kind.tag = [](const DataItem& item) { return AsGuide(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* {
    static std::array<float, 3> global;
    if (g_SupportLoadsGlobal == 0) return AsGuide(item).caseLoads.data();
    global = GlobalLoads(item, RowOfItem(item));
    return global.data();
  };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsGuide(item).summaryRows; };
  kind.extras = 3;
  kind.extraHeading = [](int e) -> std::string {
    if (g_SupportLoadsGlobal != 0) return "";
    return e == 0 ? "X comp" : e == 1 ? "Y comp" : "Z comp";
  };
  kind.extraCell = [](const DataItem& item, int layoutRow, int e) -> std::string {
    if (g_SupportLoadsGlobal != 0) return "";
    Guide& guide = AsGuide(item);
    if (!GuideLocalAxes(guide, TheModel().row(layoutRow).endNode)) return "";
    const double c = guide.axis[static_cast<std::size_t>(e)];
    return std::fabs(c) < 5.0e-4 ? "" : FormatFixedWidth(c, 8, 3);
  };
  kind.leading = 0;
  kind.tableTitle = []() -> std::string {
    return g_SupportLoadsGlobal != 0 ? "Loads on Guides in Global Coordinates" : "Loads on Guides in Local Coordinates";
  };
  kind.loadHeadings = {{15, 21}, {26, 32}, {37, 43}};
  kind.loadEnds = {20, 31, 42};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {38, 46, 54};
  // The summary's loads are local whatever the loads table shows: fx only
  // where the guide has friction.
  kind.summaryShown = [](const DataItem& item, int c) { return c != 0 || AsGuide(item).frictionCoefficient != 0.0f; };
  kind.summaryTextHeadings = SummaryTextHeadings;
  kind.printLoads = PrintGuideLoads;
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.globalLocal = true;
  kind.noAllowables = true;
  kind.openLoads = OpenGuideLoadsTable;
  kind.listOpener = OpenGuidesList;
  return kind;
}

}  // namespace

// The loads of a dynamic case are magnitudes without a sign: each global
// component sums the magnitudes of the three local loads' parts along it,
// since a signed sum would let them cancel.
std::array<float, 3> GuideGlobalLoads(Guide& guide, int nodeIndex, bool dynamic) {
  std::array<float, 3> global{};
  if (!GuideLocalAxes(guide, nodeIndex)) return global;
  for (std::size_t i = 0; i < 3; ++i) {
    const double parts[3] = {guide.caseLoads[0] * guide.axis[i], guide.caseLoads[1] * guide.lateral1[i],
                             guide.caseLoads[2] * guide.lateral2[i]};
    global[i] = static_cast<float>(dynamic ? std::fabs(parts[0]) + std::fabs(parts[1]) + std::fabs(parts[2])
                                           : parts[0] + parts[1] + parts[2]);
  }
  return global;
}

const SupportResultKind& GuideResultKind() {
  static const SupportResultKind kind = MakeGuideKind();
  return kind;
}
