// The ball joint in the analysis; see BallJoint.h.
#include <algorithm>
#include <cmath>

#include "elements/BallJoint.h"
#include "elements/ElementForces.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kRigid = 1.0e12;
constexpr double kNone = 1.0e-6;
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
void UpdateSpring(bool nonlinear, bool limited, double moment, double friction, double spring, double& effective,
                  double& secant, int type) {
  if (!nonlinear) return;
  if (CaseTypeIsOperatingT1(type) && !g_ElementForceRun.recovering) {
    secant = moment <= friction ? kRigid : moment * effective / (moment - friction);
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
  effectiveTorsion = torsionSpring;
  effectiveBending = bendingSpring;
  previousRotation = {};
  moments = {};
  frictionMoments = {};
}

void BallJoint::UpdateIteration(int /*rowNumber*/) {
  if (!IsNonlinear() || builtNode1 == 0 || builtNode2 == 0) return;
  const Model& model = TheModel();
  const Vector12d u = ToLocal12(builtAxes, ElementDisplacements(ElementEquations(model, builtNode1, builtNode2)));
  const Vector12d F = FrictionLoads(frictionMoments);
  for (int i = 0; i < 3; ++i) {
    double m = -F[9 + i];
    for (int j = 0; j < 12; ++j) m += builtStiffness[9 + i][j] * u[j];
    moments[static_cast<std::size_t>(i)] = m;
  }
  const double mt = moments[0], my = moments[1], mz = moments[2];
  const double ratio = my == 0.0 ? (mz == 0.0 ? 1.0 : 1.0e30) : std::fabs(mz) / std::fabs(my);
  const double mb = std::hypot(my, mz);
  const int node = builtNode2;
  const bool iterating = g_NonlinearIteration.iteration < 500;
  // Torsion.
  const double tt = std::fabs(torsionalFrictionTorque), lt = torsionalRotationLimit;
  const bool torsionLimited = torsionalRotationLimit < kNoLimit;
  if (tt != 0.0 || torsionLimited) {
    const double r = u[9] - u[3], a = std::fabs(r);
    if (!NonlinearConverged(r, previousRotation[0], kBallKind, 0, node)) CountNonlinearChange();
    if (torsionLimited && iterating && a > lt * 1.000001) {
      NonlinearConverged(a, lt, kBallKind, 0, node);
      CountNonlinearChange();
    }
    frictionMoments[0] = Signed(std::min(tt, std::fabs(mt)), mt);
    const double old = effectiveTorsion;
    effectiveTorsion = torsionSpring;
    if (torsionLimited && std::fabs(mt) > torsionSpring * lt + tt) {
      effectiveTorsion = (std::fabs(mt) - tt) / lt;
    } else if (frictionMoments[0] != 0.0 && std::fabs(mt) < tt) {
      if (a > kNone) {
        effectiveTorsion = 2.0 * tt / a;
        NonlinearConverged(a, kNone, kBallKind, 0, node);
        CountNonlinearChange();
      } else {
        effectiveTorsion = kRigid;
      }
    }
    if (!NonlinearConvergedAbs1(effectiveTorsion, old, kBallKind, 0, node)) CountNonlinearChange();
    previousRotation[0] = r;
  }
  // Bending.
  const double tb = std::fabs(bendingFrictionTorque), lb = bendingRotationLimit;
  const bool bendingLimited = bendingRotationLimit < kNoLimit;
  if (tb != 0.0 || bendingLimited) {
    const double by = u[10] - u[4], bz = u[11] - u[5], ab = std::hypot(by, bz);
    if (!NonlinearConverged(by, previousRotation[1], kBallKind, 0, node)) CountNonlinearChange();
    if (!NonlinearConverged(bz, previousRotation[2], kBallKind, 0, node)) CountNonlinearChange();
    if (bendingLimited && iterating && ab > lb * 1.000001) {
      NonlinearConverged(ab, lb, kBallKind, 0, node);
      CountNonlinearChange();
    }
    const double fy = tb / std::sqrt(ratio * ratio + 1.0);
    const double fz = std::sqrt(std::max(0.0, tb * tb - fy * fy));
    frictionMoments[1] = Signed(std::min(fy, std::fabs(my)), my);
    frictionMoments[2] = Signed(std::min(fz, std::fabs(mz)), mz);
    const double old = effectiveBending;
    effectiveBending = bendingSpring;
    if (bendingLimited && mb > bendingSpring * lb + tb) {
      effectiveBending = (mb - tb) / lb;
    } else if ((frictionMoments[1] != 0.0 || frictionMoments[2] != 0.0) && mb < tb) {
      if (ab > kNone) {
        effectiveBending = 2.0 * tb / ab;
        NonlinearConverged(ab, kNone, kBallKind, 0, node);
        CountNonlinearChange();
      } else {
        effectiveBending = kRigid;
      }
    }
    if (!NonlinearConvergedAbs1(effectiveBending, old, kBallKind, 0, node)) CountNonlinearChange();
    previousRotation[1] = by;
    previousRotation[2] = bz;
  }
}

void AssembleBallJoint(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  BallJoint& ball = BallOf(model, input.row);
  const int type = input.loads.caseType;
  UpdateSpring(TorsionNonlinear(ball), ball.torsionalRotationLimit < kNoLimit, std::fabs(ball.moments[0]),
               std::fabs(ball.torsionalFrictionTorque), ball.torsionSpring, ball.effectiveTorsion, ball.secantTorsion,
               type);
  UpdateSpring(BendingNonlinear(ball), ball.bendingRotationLimit < kNoLimit,
               std::hypot(ball.moments[1], ball.moments[2]), std::fabs(ball.bendingFrictionTorque), ball.bendingSpring,
               ball.effectiveBending, ball.secantBending, type);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::BallJoint, input.row, input.node1,
                                                          input.node2);
  const Matrix12d K = LocalStiffness(ball.effectiveTorsion, ball.effectiveBending);
  AddElementStiffness(K, frames.end1, ElementEquations(model, input.node1, input.node2));
  if (!g_ElementForceRun.recovering) {
    ball.builtStiffness = K;
    ball.builtAxes = frames.end1;
    ball.builtNode1 = input.node1;
    ball.builtNode2 = input.node2;
  }
  if (input.loads.modal) {
    for (int node : {input.node1, input.node2}) AddNodeTranslationMass(model, node, ball.weight / 2.0 / kGravity);
    return;
  }
  const auto& f = ball.frictionMoments;
  if ((f[0] != 0.0 || f[1] != 0.0 || f[2] != 0.0) && type != kCaseIdRecalculatingHangerLoads &&
      !CaseUsesModalStiffness(type)) {
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
  // whatever a static case solved since has left, and no friction pair.
  const bool modal = CaseUsesModalStiffness(input.loads.caseType);
  const double torsion = modal && TorsionNonlinear(ball)
                             ? ModalSpring(ball.torsionalRotationLimit < kNoLimit, ball.torsionSpring,
                                           ball.secantTorsion)
                             : ball.effectiveTorsion;
  const double bending = modal && BendingNonlinear(ball)
                             ? ModalSpring(ball.bendingRotationLimit < kNoLimit, ball.bendingSpring,
                                           ball.secantBending)
                             : ball.effectiveBending;
  return {LocalStiffness(torsion, bending), modal ? Vector12d{} : FrictionLoads(ball.frictionMoments), frames};
}
