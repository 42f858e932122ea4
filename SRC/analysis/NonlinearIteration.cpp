// The nonlinear support iteration; see NonlinearIteration.h.
#include "analysis/NonlinearIteration.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/SoilSprings.h"
#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "kindbase/NonlinearSupports.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

bool g_NonlinearAutoAccept = false;
HWND g_NonlinearDialogOwner = nullptr;

namespace {

constexpr std::int32_t kDefaultInterval = 500;
constexpr const char* kNotConverged = "Non linearities not converged";

std::vector<UnconvergedCase> g_Unconverged;
std::vector<IteratingRow> g_IteratingRows;

RunPreparedSupport* PreparedOf(const LayoutRow& row) {
  return row.item ? dynamic_cast<RunPreparedSupport*>(row.item.get()) : nullptr;
}

// The row's element when it iterates as the supports do (the tie rod).
RunPreparedSupport* PreparedElementOf(const LayoutRow& row) {
  return row.element ? dynamic_cast<RunPreparedSupport*>(row.element.get()) : nullptr;
}

std::string NodeTextOf(const Model& model, int node) {
  if (node < 1 || node > model.nodes.count) return "?";
  return NodeNumberText(model.nodes[node].id);
}

// --- the checkpoint dialog -----------------------------------------------------

constexpr int kIconControl = 1901;
constexpr int kIterationText = 1501, kChangesText = 1502, kRatioText = 1503, kKindText = 1504;
constexpr int kExitButton = 1001;

const Model* g_DialogModel = nullptr;

INT_PTR NonlinearDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: {
      SendDlgItemMessage(dialog, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon), 0);
      const NonlinearIterationState& state = g_NonlinearIteration;
      const MisconvergenceRecord& record = g_AnalysisFlags.misconvergence;
      SetDlgItemText(dialog, kIterationText, CFormat("Iteration %d", state.iteration).c_str());
      SetDlgItemText(dialog, kChangesText, CFormat("%d Nonlinearities not converged", state.changes).c_str());
      SetDlgItemText(dialog, kRatioText, ("Maximum misconvergence " + MisconvergencePercentText(record.ratio)).c_str());
      const std::string node = g_DialogModel != nullptr ? NodeTextOf(*g_DialogModel, record.node) : "?";
      SetDlgItemText(dialog, kKindText,
                     ("For the " + MisconvergenceKindName(record.elementKind, record.dataKind) + " at Node " + node).c_str());
      CenterWindowOnWindow(dialog, GetParent(dialog));
      RECT button{};
      if (GetWindowRect(GetDlgItem(dialog, IDCANCEL), &button))
        SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL: EndDialog(dialog, static_cast<INT_PTR>(CheckpointAnswer::Continue)); return TRUE;
        case IDOK: EndDialog(dialog, static_cast<INT_PTR>(CheckpointAnswer::Accept)); return TRUE;
        case kExitButton: EndDialog(dialog, static_cast<INT_PTR>(CheckpointAnswer::Exit)); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: EndDialog(dialog, static_cast<INT_PTR>(CheckpointAnswer::Continue)); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::int32_t NonlinearCheckpointInterval(const char* text) {
  if (text == nullptr) return kDefaultInterval;
  // Only a plain whole number of at least 1 counts: 0 would accept before
  // the first solve and a negative number would never stop.
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  while (end != nullptr && (*end == ' ' || *end == '\t')) ++end;
  if (end == text || end == nullptr || *end != '\0' || value < 1 || value > 100000000) return kDefaultInterval;
  return static_cast<std::int32_t>(value);
}

std::string MisconvergenceKindName(int elementKind, int dataKind) {
  switch (elementKind) {
    case 11: return "Slip joint";
    case 12: return "Hinge joint";
    case 13: return "Ball joint";
    case 19: return "Tie rod";
    case 0: break;
    default: std::fprintf(stderr, "misconv_type = %d\n", elementKind); return {};
  }
  switch (dataKind) {
    case 4: return "Hanger";
    case 5: return "Guide";
    case 6: return "Limit stop";
    case 101: return "Buried restraint";
    case 0: std::fprintf(stderr, "misconv_type = %d, misconv_dtype = %d\n", elementKind, dataKind); return {};
    default: std::fprintf(stderr, "misconv_dtype = %d\n", dataKind); return {};
  }
}

std::string MisconvergencePercentText(float ratio) {
  if (ratio > 1.0f) return "> 100 %";
  return CFormat("= %.f %%", static_cast<double>(ratio) * 100.0);
}

std::string MisconvergenceText(const Model& model, const MisconvergenceRecord& record) {
  return "Maximum misconvergence " + MisconvergencePercentText(record.ratio) + " for the " +
         MisconvergenceKindName(record.elementKind, record.dataKind) + " at node " + NodeTextOf(model, record.node);
}

void PrepareSupportsForRun(Model& model) {
  g_IteratingRows.clear();
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    RunPreparedSupport* item = PreparedOf(layout);
    RunPreparedSupport* element = PreparedElementOf(layout);
    if (item != nullptr) item->PrepareForRun(row);
    if (element != nullptr) element->PrepareForRun(row);
    IteratingRow entry;
    entry.row = row;
    if (item != nullptr && item->Iterates()) {
      entry.item = layout.item.get();
      entry.itemState = item;
    }
    if (element != nullptr && element->Iterates()) entry.elementState = element;
    if (entry.itemState != nullptr || entry.elementState != nullptr) g_IteratingRows.push_back(entry);
  }
}

