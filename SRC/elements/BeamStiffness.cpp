// The beam's element arithmetic; see BeamStiffness.h.
#include "elements/BeamStiffness.h"

#include <cmath>

namespace {

// Freedom weights of one end's six-digit release code, x first.
constexpr int kAxial = 0, kY = 1, kZ = 2, kTorsion = 3, kRy = 4, kRz = 5;

void Symmetrize(Matrix12d& K) {
  for (int i = 0; i < 12; ++i)
    for (int j = i + 1; j < 12; ++j) K[j][i] = K[i][j];
}

}  // namespace

Matrix12d BeamLocalStiffness(const BeamStiffnessInput& in) {
  Matrix12d K{};
  const double L = in.length, E = in.E, G = in.G;
  // Plane b is x-y (fy, mz), plane a is x-z (fz, my).
  const double Ib = in.zVertical ? in.Imin : in.Imaj;
  const double Ia = in.zVertical ? in.Imaj : in.Imin;
  const double Asb = in.zVertical ? in.Asmin : in.Asmaj;
  const double Asa = in.zVertical ? in.Asmaj : in.Asmin;
  // Half the shear parameter 12EI/(G As L^2): 0 without a shear area.
  const double phb = Asb != 0.0 ? 6.0 * E * Ib / (L * L * G * Asb) : 0.0;
  const double pha = Asa != 0.0 ? 6.0 * E * Ia / (L * L * G * Asa) : 0.0;
  const double cb = (E * Ib / (L * L)) / (1.0 + 2.0 * phb);
  const double ca = (E * Ia / (L * L)) / (1.0 + 2.0 * pha);
  K[0][0] = E * in.A / L;
  K[1][1] = 12.0 * cb / L;                    // 12EI/(L^3 (1 + phi))
  K[2][2] = 12.0 * ca / L;
  K[3][3] = G * in.J / L;
  K[4][4] = 4.0 * L * ca * (1.0 + 0.5 * pha);  // (4 + phi)EI/(L (1 + phi))
  K[5][5] = 4.0 * L * cb * (1.0 + 0.5 * phb);
  for (int i = 0; i < 6; ++i) K[i + 6][i + 6] = K[i][i];
  K[1][5] = 6.0 * cb;  // 6EI/(L^2 (1 + phi))
  K[2][4] = -6.0 * ca;
  K[0][6] = -K[0][0];
  K[1][7] = -K[1][1];
  K[2][8] = -K[2][2];
  K[3][9] = -K[3][3];
  K[5][11] = (1.0 - phb) * K[5][5] / (phb + 2.0);  // (2 - phi)EI/(L (1 + phi))
  K[4][10] = (1.0 - pha) * K[4][4] / (pha + 2.0);
  K[1][11] = K[1][5];
  K[5][7] = K[7][11] = -K[1][5];
  K[2][10] = K[2][4];
  K[4][8] = K[8][10] = -K[2][4];
  Symmetrize(K);
  return K;
}

BeamReleasedFreedoms BeamReleaseFreedoms(const std::array<std::uint8_t, 12>& releases, bool zVertical) {
  BeamReleasedFreedoms released;
  for (int end = 0; end < 2; ++end) {
    const std::uint8_t* flags = &releases[static_cast<std::size_t>(6 * end)];
    std::array<bool, 6> freed{};
    freed[kAxial] = flags[0] != 0;
    freed[kTorsion] = flags[3] != 0;
    freed[zVertical ? kRy : kRz] = freed[zVertical ? kRy : kRz] || flags[1] != 0;  // major bending
    freed[zVertical ? kRz : kRy] = freed[zVertical ? kRz : kRy] || flags[2] != 0;  // minor bending
    freed[zVertical ? kZ : kY] = freed[zVertical ? kZ : kY] || flags[4] != 0;      // major shear
    freed[zVertical ? kY : kZ] = freed[zVertical ? kY : kZ] || flags[5] != 0;      // minor shear
    for (int dof = 0; dof < 6; ++dof)
      if (freed[static_cast<std::size_t>(dof)]) released.dof[static_cast<std::size_t>(released.count++)] = 6 * end + dof;
  }
  return released;
}

