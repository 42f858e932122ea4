// Restrained pipeline stresses against hand calculations, through the
// program's own run and the result chooser's "&Code compliance". The line:
// 12.75 x 0.375 inch pipe buried in a cohesionless soil (ground 42.375 inch
// above its centre), 20 elements of 120 inch, free at one end and anchored
// at the other; weightless (density 0, contents SG 0), P1 1000 psi, T1 170 F
// against 70 F, E 29.5e6 psi and alpha 6.5e-6 at every temperature, SY
// 52 000 psi, Bourdon effect off. By hand, for every element:
//   hoop Sh = P D / 2t = 17 000 psi, Poisson part 0.3 Sh = 5100 psi;
//   sustained: SL = 5100, B31.4 combined 2 |(SL - Sh) / 2| = 11 900 psi;
//   expansion: SL = 5100 - E alpha dT = 5100 - 19 175 = -14 075 psi,
//   combined |SL - Sh| = 31 075 psi against 0.9 SY = 46 800 (ratio 0.664);
//   with "DET_314": sqrt(SL^2 - SL Sh + Sh^2) = 26 951 psi;
//   B31.8: the largest of |Sh - SL|, |Sh|, |SL| = 31 075 psi;
//   Z662: |Sh - 0.3 Sh| + E alpha dT = 11 900 + 19 175 = 31 075 psi against SY;
//   EN 13480 buried: nu P D / 2t - (Tref - T) alpha E = 5100 + 19 175 = 24 275.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <numbers>

#include "codes/RestrainedStress.h"
#include "printing/ReportOutput.h"
#include "results/CodeComplianceReport.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeResultsTesting.h"

