// The column factorisation of the skyline matrix, L·D·Lᵀ in place, blocked
// for the cache; see Skyline.h for the storage and FactoriseColumns for the
// contract. Start reading at FactoriseColumns.
//
// Left-looking, as COLSOL: column j needs U(i, j) = K(i, j) − Σ L(k, i)·U(k, j)
// for its rows i, then L(i, j) = U(i, j) / D(i) and D(j) = K(j, j) − Σ L·U.
// Done one column at a time, every value of the columns above is loaded for
// two flops, and for wide profiles those columns no longer fit in L2. Here up
// to 12 columns are reduced together in a dense panel (their rows from the
// block's highest row down to its last column; zeros outside the profile):
//  1. the rows above the block, four at a time: four finished columns against
//     every panel column in 4 x 3 register tiles of inner products, so each
//     finished column is read once per block and each load feeds three
//     multiply-adds; then the small triangle among those four rows. Twelve
//     columns measured fastest: the panel then stays near L1, and wider
//     blocks gain less from reuse than they lose to the cache;
//  2. the block's own rows: the scaled panel against itself in the same tiles,
//     then a dense L·D·Lᵀ of the block's triangle, column by column, where
//     every multiplier and pivot is judged in column order;
//  3. each finished column is copied back in place at once, so a failure
//     leaves every column before the failing one factorised.
// Terms above a column's profile stay exactly zero, so the padding changes
// no value; only the order of the sums differs from the one-column form.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "numeric/Skyline.h"
#include "numeric/SkylineVector.h"

namespace {

using skyline::Double4;

constexpr double kLargeMultiplier = 1.0e10;
constexpr std::int64_t kBlockColumns = 12;
constexpr int kTileRows = 4;
constexpr int kTileColumns = 3;

inline std::int64_t TopRow(const std::int64_t* DA, std::int64_t j) { return j - (DA[j + 1] - DA[j] - 1); }

// out[r][c] = Σ_q x[r][q]·y[c·ldy + q], q = 0..n-1: R columns against C panel
// columns, all running the same way in memory. The edge tiles of a block.
// x: R inputs of size n; y: C inputs of size n, ldy apart; out: output.
template <int R, int C>
inline __attribute__((always_inline)) void DotTile(const double* const* x, const double* y, std::int64_t ldy,
                                                   std::int64_t n, double (*out)[kTileColumns]) {
  for (int r = 0; r < R; ++r)
    for (int c = 0; c < C; ++c) out[r][c] = skyline::Dot(x[r], y + c * ldy, n);
}

// The full 4 x 3 tile, written out so that the twelve sums stay in registers:
// per four rows, seven loads feed twelve multiply-adds.
template <>
inline __attribute__((always_inline)) void DotTile<4, 3>(const double* const* x, const double* y, std::int64_t ldy,
                                                         std::int64_t n, double (*out)[kTileColumns]) {
  const double *x0 = x[0], *x1 = x[1], *x2 = x[2], *x3 = x[3];
  const double *y0 = y, *y1 = y + ldy, *y2 = y + 2 * ldy;
  Double4 s00{}, s01{}, s02{}, s10{}, s11{}, s12{}, s20{}, s21{}, s22{}, s30{}, s31{}, s32{};
  Double4 a, b0, b1, b2;
  std::int64_t q = 0;
  for (; q + 4 <= n; q += 4) {
    skyline::Load4(b0, y0 + q), skyline::Load4(b1, y1 + q), skyline::Load4(b2, y2 + q);
    skyline::Load4(a, x0 + q);
    s00 += a * b0, s01 += a * b1, s02 += a * b2;
    skyline::Load4(a, x1 + q);
    s10 += a * b0, s11 += a * b1, s12 += a * b2;
    skyline::Load4(a, x2 + q);
    s20 += a * b0, s21 += a * b1, s22 += a * b2;
    skyline::Load4(a, x3 + q);
    s30 += a * b0, s31 += a * b1, s32 += a * b2;
  }
  out[0][0] = skyline::Sum4(s00), out[0][1] = skyline::Sum4(s01), out[0][2] = skyline::Sum4(s02);
  out[1][0] = skyline::Sum4(s10), out[1][1] = skyline::Sum4(s11), out[1][2] = skyline::Sum4(s12);
  out[2][0] = skyline::Sum4(s20), out[2][1] = skyline::Sum4(s21), out[2][2] = skyline::Sum4(s22);
  out[3][0] = skyline::Sum4(s30), out[3][1] = skyline::Sum4(s31), out[3][2] = skyline::Sum4(s32);
  for (; q < n; ++q)
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) out[r][c] += x[r][q] * y[c * ldy + q];
}

