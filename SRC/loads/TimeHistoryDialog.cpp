// The time history options dialog and report lines; see
// TimeHistoryDialog.h.
#include "loads/TimeHistoryDialog.h"

#include <string>

#include "loads/LoadsReport.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/ModelLoadCases.h"
#include "platform/Dialog.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kTimeStepField = 1301, kStepCountField = 1302, kIntervalField = 1303, kDampingField = 1304;
constexpr int kSaveCheck = 1101;
constexpr float kHighestDamping = 99.0f;

struct DialogState {
  DialogHelper helper;
  SnapshotToken snapshot = 0;
};

DialogState& State() {
  static DialogState state;
  return state;
}

void Fill(HWND dialog) {
  DialogHelper& h = State().helper;
  h.DialogBind(dialog);
  const TimeHistorySettings& options = TheModel().timeHistory;
  if (options.timeStep != 0.0f) h.DialogSetItemText(kTimeStepField, CFormat("%.5g", static_cast<double>(options.timeStep)));
  if (options.stepCount != 0) h.DialogSetItemText(kStepCountField, IntegerToText(options.stepCount));
  if (options.outputInterval != 0) h.DialogSetItemText(kIntervalField, IntegerToText(options.outputInterval));
  h.DialogLimitItemText(kStepCountField, 4);
  h.DialogLimitItemText(kIntervalField, 3);
  h.DialogSetCheck(kSaveCheck, options.writeResults != 0);
  if (options.damping != 0.0f || options.timeStep != 0.0f)
    h.DialogSetItemText(kDampingField, CFormat("%.3g", static_cast<double>(options.damping)));
  if (TableResultsShown()) {
    for (int item : {kTimeStepField, kStepCountField, kIntervalField, kDampingField}) h.DialogSetReadOnly(item);
    h.DialogDisableItem(kSaveCheck);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kTimeStepField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

TimeHistorySettings ReadOptions(DialogHelper& h) {
  TimeHistorySettings read;
  h.DialogGetItemText(kTimeStepField);
  if (ParseFieldReal(read.timeStep) != 0 || read.timeStep < 0.0f) ThrowInvalidField("Time step");
  h.DialogGetItemText(kStepCountField);
  if (ParseFieldInteger(read.stepCount) != 0 || read.stepCount < 0) ThrowInvalidField("Number of time steps");
  h.DialogGetItemText(kIntervalField);
  if (g_EditFieldText.empty()) {
    read.outputInterval = 1;
  } else if (ParseFieldInteger(read.outputInterval) != 0 || read.outputInterval < 1) {
    ThrowInvalidField("Output interval");
  }
  read.writeResults = h.DialogIsChecked(kSaveCheck) ? 1 : 0;
  h.DialogGetItemText(kDampingField);
  if (ParseReal(g_EditFieldText, read.damping) != 0 || read.damping < 0.0f || read.damping > kHighestDamping)
    ThrowInvalidField("Damping");
  return read;
}

bool Same(const TimeHistorySettings& a, const TimeHistorySettings& b) {
  return a.timeStep == b.timeStep && a.stepCount == b.stepCount && a.outputInterval == b.outputInterval &&
         a.writeResults == b.writeResults && a.damping == b.damping;
}

void OnOk(HWND dialog) {
  DialogState& state = State();
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  TimeHistorySettings read;
  try {
    read = ReadOptions(state.helper);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  Model& model = TheModel();
  if (Same(read, model.timeHistory)) {
    PopTempFile(state.snapshot);
  } else {
    model.timeHistory = read;
    // The time history case is offered only with a time step and steps.
    BuildLoadCases(model);
    model.modified = true;
  }
  EndDialog(dialog, 1);
}

INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Fill(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL:
          PopTempFile(State().snapshot);
          EndDialog(dialog, 0);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

int TimeHistoryOptionsDialog(HWND owner, SnapshotToken snapshot) {
  State().snapshot = snapshot;
  return DialogBoxParam(InstanceHandle, "TIME_HISTORY_DIALOG", owner, DialogProc, 0) == 1 ? 1 : 0;
}

void PrintTimeHistoryOptions() {
  const Model& model = TheModel();
  if (!HasTimeHistoryLoads(model)) return;
  const TimeHistorySettings& options = model.timeHistory;
  const std::string lines[4] = {CFormat("Time step = %.6g (Sec)", static_cast<double>(options.timeStep)),
                                CFormat("Number of time steps = %d", options.stepCount),
                                CFormat("Output interval = %d", options.outputInterval),
                                CFormat("Damping = %.3g (%%)", static_cast<double>(options.damping))};
  if (!g_ReportFileOpen) {
    PrinterHalfLine();
    for (const std::string& line : lines) {
      PrinterNewLine();
      PrinterTextLeft(line);
    }
    PrinterHalfLine();
    return;
  }
  ReportNewLine();
  for (const std::string& line : lines) ReportTextOrCellLine(line, g_ReportToFile ? 1 : 6);
}
