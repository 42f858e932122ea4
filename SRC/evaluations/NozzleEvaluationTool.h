// The nozzle evaluation tool: a stand-alone evaluation of one nozzle on a
// pressure vessel, apart from the piping model. While it is open it holds
// the List frame (EvaluationFrame.h) with its menu "NOZZLE_QUALIFICATION",
// its accelerators "NOZZLE_ACCEL" and its remembered placement, and shows
// its report "Nozzle Evaluation" titled "Local loads on nozzle"; closing
// the tool gives the frame back as it was.
//
// One document at a time, never beside a model: the tool opens (File >
// New, or a .noz file opened by its extension) after the open model was
// closed, and any document that opens or is made new leaves the tool first
// through the List frame's leave hook. The save question comes before New,
// Open, Close, Analyze and closing the window while the document has
// unsaved changes; its Cancel, and a Save As cancelled from it, stop the
// command.
//
// Analyze holds the document to the dialog's limits first (a refusal is
// shown and nothing is analysed); a WRC 537 case without a figure or a
// curve range shows its message over the window after the report.
#pragma once

#include <string>

#include "platform/Types.h"

bool NozzleToolHoldsListFrame();
// The List frame's leave hook: the save question, then the tool closes;
// false when the user cancelled. True at once when the tool is not open.
bool LeaveNozzleTool(HWND owner);

// File > New, "Nozzle Evaluation": whatever holds the List frame is left
// (Cancel stops), the model is closed and an untitled evaluation with the
// defaults opens.
void NewNozzleEvaluationDocument(HWND owner);
// Opening a .noz file: read into copies first (a refusal is shown and
// changes nothing), then whatever holds the frame is left, the model is
// closed and the tool shows the document. True when opened.
bool OpenNozzleEvaluationFile(HWND owner, const std::string& path);

void OpenNozzleEvaluationWindow();
void CloseNozzleEvaluation();

// The save question: 6 Yes (and saved), 7 No, 2 Cancel, also when the
// save failed or its Save As was cancelled.
int SaveNozzleEvaluation(HWND owner);
bool SaveNozzleEvaluationFile(HWND owner);
// Save As: true when written or when the dialog was cancelled; false when
// the write failed.
bool SaveNozzleEvaluationAs(HWND owner);

// Analyze: the limits, then the results in the report.
void AnalyzeNozzleEvaluation(HWND owner);

void NozzleToolCommand(HWND window, int commandId);
