// The nozzle's local stiffnesses; see NozzleStiffness.h.
#include "supports/NozzleStiffness.h"

#include <array>
#include <cmath>

#include "services/Assert.h"
#include "services/General.h"
#include "supports/Nozzle.h"

namespace {

// --- spherical vessel -------------------------------------------------------------------

constexpr std::array<double, 9> kSphereU = {0.1, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0};
constexpr std::array<double, 9> kSphereS1 = {0.40, 0.26, 0.18, 0.11, 0.075, 0.055, 0.046, 0.034, 0.028};
constexpr std::array<double, 9> kSphereS2 = {0.12, 0.21, 0.18, 0.13, 0.085, 0.059, 0.041, 0.030, 0.022};

// The first segment whose upper point is not below u; below the first point
// the first segment extends, above the last point the last value holds.
double SphereCurve(const std::array<double, 9>& s, double u) {
  if (u > kSphereU.back()) return s.back();
  std::size_t i = 1;
  while (i < kSphereU.size() - 1 && kSphereU[i] < u) ++i;
  QV_ASSERT(i <= 8);
  const double t = (u - kSphereU[i - 1]) / (kSphereU[i] - kSphereU[i - 1]);
  return s[i - 1] + t * (s[i] - s[i - 1]);
}

// --- flat-bottom tank --------------------------------------------------------------------
// Grids: ln(R/T), a/R, L/2a; values ln of the coefficient, R/T fastest,
// then a/R, then L/2a.

constexpr float kLnRt[2] = {5.9915f, 7.7832f};
constexpr float kLnRtKmc[2] = {5.9915f, 7.6009f};
constexpr float kAr[3] = {0.005f, 0.02f, 0.04f};
constexpr float kL2a[2] = {1.0f, 1.5f};

constexpr float kFlatPadKp[12] = {-4.7105f, -9.2103f, -7.6009f, -10.8198f, -8.2940f, -11.3306f,
                                  -5.5215f, -9.9035f, -8.0164f, -11.5129f, -8.8049f, -11.7361f};
constexpr float kFlatPadKmc[12] = {-3.2968f, -8.2940f, -7.6009f, -11.8696f, -8.9480f, -12.7169f,
                                   -3.7297f, -8.9480f, -8.4219f, -12.2061f, -9.7212f, -13.1737f};
constexpr float kFlatPadKml[12] = {-4.7105f, -8.9480f, -7.2644f, -10.9251f, -8.5172f, -11.5129f,
                                   -4.6052f, -8.8739f, -7.5426f, -11.2506f, -8.5172f, -11.3306f};
constexpr float kFlatKp[12] = {-5.1160f, -9.7212f, -8.1117f, -11.8696f, -9.0280f, -12.3114f,
                               -5.6840f, -10.1266f, -8.2940f, -12.0238f, -9.2103f, -12.7169f};
constexpr float kFlatKmc[12] = {-3.4738f, -8.1117f, -8.1117f, -12.3114f, -9.6411f, -13.6332f,
                                -3.9120f, -8.5172f, -8.1807f, -12.4292f, -9.9035f, -13.8155f};
constexpr float kFlatKml[12] = {-4.8283f, -9.3157f, -7.8240f, -12.2061f, -9.3157f, -13.0271f,
                                -4.7105f, -9.3157f, -8.1117f, -12.2061f, -9.5670f, -12.8992f};

double FlatCurve(const float* lnRt, const float* values, double rt, double ar, double l2a) {
  return std::exp(static_cast<double>(InterpolateTable3D(lnRt, kAr, kL2a, values, 2, 3, 2,
                                                         static_cast<float>(std::log(rt)), static_cast<float>(ar),
                                                         static_cast<float>(l2a))));
}

// --- cylindrical vessel ------------------------------------------------------------------

constexpr float kKmlLambda[7] = {-2.3026f, -1.6094f, -0.9163f, -0.3567f, 0.0f, 0.6931f, 1.0986f};
constexpr float kKmlQ[2] = {0.2f, 10.0f};
constexpr float kKml[14] = {-0.6931f, -0.3711f, 0.0770f,  0.6419f,  1.1314f, 2.3026f, 2.9878f,
                            -1.1394f, -0.9163f, -0.6162f, -0.2231f, 0.1823f, 1.2528f, 2.1518f};

constexpr float kKmcLambda[8] = {-2.3026f, -1.6094f, -0.9163f, -0.3567f, 0.0f, 0.6931f, 1.6094f, 2.3026f};
constexpr float kKmcQ[2] = {0.1f, 1.0f};
constexpr float kKmcRho[3] = {14.0f, 100.0f, 10000.0f};
constexpr float kKmcRho14[8] = {-1.0788f, -0.8557f, -0.5447f, -0.2744f, -0.0513f, 0.4700f, 1.2947f, 1.9879f};
constexpr float kKmcQ01[8] = {-1.3863f, -1.2208f, -1.0217f, -0.8210f, -0.6349f, -0.1278f, 0.8329f, 1.6487f};
constexpr float kKmcQ1[8] = {-1.2040f, -1.0217f, -0.7765f, -0.5447f, -0.3425f, 0.1823f, 1.0986f, 1.8871f};

// The kmc table as stored: lambda fastest, then q, then rho; the rows at
// rho 14 are the same for both q, those at 100 and 10000 the same per q.
const std::array<float, 48>& KmcValues() {
  static const std::array<float, 48> values = [] {
    std::array<float, 48> v{};
    const float* rows[6] = {kKmcRho14, kKmcRho14, kKmcQ01, kKmcQ1, kKmcQ01, kKmcQ1};
    for (int r = 0; r < 6; ++r)
      for (int i = 0; i < 8; ++i) v[static_cast<std::size_t>(8 * r + i)] = rows[r][i];
    return v;
  }();
  return values;
}

constexpr float kKpLambda[14] = {-4.6052f, -2.3026f, -1.6094f, -0.9163f, -0.5108f, -0.2231f, 0.0f,
                                 0.2624f,  0.4700f,  0.6931f,  0.9163f,  1.0986f,  1.3863f,  1.7918f};
constexpr float kKpRho[6] = {10.0f, 20.0f, 50.0f, 100.0f, 500.0f, 1000.0f};
constexpr float kKp[84] = {
    0, 0, 0.0770f, 0.2231f, 0.4700f, 0.6931f, 0.9933f, 1.5041f, 2.3026f, 3.1781f, 4.0254f, 4.7185f, 5.8111f, 7.3537f,
    0, 0, 0.0677f, 0.1823f, 0.3075f, 0.4700f, 0.6152f, 0.8755f, 1.1314f, 1.5476f, 2.3026f, 2.9178f, 3.8918f, 5.2575f,
    0, 0, 0.0488f, 0.1222f, 0.2070f, 0.2927f, 0.3784f, 0.5247f, 0.6419f, 0.8329f, 1.0986f, 1.3863f, 2.3026f, 3.5941f,
    0, 0, 0.0296f, 0.0488f, 0.1222f, 0.1823f, 0.2546f, 0.3365f, 0.4187f, 0.5423f, 0.6931f, 0.8755f, 1.1939f, 2.0794f,
    0, 0, 0.0198f, 0.0296f, 0.0770f, 0.0953f, 0.1222f, 0.1740f, 0.1989f, 0.2546f, 0.3001f, 0.3365f, 0.4700f, 0.6931f,
    0, 0, 0.0100f, 0.0198f, 0.0488f, 0.0770f, 0.0953f, 0.1133f, 0.1398f, 0.1823f, 0.2070f, 0.2624f, 0.3365f, 0.4700f};

float Ln(double value) { return static_cast<float>(std::log(value)); }

}  // namespace

