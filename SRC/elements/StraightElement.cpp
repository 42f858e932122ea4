// The straight elements' flexibilities, stiffness, loads and masses; see
// StraightElement.h.
#include "elements/StraightElement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kGravity = 386.4;  // inch per second squared
constexpr double kZeroLength = 1.0e-8;

bool TakesBourdonElongation(ElementType kind) {
  return kind == ElementType::Pipe || kind == ElementType::JacketedPipe || kind == ElementType::Reducer ||
         kind == ElementType::CutPipe;
}

bool TakesThrust(ElementType kind) { return kind == ElementType::Bellows || kind == ElementType::SlipJoint; }

// An axial elongation delta as the pair of end forces that makes it.
void AddElongation(Vector12d& F, const Matrix12d& S, double delta) {
  F[0] += S[0][6] * delta;
  F[6] += S[6][6] * delta;
}

double SlidingSecant(double stiffness, double friction, double load) {
  const double f = std::fabs(friction), n = std::fabs(load);
  const double secant = n > f ? stiffness * n / (n - f) : kRigidStiffness;
  return std::max(secant, kFreeSlipStiffness);
}

}  // namespace

StraightFlexibilities PipeFlexibilities(const ElementCaseValues& v) {
  const double L = v.length;
  StraightFlexibilities f;
  f.fa = L / (v.area * v.modulus);
  f.fs = v.shearFactor == 0.0 ? 0.0 : L * v.shearFactor / (v.area * v.shearModulus);
  f.fb = L / (v.inertia * v.modulus);
  f.ft = L / (2.0 * v.inertia * v.shearModulus);
  return f;
}

StraightFlexibilities BellowsFlexibilities(double axial, double bending, double torsional, double lateral) {
  return {1.0 / (axial + 0.0001), 1.0 / (lateral + 0.0001), 1.0 / (bending + 0.0001), 1.0 / (torsional + 0.0001)};
}

StraightFlexibilities SlipJointFlexibilities(double axialStiffness, double torsionalStiffness) {
  StraightFlexibilities f;
  f.fa = 1.0 / std::max(axialStiffness, kFreeSlipStiffness);
  f.fs = 0.0;
  f.fb = 1.0 / kRigidStiffness;
  f.ft = 1.0 / std::max(torsionalStiffness, kFreeSlipStiffness);
  return f;
}

StraightFlexibilities RigidFlexibilities() {
  const double f = 1.0 / kRigidStiffness;
  return {f, f, f, f};
}

RotationalFlexibilities BranchRotationalFlexibilities(const BranchFlexibility& k, double fb, double ft) {
  RotationalFlexibilities r{k.k1 * fb, k.k2 * fb, k.k3 * ft};
  if (!k.branch) {
    if (k.k3 > 1.0) r.ftor = k.k3 * fb;
    return r;
  }
  if (k.k3 > 1.0) r.ftor = 2.0 * k.k3 * fb;
  if (k.k1 > 1.0) r.fry = std::max(2.0 * k.k1 * fb - k.headerTerm1, fb);
  if (k.k2 > 1.0) r.frz = std::max(2.0 * k.k2 * fb - k.headerTerm2, fb);
  return r;
}

Matrix12d StiffnessFromFlexibility(double length, const StraightFlexibilities& f) {
  return StiffnessFromFlexibility(length, f, {f.fb, f.fb, f.ft});
}

