// The limit stop in the analysis: its preparation, its stiffness and gap
// load, its step in the nonlinear iteration and its loads (see LimitStop.h).
//
// Beyond a limit the stop is a spring K along its direction whose free
// length ends at the limit: K (u - limit), so the gap's part K x limit goes
// to the load side. Once a limit is reached, friction across the direction
// is a spring too: the friction capacity over the sliding movement while it
// slides, 1.0e12 while it sticks. The friction load is the size of that
// spring's force across the direction, never negative; the responses that
// superpose modes take it from the superposed components
// (SizedLoadComponents), since the modes' sizes do not add.
#include "supports/LimitStop.h"

#include <cmath>

#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "records/AnalysisOptions.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kStuck = 1.0e12;
// Movements below this are taken as none in the loads.
constexpr double kNoMovement = 1.0e-30;
constexpr int kDataKind = 6;

// The friction spring of the modes: the operating case's with friction in
// dynamics, else none.
double ModalFrictionStiffness(const LimitStop& stop) {
  return stop.frictionCoefficient != 0.0f && TheModel().options.FrictionInDynamics != 0
             ? stop.savedFrictionStiffness
             : 0.0;
}

// The operating case's state, which the modes and the responses built from
// them take over.
void KeepOperatingState(LimitStop& stop) {
  stop.savedStatus = stop.status;
  if (stop.frictionCoefficient != 0.0f) stop.savedFrictionStiffness = stop.frictionStiffness;
}

// The state the stop takes into this case's assembly.
void ExchangeSavedState(LimitStop& stop) {
  if (CaseIsOperatingT1()) {
    KeepOperatingState(stop);
  } else if (CaseUsesModalState()) {
    stop.status = stop.savedStatus;
    stop.frictionStiffness = ModalFrictionStiffness(stop);
  }
}

}  // namespace

Direction3 LimitStopDirection(const LimitStop& stop, int nodeIndex) {
  if (stop.connectedNode == 0 || nodeIndex == 0) return {};
  const Model& model = TheModel();
  return DirectionFromConnectedNode(model, nodeIndex, SupportNodeIndex(model, stop.connectedNode));
}

Direction3 LimitStopShownDirection(const LimitStop& stop, int nodeIndex) {
  const Direction3 input{stop.dirX, stop.dirY, stop.dirZ};
  if (stop.connectedNode != 0 && Length3(input) < 1.0e-6) return LimitStopDirection(stop, nodeIndex);
  return input;
}

void LimitStop::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  Direction3 d{dirX, dirY, dirZ};
  connectedIndex = 0;
  if (connectedNode != 0) {
    connectedIndex = SupportNodeIndex(model, connectedNode);
    if (connectedIndex == 0)
      throw CFormat("For limit stop at node %s, undefined connected node %s", SupportNodeText(model, node).c_str(),
                    std::string(NodeNumberText(connectedNode)).c_str());
    if (Length3(d) < 1.0e-6) d = LimitStopDirection(*this, node);
  }
  // A batch file can give a stop without any direction: it would hold
  // nothing, so the run stops rather than ignore it.
  if (Length3(d) < 1.0e-6)
    throw CFormat("Unable to find direction for limit stop at node %s", SupportNodeText(model, node).c_str());
  direction = UnitDirection(d[0], d[1], d[2]);
  AxesAcross(direction, across2, across3);
  ResetIteration();
  savedStatus = kStopFree;
  savedFrictionStiffness = 0.0;
}

void LimitStop::ResetIteration() {
  status = kStopFree;
  frictionStiffness = 0.0;
  lastAxial = 0.0;
  lastTransverse = 0.0;
}

void LimitStop::AddStiffness(int rowNumber) {
  ExchangeSavedState(*this);
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (status == kStopFree || !SupportNodeHasEquations(model, node)) return;
  Block3 block = DyadicBlock(direction, stiffness);
  AddBlock(block, DyadicBlock(across2, frictionStiffness));
  AddBlock(block, DyadicBlock(across3, frictionStiffness));
  AddSpringBlock(model, node, connectedIndex, block, 0);
  if (CaseIsRecalculatingHangerLoads() || CaseUsesModalState()) return;
  const double f = static_cast<double>(stiffness) * (status == kStopLowerReached ? lowerLimit : upperLimit);
  AddSpringLoad(model, node, connectedIndex, {f * direction[0], f * direction[1], f * direction[2]});
}

