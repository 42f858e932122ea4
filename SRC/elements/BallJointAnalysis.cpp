// The ball joint in the analysis; see BallJoint.h.
#include <algorithm>
#include <cmath>

#include "elements/BallJoint.h"
#include "elements/ElementForces.h"
#include "elements/JointTurn.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kRigid = joint_turn::kRigid;
constexpr double kNone = joint_turn::kStill;
constexpr double kGravity = 386.4;
constexpr float kNoLimit = 5.0e29f;
constexpr int kBallKind = 13;

BallJoint& BallOf(const Model& model, int row) { return dynamic_cast<BallJoint&>(*model.row(row).element); }

Matrix12d LocalStiffness(double torsion, double bending) {
  Matrix12d K{};
  for (int i = 0; i < 6; ++i) {
    const double k = i < 3 ? kRigid : i == 3 ? torsion : bending;
    K[i][i] = K[i + 6][i + 6] = k;
    K[i][i + 6] = K[i + 6][i] = -k;
  }
  return K;
}

Vector12d FrictionLoads(const std::array<double, 3>& m) {
  Vector12d F{};
  for (int i = 0; i < 3; ++i) {
    F[3 + i] = -m[static_cast<std::size_t>(i)];
    F[9 + i] = m[static_cast<std::size_t>(i)];
  }
  return F;
}

// The spring the modes turn on, of one of the two: the operating case's
// secant with friction in dynamics or against a limit, else the joint's own.
double ModalSpring(bool limited, double spring, double secant) {
  return TheModel().options.FrictionInDynamics != 0 || limited ? secant : spring;
}

// The secant (operating case) or the modal spring of one of the two.
// While held at its limit the secant is the moment over the limit.
void UpdateSpring(bool nonlinear, bool limited, bool held, double limit, double moment, double friction,
                  double spring, double& effective, double& secant, int type) {
  if (!nonlinear) return;
  if (CaseTypeIsOperatingT1(type) && !g_ElementForceRun.recovering) {
    secant = held ? moment / limit : moment <= friction ? kRigid : moment * effective / (moment - friction);
  } else if (CaseUsesModalStiffness(type)) {
    effective = ModalSpring(limited, spring, secant);
  }
}

bool TorsionNonlinear(const BallJoint& ball) {
  return ball.torsionalFrictionTorque != 0.0f || ball.torsionalRotationLimit < kNoLimit;
}
bool BendingNonlinear(const BallJoint& ball) {
  return ball.bendingFrictionTorque != 0.0f || ball.bendingRotationLimit < kNoLimit;
}

double Signed(double limit, double of) { return of > 0.0 ? -limit : of < 0.0 ? limit : 0.0; }

}  // namespace

void BallJoint::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).runEnd;
  Vector3 direction{};
  if (node < 1 || node > model.nodes.count || PipeDirectionAtNode(model, node, direction, false) != 0) {
    const NodeId id = node >= 1 && node <= model.nodes.count ? model.nodes[node].id : model.row(rowNumber).node;
    throw CFormat("Unable to find ball joint direction at node %s", NodeNumberText(id));
  }
  torsionSpring = torsionalStiffness == 0.0f ? 1.0 : static_cast<double>(torsionalStiffness);
  bendingSpring = bendingStiffness == 0.0f ? 1.0 : static_cast<double>(bendingStiffness);
  builtNode1 = builtNode2 = 0;
  ResetIteration();
  secantTorsion = torsionSpring;
  secantBending = bendingSpring;
}

void BallJoint::ResetIteration() {
  torsion = joint_turn::Spring{};
  torsion.effective = torsionSpring;
  effectiveBending = bendingSpring;
  previousBending = {};
  moments = {};
  bendingFriction = {};
  bendingLimitPair = {};
}

std::array<double, 3> BallJoint::Pairs() const {
  return {torsion.Pair(), bendingFriction[0] + bendingLimitPair[0], bendingFriction[1] + bendingLimitPair[1]};
}

