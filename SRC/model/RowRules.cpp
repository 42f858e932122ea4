// The rules of a layout row (see RowRules.h).
#include "model/RowRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/KindRecords.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"

const char* const kZeroLengthMessage = "This element has zero length";
const char* const kLocationNodeMessage = "For Location, Node must be defined";

namespace {

// The row that made node `id`, 0 when no row made it.
int MakerOf(const Model& model, NodeId id) {
  const int index = FindNodeIndex(model.nodes, id);
  return index == 0 ? 0 : model.nodes[index].row;
}

bool AllFinite(const float* values, int count) {
  return std::all_of(values, values + count, [](float value) { return std::isfinite(value); });
}

bool BendGeometryFinite(const ElementData* element) {
  if (element == nullptr) return true;
  if (const BendRecord* bend = element->AsBend())
    if (!std::isfinite(bend->bendAngle) || !AllFinite(bend->centre, 3)) return false;
  if (const JacketedBendRecord* jacket = element->AsJacketedBend())
    if (!AllFinite(jacket->jacketCentre, 3)) return false;
  return true;
}

}  // namespace

bool IsZeroLengthCandidate(const LayoutRow& row, ElementType type) {
  switch (type) {
    case ElementType::From:
    case ElementType::Location:
    case ElementType::HingeJoint:
    case ElementType::BallJoint:
    case ElementType::Elastic:
    case ElementType::Comment:
    case ElementType::HydrotestLoad: return false;
    default: break;
  }
  if (row.absolute) return false;
  const double length = std::sqrt(double(row.dx) * row.dx + double(row.dy) * row.dy + double(row.dz) * row.dz);
  return length <= 0.0001;
}

bool RowMakesItsNode(const Model& model, int row) {
  const int maker = MakerOf(model, model.row(row).node);
  return maker == 0 || maker == row;
}

bool RowEndsAtEarlierNode(const Model& model, int row) {
  const int maker = MakerOf(model, model.row(row).node);
  return maker != 0 && maker < row;
}

bool LocationNodeIsMade(const Model& model, int row) { return RowEndsAtEarlierNode(model, row); }

bool RowTypeTakesNames(ElementType type) {
  return type == ElementType::None || type == ElementType::From || ElementTypeHasProperties(type);
}

void RefuseOffsetsWithoutLength(const Model& model, int row, ElementType type, float dx, float dy, float dz) {
  if (dx == 0.0f && dy == 0.0f && dz == 0.0f) return;
  if (type == ElementType::Location) throw std::string("For Location, DX, DY, DZ should be zero");
  char text[96];
  if (type == ElementType::HingeJoint || type == ElementType::BallJoint) {
    std::snprintf(text, sizeof text, "For a %s joint DX, DY, DZ should be zero", ElementTypeMessageName(type));
    throw std::string(text);
  }
  if (model.row(row).node == 0 || !RowEndsAtEarlierNode(model, row)) return;
  std::snprintf(text, sizeof text, "Node %s already exists, so DX, DY, DZ should be zero",
                NodeNumberText(model.row(row).node));
  throw std::string(text);
}

std::string RowRuleRefusal(const Model& model, int row) {
  const LayoutRow& target = model.row(row);
  if (target.node == 0) return {};
  if (target.elementType == ElementType::Location)
    return LocationNodeIsMade(model, row) ? std::string() : kLocationNodeMessage;
  if (IsZeroLengthCandidate(target) && RowMakesItsNode(model, row)) return kZeroLengthMessage;
  return {};
}

void RefuseRowsBreakingRules(const Model& model, const std::vector<int>& rows) {
  for (int row : rows)
    if (std::string refusal = RowRuleRefusal(model, row); !refusal.empty()) throw refusal;
}

void RefuseRowsBreakingRules(const Model& model, int first, int last) {
  for (int row = first; row <= last; ++row)
    if (std::string refusal = RowRuleRefusal(model, row); !refusal.empty()) throw refusal;
}

std::string NonFiniteRowRefusal(const Model& model) {
  int broken = 0;
  for (int i = 1; i <= model.nodes.count && broken == 0; ++i) {
    const NodeRecord& node = model.nodes[i];
    if (!std::isfinite(node.x) || !std::isfinite(node.y) || !std::isfinite(node.z)) broken = std::max(node.row, 1);
  }
  for (int row = 1; row <= model.rowCount && broken == 0; ++row)
    if (!BendGeometryFinite(model.row(row).element.get())) broken = row;
  if (broken == 0) return {};
  // Finite offsets give numbers that are not finite only by their size: the
  // largest offset of the model is where the overflow began.
  static const char* const kFields[] = {"DX", "DY", "DZ"};
  int row = broken;
  const char* field = "DX, DY, DZ";
  float largest = 0.0f;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& candidate = model.row(number);
    const float offsets[3] = {candidate.dx, candidate.dy, candidate.dz};
    for (int axis = 0; axis < 3; ++axis)
      if (std::fabs(offsets[axis]) > largest) {
        largest = std::fabs(offsets[axis]);
        row = number;
        field = kFields[axis];
      }
  }
  char text[160];
  std::snprintf(text, sizeof text,
                "Row %d: %s is too large:\nthe node coordinates or bend made from it are not finite numbers.",
                row, field);
  return text;
}
