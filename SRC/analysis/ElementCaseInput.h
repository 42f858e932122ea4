// The element routines' input record of one analysis element in the step
// being run: its section, material and load values from the derived
// element data of the step's case, with the few values the derived data
// does not carry (insulation thickness, E at the reference temperature,
// whether the material is fibre-reinforced), and the step's loads with the
// element's own wind pressures.
//
// A wind load reaches an element only when the step carries it, the wind
// is defined, the element's pipe load has its wind flag and the element is
// not the core of a jacketed pipe or bend (the jacket takes the wind).
// The pressure is the wind's at the element's mid elevation.
//
// With "Use B31J" the record points at the element's factors at branch
// connections, kept for the run by BranchFlexibilities.h.
#pragma once

#include "kindbase/ElementCaseValues.h"

struct Model;
struct AnalysisElement;

// Element number `index` of the run; `loads` are the step's
// (CurrentCaseLoadSet); the wind fields and the B31J factors at branch
// connections are filled here for the element.
AnalysisElementInput MakeElementInput(const Model& model, const AnalysisElement& element, int index,
                                      const CaseLoadSet& loads);

// The wind loads the current step carries, 1 .. 4 at [0 .. 3].
std::array<bool, 4> StepWindLoads(const Model& model);
