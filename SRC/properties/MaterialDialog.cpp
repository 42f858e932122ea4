// The material dialog (see MaterialDialog.h). The checks run in the order of
// the fields; the first one that fails shows its message and puts the focus
// back on its field, leaving every field as typed.
#include "properties/MaterialDialog.h"

#include <cstdio>

#include "model/Model.h"
#include "platform/Dialog.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryDialogs.h"
#include "properties/MaterialLibraryWindow.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/PropertyEdits.h"
#include "records/Material.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kName = 1301, kDescription = 1302, kDensity = 1303, kNu = 1304, kJoint = 1305, kCircJoint = 1306,
  kStrength = 1307, kType = 1201, kDensityUnit = 1603, kStrengthLabel = 1507, kStressUnit = 1607,
  kNameLabel = 1501, kProperties = 1001, kLibrary = 1002
};

bool IsSwedishOrNorwegian(int code) { return code == 18 || code == 13 || code == 14; }
bool IsPipeline(int code) { return code == 19 || code == 20 || code == 22; }
bool UsesTensile(int code) { return code == 17 || code == 21 || code == 16; }
bool ShowsTypes(int code) { return code != 17 && !IsPipeline(code); }
bool HasStrength(int code) { return IsSwedishOrNorwegian(code) || UsesTensile(code) || code == 3 || IsPipeline(code); }

struct MaterialDialogState {
  DialogHelper helper;
  int record = 0;
  SnapshotToken token = 0;
  int code = 0;
  PropertyRowsBuffer buffer;  // the edit buffer of the rows
};

MaterialDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<MaterialDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void ShowIfNotZero(DialogHelper& helper, int item, float value, const char* text) {
  if (value != 0.0f) helper.DialogSetItemText(item, text);
}

// The fields of `m` (the record edited, or a material picked from the
// library), with the table against temperature into the edit buffer.
void ShowFields(MaterialDialogState& state, const Material& m) {
  DialogHelper& helper = state.helper;
  const int code = state.code;
  if (ShowsTypes(code)) {
    const int type = FindMaterialTypeIndex(m.type);
    helper.DialogComboSetSel(kType, type < 0 ? 0 : type);
  }
  helper.DialogSetItemTextAndLimit(kDescription, m.description, 31);
  helper.DialogLimitItemText(kDensity, 10);
  helper.DialogSetItemEmpty(kDensity);
  ShowIfNotZero(helper, kDensity, m.density, FormatDensity(m.density));
  helper.DialogLimitItemText(kNu, 6);
  helper.DialogSetItemEmpty(kNu);
  ShowIfNotZero(helper, kNu, m.nu, FormatG3(m.nu));
  helper.DialogSetItemEmpty(kJoint);
  ShowIfNotZero(helper, kJoint, m.jointFactor, FormatFixedWidth(m.jointFactor, 5, 2));
  if (IsSwedishOrNorwegian(code)) {
    helper.DialogSetItemEmpty(kCircJoint);
    ShowIfNotZero(helper, kCircJoint, m.circJointFactor, FormatFixedWidth(m.circJointFactor, 5, 2));
  }
  if (HasStrength(code)) helper.DialogSetItemEmpty(kStrength);
  if (code == 3) {
    helper.DialogSetItemText(kStrength, FormatStress(m.strength));
  } else if (HasStrength(code)) {
    ShowIfNotZero(helper, kStrength, m.strength, FormatStress(m.strength));
  }
  LoadPropertyRows(state.buffer, m, false);
  if (m.numtemps < 1) state.buffer.count = 0;
}

void OnInit(HWND dialog, MaterialDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const Material& m = TheModel().materials[state.record];
  const int code = state.code;
  char title[40];
  std::snprintf(title, sizeof title, "Material # %d", state.record);
  SetWindowText(dialog, title);
  if (ShowsTypes(code)) {
    helper.DialogComboReset(kType);
    for (int index = 0; index < kMaterialTypeCount; ++index) helper.DialogComboAddString(MaterialTypeName(index));
  }
  helper.DialogSetUnitLabel(kDensityUnit, kUnitDensity);
  if (UsesTensile(code)) helper.DialogSetItemText(kStrengthLabel, "Tensile strength");
  if (HasStrength(code)) helper.DialogSetUnitLabel(kStressUnit, kUnitStress);
  helper.DialogSetItemTextAndLimit(kName, m.name, 5);
  ShowFields(state, m);
  if (TableResultsShown()) {
    for (int item : {kName, kDescription, kDensity, kNu, kJoint, kCircJoint, kStrength}) helper.DialogSetReadOnly(item);
    helper.DialogDisableItem(kType);
    helper.DialogHideItem(kLibrary);
    helper.DialogFocusItem(IDOK);
  } else if (MaterialLibraryWindowOpen()) {
    // A library's materials have no names: they get one in a model.
    helper.DialogDisableItem(kNameLabel);
    helper.DialogDisableItem(kName);
    helper.DialogHideItem(kLibrary);
    helper.DialogSelectAndFocus(kDescription);
  } else {
    helper.DialogSelectAndFocus(kName);
  }
  CenterWindowOnParent(dialog, IDOK);
}

std::string SelectedType(MaterialDialogState& state, const std::string& stored) {
  if (!ShowsTypes(state.code)) return stored;
  const int index = state.helper.DialogComboGetSel(kType);
  return MaterialTypeCode(index < 0 ? 0 : index);
}

// A joint factor: empty gives 1.0; a typed one keeps the rule of `which`.
float ReadJointFactor(DialogHelper& helper, int item, const Material& edited, MaterialRuled which) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) return 1.0f;
  float value = 0.0f;
  if (ParseFieldReal(value) != 0) ThrowInvalidField(kMaterialRules[which].label);
  CheckFieldRule(kMaterialRules[which], value, edited);
  return value;
}

