// What the analysis hands the element routines, and the checks on it:
// the loads of the current step as one CaseLoadSet (from the load-case
// predicates and the model's options), the one rule that says whether a
// case carries the pressure (Bourdon) term, and the checks of an element's
// values before anything divides by them.
//
// The pressure term: with the "Bourdon effect" option on it belongs to the
// cases with a thermal state, or, when the start-up switch "BOURDONP" is
// set, to the cases with sustained loads instead. Assembly and force
// recovery both read it from the CaseLoadSet, so the recovered end forces
// always hold the term exactly when the solution did.
//
// Every check throws "Row <row> : <reason>" (RunState.h), naming the row
// whose value would have been divided by.
#pragma once

#include "kindbase/ElementCaseValues.h"

struct Model;
struct AnalysisOptions;

// The loads of the current step (wind pressures left 0: they depend on the
// element and are filled per element).
CaseLoadSet CurrentCaseLoadSet(const Model& model);
bool BourdonPressureInCase(const AnalysisOptions& options);

// The checks of a straight element of a pipe kind (length, moduli, area,
// inertia; the wall when the pressure term applies) and of a curved
// element (moduli, area, inertia, wall, radius).
void CheckPipeElementValues(const AnalysisElementInput& element);
void CheckBendElementValues(const AnalysisElementInput& element, double radius);
