// The compliance vocabulary per piping code (titles, symbols, the
// occasional allowable label), the categories a set of results holds, the
// starting state of the ratio columns, the temperatures of each expansion
// case, and the sorted stresses: the governing entry per node and the order
// by ratio, equal ratios in their order and nodes never reached last.
#include "codes/CodeTesting.h"

#include "codes/CodeCategories.h"
#include "codes/CodeModel.h"
#include "codes/SortedStresses.h"
#include "records/Soil.h"

namespace {

CodeSettings Settings(int code, int level = 0, float coefficient = 1.2f) {
  CodeSettings s;
  s.code = code;
  s.serviceLevel = level;
  s.seismicCoefficient = coefficient;
  return s;
}

TEST(CodeVocabularyTest, TitlesSymbolsAndLabelsPerCode) {
  EXPECT_STREQ(OccasionalCategoryTitle(3), "Occasional (SHO = 1.33SH or 0.9WSy)");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(3)), "SHO");
  EXPECT_STREQ(SustainedCategoryTitle(101), "Sustained (8)");
  EXPECT_STREQ(CombinedCategoryTitle(6), "Restrained (833.3 a,b)");
  EXPECT_STREQ(ExpansionCategoryTitle(21), "Expansion (12.3.4-1)");
  for (int code : {0, 1, 2, 5, 7, 17, 19, 20}) EXPECT_STREQ(CombinedCategoryTitle(code), "") << code;
  EXPECT_STREQ(CreepCategoryTitle(21), "Creep (12.3.5-1)");
  EXPECT_STREQ(CreepCategoryTitle(3), "None");
  EXPECT_STREQ(BuriedCategoryTitle(21), "Buried Stress (5.2.4)");
  // Service levels; one out of range gives no label, not a default.
  EXPECT_EQ(OccasionalAllowableLabel(Settings(8, 2)), "2.4SH");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(9, 1)), "2.25SH");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(9, 3)), "");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(21, 0, 1.2f)), "1.2ff");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(21, 0, 1.35f)), "1.4ff");
  EXPECT_EQ(OccasionalAllowableLabel(Settings(14)), "1.2SH");
  // Column symbols.
  const auto symbols = [](int code, CodeStressCategory category, bool occasional) {
    const CategorySymbols s = ComplianceSymbols(Settings(code), category, occasional);
    return s.stress + "/" + s.allowable;
  };
  EXPECT_EQ(symbols(1, CodeStressCategory::Sustained, false), "SL/SH");
  EXPECT_EQ(symbols(10, CodeStressCategory::Sustained, false), "SL/1.5SH");
  EXPECT_EQ(symbols(4, CodeStressCategory::Sustained, true), "SL+SO/0.80SY");
  EXPECT_EQ(symbols(4, CodeStressCategory::Sustained, false), "SL/0.75SY");
  EXPECT_EQ(symbols(18, CodeStressCategory::Expansion, false), "SE/SR");
  EXPECT_EQ(symbols(10, CodeStressCategory::Combined, false), "STE/SH+SA");
  EXPECT_EQ(symbols(21, CodeStressCategory::Combined, false), "S4/ff+fa");
  EXPECT_EQ(symbols(21, CodeStressCategory::Settlement, false), "S6/S6a");
  EXPECT_EQ(symbols(3, CodeStressCategory::Occasional, true), "SL+SO/SHO");
  EXPECT_EQ(PipingCodeTitle(101), "ASME Class 2 (2017)");
  EXPECT_EQ(PipingCodeTitle(3), "B31.3 (2016)");
  EXPECT_EQ(PipingCodeTitle(99), "");
}

TEST(CodeVocabularyTest, ExpansionCasesNameTheirTemperatures) {
  const std::tuple<int, int, int> cases[] = {{2, 1, 0},   {57, 10, 0}, {5, 1, 2},  {58, 1, 4},
                                            {7, 2, 3},   {71, 2, 10}, {72, 3, 4}, {99, 9, 10}};
  for (const auto& [type, i, j] : cases) {
    int a = -1, b = -1;
    ASSERT_TRUE(ExpansionCaseTemperatures(type, a, b)) << type;
    EXPECT_EQ(a, i) << type;
    EXPECT_EQ(b, j) << type;
  }
  int a = 0, b = 0;
  EXPECT_FALSE(ExpansionCaseTemperatures(8, a, b));
  EXPECT_EQ(ExpansionCaseOrder().size(), 55u);  // 10 single temperatures, 45 ranges
}

class CategoriesTest : public CodeModelFixture {};

