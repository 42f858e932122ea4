// The code stresses of BS 806 (piping code 12). One combined stress per
// element end and load case: the larger of the hoop stress P (d/t + 1) / 2
// and the longitudinal stress (the pressure term P d^2 / 4t (d + t) and the
// bending term), combined with the torsional shear, S = sqrt(s^2 + 4 tau^2).
// Bends and miters take the stress factors of the code's charts (the
// circumferential ca, cb and longitudinal la, lb over lambda = R t / r^2
// and R/r) or of the miter formula 1.8 / lambda^(2/3), with the flange
// correction lambda^(1/6) or lambda^(1/3); at a branch connection (a Branch
// SIF row of type 1, 2 or 3) the moments in the plane of the branch take
// the branch factors ii, io and the pressure the factor m.
//
// Three checks: sustained (the sustained case against 0.8 of the proof
// stress, or of the rupture stress where smaller; 0.15 of the design
// stress at a branch), expansion (each expansion case against 0.9 of the
// hot and cold proof stresses) and hot (each operating or cold spring
// case Ti against the rupture stress at Ti). The worst case of each end is
// kept in the element's record (sustained in SL and SH, expansion in its
// check, hot in the combined check) and every end in sections 0, 1 and 2
// of the sorted stresses.
//
// Element moments are the element's local ones: Mt about x (torsion), Mb
// about y (out of plane) and Ma about z (in plane). A case type without a
// pressure of its own takes the element's largest operating pressure; an
// expansion range Ti-Tj the larger of |Pi| and |Pj|. A stress that cannot
// be formed (no wall, a wall of half the diameter or more, a bend without
// a radius) is kFlaggedStress. Start reading at Bs806CodeStresses.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "codes/ElementCodeStress.h"

struct CodeStressResults;
struct AnalysisElement;

struct Bs806EndStress {
  double Ma = 0.0, Mb = 0.0, Mt = 0.0;  // in-plane, out-of-plane, torsion
  double sigma = 0.0;  // the direct stress F, fB
  double tau = 0.0;    // the shear stress fs
  double S = 0.0;      // the combined stress fc
  // The parts of the direct stress of a plain end: the hoop stress, the
  // longitudinal pressure stress, and for a bend the circumferential and
  // longitudinal stresses whose larger is sigma.
  double hoop = 0.0, pressure = 0.0, circumferential = 0.0, longitudinal = 0.0;
  // Bend stress factors (bends, miters, jacketed bends).
  bool bend = false;
  double ca = 1.0, cb = 1.0, la = 1.0, lb = 1.0;
  // Branch factors (ends at a branch connection node).
  bool branch = false;
  double m = 1.0, ii = 1.0, io = 1.0;
};

// The chart factor (ca 0, cb 1, la 2, lb 3) at lambda and R/r, read from the
// logarithms of the charts bilinearly, the end intervals carried on outside
// the lambda axis and below R/r = 2, the last row holding above R/r = 10.
double Bs806ChartFactor(int chart, double lambda, double radiusRatio);

// The pressure the stresses of a case take.
double Bs806CasePressure(const CodeModel& cm, const AnalysisElement& element, int caseType);

// The node carries a Branch SIF row of type 1, 2 or 3.
bool IsBs806BranchNode(const CodeModel& cm, int node);

// Both ends of an element under the forces of the case.
std::array<Bs806EndStress, 2> ComputeBs806Stresses(const CodeStressCase& c, int element);

// Allowables.
double Bs806SustainedAllowable(const CodeModel& cm, const AnalysisElement& element, int node);
double Bs806ExpansionAllowable(const CodeModel& cm, const AnalysisElement& element, double hot, double cold);
double Bs806HotAllowable(const CodeModel& cm, const AnalysisElement& element, double temperature);

// The largest allowed internal pressure of an element; 0 when none applies.
double Bs806AllowablePressure(const CodeModel& cm, int element);

// The three checks over every record (the forces of each case from the
// loader), with the sorted row count.
void Bs806CodeStresses(CodeStressResults& results, const std::vector<int>& caseTypes,
                       const std::function<void(int, std::vector<ElementForces>&)>& load);

// The case types of the hot check, by i = 1 .. 10: the cold spring case
// when present, else the operating case; 0 when neither is.
int Bs806HotCaseType(const std::vector<int>& caseTypes, int i);
