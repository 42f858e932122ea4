// Shift-invert Lanczos run; see Lanczos.h. Names follow the method: q the
// basis vectors, α and β the diagonal and off-diagonal of T, θ its
// eigenvalues, s its eigenvectors, ρ = β·|s_last| the residual bound.
#include "numeric/Lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "numeric/RunState.h"
#include "numeric/SkylineVector.h"

namespace {

// A Ritz pair is accepted when ρ ≤ kResidualTolerance·|θ| + kResidualFloor·θmax:
// λ is then good to far below 1.0e-10, and the floor keeps roots far above the
// lowest (θ tiny against θmax) from waiting on rounding that cannot shrink.
constexpr double kResidualTolerance = 1.0e-10;
constexpr double kResidualFloor = 1.0e-13;
// Each solve adds rounding of about ε·max|θ| to θ, so a root whose |θ| is
// below this share of max|θ| cannot be resolved to 1e-10 at this shift.
constexpr double kResolvable = 1.0e-5;
// β below this share of ‖T‖ means the basis spans an invariant subspace.
constexpr double kBreakdown = 1.0e-10;
// Partial reorthogonalisation: the estimated loss of M-orthogonality between
// the new vector and the basis may grow to √ε before the new vector, and the
// one after it, are orthogonalised against the whole basis.
constexpr double kOrthogonalityLimit = 1.0e-8;
constexpr double kRounding = 1.1e-16;
// Equations per chunk when the Ritz vectors are gathered (stays in L2).
constexpr std::int64_t kGatherChunk = 512;

// SplitMix64: the same pseudo-random start vectors with every compiler and
// standard library, so a run is reproducible. Each sequence number starts
// a sequence of its own.
class StartSequence {
 public:
  explicit StartSequence(std::uint32_t sequence) : state_(0x2545F4914F6CDD1Dull + sequence * 0xD1B54A32D192ED03ull) {}
  double Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (2.0 / 9007199254740992.0) - 1.0;  // [-1, 1)
  }

 private:
  std::uint64_t state_;
};

// A Ritz pair with residual bound ρ has converged, and can be resolved here.
bool Acceptable(double rho, double theta, double thetaMax) {
  return rho <= kResidualTolerance * std::fabs(theta) + kResidualFloor * thetaMax &&
         std::fabs(theta) >= kResolvable * thetaMax;
}

// Room for the basis: enough steps for the roots asked for to converge, as
// long as the basis and the images beside it stay within about 400 MB.
std::int32_t StepLimit(const LanczosGoal& goal, std::int64_t equations) {
  const std::int64_t wanted = std::max<std::int64_t>(4 * static_cast<std::int64_t>(goal.count) + 60, 100);
  const std::int64_t room = std::max<std::int64_t>(60, 25'000'000 / std::max<std::int64_t>(1, equations));
  return static_cast<std::int32_t>(std::max<std::int64_t>(1, std::min({wanted, room, std::int64_t{goal.dimension}})));
}

class LanczosRun {
 public:
  LanczosRun(const LanczosOperator& op, std::span<const std::vector<double>* const> locked, const LanczosGoal& goal,
             const LanczosMonitor& monitor)
      : op_(op), locked_(locked), goal_(goal), monitor_(monitor), E_(op.profile.equationCount),
        maxSteps_(StepLimit(goal, op.profile.equationCount)), random_(goal.startSequence) {}

  LanczosOutcome Execute(std::span<const double> start);

 private:
  struct Check {
    bool met = false;
    std::vector<std::int32_t> accepted;  // indexes into θ, ascending λ
    double nextEstimate = NAN;           // λ of the first candidate not accepted
    double thetaMax = 0.0;
  };

  double* Q(std::size_t j) { return basis_[j].data(); }
  void MassTimes(const double* x, double* y) const;
  void ZeroMassless(double* w) const;
  double MassNorm(const double* w);
  bool StartVector(std::span<const double> v);
  void Orthogonalise(double* w, std::span<const double* const> against);
  void OrthogonaliseLocked(double* w);
  void OrthogonaliseBasis(double* w, std::size_t count);
  void NextOmega(double a, double b, std::vector<double>& next) const;
  std::vector<std::int32_t> Candidates(const std::vector<double>& theta, double& thetaMax) const;
  Check Judge(const std::vector<double>& theta, const std::vector<double>& lastRow, double beta, bool record);
  std::vector<std::int32_t> Converged(const std::vector<double>& theta, const std::vector<double>& lastRow,
                                      double beta) const;
  void GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                   const std::vector<double>& z, LanczosOutcome& outcome);
  void GatherRestart(const std::vector<std::int32_t>& accepted, const std::vector<double>& theta,
                     const std::vector<double>& z, LanczosOutcome& outcome);

  const LanczosOperator& op_;
  std::span<const std::vector<double>* const> locked_;
  const LanczosGoal& goal_;
  const LanczosMonitor& monitor_;
  const std::int64_t E_;
  const std::int32_t maxSteps_;
  std::vector<std::int64_t> massless_;      // equations without mass
  std::vector<std::vector<double>> basis_;  // q_0 .. q_n, each 1-based, zero at the massless equations
  std::vector<std::vector<double>> images_; // S·M·q_j, each 1-based
  std::vector<double> alpha_, beta_;
  std::vector<double> massW_;  // M·w
  StartSequence random_;
  double normT_ = 0.0;
  std::vector<double> previousEstimate_;
  std::vector<double> omega_, omegaPrevious_;  // estimated q_jᵀ·M·q_k of the last two vectors
  bool solveFailed_ = false;
};

