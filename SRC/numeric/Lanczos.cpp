// Shift-invert Lanczos run; see Lanczos.h. Names follow the method: q the
// basis vectors, α and β the diagonal and off-diagonal of T, θ its
// eigenvalues, s its eigenvectors, ρ = β·|s_last| the residual bound.
#include "numeric/Lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "numeric/ColumnBlock.h"
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
// Modes solved together: one pass over the factor serves eight.
constexpr std::int64_t kSolveWidth = 8;

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
// long as 2·E terms per step stay within about 400 MB (the basis keeps only
// the massed ones, at most E).
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

  double* Q(std::int64_t j) { return basis_.get() + j * Em_; }
  void Prepare();
  double MassDot(const double* x, const double* y) const;
  double MassNorm(const double* w);
  void Compress(double* w) const;
  bool Solve();
  bool StartVector(std::span<const double> v);
  void Orthogonalise(double* w, const double* block, std::int64_t count);
  void NextOmega(double a, double b, std::vector<double>& next) const;
  std::vector<std::int32_t> Candidates(const std::vector<double>& theta, double& thetaMax) const;
  Check Judge(const std::vector<double>& theta, const std::vector<double>& lastRow, double beta, bool record);
  std::vector<std::int32_t> Converged(const std::vector<double>& theta, const std::vector<double>& lastRow,
                                      double beta) const;
  bool GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                   const std::vector<double>& z, LanczosOutcome& outcome);
  void GatherRestart(const std::vector<std::int32_t>& accepted, const std::vector<double>& theta,
                     const std::vector<double>& z, LanczosOutcome& outcome);

  const LanczosOperator& op_;
  std::span<const std::vector<double>* const> locked_;
  const LanczosGoal& goal_;
  const LanczosMonitor& monitor_;
  const std::int64_t E_;
  const std::int32_t maxSteps_;
  // The equations with mass, ascending, and their masses: the basis holds
  // only these terms (its massless terms are zero), every vector of the run
  // is kept this short, and the M inner product is a weighted dot of them.
  std::vector<std::int64_t> massed_;
  std::vector<double> mass_;
  std::int64_t Em_ = 0;
  // q_0 .. q_n, column after column, Em_ terms each: room for the step
  // limit, taken from the system only as the columns are written.
  std::unique_ptr<double[]> basis_;
  std::int64_t columns_ = 0;
  std::vector<double> lockedBlock_;  // the massed terms of the locked modes, column after column
  std::vector<double> full_;         // a vector of all E + 1 terms, for the solves
  std::vector<double> w_, massW_, coefficients_;
  std::vector<double> alpha_, beta_;
  StartSequence random_;
  double normT_ = 0.0;
  std::vector<double> previousEstimate_;
  std::vector<double> omega_, omegaPrevious_;  // estimated q_jᵀ·M·q_k of the last two vectors
  bool solveFailed_ = false;
};

void LanczosRun::Prepare() {
  for (std::int64_t i = 1; i <= E_; ++i)
    if (op_.M[i] != 0.0) {
      massed_.push_back(i);
      mass_.push_back(op_.M[i]);
    }
  Em_ = static_cast<std::int64_t>(massed_.size());
  basis_ = std::make_unique_for_overwrite<double[]>(static_cast<std::size_t>((maxSteps_ + 1) * Em_));
  lockedBlock_.resize(locked_.size() * static_cast<std::size_t>(Em_));
  for (std::size_t l = 0; l < locked_.size(); ++l)
    for (std::int64_t k = 0; k < Em_; ++k) lockedBlock_[l * Em_ + k] = (*locked_[l])[massed_[k]];
  full_.assign(E_ + 1, 0.0);
  w_.assign(Em_, 0.0);
  massW_.assign(Em_, 0.0);
}

double LanczosRun::MassDot(const double* x, const double* y) const {
  double sum = 0.0;
  for (std::int64_t k = 0; k < Em_; ++k) sum += x[k] * mass_[k] * y[k];
  return sum;
}

// Σ m·w², leaving M·w in massW_.
double LanczosRun::MassNorm(const double* w) {
  for (std::int64_t k = 0; k < Em_; ++k) massW_[k] = mass_[k] * w[k];
  return skyline::Dot(w, massW_.data(), Em_);
}

