// The straight elements of the analysis (pipe, jacketed pipe, valve,
// reducer, bellows, slip joint, rigid): their flexibilities by kind, the
// 12 x 12 local stiffness built from them with shear deformation, their
// equivalent end loads of a case (weight, thrust, Bourdon elongation, cold
// spring cut, thermal growth, static seismic), their lumped masses, the
// valve's additional weight and the slip joint's friction secants.
//
// Local frame: x from node 1 to node 2; the loads and the stiffness are in
// the record order of ElementArrays.h. Without shear the stiffness is the
// ordinary beam's (12EI/L^3, 6EI/L^2, 4EI/L, 2EI/L); with it, the bending
// blocks are the inverse of the cantilever's flexibility L^3/(3EI) + fs.
// With "Use B31J" an element at a branch connection takes the connection's
// flexibility factors on its rotational flexibilities (BranchFlexibility,
// found by the code checks); the rest of the element stays as it is.
// Pure arithmetic; start reading at StiffnessFromFlexibility and
// StraightElementLoads.
#pragma once

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"

struct StraightFlexibilities {
  double fa = 0.0;  // axial
  double fs = 0.0;  // shear
  double fb = 0.0;  // bending, L / (E I)
  double ft = 0.0;  // torsion
};

// A rigid spring and the spring of a slip joint that slides freely.
constexpr double kRigidStiffness = 1.0e12;
constexpr double kFreeSlipStiffness = 1.0;

// Pipe, jacketed pipe, valve and reducer: L/(AE), L k/(AG), L/(EI), L/(2GI).
StraightFlexibilities PipeFlexibilities(const ElementCaseValues& values);
// Each spring rate with 0.0001 added, so that a rate of 0 stays finite.
StraightFlexibilities BellowsFlexibilities(double axial, double bending, double torsional, double lateral);
// Sliding and turning springs (floored at kFreeSlipStiffness, never 0);
// rigid across and in bending.
StraightFlexibilities SlipJointFlexibilities(double axialStiffness, double torsionalStiffness);
StraightFlexibilities RigidFlexibilities();

// The B31J factors an element takes from the branch connections at its end
// nodes: k1 (rotation about local y), k2 (about local z) and k3 (torsion)
// of the end evaluated last, whether the element is the branch at either
// end, and then the header's share taken off the branch's flexibility,
// Rh k1r / (2 Ih Eh) and Rh k2r / (2 Ih Eh) (header radius, inertia and
// modulus at the reference temperature, the run factors at that node).
struct BranchFlexibility {
  bool branch = false;
  double k1 = 1.0, k2 = 1.0, k3 = 1.0;
  double headerTerm1 = 0.0, headerTerm2 = 0.0;
};

// The flexibilities of the element's end rotations (about local y, about
// local z, torsion) that the stiffness is built from.
struct RotationalFlexibilities {
  double fry = 0.0;
  double frz = 0.0;
  double ftor = 0.0;
};

// From the plain fb and ft: fry = k1 fb, frz = k2 fb, ftor = k3 ft; a run
// element with k3 above 1 takes ftor = k3 fb; a branch element takes, for
// each factor above 1, ftor = 2 k3 fb, fry = 2 k1 fb - headerTerm1 and
// frz = 2 k2 fb - headerTerm2. A branch never comes out stiffer than the
// plain pipe (fry, frz at least fb): an element much shorter than the
// header's radius would otherwise take a flexibility of 0 or less.
RotationalFlexibilities BranchRotationalFlexibilities(const BranchFlexibility& k, double fb, double ft);

// The local stiffness; a length of 0 counts as 1.0e-8. The first form
// takes fry = frz = fb and ftor = ft.
Matrix12d StiffnessFromFlexibility(double length, const StraightFlexibilities& f);
Matrix12d StiffnessFromFlexibility(double length, const StraightFlexibilities& f, const RotationalFlexibilities& r);

// What the loads of a straight element need beyond its case values.
struct StraightLoadInput {
  ElementType kind = ElementType::Pipe;
  ElementAxes axes;
  double length = 0.0;
  double thrustArea = 0.0;  // bellows and slip joints
  double cut = 0.0;         // the cold spring cut of a cut pipe row, else 0
  ElementCaseValues values;
};

// Adds a uniform load q per length (local) as end forces and moments.
void AddUniformLoad(Vector12d& F, double length, const Vector3d& q);
// The Bourdon elongation (1 - 2 nu) r p L / (2 E t), r the mean radius.
double BourdonElongation(const ElementCaseValues& values, double length);
// F of the case: weight and thrust (when `withWeight` and the case carries
// sustained loads), Bourdon elongation, cold spring cut, thermal growth and
// static seismic, as `loads` says. S is the element's local stiffness.
Vector12d StraightElementLoads(const Matrix12d& S, const StraightLoadInput& input, const CaseLoadSet& loads,
                               bool withWeight);

// The lumped mass at each node: half the weight over g.
double StraightNodeMass(double weightPerLength, double length);

// The loads (global) of a weight hung at `offset` from the element's
// midpoint: half of `force` on each node with its moment about that node.
struct NodePairLoads {
  Vector3d force1{}, moment1{}, force2{}, moment2{};
};
NodePairLoads AttachedWeightLoads(const Vector3d& halfForce, const Vector3d& p1, const Vector3d& p2,
                                  const Vector3d& offset);

// The slip joint's secant stiffnesses of an operating case: force over
// movement, ka |N| / (|N| - |F|) while the joint slides, rigid while it
// sticks, N the force its sliding faces carried (the thrust is no part of
// it); never below kFreeSlipStiffness. Likewise for the torque.
void UpdateSlipJointSecants(SlipJointState& state, double frictionForce, double frictionTorque);