namespace {

// The bending spring after a solve: b the turn about local y and z, m the
// moments it carried. As one turning spring (JointTurn.h) in the plane of
// the bend: held at the limit in the direction it turned past it.
void BendingStep(const std::array<double, 2>& b, const std::array<double, 2>& m, const BallJoint& ball,
                 double& effective, std::array<double, 2>& friction, std::array<double, 2>& limitPair,
                 std::array<double, 2>& previous, int node) {
  const double ab = std::hypot(b[0], b[1]), mb = std::hypot(m[0], m[1]);
  const double tb = std::fabs(ball.bendingFrictionTorque), lb = ball.bendingRotationLimit;
  const bool limited = ball.bendingRotationLimit < kNoLimit;
  for (std::size_t i = 0; i < 2; ++i)
    if (!NonlinearConverged(b[i], previous[i], kBallKind, 0, node)) CountNonlinearChange();
  const double oldEffective = effective;
  const bool held = limitPair[0] != 0.0 || limitPair[1] != 0.0;
  bool hold = false;
  if (limited) {
    if (held) {
      const double rest = std::hypot(limitPair[0], limitPair[1]);
      hold = (m[0] * limitPair[0] + m[1] * limitPair[1]) / rest >= ball.bendingSpring * lb + tb;
    } else if (ab > lb * 1.000001) {
      NonlinearConverged(ab, lb, kBallKind, 0, node);
      CountNonlinearChange();
      hold = true;
    }
  }
  if (hold) {
    if (!held)
      for (std::size_t i = 0; i < 2; ++i) limitPair[i] = kRigid * lb * b[i] / ab;
    effective = kRigid;
    friction = {};
  } else {
    limitPair = {};
    effective = ball.bendingSpring;
    // Against the moment, shared by the ratio of its two parts.
    const double ratio = m[0] == 0.0 ? (m[1] == 0.0 ? 1.0 : 1.0e30) : std::fabs(m[1]) / std::fabs(m[0]);
    const double fy = tb / std::sqrt(ratio * ratio + 1.0);
    const double fz = std::sqrt(std::max(0.0, tb * tb - fy * fy));
    friction = {Signed(std::min(fy, std::fabs(m[0])), m[0]), Signed(std::min(fz, std::fabs(m[1])), m[1])};
    if ((friction[0] != 0.0 || friction[1] != 0.0) && mb < tb) {
      if (ab > kNone) {
        effective = 2.0 * tb / ab;
        NonlinearConverged(ab, kNone, kBallKind, 0, node);
        CountNonlinearChange();
      } else {
        effective = kRigid;
      }
    }
  }
  if (!NonlinearConvergedAbs1(effective, oldEffective, kBallKind, 0, node)) CountNonlinearChange();
  previous = b;
}

}  // namespace

void BallJoint::UpdateIteration(int /*rowNumber*/) {
  if (!IsNonlinear() || builtNode1 == 0 || builtNode2 == 0) return;
  const Model& model = TheModel();
  const Vector12d u = ToLocal12(builtAxes, ElementDisplacements(ElementEquations(model, builtNode1, builtNode2)));
  // The moments at the second node with the pairs of the last solve, as the
  // force recovery finds them.
  const Vector12d F = FrictionLoads(builtPairs);
  for (int i = 0; i < 3; ++i) {
    double m = -F[9 + i];
    for (int j = 0; j < 12; ++j) m += builtStiffness[9 + i][j] * u[j];
    moments[static_cast<std::size_t>(i)] = m;
  }
  const int node = builtNode2;
  if (TorsionNonlinear(*this)) {
    joint_turn::Data data;
    data.spring = torsionSpring;
    data.limited = torsionalRotationLimit < kNoLimit;
    data.limit = torsionalRotationLimit;
    data.torque = std::fabs(torsionalFrictionTorque);
    data.stick = 2.0;
    joint_turn::Step(u[9] - u[3], moments[0], data, torsion, kBallKind, node);
  }
  if (BendingNonlinear(*this))
    BendingStep({u[10] - u[4], u[11] - u[5]}, {moments[1], moments[2]}, *this, effectiveBending, bendingFriction,
                bendingLimitPair, previousBending, node);
}

