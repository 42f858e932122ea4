// The ASME B31J flexibility factors of branch connections (B31J-2017
// Table 2-1) and what the straight elements of the analysis do with them:
// with "Use B31J" a pipe that ends at a branch connection gets its
// rotational flexibilities raised by the connection's in-plane,
// out-of-plane and torsional factors, the branch by its own and the run by
// the run factors.
//
// Factors: k1 rotation about local y, k2 about local z, k3 torsion; all 1.0
// where no factor applies (the run's k3 1.0001, the fitting present). The
// branch factors are reduced for flanges or rigid elements at the run pipe
// ends near the branch (the item's count N).
//
// The straight element calls B31jRotationalFlexibilities once per element
// with its plain flexibilities; see there. Geometry as B31jSif.h.
#pragma once

#include "codes/B31jSif.h"

class CodeModel;

struct FlexibilityFactors {
  double k1 = 1.0;  // rotation about local y
  double k2 = 1.0;  // rotation about local z
  double k3 = 1.0;  // torsion
};

// Pure factors of a connection; N the item's reduction count (0 .. 2).
FlexibilityFactors B31jBranchFlexibility(const BranchGeometry& g, int reductionCount);
FlexibilityFactors B31jRunFlexibility(const BranchGeometry& g);

// The factors at a node of the model from its branch item and its header
// and branch sections; the start values when the node has none.
FlexibilityFactors B31JBranchFlexibilityFactors(const CodeModel& cm, int node);
FlexibilityFactors B31JRunFlexibilityFactors(const CodeModel& cm, int node);

// The rotational flexibilities of a straight element (inch per inch-pound
// over its length): in: fb = L / (E I) and ft = L / (2 G I); out: fry
// (about y), frz (about z) and ftor. Without "Use B31J", or at ends with no
// branch connection, they are fb, fb and ft. Otherwise, by the factors of
// the end node evaluated last (node 2 when both qualify):
//   branch: ftor = 2 k3 fb when k3 > 1; fry = 2 k1 fb - Rh k1r / (2 Ih Eh)
//           when k1 > 1, frz likewise with k2, k2r, where Rh, Ih, Eh are the
//           header's radius, inertia and modulus at the reference
//           temperature and k1r, k2r the run factors of the node;
//   run:    ftor = k3 fb when k3 > 1, else k3 ft.
// `outsideDiameter`: the element's (the mean of a reducer's).
struct RotationalFlexibilities {
  double fry = 0.0;
  double frz = 0.0;
  double ftor = 0.0;
};
RotationalFlexibilities B31jRotationalFlexibilities(const CodeModel& cm, int element, double outsideDiameter,
                                                    double fb, double ft);

// The material of the element with the largest section OD at the node
// (record number, 0 when none).
int HeaderMaterialAtNode(const CodeModel& cm, int node);
