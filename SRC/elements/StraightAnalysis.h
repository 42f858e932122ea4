// The straight elements in the analysis: one element's stiffness, frame and
// case loads built from its input record and its row's kind values
// (bellows springs, slip joint state, thrust areas, cut, and with "Use
// B31J" the factors of the branch connections at its ends), and its share of
// the global system: stiffness, wind, loads, masses, the valve's hung
// weight and the slip joint's friction pair. The force recovery reuses the
// same build (kindbase/EndForces.h), so a case's end forces come from the
// very stiffness and loads that were solved.
#pragma once

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"
#include "kindbase/EndForces.h"

struct Model;

struct StraightElementBuild {
  Matrix12d stiffness{};
  ElementEndFrames frames;
  Vector12d loads{};  // equivalent end loads of the case, local
};

// Checks the values a pipe kind divides by (a message naming the row).
StraightElementBuild BuildStraightElement(const Model& model, const AnalysisElementInput& input);

// Adds the element to the step: stiffness; in the modal case its masses
// only; else the slip joint's friction pair, its wind and its loads.
void AssembleStraightElement(const AnalysisElementInput& input);
// The valve's assembly: the element, then its additional weight.
void AddAttachedWeightLoads(const AnalysisElementInput& input);
// Half the element's weight over g on each node's translations.
void AddStraightElementMasses(const AnalysisElementInput& input);
