// The modal search: Lanczos rounds checked by Sturm counts; see Eigen.h.
// Start reading at ModeSearch::Run.
#include "numeric/Eigen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "numeric/ColumnBlock.h"
#include "numeric/Lanczos.h"
#include "numeric/RunState.h"
#include "numeric/SkylineVector.h"

const char* const kNoMoreRootsMessage = "The deflated polynomial has no more roots";

namespace {

// A candidate left with at least this share of its M-norm² by the removal
// of the modes found is a root of its own; below it, a suspect.
constexpr double kDistinctShare = 0.98;
// A suspect's remainder is an eigenvector when one solve moves it by less
// than this share of its θ.
constexpr double kSuspectResidual = 1.0e-6;
// Below this no lumped mass is a real one: a density or weight typed as 0 is
// stored as 1e-36, which leaves masses of that order on every equation.
constexpr double kNegligibleMass = 1.0e-20;

double MassDot(std::span<const double> M, const double* x, const double* y, std::int64_t E) {
  double sum = 0.0;
  for (std::int64_t i = 1; i <= E; ++i) sum += x[i] * M[i] * y[i];
  return sum;
}

// M-orthogonalises x against every mode found, classical Gram-Schmidt with
// a second pass when the first removes more than half of its M-norm² (then
// the rounding of the first pass is no longer small against what is left).
// Returns the M-norm² left.
double OrthogonaliseAgainst(std::span<const EigenPair> found, std::span<const double> M, std::vector<double>& x) {
  const auto E = static_cast<std::int64_t>(x.size()) - 1;
  std::vector<double> mx(x.size(), 0.0), g(found.size());
  double before = MassDot(M, x.data(), x.data(), E);
  for (int pass = 0; pass < 2 && !found.empty(); ++pass) {
    for (std::int64_t i = 1; i <= E; ++i) mx[i] = M[i] * x[i];
    for (std::size_t k = 0; k < found.size(); ++k) g[k] = skyline::Dot(found[k].phi.data() + 1, mx.data() + 1, E);
    std::size_t k = 0;
    for (; k + 4 <= found.size(); k += 4) {
      const double *v0 = found[k].phi.data(), *v1 = found[k + 1].phi.data();
      const double *v2 = found[k + 2].phi.data(), *v3 = found[k + 3].phi.data();
      const double g0 = g[k], g1 = g[k + 1], g2 = g[k + 2], g3 = g[k + 3];
      for (std::int64_t i = 1; i <= E; ++i) x[i] -= (g0 * v0[i] + g1 * v1[i]) + (g2 * v2[i] + g3 * v3[i]);
    }
    for (; k < found.size(); ++k) {
      const double* v = found[k].phi.data();
      for (std::int64_t i = 1; i <= E; ++i) x[i] -= g[k] * v[i];
    }
    const double after = MassDot(M, x.data(), x.data(), E);
    if (!(after < 0.5 * before)) return after;
    before = after;
  }
  return before;
}

// One more classical Gram-Schmidt pass of x against every mode found, for
// a candidate whose first pass removed more than half of it. Returns the
// M-norm² left.
double OrthogonalisePass(std::span<const EigenPair> found, std::span<const double> M, std::vector<double>& x) {
  const auto E = static_cast<std::int64_t>(x.size()) - 1;
  std::vector<double> mx(x.size(), 0.0), g(found.size());
  for (std::int64_t i = 1; i <= E; ++i) mx[i] = M[i] * x[i];
  for (std::size_t k = 0; k < found.size(); ++k) g[k] = skyline::Dot(found[k].phi.data() + 1, mx.data() + 1, E);
  for (std::size_t k = 0; k < found.size(); ++k) {
    const double* v = found[k].phi.data();
    for (std::int64_t i = 1; i <= E; ++i) x[i] -= g[k] * v[i];
  }
  return MassDot(M, x.data(), x.data(), E);
}

// φᵀMφ = 1 (norm2: its M-norm² now), the largest term positive.
void Normalise(std::vector<double>& phi, double norm2) {
  const auto E = static_cast<std::int64_t>(phi.size()) - 1;
  std::int64_t largest = 1;
  for (std::int64_t e = 1; e <= E; ++e)
    if (std::fabs(phi[e]) > std::fabs(phi[largest])) largest = e;
  const double scale = (phi[largest] < 0.0 ? -1.0 : 1.0) / std::sqrt(norm2);
  for (double& v : phi) v *= scale;
}

constexpr double kPi = 3.141592653589793;
// Lanczos rounds at most: the first, one per shift the search moves to, and
// one per Sturm check that found roots missing.
constexpr int kRoundLimit = 40;
// Rounds in a row that admit no new root before the search gives up.
constexpr int kIdleLimit = 4;
// The Sturm shift lies this share above the highest root returned: far
// beyond the rounding of a converged root, so that a repeated root is
// counted whole, and close enough that no other root is likely in between.
constexpr double kSturmMargin = 1.0e-6;
// When more roots are found below the Sturm shift than it counts, the shift
// sits on a root: the margin grows by this factor, up to kSturmMarginLimit.
constexpr double kSturmMarginGrowth = 100.0;
constexpr double kSturmMarginLimit = 1.0e-2;
// Sturm counts at most in bracketing a root no run has seen: a bisection
// halves the logarithm of the bracket, so 1e300 narrows in about 60.
constexpr int kLocateLimit = 60;

// "12.34" with two decimals, independent of the locale.
std::string FixedTwo(double value) {
  if (!std::isfinite(value)) return "0.00";
  const long long hundredths = std::llround(std::fabs(value) * 100.0);
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", value < 0.0 && hundredths != 0 ? "-" : "", hundredths / 100,
                hundredths % 100);
  return text;
}

