// The nozzle-load checks by hand: the API 610 tables by size class and
// location (doubled for a vertical inline pump), the ANSI/HI temperature
// factor (held at its 100 F value below 100 F), the ANSI/HI allowable
// sets built from the table rows the program has (B73.1 at 150 F, B73.5
// mountings, axial split bolts, vertical turbine flanges) and the
// not-available line for a row it has not; the pump frame and its two
// messages; the NEMA SM 23 and API 617 resultants and limits of a turbine
// with an 8 in exhaust and a 6 in inlet, worked by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/FlangeWeights.h"
#include "evaluations/Api617Nema.h"
#include "evaluations/PumpEvaluation.h"

namespace {

Pump AnsiPump(int category, int size, int group, float temperature) {
  Pump p;
  InitPumpRecord(p);
  p.name = "P-1";
  p.standard = kPumpAnsiHi962;
  p.category = category;
  p.size = size;
  p.materialGroup = group;
  p.temperature = temperature;
  p.shaftAxis = {1, 0, 0};
  p.centre = {10, 0, 0};
  return p;
}

NozzleAttachment At(std::int32_t node, Vec3f position, float size, bool anchored = true) {
  NozzleAttachment at;
  at.node = node;
  at.defined = true;
  at.position = position;
  at.anchored = anchored;
  at.nominalSize = size;
  return at;
}

}  // namespace

TEST(Api610Tables, SizeClassesLocationsAndTheVerticalInlineDoubling) {
  EXPECT_EQ(Api610SizeClass(NominalSizeFromOd(8.625f)), 8);
  EXPECT_EQ(Api610SizeClass(9.0f), 8);  // no standard diameter: the classes take it
  EXPECT_EQ(Api610SizeClass(2.0f), 2);
  EXPECT_EQ(Api610SizeClass(24.0f), 16);
  // 6 in end nozzle: FX 700, FY 560, FZ 460, FR 1010; MX 1700, MY 870, MZ 1300, MR 2310 ft-lb.
  const auto end6 = Api610Allowables(6.0f, kNozzleEnd, false);
  const float expected[8] = {700, 560, 460, 1010, 1700 * 12.0f, 870 * 12.0f, 1300 * 12.0f, 2310 * 12.0f};
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(end6[static_cast<std::size_t>(i)], expected[i]) << i;
  // A top nozzle swaps FY and FZ of the side table.
  EXPECT_FLOAT_EQ(Api610Allowables(4.0f, kNozzleTop, false)[1], 260.0f);
  EXPECT_FLOAT_EQ(Api610Allowables(4.0f, kNozzleSide, false)[1], 400.0f);
  // Vertical inline: twice the side forces and twice the moments, whatever the location.
  const auto vertical = Api610Allowables(4.0f, kNozzleTop, true);
  EXPECT_FLOAT_EQ(vertical[1], 800.0f);
  EXPECT_FLOAT_EQ(vertical[4], 2 * 980 * 12.0f);
  const auto schedule = Schedule40Properties(4.0f);
  EXPECT_FLOAT_EQ(schedule[0], 3.17f);
  EXPECT_FLOAT_EQ(schedule[1], 3.22f);
}

TEST(AnsiHiTemperature, StraightLinesBetweenPointsAndThe100FValueBelow) {
  EXPECT_NEAR(AnsiHiTemperatureFactor(1, 70.0), 0.89, 1e-12);
  EXPECT_NEAR(AnsiHiTemperatureFactor(1, 150.0), 0.86, 1e-12);
  EXPECT_NEAR(AnsiHiTemperatureFactor(1, 625.0), 0.64, 1e-12);   // (600, 650] per 50 degrees
  EXPECT_NEAR(AnsiHiTemperatureFactor(3, -100.0), 1.0, 1e-12);   // never above the 100 F factor
  EXPECT_NEAR(AnsiHiTemperatureFactor(3, 750.0), 0.55, 1e-12);   // the last line extended
  EXPECT_NEAR(AnsiHiTemperatureFactor(0, 400.0), 1.0, 1e-12);
}

