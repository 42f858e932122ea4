// The force spectrum tools; see ForceSpectrumTools.h. The dialogs read and
// check their fields into a Request; Make puts the spectrum (and the
// relief pulse's time function) into the model through the progress
// dialog.
#include "loads/ForceSpectrumTools.h"

#include <string>
#include <vector>

#include "loads/ForceSpectrumConversion.h"
#include "loads/ListEdits.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kProgressBar = 1093;
constexpr UINT kStartConversion = WM_USER + 1;
constexpr float kHighestDamping = 99.0f;

// The settings last accepted, offered again.
struct Remembered {
  float maximumFrequency = 0.0f;
  std::int32_t frequencies = 0;
  float damping = 0.0f;
};
Remembered& Last() {
  static Remembered last;
  return last;
}

struct Request {
  std::string spectrumName;
  std::vector<FloatPair> load;  // the time function converted
  Remembered settings;
};

// --- the progress dialog ------------------------------------------------------------

struct ProgressJob {
  const Request* request = nullptr;
  std::vector<FloatPair> spectrum;
  bool cancelled = false;
};

void Pump(HWND dialog) {
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (IsDialogMessage(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
}

void RunConversion(HWND dialog, ProgressJob& job) {
  const Request& request = *job.request;
  HWND bar = GetDlgItem(dialog, kProgressBar);
  const Remembered& s = request.settings;
  std::vector<FloatPair> spectrum{{kExplicitZero, kExplicitZero}};
  for (int k = 1; k <= s.frequencies && !job.cancelled; ++k) {
    const double frequency = static_cast<double>(s.maximumFrequency) / s.frequencies * k;
    const std::vector<FloatPair> one = ConvertTimeFunction(request.load, frequency, 1, s.damping);
    spectrum.push_back(one.back());
    SendMessage(bar, PBM_SETPOS, static_cast<WPARAM>(k), 0);
    Pump(dialog);
  }
  if (!job.cancelled) job.spectrum = std::move(spectrum);
  EndDialog(dialog, job.cancelled ? 0 : 1);
}

INT_PTR ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      const auto& job = *reinterpret_cast<ProgressJob*>(lParam);
      SendDlgItemMessage(dialog, kProgressBar, PBM_SETRANGE32, 0, job.request->settings.frequencies);
      CenterWindowOnParent(dialog, IDCANCEL);
      // The conversion starts once the dialog is on the screen.
      PostMessage(dialog, kStartConversion, 0, 0);
      return TRUE;
    }
    case kStartConversion: RunConversion(dialog, *reinterpret_cast<ProgressJob*>(GetWindowLongPtr(dialog, DWLP_USER))); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL)
        reinterpret_cast<ProgressJob*>(GetWindowLongPtr(dialog, DWLP_USER))->cancelled = true;
      return TRUE;
    default: return FALSE;
  }
}

// Converts under the progress dialog and puts the spectrum (and, for the
// relief valve, the pulse) into the model; false when cancelled.
bool Make(HWND owner, const Request& request, std::size_t row, bool keepPulse) {
  ProgressJob job;
  job.request = &request;
  if (DialogBoxParam(InstanceHandle, "CONVERT_PROGRESS", owner, ProgressProc, reinterpret_cast<LPARAM>(&job)) != 1)
    return false;
  Model& model = TheModel();
  RunEdit(owner, [&] {
    if (keepPulse) {
      TimeFunctionList& functions = model.timeFunctions;
      const std::size_t at = PlacePointTable(functions, request.spectrumName, functions.size() - 1);
      functions[at].name = request.spectrumName;
      functions[at].points = SortedPoints(request.load);
      EnsureTrailingBlank(functions);
    }
    const std::size_t at = PlacePointTable(model.forceSpectra, request.spectrumName, row);
    model.forceSpectra[at].name = request.spectrumName;
    model.forceSpectra[at].points = SortedPoints(job.spectrum);
    EnsureTrailingBlank(model.forceSpectra);
    return true;
  });
  return true;
}

// The fields both dialogs read the same way.
std::string ReadSpectrumName(DialogHelper& h, int item) {
  h.DialogReadFieldTrimmed(item);
  if (g_EditFieldText.empty()) ThrowRequiredField("Force spectrum name");
  return g_EditFieldText.substr(0, kPointTableNameLength);
}

float ReadPositive(DialogHelper& h, int item, const char* label) {
  h.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  float value = 0.0f;
  if (ParseFieldReal(value) != 0 || !(value > 0.0f)) ThrowInvalidField(label);
  return value;
}

Remembered ReadSettings(DialogHelper& h, int frequencyItem) {
  Remembered s;
  s.maximumFrequency = ReadPositive(h, frequencyItem, "Maximum frequency");
  h.DialogGetItemText(frequencyItem + 1);
  if (g_EditFieldText.empty()) ThrowRequiredField("Number of frequencies");
  if (ParseFieldInteger(s.frequencies) != 0 || s.frequencies <= 0) ThrowInvalidField("Number of frequencies");
  h.DialogGetItemText(frequencyItem + 2);
  if (ParseReal(g_EditFieldText, s.damping) != 0 || s.damping < 0.0f || s.damping > kHighestDamping)
    ThrowInvalidField("Damping");
  return s;
}

void ShowSettings(DialogHelper& h, int frequencyItem) {
  const Remembered& last = Last();
  if (last.maximumFrequency != 0.0f) h.DialogSetItemText(frequencyItem, FormatG6(last.maximumFrequency));
  if (last.frequencies != 0) h.DialogSetItemText(frequencyItem + 1, IntegerToText(last.frequencies));
  if (last.damping != 0.0f) h.DialogSetItemText(frequencyItem + 2, FormatG6(last.damping));
}

