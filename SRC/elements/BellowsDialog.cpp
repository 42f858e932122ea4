// BELLOWS_DIALOG (see BellowsDialog.h) on the element kinds' dialog
// protocol: edits 1301 to 1307 in the order of the record's fields but the
// lateral stiffness (1304 after the torsional 1303), unit labels 1601 to
// 1607. A field left as it was shown keeps the stored value: its text is
// only a rounding (a rotational rate shown per degree, say), and reading
// it back would change the bellows on an OK that changed nothing.
#include "elements/BellowsDialog.h"

#include <array>

#include "elements/Bellows.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kAxial = 1301, kBending = 1302, kTorsional = 1303, kLateral = 1304, kArea = 1305, kWeight = 1306,
              kDiameter = 1307;

struct BellowsInput {
  float axial = 0.0f, bending = 0.0f, torsional = 0.0f, lateral = 0.0f, area = 0.0f, weight = 0.0f, diameter = 0.0f;
};

std::string Trimmed(const char* text) {
  std::string value = text;
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

class BellowsDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Bellows"; }
  ElementType Type() const override { return ElementType::Bellows; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    shown_ = {};
    const UnitKind units[7] = {kUnitStiffness, kUnitRotStiffness, kUnitRotStiffness, kUnitStiffness,
                               kUnitArea,      kUnitWeight,       kUnitDimension};
    for (int i = 0; i < 7; ++i) helper.DialogSetUnitLabel(1601 + i, units[i]);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kAxial);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kAxial, kBending, kTorsional, kLateral, kArea, kWeight, kDiameter}, {});
  }

  void Read() override {
    input_ = BellowsInput{};
    const auto* stored = dynamic_cast<const Bellows*>(RowElementOfType(row, ElementType::Bellows));
    stored_ = stored == nullptr ? BellowsInput{}
                                : BellowsInput{stored->axialStiffness, stored->bendingStiffness, stored->torsionalStiffness,
                                               stored->lateralStiffness, stored->pressureThrustArea, stored->weight,
                                               stored->meanDiameter};
    input_.axial = Stiffness(kAxial, "Axial stiffness", true, false);
    input_.bending = Stiffness(kBending, "Bending stiffness", false, true);
    input_.torsional = Stiffness(kTorsional, "Torsional stiffness", true, true);
    input_.lateral = Stiffness(kLateral, "Lateral stiffness", true, false);
    helper.DialogGetItemText(kArea);
    if (AsShown(kArea)) input_.area = stored_.area;
    else if (ParseFieldArea(input_.area) != 0) ThrowInvalidField("Pressure thrust area");
    helper.DialogGetItemText(kWeight);
    if (AsShown(kWeight)) input_.weight = stored_.weight;
    else if (ParseFieldWeight(input_.weight) != 0) ThrowInvalidField("Weight");
    helper.DialogGetItemText(kDiameter);
    if (AsShown(kDiameter)) input_.diameter = stored_.diameter;
    else if (ParseFieldNonNegativeDimension(input_.diameter) != 0) ThrowInvalidField("Diameter");
    if (input_.diameter == 0.0f && input_.bending == 0.0f) {
      helper.DialogGetItemText(kBending);
      ThrowRequiredField("Bending Stiffness or Mean diameter");
    }
    // The bending stiffness the mean diameter gives (D^2 Ka / 8) is stored
    // as the typed values are, and keeps their rule: one that no float
    // holds, or one past its range, could be neither saved nor analysed.
    if (DerivesBending() && !StoredValueAcceptable(DerivedBellowsBendingStiffness(input_.diameter, input_.axial))) {
      helper.DialogGetItemText(kDiameter);
      ThrowFieldError("Diameter",
                      std::string("is invalid:\nthe bending stiffness D^2 x Axial stiffness / 8 is out of range (") +
                          kStoredValueRange + ")");
    }
  }

  bool Differs(const ElementData& element) const override {
    const auto& b = static_cast<const Bellows&>(element);
    return b.axialStiffness != input_.axial || b.bendingStiffness != input_.bending ||
           b.torsionalStiffness != input_.torsional || b.lateralStiffness != input_.lateral ||
           b.pressureThrustArea != input_.area || b.weight != input_.weight || b.meanDiameter != input_.diameter;
  }

  bool Store(ElementData& element) override {
    auto& b = static_cast<Bellows&>(element);
    b.axialStiffness = input_.axial;
    // Read held the derived value to the rule, so it narrows to a float.
    b.bendingStiffness = DerivesBending()
                             ? static_cast<float>(DerivedBellowsBendingStiffness(input_.diameter, input_.axial))
                             : input_.bending;
    b.torsionalStiffness = input_.torsional;
    b.lateralStiffness = input_.lateral;
    b.pressureThrustArea = input_.area;
    b.weight = input_.weight;
    b.meanDiameter = input_.diameter;
    RedrawRowElement(TheModel(), row);
    return false;
  }

 private:
  bool DerivesBending() const { return input_.bending == 0.0f && input_.diameter > 0.0f; }

  float Stiffness(int item, const char* label, bool required, bool rotational) {
    helper.DialogGetItemText(item);
    if (g_EditFieldText.empty()) {
      if (required) ThrowRequiredField(label);
      return 0.0f;
    }
    if (AsShown(item)) {
      const float* fields[4] = {&stored_.axial, &stored_.bending, &stored_.torsional, &stored_.lateral};
      return *fields[item - kAxial];
    }
    float value = 0.0f;
    if ((rotational ? ParseFieldRotStiffness(value) : ParseFieldStiffness(value)) != 0) ThrowInvalidField(label);
    return value;
  }

  bool AsShown(int item) const {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    const auto& shown = shown_[static_cast<std::size_t>(item - kAxial)];
    return !shown.empty() && shown == text;
  }

 public:
  // The texts Fill put in edits 1301 to 1307 (empty for a new bellows).
  std::array<std::string, 7> shown_;

 private:
  BellowsInput input_;
  BellowsInput stored_;
};

BellowsDialog& TheDialog() {
  static BellowsDialog kind;
  return kind;
}

}  // namespace

double DerivedBellowsBendingStiffness(float meanDiameter, float axialStiffness) {
  return static_cast<double>(meanDiameter) * meanDiameter * axialStiffness * 0.125;
}

void Bellows::FillDialog(HWND dialog) {
  BellowsDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  kind.shown_ = {Trimmed(FormatStiffnessOrRigid(axialStiffness)), Trimmed(FormatRotStiffnessOrRigid(bendingStiffness)),
                 Trimmed(FormatRotStiffnessOrRigid(torsionalStiffness)), Trimmed(FormatStiffnessOrRigid(lateralStiffness)),
                 Trimmed(FormatArea(pressureThrustArea)), Trimmed(FormatWeight(weight)),
                 Trimmed(FormatDimension(meanDiameter))};
  for (int i = 0; i < 7; ++i) kind.helper.DialogSetItemText(kAxial + i, kind.shown_[static_cast<std::size_t>(i)]);
}

INT_PTR BellowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
