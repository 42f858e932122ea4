// The beam material dialog; see BeamMaterialDialog.h. The checks run in the
// order of the fields; the first that fails shows its message with the focus
// on its field and every field left as typed.
#include "properties/BeamMaterialDialog.h"


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
  kName = 1301, kDescription = 1302, kModulus = 1303, kNu = 1304, kDensity = 1305, kAlpha = 1306,
  kModulusUnit = 1603, kDensityUnit = 1605, kAlphaUnit = 1606
};
constexpr int kDescriptionLength = 27;

using BeamMaterialDialogState = NamedRecordDialogState;

void ShowIfNotZero(DialogHelper& helper, int item, float value, const char* text) {
  if (value != 0.0f) helper.DialogSetItemText(item, text);
}

void OnInit(HWND dialog, BeamMaterialDialogState& state) {
  BeginNamedRecordDialog(dialog, state, "Beam material");
  DialogHelper& helper = state.helper;
  const BeamMaterial& m = TheModel().beamMaterials[state.record];
  helper.DialogSetUnitLabel(kModulusUnit, kUnitModulus);
  helper.DialogSetUnitLabel(kDensityUnit, kUnitDensity);
  helper.DialogSetUnitLabel(kAlphaUnit, kUnitThermalExpansion);
  helper.DialogSetItemTextAndLimit(kName, m.name, 5);
  helper.DialogSetItemTextAndLimit(kDescription, m.description, kDescriptionLength);
  ShowIfNotZero(helper, kModulus, m.E, FormatModulus(m.E));
  ShowIfNotZero(helper, kNu, m.nu, FormatG3(m.nu));
  ShowIfNotZero(helper, kDensity, m.density, FormatDensity(m.density));
  ShowIfNotZero(helper, kAlpha, m.alpha, FormatThermalExpansion(m.alpha));
  EndNamedRecordDialogOpening(dialog, helper, kName, {kName, kDescription, kModulus, kNu, kDensity, kAlpha}, {});
}

BeamMaterial ReadFields(DialogHelper& helper, int record) {
  const Model& model = TheModel();
  BeamMaterial edited = model.beamMaterials[record];
  helper.DialogReadFieldTrimmed(kName);
  edited.name = g_EditFieldText;
  CheckBeamMaterialName(model, edited.name, record);
  helper.DialogReadLongFieldTrimmed(kDescription);
  edited.description = g_EditFieldText.substr(0, kDescriptionLength);
  helper.DialogGetItemText(kModulus);
  if (g_EditFieldText.empty()) ThrowRequiredField("Modulus");
  if (ParseFieldModulus(edited.E) != 0) ThrowInvalidField("Modulus");
  CheckFieldRule(kBeamMaterialRules[kBeamMaterialModulusRule], edited.E, edited, "Modulus");
  helper.DialogGetItemText(kNu);
  if (ParseFieldReal(edited.nu) != 0) ThrowInvalidField("Nu");
  CheckFieldRule(kBeamMaterialRules[kBeamMaterialNuRule], edited.nu, edited);
  helper.DialogGetItemText(kDensity);
  if (ParseFieldDensity(edited.density) != 0) ThrowInvalidField("Density");
  CheckFieldRule(kBeamMaterialRules[kBeamMaterialDensityRule], edited.density, edited);
  helper.DialogGetItemText(kAlpha);
  if (ParseFieldThermalExpansion(edited.alpha) != 0) ThrowInvalidField("Alpha");
  return edited;
}

bool Same(const BeamMaterial& a, const BeamMaterial& b) {
  return a.name == b.name && a.description == b.description && a.E == b.E && a.nu == b.nu &&
         a.density == b.density && a.alpha == b.alpha;
}

void OnOk(HWND dialog, BeamMaterialDialogState& state) {
  const RecordNameChange name{"Beam material name", kName, RenameBeamMaterialInRows};
  if (StoreNamedRecord(dialog, state, TheModel().beamMaterials[state.record], ReadFields, Same, name)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR BeamMaterialDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return NamedRecordDialogProc<BeamMaterialDialogState, OnInit, OnOk>(dialog, message, wParam, lParam);
}

int BeamMaterialDialog(HWND owner, int record, SnapshotToken token) {
  BeamMaterialDialogState state;
  return RunNamedRecordDialog(owner, "BEAM_MATERIAL_DIALOG", BeamMaterialDialogProc, state, record, TheModel().beamMaterials.count, token);
}
