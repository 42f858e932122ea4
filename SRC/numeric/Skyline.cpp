// Profile build, progress and solve of the skyline matrix; the
// factorisation is in SkylineFactorisation.cpp. The names follow COLSOL: A
// the values, DA the diagonal addresses, N the column, KL/KU its first and
// last off-diagonal positions.
//
// The solve runs along a column (rows N - 1, N - 2, ... at rising addresses)
// against V at falling indexes: blocks of four are loaded from V and
// reversed, so these loops vectorise too. They are built for the baseline
// and for x86-64-v3 (AVX2), and the loader picks one.
#include "numeric/Skyline.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "numeric/RunState.h"
#include "numeric/SkylineVector.h"

namespace {

using skyline::Double4;

// Σ a[j]·v[-j], j = 0..n-1. a: input of size n; v: input, n values ending at v.
inline __attribute__((always_inline)) double ReversedDot(const double* a, const double* v, std::int64_t n) {
  Double4 s0{}, s1{};
  Double4 a0, a1, v0, v1, r0, r1;
  std::int64_t j = 0;
  for (; j + 8 <= n; j += 8) {
    skyline::Load4(a0, a + j), skyline::Load4(a1, a + j + 4);
    skyline::Load4(v0, v - j - 3), skyline::Load4(v1, v - j - 7);
    skyline::Reverse4(r0, v0), skyline::Reverse4(r1, v1);
    s0 += a0 * r0;
    s1 += a1 * r1;
  }
  const Double4 s = s0 + s1;
  double sum = skyline::Sum4(s);
  for (; j < n; ++j) sum += a[j] * v[-j];
  return sum;
}

// v[-j] -= a[j]·factor, j = 0..n-1. a: input of size n; v: n values ending at v, modified.
inline __attribute__((always_inline)) void ReversedAxpy(double* v, const double* a, std::int64_t n, double factor) {
  Double4 a0, v0, r0;
  std::int64_t j = 0;
  for (; j + 4 <= n; j += 4) {
    skyline::Load4(a0, a + j), skyline::Load4(v0, v - j - 3);
    skyline::Reverse4(r0, a0);
    v0 -= r0 * factor;
    skyline::Store4(v - j - 3, v0);
  }
  for (; j < n; ++j) v[-j] -= a[j] * factor;
}

// Forward reduction by L of equations first..last. V: size E + 1, modified.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ForwardReduction(const double* A, const std::int64_t* DA, double* V, std::int64_t first, std::int64_t last) {
  for (std::int64_t N = first; N <= last; ++N) {
    const std::int64_t KL = DA[N] + 1;
    const std::int64_t KU = DA[N + 1] - 1;
    if (KL <= KU) V[N] -= ReversedDot(A + KL, V + N - 1, KU - KL + 1);
  }
}

// Back substitution by Lᵀ of equations E down to 2. V: size E + 1, modified.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void BackSubstitution(const double* A, const std::int64_t* DA, double* V, std::int64_t E) {
  for (std::int64_t N = E; N >= 2; --N) {
    const std::int64_t KL = DA[N] + 1;
    const std::int64_t KU = DA[N + 1] - 1;
    if (KL <= KU) ReversedAxpy(V + N - 1, A + KL, KU - KL + 1, V[N]);
  }
}

// Forward reduction of 4·W interleaved vectors: each term of L is loaded
// once for all of them; four sums per vector stretch the dependency chain.
template <int W>
inline __attribute__((always_inline)) void ForwardSeveral(const double* A, const std::int64_t* DA, double* V,
                                                          std::int64_t E) {
  constexpr std::int64_t R = 4 * W;
  for (std::int64_t N = 1; N <= E; ++N) {
    const std::int64_t KL = DA[N] + 1;
    const std::int64_t h = DA[N + 1] - KL;
    if (h <= 0) continue;
    const double* a = A + KL;
    const double* v = V + (N - 1) * R;  // row N - 1 - k at v - k·R
    Double4 s[4][W] = {};
    Double4 x;
    std::int64_t k = 0;
    for (; k + 4 <= h; k += 4)
      for (int u = 0; u < 4; ++u)
        for (int w = 0; w < W; ++w) {
          skyline::Load4(x, v - (k + u) * R + 4 * w);
          s[u][w] += x * a[k + u];
        }
    for (; k < h; ++k)
      for (int w = 0; w < W; ++w) {
        skyline::Load4(x, v - k * R + 4 * w);
        s[0][w] += x * a[k];
      }
    for (int w = 0; w < W; ++w) {
      skyline::Load4(x, V + N * R + 4 * w);
      x -= (s[0][w] + s[1][w]) + (s[2][w] + s[3][w]);
      skyline::Store4(V + N * R + 4 * w, x);
    }
  }
}