TEST(AnsiHiAllowables, EndSuctionT1IsTableOneReducedByTheFactoredTableTwo) {
  std::string missing;
  const auto a = AnsiHiAllowablesOf(AnsiPump(0, 0, 1, 150.0f), missing);
  ASSERT_TRUE(a.has_value()) << missing;
  const Load6& t1 = a->sets[0][0];
  const float expected[6] = {1050, 645, 645, 720 * 12.0f, 146.2f * 12.0f, 146.2f * 12.0f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(t1[static_cast<std::size_t>(i)], expected[i], 1e-3 * std::fabs(expected[i])) << i;
  // T2 carries the factor, T3 and T4 do not; the discharge row follows the suction row.
  EXPECT_NEAR(a->sets[0][1][0], 2020 * 0.86, 1e-2);
  EXPECT_FLOAT_EQ(a->sets[0][2][1], -2000.0f);
  EXPECT_FLOAT_EQ(a->sets[1][3][2], -3000.0f);
  EXPECT_NEAR(a->sets[1][0][2], 3000.0f, 1e-3);
}

TEST(AnsiHiAllowables, ARowTheProgramHasNotGivesTheNotAvailableLineAndNoValues) {
  std::string missing;
  EXPECT_FALSE(AnsiHiAllowablesOf(AnsiPump(0, 1, 1, 150.0f), missing).has_value());
  EXPECT_EQ(missing, "ANSI/HI 9.6.2 allowable loads for B73.1 size \"3 x 1.5 x 6\" are not available");
  EXPECT_FALSE(AnsiHiAllowablesOf(AnsiPump(1, 5, 0, 100.0f), missing).has_value());
  EXPECT_EQ(missing, "ANSI/HI 9.6.2 allowable loads for B73.2 size \"2 x 8 x 20\" are not available");
  Pump split = AnsiPump(4, 0, 0, 100.0f);
  split.boltOrMounting = 1;
  EXPECT_FALSE(AnsiHiAllowablesOf(split, missing).has_value());
  EXPECT_EQ(missing, "ANSI/HI 9.6.2 allowable loads for AxialSplit size \"bolt 0.750in\" are not available");
}

TEST(AnsiHiAllowables, B735MountingFactorsAndOnlyNonZeroT3T4ReduceT1) {
  std::string missing;
  Pump grouted = AnsiPump(3, 0, 1, 400.0f);
  grouted.boltOrMounting = 3;  // grouted nonmetal: 0.8 for all, no reduction, no temperature factor
  const auto g = AnsiHiAllowablesOf(grouted, missing);
  ASSERT_TRUE(g.has_value());
  EXPECT_NEAR(g->sets[0][0][0], 0.8 * 1050, 1e-3);
  EXPECT_NEAR(g->sets[0][0][1], 0.8 * 750, 1e-3);
  EXPECT_NEAR(g->sets[0][1][3], 0.8 * 1830 * 12, 1e-2);
  Pump stilt = AnsiPump(3, 0, 1, 400.0f);
  stilt.boltOrMounting = 1;  // stilt-mounted: k 1.0, 1.0, 0.9, 0.9
  const auto s = AnsiHiAllowablesOf(stilt, missing);
  ASSERT_TRUE(s.has_value());
  // FX: T3 0 takes no part, T4 0.9 x 1050 = 945 reduces 1050.
  EXPECT_NEAR(s->sets[0][0][0], 945.0, 1e-3);
  // FY: |T3| = 1800 is not below 750; T4 0 takes no part.
  EXPECT_NEAR(s->sets[0][0][1], 750.0, 1e-3);
  // MY: T3 0.9 x 1200 = 1080 below 170? no: stays 170 ft-lb.
  EXPECT_NEAR(s->sets[0][0][4], 170.0 * 12, 1e-2);
}

TEST(AnsiHiAllowables, AxialSplitTakesTheSmallerBoltValueAndVerticalTurbineItsFlangeTable) {
  std::string missing;
  Pump split = AnsiPump(4, 0, 0, 100.0f);
  split.boltOrMounting = 0;
  const auto a = AnsiHiAllowablesOf(split, missing);
  ASSERT_TRUE(a.has_value());
  const float expected[6] = {600, 600, 1800, 600 * 12.0f, 720 * 12.0f, 450 * 12.0f};
  for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(a->single[static_cast<std::size_t>(i)], expected[i]) << i;
  Pump turbine = AnsiPump(5, 14, 0, 100.0f);
  turbine.dischargeLocation = 1;  // flange below the base
  const auto t = AnsiHiAllowablesOf(turbine, missing);
  ASSERT_TRUE(t.has_value());
  EXPECT_FLOAT_EQ(t->single[0], 1229.0f);
  EXPECT_FLOAT_EQ(t->single[5], 3523 * 12.0f);
}

TEST(PumpFrame, HorizontalAndVerticalAxesAndTheirMessages) {
  Pump p = AnsiPump(0, 0, 0, 100.0f);
  p.standard = kPumpHorizontalApi610;
  PumpEvaluation e;
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), false, e);
  ASSERT_TRUE(e.frameError.empty());
  // Y vertical: X = (1, 0, 0), Y = Z x X with Z = global Y: (0, 0, -1).
  EXPECT_FLOAT_EQ(e.frame.y[2], -1.0f);
  EXPECT_FLOAT_EQ(e.nozzles[0].offset[0], -10.0f);
  EXPECT_FLOAT_EQ(e.nozzles[1].offset[2], 12.0f);
  // A sloped shaft gives no frame: Z x X would not be of unit length. Level
  // with Z vertical, the same axis is taken.
  p.shaftAxis = {0.1f, 1.0f, 0.0f};
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), false, e);
  EXPECT_EQ(e.frameError, "Pump P-1: the shaft axis of a horizontal pump must be level");
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), true, e);
  EXPECT_TRUE(e.frameError.empty());
  p.shaftAxis = {0, 0, 0};
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), false, e);
  EXPECT_EQ(e.frameError, "Invalid shaft axis for pump: P-1");
  p.standard = kPumpVerticalInlineApi610;
  p.vertical = 1;
  ResolvePumpNozzles(p, At(10, {5, 0, 5}, 4.0f), At(20, {5, 30, 5}, 4.0f), false, e);
  EXPECT_EQ(e.frameError, "Unable to find z axis for vertical inline pump: P-1");
  NozzleAttachment none;
  ResolvePumpNozzles(p, At(10, {5, 0, 5}, 4.0f), none, false, e);
  EXPECT_EQ(e.frameError, "Unable to find z axis for vertical inline pump: P-1");
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 4.0f), At(20, {0, 3, 24}, 4.0f), false, e);
  ASSERT_TRUE(e.frameError.empty());
  EXPECT_FLOAT_EQ(e.axis[2], 1.0f);  // level from suction to discharge
  EXPECT_FLOAT_EQ(e.axis[1], 0.0f);
  EXPECT_FLOAT_EQ(p.shaftAxis[0], 0.0f);  // the record is left as entered
}

