// MITER_DIALOG on the element kinds' dialog protocol (see MiterDialog.h).
// The fields follow the code as the bend's do: one SIF, or separate in-
// and out-plane SIFs (and with "Use B31J" two flexibility factors, which
// may differ, and a torsion SIF), the axial SIF for B31.3. OK reads the
// radius (required, at least 0.1), then the bend's fields by the bend's
// rules (BendFields.h) and the spacing; a changed radius moves the arc's
// nodes, so the model is made again.
#include "elements/MiterDialog.h"

#include "elements/BendFields.h"
#include "elements/MiterBend.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kRadius = 1301, kThickness = 1302, kFactor = 1303, kSif = 1304, kOutSif = 1305;
constexpr int kOutFactor = 1306, kAxialSif = 1307, kTorsionSif = 1308, kMaterial = 1201;
constexpr int kClosely = 1401, kWidely = 1402;
constexpr int kRadiusUnit = 1601, kThicknessUnit = 1602;
constexpr int kSifLabel = 1101, kOutSifLabel = 1102, kAxialLabel = 1139, kTorsionLabel = 1140;
constexpr int kOutFactorLabel = 1141, kFactorLabel = 1142;
constexpr int kCodeB31_3 = 3;

bool UseB31J() { return TheModel().options.UseB31J != 0; }
bool SeparateSifs() { return CodeUsesInOutPlaneSifs(TheModel().options.PipingCode); }
bool AxialSifs() { return TheModel().options.PipingCode == kCodeB31_3; }

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

struct MiterInput {
  float radius = 0.0f, thickness = 0.0f;
  std::string material;
  float factor = -1.0f, outFactor = -1.0f;
  float sif = 0.0f, outSif = 0.0f, axialSif = 0.0f, torsionSif = 0.0f;
  std::int32_t spacing = kMiterClosely;
};

class MiterDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Miter bend"; }
  ElementType Type() const override { return ElementType::Miter; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kRadiusUnit, kUnitDimension);
    helper.DialogSetUnitLabel(kThicknessUnit, kUnitDimension);
    DialogFillMaterialCombo(helper, kMaterial, true);
    helper.DialogComboSetSel(kMaterial, 0);
    helper.DialogCheckRadio(kClosely, kWidely, kClosely);
    ShowCodeFields();
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kRadius);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kRadius, kThickness, kFactor, kOutFactor, kSif, kOutSif, kAxialSif, kTorsionSif},
                     {kClosely, kWidely, kMaterial});
  }

  void Read() override {
    input_ = MiterInput{};
    helper.DialogGetItemText(kRadius);
    if (g_EditFieldText.empty()) ThrowRequiredField("Radius");
    if (ParseFieldNonNegativeDimension(input_.radius) != 0 || input_.radius < 0.1f) ThrowInvalidField("Radius");
    input_.thickness = ReadBendThickness(helper, kThickness, BendRowSection(row));
    const int selected = helper.DialogComboGetSel(kMaterial);
    if (selected > 0) input_.material = TheModel().materials[selected].name;
    input_.factor = ReadBendFlexibilityFactor(helper, kFactor);
    if (UseB31J()) input_.outFactor = ReadBendFlexibilityFactor(helper, kOutFactor);
    input_.sif = ReadBendSif(helper, kSif);
    input_.outSif = SeparateSifs() || UseB31J() ? ReadBendSif(helper, kOutSif) : input_.sif;
    if (AxialSifs()) input_.axialSif = ReadBendSif(helper, kAxialSif);
    if (UseB31J()) input_.torsionSif = ReadBendSif(helper, kTorsionSif);
    input_.spacing = helper.DialogIsChecked(kWidely) ? kMiterWidely : kMiterClosely;
  }

  bool Differs(const ElementData& element) const override {
    const auto& m = static_cast<const MiterBend&>(element);
    return m.radius != input_.radius || m.thickness != input_.thickness || m.material != input_.material ||
           m.flexibilityFactor != input_.factor || m.outPlaneFlexibilityFactor != input_.outFactor ||
           m.inPlaneSif != input_.sif || m.outPlaneSif != input_.outSif || m.axialSif != input_.axialSif ||
           m.torsionSif != input_.torsionSif || m.spacing != input_.spacing;
  }

  bool Store(ElementData& element) override {
    auto& m = static_cast<MiterBend&>(element);
    const bool moved = m.radius != input_.radius;
    m.radiusType = kBendRadiusUser;
    m.radius = input_.radius;
    m.thickness = input_.thickness;
    m.material = input_.material;
    m.flexibilityFactor = input_.factor;
    m.outPlaneFlexibilityFactor = input_.outFactor;
    m.inPlaneSif = input_.sif;
    m.outPlaneSif = input_.outSif;
    m.axialSif = input_.axialSif;
    m.torsionSif = input_.torsionSif;
    m.spacing = input_.spacing;
    RedrawRowElement(TheModel(), row);
    return moved;
  }

 private:
  void ShowCodeFields() {
    const bool b31j = UseB31J(), separate = SeparateSifs();
    if (!separate && !b31j) {
      helper.DialogHideItem(kOutSifLabel);
      helper.DialogHideItem(kOutSif);
      helper.DialogSetItemText(kSifLabel, "SIF");
    }
    helper.DialogEnableItem(kAxialLabel, AxialSifs());
    helper.DialogEnableItem(kAxialSif, AxialSifs());
    helper.DialogEnableItem(kTorsionLabel, b31j);
    helper.DialogEnableItem(kTorsionSif, b31j);
    if (b31j) {
      helper.DialogSetItemText(kFactorLabel, "Flexibility factor: In Plane");
    } else {
      helper.DialogHideItem(kOutFactorLabel);
      helper.DialogHideItem(kOutFactor);
    }
  }

  MiterInput input_;
};

MiterDialog& TheMiterDialog() {
  static MiterDialog dialog;
  return dialog;
}

}  // namespace

void MiterBend::FillDialog(HWND dialog) {
  DialogHelper& helper = TheMiterDialog().helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kRadius, Trimmed(FormatDimension(radius)));
  if (thickness != 0.0f) helper.DialogSetItemText(kThickness, Trimmed(FormatDimension(thickness)));
  const int materialIndex = FindMaterialByName(TheModel().materials, material);
  helper.DialogComboSetSel(kMaterial, material.empty() ? 0 : materialIndex);
  helper.DialogSetItemText(kFactor, BendFactorText(flexibilityFactor));
  if (UseB31J()) helper.DialogSetItemText(kOutFactor, BendFactorText(outPlaneFlexibilityFactor));
  if (inPlaneSif != 0.0f) helper.DialogSetItemText(kSif, FormatSif(inPlaneSif));
  if (outPlaneSif != 0.0f && (SeparateSifs() || UseB31J())) helper.DialogSetItemText(kOutSif, FormatSif(outPlaneSif));
  if (axialSif != 0.0f && AxialSifs()) helper.DialogSetItemText(kAxialSif, FormatSif(axialSif));
  if (torsionSif != 0.0f && UseB31J()) helper.DialogSetItemText(kTorsionSif, FormatSif(torsionSif));
  helper.DialogCheckRadio(kClosely, kWidely, spacing == kMiterWidely ? kWidely : kClosely);
}

INT_PTR MiterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheMiterDialog(), dialog, message, wParam, lParam);
}
