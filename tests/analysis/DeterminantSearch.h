// The determinant search that found the modes before the Lanczos solver,
// kept as the tests' independent oracle: a lower bound by inverse iteration,
// then root after root an accelerated secant iteration on det(K − σM)
// deflated by the roots found, checked by the count of negative pivots, and
// each mode by shifted inverse iteration. It shares only the skyline
// factorisation and solve with the code under test, and needs many
// factorisations per root, so it serves small models only.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "numeric/Eigen.h"
#include "numeric/RunState.h"
#include "numeric/Skyline.h"

namespace kerneltest {
namespace oracle {


constexpr double kPi = 3.141592653589793;
constexpr std::int32_t kIterationLimit = 9999;

// A determinant as mantissa × 2^exponent: the product of tens of thousands
// of pivots, divided by many deflation factors, stays representable.
struct ScaledReal {
  double mantissa = 1.0;
  std::int64_t exponent = 0;
};

inline ScaledReal Normalised(double mantissa, std::int64_t exponent) {
  if (mantissa == 0.0 || !std::isfinite(mantissa)) return {mantissa, 0};
  int binary = 0;
  const double fraction = std::frexp(mantissa, &binary);
  return {fraction, exponent + binary};
}
inline ScaledReal Over(ScaledReal a, double divisor) { return Normalised(a.mantissa / divisor, a.exponent); }

// a / b as a plain number (0 or infinity when out of range).
inline double Ratio(ScaledReal a, ScaledReal b) {
  const std::int64_t difference = std::clamp<std::int64_t>(a.exponent - b.exponent, -4000, 4000);
  return std::ldexp(a.mantissa / b.mantissa, static_cast<int>(difference));
}
inline bool Equal(ScaledReal a, ScaledReal b) { return a.mantissa == b.mantissa && a.exponent == b.exponent; }

struct SecantPoint {
  double shift = 0.0;
  ScaledReal det;       // det(K - shift·M)
  ScaledReal deflated;  // divided by (shift - λ(k)) for the roots found
};

inline double Dot(const std::vector<double>& x, const std::vector<double>& y) {
  double sum = 0.0;
  for (std::size_t i = 1; i < x.size(); ++i) sum += x[i] * y[i];
  return sum;
}

class DeterminantSearch {
 public:
  DeterminantSearch(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                    const ModalOptions& options)
      : profile_(profile), K_(K), M_(M), E_(profile.equationCount),
        Nreq_(std::max(options.modeCount, 1)) {
    const double omegaC = 2.0 * kPi * options.cutOffFrequency;
    lambdaC_ = omegaC * omegaC;
    for (std::int64_t i = 1; i <= E_; ++i)
      if (M_[i] != 0.0) ++massEquations_;
  }
  ModalResult Run();

 private:
  enum class SecantEnd { Converged, Passed, Stop };

  ModalFault CheckDiagonal() const;
  void ChooseStartEquations();
  ModalFault LowerBound();
  ModalFault FirstShift();
  ModalFault Secant(std::int32_t j, SecantEnd& end);
  ModalFault Eigenvector(std::int32_t j);
  ModalFault PassRoot(std::int32_t j, bool& direct);

  ModalFault Factorise(double& shift);
  ModalFault FactoriseAt(SecantPoint& point, std::int32_t j);
  ModalFault EnsureFactorisedAt(double shift);
  bool Solve(std::vector<double>& x);
  void MassTimes(const std::vector<double>& x, std::vector<double>& y) const;
  void Orthogonalise(std::vector<double>& y) const;
  void KeepMode(std::vector<double> phi, std::vector<double> massPhi);
  double SecantShift() const;


  const SkylineProfile& profile_;
  std::span<const double> K_, M_;
  const std::int64_t E_;
  const std::int32_t Nreq_;
  double lambdaC_ = 0.0;
  std::int64_t massEquations_ = 0;  // equations with a mass other than 0.0

