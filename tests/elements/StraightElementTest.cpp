// The straight element: its stiffness against the shear-flexible
// (Timoshenko) beam formula and the ordinary beam without shear, zero forces
// under the rigid-body motions, the flexibilities of bellows, slip joints
// and rigid elements, the load vectors of weight, thermal growth, Bourdon
// elongation, thrust, cold spring cut and static seismic against hand
// values, the lumped masses, the valve's hung weight and the slip joint's
// floored secants.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "elements/StraightElement.h"

namespace {

constexpr double kPi = std::numbers::pi;

// 6-inch schedule 40 pipe, 100 inches long.
ElementCaseValues SixInchPipe(double shearFactor) {
  const double od = 6.625, id = od - 2.0 * 0.280;
  ElementCaseValues v;
  v.length = 100.0;
  v.outsideDiameter = od;
  v.wallThickness = 0.280;
  v.area = kPi / 4.0 * (od * od - id * id);
  v.inertia = kPi / 64.0 * (std::pow(od, 4) - std::pow(id, 4));
  v.shearFactor = shearFactor;
  v.modulus = 27.9e6;
  v.shearModulus = 27.9e6 / 2.6;
  v.poisson = 0.3;
  v.expansion = 6.5e-6;
  v.weightPerLength = 2.5;
  v.temperature = 400.0;
  v.pressure = 500.0;
  return v;
}

// Compares the bending terms of one plane with the Timoshenko beam:
// Phi = 12 E I fs / L^3, 12EI/(L^3(1+Phi)), 6EI/(L^2(1+Phi)),
// (4+Phi)EI/(L(1+Phi)), (2-Phi)EI/(L(1+Phi)).
void ExpectTimoshenkoPlane(const Matrix12d& S, const ElementCaseValues& v, int w, int r, double sign) {
  const double L = v.length, EI = v.modulus * v.inertia;
  const double fs = v.shearFactor * L / (v.area * v.shearModulus);
  const double phi = 12.0 * EI * fs / (L * L * L), d = 1.0 + phi;
  const double tolerance = 1.0e-9;
  auto near = [&](int i, int j, double expected) {
    EXPECT_NEAR(S[i][j] / expected, 1.0, tolerance) << i << "," << j;
  };
  near(w, w, 12.0 * EI / (L * L * L * d));
  near(w, w + 6, -12.0 * EI / (L * L * L * d));
  near(w, r, sign * 6.0 * EI / (L * L * d));
  near(w, r + 6, sign * 6.0 * EI / (L * L * d));
  near(w + 6, r + 6, -sign * 6.0 * EI / (L * L * d));
  near(r, r, (4.0 + phi) * EI / (L * d));
  near(r + 6, r + 6, (4.0 + phi) * EI / (L * d));
  near(r, r + 6, (2.0 - phi) * EI / (L * d));
}

TEST(StraightElementTest, StiffnessIsTheShearFlexibleBeamAndWithoutShearTheOrdinaryBeam) {
  for (double shearFactor : {0.0, 1.95}) {
    const ElementCaseValues v = SixInchPipe(shearFactor);
    const Matrix12d S = StiffnessFromFlexibility(v.length, PipeFlexibilities(v));
    ExpectTimoshenkoPlane(S, v, 1, 5, 1.0);   // v and rotation about z
    ExpectTimoshenkoPlane(S, v, 2, 4, -1.0);  // w and rotation about y
    EXPECT_NEAR(S[0][0], v.area * v.modulus / v.length, 1.0e-6 * S[0][0]);
    EXPECT_NEAR(S[0][6], -v.area * v.modulus / v.length, 1.0e-6 * S[0][0]);
    EXPECT_NEAR(S[3][3], 2.0 * v.inertia * v.shearModulus / v.length, 1.0e-6 * S[3][3]);
    // No coupling between axial, torsion and bending.
    for (int j : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11}) EXPECT_EQ(S[0][j], 0.0);
  }
  // Shear softens: the shear-flexible transverse term is the smaller.
  EXPECT_LT(StiffnessFromFlexibility(100.0, PipeFlexibilities(SixInchPipe(1.95)))[1][1],
            StiffnessFromFlexibility(100.0, PipeFlexibilities(SixInchPipe(0.0)))[1][1]);
}