double NozzleCurveSpherical1(double u) { return SphereCurve(kSphereS1, u); }
double NozzleCurveSpherical2(double u) { return SphereCurve(kSphereS2, u); }

double FlatCurvePadKp(double rt, double ar, double l2a) { return FlatCurve(kLnRt, kFlatPadKp, rt, ar, l2a); }
double FlatCurvePadKmc(double rt, double ar, double l2a) { return FlatCurve(kLnRtKmc, kFlatPadKmc, rt, ar, l2a); }
double FlatCurvePadKml(double rt, double ar, double l2a) { return FlatCurve(kLnRt, kFlatPadKml, rt, ar, l2a); }
double FlatCurveKp(double rt, double ar, double l2a) { return FlatCurve(kLnRt, kFlatKp, rt, ar, l2a); }
double FlatCurveKmc(double rt, double ar, double l2a) { return FlatCurve(kLnRtKmc, kFlatKmc, rt, ar, l2a); }
double FlatCurveKml(double rt, double ar, double l2a) { return FlatCurve(kLnRt, kFlatKml, rt, ar, l2a); }

double CylCurveKml(double lambda, double q) {
  return std::exp(static_cast<double>(InterpolateTable2D(kKmlLambda, kKmlQ, kKml, 7, 2, Ln(lambda), static_cast<float>(q))));
}

