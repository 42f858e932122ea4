// Time functions without windows: the value at a time (the first value
// before the first point, the last after the last, linear between), the
// duration, and near-duplicate times found before the sorting drops one.
// (The text files the import reads are tests/loads/TimeFunctionTextTest.cpp.)
#include <gtest/gtest.h>

#include "records/PointTables.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"

namespace {

TEST(TimeFunctionValues, FirstBeforeLastAfterAndLinearBetween) {
  TimeFunctionList list;
  ClearTimeFunctions(list);
  SetLastTimeFunction(list, "Ramp", {{kExplicitZero, 0.0f}, {1.0f, 100.0f}, {3.0f, -20.0f}});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(IsBlankPointTable(list.back()));
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 0.25f, 0), 25.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 2.0f, 0), 40.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, -1.0f, 0), 0.0f);
  EXPECT_FLOAT_EQ(TimeFunctionValueAt(list, 10.0f, 0), -20.0f);
  EXPECT_FLOAT_EQ(TimeFunctionDuration(list, 0), 3.0f);
  EXPECT_EQ(TimeFunctionDuration(list, 1), 0.0f);
  try {
    TimeFunctionValueAt(list, 1.0f, 1);
    ADD_FAILURE() << "no throw";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Interpolate on empty vector");
  }
}

TEST(TimeFunctionValues, NearDuplicateTimesAreFoundBeforeTheyAreDropped) {
  const std::vector<FloatPair> step{{kExplicitZero, 0.0f}, {0.1f, 0.0f}, {0.100000001f, 100.0f}, {1.0f, 100.0f}};
  EXPECT_EQ(FirstNearDuplicate(step), 2);
  const std::vector<FloatPair> kept = SortedPoints(step);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].y, 0.0f);  // the first of the two, as the points are kept
  EXPECT_EQ(FirstNearDuplicate({{0.2f, 1.0f}, {0.1f, 2.0f}, {0.3f, 3.0f}}), -1);
  EXPECT_EQ(FirstNearDuplicate({{0.3f, 1.0f}, {0.1f, 2.0f}, {0.3f, 3.0f}}), 2);
}

}  // namespace
