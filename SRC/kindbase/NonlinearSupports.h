// What a support kind adds to a run beyond its stiffness and its loads: a
// preparation once per run (directions, axes, connected nodes; a thrown
// message stops the run) and, for the kinds whose stiffness depends on the
// pipe's movement (gaps, limits, friction), a start state before each static
// case and a state update after each solve of the nonlinear iteration.
//
// A data item takes part by also deriving from RunPreparedSupport; the
// iteration (NonlinearIteration.h) finds such items on the layout rows once
// per run. Only the items that iterate are asked for their stiffness in
// every pass: any other item must add the same terms in every pass of a
// case, since the later passes add again what it added in the first
// (Assembly.h).
#pragma once

#include <array>
#include <cstdint>

class RunPreparedSupport {
 public:
  virtual ~RunPreparedSupport() = default;
  // Once per run, after the renumbering, with the row of the item.
  virtual void PrepareForRun(int rowNumber) = 0;
  // Whether ResetIteration and UpdateIteration mean anything for this item,
  // and so whether its stiffness may change between passes. The same
  // answer for the whole run.
  virtual bool Iterates() const { return false; }
  // The start state of a static case's iteration.
  virtual void ResetIteration() {}
  // After a solve: compare the new response with the last one, change the
  // state and count what did not converge (CountNonlinearChange).
  virtual void UpdateIteration(int rowNumber) { (void)rowNumber; }
  // A support load that is the size of a vector of two components, each
  // linear in the movement (a friction spring times the sliding across a
  // direction), is no sum of the modes' sizes: a response that superposes
  // the modes (time history, harmonic) superposes the two components and
  // takes the size of the sum. Its index among the item's support loads
  // (-1: the item has none), and its two components in the solution at
  // hand, with the state of the current case.
  virtual int SizedLoadIndex() const { return -1; }
  virtual std::array<double, 2> SizedLoadComponents(int rowNumber) const {
    (void)rowNumber;
    return {};
  }
};

// --- what the directional supports share in the analysis ---------------------
// (the limit stop, the guide, the skewed restraint and the snubber: springs
// along or across unit directions, to the ground or to a connected node)

#include <array>
#include <string>

struct Model;

using Direction3 = std::array<double, 3>;
using Block3 = std::array<std::array<double, 3>, 3>;

// The node index of a node number, 0 when the table does not hold it.
int SupportNodeIndex(const Model& model, std::int32_t nodeId);
// Node text of a node index ("?" outside the table).
std::string SupportNodeText(const Model& model, int nodeIndex);
// Whether the node at the index has equations.
bool SupportNodeHasEquations(const Model& model, int nodeIndex);
// The unit vector from the connected node to the own node; zero when either
// is missing, they are one node, or they lie closer than 1e-10.
Direction3 DirectionFromConnectedNode(const Model& model, int ownIndex, int connectedIndex);
// Unit vector of (x, y, z); zero stays zero.
Direction3 UnitDirection(double x, double y, double z);
double Length3(const Direction3& v);
double Dot3(const Direction3& a, const Direction3& b);
// Two unit axes across d (a unit vector), by the local frame rule with d as x.
void AxesAcross(const Direction3& d, Direction3& e2, Direction3& e3);
// k d dT.
Block3 DyadicBlock(const Direction3& d, double k);
void AddBlock(Block3& to, const Block3& block);
// Adds the 3 x 3 block at the node's translations (offset 0) or rotations
// (offset 3); with a connected node (index not 0) as a spring between the
// two: the block at both nodes and minus the block between them.
void AddSpringBlock(const Model& model, int nodeIndex, int connectedIndex, const Block3& block, int offset);
// The node's three solved translations (offset 0) or rotations (3), minus
// those of the connected node when its index is not 0.
Direction3 RelativeSolved(const Model& model, int nodeIndex, int connectedIndex, int offset);
// Adds f at the node's translations and -f at the connected node's.
void AddSpringLoad(const Model& model, int nodeIndex, int connectedIndex, const Direction3& f);
