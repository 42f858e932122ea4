// The B31J flexibility factors that the straight elements of a run take at
// branch connections ("Use B31J"): found by the code checks' rules
// (codes/B31jFlexibility.h) on the model as the run made it, once per
// element and run, and handed to each element's input record; the straight
// element does the arithmetic (elements/StraightElement.h). The one place
// where the analysis asks the code checks: which elements are branches and
// runs of which connection is theirs to say.
//
// The table lives from PrepareBranchFlexibilities to
// ReleaseBranchFlexibilities (the end of the run, however it ends); it
// holds references to the model and the element list, which outlive it.
#pragma once

struct Model;
struct AnalysisElementList;
struct BranchFlexibility;

// Nothing is kept unless the model's options ask for B31J.
void PrepareBranchFlexibilities(const Model& model, const AnalysisElementList& elements);
void ReleaseBranchFlexibilities();
// The factors of element `element` (its outside diameter, the mean of a
// reducer's, tells branch from run); null when the run keeps none or the
// element meets no branch connection.
const BranchFlexibility* ElementBranchFlexibility(int element, double outsideDiameter);
