// What the element routines of the analysis take as input, gathered in
// plain records so that the routines never reach into the property tables
// themselves: the element's section and material values in the case being
// run (filled from the row's derived element data), the loads that case
// carries (filled from the load-case predicates and the model's options),
// and the element itself (kind, row and node indexes).
//
// All values are internal units: inch, pound, psi, degree Fahrenheit.
// Whoever fills ElementCaseValues fills every field the element's kind uses;
// the routines check the ones they divide by and refuse a zero with a
// message that names the row (see CheckElementValues).
#pragma once

#include <array>
#include <cstdint>

#include "kindbase/ElementArrays.h"
#include "model/LayoutRow.h"

// The element's own values in the current case.
struct ElementCaseValues {
  double length = 0.0;            // node to node (straight elements)
  double outsideDiameter = 0.0;   // the mean of both ends for a reducer
  double wallThickness = 0.0;     // the mean of both ends for a reducer
  double area = 0.0;              // metal area
  double inertia = 0.0;           // moment of inertia
  double shearFactor = 0.0;       // shear form factor; 0 when shear deformation is not counted
  double modulus = 0.0;           // E in the case (cold modulus applied when the option says so)
  double shearModulus = 0.0;      // G
  double poisson = 0.0;
  double expansion = 0.0;         // alpha at the case temperature, per degree
  double weightPerLength = 0.0;   // pound per inch, the kind's own weight included
  double temperature = 0.0;       // case temperature
  double pressure = 0.0;          // case pressure
  double insulationThickness = 0.0;  // the section's, for the wind area
  double referenceModulus = 0.0;     // the material's E at the reference temperature
  bool fibreReinforced = false;      // the material's type is "FR"
};

// The loads a case carries, as the element routines apply them. Built once
// per step (CurrentCaseLoadSet), so that assembly and force recovery of an
// element see the same loads.
struct CaseLoadSet {
  std::int32_t caseType = 0;
  bool modal = false;
  bool sustained = false;  // weight (and thrust)
  bool thermal = false;    // a thermal state
  bool pressure = false;   // the Bourdon pressure term
  bool seismic = false;
  Vector3d seismicG{};     // accelerations in g along global X, Y, Z; 0 where not flagged
  bool coldSpring = false;
  double referenceTemperature = 70.0;
  bool zVertical = false;
  // Wind loads 1 to 4 that the case carries: the pressure on the element
  // (at its mid elevation, shape factor applied) and the unit direction.
  // 0 pressure when the wind is not carried, not defined, or the element's
  // pipe load has no wind.
  std::array<double, 4> windPressure{};
  std::array<Vector3d, 4> windDirection{};
};

// The global upward unit vector.
inline Vector3d UpwardVector(const CaseLoadSet& loads) {
  return loads.zVertical ? Vector3d{0.0, 0.0, 1.0} : Vector3d{0.0, 1.0, 0.0};
}

// The slip joint's iteration state, kept by the slip joint between passes
// and read by its stiffness and its force recovery.
struct SlipJointState {
  double axialStiffness = 1.0;      // spring used for sliding in this pass
  double torsionalStiffness = 1.0;  // spring used for turning in this pass
  double axialSecant = 1.0;         // force over movement of the operating case
  double torsionalSecant = 1.0;
  // What the sliding faces carried in the last pass (spring and friction
  // pair, without the pressure thrust): the force and the moment.
  double axialForce = 0.0;
  double torsionalMoment = 0.0;
  double appliedFrictionForce = 0.0;   // load pair of the next solve
  double appliedFrictionMoment = 0.0;
};

struct BranchFlexibility;

// One analysis element with its values for the current case.
struct AnalysisElementInput {
  ElementType kind = ElementType::Pipe;
  std::int32_t row = 0;
  std::int32_t node1 = 0;  // node indexes
  std::int32_t node2 = 0;
  ElementCaseValues values;
  CaseLoadSet loads;
  SlipJointState* slip = nullptr;  // the slip joint's state (kind 11 only)
  // The B31J factors of a straight element at a branch connection; null
  // without "Use B31J" or away from branch connections.
  const BranchFlexibility* branch = nullptr;
};
