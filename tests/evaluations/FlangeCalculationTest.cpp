// The flange joint calculation against hand calculations: the default
// integral flange step by step (gasket, bolt loads and areas, lever arms,
// moments, shape constants, hub factors, stresses, J, equivalent pressure),
// the same flange as a loose flange without hub (2-14's J) and with external
// loads, a reverse flange by the 2-13 forms, the seating widths of the
// facing sketches, the hub factors of Table 2-7.1 against 72 regression
// points, and every refusal of data the formulas cannot take.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "evaluations/FlangeCalculation.h"
#include "evaluations/FlangeFactors.h"

namespace {

// Within 0.1 % of the hand value.
#define EXPECT_NEAR_REL(value, expected) EXPECT_NEAR((value), (expected), std::fabs(expected) * 1.0e-3) << #value

TEST(FlangeCalculationTest, TheDefaultIntegralFlangeMatchesTheHandCalculation) {
  const FlangeQualificationData data;
  ASSERT_EQ(FlangeInputRefusal(data), "");
  const FlangeResults r = CalculateFlange(data);
  EXPECT_NEAR_REL(r.b, 0.3536);
  EXPECT_NEAR_REL(r.G, 34.793);
  EXPECT_NEAR_REL(r.H, 393415.0);
  EXPECT_NEAR_REL(r.Hp, 95995.0);
  EXPECT_NEAR_REL(r.Wm1, 489410.0);
  EXPECT_NEAR_REL(r.Wm2, 386452.0);
  EXPECT_NEAR_REL(r.Am, 19.576);
  EXPECT_NEAR_REL(r.Ab, 19.836);
  EXPECT_NEAR_REL(r.W, 492655.0);
  EXPECT_NEAR_REL(r.hD, 1.9375);
  EXPECT_NEAR_REL(r.hT, 1.8018);
  EXPECT_NEAR_REL(r.hG, 1.1036);
  EXPECT_NEAR_REL(r.Mo, 859949.0);
  EXPECT_NEAR_REL(r.Mg, 543671.0);
  EXPECT_NEAR_REL(r.K, 1.22266);
  EXPECT_NEAR_REL(r.T, 1.8298);
  EXPECT_NEAR_REL(r.U, 10.740);
  EXPECT_NEAR_REL(r.Y, 9.7733);
  EXPECT_NEAR_REL(r.Z, 5.0413);
  EXPECT_NEAR_REL(r.h0, 4.0);
  EXPECT_NEAR_REL(r.F, 0.77693);
  EXPECT_NEAR_REL(r.V, 0.16155);
  EXPECT_EQ(r.f, 1.0);
  EXPECT_EQ(r.KI, 0.3);
  EXPECT_NEAR_REL(r.e, 0.19423);
  EXPECT_NEAR_REL(r.d, 66.480);
  EXPECT_NEAR_REL(r.L, 0.87916);
  // Operating condition and its allowables.
  EXPECT_NEAR_REL(r.operating.SH, 24152.0);
  EXPECT_NEAR_REL(r.operating.SR, 11590.0);
  EXPECT_NEAR_REL(r.operating.ST, 7232.0);
  EXPECT_NEAR_REL(r.operating.SHR, 17871.0);
  EXPECT_NEAR_REL(r.operating.SHT, 15692.0);
  EXPECT_NEAR_REL(r.operating.bolt, 24673.0);
  const auto operating = FlangeStressRows(data, r.operating, false);
  EXPECT_EQ(operating[0].allowable, 29400.0);
  EXPECT_NEAR(FlangeStressRatio(operating[0]), 0.821, 5e-4);
  EXPECT_NEAR(FlangeStressRatio(operating[3]), 0.912, 5e-4);
  EXPECT_EQ(operating[5].allowable, 25000.0);
  EXPECT_NEAR(FlangeStressRatio(operating[5]), 0.987, 5e-4);
  // Gasket seating.
  EXPECT_NEAR_REL(r.seating.SH, 15269.0);
  EXPECT_NEAR_REL(r.seating.SR, 7327.0);
  EXPECT_NEAR_REL(r.seating.ST, 4572.0);
  EXPECT_NEAR_REL(r.seating.SHR, 11298.0);
  EXPECT_NEAR_REL(r.seating.SHT, 9921.0);
  EXPECT_NEAR_REL(r.seating.bolt, 19482.0);
  const auto seating = FlangeStressRows(data, r.seating, true);
  EXPECT_EQ(seating[0].allowable, 30000.0);
  EXPECT_EQ(seating[1].allowable, 20000.0);
  EXPECT_STREQ(seating[5].label, "Bolt Stress");
  EXPECT_NEAR_REL(r.Joperating, 1.017);
  EXPECT_NEAR_REL(r.Jseating, 0.595);
  EXPECT_NEAR_REL(r.Pe, 415.34);
  EXPECT_NEAR(r.Pe / data.allowablePressure, 0.6246, 5e-4);
}

TEST(FlangeCalculationTest, ALooseFlangeWithoutHubHasOnlyTheTangentialStressAndTheRigidityOf2_14) {
  FlangeQualificationData data;
  data.type = kLooseFlangeWithoutHub;
  ASSERT_EQ(FlangeInputRefusal(data), "");
  FlangeResults r = CalculateFlange(data);
  EXPECT_NEAR_REL(r.hD, 2.5);
  EXPECT_NEAR_REL(r.Mo, 1047143.0);
  EXPECT_EQ(r.operating.SH, 0.0);
  EXPECT_EQ(r.operating.SR, 0.0);
  EXPECT_NEAR_REL(r.operating.ST, 79954.0);
  EXPECT_NEAR_REL(r.seating.ST, 41512.0);
  // J = 109.4 Mo / (E t^3 KL ln K) with KL = 0.2.
  EXPECT_NEAR_REL(r.Joperating, 13.19);
  EXPECT_NEAR_REL(r.Jseating, 6.333);
  // SH and SR pass with ratio 0.
  const auto rows = FlangeStressRows(data, r.operating, false);
  EXPECT_EQ(FlangeStressRatio(rows[0]), 0.0);
  EXPECT_EQ(FlangeStressRatio(rows[1]), 0.0);
  // No hub is needed: a hub length of 0 is taken.
  data.hubLength = 0.0f;
  EXPECT_EQ(FlangeInputRefusal(data), "");

  data.axialForce = 5000.0f;
  data.bendingMoment = 240000.0f;
  r = CalculateFlange(data);
  EXPECT_NEAR_REL(r.Pe, 448.28);
  EXPECT_NEAR(r.Pe / data.allowablePressure, 0.674, 5e-4);
}

TEST(FlangeCalculationTest, AReverseFlangeTakesBPrimeAndItsHubAtTheOutsideDiameter) {
  FlangeQualificationData data;
  data.type = kReverseFlange;
  data.reverseInsideDiameter = 30.0f;
  ASSERT_EQ(FlangeInputRefusal(data), "");
  const FlangeResults r = CalculateFlange(data);
  // hD = (C + g1 - 2 g0 - B)/2, hT = (C - (B + G)/2)/2, K = A/B', h0 = sqrt(A g0).
  EXPECT_NEAR_REL(r.hD, 2.5625);
  EXPECT_NEAR_REL(r.hT, 1.8018);
  EXPECT_NEAR_REL(r.K, 1.30417);
  EXPECT_NEAR_REL(r.h0, 4.42295);
  EXPECT_GT(r.Mo, 0.0);
  EXPECT_NEAR_REL(r.Mo, 1067942.0);
  EXPECT_NEAR_REL(r.F, 0.79138);
  EXPECT_NEAR_REL(r.V, 0.17369);
  EXPECT_NEAR_REL(r.f, 1.12221);
  EXPECT_NEAR_REL(r.L, 1.12833);
  EXPECT_NEAR_REL(r.operating.SH, 27974.0);
  EXPECT_NEAR_REL(r.operating.SR, 11641.0);
  EXPECT_NEAR_REL(r.operating.ST, 9396.0);
  EXPECT_NEAR_REL(r.seating.SH, 14241.0);
  EXPECT_NEAR_REL(r.Joperating, 0.9570);
}

TEST(FlangeCalculationTest, LooseFlangesWithHubsTakeTheLooseFactors) {
  FlangeQualificationData data;
  data.type = kLooseFlangeWithHub;
  const FlangeResults r = CalculateFlange(data);
  EXPECT_NEAR_REL(r.F, 1.19458);  // FL
  EXPECT_NEAR_REL(r.V, 0.36036);  // VL
  EXPECT_EQ(r.f, 1.0);
  EXPECT_EQ(r.KI, 0.2);
  EXPECT_NEAR_REL(r.operating.SH, 22653.0);
  EXPECT_NEAR_REL(r.operating.ST, 15116.0);
  EXPECT_NEAR_REL(r.Joperating, 3.1922);
}

TEST(FlangeCalculationTest, FacingSketchAndColumnGiveTheSeatingWidth) {
  FlangeQualificationData data;
  data.gasketOutside = 34.5f;  // N = 0.5: b0 below 1/4 keeps b = b0 and G the mean diameter
  auto b0 = [&data](int sketch, int column) {
    data.facingSketch = sketch;
    data.facingColumn = column;
    return CalculateFlange(data).b0;
  };
  const double N = 0.5;
  EXPECT_DOUBLE_EQ(b0(1, 1), N / 2);
  EXPECT_DOUBLE_EQ(b0(1, 2), N / 2);
  EXPECT_DOUBLE_EQ(b0(2, 1), 1.5 * N / 4);
  EXPECT_DOUBLE_EQ(b0(2, 2), 3.5 * N / 8);
  EXPECT_DOUBLE_EQ(b0(3, 1), N / 4);
  EXPECT_DOUBLE_EQ(b0(3, 2), 3 * N / 8);
  EXPECT_DOUBLE_EQ(b0(4, 1), 3 * N / 8);
  EXPECT_DOUBLE_EQ(b0(4, 2), 7 * N / 16);
  EXPECT_DOUBLE_EQ(b0(5, 1), N / 4);
  EXPECT_DOUBLE_EQ(b0(5, 2), 3 * N / 8);
  data.facingSketch = 3;
  data.facingColumn = 1;
  const FlangeResults r = CalculateFlange(data);
  EXPECT_DOUBLE_EQ(r.b, r.b0);
  EXPECT_DOUBLE_EQ(r.G, (34.5 + 33.5) / 2);  // the mean gasket diameter
  // b0 exactly 1/4: b = 1/4 either way, and G = GOD - 0.5 is the mean too.
  data.facingSketch = 1;
  const FlangeResults quarter = CalculateFlange(data);
  EXPECT_DOUBLE_EQ(quarter.b0, 0.25);
  EXPECT_DOUBLE_EQ(quarter.b, 0.25);
  EXPECT_DOUBLE_EQ(quarter.G, 34.0);
}

std::vector<std::vector<double>> CheckPoints() {
  std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/evaluations/FlangeFactorsCheck.csv");
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(in, line);  // the headings
  while (std::getline(in, line)) {
    std::vector<double> values;
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) values.push_back(std::stod(cell));
    rows.push_back(values);
  }
  return rows;
}

