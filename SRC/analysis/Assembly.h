// Assembly of the global system of one step: the stiffness from every
// analysis element, the zero-length links between merged nodes and every
// support item, and the right-hand side from the loads the step's case
// carries (or, in the modal case, the lumped masses). Every assembly
// starts from zero, or in the later passes of the nonlinear iteration from
// the case's linear part kept by the first (LinearAssemblyCache); the
// engine chooses what is assembled and in which order, each element kind
// and data item adds its own terms.
//
// Order (AssembleCurrentCase): zero the loads; the hangers' loads when the
// step applies them; stiffness of elements, links and supports; masses and
// stop in the modal case; the sustained loads; the case loads of each
// thermal state the case includes; the inertia loads of the seismic cases.
// Item loops walk the layout rows in order and skip rows without an item.
#pragma once

#include <vector>

#include "numeric/RunState.h"
#include "numeric/SystemTermLog.h"

struct Model;
struct AnalysisElementList;
struct LoadCaseStep;

// The linear part of a static case's system, kept by the nonlinear
// iteration: between its passes only the items that iterate (and the soil
// springs) change, so the first pass assembles the whole system and keeps
// the elements' part (their stiffness and the loads they carry; only when
// every element is linear) and the log of the terms the other items add
// (supports and loads, SystemTermLog). A later pass copies the elements'
// part back, or assembles the elements again, then adds the logged terms
// and asks only the iterating items, each at its row's place among the
// logged ones: every sum is formed in the order of a whole assembly, so
// the pass solves the very system a whole assembly gives.
//
// An item that does not iterate adds the same terms in every pass of a
// case; one that iterates (IteratingRows, NonlinearIteration.h) is asked
// in every pass.
struct LinearAssemblyCache {
  bool keepElements = false;  // the elements are linear (ElementsAreLinear)
  bool filled = false;
  std::vector<double> stiffness, loads;  // the elements' part, when kept
  SystemTermLog terms;                   // the items' terms; loads tagged after every row
};

// With `cache`, the first call fills it and the later ones assemble from it.
void AssembleCurrentCase(const Model& model, const AnalysisElementList& elements, const LoadCaseStep& step,
                         AnalysisProgress& progress, LinearAssemblyCache* cache = nullptr);

void ClearStiffnessMatrix();
void AssembleElements(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void AssembleLoads(const Model& model, AnalysisProgress& progress);
// loadCase 2 .. 11: thermal state T1 .. T10.
void AssembleCaseLoads(const Model& model, int loadCase, AnalysisProgress& progress);
void AssembleInertiaLoads(const Model& model, AnalysisProgress& progress);
void AssembleMasses(const Model& model, AnalysisProgress& progress);