TEST(StraightElementTest, SymmetricWithNoForcesUnderRigidBodyMotionsForEveryKind) {
  const ElementCaseValues v = SixInchPipe(1.95);
  for (const StraightFlexibilities& f :
       {PipeFlexibilities(v), BellowsFlexibilities(500.0, 2.0e4, 3.0e4, 800.0), SlipJointFlexibilities(1.0, 1.0),
        RigidFlexibilities()}) {
    const Matrix12d S = StiffnessFromFlexibility(v.length, f);
    double largest = 0.0;
    for (const auto& row : S)
      for (double value : row) largest = std::max(largest, std::fabs(value));
    for (int i = 0; i < 12; ++i)
      for (int j = 0; j < 12; ++j) EXPECT_EQ(S[i][j], S[j][i]);
    for (int mode = 0; mode < 6; ++mode) {
      Vector12d u{};
      if (mode < 3) {
        u[mode] = u[6 + mode] = 1.0;
      } else {
        Vector3d rotation{};
        rotation[mode - 3] = 1.0e-3;
        const Vector3d moved = Cross(rotation, {v.length, 0.0, 0.0});
        for (int i = 0; i < 3; ++i) {
          u[3 + i] = u[9 + i] = rotation[i];
          u[6 + i] = moved[i];
        }
      }
      for (double force : Multiply(S, u)) EXPECT_NEAR(force, 0.0, 1.0e-9 * largest) << "mode " << mode;
    }
  }
}