TEST(Api610Loads, NozzleLoadsInThePumpFrameWithTheirAllowables) {
  Pump p = AnsiPump(0, 0, 0, 100.0f);
  p.standard = kPumpHorizontalApi610;
  p.suctionLocation = kNozzleEnd;
  PumpEvaluation e;
  ResolvePumpNozzles(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), false, e);
  // The anchor at the suction carries (500, -600, 300) lb and (0, 7200, 14400) in-lb.
  SetUpPumpEvaluation(p, 2, {500, -600, 300, 0, 7200, 14400}, {}, e);
  const PumpNozzleBlock& s = e.nozzles[0];
  EXPECT_FLOAT_EQ(s.force[2][0], 500.0f);
  EXPECT_FLOAT_EQ(s.force[2][1], -300.0f);
  EXPECT_FLOAT_EQ(s.force[2][2], -600.0f);
  EXPECT_NEAR(s.force[2][3], 836.66f, 0.01f);
  EXPECT_FLOAT_EQ(s.moment[2][1], -14400.0f);
  EXPECT_FLOAT_EQ(s.moment[2][2], 7200.0f);
  EXPECT_NEAR(s.moment[2][3], 16099.7f, 0.1f);
  EXPECT_FLOAT_EQ(s.allowedForce[2][2], 460.0f);
  EXPECT_FLOAT_EQ(s.force[0][0], 0.0f);  // other slots untouched
}

