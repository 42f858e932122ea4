// The straight element: its stiffness against the shear-flexible
// (Timoshenko) beam formula and the ordinary beam without shear, zero forces
// under the rigid-body motions, the flexibilities of bellows, slip joints
// and rigid elements, the load vectors of weight, thermal growth, Bourdon
// elongation, thrust, cold spring cut and static seismic against hand
// values, the lumped masses, the valve's hung weight and the slip joint's
// floored secants; with B31J factors at a branch connection, the rotational
// flexibilities a run and a branch take and the stiffness built from them,
// checked by inverting it back to the cantilever's flexibility.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

#include "elements/BendTesting.h"
#include "elements/StraightElement.h"

namespace {

constexpr double kPi = std::numbers::pi;

// 6-inch schedule 40 pipe, 100 inches long: L, D, t, A, I, k, E, G, nu, alpha, w, T, P.
ElementCaseValues SixInchPipe(double shearFactor) {
  const double od = 6.625, id = od - 2.0 * 0.280;
  return {100.0,  od,     0.280, kPi / 4.0 * (od * od - id * id), kPi / 64.0 * (std::pow(od, 4) - std::pow(id, 4)),
          shearFactor, 27.9e6, 27.9e6 / 2.6, 0.3, 6.5e-6, 2.5, 400.0, 500.0};
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
  for (const StraightFlexibilities& f : {PipeFlexibilities(v), BellowsFlexibilities(500.0, 2.0e4, 3.0e4, 800.0),
                                         SlipJointFlexibilities(1.0, 1.0), RigidFlexibilities()})
    ExpectSymmetricAndFreeOfRigidBodyForces(StiffnessFromFlexibility(v.length, f), {v.length, 0.0, 0.0});
}

// The end-2 flexibility of the element held at end 1 in one bending plane
// (translation index w, rotation index r): the inverse of the 2 x 2 block.
std::array<double, 3> EndFlexibility(const Matrix12d& S, int w, int r) {
  const double a = S[w][w], b = S[w][r], d = S[r][r], det = a * d - b * b;
  return {d / det, -b / det, a / det};  // translation, coupling, rotation
}

TEST(StraightElementTest, B31JFactorsRaiseTheRotationalFlexibilitiesOfRunsAndBranches) {
  const double fb = 2.0e-7, ft = 2.6e-7;
  // A run: k3 above 1 takes fb in torsion; k1, k2 multiply fb.
  BranchFlexibility run;
  run.k1 = 1.5;
  run.k3 = 1.2;
  RotationalFlexibilities r = BranchRotationalFlexibilities(run, fb, ft);
  EXPECT_DOUBLE_EQ(r.fry, 1.5 * fb);
  EXPECT_DOUBLE_EQ(r.frz, fb);
  EXPECT_DOUBLE_EQ(r.ftor, 1.2 * fb);
  run.k3 = 1.0;
  EXPECT_DOUBLE_EQ(BranchRotationalFlexibilities(run, fb, ft).ftor, ft);
  // A branch: twice the factor less the header's share, for factors above 1.
  BranchFlexibility branch;
  branch.branch = true;
  branch.k2 = 1.8;
  branch.k3 = 1.1;
  branch.headerTerm1 = 5.0e-8;
  branch.headerTerm2 = 4.0e-8;
  r = BranchRotationalFlexibilities(branch, fb, ft);
  EXPECT_DOUBLE_EQ(r.fry, fb);  // k1 = 1: the header's share is not taken off
  EXPECT_DOUBLE_EQ(r.frz, 2.0 * 1.8 * fb - 4.0e-8);
  EXPECT_DOUBLE_EQ(r.ftor, 2.0 * 1.1 * fb);
  // A stub far shorter than the header's radius would come out with a
  // flexibility below 0: it keeps the plain pipe's.
  branch.headerTerm2 = 1.0e-6;
  EXPECT_DOUBLE_EQ(BranchRotationalFlexibilities(branch, fb, ft).frz, fb);

  // The stiffness from fry, frz and ftor: held at end 1, end 2 turns by
  // frz (fry) under a unit moment and moves by fv = L^2 fb / 3 + fs under a
  // unit force, coupled by L fb / 2, whatever the added flexibility.
  const ElementCaseValues v = SixInchPipe(1.95);
  const StraightFlexibilities f = PipeFlexibilities(v);
  const RotationalFlexibilities raised{1.7 * f.fb, 2.3 * f.fb, 1.4 * f.ft};
  const Matrix12d S = StiffnessFromFlexibility(v.length, f, raised);
  const double L = v.length, fv = L * L * f.fb / 3.0 + f.fs;
  const std::array<double, 3> xy = EndFlexibility(S, 7, 11), xz = EndFlexibility(S, 8, 10);
  EXPECT_NEAR(xy[0] / fv, 1.0, 1e-9);
  EXPECT_NEAR(std::fabs(xy[1]) / (L * f.fb / 2.0), 1.0, 1e-9);
  EXPECT_NEAR(xy[2] / raised.frz, 1.0, 1e-9);
  EXPECT_NEAR(xz[0] / fv, 1.0, 1e-9);
  EXPECT_NEAR(xz[2] / raised.fry, 1.0, 1e-9);
  EXPECT_NEAR(S[9][9] * raised.ftor, 1.0, 1e-12);
  ExpectSymmetricAndFreeOfRigidBodyForces(S, {v.length, 0.0, 0.0});
  // The plain form is the one with fb, fb and ft.
  EXPECT_EQ(StiffnessFromFlexibility(v.length, f), StiffnessFromFlexibility(v.length, f, {f.fb, f.fb, f.ft}));
}

auto Tuple(const StraightFlexibilities& f) { return std::make_tuple(f.fa, f.fs, f.fb, f.ft); }

TEST(StraightElementTest, KindFlexibilitiesStayFiniteAndSlipSecantsAreFloored) {
  EXPECT_EQ(Tuple(BellowsFlexibilities(0.0, 0.0, 0.0, 0.0)), std::make_tuple(1.0e4, 1.0e4, 1.0e4, 1.0e4));
  EXPECT_EQ(Tuple(RigidFlexibilities()), std::make_tuple(1.0e-12, 1.0e-12, 1.0e-12, 1.0e-12));
  EXPECT_EQ(StiffnessFromFlexibility(10.0, RigidFlexibilities())[0][0], 1.0e12);
  // A slip joint's springs are floored at 1, never 0 (a 0 would divide by 0).
  EXPECT_EQ(Tuple(SlipJointFlexibilities(0.0, -5.0)), std::make_tuple(1.0, 0.0, 1.0e-12, 1.0));
  EXPECT_EQ(SlipJointFlexibilities(2500.0, 1.0e12).fa, 1.0 / 2500.0);
  for (const auto& row : StiffnessFromFlexibility(0.0, BellowsFlexibilities(1.0, 1.0, 1.0, 1.0)))
    for (double value : row) EXPECT_TRUE(std::isfinite(value));  // a zero length
  // Secants: |N| 1500 against a friction of 1000 slides (1500 / 500); a
  // torque of 200 against 500 sticks.
  SlipJointState state;
  state.axialForce = -1500.0;
  state.torsionalMoment = 200.0;
  UpdateSlipJointSecants(state, 1000.0, 500.0);
  EXPECT_EQ(std::make_pair(state.axialSecant, state.torsionalSecant), std::make_pair(3.0, 1.0e12));
  state.axialForce = 0.0;  // a friction typed negative is taken by its size
  UpdateSlipJointSecants(state, -1000.0, 0.0);
  EXPECT_EQ(state.axialSecant, 1.0e12);
  state.axialStiffness = 1.0e-3;  // nothing falls below 1
  state.axialForce = 5000.0;
  UpdateSlipJointSecants(state, 10.0, 0.0);
  EXPECT_EQ(state.axialSecant, 1.0);
}

TEST(StraightElementTest, LoadVectorsAgainstHandValues) {
  StraightLoadInput in;
  in.length = 100.0;
  in.values = SixInchPipe(0.0);
  const Matrix12d S = StiffnessFromFlexibility(in.length, PipeFlexibilities(in.values));
  const double ka = S[6][6], end = 2.5 * 10000.0 / 12.0;  // w L^2 / 12
  auto loads = [&](ElementType kind, auto setCase) {
    in.kind = kind;
    CaseLoadSet set;
    setCase(set);
    return StraightElementLoads(S, in, set, true);
  };
  // Weight on a pipe along X, Y up: F2 = F8 = -wL/2, F6 = -wL^2/12, F12 = +wL^2/12; with Z up along -z.
  EXPECT_EQ(loads(ElementType::Pipe, [](CaseLoadSet& c) { c.sustained = true; }),
            (Vector12d{0, -125, 0, 0, 0, -end, 0, -125, 0, 0, 0, end}));
  EXPECT_EQ(loads(ElementType::Pipe, [](CaseLoadSet& c) { c.sustained = c.zVertical = true; }),
            (Vector12d{0, 0, -125, 0, end, 0, 0, 0, -125, 0, -end, 0}));
  // Axial pairs: thermal growth 330 F x 6.5e-6 x 100 = 0.2145 in; Bourdon
  // elongation 0.4 x 3.1725 x 500 x 100 / (2 x 27.9e6 x 0.28) = 0.00406106 in;
  // a cut pipe's 0.5 in cut pulls together; a bellows' 500 psi on 40 in2 pushes apart.
  const struct {
    ElementType kind;
    void (*setCase)(CaseLoadSet&);
    double stretch;  // F7 = -F1
  } pairs[] = {
      {ElementType::Pipe, [](CaseLoadSet& c) { c.thermal = true; }, ka * 0.2145},
      {ElementType::Pipe, [](CaseLoadSet& c) { c.pressure = true; }, ka * 0.00406106},
      {ElementType::Valve, [](CaseLoadSet& c) { c.pressure = true; }, 0.0},
      {ElementType::SlipJoint, [](CaseLoadSet& c) { c.thermal = true; }, 0.0},
      {ElementType::CutPipe, [](CaseLoadSet& c) { c.coldSpring = true; }, -0.5 * ka},
      {ElementType::Bellows, [](CaseLoadSet& c) { c.sustained = true; }, 20000.0},
  };
  in.cut = 0.5;
  in.thrustArea = 40.0;
  for (const auto& pair : pairs) {
    Vector12d F = loads(pair.kind, pair.setCase);
    EXPECT_NEAR(F[6], pair.stretch, 1.0e-8 * ka) << static_cast<int>(pair.kind);
    EXPECT_NEAR(F[0], -pair.stretch, 1.0e-8 * ka) << static_cast<int>(pair.kind);
    if (pair.kind != ElementType::Bellows) F[0] = F[6] = 0.0;
    else F[1] = F[5] = F[7] = F[11] = F[0] = F[6] = 0.0;  // its weight aside
    EXPECT_EQ(F, Vector12d{});
  }
  EXPECT_NEAR(BourdonElongation(in.values, 100.0), 0.00406106, 1.0e-8);
  // Static seismic 0.3 g along global Z on a pipe along Y: local z is +Z.
  in.axes = {{0.0, 1.0, 0.0}, {-1.0, 0.0, 0.0}, {0.0, 0.0, 1.0}};
  EXPECT_EQ(loads(ElementType::Pipe, [](CaseLoadSet& c) { c.seismic = true, c.seismicG = {0.0, 0.0, 0.3}; }),
            (Vector12d{0, 0, 37.5, 0, -0.3 * end, 0, 0, 0, 37.5, 0, 0.3 * end, 0}));
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
