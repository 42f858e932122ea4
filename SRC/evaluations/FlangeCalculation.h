// The qualification of one bolted flange joint from the tool's data: the
// flange, hub and bolt stresses of ASME VIII Div. 1 Appendix 2 in the
// operating and gasket seating conditions (with the reverse flange rules of
// 2-13 and the loose flange without hub of 2-14), the rigidity indices J,
// and the equivalent pressure of the external axial force and bending moment
// by ASME III NC-3658.1, compared with the flange's B16.5 rating.
//
// The steps, in the order of CalculateFlange: gasket width N and seating
// width b0 by facing sketch and column; effective width b and gasket load
// diameter G (the mean gasket diameter when b0 <= 1/4 in, else GOD - 2b);
// the equivalent pressure Pe = 16 Mb/(pi G^3) + 4 Fa/(pi G^2) + P; the bolt
// loads H, Hp, Wm1, Wm2, HD, HT, HG; the bolt areas Am, Ab and the seating
// design load W; the lever arms and the moments Mo (operating) and Mg
// (seating); the shape constants K, T, U, Y, Z; the hub factors
// (FlangeFactors.h); e, d and L; the stresses; J.
//
// The data may come from a file that never met the sheet's checks, so
// FlangeInputRefusal first checks what the formulas need and names the
// field that fails (a value past the limit of a typed number among them):
// nothing is computed from data that would give infinite or undefined
// values, and results a 32-bit float cannot hold, as the report shows
// them, are refused. Everything is computed in double precision.
#pragma once

#include <array>
#include <string>

#include "evaluations/FlangeModel.h"

// The first field the formulas cannot take, as a sentence naming it; empty
// when the data can be calculated.
std::string FlangeInputRefusal(const FlangeQualificationData& data);

// The results of data that FlangeInputRefusal accepts.
FlangeResults CalculateFlange(const FlangeQualificationData& data);

// The intermediate quantities as lines for the debugging output.
void WriteFlangeDebugLines(const FlangeResults& results);

// One row of the stress check: its label, the calculated stress and the
// allowable it is held to.
struct FlangeStressRow {
  const char* label;
  double calculated;
  double allowable;
};
// The six rows of a condition: SH against 1.5 times the flange allowable,
// SR, ST and the two combinations against the flange allowable, the bolt
// stress against the bolt allowable; `seating` takes the allowables at the
// reference temperature, else those at the design temperature.
std::array<FlangeStressRow, 6> FlangeStressRows(const FlangeQualificationData& data,
                                                const FlangeConditionStresses& stresses, bool seating);
// |calculated / allowable|, and whether it passes (at most 1).
double FlangeStressRatio(const FlangeStressRow& row);
