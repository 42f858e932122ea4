// Units: labels and factors of every unit of every kind, the per-kind
// parsers and formatters in English, SI and metric units, and the special
// values (not given, explicit zero, absent, rigid). Factors and expected
// texts are typed from the unit table and worked out by hand.
#include "services/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/CommaLocale.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"

namespace {

// Restores the program's units after each test.
class UnitsTest : public testing::Test {
 protected:
  void SetUp() override { kept_ = g_UnitsSettings; }
  void TearDown() override { g_UnitsSettings = kept_; }

  static void Choose(int kind, int unit) { g_UnitsSettings.unit[kind] = unit; }

 private:
  UnitsSettings kept_;
};

struct UnitRow {
  int kind;
  std::vector<std::pair<const char*, double>> units;  // label, factor
};

constexpr double kDeg = 0.017453292519943295;

// The unit table, typed independently of the program's own.
const std::vector<UnitRow> kUnitTable = {
    {kUnitLength, {{"(ft'in\")", 1}, {"(feet)", 0.083333336}, {"(inch)", 1}, {"(m)", 0.0254}, {"(mm)", 25.4}}},
    {kUnitDimension, {{"(inch)", 1}, {"(mm)", 25.4}}},
    {kUnitDisplacement, {{"(inch)", 1}, {"(mm)", 25.4}}},
    {kUnitAngle, {{"(deg)", 57.29578}, {"(rad)", 1}}},
    {kUnitForce, {{"(lb)", 1}, {"(N)", 4.44822}, {"(kg)", 0.45359236}}},
    {kUnitMoment, {{"(ft-lb)", 0.083333336}, {"(in-lb)", 1}, {"(Nm)", 0.112985}, {"(kg-m)", 0.011521246}}},
    {kUnitAdditionalWeight, {{"(lb/ft)", 12}, {"(kg/m)", 17.858}, {"(N/m)", 175.1268}, {"(kg/cm)", 0.17858}}},
    {kUnitWeight, {{"(lb)", 1}, {"(kg)", 0.4535924}}},
    {kUnitDensity, {{"(lb/in3)", 1}, {"(lb/ft3)", 1728}, {"(kg/m3)", 27679.9}, {"(g/cm3)", 27.6799}}},
    {kUnitInsulationDensity, {{"(lb/ft3)", 1728}, {"(kg/m3)", 27679.9}}},
    {kUnitTemperature, {{"(F)", 1}, {"(C)", 0.5555556}}},
    {kUnitThermalExpansion, {{"(in/in/F)", 1}, {"(mm/mm/C)", 1.8}}},
    {kUnitPressure,
     {{"(psi)", 1}, {"(bar)", 0.0689476}, {"(kPa)", 6.89476}, {"(MPa)", 0.00689476}, {"(atm)", 0.068046},
      {"(kg/cm2)", 0.070307}}},
    {kUnitStress,
     {{"(psi)", 1}, {"(MPa)", 0.00689476}, {"(N/mm2)", 0.00689476}, {"(kg/mm2)", 0.00070307},
      {"(kg/cm2)", 0.070307}}},
    {kUnitModulus,
     {{"(psi)", 1}, {"(MPa)", 0.00689476}, {"(kN/mm2)", 6.89476e-06}, {"(kg/mm2)", 0.00070307},
      {"(kg/cm2)", 0.070307}}},
    {kUnitStiffness, {{"(lb/inch)", 1}, {"(N/mm)", 0.1751268}, {"(kg/mm)", 0.017857967}, {"(kg/cm)", 0.17857967}}},
    {kUnitRotStiffness,
     {{"(in-lb/deg)", kDeg}, {"(in-lb/rad)", 1}, {"(Nm/deg)", kDeg * 0.112985}, {"(Nm/rad)", 0.112985},
      {"(kg-m/deg)", kDeg * 0.011521246}, {"(kg-m/rad)", 0.011521246}, {"(kg-cm/deg)", kDeg * 1.1521246},
      {"(kg-cm/rad)", 1.1521246}}},
    {kUnitArea, {{"(in2)", 1}, {"(mm2)", 645.16}}},
    {kUnitMomentOfInertia, {{"(in4)", 1}, {"(mm4)", 416231.44}}},
    {kUnitVelocity, {{"(mph)", 1}, {"(kmh)", 1.609344}, {"(m/s)", 0.44704}}},
};

using Parser = int (*)(std::string_view, float&);
using Formatter = const char* (*)(float);

// One parser and one formatter per kind for the round trip.
struct KindCodec {
  int kind;
  Parser parse;
  Formatter format;
};

const KindCodec kCodecs[] = {
    {kUnitLength, ParseLength, FormatLength},
    {kUnitDimension, ParseDimension, FormatDimension},
    {kUnitDisplacement, ParseDisplacement, FormatDisplacementOrNone},
    {kUnitAngle, ParseAngle, FormatAngle},
    {kUnitForce, ParseForce, FormatForce},
    {kUnitMoment, ParseMoment, FormatMoment},
    {kUnitAdditionalWeight, ParseAdditionalWeight, FormatAdditionalWeight},
    {kUnitWeight, ParseWeight, FormatWeight},
    {kUnitDensity, ParseDensity, FormatDensity},
    {kUnitInsulationDensity, ParseInsulationDensity, FormatInsulationDensity},
    {kUnitTemperature, ParseTemperature, FormatTemperature},
    {kUnitThermalExpansion, ParseThermalExpansion, FormatThermalExpansion},
    {kUnitPressure, ParsePressure, FormatPressure},
    {kUnitStress, ParseStress, FormatStress},
    {kUnitModulus, ParseModulus, FormatModulus},
    {kUnitStiffness, ParseStiffness, FormatStiffnessOrRigid},
    {kUnitRotStiffness, ParseRotStiffness, FormatRotStiffnessOrRigid},
    {kUnitArea, ParseArea, FormatArea},
    {kUnitMomentOfInertia, ParseMomentOfInertia, FormatMomentOfInertia},
    {kUnitVelocity, ParseVelocity, FormatVelocity},
};

TEST_F(UnitsTest, EveryKindHasItsUnitsLabelsAndFactors) {
  ASSERT_EQ(kUnitTable.size(), static_cast<std::size_t>(kUnitKindCount));
  for (const UnitRow& row : kUnitTable) {
    ASSERT_EQ(UnitCount(row.kind), static_cast<int>(row.units.size())) << row.kind;
    for (int index = 0; index < UnitCount(row.kind); ++index) {
      EXPECT_STREQ(UnitLabelAt(row.kind, index), row.units[index].first);
      EXPECT_FLOAT_EQ(UnitFactorAt(row.kind, index), static_cast<float>(row.units[index].second))
          << UnitLabelAt(row.kind, index);
      Choose(row.kind, index);
      EXPECT_STREQ(UnitLabel(row.kind), row.units[index].first);
      EXPECT_STREQ(UnitLabel(row.kind | 0xC0000000), row.units[index].first);  // top bits ignored
    }
  }
}

// Typing 250 in every unit of every kind stores 250 / factor (Celsius:
// 250 x 1.8 + 32), shows 250 again, and that text reads back to the same
// internal value within float precision.
TEST_F(UnitsTest, EveryUnitOfEveryKindRoundTrips) {
  for (const KindCodec& codec : kCodecs) {
    const UnitRow& row = kUnitTable[static_cast<std::size_t>(codec.kind - 1)];
    for (int index = 0; index < UnitCount(codec.kind); ++index) {
      Choose(codec.kind, index);
      const std::string label = row.units[index].first;
      float internal = 0.0f;
      ASSERT_EQ(codec.parse("250", internal), 0) << label;
      const bool celsius = codec.kind == kUnitTemperature && index == 1;
      const bool feetInches = codec.kind == kUnitLength && index == 0;
      const double expected = celsius ? 250 * 1.8 + 32 : feetInches ? 250 * 12.0 : 250 / row.units[index].second;
      EXPECT_NEAR(internal, expected, std::fabs(expected) * 2e-6) << label;
      const std::string shown = codec.format(internal);
      float back = 0.0f;
      ASSERT_EQ(codec.parse(shown, back), 0) << label << " shows " << shown;
      EXPECT_NEAR(back, internal, std::fabs(internal) * 2e-5) << label << " shows " << shown;
      if (!feetInches) {
        EXPECT_NEAR(CStrtod(shown.c_str(), nullptr), 250.0, 250 * 1e-4) << label << " " << shown;
      }
    }
  }
}

TEST_F(UnitsTest, EnglishSiAndMetricLabels) {
  UnitsSettings si;
  const int siUnits[] = {0, 3, 1, 1, 0, 1, 2, 2, 1, 2, 1, 1, 1, 2, 1, 1, 1, 3, 1, 1, 2};
  const int metricUnits[] = {0, 4, 1, 1, 0, 2, 3, 1, 1, 2, 1, 1, 1, 5, 4, 3, 2, 4, 1, 1, 1};
  const char* siLabels[] = {"", "(m)", "(mm)", "(mm)", "(deg)", "(N)", "(Nm)", "(N/m)", "(kg)",
                            "(kg/m3)", "(kg/m3)", "(C)", "(mm/mm/C)", "(kPa)", "(MPa)", "(MPa)",
                            "(N/mm)", "(Nm/rad)", "(mm2)", "(mm4)", "(m/s)"};
  const char* metricLabels[] = {"", "(mm)", "(mm)", "(mm)", "(deg)", "(kg)", "(kg-m)", "(kg/m)",
                                "(kg)", "(kg/m3)", "(kg/m3)", "(C)", "(mm/mm/C)", "(kg/cm2)",
                                "(kg/cm2)", "(kg/mm2)", "(kg/mm)", "(kg-m/deg)", "(mm2)", "(mm4)",
                                "(kmh)"};
  const char* englishLabels[] = {"", "(ft'in\")", "(inch)", "(inch)", "(deg)", "(lb)", "(ft-lb)",
                                 "(lb/ft)", "(lb)", "(lb/in3)", "(lb/ft3)", "(F)", "(in/in/F)",
                                 "(psi)", "(psi)", "(psi)", "(lb/inch)", "(in-lb/deg)", "(in2)",
                                 "(in4)", "(mph)"};
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    g_UnitsSettings = UnitsSettings{};
    EXPECT_STREQ(UnitLabel(kind), englishLabels[kind]);
    g_UnitsSettings.unit[kind] = siUnits[kind];
    EXPECT_STREQ(UnitLabel(kind), siLabels[kind]);
    g_UnitsSettings.unit[kind] = metricUnits[kind];
    EXPECT_STREQ(UnitLabel(kind), metricLabels[kind]);
  }
  for (int kind = 1; kind <= kUnitKindCount; ++kind) si.unit[kind] = siUnits[kind];
  EXPECT_TRUE(UnitsSettingsValid(si));
  EXPECT_STREQ(ValueWithUnitLabel("X", kUnitLength), "X (ft'in\")");
}

