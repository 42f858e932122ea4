// EN 13445-3 nozzle loads (see NozzleEvaluationLoads.h).
#include "evaluations/NozzleEvaluationLoads.h"

#include <algorithm>
#include <cmath>

namespace {

double Polynomial(const double (&a)[5], double x) {
  return a[0] + x * (a[1] + x * (a[2] + x * (a[3] + x * a[4])));
}

}  // namespace

double En13445CylinderC3(double lambda, double t) {
  static const double low[5] = {4.8844123, -0.071389213, 0.79991257, -0.024155710, 0.0};
  static const double high[5] = {6.3178077, -3.6618209, 4.5145392, -0.83094841, 0.050698493};
  double a[5];
  if (t <= 0.2) {
    std::copy(std::begin(low), std::end(low), a);
  } else if (t >= 0.5) {
    std::copy(std::begin(high), std::end(high), a);
  } else {
    const double s = t - 0.2;
    const double slope[5] = {4.7779846, -11.968106, 12.382089, -2.6893090, 0.16899498};
    for (int i = 0; i < 5; ++i) a[i] = low[i] + slope[i] * s;
  }
  return std::max(4.9, Polynomial(a, lambda));
}

En13445NozzleResult En13445NozzleLoadsOf(const NozzleEvaluation& d) {
  En13445NozzleResult r;
  r.spherical = d.spherical;
  const double ea = static_cast<double>(d.e) - d.c;
  const double shell = d.R;  // R on a sphere, D on a cylinder
  r.q = ea / shell;
  r.applicable = r.q >= 0.001 && r.q <= 0.1;
  if (!r.applicable) return r;
  const double f = d.f;
  r.ec = static_cast<float>(ea + d.e2 * std::min(static_cast<double>(d.f2) / f, 1.0));
  r.loadDistance = std::sqrt(shell * r.ec);
  r.thicknessLength = std::sqrt(static_cast<double>(d.eb) * d.d);
  const double ec2 = r.ec * r.ec;
  if (d.spherical) {
    r.C1 = static_cast<float>(
        std::min(1.0, 2.0 * d.fb * d.eb * std::sqrt(static_cast<double>(d.eb) / d.d) / (f * r.ec)));
    r.lambda = static_cast<float>(d.d / std::sqrt(shell * r.ec));
    const double c1 = r.C1, l = r.lambda;
    r.Fz = static_cast<float>(f * ec2 * (1.82 + 2.4 * std::sqrt(1.0 + c1) * l + 0.91 * c1 * l * l));
    r.Mb = static_cast<float>(d.d / 4.0 * f * ec2 * (4.9 + 2.0 * std::sqrt(1.0 + c1) * l + 0.91 * c1 * l * l));
    return r;
  }
  // The cylinder's lambda takes the entered combined thickness.
  r.lambda = static_cast<float>(d.d / std::sqrt(shell * d.ec));
  r.lambdaPassed = r.lambda <= 10.0f;
  const double l = r.lambda;
  r.C1 = static_cast<float>(
      std::max(1.81, 0.60072181 + l * (0.95196257 + l * (0.005195788 - 0.001406381 * l))));
  r.Fz = static_cast<float>(r.C1 * f * ec2);
  r.C2 = static_cast<float>(std::max(
      4.9, 4.526315 + l * (0.064021889 + l * (0.15887638 + l * (-0.021419298 + 0.001035041 * l)))));
  r.Mb = static_cast<float>(r.C2 * (d.d / 4.0) * f * ec2);
  r.C3 = static_cast<float>(En13445CylinderC3(l, d.eb / r.ec));
  r.My = static_cast<float>(r.C3 * (d.d / 4.0) * f * ec2);
  return r;
}
