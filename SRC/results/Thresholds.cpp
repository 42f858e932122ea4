// THRESHOLDS_DIALOG; see Thresholds.h.
#include "results/Thresholds.h"

#include "model/NodeDrawing.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kStressField = 1301, kRatioField = 1302, kStressUnit = 1601;

thread_local DialogHelper t_helper;

void Init(HWND dialog) {
  t_helper = DialogHelper{};
  t_helper.DialogBind(dialog);
  t_helper.DialogSetUnitLabel(kStressUnit, kUnitStress);
  if (g_StressLabelThreshold != 0.0f) t_helper.DialogSetItemText(kStressField, FormatStress(g_StressLabelThreshold));
  if (g_RatioLabelThreshold != 0.0f) t_helper.DialogSetItemText(kRatioField, FormatRatio(g_RatioLabelThreshold));
  CenterWindowOnParent(dialog, 0);
  t_helper.DialogSelectAndFocus(kStressField);
}

// Both fields are read and checked before either is stored.
bool StoreThresholds(HWND dialog) {
  try {
    float stress = 0.0f, ratio = 0.0f;
    t_helper.DialogGetItemText(kStressField);
    // The stress parser takes magnitudes; a threshold may carry a sign.
    const bool negative = !g_EditFieldText.empty() && g_EditFieldText[0] == '-';
    if (negative) g_EditFieldText.erase(0, 1);
    if (ParseFieldStress(stress) != 0) ThrowInvalidField("Stress threshold");
    if (negative) stress = -stress;
    t_helper.DialogGetItemText(kRatioField);
    if (ParseFieldReal(ratio) != 0 || ratio < 0.0f) ThrowInvalidField("Ratio threshold");
    g_StressLabelThreshold = stress;
    g_RatioLabelThreshold = ratio;
  } catch (const std::string& message) {
    t_helper.DialogFocusInvalid(message);
    return false;
  }
  // No stress or ratio display exists yet whose labels would change; the
  // displays read the thresholds when they draw.
  EndDialog(dialog, 1);
  return true;
}

}  // namespace

INT_PTR ThresholdsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Init(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: StoreThresholds(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int ThresholdsDialog(HWND owner) {
  return static_cast<int>(DialogBoxParam(InstanceHandle, "THRESHOLDS_DIALOG", owner, ThresholdsDialogProc, 0));
}
