// The primary and secondary stress indices B1 and B2 of the ASME Section
// III Class 2 and 3 piping formulas (NC-3653: B1 P Do / 2tn + B2 M / Z), at
// both ends of an analysis element: from the element kind (bends, miters,
// reducers), the joints at its end nodes (fillet welds, slip-on and socket
// flanges, threaded joints) and the branch connection at a node (welding
// tee, reinforced tee, branch connection by NC-3673.2, or the
// out-of-plane SIF for the other branch types).
//
// Before any rule B1 is 0.5 and B2 1.0. An element is on the run side of a
// branch when the header OD is not larger than its own.
#pragma once

class CodeModel;
struct SifTables;
struct PipeSection;

struct StressIndices {
  double B1[2] = {0.5, 0.5};  // start, end
  double B2[2] = {1.0, 1.0};
};

// Throws "For branch connection at node %s:\nrp < 0.5*branch od" for a
// branch radius below half the branch OD.
StressIndices ElementEndStressIndices(const CodeModel& cm, const SifTables& sifs, int element);

// B2 at a branch node for an element of the given section; 1.0 when the
// header (or the branch) section is missing.
double WeldingTeeB2(const CodeModel& cm, int node, const PipeSection& element);
double BranchConnectionB2(const CodeModel& cm, int node, const PipeSection& element, double rp);
double ReinforcedTeeB2(const CodeModel& cm, int node, const PipeSection& element, double padThickness);

// Joints at a node (node index).
bool NodeHasFilletWeld(const CodeModel& cm, int node);
bool NodeHasWeldedFlange(const CodeModel& cm, int node);
bool NodeHasThreadedJoint(const CodeModel& cm, int node);
bool NodeHasThreadedFlange(const CodeModel& cm, int node);