TEST(Api617Nema, TurbineAndCompressorResultantsAndLimitsByHand) {
  RotatingEquipment machine;
  machine.description = "T-1";
  machine.shaftAxis = {0, 0, 1};
  NozzleAttachment at[4];
  at[0] = At(20, {0, 12, -30}, 6.0f);  // inlet
  at[1] = At(10, {0, 0, 0}, 8.0f);     // exhaust
  // The inlet anchor carries (-150, -200, 100) lb with the moment of the
  // force at the top of a 24 in riser: (2400, 0, 3600) in-lb.
  const Load6 loads[4] = {{-150, -200, 100, 2400, 0, 3600}, {}, {}, {}};
  MachineEvaluation e;
  ResolveRotatingEquipmentNozzles(machine, kTurbineKind, at, false, e);
  EXPECT_NEAR(e.dc, 28.0 / 3.0, 1e-9);
  ComputeNozzleResultantLoads(kTurbineKind, 0, loads, e);
  const Load6& inlet = e.nozzles[0].local[0];
  const float local[6] = {100, -200, 150, 3600, 0, -2400};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(inlet[static_cast<std::size_t>(i)], local[i], 1e-3) << i;
  const NozzleCriterion c = NozzleCriterionOf(kTurbineKind, 6.0f, inlet);
  EXPECT_NEAR(c.value, 1168.3, 0.1);
  EXPECT_NEAR(c.allowable, 3000.0, 1e-9);
  EXPECT_NEAR(c.ratio, 0.389, 0.0005);
  const Load6& sum = e.combined[0];
  const float combined[6] = {100, -200, 150, 5400, 4500, 2400};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(sum[static_cast<std::size_t>(i)], combined[i], 1e-2) << i;
  const double ratios[6] = {0.214, 0.171, 0.161, 0.193, 0.321, 0.171};
  for (int i = 0; i < 6; ++i)
    EXPECT_NEAR(std::fabs(sum[static_cast<std::size_t>(i)]) / e.limits[static_cast<std::size_t>(i)], ratios[i], 0.0005) << i;
  EXPECT_NEAR(e.limits[6], 2333.3, 0.05);
  // As a compressor: 1.85 times every limit; the exhaust (the larger) is the reference.
  MachineEvaluation k;
  ResolveRotatingEquipmentNozzles(machine, kCompressorKind, at, false, k);
  ComputeNozzleResultantLoads(kCompressorKind, 0, loads, k);
  EXPECT_EQ(FindLargestConnection(k), 1);
  EXPECT_NEAR(NozzleCriterionOf(kCompressorKind, 6.0f, k.nozzles[0].local[0]).allowable, 5550.0, 1e-6);
  EXPECT_NEAR(k.limits[6], 4316.7, 0.05);
  EXPECT_NEAR(k.combined[0][3], 5400.0, 1e-2);
}

TEST(Api617Nema, EdgeCasesOfTheReferenceAndTheShaft) {
  RotatingEquipment machine;
  machine.description = "C-2";
  machine.shaftAxis = {1, 0, 0};
  NozzleAttachment at[4];
  at[0] = At(20, {0, 0, 0}, 6.0f);
  at[1] = At(30, {24, 0, 0}, 6.0f);
  MachineEvaluation e;
  ResolveRotatingEquipmentNozzles(machine, kCompressorKind, at, false, e);
  EXPECT_EQ(FindLargestConnection(e), 1);  // equal sizes: the exhaust
  // A turbine without an exhaust sums nothing.
  NozzleAttachment only[4];
  only[0] = at[0];
  const Load6 loads[4] = {{10, 20, 30, 0, 0, 0}, {}, {}, {}};
  ResolveRotatingEquipmentNozzles(machine, kTurbineKind, only, false, e);
  ComputeNozzleResultantLoads(kTurbineKind, 0, loads, e);
  EXPECT_FLOAT_EQ(e.nozzles[0].local[0][0], 10.0f);
  EXPECT_FLOAT_EQ(e.combined[0][0], 0.0f);
  // A nozzle not anchored takes no part in the sums.
  at[1].anchored = false;
  ResolveRotatingEquipmentNozzles(machine, kTurbineKind, at, false, e);
  const Load6 both[4] = {{10, 0, 0, 0, 0, 0}, {99, 0, 0, 0, 0, 0}, {}, {}};
  ComputeNozzleResultantLoads(kTurbineKind, 1, both, e);
  EXPECT_FLOAT_EQ(e.combined[1][0], 10.0f);
  machine.shaftAxis = {0.0005f, 0, 0};
  ResolveRotatingEquipmentNozzles(machine, kTurbineKind, at, false, e);
  EXPECT_EQ(e.frameError, "Invalid shaft axis for turbine: C-2");
}
