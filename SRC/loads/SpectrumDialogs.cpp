// The two spectrum dialogs (see SpectraTable.h): the options of one
// spectrum, SPECTRUM_OPTIONS_DIALOG (abscissa kind, the two interpolations
// and the ordinate unit), and the spectrum load, SPECTRUM_DIALOG (the
// spectrum and factor of each direction, the mode and direction sums).
#include "loads/SpectraTable.h"

#include <array>
#include <cstdio>

#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

Model& M() { return TheModel(); }

// --- SPECTRUM_OPTIONS_DIALOG ----------------------------------------------------------
constexpr int kFrequencyRadio = 1401, kPeriodRadio = 1402;
constexpr int kLinear1Radio = 1403, kLog1Radio = 1404;
constexpr int kFirstUnitRadio = 1405;  // inch, mm, in/sec2, mm/sec2, g's: 1405 .. 1409
constexpr int kLinear2Radio = 1410, kLog2Radio = 1411;

struct OptionsState {
  DialogHelper helper;
  std::size_t entry = 0;
};

OptionsState& Options() {
  static OptionsState state;
  return state;
}

void OptionsFill(HWND dialog) {
  DialogHelper& h = Options().helper;
  h.DialogBind(dialog);
  const ResponseSpectrum& spectrum = M().spectra[Options().entry];
  h.DialogCheckRadio(kFrequencyRadio, kPeriodRadio, spectrum.periodAbscissa != 0 ? kPeriodRadio : kFrequencyRadio);
  h.DialogCheckRadio(kLinear1Radio, kLog1Radio, spectrum.logInterpolation1 != 0 ? kLog1Radio : kLinear1Radio);
  h.DialogCheckRadio(kFirstUnitRadio, kFirstUnitRadio + 4, kFirstUnitRadio + spectrum.ordinateUnit);
  h.DialogCheckRadio(kLinear2Radio, kLog2Radio, spectrum.logInterpolation2 != 0 ? kLog2Radio : kLinear2Radio);
  if (TableResultsShown())
    for (int item = kFrequencyRadio; item <= kLog2Radio; ++item) h.DialogDisableItem(item);
  CenterWindowOnParent(dialog, IDOK);
}

void OptionsOk(HWND dialog) {
  DialogHelper& h = Options().helper;
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  ResponseSpectrum& spectrum = M().spectra[Options().entry];
  const std::int32_t unit = h.DialogCheckedRadio(kFirstUnitRadio, kFirstUnitRadio + 4);
  if (!spectrum.points.empty() && IsAccelerationUnit(unit) != IsAccelerationUnit(spectrum.ordinateUnit)) {
    ShowErrorMessage(dialog, "cannot change Ordinate between displacement and accelerations");
    return;
  }
  const std::uint8_t period = h.DialogIsChecked(kPeriodRadio) ? 1 : 0;
  const std::uint8_t log1 = h.DialogIsChecked(kLog1Radio) ? 1 : 0;
  const std::uint8_t log2 = h.DialogIsChecked(kLog2Radio) ? 1 : 0;
  if (period != spectrum.periodAbscissa || log1 != spectrum.logInterpolation1 ||
      log2 != spectrum.logInterpolation2 || unit != spectrum.ordinateUnit) {
    RunEdit(dialog, [&] {
      spectrum.periodAbscissa = period;
      spectrum.logInterpolation1 = log1;
      spectrum.logInterpolation2 = log2;
      spectrum.ordinateUnit = unit;
      return true;
    });
  }
  EndDialog(dialog, 1);
}

INT_PTR SpectrumOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: OptionsFill(dialog); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) OptionsOk(dialog);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

// --- SPECTRUM_DIALOG --------------------------------------------------------------------
constexpr int kFirstSpectrumCombo = 1201;  // X, Y, Z: 1201 .. 1203
constexpr int kFirstFactorField = 1301;    // X, Y, Z: 1301 .. 1303
constexpr int kModeSumCombo = 1204;
constexpr int kDirectionSumCombo = 1205;
constexpr int kResetButton = 1001;
// The sums in the order of their lists.
constexpr std::array<std::int32_t, 4> kModeSums{kSumSrss, kSumCloselySpaced, kSumAbsolute, kSumNrl};
constexpr std::array<const char*, 4> kModeSumNames{"SRSS", "Closely spaced", "Absolute", "NRL"};
constexpr std::array<std::int32_t, 2> kDirectionSums{kSumSrss, kSumAbsolute};
constexpr std::array<const char*, 2> kDirectionSumNames{"SRSS", "Absolute"};

struct LoadState {
  DialogHelper helper;
  SnapshotToken snapshot = 0;
};

LoadState& Load() {
  static LoadState state;
  return state;
}

template <std::size_t N>
int PositionOf(const std::array<std::int32_t, N>& codes, std::int32_t code) {
  for (std::size_t i = 0; i < N; ++i)
    if (codes[i] == code) return static_cast<int>(i);
  return 0;
}

void ResetDirections(DialogHelper& h) {
  for (int axis = 0; axis < 3; ++axis) {
    h.DialogComboSetSel(kFirstSpectrumCombo + axis, 0);
    h.DialogSetItemText(kFirstFactorField + axis, "1.000");
  }
}

