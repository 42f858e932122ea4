// The section dialog and the insulation list (see SectionDialog.h).
#include "properties/SectionDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "properties/PropertyEdits.h"
#include "records/PipeDimensions.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kName = 1301, kDiameter = 1302, kThickness = 1303, kCorrosion = 1304, kMill = 1305, kInsDensity = 1306,
  kInsThickness = 1307, kLinDensity = 1308, kLinThickness = 1309, kSizes = 1201, kSchedules = 1202, kSoils = 1203,
  kSoilLabel = 1501, kFirstStandard = 1401, kLastStandard = 1404, kInsulation = 1001
};

struct SectionDialogState {
  DialogHelper helper;
  int record = 0;
  SnapshotToken token = 0;
  int standard = 0;
};

SectionDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<SectionDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

const PipeDimensionStandard& Table(const SectionDialogState& state) { return DimensionStandard(state.standard); }

void SetIfNotZero(DialogHelper& helper, int item, float value, const std::string& text) {
  helper.DialogSetItemText(item, value != 0.0f ? text : std::string());
}

// Choosing a standard: its sizes in the size list ("Non Std" selected), the
// schedule list emptied and disabled.
void ChooseStandard(SectionDialogState& state, int standard) {
  DialogHelper& helper = state.helper;
  state.standard = standard;
  helper.DialogCheckRadio(kFirstStandard, kLastStandard, kFirstStandard + standard);
  helper.DialogComboReset(kSizes);
  for (const PipeSizeRow& row : Table(state).rows) helper.DialogComboAddString(row.name);
  helper.DialogComboSetSel(kSizes, 0);
  helper.DialogComboReset(kSchedules);
  helper.DialogDisableItem(kSchedules);
}

void ShowSchedule(SectionDialogState& state, int row, int place) {
  const PipeSizeRow& size = Table(state).rows[static_cast<std::size_t>(row)];
  if (place < 0 || place >= static_cast<int>(size.thicknesses.size())) return;
  state.helper.DialogComboSetSel(kSchedules, place);
  state.helper.DialogSetItemText(kThickness, FormatDimension(size.thicknesses[static_cast<std::size_t>(place)]));
}

// Shows size row `row`, keeping the schedule named `schedule` when the size
// has it.
void ShowSize(SectionDialogState& state, int row, const std::string& schedule, bool focusDiameter) {
  DialogHelper& helper = state.helper;
  helper.DialogComboSetSel(kSizes, row);
  if (row <= 0) {
    helper.DialogComboReset(kSchedules);
    helper.DialogDisableItem(kSchedules);
    helper.DialogClearReadOnly(kDiameter);
    helper.DialogClearReadOnly(kThickness);
    if (focusDiameter) helper.DialogSelectAndFocus(kDiameter);
    return;
  }
  const PipeDimensionStandard& table = Table(state);
  const PipeSizeRow& size = table.rows[static_cast<std::size_t>(row)];
  helper.DialogSetItemText(kDiameter, FormatDimension(size.outsideDiameter));
  helper.DialogEnableItem(kSchedules, true);
  helper.DialogComboReset(kSchedules);
  for (int index : size.schedules) helper.DialogComboAddString(table.scheduleNames[static_cast<std::size_t>(index)]);
  helper.DialogSetReadOnly(kDiameter);
  helper.DialogSetReadOnly(kThickness);
  const int place = FindScheduleInRow(table, size, schedule);
  ShowSchedule(state, row, place < 0 ? 0 : place);
}

std::string ComboText(HWND dialog, int item) {
  char text[32] = {};
  GetDlgItemText(dialog, item, text, sizeof text);
  return text;
}

