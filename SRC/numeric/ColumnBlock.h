// Products with a block of column vectors held one after another in one
// array (column c of `rows` terms at Q + c·ld), the shape in which the
// Lanczos run keeps its basis. Each product reads the block once, whatever
// the number of columns, where one vector at a time would read it once per
// vector: the block is far larger than the caches, so that is what costs.
// Built for the baseline and for x86-64-v3 (AVX2, FMA); the loader picks one.
#pragma once

#include <cstdint>

namespace columns {

// out[c] = Σ_i Q[c·ld + i]·x[i], for c < count. x: rows terms; out: count terms.
void TransposeTimes(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* x,
                    double* out);

// y[i] −= Σ_c Q[c·ld + i]·h[c], for i < rows. h: count terms; y: rows terms, modified.
void SubtractTimes(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* h, double* y);

// X[j·ldx + i] = Σ_c Q[c·ld + i]·S[c·width + j], for i < rows and j < width:
// the block times a small matrix S (count x width, row-major).
void Times(const double* Q, std::int64_t ld, std::int64_t rows, std::int64_t count, const double* S,
           std::int64_t width, double* X, std::int64_t ldx);

// The same kind of products for vectors held apart (a list of pointers),
// each `rows` terms, against a panel of `width` vectors (at most 8): each
// listed vector is read once for the whole panel.
constexpr std::int64_t kPanelLimit = 8;

// G[l·width + p] = Σ_i F_l[i]·weight[i]·C_p[i], for l < count and p < width.
void WeightedDots(const double* const* F, std::int64_t count, const double* const* C, std::int64_t width,
                  const double* weight, std::int64_t rows, double* G);

// C_p[i] −= Σ_l G[l·width + p]·F_l[i], for p < width and i < rows.
void SubtractCombinations(const double* const* F, std::int64_t count, double* const* C, std::int64_t width,
                          const double* G, std::int64_t rows);

}  // namespace columns
