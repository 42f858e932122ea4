// The beam load dialog; see BeamLoadDialog.h.
#include "properties/BeamLoadDialog.h"

#include <vector>

#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/BeamRecordEdits.h"
#include "properties/NamedRecordDialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kName = 1301, kFirstTemperature = 1302, kAdditionalWeight = 1312, kWind = 1101,
  kFirstTemperatureUnit = 1601, kWeightUnit = 1611, kFirstTemperatureLabel = 1501
};

using BeamLoadDialogState = NamedRecordDialogState;

void OnInit(HWND dialog, BeamLoadDialogState& state) {
  BeginNamedRecordDialog(dialog, state, "Beam load");
  DialogHelper& helper = state.helper;
  const Model& model = TheModel();
  const BeamLoad& load = model.beamLoads[state.record];
  helper.DialogSetItemTextAndLimit(kName, load.name, 5);
  const int inUse = BeamLoadTemperaturesInUse(model);
  for (int k = 0; k < 10; ++k) {
    const float t = load.temperature[static_cast<std::size_t>(k)];
    if (k >= inUse) {
      for (int item : {kFirstTemperature + k, kFirstTemperatureUnit + k, kFirstTemperatureLabel + k})
        helper.DialogHideItem(item);
      continue;
    }
    helper.DialogSetUnitLabel(kFirstTemperatureUnit + k, kUnitTemperature);
    if (t != 0.0f) helper.DialogSetItemText(kFirstTemperature + k, FormatTemperature(t));
  }
  helper.DialogSetUnitLabel(kWeightUnit, kUnitAdditionalWeight);
  if (load.additionalWeight != 0.0f)
    helper.DialogSetItemText(kAdditionalWeight, FormatAdditionalWeight(load.additionalWeight));
  helper.DialogSetCheck(kWind, load.wind != 0 || load.name.empty());
  std::vector<int> edits{kName};
  for (int k = 0; k < 10; ++k) edits.push_back(kFirstTemperature + k);
  edits.push_back(kAdditionalWeight);
  EndNamedRecordDialogOpening(dialog, helper, kName, edits, {kWind});
}

BeamLoad ReadFields(DialogHelper& helper, int record) {
  const Model& model = TheModel();
  BeamLoad edited = model.beamLoads[record];
  helper.DialogReadFieldTrimmed(kName);
  edited.name = g_EditFieldText;
  CheckBeamLoadName(model, edited.name, record);
  const int inUse = BeamLoadTemperaturesInUse(model);
  for (int k = 0; k < inUse; ++k) {
    helper.DialogGetItemText(kFirstTemperature + k);
    float& t = edited.temperature[static_cast<std::size_t>(k)];
    if (g_EditFieldText.empty()) t = model.options.ReferenceTemperature;
    else if (ParseFieldTemperature(t) != 0) ThrowInvalidField("Temperature");
    else CheckFieldRule(kBeamLoadRules[kBeamLoadT1Rule + k], t, edited);
  }
  helper.DialogGetItemText(kAdditionalWeight);
  if (ParseFieldAdditionalWeight(edited.additionalWeight) != 0) ThrowInvalidField("Additional weight");
  CheckFieldRule(kBeamLoadRules[kBeamLoadAdditionalWeightRule], edited.additionalWeight, edited);
  edited.wind = helper.DialogIsChecked(kWind) ? 1 : 0;
  return edited;
}

bool Same(const BeamLoad& a, const BeamLoad& b) {
  return a.name == b.name && a.temperature == b.temperature && a.additionalWeight == b.additionalWeight &&
         a.wind == b.wind;
}

void OnOk(HWND dialog, BeamLoadDialogState& state) {
  const RecordNameChange name{"Beam load name", kName, RenameBeamLoadInRows};
  if (StoreNamedRecord(dialog, state, TheModel().beamLoads[state.record], ReadFields, Same, name)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR BeamLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return NamedRecordDialogProc<BeamLoadDialogState, OnInit, OnOk>(dialog, message, wParam, lParam);
}

int BeamLoadDialog(HWND owner, int record, SnapshotToken token) {
  BeamLoadDialogState state;
  return RunNamedRecordDialog(owner, "BEAM_LOAD_DIALOG", BeamLoadDialogProc, state, record, TheModel().beamLoads.count, token);
}
