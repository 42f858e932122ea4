// The harmonic loads' dialogs; see HarmonicDialogs.h.
#include "loads/HarmonicDialogs.h"

#include <array>

#include "kindbase/KindDialog.h"
#include "loads/HarmonicLoad.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

// --- HARMONIC_LOAD_DIALOG -------------------------------------------------------------
constexpr int kFrequencyField = 1301, kPhaseField = 1302, kFirstForceField = 1303;
constexpr int kAngleUnitLabel = 1602, kFirstForceLabel = 1503;
constexpr const char* kAxes[3] = {"FX", "FY", "FZ"};

class HarmonicLoadDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Harmonic load"; }
  DataType Type() const override { return DataType::HarmonicLoad; }

  void Init(DataItem* item) override {
    helper.DialogSetItemText(kAngleUnitLabel, UnitLabel(kUnitAngle));
    for (int axis = 0; axis < 3; ++axis)
      helper.DialogSetItemText(kFirstForceLabel + axis, ValueWithUnitLabel(kAxes[axis], kUnitForce));
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFrequencyField);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305}, {}); }

  void Read() override {
    helper.DialogGetItemText(kFrequencyField);
    if (g_EditFieldText.empty()) ThrowRequiredField("Frequency");
    if (ParseFieldReal(frequency) != 0 || !(frequency > 0.0f)) ThrowInvalidField("Frequency");
    helper.DialogGetItemText(kPhaseField);
    if (ParseFieldPhase(phase) != 0) ThrowInvalidField("Phase");
    for (int axis = 0; axis < 3; ++axis) {
      helper.DialogGetItemText(kFirstForceField + axis);
      if (ParseFieldForce(forces[static_cast<std::size_t>(axis)]) != 0) ThrowInvalidField("Force");
    }
  }

  bool Differs(const DataItem& item) const override {
    const auto& load = static_cast<const HarmonicLoad&>(item);
    return load.Frequency != frequency || load.Phase != phase || load.FX != forces[0] || load.FY != forces[1] ||
           load.FZ != forces[2];
  }

  void Store(DataItem& item) override {
    auto& load = static_cast<HarmonicLoad&>(item);
    load.Frequency = frequency;
    load.Phase = phase;
    load.FX = forces[0];
    load.FY = forces[1];
    load.FZ = forces[2];
  }

 private:
  float frequency = 0.0f, phase = 0.0f;
  std::array<float, 3> forces{};
};

// --- HARMONIC_DIALOG --------------------------------------------------------------------
constexpr int kDampingField = 1301;
constexpr int kRootMeanSquareRadio = 1401, kAbsoluteSumRadio = 1402;
constexpr float kHighestDamping = 99.0f;

struct SettingsState {
  DialogHelper helper;
  SnapshotToken snapshot = 0;
};

SettingsState& Settings() {
  static SettingsState state;
  return state;
}

void SettingsFill(HWND dialog) {
  DialogHelper& h = Settings().helper;
  h.DialogBind(dialog);
  const HarmonicSettings& harmonic = TheModel().harmonic;
  h.DialogSetItemText(kDampingField, CFormat("%.3g", static_cast<double>(harmonic.damping)));
  h.DialogCheckRadio(kRootMeanSquareRadio, kAbsoluteSumRadio,
                     harmonic.combination == 1 ? kAbsoluteSumRadio : kRootMeanSquareRadio);
  if (TableResultsShown()) {
    h.DialogSetReadOnly(kDampingField);
    h.DialogDisableItem(kRootMeanSquareRadio);
    h.DialogDisableItem(kAbsoluteSumRadio);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kDampingField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

void SettingsOk(HWND dialog) {
  SettingsState& state = Settings();
  DialogHelper& h = state.helper;
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  float damping = 0.0f;
  try {
    h.DialogGetItemText(kDampingField);
    if (ParseReal(g_EditFieldText, damping) != 0 || damping < 0.0f || damping > kHighestDamping)
      ThrowInvalidField("Damping");
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return;
  }
  const std::int32_t combination = h.DialogIsChecked(kAbsoluteSumRadio) ? 1 : 0;
  HarmonicSettings& harmonic = TheModel().harmonic;
  if (damping == harmonic.damping && combination == harmonic.combination) {
    PopTempFile(state.snapshot);
  } else {
    harmonic.damping = damping;
    harmonic.combination = combination;
    TheModel().modified = true;
  }
  EndDialog(dialog, 1);
}

INT_PTR SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: SettingsFill(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: SettingsOk(dialog); return TRUE;
        case IDCANCEL:
          PopTempFile(Settings().snapshot);
          EndDialog(dialog, 0);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

void HarmonicLoad::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kFrequencyField, HarmonicFrequencyText(Frequency));
  helper.DialogSetItemText(kPhaseField, HarmonicPhaseText(Phase));
  for (int axis = 0; axis < 3; ++axis) helper.DialogSetItemText(kFirstForceField + axis, HarmonicForceText(Force(axis)));
}

INT_PTR HarmonicLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static HarmonicLoadDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

int HarmonicSettingsDialog(HWND owner, SnapshotToken snapshot) {
  Settings().snapshot = snapshot;
  return DialogBoxParam(InstanceHandle, "HARMONIC_DIALOG", owner, SettingsDialogProc, 0) == 1 ? 1 : 0;
}
