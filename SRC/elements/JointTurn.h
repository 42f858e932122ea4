// One turning spring of a hinge or ball joint in the nonlinear iteration:
// its effective spring, its friction pair and its hold at a rotation limit,
// updated from the turn and the moment of the last solve.
//
// A spring that has turned past its limit is held there: it becomes rigid
// about a rest turn of the limit, with the turn's sign, which the element
// loads as a pair of end moments (the rigid spring times the rest turn).
// The line then finds in one solve the moment the stop must carry, where a
// softened spring would only creep towards the limit pass by pass. The
// hold is let go once the moment no longer presses the spring past its
// limit against its friction.
#pragma once

namespace joint_turn {

constexpr double kRigid = 1.0e12;
constexpr double kStill = 1.0e-6;  // radian: no turn

// The state one solve used: the spring, the friction pair (against the
// moment) and the pair of the limit's rest turn (rigid spring times it).
struct Spring {
  double effective = 1.0;
  double friction = 0.0;
  double limitPair = 0.0;
  double previous = 0.0;  // the turn of the last solve
  double Pair() const { return friction + limitPair; }
  bool Held() const { return limitPair != 0.0; }
};

// The joint's own data for one spring: the spring (0 entered is 1), the
// rotation limit (none when `limited` is false) and the friction torque.
struct Data {
  double spring = 1.0;
  bool limited = false;
  double limit = 0.0;
  double torque = 0.0;
  double stick = 1.01;  // a sticking spring carries this share of the friction
};

// One spring after a solve: r the turn, m the moment it carried (spring and
// pairs). Counts every test that fails, with the misconvergence of `kind`
// at `node`.
void Step(double r, double m, const Data& data, Spring& state, int kind, int node);

// The operating case's secant (moment over turn) of a spring whose moment
// is m: rigid while the friction holds it, the moment over the limit while
// the limit holds it, else the moment over its slide beyond the friction.
double Secant(double m, const Data& data, const Spring& state);

}  // namespace joint_turn
