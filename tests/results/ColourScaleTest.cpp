// The colour scale of result pictures: the colours of the band limits and
// between them, clamping, a scale without range, and the pieces a straight
// segment is split into at the band limits.
#include <gtest/gtest.h>

#include <array>

#include "results/ColourScale.h"

namespace {

std::array<float, 3> Colour(float value) {
  std::array<float, 3> rgb{};
  ValueToColour(value, rgb.data());
  return rgb;
}

void ExpectColour(float value, std::array<float, 3> expected) {
  const std::array<float, 3> rgb = Colour(value);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(rgb[i], expected[i], 1.0e-6) << "value " << value << " channel " << i;
}

class ColourScaleTest : public ::testing::Test {
 protected:
  void SetUp() override { SetColourScale(0.0f, 100.0f); }
};

TEST_F(ColourScaleTest, BlueCyanGreenYellowRedAtTheLimitsAndClampedOutside) {
  EXPECT_EQ(ColourScaleMin(), 0.0f);
  EXPECT_EQ(ColourScaleMax(), 100.0f);
  EXPECT_EQ(ColourScaleLimits(), (std::array<float, 3>{25.0f, 50.0f, 75.0f}));
  ExpectColour(0.0f, {0, 0, 1});
  ExpectColour(25.0f, {0, 1, 1});
  ExpectColour(50.0f, {0, 1, 0});
  ExpectColour(75.0f, {1, 1, 0});
  ExpectColour(100.0f, {1, 0, 0});
  // Between the limits the one channel that changes runs linearly.
  ExpectColour(12.5f, {0, 0.5f, 1});
  ExpectColour(37.5f, {0, 1, 0.5f});
  ExpectColour(62.5f, {0.5f, 1, 0});
  ExpectColour(87.5f, {1, 0.5f, 0});
  ExpectColour(-40.0f, {0, 0, 1});
  ExpectColour(1.0e6f, {1, 0, 0});
  // An offset scale: the same colours at the same fractions.
  SetColourScale(200.0f, 600.0f);
  ExpectColour(350.0f, {0, 1, 0.5f});
}

TEST_F(ColourScaleTest, AScaleWithoutRangeIsGreenEverywhere) {
  SetColourScale(40.0f, 40.0f);
  for (float value : {0.0f, 40.0f, 90.0f}) ExpectColour(value, {0, 1, 0});
  // A segment on it is one piece, whatever its values.
  EXPECT_EQ(BandedSegmentPieces({0, 0, 0}, {10, 0, 0}, 1, 1, 10, 90).size(), 1u);
}

TEST_F(ColourScaleTest, ASegmentSplitsAtTheBandLimitsItCrosses) {
  const std::vector<BandedPiece> pieces = BandedSegmentPieces({0, 0, 0}, {80, 0, 0}, 2.0f, 4.0f, 10.0f, 90.0f);
  ASSERT_EQ(pieces.size(), 4u);
  const float values[5] = {10, 25, 50, 75, 90};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(pieces[i].startValue, values[i]);
    EXPECT_FLOAT_EQ(pieces[i].endValue, values[i + 1]);
    // The split points lie where the values reach the limits: x = value - 10.
    EXPECT_FLOAT_EQ(pieces[i].start[0], values[i] - 10.0f);
    EXPECT_FLOAT_EQ(pieces[i].end[0], values[i + 1] - 10.0f);
    EXPECT_FLOAT_EQ(pieces[i].startRadius, 2.0f + 2.0f * (values[i] - 10.0f) / 80.0f);
  }
  EXPECT_FLOAT_EQ(pieces.back().endRadius, 4.0f);
  // A segment ending at a limit is not split there.
  const std::vector<BandedPiece> toLimit = BandedSegmentPieces({0, 0, 0}, {15, 0, 0}, 1, 1, 10, 25);
  ASSERT_EQ(toLimit.size(), 1u);
  EXPECT_FLOAT_EQ(toLimit[0].endValue, 25.0f);
  // One starting at a limit starts its first piece there.
  const std::vector<BandedPiece> fromLimit = BandedSegmentPieces({0, 0, 0}, {15, 0, 0}, 1, 1, 25, 40);
  ASSERT_EQ(fromLimit.size(), 1u);
  EXPECT_FLOAT_EQ(fromLimit[0].startValue, 25.0f);
  // Falling values: the same segment given from its other end gives the
  // same pieces, drawn from the lower-valued end.
  const std::vector<BandedPiece> falling = BandedSegmentPieces({80, 0, 0}, {0, 0, 0}, 4.0f, 2.0f, 90.0f, 10.0f);
  ASSERT_EQ(falling.size(), pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_FLOAT_EQ(falling[i].startValue, pieces[i].startValue);
    EXPECT_FLOAT_EQ(falling[i].endValue, pieces[i].endValue);
    EXPECT_FLOAT_EQ(falling[i].start[0], pieces[i].start[0]);
    EXPECT_FLOAT_EQ(falling[i].end[0], pieces[i].end[0]);
    EXPECT_FLOAT_EQ(falling[i].startRadius, pieces[i].startRadius);
  }
  // Nearly equal values: one piece; too short a segment: none.
  EXPECT_EQ(BandedSegmentPieces({0, 0, 0}, {80, 0, 0}, 1, 1, 24.99f, 25.05f).size(), 1u);
  EXPECT_TRUE(BandedSegmentPieces({0, 0, 0}, {0.0005f, 0, 0}, 1, 1, 10, 90).empty());
}

}  // namespace
