// Allowable stresses against hand calculations: the table values between,
// at and beyond the rows (never extrapolated), the creep value and the
// message that names the row lacking it, the B31.8 and Canadian
// temperature factors, SH and SA by code with the liberal allowable, the
// operating and occasional allowables, the stress range reduction factor f
// at the edges of its steps, and the effective settings, which never change
// the model's options.
#include "codes/CodeTesting.h"

#include "codes/Allowables.h"
#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "records/Soil.h"

namespace {

class AllowablesTest : public CodeModelFixture {
 protected:
  const Material& Steel() const { return model.materials[1]; }
  // The pipe 10 - 20 of the elbow line (T1 400 F, T2 250 F).
  const AnalysisElement& Pipe() {
    if (elements.count == 0) {
      BuildElbow();
      Make();
    }
    return elements[ElementBetween(10, 20)];
  }
  CodeModel Codes(int code) {
    model.options.PipingCode = code;
    return CodeModel(model, elements);
  }
};

TEST_F(AllowablesTest, TableValuesAreInterpolatedAndNeverExtrapolated) {
  // S: 20000 at 70 F, 16500 at 700 F; 400 F lies 330/630 of the way.
  EXPECT_NEAR(AllowableAtTemperature(Steel(), 400.0), 20000.0 - 330.0 / 630.0 * 3500.0, 1e-6);
  EXPECT_DOUBLE_EQ(AllowableAtTemperature(Steel(), -20.0), 20000.0);
  EXPECT_DOUBLE_EQ(AllowableAtTemperature(Steel(), 1000.0), 16500.0);
  EXPECT_DOUBLE_EQ(YieldAtTemperature(Steel(), 700.0), 28000.0);
  Material one = Steel();
  one.numtemps = 1;
  EXPECT_DOUBLE_EQ(YieldAtTemperature(one, 900.0), 35000.0);
  // B31.8: 1.0 up to 250 F, 0.9835 at 275 F, 0.867 from 450 F. Canadian
  // codes by degrees C: 1.0 at 248 F (120 C), 0.93 at 356 F (180 C).
  EXPECT_DOUBLE_EQ(B318TemperatureFactor(250.0), 1.0);
  EXPECT_NEAR(B318TemperatureFactor(275.0), 0.9835, 1e-9);
  EXPECT_DOUBLE_EQ(B318TemperatureFactor(600.0), 0.867);
  EXPECT_NEAR(CsaTemperatureFactor(248.0), 1.0, 1e-9);
  EXPECT_NEAR(CsaTemperatureFactor(356.0), 0.93, 1e-9);
}

TEST_F(AllowablesTest, CreepValuesNeedEveryRowTheyAreTakenFrom) {
  Material creep = Steel();
  creep.name = "CR";
  creep.numtemps = 3;
  creep.temps.resize(4);
  creep.temps[2].values[kMatRupture] = 12000.0f;
  creep.temps[3].values = {900.0f, 24.0e6f, 7.8e-6f, 12000.0f, 25000.0f, 8000.0f, 0.0f, 0.0f};
  EXPECT_DOUBLE_EQ(CreepTemperature(creep), 700.0);
  EXPECT_DOUBLE_EQ(CreepAllowableAtTemperature(creep, 650.0), 0.0);  // below the creep range
  EXPECT_DOUBLE_EQ(CreepAllowableAtTemperature(creep, 700.0), 12000.0);
  EXPECT_DOUBLE_EQ(CreepAllowableAtTemperature(creep, 800.0), 10000.0);
  EXPECT_DOUBLE_EQ(CreepAllowableAtTemperature(creep, 950.0), 8000.0);  // the last row, not beyond
  // A row without its creep value is named, above the table too.
  creep.temps[3].values[kMatRupture] = 0.0f;
  for (double t : {800.0, 950.0}) {
    try {
      CreepAllowableAtTemperature(creep, t);
      ADD_FAILURE() << t;
    } catch (const std::string& message) {
      EXPECT_EQ(message, "For material CR at temperature 900 (F)\nCreep stress (fCR) is required") << t;
    }
  }
}

TEST_F(AllowablesTest, HotAndOccasionalAllowablesByCode) {
  const AnalysisElement& pipe = Pipe();
  const double s400 = 20000.0 - 330.0 / 630.0 * 3500.0;  // 18166.67 at the highest temperature
  const double sy400 = 35000.0 - 330.0 / 630.0 * 7000.0;  // 31333.33
  EXPECT_NEAR(HotAllowable(Codes(3), pipe), s400, 1e-3);
  EXPECT_NEAR(HotAllowable(Codes(6), pipe), 0.9 * sy400, 1e-3);  // B31.8 factor 0.9 at 400 F
  EXPECT_NEAR(HotAllowable(Codes(4), pipe), 0.54 * sy400, 1e-3);
  // Stoomwezen: the smallest of 0.67 SY and 0.44 Rm that are given.
  EXPECT_NEAR(HotAllowable(Codes(17), pipe), 0.67 * sy400, 1e-3);
  model.materials[1].temps[1].values[kMatYield] = model.materials[1].temps[2].values[kMatYield] = 0.0f;
  EXPECT_NEAR(HotAllowable(Codes(17), pipe), 0.44 * 60000.0, 1e-3);
  model.materials[1].strength = 0.0f;
  EXPECT_DOUBLE_EQ(HotAllowable(Codes(17), pipe), 1.0);
  // Occasional: B31.3 1.33 S at the highest temperature; B31.1 1.2 SH;
  // ASME Class 2 level B 1.8 SH while 1.5 SY is not smaller (no yield given:
  // SY counts 1.0), else 1.5 SY.
  EXPECT_NEAR(OccasionalAllowable(Codes(3), pipe), 1.33 * s400, 1e-3);
  EXPECT_NEAR(OccasionalAllowable(Codes(1), pipe), 1.2 * s400, 1e-3);
  EXPECT_NEAR(OccasionalAllowable(Codes(9), pipe), 1.8 * s400, 1e-3);
  model.materials[1].temps[1].values[kMatYield] = model.materials[1].temps[2].values[kMatYield] = 10000.0f;
  EXPECT_NEAR(OccasionalAllowable(Codes(9), pipe), 15000.0, 1e-3);
  model.options.ServiceLevel = 1;
  EXPECT_NEAR(OccasionalAllowable(Codes(10), pipe), 18000.0, 1e-3);  // 1.8 SY under 2.25 SH
  model.options.OccasionalLoadFactor = 1.5f;
  EXPECT_NEAR(OccasionalAllowable(Codes(21), pipe), 1.5 * s400, 1e-3);
}

TEST_F(AllowablesTest, ExpansionAndOperatingAllowables) {
  const AnalysisElement& pipe = Pipe();
  CodeStressRecord record;
  record.element = ElementBetween(10, 20);
  record.SL = {5000.0f, 20000.0f};
  const double s400 = 20000.0 - 330.0 / 630.0 * 3500.0;
  // SA = f (1.25 Sc + 0.25 Sh) = 25000 + 4541.67 with f = 1.
  const double sa = 1.25 * 20000.0 + 0.25 * s400;
  EndPair a = ExpansionAllowables(Codes(3), record, 400.0, 70.0, 1.0, true);
  EXPECT_NEAR(a.end1, sa, 1e-3);
  EXPECT_NEAR(a.end2, sa, 1e-3);
  // The liberal allowable adds f (SH - SL) where SL is below SH (end 1 only).
  model.options.LiberalAllowable = 1;
  a = ExpansionAllowables(Codes(3), record, 400.0, 70.0, 0.9, true);
  EXPECT_NEAR(a.end1, 0.9 * sa + 0.9 * (s400 - 5000.0), 1e-3);
  EXPECT_NEAR(a.end2, 0.9 * sa, 1e-3);
  // Without the sustained case, or under EN 13480, there is nothing to add;
  // EN 13480 scales by E(hot) / E(cold) = 27.40476e6 / 29.5e6.
  EXPECT_NEAR(ExpansionAllowables(Codes(3), record, 400.0, 70.0, 1.0, false).end1, sa, 1e-3);
  EXPECT_NEAR(ExpansionAllowables(Codes(21), record, 400.0, 70.0, 1.0, true).end1, sa * 0.9289750, 0.05);
  // Operating: f (1.25 Sc + 0.25 Sh) + Sh with f = 6 N^-0.2 cut to 1.0;
  // B31.5 0.35 Sh.
  EXPECT_NEAR(OperatingAllowables(Codes(1), pipe, 400.0, 70.0).end1, sa + s400, 1e-3);
  model.options.ThermalCycles = 14000;  // f = 0.889049
  EXPECT_NEAR(OperatingAllowables(Codes(1), pipe, 400.0, 70.0).end2, 0.889049 * sa + s400, 0.05);
  EXPECT_NEAR(OperatingAllowables(Codes(5), pipe, 400.0, 70.0).end1, 0.35 * s400, 1e-3);
}

TEST_F(AllowablesTest, RangeFactorAtTheEdgesOfItsSteps) {
  // 6.0 N^-0.2: 1.02125 at 7000 cut to 1.0; 0.889049 at 14000; 0.095094 at
  // 1e9, held at 0.15 by B31.1, B31.3 and B31.9 but not by B31.8.
  EXPECT_DOUBLE_EQ(ExpansionRangeFactor(1, 7000), 1.0);
  EXPECT_NEAR(ExpansionRangeFactor(3, 14000), 0.889049, 1e-6);
  EXPECT_DOUBLE_EQ(ExpansionRangeFactor(3, 1000000000), 0.15);
  EXPECT_NEAR(ExpansionRangeFactor(6, 1000000000), 0.095094, 1e-6);
  // The steps of the other codes, each at its last N and the next.
  const std::pair<int, double> steps[] = {{7000, 1.0},   {7001, 0.9},   {14000, 0.9},  {14001, 0.8},
                                          {22001, 0.7},  {45001, 0.6},  {100000, 0.6}, {100001, 0.5},
                                          {200001, 0.4}, {700000, 0.4}, {700001, 0.3}};
  for (const auto& [n, f] : steps) EXPECT_DOUBLE_EQ(ExpansionRangeFactor(10, n), f) << n;
  // Norwegian 1990: (7000 / N)^0.2 with N at least 100 and no upper bound.
  EXPECT_NEAR(ExpansionRangeFactor(14, 50), 2.338943, 1e-6);
  EXPECT_NEAR(ExpansionRangeFactor(14, 100), 2.338943, 1e-6);
  // The effective settings leave the model's options as they are.
  model.options.PipingCode = 14;
  model.options.ThermalCycles = 50;
  model.options.LiberalAllowable = 1;
  const CodeSettings s = EffectiveCodeSettings(model.options);
  EXPECT_EQ(s.thermalCycles, 100);
  EXPECT_FALSE(s.liberalAllowable);  // a code without the liberal allowable
  EXPECT_EQ(model.options.ThermalCycles, 50);
  EXPECT_EQ(model.options.LiberalAllowable, 1);
}

TEST_F(AllowablesTest, AnElementIsBuriedWhenItsSoilCoversBothEnds) {
  BuildElbow();
  Soil soil;
  soil.name = "SA";
  soil.groundLevel = 10.0f;
  AppendSoil(model.soils, soil);
  model.sections[1].soil = "SA";
  Make();
  const CodeModel cm(model, elements);
  EXPECT_TRUE(ElementIsBuried(cm, elements[ElementBetween(10, 20)]));
  EXPECT_FALSE(ElementIsBuried(cm, elements[ElementBetween(30 + kArcFarOffset, 40)]));  // 40 rises to 100"
  model.soils[1].groundLevel = -1.0f;
  EXPECT_FALSE(ElementIsBuried(CodeModel(model, elements), elements[ElementBetween(10, 20)]));
}

}  // namespace