TEST(FlangeFactorsTest, TheEquationsOfTable2_7_1MeetTheSeventyTwoCheckPoints) {
  const auto rows = CheckPoints();
  ASSERT_EQ(rows.size(), 72u);
  for (const auto& row : rows) {
    // g1/g0, h/h0, A, C, F, V, f_raw, f_integral, FL, VL; g0 = h0 = 1.
    const HubFactors factors = ComputeHubFactors(1.0, row[0], row[1], 1.0);
    const std::string at = "g1/g0 " + std::to_string(row[0]) + ", h/h0 " + std::to_string(row[1]);
    EXPECT_NEAR(factors.F, row[4], std::fabs(row[4]) * 1e-5) << at;
    EXPECT_NEAR(factors.V, row[5], std::fabs(row[5]) * 1e-5) << at;
    EXPECT_NEAR(factors.f, row[6], std::fabs(row[6]) * 1e-5) << at;
    EXPECT_NEAR(factors.FL, row[8], std::fabs(row[8]) * 1e-5) << at;
    EXPECT_NEAR(factors.VL, row[9], std::fabs(row[9]) * 1e-5) << at;
    const FlangeTypeFactors integral = ComputeFlangeFactors(kIntegralFlange, 1.0, row[0], row[1], 1.0);
    EXPECT_NEAR(integral.f, row[7], std::fabs(row[7]) * 1e-5) << at;
  }
}

