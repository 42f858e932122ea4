// The "Load cases" dialog (see LoadCaseDialog.h). Start reading at
// LoadCaseDialogRows, then ApplyLoadCaseClick.
#include "loads/LoadCaseDialog.h"

#include <cstdio>

#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "records/LoadCaseList.h"
#include "services/DialogHelper.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kExtendedRows = 25;
constexpr int kExtendedBoxes = 110;

bool HasBox(const LoadCaseBoxes& boxes, int id) { return id > 0 && id < kLoadCaseTypeCount && boxes[id] >= 0; }
bool IsOn(const LoadCaseBoxes& boxes, int id) { return HasBox(boxes, id) && boxes[id] == 1; }
void Put(LoadCaseBoxes& boxes, int id, bool on) {
  if (HasBox(boxes, id)) boxes[id] = on ? 1 : 0;
}

void SingleChecked(LoadCaseBoxes& boxes, int k, bool solve) {
  if (solve) return;
  Put(boxes, kCaseIdSustained, true);
  Put(boxes, OperatingCase(k), true);
}

// The ranges that end in Tk lose their box: among T1 .. T3 those that hold
// it, beyond T3 those from a lower temperature.
void SingleUnchecked(LoadCaseBoxes& boxes, int k) {
  if (k <= 3) {
    for (int i = 1; i <= 3; ++i)
      if (i != k) Put(boxes, ThermalRangeCase(std::min(i, k), std::max(i, k)), false);
    return;
  }
  for (int i = 1; i < k; ++i) Put(boxes, ThermalRangeCase(i, k), false);
}

std::string RangeLabel(int i, int j) { return "Expansion (T" + std::to_string(i) + " - T" + std::to_string(j) + ")"; }

void AddRow(std::vector<LoadCaseRow>& rows, int id, const std::string& label = {}) {
  rows.push_back({id, label.empty() ? std::string(LoadCaseTitle(id)) : label});
}

struct DialogState {
  DialogHelper helper;
  std::vector<LoadCaseRow> rows;
  SnapshotToken snapshot = 0;
  bool solveThermalCase = false;
};

DialogState& State() {
  static DialogState state;
  return state;
}

int BoxOfRow(std::size_t row) { return kFirstLoadCaseBox + static_cast<int>(row); }

LoadCaseBoxes ReadBoxes(DialogState& state) {
  LoadCaseBoxes boxes;
  boxes.fill(-1);
  for (std::size_t row = 0; row < state.rows.size(); ++row)
    boxes[static_cast<std::size_t>(state.rows[row].id)] = state.helper.DialogIsChecked(BoxOfRow(row)) ? 1 : 0;
  return boxes;
}

void ShowBoxes(DialogState& state, const LoadCaseBoxes& boxes) {
  for (std::size_t row = 0; row < state.rows.size(); ++row)
    state.helper.DialogSetCheck(BoxOfRow(row), boxes[static_cast<std::size_t>(state.rows[row].id)] == 1);
}

void ShowTitle(HWND dialog, DialogState& state) {
  int checked = 0;
  for (std::size_t row = 0; row < state.rows.size(); ++row)
    if (state.helper.DialogIsChecked(BoxOfRow(row))) ++checked;
  char title[40];
  std::snprintf(title, sizeof title, "Load cases (%d)", checked);
  SetWindowText(dialog, title);
}

void Fill(HWND dialog) {
  DialogState& state = State();
  DialogHelper& h = state.helper;
  h.DialogBind(dialog);
  const int count = static_cast<int>(state.rows.size());
  if (const int width = LoadCaseDialogWidth(count); width != 0) h.DialogSizeForClient(width, 225);
  const LoadCaseList& list = TheModel().loadCases;
  for (std::size_t row = 0; row < state.rows.size(); ++row) {
    const int box = BoxOfRow(row);
    h.DialogSetItemText(box, state.rows[row].label);
    h.DialogSetCheck(box, list.selected[static_cast<std::size_t>(state.rows[row].id)] != 0);
    h.DialogShowItem(box);
    if (TableResultsShown()) h.DialogDisableItem(box);
  }
  if (TableResultsShown()) {
    h.DialogDisableItem(kLoadCasesAllButton);
    h.DialogDisableItem(kLoadCasesNoneButton);
  }
  ShowTitle(dialog, state);
  CenterWindowOnParent(dialog, IDOK);
}

