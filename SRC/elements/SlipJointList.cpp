// The slip joints list and its printed section; see SlipJointList.h.
#include "elements/SlipJointList.h"

#include "elements/SlipJoint.h"
#include "elements/SlipJointDialog.h"
#include "graphics/ReportOutput.h"
#include "model/Model.h"
#include "shell/NumberText.h"
#include "shell/Units.h"

namespace {

constexpr int kColumns = 6;
constexpr const char* kHeadings[4] = {"Frict.force", "Frict.torque", "Thrust area", "Weight"};
constexpr UnitKind kUnits[4] = {kUnitForce, kUnitMoment, kUnitArea, kUnitWeight};

const SlipJoint& JointOfRow(int row) { return static_cast<const SlipJoint&>(*TheModel().row(row).element); }

// --- report forms ----------------------------------------------------------------

void TextHeading() {
  ReportPutText("Frict force", 20);
  ReportPutText("Frict torque", 34);
  ReportPutText("Thrust area", 49);
  ReportPutText("Weight", 63);
  ReportNewLine();
  ReportPutFromToHeading();
  ReportPutCentred(UnitLabel(kUnitForce), 22, 27);
  ReportPutCentred(UnitLabel(kUnitMoment), 35, 43);
  ReportPutCentred(UnitLabel(kUnitArea), 50, 58);
  ReportPutCentred(UnitLabel(kUnitWeight), 63, 68);
  ReportNewLine();
}

void TextLine(int row) {
  const SlipJoint& joint = JointOfRow(row);
  ReportPutFromTo(row);
  const int at[4] = {23, 37, 52, 64};
  for (int i = 0; i < 4; ++i) ReportPutText(SlipJointValueText(joint, i), at[i]);
  if (joint.weight == 0.0f) ReportPutText(TrimmedText(FormatWeight(0.0f)), at[3]);
}

void CsvHeading() {
  ReportAppendLine(",,Frict force,Frict torque,Thrust area,Weight");
  ReportNewLine();
  g_LineText = "From,To,";
  for (UnitKind unit : kUnits) ReportPutUnits(unit);
  EndCsvLine();
}

void CsvLine(int row) {
  const SlipJoint& joint = JointOfRow(row);
  ReportPutFromToCells(row);
  ReportPutCell(TrimmedText(FormatForce(joint.frictionForce)));
  ReportPutCell(TrimmedText(FormatMoment(joint.frictionTorque)));
  ReportPutCell(TrimmedText(FormatArea(joint.pressureThrustArea)));
  ReportPutCell(TrimmedText(FormatWeight(joint.weight)));
}

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

void PrintSlipJointsDetails() {
  KindListPrintTable table(TheList());
  PrintKindSection(TheList(), table, {TextHeading, TextLine, CsvHeading, CsvLine});
}
