// The result cases: numbered in the display order whatever their order in
// the file, the availability flags derived for each code, next and previous
// wrapping, and the files no writer of ours makes refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"

namespace {

ResultsFileContents FileOfTypes(const std::vector<int>& types) {
  ResultsFileContents contents;
  std::int64_t offset = 100;
  for (int type : types) {
    ResultCaseOffsets at;
    at.type = type;
    at.displacements = offset;
    at.forces = offset + 10;
    at.supportLoads = offset + 20;
    offset += 1000;
    contents.cases.push_back(at);
  }
  return contents;
}

std::vector<int> NumberedTypes() {
  std::vector<int> types;
  for (int k = 1; k <= TheResultCases().count; ++k) types.push_back(TheResultCases().cases[static_cast<std::size_t>(k)].type);
  return types;
}

class ResultCasesTest : public ::testing::Test {
 protected:
  void TearDown() override { ClearResultCases(); }
};

TEST_F(ResultCasesTest, CasesAreNumberedInTheDisplayOrderWithTheirOffsets) {
  const ResultsFileContents file = FileOfTypes({8, 1, 2});
  OrderResultCases(file, 1, false, 0);
  EXPECT_EQ(NumberedTypes(), (std::vector<int>{1, 2, 8}));
  // Each case keeps the offsets of its own block.
  EXPECT_EQ(TheResultCases().cases[1].displacements, 1100);
  EXPECT_EQ(TheResultCases().cases[3].supportLoads, 120);
  EXPECT_EQ(g_ResultCase, 1);
  EXPECT_EQ(g_CurrentMode, 1);
  // The whole order: static and weight cases, sustained, expansions,
  // operating, cold spring, settlement, hydrotest, occasional.
  OrderResultCases(FileOfTypes({36, 35, 37, 31, 109, 13, 12, 19, 11, 116, 14, 106, 8, 99, 7, 64, 5, 57, 2, 50, 41, 1, 124, 32}),
                   21, false, 0);
  EXPECT_EQ(NumberedTypes(), (std::vector<int>{32, 124, 1, 41, 50, 2, 57, 5, 64, 7, 99, 8, 106, 14, 116, 11, 19, 12, 13,
                                               109, 31, 37, 35, 36}));
  // Every accepted type but the modal case has its place in the order.
  for (int type = 1; type <= 124; ++type) {
    if (type == 30 || !IsAcceptedResultCaseType(type, 21)) continue;
    const auto& order = ResultCaseDisplayOrder();
    EXPECT_NE(std::find(order.begin(), order.end(), type), order.end()) << type;
  }
}

TEST_F(ResultCasesTest, NextAndPreviousWrapAndOneCaseStaysWhereItIs) {
  OrderResultCases(FileOfTypes({1, 2, 8}), 1, false, 0);
  PreviousLoadCase();
  EXPECT_EQ(g_ResultCase, 3);
  NextLoadCase();
  EXPECT_EQ(g_ResultCase, 1);
  SelectLoadCaseByType(8);
  EXPECT_EQ(g_ResultCase, 3);
  EXPECT_EQ(CurrentCaseTitle(), "Operating (W+P1+T1)");
  OrderResultCases(FileOfTypes({1}), 1, false, 0);
  NextLoadCase();
  EXPECT_EQ(g_ResultCase, 1);
  PreviousLoadCase();
  EXPECT_EQ(g_ResultCase, 1);
  EXPECT_EQ(ResultCaseOfType(2), 0);
}

TEST_F(ResultCasesTest, AModalOnlyFileHasNoResultCase) {
  OrderResultCases(FileOfTypes({}), 1, false, 0);
  EXPECT_EQ(TheResultCases().count, 0);
  EXPECT_EQ(g_ResultCase, 0);
  EXPECT_EQ(CurrentResultCaseType(), 0);
  NextLoadCase();
  EXPECT_EQ(g_ResultCase, 0);
}

TEST_F(ResultCasesTest, TheFlagsFollowTheCasesAndTheCode) {
  OrderResultCases(FileOfTypes({1, 8, 2}), 1, false, 0);
  const ResultAvailability& f = TheResultCases().flags;
  EXPECT_TRUE(f.present[1] && f.present[2] && f.present[8] && !f.present[3]);
  EXPECT_TRUE(f.expansion && f.operating && f.codeStress);
  EXPECT_FALSE(f.occasional || f.combined || f.codeGroupH || f.bs806);
  // B31.3 is of group H; EN 13480 has the combined category.
  OrderResultCases(FileOfTypes({1, 2}), 3, false, 0);
  EXPECT_TRUE(TheResultCases().flags.codeGroupH);
  OrderResultCases(FileOfTypes({1, 2}), 21, false, 0);
  EXPECT_TRUE(TheResultCases().flags.codeHasCombined && TheResultCases().flags.combined);
  // B31.4 has it only with buried pipe, and combines without an expansion case.
  OrderResultCases(FileOfTypes({1}), 4, false, 0);
  EXPECT_FALSE(TheResultCases().flags.combined);
  OrderResultCases(FileOfTypes({1}), 4, true, 0);
  EXPECT_TRUE(TheResultCases().flags.combined);
  // Occasional cases count for every code but BS 806.
  OrderResultCases(FileOfTypes({1, 13}), 1, false, 0);
  EXPECT_TRUE(TheResultCases().flags.occasional);
  OrderResultCases(FileOfTypes({1, 13}), 12, false, 0);
  EXPECT_FALSE(TheResultCases().flags.occasional);
  EXPECT_FALSE(TheResultCases().flags.bs806);
  OrderResultCases(FileOfTypes({1, 8}), 12, false, 0);
  EXPECT_TRUE(TheResultCases().flags.bs806 && TheResultCases().flags.codeStress);
  // Class 2 branch connections: code 9, the sustained case and a Branch SIF row.
  OrderResultCases(FileOfTypes({1}), 9, false, 1);
  EXPECT_TRUE(TheResultCases().flags.branchConnection);
  OrderResultCases(FileOfTypes({1}), 9, false, 0);
  EXPECT_FALSE(TheResultCases().flags.branchConnection);
}

TEST_F(ResultCasesTest, DynamicCasesAreSeismicResponseHarmonicAndForceSpectrum) {
  for (int type : {12, 31, 36, 37}) EXPECT_TRUE(IsDynamicCaseType(type)) << type;
  for (int type : {1, 13, 35, 19}) EXPECT_FALSE(IsDynamicCaseType(type)) << type;
}

TEST_F(ResultCasesTest, FilesNoWriterMakesAreRefusedBeforeAnythingIsNumbered) {
  OrderResultCases(FileOfTypes({1, 2}), 1, false, 0);
  const std::string unknown =
      "Unable to read results file\nThe file holds results of a load case that the model's piping code does not "
      "have.\nPlease reanalyze the model.";
  const std::string repeated =
      "Unable to read results file\nThe file holds two results of one load case.\nPlease reanalyze the model.";
  for (const std::vector<int>& types : {std::vector<int>{1, 1}, std::vector<int>{1, 18}, std::vector<int>{1, 125},
                                        std::vector<int>{11}, std::vector<int>{-3}, std::vector<int>{1, 30}}) {
    try {
      OrderResultCases(FileOfTypes(types), 1, false, 0);
      ADD_FAILURE() << "accepted " << types.back();
    } catch (const std::string& message) {
      const bool twice = types == std::vector<int>{1, 1};
      EXPECT_EQ(message, twice ? repeated : unknown) << types.back();
    }
    EXPECT_EQ(NumberedTypes(), (std::vector<int>{1, 2}));
  }
  // Settlement counts under the codes that take it.
  OrderResultCases(FileOfTypes({1, 11}), 21, false, 0);
  EXPECT_EQ(NumberedTypes(), (std::vector<int>{1, 11}));
}

}  // namespace