bool SameRows(const Material& m, const PropertyRowsBuffer& buffer) {
  if (m.numtemps != buffer.count) return false;
  for (int r = 1; r <= m.numtemps; ++r)
    if (m.temps[static_cast<std::size_t>(r)].values != buffer.rows[static_cast<std::size_t>(r)].values) return false;
  return true;
}

void OnOk(HWND dialog, MaterialDialogState& state) {
  Model& model = TheModel();
  if (TableResultsShown()) {
    PopTempFile(state.token);
    EndDialog(dialog, 0);
    return;
  }
  DialogHelper& helper = state.helper;
  Material& stored = model.materials[state.record];
  Material edited = stored;
  const bool library = MaterialLibraryWindowOpen();
  try {
    if (!library) {
      helper.DialogReadFieldTrimmed(kName);
      edited.name = g_EditFieldText;
      CheckMaterialName(model, edited.name, state.record);
    }
    helper.DialogReadLongFieldTrimmed(kDescription);
    if (g_EditFieldText.empty()) ThrowRequiredField("Description");
    edited.description = g_EditFieldText.substr(0, 31);
    SetMaterialType(edited, SelectedType(state, stored.type));
    helper.DialogGetItemText(kDensity);
    if (ParseFieldDensity(edited.density) != 0) ThrowInvalidField("Density");
    CheckFieldRule(kMaterialRules[kMaterialDensityRule], edited.density, edited);
    helper.DialogGetItemText(kNu);
    if (ParseFieldReal(edited.nu) != 0) ThrowInvalidField("Nu");
    CheckFieldRule(kMaterialRules[kMaterialNuRule], edited.nu, edited);
    edited.jointFactor = ReadJointFactor(helper, kJoint, edited, kMaterialJointRule);
    if (IsSwedishOrNorwegian(state.code))
      edited.circJointFactor = ReadJointFactor(helper, kCircJoint, edited, kMaterialCircJointRule);
    if (HasStrength(state.code)) {
      helper.DialogGetItemText(kStrength);
      const char* label = state.code == 3 || IsPipeline(state.code) ? "Yield strength" : "Tensile strength";
      if (ParseFieldStress(edited.strength) != 0) ThrowInvalidField(label);
      CheckFieldRule(kMaterialRules[kMaterialStrengthRule], edited.strength, edited, label);
    }
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  FillMaterialDefaults(edited);
  const bool same = edited.name == stored.name && edited.description == stored.description &&
                    edited.type == stored.type && edited.density == stored.density && edited.nu == stored.nu &&
                    edited.jointFactor == stored.jointFactor && edited.circJointFactor == stored.circJointFactor &&
                    edited.strength == stored.strength && SameRows(stored, state.buffer);
  if (same) {
    PopTempFile(state.token);
    EndDialog(dialog, 1);
    return;
  }
  if (!library && !stored.name.empty() && edited.name != stored.name &&
      FindMaterialByName(model.materials, edited.name) == 0) {
    if (!ConfirmChange(dialog, "Material name", stored.name, edited.name)) {
      helper.DialogSetItemText(kName, stored.name);
      helper.DialogSelectAndFocus(kName);
      return;
    }
    RenameMaterial(model, state.record, edited.name);
  }
  StorePropertyRows(state.buffer, state.buffer.count, edited);
  stored = std::move(edited);
  model.modified = true;
  EndDialog(dialog, 1);
}

void OnProperties(HWND dialog, MaterialDialogState& state) {
  const bool frp = SelectedType(state, TheModel().materials[state.record].type) == "FR";
  if (MaterialPropertiesDialog(dialog, state.buffer, frp) == 1) state.buffer.changed = true;
}

// A material of the library fills every field and the table against
// temperature; the name stays the edited material's own.
void OnLibrary(HWND dialog, MaterialDialogState& state) {
  if (!EnsureMaterialLibraryLoaded(dialog, false)) return;
  const int picked = PickLibraryMaterial(dialog);
  if (picked == 0) return;
  ShowFields(state, LoadedMaterialLibrary().materials[picked]);
  state.buffer.changed = true;
  state.helper.DialogSetItemTextAndLimit(kName, TheModel().materials[state.record].name, 5);
  state.helper.DialogSelectAndFocus(kName);
}

}  // namespace

const char* MaterialDialogName(int code) {
  if (code == 17 || code == 21 || code == 16 || code == 3 || IsPipeline(code)) return "MATERIAL3_DIALOG";
  if (IsSwedishOrNorwegian(code)) return "MATERIAL2_DIALOG";
  return "MATERIAL1_DIALOG";
}

INT_PTR MaterialDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<MaterialDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, StateOf(dialog)); return TRUE;
        case IDCANCEL:
          PopTempFile(StateOf(dialog).token);
          EndDialog(dialog, 0);
          return TRUE;
        case kProperties: OnProperties(dialog, StateOf(dialog)); return TRUE;
        case kLibrary: OnLibrary(dialog, StateOf(dialog)); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int MaterialDialog(HWND owner, int record, SnapshotToken token) {
  Model& model = TheModel();
  if (record < 1 || record > model.materials.count) {
    PopTempFile(token);
    return 0;
  }
  MaterialDialogState state;
  state.record = record;
  state.token = token;
  state.code = model.options.PipingCode;
  const INT_PTR result = DialogBoxParam(InstanceHandle, MaterialDialogName(state.code), owner, MaterialDialogProc,
                                        reinterpret_cast<LPARAM>(&state));
  if (result < 0) PopTempFile(token);
  return result == 1 ? 1 : 0;
}
