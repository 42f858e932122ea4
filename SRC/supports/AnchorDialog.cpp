// ANCHOR_DIALOG (see AnchorDialog.h) on the kinds' dialog protocol. The
// six stiffness edits are 1301 to 1306 with their labels 1503 to 1508; the
// releases are the check boxes 1101 to 1106. "&Anchor in Pipe LCS" only
// relabels the stiffnesses and locks the releases while the dialog is open;
// like every other value it is stored at OK.
#include "supports/AnchorDialog.h"

#include <array>
#include <cstring>

#include "kindbase/KindDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

namespace {

constexpr int kFirstStiffness = 1301;
constexpr int kTagField = 1307;
constexpr int kFirstLabel = 1503;
constexpr int kFirstRelease = 1101;
constexpr int kRigidBox = 1107;
constexpr int kPipeAxesBox = 1108;
constexpr int kDisplacementsButton = 1001;
constexpr std::array<const char*, 6> kGlobalLabels = {"KX", "KY", "KZ", "KXX", "KYY", "KZZ"};
constexpr std::array<const char*, 6> kLocalLabels = {"kx", "ky", "kz", "kxx", "kyy", "kzz"};

void ShowAxes(DialogHelper& helper, bool pipeAxes) {
  for (int i = 0; i < 6; ++i) {
    helper.DialogSetItemText(kFirstLabel + i, (pipeAxes ? kLocalLabels : kGlobalLabels)[static_cast<std::size_t>(i)]);
    helper.DialogEnableItem(kFirstRelease + i, !pipeAxes && !KindDialogInResults());
  }
}

void ShowRigid(DialogHelper& helper, bool rigid) {
  for (int i = 0; i < 6; ++i) {
    if (rigid) {
      helper.DialogSetItemText(kFirstStiffness + i, "Rigid");
      helper.DialogSetReadOnly(kFirstStiffness + i);
    } else {
      helper.DialogClearReadOnly(kFirstStiffness + i);
    }
  }
}

class AnchorDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Anchor"; }
  DataType Type() const override { return DataType::Anchor; }

  void Init(DataItem* item) override {
    g_SpecDisplStored = 0;
    helper.DialogSetItemText(1501, std::string("Translational stiffness ") + UnitLabel(kUnitStiffness));
    helper.DialogSetItemText(1502, std::string("Rotational stiffness ") + UnitLabel(kUnitRotStiffness));
    helper.DialogLimitItemText(kTagField, static_cast<int>(kAnchorTagLength));
    // A row without an anchor shows the values a new anchor takes.
    Anchor fresh;
    (item != nullptr ? *item : static_cast<DataItem&>(fresh)).FillDialog(dialog);
    helper.DialogEnableItem(kDisplacementsButton, item != nullptr);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305, 1306, 1307},
                     {1101, 1102, 1103, 1104, 1105, 1106, kRigidBox, kPipeAxesBox});
  }

  void Read() override {
    for (int i = 0; i < 6; ++i) {
      helper.DialogGetItemText(kFirstStiffness + i);
      float& value = stiffness[static_cast<std::size_t>(i)];
      const int refused = i < 3 ? ParseFieldStiffness(value) : ParseFieldRotStiffness(value);
      if (refused != 0) ThrowInvalidField(kGlobalLabels[static_cast<std::size_t>(i)]);
    }
    helper.DialogReadFieldTrimmed(kTagField);
    if (g_EditFieldText.size() > kAnchorTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    double sum = 0.0;
    for (float value : stiffness) sum += value;
    if (sum == 0.0) helper.DialogThrowItemError(kFirstStiffness, "No stiffnesses input");
    for (int i = 0; i < 6; ++i) releases[static_cast<std::size_t>(i)] = helper.DialogIsChecked(kFirstRelease + i) ? 1 : 0;
    pipeAxes = helper.DialogIsChecked(kPipeAxesBox) ? 1 : 0;
  }

  bool Differs(const DataItem& item) const override {
    const auto& anchor = static_cast<const Anchor&>(item);
    return anchor.stiffness != stiffness || anchor.tag != tag || anchor.releases != releases ||
           anchor.AnchorInPipeLcs != pipeAxes;
  }

  void Store(DataItem& item) override {
    auto& anchor = static_cast<Anchor&>(item);
    anchor.stiffness = stiffness;
    anchor.tag = tag;
    anchor.releases = releases;
    anchor.AnchorInPipeLcs = pipeAxes;
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kRigidBox: OnRigid(); return true;
      case kPipeAxesBox:
        ShowAxes(helper, helper.DialogIsChecked(kPipeAxesBox));
        helper.DialogFocusItem(IDOK);
        return true;
      case kDisplacementsButton: OnDisplacements(); return true;
      default: return false;
    }
  }

 private:
  void OnRigid() {
    const bool rigid = helper.DialogIsChecked(kRigidBox);
    ShowRigid(helper, rigid);
    if (!rigid) helper.DialogSelectAndFocus(kFirstStiffness);
  }

  void OnDisplacements() {
    if (RowItemOfType(row, DataType::Anchor) == nullptr) return;
    g_SpecDisplStored = 0;
    const INT_PTR result =
        DialogBoxParam(InstanceHandle, SpecDisplDialogTemplate().c_str(), dialog, SpecDisplDialogProc,
                       static_cast<LPARAM>(row));
    if (g_SpecDisplStored != 0) changedByOtherDialog = true;
    if (result == 1) {
      helper.DialogFocusItem(IDOK);
      helper.PlaceCursorOnItem(IDOK);
    }
  }

  std::array<float, 6> stiffness{};
  std::string tag;
  std::array<std::uint8_t, 6> releases{};
  std::uint8_t pipeAxes = 0;
};

}  // namespace

void Anchor::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  for (int i = 0; i < 6; ++i) {
    const float value = stiffness[static_cast<std::size_t>(i)];
    helper.DialogSetItemText(kFirstStiffness + i, i < 3 ? FormatStiffnessOrRigid(value) : FormatRotStiffnessOrRigid(value));
    helper.DialogSetCheck(kFirstRelease + i, releases[static_cast<std::size_t>(i)] != 0);
  }
  helper.DialogSetItemText(kTagField, tag);
  helper.DialogSetCheck(kPipeAxesBox, AnchorInPipeLcs != 0);
  ShowAxes(helper, AnchorInPipeLcs != 0);
  const bool rigid = IsRigidAnchor(stiffness);
  helper.DialogSetCheck(kRigidBox, rigid);
  ShowRigid(helper, rigid);
  if (rigid) helper.DialogFocusItem(IDOK);
  else helper.DialogSelectAndFocus(kFirstStiffness);
}

INT_PTR AnchorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static AnchorDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
