// The curved element's flexibility and stiffness; see BendStiffness.h. The
// flexibility terms are the closed-form integrals of the complementary
// energy of a circular arc (axial, shear, torsion and bending with the
// flexibility factor) under unit end loads at node 2.
#include "elements/BendStiffness.h"

#include <cmath>

namespace {

constexpr int kInPlaneDofs[3] = {0, 1, 5};     // ux, uy, rz
constexpr int kOutOfPlaneDofs[3] = {2, 3, 4};  // uz, rx, ry

constexpr std::int32_t kCodeB31_1 = 1;
constexpr std::int32_t kCodeB31_9 = 7;
constexpr std::int32_t kCodeBs806 = 12;
constexpr std::int32_t kCodeStoomwezen = 17;

void Symmetrise(Matrix3d& m) {
  m[1][0] = m[0][1];
  m[2][0] = m[0][2];
  m[2][1] = m[1][2];
}

}  // namespace

BendAngleFlexibilities BendFlexibilitiesPerAngle(const BendSectionValues& s) {
  const double R = s.radius;
  BendAngleFlexibilities per;
  per.a = R / (s.modulus * s.area);
  per.b = s.shearFactor == 0.0 ? 0.0 : s.shearFactor * R / (2.0 * s.shearModulus * s.area);
  per.g = R / (4.0 * s.shearModulus * s.inertia);
  per.f = s.flexibilityFactor * R / (s.modulus * s.inertia);
  return per;
}

BendFlexibility BuildBendFlexibility(const BendSectionValues& section) {
  const BendAngleFlexibilities per = BendFlexibilitiesPerAngle(section);
  const double a = per.a, b = per.b, g = per.g, f = per.f;
  const double R = section.radius, R2 = R * R, t = section.angle;
  const double s = std::sin(t), c = std::cos(t), s2 = std::sin(2.0 * t), c2 = std::cos(2.0 * t);
  BendFlexibility F;
  Matrix3d& P = F.inPlane;  // ux, uy, rz
  P[0][0] = (2.0 * t * (c2 + 2.0) - 3.0 * s2) * f * R2 / 4.0 + (2.0 * t - s2) * b / 2.0 + (2.0 * t + s2) * a / 4.0;
  P[1][1] = (2.0 * t * (2.0 - c2) + 3.0 * s2 - 8.0 * s) * f * R2 / 4.0 + (2.0 * t + s2) * b / 2.0 +
            (2.0 * t - s2) * a / 4.0;
  P[0][1] = (3.0 * c2 + 2.0 * t * s2 + 1.0 - 4.0 * c) * f * R2 / 4.0 + s * s * a / 2.0 - s * s * b;
  P[0][2] = -(s - t * c) * f * R;
  P[1][2] = (t * s + c - 1.0) * f * R;
  P[2][2] = t * f;
  Symmetrise(P);
  Matrix3d& Q = F.outOfPlane;  // uz, rx, ry
  Q[0][0] = (2.0 * t - s2) * f * R2 / 4.0 + (6.0 * t + s2 - 8.0 * s) * g * R2 / 2.0 + 2.0 * t * b;
  Q[1][1] = (2.0 * t - s2) * f / 4.0 + (2.0 * t + s2) * g / 2.0;
  Q[2][2] = (2.0 * t + s2) * f / 4.0 + (2.0 * t - s2) * g / 2.0;
  Q[0][1] = (s - t * c) * f * R / 2.0 + (s - t * c) * g * R;
  Q[0][2] = (2.0 - 2.0 * c - t * s) * g * R - t * s * f * R / 2.0;
  Q[1][2] = (1.0 - c2) * g / 2.0 - (1.0 - c2) * f / 4.0;
  Symmetrise(Q);
  return F;
}

