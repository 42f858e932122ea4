// "DISTANCE_DIALOG" ("Distance Between Nodes"): the offsets, the direction
// angles and the distance between two nodes of the undeformed model. Apply
// (999) computes; an input error shows its message and leaves the outputs
// empty with the focus on the field; Cancel ends the dialog.
#include <algorithm>
#include <cmath>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "results/DisplacementTables.h"
#include "shell/Application.h"
#include "shell/DialogHelper.h"
#include "shell/Message.h"
#include "shell/NumberText.h"
#include "shell/Units.h"
#include "shell/WindowUtilities.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302, kUnitLabel = 1601, kApply = 999;
constexpr int kFirstOutput = 1501, kLastOutput = 1506;

thread_local DialogHelper t_helper;

int ReadNode(int item, const char* label) {
  t_helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  NodeId id = 0;
  if (ReadNodeNumberField(id) != kNodeOk) ThrowInvalidField(label);
  const int index = FindNodeIndex(TheModel().nodes, id);
  if (index == 0) ThrowNotDefined("Node");
  return index;
}

double AngleBetween(const double a[3], const double b[3]) {
  const double la = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  const double lb = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
  if (la == 0.0 || lb == 0.0) return 0.0;
  const double c = std::clamp((a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / (la * lb), -1.0, 1.0);
  return std::acos(c);
}

void Apply() {
  for (int item = kFirstOutput; item <= kLastOutput; ++item) t_helper.DialogSetItemEmpty(item);
  try {
    const int from = ReadNode(kFromField, "From node");
    const int to = ReadNode(kToField, "To node");
    const NodeRecord &a = TheModel().nodes[from], &b = TheModel().nodes[to];
    const double d[3] = {static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y, static_cast<double>(b.z) - a.z};
    static const double kXAxis[3] = {1.0, 0.0, 0.0};
    const double phi = AngleBetween(kXAxis, d);
    double beta = 0.0;
    if (std::fabs(d[2]) >= 0.0001) {
      // The angle between the offset and its plan projection (DX, DY, 0).
      const double dot = d[0] * d[0] + d[1] * d[1];
      const double lengths = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]) * std::sqrt(dot);
      const double cosine = dot < 0.0001 || lengths == 0.0 ? 0.0 : std::clamp(dot / lengths, -1.0, 1.0);
      beta = std::acos(cosine);
      if (d[2] < 0.0) beta = -beta;
    }
    for (int i = 0; i < 3; ++i) t_helper.DialogSetItemText(kFirstOutput + i, FormatLength(static_cast<float>(d[i])));
    t_helper.DialogSetItemText(1504, FormatAngleOrNone(static_cast<float>(phi)));
    t_helper.DialogSetItemText(1505, FormatAngleOrNone(static_cast<float>(beta)));
    t_helper.DialogSetItemText(1506, FormatLength(static_cast<float>(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]))));
  } catch (const std::string& message) {
    t_helper.DialogFocusInvalid(message);
  }
}

}  // namespace

INT_PTR NodeDistanceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      t_helper = DialogHelper{};
      t_helper.DialogBind(dialog);
      t_helper.DialogSetUnitLabel(kUnitLabel, kUnitLength);
      CenterWindowOnParent(dialog, 0);
      t_helper.DialogFocusItem(kFromField);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kApply: Apply(); return TRUE;
        case IDOK: Apply(); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

void NodeDistanceDialog(HWND owner) { DialogBoxParam(InstanceHandle, "DISTANCE_DIALOG", owner, NodeDistanceDialogProc, 0); }
