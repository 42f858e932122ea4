// Assembly into the skyline system; see SkylineAssembly.h.
#include "numeric/SkylineAssembly.h"

#include <algorithm>

namespace {

// G(a, b) = T·K(a, b)·Tᵀ for the 3 x 3 block of rows 3a.., columns 3b..
void RotateBlock(const ElementStiffness& K, const LocalFrame& T, int a, int b, ElementStiffness& G) {
  double W[3][3];  // K(a, b)·Tᵀ
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += K[3 * a + r][3 * b + k] * static_cast<double>(T[c][k]);
      W[r][c] = sum;
    }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += static_cast<double>(T[r][k]) * W[k][c];
      G[3 * a + r][3 * b + c] = sum;
    }
}

}  // namespace

SolverStatus AddToGlobalStiffness(std::span<double> A, const SkylineProfile& profile,
                                  const ElementMatrixPacked& packed, const LocationVector& vector) {
  const std::int32_t n = std::min(vector.count, packed.n);
  const auto& DA = profile.DiagonalAddress;
  const auto& h = profile.columnHeight;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t q = vector.equation[i];
    for (std::int32_t j = 0; j < n; ++j) {
      const std::int32_t r = vector.equation[j];
      if (q != 0 && r != 0 && q >= r && q - r > h[q]) return {SolverFault::OutsideProfile, q};
    }
  }
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::int32_t q = vector.equation[i - 1];
    if (q == 0) continue;
    for (std::int32_t j = 1; j <= n; ++j) {
      const std::int32_t r = vector.equation[j - 1];
      if (r == 0 || q < r) continue;
      A[DA[q] + q - r] += packed.value[PackedIndex(packed.n, std::min(i, j), std::max(i, j))];
    }
  }
  return {};
}

SolverStatus TransformAndAssembleElement(std::span<double> A, const SkylineProfile& profile,
                                         const ElementStiffness& stiffness, const LocalFrame& frame,
                                         const LocationVector& vector) {
  ElementStiffness global{};
  for (int a = 0; a < 4; ++a)
    for (int b = a; b < 4; ++b) RotateBlock(stiffness, frame, a, b, global);
  ElementMatrixPacked packed;
  packed.n = 12;
  for (int i = 1; i <= 12; ++i)
    for (int j = i; j <= 12; ++j) packed.value[PackedIndex(12, i, j)] = global[i - 1][j - 1];
  return AddToGlobalStiffness(A, profile, packed, vector);
}

void TransformAndAddElementLoads(std::span<double> V, const ElementLoads& loads, const LocalFrame& frame,
                                 const LocationVector& vector) {
  for (int block = 0; block < 4; ++block)
    for (int r = 0; r < 3; ++r) {
      double g = 0.0;
      for (int k = 0; k < 3; ++k) g += static_cast<double>(frame[r][k]) * loads[3 * block + k];
      const std::int32_t q = vector.equation[3 * block + r];
      if (q != 0) V[q] += g;
    }
}
