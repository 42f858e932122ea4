// Skyline (profile) storage of the global stiffness matrix, its column
// L·D·Lᵀ factorisation and the solve, in the manner of COLSOL.
//
// Storage: column i keeps its terms from the diagonal up to its highest
// non-zero row; K(i - k, i) lies at `StiffnessValues`[`DiagonalAddress`[i] + k]
// for k = 0..h(i). Every array here is 1-based (entry 0 unused) and sized with
// 64-bit integers. After the factorisation the same positions hold D(i) at the
// diagonal and L(i - k, i) above it, so the determinant and the count of
// negative pivots stay at hand for the eigen solver.
//
// The profile is built from the location vectors of every connection and
// always reserves the 6 x 6 block of every node, so support matrices with
// coupling terms fit at nodes that no element reaches.
//
// Kernels return a `SolverStatus` naming the failing equation; they never
// print or throw. Every pivot is tested, including columns holding only their
// diagonal: zero, negative or not-a-number stops a positive-definite
// factorisation. Start reading at `TriangulariseStiffness`.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "numeric/EquationNumbers.h"

class AnalysisProgress;

enum class SolverFault {
  None,
  NotPositiveDefinite,  // pivot not greater than 0.0 (or not a number)
  ZeroPivot,            // shifted factorisation: a pivot exactly 0.0
  LargeMultiplier,      // shifted factorisation: |L| >= 1.0e10
  NotANumber,           // shifted factorisation: a pivot that is not finite
  OutsideProfile,       // an assembly term with no room in the profile
};

struct SolverStatus {
  SolverFault fault = SolverFault::None;
  std::int64_t equation = 0;  // the failing equation (column), 0 when none
  bool Ok() const { return fault == SolverFault::None; }
};

struct SkylineProfile {
  std::int64_t equationCount = 0;             // E
  std::vector<std::int64_t> columnHeight;     // h(i), terms above the diagonal; size E + 2
  std::vector<std::int64_t> DiagonalAddress;  // size E + 2, entries 1..E + 1 used
  std::int64_t bandCount = 1;                 // B: 1 + largest column height of columns 2..E
  std::int64_t nme = 0;                       // stored terms, DiagonalAddress[E + 1] - 1
};

// Raises the column heights to cover every pair of the vector's equations.
// heights: size E + 2, modified.
void RaiseColumnHeights(std::vector<std::int64_t>& heights, const LocationVector& vector);

// Builds the profile of E equations from the location vectors of every
// connection (analysis elements, zero-length links, supports with a connected
// node), reserving the 6 x 6 block of every node.
SkylineProfile BuildSkylineProfile(std::int64_t equationCount, std::span<const LocationVector> connections);

// Shows "Stiffness matrix size" (NME and NME / 128 + 1 "K") and, without a
// modal case, "Average bandwidth" (nme / E + 1) in the analysis window.
void ShowProfileSize(AnalysisProgress& progress, const SkylineProfile& profile, bool hasModalCase,
                     std::int32_t modeCount);

// How pivots are judged by `FactoriseColumns`.
enum class PivotRule {
  PositiveDefinite,  // every pivot must be greater than 0.0
  Shifted,           // K - σM: a pivot may be negative; zero, huge multipliers and NaN fail
};

// Factorises columns first..last in place, in blocks of columns
// (SkylineFactorisation.cpp); columns before `first` must already be
// factorised. On failure every column before the failing one is factorised.
// A: values, size nme + 1, modified; DA: size E + 2.
SolverStatus FactoriseColumns(double* A, const std::int64_t* DA, std::int64_t first, std::int64_t last,
                              PivotRule rule);

// Factorises `StiffnessValues` in place as L·D·Lᵀ ("Triangularizing stiffness
// matrix", percentage per column). On failure the values are left partly
// factorised and the status names the column.
SolverStatus TriangulariseStiffness(std::span<double> A, const SkylineProfile& profile,
                                    AnalysisProgress& progress, PivotRule rule = PivotRule::PositiveDefinite);

// Forward reduction, division by D and back substitution of V in place.
// A: factorised values, size nme + 1; V: size E + 1, the loads on entry and
// the displacements on return. A zero D gives NotPositiveDefinite at equation 0.
SolverStatus SolveDisplacements(std::span<const double> A, const SkylineProfile& profile, std::span<double> V,
                                AnalysisProgress& progress);

// The same for `count` vectors at once, each pass over the factor serving
// all of them: V holds them interleaved, term N of vector r at
// V[N·count + r] (N = 1..E; the first `count` terms unused), size
// (E + 1)·count. Silent. For four or eight vectors the passes are vectorised
// across the vectors.
SolverStatus SolveSeveral(std::span<const double> A, const SkylineProfile& profile, std::span<double> V,
                          std::int32_t count);