TEST_F(UnitsTest, AStoredUnitOutOfRangeFallsBackToEnglish) {
  UnitsSettings damaged;
  damaged.unit[kUnitPressure] = 6;
  EXPECT_FALSE(UnitsSettingsValid(damaged));
  damaged.unit[kUnitPressure] = -1;
  EXPECT_FALSE(UnitsSettingsValid(damaged));
  g_UnitsSettings = damaged;
  EXPECT_STREQ(UnitLabel(kUnitPressure), "(psi)");
  EXPECT_STREQ(FormatPressure(150.0f), "150");
}

// The formats of each kind at hand-worked values, English units unless set.
void ExpectKindFormats() {
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatLength(66.5f), "5'6-1/2\"");
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  EXPECT_STREQ(FormatLength(66.5f), "66.5000");
  EXPECT_STREQ(FormatDimension(8.625f), "8.6250");
  EXPECT_STREQ(FormatDisplacementOrNone(0.00005f), "0.0000");
  EXPECT_STREQ(FormatDisplacementOrNone(1.5f), "1.5000");
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  EXPECT_STREQ(FormatLength(100.0f), "2540");
  EXPECT_STREQ(FormatDimension(8.625f), "8.625");
  g_UnitsSettings.unit[kUnitDisplacement] = 1;
  EXPECT_STREQ(FormatDisplacementOrNone(1.0f), "25.400");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatDisplacement(0.123456f), "0.12346");
  EXPECT_STREQ(FormatDisplacementOrNone(1.0e30f), "None");
  EXPECT_STREQ(FormatAngleOrNone(-1.0e30f), "None");
  EXPECT_STREQ(FormatAngleFixedOrNone(-1.0e30f), "None");
  EXPECT_STREQ(FormatAngleFixedOrNone(-1.5724e-6f), "-0.0001");
  EXPECT_STREQ(FormatAngle(1.5707964f), "90.0000");
  EXPECT_STREQ(FormatAngle(1.0e-8f), "0.0000");
  g_UnitsSettings.unit[kUnitAngle] = 1;
  EXPECT_STREQ(FormatAngle(1.5707964f), "1.57080");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatForce(1234.4f), "1234");
  EXPECT_STREQ(FormatForceTrim(12.5f), "12.50");
  EXPECT_STREQ(FormatForceTrim(12.0f), "12");
  EXPECT_STREQ(FormatForceTrim(0.0f), "0");
  EXPECT_STREQ(FormatMoment(1200.0f), "100");
  EXPECT_STREQ(FormatMomentTrim(0.0f), "0");
  EXPECT_STREQ(FormatAdditionalWeight(0.0f), "");
  EXPECT_STREQ(FormatAdditionalWeight(1.0f), "12");
  EXPECT_STREQ(FormatWeight(0.0f), "0");
  EXPECT_STREQ(FormatDensity(0.283f), "0.283");
  g_UnitsSettings.unit[kUnitDensity] = 1;
  EXPECT_STREQ(FormatDensity(0.283f), "489");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatTemperature(70.0f), "70");
  g_UnitsSettings.unit[kUnitTemperature] = kTemperatureCelsius;
  EXPECT_STREQ(FormatTemperature(212.0f), "100");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatThermalExpansion(6.5e-6f), "6.50E-6");
  EXPECT_STREQ(FormatThermalExpansion(1.5e-4f), "0.00015");
  EXPECT_STREQ(FormatPressure(150.0f), "150");
  EXPECT_STREQ(FormatPressure(1.5f), "1.50");
  EXPECT_STREQ(FormatPressure(0.05f), "0.050");
  EXPECT_STREQ(FormatStress(20000.0f), "20000");
  EXPECT_STREQ(FormatStress(2.5e6f), "2.5E+6");
  EXPECT_STREQ(FormatStress(2.0e8f), "2.00E+8");
  g_UnitsSettings.unit[kUnitStress] = 1;  // MPa
  EXPECT_STREQ(FormatStress(1000.0f), "6.895");
  EXPECT_STREQ(FormatStress(20000.0f), "137.9");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatModulus(29.0e6f), "29.0E+6");
  EXPECT_STREQ(FormatModulus(500000.0f), "0.50E+6");
  EXPECT_STREQ(FormatModulus(5000.0f), "5000");
  EXPECT_STREQ(FormatModulus(500.0f), "500");
  EXPECT_STREQ(FormatModulus(2.0e9f), "2.00E+9");
  g_UnitsSettings.unit[kUnitModulus] = 1;  // MPa
  EXPECT_STREQ(FormatModulus(29.0e6f), "199948");
  EXPECT_STREQ(FormatModulus(2.0e8f), "1.379E+6");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatStiffnessOrRigid(5000.0f), "5000");
  EXPECT_STREQ(FormatStiffnessOrRigid(1.0e6f), "1.000E+6");
  EXPECT_STREQ(FormatStiffnessOrRigid(2.0e9f), "2.00E+9");
  EXPECT_STREQ(FormatStiffnessOrRigidNarrow(1.0e6f), "1.00E+6");
  EXPECT_STREQ(FormatStiffnessCompact(5.0e6f), "5.000E+6");
  EXPECT_STREQ(FormatStiffnessCompact(20000.0f), "20000");
  EXPECT_STREQ(FormatStiffnessCompact(500.0f), "500.0");
  EXPECT_STREQ(FormatForceCompact(2.0e7f), "2.00E+7");
  EXPECT_STREQ(FormatForceCompact(50000.0f), "50000");
  EXPECT_STREQ(FormatRotStiffnessOrRigid(1000.0f), "17.45");
  g_UnitsSettings.unit[kUnitRotStiffness] = 1;  // in-lb/rad
  EXPECT_STREQ(FormatRotStiffnessOrRigid(1000.0f), "1000");
  EXPECT_STREQ(FormatRotStiffnessOrRigid(1000.5f), "1000.50");
  g_UnitsSettings = UnitsSettings{};
  EXPECT_STREQ(FormatArea(0.0f), "");
  EXPECT_STREQ(FormatMomentOfInertia(0.0f), "");
  EXPECT_STREQ(FormatArea(12.5f), "12.5");
  EXPECT_STREQ(FormatVelocity(60.0f), "60");
}

