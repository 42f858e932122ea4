// The nozzles' result views: "Loads on Nozzles" (the six loads in the
// nozzle's axes: axial, the two shears, torque and the circumferential and
// longitudinal moments, see Nozzle.h) and the nozzle's support load summary,
// told by the support result tables with the nozzle's names and columns.
// Every direction is held: the rigid ones report what the wall carries.
#include <algorithm>
#include <iterator>

#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "services/Units.h"
#include "supports/Nozzle.h"
#include "supports/OtherSupportLists.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[6] = {"Axial", "y Shear", "z Shear", "Torque", "Circ.Mom", "Long.Mom"};
// The summary names the loads by their letters in the vessel's terms.
constexpr const char* kSummaryNames[6] = {"Radial (P)",  "y Shear (VL)",  "z Shear (VC)",
                                          "Torque (MT)", "Circ.Mom (MC)", "Long.Mom (ML)"};
constexpr int kSummaryEnds[6] = {30, 38, 46, 56, 66, 76};

const Nozzle& AsNozzle(const DataItem& item) { return static_cast<const Nozzle&>(item); }

void OpenNozzleLoadsTable() { OpenSupportKindLoadsTable(NozzleResultKind()); }

void TextHeadings() {
  ReportPutText("Axial    y Shear   z Shear    Torque   Circ Moment  Long Moment", 15);
  ReportNewLine();
  ReportPutText("Node", 6);
  for (int column : {16, 26, 36}) ReportPutText(UnitLabel(kUnitForce), column);
  const std::string moment = UnitLabel(kUnitMoment);
  for (int first : {45, 56, 69})
    ReportPutText(moment, first + std::max(0, (7 - static_cast<int>(moment.size())) / 2));
  ReportNewLine();
}

void TextRow(const DataItem& item, int /*layoutRow*/) {
  const Nozzle& nozzle = AsNozzle(item);
  const int ends[6] = {19, 29, 39, 50, 61, 74};
  for (std::size_t c = 0; c < 6; ++c)
    ReportFieldRight(c < 3 ? FormatForce(nozzle.caseLoads[c]) : FormatMoment(nozzle.caseLoads[c]), ends[c]);
}

// The summary's names are wider than the room between its columns: each
// stands on two lines, right-aligned over its values, the name above its
// letters, and the unit below them.
void SummaryTextHeadings() {
  ReportPutText("Load combination", 4);
  for (int line = 0; line < 3; ++line) {
    for (std::size_t c = 0; c < 6; ++c) {
      const std::string name = kSummaryNames[c];
      const std::size_t split = name.find(" (");
      const std::string text = line == 0   ? name.substr(0, split)
                               : line == 1 ? name.substr(split + 1)
                                           : std::string(UnitLabel(c < 3 ? kUnitForce : kUnitMoment));
      ReportPutTextRight(text, kSummaryEnds[c]);
    }
    ReportNewLine();
  }
}

std::vector<std::vector<std::string>> SummaryCsvHeadings() {
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  const std::string displacement = UnitLabel(kUnitDisplacement);
  return {{"Load combination", "Radial(P)", "y Shear (VL)", "z Shear (VC)", "Torque (MT)", "Circ.Mom (MC)",
           "Long.Mom (ML)", "X", "Y", "Z"},
          {"", force, force, force, moment, moment, moment, displacement, displacement, displacement}};
}

std::vector<std::vector<std::string>> CsvHeadings() {
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  return {{"", "", "Axial", "y Shear", "z Shear", "Torque", "Circ Moment", "Long Moment"},
          {"Node", "Tag", force, force, force, moment, moment, moment}};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  const Nozzle& nozzle = AsNozzle(item);
  std::vector<std::string> cells{NodeNumberText(TheModel().row(layoutRow).node), nozzle.tag};
  for (std::size_t c = 0; c < 6; ++c)
    cells.push_back(c < 3 ? FormatForceTrim(nozzle.caseLoads[c]) : FormatMomentTrim(nozzle.caseLoads[c]));
  return cells;
}

SupportResultKind MakeNozzleKind() {
  SupportResultKind kind;
  kind.type = DataType::Nozzle;
  kind.list = RowListKind::Nozzles;
  kind.menuName = "&Nozzles";
  kind.plural = "Nozzles";
  kind.pluralLower = "nozzles";
  kind.singular = "Nozzle";
  kind.singularLower = "nozzle";
  kind.summarySection = "Nozzle at Node %s";
  kind.loads = 6;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem&, int) { return true; };
  kind.tag = [](const DataItem& item) { return AsNozzle(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsNozzle(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsNozzle(item).summaryRows; };
  kind.loadHeadings = {{15, 21}, {25, 31}, {35, 41}, {45, 51}, {56, 62}, {69, 75}};
  kind.loadEnds = {19, 29, 39, 50, 61, 74};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds.assign(std::begin(kSummaryEnds), std::end(kSummaryEnds));
  kind.summaryNames = kSummaryNames;
  kind.summaryTextHeadings = SummaryTextHeadings;
  kind.summaryCsvHeadings = SummaryCsvHeadings;
  kind.textTitle = "Loads on Nozzles";
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.openLoads = OpenNozzleLoadsTable;
  kind.listOpener = OpenNozzlesList;
  return kind;
}

}  // namespace

const SupportResultKind& NozzleResultKind() {
  static const SupportResultKind kind = MakeNozzleKind();
  return kind;
}
