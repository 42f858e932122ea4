// The anchors' result views: the "Loads on Anchors" table (FX .. MZ in
// global axes, a free direction, one whose stiffness is 0, left blank) and
// the anchor's support load summary (the six loads and the node's
// translations per row), told by the support result tables
// (SupportResultTables.h) with the anchor's names and report columns.
#include "supports/Anchor.h"
#include "supports/AnchorList.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

const Anchor& AsAnchor(const DataItem& item) { return static_cast<const Anchor&>(item); }

void OpenAnchorLoadsTable() { OpenSupportKindLoadsTable(AnchorResultKind()); }

SupportResultKind MakeAnchorKind() {
  SupportResultKind kind;
  kind.type = DataType::Anchor;
  kind.list = RowListKind::Anchors;
  kind.menuName = "&Anchors";
  kind.plural = "Anchors";
  kind.pluralLower = "anchors";
  kind.singular = "Anchor";
  kind.singularLower = "anchor";
  kind.summarySection = "Anchor at Node %s";
  kind.loads = 6;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem& item, int c) { return AsAnchor(item).stiffness[static_cast<std::size_t>(c)] != 0.0f; };
  kind.tag = [](const DataItem& item) { return AsAnchor(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsAnchor(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsAnchor(item).summaryRows; };
  kind.loadHeadings = {{15, 21}, {25, 31}, {35, 41}, {45, 54}, {57, 66}, {69, 78}};
  kind.loadEnds = {19, 29, 39, 50, 62, 74};
  kind.momentHeadingsWithoutBlank = true;
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {30, 38, 46, 56, 66, 76};
  kind.openLoads = OpenAnchorLoadsTable;
  kind.listOpener = OpenAnchorsList;
  return kind;
}

}  // namespace

const SupportResultKind& AnchorResultKind() {
  static const SupportResultKind kind = MakeAnchorKind();
  return kind;
}
