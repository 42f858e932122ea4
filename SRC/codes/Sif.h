// Stress intensification factors: the SIFs that the code stresses apply to
// the moments at both ends of every analysis element, computed once after
// a results file is read for the model's piping code.
//
// Two tables. Per node an in-plane, out-of-plane and torsional SIF, raised
// by the fittings at the node (flanges, branch SIFs of the tee types, welds,
// threaded joints): to raise V to X means V becomes X when smaller. Per
// element the axial, in-plane, out-of-plane and torsional SIF at its start
// and end: from the element kind (bends, miters, reducers), the branch
// connection rules where the code treats the node as a branch connection,
// the node's SIFs, and last the user SIFs, which replace. An untouched SIF
// is exactly 1.0; 1.0001 marks a fitting that adds no intensification.
//
// Start reading at ComputeSifs; the rules per component are SifRules.cpp,
// the B31J branch factors B31jSif.h.
#pragma once

#include <array>
#include <vector>

#include "codes/B31jSif.h"

class CodeModel;

struct NodeSifRecord {
  float inPlane = 1.0f;
  float outPlane = 1.0f;
  float torsion = 1.0f;
};

struct EndSifs {
  float axial = 1.0f;
  float inPlane = 1.0f;
  float outPlane = 1.0f;
  float torsion = 1.0f;
};

struct ElementSifRecord {
  std::array<EndSifs, 2> ends{};  // [0] start node, [1] end node
};

struct SifTables {
  std::vector<NodeSifRecord> nodes;        // node index 0 .. node count
  std::vector<ElementSifRecord> elements;  // analysis element 1 .. count ([0] unused)
};

// The whole pass: node fittings in row order, every element, then the
// user SIFs. Throws "For branch connection at node %s:\nrp < 0.5*branch od"
// when a branch connection's radius is below half the branch OD.
SifTables ComputeSifs(const CodeModel& cm);

// The rules of one component, for the pass and its tests.
// A bend, miter or jacketed bend: both ends alike (torsion left 1.0, or
// 1.0001 with "Use B31J").
EndSifs BendSifs(const CodeModel& cm, int element);
// A reducer: [0] start, [1] end.
std::array<EndSifs, 2> ReducerSifs(const CodeModel& cm, int element);
// The branch side and the run side of the branch connection at a node; only
// the values their rule sets are written.
void BranchConnectionSif(const CodeModel& cm, const SifTables& tables, int node, SifTriple& sif);
void BranchRunSif(const CodeModel& cm, const SifTables& tables, int node, SifTriple& sif);
