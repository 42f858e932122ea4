// SLIP_DIALOG (see SlipJointDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1304 with unit labels 1601 to 1604, blank for 0.
// A field left as it was shown keeps the stored value.
#include "elements/SlipJointDialog.h"

#include <array>

#include "elements/SlipJoint.h"
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
constexpr const char* kLabels[4] = {"Friction force", "Friction torque", "Pressure thrust area", "Weight"};
constexpr UnitKind kUnits[4] = {kUnitForce, kUnitMoment, kUnitArea, kUnitWeight};

class SlipJointDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Slip joint"; }
  ElementType Type() const override { return ElementType::SlipJoint; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    shown = {};
    for (int i = 0; i < 4; ++i) helper.DialogSetUnitLabel(1601 + i, kUnits[i]);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFirst);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304}, {}); }

  void Read() override {
    auto* joint = dynamic_cast<SlipJoint*>(RowElementOfType(row, ElementType::SlipJoint));
    for (int i = 0; i < 4; ++i) {
      helper.DialogGetItemText(kFirst + i);
      values_[static_cast<std::size_t>(i)] =
          joint != nullptr && AsShown(kFirst + i) ? SlipJointValue(*joint, i) : ParseSlipJointValue(i);
    }
  }

  bool Differs(const ElementData& element) const override {
    auto& joint = const_cast<SlipJoint&>(static_cast<const SlipJoint&>(element));
    for (int i = 0; i < 4; ++i)
      if (SlipJointValue(joint, i) != values_[static_cast<std::size_t>(i)]) return true;
    return false;
  }

  bool Store(ElementData& element) override {
    auto& joint = static_cast<SlipJoint&>(element);
    for (int i = 0; i < 4; ++i) SlipJointValue(joint, i) = values_[static_cast<std::size_t>(i)];
    RedrawRowElement(TheModel(), row);
    return false;
  }

  std::array<std::string, 4> shown;

 private:
  bool AsShown(int item) const {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    const std::string& before = shown[static_cast<std::size_t>(item - kFirst)];
    return !before.empty() && before == text;
  }

  std::array<float, 4> values_{};
};

SlipJointDialog& TheDialog() {
  static SlipJointDialog kind;
  return kind;
}

}  // namespace

float& SlipJointValue(SlipJoint& joint, int index) {
  float* values[4] = {&joint.frictionForce, &joint.frictionTorque, &joint.pressureThrustArea, &joint.weight};
  return *values[index];
}

std::string SlipJointValueText(const SlipJoint& joint, int index) {
  float& value = SlipJointValue(const_cast<SlipJoint&>(joint), index);
  if (value == 0.0f) return {};
  switch (index) {
    case 0: return TrimmedText(FormatForce(value));
    case 1: return TrimmedText(FormatMoment(value));
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
  SlipJointDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  for (int i = 0; i < 4; ++i) {
    kind.shown[static_cast<std::size_t>(i)] = SlipJointValueText(*this, i);
    kind.helper.DialogSetItemText(kFirst + i, kind.shown[static_cast<std::size_t>(i)]);
  }
}

INT_PTR SlipJointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
