// The run state of the analysis: the step table growing past any fixed
// size with fresh entries, the reset of a run, the work files made through
// the temporary-file service (a refused folder named in the message) with
// the row error, and the percentage counter of the analysis window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "numeric/RunState.h"
#include "services/TempFiles.h"

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

// More steps than a fixed table of 150 holds; every new step starts fresh,
// even where an earlier, longer run left one.
TEST(StepTable, GrowsAsNeededAndEveryNewEntryIsFresh) {
  ResetRunState();
  for (int i = 1; i <= 400; ++i) AppendLoadCaseStep(i % 124 + 1).writeDisplacements = 0;
  g_AnalysisFlags.hangerDesignRequested = 1;
  g_AnalysisFlags.misconvergence.node = 7;
  g_CurrentStep = 400;
  EXPECT_EQ(CurrentLoadCaseStep().type, 400 % 124 + 1);
  ResetRunState();
  EXPECT_EQ(g_StepCount + g_CurrentStep + g_AnalysisFlags.hangerDesignRequested + g_AnalysisFlags.misconvergence.node, 0);
  const LoadCaseStep& step = AppendLoadCaseStep(8);
  EXPECT_EQ(step.type, 8);
  EXPECT_EQ(step.hangerLoads + step.writeDisplacements + step.elementForces + step.supportLoads, 3);
  g_CurrentStep = 2;  // past the count: no step
  EXPECT_EQ(CurrentLoadCaseStep().type, 0);
  ResetRunState();
}

TEST(WorkFiles, AreUniqueFilesOfTheTemporaryFolderDeletedWithTheirNames) {
  const int live = CountLiveTempFiles();
  const std::string first = MakeWorkFileName(WorkFile::XSeismic);
  EXPECT_EQ(std::filesystem::path(first).parent_path(), std::filesystem::path(TempFolder()));
  EXPECT_EQ(std::filesystem::path(first).filename().string().rfind("X_Seismic_", 0), 0u);
  // Naming the same work file again replaces its file.
  const std::string second = MakeWorkFileName(WorkFile::XSeismic);
  MakeWorkFileName(WorkFile::Stiffness);
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_TRUE(std::filesystem::exists(second));
  EXPECT_EQ(CountLiveTempFiles(), live + 2);
  DeleteAllWorkFiles();
  EXPECT_FALSE(std::filesystem::exists(second));
  EXPECT_TRUE(WorkFileName(WorkFile::XSeismic).empty());
  EXPECT_EQ(CountLiveTempFiles(), live);
  // A folder that refuses ends the run with a message naming it.
  const std::string kept = std::getenv("TMPDIR"), missing = kept + "/no such folder";
  setenv("TMPDIR", missing.c_str(), 1);
  std::string message;
  try {
    MakeWorkFileName(WorkFile::MissingMass);
  } catch (const std::string& text) {
    message = text;
  }
  setenv("TMPDIR", kept.c_str(), 1);
  EXPECT_EQ(message, "Unable to create the work file Missing_mass_ in the temporary folder\n" + missing);
  EXPECT_TRUE(WorkFileName(WorkFile::MissingMass).empty());
  try {
    ThrowRowError(42, "Material CS is not defined");
  } catch (const std::string& text) {
    message = text;
  }
  EXPECT_EQ(message, "Row 42 : Material CS is not defined");
}

}  // namespace
