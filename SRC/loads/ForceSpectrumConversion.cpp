// The time function to force spectrum conversion; see
// ForceSpectrumConversion.h. Read OscillatorPeak first: one step of the
// exact solution per h, the N terms of the step's end carried to the next.
#include "loads/ForceSpectrumConversion.h"

#include <cmath>
#include <numbers>

#include "services/NumberText.h"

namespace {

// The load at increasing times, found by walking the points once.
class LoadCursor {
 public:
  explicit LoadCursor(const std::vector<FloatPair>& points) : points_(points) {}
  double At(double t) {
    if (points_.empty()) return 0.0;
    if (t <= points_.front().x) return points_.front().y;
    if (t >= points_.back().x) return points_.back().y;
    while (points_[next_].x < t) ++next_;
    const FloatPair& low = points_[next_ - 1];
    const FloatPair& high = points_[next_];
    const double fraction = (t - low.x) / (static_cast<double>(high.x) - low.x);
    return low.y + fraction * (static_cast<double>(high.y) - low.y);
  }

 private:
  const std::vector<FloatPair>& points_;
  std::size_t next_ = 1;
};

// sin and cos of wd t at t = k h, k = 0, 1, 2 ...: turned by the step's
// angle and made exact again now and then, so that rounding cannot build up.
class StepAngle {
 public:
  StepAngle(double wd, double h) : wd_(wd), h_(h), stepSin_(std::sin(wd * h)), stepCos_(std::cos(wd * h)) {}
  void Advance() {
    ++k_;
    if (k_ % kResync == 0) {
      sin_ = std::sin(wd_ * h_ * static_cast<double>(k_));
      cos_ = std::cos(wd_ * h_ * static_cast<double>(k_));
      return;
    }
    const double s = sin_ * stepCos_ + cos_ * stepSin_;
    cos_ = cos_ * stepCos_ - sin_ * stepSin_;
    sin_ = s;
  }
  double Sin() const { return sin_; }
  double Cos() const { return cos_; }

 private:
  static constexpr long kResync = 1024;
  double wd_, h_, stepSin_, stepCos_;
  double sin_ = 0.0, cos_ = 1.0;
  long k_ = 0;
};

}  // namespace

double OscillatorPeak(const std::vector<FloatPair>& points, double frequency, double dampingRatio) {
  const double h = kConversionStep;
  const double zeta = dampingRatio;
  const double omega = 2.0 * std::numbers::pi * frequency;
  const double a = zeta * omega;
  const double root = std::sqrt(1.0 - zeta * zeta);
  const double wd = omega * root;
  const double k1 = 1.0 - 2.0 * zeta * zeta;  // 1 - 2 zeta^2
  const double k2 = 2.0 * zeta * root;        // 2 zeta sqrt(1 - zeta^2)
  const double E = std::exp(-a * h);
  const double duration = points.empty() ? 0.0 : static_cast<double>(points.back().x);
  // Steps from t = 0 while t <= T + 1/f.
  const auto steps = static_cast<long>(std::floor((duration + 1.0 / frequency) / h + 1.0e-9)) + 1;

  LoadCursor load(points);
  StepAngle angle(wd, h);
  double N1 = k1, N2 = k2, N3 = a, N4 = -wd;  // at t = 0
  double U = 0.0, V = 0.0, peak = 0.0;
  double F0 = load.At(0.0);
  for (long k = 0; k < steps; ++k) {
    const double t = static_cast<double>(k) * h;
    const double t1 = static_cast<double>(k + 1) * h;
    const double F1 = load.At(t1);
    const double s = (F1 - F0) / h;  // the load line c + s tau over the step
    const double c = F0 - s * t;
    angle.Advance();
    const double sin1 = angle.Sin(), cos1 = angle.Cos();
    const double p = a * t1 + k1, q = wd * t1 - k2;
    const double N1next = p * cos1 + q * sin1;
    const double N2next = p * sin1 - q * cos1;
    const double N3next = wd * sin1 + a * cos1;
    const double N4next = a * sin1 - wd * cos1;
    U = E * U + (c * (N3next - E * N3) + s * (N1next - E * N1)) / wd;
    V = E * V + (c * (N4next - E * N4) + s * (N2next - E * N2)) / wd;
    peak = std::max(peak, std::fabs(U * sin1 - V * cos1));
    N1 = N1next;
    N2 = N2next;
    N3 = N3next;
    N4 = N4next;
    F0 = F1;
  }
  return peak;
}

std::vector<FloatPair> ConvertTimeFunction(const std::vector<FloatPair>& points, double maximumFrequency,
                                           int frequencies, double dampingPercent,
                                           const std::function<void(int done)>& progress) {
  std::vector<FloatPair> spectrum{{kExplicitZero, kExplicitZero}};
  const double step = maximumFrequency / frequencies;
  for (int k = 1; k <= frequencies; ++k) {
    const double frequency = step * k;
    const auto peak = static_cast<float>(OscillatorPeak(points, frequency, dampingPercent / 100.0));
    spectrum.push_back({static_cast<float>(frequency), peak == 0.0f ? kExplicitZero : peak});
    if (progress) progress(k);
  }
  return spectrum;
}

std::vector<FloatPair> ReliefValvePulse(float force, float openingTime, float duration, float closingTime) {
  return {{kExplicitZero, kExplicitZero},
          {openingTime, force},
          {openingTime + duration, force},
          {openingTime + duration + closingTime, kExplicitZero}};
}