void LanczosRun::MassTimes(const double* x, double* y) const {
  for (std::int64_t i = 1; i <= E_; ++i) y[i] = op_.M[i] * x[i];
}

// The massless terms of a basis vector take no part in S·M·q nor in the M
// inner product, so the recurrence never corrects them: kept, they would grow
// by 1/β each step. They are dropped; the modes are gathered from the images
// S·M·q_j, which hold them exactly (GatherModes).
void LanczosRun::ZeroMassless(double* w) const {
  for (std::int64_t i : massless_) w[i] = 0.0;
}

double LanczosRun::MassNorm(const double* w) {
  MassTimes(w, massW_.data());
  return skyline::Dot(w + 1, massW_.data() + 1, E_);
}

// M-orthogonalises w against the given vectors, four at a time so that w is
// read and written once per four; a second pass runs when the first removed
// more than three quarters of w (twice is enough).
void LanczosRun::Orthogonalise(double* w, std::span<const double* const> against) {
  if (against.empty()) return;
  double before = MassNorm(w);
  std::vector<double> c(against.size());
  for (int pass = 0; pass < 2; ++pass) {
    const double* mw = massW_.data() + 1;
    for (std::size_t k = 0; k < against.size(); ++k) c[k] = skyline::Dot(against[k] + 1, mw, E_);
    std::size_t k = 0;
    for (; k + 4 <= against.size(); k += 4) {
      const double *v0 = against[k], *v1 = against[k + 1], *v2 = against[k + 2], *v3 = against[k + 3];
      const double g0 = c[k], g1 = c[k + 1], g2 = c[k + 2], g3 = c[k + 3];
      for (std::int64_t i = 1; i <= E_; ++i) w[i] -= (g0 * v0[i] + g1 * v1[i]) + (g2 * v2[i] + g3 * v3[i]);
    }
    for (; k < against.size(); ++k) {
      const double* v = against[k];
      const double g = c[k];
      for (std::int64_t i = 1; i <= E_; ++i) w[i] -= g * v[i];
    }
    const double after = MassNorm(w);
    if (!(after < 0.25 * before)) break;
    before = after;
  }
}

void LanczosRun::OrthogonaliseLocked(double* w) {
  std::vector<const double*> against;
  for (const std::vector<double>* mode : locked_) against.push_back(mode->data());
  Orthogonalise(w, against);
}

void LanczosRun::OrthogonaliseBasis(double* w, std::size_t count) {
  std::vector<const double*> against;
  for (std::size_t r = 0; r < count; ++r) against.push_back(Q(r));
  Orthogonalise(w, against);
}

// The ω recurrence (Simon): estimates of q_{j+1}ᵀ·M·q_k, k = 0..j, from those
// of q_j and q_{j-1}, with the rounding that each step adds. a = α_j, b = β_j.
void LanczosRun::NextOmega(double a, double b, std::vector<double>& next) const {
  const std::size_t j = alpha_.size();
  const double noise = kRounding * std::sqrt(static_cast<double>(E_)) * normT_;
  next.assign(j + 2, 0.0);
  for (std::size_t k = 0; k + 1 <= j; ++k) {
    double t = beta_[k] * omega_[k + 1] + (alpha_[k] - a) * omega_[k];
    if (k > 0) t += beta_[k - 1] * omega_[k - 1];
    if (j > 0) t -= beta_[j - 1] * omegaPrevious_[k];
    next[k] = (t + std::copysign(2.0 * noise, t)) / b;
  }
  next[j] = noise / b;
  next[j + 1] = 1.0;
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
  OrthogonaliseLocked(w.data());
  OrthogonaliseBasis(w.data(), basis_.size());
  ZeroMassless(w.data());
  const double left = MassNorm(w.data());
  if (!(left > 1.0e-20 * size) || !std::isfinite(left)) return false;
  const double scale = 1.0 / std::sqrt(left);
  for (double& x : w) x *= scale;
  basis_.push_back(std::move(w));
  return true;
}

