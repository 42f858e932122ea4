// The rules of a layout row (see RowRules.h).
#include "model/RowRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "model/KindRecords.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/ModelGeometry.h"
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

const char* const kFields[] = {"DX", "DY", "DZ"};

// The largest offset of rows 1 to `last`, its row and field: where a
// coordinate too large for what is made from it began.
void LargestOffset(const Model& model, int last, int& row, const char*& field) {
  float largest = 0.0f;
  for (int number = 1; number <= last; ++number) {
    const LayoutRow& candidate = model.row(number);
    const float offsets[3] = {candidate.dx, candidate.dy, candidate.dz};
    for (int axis = 0; axis < 3; ++axis)
      if (std::fabs(offsets[axis]) > largest) {
        largest = std::fabs(offsets[axis]);
        row = number;
        field = kFields[axis];
      }
  }
}

// What node coordinates so far from the origin cannot hold at row `row`,
// with the largest offset up to it, where its distance came from. A bend's
// arc (`arc`) is made from its legs whatever its place, so that offset is
// the one to blame; an element is too short there, so its own row, whose
// offset makes it short, is named first.
std::string LostInCoordinatesText(const Model& model, int row, bool arc) {
  int far = row;
  const char* field = "DX, DY, DZ";
  LargestOffset(model, row, far, field);
  const char* const node = NodeNumberText(model.row(row).node);
  char text[224];
  if (arc)
    std::snprintf(text, sizeof text,
                  "Row %d: %s is too large:\nso far from the origin the node coordinates cannot hold the arc of the "
                  "bend at node %s.",
                  far, field, node);
  else
    std::snprintf(text, sizeof text,
                  "Row %d: the element is too short:\nso far from the origin (row %d's %s) the node coordinates "
                  "cannot hold the element at node %s.",
                  row, far, field, node);
  return text;
}

}  // namespace

std::string LostInCoordinatesRefusal(const Model& model, int row) {
  const LayoutRow& target = model.row(row);
  if (target.node == 0) return {};
  const BendRecord* bend = target.element != nullptr ? target.element->AsBend() : nullptr;
  if (bend != nullptr && bend->arcLostInCoordinates != 0) return LostInCoordinatesText(model, row, true);
  const int start = target.startNode, end = target.endNode;
  if (target.absolute || start < 1 || start > model.nodes.count || end < 1 || end > model.nodes.count) return {};
  const auto length = static_cast<float>(
      std::sqrt(double(target.dx) * target.dx + double(target.dy) * target.dy + double(target.dz) * target.dz));
  const float from[3] = {model.nodes[start].x, model.nodes[start].y, model.nodes[start].z};
  const float to[3] = {model.nodes[end].x, model.nodes[end].y, model.nodes[end].z};
  if (length <= 0.0001f || (CoordinatesHoldLength(from, length) && CoordinatesHoldLength(to, length))) return {};
  // A row at a node an earlier row made is made without its offsets.
  if (!RowMakesItsNode(model, row)) return {};
  return LostInCoordinatesText(model, row, false);
}

namespace {

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

std::string OffsetsWithoutLengthText(ElementType type, bool endsAtEarlierNode, NodeId node) {
  if (type == ElementType::Location) return "For Location, DX, DY, DZ should be zero";
  char text[96];
  if (type == ElementType::HingeJoint || type == ElementType::BallJoint) {
    std::snprintf(text, sizeof text, "For a %s joint DX, DY, DZ should be zero", ElementTypeMessageName(type));
    return text;
  }
  if (node == 0 || !endsAtEarlierNode) return {};
  std::snprintf(text, sizeof text, "Node %s already exists, so DX, DY, DZ should be zero", NodeNumberText(node));
  return text;
}

void RefuseOffsetsWithoutLength(const Model& model, int row, ElementType type, float dx, float dy, float dz) {
  if (dx == 0.0f && dy == 0.0f && dz == 0.0f) return;
  const NodeId node = model.row(row).node;
  if (std::string refusal = OffsetsWithoutLengthText(type, node != 0 && RowEndsAtEarlierNode(model, row), node);
      !refusal.empty())
    throw refusal;
}

std::string RowRuleRefusal(const Model& model, int row) {
  const LayoutRow& target = model.row(row);
  if (target.node == 0) return {};
  if (target.elementType == ElementType::Location)
    return LocationNodeIsMade(model, row) ? std::string() : kLocationNodeMessage;
  if (IsZeroLengthCandidate(target) && RowMakesItsNode(model, row)) return kZeroLengthMessage;
  return LostInCoordinatesRefusal(model, row);
}

void RefuseRowsBreakingRules(const Model& model, const std::vector<int>& rows) {
  for (int row : rows)
    if (std::string refusal = RowRuleRefusal(model, row); !refusal.empty()) throw refusal;
}

void RefuseRowsBreakingRules(const Model& model, int first, int last) {
  for (int row = first; row <= last; ++row)
    if (std::string refusal = RowRuleRefusal(model, row); !refusal.empty()) throw refusal;
}

std::string DuplicateNodeRefusal(const Model& model) {
  std::unordered_map<NodeId, int> first;
  first.reserve(static_cast<std::size_t>(model.nodes.count));
  for (int i = 1; i <= model.nodes.count; ++i) {
    const NodeRecord& node = model.nodes[i];
    const auto [at, added] = first.emplace(node.id, i);
    if (added) continue;
    const int earlier = std::max(model.nodes[at->second].row, 1);
    char text[160];
    std::snprintf(text, sizeof text, "Node %s is made twice:\nby row %d and by row %d.", NodeNumberText(node.id),
                  earlier, std::max(node.row, 1));
    return text;
  }
  return {};
}

std::string NonFiniteRowRefusal(const Model& model) {
  // A coordinate that overflows, or is so large that the picture's view
  // window made from it would, names the first row that went past the
  // limit and the axis it went past on: the row whose value overflowed,
  // not an earlier large one that it was added to.
  int nodeRow = 0, nodeAxis = 0;
  bool infinite = false;
  for (int i = 1; i <= model.nodes.count; ++i) {
    const NodeRecord& node = model.nodes[i];
    const float coordinates[3] = {node.x, node.y, node.z};
    for (int axis = 0; axis < 3; ++axis) {
      if (std::isfinite(coordinates[axis]) && std::fabs(coordinates[axis]) <= kLargestCoordinate) continue;
      const int row = std::max(node.row, 1);
      if (nodeRow == 0 || row < nodeRow) {
        nodeRow = row;
        nodeAxis = axis;
        infinite = !std::isfinite(coordinates[axis]);
      }
      break;
    }
  }
  char text[160];
  if (nodeRow != 0) {
    std::snprintf(text, sizeof text,
                  infinite ? "Row %d: %s is too large:\nthe node coordinates or bend made from it are not finite numbers."
                           : "Row %d: %s is too large:\nthe picture of the model made from it would not be finite.",
                  nodeRow, kFields[nodeAxis]);
    return text;
  }
  int broken = 0;
  for (int row = 1; row <= model.rowCount && broken == 0; ++row)
    if (!BendGeometryFinite(model.row(row).element.get())) broken = row;
  if (broken == 0) return {};
  // Finite offsets give a bend that is not finite only by their size: the
  // largest offset of the model is where the overflow began.
  int row = broken;
  const char* field = "DX, DY, DZ";
  LargestOffset(model, model.rowCount, row, field);
  std::snprintf(text, sizeof text,
                "Row %d: %s is too large:\nthe node coordinates or bend made from it are not finite numbers.",
                row, field);
  return text;
}