void OnInit(HWND dialog, SectionDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  Model& model = TheModel();
  const PipeSection& s = model.sections[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "Section # %d", state.record);
  SetWindowText(dialog, title);
  for (int item : {1602, 1603, 1604, 1607, 1609}) helper.DialogSetUnitLabel(item, kUnitDimension);
  for (int item : {1606, 1608}) helper.DialogSetUnitLabel(item, kUnitInsulationDensity);
  // A new section starts from the previous one's allowances and densities.
  if (state.record >= 2 && s.name.empty()) {
    const PipeSection& previous = model.sections[state.record - 1];
    SetIfNotZero(helper, kCorrosion, previous.corrosionAllowance, FormatDimension(previous.corrosionAllowance));
    SetIfNotZero(helper, kMill, previous.millTolerance, FormatFixedWidth(previous.millTolerance, 7, 2));
    SetIfNotZero(helper, kInsDensity, previous.insulationDensity, FormatInsulationDensity(previous.insulationDensity));
    SetIfNotZero(helper, kLinDensity, previous.liningDensity, FormatInsulationDensity(previous.liningDensity));
  }
  if (model.soils.count > 0) {
    helper.DialogEnableItem(kSoilLabel, true);
    helper.DialogEnableItem(kSoils, true);
    helper.DialogComboReset(kSoils);
    helper.DialogComboAddString("");
    for (int i = 1; i <= model.soils.count; ++i) helper.DialogComboAddString(model.soils[i].name);
    helper.DialogComboSetSel(kSoils, FindRecordByName(model.soils, s.soil));
  }
  helper.DialogSetItemTextAndLimit(kName, s.name, 5);
  ChooseStandard(state, s.standard >= 0 && s.standard <= 3 ? s.standard : 0);
  const int row = FindSizeRow(Table(state), s.nominalSize, 0);
  if (row <= 0) {
    SetIfNotZero(helper, kDiameter, s.outsideDiameter, FormatDimension(s.outsideDiameter));
    SetIfNotZero(helper, kThickness, s.thickness, FormatDimension(s.thickness));
  }
  ShowSize(state, row < 0 ? 0 : row, s.schedule, false);
  if (s.corrosionAllowance != 0.0f) helper.DialogSetItemText(kCorrosion, FormatDimension(s.corrosionAllowance));
  if (s.millTolerance != 0.0f) helper.DialogSetItemText(kMill, FormatFixedWidth(s.millTolerance, 8, 1));
  if (s.insulationDensity != 0.0f && s.insulationThickness != 0.0f) {
    helper.DialogSetItemText(kInsDensity, FormatInsulationDensity(s.insulationDensity));
    helper.DialogSetItemText(kInsThickness, FormatDimension(s.insulationThickness));
  }
  if (s.liningDensity != 0.0f && s.liningThickness != 0.0f) {
    helper.DialogSetItemText(kLinDensity, FormatInsulationDensity(s.liningDensity));
    helper.DialogSetItemText(kLinThickness, FormatDimension(s.liningThickness));
  }
  if (TableResultsShown()) {
    for (int item = kName; item <= kLinThickness; ++item) helper.DialogSetReadOnly(item);
    for (int item = kFirstStandard; item <= kLastStandard; ++item) helper.DialogDisableItem(item);
    for (int item : {kSizes, kSchedules, kSoils}) helper.DialogDisableItem(item);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kName);
  }
  CenterWindowOnParent(dialog, IDOK);
}

[[noreturn]] void ThrowAt(DialogHelper& helper, int item, const std::string& message) {
  helper.errorItem = item;
  throw message;
}

// The field of `s` a rule judges.
float& SectionField(PipeSection& s, SectionRuled which) {
  switch (which) {
    case kSectionDiameterRule: return s.outsideDiameter;
    case kSectionWallRule: return s.thickness;
    case kSectionCorrosionRule: return s.corrosionAllowance;
    case kSectionMillRule: return s.millTolerance;
    case kSectionInsulationDensityRule: return s.insulationDensity;
    case kSectionInsulationThicknessRule: return s.insulationThickness;
    case kSectionLiningDensityRule: return s.liningDensity;
    default: return s.liningThickness;
  }
}

