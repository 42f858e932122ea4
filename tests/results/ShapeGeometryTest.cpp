// The drawn shape against the beam's own interpolation: a pipe's points
// follow the Hermite cubic of its end translations and rotations (a unit
// end translation gives 3ξ² − 2ξ³, a unit end rotation L(ξ − 2ξ² + ξ³)),
// the axial movement is linear, a vertical pipe takes its frame from the
// horizontal rule, one segment is the straight line; the animation's
// segments and frames by model size; the largest projected movement under
// a given projection.
#include <gtest/gtest.h>

#include <cmath>

#include "results/ShapeDisplay.h"
#include "results/ShapeOverlay.h"

namespace {

constexpr double kL = 100.0;

std::vector<ShapePoint> Along(const std::array<float, 3>& to, const std::array<float, 6>& d1, const std::array<float, 6>& d2,
                              int segments = 8) {
  return BeamShapePoints({0.0f, 0.0f, 0.0f}, to, d1, d2, segments);
}

TEST(ShapeGeometryTest, APipeFollowsTheHermiteCubicOfItsEnds) {
  const auto translated = Along({100.0f, 0.0f, 0.0f}, {}, {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  ASSERT_EQ(translated.size(), 9u);
  for (std::size_t k = 0; k < translated.size(); ++k) {
    const double xi = static_cast<double>(k) / 8.0;
    EXPECT_NEAR(translated[k].base[0], kL * xi, 1e-4) << k;
    EXPECT_NEAR(translated[k].move[1], 3 * xi * xi - 2 * xi * xi * xi, 1e-6) << k;
    EXPECT_NEAR(translated[k].move[0], 0.0, 1e-7);
    EXPECT_NEAR(translated[k].move[2], 0.0, 1e-7);
  }
  // A rotation about Z at the first end bends the pipe in Y, one about Y in
  // minus Z (the right-hand rule along X).
  const auto turnedZ = Along({100.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.01f}, {});
  const auto turnedY = Along({100.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f, 0.01f, 0.0f}, {});
  for (std::size_t k = 1; k < 8; ++k) {
    const double xi = static_cast<double>(k) / 8.0;
    const double shape = 0.01 * kL * (xi - 2 * xi * xi + xi * xi * xi);
    EXPECT_NEAR(turnedZ[k].move[1], shape, 1e-6) << k;
    EXPECT_NEAR(turnedY[k].move[2], -shape, 1e-6) << k;
  }
  // The axial movement is linear between the ends.
  const auto stretched = Along({100.0f, 0.0f, 0.0f}, {1.0f, 0, 0, 0, 0, 0}, {3.0f, 0, 0, 0, 0, 0});
  EXPECT_NEAR(stretched[4].move[0], 2.0, 1e-6);
}

TEST(ShapeGeometryTest, AVerticalPipeAndASingleSegment) {
  // Along Z the frame takes X horizontal: a unit X translation at the far
  // end bends the pipe in X by the same cubic.
  const auto vertical = Along({0.0f, 0.0f, 100.0f}, {}, {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  EXPECT_NEAR(vertical[4].move[0], 0.5, 1e-6);
  EXPECT_NEAR(vertical[4].move[1], 0.0, 1e-7);
  EXPECT_NEAR(vertical[4].base[2], 50.0, 1e-4);
  const auto line = Along({100.0f, 0.0f, 0.0f}, {}, {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.2f}, 1);
  ASSERT_EQ(line.size(), 2u);
  EXPECT_EQ(line[1].move[1], 1.0f);
}

TEST(ShapeGeometryTest, TheAnimationDrawsLessOfLargerModels) {
  EXPECT_EQ(AnimationSegments(24), 8);
  EXPECT_EQ(AnimationSegments(25), 6);
  EXPECT_EQ(AnimationSegments(99), 4);
  EXPECT_EQ(AnimationSegments(149), 2);
  EXPECT_EQ(AnimationSegments(150), 1);
  EXPECT_EQ(AnimationFrames(7), 32);
  EXPECT_EQ(AnimationFrames(8), 24);
  EXPECT_EQ(AnimationFrames(11), 24);
  EXPECT_EQ(AnimationFrames(12), 20);
}

void LookDownZ(float x, float y, float /*z*/, float& vx, float& vy) {
  vx = x + 5.0f;  // a translation of the view does not count
  vy = y - 2.0f;
}

TEST(ShapeGeometryTest, TheLargestMoveIsMeasuredAsProjected) {
  const std::vector<std::array<float, 3>> moves{{3.0f, 4.0f, 100.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -50.0f}};
  EXPECT_FLOAT_EQ(LargestProjectedLength(moves, LookDownZ), 5.0f);
  EXPECT_FLOAT_EQ(LargestProjectedLength({}, LookDownZ), 0.0f);
}

}  // namespace
