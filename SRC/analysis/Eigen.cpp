// The modal search: Lanczos rounds checked by Sturm counts; see Eigen.h.
// Start reading at ModeSearch::Run.
#include "analysis/Eigen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "analysis/Lanczos.h"
#include "analysis/RunState.h"

const char* const kNoMoreRootsMessage = "The deflated polynomial has no more roots";

namespace {

constexpr double kPi = 3.141592653589793;
// Lanczos rounds at most: the first, restarts after a step limit, and one
// per Sturm check that found roots missing.
constexpr int kRoundLimit = 12;
// The Sturm shift lies this share above the highest root returned: far
// beyond the rounding of a converged root, so that a repeated root is
// counted whole, and close enough that no other root is likely in between.
constexpr double kSturmMargin = 1.0e-6;

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
  ModalFault CheckInput();
  ModalFault Factorise(double shift);
  ModalFault Round(std::int32_t count, std::span<const double> start, bool recovery);
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

  std::vector<double> factor_;  // K − σM factorised
  double factorShift_ = 0.0;
  std::int64_t negatives_ = 0;
  std::vector<ModePair> found_;  // ascending λ
  std::vector<double> restart_;  // start of the next run, when the last one ran out of steps
  ModalResult result_;
};

ModalResult ModeSearch::Run(std::span<const double> firstStart) {
  ModalFault fault = CheckInput();
  if (fault == ModalFault::None) {
    progress_.ShowText(ProgressArea::Mode, "Finding lower bound on smallest eigenvalue");
    factor_.assign(profile_.nme + 1, 0.0);
    fault = Factorise(0.0);
    // A stiffness that is not positive definite has no lowest root to start from.
    if (fault == ModalFault::None && negatives_ != 0) fault = ModalFault::SolveError;
  }
  std::int32_t request = Nreq_;
  bool recovery = false;
  std::int32_t wanted = 0;
  for (int round = 1; fault == ModalFault::None; ++round) {
    if (round > kRoundLimit) {
      fault = ModalFault::IterationsExceeded;
      break;
    }
    if (factorShift_ != 0.0 && (fault = Factorise(0.0)) != ModalFault::None) break;
    // The first run may start from the caller's vector, a run after a step
    // limit from the unconverged Ritz vectors, a run after a Sturm check from
    // a fresh pseudo-random vector.
    const std::vector<double> restart = std::move(restart_);
    fault = Round(request, round == 1 ? firstStart : std::span<const double>(restart), recovery);
    if (fault != ModalFault::None) break;
    bool complete = false;
    wanted = WantedCount(complete);
    if (!complete) {
      request = Nreq_ - static_cast<std::int32_t>(found_.size());
      recovery = false;
      continue;
    }
    if (wanted == 0) break;
    // The Sturm check: every root below σ must be among those found.
    const double top = found_[static_cast<std::size_t>(wanted - 1)].lambda;
    const double sigma = top + kSturmMargin * std::fabs(top) + 1.0e-300;
    if ((fault = Factorise(sigma)) != ModalFault::None) break;
    const auto below = static_cast<std::int64_t>(std::count_if(
        found_.begin(), found_.end(), [this](const ModePair& mode) { return mode.lambda < factorShift_; }));
    if (negatives_ == below) break;
    // More roots found than exist below σ: a mode found twice.
    if (negatives_ < below) {
      fault = ModalFault::SolveError;
      break;
    }
    request = static_cast<std::int32_t>(negatives_ - below);
    result_.missedRoots += request;
    restart_.clear();
    recovery = true;
  }
  for (ProgressArea area : {ProgressArea::Frequency, ProgressArea::Mode, ProgressArea::Iteration,
                            ProgressArea::Misconvergence, ProgressArea::File})
    progress_.ClearArea(area);
  if (fault == ModalFault::None && wanted <= 0) fault = ModalFault::NoEigenvalues;
  result_.fault = fault;
  if (fault != ModalFault::None) return result_;
  result_.modesFound = wanted;
  result_.eigenvalues.assign(1, 0.0);
  result_.modeShapes.resize(1);
  for (std::int32_t j = 0; j < wanted; ++j) {
    ModePair& mode = found_[static_cast<std::size_t>(j)];
    result_.eigenvalues.push_back(mode.lambda);
    result_.modeShapes.push_back(std::move(mode.phi));
  }
  return result_;
}

ModalFault ModeSearch::CheckInput() {
  if (E_ <= 0) return ModalFault::NoEigenvalues;
  for (std::int64_t i = 1; i <= E_; ++i)
    if (!(K_[profile_.DiagonalAddress[i]] > 0.0)) return ModalFault::ZeroOrNegativeDiagonal;
  bool negative = false;
  for (std::int64_t i = 1; i <= E_; ++i) {
    if (M_[i] != 0.0) ++massEquations_;
    negative |= M_[i] < 0.0 || !std::isfinite(M_[i]);
  }
  if (massEquations_ == 0) return ModalFault::NoMass;
  // A negative mass has no M inner product to build modes in.
  return negative ? ModalFault::SolveError : ModalFault::None;
}

// The roots the search returns, from the lowest: `ModeCount` of them, or up
// to the first one above the cut-off. Complete when that many are found, or
// when every finite root is (then fewer roots exist than were asked for).
std::int32_t ModeSearch::WantedCount(bool& complete) {
  std::int32_t count = 0;
  complete = true;
  for (const ModePair& mode : found_) {
    ++count;
    if (count == Nreq_ || mode.lambda > lambdaC_) return count;
  }
  complete = static_cast<std::int32_t>(found_.size()) >= massEquations_;
  if (complete) result_.noMoreRoots = true;
  return count;
}

// One Lanczos run on the factorisation at σ = 0, asked for the `count`
// lowest roots not found yet; its modes join the found ones in order.
ModalFault ModeSearch::Round(std::int32_t count, std::span<const double> start, bool recovery) {
  std::vector<const std::vector<double>*> locked;
  for (const ModePair& mode : found_) locked.push_back(&mode.phi);
  LanczosGoal goal;
  goal.count = count;
  goal.cutOff = lambdaC_;
  goal.dimension = massEquations_ - static_cast<std::int32_t>(found_.size());
  LanczosMonitor monitor;
  monitor.step = [this](std::int32_t step) {
    progress_.ShowText(ProgressArea::Iteration, "Iteration " + std::to_string(step) + "  ");
  };
  monitor.estimate = [this](double estimate, double previous) { ShowMisconvergence(estimate, previous); };
  LanczosOutcome outcome = RunLanczos(LanczosOperator{profile_, factor_, factorShift_, M_}, locked, goal, start, monitor);
  if (outcome.broken) return ModalFault::SolveError;
  restart_ = std::move(outcome.restart);
  for (ModePair& mode : outcome.accepted) {
    const double lambda = mode.lambda;
    const auto at = std::upper_bound(found_.begin(), found_.end(), lambda,
                                     [](double value, const ModePair& m) { return value < m.lambda; });
    found_.insert(at, std::move(mode));
    const auto j = static_cast<std::int32_t>(found_.size());
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
