// Geometry and model queries; see the header.
#include "model/ModelGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "services/Assert.h"
#include "services/General.h"

namespace {

constexpr float kVerticalTolerance = 0.0005f;

Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

bool ValidIndex(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

bool InCodes(int code, std::initializer_list<int> codes) {
  for (int member : codes)
    if (member == code) return true;
  return false;
}

// Types whose rows are elements with a length.
bool IsLineElement(ElementType type) {
  switch (type) {
    case ElementType::None:
    case ElementType::From:
    case ElementType::Location:
    case ElementType::Comment:
    case ElementType::HydrotestLoad:
    case ElementType::HingeJoint:
    case ElementType::BallJoint: return false;
    default: return true;
  }
}

// The direction from node `from` to node `to` when they are far enough apart.
bool DirectionBetween(const NodeTable& nodes, int from, int to, Vector3& direction) {
  if (!ValidIndex(nodes, from) || !ValidIndex(nodes, to)) return false;
  const Vector3 d{nodes[to].x - nodes[from].x, nodes[to].y - nodes[from].y,
                  nodes[to].z - nodes[from].z};
  const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  if (length < 0.0001f) return false;
  direction = {d[0] / length, d[1] / length, d[2] / length};
  return true;
}

// Direction of an element row at one of its ends.
bool ElementDirectionAt(const NodeTable& nodes, const LayoutRow& row, int node, bool reverse,
                        Vector3& direction) {
  if (!IsLineElement(row.elementType)) return false;
  if (node != row.startNode && node != row.endNode) return false;
  if (reverse && node == row.endNode) return DirectionBetween(nodes, row.endNode, row.startNode, direction);
  return DirectionBetween(nodes, row.startNode, row.endNode, direction);
}

// A point on a bend's arc (an intermediate node): the arc's tangent there,
// turning from the near point towards the far point.
bool ArcTangentAt(const NodeTable& nodes, const LayoutRow& row, int node, Vector3& direction) {
  const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (bend == nullptr || !bend->BendGeometryValid) return false;
  const NodeId id = nodes[node].id;
  if (id == 0 || (id != bend->intermediateNode1 && id != bend->intermediateNode2)) return false;
  const int nearIndex = FindNodeIndex(nodes, row.node + kArcNearOffset);
  const int farIndex = bend->farNode;
  if (!ValidIndex(nodes, nearIndex) || !ValidIndex(nodes, farIndex)) return false;
  const auto from = [&](int index) {
    return std::array<double, 3>{nodes[index].x - double(bend->centre[0]), nodes[index].y - double(bend->centre[1]),
                                 nodes[index].z - double(bend->centre[2])};
  };
  const auto cross = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return std::array<double, 3>{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  };
  const std::array<double, 3> normal = cross(from(nearIndex), from(farIndex));
  const std::array<double, 3> tangent = cross(normal, from(node));
  const double length = std::sqrt(tangent[0] * tangent[0] + tangent[1] * tangent[1] + tangent[2] * tangent[2]);
  if (!(length > 1.0e-9)) return false;
  direction = {static_cast<float>(tangent[0] / length), static_cast<float>(tangent[1] / length),
               static_cast<float>(tangent[2] / length)};
  return true;
}

std::int32_t ConnectedNodeOf(const LayoutRow& row) { return row.item != nullptr ? row.item->ConnectedNode() : 0; }

}  // namespace

LocalFrame& CurrentLocalFrame() {
  thread_local LocalFrame frame;
  return frame;
}

float NodeDistance(const NodeTable& nodes, int index1, int index2) {
  return static_cast<float>(NodeDistanceDouble(nodes, index1, index2));
}

double NodeDistanceDouble(const NodeTable& nodes, int index1, int index2) {
  if (!ValidIndex(nodes, index1) || !ValidIndex(nodes, index2)) return 0.0;
  const double dx = static_cast<double>(nodes[index2].x) - nodes[index1].x;
  const double dy = static_cast<double>(nodes[index2].y) - nodes[index1].y;
  const double dz = static_cast<double>(nodes[index2].z) - nodes[index1].z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void BuildLocalFrame(LocalFrame& frame, bool zVertical) {
  const Vector3& x = frame.x;
  if (!zVertical) {
    const float h = std::sqrt(x[0] * x[0] + x[2] * x[2]);
    if (h < kVerticalTolerance)
      frame.y = {-1.0f, 0.0f, 0.0f};
    else
      frame.y = {-x[0] * x[1] / h, h, -x[2] * x[1] / h};
    frame.z = Cross(frame.x, frame.y);
  } else {
    const float h = std::sqrt(x[0] * x[0] + x[1] * x[1]);
    if (h < kVerticalTolerance)
      frame.z = {-1.0f, 0.0f, 0.0f};
    else
      frame.z = {-x[0] * x[2] / h, -x[1] * x[2] / h, h};
    frame.y = Cross(frame.z, frame.x);
  }
}

void SetAxisFromNodes(LocalFrame& frame, const NodeTable& nodes, int index1, int index2,
                      bool zVertical) {
  QV_ASSERT(ValidIndex(nodes, index1) && ValidIndex(nodes, index2));
  Vector3 d{nodes[index2].x - nodes[index1].x, nodes[index2].y - nodes[index1].y,
            nodes[index2].z - nodes[index1].z};
  float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  if (length < 1.0e-12f) {
    length = 1.0f;  // coincident nodes: the element lies along X
    d[0] = 1.0f;
  }
  if (std::isfinite(length)) {
    frame.x = {d[0] / length, d[1] / length, d[2] / length};
  } else {
    // Nodes too far apart for the square of their distance in float: the
    // direction is still theirs.
    const double l = std::sqrt(double(d[0]) * d[0] + double(d[1]) * d[1] + double(d[2]) * d[2]);
    frame.x = {static_cast<float>(d[0] / l), static_cast<float>(d[1] / l), static_cast<float>(d[2] / l)};
  }
  BuildLocalFrame(frame, zVertical);
}

namespace {

// The unit vector (C - P) / R from the node towards the arc's centre.
Vector3 TowardsCentre(const NodeRecord& p, const float centre[3], float radius) {
  return {(centre[0] - p.x) / radius, (centre[1] - p.y) / radius, (centre[2] - p.z) / radius};
}

}  // namespace

float BendArcAngle(const NodeTable& nodes, int index1, int index2, const float centre[3], float radius) {
  if (!ValidIndex(nodes, index1) || !ValidIndex(nodes, index2) || !(radius > 0.0f)) return 0.0f;
  const Vector3 y = TowardsCentre(nodes[index1], centre, radius);
  const Vector3 w = TowardsCentre(nodes[index2], centre, radius);
  return AngleBetween3(y.data(), w.data());
}

bool CoordinatesHoldLength(const float point[3], float length) {
  constexpr float kSteps = 8.0f;
  const float magnitude = std::max({std::fabs(point[0]), std::fabs(point[1]), std::fabs(point[2])});
  const float spacing = std::nextafter(magnitude, std::numeric_limits<float>::infinity()) - magnitude;
  return length >= kSteps * spacing;
}

float BendArcGeometry(LocalFrame& frame, const NodeTable& nodes, int index1, int index2,
                      const float centre[3], float radius) {
  QV_ASSERT(radius > 0.0f);
  QV_ASSERT(ValidIndex(nodes, index1) && ValidIndex(nodes, index2));
  frame.y = TowardsCentre(nodes[index1], centre, radius);
  const Vector3 w = TowardsCentre(nodes[index2], centre, radius);
  const float angle = AngleBetween3(frame.y.data(), w.data());
  QV_ASSERT(angle > 0.0f);
  const Vector3 normal = Cross(frame.y, w);
  const float sine = std::sin(angle);
  frame.z = {normal[0] / sine, normal[1] / sine, normal[2] / sine};
  frame.x = Cross(frame.y, frame.z);
  return angle;
}

int PipeDirectionAtNode(const Model& model, int nodeIndex, Vector3& direction, bool reverse) {
  direction = {1.0f, 0.0f, 0.0f};
  const NodeTable& nodes = model.nodes;
  if (!ValidIndex(nodes, nodeIndex)) return -1;
  const NodeId id = nodes[nodeIndex].id;
  const int kind = id / 100000;
  const NodeId plainId = id % 100000;
  int node = nodeIndex;
  // Arc ends point along the tangent through the bend's own node.
  if (kind >= 1 && kind <= 4) {
    const int plain = FindNodeIndex(nodes, plainId);
    if (plain == 0) return -1;
    const bool towardsPlain = kind == 1 || kind == 3;
    const int from = towardsPlain ? nodeIndex : plain;
    const int to = towardsPlain ? plain : nodeIndex;
    // Coincident nodes (an arc not yet placed) keep (1, 0, 0).
    DirectionBetween(nodes, from, to, direction);
    return 0;
  }
  if (kind == 5) node = FindNodeIndex(nodes, plainId);  // a jacket node follows its pipe node
  if (!ValidIndex(nodes, node)) return -1;
  const int creator = nodes[node].row;
  if (creator >= 1 && creator <= model.rowCount &&
      ElementDirectionAt(nodes, model.row(creator), node, reverse, direction))
    return 0;
  const bool zVertical = model.options.ZVertical != 0;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (reverse && row.item && ConnectedNodeOf(row) == nodes[node].id && nodes[node].id != 0) {
      if (row.dataType == DataType::Hanger) {
        direction = zVertical ? Vector3{0.0f, 0.0f, -1.0f} : Vector3{0.0f, -1.0f, 0.0f};
        return 0;
      }
      if ((row.dataType == DataType::SkewedRestraint || row.dataType == DataType::LimitStop) &&
          DirectionBetween(nodes, node, row.endNode, direction))
        return 0;
    }
    if (ElementDirectionAt(nodes, row, node, reverse, direction)) return 0;
  }
  // A point on a bend's arc that nothing else gives a direction.
  if (creator >= 1 && creator <= model.rowCount && ArcTangentAt(nodes, model.row(creator), node, direction)) {
    if (reverse) direction = {-direction[0], -direction[1], -direction[2]};
    return 0;
  }
  direction = {1.0f, 0.0f, 0.0f};
  return -1;
}

void ComputeModelViewExtents(Model& model) {
  GraphicsSettings& view = model.graphics;
  const Vector3 eye = view.viewDirection;
  const double length = std::sqrt(double(eye[0]) * eye[0] + double(eye[1]) * eye[1] + double(eye[2]) * eye[2]);
  if (model.nodes.count == 0 || !(length > 0.0) || !std::isfinite(length)) {
    view.extentLeft = view.extentBottom = -12.0f;
    view.extentRight = view.extentTop = 12.0f;
    return;
  }
  const bool zVertical = model.options.ZVertical != 0;
  Vector3 up{0.0f, 1.0f, 0.0f};
  if (zVertical)
    up = std::hypot(eye[0], eye[1]) >= 1e-12 ? Vector3{0.0f, 0.0f, 1.0f} : Vector3{-1.0f, 0.0f, 0.0f};
  else if (std::hypot(eye[0], eye[2]) < 1e-12)
    up = {0.0f, 0.0f, -1.0f};
  // Looking from the eye at the origin: forward f = -eye, across s = f x up,
  // screen up u = s x f.
  const Vector3 forward{static_cast<float>(-eye[0] / length), static_cast<float>(-eye[1] / length),
                        static_cast<float>(-eye[2] / length)};
  Vector3 across = Cross(forward, up);
  const float acrossLength = std::sqrt(across[0] * across[0] + across[1] * across[1] + across[2] * across[2]);
  for (float& value : across) value /= acrossLength;
  const Vector3 screenUp = Cross(across, forward);
  float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;
  for (int index = 1; index <= model.nodes.count; ++index) {
    const NodeRecord& node = model.nodes[index];
    const float x = across[0] * node.x + across[1] * node.y + across[2] * node.z;
    const float y = screenUp[0] * node.x + screenUp[1] * node.y + screenUp[2] * node.z;
    left = index == 1 ? x : std::min(left, x);
    right = index == 1 ? x : std::max(right, x);
    bottom = index == 1 ? y : std::min(bottom, y);
    top = index == 1 ? y : std::max(top, y);
  }
  view.extentLeft = left;
  view.extentRight = right;
  view.extentBottom = bottom;
  view.extentTop = top;
}

bool CodeGroupF(int code) { return InCodes(code, {8, 9, 10, 11, 101, 201, 15, 21}); }
bool CodeGroupG(int code) { return InCodes(code, {1, 7, 8, 9, 10, 11, 101, 201, 15, 21}); }
bool IsSwedishOrNorwegianCode(int code) { return InCodes(code, {18, 13, 14}); }
bool IsPipelineZCode(int code) { return InCodes(code, {19, 20, 22}); }
bool CodeUsesInOutPlaneSifs(int code) { return InCodes(code, {2, 3, 4, 5, 6, 16, 21}); }

bool ModelHasCutPipe(const Model& model) {
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).elementType == ElementType::CutPipe) return true;
  return false;
}

bool ModelHasHarmonicLoads(const Model& model) {
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).dataType == DataType::HarmonicLoad) return true;
  return false;
}

bool HasTimeHistoryLoads(const Model& model) {
  if (model.timeHistory.timeStep == 0.0f || model.timeHistory.stepCount == 0) return false;
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).dataType == DataType::TimeVaryingLoad) return true;
  return false;
}

void ClearCodeDependentData(Model& model) {
  if (model.options.PipingCode != 0) return;
  for (int number = 1; number <= model.rowCount; ++number) {
    const DataType type = model.row(number).dataType;
    if (type == DataType::HarmonicLoad || type == DataType::TimeVaryingLoad ||
        type == DataType::ForceSpectrumLoad)
      ClearDataType(model, number);
  }
  for (int index = 1; index <= model.sections.count; ++index) model.sections[index].soil.clear();
  ModelRecordTableReset(model.soils);
}

void SubtractVector6(float a[6], const float b[6]) {
  for (int i = 0; i < 6; ++i) a[i] -= b[i];
}

void SubtractVector12(float a[12], const float b[12]) {
  for (int i = 0; i < 12; ++i) a[i] -= b[i];
}