// The Ritz values above the floor, ascending in λ: θ > 0 above the shift,
// θ < 0 between the floor and the shift. thetaMax: the largest |θ| of all.
std::vector<std::int32_t> LanczosRun::Candidates(const std::vector<double>& theta, double& thetaMax) const {
  std::vector<std::int32_t> order;
  thetaMax = goal_.lockedTheta;
  for (std::size_t i = 0; i < theta.size(); ++i) {
    thetaMax = std::max(thetaMax, std::fabs(theta[i]));
    if (theta[i] != 0.0 && op_.shift + 1.0 / theta[i] > goal_.floor) order.push_back(static_cast<std::int32_t>(i));
  }
  std::sort(order.begin(), order.end(),
            [&](std::int32_t a, std::int32_t b) { return 1.0 / theta[a] < 1.0 / theta[b]; });
  return order;
}

// Walks the Ritz values from the lowest λ above the floor up: the goal is
// met when the `count` lowest, or those up to the first above the cut-off,
// have converged.
LanczosRun::Check LanczosRun::Judge(const std::vector<double>& theta, const std::vector<double>& lastRow, double beta,
                                    bool record) {
  double thetaMax = 0.0;
  const std::vector<std::int32_t> order = Candidates(theta, thetaMax);
  Check check;
  check.thetaMax = thetaMax;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const std::int32_t i = order[k];
    const double rho = std::fabs(beta * lastRow[i]);
    const double lambda = op_.shift + 1.0 / theta[i];
    if (!Acceptable(rho, theta[i], thetaMax)) {
      check.nextEstimate = lambda;
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
      if (k + 1 < order.size()) check.nextEstimate = op_.shift + 1.0 / theta[order[k + 1]];
      return check;
    }
  }
  return check;
}

// Every candidate whose residual bound passes, ascending in λ.
std::vector<std::int32_t> LanczosRun::Converged(const std::vector<double>& theta, const std::vector<double>& lastRow,
                                                double beta) const {
  double thetaMax = 0.0;
  std::vector<std::int32_t> converged;
  for (std::int32_t i : Candidates(theta, thetaMax))
    if (Acceptable(std::fabs(beta * lastRow[i]), theta[i], thetaMax)) converged.push_back(i);
  return converged;
}