class ModeSearch {
 public:
  ModeSearch(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
             const ModalOptions& options, AnalysisProgress& progress)
      : profile_(profile), K_(K), M_(M), progress_(progress), E_(profile.equationCount),
        Nreq_(std::max(options.modeCount, 1)) {
    const double omegaC = 2.0 * kPi * options.cutOffFrequency;
    lambdaC_ = omegaC * omegaC;
  }
  ModalResult Run(std::span<const double> firstStart);

 private:
  enum class Sturm { Agrees, Missing, Fault };

  ModalFault CheckInput();
  ModalFault Factorise(double shift);
  ModalFault Round(std::int32_t count, std::span<const double> start, bool recovery, std::int32_t& admitted,
                   LanczosOutcome& outcome);
  Sturm CheckBelow(double top, ModalFault& fault);
  ModalFault LocateNextRoot(double& shift);
  std::int32_t WantedCount(bool& complete);
  void ShowModeIteration(std::int32_t j, std::int32_t count);
  void ShowMisconvergence(double newValue, double oldValue);
  void ShowModeFrequency(std::int32_t j, double lambda);

  const SkylineProfile& profile_;
  std::span<const double> K_, M_;
  AnalysisProgress& progress_;
  const std::int64_t E_;
  const std::int32_t Nreq_;
  double lambdaC_ = 0.0;
  std::int32_t massEquations_ = 0;  // equations with mass: the number of finite roots
  double highestBound_ = 0.0;       // no root lies above it

  std::vector<double> factor_;  // K − σM factorised
  double factorShift_ = 0.0;
  std::int64_t negatives_ = 0;
  double floor_ = 0.0;           // every root below it is among found_, as a Sturm count showed
  std::int64_t missing_ = 0;     // roots the last Sturm count showed missing
  std::vector<EigenPair> found_;  // ascending λ, M-orthonormal: each a distinct root
  std::uint32_t runs_ = 0;       // Lanczos runs so far: each takes its own start vectors
  ModalResult result_;
};

