// The stiffness of a curved element (bend, miter, the jacket's bend): a
// circular arc of radius R through the angle theta, built by the
// flexibility method. The 6 x 6 flexibility of node 2 with node 1 held,
// with the flexibility factor k on the bending terms, splits into an
// in-plane block (ux, uy, rz) and an out-of-plane block (uz, rx, ry); each
// block is inverted and the node-2 stiffness Kf is expanded to the 12 x 12
// local matrix by rigid-body equilibrium.
//
// Local frame: y from node 1 toward the centre of curvature, z normal to
// the bend's plane, x = y cross z the arc's tangent at node 1; node 2 lies
// at (R sin theta, R (1 - cos theta), 0). Torsion takes the tube's constant
// 2I. Start reading at BuildBendStiffness; the flexibility factor of a bend
// whose row gives none is BendFlexibilityFactor. Pure arithmetic: nothing
// here reads the model or throws.
#pragma once

#include <cstdint>

#include "kindbase/ElementArrays.h"

struct BendSectionValues {
  double radius = 0.0;  // R
  double angle = 0.0;   // theta, radians
  double modulus = 0.0;       // E
  double shearModulus = 0.0;  // G
  double area = 0.0;
  double inertia = 0.0;
  double shearFactor = 0.0;   // alpha_s; 0 leaves shear out
  double flexibilityFactor = 1.0;  // k, on the bending terms
};

// The flexibilities per radian of arc.
struct BendAngleFlexibilities {
  double a = 0.0;  // R / (E A), axial
  double b = 0.0;  // alpha_s R / (2 G A), shear
  double g = 0.0;  // R / (4 G I), torsion
  double f = 0.0;  // k R / (E I), bending
};
BendAngleFlexibilities BendFlexibilitiesPerAngle(const BendSectionValues& section);

// Node 2's flexibility with node 1 held: in-plane rows and columns (ux, uy,
// rz), out-of-plane (uz, rx, ry); the two blocks do not couple.
struct BendFlexibility {
  Matrix3d inPlane{};
  Matrix3d outOfPlane{};
};
BendFlexibility BuildBendFlexibility(const BendSectionValues& section);

struct BendStiffness {
  Matrix6d nodeTwo{};  // Kf, in the dof order ux, uy, uz, rx, ry, rz
  Matrix12d local{};   // K
};
// False when a flexibility block cannot be inverted (a zero or non-finite
// section value, or k = 0), leaving `stiffness` unspecified.
bool BuildBendStiffness(const BendSectionValues& section, BendStiffness& stiffness);

// The 12 x 12 matrix of an element whose node 2 lies at (Lx, Ly, 0) from
// node 1 and has the stiffness Kf with node 1 held.
Matrix12d ExpandNodeTwoStiffness(const Matrix6d& nodeTwo, double Lx, double Ly);

// The inverse of a symmetric positive definite 3 x 3 matrix; false when
// its determinant is not positive and finite.
bool InvertSymmetric3(const Matrix3d& matrix, Matrix3d& inverse);

// Inputs of the computed flexibility factor.
struct FlexibilityFactorInput {
  bool fibreReinforced = false;
  double outsideDiameter = 0.0;
  double thickness = 0.0;
  double radius = 0.0;         // bend radius R
  std::int32_t pipingCode = 0;
  bool pressureCorrection = false;
  double pressure = 0.0;
  double modulus = 0.0;           // the element's E
  double referenceModulus = 0.0;  // the material's E at the reference temperature
  std::int32_t flangedEnds = 0;   // 0, 1 or 2
  std::int32_t miterSpacing = 0;  // 0 bend, 1 closely, 2 widely spaced miter
};
// The code flexibility factor k (at least 1.0). Callers make sure that the
// wall is thinner than half the diameter and that R and t are above 0.
double BendFlexibilityFactor(const FlexibilityFactorInput& input);
// The flexibility characteristic h = t R / r^2, r the mean radius.
double BendCharacteristic(double outsideDiameter, double thickness, double radius);