double CylCurveKmc(double lambda, double q, double rho) {
  return std::exp(static_cast<double>(InterpolateTable3D(kKmcLambda, kKmcQ, kKmcRho, KmcValues().data(), 8, 2, 3,
                                                         Ln(lambda), static_cast<float>(q), static_cast<float>(rho))));
}

double CylCurveKp(double lambda, double rho) {
  return std::exp(static_cast<double>(InterpolateTable2D(kKpLambda, kKpRho, kKp, 14, 6, Ln(lambda), static_cast<float>(rho))));
}

void ComputeNozzleStiffness(Nozzle& nozzle) {
  const double d = nozzle.nozzleOd, t = nozzle.nozzleThickness;
  const double D = nozzle.vesselOd, T = nozzle.vesselThickness;
  const double E = nozzle.elasticModulus;
  double kp = 0.0, kmc = 0.0, kml = 0.0;
  if (nozzle.spherical != 0) {
    const double r = 0.5 * d;
    const double u = 1.82 * (r / D) * std::sqrt(D / T);
    kp = E * T * T / (D * NozzleCurveSpherical1(u));
    kmc = kml = E * T * T * r / (std::sqrt(D / T) * NozzleCurveSpherical2(u));
  } else if (nozzle.flatBottom != 0) {
    const double a = 0.5 * d, R = 0.5 * (D - T);
    const double rt = R / T, ar = a / R, l2a = nozzle.l1 / (2.0 * a);
    const bool pad = nozzle.reinforcingPad != 0;
    kp = E * d * (pad ? FlatCurvePadKp(rt, ar, l2a) : FlatCurveKp(rt, ar, l2a));
    kmc = E * d * d * d * (pad ? FlatCurvePadKmc(rt, ar, l2a) : FlatCurveKmc(rt, ar, l2a));
    kml = E * d * d * d * (pad ? FlatCurvePadKml(rt, ar, l2a) : FlatCurveKml(rt, ar, l2a));
  } else {
    const double Dm = D - T;
    const double l1 = nozzle.l1, l2 = nozzle.l2;
    const double root = std::sqrt(l1) + std::sqrt(l2);
    const double L = 8.0 * l1 * l2 / (root * root);
    const double lambda = (d / Dm) * std::sqrt(Dm / T);
    const double rho = L / std::sqrt(T * Dm);
    const double q = T / t;
    kp = 4.95 * E * T * T * CylCurveKp(lambda, rho) / (Dm * std::sqrt(rho));
    kmc = E * T * T * T * CylCurveKmc(lambda, q, rho);
    kml = E * T * T * T * CylCurveKml(lambda, q);
  }
  // Geometry the dialog's checks keep out (a batch line goes through them
  // too) would give no finite value: no spring then, and Analyze refuses it.
  auto finite = [](double k) { return std::isfinite(k) && k > 0.0 ? static_cast<float>(k) : 0.0f; };
  nozzle.axialStiffness = finite(kp);
  nozzle.circumferentialStiffness = finite(kmc);
  nozzle.longitudinalStiffness = finite(kml);
}
