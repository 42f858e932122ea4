// The code stresses of the results being opened: the post-read steps that
// run the SIF pass and the code stress driver (codes/CodeStressDriver.h)
// on the results just read, handing the driver the element forces of each
// load case from the open results file, and the stresses of one element
// end in the current case that the pipe forces table shows.
#pragma once

#include <array>
#include <vector>

#include "codes/Bs806Stress.h"
#include "codes/ElementCodeStress.h"
#include "codes/FlexibilityFactors.h"

struct Model;

// The SIFs and the code stresses of the results just read (after the
// result cases are numbered). Throws the refusal of a model whose checks
// come later and the branch connection messages of the SIF pass.
void PrepareResultCodeStresses(const Model& model);
// The element forces of the current result case as the code stress
// routines take them.
const std::vector<ElementForces>& CurrentCaseForces();
// The results hold code stresses to show: stress elements and at least one
// category computed.
bool CodeStressesAvailable();
// The code stress of an element end in the current result case, by its
// LoadCaseType (see the pipe forces table); `b1b2`: the Class 2/3
// stress-index formula. False when the case type has no stress.
bool CurrentCaseEndStress(int record, int end, bool b1b2, double& stress);
// The bending moments of an element's end at a branch node resolved in the
// plane of the branch SIF, in the current result case; false (and the
// message kept) when the plane cannot be found.
bool CurrentCaseBranchMoments(int element, int node, double& inPlane, double& outPlane);

// The BS 806 stresses of an element's two ends in the current result case;
// false (nothing computed) outside results or when the element's branch
// plane cannot be found.
bool CurrentCaseBs806Stresses(int element, std::array<Bs806EndStress, 2>& stresses);
// The flexibility factors of every analysis element in the current result
// case, computed afresh for it (the pipe forces table's FFi, FFo, FFt).
const std::vector<ElementFlexFactors>& CurrentCaseFlexibilityFactors();
