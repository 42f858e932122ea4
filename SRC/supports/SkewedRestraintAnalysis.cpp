// The skewed restraint in the analysis (see SkewedRestraint.h): one spring
// along its unit direction on the node's translations or rotations, to the
// ground or to the connected node; its load k n.(u - v) is positive when the
// two nodes part along the direction.
#include "model/Model.h"
#include "services/NumberFormat.h"
#include "supports/SkewedRestraint.h"

namespace {

int Offset(const SkewedRestraint& restraint) { return restraint.rotational != 0 ? 3 : 0; }

}  // namespace

Direction3 SkewedRestraintShownDirection(const SkewedRestraint& restraint, int nodeIndex) {
  const Direction3 input{restraint.dirX, restraint.dirY, restraint.dirZ};
  if (restraint.connectedNode == 0 || Length3(input) >= 1.0e-6) return input;
  const Model& model = TheModel();
  return DirectionFromConnectedNode(model, nodeIndex, SupportNodeIndex(model, restraint.connectedNode));
}

void SkewedRestraint::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  Direction3 d{dirX, dirY, dirZ};
  connectedIndex = 0;
  if (connectedNode != 0) {
    connectedIndex = SupportNodeIndex(model, connectedNode);
    if (connectedIndex == 0)
      throw CFormat("Undefined connected node for skewed restraint at node %s", SupportNodeText(model, node).c_str());
    if (Length3(d) < 1.0e-6) d = DirectionFromConnectedNode(model, node, connectedIndex);
  }
  // A batch file can give one without any direction: it would hold nothing.
  if (Length3(d) < 1.0e-6)
    throw CFormat("Unable to find direction for skewed restraint at node %s", SupportNodeText(model, node).c_str());
  analysisDirection = UnitDirection(d[0], d[1], d[2]);
}

void SkewedRestraint::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!SupportNodeHasEquations(model, node)) return;
  if (connectedIndex != 0 && !SupportNodeHasEquations(model, connectedIndex))
    throw CFormat("For skewed restraint at node %s, connected node %s has loc = 0",
                  SupportNodeText(model, node).c_str(), std::string(NodeNumberText(connectedNode)).c_str());
  AddSpringBlock(model, node, connectedIndex, DyadicBlock(analysisDirection, stiffness), Offset(*this));
}

void SkewedRestraint::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  std::array<float, 1> loads{};
  if (SupportNodeHasEquations(model, node))
    loads[0] = static_cast<float>(stiffness * Dot3(analysisDirection, RelativeSolved(model, node, connectedIndex, Offset(*this))));
  KeepAndWriteSupportLoads(loads);
}
