// Block products for the Lanczos basis; see ColumnBlock.h. Each kernel
// walks the rows in short stretches and, for each stretch, every column:
// the stretch of y or the register tile of X stays put while the block
// streams past once.
#include "analysis/ColumnBlock.h"

#include <algorithm>

#include "analysis/SkylineVector.h"

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

}  // namespace

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
