// The static seismic dialog and report (see StaticSeismicDialog.h).
#include "loads/StaticSeismicDialog.h"

#include <array>
#include <cstdio>

#include "loads/LoadsReport.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "platform/Dialog.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "records/StaticSeismic.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

struct SeismicDialogState {
  DialogHelper helper;
  SnapshotToken snapshot = 0;
};

SeismicDialogState& State() {
  static SeismicDialogState state;
  return state;
}

Model& M() { return TheModel(); }

void Fill(HWND dialog) {
  DialogHelper& h = State().helper;
  h.DialogBind(dialog);
  const StaticSeismic& seismic = M().seismic;
  for (int axis = 0; axis < 3; ++axis) {
    const float g = seismic.g[static_cast<std::size_t>(axis)];
    if (g == 0.0f)
      h.DialogSetItemEmpty(kSeismicFirstField + axis);
    else
      h.DialogSetItemText(kSeismicFirstField + axis, FormatFixedWidth(g, 10, 3));
  }
  h.DialogCheckRadio(kSeismicSrssRadio, kSeismicAbsoluteRadio,
                     seismic.combination == kSeismicAbsoluteSum ? kSeismicAbsoluteRadio : kSeismicSrssRadio);
  if (M().options.PipingCode == 0) {
    h.DialogShowItem(kSeismicAlgebraicRadio);
    h.DialogCheckRadio(kSeismicAlgebraicRadio, kSeismicAbsoluteRadio, kSeismicAlgebraicRadio);
    for (int radio = kSeismicAlgebraicRadio; radio <= kSeismicAbsoluteRadio; ++radio) h.DialogDisableItem(radio);
  } else {
    h.DialogHideItem(kSeismicAlgebraicRadio);
  }
  if (TableResultsShown()) {
    for (int axis = 0; axis < 3; ++axis) h.DialogSetReadOnly(kSeismicFirstField + axis);
    for (int item : {kSeismicSrssRadio, kSeismicAbsoluteRadio, kSeismicResetButton}) h.DialogDisableItem(item);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kSeismicFirstField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

void OnOk(HWND dialog) {
  SeismicDialogState& state = State();
  DialogHelper& h = state.helper;
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  std::array<float, 3> g{};
  try {
    for (int axis = 0; axis < 3; ++axis) {
      h.DialogGetItemText(kSeismicFirstField + axis);
      if (ParseFieldReal(g[static_cast<std::size_t>(axis)]) != 0) ThrowInvalidField("Seismic load");
    }
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return;
  }
  const std::int32_t rule = h.DialogIsChecked(kSeismicAbsoluteRadio) ? kSeismicAbsoluteSum : kSeismicSrss;
  StaticSeismic& seismic = M().seismic;
  if (g == seismic.g && rule == seismic.combination) {
    PopTempFile(state.snapshot);
    EndDialog(dialog, 1);
    return;
  }
  seismic.g = g;
  seismic.combination = rule;
  if (!HasStaticSeismicLoad(seismic)) M().loadCases.selected[kCaseIdStaticSeismic] = 0;
  BuildLoadCases(M());
  M().modified = true;
  EndDialog(dialog, 1);
}

std::string AccelerationLine(const StaticSeismic& seismic) {
  char text[128];
  std::snprintf(text, sizeof text, "Static seismic load:  X = %.2f, Y = %.2f, Z = %.2f (g's)",
                static_cast<double>(seismic.g[0]), static_cast<double>(seismic.g[1]),
                static_cast<double>(seismic.g[2]));
  return text;
}

std::string Cell(const char* format, float value) {
  char text[48];
  std::snprintf(text, sizeof text, format, static_cast<double>(value));
  return text;
}

}  // namespace

INT_PTR StaticSeismicDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Fill(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL:
          PopTempFile(State().snapshot);
          EndDialog(dialog, 0);
          return TRUE;
        case kSeismicResetButton:
          for (int axis = 0; axis < 3; ++axis) State().helper.DialogSetItemEmpty(kSeismicFirstField + axis);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int StaticSeismicLoadDialog(HWND owner, SnapshotToken snapshot) {
  State().snapshot = snapshot;
  const INT_PTR result = DialogBoxParam(InstanceHandle, "SEISMIC_DIALOG", owner, StaticSeismicDialogProc, 0);
  return result == 1 ? 1 : 0;
}

std::string SeismicCombinationText(int combination, int pipingCode) {
  if (pipingCode == 0) return "Algebraic sum";
  switch (combination) {
    case kSeismicAbsoluteSum: return "Absolute sum";
    case kSeismicSrss: return "Square Root of Sum of Squares";
    default: return "Algebraic sum";
  }
}

void PrintStaticSeismic() {
  const StaticSeismic& seismic = M().seismic;
  if (!HasStaticSeismicLoad(seismic)) return;
  const std::string rule = SeismicCombinationText(seismic.combination, M().options.PipingCode);
  if (!g_ReportFileOpen) {
    PrinterHalfLine();
    PrinterNewLine();
    PrinterTextLeft(AccelerationLine(seismic));
    PrinterNewLine();
    PrinterTextLeft("Seismic load combination = " + rule);
    PrinterHalfLine();
    return;
  }
  if (g_ReportToFile) {
    ReportCsvLine({"Static seismic load"});
    ReportCsvLine({Cell("X = %.2f", seismic.g[0]), Cell("Y = %.2f", seismic.g[1]), Cell("Z = %.2f (g's)", seismic.g[2])});
    ReportCsvLine({"Acceleration load combination = ", rule});
    return;
  }
  ReportNewLine();
  ReportPutText(AccelerationLine(seismic), 6);
  ReportNewLine();
  ReportPutText("Acceleration load combination =", 6);
  ReportPutText(rule, 38);
  ReportNewLine();
}
