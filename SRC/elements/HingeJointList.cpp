// The hinge joints list and its printed section; see HingeJointList.h.
#include "elements/HingeJointList.h"

#include <cstring>
#include <utility>

#include "elements/HingeJoint.h"
#include "elements/HingeJointDialog.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 9;
constexpr const char* kHeadings[kColumns] = {"From",   "To",     "Rot.Stiffness", "Rot.Limit", "Frict.Torq",
                                             "Weight", "X comp", "Y comp",        "Z comp"};

const HingeJoint& HingeOfRow(int row) { return static_cast<const HingeJoint&>(*TheModel().row(row).element); }

std::string Component(float value) { return TrimmedText(FormatFixedWidth(value, 8, 3)); }

std::string ValueText(const HingeJoint& h, int column) {
  switch (column) {
    case 3: return TrimmedText(FormatRotStiffnessOrRigid(h.stiffness));
    case 4: return RotationLimitText(h.rotationLimit);
    case 5: return h.frictionTorque != 0.0f ? TrimmedText(FormatMomentSignificant(h.frictionTorque)) : std::string();
    case 6: return TrimmedText(FormatWeight(h.weight));
    case 7:
    case 8:
    case 9: return Component(h.axis[column - 7]);
    default: return {};
  }
}

HingeJointsList& TheList() {
  static HingeJointsList list;
  return list;
}

}  // namespace

std::string HingeJoint::CellText(int column) const { return ValueText(*this, column); }

HingeJointsList::HingeJointsList()
    : ElementKindListTable(ElementType::HingeJoint, RowListKind::HingeJoints, "Hinge joints", "Hinge joint", kColumns,
                           2) {}

std::string HingeJointsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kHeadings[column - 1];
  switch (column) {
    case 3: return UnitLabel(kUnitRotStiffness);
    case 4: return UnitLabel(kUnitAngle);
    case 5: return UnitLabel(kUnitMoment);
    case 6: return UnitLabel(kUnitWeight);
    default: return {};
  }
}

bool HingeJointsList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int HingeJointsList::FilterChar(int character) {
  if (character == ' ') return 0;
  const char c = static_cast<char>(character);
  if (currentColumn == 3) return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
  if (currentColumn == 4) return IsNotNumberChar(c) && std::strchr("NONEnone", c) == nullptr ? 0 : character;
  return IsNotNumberChar(c) ? 0 : character;
}

bool HingeJointsList::StoreElementCell(ElementData& element, int column) {
  auto& h = static_cast<HingeJoint&>(element);
  float value = 0.0f;
  float* field = nullptr;
  switch (column) {
    case 3:
      if (ParseFieldRotStiffness(value) != 0) ThrowInvalidField("Stiffness");
      field = &h.stiffness;
      break;
    case 4:
      value = ParseRotationLimit("Rotation limit");
      field = &h.rotationLimit;
      break;
    case 5:
      if (ParseFieldMoment(value) != 0 || value < 0.0f) ThrowInvalidField("Friction Torque");
      field = &h.frictionTorque;
      break;
    case 6:
      if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
      field = &h.weight;
      break;
    default: {
      static const char* const kLabels[3] = {"X comp", "Y comp", "Z comp"};
      if (ParseFieldReal(value) != 0) ThrowInvalidField(kLabels[column - 7]);
      field = &h.axis[column - 7];
      float axis[3] = {h.axis[0], h.axis[1], h.axis[2]};
      axis[column - 7] = value;
      if (axis[0] == 0.0f && axis[1] == 0.0f && axis[2] == 0.0f) throw std::string("Direction is invalid");
      break;
    }
  }
  if (*field == value) return false;
  *field = value;
  return true;
}

void HingeJointsList::WriteText() { PrintHingeJointsDetails(); }

TableWindow& HingeJointsListTable() { return TheList(); }
bool HingeJointsListOffered(const Model& model) { return model.lists[RowListKind::HingeJoints].count > 0; }

void OpenHingeJointsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 10, 10, 10};
  TheList().Open(OpenHingeJointsList, &lengths);
}

void HingeJointDetailsText(int row) {
  if (!g_ReportToFile) {
    const HingeJoint& h = HingeOfRow(row);
    ReportPutText(ValueText(h, 3), 22);
    if (h.frictionTorque != 0.0f) ReportPutText(ValueText(h, 5), 34);
    ReportPutText(ValueText(h, 6), 46);
    const int at[3] = {55, 64, 73};
    for (int i = 0; i < 3; ++i)
      if (h.axis[i] != 0.0f) ReportPutText(Component(h.axis[i]), at[i]);
    return;
  }
  const HingeJoint& h = HingeOfRow(row);
  ReportPutCell(ValueText(h, 3));
  ReportPutCell(TrimmedText(FormatMomentSignificant(h.frictionTorque)));
  ReportPutCell(ValueText(h, 6));
  for (float component : h.axis) ReportPutCell(Component(component));
}

void PrintHingeJointsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::HingeJoint), TheList().title,
      {{"Rot.stiff", 1, 20},
       {"Frict.torq", 1, 32},
       {"Weight", 1, 45},
       {"Axis direction", 1, 59},
       {"From", 2, 6},
       {"To", 2, 13},
       {"X comp", 2, 55},
       {"Y comp", 2, 64},
       {"Z comp", 2, 73}},
      1,
      {{kUnitRotStiffness, 2, 18, 30},
       {kUnitMoment, 2, 33, 41},
       {kUnitWeight, 2, 45, 50}},
      {}, 1);
  request.putText = HingeJointDetailsText;
  request.csvHeadings = {",,Rot.stiff,Frict.torq,Weight,,Axis direction",
                         "From,To," + CsvUnitCells({kUnitRotStiffness, kUnitMoment, kUnitWeight}) + "X comp, Y comp, Z comp"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
