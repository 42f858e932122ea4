// Eigen solver of the modal load case: the lowest roots λ = ω² of
// K·φ = λ·M·φ with K the skyline stiffness matrix and M the diagonal (lumped)
// mass matrix, which may be singular (massless rotations).
//
// A determinant search: a lower bound on the smallest root by inverse
// iteration with the Rayleigh quotient; then, root after root, an accelerated
// secant iteration on det(K - σM) deflated by the roots already found,
// checked against the count of negative pivots (Sturm sequence); roots that
// the secant step passed over are taken one after another at the passing
// shift; each eigenvector by shifted inverse iteration, M-orthogonalised
// against every mode found, and normalised so that φᵀMφ = 1.
//
// Every factorisation of K - σM is the skyline column factorisation of
// Skyline.h on a working copy of K, so the profile (not the full band) bounds
// its cost. Determinants are held as mantissa and binary exponent, so neither
// large models nor many deflations overflow or underflow them. The modes stay
// in memory (E values each, with M·φ while the search runs).
//
// The kernel returns a fault and never shows a message: the caller throws
// `ModalFaultMessage` and shows "The deflated polynomial has no more roots"
// as information when `noMoreRoots` is set. Modes come back in the order found;
// sorting and the cut at the cut-off frequency belong to the modal results.
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
  std::int32_t passedRootModes = 0;              // modes found after the Sturm count showed passed roots
  std::vector<double> eigenvalues;               // λ(1..N), 1-based, order found
  std::vector<std::vector<double>> modeShapes;   // φ_j for j = 1..N (entry 0 empty), each size E + 1, 1-based
};

// K: unfactorised skyline values, size nme + 1, not modified;
// M: diagonal masses, size E + 1, not modified.
ModalResult RunModalAnalysis(const SkylineProfile& profile, std::span<const double> K, std::span<const double> M,
                             const ModalOptions& options, AnalysisProgress& progress);

std::string ModalFaultMessage(ModalFault fault);
extern const char* const kNoMoreRootsMessage;