void LimitStop::UpdateIteration(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (node == 0 || !SupportNodeHasEquations(model, node)) return;
  if (connectedIndex != 0 && !SupportNodeHasEquations(model, connectedIndex))
    throw CFormat("For limit stop at node %s, connected node %s has loc = 0", SupportNodeText(model, node).c_str(),
                  std::string(NodeNumberText(connectedNode)).c_str());
  const Direction3 movement = RelativeSolved(model, node, connectedIndex, 0);
  const double u = Dot3(direction, movement);
  const std::int32_t previous = status;
  status = u < lowerLimit ? kStopLowerReached : u > upperLimit ? kStopUpperReached : kStopFree;
  // A stop that reached or left a limit in this pass must be solved again
  // with its new status before its load can be trusted.
  if (status != previous) CountNonlinearChange();
  if (!NonlinearConverged(u, lastAxial, 0, kDataKind, node)) {
    if (status == previous) CountNonlinearChange();
    lastAxial = u;
    return;
  }
  lastAxial = u;
  if (frictionCoefficient == 0.0f) return;
  const bool beyondLower = u <= lowerLimit, beyondUpper = u >= upperLimit;
  if (status == kStopFree || !(beyondLower || beyondUpper)) {
    frictionStiffness = 0.0;
    lastTransverse = 0.0;
    return;
  }
  const double limit = beyondLower ? lowerLimit : upperLimit;
  const double normal = stiffness * std::fabs(u - limit);
  if (normal < 1.0) {
    frictionStiffness = 0.0;
    lastTransverse = 0.0;
    return;
  }
  const double capacity = frictionCoefficient * normal;
  const double t2 = Dot3(across2, movement), t3 = Dot3(across3, movement);
  const double s = std::sqrt(t2 * t2 + t3 * t3);
  if (!NonlinearConverged(s, lastTransverse, 0, kDataKind, node)) CountNonlinearChange();
  const double sliding = capacity / std::max(s, 1.0e-300);
  const double next = (s > 0.0001 || capacity < s * frictionStiffness) ? sliding : kStuck;
  if (next == kStuck && frictionStiffness < 9.8e11) CountNonlinearChange();
  frictionStiffness = next;
  lastTransverse = s;
}

namespace {

// The stop's axial load and the two components across it of its friction
// for the movement at hand, in the state of the current case.
struct StopResponse {
  double load = 0.0;
  std::array<double, 2> friction{};
};

StopResponse Respond(const LimitStop& stop, const Direction3& movement) {
  StopResponse response;
  double u = Dot3(stop.direction, movement);
  if (std::fabs(u) < kNoMovement) u = 0.0;
  std::int32_t reached = kStopFree;
  // A mode's loads come of the springs that shaped it, whatever state a
  // static case solved since has left: the operating case's status (K u,
  // no gap) and the modes' friction spring.
  const bool modal = CaseUsesModalState();
  const double kf = modal ? ModalFrictionStiffness(stop) : stop.frictionStiffness;
  if (modal) {
    reached = stop.savedStatus;
    if (reached != kStopFree) response.load = stop.stiffness * u;
  } else if (u < stop.lowerLimit) {
    reached = kStopLowerReached;
    response.load = stop.stiffness * (u - stop.lowerLimit);
  } else if (u > stop.upperLimit) {
    reached = kStopUpperReached;
    response.load = stop.stiffness * (u - stop.upperLimit);
  }
  if (stop.frictionCoefficient != 0.0f && reached != kStopFree) {
    // A stuck stop (Kf 1.0e12) holds the pipe by moving 1e-9: only
    // rounding-sized movements count as none, as at the guide.
    double t2 = Dot3(stop.across2, movement), t3 = Dot3(stop.across3, movement);
    if (std::fabs(t2) < kNoMovement) t2 = 0.0;
    if (std::fabs(t3) < kNoMovement) t3 = 0.0;
    response.friction = {t2 * kf, t3 * kf};
  }
  return response;
}

}  // namespace

void LimitStop::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  std::array<float, 2> loads{};
  if (SupportNodeHasEquations(model, node)) {
    const StopResponse response = Respond(*this, RelativeSolved(model, node, connectedIndex, 0));
    loads = {static_cast<float>(response.load),
             static_cast<float>(std::hypot(response.friction[0], response.friction[1]))};
  }
  // The iteration's last update may change the friction spring after the
  // last solve (its sliding converged, not the spring): the modes take the
  // spring of the state this case reports, friction over sliding, not that
  // of its last assembly.
  if (CaseIsOperatingT1()) KeepOperatingState(*this);
  KeepAndWriteSupportLoads(loads);
}

std::array<double, 2> LimitStop::SizedLoadComponents(int rowNumber) const {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!SupportNodeHasEquations(model, node)) return {};
  return Respond(*this, RelativeSolved(model, node, connectedIndex, 0)).friction;
}
