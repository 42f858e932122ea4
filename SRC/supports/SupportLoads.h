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
//
// It also keeps the support's rows of the support load summary (the
// time-load operations of DataItem): one record per summary row, the N loads
// of the case made current in values 0 .. N-1 and the node's X, Y, Z
// translations in values 6 .. 8, stored, or added to or subtracted from a
// base row (a load that is a size kept from going below 0); then the
// column-wise Maximum and Minimum and the Allowables rows. The summary
// builder (SupportLoadSummary.h) hands every support what it needs through
// g_SummaryInput before each call.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kindbase/NonlinearSupports.h"
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

// One row of a support's load summary.
using SummaryRecord = std::array<float, 9>;
// What the summary builder sets before it calls a support's summary
// operation: the number of summary rows (the last three being Maximum,
// Minimum and Allowables), the translations of the support's node in the
// case made current, and the allowable loads at that node (zeros: none).
struct SummaryInput {
  int rowCount = 0;
  std::array<float, 3> translation{};
  std::array<float, 6> allowables{};
};
extern SummaryInput g_SummaryInput;
// A combination row: the base row plus `sign` times the current case's
// record, value by value. The value at `sizedIndex` (-1: none) is a size
// (RunPreparedSupport::SizedLoadIndex), never negative: the occasional case
// gives the largest size its load reaches, which may be anything from 0 up,
// in any direction, so the least size the two together leave is the base
// size less that, and no less than 0.
SummaryRecord CombineSummaryRecords(const SummaryRecord& base, const SummaryRecord& current, float sign,
                                    int sizedIndex);
// Rows rowCount-2 and rowCount-1 become the column-wise maximum and minimum
// of rows 1 .. rowCount-3 (replaced only by a strictly greater or smaller
// value); row rowCount the allowables, in the first `loads` values.
// rows: rowCount + 1 records (input and output).
void SummaryRecordExtremes(std::vector<SummaryRecord>& rows, std::size_t loads);

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

  void AllocTimeLoads() override { summaryRows.assign(static_cast<std::size_t>(g_SummaryInput.rowCount) + 1, {}); }
  void FreeTimeLoads() override { std::vector<SummaryRecord>().swap(summaryRows); }
  void StoreTimeLoads(int row) override {
    if (HasSummaryRow(row)) summaryRows[static_cast<std::size_t>(row)] = CurrentSummaryRecord();
  }
  void AccumulateTimeLoads(int base, int row) override { Combine(base, row, 1.0f); }
  void DifferenceTimeLoads(int base, int row) override { Combine(base, row, -1.0f); }
  void TimeLoadExtremes() override { SummaryRecordExtremes(summaryRows, N); }

  std::array<float, N> caseLoads{};
  std::array<float, N> sumLoads{};
  std::vector<SummaryRecord> summaryRows;  // [0] unused

 protected:
  bool HasSummaryRow(int row) const { return row >= 1 && static_cast<std::size_t>(row) < summaryRows.size(); }
  SummaryRecord CurrentSummaryRecord() const {
    SummaryRecord record{};
    for (std::size_t i = 0; i < N; ++i) record[i] = caseLoads[i];
    for (std::size_t i = 0; i < 3; ++i) record[6 + i] = g_SummaryInput.translation[i];
    return record;
  }
  void Combine(int base, int row, float sign) {
    if (!HasSummaryRow(base) || !HasSummaryRow(row)) return;
    const auto* run = dynamic_cast<const RunPreparedSupport*>(this);
    const int sized = run != nullptr ? run->SizedLoadIndex() : -1;
    summaryRows[static_cast<std::size_t>(row)] =
        CombineSummaryRecords(summaryRows[static_cast<std::size_t>(base)], CurrentSummaryRecord(), sign, sized);
  }
  void KeepAndWriteSupportLoads(const std::array<float, N>& loads) {
    KeepSupportLoads(caseLoads.data(), loads.data(), N);
    if (g_SupportLoadsNoWrite == 0) WriteSupportFloats(loads.data(), N);
  }
};
