// The distance between two nodes (see DistanceDialog.h).
#include "model/DistanceDialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kApplyButton = 999;
constexpr int kFromField = 1301;
constexpr int kToField = 1302;
constexpr int kNodeFieldLength = 8;
enum Output { kDx = 1501, kDy = 1502, kDz = 1503, kPhi = 1504, kBeta = 1505, kDistance = 1506 };
// The unit labels beside DX, DY, DZ, Distance (lengths), phi and Beta (angles).
constexpr std::array<int, 6> kUnitLabels = {1601, 1602, 1603, 1604, 1605, 1606};

DialogHelper& Helper() {
  static DialogHelper helper;
  return helper;
}

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

// The node of a field, or a thrown message naming the field.
const NodeRecord& ReadNode(int field, const std::string& label) {
  DialogHelper& helper = Helper();
  helper.DialogReadFieldTrimmed(field);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  NodeId id = 0;
  if (ParseNodeNumber(g_EditFieldText, id) != kNodeOk) ThrowInvalidField(label);
  const Model& model = TheModel();
  const int index = FindNodeIndex(model.nodes, id);
  if (index == 0) ThrowNotDefined("Node");
  return model.nodes[index];
}

void OnInit(HWND dialog) {
  DialogHelper& helper = Helper();
  helper.DialogBind(dialog);
  for (std::size_t i = 0; i < kUnitLabels.size(); ++i)
    helper.DialogSetUnitLabel(kUnitLabels[i], i < 4 ? kUnitLength : kUnitAngle);
  helper.DialogLimitItemText(kFromField, kNodeFieldLength);
  helper.DialogLimitItemText(kToField, kNodeFieldLength);
  helper.DialogSelectAndFocus(kFromField);
  CenterDialogOnFrame(dialog, kApplyButton);
}

}  // namespace

NodeDistanceResult MeasureNodeDistance(const NodeRecord& from, const NodeRecord& to) {
  NodeDistanceResult result;
  result.dx = static_cast<double>(to.x) - from.x;
  result.dy = static_cast<double>(to.y) - from.y;
  result.dz = static_cast<double>(to.z) - from.z;
  result.distance = std::sqrt(result.dx * result.dx + result.dy * result.dy + result.dz * result.dz);
  if (result.distance > 0.0) result.phi = std::acos(std::clamp(result.dx / result.distance, -1.0, 1.0));
  if (std::fabs(result.dz) >= 0.0001) {
    // The offset against its projection on the X-Y plane: the dot product
    // of the two is the projection's squared length.
    const double dot = result.dx * result.dx + result.dy * result.dy;
    const double cosine = dot < 0.0001 ? 0.0 : dot / (result.distance * std::sqrt(dot));
    result.beta = std::acos(std::clamp(cosine, -1.0, 1.0));
    if (result.dz < 0.0) result.beta = -result.beta;
  }
  return result;
}

namespace {

// Apply: the outputs are emptied first, so a refused field leaves none of
// an earlier measurement standing beside the new node numbers.
void ApplyNodeDistance() {
  DialogHelper& helper = Helper();
  for (int output : {kDx, kDy, kDz, kPhi, kBeta, kDistance}) helper.DialogSetItemEmpty(output);
  try {
    const NodeRecord& from = ReadNode(kFromField, "From node");
    const NodeRecord& to = ReadNode(kToField, "To node");
    const NodeDistanceResult result = MeasureNodeDistance(from, to);
    helper.DialogSetItemText(kDx, Trimmed(FormatLength(static_cast<float>(result.dx))));
    helper.DialogSetItemText(kDy, Trimmed(FormatLength(static_cast<float>(result.dy))));
    helper.DialogSetItemText(kDz, Trimmed(FormatLength(static_cast<float>(result.dz))));
    helper.DialogSetItemText(kDistance, Trimmed(FormatLength(static_cast<float>(result.distance))));
    helper.DialogSetItemText(kPhi, Trimmed(FormatAngleFixedOrNone(static_cast<float>(result.phi))));
    helper.DialogSetItemText(kBeta, Trimmed(FormatAngleFixedOrNone(static_cast<float>(result.beta))));
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
  }
}

}  // namespace

INT_PTR DistanceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kApplyButton:
        case IDOK: ApplyNodeDistance(); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

void ShowDistanceDialog(HWND owner) { DialogBox(InstanceHandle, "DISTANCE_DIALOG", owner, DistanceDialogProc); }
