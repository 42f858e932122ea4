// The units dialog and the Units command (see UnitsDialog.h). Start reading
// at ChooseUnits.
#include "editing/UnitsDialog.h"

#include <algorithm>
#include <cstring>

#include "editing/LayoutTable.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "resultsfile/ResultNavigation.h"
#include "services/DialogHelper.h"
#include "services/ListFrameState.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

// Units offered per kind, kinds 1 to 20: the Additional weight list stops at
// "(kg/m)", and no list offers a unit past its kind's own.
constexpr int kOffered[kUnitKindCount + 1] = {0, 5, 2, 2, 2, 3, 4, 2, 2, 4, 2, 2, 2, 6, 5, 5, 4, 8, 2, 2, 3};

// The unit each system button chooses, kinds 1 to 20; -1 leaves the kind.
constexpr int kSiUnits[kUnitKindCount + 1] = {0, 4, 1, 1, -1, 1, 2, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 2};
constexpr int kMetricUnits[kUnitKindCount + 1] = {0, 4, 1, 1, -1, 2, 3, 1, 1, 2, 1, 1, 1, 5, 3, 3, 2, 4, 1, 1, 2};

struct UnitsDialogState {
  UnitsSettings before;
  bool changed = false;
  HWND owner = nullptr;
};

int ComboOf(int kind) { return kUnitsFirstCombo + kind - 1; }

void FillCombos(DialogHelper& helper) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    const int current = ChosenUnit(kind);
    const int count = std::max(UnitsOffered(kind), current + 1);
    helper.DialogComboReset(ComboOf(kind));
    for (int index = 0; index < count; ++index) helper.DialogComboAddString(UnitLabelAt(kind, index));
    helper.DialogCurrentComboSetSel(current);
  }
}

void ChooseSystem(DialogHelper& helper, int button) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    const int unit = UnitOfSystem(button, kind);
    if (unit >= 0) helper.DialogComboSetSel(ComboOf(kind), unit);
  }
}

// Every window that shows values in units shows them again. The Layout
// table takes the keyboard only in its own frame: opened from the Results
// or the List window, the dialog gives the keyboard back to that window.
void RedrawValues(HWND owner) {
  HWND layout = ProgramCommands().layoutTableWindow();
  if (layout != nullptr && IsWindowVisible(layout))
    ReloadLayoutTable(owner != nullptr && GetAncestor(layout, GA_ROOT) == GetAncestor(owner, GA_ROOT));
  RefreshListWindow();
  // The result table shown (support loads, the hanger report, ...) is laid
  // out again under its new labels and painted whole, whichever window the
  // dialog was opened from; the keyboard stays where the user left it.
  if (ResultTableWindow* shown = ShownResultTable()) {
    TableShow(*shown);
    InvalidateRect(shown->Window(), nullptr, FALSE);
  }
  if (HWND graphics = GraphicsWindowHandle()) InvalidateRect(graphics, nullptr, FALSE);
}

void StoreChoice(DialogHelper& helper, UnitsDialogState& state) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    const int selected = helper.DialogComboGetSel(ComboOf(kind));
    if (selected >= 0 && selected < UnitCount(kind)) g_UnitsSettings.unit[kind] = selected;
  }
  state.changed = std::memcmp(&state.before, &g_UnitsSettings, sizeof state.before) != 0;
  if (!state.changed) return;
  Model& model = TheModel();
  model.unitChoices = ProgramUnitChoices();
  if (!TableResultsShown()) model.modified = true;
  RedrawValues(state.owner);
}

DialogHelper& Helper() {
  static DialogHelper helper;
  return helper;
}

UnitsDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<UnitsDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

// A cell being typed holds text in the units it was typed in: it is stored
// before those units change. False when the table refused it.
bool CommitTypedCells() {
  LayoutTable& layout = TheLayoutTable();
  if (layout.windowRecord != nullptr && TableCommitEdit(layout)) return false;
  for (int which : {0, 1}) {
    HWND window = ListTableWindow(which);
    TableWindow* table = window != nullptr && IsWindowVisible(window) ? TableOfWindow(window) : nullptr;
    if (table != nullptr && TableCommitEdit(*table)) return false;
  }
  return true;
}

}  // namespace

int UnitsOffered(int kind) {
  if (kind < 1 || kind > kUnitKindCount) return 0;
  return std::min(kOffered[kind], UnitCount(kind));
}

int UnitOfSystem(int button, int kind) {
  if (kind < 1 || kind > kUnitKindCount) return -1;
  switch (button) {
    case kAllEnglishButton: return 0;
    case kAllSiButton: return kSiUnits[kind];
    case kAllMetricButton: return kMetricUnits[kind];
    default: return -1;
  }
}

INT_PTR UnitsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogHelper& helper = Helper();
  switch (message) {
    case WM_INITDIALOG: {
      helper.DialogBind(dialog);
      auto* state = reinterpret_cast<UnitsDialogState*>(lParam);
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      if (state != nullptr) state->before = g_UnitsSettings;
      FillCombos(helper);
      CenterWindowOnParent(dialog, IDOK);
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      helper.DialogBind(dialog);
      switch (LOWORD(wParam)) {
        case kAllEnglishButton:
        case kAllSiButton:
        case kAllMetricButton: ChooseSystem(helper, LOWORD(wParam)); return TRUE;
        case IDOK:
          if (UnitsDialogState* state = StateOf(dialog)) StoreChoice(helper, *state);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

bool ChooseUnits(HWND owner) {
  if (!CommitTypedCells()) return false;
  // While results are shown the model is not edited: nothing to undo.
  const SnapshotToken token = TableResultsShown() ? 0 : TakeUndoSnapshot(owner);
  UnitsDialogState state;
  state.owner = owner;
  DialogBoxParam(InstanceHandle, "UNITS_DIALOG", owner, UnitsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (!state.changed) PopTempFile(token);
  SettleEdit(owner, token);
  return state.changed;
}
