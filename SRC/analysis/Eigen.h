// Eigen solver of the modal load case: the lowest roots λ = ω² of
// K·φ = λ·M·φ with K the skyline stiffness matrix and M the diagonal (lumped)
// mass matrix, which may be singular (massless rotations).
//
// Shift-invert Lanczos (Lanczos.h) on one skyline factorisation of K, then a
// Sturm check: K − σM is factorised just above the highest root returned, and
// its count of negative pivots must equal the number of roots found below σ.
// A shortfall means roots were missed (a repeated root, or a part of the
// structure the start vector did not reach): the search runs Lanczos again
// from a fresh start, M-orthogonal to every mode found, until the count
// agrees. So no root below the highest one returned is ever silently left
// out. Each mode is normalised so that φᵀMφ = 1.
//
// Which roots: the lowest `ModeCount`, ending after the first root above the
// cut-off frequency; fewer when the model has fewer finite roots (one per
// equation with mass), which sets `noMoreRoots`.
//
// The kernel returns a fault and never shows a message: the caller throws
// `ModalFaultMessage` and shows "The deflated polynomial has no more roots"
// as information when `noMoreRoots` is set. Modes come back in ascending
// order; the cut at the cut-off frequency belongs to the modal results.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/Skyline.h"

class AnalysisProgress;

struct ModalOptions {
  std::int32_t modeCount = 20;     // N_req; room for N_req + 3 modes
  double cutOffFrequency = 33.0;   // Hz
};

enum class ModalFault {
  None,
  ZeroOrNegativeDiagonal,  // "Zero or negative diagonal element"
  NoMass,                  // "This model has no mass."
  SolveError,              // "Error while solving eigenproblem"
  ZeroPivot,               // "Error while solving eigenproblem: is > ntf"
  IterationsExceeded,      // "Number of iterations exceeded while solving eigenproblem"
  ModeBeyondRoom,          // "There was an error while solving eigenproblem"
  NoEigenvalues,           // "Unable to find eigenvalues"
};

struct ModalResult {
  ModalFault fault = ModalFault::None;
  bool noMoreRoots = false;                      // show "The deflated polynomial has no more roots"
  std::int32_t modesFound = 0;                   // N
  std::int32_t passedRootModes = 0;              // modes found after a Sturm count showed missed roots
  std::int32_t missedRoots = 0;                  // roots the Sturm counts showed missing, all checks together
  std::vector<double> eigenvalues;               // λ(1..N), 1-based, ascending
  std::vector<std::vector<double>> modeShapes;   // φ_j for j = 1..N (entry 0 empty), each size E + 1, 1-based
};

// K: unfactorised skyline values, size nme + 1, not modified;
// M: diagonal masses, size E + 1, not modified.
ModalResult RunModalAnalysis(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                             const ModalOptions& options, AnalysisProgress& progress);

// The same with the start vector of the first Lanczos run given (size E + 1,
// 1-based) instead of a pseudo-random one; later runs start pseudo-randomly.
ModalResult RunModalAnalysisFrom(const SkylineProfile& profile, std::span<const double> K,
                                 std::span<const double> M, const ModalOptions& options, AnalysisProgress& progress,
                                 std::span<const double> firstStart);

// K − σM factorised in place into `factor` (size nme + 1) with the count of
// its negative pivots (the Sturm count: the roots below σ), showing the
// percentage on the File line. A zero pivot or a huge multiplier moves the
// shift a little (σ × 0.9999999, returned in `shift`) and tries again, three
// attempts in all; a zero last pivot alone (σ on a root) is replaced by a tiny
// negative one so that the solve stays defined.
ModalFault FactoriseShifted(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                            double& shift, std::vector<double>& factor, std::int64_t& negatives,
                            AnalysisProgress& progress);

std::string ModalFaultMessage(ModalFault fault);
extern const char* const kNoMoreRootsMessage;
