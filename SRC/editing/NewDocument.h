// File > New: the NEW_DIALOG chooser ("New") of what to create. A new model
// closes the open one (the callers ask the save question first) and starts
// with two rows: the title comment "Title = " and an anchored From row at
// node 10 at the origin. A new material, valve or beam section library
// closes the model and opens an empty untitled library in its window; a new
// flange qualification, nozzle or lug evaluation closes the model and opens
// that tool (evaluations/FlangeTool.h, NozzleEvaluationTool.h,
// LugEvaluationTool.h). A library window or an evaluation tool open now is
// left first (after its save question).
#pragma once

#include "platform/Types.h"

struct Model;

// The choice of the dialog: 1 model, 2 material library, 3 spectrum
// library, 4 valve library, 5 beam section library, 6 flange qualification,
// 7 nozzle evaluation, 8 lug evaluation; 0 for Cancel.
int NewDocumentChoice(HWND parent);
// Asks and starts what was chosen.
void NewDocumentDialog(HWND parent);
// The rows of a new model, in a model just made empty: the title row and
// the anchored From node 10; the model is made and left unmodified.
void SetUpNewModel(Model& model);

INT_PTR NewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
