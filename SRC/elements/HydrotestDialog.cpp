// HYDROTEST_LOAD_DIALOG (see HydrotestDialog.h) and the hydrotest load row's
// text. OK reads the specific gravity (required, not negative), the
// pressure (not negative; an empty field or 0 is stored as "not given") and
// the check box.
#include "elements/HydrotestDialog.h"

#include <algorithm>

#include "elements/HydrotestLoad.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kGravity = 1301, kPressure = 1302, kPressureUnit = 1602, kExclude = 1101;
constexpr float kPressureNotGiven = 1.0e-36f;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

// The nearest hydrotest load row above `row`, down to row 2; 0 when none.
const HydrotestLoad* EarlierHydrotest(const Model& model, int row) {
  for (int r = std::min(row, model.rowCount + 1) - 1; r >= 2; --r)
    if (model.row(r).elementType == ElementType::HydrotestLoad)
      if (const auto* load = dynamic_cast<const HydrotestLoad*>(model.row(r).element.get())) return load;
  return nullptr;
}

class HydrotestDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Hydrotest Load"; }
  ElementType Type() const override { return ElementType::HydrotestLoad; }
  bool TitleWithoutNode() const override { return true; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kPressureUnit, kUnitPressure);
    if (const HydrotestLoad* earlier = EarlierHydrotest(TheModel(), row)) {
      Fill(*earlier);
      helper.DialogSelectAndFocus(kPressure);
    } else {
      helper.DialogSetItemText(kGravity, "1");
      helper.DialogSelectAndFocus(kGravity);
    }
    if (element != nullptr) element->FillDialog(dialog);
  }
  void LockForResults() override { LockDialogInputs(helper, {kGravity, kPressure}, {kExclude}); }
  void Read() override {
    helper.DialogGetItemText(kGravity);
    if (g_EditFieldText.empty()) ThrowRequiredField("Specific gravity");
    if (ParseFieldReal(gravity_) != 0) ThrowInvalidField("Specific gravity");
    if (gravity_ < 0.0f) ThrowFieldError("Specific gravity", "should not be negative");
    helper.DialogGetItemText(kPressure);
    if (ParseFieldPressure(pressure_) != 0 || pressure_ < 0.0f) ThrowInvalidField("Pressure");
    if (pressure_ < 2.0e-36f) pressure_ = kPressureNotGiven;
    exclude_ = helper.DialogIsChecked(kExclude) ? 1 : 0;
  }
  bool Differs(const ElementData& element) const override {
    const auto& load = static_cast<const HydrotestLoad&>(element);
    return load.specificGravity != gravity_ || load.pressure != pressure_ || load.excludeInsulation != exclude_;
  }
  bool Store(ElementData& element) override {
    auto& load = static_cast<HydrotestLoad&>(element);
    load.specificGravity = gravity_;
    load.pressure = pressure_;
    load.excludeInsulation = exclude_;
    return false;
  }

  void Fill(const HydrotestLoad& load) {
    helper.DialogSetItemText(kGravity, FormatThreeDecimals(load.specificGravity));
    helper.DialogSetItemText(kPressure, Trimmed(FormatPressure(load.pressure)));
    helper.DialogSetCheck(kExclude, load.excludeInsulation != 0);
  }

 private:
  float gravity_ = 0.0f;
  float pressure_ = 0.0f;
  std::uint8_t exclude_ = 0;
};

HydrotestDialog& TheHydrotestDialog() {
  static HydrotestDialog dialog;
  return dialog;
}

}  // namespace

std::string HydrotestLoad::Text() const {
  std::string text = "Hydrotest load: Spec. gravity = ";
  text += FormatThreeDecimals(specificGravity);
  text += ",  Pressure = ";
  text += ValueWithUnitLabel(Trimmed(FormatPressure(pressure)), kUnitPressure);
  if (excludeInsulation != 0) text += ",  Exclude insulation";
  return text;
}

void HydrotestLoad::FillDialog(HWND dialog) {
  HydrotestDialog& kind = TheHydrotestDialog();
  kind.helper.DialogBind(dialog);
  kind.Fill(*this);
  kind.helper.DialogSelectAndFocus(kGravity);
}

INT_PTR HydrotestLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheHydrotestDialog(), dialog, message, wParam, lParam);
}
