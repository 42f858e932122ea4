// Equation numbers of the analysis model and the messages that name a node
// and direction for an equation.
//
// A node at renumbered position p (1..P, 0 when the node takes no part in the
// analysis) owns the six equations 6p-5 .. 6p in the direction order X, Y, Z,
// XX, YY, ZZ; E = 6P. Node positions are given as a table indexed by node
// index (1-based; entry 0 unused), as the renumbering leaves them.
//
// `ElementLocationVector` turns the node indexes of an element or support into
// the equations every assembly routine adds at. The kernels report a failing
// equation; `NotPositiveDefiniteMessage` maps it back to every node at that
// position and builds the program's text. Node numbers are formatted by the
// caller's node-number text operation (the model core owns that format).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

constexpr int kDofPerNode = 6;

// Up to 12 equation numbers (6 for one node, 12 for two); 0 means none and is
// skipped by the assembly.
struct LocationVector {
  std::int32_t count = 0;
  std::array<std::int32_t, 12> equation{};
};

// Formats the number of the node with the given node index for messages.
using NodeNumberTextFn = std::function<std::string(std::int32_t nodeIndex)>;

// positions: by node index, input of size nodeCount + 1, not modified.
// nodeB = 0 gives a 6-entry vector. A node without a position gives zeros.
LocationVector ElementLocationVector(std::span<const std::int32_t> positions, std::int32_t nodeA,
                                     std::int32_t nodeB);

// The position owning equation N (1-based) and its direction 1..6.
inline std::int32_t EquationPosition(std::int64_t equation) {
  return static_cast<std::int32_t>((equation - 1) / kDofPerNode + 1);
}
inline int EquationDirection(std::int64_t equation) {
  return static_cast<int>(equation - kDofPerNode * (EquationPosition(equation) - 1));
}
// "X", "Y", "Z", "XX", "YY", "ZZ" for directions 1..6.
const char* DirectionName(int direction);

// "Stiffness matrix is not positive definite", then for every node at the
// equation's position "\nAt node <number>, Direction = <name>". Equation 0
// gives the first line alone (a zero pivot met during the solve).
std::string NotPositiveDefiniteMessage(std::int64_t equation, std::span<const std::int32_t> positions,
                                       const NodeNumberTextFn& nodeNumberText);
