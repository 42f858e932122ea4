// Interpolation in pair tables and the float comparisons, against values
// worked by hand.
#include <gtest/gtest.h>

#include <string>

#include "services/Interpolation.h"

namespace {

TEST(Interpolation, LinearBetweenPairsAndFlatOutside) {
  const PairTable table = {{100.0f, 10.0f}, {200.0f, 30.0f}, {400.0f, 20.0f}};
  EXPECT_FLOAT_EQ(InterpolatePairs(table, 150.0f), 20.0f);  // 10 + 50/100 * 20
  EXPECT_FLOAT_EQ(InterpolatePairs(table, 250.0f), 27.5f);  // 30 + 50/200 * -10
  EXPECT_FLOAT_EQ(InterpolatePairs(table, 200.0f), 30.0f);  // an interior x
  EXPECT_FLOAT_EQ(InterpolatePairs(table, 50.0f), 10.0f);   // no extrapolation
  EXPECT_FLOAT_EQ(InterpolatePairs(table, 900.0f), 20.0f);
}

TEST(Interpolation, OnePairAndEmptyTables) {
  const PairTable one = {{100.0f, 7.0f}};
  for (float x : {-5.0f, 100.0f, 1.0e6f}) EXPECT_FLOAT_EQ(InterpolatePairs(one, x), 7.0f);
  try {
    InterpolatePairs(PairTable{}, 1.0f);
    ADD_FAILURE() << "an empty table must throw";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Interpolate on empty vector");
  }
}

TEST(Interpolation, TablePreparationDropsZeroAndNearDuplicateX) {
  PairTable source = {{100.0f, 7.0f}, {0.0f, 5.0f}};
  PairTable result;
  InterpolateTable(source, result);
  ASSERT_EQ(result.size(), 1u);
  EXPECT_FLOAT_EQ(InterpolatePairs(result, 0.0f), 7.0f);
  EXPECT_EQ(source.size(), 1u);  // the source lost its zero pair in place

  source = {{2.0f, 30.0f}, {1.000000001f, 20.0f}, {1.0f, 10.0f}};
  InterpolateTable(source, result);
  ASSERT_EQ(result.size(), 2u);
  EXPECT_FLOAT_EQ(result[0].x, 1.0f);
  EXPECT_FLOAT_EQ(result[1].x, 2.0f);
  EXPECT_FLOAT_EQ(result[1].y, 30.0f);
  EXPECT_FLOAT_EQ(source[0].x, 1.0f);  // sorted in place
}

TEST(Interpolation, Comparisons) {
  EXPECT_TRUE(IsZeroFloat(0.0f));
  EXPECT_FALSE(IsZeroFloat(1.0e-30f));
  EXPECT_TRUE(FloatLess(1.0f, 2.0f));
  EXPECT_FALSE(FloatLess(2.0f, 2.0f));
  EXPECT_TRUE(FloatNearlyEqual(1.0f, 1.0f + 5.0e-9f));
  EXPECT_FALSE(FloatNearlyEqual(1.0f, 1.0001f));
}

}  // namespace
