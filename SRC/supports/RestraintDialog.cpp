// RESTRAINT_DIALOG (see RestraintDialog.h) on the kinds' dialog protocol.
// No field is refused: a restraint that holds no direction is kept and has
// no effect.
#include "supports/RestraintDialog.h"

#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "supports/Restraint.h"

namespace {

constexpr int kFirstDirection = 1101;
constexpr int kTagField = 1301;
constexpr int kVerticalButton = 1001;

class RestraintDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Restraint"; }
  DataType Type() const override { return DataType::Restraint; }

  void Init(DataItem* item) override {
    helper.DialogLimitItemText(kTagField, static_cast<int>(kRestraintTagLength));
    if (item != nullptr) item->FillDialog(dialog);
  }

  void LockForResults() override { LockDialogInputs(helper, {kTagField}, {1101, 1102, 1103, kVerticalButton}); }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTagField);
    if (g_EditFieldText.size() > kRestraintTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    for (int axis = 0; axis < 3; ++axis) held[static_cast<std::size_t>(axis)] = helper.DialogIsChecked(kFirstDirection + axis) ? 1 : 0;
  }

  bool Differs(const DataItem& item) const override {
    const auto& restraint = static_cast<const Restraint&>(item);
    return restraint.tag != tag || restraint.restrainX != held[0] || restraint.restrainY != held[1] ||
           restraint.restrainZ != held[2];
  }

  void Store(DataItem& item) override {
    auto& restraint = static_cast<Restraint&>(item);
    restraint.tag = tag;
    restraint.restrainX = held[0];
    restraint.restrainY = held[1];
    restraint.restrainZ = held[2];
  }

  bool Command(int id, int code) override {
    if (id != kVerticalButton || code != BN_CLICKED) return false;
    const bool zVertical = TheModel().options.ZVertical != 0;
    helper.DialogSetCheck(kFirstDirection, false);
    helper.DialogSetCheck(kFirstDirection + 1, !zVertical);
    helper.DialogSetCheck(kFirstDirection + 2, zVertical);
    return true;
  }

 private:
  std::string tag;
  std::array<std::uint8_t, 3> held{};
};

}  // namespace

void Restraint::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kTagField, tag);
  for (int axis = 0; axis < 3; ++axis) helper.DialogSetCheck(kFirstDirection + axis, Holds(axis));
}

INT_PTR RestraintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static RestraintDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
