// JPIPE_DIALOG and JBEND_DIALOG on the element kinds' dialog protocol (see
// JacketDialogs.h). Both propose the jacket names of the nearest jacketed
// pipe or bend at or before the row. The jacketed pipe's OK reads the three
// names (each required) and checks the clearance; the jacketed bend's
// reads the core's radius and wall, the jacket's names, radius and wall,
// and the intermediate nodes on the jacket's arc, which stay as entered.
// A changed radius, node, angle or jacket section moves nodes, so the
// model is made again.
#include "elements/JacketDialogs.h"

#include "elements/BendFields.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/Nodes.h"
#include "model/RowDrawing.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/JacketClearance.h"
#include "records/PipeDimensions.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kMaterial = 1201, kSection = 1202, kLoad = 1203;
constexpr int kCoreMaterial = 1204, kCoreSection = 1205, kCoreLoad = 1206;
constexpr int kJacketLong = 1401, kJacketUser = 1403, kCoreLong = 1404, kCoreUser = 1406;
constexpr int kJacketRadius = 1301, kCoreRadius = 1302, kJacketThickness = 1303, kCoreThickness = 1304;
constexpr int kNode1 = 1305, kAngle1 = 1306, kNode2 = 1307, kAngle2 = 1308;
constexpr int kJacketRadiusGroup = 1601, kCoreRadiusGroup = 1602, kThicknessGroup = 1603;
constexpr int kAngle1Unit = 1604, kAngle2Unit = 1605;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

struct JacketNames {
  std::string material, section, load;
};

// The nearest jacketed pipe's or bend's jacket names from `row` back to row 2.
bool ProposedNames(int row, JacketNames& names) {
  const Model& model = TheModel();
  for (int number = std::min(row, model.rowCount); number >= 2; --number) {
    const ElementData* element = model.row(number).element.get();
    if (const auto* pipe = dynamic_cast<const JacketedPipe*>(element)) {
      names = {pipe->jacketMaterial, pipe->jacketSection, pipe->jacketLoad};
      return true;
    }
    if (const auto* bend = dynamic_cast<const JacketedBend*>(element)) {
      names = {bend->jacketMaterial, bend->jacketSection, bend->jacketLoad};
      return true;
    }
  }
  return false;
}

// The combos of the three jacket names, filled without an empty entry:
// entry i is record i + 1.
void FillNameCombos(DialogHelper& helper, int material, int section, int load) {
  DialogFillMaterialCombo(helper, material, false);
  DialogFillSectionCombo(helper, section, false);
  DialogFillPipeLoadCombo(helper, load, false);
}

void SelectNames(DialogHelper& helper, int material, int section, int load, const JacketNames& names) {
  const Model& model = TheModel();
  helper.DialogComboSetSel(material, FindMaterialByName(model.materials, names.material) - 1);
  helper.DialogComboSetSel(section, FindSectionByName(model.sections, names.section) - 1);
  helper.DialogComboSetSel(load, FindPipeLoadByName(model.pipeLoads, names.load) - 1);
}

// The three chosen names; each required.
JacketNames ReadNames(DialogHelper& helper) {
  const Model& model = TheModel();
  JacketNames names;
  auto chosen = [&helper](int item, const char* label) {
    const int index = helper.DialogComboGetSel(item);
    helper.errorItem = item;
    if (index < 0) ThrowRequiredField(label);
    return index + 1;
  };
  names.material = model.materials[chosen(kMaterial, "Jacket material")].name;
  names.section = model.sections[chosen(kSection, "Jacket section")].name;
  return names;
}

std::string ReadLoad(DialogHelper& helper) {
  const int index = helper.DialogComboGetSel(kLoad);
  helper.errorItem = kLoad;
  if (index < 0) ThrowRequiredField("Jacket load");
  return TheModel().pipeLoads[index + 1].name;
}

const PipeSection* SectionNamed(const std::string& name) {
  const Model& model = TheModel();
  const int index = FindSectionByName(model.sections, name);
  return index != 0 ? &model.sections[index] : nullptr;
}

