// The limit stops' result views: "Loads on Limit stops" (the status of each
// limit, the signed Load and the Friction, and the direction, from the
// connected node when the components are not given) and the limit stop's
// support load summary, told by the support result tables.
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultCases.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/LimitStop.h"
#include "supports/OtherSupportLists.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[2] = {"Load", "Friction"};

const LimitStop& AsStop(const DataItem& item) { return static_cast<const LimitStop&>(item); }

void OpenLimitStopLoadsTable() { OpenSupportKindLoadsTable(LimitStopResultKind()); }

std::string LimitStatus(const LimitStop& stop, bool lower) {
  if (lower ? !stop.HasLower() : !stop.HasUpper()) return "None";
  const float load = stop.caseLoads[0];
  const bool reached = lower ? (load < 0.0f || (load != 0.0f && IsDynamicLoadCase())) : load > 0.0f;
  return reached ? "Reached" : "Not rchd";
}

// The reports spell the status out.
std::string ReportStatus(const LimitStop& stop, bool lower) {
  const std::string status = LimitStatus(stop, lower);
  return status == "Not rchd" ? "Not Reachd" : status;
}

Direction3 ShownDirection(const DataItem& item, int layoutRow) {
  return LimitStopShownDirection(AsStop(item), TheModel().row(layoutRow).endNode);
}

void TextHeadings() {
  ReportPutText("Lower      Upper        Load   Friction", 15);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutText("Limit      Limit", 15);
  ReportPutCentred(UnitLabel(kUnitForce), 39, 42);
  ReportPutText("Force", 46);
  ReportPutText(UnitLabel(kUnitForce), 51);
  ReportPutText("X comp  Y comp  Z comp", 57);
  ReportNewLine();
}

// The summary's headings stand centred over their columns, Load over 30 to
// 40 and Friction over 40 to 55: right-aligned at the values' ends the two
// would run into one ("LoadFriction(lb)").
void SummaryTextHeadings() {
  ReportPutText("Load combination", 4);
  ReportPutCentred(ValueWithUnitLabel("Load", kUnitForce), 30, 40);
  ReportPutCentred(ValueWithUnitLabel("Friction", kUnitForce), 40, 55);
  ReportNewLine();
}

void TextRow(const DataItem& item, int layoutRow) {
  const LimitStop& stop = AsStop(item);
  ReportPutText(ReportStatus(stop, true), 13);
  ReportPutText(ReportStatus(stop, false), 24);
  if (stop.caseLoads[0] != 0.0f) {
    ReportPutTextRight(FormatForce(stop.caseLoads[0]), 42);
    if (stop.frictionCoefficient != 0.0f) ReportPutTextRight(FormatForce(stop.caseLoads[1]), 51);
  }
  const Direction3 d = ShownDirection(item, layoutRow);
  const int ends[3] = {62, 70, 78};
  for (std::size_t i = 0; i < 3; ++i) ReportFieldRight(ReportComponent(d[i]), ends[i]);
}

std::vector<std::vector<std::string>> CsvHeadings() {
  const std::string force = UnitLabel(kUnitForce);
  return {{"", "", "Lower", "Upper", "Load", "Friction"},
          {"Node", "Tag", " Limit", "Limit", force, "Force " + force, "X comp", "Y comp", "Z comp"}};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  const LimitStop& stop = AsStop(item);
  std::vector<std::string> cells{NodeNumberText(TheModel().row(layoutRow).node), stop.tag, ReportStatus(stop, true),
                                 ReportStatus(stop, false), FormatForce(stop.caseLoads[0]),
                                 FormatForce(stop.caseLoads[1])};
  const Direction3 d = ShownDirection(item, layoutRow);
  for (double c : d) cells.push_back(FormatFixedWidth(c, 10, 3));
  return cells;
}

SupportResultKind MakeLimitStopKind() {
  SupportResultKind kind;
  kind.type = DataType::LimitStop;
  kind.list = RowListKind::LimitStops;
  kind.menuName = "&Limit stops";
  kind.plural = "Limit stops";
  kind.pluralLower = "limit stops";
  kind.singular = "Limit Stop";
  kind.singularLower = "limit stop";
  kind.summarySection = "Limit stop at node %s";
  kind.loads = 2;
  kind.loadNames = kLoadNames;
  // A zero Load is blank; so is the friction of a stop without friction.
  kind.held = [](const DataItem& item, int c) {
    const LimitStop& stop = AsStop(item);
    return c == 0 ? stop.caseLoads[0] != 0.0f : stop.frictionCoefficient != 0.0f && stop.caseLoads[0] != 0.0f;
  };
  kind.tag = [](const DataItem& item) { return AsStop(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsStop(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsStop(item).summaryRows; };
  kind.leading = 2;
  kind.leadingHeading = [](int l, int line) -> std::string {
    if (line == 1) return "Limit";
    return l == 0 ? "Lower" : "Upper";
  };
  kind.leadingCell = [](const DataItem& item, int, int l) { return LimitStatus(AsStop(item), l == 0); };
  kind.extras = 3;
  kind.extraHeading = [](int e) -> std::string { return e == 0 ? "X comp" : e == 1 ? "Y comp" : "Z comp"; };
  kind.extraCell = [](const DataItem& item, int layoutRow, int e) -> std::string {
    const Direction3 d = LimitStopShownDirection(AsStop(item), TheModel().row(layoutRow).endNode);
    const double c = d[static_cast<std::size_t>(e)];
    return c == 0.0 ? "" : FormatFixedWidth(c, 8, 3);
  };
  kind.loadHeadings = {{39, 42}, {46, 51}};
  kind.loadEnds = {42, 51};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {38, 46};
  kind.summaryTextHeadings = SummaryTextHeadings;
  // The summary's Friction only for a stop with friction.
  kind.summaryShown = [](const DataItem& item, int c) { return c == 0 || AsStop(item).frictionCoefficient != 0.0f; };
  kind.textTitle = "Loads on Limit Stops";
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.noAllowables = true;
  kind.openLoads = OpenLimitStopLoadsTable;
  kind.listOpener = OpenLimitStopsList;
  return kind;
}

}  // namespace

const SupportResultKind& LimitStopResultKind() {
  static const SupportResultKind kind = MakeLimitStopKind();
  return kind;
}