// Rounds of Lanczos, each ended by a Sturm count. A count that agrees
// proves every root below its shift found: that shift becomes the floor,
// and when more roots are wanted the next round runs at a shift moved up
// between the highest root found and the run's estimate of the next one, so
// that the roots still wanted lie nearer to it than those found (a stiff
// anchor carrying mass puts roots 1e10 above the pipe's, out of reach of
// one shift). A count that shows roots missing runs again from a fresh
// start at a shift near the run's estimate of them.
ModalResult ModeSearch::Run(std::span<const double> firstStart) {
  ModalFault fault = CheckInput();
  if (fault == ModalFault::None) {
    progress_.ShowText(ProgressArea::Mode, "Finding lower bound on smallest eigenvalue");
    factor_.assign(profile_.nme + 1, 0.0);
    fault = Factorise(0.0);
    // A stiffness that is not positive definite has no lowest root to start from.
    if (fault == ModalFault::None && negatives_ != 0) fault = ModalFault::SolveError;
  }
  double shift = 0.0;  // of the next round
  std::vector<double> start(firstStart.begin(), firstStart.end());
  bool recovery = false;
  std::int32_t wanted = 0;
  int idle = 0;
  for (int round = 1; fault == ModalFault::None; ++round) {
    if (round > kRoundLimit || idle >= kIdleLimit) {
      fault = ModalFault::IterationsExceeded;
      break;
    }
    if (factorShift_ != shift && (fault = Factorise(shift)) != ModalFault::None) break;
    shift = factorShift_;
    const std::int32_t request = static_cast<std::int32_t>(
        std::max<std::int64_t>({1, missing_, std::int64_t{Nreq_} - static_cast<std::int64_t>(found_.size())}));
    std::int32_t admitted = 0;
    LanczosOutcome outcome;
    fault = Round(request, start, recovery, admitted, outcome);
    if (fault != ModalFault::None) break;
    start.clear();
    idle = admitted > 0 ? 0 : idle + 1;
    bool complete = false;
    wanted = WantedCount(complete);
    if (complete && wanted == 0) break;
    const double estimate = outcome.nextEstimate;
    if (found_.empty() || found_.back().lambda <= floor_) {
      // Nothing above the floor to check: run again nearer the estimate, or,
      // when the run saw nothing more and was not cut short, where the
      // Sturm counts put the next root.
      if (std::isfinite(estimate) && estimate > floor_)
        shift = std::max(shift, 0.5 * (floor_ + estimate));
      else if (outcome.restart.empty() && (fault = LocateNextRoot(shift)) != ModalFault::None)
        break;
      start = std::move(outcome.restart);
      continue;
    }
    const double top = found_[static_cast<std::size_t>(complete ? wanted - 1 : std::ssize(found_) - 1)].lambda;
    const Sturm sturm = CheckBelow(top, fault);
    if (sturm == Sturm::Fault) break;
    if (sturm == Sturm::Agrees) {
      if (complete) break;
      // March: the roots above the floor are wanted next.
      recovery = false;
      if (std::isfinite(estimate) && estimate > floor_)
        shift = std::max(0.5 * (top + estimate), floor_);
      else if ((fault = LocateNextRoot(shift)) != ModalFault::None)
        break;
      start = std::move(outcome.restart);
      continue;
    }
    // Roots missing between the floor and the Sturm shift.
    result_.missedRoots += static_cast<std::int32_t>(missing_);
    recovery = true;
    if (std::isfinite(estimate) && estimate > floor_ && estimate < factorShift_)
      shift = floor_ + 0.9 * (estimate - floor_);
    else if (admitted == 0)
      shift = factorShift_;  // they lie below the count's shift: the nearest of them are the most extreme there
  }
  for (ProgressArea area : {ProgressArea::Frequency, ProgressArea::Mode, ProgressArea::Iteration,
                            ProgressArea::Misconvergence, ProgressArea::File})
    progress_.ClearArea(area);
  if (fault == ModalFault::None && wanted <= 0) fault = ModalFault::NoEigenvalues;
  result_.fault = fault;
  if (fault != ModalFault::None) return result_;
  result_.modesFound = wanted;
  // A repeated root is returned whole: the vectors of one member alone are
  // an arbitrary turn of the pair, which no later step can put right. The
  // Sturm check has found every root within its margin of the last wanted.
  std::int32_t held = wanted;
  while (held < std::ssize(found_) &&
         found_[static_cast<std::size_t>(held)].lambda - found_[static_cast<std::size_t>(wanted - 1)].lambda <=
             kSturmMargin * std::fabs(found_[static_cast<std::size_t>(wanted - 1)].lambda))
    ++held;
  result_.repeatedAfter = held - wanted;
  result_.eigenvalues.assign(1, 0.0);
  result_.modeShapes.resize(1);
  for (std::int32_t j = 0; j < held; ++j) {
    EigenPair& mode = found_[static_cast<std::size_t>(j)];
    result_.eigenvalues.push_back(mode.lambda);
    result_.modeShapes.push_back(std::move(mode.phi));
  }
  return result_;
}