const std::vector<IteratingRow>& IteratingRows() { return g_IteratingRows; }
void ClearIteratingRows() { g_IteratingRows = {}; }

void ResetNonlinearStates(Model& /*model*/) {
  for (const IteratingRow& entry : g_IteratingRows) {
    if (entry.itemState != nullptr) entry.itemState->ResetIteration();
    if (entry.elementState != nullptr) entry.elementState->ResetIteration();
  }
  ResetSoilSprings();
}

void UpdateNonlinearStates(Model& model) {
  for (const IteratingRow& entry : g_IteratingRows) {
    if (entry.itemState != nullptr) entry.itemState->UpdateIteration(entry.row);
    if (entry.elementState != nullptr) entry.elementState->UpdateIteration(entry.row);
  }
  UpdateSoilSprings(model);
}

CheckpointAnswer AskNonlinearCheckpoint(const Model& model) {
  g_DialogModel = &model;
  const INT_PTR answer = DialogBoxParam(InstanceHandle, "NONLINEAR_DIALOG", g_NonlinearDialogOwner, NonlinearDialogProc, 0);
  g_DialogModel = nullptr;
  if (answer == static_cast<INT_PTR>(CheckpointAnswer::Accept)) return CheckpointAnswer::Accept;
  if (answer == static_cast<INT_PTR>(CheckpointAnswer::Exit)) return CheckpointAnswer::Exit;
  return CheckpointAnswer::Continue;
}

void IterateNonlinearSupports(Model& model, const std::function<void()>& solve, AnalysisProgress& progress) {
  NonlinearIterationState& state = g_NonlinearIteration;
  state = NonlinearIterationState{};
  state.interval = NonlinearCheckpointInterval(std::getenv("QVITER"));
  state.checkpoint = state.interval;
  ResetNonlinearStates(model);
  MisconvergenceRecord lastLargest;
  for (;;) {
    state.tolerance = std::min(static_cast<double>(state.iteration / 100 + 1) * 0.01, 0.1);
    if (state.iteration == state.checkpoint) {
      const CheckpointAnswer answer = g_NonlinearAutoAccept ? CheckpointAnswer::Accept : AskNonlinearCheckpoint(model);
      if (answer == CheckpointAnswer::Exit) throw std::string(kNotConverged);
      if (answer == CheckpointAnswer::Accept) {
        g_Unconverged.push_back({CurrentCaseType(), state.iteration, lastLargest});
        progress.ClearArea(ProgressArea::Iteration);
        progress.ClearArea(ProgressArea::Misconvergence);
        state.iteration = 0;
        return;
      }
      state.checkpoint += state.interval;
    }
    ++state.iteration;
    solve();
    state.changes = 0;
    state.largest = MisconvergenceRecord{};
    UpdateNonlinearStates(model);
    lastLargest = state.largest;
    progress.ClearArea(ProgressArea::Misconvergence);
    const MisconvergenceRecord& record = g_AnalysisFlags.misconvergence;
    if (record.node != 0) progress.ShowText(ProgressArea::Misconvergence, MisconvergenceText(model, record));
    progress.ClearArea(ProgressArea::Iteration);
    if (state.changes == 0 && state.iteration > 1) {
      state.iteration = 0;
      progress.ClearArea(ProgressArea::Misconvergence);
      return;
    }
    progress.ShowText(ProgressArea::Iteration,
                      CFormat("Iteration %d: %d nonlinearities not converged", state.iteration, state.changes));
  }
}

const std::vector<UnconvergedCase>& UnconvergedCases() { return g_Unconverged; }
void ClearUnconvergedCases() { g_Unconverged.clear(); }

std::string UnconvergedWarning(const Model& model) {
  if (g_Unconverged.empty()) return {};
  std::string text = "The nonlinear supports did not converge; the results of these load cases were accepted "
                     "unconverged:";
  for (const UnconvergedCase& entry : g_Unconverged) {
    text += "\n" + std::string(LoadCaseTitle(entry.type)) + CFormat(": %d iterations", entry.iterations);
    if (entry.largest.node != 0) text += ", " + MisconvergenceText(model, entry.largest);
  }
  return text;
}
