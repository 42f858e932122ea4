// The EN 13445-3 allowable nozzle loads against hand calculations: a
// cylinder without a pad (lambda, C1 to C3, the three loads, the two
// distances; the C3 row of eb/ec 0.5), a sphere with a weaker pad (ec,
// C1 capped by the nozzle, lambda, Fz and Mb), the applicability bounds,
// and the floors of the cylinder's factors for a small lambda.
#include <gtest/gtest.h>

#include <cmath>

#include "evaluations/NozzleEvaluationLoads.h"

namespace {

NozzleEvaluation Cylinder() {
  NozzleEvaluation d;
  d.spherical = false;
  d.R = 40.0f;  // D
  d.e = 0.5f;
  d.ec = 0.5f;
  d.d = 12.0f;
  d.eb = 0.2f;
  d.f = 20000.0f;
  d.fb = 20000.0f;
  return d;
}

TEST(NozzleEvaluationLoadsTest, ACylinderWithoutPadMatchesTheHandCalculation) {
  const En13445NozzleResult r = En13445NozzleLoadsOf(Cylinder());
  ASSERT_TRUE(r.applicable);
  EXPECT_NEAR(r.q, 0.0125, 1e-9);
  EXPECT_NEAR(r.ec, 0.5, 1e-7);
  // lambda = 12 / sqrt(40 x 0.5)
  EXPECT_NEAR(r.lambda, 2.6833, 0.0001);
  EXPECT_TRUE(r.lambdaPassed);
  EXPECT_NEAR(r.C1, 3.1653, 0.0001);
  EXPECT_NEAR(r.Fz, 15827.0, 1.0);  // C1 f ec^2
  EXPECT_NEAR(r.C2, 5.4819, 0.0001);
  EXPECT_NEAR(r.Mb, 82228.0, 2.0);  // C2 d/4 f ec^2
  // eb/ec = 0.4: the blended row.
  EXPECT_NEAR(r.C3, 13.709, 0.001);
  EXPECT_NEAR(r.My, 205642.0, 10.0);
  EXPECT_NEAR(r.loadDistance, 4.4721, 0.0001);     // sqrt(40 x 0.5)
  EXPECT_NEAR(r.thicknessLength, 1.5492, 0.0001);  // sqrt(0.2 x 12)
  NozzleEvaluation thicker = Cylinder();
  thicker.eb = 0.25f;  // eb/ec 0.5: the upper row
  EXPECT_NEAR(En13445NozzleLoadsOf(thicker).C3, 15.571, 0.001);
  // Both rows meet the blend at its ends.
  EXPECT_NEAR(En13445CylinderC3(2.6833, 0.2), En13445CylinderC3(2.6833, 0.2000001), 1e-4);
  EXPECT_NEAR(En13445CylinderC3(2.6833, 0.5), En13445CylinderC3(2.6833, 0.4999999), 1e-4);
}

TEST(NozzleEvaluationLoadsTest, ASphereWithAWeakerPadMatchesTheHandCalculation) {
  NozzleEvaluation d;
  d.spherical = true;
  d.R = 50.0f;
  d.e = 0.75f;
  d.c = 0.125f;
  d.e2 = 0.5f;
  d.f2 = 15000.0f;
  d.f = 20000.0f;
  d.d = 8.0f;
  d.eb = 0.5f;
  d.fb = 17000.0f;
  const En13445NozzleResult r = En13445NozzleLoadsOf(d);
  ASSERT_TRUE(r.applicable);
  EXPECT_NEAR(r.ec, 1.0, 1e-6);  // 0.625 + 0.5 x 15000/20000
  EXPECT_NEAR(r.C1, 0.2125, 1e-6);
  EXPECT_NEAR(r.lambda, 1.13137, 1e-5);
  EXPECT_NEAR(r.Fz, 101148.0, 2.0);
  EXPECT_NEAR(r.Mb, 305564.0, 5.0);
  // A stronger pad counts with its own thickness only.
  d.f2 = 30000.0f;
  EXPECT_NEAR(En13445NozzleLoadsOf(d).ec, 1.125, 1e-6);
}

TEST(NozzleEvaluationLoadsTest, ApplicabilityBoundsAndFactorFloors) {
  NozzleEvaluation d = Cylinder();
  d.R = 500.0f;  // ea/D = 0.001 exactly
  EXPECT_TRUE(En13445NozzleLoadsOf(d).applicable);
  d.R = 5.0f;  // 0.1
  EXPECT_TRUE(En13445NozzleLoadsOf(d).applicable);
  d.R = 4.9f;
  EXPECT_FALSE(En13445NozzleLoadsOf(d).applicable);
  d.R = 556.0f;  // 0.0009
  const En13445NozzleResult failed = En13445NozzleLoadsOf(d);
  EXPECT_FALSE(failed.applicable);
  EXPECT_EQ(failed.Fz, 0.0f);
  // A small nozzle: the polynomials fall below their floors.
  d = Cylinder();
  d.d = 0.1f;
  d.eb = 0.05f;  // eb/ec 0.1: the lower row
  const En13445NozzleResult small = En13445NozzleLoadsOf(d);
  EXPECT_FLOAT_EQ(small.C1, 1.81f);
  EXPECT_FLOAT_EQ(small.C2, 4.9f);
  EXPECT_FLOAT_EQ(small.C3, 4.9f);
  // Lambda from the entered ec, the distance from e - c + pad.
  d = Cylinder();
  d.ec = 2.0f;
  const En13445NozzleResult entered = En13445NozzleLoadsOf(d);
  EXPECT_NEAR(entered.lambda, 12.0 / std::sqrt(80.0), 1e-5);
  EXPECT_NEAR(entered.loadDistance, 4.4721, 0.0001);
  d.R = 0.5f;
  d.ec = 0.5f;
  d.e = 0.04f;  // lambda 24 > 10: reported, loads still given
  const En13445NozzleResult slender = En13445NozzleLoadsOf(d);
  EXPECT_FALSE(slender.lambdaPassed);
  EXPECT_GT(slender.Fz, 0.0f);
}

}  // namespace
