// VALVE_DIALOG on the element kinds' dialog protocol (see ValveDialog.h).
// OK reads, in dialog order: weight, length, the two multipliers (an empty
// one is filled with its default first), the additional weight, the valve
// type and the three offsets, which an additional weight of 0 clears. A
// changed non-zero length moves the row's end node, so the model is made
// again. "&Library" takes weight and length from a library valve of the
// pipe's outside diameter.
#include "elements/ValveDialog.h"

#include <cmath>

#include "elements/Valve.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "properties/ValveLibraryPick.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kWeight = 1301, kLength = 1302, kThickness = 1303, kInsulation = 1304, kAddedWeight = 1305;
constexpr int kDx = 1306, kDy = 1307, kDz = 1308, kType = 1201, kLibrary = 1001;
constexpr int kWeightUnit = 1601, kLengthUnit = 1602, kAddedWeightUnit = 1603;
constexpr int kDxLabel = 1501;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

struct ValveInput {
  float weight = 0.0f, length = 0.0f, thickness = 3.0f, insulation = 1.75f, added = 0.0f;
  float dx = 0.0f, dy = 0.0f, dz = 0.0f;
  std::int32_t type = 0;
};

// The section that sizes a library pick: the row's own, else the nearest
// earlier pipe-like row's that names one.
const PipeSection* PickSection(int row) {
  const Model& model = TheModel();
  auto named = [&model](int number) -> const PipeSection* {
    const LayoutRow& candidate = model.row(number);
    if (candidate.section.empty()) return nullptr;
    const int index = FindSectionByName(model.sections, candidate.section);
    return index != 0 ? &model.sections[index] : nullptr;
  };
  if (row >= 1 && row <= model.rowCount + 1)
    if (const PipeSection* own = named(row)) return own;
  for (int number = std::min(row - 1, model.rowCount); number >= 2; --number) {
    switch (model.row(number).elementType) {
      case ElementType::From:
      case ElementType::Pipe:
      case ElementType::Bend:
      case ElementType::Miter:
      case ElementType::JacketedPipe:
      case ElementType::JacketedBend:
      case ElementType::Valve:
        if (const PipeSection* found = named(number)) return found;
        break;
      default: break;
    }
  }
  return nullptr;
}

class ValveDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Valve"; }
  ElementType Type() const override { return ElementType::Valve; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kWeightUnit, kUnitWeight);
    helper.DialogSetUnitLabel(kAddedWeightUnit, kUnitWeight);
    helper.DialogSetUnitLabel(kLengthUnit, kUnitDimension);
    for (int i = 0; i < 3; ++i)
      helper.DialogSetItemText(kDxLabel + i, std::string(i == 0 ? "DX " : i == 1 ? "DY " : "DZ ") +
                                                 UnitLabel(kUnitDimension));
    helper.DialogComboReset(kType);
    for (const char* name : kValveTypeNames) helper.DialogComboAddString(name);
    helper.DialogComboSetSel(kType, 0);
    helper.DialogSetItemText(kThickness, ValveThicknessText(3.0f, 10));
    helper.DialogSetItemText(kInsulation, ValveInsulationText(1.75f, 10));
    if (element != nullptr) element->FillDialog(dialog);
    else helper.DialogSelectAndFocus(kWeight);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kWeight, kLength, kThickness, kInsulation, kAddedWeight, kDx, kDy, kDz},
                     {kLibrary, kType});
  }

  void Read() override {
    input_ = ValveInput{};
    helper.DialogGetItemText(kWeight);
    if (ParseFieldWeight(input_.weight) != 0) ThrowInvalidField("Weight");
    helper.DialogGetItemText(kLength);
    if (ParseFieldNonNegativeDimension(input_.length) != 0) ThrowInvalidField("Length");
    input_.thickness = ReadMultiplier(kThickness, "3.0", "Thickness multiplier");
    input_.insulation = ReadMultiplier(kInsulation, "1.75", "Insulation weight multiplier");
    helper.DialogGetItemText(kAddedWeight);
    if (ParseFieldWeight(input_.added) != 0) ThrowInvalidField("Weight");
    input_.type = std::max(helper.DialogComboGetSel(kType), 0);
    const char* labels[3] = {"DX", "DY", "DZ"};
    float* offsets[3] = {&input_.dx, &input_.dy, &input_.dz};
    for (int i = 0; i < 3; ++i) {
      helper.DialogGetItemText(kDx + i);
      if (ParseFieldDimension(*offsets[i]) != 0) ThrowInvalidField(labels[i]);
    }
    if (input_.added == 0.0f) input_.dx = input_.dy = input_.dz = 0.0f;
  }

  bool Differs(const ElementData& element) const override {
    const auto& v = static_cast<const Valve&>(element);
    return v.weight != input_.weight || v.length != input_.length || v.thicknessMultiplier != input_.thickness ||
           v.insulationWeightMultiplier != input_.insulation || v.additionalWeight != input_.added ||
           v.dx != input_.dx || v.dy != input_.dy || v.dz != input_.dz || v.valveType != input_.type;
  }

  bool Store(ElementData& element) override {
    auto& v = static_cast<Valve&>(element);
    bool moved = false;
    v.weight = input_.weight;
    if (v.length != input_.length) {
      v.length = input_.length;
      moved = SetOffsetsFromValveLength(TheModel(), row, v.length);
    }
    v.thicknessMultiplier = input_.thickness;
    v.insulationWeightMultiplier = input_.insulation;
    v.additionalWeight = input_.added;
    v.dx = input_.dx;
    v.dy = input_.dy;
    v.dz = input_.dz;
    v.valveType = input_.type;
    RedrawRowElement(TheModel(), row);
    return moved;
  }

  bool Command(int id, int code) override {
    if (id != kLibrary || code != BN_CLICKED) return false;
    const PipeSection* section = PickSection(row);
    if (section == nullptr) {
      ShowErrorMessage(dialog, "Unable to find pipe section");
      return true;
    }
    const std::optional<ValveLibraryEntry> picked = PickValveByDiameter(dialog, section->outsideDiameter);
    if (!picked) return true;
    if (picked->weight == 0.0f) {
      helper.DialogSetItemEmpty(kWeight);
    } else {
      helper.DialogSetItemText(kWeight, Trimmed(FormatWeight(picked->weight)));
      helper.DialogSelectAndFocus(kWeight);
    }
    if (picked->length == 0.0f) helper.DialogSetItemEmpty(kLength);
    else helper.DialogSetItemText(kLength, Trimmed(FormatDimension(picked->length)));
    return true;
  }

 private:
  float ReadMultiplier(int item, const char* empty, const char* label) {
    helper.DialogGetItemText(item);
    if (g_EditFieldText.empty()) {
      helper.DialogSetItemText(item, empty);
      helper.DialogGetItemText(item);
    }
    return ParseValveMultiplier(empty, label);
  }

  ValveInput input_;
};

