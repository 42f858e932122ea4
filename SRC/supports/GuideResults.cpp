// The guides' result views: "Loads on Guides" in local axes (fx along the
// pipe, blank without friction, fy and fz across it, and the pipe axis) or
// in global axes (FX, FY, FZ = fx a + fy l1 + fz l2, each taken by its
// magnitude in a dynamic case, where the responses have no sign), and the
// guide's support load summary. The printed section writes the local block
// and then the global one.
#include <cmath>

#include "model/Model.h"
#include "results/ResultCases.h"
#include "shell/NumberText.h"
#include "shell/Units.h"
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
  std::array<float, 3> global{};
  if (layoutRow == 0 || !GuideLocalAxes(guide, TheModel().row(layoutRow).endNode)) return global;
  const bool dynamic = IsDynamicLoadCase();
  for (std::size_t i = 0; i < 3; ++i) {
    const double value = guide.caseLoads[0] * guide.axis[i] + guide.caseLoads[1] * guide.lateral1[i] +
                         guide.caseLoads[2] * guide.lateral2[i];
    global[i] = static_cast<float>(dynamic ? std::fabs(value) : value);
  }
  return global;
}

// The layout row that holds the item.
int RowOfItem(const DataItem& item) {
  const Model& model = TheModel();
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).item.get() == &item) return row;
  return 0;
}

void PrintGuideLoads() {
  const std::uint8_t shown = g_SupportLoadsGlobal;
  for (std::uint8_t global : {0, 1}) {
    g_SupportLoadsGlobal = global;
    PrintSupportKindLoadsBlock(GuideResultKind());
  }
  g_SupportLoadsGlobal = shown;
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
  kind.printLoads = PrintGuideLoads;
  kind.openLoads = OpenGuideLoadsTable;
  kind.listOpener = OpenGuidesList;
  return kind;
}

}  // namespace

const SupportResultKind& GuideResultKind() {
  static const SupportResultKind kind = MakeGuideKind();
  return kind;
}