void AssembleBallJoint(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  BallJoint& ball = BallOf(model, input.row);
  const int type = input.loads.caseType;
  UpdateSpring(TorsionNonlinear(ball), ball.torsionalRotationLimit < kNoLimit, ball.torsion.Held(),
               ball.torsionalRotationLimit, std::fabs(ball.moments[0]), std::fabs(ball.torsionalFrictionTorque),
               ball.torsionSpring, ball.torsion.effective, ball.secantTorsion, type);
  UpdateSpring(BendingNonlinear(ball), ball.bendingRotationLimit < kNoLimit,
               ball.bendingLimitPair[0] != 0.0 || ball.bendingLimitPair[1] != 0.0, ball.bendingRotationLimit,
               std::hypot(ball.moments[1], ball.moments[2]), std::fabs(ball.bendingFrictionTorque), ball.bendingSpring,
               ball.effectiveBending, ball.secantBending, type);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::BallJoint, input.row, input.node1,
                                                          input.node2);
  const Matrix12d K = LocalStiffness(ball.torsion.effective, ball.effectiveBending);
  AddElementStiffness(K, frames.end1, ElementEquations(model, input.node1, input.node2));
  const bool pairs = type != kCaseIdRecalculatingHangerLoads && !CaseUsesModalStiffness(type) && !input.loads.modal;
  if (!g_ElementForceRun.recovering) {
    ball.builtStiffness = K;
    ball.builtPairs = pairs ? ball.Pairs() : std::array<double, 3>{};
    ball.builtAxes = frames.end1;
    ball.builtNode1 = input.node1;
    ball.builtNode2 = input.node2;
  }
  if (input.loads.modal) {
    for (int node : {input.node1, input.node2}) AddNodeTranslationMass(model, node, ball.weight / 2.0 / kGravity);
    return;
  }
  const std::array<double, 3> f = ball.Pairs();
  if (pairs && (f[0] != 0.0 || f[1] != 0.0 || f[2] != 0.0)) {
    Vector3d moment{};
    for (int i = 0; i < 3; ++i)
      moment[i] = frames.end1.x[i] * f[0] + frames.end1.y[i] * f[1] + frames.end1.z[i] * f[2];
    AddNodeLoads(model, input.node1, {}, Scaled(moment, -1.0));
    AddNodeLoads(model, input.node2, {}, moment);
  }
  if (input.loads.sustained && ball.weight != 0.0f) {
    const double half = ball.weight / 2.0;
    const Vector3d down = input.loads.zVertical ? Vector3d{0.0, 0.0, -half} : Vector3d{0.0, -half, 0.0};
    AddNodeLoads(model, input.node1, down, {});
    AddNodeLoads(model, input.node2, down, {});
  }
  if (input.loads.seismic && ball.weight != 0.0f) {
    const Vector3d inertia = Scaled(input.loads.seismicG, ball.weight / 2.0);
    AddNodeLoads(model, input.node1, inertia, {});
    AddNodeLoads(model, input.node2, inertia, {});
  }
}

ElementForceBuild BallJointForceBuild(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const BallJoint& ball = BallOf(model, input.row);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::BallJoint, input.row, input.node1,
                                                          input.node2);
  // In the cases built from modes: the springs the eigenproblem used,
  // whatever a static case solved since has left, and no pairs. A static
  // case is recovered in the state its last solve used.
  if (!CaseUsesModalStiffness(input.loads.caseType)) {
    if (ball.builtNode1 == input.node1 && ball.builtNode2 == input.node2)
      return {ball.builtStiffness, FrictionLoads(ball.builtPairs), frames};
    return {LocalStiffness(ball.torsion.effective, ball.effectiveBending), FrictionLoads(ball.Pairs()), frames};
  }
  const double torsion = TorsionNonlinear(ball)
                             ? ModalSpring(ball.torsionalRotationLimit < kNoLimit, ball.torsionSpring,
                                           ball.secantTorsion)
                             : ball.torsion.effective;
  const double bending = BendingNonlinear(ball)
                             ? ModalSpring(ball.bendingRotationLimit < kNoLimit, ball.bendingSpring,
                                           ball.secantBending)
                             : ball.effectiveBending;
  return {LocalStiffness(torsion, bending), Vector12d{}, frames};
}