// --- jacketed pipe ---------------------------------------------------------------------

class JPipeDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Jacketed pipe"; }
  ElementType Type() const override { return ElementType::JacketedPipe; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    FillNameCombos(helper, kMaterial, kSection, kLoad);
    JacketNames names;
    if (ProposedNames(row, names)) SelectNames(helper, kMaterial, kSection, kLoad, names);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogFocusItem(kMaterial);
  }
  void LockForResults() override { LockDialogInputs(helper, {}, {kMaterial, kSection, kLoad}); }
  void Read() override {
    names_ = ReadNames(helper);
    const LayoutRow& target = TheModel().row(row);
    helper.errorItem = kSection;
    if (!JacketClearsCore(TheModel(), names_.section, target.section))
      throw std::string("(Jacket I.D. - lining) < (core O.D. + insulation)");
    names_.load = ReadLoad(helper);
  }
  bool Differs(const ElementData& element) const override {
    const auto& pipe = static_cast<const JacketedPipe&>(element);
    return pipe.jacketMaterial != names_.material || pipe.jacketSection != names_.section ||
           pipe.jacketLoad != names_.load;
  }
  bool Store(ElementData& element) override {
    auto& pipe = static_cast<JacketedPipe&>(element);
    const bool moved = pipe.jacketSection != names_.section;
    pipe.jacketMaterial = names_.material;
    pipe.jacketSection = names_.section;
    pipe.jacketLoad = names_.load;
    RedrawRowElement(TheModel(), row);
    return moved;
  }

 private:
  JacketNames names_;
};

JPipeDialog& TheJPipeDialog() {
  static JPipeDialog dialog;
  return dialog;
}

// --- jacketed bend ---------------------------------------------------------------------

struct JBendInput {
  std::uint8_t coreType = kBendRadiusLong, jacketType = kBendRadiusLong;
  float coreRadius = 0.0f, jacketRadius = 0.0f, coreThickness = 0.0f, jacketThickness = 0.0f;
  JacketNames names;
  std::int32_t node1 = 0, node2 = 0;
  float angle1 = 0.0f, angle2 = 0.0f;
};

class JBendDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Jacketed Bend"; }
  ElementType Type() const override { return ElementType::JacketedBend; }

  void Init(ElementData* element) override {
    FillNameCombos(helper, kMaterial, kSection, kLoad);
    FillNameCombos(helper, kCoreMaterial, kCoreSection, kCoreLoad);
    for (int item : {kCoreMaterial, kCoreSection, kCoreLoad}) helper.DialogDisableItem(item);
    const LayoutRow& target = TheModel().row(row);
    SelectNames(helper, kCoreMaterial, kCoreSection, kCoreLoad, {target.material, target.section, target.load});
    const std::string unit = UnitLabel(kUnitDimension);
    helper.DialogSetItemText(kJacketRadiusGroup, "Jacket Bend Radius " + unit);
    helper.DialogSetItemText(kCoreRadiusGroup, "Core Bend Radius " + unit);
    helper.DialogSetItemText(kThicknessGroup, "Bend Thickness " + unit);
    helper.DialogSetUnitLabel(kAngle1Unit, kUnitAngle);
    helper.DialogSetUnitLabel(kAngle2Unit, kUnitAngle);
    JacketNames names;
    if (ProposedNames(row, names)) SelectNames(helper, kMaterial, kSection, kLoad, names);
    SetRadiusType(kJacketLong, kJacketRadius, kJacketLong);
    SetRadiusType(kCoreLong, kCoreRadius, kCoreLong);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogFocusItem(kMaterial);
  }

  void LockForResults() override {
    LockDialogInputs(helper,
                     {kJacketRadius, kCoreRadius, kJacketThickness, kCoreThickness, kNode1, kAngle1, kNode2, kAngle2},
                     {kMaterial, kSection, kLoad, kJacketLong, kJacketLong + 1, kJacketUser, kCoreLong, kCoreLong + 1,
                      kCoreUser});
  }

  void Read() override {
    input_ = JBendInput{};
    const PipeSection* core = BendRowSection(row);
    ReadRadius(kCoreLong, kCoreRadius, core, input_.coreType, input_.coreRadius);
    input_.coreThickness = ReadBendThickness(helper, kCoreThickness, core);
    input_.names = ReadNames(helper);
    input_.names.load = ReadLoad(helper);
    helper.errorItem = kSection;
    const std::string coreName = core != nullptr ? core->name : std::string();
    if (!JacketClearsCore(TheModel(), input_.names.section, coreName))
      throw std::string("(Jacket I.D. - lining) < (core O.D. + insulation)");
    const PipeSection* jacket = SectionNamed(input_.names.section);
    ReadRadius(kJacketLong, kJacketRadius, jacket, input_.jacketType, input_.jacketRadius);
    input_.jacketThickness = ReadBendThickness(helper, kJacketThickness, jacket);
    // The arc's own wall narrows the bore the section's wall left room in.
    helper.errorItem = kJacketThickness;
    if (!JacketClearsCore(TheModel(), input_.names.section, coreName, input_.jacketThickness))
      throw std::string("(Jacket I.D. - lining) < (core O.D. + insulation)");
    ReadBendNode(helper, kNode1, kAngle1, row, input_.node1, input_.angle1);
    ReadBendNode(helper, kNode2, kAngle2, row, input_.node2, input_.angle2);
    if (input_.node1 != 0 && input_.node1 == input_.node2) helper.DialogThrowItemError(kNode2, "Node is same as previous node");
    if (input_.angle1 != 0.0f && input_.angle1 == input_.angle2)
      helper.DialogThrowItemError(kAngle2, "Angle is same as previous angle");
  }

  bool Differs(const ElementData& element) const override {
    const auto& b = static_cast<const JacketedBend&>(element);
    return MovesNodes(b) || b.thickness != input_.coreThickness || b.jacketMaterial != input_.names.material ||
           b.jacketLoad != input_.names.load || b.jacketThickness != input_.jacketThickness;
  }

  bool Store(ElementData& element) override {
    auto& b = static_cast<JacketedBend&>(element);
    const bool moved = MovesNodes(b);
    b.radiusType = input_.coreType;
    b.radius = input_.coreRadius;
    b.thickness = input_.coreThickness;
    b.jacketMaterial = input_.names.material;
    b.jacketSection = input_.names.section;
    b.jacketLoad = input_.names.load;
    b.jacketRadiusType = input_.jacketType;
    b.jacketRadius = input_.jacketRadius;
    b.jacketThickness = input_.jacketThickness;
    b.intermediateNode1 = input_.node1;
    b.intermediateNode2 = input_.node2;
    b.angle1 = input_.angle1;
    b.angle2 = input_.angle2;
    RedrawRowElement(TheModel(), row);
    return moved;
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id >= kJacketLong && id <= kJacketUser) SetRadiusType(kJacketLong, kJacketRadius, id);
    else if (id >= kCoreLong && id <= kCoreUser) SetRadiusType(kCoreLong, kCoreRadius, id);
    else return false;
    return true;
  }

  // The radius edit only for User, emptied otherwise (shared with the fill).
  void SetRadiusType(int first, int edit, int chosen) {
    helper.DialogCheckRadio(first, first + 2, chosen);
    const bool user = chosen == first + 2;
    if (!user) helper.DialogSetItemEmpty(edit);
    helper.DialogEnableItem(edit, user && !KindDialogInResults());
    if (user && helper.dialog != nullptr && IsWindowVisible(helper.dialog)) helper.DialogSelectAndFocus(edit);
  }

 private:
  bool MovesNodes(const JacketedBend& b) const {
    return b.radiusType != input_.coreType || b.radius != input_.coreRadius || b.intermediateNode1 != input_.node1 ||
           b.intermediateNode2 != input_.node2 || b.angle1 != input_.angle1 || b.angle2 != input_.angle2 ||
           b.jacketRadius != input_.jacketRadius || b.jacketRadiusType != input_.jacketType ||
           b.jacketSection != input_.names.section;
  }

  void ReadRadius(int first, int edit, const PipeSection* section, std::uint8_t& type, float& radius) {
    const int checked = first + helper.DialogCheckedRadio(first, first + 2);
    if (checked != first + 2) {
      type = checked == first + 1 ? kBendRadiusShort : kBendRadiusLong;
      radius = section != nullptr ? StandardBendRadius(*section, type == kBendRadiusShort) : 0.0f;
      return;
    }
    type = kBendRadiusUser;
    helper.DialogGetItemText(edit);
    if (g_EditFieldText.empty()) ThrowRequiredField("Radius");
    if (ParseFieldNonNegativeDimension(radius) != 0 || radius < 0.1f) ThrowInvalidField("Radius");
  }

  JBendInput input_;
};