void SetAll(DialogState& state, bool on) {
  for (std::size_t row = 0; row < state.rows.size(); ++row) {
    const int box = BoxOfRow(row);
    if (!on || state.helper.DialogIsItemEnabled(box)) state.helper.DialogSetCheck(box, on);
  }
}

void OnOk(HWND dialog) {
  DialogState& state = State();
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  LoadCaseList& list = TheModel().loadCases;
  for (std::size_t row = 0; row < state.rows.size(); ++row)
    list.selected[static_cast<std::size_t>(state.rows[row].id)] = state.helper.DialogIsChecked(BoxOfRow(row)) ? 1 : 0;
  // The list follows the flags at once: Save writes it and Analyze runs it
  // whether or not a menu opens in between.
  BuildLoadCases(TheModel());
  TheModel().modified = true;
  EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, int id, int code) {
  DialogState& state = State();
  const int row = id - kFirstLoadCaseBox;
  if (row >= 0 && row < static_cast<int>(state.rows.size())) {
    if (code != BN_CLICKED) return;
    LoadCaseBoxes boxes = ReadBoxes(state);
    ApplyLoadCaseClick(boxes, state.rows[static_cast<std::size_t>(row)].id, state.solveThermalCase);
    ShowBoxes(state, boxes);
    ShowTitle(dialog, state);
    return;
  }
  switch (id) {
    case IDOK: OnOk(dialog); return;
    case IDCANCEL:
      PopTempFile(state.snapshot);
      EndDialog(dialog, 0);
      return;
    case kLoadCasesAllButton:
    case kLoadCasesNoneButton:
      SetAll(state, id == kLoadCasesAllButton);
      ShowTitle(dialog, state);
      return;
    default: return;
  }
}

}  // namespace

std::vector<LoadCaseRow> LoadCaseDialogRows(const LoadCaseInputs& in) {
  std::vector<LoadCaseRow> rows;
  if (in.pipingCode == 0) {
    AddRow(rows, kCaseIdStaticAnalysis, "Static");
    AddRow(rows, kCaseIdModal);
    return rows;
  }
  const int count = in.thermalLoadCount >= 4 ? 10 : in.thermalLoadCount;
  AddRow(rows, kCaseIdEmptyWeight);
  AddRow(rows, kCaseIdSustained);
  if (count >= 4)
    for (int k = 1; k <= 10; ++k) AddRow(rows, SustainedPressureCase(k));
  for (int k = 1; k <= count; ++k) AddRow(rows, SingleThermalCase(k));
  if (count == 2 || count == 3) AddRow(rows, 5, RangeLabel(1, 2));
  if (count == 3) {
    AddRow(rows, 6, RangeLabel(1, 3));
    AddRow(rows, 7, RangeLabel(2, 3));
  }
  if (count >= 4)
    for (int i = 1; i <= 9; ++i)
      for (int j = i + 1; j <= 10; ++j) AddRow(rows, ThermalRangeCase(i, j), RangeLabel(i, j));
  for (int k = 1; k <= count; ++k) AddRow(rows, OperatingCase(k));
  if (in.cutPipe) {
    AddRow(rows, kCaseIdColdSpringSustained);
    for (int k = 1; k <= count; ++k) AddRow(rows, ColdSpringCase(k));
  }
  if (in.settlement) AddRow(rows, kCaseIdSettlement);
  if (in.hydrotest) AddRow(rows, kCaseIdHydrotest);
  if (in.staticSeismic) AddRow(rows, kCaseIdStaticSeismic, "Static seismic (g's)");
  // The pipeline codes Z183 and Z184 carry wind in the sustained cases.
  if (in.pipingCode != 19 && in.pipingCode != 20) {
    const int winds[4] = {kCaseIdWind, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4};
    for (std::size_t k = 0; k < 4; ++k)
      if (in.wind[k]) AddRow(rows, winds[k]);
  }
  AddRow(rows, kCaseIdModal);
  if (in.responseSpectrum) AddRow(rows, kCaseIdResponseSpectrum);
  if (in.forceSpectrum) AddRow(rows, kCaseIdForceSpectrum);
  if (in.timeHistory) AddRow(rows, kCaseIdTimeHistory);
  if (in.harmonic) AddRow(rows, kCaseIdHarmonic);
  return rows;
}