// The mode of a Ritz pair is S·M·x / θ with x = Q·s, gathered from the
// images: Σ s_r·(S·M·q_r) / θ. Being one solve away from x, it satisfies
// K·φ = M·x/θ to the accuracy of the solve at every equation, the massless
// ones included, however stiff the structure. M-normalised, the largest term
// made positive.
void LanczosRun::GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                             const std::vector<double>& z, LanczosOutcome& outcome) {
  const std::size_t n = alpha_.size();
  std::vector<std::vector<double>> x(chosen.size(), std::vector<double>(E_ + 1, 0.0));
  std::vector<double> weight(n * chosen.size());  // s(r, c) / θ_c
  for (std::size_t c = 0; c < chosen.size(); ++c) {
    const std::size_t i = static_cast<std::size_t>(chosen[c]);
    for (std::size_t r = 0; r < n; ++r) weight[c * n + r] = z[r * n + i] / theta[i];
  }
  // By chunks of equations, four images per pass over a mode, so each term
  // of a mode is loaded and stored once per four.
  for (std::int64_t first = 1; first <= E_; first += kGatherChunk) {
    const std::int64_t last = std::min(E_, first + kGatherChunk - 1);
    for (std::size_t c = 0; c < chosen.size(); ++c) {
      double* xc = x[c].data();
      const double* s = weight.data() + c * n;
      std::size_t r = 0;
      for (; r + 4 <= n; r += 4) {
        const double *u0 = images_[r].data(), *u1 = images_[r + 1].data();
        const double *u2 = images_[r + 2].data(), *u3 = images_[r + 3].data();
        const double s0 = s[r], s1 = s[r + 1], s2 = s[r + 2], s3 = s[r + 3];
        for (std::int64_t e = first; e <= last; ++e) xc[e] += (s0 * u0[e] + s1 * u1[e]) + (s2 * u2[e] + s3 * u3[e]);
      }
      for (; r < n; ++r) {
        const double* u = images_[r].data();
        for (std::int64_t e = first; e <= last; ++e) xc[e] += s[r] * u[e];
      }
    }
  }
  for (std::size_t c = 0; c < chosen.size(); ++c) {
    const std::size_t i = static_cast<std::size_t>(chosen[c]);
    std::vector<double>& phi = x[c];
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
  omega_ = {1.0};
  std::vector<double> p(E_ + 1), w(E_ + 1), omegaNext;
  double beta = 0.0;  // β of the last step: the residual factor
  bool reorthogonaliseNext = false;
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
    images_.push_back(w);
    ZeroMassless(w.data());
    // Three-term recurrence, then α corrected by a second pass against q_j.
    double a = skyline::Dot(p.data() + 1, w.data() + 1, E_);
    const double* previous = j > 0 ? Q(j - 1) : nullptr;
    const double b0 = j > 0 ? beta_[j - 1] : 0.0;
    for (std::int64_t i = 1; i <= E_; ++i) w[i] -= a * q[i] + (previous ? b0 * previous[i] : 0.0);
    MassTimes(w.data(), massW_.data());
    const double correction = skyline::Dot(q + 1, massW_.data() + 1, E_);
    for (std::int64_t i = 1; i <= E_; ++i) w[i] -= correction * q[i];
    a += correction;
    OrthogonaliseLocked(w.data());
    double b2 = MassNorm(w.data());
    if (!std::isfinite(a) || !std::isfinite(b2) || b2 < 0.0) {
      outcome.broken = true;
      return outcome;
    }
    normT_ = std::max({normT_, std::fabs(a), std::sqrt(b2)});
    NextOmega(a, std::sqrt(b2), omegaNext);
    double lost = 0.0;
    for (std::size_t k = 0; k <= j; ++k) lost = std::max(lost, std::fabs(omegaNext[k]));
    if (reorthogonaliseNext || !(lost <= kOrthogonalityLimit)) {
      OrthogonaliseBasis(w.data(), j + 1);
      ZeroMassless(w.data());
      b2 = MassNorm(w.data());
      for (std::size_t k = 0; k <= j; ++k) omegaNext[k] = kRounding;
      reorthogonaliseNext = !reorthogonaliseNext;
    }
    alpha_.push_back(a);
    beta = std::sqrt(b2);
    const auto n = static_cast<std::int32_t>(alpha_.size());
    outcome.steps = n;
    if (monitor_.step) monitor_.step(n);

    bool stop = n >= maxSteps_ || n >= goal_.dimension;
    if (beta <= kBreakdown * normT_) {
      // An invariant subspace: carry on from a fresh vector when one is left
      // (T then splits into blocks), else every root left is in T.
      beta = 0.0;
      beta_.push_back(0.0);
      for (std::size_t k = 0; k <= j; ++k) omegaNext[k] = kRounding;
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
    omegaPrevious_ = std::move(omega_);
    omega_ = omegaNext;

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
    const Check chosen = Judge(theta, last, beta, false);
    outcome.nextEstimate = chosen.nextEstimate;
    outcome.thetaMax = chosen.thetaMax;
    // A run cut short still hands over every root that has converged, those
    // above an unconverged one too: the caller's Sturm count judges the gaps.
    const std::vector<std::int32_t> taken = chosen.met ? chosen.accepted : Converged(theta, last, beta);
    GatherModes(taken, theta, z, outcome);
    if (!chosen.met && !outcome.exhausted) GatherRestart(taken, theta, z, outcome);
    return outcome;
  }
}

// When the step limit ends a run short of its goal, the next run starts from
// the sum of the Ritz vectors of the roots still wanted, so that it does not
// begin from nothing.
void LanczosRun::GatherRestart(const std::vector<std::int32_t>& accepted, const std::vector<double>& theta,
                               const std::vector<double>& z, LanczosOutcome& outcome) {
  const std::size_t n = alpha_.size();
  double thetaMax = 0.0;
  std::vector<std::int32_t> order;
  for (std::int32_t i : Candidates(theta, thetaMax))
    if (std::find(accepted.begin(), accepted.end(), i) == accepted.end()) order.push_back(i);
  const std::size_t take = std::min(order.size(), static_cast<std::size_t>(
                                                       std::max<std::int64_t>(1, goal_.count - std::int64_t(accepted.size()))));
  outcome.restart.assign(E_ + 1, 0.0);
  for (std::size_t r = 0; r < n; ++r) {
    double s = 0.0;
    for (std::size_t t = 0; t < take; ++t) s += z[r * n + static_cast<std::size_t>(order[t])];
    const double* q = Q(r);
    for (std::int64_t i = 1; i <= E_; ++i) outcome.restart[i] += s * q[i];
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
      double r = std::sqrt(g * g + 1.0);
      g = d[m] - d[l] + e[l] / (g + std::copysign(r, g));
      double s = 1.0, c = 1.0, p = 0.0;
      std::int32_t i = m - 1;
      for (; i >= l; --i) {
        double f = s * e[i];
        const double b = c * e[i];
        r = std::sqrt(f * f + g * g);  // the terms of T, inverse roots, are far from overflow
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
