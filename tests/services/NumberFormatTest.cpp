// The one printf of the program: "C" locale and three-digit exponents.
#include "services/NumberFormat.h"

#include <gtest/gtest.h>

#include "services/CommaLocale.h"

namespace {

// Expected texts below are printf's documented output with the exponent
// written in three digits, worked out by hand.
void ExpectPrintfForms() {
  EXPECT_EQ(CFormat("%.3E", 100000.0), "1.000E+005");
  EXPECT_EQ(CFormat("%.2e", 0.00125), "1.25e-003");
  EXPECT_EQ(CFormat("%.3E", 1.0e100), "1.000E+100");
  EXPECT_EQ(CFormat("%.5G", 123456.0), "1.2346E+005");
  EXPECT_EQ(CFormat("%.5G", 12345.6), "12346");
  EXPECT_EQ(CFormat("%.4g", 0.0001234), "0.0001234");
  EXPECT_EQ(CFormat("%.4g", 0.00001234), "1.234e-005");
  EXPECT_EQ(CFormat("%-1.2f", 3.14159), "3.14");
  EXPECT_EQ(CFormat("%-1.*E", 2, 123456.7), "1.23E+005");
  // Field widths count the three-digit exponent.
  EXPECT_EQ(CFormat("%11.2E", 1500.0), "  1.50E+003");
  EXPECT_EQ(CFormat("%-11.2E|", 1500.0), "1.50E+003  |");
  EXPECT_EQ(CFormat("%011.2E", -1500.0), "-01.50E+003");
  EXPECT_EQ(CFormat("%8.3f", 2.5), "   2.500");
}

TEST(NumberFormat, PrintsExponentsWithThreeDigits) { ExpectPrintfForms(); }

TEST(NumberFormat, MixesOtherConversions) {
  EXPECT_EQ(CFormat("Node %s at %d, %5.1f%%", "12A", 7, 99.44), "Node 12A at 7,  99.4%");
  EXPECT_EQ(CFormat("%ld|%lu|%x|%c|%3s", -5L, 7UL, 255u, 'Q', "a"), "-5|7|ff|Q|  a");
  EXPECT_EQ(CFormat("%*d|%-*d|%.*f", 4, 7, 3, 8, 2, 1.005), "   7|8  |1.00");
  EXPECT_EQ(CFormat("no conversions"), "no conversions");
}

TEST(NumberFormat, SnprintfCutsLikeSnprintf) {
  char buffer[6];
  EXPECT_EQ(CSnprintf(buffer, sizeof buffer, "%.3E", 100000.0), 10);
  EXPECT_STREQ(buffer, "1.000");
  EXPECT_EQ(CSnprintf(nullptr, 0, "%d", 12345), 5);
}

TEST(NumberFormat, IgnoresACommaLocale) {
  CommaLocale comma;
  REQUIRE_COMMA_LOCALE(comma);
  ExpectPrintfForms();
  char* end = nullptr;
  EXPECT_DOUBLE_EQ(CStrtod("2.5E3x", &end), 2500.0);
  EXPECT_STREQ(end, "x");
}

}  // namespace
