// Progress operations of a run; see RunState.h.
#include "analysis/RunState.h"

#include <string>

AnalysisProgress& SilentProgress() {
  static AnalysisProgress silent;
  return silent;
}

void ProgressCounterStart(ProgressCounter& counter, std::int64_t itemCount, ProgressArea area) {
  counter.scale = itemCount > 0 ? 100.0f / static_cast<float>(itemCount) : 0.0f;
  counter.lastShown = 0;
  counter.area = area;
}

void ProgressCounterStep(AnalysisProgress& progress, ProgressCounter& counter, std::int64_t item) {
  // The product is truncated toward zero; the float scale makes 3 items show
  // 33, 66 and 99.
  const auto percent = static_cast<std::int32_t>(static_cast<double>(item) * static_cast<double>(counter.scale));
  if (percent == counter.lastShown) return;
  counter.lastShown = percent;
  progress.ShowText(counter.area, std::to_string(percent) + " %");
}

void ProgressAreaClear(AnalysisProgress& progress, const ProgressCounter& counter) {
  progress.ClearArea(counter.area);
}
