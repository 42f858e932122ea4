// WELD_DIALOG (see WeldDialog.h) on the kinds' dialog protocol: combo 1201
// the four types, edit 1301 the mismatch with its label 1501 and unit 1601,
// enabled for the types that take a mismatch and cleared for the others,
// so that a fillet weld stores no mismatch.
#include "elements/WeldDialog.h"

#include "elements/KindTable.h"
#include "elements/Weld.h"
#include "kindbase/KindDialog.h"
#include "platform/Controls.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kTypeCombo = 1201, kMismatch = 1301, kLabel = 1501, kUnit = 1601;

bool TakesMismatch(std::int32_t type) { return type == 1 || type == 4; }

class WeldDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Weld"; }
  DataType Type() const override { return DataType::Weld; }

  void Init(DataItem* item) override {
    helper.DialogComboReset(kTypeCombo);
    for (std::int32_t type = 1; type <= kWeldTypeLast; ++type) helper.DialogComboAddString(kWeldTypeNames[type]);
    helper.DialogComboSetSel(kTypeCombo, 0);
    helper.DialogSetUnitLabel(kUnit, kUnitDimension);
    // Typed as "Butt weld", "Fillet weld" ... the row's new weld starts
    // with that type.
    if (item != nullptr) item->FillDialog(dialog);
    else if (const std::int32_t typed = DataKindDialogSubtype(); typed >= 1 && typed <= kWeldTypeLast) {
      Weld weld;
      weld.type = typed;
      Fill(weld);
    }
    helper.DialogFocusItem(IDOK);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kMismatch}, {kTypeCombo, kLabel, kUnit});
  }

  void Read() override {
    type_ = helper.DialogComboGetSel(kTypeCombo) + 1;
    helper.DialogGetItemText(kMismatch);
    mismatch_ = 0.0f;
    if (!g_EditFieldText.empty() && ParseFieldNonNegativeDimension(mismatch_) != 0) ThrowInvalidField("Mismatch");
  }

  bool Differs(const DataItem& item) const override {
    const auto& weld = static_cast<const Weld&>(item);
    return weld.type != type_ || weld.mismatch != mismatch_;
  }

  void Store(DataItem& item) override {
    auto& weld = static_cast<Weld&>(item);
    weld.type = type_;
    weld.mismatch = mismatch_;
  }

  bool Command(int id, int code) override {
    if (id != kTypeCombo) return false;
    if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
      LayOut(helper.DialogComboGetSel(kTypeCombo) + 1);
      return true;
    }
    if (code == CBN_CLOSEUP) {
      helper.DialogFocusItem(TakesMismatch(helper.DialogComboGetSel(kTypeCombo) + 1) ? kMismatch : IDOK);
      return true;
    }
    return false;
  }

  void Fill(const Weld& weld) {
    if (weld.type >= 1 && weld.type <= kWeldTypeLast) helper.DialogComboSetSel(kTypeCombo, weld.type - 1);
    LayOut(weld.type);
    if (TakesMismatch(weld.type) && weld.mismatch != 0.0f) helper.DialogSetItemText(kMismatch, FormatDimension(weld.mismatch));
  }

 private:
  void LayOut(std::int32_t type) {
    const bool enable = TakesMismatch(type);
    if (!enable) helper.DialogSetItemEmpty(kMismatch);
    for (int item : {kLabel, kMismatch, kUnit}) helper.DialogEnableItem(item, enable);
  }

  std::int32_t type_ = 1;
  float mismatch_ = 0.0f;
};

WeldDialog& TheDialog() {
  static WeldDialog kind;
  return kind;
}

}  // namespace

void Weld::FillDialog(HWND dialog) {
  if (TheDialog().dialog == dialog) TheDialog().Fill(*this);
}

INT_PTR WeldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
