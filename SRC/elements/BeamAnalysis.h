// The beam in the analysis: its stiffness (BeamStiffness.h) from its
// section and material, its releases condensed out, its equivalent end
// loads in the step (weight of its steel and its beam load's additional
// weight, restrained thermal expansion at the case's temperature of its
// beam load, static seismic accelerations), its wind (when its beam load
// has the wind flag) and its lumped masses. The force recovery rebuilds the
// same stiffness and loads (kindbase/EndForces.h).
//
// The values are checked before anything divides by them: a beam whose
// material has no modulus (or a Poisson's ratio of -1 or less), whose
// section has no area or moment of inertia, or whose nodes coincide is
// refused with a message naming its row. A section without a torsional
// constant is analysed with J = Imaj + Imin, which is written back into the
// section (it stays, as the section list then shows).
//
// In the modal case the beam adds its stiffness and its masses (half its
// weight over g on each end node's translations), no loads.
#pragma once

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"
#include "kindbase/EndForces.h"

struct Model;

struct BeamElementBuild {
  Matrix12d stiffness{};  // released freedoms condensed out
  Vector12d loads{};      // equivalent end loads of the case, local, condensed
  ElementEndFrames frames;
  double length = 0.0;
  double weightPerLength = 0.0;
};

BeamElementBuild BuildBeamElement(const Model& model, const AnalysisElementInput& input);
void AssembleBeam(const AnalysisElementInput& input);
ElementForceBuild BeamElementForceBuild(const AnalysisElementInput& input);