TEST(FlangeFactorsTest, AStraightHubGivesTheFactorsOfAPlainCylinderForAShortHub) {
  const HubFactors factors = ComputeHubFactors(0.5, 0.5, 0.05, 4.0);
  EXPECT_NEAR(factors.F, 0.908920, 1e-5);
  EXPECT_NEAR(factors.V, 0.550103, 1e-5);
}

// Each field that the formulas need, taken from the defaults and spoiled.
struct Refusal {
  const char* name;
  void (*spoil)(FlangeQualificationData&);
  const char* message;
};

TEST(FlangeCalculationTest, DataTheFormulasCannotTakeIsRefusedNamingTheField) {
  const Refusal refusals[] = {
      {"A = B", [](FlangeQualificationData& d) { d.outsideDiameter = 32.0f; },
       "Flange Outside Diameter [A] must be greater than Flange Inside Diameter [B]"},
      {"A < B", [](FlangeQualificationData& d) { d.insideDiameter = 40.0f; },
       "Flange Outside Diameter [A] must be greater than Flange Inside Diameter [B]"},
      {"A < B' reverse",
       [](FlangeQualificationData& d) {
         d.type = kReverseFlange;
         d.reverseInsideDiameter = 39.125f;
       },
       "Flange Outside Diameter [A] must be greater than Inside Dia of Reverse Flange [B']"},
      {"B' 0 reverse",
       [](FlangeQualificationData& d) {
         d.type = kReverseFlange;
         d.reverseInsideDiameter = 0.0f;
       },
       "Inside Dia of Reverse Flange [B'] must be greater than 0"},
      {"t 0", [](FlangeQualificationData& d) { d.thickness = 0.0f; }, "Flange Thickness [t] must be greater than 0"},
      {"g0 NaN", [](FlangeQualificationData& d) { d.hubSmallEnd = std::nanf(""); },
       "Small End Hub Thickness [g0] must be greater than 0"},
      {"g1 < g0", [](FlangeQualificationData& d) { d.hubLargeEnd = 0.25f; },
       "Large End Hub Thickness [g1] must not be less than Small End Hub Thickness [g0]"},
      {"h 0", [](FlangeQualificationData& d) { d.hubLength = 0.0f; }, "Hub Length [h] must be greater than 0"},
      {"E 0", [](FlangeQualificationData& d) { d.modulusDesign = 0.0f; }, "Modulus @ Design Temp must be greater than 0"},
      {"GOD = GID", [](FlangeQualificationData& d) { d.gasketInside = 35.5f; },
       "Gasket Outer Diameter must be greater than Gasket Inner Diameter"},
      {"C < GOD", [](FlangeQualificationData& d) { d.boltCircle = 35.0f; },
       "Bolt Circle Diameter must be greater than Gasket Outer Diameter"},
      {"C > A", [](FlangeQualificationData& d) { d.boltCircle = 40.0f; },
       "Flange Outside Diameter [A] must be greater than Bolt Circle Diameter"},
      {"n 0", [](FlangeQualificationData& d) { d.boltCount = 0; }, "Number of Bolts must be at least 1"},
      {"sb 0", [](FlangeQualificationData& d) { d.boltAllowableDesign = 0.0f; },
       "Bolt Allowable Stress @ Design Temp must be greater than 0"},
      {"sketch 6", [](FlangeQualificationData& d) { d.facingSketch = 6; }, "Facing Sketch should be > 0 and < 6"},
      {"column 0", [](FlangeQualificationData& d) { d.facingColumn = 0; }, "Facing Column should be > 0 and <= 2"},
      {"Pa 0", [](FlangeQualificationData& d) { d.allowablePressure = 0.0f; },
       "Allowable Pressure must be greater than 0"},
      {"P < 0", [](FlangeQualificationData& d) { d.designPressure = -1.0f; }, "Design Pressure must not be negative"},
      {"m inf", [](FlangeQualificationData& d) { d.gasketFactor = INFINITY; },
       "Leak Pressure Ratio [m] must not be negative"},
      {"type 7", [](FlangeQualificationData& d) { d.type = 7; }, "Flange Type is invalid"},
      // Past what the sheet takes, and results past what the report holds:
      // J scales as 1/E, so E of 1E-35 makes it 2.7E42 times its value at
      // 27E6 (about 0.1), far above 3.4E38.
      {"A 3E38", [](FlangeQualificationData& d) { d.outsideDiameter = 3.0e38f; },
       "Flange Outside Diameter [A] must be less than 1E38"},
      {"Mb 2E38", [](FlangeQualificationData& d) { d.bendingMoment = 2.0e38f; },
       "Bending Moment must be less than 1E38"},
      {"E 1E-35", [](FlangeQualificationData& d) { d.modulusDesign = 1.0e-35f; },
       "The flange data give no finite stresses: check the dimensions"},
  };
  for (const Refusal& refusal : refusals) {
    FlangeQualificationData data;
    refusal.spoil(data);
    EXPECT_EQ(FlangeInputRefusal(data), refusal.message) << refusal.name;
  }
}

}  // namespace
