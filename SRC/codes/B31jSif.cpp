// B31J branch connection SIFs; see B31jSif.h. The branch side's caps are
// those of the unreinforced fabricated tee, the run side's likewise; every
// result is at least 1.0001 (the fitting is present), the branch's
// out-of-plane SIF never below its in-plane SIF and the run's in-plane SIF
// never below its out-of-plane SIF.
#include "codes/B31jSif.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kFitting = 1.0001;

// Caps each factor, lifts the side's larger plane (out-of-plane on the
// branch, in-plane on the run) to at least the other, and floors the three.
void Store(double ii, double io, double it, const SifTriple& caps, bool branchSide, double inPlaneFloor,
           SifTriple& sif) {
  ii = std::min(ii, caps.inPlane);
  io = std::min(io, caps.outPlane);
  it = std::min(it, caps.torsion);
  if (branchSide) io = std::max(io, ii);
  else ii = std::max(ii, io);
  sif.inPlane = std::max(ii, inPlaneFloor);
  sif.outPlane = std::max(io, kFitting);
  sif.torsion = std::max(it, kFitting);
}

double P(double beta, double c0, double c1, double c2, double c3) {
  return c0 + c1 * beta + c2 * beta * beta + c3 * beta * beta * beta;
}

}  // namespace

BranchRatios RatiosOf(const BranchGeometry& g) {
  BranchRatios q;
  q.R = (g.D - g.T) / 2.0;
  q.r = (g.d - g.t) / 2.0;
  q.beta = (2.0 * q.r) / (2.0 * q.R);
  q.gamma = q.R / g.T;
  q.tau = g.t / g.T;
  return q;
}

bool B31jGeometryInRange(const BranchGeometry& g) {
  if (!(g.T > 0.0 && g.t > 0.0 && g.D > g.T && g.d > g.t)) return false;
  const BranchRatios q = RatiosOf(g);
  return q.gamma <= 50.0 && q.beta <= 1.0 && q.r / g.t <= 50.0;
}

void B31jBranchSif(const BranchGeometry& g, SifTriple& sif) {
  if (!B31jGeometryInRange(g)) return;
  const BranchRatios q = RatiosOf(g);
  const double b = q.beta, gm = q.gamma, tau = q.tau, twoGamma = 2.0 * q.gamma;
  const double tau1 = std::max(tau, 1.0), tau2 = std::max(tau, 0.85);
  const double g23 = std::pow(gm, kTwoThirds);
  // A thin branch on a thin header gets the correction C (C2 for the pad).
  const bool thinCorrection = tau2 <= 0.85 && b < 1.0 && twoGamma > 25.0;
  auto correction = [&](double a0, double a1, double a2) {
    return std::max(std::pow(twoGamma, 0.34) * (a0 + a1 * tau2 + a2 * tau2 * tau2), 1.0);
  };
  const double iiMax = std::pow(gm, 0.76) * std::pow(tau1, 0.74) * P(b, 0.038, 1.45, -2.39, 1.34);
  double ioMax = g23 * P(b, 0.038, 2.0, 2.0, -3.1) * tau2;
  if (thinCorrection) ioMax *= correction(0.18, 0.75, -0.89);
  const double itMax = 0.45 * b * b * std::pow(tau, 0.29) * std::pow(gm, 0.8);

  double ii = 0.0, io = 0.0, it = 0.0;
  switch (g.type) {
    case 1:
    case 5: {
      if (tau > 1.2) return;
      const bool sweepolet = g.type == 5;
      ii = (sweepolet ? 0.35 : 0.33) * std::pow(b, 0.18) * std::pow(tau, 0.7) * g23;
      io = (sweepolet ? 0.48 : 0.42) * g23 * std::pow(tau, 0.37) * std::pow(b, 0.37);
      it = (sweepolet ? 0.44 : 0.42) * std::pow(b, 1.1) * g23 * std::pow(tau, 1.1);
      break;
    }
    case 2: {
      const double tr = std::min(g.dimension1, 1.5 * g.T), X = g.T + tr / 2.0;
      const double base = g.T * std::pow(q.R, kTwoThirds) * std::pow(X, -5.0 / 3.0);
      ii = base * std::pow(tau, 0.3) * P(b, 0.0, 3.33, -5.49, 2.94);
      io = base * std::pow(tau2, 0.3) * P(b, 0.0, 2.86, 2.4, -4.34);
      if (thinCorrection) io *= correction(0.026, 1.07, -1.08);
      it = 0.642 * b * b * std::pow(tau, 0.3) * std::pow(X, -5.0 / 3.0) * std::pow(q.R, kTwoThirds) * g.T;
      break;
    }
    case 3:
      ii = iiMax;
      io = ioMax;
      it = itMax;
      break;
    case 4: {
      if (tau > 1.2) return;
      const double rx = std::max(g.dimension1, 0.05 * g.d);
      const double y = std::pow(1.0 + rx / q.R, -kTwoThirds);
      ii = 0.56 * std::pow(b, 0.68) * g23 * y;
      io = 0.85 * std::pow(b, 0.5) * g23 * y;
      it = 0.71 * b * b * g23 * y;
      break;
    }
    case 6:
      ii = 0.85 * tau * std::pow(gm, 0.81) * P(b, 0.08, 1.28, -2.35, 1.45);
      io = std::pow(0.85, 1.18) * std::pow(gm, 0.82) * P(b, 0.0, 1.83, 0.0, -1.07) * tau;
      if (twoGamma < 40.0) io *= 0.75;
      it = 0.6545 * b * b * g23;
      break;
    default: return;
  }
  Store(ii, io, it, {iiMax, ioMax, itMax}, true, kFitting, sif);
}

