// BEND1_DIALOG and BEND2_DIALOG (see BendDialog.h) on the element kinds'
// dialog protocol. OK reads the fields in dialog order: radius (Long and
// Short take the section's standard radius), thickness, material,
// flexibility factors, SIFs, the two intermediate nodes with their angles;
// then the checks between fields, and the nodes put in order (node 1 the
// nearer one). A radius below the section's diameter only warns.
//
// A given flexibility factor must be above 0: empty means computed, and a
// factor of 0 would leave the bend's in-plane stiffness singular.
#include "elements/BendDialog.h"

#include <string>

#include "elements/Bend.h"
#include "elements/BendFields.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "records/PipeDimensions.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kLong = 1401, kShort = 1402, kUser = 1403;
constexpr int kRadius = 1301, kThickness = 1302, kFactor = 1303, kSif = 1304, kOutSif = 1305;
constexpr int kNode1 = 1306, kAngle1 = 1307, kNode2 = 1308, kAngle2 = 1309;
constexpr int kOutFactor = 1310, kAxialSif = 1311, kTorsionSif = 1312;
constexpr int kMaterial = 1201;
constexpr int kRadiusUnit = 1601, kThicknessUnit = 1602, kAngle1Unit = 1603, kAngle2Unit = 1604;
constexpr int kAxialLabel = 1139, kTorsionLabel = 1140, kOutFactorLabel = 1141, kFactorLabel = 1142;
constexpr int kCodeB31_3 = 3;
constexpr float kSmallestAngle = 0.08f;  // radians, between nodes and from the arc's ends

bool UseB31J() { return TheModel().options.UseB31J != 0; }
bool SeparateSifs() { return CodeUsesInOutPlaneSifs(TheModel().options.PipingCode); }
bool AxialSifs() { return TheModel().options.PipingCode == kCodeB31_3; }

const PipeSection* RowSection(int row) { return BendRowSection(row); }
std::string FactorText(float value) { return BendFactorText(value); }

// The working values of the dialog, compared with and stored into the bend.
struct BendInput {
  std::uint8_t radiusType = kBendRadiusLong;
  float radius = 0.0f, thickness = 0.0f;
  std::string material;
  float factor = -1.0f, outFactor = -1.0f;
  float sif = 0.0f, outSif = 0.0f, axialSif = 0.0f, torsionSif = 0.0f;
  std::int32_t node1 = 0, node2 = 0;
  float angle1 = 0.0f, angle2 = 0.0f;
};

class BendDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Bend"; }
  ElementType Type() const override { return ElementType::Bend; }

  void Init(ElementData* element) override {
    twoFactors_ = helper.DialogGetItem(kOutFactor) != nullptr;
    helper.DialogSetUnitLabel(kRadiusUnit, kUnitDimension);
    helper.DialogSetUnitLabel(kThicknessUnit, kUnitDimension);
    helper.DialogSetUnitLabel(kAngle1Unit, kUnitAngle);
    helper.DialogSetUnitLabel(kAngle2Unit, kUnitAngle);
    DialogFillMaterialCombo(helper, kMaterial, true);
    helper.DialogComboSetSel(kMaterial, 0);
    if (twoFactors_) ShowCodeFields();
    helper.DialogCheckRadio(kLong, kUser, kLong);
    EnableRadius(false);
    if (element != nullptr) element->FillDialog(dialog);
    else helper.DialogSelectAndFocus(kThickness);
  }

  void LockForResults() override {
    LockDialogInputs(helper,
                     {kRadius, kThickness, kFactor, kSif, kNode1, kAngle1, kNode2, kAngle2},
                     {kLong, kShort, kUser, kMaterial});
    if (twoFactors_)
      for (int item : {kOutFactor, kOutSif, kAxialSif, kTorsionSif}) helper.DialogSetReadOnly(item);
  }

  void Read() override {
    input_ = BendInput{};
    ReadRadius();
    ReadThickness();
    const int selected = helper.DialogComboGetSel(kMaterial);
    if (selected > 0) input_.material = ComboText(selected);
    ReadFactors();
    ReadSifs();
    ReadNode(kNode1, kAngle1, input_.node1, input_.angle1);
    ReadNode(kNode2, kAngle2, input_.node2, input_.angle2);
    CheckNodes();
  }

  bool Differs(const ElementData& element) const override {
    const auto& bend = static_cast<const Bend&>(element);
    return MovesNodes(bend) || bend.thickness != input_.thickness || bend.material != input_.material ||
           bend.flexibilityFactor != input_.factor || bend.outPlaneFlexibilityFactor != input_.outFactor ||
           bend.inPlaneSif != input_.sif || bend.outPlaneSif != input_.outSif || bend.axialSif != input_.axialSif ||
           bend.torsionSif != input_.torsionSif;
  }

  bool Store(ElementData& element) override {
    auto& bend = static_cast<Bend&>(element);
    const bool moved = MovesNodes(bend);
    bend.radiusType = input_.radiusType;
    bend.radius = input_.radius;
    bend.thickness = input_.thickness;
    bend.material = input_.material;
    bend.flexibilityFactor = input_.factor;
    bend.outPlaneFlexibilityFactor = input_.outFactor;
    bend.inPlaneSif = input_.sif;
    bend.outPlaneSif = input_.outSif;
    bend.axialSif = input_.axialSif;
    bend.torsionSif = input_.torsionSif;
    bend.intermediateNode1 = input_.node1;
    bend.intermediateNode2 = input_.node2;
    bend.angle1 = input_.angle1;
    bend.angle2 = input_.angle2;
    return moved;
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED || (id != kLong && id != kShort && id != kUser)) return false;
    EnableRadius(id == kUser);
    if (id == kUser) helper.DialogSelectAndFocus(kRadius);
    return true;
  }

  // Shared with Bend::FillDialog.
  void EnableRadius(bool user) {
    if (!user) helper.DialogSetItemEmpty(kRadius);
    helper.DialogEnableItem(kRadius, user && !KindDialogInResults());
    helper.DialogEnableItem(kRadiusUnit, user);
  }
  bool TwoFactors() const { return twoFactors_; }

 private:
  void ShowCodeFields() {
    const bool b31j = UseB31J();
    helper.DialogEnableItem(kAxialLabel, AxialSifs());
    helper.DialogEnableItem(kAxialSif, AxialSifs());
    helper.DialogEnableItem(kTorsionLabel, b31j);
    helper.DialogEnableItem(kTorsionSif, b31j);
    if (b31j) return;
    helper.DialogSetItemText(kFactorLabel, "&Flexibility Factor");
    helper.DialogHideItem(kOutFactorLabel);
    helper.DialogHideItem(kOutFactor);
  }

  std::string ComboText(int index) {
    char text[64] = {};
    SendDlgItemMessage(dialog, kMaterial, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }

  bool MovesNodes(const Bend& bend) const {
    return bend.radiusType != input_.radiusType || bend.radius != input_.radius ||
           bend.intermediateNode1 != input_.node1 || bend.intermediateNode2 != input_.node2 ||
           bend.angle1 != input_.angle1 || bend.angle2 != input_.angle2;
  }

  void ReadRadius() {
    const PipeSection* section = RowSection(row);
    const int checked = kLong + helper.DialogCheckedRadio(kLong, kUser);  // the offset of the checked one
    if (checked != kUser) {
      input_.radiusType = checked == kShort ? kBendRadiusShort : kBendRadiusLong;
      input_.radius = section != nullptr ? StandardBendRadius(*section, checked == kShort) : 0.0f;
      return;
    }
    input_.radiusType = kBendRadiusUser;
    helper.DialogGetItemText(kRadius);
    if (g_EditFieldText.empty()) ThrowRequiredField("Radius");
    if (ParseFieldNonNegativeDimension(input_.radius) != 0 || input_.radius < 0.1f) ThrowInvalidField("Radius");
    if (section != nullptr && input_.radius < section->outsideDiameter)
      ShowWarningMessage(dialog, "Bend radius < Section OD");
  }

  void ReadThickness() { input_.thickness = ReadBendThickness(helper, kThickness, RowSection(row)); }

  float ReadFactor(int item) { return ReadBendFlexibilityFactor(helper, item); }

  void ReadFactors() {
    input_.factor = ReadFactor(kFactor);
    if (!twoFactors_ || !UseB31J()) return;
    input_.outFactor = ReadFactor(kOutFactor);
    CheckBendFactorsAgree(input_.factor, input_.outFactor);
  }

  float ReadSif(int item) { return ReadBendSif(helper, item); }

  void ReadSifs() {
    input_.sif = ReadSif(kSif);
    const bool b31j = UseB31J();
    if (!twoFactors_) {
      input_.outSif = input_.sif;
      return;
    }
    input_.outSif = SeparateSifs() || b31j ? ReadSif(kOutSif) : input_.sif;
    if (AxialSifs()) input_.axialSif = ReadSif(kAxialSif);
    if (b31j) input_.torsionSif = ReadSif(kTorsionSif);
  }

  void ReadNode(int nodeItem, int angleItem, std::int32_t& node, float& angle) {
    ReadBendNode(helper, nodeItem, angleItem, row, node, angle);
  }

  void CheckNodes() {
    BendInput& in = input_;
    if (in.node1 != 0 && in.node1 == in.node2) helper.DialogThrowItemError(kNode2, "Node is same as previous node");
    if (in.angle1 != 0.0f && in.angle1 == in.angle2)
      helper.DialogThrowItemError(kAngle2, "Angle is same as previous angle");
    const auto* bend = dynamic_cast<const Bend*>(RowElementOfType(row, ElementType::Bend));
    if (bend != nullptr && bend->BendGeometryValid != 0) {
      const float largest = bend->bendAngle - kSmallestAngle;
      for (const auto& [angle, item] : {std::pair{in.angle1, kAngle1}, std::pair{in.angle2, kAngle2}}) {
        if (angle <= largest) continue;
        helper.DialogGetItemText(item);
        ThrowFieldError("Angle", "is too large");
      }
    }
    if (in.node1 == 0 && in.node2 != 0) {
      std::swap(in.node1, in.node2);
      std::swap(in.angle1, in.angle2);
    } else if (in.node2 != 0 && in.angle2 < in.angle1) {
      std::swap(in.node1, in.node2);
      std::swap(in.angle1, in.angle2);
    }
  }

  BendInput input_;
  bool twoFactors_ = false;
};