// The Sturm count just above `top`: every root below the shift must be
// among the distinct roots found. Agreeing, the shift becomes the floor.
// More found than counted means the shift sits on a root's rounding: it
// moves further up and counts again.
ModeSearch::Sturm ModeSearch::CheckBelow(double top, ModalFault& fault) {
  for (double margin = kSturmMargin; margin <= kSturmMarginLimit; margin *= kSturmMarginGrowth) {
    if ((fault = Factorise(top + margin * std::fabs(top) + 1.0e-300)) != ModalFault::None) return Sturm::Fault;
    const std::int64_t below = CountSturmBelow(found_, factorShift_);
    missing_ = negatives_ - below;
    if (missing_ == 0) {
      floor_ = std::max(floor_, factorShift_);
      return Sturm::Agrees;
    }
    if (missing_ > 0) return Sturm::Missing;
  }
  // Still more roots found than exist: no count settles it.
  missing_ = 0;
  fault = ModalFault::SolveError;
  return Sturm::Fault;
}

// No run has seen a root above the floor, though roots are left: they lie
// too far above it for a shift there to resolve them (the roots of a stiff
// anchor carrying mass, 1e10 above the pipe's). Sturm counts bracket the
// lowest of them, between a shift below which lie only the roots found and
// one above it, narrowed by geometric bisection until the bracket is no
// wider than the gap from the floor to its lower end: at that end, the shift
// of the next round, the root is then at least as near as any root found.
ModalFault ModeSearch::LocateNextRoot(double& shift) {
  const auto known = static_cast<std::int64_t>(found_.size());
  double lo = floor_, hi = highestBound_ * (1.0 + kSturmMarginLimit);
  for (int widening = 0;; ++widening) {
    if (ModalFault fault = Factorise(hi); fault != ModalFault::None) return fault;
    if (negatives_ > known) break;
    // The bound lies above every root: a count that never passes it comes
    // from a factorisation gone wrong.
    if (widening == kLocateLimit) return ModalFault::SolveError;
    hi *= 2.0;
  }
  hi = factorShift_;
  for (int step = 0; step < kLocateLimit && hi - lo > lo - floor_; ++step) {
    if (ModalFault fault = Factorise(lo > 0.0 ? std::sqrt(lo * hi) : 0.5 * hi); fault != ModalFault::None)
      return fault;
    (negatives_ > known ? hi : lo) = factorShift_;
  }
  shift = lo;
  return ModalFault::None;
}

