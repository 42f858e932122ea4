// Assembly of the global system of one step: the stiffness from every
// analysis element, the zero-length links between merged nodes and every
// support item, and the right-hand side from the loads the step's case
// carries (or, in the modal case, the lumped masses). Every assembly
// starts from zero; the engine chooses what is assembled and in which
// order, each element kind and data item adds its own terms.
//
// Order (AssembleCurrentCase): zero the loads; the hangers' loads when the
// step applies them; stiffness of elements, links and supports; masses and
// stop in the modal case; the sustained loads; the case loads of each
// thermal state the case includes; the inertia loads of the seismic cases.
// Item loops walk the layout rows in order and skip rows without an item.
#pragma once

#include <vector>

#include "numeric/RunState.h"

struct Model;
struct AnalysisElementList;
struct LoadCaseStep;

// The elements' part of a step's system (their stiffness and the loads
// they carry), kept by the nonlinear iteration: between its passes only the
// supports change, so the elements are assembled in the first pass and
// their part is copied back in the next ones. Only for models whose
// elements are all linear.
struct ElementAssemblyCache {
  bool filled = false;
  std::vector<double> stiffness, loads;
};

// With `cache`, the elements' part comes from it once filled, and fills it
// otherwise.
void AssembleCurrentCase(const Model& model, const AnalysisElementList& elements, const LoadCaseStep& step,
                         AnalysisProgress& progress, ElementAssemblyCache* cache = nullptr);

void ClearStiffnessMatrix();
void AssembleElements(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void AssembleSupports(const Model& model, AnalysisProgress& progress);
void AssembleLoads(const Model& model, AnalysisProgress& progress);
// loadCase 2 .. 11: thermal state T1 .. T10.
void AssembleCaseLoads(const Model& model, int loadCase, AnalysisProgress& progress);
void AssembleInertiaLoads(const Model& model, AnalysisProgress& progress);
void AssembleMasses(const Model& model, AnalysisProgress& progress);