ValveDialog& TheValveDialog() {
  static ValveDialog dialog;
  return dialog;
}

}  // namespace

std::string ValveThicknessText(float value, int width) {
  const int decimals = value < 99.0f ? 2 : value < 999.0f ? 1 : 0;
  return FormatFixedWidth(value, width, decimals);
}

std::string ValveInsulationText(float value, int width) { return FormatFixedWidth(value, width, 2); }

float ParseValveMultiplier(const char* empty, const char* label) {
  if (g_EditFieldText.empty()) g_EditFieldText = empty;
  float value = 0.0f;
  if (ParseFieldReal(value) != 0 || value < 0.01f) ThrowInvalidField(label);
  return value;
}

bool SetOffsetsFromValveLength(Model& model, int row, float length) {
  if (length == 0.0f || row < 1 || row > model.rowCount + 1) return false;
  LayoutRow& target = model.row(row);
  const NodeTable& nodes = model.nodes;
  auto direction = [&nodes](int a, int b, double out[3]) {
    if (a < 1 || a > nodes.count || b < 1 || b > nodes.count) return false;
    const double d[3] = {static_cast<double>(nodes[b].x) - nodes[a].x, static_cast<double>(nodes[b].y) - nodes[a].y,
                         static_cast<double>(nodes[b].z) - nodes[a].z};
    const double size = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (size < 1.0e-6) return false;
    for (int i = 0; i < 3; ++i) out[i] = d[i] / size;
    return true;
  };
  double unit[3] = {1.0, 0.0, 0.0};
  const int previous = PreviousElementRow(model, row);
  if (!(row <= model.rowCount && direction(target.startNode, target.endNode, unit)) &&
      !(previous != 0 && direction(model.row(previous).startNode, model.row(previous).endNode, unit))) {
    unit[0] = 1.0;
    unit[1] = unit[2] = 0.0;
  }
  target.dx = static_cast<float>(length * unit[0]);
  target.dy = static_cast<float>(length * unit[1]);
  target.dz = static_cast<float>(length * unit[2]);
  return true;
}

void Valve::FillDialog(HWND dialog) {
  DialogHelper& helper = TheValveDialog().helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kWeight, Trimmed(FormatWeight(weight)));
  if (length != 0.0f) helper.DialogSetItemText(kLength, Trimmed(FormatDimension(length)));
  helper.DialogSetItemText(kThickness, Trimmed(ValveThicknessText(thicknessMultiplier, 10).c_str()));
  helper.DialogSetItemText(kInsulation, Trimmed(ValveInsulationText(insulationWeightMultiplier, 10).c_str()));
  if (additionalWeight != 0.0f) {
    helper.DialogSetItemText(kAddedWeight, Trimmed(FormatWeight(additionalWeight)));
    const float offsets[3] = {dx, dy, dz};
    for (int i = 0; i < 3; ++i) helper.DialogSetItemText(kDx + i, Trimmed(FormatDimension(offsets[i])));
  }
  helper.DialogComboSetSel(kType, std::clamp(valveType, 0, kValveTypeCount - 1));
  helper.DialogSelectAndFocus(kWeight);
}

INT_PTR ValveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheValveDialog(), dialog, message, wParam, lParam);
}