BendDialog& TheBendDialog() {
  static BendDialog dialog;
  return dialog;
}

}  // namespace

void Bend::FillDialog(HWND dialog) {
  BendDialog& kind = TheBendDialog();
  DialogHelper& helper = kind.helper;
  helper.DialogBind(dialog);
  const bool user = radiusType == kBendRadiusUser;
  helper.DialogCheckRadio(kLong, kUser, user ? kUser : radiusType == kBendRadiusShort ? kShort : kLong);
  kind.EnableRadius(user);
  if (user) helper.DialogSetItemText(kRadius, FormatDimension(radius));
  if (thickness != 0.0f) helper.DialogSetItemText(kThickness, FormatDimension(thickness));
  const int materialIndex = FindMaterialByName(TheModel().materials, material);
  helper.DialogComboSetSel(kMaterial, material.empty() ? 0 : materialIndex);
  helper.DialogSetItemText(kFactor, FactorText(flexibilityFactor));
  if (inPlaneSif != 0.0f) helper.DialogSetItemText(kSif, FormatSif(inPlaneSif));
  if (kind.TwoFactors()) {
    if (UseB31J()) helper.DialogSetItemText(kOutFactor, FactorText(outPlaneFlexibilityFactor));
    if (outPlaneSif != 0.0f && (SeparateSifs() || UseB31J())) helper.DialogSetItemText(kOutSif, FormatSif(outPlaneSif));
    if (axialSif != 0.0f && AxialSifs()) helper.DialogSetItemText(kAxialSif, FormatSif(axialSif));
    if (torsionSif != 0.0f && UseB31J()) helper.DialogSetItemText(kTorsionSif, FormatSif(torsionSif));
  }
  const std::pair<std::int32_t, float> nodes[] = {{intermediateNode1, angle1}, {intermediateNode2, angle2}};
  for (int i = 0; i < 2; ++i) {
    if (nodes[i].first == 0 || nodes[i].second == 0.0f) continue;
    helper.DialogSetItemText(i == 0 ? kNode1 : kNode2, NodeNumberText(nodes[i].first));
    helper.DialogSetItemText(i == 0 ? kAngle1 : kAngle2, FormatAngleOrNone(nodes[i].second));
  }
  helper.DialogSelectAndFocus(user ? kRadius : kThickness);
}

const char* BendDialogName() {
  return SeparateSifs() || UseB31J() ? "BEND2_DIALOG" : "BEND1_DIALOG";
}

INT_PTR BendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheBendDialog(), dialog, message, wParam, lParam);
}
