// The element end forces by kind: each kind's end frames and the dispatch
// of the force routine of analysis element `element` to its kind (the
// routines themselves are the kinds' analysis modules; the shared steps and
// the record they end in are kindbase/EndForces.h).
#pragma once

#include "kindbase/EndForces.h"

// The frames of an element of `kind` on layout row `row` between two node
// indexes. A kind outside 3 .. 19, or 16 or 18, and a bend whose radius or
// angle is not above 0 are programming errors (assertion).
ElementEndFrames ComputeElementEndFrames(const Model& model, ElementType kind, int row, int node1, int node2);

// The build of the straight kinds (3, 6, 8, 9, 10, 11, 14).
ElementForceBuild StraightElementForceBuild(const AnalysisElementInput& input);
// The per-kind build of an element; a kind without one throws "calculate
// element forces: Invalid type".
ElementForceBuild BuildElementForce(const AnalysisElementInput& input);
