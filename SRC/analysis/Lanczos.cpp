// Shift-invert Lanczos run; see Lanczos.h. Names follow the method: q the
// basis vectors, α and β the diagonal and off-diagonal of T, θ its
// eigenvalues, s its eigenvectors, ρ = β·|s_last| the residual bound.
#include "analysis/Lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/RunState.h"
#include "analysis/SkylineVector.h"

namespace {

// A Ritz pair is accepted when ρ ≤ kResidualTolerance·θ + kResidualFloor·θmax:
// λ is then good to far below 1.0e-10, and the floor keeps roots far above the
// lowest (θ tiny against θmax) from waiting on rounding that cannot shrink.
constexpr double kResidualTolerance = 1.0e-10;
constexpr double kResidualFloor = 1.0e-13;
// β below this share of ‖T‖ means the basis spans an invariant subspace.
constexpr double kBreakdown = 1.0e-6;
// Equations per chunk when the Ritz vectors are gathered (stays in L2).
constexpr std::int64_t kGatherChunk = 512;

// SplitMix64: the same pseudo-random start vectors with every compiler and
// standard library, so a run is reproducible.
class StartSequence {
 public:
  double Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (2.0 / 9007199254740992.0) - 1.0;  // [-1, 1)
  }

 private:
  std::uint64_t state_ = 0x2545F4914F6CDD1Dull;
};

class LanczosRun {
 public:
  LanczosRun(const LanczosOperator& op, std::span<const std::vector<double>* const> locked, const LanczosGoal& goal,
             const LanczosMonitor& monitor)
      : op_(op), locked_(locked), goal_(goal), monitor_(monitor), E_(op.profile.equationCount),
        maxSteps_(std::max<std::int32_t>(1, std::min(goal.dimension, std::max(3 * goal.count + 30, 60)))) {}

  LanczosOutcome Execute(std::span<const double> start);

 private:
  struct Check {
    bool met = false;
    std::vector<std::int32_t> accepted;  // indexes into θ, ascending λ
  };

  double* Q(std::size_t j) { return basis_[j].data(); }
  void MassTimes(const double* x, double* y) const;
  void ZeroMassless(double* w) const;
  double MassNorm(const double* w);
  bool StartVector(std::span<const double> v);
  void Orthogonalise(double* w, std::size_t count);
  Check Judge(const std::vector<double>& theta, const std::vector<double>& lastRow, double beta, bool record);
  void GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                   const std::vector<double>& z, double beta, LanczosOutcome& outcome);

  const LanczosOperator& op_;
  std::span<const std::vector<double>* const> locked_;
  const LanczosGoal& goal_;
  const LanczosMonitor& monitor_;
  const std::int64_t E_;
  const std::int32_t maxSteps_;
  std::vector<std::int64_t> massless_;      // equations without mass
  std::vector<std::vector<double>> basis_;  // q_0 .. q_n, each 1-based, zero at the massless equations
  std::vector<std::vector<double>> images_; // S·M·q_j at the massless equations
  std::vector<double> alpha_, beta_;
  std::vector<double> massW_;  // M·w
  StartSequence random_;
  double normT_ = 0.0;
  std::vector<double> previousEstimate_;
  bool solveFailed_ = false;
};

void LanczosRun::MassTimes(const double* x, double* y) const {
  for (std::int64_t i = 1; i <= E_; ++i) y[i] = op_.M[i] * x[i];
}

// The massless terms of a basis vector take no part in S·M·q nor in the M
// inner product, so the recurrence never corrects them: kept, they would grow
// by 1/β each step. They are dropped, and each mode's massless terms come from
// the images S·M·q_j, which hold them exactly (GatherModes).
void LanczosRun::ZeroMassless(double* w) const {
  for (std::int64_t i : massless_) w[i] = 0.0;
}

double LanczosRun::MassNorm(const double* w) {
  MassTimes(w, massW_.data());
  return skyline::Dot(w + 1, massW_.data() + 1, E_);
}