std::string LoadCaseDialogTemplate(int rows) {
  int size = 3;
  if (rows >= kExtendedRows)
    size = kExtendedBoxes;
  else if (rows >= 4 && rows <= 6)
    size = rows;
  else if (rows >= 7)
    size = rows % 2 == 0 ? rows : rows + 1;
  return "LOAD_CASES" + std::to_string(size) + "_DIALOG";
}

int LoadCaseDialogWidth(int rows) {
  if (rows < 23) return 0;
  if (rows < 45) return 200;
  if (rows < 67) return 300;
  if (rows < 89) return 400;
  return 500;
}

void ApplyLoadCaseClick(LoadCaseBoxes& boxes, int id, bool solve) {
  const bool on = IsOn(boxes, id);
  if (id == kCaseIdSustained && !on) {
    for (int dependent : {kCaseIdStaticSeismic, kCaseIdWind, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4,
                          kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory, kCaseIdHarmonic})
      Put(boxes, dependent, false);
    if (!solve)
      for (int other = 1; other < kLoadCaseTypeCount; ++other)
        if (IsExpansionOrRangeCase(other)) Put(boxes, other, false);
  }
  if (const int k = ThermalIndexOfSingle(id); k != 0) {
    if (on)
      SingleChecked(boxes, k, solve);
    else
      SingleUnchecked(boxes, k);
  }
  if (int i = 0, j = 0; on && ThermalRangeOf(id, i, j)) {
    for (int k : {i, j}) {
      Put(boxes, SingleThermalCase(k), true);
      SingleChecked(boxes, k, solve);
    }
  }
  if (const int k = ThermalIndexOfOperating(id); k != 0 && !on && !solve) {
    Put(boxes, SingleThermalCase(k), false);
    SingleUnchecked(boxes, k);
  }
  if (on && (id == kCaseIdStaticSeismic || id == kCaseIdWind || (id >= kCaseIdWind2 && id <= kCaseIdWind4)))
    Put(boxes, kCaseIdSustained, true);
  if (id == kCaseIdModal && !on)
    for (int dependent : {kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory, kCaseIdHarmonic})
      Put(boxes, dependent, false);
  if (on && (id == kCaseIdResponseSpectrum || id == kCaseIdForceSpectrum || id == kCaseIdTimeHistory ||
             id == kCaseIdHarmonic)) {
    Put(boxes, kCaseIdModal, true);
    Put(boxes, kCaseIdSustained, true);
  }
}

INT_PTR LoadCasesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Fill(dialog); return TRUE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
  }
}

int LoadCaseNames(HWND parent, SnapshotToken snapshot) {
  Model& model = TheModel();
  BuildLoadCases(model);
  DialogState& state = State();
  const LoadCaseInputs inputs = LoadCaseInputsOf(model);
  state.rows = LoadCaseDialogRows(inputs);
  state.solveThermalCase = inputs.solveThermalCase;
  state.snapshot = snapshot;
  const std::string name = LoadCaseDialogTemplate(static_cast<int>(state.rows.size()));
  return DialogBoxParam(InstanceHandle, name.c_str(), parent, LoadCasesDialogProc, 0) == 1 ? 1 : 0;
}
