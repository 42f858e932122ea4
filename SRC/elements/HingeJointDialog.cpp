// HINGE_DIALOG (see HingeJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1304 with unit labels 1601 to 1604, the axis in
// 1305 to 1307 read with CheckDirectionInput and kept as entered. A field
// left as it was shown keeps the stored value.
#include "elements/HingeJointDialog.h"

#include <cctype>

#include "elements/ElementValuesDialog.h"
#include "kindbase/KindList.h"
#include "elements/HingeJoint.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

// Stiffness, rotation limit, friction torque and weight, then the axis.
constexpr int kAxis = 4, kValueCount = 7;
constexpr float kNoLimit = 1.0e30f;

std::string AxisText(float value) { return TrimmedText(FormatFixedWidth(value, 8, 3)); }

class HingeDialog : public ElementValuesDialog {
 public:
  HingeDialog() : ElementValuesDialog(kValueCount, {kUnitRotStiffness, kUnitAngle, kUnitMoment, kUnitWeight}) {}

  const char* KindName() const override { return "Hinge joint"; }
  ElementType Type() const override { return ElementType::HingeJoint; }

  void Read() override {
    ReadValues(0, kAxis);
    // The axis is read as one direction; its fields left as shown keep theirs.
    CheckDirectionInput(helper, kFirstField + kAxis, values[kAxis], values[kAxis + 1], values[kAxis + 2]);
    ElementData* hinge = RowElementOfType(row, ElementType::HingeJoint);
    for (int i = kAxis; i < kValueCount; ++i)
      if (hinge != nullptr && AsShown(i)) values[static_cast<std::size_t>(i)] = Value(*hinge, i);
  }

 protected:
  float& Value(ElementData& element, int index) const override {
    auto& hinge = static_cast<HingeJoint&>(element);
    float* fields[kValueCount] = {&hinge.stiffness, &hinge.rotationLimit, &hinge.frictionTorque, &hinge.weight,
                                  &hinge.axis[0],   &hinge.axis[1],        &hinge.axis[2]};
    return *fields[index];
  }

  float ParseValue(int index) override {
    float value = 0.0f;
    switch (index) {
      case 0:
        if (ParseFieldRotStiffness(value) != 0) ThrowInvalidField("Stiffness");
        return value;
      case 1: return ParseRotationLimit("Rotation limit");
      case 2:
        if (ParseFieldMoment(value) != 0) ThrowInvalidField("Friction torque");
        return value;
      default:
        if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
        return value;
    }
  }
};

HingeDialog& TheDialog() {
  static HingeDialog kind;
  return kind;
}

}  // namespace

float ParseRotationLimit(const char* label) {
  // An empty field or a leading part of "None" is no limit.
  static const std::string kNone = "NONE";
  std::string typed = g_EditFieldText;
  for (char& c : typed) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (typed.empty() || (typed.size() <= kNone.size() && kNone.compare(0, typed.size(), typed) == 0)) return kNoLimit;
  float value = 0.0f;
  if (ParseFieldAngle(value) != 0) ThrowInvalidField(label);
  if (value < 0.0f) throw std::string("Rotation limit should be positive");
  return value;
}

std::string RotationLimitText(float limit) {
  return limit >= kNoRotationLimit ? std::string("None") : TrimmedText(FormatAngleOrNone(limit));
}

void HingeJoint::FillDialog(HWND dialog) {
  TheDialog().ShowValues(dialog, {TrimmedText(FormatRotStiffnessOrRigid(stiffness)), RotationLimitText(rotationLimit),
                                  TrimmedText(FormatMomentSignificant(frictionTorque)), TrimmedText(FormatWeight(weight)),
                                  AxisText(axis[0]), AxisText(axis[1]), AxisText(axis[2])});
}

INT_PTR HingeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