TEST_F(CategoriesTest, PresenceFromTheCaseTypesAndTheRatioColumns) {
  BuildElbow();
  Make();
  model.options.PipingCode = 3;
  CategoryPresence p = CategoriesPresent(CodeModel(model, elements), {1, 2, 8, 12});
  EXPECT_TRUE(p.sustained && p.expansion && p.operating && p.occasional);
  EXPECT_FALSE(p.combined || p.settlement || p.creep);
  model.options.PipingCode = 10;
  p = CategoriesPresent(CodeModel(model, elements), {1, 3, 11});
  EXPECT_TRUE(p.combined && p.settlement);
  EXPECT_FALSE(p.occasional);
  // BS 806 has no occasional category; code None only its uncoded one.
  model.options.PipingCode = 12;
  EXPECT_FALSE(CategoriesPresent(CodeModel(model, elements), {1, 12}).occasional);
  // EN 13480 with every group: 9 + 3 + 6 = 18 columns hide the ratios; 16
  // without the buried group show them.
  CategoryPresence all;
  all.sustained = all.expansion = all.combined = all.occasional = true;
  all.settlement = all.creep = all.buried = true;
  EXPECT_FALSE(ComplianceShowsRatios(all));
  all.buried = false;
  EXPECT_TRUE(ComplianceShowsRatios(all));
  // A section in soil makes the buried category of EN 13480.
  Soil soil;
  soil.name = "S";
  AppendSoil(model.soils, soil);
  model.sections[1].soil = "S";
  model.options.PipingCode = 21;
  EXPECT_TRUE(CategoriesPresent(CodeModel(model, elements), {1}).buried);
}

TEST_F(CategoriesTest, ModelsWhoseChecksComeLaterAreRefusedByName) {
  BuildTee(1);
  Make();
  const auto refusal = [this](int code, bool sustained) {
    model.options.PipingCode = code;
    return CodeStressRefusal(model, EffectiveCodeSettings(model.options), sustained);
  };
  // BS 806 and the Class 2/3 branch connections have their checks.
  EXPECT_EQ(refusal(3, true), "");
  EXPECT_EQ(refusal(12, true), "");
  EXPECT_EQ(refusal(10, true), "");
  EXPECT_EQ(refusal(10, false), "");
  Soil soil;
  soil.name = "S";
  AppendSoil(model.soils, soil);
  model.sections[2].soil = "S";
  // Buried pipe has its restrained (pipeline codes) and buried (EN 13480) checks.
  EXPECT_EQ(refusal(4, true), "");
  EXPECT_EQ(refusal(21, true), "");
  EXPECT_EQ(refusal(3, true), "");
}

TEST(SortedStressesTest, TheGoverningEntryAndTheOrder) {
  GoverningStress entry;
  StressRatio(entry, -5000.0, 10000.0);  // the magnitude counts; the sign is kept
  EXPECT_FLOAT_EQ(entry.ratio, 0.5f);
  EXPECT_FLOAT_EQ(entry.stress, -5000.0f);
  StressRatio(entry, 6000.0, 12000.0);  // equal ratio: the first stays
  EXPECT_FLOAT_EQ(entry.allowable, 10000.0f);
  StressRatio(entry, 9000.0, 12000.0);  // larger: stress and allowable together
  EXPECT_FLOAT_EQ(entry.stress, 9000.0f);
  EXPECT_FLOAT_EQ(entry.allowable, 12000.0f);

  SortedStressSection section = MakeSortedStressSection(6);
  const float ratios[] = {-1.0f, -1.0f, 0.5f, 0.8f, 0.5f, -1.0f, 0.0f};  // by node 0 .. 6
  for (int node = 0; node <= 6; ++node) section.entries[static_cast<std::size_t>(node)].ratio = ratios[node];
  EXPECT_EQ(SortStressSection(section), 4);
  EXPECT_EQ(section.order, (std::vector<int>{0, 3, 2, 4, 6, 1, 5}));
}

TEST(SortedStressesTest, SectionsPresentAndTheAllowableColumns) {
  CategoryPresence p;
  p.expansion = p.settlement = true;
  SortedStresses sorted;
  AllocateSortedStresses(sorted, p, 10, false, false, 5);
  EXPECT_EQ(sorted.present, (std::array<bool, 8>{false, true, false, false, true, false, false, false}));
  EXPECT_EQ(sorted.currentSection, 1);
  EXPECT_TRUE(sorted.showAllowables);
  EXPECT_EQ(sorted.sections[1].entries.size(), 6u);
  EXPECT_TRUE(sorted.sections[0].entries.empty());
  // All eight present hide the allowables; a pipeline code never shows the
  // occasional section.
  p.sustained = p.combined = p.occasional = p.creep = p.operating = p.buried = true;
  AllocateSortedStresses(sorted, p, 21, false, true, 5);
  EXPECT_FALSE(sorted.showAllowables);
  AllocateSortedStresses(sorted, p, 4, false, true, 5);
  EXPECT_FALSE(sorted.present[3]);
  EXPECT_TRUE(sorted.showAllowables);
}

}  // namespace
