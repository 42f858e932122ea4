// GUIDE_DIALOG (see GuideDialog.h) on the kinds' dialog protocol. A
// negative friction coefficient or gap is refused: neither has a meaning.
#include "supports/GuideDialog.h"

#include "kindbase/KindDialog.h"
#include "model/ModelDialogFields.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Guide.h"

namespace {

constexpr int kFriction = 1301, kStiffness = 1302, kGap = 1303, kConnected = 1304, kTag = 1305;

class GuideDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Guide"; }
  DataType Type() const override { return DataType::Guide; }

  void Init(DataItem* item) override {
    helper.DialogSetUnitLabel(1602, kUnitStiffness);
    helper.DialogSetUnitLabel(1603, kUnitDisplacement);
    helper.DialogLimitItemText(kTag, static_cast<int>(kGuideTagLength));
    helper.DialogSetItemText(kStiffness, "Rigid");
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kTag);
  }

  void LockForResults() override { LockDialogInputs(helper, {kFriction, kStiffness, kGap, kConnected, kTag}, {}); }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kGuideTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    helper.DialogGetItemText(kFriction);
    if (ParseFieldReal(friction) != 0 || friction < 0.0f) ThrowInvalidField("Friction coeff");
    helper.DialogGetItemText(kStiffness);
    if (ParseFieldStiffness(stiffness) != 0) ThrowInvalidField("Stiffness");
    if (stiffness == 0.0f) ThrowRequiredField("Stiffness");
    helper.DialogGetItemText(kGap);
    if (ParseFieldDisplacement(gap) != 0 || gap < 0.0f) ThrowInvalidField("Gap");
    connected = CheckConnectedNode(helper, kConnected, row);
  }

  bool Differs(const DataItem& item) const override {
    const auto& guide = static_cast<const Guide&>(item);
    return guide.tag != tag || guide.frictionCoefficient != friction || guide.stiffness != stiffness ||
           guide.gap != gap || guide.connectedNode != connected;
  }

  void Store(DataItem& item) override {
    auto& guide = static_cast<Guide&>(item);
    guide.tag = tag;
    guide.frictionCoefficient = friction;
    guide.stiffness = stiffness;
    guide.gap = gap;
    guide.connectedNode = connected;
  }

 private:
  std::string tag;
  float friction = 0.0f, stiffness = 0.0f, gap = 0.0f;
  std::int32_t connected = 0;
};

}  // namespace

void Guide::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kFriction, frictionCoefficient == 0.0f ? "" : FormatFixedWidth(frictionCoefficient, 10, 3));
  helper.DialogSetItemText(kStiffness, FormatStiffnessOrRigid(stiffness));
  helper.DialogSetItemText(kGap, gap == 0.0f ? "" : FormatDisplacementOrNone(gap));
  helper.DialogSetItemText(kConnected, connectedNode != 0 ? NodeNumberText(connectedNode) : "");
  helper.DialogSetItemText(kTag, tag);
}

INT_PTR GuideDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static GuideDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