// Where a tile's results go: out[c·columnStride + rowOffset[r]] for column c.
struct TileTarget {
  double* base;
  std::int64_t columnStride;
  const std::int64_t* rowOffset;  // R entries
};

// Subtracts from the targets of columns cBegin..cEnd-1 the inner products of
// the R columns x with the panel columns over n rows. panel: column c at
// panel + c·ld, read from yOffset on.
template <int R>
inline __attribute__((always_inline)) void SubtractTiles(const double* const* x, std::int64_t n, const double* panel,
                                                         std::int64_t ld, std::int64_t yOffset, std::int64_t cBegin,
                                                         std::int64_t cEnd, const TileTarget& target) {
  double out[kTileRows][kTileColumns];
  auto subtract = [&](std::int64_t c0, int columns) {
    for (int r = 0; r < R; ++r)
      for (int c = 0; c < columns; ++c) target.base[(c0 + c) * target.columnStride + target.rowOffset[r]] -= out[r][c];
  };
  std::int64_t c0 = cBegin;
  for (; c0 + kTileColumns <= cEnd; c0 += kTileColumns) {
    DotTile<R, kTileColumns>(x, panel + c0 * ld + yOffset, ld, n, out);
    subtract(c0, kTileColumns);
  }
  if (cEnd - c0 == 2) {
    DotTile<R, 2>(x, panel + c0 * ld + yOffset, ld, n, out);
    subtract(c0, 2);
  } else if (cEnd - c0 == 1) {
    DotTile<R, 1>(x, panel + c0 * ld + yOffset, ld, n, out);
    subtract(c0, 1);
  }
}

inline __attribute__((always_inline)) void SubtractTileRows(int rows, const double* const* x, std::int64_t n,
                                                            const double* panel, std::int64_t ld, std::int64_t yOffset,
                                                            std::int64_t cBegin, std::int64_t cEnd,
                                                            const TileTarget& target) {
  switch (rows) {
    case 4: SubtractTiles<4>(x, n, panel, ld, yOffset, cBegin, cEnd, target); break;
    case 3: SubtractTiles<3>(x, n, panel, ld, yOffset, cBegin, cEnd, target); break;
    case 2: SubtractTiles<2>(x, n, panel, ld, yOffset, cBegin, cEnd, target); break;
    default: SubtractTiles<1>(x, n, panel, ld, yOffset, cBegin, cEnd, target); break;
  }
}

// The block of columns j0..j1 in its panels. Row k of panel column c (column
// j0 + c) lies at c·ld + (j1 − k): rows run upwards with rising addresses, as
// in the skyline columns, so both are read the same way.
struct Block {
  std::int64_t j0, j1, top, ld, width;
  double* U;  // the block's columns, reduced in place: size width·ld
  double* L;  // rows above j0 of U divided by their pivots: size width·ld
  double* W;  // the block's own triangle, W[cj·width + ck] = term (j0 + ck, j0 + cj): size width²
  double* Lb; // the block's own multipliers, same layout as W
  std::int64_t Offset(std::int64_t row) const { return j1 - row; }
};

// Copies the block's columns into its panel, zeros above each profile.
void LoadBlock(const double* A, const std::int64_t* DA, Block& b) {
  std::fill(b.U, b.U + b.width * b.ld, 0.0);
  for (std::int64_t c = 0; c < b.width; ++c) {
    const std::int64_t j = b.j0 + c;
    std::memcpy(b.U + c * b.ld + b.Offset(j), A + DA[j], static_cast<std::size_t>(DA[j + 1] - DA[j]) * sizeof(double));
  }
}