ModalFault ModeSearch::CheckInput() {
  if (E_ <= 0) return ModalFault::NoEigenvalues;
  for (std::int64_t i = 1; i <= E_; ++i)
    if (!(K_[profile_.DiagonalAddress[i]] > 0.0)) return ModalFault::ZeroOrNegativeDiagonal;
  bool negative = false, weighty = false;
  for (std::int64_t i = 1; i <= E_; ++i) {
    if (M_[i] != 0.0) {
      ++massEquations_;
      highestBound_ += K_[profile_.DiagonalAddress[i]] / std::fabs(M_[i]);
    }
    weighty |= std::fabs(M_[i]) > kNegligibleMass;
    negative |= M_[i] < 0.0 || !std::isfinite(M_[i]);
  }
  if (massEquations_ == 0 || !weighty) return ModalFault::NoMass;
  // A negative mass has no M inner product to build modes in.
  return negative ? ModalFault::SolveError : ModalFault::None;
}

// The roots the search returns, from the lowest: `ModeCount` of them, or up
// to the first one above the cut-off. Complete when that many are found, or
// when every finite root is (then fewer roots exist than were asked for).
std::int32_t ModeSearch::WantedCount(bool& complete) {
  std::int32_t count = 0;
  complete = true;
  for (const EigenPair& mode : found_) {
    ++count;
    if (count == Nreq_ || mode.lambda > lambdaC_) return count;
  }
  complete = static_cast<std::int32_t>(found_.size()) >= massEquations_;
  if (complete) result_.noMoreRoots = true;
  return count;
}

// One Lanczos run on the factorisation at the current shift, asked for the
// `count` lowest roots above the floor not found yet; the modes it returns
// join the found ones in order once admitted as distinct (AdmitModes).
ModalFault ModeSearch::Round(std::int32_t count, std::span<const double> start, bool recovery,
                             std::int32_t& admitted, LanczosOutcome& outcome) {
  std::vector<const std::vector<double>*> locked;
  for (const EigenPair& mode : found_) locked.push_back(&mode.phi);
  LanczosGoal goal;
  goal.count = count;
  goal.cutOff = lambdaC_;
  goal.dimension = massEquations_ - static_cast<std::int32_t>(found_.size());
  goal.floor = floor_;
  goal.startSequence = runs_++;
  for (const EigenPair& mode : found_)
    if (mode.lambda != factorShift_) goal.lockedTheta = std::max(goal.lockedTheta, 1.0 / std::fabs(mode.lambda - factorShift_));
  LanczosMonitor monitor;
  monitor.step = [this](std::int32_t step) {
    progress_.ShowText(ProgressArea::Iteration, "Iteration " + std::to_string(step) + "  ");
  };
  monitor.estimate = [this](double estimate, double previous) { ShowMisconvergence(estimate, previous); };
  const LanczosOperator op{profile_, factor_, factorShift_, M_};
  outcome = RunLanczos(op, locked, goal, start, monitor);
  if (outcome.broken) return ModalFault::SolveError;
  const std::vector<double> lambdas = AdmitModes(op, found_, std::move(outcome.accepted), outcome.thetaMax);
  admitted = static_cast<std::int32_t>(lambdas.size());
  for (const double lambda : lambdas) {
    const auto j = static_cast<std::int32_t>(
        std::lower_bound(found_.begin(), found_.end(), lambda,
                         [](const EigenPair& m, double value) { return m.lambda < value; }) -
        found_.begin() + 1);
    ShowModeIteration(j, outcome.steps - 1);
    ShowModeFrequency(j, lambda);
    if (recovery) ++result_.passedRootModes;
  }
  return ModalFault::None;
}

ModalFault ModeSearch::Factorise(double shift) {
  if (ModalFault fault = FactoriseShifted(profile_, K_, M_, shift, factor_, negatives_, progress_);
      fault != ModalFault::None)
    return fault;
  factorShift_ = shift;
  return ModalFault::None;
}

void ModeSearch::ShowModeIteration(std::int32_t j, std::int32_t count) {
  progress_.ShowText(ProgressArea::Mode, "Mode " + std::to_string(j) + "  ");
  progress_.ShowText(ProgressArea::Iteration, "Iteration " + std::to_string(count + 1) + "  ");
}

