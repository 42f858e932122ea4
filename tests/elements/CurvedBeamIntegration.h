// An independent reference for the curved element: the flexibility of a
// circular arc and the end displacements under distributed loads found by
// numerical integration (composite Simpson) of the complementary energy,
// with every section force built from vector statics of the arc instead of
// closed-form integrals.
//
// Frame as the element's: node 1 at the origin, x the tangent there, y to
// the centre (0, R, 0), z normal to the plane. A point at arc angle p is
// P(p) = (R sin p, R (1 - cos p), 0), its tangent t = (cos p, sin p, 0), its
// normal toward the centre n = (-sin p, cos p, 0). A generalised load at
// node 2 is six numbers (force, then moment about node 2).
#pragma once

#include <array>
#include <cmath>
#include <functional>

namespace curved {

using V3 = std::array<double, 3>;
using Load6 = std::array<double, 6>;

struct Section {
  double R, theta, E, G, A, I, shearFactor, k;
};

inline V3 Cross(const V3& a, const V3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Dot(const V3& a, const V3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline V3 Point(const Section& s, double p) { return {s.R * std::sin(p), s.R * (1.0 - std::cos(p)), 0.0}; }

// Composite Simpson over [a, b] with n (even) intervals.
inline double Simpson(const std::function<double(double)>& f, double a, double b, int n) {
  const double h = (b - a) / n;
  double sum = f(a) + f(b);
  for (int i = 1; i < n; ++i) sum += f(a + i * h) * (i % 2 == 1 ? 4.0 : 2.0);
  return sum * h / 3.0;
}

// Section forces at arc angle p: N, V (in plane), Vz, T, Mn (out of plane
// bending, about n), Mz (in plane bending).
using SectionForces = std::array<double, 6>;

inline SectionForces Resolve(double p, const V3& force, const V3& moment) {
  const V3 t{std::cos(p), std::sin(p), 0.0}, n{-std::sin(p), std::cos(p), 0.0}, z{0.0, 0.0, 1.0};
  return {Dot(force, t), Dot(force, n), Dot(force, z), Dot(moment, t), Dot(moment, n), Dot(moment, z)};
}

// What a unit generalised load at node 2 gives at p.
inline SectionForces FromEndLoad(const Section& s, double p, const Load6& load) {
  const V3 force{load[0], load[1], load[2]};
  V3 moment{load[3], load[4], load[5]};
  const V3 arm{Point(s, s.theta)[0] - Point(s, p)[0], Point(s, s.theta)[1] - Point(s, p)[1], 0.0};
  const V3 extra = Cross(arm, force);
  for (int i = 0; i < 3; ++i) moment[i] += extra[i];
  return Resolve(p, force, moment);
}

// What a load q per arc length on the arc beyond p gives at p (inner
// integral numerical as well).
inline SectionForces FromDistributedLoad(const Section& s, double p, const V3& q) {
  V3 force{}, moment{};
  for (int i = 0; i < 3; ++i) force[i] = q[i] * s.R * (s.theta - p);
  if (s.theta - p > 0.0) {
    const V3 at = Point(s, p);
    for (int i = 0; i < 3; ++i)
      moment[i] = Simpson(
          [&](double psi) {
            const V3 here = Point(s, psi);
            const V3 arm{here[0] - at[0], here[1] - at[1], 0.0};
            return Cross(arm, q)[i] * s.R;
          },
          p, s.theta, 200);
  }
  return Resolve(p, force, moment);
}

// The complementary energy density product of two section force sets.
inline double EnergyProduct(const Section& s, const SectionForces& a, const SectionForces& b) {
  return a[0] * b[0] / (s.E * s.A) + s.shearFactor * (a[1] * b[1] + a[2] * b[2]) / (s.G * s.A) +
         a[3] * b[3] / (s.G * 2.0 * s.I) + s.k * (a[4] * b[4] + a[5] * b[5]) / (s.E * s.I);
}

inline Load6 Unit(int i) {
  Load6 load{};
  load.at(static_cast<std::size_t>(i)) = 1.0;
  return load;
}

// Flexibility term (i, j) of node 2 with node 1 held.
inline double Flexibility(const Section& s, int i, int j) {
  return Simpson(
      [&](double p) { return EnergyProduct(s, FromEndLoad(s, p, Unit(i)), FromEndLoad(s, p, Unit(j))) * s.R; }, 0.0,
      s.theta, 2000);
}

// Displacement i of node 2 (node 1 held) under q per arc length.
inline double DistributedDisplacement(const Section& s, int i, const V3& q) {
  return Simpson(
      [&](double p) { return EnergyProduct(s, FromEndLoad(s, p, Unit(i)), FromDistributedLoad(s, p, q)) * s.R; },
      0.0, s.theta, 400);
}

}  // namespace curved
