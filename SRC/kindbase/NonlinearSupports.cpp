// The springs of the directional supports; see NonlinearSupports.h.
#include "kindbase/NonlinearSupports.h"

#include <cmath>

#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "model/Nodes.h"

int SupportNodeIndex(const Model& model, std::int32_t nodeId) {
  if (nodeId == 0) return 0;
  return FindNodeIndex(model.nodes, nodeId);
}

std::string SupportNodeText(const Model& model, int nodeIndex) {
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return "?";
  return NodeNumberText(model.nodes[nodeIndex].id);
}

bool SupportNodeHasEquations(const Model& model, int nodeIndex) {
  return nodeIndex >= 1 && nodeIndex <= model.nodes.count && model.nodes[nodeIndex].equation != 0;
}

Direction3 DirectionFromConnectedNode(const Model& model, int ownIndex, int connectedIndex) {
  if (ownIndex < 1 || connectedIndex < 1 || ownIndex == connectedIndex || ownIndex > model.nodes.count ||
      connectedIndex > model.nodes.count)
    return {};
  const NodeRecord& own = model.nodes[ownIndex];
  const NodeRecord& other = model.nodes[connectedIndex];
  const Direction3 d{static_cast<double>(own.x) - other.x, static_cast<double>(own.y) - other.y,
                     static_cast<double>(own.z) - other.z};
  const double length = Length3(d);
  if (length < 1.0e-10) return {};
  return {d[0] / length, d[1] / length, d[2] / length};
}

double Length3(const Direction3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
double Dot3(const Direction3& a, const Direction3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Direction3 UnitDirection(double x, double y, double z) {
  const Direction3 d{x, y, z};
  const double length = Length3(d);
  if (length == 0.0) return {};
  return {x / length, y / length, z / length};
}

Block3 DyadicBlock(const Direction3& d, double k) {
  Block3 block{};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j) block[i][j] = k * d[i] * d[j];
  return block;
}

void AddBlock(Block3& to, const Block3& block) {
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j) to[i][j] += block[i][j];
}

void AddSpringBlock(const Model& model, int nodeIndex, int connectedIndex, const Block3& block, int offset) {
  ElementMatrixPacked packed;
  if (connectedIndex == 0) {
    packed.n = 6;
    for (int i = 0; i < 3; ++i)
      for (int j = i; j < 3; ++j)
        packed.value[static_cast<std::size_t>(PackedIndex(6, offset + i + 1, offset + j + 1))] =
            block[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    AddSupportMatrix(packed, NodeLocationVector(model.nodes, nodeIndex));
    return;
  }
  packed.n = 12;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const double value = block[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
      const int a = offset + i + 1, b = offset + j + 1;
      if (j >= i) {
        packed.value[static_cast<std::size_t>(PackedIndex(12, a, b))] = value;
        packed.value[static_cast<std::size_t>(PackedIndex(12, a + 6, b + 6))] = value;
      }
      // The coupling block -B between the node (rows) and the connected node.
      packed.value[static_cast<std::size_t>(PackedIndex(12, a, b + 6))] = -value;
    }
  const LocationVector first = NodeLocationVector(model.nodes, nodeIndex);
  const LocationVector second = NodeLocationVector(model.nodes, connectedIndex);
  LocationVector both;
  both.count = 12;
  for (std::size_t i = 0; i < 6; ++i) {
    both.equation[i] = first.equation[i];
    both.equation[6 + i] = second.equation[i];
  }
  AddSupportMatrix(packed, both);
}

Direction3 RelativeSolved(const Model& model, int nodeIndex, int connectedIndex, int offset) {
  Direction3 u{};
  const LocationVector own = NodeLocationVector(model.nodes, nodeIndex);
  for (std::size_t i = 0; i < 3; ++i) u[i] = SolvedValue(own.equation[static_cast<std::size_t>(offset) + i]);
  if (connectedIndex != 0) {
    const LocationVector other = NodeLocationVector(model.nodes, connectedIndex);
    for (std::size_t i = 0; i < 3; ++i) u[i] -= SolvedValue(other.equation[static_cast<std::size_t>(offset) + i]);
  }
  return u;
}

void AddSpringLoad(const Model& model, int nodeIndex, int connectedIndex, const Direction3& f) {
  const LocationVector own = NodeLocationVector(model.nodes, nodeIndex);
  for (std::size_t i = 0; i < 3; ++i) AddLoadTerm(own.equation[i], f[i]);
  if (connectedIndex == 0) return;
  const LocationVector other = NodeLocationVector(model.nodes, connectedIndex);
  for (std::size_t i = 0; i < 3; ++i) AddLoadTerm(other.equation[i], -f[i]);
}
