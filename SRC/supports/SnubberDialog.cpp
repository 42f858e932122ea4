// SNUBBER_DIALOG (see SnubberDialog.h) on the kinds' dialog protocol.
#include "supports/SnubberDialog.h"

#include "kindbase/KindDialog.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Snubber.h"

namespace {

constexpr int kStiffness = 1301, kFirstComponent = 1302, kTag = 1305;

std::string ComponentText(float value) { return value == 0.0f ? "" : FormatFixedWidth(value, 8, 3); }

class SnubberDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Snubber"; }
  DataType Type() const override { return DataType::Snubber; }

  void Init(DataItem* item) override {
    helper.DialogSetUnitLabel(1601, kUnitStiffness);
    helper.DialogLimitItemText(kTag, static_cast<int>(kSnubberTagLength));
    helper.DialogSetItemText(kStiffness, "Rigid");
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kStiffness);
  }

  void LockForResults() override { LockDialogInputs(helper, {kStiffness, 1302, 1303, 1304, kTag}, {}); }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kSnubberTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    helper.DialogGetItemText(kStiffness);
    if (ParseFieldStiffness(stiffness) != 0) ThrowInvalidField("Stiffness");
    if (stiffness == 0.0f) ThrowRequiredField("Stiffness");
    CheckDirectionInput(helper, kFirstComponent, components[0], components[1], components[2]);
  }

  bool Differs(const DataItem& item) const override {
    const auto& snubber = static_cast<const Snubber&>(item);
    return snubber.tag != tag || snubber.stiffness != stiffness || snubber.dirX != components[0] ||
           snubber.dirY != components[1] || snubber.dirZ != components[2];
  }

  void Store(DataItem& item) override {
    auto& snubber = static_cast<Snubber&>(item);
    snubber.tag = tag;
    snubber.stiffness = stiffness;
    snubber.dirX = components[0];
    snubber.dirY = components[1];
    snubber.dirZ = components[2];
  }

 private:
  std::string tag;
  float stiffness = 0.0f;
  std::array<float, 3> components{};
};

}  // namespace

void Snubber::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kStiffness, FormatStiffnessOrRigid(stiffness));
  helper.DialogSetItemText(kFirstComponent, ComponentText(dirX));
  helper.DialogSetItemText(kFirstComponent + 1, ComponentText(dirY));
  helper.DialogSetItemText(kFirstComponent + 2, ComponentText(dirZ));
  helper.DialogSetItemText(kTag, tag);
}

INT_PTR SnubberDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static SnubberDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
