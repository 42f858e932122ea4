// The percentage counter of the analysis window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/RunState.h"

namespace {

struct Recorder : AnalysisProgress {
  std::vector<std::string> texts;
  int clears = 0;
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::Percentage) texts.push_back(text);
  }
  void ClearArea(ProgressArea area) override { clears += area == ProgressArea::Percentage; }
};

TEST(ProgressCounter, ThreeItemsShowThirtyThreeSixtySixNinetyNine) {
  Recorder recorder;
  ProgressCounter counter;
  ProgressCounterStart(counter, 3);
  for (int i = 1; i <= 3; ++i) ProgressCounterStep(recorder, counter, i);
  EXPECT_EQ(recorder.texts, (std::vector<std::string>{"33 %", "66 %", "99 %"}));
  ProgressAreaClear(recorder, counter);
  EXPECT_EQ(recorder.clears, 1);
}

// The float scale 0.02f lies just below 0.02, so the last item truncates to
// 99 and "100 %" is never shown.
TEST(ProgressCounter, ALongLoopShowsEachWholePercentageOnce) {
  Recorder recorder;
  ProgressCounter counter;
  ProgressCounterStart(counter, 5000);
  for (int i = 1; i <= 5000; ++i) ProgressCounterStep(recorder, counter, i);
  ASSERT_EQ(recorder.texts.size(), 99u);
  EXPECT_EQ(recorder.texts.front(), "1 %");
  EXPECT_EQ(recorder.texts.back(), "99 %");
}

}  // namespace