TEST(StraightElementTest, BellowsSlipJointAndRigidFlexibilities) {
  const StraightFlexibilities zero = BellowsFlexibilities(0.0, 0.0, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(zero.fa, 10000.0);
  EXPECT_DOUBLE_EQ(zero.fs, 10000.0);
  EXPECT_DOUBLE_EQ(zero.fb, 10000.0);
  EXPECT_DOUBLE_EQ(zero.ft, 10000.0);
  const StraightFlexibilities rigid = RigidFlexibilities();
  EXPECT_EQ(rigid.fa, 1.0e-12);
  EXPECT_EQ(StiffnessFromFlexibility(10.0, rigid)[0][0], 1.0e12);
  // A slip joint's springs are floored, never 0 (a 0 would divide by 0).
  const StraightFlexibilities slip = SlipJointFlexibilities(0.0, -5.0);
  EXPECT_EQ(slip.fa, 1.0);
  EXPECT_EQ(slip.ft, 1.0);
  EXPECT_EQ(slip.fs, 0.0);
  EXPECT_EQ(SlipJointFlexibilities(2500.0, 1.0e12).fa, 1.0 / 2500.0);
  // A zero length stays finite.
  for (const auto& row : StiffnessFromFlexibility(0.0, BellowsFlexibilities(1.0, 1.0, 1.0, 1.0)))
    for (double value : row) EXPECT_TRUE(std::isfinite(value));
}

TEST(StraightElementTest, SlipJointSecantsAreForceOverMovementAndFloored) {
  SlipJointState state;
  state.axialStiffness = 1.0;
  state.axialForce = -1500.0;  // |N| 1500 against a friction of 1000: slides
  state.torsionalMoment = 200.0;
  UpdateSlipJointSecants(state, 1000.0, 500.0);
  EXPECT_DOUBLE_EQ(state.axialSecant, 1500.0 / 500.0);
  EXPECT_EQ(state.torsionalSecant, 1.0e12);  // 200 below 500: sticks
  // A friction typed negative is taken by its size; nothing falls below 1.
  state.axialForce = 0.0;
  UpdateSlipJointSecants(state, -1000.0, 0.0);
  EXPECT_EQ(state.axialSecant, 1.0e12);
  state.axialStiffness = 1.0e-3;
  state.axialForce = 5000.0;
  UpdateSlipJointSecants(state, 10.0, 0.0);
  EXPECT_EQ(state.axialSecant, 1.0);
  // No friction: the secants stay.
  state.axialSecant = 7.0;
  UpdateSlipJointSecants(state, 0.0, 0.0);
  EXPECT_EQ(state.axialSecant, 7.0);
}

TEST(StraightElementTest, LoadVectorsAgainstHandValues) {
  ElementCaseValues v = SixInchPipe(0.0);
  StraightLoadInput in;
  in.length = 100.0;
  in.values = v;
  const Matrix12d S = StiffnessFromFlexibility(in.length, PipeFlexibilities(v));
  const double ka = S[6][6];
  CaseLoadSet weight;
  weight.sustained = true;
  // A horizontal pipe along X, Y up: F2 = F8 = -wL/2, F6 = -wL^2/12, F12 = +wL^2/12.
  Vector12d F = StraightElementLoads(S, in, weight, true);
  EXPECT_DOUBLE_EQ(F[1], -125.0);
  EXPECT_DOUBLE_EQ(F[7], -125.0);
  EXPECT_DOUBLE_EQ(F[5], -2.5 * 10000.0 / 12.0);
  EXPECT_DOUBLE_EQ(F[11], 2.5 * 10000.0 / 12.0);
  EXPECT_EQ(F[0], 0.0);
  EXPECT_EQ(F[2], 0.0);
  EXPECT_TRUE(StraightElementLoads(S, in, weight, false) == Vector12d{});
  // With Z up the weight falls along -z: F3 = -wL/2, F5 = +wL^2/12.
  weight.zVertical = true;
  F = StraightElementLoads(S, in, weight, true);
  EXPECT_DOUBLE_EQ(F[2], -125.0);
  EXPECT_DOUBLE_EQ(F[4], 2.5 * 10000.0 / 12.0);
  // Thermal growth 330 F x 6.5e-6 x 100 = 0.2145 in, pushed apart by ka.
  CaseLoadSet thermal;
  thermal.thermal = true;
  F = StraightElementLoads(S, in, thermal, true);
  EXPECT_NEAR(F[0], -ka * 0.2145, 1.0e-9 * ka);
  EXPECT_NEAR(F[6], ka * 0.2145, 1.0e-9 * ka);
  // Bourdon elongation: 0.4 x 3.1725 x 500 x 100 / (2 x 27.9e6 x 0.28) = 0.00406106 in.
  EXPECT_NEAR(BourdonElongation(v, 100.0), 0.00406106, 1.0e-8);
  CaseLoadSet pressure;
  pressure.pressure = true;
  F = StraightElementLoads(S, in, pressure, true);
  EXPECT_NEAR(F[6], ka * 0.00406106, 1.0e-8 * ka);
  in.kind = ElementType::Valve;  // a valve does not stretch under pressure
  EXPECT_TRUE(StraightElementLoads(S, in, pressure, true) == Vector12d{});
  // A bellows' thrust: 500 psi on 40 square inches pushes the ends apart.
  in.kind = ElementType::Bellows;
  in.thrustArea = 40.0;
  CaseLoadSet sustained;
  sustained.sustained = true;
  F = StraightElementLoads(S, in, sustained, true);
  EXPECT_DOUBLE_EQ(F[0], -20000.0);
  EXPECT_DOUBLE_EQ(F[6], 20000.0);
  // A slip joint takes no thermal growth.
  in.kind = ElementType::SlipJoint;
  EXPECT_TRUE(StraightElementLoads(S, in, thermal, true) == Vector12d{});
  // A cut pipe's 0.5-inch cut pulls its ends together in a cold spring case.
  in.kind = ElementType::CutPipe;
  in.cut = 0.5;
  CaseLoadSet coldSpring;
  coldSpring.coldSpring = true;
  F = StraightElementLoads(S, in, coldSpring, true);
  EXPECT_NEAR(F[0], 0.5 * ka, 1.0e-9 * ka);
  EXPECT_NEAR(F[6], -0.5 * ka, 1.0e-9 * ka);
  // Static seismic 0.3 g along global Z on a pipe along Y: local z is +Z.
  in.kind = ElementType::Pipe;
  in.cut = 0.0;
  in.axes = {{0.0, 1.0, 0.0}, {-1.0, 0.0, 0.0}, {0.0, 0.0, 1.0}};
  CaseLoadSet seismic;
  seismic.seismic = true;
  seismic.seismicG = {0.0, 0.0, 0.3};
  F = StraightElementLoads(S, in, seismic, true);
  EXPECT_DOUBLE_EQ(F[2], 0.3 * 2.5 * 50.0);
  EXPECT_DOUBLE_EQ(F[4], -0.3 * 2.5 * 10000.0 / 12.0);
  EXPECT_EQ(F[1], 0.0);
}

TEST(StraightElementTest, MassesAndAHungWeightCarryTheWholeLoad) {
  EXPECT_NEAR(2.0 * StraightNodeMass(2.5, 100.0), 250.0 / 386.4, 1.0e-12);
  // 300 lb hung 6 inches off the middle of a 48-inch valve along X.
  const Vector3d p1{0, 0, 0}, p2{48, 0, 0}, half{0, -150, 0}, offset{6, 0, 2};
  const NodePairLoads loads = AttachedWeightLoads(half, p1, p2, offset);
  EXPECT_EQ(loads.force1[1] + loads.force2[1], -300.0);
  // Moment about node 1 of the whole: (30, 0, 2) x (0, -300, 0) = (600, 0, -9000).
  const Vector3d about1 = Cross(Difference(p2, p1), loads.force2);
  EXPECT_DOUBLE_EQ(loads.moment1[0] + loads.moment2[0] + about1[0], 600.0);
  EXPECT_DOUBLE_EQ(loads.moment1[2] + loads.moment2[2] + about1[2], -9000.0);
  EXPECT_DOUBLE_EQ(loads.moment1[2], 30.0 * -150.0);
  EXPECT_DOUBLE_EQ(loads.moment2[2], -18.0 * -150.0);
}

}  // namespace