namespace {

// One freedom condensed out of K; the factors used are returned.
std::array<double, 12> CondenseOne(Matrix12d& K, int d) {
  std::array<double, 12> factor{};
  const std::array<double, 12> rowD = K[static_cast<std::size_t>(d)];
  const double pivot = rowD[static_cast<std::size_t>(d)];
  for (int i = 0; i < 12; ++i) {
    const double f = pivot != 0.0 ? K[static_cast<std::size_t>(i)][static_cast<std::size_t>(d)] / pivot : 0.0;
    factor[static_cast<std::size_t>(i)] = f;
    if (f == 0.0) continue;
    for (int j = 0; j < 12; ++j) K[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] -= f * rowD[static_cast<std::size_t>(j)];
  }
  return factor;
}

}  // namespace

void CondenseBeamReleases(Matrix12d& K, const BeamReleasedFreedoms& released) {
  for (int k = 0; k < released.count; ++k) CondenseOne(K, released.dof[static_cast<std::size_t>(k)]);
}

void CondenseBeamReleaseLoads(const Matrix12d& K, Vector12d& F, const BeamReleasedFreedoms& released) {
  Matrix12d work = K;
  for (int k = 0; k < released.count; ++k) {
    const int d = released.dof[static_cast<std::size_t>(k)];
    const double Fd = F[static_cast<std::size_t>(d)];
    const std::array<double, 12> factor = CondenseOne(work, d);
    // A zero pivot (a freedom already cut off by an earlier release) keeps
    // its load: the beam's own load is handed to the node, never dropped.
    for (int i = 0; i < 12; ++i) F[static_cast<std::size_t>(i)] -= factor[static_cast<std::size_t>(i)] * Fd;
  }
}

void AddBeamUniformLoad(Vector12d& F, const Vector3d& q, double L) {
  for (int i = 0; i < 3; ++i) {
    F[static_cast<std::size_t>(i)] += L * q[static_cast<std::size_t>(i)] / 2.0;
    F[static_cast<std::size_t>(i) + 6] += L * q[static_cast<std::size_t>(i)] / 2.0;
  }
  const double L2 = L * L / 12.0;
  F[4] -= L2 * q[2];
  F[5] += L2 * q[1];
  F[10] += L2 * q[2];
  F[11] -= L2 * q[1];
}

void AddBeamThermalLoad(Vector12d& F, double P) {
  F[0] -= P;
  F[6] += P;
}

ElementAxes BeamAxes(const Vector3d& from, const Vector3d& to, double betaDegrees, bool zVertical) {
  ElementAxes axes;
  Vector3d d = Difference(to, from);
  double length = Norm(d);
  if (length < 1.0e-12) {
    d = {1.0, 0.0, 0.0};
    length = 1.0;
  }
  axes.x = Scaled(d, 1.0 / length);
  const Vector3d& x = axes.x;
  constexpr double kVerticalTolerance = 0.0005;
  if (!zVertical) {
    const double h = std::sqrt(x[0] * x[0] + x[2] * x[2]);
    axes.y = h < kVerticalTolerance ? Vector3d{-1.0, 0.0, 0.0} : Vector3d{-x[0] * x[1] / h, h, -x[2] * x[1] / h};
    axes.z = Cross(axes.x, axes.y);
  } else {
    const double h = std::sqrt(x[0] * x[0] + x[1] * x[1]);
    axes.z = h < kVerticalTolerance ? Vector3d{-1.0, 0.0, 0.0} : Vector3d{-x[0] * x[2] / h, -x[1] * x[2] / h, h};
    axes.y = Cross(axes.z, axes.x);
  }
  if (betaDegrees != 0.0) {
    const double angle = betaDegrees / 57.29577951308232;
    const double c = std::cos(angle), s = std::sin(angle);
    const Vector3d y = axes.y, z = axes.z;
    for (int i = 0; i < 3; ++i) {
      axes.y[static_cast<std::size_t>(i)] = c * y[static_cast<std::size_t>(i)] + s * z[static_cast<std::size_t>(i)];
      axes.z[static_cast<std::size_t>(i)] = c * z[static_cast<std::size_t>(i)] - s * y[static_cast<std::size_t>(i)];
    }
  }
  return axes;
}