JBendDialog& TheJBendDialog() {
  static JBendDialog dialog;
  return dialog;
}

}  // namespace

bool JacketClearsCore(const Model& model, const std::string& jacketName, const std::string& coreName, float bendWall) {
  const int jacketIndex = FindSectionByName(model.sections, jacketName);
  const int coreIndex = FindSectionByName(model.sections, coreName);
  if (jacketIndex == 0 || coreIndex == 0) return true;
  return JacketTakesCore(model.sections[jacketIndex], bendWall, model.sections[coreIndex]);
}

void JacketedPipe::FillDialog(HWND dialog) {
  DialogHelper& helper = TheJPipeDialog().helper;
  helper.DialogBind(dialog);
  SelectNames(helper, kMaterial, kSection, kLoad, {jacketMaterial, jacketSection, jacketLoad});
}

void JacketedBend::FillDialog(HWND dialog) {
  JBendDialog& kind = TheJBendDialog();
  DialogHelper& helper = kind.helper;
  helper.DialogBind(dialog);
  SelectNames(helper, kMaterial, kSection, kLoad, {jacketMaterial, jacketSection, jacketLoad});
  const auto typeItem = [](int first, std::uint8_t type) {
    return type == kBendRadiusUser ? first + 2 : type == kBendRadiusShort ? first + 1 : first;
  };
  kind.SetRadiusType(kJacketLong, kJacketRadius, typeItem(kJacketLong, jacketRadiusType));
  kind.SetRadiusType(kCoreLong, kCoreRadius, typeItem(kCoreLong, radiusType));
  if (jacketRadiusType == kBendRadiusUser) helper.DialogSetItemText(kJacketRadius, Trimmed(FormatDimension(jacketRadius)));
  if (radiusType == kBendRadiusUser) helper.DialogSetItemText(kCoreRadius, Trimmed(FormatDimension(radius)));
  if (jacketThickness != 0.0f) helper.DialogSetItemText(kJacketThickness, Trimmed(FormatDimension(jacketThickness)));
  if (thickness != 0.0f) helper.DialogSetItemText(kCoreThickness, Trimmed(FormatDimension(thickness)));
  const std::pair<std::int32_t, float> nodes[] = {{intermediateNode1, angle1}, {intermediateNode2, angle2}};
  for (int i = 0; i < 2; ++i) {
    if (nodes[i].first == 0 || nodes[i].second == 0.0f) continue;
    helper.DialogSetItemText(i == 0 ? kNode1 : kNode2, NodeNumberText(nodes[i].first));
    helper.DialogSetItemText(i == 0 ? kAngle1 : kAngle2, Trimmed(FormatAngleOrNone(nodes[i].second)));
  }
}

INT_PTR JPipeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheJPipeDialog(), dialog, message, wParam, lParam);
}

INT_PTR JBendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheJBendDialog(), dialog, message, wParam, lParam);
}