// A field into `s`: empty gives 0 or, when `required`, the required
// message; a value that does not parse gives the invalid message, and one
// the rule of its field refuses in `s` the rule's, with the focus on it.
void ReadField(DialogHelper& helper, int item, PipeSection& s, SectionRuled which, bool required = false) {
  const FieldRule<PipeSection>& rule = kSectionRules[which];
  helper.DialogGetItemText(item);
  float value = 0.0f;
  if (g_EditFieldText.empty()) {
    if (required) ThrowRequiredField(rule.label);
  } else if (which == kSectionMillRule ? ParseFieldReal(value) != 0
             : which == kSectionInsulationDensityRule || which == kSectionLiningDensityRule
                 ? ParseFieldInsulationDensity(value) != 0
                 : ParseFieldNonNegativeDimension(value) != 0) {
    ThrowInvalidField(rule.label);
  }
  CheckFieldRule(rule, value, s);
  SectionField(s, which) = value;
}

PipeSection ReadSection(SectionDialogState& state, const PipeSection& stored) {
  DialogHelper& helper = state.helper;
  HWND dialog = helper.dialog;
  Model& model = TheModel();
  PipeSection s = stored;
  helper.DialogReadFieldTrimmed(kName);
  s.name = g_EditFieldText;
  CheckSectionName(model, s.name, state.record);
  s.standard = helper.DialogIsChecked(1402) ? 1 : helper.DialogIsChecked(1403) ? 2 : helper.DialogIsChecked(1404) ? 3 : 0;
  s.nominalSize = ComboText(dialog, kSizes).substr(0, 7);
  s.schedule = helper.DialogIsItemEnabled(kSchedules) ? ComboText(dialog, kSchedules).substr(0, 3) : std::string();
  // The fields are judged in turn, each against those read before it: a
  // corrosion allowance against the new wall, the mill tolerance against
  // both.
  s.corrosionAllowance = s.millTolerance = 0.0f;
  ReadField(helper, kDiameter, s, kSectionDiameterRule, true);
  ReadField(helper, kThickness, s, kSectionWallRule, true);
  ReadField(helper, kCorrosion, s, kSectionCorrosionRule);
  ReadField(helper, kMill, s, kSectionMillRule);
  ReadField(helper, kInsDensity, s, kSectionInsulationDensityRule);
  ReadField(helper, kInsThickness, s, kSectionInsulationThicknessRule);
  if (s.insulationDensity != 0.0f && s.insulationThickness == 0.0f)
    ThrowAt(helper, kInsThickness, "Insulation density defined without Insulation thickness");
  if (s.insulationDensity == 0.0f && s.insulationThickness != 0.0f)
    ThrowAt(helper, kInsDensity, "Insulation thickness defined without Insulation density");
  ReadField(helper, kLinDensity, s, kSectionLiningDensityRule);
  ReadField(helper, kLinThickness, s, kSectionLiningThicknessRule);
  if (s.liningDensity != 0.0f && s.liningThickness == 0.0f)
    ThrowAt(helper, kLinThickness, "Lining density defined without Lining thickness");
  if (s.liningDensity == 0.0f && s.liningThickness != 0.0f)
    ThrowAt(helper, kLinDensity, "Lining thickness defined without Lining density");
  // Asked on every OK, before the rename question as the other checks are:
  // the dialog stores nothing while a jacket of this section is too narrow.
  if (JacketClearanceViolated(model, state.record, s))
    throw std::string("(Jacket I.D. - lining) < (core O.D. + insulation)");
  const int soil = model.soils.count > 0 ? helper.DialogComboGetSel(kSoils) : 0;
  s.soil = soil > 0 && soil <= model.soils.count ? model.soils[soil].name : std::string();
  return s;
}

