// RIGID_DIALOG (see RigidDialog.h): OK reads the weight and the check box.
#include "elements/RigidDialog.h"

#include "elements/RigidElement.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kWeight = 1301, kAddCil = 1101, kWeightUnit = 1601;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

class RigidDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Rigid element"; }
  ElementType Type() const override { return ElementType::Rigid; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kWeightUnit, kUnitWeight);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kWeight);
  }
  void LockForResults() override { LockDialogInputs(helper, {kWeight}, {kAddCil}); }
  void Read() override {
    helper.DialogGetItemText(kWeight);
    if (ParseFieldWeight(weight_) != 0) ThrowInvalidField("Weight");
    addCil_ = helper.DialogIsChecked(kAddCil) ? 1 : 0;
  }
  bool Differs(const ElementData& element) const override {
    const auto& rigid = static_cast<const RigidElement&>(element);
    return rigid.weight != weight_ || rigid.addCil != addCil_;
  }
  bool Store(ElementData& element) override {
    auto& rigid = static_cast<RigidElement&>(element);
    rigid.weight = weight_;
    rigid.addCil = addCil_;
    RedrawRowElement(TheModel(), row);
    return false;
  }

 private:
  float weight_ = 0.0f;
  std::uint8_t addCil_ = 0;
};

RigidDialog& TheRigidDialog() {
  static RigidDialog dialog;
  return dialog;
}

}  // namespace

void RigidElement::FillDialog(HWND dialog) {
  DialogHelper& helper = TheRigidDialog().helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kWeight, Trimmed(FormatWeight(weight)));
  helper.DialogSetCheck(kAddCil, addCil != 0);
}

INT_PTR RigidDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheRigidDialog(), dialog, message, wParam, lParam);
}
