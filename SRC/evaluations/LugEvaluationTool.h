// The lug evaluation tool: a stand-alone check of a run pipe at one welded
// attachment, apart from the piping model. While it is open it holds the
// List frame (EvaluationFrame.h) with its menu "LUG_EVALUATION", its
// accelerators "LUG_ACCEL" and its remembered placement ("Lug
// Evaluation"), and shows its report "Evaluation of Piping at Lug
// Attachment"; closing the tool gives the frame back as it was.
//
// One document at a time, never beside a model: the tool opens (File >
// New, or a .lug file opened by its extension) after the open model was
// closed, and any document that opens or is made new leaves the tool first
// through the List frame's leave hook. The save question comes before New,
// Open, Close, Analyze and closing the window while the document has
// unsaved changes; its Cancel, and a Save As cancelled from it, stop the
// command. Analyze holds the document to the dialog's limits first.
#pragma once

#include <string>

#include "platform/Types.h"

bool LugToolHoldsListFrame();
// The List frame's leave hook: the save question, then the tool closes;
// false when the user cancelled.
bool LeaveLugTool(HWND owner);

void NewLugEvaluationDocument(HWND owner);
// Opening a .lug file: read into copies first (a refusal is shown and
// changes nothing), then as New. True when opened.
bool OpenLugEvaluationFile(HWND owner, const std::string& path);

void OpenLugWindow();
void CloseLugWindow();

// The save question: 6 Yes (and saved), 7 No, 2 Cancel, also when the
// save failed or its Save As was cancelled.
int AskSaveLugChanges(HWND owner);
bool SaveLug(HWND owner);
// Save As: true only when the file was written.
bool SaveLugAs(HWND owner);
void AnalyzeLugEvaluation(HWND owner);

void LugToolCommand(HWND window, int commandId);
