// The nozzle's three local springs from the vessel's geometry (see
// Nozzle.h): the radial stiffness kp and the circumferential and
// longitudinal bending stiffnesses kmc and kml, each by the method of the
// vessel's type.
//
//   spherical vessel   closed form on two piecewise-linear curves of
//                      u = 1.82 (r / D) sqrt(D / T);
//   flat-bottom tank   coefficient tables in (R/T, a/R, L/2a), one set with
//                      a reinforcing pad and one without;
//   cylindrical vessel the effective length L = 8 L1 L2 / (sqrt L1 +
//                      sqrt L2)^2, then kp on a table of (lambda, rho) and
//                      kmc, kml on tables of (lambda, q[, rho]).
//
// Every coefficient table holds natural logarithms and is read at (ln p1,
// p2 [, p3]); its value is exp of the interpolation, extrapolated linearly
// from the end interval outside the grid (never clamped). The values are
// worked in double and stored as floats.
//
// The pad tables follow the item's pad byte (the dialog's "Reinforcing pad",
// the list and the batch keyword set it), not L2, which a flat-bottom
// tank's dialog never reads: a stale L2 would otherwise choose the tables.
#pragma once

class Nozzle;

void ComputeNozzleStiffness(Nozzle& nozzle);

// The curves, each returning its coefficient.
double NozzleCurveSpherical1(double u);
double NozzleCurveSpherical2(double u);
double CylCurveKml(double lambda, double q);
double CylCurveKmc(double lambda, double q, double rho);
double CylCurveKp(double lambda, double rho);
double FlatCurvePadKp(double rt, double ar, double l2a);
double FlatCurvePadKmc(double rt, double ar, double l2a);
double FlatCurvePadKml(double rt, double ar, double l2a);
double FlatCurveKp(double rt, double ar, double l2a);
double FlatCurveKmc(double rt, double ar, double l2a);
double FlatCurveKml(double rt, double ar, double l2a);
