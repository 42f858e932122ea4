// The curved elements (bend arcs, miters, the jacket's bend) in the
// analysis: one element's section values, stiffness, fixed-end forces and
// case loads built from its input record and its row's bend (radius,
// centre, given flexibility factor, flanged ends, miter spacing), its share
// of the global system, and the recovery of its end forces, which rebuilds
// the same stiffness and loads for the case.
#pragma once

#include "elements/BendLoads.h"
#include "elements/BendStiffness.h"
#include "kindbase/ElementCaseValues.h"
#include "kindbase/EndForces.h"

struct Model;

struct BendElementBuild {
  BendSectionValues section;
  BendStiffness stiffness;
  BendFixedEndForces fixedEnd{};
  BendCaseLoads caseLoads;
  ElementEndFrames frames;
};

// Throws "Row <row> : <reason>" for a value it would divide by, and for a
// given flexibility factor of 0 (a file may hold one).
BendElementBuild BuildBendElement(const Model& model, const AnalysisElementInput& input);

// Stiffness; in the modal case the masses only; else its wind and its loads.
void AssembleBendElement(const AnalysisElementInput& input);
// The force build for the case: the stiffness, the loads -FE q and the
// end-2 record turned into node 2's tangent frame.
ElementForceBuild BendElementForceBuild(const AnalysisElementInput& input);
