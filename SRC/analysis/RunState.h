// Run state shared by the analysis kernels while a run is in progress: the
// progress record through which renumbering, the skyline solver and the eigen
// solver show their texts and numbers, and the percentage counter.
//
// The kernels never talk to a window. They call an `AnalysisProgress`, whose
// operations do nothing by default; the analysis window (built with the
// analysis driver) overrides them to draw into its progress areas and value
// fields. Tests override them to record what a kernel showed.
//
// The percentage counter keeps its scale as a 32-bit float, so a counter over
// 3 items shows 33 %, 66 % and 99 %, and at most 101 texts are shown however
// many items a loop has.
#pragma once

#include <cstdint>
#include <string>

// The places of the progress window where one kind of text is shown.
enum class ProgressArea {
  StepTitle,
  Phase,           // assembly, solve and output texts
  Percentage,      // the percentage counter
  Mode,            // eigen solver: "Mode %d  "
  Iteration,       // eigen solver and nonlinear iteration: "Iteration %d  "
  Misconvergence,  // eigen solver: "Misconvergence = %.2f %"
  Frequency,       // eigen solver: "Mode %d: %.2f Hz"
  File,            // eigen solver: factorisation phase and its percentage
};

// Value fields of the analysis window that the kernels fill.
enum ProgressField : int {
  kFieldOriginalBandwidth = 1501,
  kFieldNewBandwidth = 1502,
  kFieldAverageBandwidth = 1503,
  kFieldEquationCount = 1504,
  kFieldStiffnessSize = 1505,
  kFieldStiffnessKilobytes = 1506,
};

class AnalysisProgress {
 public:
  virtual ~AnalysisProgress() = default;
  // Shows the text in the area (the window draws it before the call returns).
  virtual void ShowText(ProgressArea area, const std::string& text) { (void)area, (void)text; }
  // Clears the area to the window's background.
  virtual void ClearArea(ProgressArea area) { (void)area; }
  // Sets the text of one value field of the analysis window.
  virtual void SetField(int field, const std::string& text) { (void)field, (void)text; }
};

// The progress record used when the caller passes none.
AnalysisProgress& SilentProgress();

inline void ProgressBegin(AnalysisProgress& progress, const std::string& text, ProgressArea area) {
  progress.ShowText(area, text);
}
inline void ProgressEnd(AnalysisProgress& progress, ProgressArea area) { progress.ClearArea(area); }

struct ProgressCounter {
  float scale = 0.0f;        // 100 / number of items
  std::int32_t lastShown = 0;
  ProgressArea area = ProgressArea::Percentage;
};

void ProgressCounterStart(ProgressCounter& counter, std::int64_t itemCount,
                          ProgressArea area = ProgressArea::Percentage);
// Shows "<percent> %" when the whole percentage of item `item` differs from
// the one shown last.
void ProgressCounterStep(AnalysisProgress& progress, ProgressCounter& counter, std::int64_t item);
void ProgressAreaClear(AnalysisProgress& progress, const ProgressCounter& counter);
