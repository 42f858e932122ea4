// Change Rows (see ChangeRows.h).
#include "editing/ChangeRows.h"
#include "model/ModelDialogFields.h"

#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowRangeFields.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302, kFrictionField = 1303;
constexpr int kMaterialCheck = 1101, kSectionCheck = 1102, kLoadCheck = 1103, kFrictionCheck = 1104;
constexpr int kOffsetCheck = 1105;  // .. 1107
constexpr int kMaterialList = 1201, kSectionList = 1202, kLoadList = 1203;
constexpr int kOffsetField = 1304;  // .. 1306
constexpr int kOffsetUnit = 1601;   // .. 1603
const char* const kAxis[3] = {"DX", "DY", "DZ"};

bool KeepsNamesAndOffsets(ElementType type) {
  return type == ElementType::None || type == ElementType::From || type == ElementType::Location ||
         type == ElementType::Comment || type == ElementType::HydrotestLoad;
}

bool Take(std::string& field, const std::string& value) {
  if (value.empty() || field == value) return false;
  field = value;
  return true;
}

bool Take(float& field, float value) {
  if (field == value) return false;
  field = value;
  return true;
}

struct ChangeDialogState {
  DialogHelper helper;
  int currentRow = 0;
  std::string refusal;  // the making of the changed model refused it
};

ChangeDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<ChangeDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void OnInit(HWND dialog, ChangeDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const Model& model = TheModel();
  if (state.currentRow >= 2 && state.currentRow <= model.rowCount) {
    helper.DialogSetItemText(kFromField, IntegerToText(state.currentRow));
    helper.DialogFocusItem(kToField);
  } else {
    helper.DialogFocusItem(kFromField);
  }
  helper.DialogEnableItem(kMaterialCheck, model.materials.count > 0);
  helper.DialogEnableItem(kSectionCheck, model.sections.count > 0);
  helper.DialogEnableItem(kLoadCheck, model.pipeLoads.count > 0);
  DialogFillMaterialCombo(helper, kMaterialList, true);
  DialogFillSectionCombo(helper, kSectionList, true);
  DialogFillPipeLoadCombo(helper, kLoadList, true);
  for (int axis = 0; axis < 3; ++axis) helper.DialogSetUnitLabel(kOffsetUnit + axis, kUnitLength);
  CenterWindowOnParent(dialog, IDOK);
}

// A check box enables its value control (and unit label) and clears it.
void OnCheck(ChangeDialogState& state, int check) {
  DialogHelper& helper = state.helper;
  const bool on = helper.DialogIsChecked(check);
  int control = 0;
  if (check <= kLoadCheck) {
    control = kMaterialList + (check - kMaterialCheck);
    helper.DialogComboSetSel(control, -1);
  } else {
    control = check == kFrictionCheck ? kFrictionField : kOffsetField + (check - kOffsetCheck);
    helper.DialogSetItemText(control, "");
    if (check >= kOffsetCheck) helper.DialogEnableItem(kOffsetUnit + (check - kOffsetCheck), on);
  }
  helper.DialogEnableItem(control, on);
  if (on && check > kLoadCheck) helper.DialogFocusItem(control);
}

template <typename Table>
std::string ChosenName(DialogHelper& helper, int check, int list, const Table& table) {
  if (!helper.DialogIsChecked(check)) return {};
  const int chosen = helper.DialogComboGetSel(list);
  return chosen >= 1 && chosen <= table.count ? table[chosen].name : std::string();
}

ChangeRowsValues ReadValues(ChangeDialogState& state) {
  DialogHelper& helper = state.helper;
  const Model& model = TheModel();
  ChangeRowsValues values;
  values.from = ReadFromRowField(helper, kFromField, model.rowCount);
  values.to = ReadToRowField(helper, kToField, values.from, model.rowCount, values.from);
  if (helper.DialogIsChecked(kFrictionCheck)) {
    values.setFriction = true;
    helper.DialogGetItemText(kFrictionField);
    if (!g_EditFieldText.empty() && (ParseFieldReal(values.friction) != 0 || values.friction < 0.0f))
      ThrowInvalidField("Friction coefficient");
  }
  for (int axis = 0; axis < 3; ++axis) {
    if (!helper.DialogIsChecked(kOffsetCheck + axis)) continue;
    helper.DialogGetItemText(kOffsetField + axis);
    if (g_EditFieldText.empty()) ThrowRequiredField(std::string(kAxis[axis]) + " ");
    float value = 0.0f;
    if (ParseFieldLength(value) != 0 || value == 0.0f) ThrowInvalidField(kAxis[axis]);
    values.setOffset[axis] = true;
    values.offset[axis] = value;
  }
  values.material = ChosenName(helper, kMaterialCheck, kMaterialList, model.materials);
  values.section = ChosenName(helper, kSectionCheck, kSectionList, model.sections);
  values.load = ChosenName(helper, kLoadCheck, kLoadList, model.pipeLoads);
  return values;
}

void OnOk(HWND dialog, ChangeDialogState& state) {
  ChangeRowsValues values;
  try {
    values = ReadValues(state);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  try {
    EndDialog(dialog, ChangeRows(TheModel(), values) ? 1 : 0);
  } catch (const std::string& message) {
    // Offsets whose coordinates are not finite: the command's undo step
    // puts the model back once the dialog is gone.
    state.refusal = message;
    EndDialog(dialog, 0);
  }
}

INT_PTR ChangeRowsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<ChangeDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kMaterialCheck && id <= kOffsetCheck + 2 && HIWORD(wParam) == BN_CLICKED) {
        OnCheck(StateOf(dialog), id);
        return TRUE;
      }
      if (id == IDOK) OnOk(dialog, StateOf(dialog));
      if (id == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

bool ChangeRows(Model& model, const ChangeRowsValues& values) {
  HideHighlight();
  bool changed = false;
  for (int r = values.from; r <= values.to && r <= model.rowCount; ++r) {
    LayoutRow& row = model.row(r);
    if (values.setFriction) {
      if (auto* guide = dynamic_cast<Guide*>(row.item.get())) changed |= Take(guide->frictionCoefficient, values.friction);
      if (auto* stop = dynamic_cast<LimitStop*>(row.item.get())) changed |= Take(stop->frictionCoefficient, values.friction);
    }
    if (KeepsNamesAndOffsets(row.elementType)) continue;
    if (row.elementType != ElementType::Beam) {
      changed |= Take(row.material, values.material);
      changed |= Take(row.section, values.section);
      changed |= Take(row.load, values.load);
    }
    if (row.elementType == ElementType::BallJoint || row.elementType == ElementType::HingeJoint) continue;
    float* offsets[3] = {&row.dx, &row.dy, &row.dz};
    for (int axis = 0; axis < 3; ++axis)
      if (values.setOffset[axis]) changed |= Take(*offsets[axis], values.offset[axis]);
  }
  if (changed) RefreshAfterModelEdit(model);
  return changed;
}

int ChangeRowsDialog(HWND owner, int currentRow) {
  ChangeDialogState state;
  state.currentRow = currentRow;
  const INT_PTR result = DialogBoxParam(InstanceHandle, "CHANGE_ELEMENTS_DIALOG", owner, ChangeRowsProc,
                                        reinterpret_cast<LPARAM>(&state));
  if (!state.refusal.empty()) throw state.refusal;
  return result == 1 ? 1 : 0;
}