TEST_F(UnitsTest, KindFormats) { ExpectKindFormats(); }

TEST_F(UnitsTest, KindFormatsUnderACommaLocale) {
  CommaLocale comma;
  REQUIRE_COMMA_LOCALE(comma);
  ExpectKindFormats();
}

TEST_F(UnitsTest, MomentDecimalsFollowTheSwitch) {
  const NumberTextSwitches kept = g_NumberTextSwitches;
  g_NumberTextSwitches.momentDecimals = true;
  EXPECT_STREQ(FormatMoment(1200.0f), "100.00");
  g_NumberTextSwitches = kept;
}

TEST_F(UnitsTest, RigidStiffness) {
  for (const char* text : {"r", "R", "rig", "RIGID", "Rigid", " ri gid "}) {
    float value = 0.0f;
    EXPECT_EQ(ParseStiffness(text, value), 0) << text;
    EXPECT_EQ(value, kRigidStiffness) << text;
    EXPECT_EQ(ParseSignedRotStiffness(text, value), 0) << text;
    EXPECT_EQ(value, kRigidStiffness) << text;
  }
  float value = 0.0f;
  EXPECT_EQ(ParseStiffness("rigidx", value), 1);
  EXPECT_EQ(ParseStiffness("rx", value), 1);
  EXPECT_STREQ(FormatStiffnessOrRigid(kRigidStiffness), "Rigid");
  EXPECT_STREQ(FormatRotStiffnessOrRigidNarrow(kRigidStiffness), "Rigid");
  EXPECT_STREQ(FormatStiffnessOrRigid(0.0f), "0");
  EXPECT_EQ(ParseStiffness("-5", value), 1);
  EXPECT_EQ(ParseSignedStiffness("-5", value), 0);
  EXPECT_EQ(value, -5.0f);
  EXPECT_EQ(ParseRotStiffness("-5", value), 1);
  EXPECT_EQ(ParseStiffness("", value), 0);
  EXPECT_EQ(value, 0.0f);
}

