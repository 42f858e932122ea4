// EN 13480-3 pressure design against hand calculations: the straight pipe,
// the bend and the elbow of the internal design, the joint factor taken into
// f z, the collapse pressure of the external design with the least of the
// wave numbers and the collapse curve below Pm/Py = 0.5; the values no rule
// can form shown as not formed, never NaN; the cone's iterations settling.
//
// The pipe of the internal cases: D 6.625, t 0.280 in, c 0.04 in, 12.5 %
// mill tolerance, p 600 psi, f 18,000 psi.
//   ea = 0.280 - 0.04 - 0.125 * 0.280 = 0.205 in; D / (D - 2 ea) < 1.7, so
//   e = p D / (2 f z + p) = 3975 / 36600 = 0.108607 in, Uf = e / ea = 0.5298;
//   with z 0.85: e = 3975 / (2 * 15300 + 600) = 0.127404 in.
// The external cases: Py = sigma_e ea / R with R the mean radius, Pm the
// least elastic instability pressure over n >= 2 waves, Pr = Py times the
// collapse curve at Pm / Py; K Pc = 1.5 Pc.
#include <gtest/gtest.h>

#include <cmath>

#include "codes/PressureDesign.h"

namespace {

bool Near(double value, double expected, double tolerance = 0.001) {
  return std::fabs(value - expected) <= tolerance * std::fabs(expected);
}

InternalDesignRecord InternalPipe(int type) {
  InternalDesignRecord r;
  r.type = type;
  r.p = 600.0f;
  r.f = 18000.0f;
  r.OD1 = r.OD2 = 6.625f;
  r.t1 = r.t2 = 0.280f;
  r.c = 0.04f;
  r.millTolerance = 12.5f;
  return r;
}

ExternalDesignRecord ExternalPipe(float D, float t, float L) {
  ExternalDesignRecord r;
  r.type = kDesignPipe;
  r.Pc = 14.7f;
  r.f = 18000.0f;
  r.OD1 = r.OD2 = D;
  r.t1 = r.t2 = t;
  r.L = L;
  r.sigmaE = 30000.0f;
  r.E = 29.0e6f;
  r.nu = 0.3f;
  return r;
}

TEST(PressureDesignTest, StraightPipeBendElbowAndJointFactorByHand) {
  InternalDesignRecord pipe = InternalPipe(kDesignPipe);
  ASSERT_TRUE(ComputeInternalDesignRecord(pipe));
  EXPECT_TRUE(Near(pipe.ep1, 0.10861)) << pipe.ep1;
  EXPECT_TRUE(Near(pipe.ea1, 0.205)) << pipe.ea1;
  EXPECT_TRUE(Near(pipe.Uf1, 0.5298)) << pipe.Uf1;
  EXPECT_FLOAT_EQ(pipe.ep2, pipe.ep1);

  InternalDesignRecord bend = InternalPipe(kDesignBend);
  bend.R = 9.9375f;
  ASSERT_TRUE(ComputeInternalDesignRecord(bend));
  EXPECT_TRUE(Near(bend.ep1, 0.13545)) << bend.ep1;  // intrados
  EXPECT_TRUE(Near(bend.ep2, 0.09485)) << bend.ep2;  // extrados
  EXPECT_TRUE(Near(bend.Uf1, 0.13545 / 0.205)) << bend.Uf1;

  InternalDesignRecord elbow = InternalPipe(kDesignElbow);
  elbow.R = 9.9375f;
  ASSERT_TRUE(ComputeInternalDesignRecord(elbow));
  EXPECT_TRUE(Near(elbow.ep1, 0.13440)) << elbow.ep1;

  InternalDesignRecord welded = InternalPipe(kDesignPipe);
  welded.z = 0.85f;
  ASSERT_TRUE(ComputeInternalDesignRecord(welded));
  EXPECT_TRUE(Near(welded.ep1, 0.12740)) << welded.ep1;
}

// A thick wall (D / (D - 2 ea) >= 1.7) takes the root form
// e = D/2 (1 - sqrt((fz - p)/(fz + p))); a thin one p D / (2 fz + p).
TEST(PressureDesignTest, AThickWallTakesTheRootForm) {
  const double e = StraightPipeThickness(10.0, 6000.0, 18000.0, 2.0);
  EXPECT_NEAR(e, 5.0 * (1.0 - std::sqrt(12000.0 / 24000.0)), 1e-12);
  EXPECT_NEAR(StraightPipeThickness(10.0, 6000.0, 18000.0, 1.2), 60000.0 / 42000.0, 1e-12);
}

TEST(PressureDesignTest, WhatNoRuleCanFormIsNotFormedAndNeverNaN) {
  // p at or above f z.
  InternalDesignRecord over = InternalPipe(kDesignPipe);
  over.p = 18000.0f;
  ASSERT_TRUE(ComputeInternalDesignRecord(over));
  EXPECT_TRUE(IsNotFormed(over.ep1));
  EXPECT_TRUE(IsNotFormed(over.Uf1));
  // No allowable.
  InternalDesignRecord none = InternalPipe(kDesignPipe);
  none.f = 0.0f;
  ASSERT_TRUE(ComputeInternalDesignRecord(none));
  EXPECT_TRUE(IsNotFormed(none.ep1));
  // A bend radius up to D / 2.
  InternalDesignRecord tight = InternalPipe(kDesignBend);
  tight.R = 3.3125f;
  ASSERT_TRUE(ComputeInternalDesignRecord(tight));
  EXPECT_TRUE(IsNotFormed(tight.ep1));
  EXPECT_TRUE(IsNotFormed(tight.ep2));
  // A wall used up by corrosion and tolerance.
  InternalDesignRecord thin = InternalPipe(kDesignPipe);
  thin.c = 0.3f;
  ASSERT_TRUE(ComputeInternalDesignRecord(thin));
  EXPECT_TRUE(IsNotFormed(thin.ep1));
  EXPECT_TRUE(IsNotFormed(thin.Uf1));
  // A cone of 90 degrees or more.
  InternalDesignRecord flat = InternalPipe(kDesignReducer);
  flat.OD2 = 4.5f;
  flat.t2 = 0.237f;
  flat.coneAngle = 90.0f;
  ASSERT_TRUE(ComputeInternalDesignRecord(flat));
  EXPECT_TRUE(IsNotFormed(flat.ep1));
  EXPECT_TRUE(IsNotFormed(flat.ep2));
  for (const InternalDesignRecord* r : {&over, &none, &tight, &thin, &flat})
    for (float v : {r->ep1, r->ep2, r->Uf1, r->Uf2}) EXPECT_FALSE(std::isnan(v));
  // External: no modulus, a wall used up.
  ExternalDesignRecord soft = ExternalPipe(6.625f, 0.280f, 120.0f);
  soft.E = 0.0f;
  ComputeExternalDesignRecord(soft);
  EXPECT_TRUE(IsNotFormed(soft.Pr));
  EXPECT_TRUE(IsNotFormed(soft.PrRatio));
  ExternalDesignRecord gone = ExternalPipe(6.625f, 0.280f, 120.0f);
  gone.c = 0.280f;
  ComputeExternalDesignRecord(gone);
  EXPECT_TRUE(IsNotFormed(gone.Pr));
  EXPECT_FALSE(std::isnan(gone.PmPy));
}

// A 6.625 x 4.5 cone over 10 in: the half angle is arctan(2.125 / 20), the
// larger end at least the straight pipe's thickness, both ends settled
// (each root checked in its own equation).
TEST(PressureDesignTest, AConeSettlesOnBothEndsByTheHalfAngleOfItsGeometry) {
  InternalDesignRecord cone = InternalPipe(kDesignReducer);
  cone.OD2 = 4.5f;
  cone.t2 = 0.237f;
  cone.length = 10.0f;
  ASSERT_TRUE(ComputeInternalDesignRecord(cone));
  const double alpha = std::atan(2.125 / 20.0);
  double ep1 = 0.0, ep2 = 0.0;
  ASSERT_TRUE(ConeThicknesses(6.625, 0.280, 4.5, 0.237, alpha, 600.0, 18000.0, ep1, ep2));
  EXPECT_NEAR(cone.ep1, ep1, 1e-6);
  EXPECT_NEAR(cone.ep2, ep2, 1e-6);
  EXPECT_GE(ep1, 6.625 * 600.0 / 36600.0 - 1e-12);
  EXPECT_GE(ep2, 4.5 * 600.0 / 36600.0 - 1e-12);
  // The same cone by its stored angle in degrees.
  InternalDesignRecord stored = cone;
  stored.coneAngle = static_cast<float>(alpha * 180.0 / 3.14159265358979323846);
  stored.length = 0.0f;
  ASSERT_TRUE(ComputeInternalDesignRecord(stored));
  EXPECT_NEAR(stored.ep1, cone.ep1, 1e-5);
  EXPECT_NEAR(stored.ep2, cone.ep2, 1e-5);
}

TEST(PressureDesignTest, CollapsePressureOfALongAndAThinPipeByHand) {
  ExternalDesignRecord pipe = ExternalPipe(6.625f, 0.280f, 120.0f);
  ComputeExternalDesignRecord(pipe);
  EXPECT_TRUE(Near(pipe.PmPy, 2.0767)) << pipe.PmPy;
  EXPECT_TRUE(Near(pipe.Pr, 2018.5)) << pipe.Pr;
  EXPECT_FLOAT_EQ(pipe.KPc, 1.5f * 14.7f);
  // Below Pm/Py = 0.5 the curve runs straight to the origin.
  ExternalDesignRecord thin = ExternalPipe(24.0f, 0.25f, 240.0f);
  ComputeExternalDesignRecord(thin);
  EXPECT_TRUE(Near(thin.PmPy, 0.1307)) << thin.PmPy;
  EXPECT_TRUE(Near(thin.Pr, 41.36)) << thin.Pr;
  EXPECT_TRUE(Near(thin.PrRatio, 1.8755)) << thin.PrRatio;
  EXPECT_NEAR(CollapseCurve(0.25), 0.2505 / 2.0, 1e-12);
  EXPECT_NEAR(CollapseCurve(2.0767), 0.7545 + 0.0767 / 0.25 * 0.0255, 1e-12);
  EXPECT_DOUBLE_EQ(CollapseCurve(9.0), 0.9585);
}

// 24 x 0.25 in over 12 in: two waves overstate Pm many times over; the least
// is at seven.
TEST(PressureDesignTest, TheInstabilityPressureIsTheLeastOverTheWaves) {
  const double R = (24.0 + 23.5) / 4.0;
  int waves = 0;
  const double least = ElasticInstabilityPressure(29.0e6, 0.25, R, 12.0, 0.3, &waves);
  EXPECT_EQ(waves, 7);
  EXPECT_TRUE(Near(least, 1873.0)) << least;
  EXPECT_TRUE(Near(InstabilityPressureWithWaves(29.0e6, 0.25, R, 12.0, 0.3, 2), 39501.0))
      << InstabilityPressureWithWaves(29.0e6, 0.25, R, 12.0, 0.3, 2);
  for (int n = 2; n <= 60; ++n) EXPECT_LE(least, InstabilityPressureWithWaves(29.0e6, 0.25, R, 12.0, 0.3, n));
}

}  // namespace
