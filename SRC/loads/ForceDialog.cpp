// FORCE_DIALOG (see ForceDialog.h) on the kinds' dialog protocol. A
// component that does not parse is refused under its label; six zeros are
// refused as "No forces input", since a force of nothing would only hide a
// typing slip.
#include "loads/ForceDialog.h"

#include <algorithm>
#include <array>

#include "kindbase/KindDialog.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kFirstField = 1301;        // FX .. MZ: 1301 .. 1306
constexpr int kForceUnitLabel = 1601;
constexpr int kMomentUnitLabel = 1602;
constexpr int kFirstButton = 1401;       // W+P, T1 .. T10: 1401 .. 1411
constexpr int kLastButton = 1411;
constexpr const char* kLabels[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

// The last "Add to" button shown for the temperatures in use.
int LastShownButton(int temperatures) { return temperatures >= 4 ? kLastButton : kFirstButton + temperatures; }

class ForceDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Force"; }
  DataType Type() const override { return DataType::Force; }

  void Init(DataItem* item) override {
    const int temperatures = TemperaturesInUse(TheModel());
    if (temperatures < 4) {
      const int height = temperatures < 3 ? 100 : 110;
      helper.DialogSizeForClient(192, height);
      helper.DialogPlaceItem(IDOK, 8, height - 20);
      helper.DialogPlaceItem(IDCANCEL, 56, height - 20);
    }
    helper.DialogSetItemText(kForceUnitLabel, UnitLabel(kUnitForce));
    helper.DialogSetItemText(kMomentUnitLabel, UnitLabel(kUnitMoment));
    const int last = LastShownButton(temperatures);
    for (int button = last + 1; button <= kLastButton; ++button) helper.DialogHideItem(button);
    helper.DialogCheckRadio(kFirstButton, kLastButton, kFirstButton);
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFirstField);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305, 1306},
                     {1401, 1402, 1403, 1404, 1405, 1406, 1407, 1408, 1409, 1410, 1411});
  }

  void Read() override {
    for (int i = 0; i < 6; ++i) {
      helper.DialogGetItemText(kFirstField + i);
      float& value = values[static_cast<std::size_t>(i)];
      if ((i < 3 ? ParseFieldForce(value) : ParseFieldMoment(value)) != 0) ThrowInvalidField(kLabels[i]);
    }
    if (values == std::array<float, 6>{}) helper.DialogThrowItemError(kFirstField, "No forces input");
    addedTo = helper.DialogCheckedRadio(kFirstButton, kLastButton) + 1;
  }

  bool Differs(const DataItem& item) const override {
    const auto& force = static_cast<const NodalForce&>(item);
    for (int i = 0; i < 6; ++i)
      if (force.Component(i) != values[static_cast<std::size_t>(i)]) return true;
    // 0, met in files, is another mark of "W+P".
    return std::max(force.AddedTo, kAddedToWeightAndPressure) != addedTo;
  }

  void Store(DataItem& item) override {
    auto& force = static_cast<NodalForce&>(item);
    for (int i = 0; i < 6; ++i) force.Component(i) = values[static_cast<std::size_t>(i)];
    force.AddedTo = addedTo;
  }

 private:
  std::array<float, 6> values{};
  std::int32_t addedTo = kAddedToWeightAndPressure;
};

}  // namespace

void NodalForce::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  for (int i = 0; i < 6; ++i)
    if (Component(i) != 0.0f) helper.DialogSetItemText(kFirstField + i, ComponentText(*this, i));
  // Shown within the buttons offered; the item keeps its own value until OK.
  const int last = LastShownButton(TemperaturesInUse(TheModel()));
  const int button = std::min(std::max(AddedTo, kAddedToWeightAndPressure) - 1 + kFirstButton, last);
  helper.DialogCheckRadio(kFirstButton, kLastButton, button);
}

INT_PTR ForceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static ForceDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