// M-orthogonalises w against the locked modes and the first `count` basis
// vectors; a second pass runs when the first removed more than half of w.
void LanczosRun::Orthogonalise(double* w, std::size_t count) {
  double before = MassNorm(w);
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<double> c(locked_.size() + count);
    for (std::size_t l = 0; l < locked_.size(); ++l) c[l] = skyline::Dot(locked_[l]->data() + 1, massW_.data() + 1, E_);
    for (std::size_t r = 0; r < count; ++r) c[locked_.size() + r] = skyline::Dot(Q(r) + 1, massW_.data() + 1, E_);
    for (std::size_t k = 0; k < c.size(); ++k) {
      const double* v = k < locked_.size() ? locked_[k]->data() : Q(k - locked_.size());
      const double g = c[k];
      for (std::int64_t i = 1; i <= E_; ++i) w[i] -= g * v[i];
    }
    const double after = MassNorm(w);
    if (!(after < 0.25 * before)) break;
    before = after;
  }
}

// Puts S·M·v, M-orthogonal to everything held and M-normalised, into a new
// basis vector. False when nothing of it is left: the basis spans every root
// that this start can reach.
bool LanczosRun::StartVector(std::span<const double> v) {
  std::vector<double> w(E_ + 1, 0.0);
  if (v.empty()) {
    for (std::int64_t i = 1; i <= E_; ++i) w[i] = random_.Next();
  } else {
    std::copy(v.begin(), v.begin() + E_ + 1, w.begin());
  }
  MassTimes(w.data(), w.data());
  w[0] = 0.0;
  if (!SolveDisplacements(op_.factor, op_.profile, w, SilentProgress()).Ok()) {
    solveFailed_ = true;
    return false;
  }
  const double size = MassNorm(w.data());
  Orthogonalise(w.data(), basis_.size());
  ZeroMassless(w.data());
  const double left = MassNorm(w.data());
  if (!(left > 1.0e-20 * size) || !std::isfinite(left)) return false;
  const double scale = 1.0 / std::sqrt(left);
  for (double& x : w) x *= scale;
  basis_.push_back(std::move(w));
  return true;
}

// Walks the Ritz values from the lowest λ up: the goal is met when the
// `count` lowest, or those up to the first above the cut-off, have converged.
LanczosRun::Check LanczosRun::Judge(const std::vector<double>& theta, const std::vector<double>& lastRow, double beta,
                                    bool record) {
  std::vector<std::int32_t> order;
  double thetaMax = 0.0;
  for (std::size_t i = 0; i < theta.size(); ++i) {
    thetaMax = std::max(thetaMax, std::fabs(theta[i]));
    if (theta[i] > 0.0) order.push_back(static_cast<std::int32_t>(i));
  }
  std::sort(order.begin(), order.end(), [&theta](std::int32_t a, std::int32_t b) { return theta[a] > theta[b]; });
  Check check;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const std::int32_t i = order[k];
    const double rho = std::fabs(beta * lastRow[i]);
    const double lambda = op_.shift + 1.0 / theta[i];
    if (!(rho <= kResidualTolerance * theta[i] + kResidualFloor * thetaMax)) {
      if (record && monitor_.estimate) {
        monitor_.estimate(lambda, k < previousEstimate_.size() ? previousEstimate_[k] : 0.0);
        previousEstimate_.assign(order.size(), 0.0);
        for (std::size_t o = 0; o < order.size(); ++o) previousEstimate_[o] = op_.shift + 1.0 / theta[order[o]];
      }
      return check;
    }
    check.accepted.push_back(i);
    if (static_cast<std::int32_t>(check.accepted.size()) >= goal_.count || lambda > goal_.cutOff) {
      check.met = true;
      return check;
    }
  }
  return check;
}

