// The restraints' result views: the "Loads on Restraints" table (FX, FY,
// FZ in global axes, a direction the restraint does not hold left blank)
// and the restraint's support load summary, told by the support result
// tables (SupportResultTables.h) with the restraint's names and columns.
#include "supports/Restraint.h"
#include "supports/RestraintList.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr const char* kLoadNames[3] = {"FX", "FY", "FZ"};

const Restraint& AsRestraint(const DataItem& item) { return static_cast<const Restraint&>(item); }

void OpenRestraintLoadsTable() { OpenSupportKindLoadsTable(RestraintResultKind()); }

SupportResultKind MakeRestraintKind() {
  SupportResultKind kind;
  kind.type = DataType::Restraint;
  kind.list = RowListKind::Restraints;
  kind.menuName = "&Restraints";
  kind.plural = "Restraints";
  kind.pluralLower = "restraints";
  kind.singular = "Restraint";
  kind.singularLower = "restraint";
  kind.summarySection = "Restraint at Node %s";
  kind.loads = 3;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem& item, int c) { return AsRestraint(item).Holds(c); };
  kind.tag = [](const DataItem& item) { return AsRestraint(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsRestraint(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* {
    return &AsRestraint(item).summaryRows;
  };
  kind.loadHeadings = {{15, 21}, {25, 31}, {35, 41}};
  kind.loadEnds = {19, 29, 39};
  kind.summaryTitleSpan = {4, 88};
  kind.summaryEnds = {30, 38, 46};
  kind.summaryShown = kind.held;
  kind.openLoads = OpenRestraintLoadsTable;
  kind.listOpener = OpenRestraintsList;
  return kind;
}

}  // namespace

const SupportResultKind& RestraintResultKind() {
  static const SupportResultKind kind = MakeRestraintKind();
  return kind;
}
