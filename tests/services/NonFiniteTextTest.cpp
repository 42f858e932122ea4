// Values that are not numbers reach the formatters (a damaged file, a
// division by zero in a result): every formatter, in every unit of its kind,
// gives the "cannot be shown" text for NaN and both infinities instead of
// undefined conversions or "nan'nan\"". So does a finite value that becomes
// infinite in a small unit. The parsers take a default (null) text view,
// and a fixed text of width 0 reads as empty.
#include <gtest/gtest.h>

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

using UnitFormatter = const char* (*)(float);

struct Named {
  const char* name;
  UnitFormatter format;
  int kind;
};

const Named kUnitFormatters[] = {
    {"Length", FormatLength, kUnitLength},
    {"ComputedLength", FormatComputedLength, kUnitLength},
    {"Dimension", FormatDimension, kUnitDimension},
    {"Displacement", FormatDisplacement, kUnitDisplacement},
    {"DisplacementOrNone", FormatDisplacementOrNone, kUnitDisplacement},
    {"Angle", FormatAngle, kUnitAngle},
    {"AngleOrNone", FormatAngleOrNone, kUnitAngle},
    {"AngleFixedOrNone", FormatAngleFixedOrNone, kUnitAngle},
    {"Force", FormatForce, kUnitForce},
    {"ForceTrim", FormatForceTrim, kUnitForce},
    {"ForceCompact", FormatForceCompact, kUnitForce},
    {"Moment", FormatMoment, kUnitMoment},
    {"MomentTrim", FormatMomentTrim, kUnitMoment},
    {"AdditionalWeight", FormatAdditionalWeight, kUnitAdditionalWeight},
    {"Weight", FormatWeight, kUnitWeight},
    {"Density", FormatDensity, kUnitDensity},
    {"InsulationDensity", FormatInsulationDensity, kUnitInsulationDensity},
    {"Temperature", FormatTemperature, kUnitTemperature},
    {"ThermalExpansion", FormatThermalExpansion, kUnitThermalExpansion},
    {"Pressure", FormatPressure, kUnitPressure},
    {"Stress", FormatStress, kUnitStress},
    {"Modulus", FormatModulus, kUnitModulus},
    {"StiffnessOrRigid", FormatStiffnessOrRigid, kUnitStiffness},
    {"StiffnessOrRigidNarrow", FormatStiffnessOrRigidNarrow, kUnitStiffness},
    {"StiffnessCompact", FormatStiffnessCompact, kUnitStiffness},
    {"RotStiffnessOrRigid", FormatRotStiffnessOrRigid, kUnitRotStiffness},
    {"RotStiffnessOrRigidNarrow", FormatRotStiffnessOrRigidNarrow, kUnitRotStiffness},
    {"Area", FormatArea, kUnitArea},
    {"MomentOfInertia", FormatMomentOfInertia, kUnitMomentOfInertia},
    {"Velocity", FormatVelocity, kUnitVelocity},
};

using NumberFormatter = const char* (*)(double);
const std::pair<const char*, NumberFormatter> kNumberFormatters[] = {
    {"G3", FormatG3},         {"G4", FormatG4},
    {"G5", FormatG5},         {"G6", FormatG6},
    {"E3", FormatE3},         {"Precise", FormatPrecise},
    {"ThreeDecimals", FormatThreeDecimals}, {"Ratio", FormatRatio},
    {"Sif", FormatSif},       {"FeetInches", FormatFeetInches},
    {"FeetInchesNearest", FormatFeetInchesNearest},
    {"FixedWidth", [](double v) { return FormatFixedWidth(v, 10, 2); }},
    {"FixedWidthE", [](double v) { return FormatFixedWidthE(v, 10, 2); }},
    {"FixedWidthTrim", [](double v) { return FormatFixedWidthTrim(v, 10, 2); }},
};

const float kNotFinite[] = {std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};

class NonFiniteText : public testing::Test {
 protected:
  void TearDown() override { g_UnitsSettings = UnitsSettings{}; }
};

TEST_F(NonFiniteText, EveryUnitFormatterInEveryUnitShowsTheMark) {
  for (const Named& formatter : kUnitFormatters) {
    for (int unit = 0; unit < UnitCount(formatter.kind); ++unit) {
      g_UnitsSettings = UnitsSettings{};
      g_UnitsSettings.unit[formatter.kind] = unit;
      for (float value : kNotFinite)
        EXPECT_STREQ(formatter.format(value), kNotFiniteText) << formatter.name << " unit " << unit << " " << value;
      // The largest float overflows in any unit whose factor exceeds 1.
      std::string shown = formatter.format(FLT_MAX);
      for (char& c : shown) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_EQ(shown.find("nan"), std::string::npos) << formatter.name << " unit " << unit << " " << shown;
      EXPECT_EQ(shown.find("inf"), std::string::npos) << formatter.name << " unit " << unit << " " << shown;
    }
  }
  for (int mode = 0; mode <= 4; ++mode)
    for (float value : kNotFinite) EXPECT_STREQ(FormatSpectrumOrdinate(value, mode), kNotFiniteText) << mode;
}

TEST_F(NonFiniteText, EveryNumberFormatterShowsTheMark) {
  for (const auto& [name, format] : kNumberFormatters)
    for (float value : kNotFinite) EXPECT_STREQ(format(value), kNotFiniteText) << name << " " << value;
  // A value just inside the range still prints as a number.
  EXPECT_STREQ(FormatG5(12345.0), "12345");
}

TEST_F(NonFiniteText, ParsersTakeANullViewAsEmpty) {
  float real = 7.0f;
  std::int32_t integer = 7;
  bool flag = true;
  float inches = 7.0f;
  EXPECT_EQ(ParseReal(std::string_view{}, real), 0);
  EXPECT_EQ(real, 0.0f);
  EXPECT_EQ(ParseInteger(std::string_view{}, integer), 0);
  EXPECT_EQ(integer, 0);
  EXPECT_EQ(ParseYesNo(std::string_view{}, flag), 0);
  EXPECT_FALSE(flag);
  EXPECT_EQ(ParseFeetInches(std::string_view{}, inches), 0);
  EXPECT_EQ(inches, 0.0f);
  // And they still refuse what is not a number.
  EXPECT_EQ(ParseReal("nan", real), 1);
  EXPECT_EQ(ParseReal("inf", real), 1);
}

TEST_F(NonFiniteText, AFixedTextOfWidthZeroReadsEmptyAndKeepsItsPlace) {
  const std::string path = testing::TempDir() + "fixed-text-zero.bin";
  {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("AB\0", out);
    std::fclose(out);
  }
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  std::string text = "stale";
  BinaryFileReadFixedText(file, text, 0);
  EXPECT_EQ(text, "");
  BinaryFileReadFixedText(file, text, 2);
  EXPECT_EQ(text, "AB");  // nothing was consumed by the empty read
  EXPECT_FALSE(BinaryFileHasError(file));
  BinaryFileClose(file);
  std::remove(path.c_str());
}

}  // namespace
