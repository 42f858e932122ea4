// BALL_DIALOG (see BallJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1307, unit labels 1601 (Rot stiffness), 1602
// (Angle), 1603 (Moment) and 1604 (Weight). A field left as it was shown
// keeps the stored value.
#include "elements/BallJointDialog.h"

#include "elements/BallJoint.h"
#include "elements/ElementValuesDialog.h"
#include "elements/HingeJointDialog.h"
#include "kindbase/KindList.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kValueCount = 7;
constexpr const char* kLabels[kValueCount] = {
    "Bending stiffness",       "Torsional stiffness",       "Rotation limit", "Rotation limit",
    "Bending friction torque", "Torsional friction torque", "Weight"};

class BallJointDialog : public ElementValuesDialog {
 public:
  BallJointDialog() : ElementValuesDialog(kValueCount, {kUnitRotStiffness, kUnitAngle, kUnitMoment, kUnitWeight}) {}

  const char* KindName() const override { return "Ball joint"; }
  ElementType Type() const override { return ElementType::BallJoint; }

 protected:
  float& Value(ElementData& element, int index) const override {
    return BallJointValue(static_cast<BallJoint&>(element), index);
  }
  float ParseValue(int index) override { return ParseBallJointValue(index); }

  bool AfterStore() override {
    // The joint sits at the node before it.
    Model& model = TheModel();
    LayoutRow& layout = model.row(row);
    const bool moved = layout.dx != 0.0f || layout.dy != 0.0f || layout.dz != 0.0f;
    layout.dx = layout.dy = layout.dz = 0.0f;
    if (!moved) RedrawRowElement(model, row);
    return moved;
  }
};

BallJointDialog& TheDialog() {
  static BallJointDialog kind;
  return kind;
}

}  // namespace

float& BallJointValue(BallJoint& joint, int index) {
  float* values[kValueCount] = {&joint.bendingStiffness,       &joint.torsionalStiffness,
                                &joint.bendingRotationLimit,   &joint.torsionalRotationLimit,
                                &joint.bendingFrictionTorque,  &joint.torsionalFrictionTorque,
                                &joint.weight};
  return *values[index];
}

std::string BallJointValueText(const BallJoint& joint, int index) {
  const float value = BallJointValue(const_cast<BallJoint&>(joint), index);
  if (index == 2 || index == 3) return RotationLimitText(value);
  if (value == 0.0f) return {};
  if (index < 2) return TrimmedText(FormatRotStiffnessOrRigid(value));
  if (index < 6) return TrimmedText(FormatMomentSignificant(value));
  return TrimmedText(FormatWeight(value));
}

float ParseBallJointValue(int index) {
  if (index == 2 || index == 3) return ParseRotationLimit(kLabels[index]);
  float value = 0.0f;
  if (index < 2) {
    if (ParseFieldRotStiffness(value) != 0) ThrowInvalidField(kLabels[index]);
  } else if (index < 6) {
    if (ParseFieldMoment(value) != 0 || value < 0.0f) ThrowInvalidField(kLabels[index]);
  } else if (ParseFieldWeight(value) != 0) {
    ThrowInvalidField(kLabels[index]);
  }
  return value;
}

void BallJoint::FillDialog(HWND dialog) {
  std::vector<std::string> texts;
  for (int i = 0; i < kValueCount; ++i) texts.push_back(BallJointValueText(*this, i));
  TheDialog().ShowValues(dialog, texts);
}

INT_PTR BallJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