  std::vector<double> factor_;  // K - σM factorised, skyline values
  double factorShift_ = std::numeric_limits<double>::quiet_NaN();
  std::int64_t negatives_ = 0;
  ScaledReal det_;

  std::vector<double> X_, Y_, startVector_;
  std::vector<std::int64_t> startEquation_;  // s(3)..s(N_req + 3)
  std::vector<double> lambda_;               // λ(1..N_req + 3)
  std::vector<std::int32_t> counter_;        // per mode
  std::vector<std::vector<double>> modes_, massModes_;  // φ and M·φ of every mode found

  SecantPoint pp_, p_, s_, n_;
  double eta_ = 2.0;
  std::int32_t aboveCutOff_ = 0;
  std::int64_t passedCount_ = 0;
  bool passedFlag_ = false;
  double rhoPrevious_ = 0.0;
  bool noMoreRoots_ = false;
  std::int32_t passedRootModes_ = 0;
};

inline ModalResult DeterminantSearch::Run() {
  ModalResult result;
  const std::size_t room = static_cast<std::size_t>(Nreq_) + 5;
  lambda_.assign(room, 0.0);
  counter_.assign(room, 0);
  X_.assign(E_ + 1, 0.0);
  Y_.assign(E_ + 1, 0.0);
  factor_.assign(profile_.nme + 1, 0.0);
  ModalFault fault = E_ > 0 ? CheckDiagonal() : ModalFault::NoEigenvalues;
  if (fault == ModalFault::None) {
    ChooseStartEquations();
    fault = LowerBound();
  }
  if (fault == ModalFault::None) fault = FirstShift();
  std::int32_t j = 1;
  bool direct = false;
  while (fault == ModalFault::None) {
    counter_[j] = 0;
    if (direct) {
      ++passedRootModes_;
      lambda_[j] = n_.shift;
      fault = EnsureFactorisedAt(n_.shift);
    } else {
      SecantEnd end = SecantEnd::Stop;
      fault = Secant(j, end);
      if (fault != ModalFault::None || end == SecantEnd::Stop) break;
    }
    if (fault == ModalFault::None) fault = Eigenvector(j);
    if (fault == ModalFault::None) fault = PassRoot(j, direct);
    if (fault == ModalFault::None) ++j;
  }
  result.noMoreRoots = noMoreRoots_;
  result.passedRootModes = passedRootModes_;
  if (fault == ModalFault::None && j - 1 <= 0) fault = ModalFault::NoEigenvalues;
  result.fault = fault;
  if (fault != ModalFault::None) return result;
  result.modesFound = j - 1;
  result.eigenvalues.assign(lambda_.begin(), lambda_.begin() + j);
  result.modeShapes.reserve(modes_.size() + 1);
  result.modeShapes.emplace_back();
  for (auto& mode : modes_) result.modeShapes.push_back(std::move(mode));
  return result;
}

inline ModalFault DeterminantSearch::CheckDiagonal() const {
  for (std::int64_t i = 1; i <= E_; ++i)
    if (!(K_[profile_.DiagonalAddress[i]] > 0.0)) return ModalFault::ZeroOrNegativeDiagonal;
  return ModalFault::None;
}

// The start vectors of modes 2.. have -1.0 at the equations where the mass is
// largest against the stiffness; on equal ratios the later equation wins.
inline void DeterminantSearch::ChooseStartEquations() {
  std::vector<double> ratio(E_ + 1, 0.0);
  for (std::int64_t i = 1; i <= E_; ++i) ratio[i] = M_[i] / K_[profile_.DiagonalAddress[i]];
  startEquation_.assign(static_cast<std::size_t>(Nreq_) + 4, 0);
  for (std::int32_t k = 3; k <= Nreq_ + 3; ++k) {
    std::int64_t chosen = 1;
    for (std::int64_t i = 1; i <= E_; ++i)
      if (ratio[i] >= ratio[chosen]) chosen = i;
    startEquation_[k] = chosen;
    ratio[chosen] = 0.0;
  }
}

// Inverse iteration at shift 0 with the Rayleigh quotient: a lower bound on
// the smallest root and the start vector of the first mode.
inline ModalFault DeterminantSearch::LowerBound() {
  p_.shift = 0.0;
  if (ModalFault fault = FactoriseAt(p_, 1); fault != ModalFault::None) return fault;
  for (std::int64_t i = 1; i <= E_; ++i) Y_[i] = M_[i];
  double lambda = 0.0, previous = 0.0, relative = 1.0, b = 0.0;
  for (int pass = 1; pass <= 10; ++pass) {
    X_ = Y_;
    if (!Solve(X_)) return ModalFault::SolveError;
    const double a = Dot(Y_, X_);
    MassTimes(X_, Y_);
    b = Dot(Y_, X_);
    if (b == 0.0) return ModalFault::NoMass;
    if (!std::isfinite(b) || !std::isfinite(a)) return ModalFault::SolveError;
    lambda = a / b;
    relative = std::fabs(lambda - previous) / lambda;
    if (relative < 1.0e-6) break;
    const double scale = 1.0 / std::sqrt(b);
    for (double& y : Y_) y *= scale;
    previous = lambda;
  }
  startVector_ = X_;
  const double scale = 1.0 / std::sqrt(b);
  for (double& x : startVector_) x *= scale;
  s_.shift = (1.0 - std::min(10.0 * relative, 0.1)) * lambda;
  rhoPrevious_ = lambda;
  return ModalFault::None;
}

// The first secant point above 0: just below the lower bound, lowered until no
// pivot is negative.
inline ModalFault DeterminantSearch::FirstShift() {
  if (ModalFault fault = FactoriseAt(s_, 1); fault != ModalFault::None) return fault;
  for (int lowering = 1; negatives_ != 0; ++lowering) {
    if (lowering > 5) return ModalFault::SolveError;
    s_.shift /= static_cast<double>(negatives_ + 1);
    if (ModalFault fault = FactoriseAt(s_, 1); fault != ModalFault::None) return fault;
  }
  pp_ = p_;
  return ModalFault::None;
}

inline double DeterminantSearch::SecantShift() const {
  if (s_.deflated.mantissa == 0.0) return s_.shift;
  const double r = Ratio(p_.deflated, s_.deflated);  // det(σp) / det(σ)
  return s_.shift - eta_ * (s_.shift - p_.shift) / (1.0 - r);
}

// Secant iteration on the deflated determinant towards root j, stopped by the
// Sturm count when the new shift passes roots not yet found.
inline ModalFault DeterminantSearch::Secant(std::int32_t j, SecantEnd& end) {
  for (;;) {
    end = SecantEnd::Stop;
    if (j > Nreq_) return ModalFault::None;
    // K·φ = λ·M·φ with a diagonal M has one finite root per equation that
    // carries mass; past them the deflated determinant is constant only up to
    // rounding, which the equality test below would not see.
    if (j > massEquations_) {
      noMoreRoots_ = true;
      return ModalFault::None;
    }
    if (s_.shift > lambdaC_) {
      ++aboveCutOff_;
      if (aboveCutOff_ > 1 && j > 1 && lambda_[j - 1] > lambdaC_) return ModalFault::None;
    }
    if (Equal(s_.deflated, p_.deflated)) {
      noMoreRoots_ = true;
      return ModalFault::None;
    }
    // A tiny step means a root is near only when the two points are close:
    // from a far point (0 at the start, the point left behind a found root)
    // many roots beyond make the secant nearly flat, whether σ lies next to a
    // root or far below one. Such a step is widened to 1.0e-5·σ, which gives
    // a local secant next time, or passes the root that σ sits next to.
    double sigmaN = SecantShift();
    if (std::fabs(sigmaN - s_.shift) <= 1.0e-6 * sigmaN) {
      const bool localSecant = std::fabs(s_.shift - p_.shift) <= 1.0e-2 * std::fabs(s_.shift);
      if (localSecant) {
        lambda_[j] = s_.shift;
        end = SecantEnd::Converged;
        return EnsureFactorisedAt(s_.shift);
      }
      sigmaN = s_.shift + std::copysign(1.0e-5 * std::fabs(s_.shift), sigmaN - s_.shift);
    }
    n_.shift = sigmaN;
    if (ModalFault fault = FactoriseAt(n_, j); fault != ModalFault::None) return fault;
    ++counter_[j];
    std::int64_t passed = negatives_;
    for (std::int32_t k = 1; k < j; ++k)
      if (lambda_[k] < n_.shift) --passed;
    if (passed != 0) {
      lambda_[j] = n_.shift;
      passedCount_ = passed;
      passedFlag_ = passed > 1;
      end = SecantEnd::Passed;
      ++passedRootModes_;
      return ModalFault::None;
    }
    pp_ = p_;
    p_ = s_;
    s_ = n_;
    if (std::fabs(p_.shift - s_.shift) < 1.0e-5 * s_.shift) eta_ *= 2.0;
    if (counter_[j] > kIterationLimit) return ModalFault::IterationsExceeded;
  }
}

// Shifted inverse iteration at the factorised shift, M-orthogonal to the
// modes found, until the Rayleigh quotient settles; then one plain pass.
inline ModalFault DeterminantSearch::Eigenvector(std::int32_t j) {
  if (j > Nreq_ + 3) return ModalFault::ModeBeyondRoom;
  const double shift = factorShift_;
  if (j == 1) {
    X_ = startVector_;
  } else {
    std::fill(X_.begin() + 1, X_.end(), 1.0);
    if (j < Nreq_ + 3) X_[startEquation_[j + 1]] = -1.0;
  }
  MassTimes(X_, Y_);
  double a = 0.0, b = 0.0;
  for (bool final = false;; ) {
    if (!final) {
      Orthogonalise(Y_);
      if (counter_[j] > kIterationLimit) return ModalFault::IterationsExceeded;
      ++counter_[j];
    }
    X_ = Y_;
    if (!Solve(X_)) return ModalFault::SolveError;
    a = Dot(Y_, X_);
    MassTimes(X_, Y_);
    b = Dot(Y_, X_);
    if (!(b > 0.0) || !std::isfinite(b) || !std::isfinite(a)) return ModalFault::SolveError;
    if (final) break;
    const double rho = shift + a / b;
    if (std::fabs(rho - rhoPrevious_) <= 1.0e-12 * std::fabs(rho)) {
      final = true;
      continue;
    }
    rhoPrevious_ = rho;
    const double scale = 1.0 / std::sqrt(b);
    for (double& y : Y_) y *= scale;
  }
  lambda_[j] = shift + a / b;
  const double scale = 1.0 / std::sqrt(b);
  std::vector<double> phi = X_, massPhi = Y_;
  for (double& x : phi) x *= scale;
  for (double& y : massPhi) y *= scale;
  KeepMode(std::move(phi), std::move(massPhi));
  return ModalFault::None;
}

// Brings the secant points past root j, deflates their determinants by it and
// decides whether the next mode is one of the roots the secant step passed.
inline ModalFault DeterminantSearch::PassRoot(std::int32_t j, bool& direct) {
  const double lj = lambda_[j];
  const double tau = 1.0e-10 * lj;
  if (passedCount_ > 0 && lj > n_.shift) passedFlag_ = true;
  if (passedFlag_) {
    if (!(p_.shift > 0.0)) {
      p_.shift = 0.5 * s_.shift;
      if (ModalFault fault = FactoriseAt(p_, j); fault != ModalFault::None) return fault;
    }
    if (std::fabs(lj - s_.shift) <= tau) s_ = p_, p_ = pp_;
    for (SecantPoint* point : {&pp_, &p_, &s_}) point->deflated = Over(point->deflated, point->shift - lj);
    if (lj <= n_.shift) --passedCount_;
    direct = passedCount_ > 0;
    if (!direct) passedFlag_ = false, eta_ = 2.0;
    return ModalFault::None;
  }
  const bool passedRootOpen = passedCount_ > 0;
  if (passedRootOpen && std::fabs(n_.shift - lj) >= tau) {
    if (!(std::fabs(lj - s_.shift) < tau)) p_ = s_;
    s_ = n_;
  } else if (std::fabs(lj - s_.shift) <= tau) {
    if (!(p_.shift > 0.0)) {
      p_.shift = 0.5 * s_.shift;
      if (ModalFault fault = FactoriseAt(p_, j); fault != ModalFault::None) return fault;
    }
    s_ = p_, p_ = pp_;
  }
  // The one passed root is found now; a stale count would send later modes
  // back to the passing shift.
  if (passedRootOpen && lj <= n_.shift) --passedCount_;
  p_.deflated = Over(p_.deflated, p_.shift - lj);
  s_.deflated = Over(s_.deflated, s_.shift - lj);
  eta_ = 2.0;
  direct = false;
  return ModalFault::None;
}

// Factorises K - shift·M into factor_, keeping its determinant and the count
// of negative pivots.
inline ModalFault DeterminantSearch::Factorise(double& shift) {
  if (ModalFault fault = FactoriseShifted(profile_, K_, M_, shift, factor_, negatives_, SilentProgress());
      fault != ModalFault::None)
    return fault;
  factorShift_ = shift;
  ScaledReal det;
  for (std::int64_t i = 1; i <= E_; ++i) det = Normalised(det.mantissa * factor_[profile_.DiagonalAddress[i]], det.exponent);
  det_ = det;
  return ModalFault::None;
}

inline ModalFault DeterminantSearch::FactoriseAt(SecantPoint& point, std::int32_t j) {
  if (ModalFault fault = Factorise(point.shift); fault != ModalFault::None) return fault;
  point.det = det_;
  point.deflated = det_;
  for (std::int32_t k = 1; k < j; ++k) point.deflated = Over(point.deflated, point.shift - lambda_[k]);
  return ModalFault::None;
}

inline ModalFault DeterminantSearch::EnsureFactorisedAt(double shift) {
  if (shift == factorShift_) return ModalFault::None;
  return Factorise(shift);
}

inline bool DeterminantSearch::Solve(std::vector<double>& x) {
  return SolveDisplacements(factor_, profile_, x, SilentProgress()).Ok();
}

inline void DeterminantSearch::MassTimes(const std::vector<double>& x, std::vector<double>& y) const {
  for (std::int64_t i = 1; i <= E_; ++i) y[i] = M_[i] * x[i];
}

// Against every mode found, not only the latest: a start vector far from
// its root would otherwise converge again to a mode found earlier.
inline void DeterminantSearch::Orthogonalise(std::vector<double>& y) const {
  for (std::size_t c = 0; c < modes_.size(); ++c) {
    const double g = Dot(modes_[c], y);
    const std::vector<double>& massPhi = massModes_[c];
    for (std::int64_t i = 1; i <= E_; ++i) y[i] -= g * massPhi[i];
  }
}

inline void DeterminantSearch::KeepMode(std::vector<double> phi, std::vector<double> massPhi) {
  modes_.push_back(std::move(phi));
  massModes_.push_back(std::move(massPhi));
}

}  // namespace oracle

// The modes of K·φ = λ·M·φ by the determinant search, in the order found.
inline ModalResult DeterminantSearchModes(const SkylineProfile& profile, std::span<const double> K,
                                          std::span<const double> M, const ModalOptions& options) {
  oracle::DeterminantSearch search(profile, K, M, options);
  return search.Run();
}

}  // namespace kerneltest
