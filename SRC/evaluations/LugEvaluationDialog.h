// The lug evaluation dialog "LUG_EVAL" and the checks of its values. The
// code chooses the labels of the five run-pipe stresses and of the
// allowables (ASME: sh, sa, sy; EN: fh, fa, ReHt, fcr) and whether the
// level and the Settlement loads apply; the attachment chooses its two
// dimensions and its weld list. Choosing a code changes the dialog only:
// Cancel leaves the inputs as they were.
//
// OK reads in order and refuses the first bad value with the focus on its
// field (the dialog stays), then the geometry limits of the formulas (a
// run-pipe wall of half the outside diameter or more is no pipe). What
// the dialog did not read counts as 0. When anything differs from the
// document it is stored, modified and not analysed. While results are
// shown everything is read-only and OK stores nothing.
//
// Analyze holds the document to the same limits (LugInputRefusal). Both OK
// and Analyze then refuse values past the limit of a typed number and
// values whose stresses would not be finite (EvaluationInputLimits.h).
#pragma once

#include <string>

#include "evaluations/LugEvaluationModel.h"
#include "platform/Types.h"

INT_PTR LugDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner`; true when OK stored a change.
bool EditLugEvaluation(HWND owner);
// The message of the first value the dialog would refuse; empty when all
// pass.
std::string LugInputRefusal(const LugInputs& d);
