// The nozzle evaluation tool: a stand-alone evaluation of one nozzle on a
// pressure vessel, apart from the piping model. While it is open it holds
// the List frame (EvaluationFrame.h) with its menu "NOZZLE_QUALIFICATION",
// its accelerators "NOZZLE_ACCEL" and its remembered placement, and shows
// its report "Nozzle Evaluation" titled "Local loads on nozzle"; closing
// the tool gives the frame back as it was. Its documents are .noz files;
// the window, file and command road is the evaluation tools' own
// (EvaluationTool.h).
//
// Analyze holds the document to the dialog's limits first (a refusal is
// shown and nothing is analysed); a WRC 537 case without a figure or a
// curve range shows its message over the window after the report.
#pragma once

#include <string>

#include "platform/Types.h"

bool NozzleToolHoldsListFrame();
// File > New, "Nozzle Evaluation" (EvaluationTool::New).
void NewNozzleEvaluationDocument(HWND owner);
// Opening a .noz file (EvaluationTool::Open). True when opened.
bool OpenNozzleEvaluationFile(HWND owner, const std::string& path);
void CloseNozzleEvaluation();