bool InvertSymmetric3(const Matrix3d& m, Matrix3d& inverse) {
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  if (!(det > 0.0) || !std::isfinite(det)) return false;
  inverse[0][0] = c00 / det;
  inverse[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
  inverse[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
  inverse[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
  inverse[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
  inverse[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
  Symmetrise(inverse);
  return true;
}

Matrix12d ExpandNodeTwoStiffness(const Matrix6d& Kf, double Lx, double Ly) {
  // Gamma maps node-1 motions to the rigid-body motions of node 2:
  // ux2 = ux1 - Ly rz1, uy2 = uy1 + Lx rz1, uz2 = uz1 + Ly rx1 - Lx ry1.
  Matrix6d Gamma{};
  for (int i = 0; i < 6; ++i) Gamma[i][i] = 1.0;
  Gamma[0][5] = -Ly;
  Gamma[1][5] = Lx;
  Gamma[2][3] = Ly;
  Gamma[2][4] = -Lx;
  Matrix6d KG{};  // Kf Gamma
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j)
      for (int k = 0; k < 6; ++k) KG[i][j] += Kf[i][k] * Gamma[k][j];
  Matrix12d K{};
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      K[6 + i][6 + j] = Kf[i][j];
      K[6 + i][j] = -KG[i][j];
      K[j][6 + i] = -KG[i][j];
      double term = 0.0;  // (Gamma^T Kf Gamma)(i, j)
      for (int k = 0; k < 6; ++k) term += Gamma[k][i] * KG[k][j];
      K[i][j] = term;
    }
  return K;
}

bool BuildBendStiffness(const BendSectionValues& section, BendStiffness& stiffness) {
  const BendFlexibility F = BuildBendFlexibility(section);
  Matrix3d inPlane{}, outOfPlane{};
  if (!InvertSymmetric3(F.inPlane, inPlane) || !InvertSymmetric3(F.outOfPlane, outOfPlane)) return false;
  stiffness.nodeTwo = Matrix6d{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      stiffness.nodeTwo[kInPlaneDofs[i]][kInPlaneDofs[j]] = inPlane[i][j];
      stiffness.nodeTwo[kOutOfPlaneDofs[i]][kOutOfPlaneDofs[j]] = outOfPlane[i][j];
    }
  const double R = section.radius, t = section.angle;
  stiffness.local = ExpandNodeTwoStiffness(stiffness.nodeTwo, R * std::sin(t), R * (1.0 - std::cos(t)));
  return true;
}

double BendCharacteristic(double outsideDiameter, double thickness, double radius) {
  const double r = (outsideDiameter - thickness) / 2.0;
  return thickness * radius / (r * r);
}

double BendFlexibilityFactor(const FlexibilityFactorInput& in) {
  if (in.fibreReinforced) return 1.0;
  const double t = in.thickness, R = in.radius;
  const double r = (in.outsideDiameter - t) / 2.0;
  const double h = BendCharacteristic(in.outsideDiameter, t, R);
  double k = 1.0;
  const bool bs806 = in.pipingCode == kCodeBs806;
  if (in.miterSpacing == 0) {
    // The exponents are the stored values, not exact fractions.
    if (!bs806) k = 1.65 / h;
    else if (h > 5.0) k = 1.0;
    else if (h > 2.0) k = 1.28 / std::pow(h, 0.153);
    else if (h > 1.4) k = 1.46 / std::pow(h, 0.344);
    else if (h > 1.0) k = 1.6 / std::pow(h, 0.617);
    else k = 1.6 / h;
    if (in.pressureCorrection) {
      const bool referenceE = in.pipingCode == kCodeB31_1 || in.pipingCode == kCodeB31_9;
      const double Ep = referenceE ? in.referenceModulus : in.modulus;
      k /= 1.0 + 6.0 * (in.pressure / Ep) * std::pow(R / r, 0.333333333) * std::pow(r / t, 2.333333333);
    }
  } else {
    k = (in.pipingCode == kCodeStoomwezen ? 1.22 : 1.52) / std::pow(h, 0.833333333);
    if (in.miterSpacing == 2 && bs806) k = 1.0;
  }
  const bool endCorrection = in.miterSpacing != 2 || bs806;
  if (endCorrection && h < 1.0) {
    if (in.flangedEnds == 1) k *= std::pow(h, 0.166666667);
    else if (in.flangedEnds == 2) k *= std::pow(h, 0.333333333);
  }
  return k < 1.0 ? 1.0 : k;
}
