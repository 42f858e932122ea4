// The bend family's field rules; see BendFields.h.
#include "elements/BendFields.h"

#include "model/Model.h"
#include "model/Nodes.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr float kSmallestAngle = 0.08f;  // radians, between nodes and from the arc's ends

}  // namespace

const PipeSection* BendRowSection(int row) {
  const Model& model = TheModel();
  for (int number = row; number >= 2; --number) {
    const LayoutRow& candidate = model.row(number);
    if (candidate.section.empty() || candidate.elementType == ElementType::Beam) continue;
    const int index = FindSectionByName(model.sections, candidate.section);
    return index != 0 ? &model.sections[index] : nullptr;
  }
  return nullptr;
}

float ReadBendThickness(DialogHelper& helper, int item, const PipeSection* section) {
  helper.DialogGetItemText(item);
  float thickness = 0.0f;
  if (ParseFieldNonNegativeDimension(thickness) != 0) ThrowInvalidField("Thickness");
  if (section != nullptr && thickness > section->outsideDiameter / 2.0f)
    throw std::string("Thickness is greater than section radius");
  return thickness;
}

float ReadBendFlexibilityFactor(DialogHelper& helper, int item) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) return -1.0f;
  float value = 0.0f;
  if (ParseFieldReal(value) != 0 || !(value > 0.0f)) ThrowInvalidField("Flexibility factor");
  return value;
}

void CheckBendFactorsAgree(float inPlane, float outPlane) {
  if (inPlane != outPlane) throw std::string("Inplane FF should be equal to Outplane FF");
}

float ReadBendSif(DialogHelper& helper, int item) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) return 0.0f;
  float value = 0.0f;
  if (ParseFieldReal(value) != 0 || !(value > 0.0f)) ThrowInvalidField("SIF value");
  if (value < 1.0f) throw std::string("SIF value is less than 1.00");
  return value < 1.0001f ? 1.0001f : value;
}

void ReadBendNode(DialogHelper& helper, int nodeItem, int angleItem, int row, std::int32_t& node, float& angle) {
  node = 0;
  angle = 0.0f;
  helper.DialogGetItemText(nodeItem);
  if (g_EditFieldText.empty()) return;
  NodeId id = 0;
  int code = ParseNodeNumber(g_EditFieldText, id);
  if (code == kNodeOk && id > 100000) code = kNodeHasSuffix;
  if (code != kNodeOk) ThrowNodeError(code);
  const Model& model = TheModel();
  const int index = FindNodeIndex(model.nodes, id);
  if (id == model.row(row).node || (index != 0 && model.nodes[index].row != row)) ThrowNodeError(kNodeAlreadyDefined);
  node = id;
  helper.DialogGetItemText(angleItem);
  if (g_EditFieldText.empty()) ThrowRequiredField("Angle");
  if (ParseFieldAngle(angle) != 0) ThrowInvalidField("Angle");
  if (angle < kSmallestAngle) ThrowFieldError("Angle", "is too small");
}

std::string BendFactorText(float value) { return value >= 0.0f ? CFormat("%.5G", value) : std::string(); }