void ModeSearch::ShowMisconvergence(double newValue, double oldValue) {
  if (newValue == 0.0) return;
  progress_.ShowText(ProgressArea::Misconvergence,
                     "Misconvergence = " + FixedTwo(std::fabs(newValue - oldValue) * 100.0 / newValue) + " %");
}

void ModeSearch::ShowModeFrequency(std::int32_t j, double lambda) {
  const double hertz = std::sqrt(std::max(lambda, 0.0)) / (2.0 * kPi);
  progress_.ShowText(ProgressArea::Frequency, "Mode " + std::to_string(j) + ": " + FixedTwo(hertz) + " Hz");
}

}  // namespace

ModalResult RunModalAnalysis(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                             const ModalOptions& options, AnalysisProgress& progress) {
  return RunModalAnalysisFrom(profile, K, M, options, progress, {});
}

ModalResult RunModalAnalysisFrom(const SkylineProfile& profile, std::span<const double> K,
                                 std::span<const double> M, const ModalOptions& options, AnalysisProgress& progress,
                                 std::span<const double> firstStart) {
  ModeSearch search(profile, K, M, options, progress);
  return search.Run(firstStart);
}

ModalFault FactoriseShifted(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                            double& shift, std::vector<double>& factor, std::int64_t& negatives,
                            AnalysisProgress& progress) {
  const std::int64_t E = profile.equationCount;
  const std::int64_t* DA = profile.DiagonalAddress.data();
  factor.resize(static_cast<std::size_t>(profile.nme + 1));
  for (int attempt = 1;; ++attempt) {
    std::copy(K.begin(), K.begin() + static_cast<std::ptrdiff_t>(profile.nme + 1), factor.begin());
    for (std::int64_t i = 1; i <= E; ++i) factor[DA[i]] -= shift * M[i];
    ProgressCounter counter;
    ProgressCounterStart(counter, E, ProgressArea::File);
    const std::int64_t slice = std::max<std::int64_t>(1, E / 100);
    SolverStatus status;
    for (std::int64_t first = 1; first <= E && status.Ok(); first += slice) {
      const std::int64_t last = std::min(E, first + slice - 1);
      status = FactoriseColumns(factor.data(), DA, first, last, PivotRule::Shifted);
      ProgressCounterStep(progress, counter, last);
    }
    if (status.fault == SolverFault::ZeroPivot && status.equation == E && E > 1) {
      double sum = 0.0;
      for (std::int64_t i = 1; i < E; ++i) sum += std::fabs(factor[DA[i]]);
      factor[DA[E]] = -1.0e-16 * (sum / static_cast<double>(E - 1));
      status = {};
    }
    if (status.Ok()) break;
    if (attempt >= 3) return status.fault == SolverFault::ZeroPivot ? ModalFault::ZeroPivot : ModalFault::SolveError;
    shift *= 0.9999999;
  }
  negatives = 0;
  for (std::int64_t i = 1; i <= E; ++i)
    if (factor[DA[i]] < 0.0) ++negatives;
  return ModalFault::None;
}