// The mode of a Ritz pair is S·M·x / θ with x = Q·s: at the equations with
// mass x + β·s_last/θ·q_n (S·M·Q = Q·T + β·q_n·e_lastᵀ), at the massless ones
// Σ s_r·(S·M·q_r) / θ from the images. M-normalised, the largest term made
// positive.
void LanczosRun::GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                             const std::vector<double>& z, double beta, LanczosOutcome& outcome) {
  const std::size_t n = alpha_.size();
  const bool next = basis_.size() > n && beta != 0.0;
  std::vector<std::vector<double>> x(chosen.size(), std::vector<double>(E_ + 1, 0.0));
  for (std::int64_t first = 1; first <= E_; first += kGatherChunk) {
    const std::int64_t last = std::min(E_, first + kGatherChunk - 1);
    for (std::size_t r = 0; r < n + (next ? 1 : 0); ++r) {
      const double* q = Q(r);
      for (std::size_t c = 0; c < chosen.size(); ++c) {
        const std::size_t i = static_cast<std::size_t>(chosen[c]);
        const double s = r < n ? z[r * n + i] : beta * z[(n - 1) * n + i] / theta[i];
        double* xc = x[c].data();
        for (std::int64_t e = first; e <= last; ++e) xc[e] += s * q[e];
      }
    }
  }
  for (std::size_t c = 0; c < chosen.size(); ++c) {
    const std::size_t i = static_cast<std::size_t>(chosen[c]);
    std::vector<double>& phi = x[c];
    for (std::size_t r = 0; r < n; ++r) {
      const double s = z[r * n + i] / theta[i];
      const std::vector<double>& image = images_[r];
      for (std::size_t k = 0; k < massless_.size(); ++k) phi[massless_[k]] += s * image[k];
    }
    const double norm = std::sqrt(MassNorm(phi.data()));
    std::int64_t largest = 1;
    for (std::int64_t e = 1; e <= E_; ++e)
      if (std::fabs(phi[e]) > std::fabs(phi[largest])) largest = e;
    const double scale = (phi[largest] < 0.0 ? -1.0 : 1.0) / norm;
    for (double& v : phi) v *= scale;
    outcome.accepted.push_back({op_.shift + 1.0 / theta[i], std::move(phi)});
  }
}

LanczosOutcome LanczosRun::Execute(std::span<const double> start) {
  LanczosOutcome outcome;
  massW_.assign(E_ + 1, 0.0);
  for (std::int64_t i = 1; i <= E_; ++i)
    if (op_.M[i] == 0.0) massless_.push_back(i);
  if (goal_.dimension <= 0 || goal_.count <= 0) {
    outcome.exhausted = true;
    return outcome;
  }
  if (!StartVector(start)) {
    outcome.exhausted = !solveFailed_;
    outcome.broken = solveFailed_;
    return outcome;
  }
  std::vector<double> p(E_ + 1), w(E_ + 1);
  double beta = 0.0;  // β of the last step: the residual factor
  std::int32_t lastCheck = 0;
  for (;;) {
    const std::size_t j = alpha_.size();
    const double* q = Q(j);
    MassTimes(q, p.data());
    p[0] = 0.0;
    w = p;
    if (!SolveDisplacements(op_.factor, op_.profile, w, SilentProgress()).Ok()) {
      outcome.broken = true;
      return outcome;
    }
    std::vector<double>& image = images_.emplace_back(massless_.size());
    for (std::size_t k = 0; k < massless_.size(); ++k) image[k] = w[massless_[k]];
    ZeroMassless(w.data());
    const double a = skyline::Dot(p.data() + 1, w.data() + 1, E_);
    for (std::int64_t i = 1; i <= E_; ++i) w[i] -= a * q[i];
    if (j > 0)
      for (std::int64_t i = 1; i <= E_; ++i) w[i] -= beta_[j - 1] * Q(j - 1)[i];
    Orthogonalise(w.data(), j + 1);
    ZeroMassless(w.data());
    const double b2 = MassNorm(w.data());
    if (!std::isfinite(a) || !std::isfinite(b2) || b2 < 0.0) {
      outcome.broken = true;
      return outcome;
    }
    alpha_.push_back(a);
    beta = std::sqrt(b2);
    normT_ = std::max({normT_, std::fabs(a), beta});
    const auto n = static_cast<std::int32_t>(alpha_.size());
    outcome.steps = n;
    if (monitor_.step) monitor_.step(n);

    bool stop = n >= maxSteps_ || n >= goal_.dimension;
    if (beta <= kBreakdown * normT_) {
      // An invariant subspace: carry on from a fresh vector when one is left
      // (T then splits into blocks), else every root left is in T.
      beta = 0.0;
      beta_.push_back(0.0);
      if (stop || !StartVector({})) {
        if (solveFailed_) {
          outcome.broken = true;
          return outcome;
        }
        outcome.exhausted = true;
        stop = true;
      }
    } else {
      beta_.push_back(beta);
      for (std::int64_t i = 1; i <= E_; ++i) w[i] /= beta;
      basis_.push_back(w);
    }
    if (n >= goal_.dimension) outcome.exhausted = true;

    const bool due = n >= goal_.count && n - lastCheck >= std::max(4, n / 10);
    if (!stop && !due) continue;
    lastCheck = n;
    std::vector<double> theta = alpha_, e = beta_, lastRow(alpha_.size(), 0.0);
    lastRow.back() = 1.0;
    if (!TridiagonalEigen(theta, e, lastRow.data(), 1)) {
      outcome.broken = true;
      return outcome;
    }
    const Check check = Judge(theta, lastRow, beta, true);
    if (!check.met && !stop) continue;

    // Final: the eigenvectors of T for the accepted pairs.
    const std::size_t size = alpha_.size();
    std::vector<double> z(size * size, 0.0);
    for (std::size_t i = 0; i < size; ++i) z[i * size + i] = 1.0;
    theta = alpha_, e = beta_;
    if (!TridiagonalEigen(theta, e, z.data(), static_cast<std::int32_t>(size))) {
      outcome.broken = true;
      return outcome;
    }
    std::vector<double> last(z.end() - static_cast<std::ptrdiff_t>(size), z.end());
    const Check chosen = Judge(theta, last, outcome.exhausted ? 0.0 : beta, false);
    GatherModes(chosen.accepted, theta, z, beta, outcome);
    return outcome;
  }
}

}  // namespace

