// The soil dialog; see SoilDialog.h. The checks run in the order of the
// fields; the first that fails shows its message with the focus on its field
// and every field left as typed.
#include "properties/SoilDialog.h"

#include <cstdio>
#include <initializer_list>

#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/NamedRecordDialog.h"
#include "properties/PropertyEdits.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kName = 1301, kDensity = 1302, kStrength = 1303, kDelta = 1304, kKs = 1305, kGroundLevel = 1306,
  kCohesive = 1401, kCohesionless = 1402, kStrengthLabel = 1503, kDeltaLabel = 1504, kKsLabel = 1505,
  kDensityUnit = 1602, kStrengthUnit = 1603, kDeltaUnit = 1604, kGroundLevelUnit = 1606
};
constexpr int kNameLength = 3;

using SoilDialogState = NamedRecordDialogState;

SoilDialogState& StateOf(HWND dialog) { return NamedRecordDialogStateOf<SoilDialogState>(dialog); }

void ShowIfNotZero(DialogHelper& helper, int item, float value, const char* text) {
  if (value != 0.0f) helper.DialogSetItemText(item, text);
}

void EnableGroup(DialogHelper& helper, std::initializer_list<int> items, bool enable) {
  for (int item : items) helper.DialogEnableItem(item, enable);
}

// Cohesionless soils take delta and Ks, cohesive ones the strength; the
// fields of the other type are emptied so that nothing hidden is stored.
void ShowType(DialogHelper& helper, bool cohesive) {
  if (cohesive) {
    helper.DialogSetItemText(kDelta, "");
    helper.DialogSetItemText(kKs, "");
  } else {
    helper.DialogSetItemText(kStrength, "");
  }
  EnableGroup(helper, {kStrength, kStrengthLabel, kStrengthUnit}, cohesive);
  EnableGroup(helper, {kDelta, kDeltaLabel, kDeltaUnit, kKs, kKsLabel}, !cohesive);
}

void OnInit(HWND dialog, SoilDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const Soil& s = TheModel().soils[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "Soil # %d", state.record);
  SetWindowText(dialog, title);
  helper.DialogSetUnitLabel(kDensityUnit, kUnitInsulationDensity);
  helper.DialogSetUnitLabel(kStrengthUnit, kUnitStress);
  helper.DialogSetUnitLabel(kDeltaUnit, kUnitAngle);
  helper.DialogSetUnitLabel(kGroundLevelUnit, kUnitLength);
  helper.DialogCheckRadio(kCohesive, kCohesionless, kCohesive);
  helper.DialogSetItemTextAndLimit(kName, s.name, kNameLength);
  ShowIfNotZero(helper, kDensity, s.density, FormatInsulationDensity(s.density));
  if (s.type == kSoilCohesive) {
    ShowType(helper, true);
    ShowIfNotZero(helper, kStrength, s.strength, FormatStress(s.strength));
  } else {
    helper.DialogCheckRadio(kCohesive, kCohesionless, kCohesionless);
    ShowType(helper, false);
    ShowIfNotZero(helper, kDelta, s.delta, FormatAngleOrNone(s.delta));
    ShowIfNotZero(helper, kKs, s.Ks, FormatFixedWidth(s.Ks, 10, 2));
  }
  ShowIfNotZero(helper, kGroundLevel, s.groundLevel, FormatLength(s.groundLevel));
  if (TableResultsShown()) {
    for (int item : {kName, kDensity, kStrength, kDelta, kKs, kGroundLevel}) helper.DialogSetReadOnly(item);
    helper.DialogDisableItem(kCohesive);
    helper.DialogDisableItem(kCohesionless);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kName);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// Reads a value that must be given, by the rule of its field `which` in
// `edited` (a typed 0 may come back from the parser as the explicit zero,
// which the rules of density, strength and Ks refuse as 0).
void ReadRequired(DialogHelper& helper, int item, const Soil& edited, SoilRuled which, int (*parse)(float&),
                  float& value) {
  const FieldRule<Soil>& rule = kSoilRules[which];
  helper.DialogReadFieldTrimmed(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(rule.label);
  if (parse(value) != 0) ThrowInvalidField(rule.label);
  CheckFieldRule(rule, value, edited);
}

Soil ReadFields(DialogHelper& helper, int record) {
  const Model& model = TheModel();
  Soil edited = model.soils[record];
  helper.DialogReadFieldTrimmed(kName);
  edited.name = g_EditFieldText;
  CheckSoilName(model, edited.name, record);
  const bool cohesive = helper.DialogIsChecked(kCohesive);
  edited.type = cohesive ? kSoilCohesive : kSoilCohesionless;
  ReadRequired(helper, kDensity, edited, kSoilDensityRule, ParseFieldInsulationDensity, edited.density);
  edited.strength = edited.delta = edited.Ks = 0.0f;
  if (!cohesive) {
    ReadRequired(helper, kDelta, edited, kSoilDeltaRule, ParseFieldAngle, edited.delta);
    // A zero delta is kept as the explicit zero so that it reads as given.
    if (edited.delta == 0.0f || IsExplicitZero(edited.delta)) edited.delta = kExplicitZero;
    ReadRequired(helper, kKs, edited, kSoilKsRule, ParseFieldReal, edited.Ks);
  } else {
    ReadRequired(helper, kStrength, edited, kSoilStrengthRule, ParseFieldStress, edited.strength);
  }
  helper.DialogReadFieldTrimmed(kGroundLevel);
  edited.groundLevel = 0.0f;
  if (!g_EditFieldText.empty() && ParseFieldLength(edited.groundLevel) != 0) ThrowInvalidField("Ground level");
  if (IsExplicitZero(edited.groundLevel)) edited.groundLevel = 0.0f;
  return edited;
}

bool Same(const Soil& a, const Soil& b) {
  return a.name == b.name && a.type == b.type && a.density == b.density && a.strength == b.strength &&
         a.delta == b.delta && a.Ks == b.Ks && a.groundLevel == b.groundLevel;
}

void OnOk(HWND dialog, SoilDialogState& state) {
  const RecordNameChange name{"Soil name", kName, RenameSoilInSections};
  if (StoreNamedRecord(dialog, state, TheModel().soils[state.record], ReadFields, Same, name)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR SoilDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<SoilDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, StateOf(dialog)); return TRUE;
        case IDCANCEL: CancelNamedRecordDialog(dialog, StateOf(dialog).token); return TRUE;
        case kCohesive:
        case kCohesionless:
          if (HIWORD(wParam) == BN_CLICKED && !TableResultsShown())
            ShowType(StateOf(dialog).helper, LOWORD(wParam) == kCohesive);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int SoilDialog(HWND owner, int record, SnapshotToken token) {
  SoilDialogState state;
  return RunNamedRecordDialog(owner, "SOIL_DIALOG", SoilDialogProc, state, record, TheModel().soils.count, token);
}
