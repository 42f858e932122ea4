// What every support shares in the analysis and the results: its loads of
// the current case (caseLoads) and a second accumulator used while cases or
// dynamic responses are combined (sumLoads), N values each, written to and
// read from the results file in layout-row order, and the three run modes
// that the dynamic runs set around their calls of ComputeSupportLoads.
//
// SupportItem<N> is the base of a support kind: it implements the case and
// combined-load operations of DataItem once; a kind computes its N loads in
// ComputeSupportLoads and hands them to KeepAndWriteSupportLoads, which
// applies the run mode and writes them unless writing is off.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "model/RowObjects.h"

// Time history: each case load keeps the value of larger magnitude.
extern std::uint8_t g_SupportLoadsPeakMode;
// Force spectrum and harmonic responses: the square of each load is added.
extern std::uint8_t g_SupportLoadsSquareMode;
// Runs that keep or combine the loads and write them later.
extern std::int32_t g_SupportLoadsNoWrite;

// caseLoads, loads: n values; caseLoads modified by the run mode.
void KeepSupportLoads(float* caseLoads, const float* loads, std::size_t n);
// n values at the results file's current position (the file must be open).
void WriteSupportFloats(const float* values, std::size_t n);
void ReadSupportFloats(float* values, std::size_t n);

template <std::size_t N>
class SupportItem : public DataItem {
 public:
  void ClearCaseLoads() override { caseLoads.fill(0.0f); }
  void SqrtCaseLoads() override {
    for (float& value : caseLoads) value = std::sqrt(value);
  }
  void ClearSumLoads() override { sumLoads.fill(0.0f); }
  void AddCaseToSum() override {
    for (std::size_t i = 0; i < N; ++i) sumLoads[i] += caseLoads[i];
  }
  void AddSqrtCaseToSum() override {
    for (std::size_t i = 0; i < N; ++i) sumLoads[i] += std::sqrt(caseLoads[i]);
  }
  // The harmonic combination halves the sum of squares before the root.
  void SqrtScaledSumToCase() override {
    for (std::size_t i = 0; i < N; ++i) caseLoads[i] = std::sqrt(sumLoads[i] * 0.5f);
    WriteCaseLoads();
  }
  void ReadCaseLoads() override { ReadSupportFloats(caseLoads.data(), N); }
  void WriteCaseLoads() override { WriteSupportFloats(caseLoads.data(), N); }
  void ReadSumLoads() override { ReadSupportFloats(sumLoads.data(), N); }
  void WriteSumLoads() override { WriteSupportFloats(sumLoads.data(), N); }
  void SubtractCaseFromSum() override {
    for (std::size_t i = 0; i < N; ++i) sumLoads[i] -= caseLoads[i];
  }

  std::array<float, N> caseLoads{};
  std::array<float, N> sumLoads{};

 protected:
  void KeepAndWriteSupportLoads(const std::array<float, N>& loads) {
    KeepSupportLoads(caseLoads.data(), loads.data(), N);
    if (g_SupportLoadsNoWrite == 0) WriteSupportFloats(loads.data(), N);
  }
};
