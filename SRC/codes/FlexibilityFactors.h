// The flexibility factors of every analysis element for one load case, as
// the pipe forces tables show them (FFi, FFo, FFt: in plane, out of plane,
// torsion): the B31J branch or run factors of a straight pipe ending at a
// branch connection the code treats as one, and the bend flexibility
// factor k of a bend, miter or jacketed bend (the analysis's own rule,
// elements/BendStiffness.h) with the pressure and flange corrections of
// the case. Every other element has 1.0, 1.0, 1.0.
//
// The modulus and pressure of a case come from the element's pipe load by
// the case's LoadCaseType (Ti and Pi of its thermal state, the highest
// operating values for the sustained and occasional cases, the reference
// temperature without pressure for settlement). A case type with neither
// gives k without its pressure correction: factors never carry over from
// the case shown before. A bend whose geometry gives no k (no radius, no
// wall, a wall of half the diameter) has NaN factors.
#pragma once

#include <vector>

class CodeModel;

struct ElementFlexFactors {
  double inPlane = 1.0;
  double outPlane = 1.0;
  double torsion = 1.0;
};

// E at the case's temperature, the case's pressure, the element's OD and
// wall; E is 0 for a case type without a temperature.
struct CaseModulusPressure {
  double E = 0.0, P = 0.0, OD = 0.0, T = 0.0;
};
CaseModulusPressure ElementCaseModulusAndPressure(const CodeModel& cm, int element, int caseType);

// k of a bend, miter or jacketed bend in the case (at least 1.0).
double CaseBendFlexibilityFactor(const CodeModel& cm, int element, int caseType);

ElementFlexFactors ComputeElementFlexibilityFactors(const CodeModel& cm, int element, int caseType);
// Every element 1 .. count ([0] unused).
std::vector<ElementFlexFactors> ComputeAllElementFlexibilityFactors(const CodeModel& cm, int caseType);
