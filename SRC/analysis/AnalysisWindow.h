// The analysis window (ANALYZE_DIALOG) and the entry every road into an
// analysis takes: the Analyze command of the Layout window and the
// command-line run of a model batch file.
//
// AnalyzeModel checks what can be analysed (options, kinds, elements),
// then runs the analysis inside the modal analysis window on the GUI
// thread: the run starts once the window is up, shows its step titles,
// phases and percentages in the window's progress areas, the size of the
// system in its value fields and the elapsed seconds, and pumps messages
// at every progress text, so Abort works and other windows repaint. A run
// that fails shows its message; an aborted run ends quietly; either way no
// new results file is left and the old one stays. After a good run the
// window asks "Do you want to see the results ?" (a batch run skips the
// question and answers for itself); Yes opens them through OpenResults
// (results/ResultsMode.h), a batch run without showing a window.
#pragma once

#include "platform/Types.h"

// The analysis of the open model, saved beforehand. True when the results
// file was written. `batch`: started by a model batch file (no question;
// the nonlinear checkpoints accept without asking). Load cases accepted
// before their nonlinear supports converged are named in a warning after
// the run; a batch run with such cases answers false although its results
// file is written, so that the batch road ends as a failure.
bool AnalyzeModel(HWND owner, bool batch);

