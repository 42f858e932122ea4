// The curved element's loads, masses and end forces; see BendLoads.h. The
// unit-load displacements are the closed-form integrals of the arc's
// complementary energy under a unit load per arc length (columns 1 to 3),
// the free thermal growth of the chord (column 4) and the opening of the
// bend under pressure: a uniform change of curvature phi over the arc with
// the pipe's longitudinal strain (column 5).
#include "elements/BendLoads.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kGravity = 386.4;  // inch per second squared

}  // namespace

BendUnitDisplacements BuildBendUnitDisplacements(const BendSectionValues& section, double alpha) {
  const BendAngleFlexibilities per = BendFlexibilitiesPerAngle(section);
  const double R = section.radius, t = section.angle, t2 = t * t;
  const double s = std::sin(t), c = std::cos(t), s2 = std::sin(2.0 * t), c2 = std::cos(2.0 * t);
  const double A8 = per.a * R / 8.0, B4 = per.b * R / 4.0, Gr = per.g * R * R, Fr = per.f * R * R;
  BendUnitDisplacements D{};
  enum { ux, uy, uz, rx, ry, rz };
  D[ux][kBendUnitX] = (9.0 * c2 + 4.0 * t * s2 + 2.0 * t2 + 7.0 - 16.0 * c) * R * Fr / 8.0 +
                      (2.0 * t2 + c2 - 1.0) * B4 + (2.0 * t2 - c2 + 1.0) * A8;
  D[uy][kBendUnitY] = (2.0 * t2 + 1.0 - 9.0 * c2 - 4.0 * t * s2 + 8.0 * (c - t * s)) * R * Fr / 8.0 +
                      (2.0 * t2 - c2 + 1.0) * B4 + (2.0 * t2 + c2 - 1.0) * A8;
  D[ux][kBendUnitY] = (9.0 * s2 - 4.0 * t * (2.0 * c + c2) - 6.0 * t) * R * Fr / 8.0 + (2.0 * t - s2) * (A8 - B4);
  D[uy][kBendUnitX] = (10.0 * t + 9.0 * s2 - 4.0 * t * c2 - 24.0 * s) * R * Fr / 8.0 + (2.0 * t - s2) * (A8 - B4);
  D[rz][kBendUnitX] = -(2.0 - 2.0 * c - t * s) * Fr;
  D[rz][kBendUnitY] = (2.0 * s - t - t * c) * Fr;
  D[uz][kBendUnitZ] = (c2 + 3.0 - 4.0 * c) * R * Fr / 4.0 + (2.0 * t2 + 1.0 - 4.0 * t * s - c2) * R * Gr / 2.0 +
                      4.0 * t2 * B4;
  D[rx][kBendUnitZ] = (2.0 - 2.0 * c - t * s) * Fr / 2.0 + (2.0 - 2.0 * c - t * s) * Gr;
  D[ry][kBendUnitZ] = (t * (c + 2.0) - 3.0 * s) * Gr - (s - t * c) * Fr / 2.0;
  D[ux][kBendThermal] = alpha * R * s;
  D[uy][kBendThermal] = alpha * R * (1.0 - c);
  return D;
}

void AddBendPressureColumn(BendUnitDisplacements& D, const BendSectionValues& section, const BendPressureValues& p) {
  const double R = section.radius, t = section.angle, nu = p.poisson, P = p.pressure;
  const double E = section.modulus, I = section.inertia;
  const double rm = (p.outsideDiameter - p.thickness) / 2.0;
  const double s = std::sin(t), c = std::cos(t);
  const double phi = -((2.0 - 2.0 * nu) + (1.5 * nu + 3.0) * rm * rm / (R * R)) * t * P * std::numbers::pi *
                     std::pow(rm, 4) / (2.0 * I * E);
  const double beta = -R * phi / t;
  const double epsilon = (1.0 - 2.0 * nu) * P * R * rm / (2.0 * E * p.thickness);
  D[5][kBendPressure] = phi;
  D[0][kBendPressure] = epsilon * s + beta * (s - t * c);
  D[1][kBendPressure] = epsilon * (1.0 - c) + beta * (1.0 - c - t * s);
}

BendFixedEndForces BuildBendFixedEndForces(const BendStiffness& stiffness, const BendUnitDisplacements& D,
                                           const BendSectionValues& section) {
  const double R = section.radius, t = section.angle, s = std::sin(t), c = std::cos(t);
  // The resultant of each unit load per arc length, about node 1.
  double W[kBendLoadColumns][6] = {};
  W[kBendUnitX][0] = t * R;
  W[kBendUnitX][5] = -(t - s) * R * R;
  W[kBendUnitY][1] = t * R;
  W[kBendUnitY][5] = (1.0 - c) * R * R;
  W[kBendUnitZ][2] = t * R;
  W[kBendUnitZ][3] = (t - s) * R * R;
  W[kBendUnitZ][4] = -(1.0 - c) * R * R;
  BendFixedEndForces FE{};
  for (int column = 0; column < kBendLoadColumns; ++column)
    for (int i = 0; i < 6; ++i) {
      double node2 = 0.0, node1 = 0.0;
      for (int k = 0; k < 6; ++k) {
        node2 -= stiffness.nodeTwo[i][k] * D[k][column];
        node1 -= stiffness.local[i][6 + k] * D[k][column];
      }
      FE[6 + i][column] = node2;
      FE[i][column] = node1 - W[column][i];
    }
  return FE;
}

namespace {

// FE q of every load the case carries.
Vector12d FixedEndLoad(const BendFixedEndForces& FE, const BendCaseLoads& loads) {
  Vector12d total{};
  for (int i = 0; i < 12; ++i) {
    const auto& row = FE[static_cast<std::size_t>(i)];
    double sum = 0.0;
    if (loads.sustained)
      for (int column = 0; column < 3; ++column) sum += row[column] * loads.weight[column];
    if (loads.thermal) sum += row[kBendThermal] * loads.deltaT;
    if (loads.pressure) sum += row[kBendPressure];
    if (loads.seismic)
      for (int column = 0; column < 3; ++column) sum += row[column] * loads.seismicLoad[column];
    total[i] = sum;
  }
  return total;
}

}  // namespace

Vector12d BendElementLoads(const BendFixedEndForces& FE, const BendCaseLoads& loads) {
  Vector12d L = FixedEndLoad(FE, loads);
  for (double& value : L) value = -value;
  return L;
}

double BendNodeMass(double weightPerLength, double radius, double angle) {
  return weightPerLength * radius * angle / 2.0 / kGravity;
}

Vector3d ElementWindForce(const Vector3d& p1, const Vector3d& p2, double windDiameter, double pressure,
                          const Vector3d& direction) {
  const Vector3d chord = Difference(p2, p1);
  const double length = Norm(chord);
  if (length == 0.0) return {};
  const Vector3d e = Scaled(chord, 1.0 / length);
  const Vector3d across = Difference(direction, Scaled(e, Dot(direction, e)));
  return Scaled(across, pressure * windDiameter * length / 2.0);
}
