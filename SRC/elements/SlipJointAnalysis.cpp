// The slip joint's iteration; see SlipJoint.h. Its stiffness, friction pair
// and force recovery are the straight element's (StraightAnalysis.cpp,
// kindbase/EndForces.cpp), which read the state kept here.
#include <algorithm>
#include <cmath>

#include "elements/SlipJoint.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"

namespace {

constexpr int kSlipJointKind = 11;
constexpr double kNone = 1.0e-6;
constexpr double kHeld = 1.0e12;

// One direction of the joint (sliding or turning): d the relative movement,
// n the force (or moment) found, f the friction; the spring and the
// friction pair of the next pass.
void Step(double d, double n, double f, double& spring, double& applied, double& previous, int node) {
  if (std::fabs(applied) <= kNone || f <= std::fabs(n)) {
    spring = 1.0;  // it slides
  } else if (std::fabs(d) <= kNone) {
    spring = kHeld;
  } else {
    // It sticks: a spring that carries just over the friction at d.
    spring = 1.01 * f / std::fabs(d);
    NonlinearConverged(d, kNone, kSlipJointKind, 0, node);
    CountNonlinearChange();
  }
  if (!NonlinearConverged(d, previous, kSlipJointKind, 0, node)) CountNonlinearChange();
  applied = n > 0.0 ? -std::min(f, std::fabs(n)) : n < 0.0 ? std::min(f, std::fabs(n)) : 0.0;
  previous = d;
}

}  // namespace

void SlipJoint::PrepareForRun(int /*rowNumber*/) {
  ResetIteration();
  run.axialSecant = run.torsionalSecant = 1.0;
  builtNode1 = builtNode2 = 0;  // numbered anew by this run
}

void SlipJoint::ResetIteration() {
  previousAxial = previousRotation = 0.0;
  run.appliedFrictionForce = run.appliedFrictionMoment = 0.0;
  run.axialStiffness = run.torsionalStiffness = 1.0;
  run.axialForce = run.torsionalMoment = 0.0;
}

void SlipJoint::UpdateIteration(int /*rowNumber*/) {
  if (!IsNonlinear() || builtNode1 == 0 || builtNode2 == 0) return;
  const Model& model = TheModel();
  const Vector12d u = ToLocal12(builtAxes, ElementDisplacements(ElementEquations(model, builtNode1, builtNode2)));
  // The end forces of the last solve with its friction pair, as the force
  // recovery finds them.
  Vector12d F = builtLoads;
  F[0] -= run.appliedFrictionForce;
  F[6] += run.appliedFrictionForce;
  F[3] -= run.appliedFrictionMoment;
  F[9] += run.appliedFrictionMoment;
  Vector12d r{};
  for (int i = 0; i < 12; ++i) {
    double sum = 0.0;
    for (int j = 0; j < 12; ++j) sum += builtStiffness[i][j] * u[j];
    r[i] = sum - F[i];
  }
  run.axialForce = (r[6] - r[0]) / 2.0;
  run.torsionalMoment = (r[9] - r[3]) / 2.0;
  if (frictionForce != 0.0f)
    Step(u[6] - u[0], run.axialForce, std::fabs(frictionForce), run.axialStiffness, run.appliedFrictionForce,
         previousAxial, builtNode2);
  if (frictionTorque != 0.0f)
    Step(u[9] - u[3], run.torsionalMoment, std::fabs(frictionTorque), run.torsionalStiffness,
         run.appliedFrictionMoment, previousRotation, builtNode2);
}
