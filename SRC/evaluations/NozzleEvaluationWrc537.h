// Local shell stresses at a nozzle after WRC Bulletin 537, with the stress
// check of ASME Section VIII Division 2: the membrane, bending and shear
// stresses the nozzle loads cause at the eight points Au, Al, Bu, Bl, Cu,
// Cl, Du, Dl (upper and lower surface at A, B, C, D), their stress
// intensity, and the largest plus the general stresses Pm and Pb against
// the allowable of the load case.
//
// The bulletin's figures are curves held as records of a figure name and
// ten coefficients of a rational function of the figure's abscissa (U for
// spheres, beta for cylinders), one table per curve family. The bulletin
// is not held here: the shipped table has only the two curves published
// with the method's description (SP-1 radial membrane, 3C up to Rm/T 5).
// Whoever holds the bulletin can add the others as data; none is made up.
// Before any stress row is found, every curve the case needs must be in
// the table; else the result is the one line "WRC 537 curve ... is not
// available" naming the figure and its quantity, with no rows and no
// compliance line. A test can put a table of its own in place.
//
// Without an allowable (below 1.0) the compliance line has no ratio and no
// status: no allowable is no pass.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluations/NozzleEvaluationModel.h"

// The curve families: eight for spheres (by figure 1 to 10), fourteen for
// cylinders (by the tabulated Rm/T).
enum Wrc537Family : int {
  kSpRadialMembrane, kSpRadialBending, kSpTangentialMembrane, kSpTangentialBending,
  kSmRadialMembrane, kSmRadialBending, kSmTangentialMembrane, kSmTangentialBending,
  kFig3C, kFig4C, kFig1C, kFig2C1, kFig1C1, kFig2C, kFig3A, kFig4A, kFig1A, kFig2A,
  kFig3B, kFig4B, kFig1B1, kFig2B1,
  kWrc537FamilyCount
};

// One curve as the bulletin's fits are kept: the figure name (8 bytes,
// zero padded) and the coefficients c0 .. c9.
struct Wrc537CurveRecord {
  char figure[8];
  float c[10];
};
static_assert(sizeof(Wrc537CurveRecord) == 48, "a curve record is 48 bytes");

struct Wrc537Curve {
  Wrc537Family family;
  float key;  // figure number (spheres) or tabulated Rm/T (cylinders)
  Wrc537CurveRecord record;
};

// (c0 + c2 x + c4 x^2 + c6 x^3 + c8 x^4) / (1 + c1 x + c3 x^2 + c5 x^3 +
// c7 x^4 + c9 x^5), no clamping of x.
double Wrc537CurveValue(const Wrc537CurveRecord& record, double x);

// The table in use: the shipped one unless a test put its own.
const std::vector<Wrc537Curve>& Wrc537CurveTable();
const std::vector<Wrc537Curve>& Wrc537ShippedCurves();
void SetWrc537CurveTable(const std::vector<Wrc537Curve>* table);  // null: the shipped one

// Fig. B-2 stress concentration factors by r/T.
double StressConcentrationKn(double x);
double StressConcentrationKb(double x);
// The sphere's figure 1 to 10 for gamma = rm/t and rho = T/t; 0 when none.
int Wrc537SphericalFigure(double gamma, double rho);
// The tabulated Rm/T of a cylinder family's curve for `rmT` (the smallest
// not below it); 0 when above the last.
float Wrc537CylindricalKey(Wrc537Family family, double rmT);

struct Wrc537Row {
  std::string label, figure;
  std::array<float, 8> s{};
};

// One step of the results as the report writes them.
struct Wrc537Line {
  enum Kind { kEmpty, kRow } kind = kEmpty;
  Wrc537Row row;
};

struct Wrc537Result {
  // Shown over the foreground window; then only the lines before it.
  std::string foreground;
  bool startWritten = false;  // the factor lines and the table heading
  bool knComputed = false, kbComputed = false;
  float Kn = 0, Kb = 0;
  std::string missingCurve;    // the one line instead of rows
  std::vector<Wrc537Line> lines;  // rows and empty lines, sums included
  std::array<float, 8> intensity{};
  float Smax = 0, calculated = 0;
  bool hasRatio = false;
  double ratio = 0;
  bool complete = false;  // rows, intensity and compliance written
};

Wrc537Result Wrc537StressesOf(const NozzleEvaluation& d);
// The stress intensity of a point with normal stresses a, b and shear t.
double Wrc537StressIntensity(double a, double b, double t);
// "Pass" below 1.0, else "Fail"; the result has a ratio.
const char* Wrc537Status(double ratio);