Matrix12d StiffnessFromFlexibility(double length, const StraightFlexibilities& f, const RotationalFlexibilities& r) {
  const double L = length == 0.0 ? kZeroLength : length;
  const double fv = L * L * f.fb / 3.0 + f.fs;  // transverse flexibility of a cantilever
  const double c = L * f.fb / 2.0, a = c / fv;
  const double ka = 1.0 / f.fa, kt = 1.0 / r.ftor;
  // x-z plane (translation z, rotation about y) and x-y plane (y, about z).
  const double kty = 1.0 / (r.fry - c * c / fv), kww = 1.0 / fv + a * a * kty, kwt = a * kty;
  const double ktz = 1.0 / (r.frz - c * c / fv), kvv = 1.0 / fv + a * a * ktz, kvt = -a * ktz;
  Matrix12d S{};
  auto set = [&S](int i, int j, double value) {  // 1-based, as the formulas
    S[i - 1][j - 1] = value;
    S[j - 1][i - 1] = value;
  };
  set(1, 1, ka), set(7, 7, ka), set(1, 7, -ka);
  set(4, 4, kt), set(10, 10, kt), set(4, 10, -kt);
  set(2, 2, kvv), set(8, 8, kvv), set(2, 8, -kvv);
  set(3, 3, kww), set(9, 9, kww), set(3, 9, -kww);
  set(11, 11, kty), set(12, 12, ktz);
  set(8, 12, kvt), set(9, 11, kwt), set(2, 12, -kvt), set(3, 11, -kwt);
  set(2, 6, L * kvv + kvt), set(3, 5, kwt - L * kww);
  set(6, 8, -L * kvv - kvt), set(5, 9, L * kww - kwt);
  set(5, 11, L * kwt - kty), set(6, 12, -L * kvt - ktz);
  set(5, 5, L * (L * kww - kwt) - (L * kwt - kty));
  set(6, 6, -L * S[5][7] - S[5][11]);
  return S;
}

void AddUniformLoad(Vector12d& F, double L, const Vector3d& q) {
  for (int i = 0; i < 3; ++i) {
    F[i] += L * q[i] / 2.0;
    F[6 + i] += L * q[i] / 2.0;
  }
  const double end = L * L / 12.0;
  F[4] -= q[2] * end;
  F[5] += q[1] * end;
  F[10] += q[2] * end;
  F[11] -= q[1] * end;
}

double BourdonElongation(const ElementCaseValues& v, double length) {
  const double meanRadius = (v.outsideDiameter - v.wallThickness) / 2.0;
  return (1.0 - 2.0 * v.poisson) * meanRadius * v.pressure * length / (2.0 * v.modulus * v.wallThickness);
}

Vector12d StraightElementLoads(const Matrix12d& S, const StraightLoadInput& in, const CaseLoadSet& loads,
                               bool withWeight) {
  Vector12d F{};
  const ElementCaseValues& v = in.values;
  const double L = in.length;
  if (withWeight && loads.sustained) {
    AddUniformLoad(F, L, ToLocal(in.axes, Scaled(UpwardVector(loads), -v.weightPerLength)));
    if (TakesThrust(in.kind)) {
      F[0] -= v.pressure * in.thrustArea;
      F[6] += v.pressure * in.thrustArea;
    }
  }
  if (loads.pressure && TakesBourdonElongation(in.kind)) AddElongation(F, S, BourdonElongation(v, L));
  if (loads.coldSpring && in.cut != 0.0) AddElongation(F, S, -in.cut);
  if (loads.thermal && in.kind != ElementType::SlipJoint)
    AddElongation(F, S, (v.temperature - loads.referenceTemperature) * v.expansion * L);
  if (loads.seismic) AddUniformLoad(F, L, ToLocal(in.axes, Scaled(loads.seismicG, v.weightPerLength)));
  return F;
}

double StraightNodeMass(double weightPerLength, double length) { return weightPerLength * length * 0.5 / kGravity; }

NodePairLoads AttachedWeightLoads(const Vector3d& halfForce, const Vector3d& p1, const Vector3d& p2,
                                  const Vector3d& offset) {
  Vector3d at{};  // where the weight hangs
  for (int i = 0; i < 3; ++i) at[i] = (p1[i] + p2[i]) / 2.0 + offset[i];
  NodePairLoads result;
  result.force1 = result.force2 = halfForce;
  result.moment1 = Cross(Difference(at, p1), halfForce);
  result.moment2 = Cross(Difference(at, p2), halfForce);
  return result;
}

void UpdateSlipJointSecants(SlipJointState& state, double frictionForce, double frictionTorque) {
  if (frictionForce != 0.0) state.axialSecant = SlidingSecant(state.axialStiffness, frictionForce, state.axialForce);
  if (frictionTorque != 0.0)
    state.torsionalSecant = SlidingSecant(state.torsionalStiffness, frictionTorque, state.torsionalMoment);
}
