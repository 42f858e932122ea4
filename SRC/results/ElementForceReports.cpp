// The element force sections of the load-case report; see
// ElementForceReports.h.
#include "results/ElementForceReports.h"

#include "results/BeamForcesTable.h"
#include "results/FrpForcesTable.h"
#include "results/OtherForcesTable.h"
#include "results/PipeForcesTable.h"
#include "results/ResultNavigation.h"
#include "results/ResultsFile.h"
#include "shell/TableWindow.h"

namespace {

void PrintSections(bool global) {
  const bool shown = g_ShowGlobalForces;
  g_ShowGlobalForces = global;
  const ResultsFileContents& results = TheResults();
  if (!results.stressElements.empty()) {
    // The pipe forces print through their table, which picks its member
    // by the piping code.
    OpenPipeForcesTable();
    if (ShownResultTable() != nullptr) TableWindowPrint(ResultsTableWindow());
  }
  if (global)
    FrpGlobalForcesText();
  else
    PrintFrpForces();
  PrintBeamForces();
  PrintOtherForces();
  g_ShowGlobalForces = shown;
}

}  // namespace

void PrintPipeElementForcesLocal() { PrintSections(false); }
void PrintElementForcesGlobal() { PrintSections(true); }

bool ElementForceSectionsOffered() {
  const ResultsFileContents& r = TheResults();
  return !r.stressElements.empty() || !r.frpElements.empty() || !r.beamElements.empty() || !r.otherElements.empty();
}
