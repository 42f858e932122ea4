// Writing the results of a solved step, in this order within the step's
// block: the displacements of every node (six f32 in global axes, values
// below 1.0e-6 in size written as 0, zeros for a node without equations),
// the end forces of every analysis element (one 48-byte record each,
// computed by the element's kind from the solution) and the loads of every
// support (each item writes its own values in row order).
//
// With the environment switch "export_K" set, the element-force block also
// writes every element's 12 x 12 local stiffness to "<model>_K.csv" beside
// the model (replaced by each block, so it holds the run's last one); a
// file that cannot be opened is reported and the run goes on without it.
//
// The results file holds f32: a displacement or force that no f32 holds
// (infinite, not a number, or beyond its range) would be written as a
// value it is not, or shown as a blank. The solution of every static
// solve, every element-force block and the case block of every dynamic run
// are checked once, and such a value ends the run with a message naming the
// load case and where it lies.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "kindbase/EndForces.h"
#include "numeric/RunState.h"

struct Model;
struct AnalysisElementList;

// Every element's input and force build for the current case, kept by a
// run that writes the element-force blocks of many displacement vectors
// under one case (the modes of a spectrum step): the first block fills it,
// the later ones only recover. By element, [0] unused.
struct ElementForceBuilds {
  std::vector<AnalysisElementInput> inputs;
  std::vector<ElementForceBuild> builds;
};

// Throw the message for the current case when a value of the solution
// vector (by equation, [0] unused) does not fit; names its node and
// direction.
void CheckSolutionFits(const Model& model, std::span<const double> values);
// The same for the element forces and support loads of a dynamic run's
// block (twelve values per analysis element, then the support loads).
void CheckForceBlockFits(const Model& model, const AnalysisElementList& elements, std::span<const double> values);
void CheckForceBlockFits(const Model& model, const AnalysisElementList& elements, std::span<const float> values);

void WriteDisplacements(const Model& model, AnalysisProgress& progress);
void CalculateElementForces(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                            ElementForceBuilds* kept = nullptr);
void CalculateSupportLoads(const Model& model, AnalysisProgress& progress);
// The sustained displacements of the hanger selection, for the results'
// "Show sust. disp. during hanger selection": a new hanger displacement
// work file holding the result node count (int32), then per result node its
// id (int32) and six displacements as the displacement block writes them.
void WriteHangerDisplacements(const Model& model);

// The stiffness export's file name for a model path: the extension (from
// its dot) replaced by "_K.csv".
std::string StiffnessExportPath(const std::string& modelPath);
