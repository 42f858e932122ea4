// The pipe-load dialog (see PipeLoadDialog.h). Start reading at
// StoreDialog: the checks in the order the user meets them.
#include "loads/PipeLoadDialog.h"

#include <cstdio>

#include "loads/PipeLoadUse.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Paint.h"
#include "records/PipeLoad.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kNameLength = 5;
constexpr int kOperatingUnits[2] = {1601, 1602};
constexpr int kDesignTemperatureUnit = 1603;
constexpr int kDesignPressureUnit = 1604;
constexpr int kAdditionalWeightUnit = 1605;

struct LoadDialogState {
  DialogHelper helper;
  int record = 0;
  SnapshotToken snapshot = 0;
};

LoadDialogState& State() {
  static LoadDialogState state;
  return state;
}

Model& M() { return TheModel(); }

int PairsInUse() { return PipeLoadPairsInUse(M().options.ThermalLoadCount); }

void SetValue(DialogHelper& h, int item, const char* text, float value) {
  if (value == 0.0f)
    h.DialogSetItemEmpty(item);
  else
    h.DialogSetItemText(item, text);
}

void Fill(HWND dialog, LoadDialogState& state) {
  DialogHelper& h = state.helper;
  h.DialogBind(dialog);
  char title[32];
  std::snprintf(title, sizeof title, "Load # %d", state.record);
  SetWindowText(dialog, title);
  for (int item : {kOperatingUnits[0], kDesignTemperatureUnit}) h.DialogSetUnitLabel(item, kUnitTemperature);
  for (int item : {kOperatingUnits[1], kDesignPressureUnit}) h.DialogSetUnitLabel(item, kUnitPressure);
  h.DialogSetUnitLabel(kAdditionalWeightUnit, kUnitAdditionalWeight);
  const PipeLoad& load = PipeLoadSlot(M().pipeLoads, state.record);
  h.DialogSetItemTextAndLimit(kLoadNameField, load.name, kNameLength);
  h.DialogSetCheck(kLoadWindCheck, load.wind != 0);
  for (int pair = 0; pair < 10; ++pair) {
    const TemperaturePressure& tp = load.operating[static_cast<std::size_t>(pair)];
    SetValue(h, kLoadFirstTemperature + pair, FormatTemperature(tp.temperature), tp.temperature);
    SetValue(h, kLoadFirstPressure + pair, FormatPressure(tp.pressure), tp.pressure);
    const bool inUse = pair < PairsInUse();
    h.DialogEnableItem(kLoadFirstTemperature + pair, inUse);
    h.DialogEnableItem(kLoadFirstPressure + pair, inUse);
  }
  SetValue(h, kLoadDesignTemperature, FormatTemperature(load.designTemperature), load.designTemperature);
  SetValue(h, kLoadDesignPressure, FormatPressure(load.designPressure), load.designPressure);
  SetValue(h, kLoadSpecificGravity, SpecificGravityText(load.specificGravity).c_str(), load.specificGravity);
  SetValue(h, kLoadAdditionalWeight, FormatAdditionalWeight(load.additionalWeight), load.additionalWeight);
  if (TableResultsShown()) {
    for (int item = kLoadNameField; item <= kLoadAdditionalWeight; ++item)
      if (h.DialogGetItem(item) != nullptr) h.DialogSetReadOnly(item);
    h.DialogDisableItem(kLoadWindCheck);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kLoadNameField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// A temperature field by the rule of its field `which` in `load`: empty
// gives the reference temperature.
float ReadTemperature(DialogHelper& h, int item, const PipeLoad& load, PipeLoadRuled which) {
  h.DialogGetItemText(item);
  if (g_EditFieldText.empty()) return M().options.ReferenceTemperature;
  float value = 0.0f;
  if (ParseFieldTemperature(value) != 0) ThrowInvalidField("Temperature");
  CheckFieldRule(kPipeLoadRules[which], value, load);
  return value;
}

float ReadPressure(DialogHelper& h, int item) {
  h.DialogGetItemText(item);
  float value = 0.0f;
  if (ParseFieldPressure(value) != 0) ThrowInvalidField("Pressure");
  return value;
}

bool SameValues(const PipeLoad& a, const PipeLoad& b) {
  for (std::size_t pair = 0; pair < a.operating.size(); ++pair)
    if (a.operating[pair].temperature != b.operating[pair].temperature ||
        a.operating[pair].pressure != b.operating[pair].pressure)
      return false;
  return a.name == b.name && a.designTemperature == b.designTemperature && a.designPressure == b.designPressure &&
         a.specificGravity == b.specificGravity && a.additionalWeight == b.additionalWeight && a.wind == b.wind;
}

std::string ReadName(DialogHelper& h, int record) {
  h.DialogReadFieldTrimmed(kLoadNameField);
  const std::string name = g_EditFieldText;
  if (name.empty()) ThrowRequiredField("Name");
  if (!IsNameText(name)) ThrowFieldError("Name", "should be alpha numeric");
  if (FindRecordByName(M().beamLoads, name) != 0) ThrowFieldError("Load", "is already defined as a beam load");
  const int other = FindPipeLoadByName(M().pipeLoads, name);
  if (other != 0 && other != record) ThrowFieldError("Load", "is already defined");
  return name;
}

// The fields in order; throws the first field's message. The pairs past
// the thermal loads in use keep what is stored: raising the number of
// thermal loads later finds them again. A new load starts them at the
// reference temperature and no pressure.
PipeLoad ReadDialog(DialogHelper& h, int record, const PipeLoad& stored) {
  const bool isNew = record > M().pipeLoads.count;
  PipeLoad load;
  load.name = ReadName(h, record);
  const float reference = M().options.ReferenceTemperature;
  for (int pair = 0; pair < 10; ++pair) {
    TemperaturePressure& tp = load.operating[static_cast<std::size_t>(pair)];
    if (pair < PairsInUse()) {
      tp.temperature = ReadTemperature(h, kLoadFirstTemperature + pair, load, PipeLoadRuled(kPipeLoadT1Rule + pair));
      tp.pressure = ReadPressure(h, kLoadFirstPressure + pair);
    } else {
      tp = isNew ? TemperaturePressure{reference, kExplicitZero} : stored.operating[static_cast<std::size_t>(pair)];
    }
  }
  h.DialogGetItemText(kLoadSpecificGravity);
  if (ParseFieldReal(load.specificGravity) != 0) ThrowInvalidField("Specific gravity");
  CheckFieldRule(kPipeLoadRules[kPipeLoadSpecificGravityRule], load.specificGravity, load);
  h.DialogGetItemText(kLoadAdditionalWeight);
  if (ParseFieldAdditionalWeight(load.additionalWeight) != 0) ThrowInvalidField("Additional weight");
  CheckFieldRule(kPipeLoadRules[kPipeLoadAdditionalWeightRule], load.additionalWeight, load);
  load.wind = h.DialogIsChecked(kLoadWindCheck) ? 1 : 0;
  load.designTemperature = ReadTemperature(h, kLoadDesignTemperature, load, kPipeLoadDesignTemperatureRule);
  load.designPressure = ReadPressure(h, kLoadDesignPressure);
  return load;
}

// True when the dialog may close.
bool StoreDialog(HWND dialog, LoadDialogState& state) {
  DialogHelper& h = state.helper;
  PipeLoad& stored = PipeLoadSlot(M().pipeLoads, state.record);
  const PipeLoad load = ReadDialog(h, state.record, stored);
  if (SameValues(load, stored)) {
    PopTempFile(state.snapshot);
    return true;
  }
  const int count = M().options.ThermalLoadCount;
  if (!DesignTemperatureCoversOperating(load, count))
    h.DialogThrowItemError(kLoadDesignTemperature, kDesignTemperatureMessage);
  if (!DesignPressureCoversOperating(load, count)) h.DialogThrowItemError(kLoadDesignPressure, kDesignPressureMessage);
  if (FindPipeLoadByName(M().pipeLoads, load.name) == 0 && !stored.name.empty() && stored.name != load.name) {
    if (!ConfirmChange(dialog, "Load name", stored.name, load.name)) {
      h.DialogSetItemText(kLoadNameField, stored.name);
      h.DialogSelectAndFocus(kLoadNameField);
      return false;
    }
    RenamePipeLoad(M(), state.record, load.name);
  }
  stored = load;
  M().modified = true;
  // A rename shows in the Layout rows.
  if (HWND layout = ProgramCommands().layoutTableWindow(); layout != nullptr) InvalidateRect(layout, nullptr, FALSE);
  return true;
}

void OnOk(HWND dialog, LoadDialogState& state) {
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  try {
    if (StoreDialog(dialog, state)) EndDialog(dialog, 1);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
  }
}

}  // namespace

INT_PTR PipeLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  LoadDialogState& state = State();
  switch (message) {
    case WM_INITDIALOG:
      state.record = static_cast<int>(lParam);
      Fill(dialog, state);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, state); return TRUE;
        case IDCANCEL:
          PopTempFile(state.snapshot);
          EndDialog(dialog, 0);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int PipeLoadDialog(HWND owner, int record, SnapshotToken snapshot) {
  Model& model = M();
  if (record < 1 || record > model.pipeLoads.count + 1) {
    PopTempFile(snapshot);
    return 0;
  }
  State().snapshot = snapshot;
  const INT_PTR result = DialogBoxParam(InstanceHandle, "LOAD_DIALOG", owner, PipeLoadDialogProc, record);
  return result == 1 ? 1 : 0;
}
