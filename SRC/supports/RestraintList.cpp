// The restraints list and its printed section; see RestraintList.h.
#include "supports/RestraintList.h"

#include <utility>

#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "supports/Restraint.h"

namespace {

constexpr int kColumns = 5;
constexpr int kTextHeadingColumns[3] = {15, 21, 27};
constexpr int kTextYesColumns[3] = {14, 20, 26};

// One typed cell, from g_EditFieldText; true when a value changed.
bool StoreRestraintCell(Restraint& restraint, int column) {
  if (column == 2) {
    if (g_EditFieldText.size() > kRestraintTagLength) ThrowFieldError("Tag", "is too long");
    if (g_EditFieldText == restraint.tag) return false;
    restraint.tag = g_EditFieldText;
    return true;
  }
  bool flag = false;
  if (ParseFieldYesNo(flag) != 0) ThrowInvalidField("Restraint");
  std::uint8_t& held = column == 3 ? restraint.restrainX : column == 4 ? restraint.restrainY : restraint.restrainZ;
  if (flag == (held != 0)) return false;
  held = flag ? 1 : 0;
  return true;
}

const Restraint& RestraintOfRow(int row) { return static_cast<const Restraint&>(*TheModel().row(row).item); }

RestraintsList& TheRestraintsList() {
  static RestraintsList list;
  return list;
}

}  // namespace

RestraintsList::RestraintsList()
    : KindListTable(DataType::Restraint, RowListKind::Restraints, "Restraints", "Restraint", kColumns, 1) {}

std::string RestraintsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "Node";
    case 2: return "Tag";
    case 3: return "X ";
    case 4: return "Y ";
    case 5: return "Z ";
    default: return {};
  }
}

bool RestraintsList::IsCellEditable(int /*row*/, int column) { return column >= 2 && column <= kColumns; }

int RestraintsList::FilterChar(int character) {
  if (character == ' ') return 0;
  return currentColumn < 3 ? character : YesNoChar(character);
}

bool RestraintsList::StoreItemCell(DataItem& item, int column) {
  return StoreRestraintCell(static_cast<Restraint&>(item), column);
}

void RestraintsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void RestraintsList::WriteText() { PrintRestraintsDetails(); }

TableWindow& RestraintsListTable() { return TheRestraintsList(); }

bool RestraintsListOffered(const Model& model) { return model.lists[RowListKind::Restraints].count > 0; }

void OpenRestraintsList() {
  static const std::vector<int> lengths = {0, 0, static_cast<int>(kRestraintTagLength), 1, 1, 1};
  TheRestraintsList().Open(OpenRestraintsList, &lengths);
}

void RestraintDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeRestraint(row), NodeNumberText(TheModel().row(row).node));
    return;
  }
  const Restraint& restraint = RestraintOfRow(row);
  ReportPutCell(restraint.tag);
  for (int axis = 0; axis < 3; ++axis) ReportPutCell(restraint.Holds(axis) ? "Yes" : "");
}

void PrintRestraintsDetails() {
  KindListPrintTable table(TheRestraintsList());
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Restraint),
                                              TheRestraintsList().title,
                                              {{"Node", 1, 6},
                                               {"X", 1, kTextHeadingColumns[0]},
                                               {"Y", 1, kTextHeadingColumns[1]},
                                               {"Z", 1, kTextHeadingColumns[2]}},
                                              0, {}, {}, 1);
  request.putText = RestraintDetailsText;
  request.csvHeadings = {"Node,Tag,X,Y,Z"};
  PrintKindDetailsSection(TheRestraintsList(), table, std::move(request));
}

std::string DescribeRestraint(int row) {
  const Restraint& restraint = RestraintOfRow(row);
  std::string line(30, ' ');
  const std::string node = NodeNumberText(TheModel().row(row).node);
  line.replace(5, node.size(), node);
  for (int axis = 0; axis < 3; ++axis)
    if (restraint.Holds(axis)) line.replace(static_cast<std::size_t>(kTextYesColumns[axis] - 1), 3, "Yes");
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