LanczosOutcome RunLanczos(const LanczosOperator& op, std::span<const std::vector<double>* const> locked,
                          const LanczosGoal& goal, std::span<const double> start, const LanczosMonitor& monitor) {
  LanczosRun run(op, locked, goal, monitor);
  return run.Execute(start);
}

// The implicit QL method with Wilkinson shifts, as EISPACK's tql2: each
// sweep chases a bulge down from row l by plane rotations, which are also
// applied to the rows of z that the caller keeps.
bool TridiagonalEigen(std::vector<double>& d, std::vector<double>& e, double* z, std::int32_t rows) {
  const auto n = static_cast<std::int32_t>(d.size());
  if (n == 0) return true;
  e.resize(static_cast<std::size_t>(n));
  e[static_cast<std::size_t>(n - 1)] = 0.0;
  for (std::int32_t l = 0; l < n; ++l) {
    for (int sweep = 0;; ++sweep) {
      std::int32_t m = l;
      for (; m < n - 1; ++m) {
        const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
        if (std::fabs(e[m]) + dd == dd) break;
      }
      if (m == l) break;
      if (sweep == 60) return false;
      double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
      double r = std::hypot(g, 1.0);
      g = d[m] - d[l] + e[l] / (g + std::copysign(r, g));
      double s = 1.0, c = 1.0, p = 0.0;
      std::int32_t i = m - 1;
      for (; i >= l; --i) {
        double f = s * e[i];
        const double b = c * e[i];
        r = std::hypot(f, g);
        e[i + 1] = r;
        if (r == 0.0) {
          d[i + 1] -= p;
          e[m] = 0.0;
          break;
        }
        s = f / r;
        c = g / r;
        g = d[i + 1] - p;
        r = (d[i] - g) * s + 2.0 * c * b;
        p = s * r;
        d[i + 1] = g + p;
        g = c * r - b;
        for (std::int32_t k = 0; k < rows; ++k) {
          double* row = z + static_cast<std::ptrdiff_t>(k) * n;
          f = row[i + 1];
          row[i + 1] = s * row[i] + c * f;
          row[i] = c * row[i] - s * f;
        }
      }
      if (r == 0.0 && i >= l) continue;
      d[l] -= p;
      e[l] = g;
      e[m] = 0.0;
    }
  }
  return true;
}
