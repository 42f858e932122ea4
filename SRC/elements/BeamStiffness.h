// The beam's element arithmetic, apart from the model: the local stiffness
// of a prismatic beam with shear deformation (Timoshenko), its end releases
// condensed out, and the equivalent end loads of its weight, its thermal
// expansion and the static seismic accelerations. Everything is in double
// precision, in the record order of ElementArrays.h (node 1 fx, fy, fz, mx,
// my, mz, then node 2; index 0 here is degree of freedom 1 of the text).
//
// Bending planes: with Y vertical the local x-y plane (fy, mz) takes the
// major moment of inertia and major shear area and the x-z plane (fz, my)
// the minor ones; with Z vertical the other way round. A shear area of 0
// means no shear deformation in that plane.
//
// Releases: each end's six flags (Axial, Major Bending, Minor Bending,
// Torsion, Major Shear, Minor Shear) name the freedoms they free by the same
// planes; a released freedom is condensed out statically (its row and
// column end zero, and so does its load), From end first, in the order x,
// y, z, rx, ry, rz. A zero diagonal term gives a factor of 0, never a
// division.
#pragma once

#include <array>
#include <cstdint>

#include "kindbase/ElementArrays.h"

struct BeamStiffnessInput {
  double length = 0.0;
  double E = 0.0, G = 0.0;
  double A = 0.0;
  double Imaj = 0.0, Imin = 0.0, J = 0.0;
  double Asmaj = 0.0, Asmin = 0.0;
  bool zVertical = false;
};

// The unreleased local stiffness.
Matrix12d BeamLocalStiffness(const BeamStiffnessInput& input);

// The released local freedoms (0-based) of both ends in condensation order.
struct BeamReleasedFreedoms {
  std::array<int, 12> dof{};
  int count = 0;
};
BeamReleasedFreedoms BeamReleaseFreedoms(const std::array<std::uint8_t, 12>& releases, bool zVertical);

// K condensed in place for the released freedoms.
void CondenseBeamReleases(Matrix12d& K, const BeamReleasedFreedoms& released);
// F condensed with the unreleased matrix `K` (condensed along in a copy).
void CondenseBeamReleaseLoads(const Matrix12d& K, Vector12d& F, const BeamReleasedFreedoms& released);

// Equivalent end loads of a uniform load q (local components, per length)
// over the span: half on each end and the fixed-end moments.
void AddBeamUniformLoad(Vector12d& F, const Vector3d& q, double length);
// The axial pair of a restrained expansion P = dT alpha A E: -P at node 1,
// +P at node 2.
void AddBeamThermalLoad(Vector12d& F, double axialForce);

// The beam's axes between two points, turned by beta (degrees) about x, by
// the model's local-frame rule.
ElementAxes BeamAxes(const Vector3d& from, const Vector3d& to, double betaDegrees, bool zVertical);
