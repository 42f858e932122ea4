// The support load summary: for every support of the model its loads in
// every analysed static case and in the standard combinations of a base
// case (sustained, operating 1 to 10, or their cold-spring forms) with an
// occasional case, then the column-wise Maximum, the Minimum and the user's
// allowable loads at its node. The rows are built once per results file:
// each row's case is made current and every support stores, adds or
// subtracts its loads (its time-load operations, SupportLoads.h).
//
// Row order: "Empty Weight"; the base rows ("Sustained", "Operating1" ...,
// a cold-spring case replacing its base as "Cold spring0" ...); a
// settlement row per base; "Hydrotest"; per base a row for each wind case;
// per base a "+" and a "-" row for seismic, response spectrum and force
// spectrum; a time-history row per base; harmonic "+" and "-" per base;
// "Maximum", "Minimum", "Allowables". A combined row reads base, sign and
// occasional name without blanks ("Operating1+Settlement").
//
// The summary is offered when the model has supports and the results hold
// the sustained case or an operating case. The window shows one support at
// a time (SummaryCurrentSupport, a position in the support list of the
// results) and remembers its current row between supports.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

// Rows 1 .. count, the last three Maximum, Minimum and Allowables.
const std::vector<std::string>& SummaryRowLabels();  // [0] unused
int SummaryRowCount();
int SummaryFirstExtremeRow();
bool SupportLoadSummaryAvailable();
int& SummaryCurrentSupport();
int& SummaryRememberedRow();

// The labels of the rows the present case types give (present: by
// LoadCaseType); the last three rows included.
std::vector<std::string> BuildSummaryRowLabels(const std::vector<bool>& present);

void BuildSupportLoadSummary(Model& model);
void FreeSupportLoadSummary(Model& model);
void OpenSupportLoadSummary();
void ChooseSupportForSummary(HWND owner);
// The support chooser (SELECT_DIALOG) under `caption` on position
// `current`: the chosen position in the results' support list, 0 after
// Cancel.
int ChooseSupportPosition(HWND owner, const std::string& caption, int current);
void SupportSummaryNext();
void SupportSummaryPrevious();
bool MultipleSupports();
// The report section "Support load summary": every support's summary.
void PrintSupportLoadSummaries();
