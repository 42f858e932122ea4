// The ASME B31J flexibility factors of branch connections (B31J-2017
// Table 2-1) and which of them each straight element of the analysis takes:
// with "Use B31J" a pipe that ends at a branch connection gets its
// rotational flexibilities raised by the connection's in-plane,
// out-of-plane and torsional factors, the branch by its own and the run by
// the run factors (the arithmetic is the straight element's).
//
// Factors: k1 rotation about local y, k2 about local z, k3 torsion; all 1.0
// where no factor applies (the run's k3 1.0001, the fitting present). The
// branch factors are reduced for flanges or rigid elements at the run pipe
// ends near the branch (the item's count N).
//
// The analysis asks B31jElementFlexibility once per element and run; see
// there. Geometry as B31jSif.h.
#pragma once

#include "codes/B31jSif.h"
#include "elements/StraightElement.h"

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

// The factors a straight element takes from the branch connections at its
// ends (BranchFlexibility, elements/StraightElement.h) into `out`; false,
// with the plain factors, when "Use B31J" is off or neither end is a branch
// connection the code treats as one. For each qualifying end node in turn (node 1, then
// node 2): an element no wider than the narrowest section there (0.0001
// inch of play) is the branch and takes the branch factors with the header
// term Rh / (2 Ih Eh) times the run factors k1r, k2r of that node, the
// header being the widest section at the node, Eh its material's modulus
// at the reference temperature; any other element is a run and takes the
// run factors. The factors are those of the end evaluated last; the element
// is a branch when it was the branch at either end.
// `outsideDiameter`: the element's (the mean of a reducer's).
bool B31jElementFlexibility(const CodeModel& cm, int element, double outsideDiameter, BranchFlexibility& out);

// The rotational flexibilities (inch per inch-pound over the length) of a
// straight element from its plain fb = L / (E I) and ft = L / (2 G I):
// BranchRotationalFlexibilities of its factors, or fb, fb and ft.
RotationalFlexibilities B31jRotationalFlexibilities(const CodeModel& cm, int element, double outsideDiameter,
                                                    double fb, double ft);

// The material of the element with the largest section OD at the node
// (record number, 0 when none).
int HeaderMaterialAtNode(const CodeModel& cm, int node);
