// The slip joint's iteration; see SlipJoint.h. Its stiffness, friction pair
// and force recovery are the straight element's (StraightAnalysis.cpp,
// kindbase/EndForces.cpp), which read the state kept here.
//
// Each direction (sliding, turning) is in one of three states, told apart
// by its spring and its friction pair: free in the first pass of a case
// (the spring of 1, no friction), sliding (the spring of 1 and the
// friction against the way it slides), held (the rigid spring, no
// friction). Coulomb's law decides the next state from the solve:
// - free: it is held, which finds what drives it.
// - held: the rigid spring carries what drives it; once that is more than
//   the friction it slides that way.
// - sliding: it slides on while it moves the way it slides; moved back, or
//   not at all, the friction is more than what drives it, and it is held.
// Deciding by the force held, not by the free movement, spares the other
// nonlinear items of the line the long slide a free joint makes when its
// friction comes on. A held joint slides only when two passes in a row
// press it past its friction the same way: the force of one pass may come
// from another item's state that the same pass has just shown wrong (a
// guide closed by the slide before, which the held joint now keeps open),
// and a slide on it runs far through the gaps beside the joint, closes
// them, and brings the line back to where it started, for ever.
// The friction never takes its sign from the force through the joint:
// under pressure that force is mostly the thrust, which points along the
// slide, and friction given its sign would drive the slide it resists.
#include <cmath>

#include "elements/SlipJoint.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"

namespace {

constexpr int kSlipJointKind = 11;
constexpr double kFree = 1.0;
constexpr double kHeld = 1.0e12;
// A held joint slides only when what drives it passes the friction by this
// share: at a drive equal to the friction, rounding would otherwise let it
// slide, move back and be held again for ever.
constexpr double kBreakaway = 1.0e-6;

// One direction after a solve: d the relative movement (opening or turning
// positive), f the friction, `spring` and `applied` the state the solve
// used, `carried` (out) what the sliding faces carried: the spring and the
// friction pair, without the pressure thrust.
// `pressed` the way the last held pass pressed it past its friction (+1,
// -1, 0 when not).
void Step(double d, double f, double solvedSpring, double& spring, double& applied, double& previous,
          double& carried, int& pressed, int node) {
  carried = solvedSpring * d - applied;
  const double before = applied;
  const int press = std::fabs(carried) > f * (1.0 + kBreakaway) ? (carried > 0.0 ? 1 : -1) : 0;
  if (spring >= kHeld) {
    if (press != 0 && press == pressed) {
      spring = kFree;
      applied = carried > 0.0 ? -f : f;
    } else if (press != 0) {
      CountNonlinearChange();  // pressed once: solved again before it slides
    }
    pressed = press;
  } else if (applied == 0.0) {
    spring = kHeld;
  } else if (d * applied >= 0.0) {  // the friction points along d: moved back
    spring = kHeld;
    applied = 0.0;
  }
  // A change of state is a change of the friction pair; the movement must
  // settle too.
  if (!NonlinearConverged(applied, before, kSlipJointKind, 0, node)) CountNonlinearChange();
  if (!NonlinearConverged(d, previous, kSlipJointKind, 0, node)) CountNonlinearChange();
  previous = d;
  if (spring < kHeld) pressed = 0;
}

}  // namespace

void SlipJoint::PrepareForRun(int /*rowNumber*/) {
  ResetIteration();
  run.axialSecant = run.torsionalSecant = 1.0;
  builtNode1 = builtNode2 = 0;  // numbered anew by this run
}

void SlipJoint::ResetIteration() {
  previousAxial = previousRotation = 0.0;
  pressedAxial = pressedRotation = 0;
  run.appliedFrictionForce = run.appliedFrictionMoment = 0.0;
  run.axialStiffness = run.torsionalStiffness = kFree;
  run.axialForce = run.torsionalMoment = 0.0;
}

void SlipJoint::UpdateIteration(int /*rowNumber*/) {
  if (!IsNonlinear() || builtNode1 == 0 || builtNode2 == 0) return;
  const Model& model = TheModel();
  const Vector12d u = ToLocal12(builtAxes, ElementDisplacements(ElementEquations(model, builtNode1, builtNode2)));
  if (frictionForce != 0.0f)
    Step(u[6] - u[0], std::fabs(frictionForce), builtStiffness[6][6], run.axialStiffness, run.appliedFrictionForce,
         previousAxial, run.axialForce, pressedAxial, builtNode2);
  if (frictionTorque != 0.0f)
    Step(u[9] - u[3], std::fabs(frictionTorque), builtStiffness[9][9], run.torsionalStiffness,
         run.appliedFrictionMoment, previousRotation, run.torsionalMoment, pressedRotation, builtNode2);
}
