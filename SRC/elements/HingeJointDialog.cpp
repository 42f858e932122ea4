// HINGE_DIALOG (see HingeJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1304 with unit labels 1601 to 1604, the axis in
// 1305 to 1307 read with CheckDirectionInput and kept as entered. A field
// left as it was shown keeps the stored value.
#include "elements/HingeJointDialog.h"

#include <array>
#include <cctype>

#include "elements/HingeJoint.h"
#include "kindbase/KindDialog.h"
#include "kindbase/KindList.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kStiffness = 1301, kLimit = 1302, kTorque = 1303, kWeight = 1304, kAxis = 1305;
constexpr float kNoLimit = 1.0e30f;

std::string AxisText(float value) { return TrimmedText(FormatFixedWidth(value, 8, 3)); }

class HingeDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Hinge joint"; }
  ElementType Type() const override { return ElementType::HingeJoint; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    shown = {};
    helper.DialogSetUnitLabel(1601, kUnitRotStiffness);
    helper.DialogSetUnitLabel(1602, kUnitAngle);
    helper.DialogSetUnitLabel(1603, kUnitMoment);
    helper.DialogSetUnitLabel(1604, kUnitWeight);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kStiffness);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305, 1306, 1307}, {}); }

  void Read() override {
    const auto* hinge = dynamic_cast<const HingeJoint*>(RowElementOfType(row, ElementType::HingeJoint));
    const std::array<float, 4> stored = hinge == nullptr ? std::array<float, 4>{0.0f, kNoLimit, 0.0f, 0.0f}
                                                         : std::array<float, 4>{hinge->stiffness, hinge->rotationLimit,
                                                                                hinge->frictionTorque, hinge->weight};
    helper.DialogGetItemText(kStiffness);
    if (AsShown(kStiffness)) values_[0] = stored[0];
    else if (ParseFieldRotStiffness(values_[0]) != 0) ThrowInvalidField("Stiffness");
    helper.DialogGetItemText(kLimit);
    values_[1] = AsShown(kLimit) ? stored[1] : ParseRotationLimit("Rotation limit");
    helper.DialogGetItemText(kTorque);
    if (AsShown(kTorque)) values_[2] = stored[2];
    else if (ParseFieldMoment(values_[2]) != 0) ThrowInvalidField("Friction torque");
    helper.DialogGetItemText(kWeight);
    if (AsShown(kWeight)) values_[3] = stored[3];
    else if (ParseFieldWeight(values_[3]) != 0) ThrowInvalidField("Weight");
    CheckDirectionInput(helper, kAxis, axis_[0], axis_[1], axis_[2]);
    for (int i = 0; i < 3; ++i)
      if (hinge != nullptr && AsShown(kAxis + i)) axis_[static_cast<std::size_t>(i)] = hinge->axis[i];
  }

  bool Differs(const ElementData& element) const override {
    const auto& h = static_cast<const HingeJoint&>(element);
    return h.stiffness != values_[0] || h.rotationLimit != values_[1] || h.frictionTorque != values_[2] ||
           h.weight != values_[3] || h.axis[0] != axis_[0] || h.axis[1] != axis_[1] || h.axis[2] != axis_[2];
  }

  bool Store(ElementData& element) override {
    auto& h = static_cast<HingeJoint&>(element);
    h.stiffness = values_[0];
    h.rotationLimit = values_[1];
    h.frictionTorque = values_[2];
    h.weight = values_[3];
    for (int i = 0; i < 3; ++i) h.axis[i] = axis_[static_cast<std::size_t>(i)];
    RedrawRowElement(TheModel(), row);
    return false;
  }

  std::array<std::string, 7> shown;

 private:
  bool AsShown(int item) const {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    const std::string& before = shown[static_cast<std::size_t>(item - kStiffness)];
    return !before.empty() && before == text;
  }

  std::array<float, 4> values_{};
  std::array<float, 3> axis_{};
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
  HingeDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  kind.shown = {TrimmedText(FormatRotStiffnessOrRigid(stiffness)), RotationLimitText(rotationLimit),
                TrimmedText(FormatMoment(frictionTorque)), TrimmedText(FormatWeight(weight)),
                AxisText(axis[0]), AxisText(axis[1]), AxisText(axis[2])};
  for (int i = 0; i < 7; ++i) kind.helper.DialogSetItemText(kStiffness + i, kind.shown[static_cast<std::size_t>(i)]);
}

INT_PTR HingeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
