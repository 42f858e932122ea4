// One turning spring of a hinge or ball joint; see JointTurn.h.
#include "elements/JointTurn.h"

#include <algorithm>
#include <cmath>

#include "kindbase/NonlinearConvergence.h"

namespace joint_turn {

void Step(double r, double m, const Data& data, Spring& state, int kind, int node) {
  const double a = std::fabs(r), am = std::fabs(m), t = data.torque;
  if (!NonlinearConverged(r, state.previous, kind, 0, node)) CountNonlinearChange();
  const double oldEffective = state.effective;
  bool hold = false;
  if (data.limited) {
    if (state.Held()) {
      hold = m * (state.limitPair > 0.0 ? 1.0 : -1.0) >= data.spring * data.limit + t;
    } else if (a > data.limit * 1.000001) {
      // Past the limit: never settled, whatever pass this is.
      NonlinearConverged(a, data.limit, kind, 0, node);
      CountNonlinearChange();
      hold = true;
    }
  }
  if (hold) {
    const double rest = state.Held() ? state.limitPair / kRigid : std::copysign(data.limit, r);
    state.effective = kRigid;
    state.friction = 0.0;
    state.limitPair = kRigid * rest;
  } else {
    state.limitPair = 0.0;
    state.friction = m > 0.0 ? -std::min(t, am) : m < 0.0 ? std::min(t, am) : 0.0;
    state.effective = data.spring;
    if (state.friction != 0.0 && am < t) {
      if (a > kStill) {
        state.effective = data.stick * t / a;  // it sticks
        NonlinearConverged(a, kStill, kind, 0, node);
        CountNonlinearChange();
      } else {
        state.effective = kRigid;
      }
    }
  }
  if (!NonlinearConvergedAbs1(state.effective, oldEffective, kind, 0, node)) CountNonlinearChange();
  state.previous = r;
}

double Secant(double m, const Data& data, const Spring& state) {
  const double am = std::fabs(m), t = data.torque;
  if (state.Held()) return am / data.limit;
  return am <= t ? kRigid : am * state.effective / (am - t);
}

}  // namespace joint_turn