std::vector<double> AdmitModes(const LanczosOperator& op, std::vector<EigenPair>& found,
                               std::vector<EigenPair> candidates, double thetaMax) {
  const std::int64_t E = op.profile.equationCount;
  std::vector<double> admitted;
  std::vector<const double*> before;  // the modes found before a panel
  std::vector<double> G;
  // The first pass of the orthogonalisation, against the modes found before
  // a panel of candidates, is done for the whole panel at once: each of
  // those modes is then read once per panel instead of twice per candidate.
  for (std::size_t first = 0; first < candidates.size(); first += columns::kPanelLimit) {
    const std::size_t width = std::min<std::size_t>(columns::kPanelLimit, candidates.size() - first);
    std::vector<double> whole(width);
    std::vector<double*> panel(width);
    for (std::size_t p = 0; p < width; ++p) {
      panel[p] = candidates[first + p].phi.data() + 1;
      whole[p] = MassDot(op.M, candidates[first + p].phi.data(), candidates[first + p].phi.data(), E);
    }
    before.clear();
    for (const EigenPair& mode : found) before.push_back(mode.phi.data() + 1);
    const std::size_t foundBefore = found.size();
    if (!before.empty()) {
      G.resize(before.size() * width);
      const auto count = static_cast<std::int64_t>(before.size()), columns = static_cast<std::int64_t>(width);
      columns::WeightedDots(before.data(), count, panel.data(), columns, op.M.data() + 1, E, G.data());
      columns::SubtractCombinations(before.data(), count, panel.data(), columns, G.data(), E);
    }
    std::vector<const double*> joined;  // the modes admitted from this panel so far
    for (std::size_t p = 0; p < width; ++p) {
      EigenPair& candidate = candidates[first + p];
      std::vector<double>& phi = candidate.phi;
      // The rest of the first pass: the modes admitted from this panel.
      std::vector<double> g(joined.size());
      for (std::size_t k = 0; k < joined.size(); ++k) g[k] = MassDot(op.M, joined[k], phi.data(), E);
      for (std::size_t k = 0; k < joined.size(); ++k) {
        const double* v = joined[k];
        for (std::int64_t i = 1; i <= E; ++i) phi[i] -= g[k] * v[i];
      }
      double left = MassDot(op.M, phi.data(), phi.data(), E);
      if (foundBefore + joined.size() > 0 && left < 0.5 * whole[p]) left = OrthogonalisePass(found, op.M, phi);
      if (!(left > 0.0) || !std::isfinite(left)) continue;
      double lambda = candidate.lambda;
      if (!(left >= kDistinctShare * whole[p])) {
        // A suspect: one solve tells an eigenvector from rounding.
        Normalise(phi, left);
        std::vector<double> y(phi.size(), 0.0);
        for (std::int64_t i = 1; i <= E; ++i) y[i] = op.M[i] * phi[i];
        if (!SolveDisplacements(op.factor, op.profile, y, SilentProgress()).Ok()) continue;
        const double theta = MassDot(op.M, phi.data(), y.data(), E);
        double residual = 0.0;
        for (std::int64_t i = 1; i <= E; ++i) residual += op.M[i] * (y[i] - theta * phi[i]) * (y[i] - theta * phi[i]);
        if (!(theta != 0.0) || !(std::sqrt(residual) <= kSuspectResidual * std::fabs(theta) + 1.0e-13 * thetaMax))
          continue;
        lambda = op.shift + 1.0 / theta;
        phi = std::move(y);
        left = OrthogonaliseAgainst(found, op.M, phi);
        if (!(left > 0.0) || !std::isfinite(left)) continue;
      }
      Normalise(phi, left);
      const auto at = std::upper_bound(found.begin(), found.end(), lambda,
                                       [](double value, const EigenPair& m) { return value < m.lambda; });
      // A mode's terms stay where they are when `found` moves its modes.
      joined.push_back(found.insert(at, EigenPair{lambda, std::move(phi)})->phi.data());
      admitted.push_back(lambda);
    }
  }
  return admitted;
}

std::int64_t CountSturmBelow(std::span<const EigenPair> found, double shift) {
  return std::count_if(found.begin(), found.end(), [shift](const EigenPair& mode) { return mode.lambda < shift; });
}

std::string ModalFaultMessage(ModalFault fault) {
  switch (fault) {
    case ModalFault::None: return {};
    case ModalFault::ZeroOrNegativeDiagonal: return "Zero or negative diagonal element";
    case ModalFault::NoMass: return "This model has no mass.";
    case ModalFault::SolveError: return "Error while solving eigenproblem";
    case ModalFault::ZeroPivot: return "Error while solving eigenproblem: is > ntf";
    case ModalFault::IterationsExceeded: return "Number of iterations exceeded while solving eigenproblem";
    case ModalFault::ModeBeyondRoom: return "There was an error while solving eigenproblem";
    case ModalFault::NoEigenvalues: return "Unable to find eigenvalues";
  }
  return {};
}
