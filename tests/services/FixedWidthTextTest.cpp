// The fixed-width number texts against the way they were printed before
// they moved onto std::to_chars: FormatFixedWidth and FormatFixedWidthE as
// they stood, built on CFormat, are kept below as the reference. Every
// width and number of decimals the program asks for (widths 3 to 20,
// decimals 0 to 5 at the call sites; all of 0 to 21 and 0 to 7 here) over
// random values of every size, both signs, and the values where printing
// goes wrong first: zero and minus zero, halves that tie exactly in binary
// (rounded to even), near-halves on both sides, values that round up into
// one more digit, the largest and the denormal doubles, floats widened, and
// NaN and infinity; in the "C" locale and under a comma locale. PrintFixed
// and PrintExponent are held against CFormat's "%.*f" and "%.*E" directly.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "services/CommaLocale.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"

namespace {

std::string ReferenceFixedWidth(double value, int width, int decimals) {
  if (!std::isfinite(value)) return "*****";
  std::string text = CFormat("%-1.*f", decimals, value);
  if (static_cast<int>(text.size()) <= width) return text == "-0" ? "0" : text;
  const int d = decimals > 2 ? decimals : 2;
  for (int tried : {d, d - 1, 2}) {
    text = CFormat("%-1.*E", tried < 0 ? 0 : tried, value);
    if (static_cast<int>(text.size()) <= width) return text;
  }
  return "*****";
}

// The exponent trimmed as ShortenExponent trims it.
std::string Shortened(std::string text) {
  for (const auto& [long_, short_] : {std::pair{"E+000", ""}, {"E+00", "E+"}, {"E+0", "E+"}, {"E-00", "E-"},
                                      {"E-0", "E-"}}) {
    const std::size_t at = text.find(long_);
    if (at == std::string::npos) continue;
    text.replace(at, std::string(long_).size(), short_);
    // "E+000" ends the text: nothing follows a zero exponent.
    if (std::string(short_).empty()) text.erase(at);
    break;
  }
  return text;
}

std::string ReferenceFixedWidthE(double value, int width, int decimals) {
  if (!std::isfinite(value)) return "*****";
  for (int tried : {decimals, decimals - 1, 2}) {
    const std::string text = CFormat("%-1.*E", tried < 0 ? 0 : tried, value);
    if (static_cast<int>(text.size()) <= width) return Shortened(text);
  }
  return "*****";
}

std::vector<double> TestValues() {
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5,
                                -0.5,
                                1.5,
                                2.5,
                                -2.5,
                                0.125,
                                0.375,
                                -0.625,
                                1.0e-320,
                                -4.9e-324,
                                DBL_MIN,
                                DBL_MAX,
                                -DBL_MAX,
                                FLT_MAX,
                                1.0e15,
                                4503599627370495.5,
                                4503599627370496.0,
                                9007199254740993.0,
                                1.0e16,
                                1.0e17,
                                1.0e22,
                                1.0e23,
                                -1.0e100,
                                1.0e300,
                                9.5,
                                99.5,
                                999.5,
                                9999.5,
                                0.95,
                                0.995,
                                9.9999,
                                99999.995,
                                123456.7,
                                1234567.0,
                                -12.25,
                                0.3,
                                -0.3,
                                1.0e-5,
                                -1.0e-5,
                                std::numeric_limits<double>::quiet_NaN(),
                                -std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  // Exact binary ties at every number of decimals, and their neighbours.
  for (int d = 0; d <= 7; ++d) {
    const double unit = std::pow(10.0, -d);
    for (const double k : {0.0, 1.0, 2.0, 3.0, 7.0, 12.0, 99.0, 1234.0, 99999.0, 3.0e6}) {
      for (const double tie : {(k + 0.5) * unit, std::ldexp(2.0 * k + 1.0, -(d + 1)), std::ldexp(2.0 * k + 1.0, -(d + 3))}) {
        for (const double v : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1.0e300)}) {
          values.push_back(v);
          values.push_back(-v);
        }
      }
    }
  }
  std::mt19937_64 random(20240607);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-40, 70);
  for (int i = 0; i < 2000; ++i) values.push_back(std::ldexp(unit(random), exponent(random)));
  // Most callers hand over floats, many of them a unit factor times a value.
  for (int i = 0; i < 1000; ++i)
    values.push_back(static_cast<double>(static_cast<float>(std::ldexp(unit(random), exponent(random) / 2)) * 0.083333336f));
  // Whole numbers and values a little off them.
  for (int i = 0; i < 500; ++i) {
    const double whole = std::round(std::ldexp(unit(random), 40));
    values.push_back(whole);
    values.push_back(whole + 0.5);
    values.push_back(whole - 0.4999999);
  }
  return values;
}

