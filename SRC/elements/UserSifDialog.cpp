// The two user SIF dialogs (see UserSifDialog.h) on the kinds' dialog
// protocol. Edits 1301 to 1304 hold the in-plane, out-of-plane, axial and
// torsion factors; the first dialog has 1301 alone, which sets both
// bending factors. A bending factor is required; an axial or torsion
// factor may be left empty (0, not given), and one given below 1.0001 is
// stored as 1.0001 so that it reads as given.
#include "elements/UserSifDialog.h"

#include <array>
#include <string>

#include "elements/UserSif.h"
#include "kindbase/KindDialog.h"
#include "kindbase/KindList.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace {

constexpr int kInPlane = 1301, kOutPlane = 1302, kAxial = 1303, kTorsion = 1304;
constexpr int kAxialLabel = 1139, kTorsionLabel = 1140;
constexpr const char* kFieldName = "SIF value";
constexpr float kSmallestGiven = 1.0001f;
constexpr std::int32_t kCodeB313 = 3;

bool B31J() { return TheModel().options.UseB31J != 0; }
bool AxialOffered() { return TheModel().options.PipingCode == kCodeB313; }

std::string SifText(float value) { return TrimmedText(FormatFixedWidth(value, 7, 2)); }

class UserSifDialog : public KindDialog {
 public:
  explicit UserSifDialog(bool pair) : pair_(pair) {}
  const char* KindName() const override { return "User SIF"; }
  DataType Type() const override { return DataType::UserSif; }

  void Init(DataItem* item) override {
    if (pair_) {
      helper.DialogEnableItem(kAxial, AxialOffered());
      helper.DialogEnableItem(kAxialLabel, AxialOffered());
      helper.DialogEnableItem(kTorsion, B31J());
      helper.DialogEnableItem(kTorsionLabel, B31J());
    }
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kInPlane);
  }

  void LockForResults() override {
    if (pair_) LockDialogInputs(helper, {kInPlane, kOutPlane, kAxial, kTorsion}, {});
    else LockDialogInputs(helper, {kInPlane}, {});
  }

  void Read() override {
    values_[0] = ReadFactor(kInPlane, true);
    values_[1] = pair_ ? ReadFactor(kOutPlane, true) : values_[0];
    if (pair_) {
      values_[2] = ReadFactor(kAxial, false);
      values_[3] = ReadFactor(kTorsion, false);
    }
  }

  bool Differs(const DataItem& item) const override {
    const auto& sif = static_cast<const UserSif&>(item);
    if (!pair_) return sif.inPlaneSif != values_[0];
    return sif.inPlaneSif != values_[0] || sif.outPlaneSif != values_[1] || sif.axialSif != values_[2] ||
           sif.torsionSif != values_[3];
  }

  void Store(DataItem& item) override {
    auto& sif = static_cast<UserSif&>(item);
    sif.inPlaneSif = values_[0];
    sif.outPlaneSif = values_[1];
    if (pair_) {
      sif.axialSif = values_[2];
      sif.torsionSif = values_[3];
    }
  }

  void Fill(const UserSif& sif) {
    helper.DialogSetItemText(kInPlane, SifText(sif.inPlaneSif));
    if (!pair_) return;
    helper.DialogSetItemText(kOutPlane, SifText(sif.outPlaneSif));
    if (sif.axialSif > 1.0f) helper.DialogSetItemText(kAxial, SifText(sif.axialSif));
    if (sif.torsionSif > 1.0f) helper.DialogSetItemText(kTorsion, SifText(sif.torsionSif));
  }

 private:
  float ReadFactor(int item, bool required) {
    helper.DialogGetItemText(item);
    if (g_EditFieldText.empty()) {
      if (required) ThrowRequiredField(kFieldName);
      return 0.0f;
    }
    float value = 0.0f;
    if (ParseFieldReal(value) != 0 || value <= 0.0f) ThrowInvalidField(kFieldName);
    if (value < 1.0f) helper.DialogThrowItemError(item, "SIF value is less than 1.00");
    return required || value >= kSmallestGiven ? value : kSmallestGiven;
  }

  const bool pair_;
  std::array<float, 4> values_{};
};

UserSifDialog& OneFactorDialog() {
  static UserSifDialog kind(false);
  return kind;
}

UserSifDialog& PairDialog() {
  static UserSifDialog kind(true);
  return kind;
}

}  // namespace

void UserSif::FillDialog(HWND dialog) {
  if (OneFactorDialog().dialog == dialog) OneFactorDialog().Fill(*this);
  else if (PairDialog().dialog == dialog) PairDialog().Fill(*this);
}

bool UserSifInOutPlane() { return CodeUsesInOutPlaneSifs(TheModel().options.PipingCode) || B31J(); }

const char* UserSifDialogTemplate() { return UserSifInOutPlane() ? "USER_SIF2_DIALOG" : "USER_SIF1_DIALOG"; }

INT_PTR UserSif1DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(OneFactorDialog(), dialog, message, wParam, lParam);
}

INT_PTR UserSif2DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(PairDialog(), dialog, message, wParam, lParam);
}
