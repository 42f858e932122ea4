// Profile build, column factorisation and solve of the skyline matrix; see
// Skyline.h. The names follow COLSOL: A the values, DA the diagonal
// addresses, N the column, KN/KL/KU its diagonal, first and last off-diagonal
// positions, KH the number of terms to reduce.
//
// Speed: the column reduction is nearly all of the time. Columns are reduced
// two at a time, so each column above is read once for both; the inner
// products use explicit vector sums; the loops that carry them are built for
// the baseline and for x86-64-v3 (AVX2), and the loader picks one.
#include "analysis/Skyline.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/RunState.h"

namespace {

constexpr double kLargeMultiplier = 1.0e10;

// The hot loop of the factorisation: the inner product over the overlap of
// two columns, both contiguous. Four independent vector sums keep the
// multiply and add units busy without -ffast-math.
// x, y: input of size n, not modified.
using Double4 = double __attribute__((vector_size(32)));

inline __attribute__((always_inline)) double ColumnDot(const double* x, const double* y, std::int64_t n) {
  Double4 s0{}, s1{}, s2{}, s3{};
  Double4 a0, a1, a2, a3, b0, b1, b2, b3;
  std::int64_t i = 0;
  for (; i + 16 <= n; i += 16) {
    __builtin_memcpy(&a0, x + i, sizeof a0), __builtin_memcpy(&b0, y + i, sizeof b0);
    __builtin_memcpy(&a1, x + i + 4, sizeof a1), __builtin_memcpy(&b1, y + i + 4, sizeof b1);
    __builtin_memcpy(&a2, x + i + 8, sizeof a2), __builtin_memcpy(&b2, y + i + 8, sizeof b2);
    __builtin_memcpy(&a3, x + i + 12, sizeof a3), __builtin_memcpy(&b3, y + i + 12, sizeof b3);
    s0 += a0 * b0;
    s1 += a1 * b1;
    s2 += a2 * b2;
    s3 += a3 * b3;
  }
  for (; i + 4 <= n; i += 4) {
    __builtin_memcpy(&a0, x + i, sizeof a0), __builtin_memcpy(&b0, y + i, sizeof b0);
    s0 += a0 * b0;
  }
  const Double4 s = (s0 + s1) + (s2 + s3);
  double sum = (s[0] + s[1]) + (s[2] + s[3]);
  for (; i < n; ++i) sum += x[i] * y[i];
  return sum;
}

// Two inner products sharing x: column K against columns N and N + 1, which
// halves the reads of column K, the term that dominates the memory traffic.
// x: input of size max(nA, nB); a, b: inputs of sizes nA and nB.
inline __attribute__((always_inline)) void ColumnDotPair(const double* x, const double* a, std::int64_t nA,
                                                         const double* b, std::int64_t nB, double& sumA,
                                                         double& sumB) {
  const std::int64_t common = std::min(nA, nB);
  Double4 sa0{}, sa1{}, sb0{}, sb1{};
  Double4 x0, x1, a0, a1, b0, b1;
  std::int64_t i = 0;
  for (; i + 8 <= common; i += 8) {
    __builtin_memcpy(&x0, x + i, sizeof x0), __builtin_memcpy(&x1, x + i + 4, sizeof x1);
    __builtin_memcpy(&a0, a + i, sizeof a0), __builtin_memcpy(&a1, a + i + 4, sizeof a1);
    __builtin_memcpy(&b0, b + i, sizeof b0), __builtin_memcpy(&b1, b + i + 4, sizeof b1);
    sa0 += x0 * a0;
    sa1 += x1 * a1;
    sb0 += x0 * b0;
    sb1 += x1 * b1;
  }
  const Double4 sa = sa0 + sa1, sb = sb0 + sb1;
  sumA = (sa[0] + sa[1]) + (sa[2] + sa[3]) + ColumnDot(x + i, a + i, nA - i);
  sumB = (sb[0] + sb[1]) + (sb[2] + sb[3]) + ColumnDot(x + i, b + i, nB - i);
}

// The solve runs along a column (rows N - 1, N - 2, ... at rising
// addresses) against V at falling indexes: blocks of four are loaded from V
// and reversed, so these loops vectorise too.
using Long4 = long long __attribute__((vector_size(32)));

// Σ a[j]·v[-j], j = 0..n-1. a: input of size n; v: input, n values ending at v.
inline __attribute__((always_inline)) double ReversedDot(const double* a, const double* v, std::int64_t n) {
  const Long4 reverse{3, 2, 1, 0};
  Double4 s0{}, s1{};
  Double4 a0, a1, v0, v1;
  std::int64_t j = 0;
  for (; j + 8 <= n; j += 8) {
    __builtin_memcpy(&a0, a + j, sizeof a0), __builtin_memcpy(&a1, a + j + 4, sizeof a1);
    __builtin_memcpy(&v0, v - j - 3, sizeof v0), __builtin_memcpy(&v1, v - j - 7, sizeof v1);
    s0 += a0 * __builtin_shuffle(v0, reverse);
    s1 += a1 * __builtin_shuffle(v1, reverse);
  }
  const Double4 s = s0 + s1;
  double sum = (s[0] + s[1]) + (s[2] + s[3]);
  for (; j < n; ++j) sum += a[j] * v[-j];
  return sum;
}

// v[-j] -= a[j]·factor, j = 0..n-1. a: input of size n; v: n values ending at v, modified.
inline __attribute__((always_inline)) void ReversedAxpy(double* v, const double* a, std::int64_t n, double factor) {
  const Long4 reverse{3, 2, 1, 0};
  Double4 a0, v0;
  std::int64_t j = 0;
  for (; j + 4 <= n; j += 4) {
    __builtin_memcpy(&a0, a + j, sizeof a0), __builtin_memcpy(&v0, v - j - 3, sizeof v0);
    v0 -= __builtin_shuffle(a0, reverse) * factor;
    __builtin_memcpy(v - j - 3, &v0, sizeof v0);
  }
  for (; j < n; ++j) v[-j] -= a[j] * factor;
}

// Step 3 of a column: reduce its off-diagonal terms by the columns above,
// each over the rows the two columns share.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ReduceColumn(double* A, const std::int64_t* DA, std::int64_t N, std::int64_t KH, std::int64_t KU) {
  std::int64_t K = N - KH;
  std::int64_t IC = 0;
  std::int64_t KLT = KU;
  for (std::int64_t J = 1; J <= KH; ++J, ++K) {
    ++IC;
    --KLT;
    const std::int64_t KI = DA[K];
    const std::int64_t ND = DA[K + 1] - KI - 1;
    if (ND > 0) A[KLT] -= ColumnDot(A + KI + 1, A + KLT + 1, std::min(IC, ND));
  }
}

