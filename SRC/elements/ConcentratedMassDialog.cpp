// CMASS_DIALOG (see ConcentratedMassDialog.h) on the kinds' dialog
// protocol: edit 1301 the weight, 1302 to 1304 DX, DY and DZ, whose labels
// 1501 to 1503 carry the dimension unit.
#include "elements/ConcentratedMassDialog.h"

#include <array>
#include <string>

#include "elements/ConcentratedMass.h"
#include "kindbase/KindDialog.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kWeight = 1301;
constexpr int kFirstOffset = 1302;
constexpr int kWeightUnit = 1601;
constexpr int kFirstOffsetLabel = 1501;
constexpr const char* kOffsetNames[3] = {"DX", "DY", "DZ"};

class ConcentratedMassDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Concentrated mass"; }
  DataType Type() const override { return DataType::ConcentratedMass; }

  void Init(DataItem* item) override {
    helper.DialogSetUnitLabel(kWeightUnit, kUnitWeight);
    for (int i = 0; i < 3; ++i)
      helper.DialogSetItemText(kFirstOffsetLabel + i, std::string(kOffsetNames[i]) + " " + UnitLabel(kUnitDimension));
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kWeight);
  }

  void LockForResults() override { LockDialogInputs(helper, {kWeight, 1302, 1303, 1304}, {}); }

  void Read() override {
    helper.DialogGetItemText(kWeight);
    if (ParseFieldWeight(values_[0]) != 0) ThrowInvalidField("Weight");
    for (int i = 0; i < 3; ++i) {
      helper.DialogGetItemText(kFirstOffset + i);
      if (ParseFieldDimension(values_[static_cast<std::size_t>(i) + 1]) != 0) ThrowInvalidField(kOffsetNames[i]);
    }
  }

  bool Differs(const DataItem& item) const override {
    const auto& mass = static_cast<const ConcentratedMass&>(item);
    return mass.weight != values_[0] || mass.dx != values_[1] || mass.dy != values_[2] || mass.dz != values_[3];
  }

  void Store(DataItem& item) override {
    auto& mass = static_cast<ConcentratedMass&>(item);
    mass.weight = values_[0];
    mass.dx = values_[1];
    mass.dy = values_[2];
    mass.dz = values_[3];
  }

 private:
  std::array<float, 4> values_{};
};

ConcentratedMassDialog& TheDialog() {
  static ConcentratedMassDialog kind;
  return kind;
}

}  // namespace

void ConcentratedMass::FillDialog(HWND dialog) {
  ConcentratedMassDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  kind.helper.DialogSetItemText(kWeight, FormatWeight(weight));
  const float offsets[3] = {dx, dy, dz};
  for (int i = 0; i < 3; ++i) kind.helper.DialogSetItemText(kFirstOffset + i, FormatDimension(offsets[i]));
}

INT_PTR ConcentratedMassDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
