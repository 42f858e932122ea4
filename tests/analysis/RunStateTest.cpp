// The run state of the analysis: the step table growing past any fixed
// size with fresh entries, the reset of a run, the work files made through
// the temporary-file service (a refused folder named in the message), the
// row error, and the percentage counter of the analysis window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/RunState.h"
#include "shell/TempFiles.h"

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

// A model with many hanger, seismic and buried steps needs more than the
// 150 entries a fixed table would hold; a step reused from an earlier,
// longer run starts fresh.
TEST(StepTable, GrowsAsNeededAndEveryNewEntryIsFresh) {
  ResetRunState();
  for (int i = 1; i <= 400; ++i) {
    LoadCaseStep& step = AppendLoadCaseStep(i % 124 + 1);
    if (i % 2 == 0) step.writeDisplacements = step.elementForces = step.supportLoads = 0, step.hangerLoads = 1;
  }
  ASSERT_EQ(g_StepCount, 400);
  g_CurrentStep = 400;
  EXPECT_EQ(CurrentLoadCaseStep().type, 400 % 124 + 1);
  EXPECT_EQ(CurrentLoadCaseStep().hangerLoads, 1);
  g_CurrentStep = 151;
  EXPECT_EQ(CurrentLoadCaseStep().type, 151 % 124 + 1);
  EXPECT_EQ(CurrentLoadCaseStep().writeDisplacements, 1);

  g_AnalysisFlags.modelNonlinear = 1;
  g_AnalysisFlags.hangerDesignRequested = 1;
  g_AnalysisFlags.misconvergence = {1.5f, 11, 0, 7};
  ResetRunState();
  EXPECT_EQ(g_StepCount, 0);
  EXPECT_EQ(g_CurrentStep, 0);
  EXPECT_EQ(CurrentLoadCaseStep().type, 0);  // no step is current
  EXPECT_EQ(g_AnalysisFlags.modelNonlinear, 0);
  EXPECT_EQ(g_AnalysisFlags.hangerDesignRequested, 0);
  EXPECT_EQ(g_AnalysisFlags.misconvergence.node, 0);
  const LoadCaseStep& step = AppendLoadCaseStep(8);
  EXPECT_EQ(step.type, 8);
  EXPECT_EQ(step.hangerLoads, 0);
  EXPECT_EQ(step.writeDisplacements + step.elementForces + step.supportLoads, 3);
  // Past the count nothing is current, even where an older run left steps.
  g_CurrentStep = 2;
  EXPECT_EQ(CurrentLoadCaseStep().type, 0);
  ResetRunState();
}

TEST(WorkFiles, AreUniqueFilesInTheTemporaryFolderDeletedWithTheirNames) {
  const int live = CountLiveTempFiles();
  const std::string first = MakeWorkFileName(WorkFile::XSeismic);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(std::filesystem::path(first).parent_path(), std::filesystem::path(TempFolder()));
  EXPECT_EQ(std::filesystem::path(first).filename().string().rfind("X_Seismic_", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(first));
  // Naming the same work file again replaces the file; other names stay.
  const std::string second = MakeWorkFileName(WorkFile::XSeismic);
  const std::string stiffness = MakeWorkFileName(WorkFile::Stiffness);
  EXPECT_NE(second, first);
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_EQ(WorkFileName(WorkFile::XSeismic), second);
  EXPECT_EQ(std::filesystem::path(stiffness).filename().string().rfind("Stiffness_", 0), 0u);
  EXPECT_EQ(CountLiveTempFiles(), live + 2);
  DeleteWorkFile(WorkFile::Stiffness);
  EXPECT_FALSE(std::filesystem::exists(stiffness));
  EXPECT_TRUE(WorkFileName(WorkFile::Stiffness).empty());
  DeleteAllWorkFiles();
  EXPECT_FALSE(std::filesystem::exists(second));
  EXPECT_TRUE(WorkFileName(WorkFile::XSeismic).empty());
  EXPECT_EQ(CountLiveTempFiles(), live);
}

TEST(WorkFiles, AFolderThatRefusesEndsTheRunWithAMessageNamingIt) {
  const std::string kept = std::getenv("TMPDIR");
  const std::string missing = kept + "/no such folder";
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
}

TEST(ThrowRowError, NamesTheRow) {
  try {
    ThrowRowError(42, "Material CS is not defined");
    FAIL() << "nothing thrown";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Row 42 : Material CS is not defined");
  }
}

}  // namespace