TEST_F(UnitsTest, NotGivenAndExplicitZero) {
  float value = -1.0f;
  // Pressure: typed zero, blanks and empty differ.
  EXPECT_EQ(ParsePressure("0", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_STREQ(FormatPressure(value), "0");
  EXPECT_EQ(ParsePressure("   ", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_EQ(ParsePressure("", value), 0);
  EXPECT_TRUE(IsNotGiven(value));
  EXPECT_STREQ(FormatPressure(value), "");
  EXPECT_EQ(ParsePressure("-15", value), 0);
  EXPECT_EQ(value, -15.0f);
  // Density, insulation density, temperature and thermal expansion alike.
  EXPECT_EQ(ParseDensity("0", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_STREQ(FormatDensity(value), "0.0");
  EXPECT_EQ(ParseDensity("-1", value), 1);
  EXPECT_EQ(ParseInsulationDensity(" ", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_STREQ(FormatInsulationDensity(value), "0");
  EXPECT_EQ(ParseTemperature("0", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_STREQ(FormatTemperature(value), "0");
  EXPECT_EQ(ParseThermalExpansion("0", value), 0);
  EXPECT_TRUE(IsExplicitZero(value));
  EXPECT_STREQ(FormatThermalExpansion(value), "0");
  // Temperature 0 in Celsius is 32 F and shows 0 again.
  g_UnitsSettings.unit[kUnitTemperature] = kTemperatureCelsius;
  EXPECT_EQ(ParseTemperature("0", value), 0);
  EXPECT_EQ(value, 32.0f);
  EXPECT_STREQ(FormatTemperature(value), "0");
  EXPECT_EQ(ParseTemperature("", value), 0);
  EXPECT_EQ(value, 0.0f);
  // Modulus refuses a typed zero; force stores it as not given.
  EXPECT_EQ(ParseModulus("0", value), 1);
  EXPECT_EQ(ParseModulus("", value), 0);
  EXPECT_EQ(value, 0.0f);
  EXPECT_EQ(ParseModulus("-29E6", value), 1);
  EXPECT_EQ(ParseForce("0", value), 0);
  EXPECT_EQ(value, 0.0f);
  EXPECT_EQ(ParseForce("", value), 0);
  EXPECT_EQ(value, 0.0f);
}

TEST_F(UnitsTest, SignRulesOfTheKinds) {
  float value = 0.0f;
  for (Parser parse : {ParseAdditionalWeight, ParseWeight, ParseStress, ParseArea, ParseMomentOfInertia,
                       ParseVelocity, ParseNonNegativeDimension})
    EXPECT_EQ(parse("-1", value), 1);
  for (Parser parse : {ParseDimension, ParseDisplacement, ParseAngle, ParseForce, ParseMoment, ParseLength})
    EXPECT_EQ(parse("-1", value), 0);
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  EXPECT_EQ(ParseLength("-1", value), 0);
  EXPECT_EQ(value, -1.0f);
}

TEST_F(UnitsTest, AValueTooLargeForItsUnitIsRefused) {
  float value = 0.0f;
  g_UnitsSettings.unit[kUnitModulus] = 2;  // kN/mm2: 1E37 kN/mm2 is beyond a float in psi
  EXPECT_EQ(ParseModulus("1E37", value), 1);
  EXPECT_EQ(ParseModulus("29", value), 0);
  EXPECT_NEAR(value, 29.0 / 6.89476e-06, 29.0 / 6.89476e-06 * 1e-6);
}

// The limit of a number (zero, or 1E-37 up to 1E38) is the stored value's,
// in internal units, whatever unit the text was typed in: the same stored
// value is refused in every unit set, and a text that is no zero is never
// stored as one (1E-46, a float's 0). Each stored value is worked out from
// the unit table by hand and judged by that rule.
TEST_F(UnitsTest, TheLimitIsAskedOfTheStoredValueInEveryUnit) {
  const struct {
    int kind, unit;
    double factor;  // the unit table's, typed here
    int (*parse)(std::string_view, float&);
    std::vector<const char*> texts;
  } cases[] = {
      {kUnitLength, kLengthFeet, 1.0 / 12.0, ParseLength, {"1E37", "8E36", "9.9E37", "1E-37", "8E-39", "1E-46"}},
      {kUnitLength, kLengthFeetInches, 1.0 / 12.0, ParseLength, {"1E37", "8E36", "1E-46", "-1E-46"}},
      {kUnitDimension, 0, 1.0, ParseDimension, {"1E-46", "-1E-46", "1E-45", "1E-37"}},
      {kUnitLength, kLengthMetre, 0.0254, ParseLength, {"5E36", "2E36", "1E-38", "3E-39", "2E-39"}},
      {kUnitLength, kLengthMillimetre, 25.4, ParseLength, {"1E-37", "1E-35", "2.5E39"}},
      {kUnitPressure, 1, 0.0689476, ParsePressure, {"1E37", "6E36", "1E-35", "5E-39"}},
      {kUnitForce, 1, 4.44822, ParseForce, {"1E-37", "5E-37", "4E38"}},
  };
  int agree = 0, pairs = 0;
  for (const auto& c : cases) {
    Choose(c.kind, c.unit);
    for (const char* text : c.texts) {
      const double stored = std::strtod(text, nullptr) / c.factor;
      const bool kept = std::fabs(stored) >= 1e-37 && std::fabs(stored) < 1e38;
      float value = -1.0f;
      const int result = c.parse(text, value);
      ++pairs;
      agree += result == (kept ? 0 : 1);
      EXPECT_EQ(result, kept ? 0 : 1) << text << " " << UnitLabel(c.kind) << " is " << stored << " stored";
      if (kept) {
        EXPECT_NEAR(value, stored, std::fabs(stored) * 1e-6) << text;
      }
    }
  }
  EXPECT_EQ(agree, pairs);
  // A spectrum ordinate in g's is 386.4 times larger stored.
  float value = 0.0f;
  EXPECT_EQ(ParseSpectrumOrdinate("6.68E35", 4, value), 1);  // 2.58E38 in/sec2
  EXPECT_EQ(ParseSpectrumOrdinate("2.5E35", 4, value), 0);   // 9.66E37 in/sec2
  EXPECT_EQ(ParseSpectrumOrdinate("1E-39", 4, value), 0);    // 3.864E-37 in/sec2
  EXPECT_NEAR(value, 3.864e-37, 3.864e-43);
  EXPECT_EQ(ParseSpectrumOrdinate("1E-36", 3, value), 1);    // 3.937E-38 in/sec2
}

TEST_F(UnitsTest, ParseFieldReadsTheSharedEditText) {
  g_EditFieldText = "12.5";
  float value = 0.0f;
  EXPECT_EQ(ParseFieldForce(value), 0);
  EXPECT_EQ(value, 12.5f);
  g_EditFieldText = "5'6-1/2";
  EXPECT_EQ(ParseFieldLength(value), 0);
  EXPECT_EQ(value, 66.5f);
  g_EditFieldText = "abc";
  EXPECT_EQ(ParseFieldPressure(value), 1);
  g_EditFieldText.clear();
}

TEST_F(UnitsTest, SpectrumOrdinates) {
  float value = 0.0f;
  EXPECT_EQ(ParseSpectrumOrdinate("2", 4, value), 0);
  EXPECT_NEAR(value, 772.8, 1e-3);
  EXPECT_STREQ(FormatSpectrumOrdinate(value, 4), "2");
  EXPECT_EQ(ParseSpectrumOrdinate("100", 1, value), 0);
  EXPECT_NEAR(value, 3.937, 1e-5);
  EXPECT_STREQ(FormatSpectrumOrdinate(value, 1), "100");
  EXPECT_EQ(ParseSpectrumOrdinate("5", 0, value), 0);
  EXPECT_EQ(value, 5.0f);
  EXPECT_EQ(ParseSpectrumOrdinate("-5", 2, value), 1);
}

}  // namespace
