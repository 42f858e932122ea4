// BALL_DIALOG (see BallJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1307, unit labels 1601 (Rot stiffness), 1602
// (Angle), 1603 (Moment) and 1604 (Weight). A field left as it was shown
// keeps the stored value.
#include "elements/BallJointDialog.h"

#include <array>

#include "elements/BallJoint.h"
#include "elements/HingeJointDialog.h"
#include "kindbase/KindDialog.h"
#include "kindbase/KindList.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kFirst = 1301;
constexpr const char* kLabels[7] = {"Bending stiffness",      "Torsional stiffness",       "Rotation limit",
                                    "Rotation limit",         "Bending friction torque", "Torsional friction torque",
                                    "Weight"};

class BallJointDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Ball joint"; }
  ElementType Type() const override { return ElementType::BallJoint; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    shown = {};
    helper.DialogSetUnitLabel(1601, kUnitRotStiffness);
    helper.DialogSetUnitLabel(1602, kUnitAngle);
    helper.DialogSetUnitLabel(1603, kUnitMoment);
    helper.DialogSetUnitLabel(1604, kUnitWeight);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFirst);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305, 1306, 1307}, {}); }

  void Read() override {
    auto* joint = dynamic_cast<BallJoint*>(RowElementOfType(row, ElementType::BallJoint));
    for (int i = 0; i < 7; ++i) {
      helper.DialogGetItemText(kFirst + i);
      values_[static_cast<std::size_t>(i)] =
          joint != nullptr && AsShown(kFirst + i) ? BallJointValue(*joint, i) : ParseBallJointValue(i);
    }
  }

  bool Differs(const ElementData& element) const override {
    auto& joint = const_cast<BallJoint&>(static_cast<const BallJoint&>(element));
    for (int i = 0; i < 7; ++i)
      if (BallJointValue(joint, i) != values_[static_cast<std::size_t>(i)]) return true;
    return false;
  }

  bool Store(ElementData& element) override {
    auto& joint = static_cast<BallJoint&>(element);
    for (int i = 0; i < 7; ++i) BallJointValue(joint, i) = values_[static_cast<std::size_t>(i)];
    // The joint sits at the node before it.
    Model& model = TheModel();
    LayoutRow& layout = model.row(row);
    const bool moved = layout.dx != 0.0f || layout.dy != 0.0f || layout.dz != 0.0f;
    layout.dx = layout.dy = layout.dz = 0.0f;
    if (!moved) RedrawRowElement(model, row);
    return moved;
  }

  std::array<std::string, 7> shown;

 private:
  bool AsShown(int item) const {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    const std::string& before = shown[static_cast<std::size_t>(item - kFirst)];
    return !before.empty() && before == text;
  }

  std::array<float, 7> values_{};
};

BallJointDialog& TheDialog() {
  static BallJointDialog kind;
  return kind;
}

}  // namespace

float& BallJointValue(BallJoint& joint, int index) {
  float* values[7] = {&joint.bendingStiffness,      &joint.torsionalStiffness,    &joint.bendingRotationLimit,
                      &joint.torsionalRotationLimit, &joint.bendingFrictionTorque, &joint.torsionalFrictionTorque,
                      &joint.weight};
  return *values[index];
}

std::string BallJointValueText(const BallJoint& joint, int index) {
  const float value = BallJointValue(const_cast<BallJoint&>(joint), index);
  if (index == 2 || index == 3) return RotationLimitText(value);
  if (value == 0.0f) return {};
  if (index < 2) return TrimmedText(FormatRotStiffnessOrRigid(value));
  if (index < 6) return TrimmedText(FormatMoment(value));
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
  BallJointDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  for (int i = 0; i < 7; ++i) {
    kind.shown[static_cast<std::size_t>(i)] = BallJointValueText(*this, i);
    kind.helper.DialogSetItemText(kFirst + i, kind.shown[static_cast<std::size_t>(i)]);
  }
}

INT_PTR BallJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
