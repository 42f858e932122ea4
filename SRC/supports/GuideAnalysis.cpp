// The guide in the analysis (see Guide.h): two lateral springs of the one
// stiffness, each closed only once its gap is taken up (then the spring
// carries k (u - g) beyond +g, k (u + g) beyond -g, the constant part going
// to the load side), and axial friction as a spring: the friction capacity
// over the sliding movement while the pipe slides, 1.0e12 while it sticks.
#include <cmath>

#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "services/NumberFormat.h"
#include "supports/Guide.h"

namespace {

constexpr double kStuck = 1.0e12;
constexpr int kDataKind = 5;

double Zeroed(double value, double floor) { return std::fabs(value) < floor ? 0.0 : value; }

// The axial friction spring of the modes: the operating case's with
// friction in dynamics, else none.
double ModalFrictionStiffness(const Guide& guide) {
  return TheModel().options.FrictionInDynamics != 0 ? guide.savedFrictionStiffness : 0.0;
}

// The operating case's state, which the modes and the responses built from
// them take over.
void KeepOperatingState(Guide& guide) {
  guide.savedContact1 = guide.contact1;
  guide.savedContact2 = guide.contact2;
  guide.savedFrictionStiffness = guide.frictionStiffness;
}

void ExchangeSavedState(Guide& guide) {
  if (!guide.IsNonlinear()) return;
  if (CaseIsOperatingT1()) {
    KeepOperatingState(guide);
  } else if (CaseUsesModalState()) {
    guide.contact1 = guide.savedContact1;
    guide.contact2 = guide.savedContact2;
    guide.frictionStiffness = ModalFrictionStiffness(guide);
  }
}

// The lateral spring of a direction in a contact state: with a gap, none
// while it is open.
double LateralSpring(const Guide& guide, std::int32_t contact) {
  return guide.gap != 0.0f && contact == kGuideOpen ? 0.0 : static_cast<double>(guide.stiffness);
}

// The contact and the spring force of one lateral direction.
std::int32_t LateralContact(double u, double gap) {
  if (u < -gap) return kGuideNegative;
  if (u > gap) return kGuidePositive;
  return kGuideOpen;
}

double LateralForce(double k, double u, double gap) {
  if (gap == 0.0) return k * u;
  if (u > gap) return k * (u - gap);
  if (u < -gap) return k * (u + gap);
  return 0.0;
}

}  // namespace

bool GuideLocalAxes(Guide& guide, int nodeIndex) {
  Vector3 direction{};
  if (nodeIndex < 1 || PipeDirectionAtNode(TheModel(), nodeIndex, direction, false) != 0) return false;
  guide.axis = UnitDirection(direction[0], direction[1], direction[2]);
  AxesAcross(guide.axis, guide.lateral1, guide.lateral2);
  return true;
}

void Guide::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!GuideLocalAxes(*this, node))
    throw CFormat("Unable to find guide direction at node %s", SupportNodeText(model, node).c_str());
  connectedIndex = SupportNodeIndex(model, connectedNode);
  ResetIteration();
  savedContact1 = savedContact2 = kGuideOpen;
  savedFrictionStiffness = 0.0;
}

void Guide::ResetIteration() {
  contact1 = contact2 = kGuideOpen;
  frictionStiffness = 0.0;
  lastAxial = lastLateral1 = lastLateral2 = 0.0;
}

void Guide::AddStiffness(int rowNumber) {
  ExchangeSavedState(*this);
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!SupportNodeHasEquations(model, node)) return;
  if (gap != 0.0f && contact1 == kGuideOpen && contact2 == kGuideOpen) return;
  Block3 block = DyadicBlock(axis, frictionStiffness);
  AddBlock(block, DyadicBlock(lateral1, LateralSpring(*this, contact1)));
  AddBlock(block, DyadicBlock(lateral2, LateralSpring(*this, contact2)));
  AddSpringBlock(model, node, connectedIndex, block, 0);
  if (gap == 0.0f || CaseIsRecalculatingHangerLoads() || CaseUsesModalState()) return;
  const double g = gap;
  auto closure = [&](std::int32_t contact, const Direction3& lateral) {
    if (contact == kGuideOpen) return;
    const double f = contact == kGuideNegative ? -stiffness * g : stiffness * g;
    AddSpringLoad(model, node, connectedIndex, {f * lateral[0], f * lateral[1], f * lateral[2]});
  };
  closure(contact1, lateral1);
  closure(contact2, lateral2);
}

