// LIMIT_STOP_DIALOG (see LimitStopDialog.h) on the kinds' dialog protocol. A
// negative friction coefficient is refused: it has no meaning, and the run
// would fail on a stiffness that is not positive definite.
#include "supports/LimitStopDialog.h"

#include <cctype>
#include <cmath>

#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/LimitStop.h"

namespace {

constexpr int kUpper = 1301, kLower = 1302, kFirstComponent = 1303, kFriction = 1306, kStiffness = 1307;
constexpr int kConnected = 1308, kTag = 1309;
constexpr int kAxial = 1125, kShearY = 1126, kShearZ = 1127, kVertical = 1001;
constexpr const char* kComponentNames[3] = {"X comp", "Y comp", "Z comp"};

std::string ComponentText(float value) { return value == 0.0f ? "" : FormatFixedWidth(value, 8, 3); }

class LimitStopDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Limit stop"; }
  DataType Type() const override { return DataType::LimitStop; }

  void Init(DataItem* item) override {
    helper.DialogSetUnitLabel(1601, kUnitDisplacement);
    helper.DialogSetUnitLabel(1602, kUnitDisplacement);
    helper.DialogSetUnitLabel(1603, kUnitStiffness);
    helper.DialogLimitItemText(kTag, static_cast<int>(kLimitStopTagLength));
    helper.DialogSetItemText(kStiffness, "Rigid");
    helper.DialogSetItemText(kLower, FormatDisplacementOrNone(0.0f));
    SetVerticalComponents();
    if (KindDialogInResults()) helper.DialogDisableItem(kVertical);
    if (item != nullptr) item->FillDialog(dialog);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kUpper, kLower, 1303, 1304, 1305, kFriction, kStiffness, kConnected, kTag},
                     {kAxial, kShearY, kShearZ, kVertical});
  }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kLimitStopTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    helper.DialogGetItemText(kUpper);
    if (!ParseLimitText(1.0e30f, upper)) ThrowInvalidField("Upper limit");
    helper.DialogGetItemText(kLower);
    if (!ParseLimitText(-1.0e30f, lower)) ThrowInvalidField("Lower limit");
    if (upper < lower) helper.DialogThrowItemError(kUpper, "Lower limit > upper limit");
    if (lower < -5.0e29f && upper > 5.0e29f) helper.DialogThrowItemError(kUpper, "No limits are specified");
    for (int i = 0; i < 3; ++i) {
      helper.DialogGetItemText(kFirstComponent + i);
      if (ParseFieldReal(components[static_cast<std::size_t>(i)]) != 0) ThrowInvalidField(kComponentNames[i]);
    }
    helper.DialogGetItemText(kFriction);
    if (ParseFieldReal(friction) != 0 || friction < 0.0f) ThrowInvalidField("Friction coefficient");
    helper.DialogGetItemText(kStiffness);
    if (ParseFieldStiffness(stiffness) != 0) ThrowInvalidField("Stiffness");
    if (stiffness == 0.0f) ThrowRequiredField("Stiffness");
    connected = CheckConnectedNode(helper, kConnected, row);
    const Model& model = TheModel();
    const int own = model.row(row).endNode;
    const int other = connected != 0 ? FindNodeIndex(model.nodes, connected) : 0;
    const bool apart = other != 0 && NodeDistance(model.nodes, own, other) >= 1.0e-8f;
    if (!apart && components[0] == 0.0f && components[1] == 0.0f && components[2] == 0.0f)
      helper.DialogThrowItemError(kFirstComponent, "Direction is required");
  }

  bool Differs(const DataItem& item) const override {
    const auto& stop = static_cast<const LimitStop&>(item);
    return stop.tag != tag || stop.lowerLimit != lower || stop.upperLimit != upper ||
           stop.frictionCoefficient != friction || stop.stiffness != stiffness || stop.dirX != components[0] ||
           stop.dirY != components[1] || stop.dirZ != components[2] || stop.connectedNode != connected;
  }

  void Store(DataItem& item) override {
    auto& stop = static_cast<LimitStop&>(item);
    stop.tag = tag;
    stop.lowerLimit = lower;
    stop.upperLimit = upper;
    stop.dirX = components[0];
    stop.dirY = components[1];
    stop.dirZ = components[2];
    stop.frictionCoefficient = friction;
    stop.stiffness = stiffness;
    stop.connectedNode = connected;
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kVertical:
        helper.DialogSetItemText(kLower, FormatDisplacementOrNone(0.0f));
        SetVerticalComponents();
        return true;
      case kAxial:
      case kShearY:
      case kShearZ: FillDirectionFromPipeFrame(helper, dialog, row, id - kAxial, kFirstComponent); return true;
      default: return false;
    }
  }

 private:
  void SetVerticalComponents() {
    const bool zVertical = TheModel().options.ZVertical != 0;
    helper.DialogSetItemText(kFirstComponent, "");
    helper.DialogSetItemText(kFirstComponent + 1, zVertical ? "" : "1.000");
    helper.DialogSetItemText(kFirstComponent + 2, zVertical ? "1.000" : "");
  }

  std::string tag;
  float lower = 0.0f, upper = 0.0f, friction = 0.0f, stiffness = 0.0f;
  std::array<float, 3> components{};
  std::int32_t connected = 0;
};

}  // namespace

bool ParseLimitText(float none, float& value) {
  std::string text = g_EditFieldText;
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  const std::string word = "NONE";
  bool isNone = text.size() <= word.size();
  for (std::size_t i = 0; isNone && i < text.size(); ++i)
    isNone = std::toupper(static_cast<unsigned char>(text[i])) == word[i];
  if (isNone) {
    value = none;
    return true;
  }
  return ParseFieldDisplacement(value) == 0;
}

void FillDirectionFromPipeFrame(DialogHelper& helper, HWND dialog, int row, int axis, int first) {
  for (int i = 0; i < 3; ++i) helper.DialogSetItemText(first + i, "");
  const Model& model = TheModel();
  const int node = model.row(row).endNode;
  LocalFrame frame;
  if (node < 1 || PipeDirectionAtNode(model, node, frame.x, false) != 0) {
    ShowErrorMessage(dialog, CFormat("Unable to find LCS at node %s", NodeNumberText(model.row(row).node)));
    return;
  }
  BuildLocalFrame(frame, model.options.ZVertical != 0);
  const Vector3& chosen = axis == 0 ? frame.x : axis == 1 ? frame.y : frame.z;
  for (int i = 0; i < 3; ++i)
    helper.DialogSetItemText(first + i, ComponentText(chosen[static_cast<std::size_t>(i)]));
}

void LimitStop::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kTag, tag);
  helper.DialogSetItemText(kUpper, FormatDisplacementOrNone(upperLimit));
  helper.DialogSetItemText(kLower, FormatDisplacementOrNone(lowerLimit));
  helper.DialogSetItemText(kFirstComponent, ComponentText(dirX));
  helper.DialogSetItemText(kFirstComponent + 1, ComponentText(dirY));
  helper.DialogSetItemText(kFirstComponent + 2, ComponentText(dirZ));
  helper.DialogSetItemText(kFriction, frictionCoefficient == 0.0f ? "" : FormatFixedWidth(frictionCoefficient, 10, 3));
  helper.DialogSetItemText(kStiffness, FormatStiffnessOrRigid(stiffness));
  helper.DialogSetItemText(kConnected, connectedNode != 0 ? NodeNumberText(connectedNode) : "");
  helper.DialogSelectAndFocus(kTag);
}

INT_PTR LimitStopDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static LimitStopDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
