// The snubbers' result views: "Loads on Snubbers" (the load along the
// direction, and the direction) and the snubber's support load summary. A
// snubber acts only in the seismic and dynamic cases, so its loads section
// is printed only for those.
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultCases.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/OtherSupportLists.h"
#include "supports/Snubber.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[1] = {"Load"};

const Snubber& AsSnubber(const DataItem& item) { return static_cast<const Snubber&>(item); }

void OpenSnubberLoadsTable() { OpenSupportKindLoadsTable(SnubberResultKind()); }

void TextHeadings() {
  ReportPutText("Node", 6);
  ReportPutText("Load", 13);
  ReportPutText(UnitLabel(kUnitForce), 18);
  ReportPutText("X comp", 26);
  ReportPutText("Y comp", 36);
  ReportPutText("Z comp", 46);
  ReportNewLine();
}

void TextRow(const DataItem& item, int /*layoutRow*/) {
  const Snubber& snubber = AsSnubber(item);
  ReportPutTextRight(FormatForce(snubber.caseLoads[0]), 19);
  ReportFieldRight(ReportComponent(snubber.dirX), 30);
  ReportFieldRight(ReportComponent(snubber.dirY), 40);
  ReportFieldRight(ReportComponent(snubber.dirZ), 50);
}

std::vector<std::vector<std::string>> CsvHeadings() {
  return {{"Node", "Tag", std::string(" Load ") + UnitLabel(kUnitForce), "X comp", "Y comp", "Z comp"}};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  const Snubber& snubber = AsSnubber(item);
  return {NodeNumberText(TheModel().row(layoutRow).node), snubber.tag, FormatForce(snubber.caseLoads[0]),
          FormatFixedWidth(snubber.dirX, 10, 3), FormatFixedWidth(snubber.dirY, 10, 3),
          FormatFixedWidth(snubber.dirZ, 10, 3)};
}

SupportResultKind MakeSnubberKind() {
  SupportResultKind kind;
  kind.type = DataType::Snubber;
  kind.list = RowListKind::Snubbers;
  kind.menuName = "&Snubbers";
  kind.plural = "Snubbers";
  kind.pluralLower = "snubbers";
  kind.singular = "Snubber";
  kind.singularLower = "snubber";
  kind.summarySection = "Snubber at node %s";
  kind.loads = 1;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem&, int) { return true; };
  kind.tag = [](const DataItem& item) { return AsSnubber(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsSnubber(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsSnubber(item).summaryRows; };
  kind.extras = 3;
  kind.extraHeading = [](int e) -> std::string { return e == 0 ? "X comp" : e == 1 ? "Y comp" : "Z comp"; };
  kind.extraCell = [](const DataItem& item, int, int e) -> std::string {
    const Snubber& snubber = AsSnubber(item);
    const float c = e == 0 ? snubber.dirX : e == 1 ? snubber.dirY : snubber.dirZ;
    return c == 0.0f ? "" : FormatFixedWidth(c, 8, 3);
  };
  kind.shownInCase = [] {
    const int type = CurrentResultCaseType();
    return type == kCaseIdStaticSeismic || type == kCaseIdResponseSpectrum || type == kCaseIdTimeHistory ||
           type == kCaseIdHarmonic || type == kCaseIdForceSpectrum;
  };
  kind.loadHeadings = {{13, 19}};
  kind.loadEnds = {19};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {38};
  kind.textTitle = "Loads on Snubbers";
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.noAllowables = true;
  kind.openLoads = OpenSnubberLoadsTable;
  kind.listOpener = OpenSnubbersList;
  return kind;
}

}  // namespace

const SupportResultKind& SnubberResultKind() {
  static const SupportResultKind kind = MakeSnubberKind();
  return kind;
}
