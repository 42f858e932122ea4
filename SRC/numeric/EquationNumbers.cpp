// Equation numbers and the node-and-direction message; see EquationNumbers.h.
#include "numeric/EquationNumbers.h"

namespace {

void SetNodeEquations(LocationVector& vector, int first, std::int32_t position) {
  for (int d = 0; d < kDofPerNode; ++d)
    vector.equation[first + d] = position > 0 ? kDofPerNode * position - (kDofPerNode - 1) + d : 0;
}

std::int32_t PositionOf(std::span<const std::int32_t> positions, std::int32_t node) {
  if (node <= 0 || static_cast<std::size_t>(node) >= positions.size()) return 0;
  return positions[node];
}

}  // namespace

LocationVector ElementLocationVector(std::span<const std::int32_t> positions, std::int32_t nodeA,
                                     std::int32_t nodeB) {
  LocationVector vector;
  SetNodeEquations(vector, 0, PositionOf(positions, nodeA));
  vector.count = kDofPerNode;
  if (nodeB != 0) {
    SetNodeEquations(vector, kDofPerNode, PositionOf(positions, nodeB));
    vector.count = 2 * kDofPerNode;
  }
  return vector;
}

const char* DirectionName(int direction) {
  static const char* const names[] = {"X", "Y", "Z", "XX", "YY", "ZZ"};
  return direction >= 1 && direction <= kDofPerNode ? names[direction - 1] : "?";
}

std::string NotPositiveDefiniteMessage(std::int64_t equation, std::span<const std::int32_t> positions,
                                       const NodeNumberTextFn& nodeNumberText) {
  std::string text = "Stiffness matrix is not positive definite";
  if (equation <= 0) return text;
  const std::int32_t position = EquationPosition(equation);
  const char* direction = DirectionName(EquationDirection(equation));
  for (std::size_t node = 1; node < positions.size(); ++node) {
    if (positions[node] != position) continue;
    text += "\nAt node ";
    text += nodeNumberText(static_cast<std::int32_t>(node));
    text += ", Direction = ";
    text += direction;
  }
  return text;
}
