// The branch connection stresses of the ASME Class 2 and 3 codes (NC-3653
// at a branch: B1 P Do / 2 Tr + B2b Mb / Zb + B2r Mr / Zr). Every Branch
// SIF row of the model is one record: its node, the two run elements and
// the branch element found from the directions of the first three element
// ends at the node (the run legs within 0.95 pi of each other, the branch
// at 0.45 pi to 0.55 pi from both), the stress indices and section moduli
// of the run and the branch at the node, the pressure stress, the
// allowable SH and the service-level limit, all set up once after the
// SIFs. A node that does not give that geometry makes a record of type -1
// that no case computes (the table shows it "* Invalid *").
//
// Each case the code stress driver computes (the sustained case first,
// then each occasional case present) is appended to the case list and
// gets its own slot in every record, so that "Wind" and "Wind 2" each keep
// their own stresses. The run moment takes, per component of the element
// moments at the node, the smaller of the two run legs' magnitudes (the
// moment carried through the run); a signed case whose legs turn the same
// way carries none. An occasional case adds the sustained moments before
// it forms its stresses and is held to the service-level limit; the
// sustained case to 1.5 SH.
//
// Start reading at SetUpBranchConnections, then BranchConnectionCaseStress.
#pragma once

#include <array>
#include <vector>

#include "codes/ElementCodeStress.h"

class CodeModel;
struct SifTables;
struct GoverningStress;

struct BranchConCaseStresses {
  float pressureStress = 0.0f;
  float runMoment = 0.0f;
  float runStress = 0.0f;
  float branchMoment = 0.0f;
  float branchStress = 0.0f;
  float totalStress = 0.0f;
  float ratio = -1.0f;
};

struct BCstress {
  int row = 0;          // the Branch SIF row
  int node = 0;         // node index of the connection
  int type = 0;         // the Branch SIF type 1 .. 9; -1 when the set-up failed
  int run1 = -1, run2 = -1, branch = -1;  // analysis elements
  // The element's start node is the branch node: its moments there are
  // those of its end 1, negated into the sense of an end 2.
  std::array<bool, 3> startsAtNode{};     // run1, run2, branch
  float B1 = 0.0f;
  float B2r = 0.0f, Zr = 0.0f;
  float B2b = 0.0f, Zb = 0.0f;
  float SH = 1.0f;      // the least of the three elements' hot allowables
  float limit = 1.0f;   // the least of their service-level limits
  float pressure = 0.0f;          // the sustained pressure stress
  float peakPressureFactor = 1.0f;
  std::vector<BranchConCaseStresses> cases;  // one per entry of the case list
};

struct BranchConnectionStresses {
  std::vector<BCstress> records;  // one per Branch SIF row, in row order
  std::vector<int> caseTypes;     // the LoadCaseType of each case computed, in order
  int caseIndex = 0;              // the case shown, 1-based; 0 before any
  bool ready = false;             // every record set up

  int CaseCount() const { return static_cast<int>(caseTypes.size()); }
};

// The unit vector from `node` to the element's other node; throws the
// integer -1 when the element does not end at the node.
std::array<double, 3> BranchElementDirection(const CodeModel& cm, int node, int element);
// SH and the service-level limit of an element (1.8, 2.25 or 3.0 SH by the
// level, or the yield limit 1.5, 1.8 or 2.0 SY where it is given and
// smaller); both at least 1.0.
void BranchConnectionAllowables(const CodeModel& cm, int element, double& sh, double& limit);

// One record per Branch SIF row, each set up; throws the branch
// connection message of the B2 rule ("For branch connection at node %s:
// ...").
void SetUpBranchConnections(const CodeModel& cm, const SifTables& sifs, BranchConnectionStresses& stresses);
// The set-up of one record whose node and type are filled.
void BCstressSetup(const CodeModel& cm, const SifTables& sifs, BCstress& record);

// Appends the case and computes every record for it from the element
// forces of the case (index 1 .. count); the total stress of each record
// goes into `nodeTable` (by node index) against its allowable. The sustained
// case must come first: the others add its moments.
void BranchConnectionCaseStresses(BranchConnectionStresses& stresses, const std::vector<ElementForces>& forces,
                                  int caseType, std::vector<GoverningStress>& nodeTable);
// One record for the case in slot `slot` of the case list.
void BranchConnectionCaseStress(BCstress& record, const std::vector<ElementForces>& forces, int caseType, int slot);
// A case whose moments keep their signs: the sustained and the wind cases.
bool IsSignedBranchCase(int caseType);