// The massed terms of full_ into w. The massless terms of a solve take no
// part in S·M·q nor in the M inner product, so the recurrence would never
// correct them: kept, they would grow by 1/β each step. The modes get them
// back from solves of their own (GatherModes).
void LanczosRun::Compress(double* w) const {
  for (std::int64_t k = 0; k < Em_; ++k) w[k] = full_[massed_[k]];
}

bool LanczosRun::Solve() {
  full_[0] = 0.0;
  return SolveDisplacements(op_.factor, op_.profile, full_, SilentProgress()).Ok();
}

// M-orthogonalises w against `count` columns of a block, all coefficients
// from one product with the block and one update (classical Gram-Schmidt);
// a second pass runs when the first removed more than three quarters of w
// (twice is enough).
void LanczosRun::Orthogonalise(double* w, const double* block, std::int64_t count) {
  if (count == 0) return;
  double before = MassNorm(w);
  coefficients_.resize(static_cast<std::size_t>(count));
  for (int pass = 0; pass < 2; ++pass) {
    columns::TransposeTimes(block, Em_, Em_, count, massW_.data(), coefficients_.data());
    columns::SubtractTimes(block, Em_, Em_, count, coefficients_.data(), w);
    const double after = MassNorm(w);
    if (!(after < 0.25 * before)) break;
    before = after;
  }
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
  if (v.empty()) {
    for (std::int64_t i = 1; i <= E_; ++i) full_[i] = op_.M[i] * random_.Next();
  } else {
    for (std::int64_t i = 1; i <= E_; ++i) full_[i] = op_.M[i] * v[i];
  }
  if (!Solve()) {
    solveFailed_ = true;
    return false;
  }
  double* w = w_.data();
  Compress(w);
  const double size = MassNorm(w);
  Orthogonalise(w, lockedBlock_.data(), static_cast<std::int64_t>(locked_.size()));
  Orthogonalise(w, Q(0), columns_);
  const double left = MassNorm(w);
  if (!(left > 1.0e-20 * size) || !std::isfinite(left)) return false;
  const double scale = 1.0 / std::sqrt(left);
  double* q = Q(columns_++);
  for (std::int64_t k = 0; k < Em_; ++k) q[k] = w[k] * scale;
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

// The mode of a Ritz pair is S·M·x / θ with x = Q·s: one solve away from
// x, it satisfies K·φ = M·x/θ to the accuracy of the solve at every
// equation, the massless ones included, however stiff the structure.
// z: the eigenvectors of T, column after column. The Ritz vectors (scaled
// by 1/θ) come from one product of the basis with the chosen columns of z;
// the basis is then given back, before the modes take their room, and the
// modes are solved eight at a time, each into its place. M-normalised, the
// largest term made positive.
bool LanczosRun::GatherModes(const std::vector<std::int32_t>& chosen, const std::vector<double>& theta,
                             const std::vector<double>& z, LanczosOutcome& outcome) {
  const auto n = static_cast<std::int64_t>(alpha_.size());
  const auto count = static_cast<std::int64_t>(chosen.size());
  std::vector<double> x(static_cast<std::size_t>(Em_ * count));
  {
    std::vector<double> weight(static_cast<std::size_t>(n * count));
    for (std::int64_t r = 0; r < n; ++r)
      for (std::int64_t c = 0; c < count; ++c) {
        const auto i = static_cast<std::size_t>(chosen[static_cast<std::size_t>(c)]);
        weight[static_cast<std::size_t>(r * count + c)] = z[i * static_cast<std::size_t>(n) + r] / theta[i];
      }
    columns::Times(Q(0), Em_, Em_, n, weight.data(), count, x.data(), Em_);
  }
  basis_.reset();
  std::vector<double> several;
  for (std::int64_t group = 0; group < count; group += kSolveWidth) {
    const std::int64_t take = std::min(kSolveWidth, count - group);
    const std::int32_t R = take <= 4 ? 4 : 8;
    several.assign(static_cast<std::size_t>((E_ + 1) * R), 0.0);
    for (std::int64_t c = 0; c < take; ++c) {
      const double* xc = x.data() + (group + c) * Em_;
      for (std::int64_t k = 0; k < Em_; ++k) several[static_cast<std::size_t>(massed_[k] * R + c)] = mass_[k] * xc[k];
    }
    if (!SolveSeveral(op_.factor, op_.profile, several, R).Ok()) return false;
    for (std::int64_t c = 0; c < take; ++c) {
      const auto i = static_cast<std::size_t>(chosen[static_cast<std::size_t>(group + c)]);
      std::vector<double> phi(static_cast<std::size_t>(E_ + 1), 0.0);
      for (std::int64_t e = 1; e <= E_; ++e) phi[e] = several[static_cast<std::size_t>(e * R + c)];
      double norm = 0.0;
      for (std::int64_t e = 1; e <= E_; ++e) norm += phi[e] * op_.M[e] * phi[e];
      norm = std::sqrt(norm);
      std::int64_t largest = 1;
      for (std::int64_t e = 1; e <= E_; ++e)
        if (std::fabs(phi[e]) > std::fabs(phi[largest])) largest = e;
      const double scale = (phi[largest] < 0.0 ? -1.0 : 1.0) / norm;
      for (double& v : phi) v *= scale;
      outcome.accepted.push_back({op_.shift + 1.0 / theta[i], std::move(phi)});
    }
  }
  return true;
}

LanczosOutcome LanczosRun::Execute(std::span<const double> start) {
  LanczosOutcome outcome;
  if (goal_.dimension <= 0 || goal_.count <= 0) {
    outcome.exhausted = true;
    return outcome;
  }
  Prepare();
  if (!StartVector(start)) {
    outcome.exhausted = !solveFailed_;
    outcome.broken = solveFailed_;
    return outcome;
  }
  omega_ = {1.0};
  std::vector<double> omegaNext;
  double* w = w_.data();
  double beta = 0.0;  // β of the last step: the residual factor
  bool reorthogonaliseNext = false;
  std::int32_t lastCheck = 0;
  for (;;) {
    const std::size_t j = alpha_.size();
    const double* q = Q(static_cast<std::int64_t>(j));
    std::fill(full_.begin(), full_.end(), 0.0);
    for (std::int64_t k = 0; k < Em_; ++k) full_[massed_[k]] = mass_[k] * q[k];
    if (!Solve()) {
      outcome.broken = true;
      return outcome;
    }
    Compress(w);
    // Three-term recurrence, then α corrected by a second pass against q_j.
    double a = MassDot(q, w);
    const double* previous = j > 0 ? Q(static_cast<std::int64_t>(j) - 1) : nullptr;
    const double b0 = j > 0 ? beta_[j - 1] : 0.0;
    for (std::int64_t k = 0; k < Em_; ++k) w[k] -= a * q[k] + (previous ? b0 * previous[k] : 0.0);
    const double correction = MassDot(q, w);
    for (std::int64_t k = 0; k < Em_; ++k) w[k] -= correction * q[k];
    a += correction;
    Orthogonalise(w, lockedBlock_.data(), static_cast<std::int64_t>(locked_.size()));
    double b2 = MassNorm(w);
    if (!std::isfinite(a) || !std::isfinite(b2) || b2 < 0.0) {
      outcome.broken = true;
      return outcome;
    }
    normT_ = std::max({normT_, std::fabs(a), std::sqrt(b2)});
    NextOmega(a, std::sqrt(b2), omegaNext);
    double lost = 0.0;
    for (std::size_t k = 0; k <= j; ++k) lost = std::max(lost, std::fabs(omegaNext[k]));
    if (reorthogonaliseNext || !(lost <= kOrthogonalityLimit)) {
      Orthogonalise(w, Q(0), static_cast<std::int64_t>(j) + 1);
      b2 = MassNorm(w);
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
      double* next = Q(columns_++);
      for (std::int64_t k = 0; k < Em_; ++k) next[k] = w[k] / beta;
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

    // Final: the eigenvectors of T, column after column, for the accepted pairs.
    const std::size_t size = alpha_.size();
    std::vector<double> z(size * size, 0.0);
    for (std::size_t i = 0; i < size; ++i) z[i * size + i] = 1.0;
    theta = alpha_, e = beta_;
    if (!TridiagonalEigenColumns(theta, e, z.data())) {
      outcome.broken = true;
      return outcome;
    }
    std::vector<double> last(size);
    for (std::size_t i = 0; i < size; ++i) last[i] = z[i * size + size - 1];
    const Check chosen = Judge(theta, last, beta, false);
    outcome.nextEstimate = chosen.nextEstimate;
    outcome.thetaMax = chosen.thetaMax;
    // A run cut short still hands over every root that has converged, those
    // above an unconverged one too: the caller's Sturm count judges the gaps.
    const std::vector<std::int32_t> taken = chosen.met ? chosen.accepted : Converged(theta, last, beta);
    if (!chosen.met && !outcome.exhausted) GatherRestart(taken, theta, z, outcome);
    if (!GatherModes(taken, theta, z, outcome)) {
      outcome.accepted.clear();
      outcome.restart.clear();
      outcome.broken = true;
    }
    return outcome;
  }
}

// When the step limit ends a run short of its goal, the next run starts from
// the sum of the Ritz vectors of the roots still wanted, so that it does not
// begin from nothing (its massless terms play no part in a start).
void LanczosRun::GatherRestart(const std::vector<std::int32_t>& accepted, const std::vector<double>& theta,
                               const std::vector<double>& z, LanczosOutcome& outcome) {
  const auto n = static_cast<std::int64_t>(alpha_.size());
  double thetaMax = 0.0;
  std::vector<std::int32_t> order;
  for (std::int32_t i : Candidates(theta, thetaMax))
    if (std::find(accepted.begin(), accepted.end(), i) == accepted.end()) order.push_back(i);
  const std::size_t take = std::min(order.size(), static_cast<std::size_t>(
                                                       std::max<std::int64_t>(1, goal_.count - std::int64_t(accepted.size()))));
  std::vector<double> s(static_cast<std::size_t>(n), 0.0), x(static_cast<std::size_t>(Em_));
  for (std::int64_t r = 0; r < n; ++r)
    for (std::size_t t = 0; t < take; ++t) s[r] += z[static_cast<std::size_t>(order[t]) * n + r];
  columns::Times(Q(0), Em_, Em_, n, s.data(), 1, x.data(), Em_);
  outcome.restart.assign(E_ + 1, 0.0);
  for (std::int64_t k = 0; k < Em_; ++k) outcome.restart[massed_[k]] = x[k];
}

}  // namespace

LanczosOutcome RunLanczos(const LanczosOperator& op, std::span<const std::vector<double>* const> locked,
                          const LanczosGoal& goal, std::span<const double> start, const LanczosMonitor& monitor) {
  LanczosRun run(op, locked, goal, monitor);
  return run.Execute(start);
}

namespace {

// The implicit QL method with Wilkinson shifts, as EISPACK's tql2: each
// sweep chases a bulge down from row l by plane rotations, each passed to
// `rotate`(i, s, c) for the columns i and i + 1 of the eigenvector matrix.
template <class Rotate>
bool ImplicitQl(std::vector<double>& d, std::vector<double>& e, Rotate rotate) {
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
        const double f = s * e[i];
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
        rotate(i, s, c);
      }
      if (r == 0.0 && i >= l) continue;
      d[l] -= p;
      e[l] = g;
      e[m] = 0.0;
    }
  }
  return true;
}

// (x, y) ← (c·x − s·y, s·x + c·y), term by term. x, y: n terms, modified.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void RotatePair(double* x, double* y, std::int64_t n, double s, double c) {
  for (std::int64_t k = 0; k < n; ++k) {
    const double f = y[k];
    y[k] = s * x[k] + c * f;
    x[k] = c * x[k] - s * f;
  }
}

}  // namespace

bool TridiagonalEigen(std::vector<double>& d, std::vector<double>& e, double* z, std::int32_t rows) {
  const auto n = static_cast<std::ptrdiff_t>(d.size());
  return ImplicitQl(d, e, [&](std::int32_t i, double s, double c) {
    for (std::int32_t k = 0; k < rows; ++k) {
      double* row = z + k * n;
      const double f = row[i + 1];
      row[i + 1] = s * row[i] + c * f;
      row[i] = c * row[i] - s * f;
    }
  });
}

bool TridiagonalEigenColumns(std::vector<double>& d, std::vector<double>& e, double* z) {
  const auto n = static_cast<std::ptrdiff_t>(d.size());
  return ImplicitQl(d, e, [&](std::int32_t i, double s, double c) { RotatePair(z + i * n, z + (i + 1) * n, n, s, c); });
}
