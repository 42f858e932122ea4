// The dialog of the time varying and force spectrum loads; see
// DirectionalLoadDialog.h.
#include "loads/DirectionalLoadDialog.h"

#include <algorithm>

#include "loads/DirectionalLoadItem.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kDirectionCombo = 1201, kUnitsCombo = 1202, kTableCombo = 1203, kScaleField = 1301;

// The list the dialog open now offers (its combo holds its names in order).
const NamedPointsList* g_OfferedTables = nullptr;

bool ShowsMomentUnits(DialogHelper& h) {
  return SendMessage(h.DialogGetItem(kUnitsCombo), CB_GETCOUNT, 0, 0) == kMomentUnitCount;
}

// The unit list of a force (true) or moment, the unit now chosen for the
// kind selected.
void FillUnits(DialogHelper& h, bool force) {
  h.DialogComboReset(kUnitsCombo);
  const int count = force ? kForceUnitCount : kMomentUnitCount;
  for (int unit = 0; unit < count; ++unit) h.DialogComboAddString(force ? kForceUnits[unit].label : kMomentUnits[unit].label);
  h.DialogComboSetSel(kUnitsCombo, std::min(ChosenUnit(force ? kUnitForce : kUnitMoment), count - 1));
}

}  // namespace

void DirectionalLoadDialog::Init(DataItem* item) {
  g_OfferedTables = &list_(TheModel());
  helper.DialogComboReset(kDirectionCombo);
  for (int direction = 1; direction <= kLoadDirectionLast; ++direction)
    helper.DialogComboAddString(LoadDirectionName(direction));
  helper.DialogComboSetSel(kDirectionCombo, 0);
  FillUnits(helper, true);
  helper.DialogComboReset(kTableCombo);
  for (std::size_t index = 0; index < SavedPointTableCount(*g_OfferedTables); ++index)
    helper.DialogComboAddString((*g_OfferedTables)[index].name);
  helper.DialogComboSetSel(kTableCombo, 0);
  helper.DialogSetItemText(kScaleField, "1");
  if (item != nullptr) item->FillDialog(dialog);
}

void DirectionalLoadDialog::LockForResults() {
  LockDialogInputs(helper, {kScaleField}, {kDirectionCombo, kUnitsCombo, kTableCombo});
}

void DirectionalLoadDialog::Read() {
  read_.direction = helper.DialogComboGetSel(kDirectionCombo) + 1;
  read_.units = helper.DialogComboGetSel(kUnitsCombo);
  const int table = helper.DialogComboGetSel(kTableCombo);
  const NamedPointsList& list = list_(TheModel());
  if (table < 0 || static_cast<std::size_t>(table) >= SavedPointTableCount(list))
    helper.DialogThrowItemError(kTableCombo, std::string(tableLabel_) + " is required");
  read_.name = list[static_cast<std::size_t>(table)].name;
  helper.DialogGetItemText(kScaleField);
  if (ParseFieldReal(read_.scaleFactor) != 0) ThrowInvalidField("Scale factor");
  const LoadUnit* unit = LoadDirectionUnit(read_.direction, read_.units);
  read_.unitFactor = unit != nullptr ? unit->factor : 1.0f;
}

bool DirectionalLoadDialog::Differs(const DataItem& item) const {
  const DirectionalLoadValues stored = ValuesOf(item);
  return stored.direction != read_.direction || stored.units != read_.units || stored.name != read_.name ||
         stored.scaleFactor != read_.scaleFactor;
}

void DirectionalLoadDialog::Store(DataItem& item) {
  const DirectionalLoadFields fields = FieldsOf(item);
  fields.direction = read_.direction;
  fields.units = read_.units;
  fields.name = read_.name;
  fields.scaleFactor = read_.scaleFactor;
  fields.unitFactor = read_.unitFactor;
}

bool DirectionalLoadDialog::Command(int id, int code) {
  if (id != kDirectionCombo || (code != CBN_SELENDOK && code != CBN_CLOSEUP)) return false;
  const bool moment = helper.DialogComboGetSel(kDirectionCombo) + 1 > 3;
  if (moment != ShowsMomentUnits(helper)) FillUnits(helper, !moment);
  return true;
}

void FillDirectionalLoadDialog(HWND dialog, const DirectionalLoadValues& values) {
  DialogHelper h;
  h.DialogBind(dialog);
  // An item its dialog never stored has no direction: it shows as FX.
  const bool force = values.direction <= 3;
  h.DialogComboSetSel(kDirectionCombo, std::max(values.direction, 1) - 1);
  FillUnits(h, force);
  if (values.units >= 0 && values.units < (force ? kForceUnitCount : kMomentUnitCount))
    h.DialogComboSetSel(kUnitsCombo, values.units);
  const int index = g_OfferedTables != nullptr ? FindPointTable(*g_OfferedTables, values.name) : -1;
  h.DialogComboSetSel(kTableCombo, index);
  h.DialogSetItemText(kScaleField, ScaleFactorText(values.scaleFactor));
}

namespace {

NamedPointsList& TimeFunctions(Model& model) { return model.timeFunctions; }
NamedPointsList& ForceSpectra(Model& model) { return model.forceSpectra; }

class ItemDialog : public DirectionalLoadDialog {
 public:
  using DirectionalLoadDialog::DirectionalLoadDialog;

 protected:
  DirectionalLoadValues ValuesOf(const DataItem& item) const override {
    return static_cast<const DirectionalLoadItem&>(item).Values();
  }
  DirectionalLoadFields FieldsOf(DataItem& item) const override {
    return static_cast<DirectionalLoadItem&>(item).Fields();
  }
};

}  // namespace

INT_PTR TimeVaryingLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static ItemDialog kind("Time Varying Load", DataType::TimeVaryingLoad, "Time function", TimeFunctions);
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

INT_PTR ForceSpectrumLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static ItemDialog kind("Force Spectrum Load", DataType::ForceSpectrumLoad, "Force spectrum", ForceSpectra);
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
