// The ball joints list and its printed section; see BallJointList.h.
#include "elements/BallJointList.h"

#include <cstring>
#include <utility>

#include "elements/BallJoint.h"
#include "elements/BallJointDialog.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 9;

const BallJoint& JointOfRow(int row) { return static_cast<const BallJoint&>(*TheModel().row(row).element); }

// --- report forms: bending and torsional stiffness and friction torque, weight --

constexpr int kPrinted[5] = {0, 1, 4, 5, 6};
constexpr int kPrintedAt[5] = {22, 34, 46, 57, 68};

BallJointsList& TheList() {
  static BallJointsList list;
  return list;
}

}  // namespace

std::string BallJoint::CellText(int column) const {
  if (column < 3 || column > kColumns) return {};
  return BallJointValueText(*this, column - 3);
}

BallJointsList::BallJointsList()
    : ElementKindListTable(ElementType::BallJoint, RowListKind::BallJoints, "Ball joints", "Ball joint", kColumns, 3) {}

std::string BallJointsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column < 3) return line == 1 ? (column == 1 ? "From" : "To") : "";
  if (column == 9) return line == 1 ? "Weight" : line == 2 ? UnitLabel(kUnitWeight) : "";
  switch (line) {
    case 0: return column == 3 ? "Stiffness" : column == 5 ? "Rotation limit" : column == 7 ? "Friction torque" : "";
    case 1: return column % 2 == 1 ? "Bending" : "Torsional";
    default: return UnitLabel(column < 5 ? kUnitRotStiffness : column < 7 ? kUnitAngle : kUnitMoment);
  }
}

bool BallJointsList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int BallJointsList::FilterChar(int character) {
  if (character == ' ') return 0;
  const char c = static_cast<char>(character);
  if (currentColumn < 5) return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
  if (currentColumn < 7) return IsNotNumberChar(c) && std::strchr("NONEnone", c) == nullptr ? 0 : character;
  return IsNotNumberChar(c) ? 0 : character;
}

bool BallJointsList::StoreElementCell(ElementData& element, int column) {
  auto& joint = static_cast<BallJoint&>(element);
  const float value = ParseBallJointValue(column - 3);
  float& field = BallJointValue(joint, column - 3);
  if (field == value) return false;
  field = value;
  return true;
}

void BallJointsList::WriteText() { PrintBallJointsDetails(); }

TableWindow& BallJointsListTable() { return TheList(); }
bool BallJointsListOffered(const Model& model) { return model.lists[RowListKind::BallJoints].count > 0; }

void OpenBallJointsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 16, 16, 16};
  TheList().Open(OpenBallJointsList, &lengths);
}

void BallJointDetailsText(int row) {
  if (!g_ReportToFile) {
    const BallJoint& joint = JointOfRow(row);
    for (int i = 0; i < 5; ++i) ReportPutText(BallJointValueText(joint, kPrinted[i]), kPrintedAt[i]);
    if (joint.weight == 0.0f) ReportPutText(TrimmedText(FormatWeight(0.0f)), 68);
    return;
  }
  const BallJoint& joint = JointOfRow(row);
  ReportPutCell(TrimmedText(FormatRotStiffnessOrRigid(joint.bendingStiffness)));
  ReportPutCell(TrimmedText(FormatRotStiffnessOrRigid(joint.torsionalStiffness)));
  ReportPutCell(TrimmedText(FormatMomentSignificant(joint.bendingFrictionTorque)));
  ReportPutCell(TrimmedText(FormatMomentSignificant(joint.torsionalFrictionTorque)));
  ReportPutCell(TrimmedText(FormatWeight(joint.weight)));
}

void PrintBallJointsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::BallJoint), TheList().title,
      {{"Bending", 1, 24},
       {"Torsional", 1, 35},
       {"Bending", 1, 47},
       {"Torsional", 1, 58},
       {"Weight", 1, 70},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {{kUnitRotStiffness, 2, 22, 32},
       {kUnitRotStiffness, 2, 34, 44},
       {kUnitMoment, 2, 46, 55},
       {kUnitMoment, 2, 57, 66},
       {kUnitWeight, 2, 68, 77}},
      {}, 1);
  request.putText = BallJointDetailsText;
  request.csvHeadings = {",,Bending,Torsional,Bending,Torsional,Weight",
                         CsvCellsLine("From,To," + CsvUnitCells({kUnitRotStiffness, kUnitRotStiffness, kUnitMoment, kUnitMoment, kUnitWeight}))};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
