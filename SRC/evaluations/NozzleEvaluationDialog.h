// The nozzle evaluation dialog "NOZZLE_QUAL" and the checks of its values.
// The rows follow the analysis: EN 13445-3 shows twelve values (the shell,
// nozzle and pad dimensions, the design stresses, the corrosion
// allowance), WRC 537 the load case and seventeen (loads, vessel and
// nozzle dimensions, general stresses, the allowable, the stress
// concentration factors). For a cylinder the WRC nozzle thickness and mean
// radius are neither shown enabled nor read.
//
// OK reads the values of the chosen analysis in order; the first refusal
// is shown with the focus on its field and the dialog stays. A shell or
// nozzle wall that reaches its outside radius is refused after the values
// ("Thickness is greater than radius", as the pipe sections say). When
// anything differs from the document it is stored, the document is
// modified and not analysed, and the tool's window is refreshed. While
// results are shown everything is read-only and OK closes like Cancel.
//
// Analyze holds the document to the same limits (NozzleInputRefusal): New's
// zeros and a file's values never reach the formulas. Both OK and Analyze
// then refuse values past the limit of a typed number and values whose
// loads or stresses would not be finite (EvaluationInputLimits.h).
#pragma once

#include <string>

#include "evaluations/NozzleEvaluationModel.h"
#include "platform/Types.h"

INT_PTR NozzleQualDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner`; true when OK stored a change.
bool EditNozzleEvaluation(HWND owner);
// The message of the first value of the analysis that the dialog would
// refuse; empty when all pass.
std::string NozzleInputRefusal(const NozzleEvaluation& d);
