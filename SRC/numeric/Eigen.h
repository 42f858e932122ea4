// Eigen solver of the modal load case: the lowest roots λ = ω² of
// K·φ = λ·M·φ with K the skyline stiffness matrix and M the diagonal (lumped)
// mass matrix, which may be singular (massless rotations).
//
// Shift-invert Lanczos (Lanczos.h) on skyline factorisations of K − σM, each
// run ended by a Sturm check: K − σM is factorised just above the highest
// root found, and its count of negative pivots must equal the number of
// distinct roots found below σ. Distinct: a mode joins the found ones only
// once it is M-orthogonalised against them (AdmitModes), and a mode that
// this leaves mostly rounding (a ghost copy of a root already found, the
// mark of lost orthogonality) is refused unless one more solve proves the
// remainder an eigenvector of its own, so a ghost can never fill the count.
// A shortfall means roots were missed (a repeated root, or a part of the
// structure the start vector did not reach): the search runs Lanczos again
// from a fresh start at a new shift, M-orthogonal to every mode found,
// until the count agrees. An agreeing count with roots still wanted moves
// the shift up past the roots found, to where the last run saw the next
// root, or, when no run saw one (the roots of 1e12 anchor springs carrying
// mass, far out of reach of the pipe's), to where Sturm counts bracket it
// (Eigen.cpp). So every root comes once, in order, and none below the
// highest one returned is silently left out.
// Each mode is normalised so that φᵀMφ = 1; the modes are M-orthonormal.
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

#include "numeric/Lanczos.h"
#include "numeric/Skyline.h"

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
  // The further members of a repeated root that mode N is one of, found by
  // the search though not asked for: held after mode N in eigenvalues and
  // modeShapes (N + 1 .. N + this), so that a cut never has to split it.
  std::int32_t repeatedAfter = 0;
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

// Admits modes of a Lanczos run (op: its operator) into `found` (ascending
// λ, M-orthonormal), keeping it ascending and M-orthonormal: each candidate
// is M-orthogonalised against the modes found (twice when the first pass
// removes much of it; the first pass against the modes found before them
// for eight candidates at once). One left nearly whole joins; one left mostly
// rounding is a ghost of a mode found, refused unless one solve with the
// run's factorisation shows the remainder an eigenvector (residual below
// 1.0e-6 of its θ), which then joins with its Rayleigh quotient. thetaMax:
// the run's largest |θ|. Returns the λ of the modes admitted.
std::vector<double> AdmitModes(const LanczosOperator& op, std::vector<EigenPair>& found,
                               std::vector<EigenPair> candidates, double thetaMax);

// The distinct roots found below `shift`: what the Sturm count of K − σM
// (its negative pivots) must equal.
std::int64_t CountSturmBelow(std::span<const EigenPair> found, double shift);

std::string ModalFaultMessage(ModalFault fault);
extern const char* const kNoMoreRootsMessage;
