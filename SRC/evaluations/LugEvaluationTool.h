// The lug evaluation tool: a stand-alone check of a run pipe at one welded
// attachment, apart from the piping model. While it is open it holds the
// List frame (EvaluationFrame.h) with its menu "LUG_EVALUATION", its
// accelerators "LUG_ACCEL" and its remembered placement ("Lug
// Evaluation"), and shows its report "Evaluation of Piping at Lug
// Attachment"; closing the tool gives the frame back as it was. Its
// documents are .lug files; the window, file and command road is the
// evaluation tools' own (EvaluationTool.h). Analyze holds the document to
// the dialog's limits first.
#pragma once

#include <string>

#include "platform/Types.h"

bool LugToolHoldsListFrame();
// File > New, "Lug Evaluation" (EvaluationTool::New).
void NewLugEvaluationDocument(HWND owner);
// Opening a .lug file (EvaluationTool::Open). True when opened.
bool OpenLugEvaluationFile(HWND owner, const std::string& path);
void CloseLugWindow();