template <int W>
inline __attribute__((always_inline)) void BackSeveral(const double* A, const std::int64_t* DA, double* V,
                                                       std::int64_t E) {
  constexpr std::int64_t R = 4 * W;
  for (std::int64_t N = E; N >= 2; --N) {
    const std::int64_t KL = DA[N] + 1;
    const std::int64_t h = DA[N + 1] - KL;
    const double* a = A + KL;
    Double4 y[W], x;
    for (int w = 0; w < W; ++w) skyline::Load4(y[w], V + N * R + 4 * w);
    double* v = V + (N - 1) * R;
    for (std::int64_t k = 0; k < h; ++k)
      for (int w = 0; w < W; ++w) {
        skyline::Load4(x, v - k * R + 4 * w);
        x -= y[w] * a[k];
        skyline::Store4(v - k * R + 4 * w, x);
      }
  }
}

__attribute__((target_clones("default", "arch=x86-64-v3")))
void ForwardFour(const double* A, const std::int64_t* DA, double* V, std::int64_t E) { ForwardSeveral<1>(A, DA, V, E); }
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ForwardEight(const double* A, const std::int64_t* DA, double* V, std::int64_t E) { ForwardSeveral<2>(A, DA, V, E); }
__attribute__((target_clones("default", "arch=x86-64-v3")))
void BackFour(const double* A, const std::int64_t* DA, double* V, std::int64_t E) { BackSeveral<1>(A, DA, V, E); }
__attribute__((target_clones("default", "arch=x86-64-v3")))
void BackEight(const double* A, const std::int64_t* DA, double* V, std::int64_t E) { BackSeveral<2>(A, DA, V, E); }

// Any other count, term by term.
void ForwardAny(const double* A, const std::int64_t* DA, double* V, std::int64_t E, std::int64_t R) {
  for (std::int64_t N = 1; N <= E; ++N)
    for (std::int64_t K = DA[N] + 1, row = N - 1; K < DA[N + 1]; ++K, --row)
      for (std::int64_t r = 0; r < R; ++r) V[N * R + r] -= A[K] * V[row * R + r];
}

void BackAny(const double* A, const std::int64_t* DA, double* V, std::int64_t E, std::int64_t R) {
  for (std::int64_t N = E; N >= 2; --N)
    for (std::int64_t K = DA[N] + 1, row = N - 1; K < DA[N + 1]; ++K, --row)
      for (std::int64_t r = 0; r < R; ++r) V[row * R + r] -= A[K] * V[N * R + r];
}

std::int64_t SliceLength(std::int64_t count) { return std::max<std::int64_t>(1, count / 100); }

}  // namespace

void RaiseColumnHeights(std::vector<std::int64_t>& heights, const LocationVector& vector) {
  std::int32_t smallest = 0;
  for (std::int32_t i = 0; i < vector.count; ++i) {
    const std::int32_t q = vector.equation[i];
    if (q != 0 && (smallest == 0 || q < smallest)) smallest = q;
  }
  for (std::int32_t i = 0; i < vector.count; ++i) {
    const std::int32_t q = vector.equation[i];
    if (q != 0) heights[q] = std::max<std::int64_t>(heights[q], q - smallest);
  }
}

SkylineProfile BuildSkylineProfile(std::int64_t equationCount, std::span<const LocationVector> connections) {
  SkylineProfile profile;
  const std::int64_t E = equationCount;
  profile.equationCount = E;
  profile.columnHeight.assign(E + 2, 0);
  profile.DiagonalAddress.assign(E + 2, 0);
  std::vector<std::int64_t>& h = profile.columnHeight;
  for (const LocationVector& vector : connections) RaiseColumnHeights(h, vector);
  // Room for the whole 6 x 6 block of every node: a support matrix with
  // coupling terms at a node that no element reaches must not spill into
  // another column.
  for (std::int64_t q = 1; q <= E; ++q) h[q] = std::max<std::int64_t>(h[q], (q - 1) % kDofPerNode);

  std::vector<std::int64_t>& DA = profile.DiagonalAddress;
  if (E >= 1) DA[1] = 1;
  if (E >= 1) DA[2] = 2;
  h[1] = 0;
  std::int64_t tallest = 0;
  for (std::int64_t i = 2; i <= E; ++i) {
    DA[i + 1] = DA[i] + h[i] + 1;
    tallest = std::max(tallest, h[i]);
  }
  profile.bandCount = 1 + tallest;
  profile.nme = E >= 1 ? DA[E + 1] - 1 : 0;
  return profile;
}