// Step 3 for columns N and N + 1 together, over the rows above N: each
// column K above is read once for both. Row N of column N + 1 needs column N
// finished and is left to the caller.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ReduceColumnPair(double* A, const std::int64_t* DA, std::int64_t N) {
  const std::int64_t topA = N - (DA[N + 1] - DA[N] - 1);        // highest row of column N
  const std::int64_t topB = N + 1 - (DA[N + 2] - DA[N + 1] - 1);  // of column N + 1
  for (std::int64_t K = std::min(topA, topB) + 1; K <= N - 1; ++K) {
    const std::int64_t KI = DA[K];
    const std::int64_t ND = DA[K + 1] - KI - 1;
    if (ND <= 0) continue;
    const double* x = A + KI + 1;
    double* termA = A + DA[N] + (N - K);          // K(K, N)
    double* termB = A + DA[N + 1] + (N + 1 - K);  // K(K, N + 1)
    const std::int64_t nA = K > topA ? std::min(K - topA, ND) : 0;
    const std::int64_t nB = K > topB ? std::min(K - topB, ND) : 0;
    if (nA > 0 && nB > 0) {
      double sumA = 0.0, sumB = 0.0;
      ColumnDotPair(x, termA + 1, nA, termB + 1, nB, sumA, sumB);
      *termA -= sumA;
      *termB -= sumB;
    } else if (nA > 0) {
      *termA -= ColumnDot(x, termA + 1, nA);
    } else if (nB > 0) {
      *termB -= ColumnDot(x, termB + 1, nB);
    }
  }
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

SolverStatus PivotStatus(double pivot, std::int64_t N, PivotRule rule) {
  if (rule == PivotRule::PositiveDefinite) {
    if (!(pivot > 0.0) || !std::isfinite(pivot)) return {SolverFault::NotPositiveDefinite, N};
    return {};
  }
  if (pivot == 0.0) return {SolverFault::ZeroPivot, N};
  if (!std::isfinite(pivot)) return {SolverFault::NotANumber, N};
  return {};
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

// Steps 4 and 5 of a column: scale it by the pivots above and reduce and
// test its diagonal. Every pivot above was tested when its own column ended.
SolverStatus FinishColumn(double* A, const std::int64_t* DA, std::int64_t N, PivotRule rule) {
  const std::int64_t KN = DA[N];
  const std::int64_t KU = DA[N + 1] - 1;
  const bool shifted = rule == PivotRule::Shifted;
  double B = 0.0;
  std::int64_t K = N;
  for (std::int64_t KK = KN + 1; KK <= KU; ++KK) {
    --K;
    const double C = A[KK] / A[DA[K]];
    if (shifted && !(std::fabs(C) < kLargeMultiplier)) return {SolverFault::LargeMultiplier, N};
    B += C * A[KK];
    A[KK] = C;
  }
  const double pivot = A[KN] - B;
  A[KN] = pivot;
  return PivotStatus(pivot, N, rule);
}

SolverStatus FactoriseColumns(double* A, const std::int64_t* DA, std::int64_t first, std::int64_t last,
                              PivotRule rule) {
  std::int64_t N = first;
  for (; N + 1 <= last; N += 2) {
    ReduceColumnPair(A, DA, N);
    if (SolverStatus status = FinishColumn(A, DA, N, rule); !status.Ok()) return status;
    // Row N of column N + 1, against the finished column N.
    const std::int64_t KU = DA[N + 2] - 1;
    const std::int64_t heightB = KU - DA[N + 1];
    const std::int64_t ND = DA[N + 1] - DA[N] - 1;
    if (heightB >= 2 && ND > 0) {
      const std::int64_t KLT = DA[N + 1] + 1;  // K(N, N + 1)
      A[KLT] -= ColumnDot(A + DA[N] + 1, A + KLT + 1, std::min(heightB - 1, ND));
    }
    if (SolverStatus status = FinishColumn(A, DA, N + 1, rule); !status.Ok()) return status;
  }
  for (; N <= last; ++N) {
    const std::int64_t KU = DA[N + 1] - 1;
    const std::int64_t KH = KU - DA[N] - 1;
    if (KH > 0) ReduceColumn(A, DA, N, KH, KU);
    if (SolverStatus status = FinishColumn(A, DA, N, rule); !status.Ok()) return status;
  }
  return {};
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
