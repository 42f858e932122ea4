// The run modes and the results-file door of the support loads; see
// SupportLoads.h.
#include "supports/SupportLoads.h"

#include <algorithm>

#include "kindbase/GlobalSystem.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

std::uint8_t g_SupportLoadsPeakMode = 0;
std::uint8_t g_SupportLoadsSquareMode = 0;
std::int32_t g_SupportLoadsNoWrite = 0;
SummaryInput g_SummaryInput;

void KeepSupportLoads(float* caseLoads, const float* loads, std::size_t n) {
  if (g_SupportLoadsPeakMode != 0) {
    // Strictly larger: a later load of equal magnitude and opposite sign
    // leaves the stored one.
    for (std::size_t i = 0; i < n; ++i)
      if (std::fabs(loads[i]) > std::fabs(caseLoads[i])) caseLoads[i] = loads[i];
  } else if (g_SupportLoadsSquareMode != 0) {
    for (std::size_t i = 0; i < n; ++i) caseLoads[i] += loads[i] * loads[i];
  }
}

void WriteSupportFloats(const float* values, std::size_t n) {
  QV_ASSERT(g_ResultsFile != nullptr);
  BinaryFileWriteFloats(*g_ResultsFile, values, n);
}

void ReadSupportFloats(float* values, std::size_t n) {
  QV_ASSERT(g_ResultsFile != nullptr);
  BinaryFileReadFloats(*g_ResultsFile, values, n);
}

SummaryRecord CombineSummaryRecords(const SummaryRecord& base, const SummaryRecord& current, float sign,
                                    int sizedIndex) {
  SummaryRecord combined{};
  for (std::size_t i = 0; i < combined.size(); ++i) combined[i] = base[i] + sign * current[i];
  if (sizedIndex >= 0 && static_cast<std::size_t>(sizedIndex) < combined.size()) {
    float& size = combined[static_cast<std::size_t>(sizedIndex)];
    size = std::max(size, 0.0f);
  }
  return combined;
}

void SummaryRecordExtremes(std::vector<SummaryRecord>& rows, std::size_t loads) {
  const int n = static_cast<int>(rows.size()) - 1;
  if (n < 3) return;
  SummaryRecord maximum, minimum;
  maximum.fill(-1.0e30f);
  minimum.fill(1.0e30f);
  for (int row = 1; row <= n - 3; ++row)
    for (std::size_t i = 0; i < maximum.size(); ++i) {
      const float value = rows[static_cast<std::size_t>(row)][i];
      if (value > maximum[i]) maximum[i] = value;
      if (value < minimum[i]) minimum[i] = value;
    }
  rows[static_cast<std::size_t>(n - 2)] = maximum;
  rows[static_cast<std::size_t>(n - 1)] = minimum;
  SummaryRecord allowables{};
  for (std::size_t i = 0; i < loads && i < g_SummaryInput.allowables.size(); ++i) allowables[i] = g_SummaryInput.allowables[i];
  rows[static_cast<std::size_t>(n)] = allowables;
}