// The combo position of a name: 0 for none, else among the named spectra.
int ComboPosition(const std::string& name) {
  int position = 0;
  for (const ResponseSpectrum& spectrum : M().spectra) {
    if (spectrum.name.empty()) continue;
    ++position;
    if (!name.empty() && spectrum.name == name) return position;
  }
  return 0;
}

void LoadFill(HWND dialog) {
  DialogHelper& h = Load().helper;
  h.DialogBind(dialog);
  const SpectrumLoad& load = M().spectrumLoad;
  for (int axis = 0; axis < 3; ++axis) {
    h.DialogComboReset(kFirstSpectrumCombo + axis);
    h.DialogComboAddString("");
    for (const ResponseSpectrum& spectrum : M().spectra)
      if (!spectrum.name.empty()) h.DialogComboAddString(spectrum.name);
    const std::string& name = load.name[static_cast<std::size_t>(axis)];
    h.DialogComboSetSel(kFirstSpectrumCombo + axis, ComboPosition(name));
    char factor[32];
    std::snprintf(factor, sizeof factor, "%.3f",
                  name.empty() ? 1.0 : static_cast<double>(load.factor[static_cast<std::size_t>(axis)]));
    h.DialogSetItemText(kFirstFactorField + axis, factor);
  }
  h.DialogComboReset(kModeSumCombo);
  for (const char* name : kModeSumNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kModeSumCombo, PositionOf(kModeSums, load.modeSum));
  h.DialogComboReset(kDirectionSumCombo);
  for (const char* name : kDirectionSumNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kDirectionSumCombo, PositionOf(kDirectionSums, load.directionSum));
  if (TableResultsShown()) {
    for (int item : {kFirstSpectrumCombo, kFirstSpectrumCombo + 1, kFirstSpectrumCombo + 2, kFirstFactorField,
                     kFirstFactorField + 1, kFirstFactorField + 2, kModeSumCombo, kDirectionSumCombo, kResetButton})
      h.DialogDisableItem(item);
    h.DialogFocusItem(IDOK);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// The chosen spectrum's name of a direction, empty for none.
std::string ChosenName(DialogHelper& h, int axis) {
  const int selected = h.DialogComboGetSel(kFirstSpectrumCombo + axis);
  int position = 0;
  for (const ResponseSpectrum& spectrum : M().spectra) {
    if (spectrum.name.empty()) continue;
    if (++position == selected) return spectrum.name;
  }
  return {};
}

void LoadOk(HWND dialog) {
  LoadState& state = Load();
  DialogHelper& h = state.helper;
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  SpectrumLoad read = M().spectrumLoad;
  try {
    for (int axis = 0; axis < 3; ++axis) {
      const auto a = static_cast<std::size_t>(axis);
      read.name[a] = ChosenName(h, axis);
      read.factor[a] = 1.0f;
      if (read.name[a].empty()) continue;
      h.DialogGetItemText(kFirstFactorField + axis);
      float factor = 0.0f;
      if (ParseFieldReal(factor) != 0 || factor < 0.0f) ThrowInvalidField("Factor");
      read.factor[a] = factor;
      // A direction without a factor carries no spectrum.
      if (factor == 0.0f) read.name[a].clear();
    }
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return;
  }
  read.modeSum = kModeSums[static_cast<std::size_t>(std::max(h.DialogComboGetSel(kModeSumCombo), 0))];
  read.directionSum = kDirectionSums[static_cast<std::size_t>(std::max(h.DialogComboGetSel(kDirectionSumCombo), 0))];
  const SpectrumLoad& stored = M().spectrumLoad;
  if (read.name == stored.name && read.factor == stored.factor && read.modeSum == stored.modeSum &&
      read.directionSum == stored.directionSum) {
    PopTempFile(state.snapshot);
    EndDialog(dialog, 1);
    return;
  }
  M().spectrumLoad = read;
  BuildLoadCases(M());
  M().modified = true;
  EndDialog(dialog, 1);
}

INT_PTR SpectrumLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: LoadFill(dialog); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: LoadOk(dialog); return TRUE;
        case IDCANCEL:
          PopTempFile(Load().snapshot);
          EndDialog(dialog, 0);
          return TRUE;
        case kResetButton: ResetDirections(Load().helper); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

int SpectrumOptionsDialog(HWND owner, std::size_t entry) {
  if (entry >= M().spectra.size()) return 0;
  Options().entry = entry;
  return DialogBoxParam(InstanceHandle, "SPECTRUM_OPTIONS_DIALOG", owner, SpectrumOptionsDialogProc, 0) == 1 ? 1
                                                                                                              : 0;
}

int SpectrumLoadDialog(HWND owner, SnapshotToken snapshot) {
  // The load names spectra: without any the user is sent to their list to
  // give one, not shown a load with nothing to choose.
  if (!HasSpectra(M().spectra)) {
    PopTempFile(snapshot);
    ShowWarningMessage(owner, "No spectrums are input yet.");
    ShowListByOpener(OpenSpectraTable);
    return 0;
  }
  Load().snapshot = snapshot;
  return DialogBoxParam(InstanceHandle, "SPECTRUM_DIALOG", owner, SpectrumLoadDialogProc, 0) == 1 ? 1 : 0;
}