// Step 1: U(i, j) for the rows i above the block, four rows at a time.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ReduceRowsAboveBlock(const double* A, const std::int64_t* DA, const Block& b) {
  for (std::int64_t i0 = b.top; i0 < b.j0; i0 += kTileRows) {
    const int rows = static_cast<int>(std::min<std::int64_t>(kTileRows, b.j0 - i0));
    std::int64_t start[kTileRows], rowOffset[kTileRows];
    std::int64_t common = b.top;
    for (int r = 0; r < rows; ++r) {
      start[r] = std::max(b.top, TopRow(DA, i0 + r));
      common = std::max(common, start[r]);
      rowOffset[r] = b.Offset(i0 + r);
    }
    // Rows k < i0 are final: the four rows share [common, i0); each row's own
    // rows above `common` go one row at a time.
    const std::int64_t shared = std::min(common, i0);
    if (shared < i0) {
      const double* x[kTileRows];
      for (int r = 0; r < rows; ++r) x[r] = A + DA[i0 + r] + (i0 + r) - (i0 - 1);
      SubtractTileRows(rows, x, i0 - shared, b.U, b.ld, b.Offset(i0 - 1), 0, b.width,
                       TileTarget{b.U, b.ld, rowOffset});
    }
    for (int r = 0; r < rows; ++r) {
      if (start[r] >= shared) continue;
      const std::int64_t i = i0 + r;
      const double* x[1] = {A + DA[i] + i - (shared - 1)};
      SubtractTileRows(1, x, shared - start[r], b.U, b.ld, b.Offset(shared - 1), 0, b.width,
                       TileTarget{b.U, b.ld, rowOffset + r});
    }
    // The triangle among the four rows, in row order.
    for (int r = 1; r < rows; ++r) {
      const std::int64_t i = i0 + r;
      for (std::int64_t k = std::max(i0, start[r]); k < i; ++k) {
        const double l = A[DA[i] + i - k];
        if (l == 0.0) continue;
        for (std::int64_t c = 0; c < b.width; ++c) b.U[c * b.ld + b.Offset(i)] -= l * b.U[c * b.ld + b.Offset(k)];
      }
    }
  }
}

// Step 2a: the multipliers above the block, and the block's own terms
// reduced by the rows above it: W(k, j) = U(k, j) − Σ L(m, k)·U(m, j), m < j0.
__attribute__((target_clones("default", "arch=x86-64-v3")))
void ReduceBlockByRowsAbove(const double* A, const std::int64_t* DA, const Block& b) {
  const std::int64_t above = b.j0 - b.top;
  std::fill(b.W, b.W + b.width * b.width, 0.0);
  for (std::int64_t c = 0; c < b.width; ++c) {
    for (std::int64_t m = b.top; m < b.j0; ++m) b.L[c * b.ld + b.Offset(m)] = b.U[c * b.ld + b.Offset(m)] / A[DA[m]];
    for (std::int64_t k = 0; k <= c; ++k) b.W[c * b.width + k] = b.U[c * b.ld + b.Offset(b.j0 + k)];
  }
  if (above == 0) return;
  for (std::int64_t ck = 0; ck < b.width; ck += kTileRows) {
    const int rows = static_cast<int>(std::min<std::int64_t>(kTileRows, b.width - ck));
    const double* x[kTileRows];
    std::int64_t rowOffset[kTileRows];
    for (int r = 0; r < rows; ++r) {
      x[r] = b.L + (ck + r) * b.ld + b.Offset(b.j0 - 1);
      rowOffset[r] = ck + r;
    }
    SubtractTileRows(rows, x, above, b.U, b.ld, b.Offset(b.j0 - 1), ck, b.width, TileTarget{b.W, b.width, rowOffset});
  }
}

// A positive definite pivot this small a share of its column's own diagonal
// is rounding left of a direction nothing holds: the model is free to move
// there and would be reported with a huge movement. The softest spring the
// program makes itself (1.0, a free slip joint or a hinge without
// stiffness, beside the rigid 1.0e12 of a joint's other directions) stays
// far above it.
constexpr double kNegligiblePivot = 1.0e-14;

