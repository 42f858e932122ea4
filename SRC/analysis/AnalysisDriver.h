// The analysis driver: what Analyze runs once the model is saved. It
// refuses what cannot be analysed yet, writes the results file's header and
// analysis elements, renumbers the nodes, builds the stiffness profile,
// builds the step table from the load-case list and runs every step
// (assemble, factorise, solve, write; or combine earlier blocks), and ends
// the run.
//
// The results file is written under a temporary name beside the model and
// renamed over "<model>.res" only when it is complete and has been read back
// by the results reader with every block where the model says it is; a run
// that fails or is aborted deletes the temporary and every work file, so the
// previous results file stays as it was. Options the run changes are put
// back at its end, whatever the end: analysing never changes the model.
//
// Runs on the GUI thread; progress goes through the AnalysisProgress the
// caller gives (the analysis window's, which also checks Abort). Every
// failure is a thrown message text. Start reading at RunAnalysis.
#pragma once

#include <string>

#include "numeric/RunState.h"

struct Model;
struct AnalysisElementList;

// The one check before the first step: the forces added to temperatures in
// use, the friction of guides and limit stops, and the load cases. Throws
// the refusal (a row's number goes to `refusedRow`).
void CheckModelAnalysable(const Model& model, int* refusedRow = nullptr);

// Seconds spent in each phase of the last run.
struct AnalysisPhaseTimes {
  double generation = 0.0;
  double renumbering = 0.0;
  double assembly = 0.0;
  double factorisation = 0.0;
  double solves = 0.0;
  double writing = 0.0;
  double modes = 0.0;     // the eigen search, the modal results and the missing mass
  double spectrum = 0.0;  // the response spectrum combination
  double response = 0.0;  // the force spectrum, harmonic and time history steps
};
const AnalysisPhaseTimes& LastAnalysisPhaseTimes();

// The whole run for a saved model (its path names the results file). Throws
// the message text of a failure after cleaning up.
void RunAnalysis(Model& model, AnalysisProgress& progress);

// The parts of a run, in order (RunAnalysis calls them inside its cleanup).
void GenerateElementsPhase(Model& model, AnalysisElementList& elements, AnalysisProgress& progress);
void RenumberAndAllocate(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void RunStepLoop(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void ResetStepTable(Model& model);
void BuildStepTable(const Model& model);
bool ModelIsNonlinear(const Model& model);
// No element of the model changes its stiffness between the passes of the
// nonlinear iteration (no nonlinear element kind, no buried pipe).
bool ElementsAreLinear(const Model& model);
void RunLoadCaseStep(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