// The overwrite question of a name that exists: true to go on.
bool MayOverwrite(HWND dialog, const NamedPointsList& list, const std::string& name, const char* what) {
  if (FindPointTable(list, name) < 0) return true;
  return MessageBoxDialog(dialog,
                          std::string("The ") + what + " :  \"" + name + "\"  is already defined.\nDo you want to overwrite the " +
                              what + " ?",
                          IDNO);
}

// --- CONVERT_TIME_FUNCTION ------------------------------------------------------------
constexpr int kFunctionCombo = 1201, kNameField = 1301, kFrequencyField = 1302;

struct ConvertState {
  DialogHelper helper;
  Request request;
};

ConvertState& Convert() {
  static ConvertState state;
  return state;
}

// The chosen function's name offered as the spectrum's, unless a spectrum has it.
void FunctionChosen(DialogHelper& h) {
  const Model& model = TheModel();
  const int chosen = h.DialogComboGetSel(kFunctionCombo);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= SavedPointTableCount(model.timeFunctions)) return;
  const std::string& name = model.timeFunctions[static_cast<std::size_t>(chosen)].name;
  if (FindForceSpectrum(model.forceSpectra, name) < 0) h.DialogSetItemText(kNameField, name);
}

void ConvertFill(HWND dialog) {
  DialogHelper& h = Convert().helper;
  h.DialogBind(dialog);
  const Model& model = TheModel();
  h.DialogComboReset(kFunctionCombo);
  for (std::size_t index = 0; index < SavedPointTableCount(model.timeFunctions); ++index)
    h.DialogComboAddString(model.timeFunctions[index].name);
  h.DialogComboSetSel(kFunctionCombo, 0);
  h.DialogLimitItemText(kNameField, static_cast<int>(kPointTableNameLength));
  FunctionChosen(h);
  ShowSettings(h, kFrequencyField);
  CenterWindowOnParent(dialog, IDOK);
}

void ConvertOk(HWND dialog) {
  ConvertState& state = Convert();
  DialogHelper& h = state.helper;
  const Model& model = TheModel();
  try {
    const int chosen = h.DialogComboGetSel(kFunctionCombo);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= SavedPointTableCount(model.timeFunctions) ||
        model.timeFunctions[static_cast<std::size_t>(chosen)].points.empty())
      h.DialogThrowItemError(kFunctionCombo, "The time function does not have any values");
    state.request.load = model.timeFunctions[static_cast<std::size_t>(chosen)].points;
    state.request.spectrumName = ReadSpectrumName(h, kNameField);
    if (!MayOverwrite(dialog, model.forceSpectra, state.request.spectrumName, "force spectrum")) return;
    state.request.settings = ReadSettings(h, kFrequencyField);
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return;
  }
  Last() = state.request.settings;
  EndDialog(dialog, 1);
}

INT_PTR ConvertProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: ConvertFill(dialog); return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: ConvertOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kFunctionCombo:
          if (HIWORD(wParam) == CBN_SELENDOK || HIWORD(wParam) == CBN_CLOSEUP) FunctionChosen(Convert().helper);
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

// --- RELIEF_VALVE_LOADING -------------------------------------------------------------
constexpr int kForceField = 1301, kOpeningField = 1302, kClosingField = 1303, kDurationField = 1304;
constexpr int kReliefNameField = 1305, kReliefFrequencyField = 1306;

struct ReliefState {
  DialogHelper helper;
  Request request;
};

ReliefState& Relief() {
  static ReliefState state;
  return state;
}

void ReliefFill(HWND dialog) {
  DialogHelper& h = Relief().helper;
  h.DialogBind(dialog);
  h.DialogLimitItemText(kReliefNameField, static_cast<int>(kPointTableNameLength));
  ShowSettings(h, kReliefFrequencyField);
  h.DialogSelectAndFocus(kForceField);
  CenterWindowOnParent(dialog, IDOK);
}

void ReliefOk(HWND dialog) {
  ReliefState& state = Relief();
  DialogHelper& h = state.helper;
  const Model& model = TheModel();
  try {
    const float force = ReadPositive(h, kForceField, "Reaction force value");
    const float opening = ReadPositive(h, kOpeningField, "Relief valve opening time");
    const float closing = ReadPositive(h, kClosingField, "Relief valve closing time");
    const float duration = ReadPositive(h, kDurationField, "Relief duration");
    state.request.spectrumName = ReadSpectrumName(h, kReliefNameField);
    if (!MayOverwrite(dialog, model.forceSpectra, state.request.spectrumName, "force spectrum")) return;
    // The pulse is kept as a time function of the same name: one the loads
    // may use is not replaced unasked.
    if (!MayOverwrite(dialog, model.timeFunctions, state.request.spectrumName, "time function")) return;
    state.request.settings = ReadSettings(h, kReliefFrequencyField);
    state.request.load = ReliefValvePulse(force, opening, duration, closing);
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return;
  }
  Last() = state.request.settings;
  EndDialog(dialog, 1);
}

INT_PTR ReliefProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: ReliefFill(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: ReliefOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

bool ConvertTimeFunctionDialog(HWND owner, std::size_t row) {
  if (DialogBox(InstanceHandle, "CONVERT_TIME_FUNCTION", owner, ConvertProc) != 1) return false;
  return Make(owner, Convert().request, row, false);
}

bool ReliefValveLoadingDialog(HWND owner) {
  if (DialogBox(InstanceHandle, "RELIEF_VALVE_LOADING", owner, ReliefProc) != 1) return false;
  Model& model = TheModel();
  EnsureTrailingBlank(model.forceSpectra);
  return Make(owner, Relief().request, model.forceSpectra.size() - 1, true);
}
