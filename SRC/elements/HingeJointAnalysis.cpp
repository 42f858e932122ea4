// The hinge joint in the analysis; see HingeJoint.h. The element matrix is
// rigid (1.0e12) in the three translations and the turns about local y and
// z, and the effective spring about local x, the unit axis.
#include <algorithm>
#include <cmath>

#include "elements/ElementForces.h"
#include "elements/HingeJoint.h"
#include "elements/JointTurn.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kRigid = joint_turn::kRigid;
constexpr double kGravity = 386.4;
constexpr int kHingeKind = 12;

HingeJoint& HingeOf(const Model& model, int row) { return dynamic_cast<HingeJoint&>(*model.row(row).element); }

Matrix12d LocalStiffness(double spring) {
  Matrix12d K{};
  for (int i = 0; i < 6; ++i) {
    const double k = i == 3 ? spring : kRigid;
    K[i][i] = K[i + 6][i + 6] = k;
    K[i][i + 6] = K[i + 6][i] = -k;
  }
  return K;
}

// The friction moment as the element's equivalent end loads (local).
Vector12d FrictionLoads(double moment) {
  Vector12d F{};
  F[3] = -moment;
  F[9] = moment;
  return F;
}

// The spring the modes turn on: the operating case's secant with friction
// in dynamics or against a limit, else the hinge's own spring.
double ModalSpring(const HingeJoint& hinge) {
  const bool frictionInDynamics = TheModel().options.FrictionInDynamics != 0;
  return frictionInDynamics || hinge.rotationLimit < kNoRotationLimit ? hinge.secant : hinge.spring;
}

// The spring of the case: in the cases built from modes the one the
// eigenproblem used, whatever a static case solved since has left.
double CaseSpring(const HingeJoint& hinge, int type) {
  return hinge.IsNonlinear() && CaseUsesModalStiffness(type) ? ModalSpring(hinge) : hinge.turn.effective;
}

joint_turn::Data TurnData(const HingeJoint& hinge) {
  joint_turn::Data data;
  data.spring = hinge.spring;
  data.limited = hinge.rotationLimit < kNoRotationLimit;
  data.limit = hinge.rotationLimit;
  data.torque = std::fabs(hinge.frictionTorque);
  return data;
}

// The springs of the case before the matrix is built.
void UpdateSprings(HingeJoint& hinge, const AnalysisElementInput& input) {
  if (!hinge.IsNonlinear()) return;
  const int type = input.loads.caseType;
  if (CaseTypeIsOperatingT1(type) && !g_ElementForceRun.recovering) {
    hinge.secant = joint_turn::Secant(hinge.axisMoment, TurnData(hinge), hinge.turn);
  } else if (CaseUsesModalStiffness(type)) {
    hinge.turn.effective = ModalSpring(hinge);
  }
}

}  // namespace

void HingeJoint::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  const double length = std::sqrt(static_cast<double>(axis[0]) * axis[0] + static_cast<double>(axis[1]) * axis[1] +
                                  static_cast<double>(axis[2]) * axis[2]);
  if (length == 0.0) {
    const int node = model.row(rowNumber).runEnd;
    const NodeId id = node >= 1 && node <= model.nodes.count ? model.nodes[node].id : model.row(rowNumber).node;
    throw CFormat("Unable to find hinge joint direction at node %s", NodeNumberText(id));
  }
  spring = stiffness == 0.0f ? 1.0 : static_cast<double>(stiffness);
  builtNode1 = builtNode2 = 0;
  ResetIteration();
  secant = spring;
}

void HingeJoint::ResetIteration() {
  turn = joint_turn::Spring{};
  turn.effective = spring;
  axisMoment = 0.0;
}

void HingeJoint::UpdateIteration(int /*rowNumber*/) {
  if (!IsNonlinear() || builtNode1 == 0 || builtNode2 == 0) return;
  const Model& model = TheModel();
  const Vector12d u = ToLocal12(builtAxes, ElementDisplacements(ElementEquations(model, builtNode1, builtNode2)));
  // The moment about the axis at the second node, with the pairs of the
  // last solve, as the force recovery finds it.
  double m = -builtPair;
  for (int j = 0; j < 12; ++j) m += builtStiffness[9][j] * u[j];
  axisMoment = m;
  joint_turn::Step(u[9] - u[3], m, TurnData(*this), turn, kHingeKind, builtNode2);
}

void AssembleHingeJoint(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  HingeJoint& hinge = HingeOf(model, input.row);
  UpdateSprings(hinge, input);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::HingeJoint, input.row, input.node1,
                                                          input.node2);
  const Matrix12d K = LocalStiffness(hinge.turn.effective);
  AddElementStiffness(K, frames.end1, ElementEquations(model, input.node1, input.node2));
  const int type = input.loads.caseType;
  const bool pairs = type != kCaseIdRecalculatingHangerLoads && !CaseUsesModalStiffness(type) && !input.loads.modal;
  if (!g_ElementForceRun.recovering) {
    hinge.builtStiffness = K;
    hinge.builtPair = pairs ? hinge.turn.Pair() : 0.0;
    hinge.builtAxes = frames.end1;
    hinge.builtNode1 = input.node1;
    hinge.builtNode2 = input.node2;
  }
  if (input.loads.modal) {
    for (int node : {input.node1, input.node2}) AddNodeTranslationMass(model, node, hinge.weight / 2.0 / kGravity);
    return;
  }
  if (pairs && hinge.turn.Pair() != 0.0) {
    const Vector3d moment = Scaled(frames.end1.x, hinge.turn.Pair());
    AddNodeLoads(model, input.node1, {}, Scaled(moment, -1.0));
    AddNodeLoads(model, input.node2, {}, moment);
  }
  if (input.loads.sustained && hinge.weight != 0.0f) {
    const double half = hinge.weight / 2.0;
    const Vector3d down = input.loads.zVertical ? Vector3d{0.0, 0.0, -half} : Vector3d{0.0, -half, 0.0};
    AddNodeLoads(model, input.node1, down, {});
    AddNodeLoads(model, input.node2, down, {});
  }
  if (input.loads.seismic && hinge.weight != 0.0f) {
    const Vector3d inertia = Scaled(input.loads.seismicG, hinge.weight / 2.0);
    AddNodeLoads(model, input.node1, inertia, {});
    AddNodeLoads(model, input.node2, inertia, {});
  }
}

ElementForceBuild HingeJointForceBuild(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const HingeJoint& hinge = HingeOf(model, input.row);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::HingeJoint, input.row, input.node1,
                                                          input.node2);
  // A mode carries no pair; a static case is recovered in the state its
  // last solve used, not the one that solve has since decided.
  const int type = input.loads.caseType;
  if (CaseUsesModalStiffness(type)) return {LocalStiffness(CaseSpring(hinge, type)), Vector12d{}, frames};
  if (hinge.builtNode1 == input.node1 && hinge.builtNode2 == input.node2)
    return {hinge.builtStiffness, FrictionLoads(hinge.builtPair), frames};
  return {LocalStiffness(hinge.turn.effective), FrictionLoads(hinge.turn.Pair()), frames};
}