namespace {

using namespace code_testing;

constexpr double kSY = 52000.0;

class RestrainedStressTest : public CodeResultsFixture {
 protected:
  void TearDown() override {
    unsetenv("DET_314");
    CodeResultsFixture::TearDown();
  }
  void BuildBuriedLine(int code, const std::vector<int>& cases, float peakPressureFactor = 1.0f, float t1 = 170.0f) {
    using namespace analysis_testing;
    Model& model = StartLine(code, 0.0, 1000.0);
    model.options.PeakPressureFactor = peakPressureFactor;
    model.options.BourdonEffect = 0;
    model.pipeLoads[1].operating[0].temperature = t1;
    model.pipeLoads[1].specificGravity = 0.0f;
    Material& steel = model.materials[1];
    steel.strength = static_cast<float>(kSY);  // the SMYS of Z662 and EN 13480
    for (int t = 1; t <= steel.numtemps; ++t) {
      auto& values = steel.temps[static_cast<std::size_t>(t)].values;
      values[kMatModulus] = 29.5e6f;
      values[kMatAlpha] = 6.5e-6f;
      values[kMatYield] = static_cast<float>(kSY);
    }
    model.sections[1].outsideDiameter = 12.75f;
    model.sections[1].thickness = 0.375f;
    model.sections[1].soil = "S1";
    Soil soil;
    soil.name = "S1";
    soil.density = static_cast<float>(120.0 / 1728.0);
    soil.delta = static_cast<float>(std::numbers::pi / 6.0);
    soil.Ks = 0.7f;
    soil.groundLevel = 42.375f;
    AppendSoil(model.soils, soil);
    PipeRow(model, 10, ElementType::From, 0.0f);
    for (int i = 1; i <= 20; ++i) PipeRow(model, 10 + 10 * i, ElementType::Pipe, 120.0f);
    PutItem(model, model.rowCount, DataType::Anchor);
    Finish(model, cases);
  }
  // Every record's combined check at both ends against (stress, allowable).
  static void ExpectCombined(double stress, double allowable) {
    const CodeStressResults& r = TheCodeStresses();
    ASSERT_EQ(r.RecordCount(), 20);
    ASSERT_TRUE(r.presence.combined);
    for (int row = 1; row <= r.RecordCount(); ++row)
      for (const StressCheck& check : r.Record(row).combined) {
        EXPECT_TRUE(analysis_testing::Within(check.stress, stress, 1e-3)) << row;
        EXPECT_TRUE(analysis_testing::Within(check.allowable, allowable, 1e-4)) << row;
        EXPECT_TRUE(analysis_testing::Within(check.ratio, stress / allowable, 1e-3)) << row;
      }
  }
};

TEST_F(RestrainedStressTest, B314ChecksTheRestrainedLineInTheComplianceTable) {
  BuildBuriedLine(4, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(31075.0, 46800.0);
  // The table's restrained group (columns 9 to 11), first row.
  bool highlight = false;
  EXPECT_EQ(ComplianceCellText(1, 9, 0, highlight), "31075");
  EXPECT_EQ(ComplianceCellText(1, 10, 0, highlight), "46800");
  EXPECT_EQ(ComplianceCellText(1, 11, 0, highlight), "0.66");  // 0.664
  EXPECT_FALSE(highlight);
  // The components kept from the sustained case: SLa, Sb, St, Sh.
  const CodeStressRecord& record = TheCodeStresses().Record(1);
  EXPECT_NEAR(record.restrained[0], 5100.0, 1.0);
  EXPECT_NEAR(record.restrained[1], 0.0, 1.0);
  EXPECT_NEAR(record.restrained[3], 17000.0, 0.5);
  EXPECT_NEAR(record.restrained[kRestrainedSustainedStress], 11900.0, 1.0);
}

// An occasional case (wind, here without wind load) with a peak pressure
// factor of 1.5 adds half the pressure: Sh = 17 000 + 8500 = 25 500 and
// SLa = 5100 + 2550 = 7650; the expansion case then starts from these:
// SL = 7650 - 19 175 = -11 525 and |SL - Sh| = 37 025 psi.
TEST_F(RestrainedStressTest, AnOccasionalCaseCarriesItsComponentsIntoTheExpansionCheck) {
  BuildBuriedLine(4, {1, 8, 2, 13}, 1.5f);
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(37025.0, 46800.0);
  const CodeStressRecord& record = TheCodeStresses().Record(1);
  EXPECT_NEAR(record.restrained[kRestrainedOccasional], 7650.0, 1.0);
  EXPECT_NEAR(record.restrained[kRestrainedOccasional + 3], 25500.0, 1.0);
  EXPECT_NEAR(record.restrained[kRestrainedOccasionalStress], 17850.0, 1.0);
}

TEST_F(RestrainedStressTest, WithTheSustainedCaseOnlyTheRestrainedCheckIsTheSustainedOne) {
  BuildBuriedLine(4, {1});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(11900.0, 46800.0);
}

TEST_F(RestrainedStressTest, TheEquivalentStressOfB314WhenAskedFor) {
  setenv("DET_314", "", 1);
  BuildBuriedLine(4, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(26951.0, 46800.0);
}

TEST_F(RestrainedStressTest, B318AndZ662GiveTheSameCombinedStress) {
  BuildBuriedLine(6, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(31075.0, 0.9 * kSY);
  LeaveResultsMode();
  FreeCodeStresses();
  BuildBuriedLine(22, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(31075.0, kSY);
}

TEST_F(RestrainedStressTest, En13480ChecksBuriedPipeInItsBuriedGroup) {
  BuildBuriedLine(21, {1, 8, 2});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  const CodeStressResults& r = TheCodeStresses();
  ASSERT_TRUE(r.presence.buried);
  for (int row = 1; row <= r.RecordCount(); ++row) {
    const CodeStressRecord& record = r.Record(row);
    for (const StressCheck& check : record.buried) {
      EXPECT_TRUE(analysis_testing::Within(check.stress, 24275.0, 1e-3)) << row;
      EXPECT_TRUE(analysis_testing::Within(check.allowable, 0.9 * kSY, 1e-4)) << row;
    }
    // Its other checks do not apply: sustained 0 against 1, no expansion.
    EXPECT_EQ(record.SL[0], 0.0f);
    EXPECT_EQ(record.SH[0], 1.0f);
    EXPECT_EQ(record.expansion[0].ratio, -1.0f);
    EXPECT_EQ(record.combined[0].ratio, -1.0f);
  }
  // The text report's buried table: node at 5, the stress ending at 15 and
  // the allowable at 22.
  const std::string path = TempFolder() + "/buried-report.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  PrintCodeCompliance();
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::filesystem::remove(path);
  std::size_t title = 0;
  while (title < lines.size() && lines[title].find("Buried Stress (5.2.4)") == std::string::npos) ++title;
  ASSERT_LT(title, lines.size());
  std::size_t row = title;
  while (row < lines.size() && lines[row].find("    10 ") != 0) ++row;
  ASSERT_LT(row, lines.size());
  EXPECT_EQ(lines[row].substr(10, 5), "24275") << lines[row];
  EXPECT_EQ(lines[row].substr(17, 5), "46800") << lines[row];
}

// The combinations by themselves, without pressure or with SL = -Sh.
// Laid at 70 F and run at -30 F, the line is pulled: SL = 5100 + 19 175 =
// 24 275 and |Sh - SL| = 7275 psi, a check that must not vanish.
TEST_F(RestrainedStressTest, Z662ChecksALineColderThanLaid) {
  BuildBuriedLine(22, {1, 8, 2}, 1.0f, -30.0f);
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ExpectCombined(7275.0, kSY);
}

TEST(RestrainedCombinationTest, TheCombinedStressOfEachCode) {
  const double SL = -14075.0, St = 3000.0;
  EXPECT_NEAR(RestrainedCombinedStress(4, SL, 0.0, St, 0.0, false), std::sqrt(SL * SL + 4 * St * St), 1e-6);
  EXPECT_NEAR(RestrainedCombinedStress(4, SL, 0.0, St, 0.0, true), std::sqrt(SL * SL + 3 * St * St), 1e-6);
  EXPECT_NEAR(RestrainedCombinedStress(6, -5000.0, 0.0, 0.0, 5000.0, false), 10000.0, 1e-9);
  EXPECT_NEAR(RestrainedCombinedStress(6, -5000.0, 0.0, 0.0, 5000.0, true), std::sqrt(3.0) * 5000.0, 1e-6);
  // The larger of SLa + Sb and SLa - Sb governs.
  EXPECT_NEAR(RestrainedCombinedStress(4, 5100.0, 2000.0, 0.0, 17000.0, false), 17000.0 - 3100.0, 1e-9);
  EXPECT_NEAR(RestrainedCombinedStress(22, 5100.0, 2000.0, 0.0, 17000.0, false), 17000.0 - 5100.0 + 2000.0, 1e-9);
  // Z662 takes the fibre further from the hoop stress: Sh 1183, SLa 355, Sb
  // 5578 and a line 16 116 psi colder than laid: |1183 - (355 + 16 116 + 5578)|.
  EXPECT_NEAR(RestrainedCombinedStress(22, 355.0 + 16116.0, 5578.0, 0.0, 1183.0, false), 20866.0, 1e-9);
  EXPECT_FALSE(RestrainedUsesEquivalentStress(22));
}

}  // namespace
