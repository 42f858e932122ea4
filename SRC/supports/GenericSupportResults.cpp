// The generic supports' result views: "Loads on Generic supports" (FX, FY,
// FZ, MX, MY, MZ in global axes, every one shown: the support holds all
// six directions) and the generic support's summary, the anchor's in form.
#include "printing/ReportOutput.h"
#include "services/Units.h"
#include "supports/GenericSupport.h"
#include "supports/OtherSupportLists.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

const GenericSupport& AsGeneric(const DataItem& item) { return static_cast<const GenericSupport&>(item); }

void OpenGenericSupportLoadsTable() { OpenSupportKindLoadsTable(GenericSupportResultKind()); }

// The reports name the loads by their axes alone.
constexpr const char* kReportNames[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};

void TextHeadings() {
  ReportPutText("Node", 6);
  const int spans[6][2] = {{15, 21}, {25, 31}, {35, 41}, {45, 54}, {57, 66}, {69, 78}};
  for (std::size_t c = 0; c < 6; ++c) {
    const std::string label = c < 3 ? std::string(kReportNames[c]) + " " + UnitLabel(kUnitForce)
                                    : std::string(kReportNames[c]) + UnitLabel(kUnitMoment);
    ReportPutCentred(label, spans[c][0], spans[c][1]);
  }
  ReportNewLine();
}

std::vector<std::vector<std::string>> CsvHeadings() {
  std::vector<std::string> line{"Node", "Tag"};
  for (std::size_t c = 0; c < 6; ++c)
    line.push_back(std::string(kReportNames[c]) + " " + UnitLabel(c < 3 ? kUnitForce : kUnitMoment));
  return {line};
}

SupportResultKind MakeGenericKind() {
  SupportResultKind kind;
  kind.type = DataType::GenericSupport;
  kind.list = RowListKind::GenericSupports;
  kind.menuName = "&Generic supports";
  kind.plural = "Generic supports";
  kind.pluralLower = "generic supports";
  kind.singular = "Generic support";
  kind.singularLower = "generic support";
  kind.summarySection = "Generic support at Node %s";
  kind.loads = 6;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem&, int) { return true; };
  kind.tag = [](const DataItem& item) { return AsGeneric(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsGeneric(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsGeneric(item).summaryRows; };
  kind.loadHeadings = {{15, 21}, {25, 31}, {35, 41}, {45, 54}, {57, 66}, {69, 78}};
  kind.loadEnds = {19, 29, 39, 50, 62, 74};
  kind.momentHeadingsWithoutBlank = true;
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {30, 38, 46, 56, 66, 76};
  kind.textTitle = "Loads on generic supports";
  kind.textHeadings = TextHeadings;
  kind.csvHeadings = CsvHeadings;
  kind.openLoads = OpenGenericSupportLoadsTable;
  kind.listOpener = OpenGenericSupportsList;
  return kind;
}

}  // namespace

const SupportResultKind& GenericSupportResultKind() {
  static const SupportResultKind kind = MakeGenericKind();
  return kind;
}
