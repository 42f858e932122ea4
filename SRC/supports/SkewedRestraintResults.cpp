// The skewed restraints' result views: "Loads on Skewed restraints" (type,
// the load along the direction as a force or, rotational, a moment, its
// unit, the direction and the connected node) and the skewed restraint's
// support load summary.
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/OtherSupportLists.h"
#include "supports/SkewedRestraint.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[1] = {"Load"};

const SkewedRestraint& AsSkewed(const DataItem& item) { return static_cast<const SkewedRestraint&>(item); }

void OpenSkewedRestraintLoadsTable() { OpenSupportKindLoadsTable(SkewedRestraintResultKind()); }

const char* TypeName(const SkewedRestraint& skewed) { return skewed.rotational != 0 ? "Rotational" : "Translational"; }
int LoadUnitOf(const SkewedRestraint& skewed) { return skewed.rotational != 0 ? kUnitMoment : kUnitForce; }
std::string LoadTextOf(const SkewedRestraint& skewed) {
  return skewed.rotational != 0 ? FormatMoment(skewed.caseLoads[0]) : FormatForce(skewed.caseLoads[0]);
}
Direction3 ShownDirection(const DataItem& item, int layoutRow) {
  return SkewedRestraintShownDirection(AsSkewed(item), TheModel().row(layoutRow).endNode);
}

void TextHeadings() {
  ReportPutText("Node", 6);
  ReportPutText("CNode", 12);
  ReportPutText("Type", 23);
  ReportPutText("Load", 35);
  ReportPutText("Units", 43);
  ReportPutText("X comp", 53);
  ReportPutText("Y comp", 63);
  ReportPutText("Z comp", 73);
  ReportNewLine();
}

void TextRow(const DataItem& item, int layoutRow) {
  const SkewedRestraint& skewed = AsSkewed(item);
  if (skewed.connectedNode != 0) ReportPutText(NodeNumberText(skewed.connectedNode), 12);
  ReportPutText(TypeName(skewed), 19);
  ReportPutTextRight(LoadTextOf(skewed), 38);
  ReportPutText(UnitLabel(LoadUnitOf(skewed)), 42);
  const Direction3 d = ShownDirection(item, layoutRow);
  const int ends[3] = {57, 67, 77};
  for (std::size_t i = 0; i < 3; ++i) ReportFieldRight(ReportComponent(d[i]), ends[i]);
}

std::vector<std::vector<std::string>> CsvHeadings() {
  return {{"Node", "Tag", " CNode", "Type", "Load", "Units", "X comp", "Y comp", "Z comp"}};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  const SkewedRestraint& skewed = AsSkewed(item);
  std::vector<std::string> cells{NodeNumberText(TheModel().row(layoutRow).node), skewed.tag,
                                 skewed.connectedNode != 0 ? NodeNumberText(skewed.connectedNode) : "",
                                 TypeName(skewed), LoadTextOf(skewed), UnitLabel(LoadUnitOf(skewed))};
  for (double c : ShownDirection(item, layoutRow)) cells.push_back(FormatFixedWidth(c, 10, 3));
  return cells;
}

SupportResultKind MakeSkewedKind() {
  SupportResultKind kind;
  kind.type = DataType::SkewedRestraint;
  kind.list = RowListKind::SkewedRestraints;
  kind.menuName = "&Skewed restraints";
  kind.plural = "Skewed restraints";
  kind.pluralLower = "skewed restraints";
  kind.singular = "Skewed Restraint";
  kind.singularLower = "skewed restraint";
  kind.summarySection = "Skewed restraint at node %s";
  kind.loads = 1;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem&, int) { return true; };
  kind.tag = [](const DataItem& item) { return AsSkewed(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsSkewed(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsSkewed(item).summaryRows; };
  kind.moment = [](const DataItem& item, int) { return AsSkewed(item).rotational != 0; };
  kind.loadHeading = [](int) -> std::string { return "Load"; };
  kind.leading = 1;
  kind.leadingHeading = [](int, int line) -> std::string { return line == 0 ? "Type" : ""; };
  kind.leadingCell = [](const DataItem& item, int, int) -> std::string {
    return AsSkewed(item).rotational != 0 ? "Rotational" : "Translational";
  };
  kind.extras = 5;
  kind.extraHeading = [](int e) -> std::string {
    static const char* const kHeadings[5] = {"Units", "X comp", "Y comp", "Z comp", "CNode"};
    return kHeadings[e];
  };
  kind.extraCell = [](const DataItem& item, int layoutRow, int e) -> std::string {
    const SkewedRestraint& skewed = AsSkewed(item);
    if (e == 0) return UnitLabel(skewed.rotational != 0 ? kUnitMoment : kUnitForce);
    if (e == 4) return skewed.connectedNode != 0 ? NodeNumberText(skewed.connectedNode) : "";
    const Direction3 d = SkewedRestraintShownDirection(skewed, TheModel().row(layoutRow).endNode);
    const double c = d[static_cast<std::size_t>(e - 1)];
    return c == 0.0 ? "" : FormatFixedWidth(c, 8, 3);
  };
  kind.loadHeadings = {{35, 42}};
  kind.loadEnds = {38};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {38};
  kind.textTitle = "Loads on Skewed Restraints";
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.noAllowables = true;
  kind.openLoads = OpenSkewedRestraintLoadsTable;
  kind.listOpener = OpenSkewedRestraintsList;
  return kind;
}

}  // namespace

const SupportResultKind& SkewedRestraintResultKind() {
  static const SupportResultKind kind = MakeSkewedKind();
  return kind;
}
