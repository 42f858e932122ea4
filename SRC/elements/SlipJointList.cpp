// The slip joints list and its printed section; see SlipJointList.h.
#include "elements/SlipJointList.h"

#include <utility>

#include "elements/SlipJoint.h"
#include "elements/SlipJointDialog.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 6;
constexpr const char* kHeadings[4] = {"Frict.force", "Frict.torque", "Thrust area", "Weight"};
constexpr UnitKind kUnits[4] = {kUnitForce, kUnitMoment, kUnitArea, kUnitWeight};

const SlipJoint& JointOfRow(int row) { return static_cast<const SlipJoint&>(*TheModel().row(row).element); }

SlipJointsList& TheList() {
  static SlipJointsList list;
  return list;
}

}  // namespace

std::string SlipJoint::CellText(int column) const {
  if (column < 3 || column > kColumns) return {};
  return SlipJointValueText(*this, column - 3);
}

SlipJointsList::SlipJointsList()
    : ElementKindListTable(ElementType::SlipJoint, RowListKind::SlipJoints, "Slip joints", "Slip joint", kColumns, 2) {}

std::string SlipJointsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column < 3) return line == 0 ? (column == 1 ? "From" : "To") : "";
  return line == 0 ? kHeadings[column - 3] : UnitLabel(kUnits[column - 3]);
}

bool SlipJointsList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int SlipJointsList::FilterChar(int character) {
  return character == ' ' || IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

bool SlipJointsList::StoreElementCell(ElementData& element, int column) {
  auto& joint = static_cast<SlipJoint&>(element);
  const float value = ParseSlipJointValue(column - 3);
  float& field = SlipJointValue(joint, column - 3);
  if (field == value) return false;
  field = value;
  return true;
}

void SlipJointsList::WriteText() { PrintSlipJointsDetails(); }

TableWindow& SlipJointsListTable() { return TheList(); }
bool SlipJointsListOffered(const Model& model) { return model.lists[RowListKind::SlipJoints].count > 0; }

void OpenSlipJointsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16};
  TheList().Open(OpenSlipJointsList, &lengths);
}

void SlipJointDetailsText(int row) {
  if (!g_ReportToFile) {
    const SlipJoint& joint = JointOfRow(row);
    const int at[4] = {23, 37, 52, 64};
    for (int i = 0; i < 4; ++i) ReportPutText(SlipJointValueText(joint, i), at[i]);
    if (joint.weight == 0.0f) ReportPutText(TrimmedText(FormatWeight(0.0f)), at[3]);
    return;
  }
  const SlipJoint& joint = JointOfRow(row);
  ReportPutCell(TrimmedText(FormatForce(joint.frictionForce)));
  ReportPutCell(TrimmedText(FormatMomentSignificant(joint.frictionTorque)));
  ReportPutCell(TrimmedText(FormatArea(joint.pressureThrustArea)));
  ReportPutCell(TrimmedText(FormatWeight(joint.weight)));
}

void PrintSlipJointsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::SlipJoint), TheList().title,
      {{"Frict force", 1, 20},
       {"Frict torque", 1, 34},
       {"Thrust area", 1, 49},
       {"Weight", 1, 63},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {{kUnitForce, 2, 22, 27},
       {kUnitMoment, 2, 35, 43},
       {kUnitArea, 2, 50, 58},
       {kUnitWeight, 2, 63, 68}},
      {}, 1);
  request.putText = SlipJointDetailsText;
  request.csvHeadings = {",,Frict force,Frict torque,Thrust area,Weight",
                         CsvCellsLine("From,To," + CsvUnitCells({kUnitForce, kUnitMoment, kUnitArea, kUnitWeight}))};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