SolverStatus PivotStatus(double pivot, double diagonal, std::int64_t N, PivotRule rule) {
  if (rule == PivotRule::PositiveDefinite) {
    if (!(pivot > kNegligiblePivot * std::fabs(diagonal)) || !std::isfinite(pivot))
      return {SolverFault::NotPositiveDefinite, N};
    return {};
  }
  if (pivot == 0.0) return {SolverFault::ZeroPivot, N};
  if (!std::isfinite(pivot)) return {SolverFault::NotANumber, N};
  return {};
}

// Step 2b and 3: the block's triangle, column by column; each column is judged
// and copied back before the next one starts.
SolverStatus FinishBlock(double* A, const std::int64_t* DA, const Block& b, PivotRule rule) {
  const bool shifted = rule == PivotRule::Shifted;
  std::fill(b.Lb, b.Lb + b.width * b.width, 0.0);
  for (std::int64_t cj = 0; cj < b.width; ++cj) {
    const std::int64_t j = b.j0 + cj;
    const std::int64_t top = TopRow(DA, j);
    double* w = b.W + cj * b.width;
    double* lb = b.Lb + cj * b.width;
    const std::int64_t firstOwn = std::max(b.j0, top) - b.j0;
    for (std::int64_t ck = firstOwn; ck < cj; ++ck) {
      const double* lk = b.Lb + ck * b.width;
      double s = w[ck];
      for (std::int64_t m = firstOwn; m < ck; ++m) s -= lk[m] * w[m];
      w[ck] = s;
    }
    bool large = false;
    double pivot = w[cj];
    for (std::int64_t ck = firstOwn; ck < cj; ++ck) {
      const double l = w[ck] / A[DA[b.j0 + ck]];
      large |= !(std::fabs(l) < kLargeMultiplier);
      pivot -= l * w[ck];
      lb[ck] = l;
    }
    // Copy back: D(j), the block's own multipliers, then those above the block.
    const double diagonal = A[DA[j]];
    A[DA[j]] = pivot;
    for (std::int64_t ck = firstOwn; ck < cj; ++ck) A[DA[j] + cj - ck] = lb[ck];
    if (top < b.j0) {
      const double* above = b.L + cj * b.ld + b.Offset(b.j0 - 1);
      double* column = A + DA[j] + j - (b.j0 - 1);
      std::memcpy(column, above, static_cast<std::size_t>(b.j0 - top) * sizeof(double));
      if (shifted)
        for (std::int64_t q = 0; q < b.j0 - top; ++q) large |= !(std::fabs(above[q]) < kLargeMultiplier);
    }
    if (shifted && large) return {SolverFault::LargeMultiplier, j};
    if (SolverStatus status = PivotStatus(pivot, diagonal, j, rule); !status.Ok()) return status;
  }
  return {};
}

}  // namespace

SolverStatus FactoriseColumns(double* A, const std::int64_t* DA, std::int64_t first, std::int64_t last,
                              PivotRule rule) {
  std::vector<double> work;
  for (std::int64_t j0 = first; j0 <= last; j0 += kBlockColumns) {
    Block b{};
    b.j0 = j0;
    b.j1 = std::min(last, j0 + kBlockColumns - 1);
    b.width = b.j1 - b.j0 + 1;
    b.top = b.j0;
    for (std::int64_t j = b.j0; j <= b.j1; ++j) b.top = std::min(b.top, TopRow(DA, j));
    b.ld = b.j1 - b.top + 1;
    const std::size_t panel = static_cast<std::size_t>(b.width * b.ld);
    const std::size_t square = static_cast<std::size_t>(b.width * b.width);
    if (work.size() < 2 * panel + 2 * square) work.resize(2 * panel + 2 * square);
    b.U = work.data();
    b.L = b.U + panel;
    b.W = b.L + panel;
    b.Lb = b.W + square;
    LoadBlock(A, DA, b);
    ReduceRowsAboveBlock(A, DA, b);
    ReduceBlockByRowsAbove(A, DA, b);
    if (SolverStatus status = FinishBlock(A, DA, b, rule); !status.Ok()) return status;
  }
  return {};
}
