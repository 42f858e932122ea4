// Block products for the Lanczos basis; see ColumnBlock.h. Each kernel
// walks the rows in short stretches and, for each stretch, every column:
// the stretch of y or the register tile of X stays put while the block
// streams past once.
#include "numeric/ColumnBlock.h"

#include <algorithm>

#include "numeric/SkylineVector.h"

namespace columns {

namespace {

using skyline::Double4;

// Rows per stretch of SubtractTimes: y's stretch stays in L1.
constexpr std::int64_t kStretch = 512;

// out[c] for C columns at once: x is loaded once per C columns.
template <int C>
inline __attribute__((always_inline)) void DotGroup(const double* Q, std::int64_t ld, std::int64_t rows,
                                                    const double* x, double* out) {
  Double4 sum[C] = {};
  Double4 a, b;
  std::int64_t i = 0;
  for (; i + 4 <= rows; i += 4) {
    skyline::Load4(b, x + i);
    for (int c = 0; c < C; ++c) {
      skyline::Load4(a, Q + c * ld + i);
      sum[c] += a * b;
    }
  }
  for (int c = 0; c < C; ++c) {
    double s = skyline::Sum4(sum[c]);
    for (std::int64_t r = i; r < rows; ++r) s += Q[c * ld + r] * x[r];
    out[c] = s;
  }
}

// y[first, last) −= Σ of C columns times h: y is loaded and stored once per C columns.
template <int C>
inline __attribute__((always_inline)) void SubtractGroup(const double* Q, std::int64_t ld, std::int64_t first,
                                                         std::int64_t last, const double* h, double* y) {
  Double4 a, v;
  std::int64_t i = first;
  for (; i + 4 <= last; i += 4) {
    Double4 t{};
    for (int c = 0; c < C; ++c) {
      skyline::Load4(a, Q + c * ld + i);
      t += a * h[c];
    }
    skyline::Load4(v, y + i);
    v -= t;
    skyline::Store4(y + i, v);
  }
  for (; i < last; ++i) {
    double t = 0.0;
    for (int c = 0; c < C; ++c) t += Q[c * ld + i] * h[c];
    y[i] -= t;
  }
}

// X for rows i..i+4·V−1 and columns j..j+W−1: V·W sums in registers over
// every column of the block.
template <int V, int W>
inline __attribute__((always_inline)) void TimesTile(const double* Q, std::int64_t ld, std::int64_t count,
                                                     const double* S, std::int64_t width, double* X,
                                                     std::int64_t ldx, std::int64_t i, std::int64_t j) {
  Double4 sum[V][W] = {};
  Double4 a[V];
  for (std::int64_t c = 0; c < count; ++c) {
    for (int v = 0; v < V; ++v) skyline::Load4(a[v], Q + c * ld + i + 4 * v);
    const double* s = S + c * width + j;
    for (int w = 0; w < W; ++w)
      for (int v = 0; v < V; ++v) sum[v][w] += a[v] * s[w];
  }
  for (int w = 0; w < W; ++w)
    for (int v = 0; v < V; ++v) skyline::Store4(X + (j + w) * ldx + i + 4 * v, sum[v][w]);
}

// Rows per stretch of the panel products: the panel's stretch (8 vectors)
// stays in L1, the listed vectors' stretches in L2.
constexpr std::int64_t kPanelStretch = 256;

}  // namespace

__attribute__((target_clones("default", "arch=x86-64-v3")))
void WeightedDots(const double* const* F, std::int64_t count, const double* const* C, std::int64_t width,
                  const double* weight, std::int64_t rows, double* G) {
  double panel[kPanelLimit * kPanelStretch];
  std::fill(G, G + count * width, 0.0);
  for (std::int64_t first = 0; first < rows; first += kPanelStretch) {
    const std::int64_t length = std::min(kPanelStretch, rows - first);
    for (std::int64_t p = 0; p < width; ++p)
      for (std::int64_t i = 0; i < length; ++i) panel[p * kPanelStretch + i] = weight[first + i] * C[p][first + i];
    for (std::int64_t l = 0; l < count; ++l) {
      const double* f = F[l] + first;
      Double4 sum[kPanelLimit] = {};
      Double4 a, b;
      std::int64_t i = 0;
      for (; i + 4 <= length; i += 4) {
        skyline::Load4(a, f + i);
        for (std::int64_t p = 0; p < width; ++p) {
          skyline::Load4(b, panel + p * kPanelStretch + i);
          sum[p] += a * b;
        }
      }
      for (std::int64_t p = 0; p < width; ++p) {
        double s = skyline::Sum4(sum[p]);
        for (std::int64_t r = i; r < length; ++r) s += f[r] * panel[p * kPanelStretch + r];
        G[l * width + p] += s;
      }
    }
  }
}

__attribute__((target_clones("default", "arch=x86-64-v3")))
void SubtractCombinations(const double* const* F, std::int64_t count, double* const* C, std::int64_t width,
                          const double* G, std::int64_t rows) {
  for (std::int64_t first = 0; first < rows; first += kPanelStretch) {
    const std::int64_t last = std::min(rows, first + kPanelStretch);
    for (std::int64_t p = 0; p < width; ++p) {
      double* c = C[p];
      std::int64_t l = 0;
      for (; l + 4 <= count; l += 4) {
        const double *f0 = F[l], *f1 = F[l + 1], *f2 = F[l + 2], *f3 = F[l + 3];
        const double g0 = G[l * width + p], g1 = G[(l + 1) * width + p];
        const double g2 = G[(l + 2) * width + p], g3 = G[(l + 3) * width + p];
        Double4 a0, a1, a2, a3, v;
        std::int64_t i = first;
        for (; i + 4 <= last; i += 4) {
          skyline::Load4(a0, f0 + i), skyline::Load4(a1, f1 + i), skyline::Load4(a2, f2 + i), skyline::Load4(a3, f3 + i);
          skyline::Load4(v, c + i);
          v -= (a0 * g0 + a1 * g1) + (a2 * g2 + a3 * g3);
          skyline::Store4(c + i, v);
        }
        for (; i < last; ++i) c[i] -= (f0[i] * g0 + f1[i] * g1) + (f2[i] * g2 + f3[i] * g3);
      }
      for (; l < count; ++l) {
        const double* f = F[l];
        const double g = G[l * width + p];
        for (std::int64_t i = first; i < last; ++i) c[i] -= g * f[i];
      }
    }
  }
}

__attribute__((target_clones("default", "arch=x86-64-v3")))
void TransposeTimes(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* x,
                    double* out) {
  std::int64_t c = 0;
  for (; c + 8 <= count; c += 8) DotGroup<8>(Q + c * ld, ld, rows, x, out + c);
  for (; c + 4 <= count; c += 4) DotGroup<4>(Q + c * ld, ld, rows, x, out + c);
  for (; c < count; ++c) DotGroup<1>(Q + c * ld, ld, rows, x, out + c);
}

__attribute__((target_clones("default", "arch=x86-64-v3")))
void SubtractTimes(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* h,
                   double* y) {
  for (std::int64_t first = 0; first < rows; first += kStretch) {
    const std::int64_t last = std::min(rows, first + kStretch);
    std::int64_t c = 0;
    for (; c + 8 <= count; c += 8) SubtractGroup<8>(Q + c * ld, ld, first, last, h + c, y);
    for (; c + 4 <= count; c += 4) SubtractGroup<4>(Q + c * ld, ld, first, last, h + c, y);
    for (; c < count; ++c) SubtractGroup<1>(Q + c * ld, ld, first, last, h + c, y);
  }
}

__attribute__((target_clones("default", "arch=x86-64-v3")))
void Times(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* S,
           std::int64_t width, double* X, std::int64_t ldx) {
  std::int64_t i = 0;
  for (; i + 8 <= rows; i += 8) {
    std::int64_t j = 0;
    for (; j + 4 <= width; j += 4) TimesTile<2, 4>(Q, ld, count, S, width, X, ldx, i, j);
    for (; j < width; ++j) TimesTile<2, 1>(Q, ld, count, S, width, X, ldx, i, j);
  }
  for (; i + 4 <= rows; i += 4)
    for (std::int64_t j = 0; j < width; ++j) TimesTile<1, 1>(Q, ld, count, S, width, X, ldx, i, j);
  for (; i < rows; ++i)
    for (std::int64_t j = 0; j < width; ++j) {
      double sum = 0.0;
      for (std::int64_t c = 0; c < count; ++c) sum += Q[c * ld + i] * S[c * width + j];
      X[j * ldx + i] = sum;
    }
}

}  // namespace columns
