// The code stresses of one element in one load case, at both its ends (end
// 1 at its first node), from the end forces that the analysis stored for
// the case and the element's SIFs: the end dimensions and section
// properties (with the effective section modulus of a branch), the
// longitudinal pressure stress, and the sustained, expansion, operating,
// stress-index (ASME Class 2/3), creep and uncoded stresses per piping
// code (B31.1 104.8, B31.3 320 and 319.4.4, B31.4 402.6, B31.8 833,
// NC-3653, EN 13480 12.3 ...).
//
// Inputs: a CodeStressCase names the code model, the SIF tables, the end
// forces of every element for the case and the case's LoadCaseType. Each
// element's force record is the analysis's: twelve values in the element's
// local axes, end 1 then end 2, each Fx, Fy, Fz, Mx (torsion Mt), My (the
// out-of-plane moment Mo), Mz (the in-plane moment Mi).
//
// Outputs are psi. A stress that cannot be formed because a wall or a
// section modulus is zero is kFlaggedStress (CodeStressRecord.h), never an
// infinity. Start reading at ElementSustainedStresses.
#pragma once

#include <array>
#include <vector>

#include "codes/Allowables.h"

class CodeModel;
struct SifTables;
struct CodeStressRecord;
struct StressIndices;
struct AnalysisElement;

// The stored end forces of one element for one case.
struct ElementForces {
  std::array<float, 12> values{};
};

struct CodeStressCase {
  const CodeModel& cm;
  const SifTables& sifs;
  const std::vector<ElementForces>& forces;  // per analysis element, index 1 .. count
  int caseType = 0;                          // LoadCaseType of the forces
};

struct EndDimensions {
  double D[2] = {0.0, 0.0};  // outside diameter at end 1, end 2
  double t[2] = {0.0, 0.0};  // wall thickness
};
struct EndSection {
  double A[2] = {0.0, 0.0};  // metal area
  double Z[2] = {0.0, 0.0};  // section modulus (effective at a branch)
};
struct PrincipalStressValues {
  double maximum = 0.0, minimum = 0.0, equivalent = 0.0;
};

EndDimensions ElementEndDimensions(const CodeModel& cm, const AnalysisElement& element);
EndSection ElementEndSectionProperties(const CodeStressCase& c, int element, bool removeCorrosion);
EndPair ElementPressureStresses(const CodeModel& cm, int element, double pressure);

EndPair ElementSustainedStresses(const CodeStressCase& c, const CodeStressRecord& record, bool occasional);
EndPair ElementExpansionStresses(const CodeStressCase& c, const CodeStressRecord& record);
EndPair ElementOperatingStresses(const CodeStressCase& c, const CodeStressRecord& record);
// The ASME Class 2/3 formula with the element's stress indices.
EndPair ElementClass2Stresses(const CodeStressCase& c, const CodeStressRecord& record, const StressIndices& indices,
                              bool occasional);
EndPair ElementCreepStresses(const CodeStressCase& c, const CodeStressRecord& record);
// Code None: the maximum and minimum principal and the equivalent stress of
// each end into the record's uncoded fields.
void UncodedElementStresses(const CodeStressCase& c, CodeStressRecord& record);
PrincipalStressValues PrincipalStresses(double hoop, double longitudinal, double shear);

// The bending moment of the element's end at a branch node resolved in the
// plane of the run and the branch: in-plane about the plane's normal,
// out-of-plane about the axis in the plane across the element. Throws
// "Unable to find plane of branch SIF at node %s" when no other element at
// the node leaves at an angle.
struct BranchMoments {
  double inPlane = 0.0, outPlane = 0.0;
};
BranchMoments ResolveBranchMomentsInSifPlane(const CodeStressCase& c, int element, int node);

// What the restrained pipeline check shares with the formulas above: an
// end's axial force and moments as the code reads them (torsion Mt,
// out-of-plane Mo, in-plane Mi; resolved in the branch plane at a branch
// node for the codes that do), its SIFs, the design pressure of the case and
// whether B31.8 keeps the SIFs of a bend.
struct ElementEndLoads {
  double Fx = 0.0, Mt = 0.0, Mo = 0.0, Mi = 0.0;
};
ElementEndLoads ElementEndCodeLoads(const CodeStressCase& c, int element, int end);
struct EndSifs;
const EndSifs& ElementEndSifs(const CodeStressCase& c, int element, int end);
double ElementCaseDesignPressure(const CodeStressCase& c, const AnalysisElement& element);
bool B318BendKeepsItsSifs(const CodeModel& cm, const AnalysisElement& element);
