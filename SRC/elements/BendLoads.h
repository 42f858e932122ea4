// The loads of a curved element besides its stiffness (BendStiffness.h):
// distributed loads turned into equivalent nodal loads through the
// unit-load end displacements D and the fixed-end forces FE, the lumped
// masses and the wind forces.
//
// D has 6 rows (node 2's ux .. rz, node 1 held) and 5 load columns: unit
// loads per arc length along local x, y and z, one degree of temperature
// rise, and the case's pressure (the Bourdon opening of the bend). FE has
// 12 rows: node 2's are -Kf D, node 1's carry node 2's back by equilibrium
// less the resultant of the load. A case's nodal loads are L = -FE q; its
// end forces are K d - L = K d + FE q, recovered as every kind's are
// (ElementForceRecord, kindbase/EndForces.h): reported at node 1 with the
// sign reversed and at node 2 in the tangent frame there (x along the arc,
// y to the centre).
// Pure arithmetic; start reading at BendElementLoads.
#pragma once

#include "elements/BendStiffness.h"
#include "kindbase/ElementArrays.h"

constexpr int kBendLoadColumns = 5;
constexpr int kBendUnitX = 0, kBendUnitY = 1, kBendUnitZ = 2, kBendThermal = 3, kBendPressure = 4;

using BendUnitDisplacements = std::array<std::array<double, kBendLoadColumns>, 6>;
using BendFixedEndForces = std::array<std::array<double, kBendLoadColumns>, 12>;

// Columns 1 to 4 (the pressure column stays 0); alpha per degree.
BendUnitDisplacements BuildBendUnitDisplacements(const BendSectionValues& section, double alpha);

struct BendPressureValues {
  double poisson = 0.0;
  double pressure = 0.0;
  double outsideDiameter = 0.0;
  double thickness = 0.0;
};
// Fills column 5: the in-plane opening of node 2 under the pressure.
void AddBendPressureColumn(BendUnitDisplacements& D, const BendSectionValues& section, const BendPressureValues& p);

BendFixedEndForces BuildBendFixedEndForces(const BendStiffness& stiffness, const BendUnitDisplacements& D,
                                           const BendSectionValues& section);

// The loads of one case in the element's local axes.
struct BendCaseLoads {
  bool sustained = false;
  Vector3d weight{};    // load per arc length, local
  bool thermal = false;
  double deltaT = 0.0;  // case temperature less the reference
  bool pressure = false;
  bool seismic = false;
  Vector3d seismicLoad{};  // load per arc length, local
};

// L = -FE q of every load the case carries.
Vector12d BendElementLoads(const BendFixedEndForces& FE, const BendCaseLoads& loads);

// The lumped mass at each node: half the weight of the arc over g.
double BendNodeMass(double weightPerLength, double radius, double angle);

// The wind force on each of the element's two nodes (global): the wind
// pressure on the projected diameter over half the chord, without the part
// along the chord. `direction` is a unit vector.
Vector3d ElementWindForce(const Vector3d& p1, const Vector3d& p2, double windDiameter, double pressure,
                          const Vector3d& direction);
