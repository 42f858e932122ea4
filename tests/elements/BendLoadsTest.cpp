// The curved element's loads: the unit-load end displacements against a
// numerical integration of the arc under distributed loads, the thermal and
// pressure columns against hand calculations, the nodal loads carrying the
// whole weight, the recovered end forces in equilibrium with the element's
// loads (and a free end carrying nothing), the lumped masses and the wind.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "elements/BendLoads.h"
#include "elements/BendTesting.h"
#include "kindbase/EndForces.h"

namespace {

constexpr double kPi = std::numbers::pi;

BendSectionValues Bend(double degrees) { return EightInchBend(degrees, 2.2, 1.95); }

// The resultant (force, moment about node 1) of q per arc length, integrated.
std::array<double, 6> Resultant(const BendSectionValues& s, const Vector3d& q) {
  const curved::Section reference = Reference(s);
  std::array<double, 6> total{};
  for (int i = 0; i < 3; ++i) {
    total[i] = q[i] * s.radius * s.angle;
    total[3 + i] = curved::Simpson(
        [&](double p) { return curved::Cross(curved::Point(reference, p), {q[0], q[1], q[2]})[i] * s.radius; }, 0.0,
        s.angle, 400);
  }
  return total;
}

// The end forces for the local displacements d as the analysis recovers a
// curved element's: from its force build, the stiffness, the loads -FE q
// and end 2 turned by the arc's angle.
Vector12d RecoveredEndForces(const BendStiffness& K, const BendFixedEndForces& FE, const BendCaseLoads& loads,
                             const Vector12d& d, double angle) {
  ElementForceBuild build;
  build.stiffness = K.local;
  build.loads = BendElementLoads(FE, loads);
  build.frames.bendAngle = angle;
  build.turnsEndTwo = true;
  return ElementForceRecord(build, d);
}

// Node 2's triples of a reported 12-vector back into the node-1 frame.
Vector12d FromNodeTwoFrame(Vector12d values, double angle) {
  TurnToNodeTwoFrame(values, -angle);
  return values;
}

class BendLoadAngles : public testing::TestWithParam<double> {};

TEST_P(BendLoadAngles, UnitLoadDisplacementsMatchTheIntegratedArc) {
  const BendSectionValues s = Bend(GetParam());
  const BendUnitDisplacements D = BuildBendUnitDisplacements(s, 6.5e-6);
  for (int column = 0; column < 3; ++column) {
    Vector3d q{};
    q[column] = 1.0;
    double scale = 0.0;
    double reference[6];
    for (int i = 0; i < 6; ++i) {
      reference[i] = curved::DistributedDisplacement(Reference(s), i, {q[0], q[1], q[2]});
      scale = std::max(scale, std::fabs(reference[i]) * (i < 3 ? 1.0 : s.radius));
    }
    for (int i = 0; i < 6; ++i)
      EXPECT_NEAR(D[i][column] * (i < 3 ? 1.0 : s.radius), reference[i] * (i < 3 ? 1.0 : s.radius), 1.0e-8 * scale)
          << "dof " << i << " column " << column << " at " << GetParam();
  }
  // One degree: the chord grows by alpha, nothing turns.
  const double t = s.angle;
  EXPECT_DOUBLE_EQ(D[0][kBendThermal], 6.5e-6 * 12.0 * std::sin(t));
  EXPECT_DOUBLE_EQ(D[1][kBendThermal], 6.5e-6 * 12.0 * (1.0 - std::cos(t)));
  for (int i = 2; i < 6; ++i) EXPECT_EQ(D[i][kBendThermal], 0.0);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(D[i][kBendPressure], 0.0);
}

TEST_P(BendLoadAngles, EndForcesBalanceTheElementLoadsAndAFreeEndCarriesNothing) {
  const BendSectionValues s = Bend(GetParam());
  BendStiffness K;
  ASSERT_TRUE(BuildBendStiffness(s, K));
  BendUnitDisplacements D = BuildBendUnitDisplacements(s, 6.5e-6);
  AddBendPressureColumn(D, s, {0.3, 500.0, 8.625, 0.322});
  const BendFixedEndForces FE = BuildBendFixedEndForces(K, D, s);
  BendCaseLoads loads;
  loads.sustained = true;
  loads.weight = {-3.0, -20.0, 4.0};
  loads.seismic = true;
  loads.seismicLoad = {2.0, 0.0, -1.5};
  loads.thermal = true;
  loads.deltaT = 300.0;
  loads.pressure = true;
  const Vector3d q{loads.weight[0] + loads.seismicLoad[0], loads.weight[1], loads.weight[2] + loads.seismicLoad[2]};
  const std::array<double, 6> W = Resultant(s, q);
  const double R = s.radius, t = s.angle;
  const Vector3d arm{R * std::sin(t), R * (1.0 - std::cos(t)), 0.0};
  // Any displacements: the forces the nodes exert balance the load.
  const Vector12d d{1e-3, -2e-3, 5e-4, 1e-4, -3e-4, 2e-4, -1e-3, 4e-3, 2e-3, -2e-4, 1e-4, 3e-4};
  const Vector12d Q = FromNodeTwoFrame(RecoveredEndForces(K, FE, loads, d, t), t);
  const Vector3d f1{-Q[0], -Q[1], -Q[2]}, f2{Q[6], Q[7], Q[8]};
  const Vector3d m2 = Cross(arm, f2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(f1[i] + f2[i] + W[i], 0.0, 1.0e-6 * std::fabs(W[1])) << i;
    EXPECT_NEAR(-Q[3 + i] + Q[9 + i] + m2[i] + W[3 + i], 0.0, 1.0e-6 * std::fabs(W[1]) * R) << i;
  }
  // Node 1 held, node 2 free under the distributed load alone: node 2
  // carries nothing and node 1's record is the whole resultant.
  BendCaseLoads weightOnly;
  weightOnly.sustained = true;
  weightOnly.weight = loads.weight;
  Vector12d free{};
  for (int i = 0; i < 6; ++i)
    for (int column = 0; column < 3; ++column) free[6 + i] += D[i][column] * loads.weight[column];
  const Vector12d cantilever = RecoveredEndForces(K, FE, weightOnly, free, t);
  const std::array<double, 6> Wweight = Resultant(s, loads.weight);
  for (int i = 0; i < 6; ++i) {
    const double scale = std::fabs(Wweight[1]) * (i < 3 ? 1.0 : R);
    EXPECT_NEAR(cantilever[6 + i], 0.0, 1.0e-6 * scale) << i;
    EXPECT_NEAR(cantilever[i], Wweight[i], 1.0e-6 * scale) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Arcs, BendLoadAngles, testing::Values(30.0, 90.0, 150.0));

TEST(BendLoadsTest, WeightThermalAndPressureLoadVectorsAgainstHandValues) {
  const BendSectionValues s = Bend(90.0);
  BendStiffness K;
  ASSERT_TRUE(BuildBendStiffness(s, K));
  BendUnitDisplacements D = BuildBendUnitDisplacements(s, 6.5e-6);
  // Hand values, 8-inch standard wall at 500 psi, nu 0.3, 90 degrees:
  // I = 72.48924, rm = 4.1515, phi = -[1.4 + 3.45 rm^2 / R^2] (pi / 2) 500 pi
  // rm^4 / (2 I E) = -3.284967e-4 rad; strain x R = 0.4 x 500 x 12 x 4.1515 /
  // (2 E 0.322) = 5.545315e-4 in; beta = -R phi / theta.
  AddBendPressureColumn(D, s, {0.3, 500.0, 8.625, 0.322});
  const double phi = -3.284967e-4, eps = 5.545315e-4, beta = -12.0 * phi / (kPi / 2.0);
  EXPECT_NEAR(D[5][kBendPressure], phi, 1.0e-9);
  EXPECT_NEAR(D[0][kBendPressure], eps + beta, 1.0e-9);
  EXPECT_NEAR(D[1][kBendPressure], eps + beta * (1.0 - kPi / 2.0), 1.0e-9);
  const BendFixedEndForces FE = BuildBendFixedEndForces(K, D, s);
  // Weight of 20 lb/in down local y: the nodal loads carry w R theta = 376.99 lb
  // in all, with the moment of the load about node 1.
  BendCaseLoads weight;
  weight.sustained = true;
  weight.weight = {0.0, -20.0, 0.0};
  const Vector12d L = BendElementLoads(FE, weight);
  EXPECT_NEAR(L[1] + L[7], -20.0 * 12.0 * kPi / 2.0, 1.0e-9);
  EXPECT_NEAR(L[0] + L[6], 0.0, 1.0e-9);
  EXPECT_NEAR(L[5] + L[11] + 12.0 * L[7] - 12.0 * L[6], -20.0 * 144.0 * (1.0 - std::cos(kPi / 2.0)), 1.0e-7);
  // Thermal and pressure loads are self-balanced; node 2's are Kf D.
  for (const auto& [thermal, pressure] : {std::pair{true, false}, std::pair{false, true}}) {
    BendCaseLoads state;
    state.thermal = thermal;
    state.deltaT = 330.0;
    state.pressure = pressure;
    const Vector12d T = BendElementLoads(FE, state);
    const int column = thermal ? kBendThermal : kBendPressure;
    const double scale = thermal ? 330.0 : 1.0;
    for (int i = 0; i < 6; ++i) {
      double expected = 0.0;
      for (int k = 0; k < 6; ++k) expected += K.nodeTwo[i][k] * D[k][column] * scale;
      EXPECT_NEAR(T[6 + i], expected, 1.0e-9 * std::fabs(K.nodeTwo[0][0]));
      if (i < 3) {
        EXPECT_NEAR(T[i] + T[6 + i], 0.0, 1.0e-7 * std::fabs(T[6]) + 1.0e-9);
      }
    }
  }
  // No load carried, no load given.
  for (double value : BendElementLoads(FE, BendCaseLoads{})) EXPECT_EQ(value, 0.0);
}

TEST(BendLoadsTest, MassesAndWind) {
  // Half the arc's weight over g at each node: 20 x 12 x (pi / 2) / 2 / 386.4.
  EXPECT_NEAR(BendNodeMass(20.0, 12.0, kPi / 2.0), 188.4956 / 386.4, 1.0e-6);
  EXPECT_NEAR(2.0 * BendNodeMass(3.0, 36.0, 0.5), 3.0 * 36.0 * 0.5 / 386.4, 1.0e-12);
  // A chord along (1, 1, 0) / sqrt 2 of length 12 sqrt 2, wind along X at
  // 0.05 psi on a 10-inch diameter: the part along the chord is dropped.
  const Vector3d force = ElementWindForce({0, 0, 0}, {12, 12, 0}, 10.0, 0.05, {1, 0, 0});
  const double half = 0.05 * 10.0 * 12.0 * std::sqrt(2.0) / 2.0;
  EXPECT_NEAR(force[0], half * 0.5, 1.0e-12);
  EXPECT_NEAR(force[1], -half * 0.5, 1.0e-12);
  EXPECT_NEAR(Dot(force, {1, 1, 0}), 0.0, 1.0e-12);
  for (double value : ElementWindForce({1, 2, 3}, {1, 2, 3}, 10.0, 0.05, {1, 0, 0})) EXPECT_EQ(value, 0.0);
}

}  // namespace
