// The maximum allowable individual loads on a nozzle of EN 13445-3:2009,
// clause 16.4 (spherical shells) and 16.5 (cylindrical shells): the
// conditions of applicability, then the radial load and the bending moment
// (sphere) or the circumferential and longitudinal moments (cylinder).
// Nothing is stored; the report writes what this finds.
//
// Arithmetic is in double; the factors and the loads are kept as float,
// as the report shows them. Division by zero cannot happen for input the
// dialog accepts (R or D at least 0.001, d and f at least 0.0001, and
// condition a) keeps ea, so ec, positive).
#pragma once

#include "evaluations/NozzleEvaluationModel.h"

struct En13445NozzleResult {
  bool spherical = true;
  double q = 0;             // ea/R or ea/D
  bool applicable = false;  // condition a); nothing below is set without it
  double ec = 0;            // ea + e2 min(f2/f, 1)
  double loadDistance = 0;  // sqrt(R ec) or sqrt(D ec)
  double thicknessLength = 0;  // sqrt(eb d)
  float lambda = 0;
  bool lambdaPassed = true;  // cylinder: lambda <= 10
  float C1 = 0, C2 = 0, C3 = 0;
  float Fz = 0;  // radial load
  float Mb = 0;  // sphere: bending moment; cylinder: circumferential Mx
  float My = 0;  // cylinder: longitudinal moment
};

En13445NozzleResult En13445NozzleLoadsOf(const NozzleEvaluation& d);
// The cylinder's C3 polynomial coefficients blend with eb/ec (t): below 0.2
// and from 0.5 fixed rows, a straight line between.
double En13445CylinderC3(double lambda, double t);