void B31jRunSif(const BranchGeometry& g, SifTriple& sif) {
  sif.torsion = kFitting;
  if (!B31jGeometryInRange(g)) return;
  const BranchRatios q = RatiosOf(g);
  const double b = q.beta, gm = q.gamma, tau = q.tau;
  const double g23 = std::pow(gm, kTwoThirds);
  const double b1 = std::max(b, 0.5), tau1 = std::max(tau, 0.5), tau3 = std::max(tau, 0.15);
  const double iiMax = std::max(1.2 * std::pow(gm, 0.4) * std::pow(tau, -0.35) * std::pow(b, 0.5), 1.5);
  const double ioMax = std::pow(gm, 0.43) * std::pow(tau1, -0.7) * P(b1, 0.0, 1.0, -2.7, 2.62);
  const double itMax = 1.2 * std::pow(gm, 0.46) * std::pow(b, 1.37) * std::pow(tau3, -0.45);

  double ii = 0.0, io = 0.0, it = 0.0, floor = kFitting;
  switch (g.type) {
    case 1:
    case 5: {
      if (tau > 1.2) return;
      const bool sweepolet = g.type == 5;
      ii = (sweepolet ? 1.0 : 0.98) * std::pow(b, 0.72) * std::pow(tau, -0.52) * std::pow(gm, 0.35);
      io = (sweepolet ? 0.72 : 0.61) * std::pow(gm, 0.29) * std::pow(tau, -0.53) * std::pow(b, 1.95);
      it = (sweepolet ? 0.36 : 0.34) * g23 * std::pow(tau, -0.5) * b;
      break;
    }
    case 2: {
      const double tr = std::min(g.dimension1, 1.5 * g.T), gp = q.R / (g.T + tr / 2.0);
      ii = std::max(std::pow(tau, -0.34) * std::pow(b, 0.54) * std::pow(gp, 0.45), 1.5);
      io = std::pow(tau, -0.25) * std::pow(gp, 0.35) * P(b, 0.0, 1.29, -2.87, 2.39);
      it = 0.36 * std::pow(b, 1.4) * std::pow(gp, kTwoThirds) * std::pow(tau, -0.6);
      floor = 1.5;
      break;
    }
    case 3:
      ii = iiMax;
      io = ioMax;
      it = itMax;
      floor = 1.5;
      break;
    case 4: {
      if (tau > 1.2) return;
      const double rx = std::max(g.dimension1, 0.05 * g.d);
      const double y = std::pow(1.0 + rx / q.R, -kTwoThirds);
      ii = 1.45 * std::pow(gm, 0.35) * y * std::pow(b, 0.72) * std::pow(tau, -0.52);
      io = 0.58 * g23 * y * std::pow(b, 2.69);
      it = 0.55 * g23 * y * std::pow(tau, -0.5) * b;
      break;
    }
    case 6:
      ii = std::max(std::pow(gm, 0.43) * std::pow(b, 0.2), 1.5);
      io = std::pow(gm, 0.43) * P(b, 0.02, 0.88, -2.56, 2.58);
      it = 1.3 * std::pow(gm, 0.45) * std::pow(b, 1.37);
      floor = 1.5;
      break;
    default: return;
  }
  Store(ii, io, it, {iiMax, ioMax, itMax}, false, floor, sif);
}