void ExpectReferenceTexts(const std::vector<double>& values) {
  int mismatches = 0;
  for (const double value : values) {
    for (int decimals = 0; decimals <= 7; ++decimals) {
      for (int width = 0; width <= 21; ++width) {
        const std::string expected = ReferenceFixedWidth(value, width, decimals);
        const std::string actual = FormatFixedWidth(value, width, decimals);
        if (actual != expected && ++mismatches <= 20)
          ADD_FAILURE() << CFormat("%a", value) << " width " << width << " decimals " << decimals << ": \"" << actual
                        << "\" instead of \"" << expected << "\"";
      }
    }
    for (int decimals = 0; decimals <= 5; ++decimals) {
      for (int width = 5; width <= 12; ++width) {
        const std::string expected = ReferenceFixedWidthE(value, width, decimals);
        const std::string actual = FormatFixedWidthE(value, width, decimals);
        if (actual != expected && ++mismatches <= 20)
          ADD_FAILURE() << CFormat("%a", value) << " E width " << width << " decimals " << decimals << ": \"" << actual
                        << "\" instead of \"" << expected << "\"";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FixedWidthText, GivesTheTextsOfTheReferenceAtEveryWidthAndPrecision) { ExpectReferenceTexts(TestValues()); }

TEST(FixedWidthText, IgnoresACommaLocale) {
  CommaLocale comma;
  REQUIRE_COMMA_LOCALE(comma);
  const std::vector<double> all = TestValues();
  std::vector<double> some;
  for (std::size_t i = 0; i < all.size(); i += 3) some.push_back(all[i]);
  ExpectReferenceTexts(some);
  EXPECT_STREQ(FormatFixedWidth(2.5, 11, 4), "2.5000");
  EXPECT_STREQ(FormatFixedWidth(-1234567.0, 10, 2), "-1.23E+006");
}

TEST(FixedWidthText, PrintsWhatCFormatPrints) {
  int mismatches = 0;
  char text[kPrintedNumberSize];
  for (const double value : TestValues()) {
    for (int decimals = 0; decimals <= kPrintedDecimalsMax; ++decimals) {
      const std::string fixed(text, PrintFixed(text, value, decimals));
      if (fixed != CFormat("%.*f", decimals, value) && ++mismatches <= 20)
        ADD_FAILURE() << CFormat("%a", value) << " %." << decimals << "f: " << fixed;
      const std::string exponent(text, PrintExponent(text, value, decimals));
      if (exponent != CFormat("%.*E", decimals, value) && ++mismatches <= 20)
        ADD_FAILURE() << CFormat("%a", value) << " %." << decimals << "E: " << exponent;
    }
  }
  EXPECT_EQ(mismatches, 0);
  // Hand-worked texts: ties to even, the sign of a negative that rounds to
  // zero, the widened exponent, and the longest fixed text.
  EXPECT_EQ(std::string(text, PrintFixed(text, 2.5, 0)), "2");
  EXPECT_EQ(std::string(text, PrintFixed(text, 0.125, 2)), "0.12");
  EXPECT_EQ(std::string(text, PrintFixed(text, 0.375, 2)), "0.38");
  EXPECT_EQ(std::string(text, PrintFixed(text, -0.001, 2)), "-0.00");
  EXPECT_EQ(std::string(text, PrintExponent(text, 1.0e-300, 1)), "1.0E-300");
  EXPECT_EQ(std::string(text, PrintExponent(text, 12345.0, 0)), "1E+004");
  EXPECT_EQ(PrintFixed(text, -DBL_MAX, kPrintedDecimalsMax), 310u + 1u + kPrintedDecimalsMax);
}

}  // namespace
