// Restrained pipeline stresses: a buried element of the pipeline codes
// (B31.4, B31.8, Z662) is held by the soil, so its longitudinal stress
// carries the Poisson part of the hoop stress and, in the expansion cases,
// the thermal stress of fully restrained pipe. Its combined stress of
// longitudinal, hoop and torsional stress is checked against 0.9 SY (Z662:
// SY) in the compliance table's restrained group; its unrestrained
// sustained and expansion stresses are not formed (ElementCodeStress.h).
//
// The sustained case stores each end's components (axial SLa, bending Sb,
// torsion St, hoop Sh) and its combined stress in the record's restrained
// fields; each occasional case adds the sustained components and keeps the
// components of the case of the largest combined stress; the expansion
// cases add the thermal stress to whichever the result set holds.
//
// Combination of longitudinal SL, hoop Sh and torsion St per code:
//   B31.4: the shear stress theory, 2 sqrt(((SL - Sh) / 2)^2 + St^2), or the
//          equivalent stress sqrt(SL^2 - SL Sh + Sh^2 + 3 St^2) when the
//          environment holds "DET_314";
//   B31.8: the largest of |Sh - SL|, |Sh| and |SL| (torsion is in the
//          bending stress), or sqrt(SL^2 - SL Sh + Sh^2) with "DET_318";
//   Z662:  |Sh - SL + Sb| of the sustained case, plus the thermal stress.
// Each end takes the larger of SL = SLa + Sb and SL = SLa - Sb.
//
// EN 13480's buried check of the expansion cases is nu P D / 2t - ST with
// the thermal stress ST of this module.
#pragma once

#include "codes/ElementCodeStress.h"

struct CodeStressRecord;
struct AnalysisElement;

// The record's restrained fields (CodeStressRecord::restrained), counted from 0.
enum RestrainedField {
  kRestrainedSustained = 0,     // end 1: SLa, Sb, St, Sh; end 2 at +4
  kRestrainedOccasional = 8,    // the same of the governing occasional case
  kRestrainedSustainedStress = 16,   // 16, 17: combined stress of the sustained case
  kRestrainedOccasionalStress = 18,  // 18, 19: the largest of the occasional cases
};

// Whether "DET_314" (B31.4) or "DET_318" (B31.8) asks for the equivalent stress.
bool RestrainedUsesEquivalentStress(int code);

// The combined stress of one end from its components (the larger of SLa + Sb
// and SLa - Sb), a magnitude.
double RestrainedCombinedStress(int code, double SLa, double Sb, double St, double Sh, bool equivalent);

// The thermal stress of fully restrained pipe in an expansion case of the
// temperatures Ti and Tj (j 0: Ti against the reference temperature):
// (Tref - Ti) alpha(Ti) E(Tref) - (Tref - Tj) alpha(Tj) E(Tref); of the
// opposite sign for Z662.
double RestrainedThermalStress(const CodeStressCase& c, const AnalysisElement& element, int i, int j);

// The sustained (occasional false) or an occasional case: the combined
// stresses of both ends, the record's fields written as above.
EndPair RestrainedPipelineStresses(const CodeStressCase& c, CodeStressRecord& record, bool occasional);

// An expansion case of the temperatures Ti and Tj: the combined stresses
// (B31.4, B31.8: from the stored components of the sustained case, or of
// the governing occasional case when the results hold occasional cases; Z662:
// that case's combined stress plus the thermal stress) or, for EN 13480,
// the buried stress.
EndPair RestrainedPipelineThermalStresses(const CodeStressCase& c, const CodeStressRecord& record, int i, int j,
                                          bool occasionalPresent);
