// SLIP_DIALOG (see SlipJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1304 with unit labels 1601 to 1604, blank for 0.
// A field left as it was shown keeps the stored value.
#include "elements/SlipJointDialog.h"

#include "elements/ElementValuesDialog.h"
#include "elements/SlipJoint.h"
#include "kindbase/KindList.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kValueCount = 4;
constexpr const char* kLabels[kValueCount] = {"Friction force", "Friction torque", "Pressure thrust area", "Weight"};

class SlipJointDialog : public ElementValuesDialog {
 public:
  SlipJointDialog() : ElementValuesDialog(kValueCount, {kUnitForce, kUnitMoment, kUnitArea, kUnitWeight}) {}

  const char* KindName() const override { return "Slip joint"; }
  ElementType Type() const override { return ElementType::SlipJoint; }

 protected:
  float& Value(ElementData& element, int index) const override {
    return SlipJointValue(static_cast<SlipJoint&>(element), index);
  }
  float ParseValue(int index) override { return ParseSlipJointValue(index); }
};

SlipJointDialog& TheDialog() {
  static SlipJointDialog kind;
  return kind;
}

}  // namespace

float& SlipJointValue(SlipJoint& joint, int index) {
  float* values[kValueCount] = {&joint.frictionForce, &joint.frictionTorque, &joint.pressureThrustArea,
                                &joint.weight};
  return *values[index];
}

std::string SlipJointValueText(const SlipJoint& joint, int index) {
  float& value = SlipJointValue(const_cast<SlipJoint&>(joint), index);
  if (value == 0.0f) return {};
  switch (index) {
    case 0: return TrimmedText(FormatForce(value));
    case 1: return TrimmedText(FormatMomentSignificant(value));
    case 2: return TrimmedText(FormatArea(value));
    default: return TrimmedText(FormatWeight(value));
  }
}

float ParseSlipJointValue(int index) {
  float value = 0.0f;
  int refused = 0;
  switch (index) {
    case 0: refused = ParseFieldForce(value); break;
    case 1: refused = ParseFieldMoment(value); break;
    case 2: refused = ParseFieldArea(value); break;
    default: refused = ParseFieldWeight(value); break;
  }
  if (refused != 0) ThrowInvalidField(kLabels[index]);
  return value;
}

void SlipJoint::FillDialog(HWND dialog) {
  std::vector<std::string> texts;
  for (int i = 0; i < kValueCount; ++i) texts.push_back(SlipJointValueText(*this, i));
  TheDialog().ShowValues(dialog, texts);
}

INT_PTR SlipJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
