// Shift-invert Lanczos for the lowest roots of K·φ = λ·M·φ, with K the
// skyline stiffness matrix and M the diagonal (lumped) mass matrix, which may
// be singular (massless rotations).
//
// One run builds a Krylov basis of the operator S·M, S = (K − σM)⁻¹ taken
// from one skyline factorisation, in the M inner product: each step is one
// solve. Every new vector is M-orthogonalised against the modes already found
// ("locked"), and against the whole basis whenever the ω recurrence (Simon's
// partial reorthogonalisation) estimates that orthogonality has decayed to
// √ε, so no root comes back twice and none hides behind lost orthogonality.
// The eigenvalues θ of the small tridiagonal matrix give λ = σ + 1/θ; a Ritz
// pair is accepted when its residual bound β·|s| is small against |θ|, and
// when |θ| is large enough against the largest |θ| of the operator (locked
// roots included) for the rounding of the solves to leave λ good to 1e-10:
// a root much further from the shift waits for a shift nearer to it. The
// shift may lie above roots not yet found (between the caller's verified
// floor and σ): they come out as negative θ, the nearest to σ being the
// most extreme, so a run reaches the roots on both sides of its shift. Its mode
// is S·M·x/θ, one solve away from the Ritz vector x: exact at the massless
// equations, which the basis itself drops (the M inner product cannot see
// them); the modes of a run are solved eight at a time. Memory: the basis
// holds only the terms of the equations with mass, in one block for the
// whole run, within about 200 MB at the step limit; the reorthogonalisation
// and the Ritz vectors are products with that block.
//
// A run stops when the lowest roots above the floor it was asked for have
// converged, when its
// basis holds every root this start can reach (a structure whose start vector
// reaches only part of it restarts from a fresh vector first), or at its step
// limit, handing back the sum of the unconverged Ritz vectors as the next
// start; it returns the converged lowest roots in ascending order. Whether a
// root was missed is not its business: the caller's Sturm count decides that
// (Eigen.cpp). Start reading at RunLanczos.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "numeric/Skyline.h"

// The operator S·M of one shift.
struct LanczosOperator {
  const SkylineProfile& profile;
  std::span<const double> factor;  // K − σM factorised by FactoriseColumns, size nme + 1
  double shift = 0.0;              // σ, below the roots wanted
  std::span<const double> M;       // diagonal masses, size E + 1, 1-based
};

struct LanczosGoal {
  std::int32_t count = 1;        // converged roots wanted, lowest first
  double cutOff = HUGE_VAL;      // and none past the first one above this λ
  std::int32_t dimension = 0;    // the number of finite roots left (equations with mass − locked modes)
  double floor = 0.0;            // every root at or below this λ is locked: only roots above it are sought
  double lockedTheta = 0.0;      // the largest |θ| = 1/|λ − σ| of the locked roots
  // Which pseudo-random start vectors the run takes. Runs of one search
  // take different ones: the same start again would reach, in the
  // eigenspace of a repeated root, only the direction already found.
  std::uint32_t startSequence = 0;
};

// One mode: λ and φ (1-based, size E + 1), normalised so that φᵀMφ = 1 and
// its largest term is positive.
struct EigenPair {
  double lambda = 0.0;
  std::vector<double> phi;
};

struct LanczosOutcome {
  std::vector<EigenPair> accepted;  // ascending λ
  // The lowest Ritz value above the floor and the accepted roots that had
  // not converged (NaN when there was none): where the next roots lie.
  double nextEstimate = NAN;
  double thetaMax = 0.0;  // the largest |θ| of the run: the scale of its rounding
  std::int32_t steps = 0;
  bool exhausted = false;  // the basis held every root left
  bool broken = false;     // the M inner product was not positive (a negative mass)
  // When the step limit ended the run short of its goal: the start vector
  // for the next run (size E + 1), else empty.
  std::vector<double> restart;
};

// What a run shows while it works.
struct LanczosMonitor {
  std::function<void(std::int32_t step)> step;
  // The lowest root not yet converged, against its estimate one check before.
  std::function<void(double estimate, double previous)> estimate;
};

// locked: modes found earlier, each 1-based of size E + 1, M-normalised;
// start: v of the start vector S·M·v (size E + 1), or empty for a
// pseudo-random one.
LanczosOutcome RunLanczos(const LanczosOperator& op, std::span<const std::vector<double>* const> locked,
                          const LanczosGoal& goal, std::span<const double> start, const LanczosMonitor& monitor);

// Eigenvalues of the symmetric tridiagonal matrix with diagonal d and
// off-diagonal e (e[i] joins i and i + 1), by the implicit QL method. d: size
// n, replaced by the eigenvalues (unordered); e: size n, destroyed. z: rows x n,
// row-major, holding rows of the identity on entry (row r of the identity, for
// each row asked for) and the same rows of the eigenvector matrix on return:
// pass all n rows for the vectors, or the last row alone for the terms that
// bound the residuals. Returns false when an eigenvalue takes more than 60
// sweeps.
bool TridiagonalEigen(std::vector<double>& d, std::vector<double>& e, double* z, std::int32_t rows);

// The same with every eigenvector: z (n x n) holds the identity on entry and
// the eigenvectors on return, column after column (the vector of d[i] at
// z + i·n), so that each rotation runs along two contiguous columns.
bool TridiagonalEigenColumns(std::vector<double>& d, std::vector<double>& e, double* z);
