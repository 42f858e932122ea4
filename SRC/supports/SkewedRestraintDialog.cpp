// SKEWED_RESTRAINT_DIALOG (see SkewedRestraintDialog.h) on the kinds'
// dialog protocol.
#include "supports/SkewedRestraintDialog.h"

#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/LimitStopDialog.h"
#include "supports/SkewedRestraint.h"

namespace {

constexpr int kTranslational = 1401, kRotational = 1402, kStiffness = 1301, kFirstComponent = 1302;
constexpr int kConnected = 1305, kTag = 1306, kAxial = 1125, kShearY = 1126, kShearZ = 1127;
constexpr const char* kComponentNames[3] = {"X comp", "Y comp", "Z comp"};

std::string ComponentText(float value) { return value == 0.0f ? "" : FormatFixedWidth(value, 8, 3); }

class SkewedRestraintDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Skewed restraint"; }
  DataType Type() const override { return DataType::SkewedRestraint; }

  void Init(DataItem* item) override {
    helper.DialogLimitItemText(kTag, static_cast<int>(kSkewedRestraintTagLength));
    helper.DialogCheckRadio(kTranslational, kRotational, kTranslational);
    helper.DialogSetUnitLabel(1601, kUnitStiffness);
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kStiffness);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kStiffness, 1302, 1303, 1304, kConnected, kTag},
                     {kTranslational, kRotational, kAxial, kShearY, kShearZ});
  }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kSkewedRestraintTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    rotational = helper.DialogIsChecked(kRotational) ? 1 : 0;
    helper.DialogGetItemText(kStiffness);
    if ((rotational != 0 ? ParseFieldRotStiffness(stiffness) : ParseFieldStiffness(stiffness)) != 0)
      ThrowInvalidField("Stiffness");
    if (stiffness == 0.0f) ThrowRequiredField("Stiffness");
    for (int i = 0; i < 3; ++i) {
      helper.DialogGetItemText(kFirstComponent + i);
      if (ParseFieldReal(components[static_cast<std::size_t>(i)]) != 0) ThrowInvalidField(kComponentNames[i]);
    }
    connected = CheckConnectedNode(helper, kConnected, row);
    const Model& model = TheModel();
    const int other = connected != 0 ? FindNodeIndex(model.nodes, connected) : 0;
    const bool apart = other != 0 && NodeDistance(model.nodes, model.row(row).endNode, other) >= 1.0e-8f;
    if (!apart && components[0] == 0.0f && components[1] == 0.0f && components[2] == 0.0f)
      helper.DialogThrowItemError(kFirstComponent, "Direction is required");
  }

  bool Differs(const DataItem& item) const override {
    const auto& skewed = static_cast<const SkewedRestraint&>(item);
    return skewed.tag != tag || skewed.rotational != rotational || skewed.stiffness != stiffness ||
           skewed.dirX != components[0] || skewed.dirY != components[1] || skewed.dirZ != components[2] ||
           skewed.connectedNode != connected;
  }

  void Store(DataItem& item) override {
    auto& skewed = static_cast<SkewedRestraint&>(item);
    skewed.tag = tag;
    skewed.rotational = rotational;
    skewed.stiffness = stiffness;
    skewed.dirX = components[0];
    skewed.dirY = components[1];
    skewed.dirZ = components[2];
    skewed.connectedNode = connected;
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kTranslational:
      case kRotational:
        helper.DialogSetUnitLabel(1601, helper.DialogIsChecked(kRotational) ? kUnitRotStiffness : kUnitStiffness);
        return true;
      case kAxial:
      case kShearY:
      case kShearZ: FillDirectionFromPipeFrame(helper, dialog, row, id - kAxial, kFirstComponent); return true;
      default: return false;
    }
  }

 private:
  std::string tag;
  std::uint8_t rotational = 0;
  float stiffness = 0.0f;
  std::array<float, 3> components{};
  std::int32_t connected = 0;
};

}  // namespace

void SkewedRestraint::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogCheckRadio(kTranslational, kRotational, rotational != 0 ? kRotational : kTranslational);
  helper.DialogSetUnitLabel(1601, rotational != 0 ? kUnitRotStiffness : kUnitStiffness);
  helper.DialogSetItemText(kStiffness, rotational != 0 ? FormatRotStiffnessOrRigid(stiffness) : FormatStiffnessOrRigid(stiffness));
  helper.DialogSetItemText(kFirstComponent, ComponentText(dirX));
  helper.DialogSetItemText(kFirstComponent + 1, ComponentText(dirY));
  helper.DialogSetItemText(kFirstComponent + 2, ComponentText(dirZ));
  helper.DialogSetItemText(kConnected, connectedNode != 0 ? NodeNumberText(connectedNode) : "");
  helper.DialogSetItemText(kTag, tag);
}

INT_PTR SkewedRestraintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static SkewedRestraintDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
