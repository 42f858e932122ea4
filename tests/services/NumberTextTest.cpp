// Typed number text and the number formats, against a golden table of the
// texts the number fields must show. The expected texts are worked out by
// hand from printf's rules and the field rules (blanks removed, exponent
// limits, the width fallbacks); none was produced by running this code.
#include "services/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

#include "services/CommaLocale.h"
#include "services/ReportMode.h"

namespace {

struct RealCase {
  const char* text;
  int result;
  float value;
};

// Acceptance rules of ParseReal.
const RealCase kRealCases[] = {
    {"", 0, 0.0f},          {"1 500", 0, 1500.0f},  {"2.5e3", 0, 2500.0f},  {"-.5", 0, -0.5f},
    {"+3.", 0, 3.0f},       {"+.", 0, 0.0f},        {"1E37", 0, 1.0e37f},   {"1E-37", 0, 1.0e-37f},
    {"1e+37", 0, 1.0e37f},  {"007", 0, 7.0f},       {"1E0000005", 0, 1.0e5f},
    {"1e38", 1, 0.0f},      {"1E-38", 1, 0.0f},     {"1.2.3", 1, 0.0f},     {"1E2E3", 1, 0.0f},
    {"E5", 1, 0.0f},        {"5E", 1, 0.0f},        {"1-2", 1, 0.0f},       {".", 1, 0.0f},
    {"-", 1, 0.0f},         {"1,5", 1, 0.0f},       {"--5", 1, 0.0f},       {"1E+", 1, 0.0f},
    {"1E2.5", 1, 0.0f},     {"abc", 1, 0.0f},
    // A value a float cannot hold is refused instead of becoming infinite.
    {"99999999E37", 1, 0.0f},
};

void ExpectRealCases() {
  for (const RealCase& c : kRealCases) {
    float value = -99.0f;
    EXPECT_EQ(ParseReal(c.text, value), c.result) << "\"" << c.text << "\"";
    if (c.result == 0) {
      EXPECT_FLOAT_EQ(value, c.value) << "\"" << c.text << "\"";
    }
  }
}

TEST(ParseReal, FollowsTheFieldRules) { ExpectRealCases(); }

// The same number written two ways is read the same way: in exponent form
// and in plain digits, shifted between mantissa and exponent, or past what
// a double can hold.
TEST(ParseReal, OneRuleForAValueWhateverItsSpelling) {
  const std::string zeros37(37, '0');
  const struct {
    std::string exponent, other;
    int result;
  } spellings[] = {
      {"3E38", "3" + zeros37 + "00", 1},                   // 39 digits
      {"1E38", "1" + zeros37 + "0", 1},                    // 39 digits
      {"9E37", "9" + zeros37, 0},                          // 38 digits
      {"1E38", "10E37", 1},
      {"1E37", "0.001E40", 0},
      {"1E-38", "0." + zeros37 + "1", 1},
      {"1E-37", "0." + std::string(36, '0') + "1", 0},
      {"1E-37", "1000E-40", 0},
      {"1E-38", "1E-99999", 1},                            // below what a double holds, still no zero
      {"0", "0E99", 0},
  };
  for (const auto& s : spellings) {
    float first = -1.0f, second = -2.0f;
    EXPECT_EQ(ParseReal(s.exponent, first), s.result) << s.exponent;
    EXPECT_EQ(ParseReal(s.other, second), s.result) << s.other;
    EXPECT_EQ(first, second) << s.exponent << " and " << s.other;
  }
}

TEST(ParseInteger, AcceptsSignedDecimalsInTheIntegerRange) {
  struct {
    const char* text;
    int result;
    std::int32_t value;
  } const cases[] = {{"", 0, 0},           {" 4 2 ", 0, 42},           {"+5", 0, 5},
                     {"-17", 0, -17},      {"2147483647", 0, 2147483647}, {"-2147483648", 0, INT32_MIN},
                     {"2147483648", 1, 0}, {"-2147483649", 1, 0},     {"99999999999999999999", 1, 0},
                     {"+", 1, 0},          {"-", 1, 0},               {"12a", 1, 0},
                     {"1.0", 1, 0},        {"1-", 1, 0}};
  for (const auto& c : cases) {
    std::int32_t value = -99;
    EXPECT_EQ(ParseInteger(c.text, value), c.result) << c.text;
    if (c.result == 0) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_STREQ(IntegerToText(-305), "-305");
}

TEST(ParseYesNo, ReadsTheFirstCharacter) {
  bool flag = true;
  EXPECT_EQ(ParseYesNo("", flag), 0);
  EXPECT_FALSE(flag);
  EXPECT_EQ(ParseYesNo(" no", flag), 0);
  EXPECT_FALSE(flag);
  EXPECT_EQ(ParseYesNo("yes", flag), 0);
  EXPECT_TRUE(flag);
  EXPECT_EQ(ParseYesNo("Yikes", flag), 0);
  EXPECT_TRUE(flag);
  EXPECT_EQ(ParseYesNo("maybe", flag), 1);
}

TEST(CharacterFilters, NumberAndLengthAndNameCharacters) {
  for (char c : std::string("0123456789+-.Ee")) EXPECT_FALSE(IsNotNumberChar(c)) << c;
  for (char c : std::string("'\"/ ,xA")) EXPECT_TRUE(IsNotNumberChar(c)) << c;
  for (char c : std::string("'\"/5")) EXPECT_FALSE(IsNotLengthChar(c)) << c;
  EXPECT_TRUE(IsNotLengthChar(','));
  EXPECT_TRUE(IsNameText(""));
  EXPECT_TRUE(IsNameText("A53-B/2"));
  EXPECT_FALSE(IsNameText("A 53"));
  EXPECT_FALSE(IsNameText("A_53"));
}

// The golden table of formatted texts.
void ExpectFormats() {
  // Fixed width: the fixed form when it fits, else E forms, else stars.
  EXPECT_STREQ(FormatFixedWidth(123456.7, 6, 1), "*****");
  EXPECT_STREQ(FormatFixedWidth(123456.7, 8, 1), "123456.7");
  EXPECT_STREQ(FormatFixedWidth(123456.7, 7, 1), "*****");
  EXPECT_STREQ(FormatFixedWidth(1234567.0, 8, 2), "1.2E+006");
  EXPECT_STREQ(FormatFixedWidth(1234567.0, 9, 2), "1.23E+006");
  EXPECT_STREQ(FormatFixedWidth(-0.3, 10, 0), "0");
  EXPECT_STREQ(FormatFixedWidth(0.3, 10, 0), "0");
  EXPECT_STREQ(FormatFixedWidth(2.5, 11, 4), "2.5000");
  EXPECT_STREQ(FormatFixedWidth(-12.25, 6, 2), "-12.25");
  EXPECT_STREQ(FormatFixedWidthTrim(5.0, 10, 2), "5");
  EXPECT_STREQ(FormatFixedWidthTrim(5.25, 10, 2), "5.25");
  EXPECT_STREQ(FormatFixedWidthE(100000.0, 10, 3), "1.000E+5");
  EXPECT_STREQ(FormatFixedWidthE(100000.0, 9, 3), "1.00E+5");
  EXPECT_STREQ(FormatFixedWidthE(1.0, 10, 2), "1.00");
  EXPECT_STREQ(FormatFixedWidthE(2.5e12, 11, 2), "2.50E+12");
  EXPECT_STREQ(FormatFixedWidthE(3.0e-5, 10, 2), "3.00E-5");
  EXPECT_STREQ(FormatFixedWidthE(1.0e100, 8, 2), "1.0E+100");
  EXPECT_STREQ(FormatFixedWidthE(1.0e100, 7, 2), "*****");
  // G and E forms.
  EXPECT_STREQ(FormatG3(1.0e-36), "0");
  EXPECT_STREQ(FormatG3(-1.0e-36), "0");
  EXPECT_STREQ(FormatG3(0.012345), "0.0123");
  EXPECT_STREQ(FormatG4(1234.56), "1235");
  EXPECT_STREQ(FormatG4(123456.0), "1.235E+005");
  EXPECT_STREQ(FormatG5(12345.6), "12346");
  EXPECT_STREQ(FormatG5(123456.0), "1.235E+5");
  EXPECT_STREQ(FormatG5(1.0e-36), "0");
  EXPECT_STREQ(FormatG6(0.5), "0.5");
  EXPECT_STREQ(FormatG6(1234567.0), "1.2346E+6");
  EXPECT_STREQ(FormatG6(2.0e-7), "2.0E-7");
  EXPECT_STREQ(FormatE3(1500.0), "1.5E+3");
  EXPECT_STREQ(FormatE3(0.00012), "1.2E-4");
  EXPECT_STREQ(FormatE3(1.234e12), "1.234E+12");
  EXPECT_STREQ(FormatE3(1.0e100), "1.0E+100");
  EXPECT_STREQ(FormatE3(1.0), "1.0");
  EXPECT_STREQ(FormatPrecise(2.0), "2.0");
  EXPECT_STREQ(FormatPrecise(123.45), "1.2345E+2");
  EXPECT_STREQ(FormatPrecise(-0.0123), "-1.23E-2");
  EXPECT_STREQ(FormatThreeDecimals(1.5), "1.5");
  EXPECT_STREQ(FormatThreeDecimals(2.0), "2.0");
  EXPECT_STREQ(FormatThreeDecimals(1.2346), "1.235");
  EXPECT_STREQ(FormatRatio(100.0), "****");
  EXPECT_STREQ(FormatRatio(0.756), "0.76");
  EXPECT_STREQ(FormatSif(1.0), "");
  EXPECT_STREQ(FormatSif(2.5), "2.50");
  EXPECT_STREQ(FormatSif(150.0), "150.0");
  // Feet and inches.
  EXPECT_STREQ(FormatFeetInches(66.5), "5'6-1/2\"");
  EXPECT_STREQ(FormatFeetInches(-66.5), "-5'6-1/2\"");
  EXPECT_STREQ(FormatFeetInches(12.0), "1'0\"");
  EXPECT_STREQ(FormatFeetInches(144.25), "12'0-1/4\"");
  EXPECT_STREQ(FormatFeetInches(0.015625 + 24.0), "2'0-1/64\"");
  EXPECT_STREQ(FormatFeetInches(0.01), "0.0008333");
  EXPECT_STREQ(FormatFeetInches(14815.5), "1234'7-1/2");  // ten characters: no inch mark
  // No sixty-fourth fits 0.3 inch: the value in feet, without the inch mark
  // (which would make it read back as inches).
  EXPECT_STREQ(FormatFeetInches(66.3), "5.5250");
  // A computed length to the nearest 64th, whatever its text's length:
  // 66.3 in = 5 ft 6.3 in, 0.3 x 64 = 19.2 -> 19/64; 11.999 in rounds up
  // to a whole foot, 143.995 in to twelve; 1234 ft 7.51 in = 14815.51 in.
  EXPECT_STREQ(FormatFeetInchesNearest(66.3), "5'6-19/64\"");
  EXPECT_STREQ(FormatFeetInchesNearest(-66.3), "-5'6-19/64\"");
  EXPECT_STREQ(FormatFeetInchesNearest(11.999), "1'0\"");
  EXPECT_STREQ(FormatFeetInchesNearest(143.995), "12'0\"");
  EXPECT_STREQ(FormatFeetInchesNearest(14815.51), "1234'7-33/64\"");
  EXPECT_STREQ(FormatFeetInchesNearest(0.007), "0");
  EXPECT_STREQ(FormatFeetInchesNearest(-0.007), "0");
}

TEST(NumberFormats, GoldenTable) { ExpectFormats(); }

TEST(NumberFormats, PreciseGivesMoreDigitsOnlyWithTheSwitchAndNoReportFile) {
  const NumberTextSwitches kept = g_NumberTextSwitches;
  g_NumberTextSwitches.increaseDigits = true;
  EXPECT_STREQ(FormatPrecise(1234567.0), "1.234567E+6");
  EXPECT_STREQ(FormatG6(1234567.0), "1.234567E+6");
  g_ReportFileOpen = true;
  EXPECT_STREQ(FormatPrecise(1234567.0), "1.2346E+6");
  g_ReportFileOpen = false;
  g_ReportToFile = true;
  EXPECT_STREQ(FormatPrecise(1234567.0), "1.2346E+6");
  g_ReportToFile = false;
  g_NumberTextSwitches = kept;
}

TEST(NumberFormats, SwitchesComeFromTheEnvironment) {
  const NumberTextSwitches kept = g_NumberTextSwitches;
  setenv("INCREASE_DIGITS", "1", 1);
  unsetenv("MPREC");
  ReadNumberTextSwitches();
  EXPECT_TRUE(g_NumberTextSwitches.increaseDigits);
  EXPECT_FALSE(g_NumberTextSwitches.momentDecimals);
  unsetenv("INCREASE_DIGITS");
  setenv("MPREC", "", 1);
  ReadNumberTextSwitches();
  EXPECT_FALSE(g_NumberTextSwitches.increaseDigits);
  EXPECT_TRUE(g_NumberTextSwitches.momentDecimals);
  unsetenv("MPREC");
  g_NumberTextSwitches = kept;
}

TEST(FeetInches, ParsesFeetInchesAndFractions) {
  struct {
    const char* text;
    int result;
    float inches;
  } const cases[] = {
      {"5'6-1/2", 0, 66.5f}, {"6-1/2\"", 0, 6.5f}, {"-5'6", 0, -66.0f},  {"12", 0, 144.0f},
      {"1.5", 0, 18.0f},     {"5'6\"", 0, 66.0f},  {"1/2\"", 0, 0.5f},   {"-6\"", 0, -6.0f},
      {"-0'6", 0, -6.0f},    {"5'", 0, 60.0f},     {"5' 6 - 3/4", 0, 66.75f}, {"", 0, 0.0f},
      {"5'6-3/2", 1, 0.0f},  {"5'6-1/0", 1, 0.0f}, {"5'-6", 1, 0.0f},    {"5'6-a", 1, 0.0f},
      {"5.5'6", 1, 0.0f},    {"5'-1/2", 1, 0.0f},  {"5'6--1/2", 1, 0.0f}, {"5'6-1/-2", 1, 0.0f},
      {"x'6", 1, 0.0f},      {"6\"\"", 1, 0.0f},
  };
  for (const auto& c : cases) {
    float inches = -99.0f;
    EXPECT_EQ(ParseFeetInches(c.text, inches), c.result) << c.text;
    if (c.result == 0) {
      EXPECT_FLOAT_EQ(inches, c.inches) << c.text;
    }
  }
}

TEST(FeetInches, FormattedTextReadsBack) {
  for (double inches : {66.5, -66.5, 12.0, 144.25, 0.5, 1000.125, 66.3, 7.0 / 64.0}) {
    float back = 0.0f;
    const std::string text = FormatFeetInches(inches);
    ASSERT_EQ(ParseFeetInches(text, back), 0) << text;
    EXPECT_NEAR(back, inches, 1.0e-3 * 12.0) << text;
  }
}

// Coordinates are single-precision sums: a node 99'5-1/4" from the origin
// may be held a few units of the last place below it. It still reads in
// feet and inches, rather than as a number of feet that reads like a
// dimension off the drawing; a value truly between sixty-fourths does not.
TEST(FeetInches, ValuesHeldJustOffASixtyFourthReadInFeetAndInches) {
  const float justBelow = std::nextafter(1193.25f, 0.0f);
  EXPECT_STREQ(FormatFeetInches(justBelow), "99'5-1/4\"");
  EXPECT_STREQ(FormatFeetInches(std::nextafter(std::nextafter(1193.25f, 0.0f), 0.0f)), "99'5-1/4\"");
  EXPECT_STREQ(FormatFeetInches(std::nextafter(1193.25f, 2000.0f)), "99'5-1/4\"");
  EXPECT_STREQ(FormatFeetInches(-justBelow), "-99'5-1/4\"");
  // Just below a whole foot: the next foot, not 11 inches and a fraction.
  EXPECT_STREQ(FormatFeetInches(std::nextafter(2400.0f, 0.0f)), "200'0\"");
  EXPECT_STREQ(FormatFeetInches(std::nextafter(66.5f, 0.0f)), "5'6-1/2\"");
  // A thousandth of an inch off at 100 feet is a real value: decimal feet.
  EXPECT_STREQ(FormatFeetInches(1193.251), "99.4376");
  EXPECT_STREQ(FormatFeetInches(66.3), "5.5250");
}

TEST(NumberText, FormatsAndParsesTheSameUnderACommaLocale) {
  CommaLocale comma;
  REQUIRE_COMMA_LOCALE(comma);
  ExpectRealCases();
  ExpectFormats();
}

// The graphics thread formats labels while the GUI thread formats cells:
// each thread has its own result buffer.
TEST(NumberText, EachThreadHasItsOwnBuffer) {
  const char* mine = FormatG5(12.5);
  std::string theirs;
  std::thread other([&theirs] { theirs = FormatG5(99.25); });
  other.join();
  EXPECT_STREQ(mine, "12.5");
  EXPECT_EQ(theirs, "99.25");
}

TEST(SpecialValues, NamedHelpers) {
  EXPECT_TRUE(IsNotGiven(0.0f));
  EXPECT_FALSE(IsNotGiven(kExplicitZero));
  EXPECT_TRUE(IsExplicitZero(1.0e-36f));
  EXPECT_FALSE(IsExplicitZero(0.0f));
  EXPECT_FALSE(IsExplicitZero(1.0e-30f));
  EXPECT_TRUE(IsAbsentValue(1.0e30f));
  EXPECT_TRUE(IsAbsentValue(-6.0e29f));
  EXPECT_FALSE(IsAbsentValue(4.0e29f));
  EXPECT_TRUE(IsRigidStiffness(1.0e12f));
  EXPECT_TRUE(IsRigidStiffness(1.01e12f));
  EXPECT_FALSE(IsRigidStiffness(9.8e11f));
  EXPECT_FALSE(IsRigidStiffness(1.02e12f));
}

}  // namespace
