// The run modes and the results-file door of the support loads; see
// SupportLoads.h.
#include "supports/SupportLoads.h"

#include "analysis/GlobalSystem.h"
#include "shell/Assert.h"
#include "shell/BinaryFile.h"

std::uint8_t g_SupportLoadsPeakMode = 0;
std::uint8_t g_SupportLoadsSquareMode = 0;
std::int32_t g_SupportLoadsNoWrite = 0;

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