void Guide::UpdateIteration(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!IsNonlinear() || !SupportNodeHasEquations(model, node)) return;
  if (connectedIndex != 0 && !SupportNodeHasEquations(model, connectedIndex))
    throw CFormat("For guide at node %s, connected node %s has loc = 0", SupportNodeText(model, node).c_str(),
                  std::string(NodeNumberText(connectedNode)).c_str());
  const Direction3 u = RelativeSolved(model, node, connectedIndex, 0);
  const double ua = Zeroed(Dot3(axis, u), 1.0e-14);
  const double u1 = Zeroed(Dot3(lateral1, u), 1.0e-14);
  const double u2 = Zeroed(Dot3(lateral2, u), 1.0e-14);
  const double F1 = LateralForce(stiffness, u1, gap), F2 = LateralForce(stiffness, u2, gap);
  if (gap != 0.0f) {
    const std::int32_t next1 = LateralContact(u1, gap), next2 = LateralContact(u2, gap);
    // A contact that opened or closed in this pass is solved again first.
    const bool changed = next1 != contact1 || next2 != contact2;
    contact1 = next1;
    contact2 = next2;
    if (contact1 == kGuideOpen && contact2 == kGuideOpen) {
      frictionStiffness = 0.0;
      lastAxial = 0.0;
    }
    const bool converged = NonlinearConverged(u1, lastLateral1, 0, kDataKind, node) &&
                           NonlinearConverged(u2, lastLateral2, 0, kDataKind, node);
    lastLateral1 = u1;
    lastLateral2 = u2;
    if (changed || !converged) CountNonlinearChange();
    if (!converged) return;
  }
  if (frictionCoefficient == 0.0f) return;
  const double capacity = frictionCoefficient * std::hypot(F1, F2);
  if (capacity < 1.0) {
    frictionStiffness = 0.0;
    lastAxial = 0.0;
    return;
  }
  if (!NonlinearConverged(ua, lastAxial, 0, kDataKind, node)) CountNonlinearChange();
  const double movement = std::fabs(ua);
  const double next = (movement > 0.0001 || movement * frictionStiffness > capacity) ? capacity / movement : kStuck;
  if (next == kStuck && frictionStiffness < 9.8e11) CountNonlinearChange();
  frictionStiffness = next;
  lastAxial = ua;
}

void Guide::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  std::array<float, 3> loads{};
  if (SupportNodeHasEquations(model, node)) {
    const Direction3 u = RelativeSolved(model, node, connectedIndex, 0);
    const double ua = Zeroed(Dot3(axis, u), 1.0e-30);
    const double u1 = Zeroed(Dot3(lateral1, u), 1.0e-30);
    const double u2 = Zeroed(Dot3(lateral2, u), 1.0e-30);
    if (CaseUsesModalState()) {
      // A mode's loads come of the springs that shaped it, whatever state a
      // static case solved since has left: the operating case's contacts
      // and friction spring, and no gap (a mode moves about that state).
      const bool nonlinear = IsNonlinear();
      const std::int32_t c1 = nonlinear ? savedContact1 : kGuideOpen, c2 = nonlinear ? savedContact2 : kGuideOpen;
      const bool open = gap != 0.0f && c1 == kGuideOpen && c2 == kGuideOpen;
      const double ka = frictionCoefficient != 0.0f && !open ? ModalFrictionStiffness(*this) : 0.0;
      loads = {static_cast<float>(ka * ua), static_cast<float>(LateralSpring(*this, c1) * u1),
               static_cast<float>(LateralSpring(*this, c2) * u2)};
    } else {
      const double axial = frictionCoefficient != 0.0f ? frictionStiffness * ua : 0.0;
      loads = {static_cast<float>(axial), static_cast<float>(LateralForce(stiffness, u1, gap)),
               static_cast<float>(LateralForce(stiffness, u2, gap))};
    }
  }
  // As at the limit stop: the modes take the friction spring of the state
  // this case reports, which the iteration's last update may have changed
  // after the last solve.
  if (IsNonlinear() && CaseIsOperatingT1()) KeepOperatingState(*this);
  KeepAndWriteSupportLoads(loads);
}