void ShowProfileSize(AnalysisProgress& progress, const SkylineProfile& profile, bool hasModalCase,
                     std::int32_t modeCount) {
  const std::int64_t E = profile.equationCount;
  const std::int64_t NME =
      hasModalCase ? std::max<std::int64_t>(profile.bandCount, modeCount + 3) * E : profile.nme;
  progress.SetField(kFieldStiffnessSize, std::to_string(NME));
  progress.SetField(kFieldStiffnessKilobytes, std::to_string(NME / 128 + 1) + " K");
  if (!hasModalCase && E > 0) progress.SetField(kFieldAverageBandwidth, std::to_string(profile.nme / E + 1));
}

SolverStatus TriangulariseStiffness(std::span<double> A, const SkylineProfile& profile,
                                    AnalysisProgress& progress, PivotRule rule) {
  const std::int64_t E = profile.equationCount;
  ProgressBegin(progress, "Triangularizing stiffness matrix", ProgressArea::Phase);
  ProgressCounter counter;
  ProgressCounterStart(counter, E);
  const std::int64_t slice = SliceLength(E);
  SolverStatus status;
  for (std::int64_t first = 1; first <= E && status.Ok(); first += slice) {
    const std::int64_t last = std::min(E, first + slice - 1);
    status = FactoriseColumns(A.data(), profile.DiagonalAddress.data(), first, last, rule);
    ProgressCounterStep(progress, counter, last);
  }
  ProgressAreaClear(progress, counter);
  ProgressEnd(progress, ProgressArea::Phase);
  return status;
}

SolverStatus SolveDisplacements(std::span<const double> A, const SkylineProfile& profile, std::span<double> V,
                                AnalysisProgress& progress) {
  const std::int64_t E = profile.equationCount;
  const std::int64_t* DA = profile.DiagonalAddress.data();
  ProgressBegin(progress, "Calculating displacements", ProgressArea::Phase);
  ProgressCounter counter;
  ProgressCounterStart(counter, E);
  const std::int64_t slice = SliceLength(E);
  for (std::int64_t first = 1; first <= E; first += slice) {
    const std::int64_t last = std::min(E, first + slice - 1);
    ForwardReduction(A.data(), DA, V.data(), first, last);
    ProgressCounterStep(progress, counter, last);
  }
  ProgressAreaClear(progress, counter);
  for (std::int64_t N = 1; N <= E; ++N) {
    const double D = A[DA[N]];
    if (D == 0.0) {
      ProgressEnd(progress, ProgressArea::Phase);
      return {SolverFault::NotPositiveDefinite, 0};
    }
    V[N] /= D;
  }
  BackSubstitution(A.data(), DA, V.data(), E);
  ProgressEnd(progress, ProgressArea::Phase);
  return {};
}

SolverStatus SolveSeveral(std::span<const double> A, const SkylineProfile& profile, std::span<double> V,
                          std::int32_t count) {
  const std::int64_t E = profile.equationCount;
  const std::int64_t* DA = profile.DiagonalAddress.data();
  const std::int64_t R = count;
  if (R == 4) ForwardFour(A.data(), DA, V.data(), E);
  else if (R == 8) ForwardEight(A.data(), DA, V.data(), E);
  else ForwardAny(A.data(), DA, V.data(), E, R);
  for (std::int64_t N = 1; N <= E; ++N) {
    const double D = A[DA[N]];
    if (D == 0.0) return {SolverFault::NotPositiveDefinite, 0};
    for (std::int64_t r = 0; r < R; ++r) V[N * R + r] /= D;
  }
  if (R == 4) BackFour(A.data(), DA, V.data(), E);
  else if (R == 8) BackEight(A.data(), DA, V.data(), E);
  else BackAny(A.data(), DA, V.data(), E, R);
  return {};
}