void OnOk(HWND dialog, SectionDialogState& state) {
  Model& model = TheModel();
  if (TableResultsShown()) {
    PopTempFile(state.token);
    EndDialog(dialog, 0);
    return;
  }
  PipeSection& stored = model.sections[state.record];
  PipeSection edited;
  try {
    edited = ReadSection(state, stored);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  if (edited == stored) {
    PopTempFile(state.token);
    EndDialog(dialog, 1);
    return;
  }
  if (FindSectionByName(model.sections, edited.name) == 0 && !stored.name.empty() && stored.name != edited.name) {
    if (!ConfirmChange(dialog, "Section name", stored.name, edited.name)) {
      state.helper.DialogSetItemText(kName, stored.name);
      state.helper.DialogSelectAndFocus(kName);
      return;
    }
  }
  const bool geometry = std::fabs(edited.outsideDiameter - stored.outsideDiameter) > 0.001f;
  try {
    StoreSection(model, state.record, edited);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  if (geometry) {
    try {
      RefreshAfterModelEdit(model);
    } catch (const std::string& message) {
      ShowErrorMessage(dialog, message);
    }
  }
  EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, SectionDialogState& state, int id, int code) {
  if (id >= kFirstStandard && id <= kLastStandard && code == BN_CLICKED && !TableResultsShown()) {
    ChooseStandard(state, id - kFirstStandard);
    ShowSize(state, 0, {}, false);
    return;
  }
  if ((id == kSizes || id == kSchedules) && (code == CBN_SELENDOK || code == CBN_CLOSEUP)) {
    const int row = state.helper.DialogComboGetSel(kSizes);
    if (id == kSizes) ShowSize(state, row, ComboText(dialog, kSchedules), true);
    else if (row > 0) ShowSchedule(state, row, state.helper.DialogComboGetSel(kSchedules));
    return;
  }
  if (id == kInsulation && code == BN_CLICKED) {
    const int material = InsulationDialog(dialog);
    if (material < 1 || TableResultsShown()) return;
    state.helper.DialogSetItemText(
        kInsDensity, FormatInsulationDensity(static_cast<float>(InsulationMaterialDensity(material) * kCubicFootToInch)));
    state.helper.DialogSelectAndFocus(kInsThickness);
  }
}

// --- the insulation list -------------------------------------------------------

class InsulationTable : public DialogTableWindow {
 public:
  void DefineColumns() override {
    int widest = 0;
    for (int i = 1; i <= kInsulationMaterialCount; ++i) widest = std::max(widest, Width(InsulationMaterialName(i)));
    widths[1] = std::max({widest, Width("Insulation"), Width("Material")});
    widths[2] = std::max(Width("Density   "), Width(UnitLabel(kUnitInsulationDensity)));
  }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 0 ? "Insulation" : "Material";
    return line == 0 ? "Density" : UnitLabel(kUnitInsulationDensity);
  }
  std::string CellText(int row, int column, int) override {
    if (column == 1) return InsulationMaterialName(row);
    return FormatInsulationDensity(static_cast<float>(InsulationMaterialDensity(row) * kCubicFootToInch));
  }
  void DoubleClick() override { PostMessage(dialog, WM_COMMAND, IDOK, 0); }
  HWND dialog = nullptr;

 private:
  int Width(const std::string& text) {
    SIZE size{0, 0};
    if (Dc() != nullptr && !text.empty()) GetTextExtentPoint32(Dc(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
};

}  // namespace

INT_PTR SectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<SectionDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOk(dialog, StateOf(dialog));
      } else if (LOWORD(wParam) == IDCANCEL) {
        PopTempFile(StateOf(dialog).token);
        EndDialog(dialog, 0);
      } else {
        OnCommand(dialog, StateOf(dialog), LOWORD(wParam), HIWORD(wParam));
      }
      return TRUE;
    default: return FALSE;
  }
}

int SectionDialog(HWND owner, int record, SnapshotToken token) {
  if (record < 1 || record > TheModel().sections.count) {
    PopTempFile(token);
    return 0;
  }
  SectionDialogState state;
  state.record = record;
  state.token = token;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "SECTION_DIALOG", owner, SectionDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result < 0) PopTempFile(token);
  return result == 1 ? 1 : 0;
}

INT_PTR InsulationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& table = *reinterpret_cast<InsulationTable*>(lParam);
      table.dialog = dialog;
      CreateDialogTable(dialog, table, 2, 2);
      LayoutDialogTable(dialog, table, kInsulationMaterialCount, 1, kInsulationMaterialCount, kInsulationMaterialCount,
                        {{IDOK, 6}, {IDCANCEL, 49}});
      return FALSE;
    }
    case WM_COMMAND: {
      auto& table = *reinterpret_cast<InsulationTable*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, table.currentRow);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

int InsulationDialog(HWND owner) {
  InsulationTable table;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "INSULATION_DIALOG", owner, InsulationDialogProc, reinterpret_cast<LPARAM>(&table));
  return result > 0 ? static_cast<int>(result) : 0;
}
