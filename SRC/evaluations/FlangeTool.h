// The flange qualification tool: a stand-alone check of one bolted flange
// joint, apart from the piping model. While it is open it holds the List
// frame: the frame carries its menu "FLANGE_ANALYSIS", its accelerators
// "FLANGE_ACCEL", its title, its toolbars (New, Open, Save, Print) and its
// remembered placement ("Flange Qualification"), and shows the "Flange
// Stresses Report"; closing the tool gives the frame back as it was.
//
// One document at a time, and never beside a model: the tool opens (File >
// New, or a .flg file opened from the Open dialog or the command line) only
// after the open model was closed, and any document that opens or is made
// new leaves the tool first through the List frame's leave hook.
// The program's modified flag is the tool's: the ask-to-save step
// (FlangeWindowIsOpen) comes before New, Open, Close, Analyze and closing
// the window whenever the document has unsaved changes; its Cancel, and a
// Save As cancelled from it, stop the command.
//
// Start reading at OpenFlangeWindow; FlangeToolCommand is the frame's
// command switch while the tool holds it.
#pragma once

#include <string>

#include "platform/Types.h"

// Whether the tool holds the List frame.
bool FlangeToolHoldsListFrame();
// The List frame's leave hook (LeaveListFrameTool): the ask-to-save step,
// then CloseFlangeWindow; false when the user cancelled. True at once when
// the tool is not open.
bool LeaveFlangeTool(HWND owner);

// File > New, "Flange Qualification": whatever holds the List frame is left
// (LeaveListFrameTool; Cancel stops here), the open model is closed and an
// untitled document with the defaults opens.
void NewFlangeQualification(HWND owner);
// Opening a .flg file: read into copies first (a refusal is shown over
// `owner` and changes nothing), then whatever holds the List frame is left
// (Cancel: false, nothing changed), the model is closed and the tool shows
// the document. True when it was opened.
bool OpenFlangeQualificationFile(HWND owner, const std::string& path);

// Takes the List frame (or, when the tool holds it already, shows the
// document again).
void OpenFlangeWindow();
// Gives the List frame back and forgets the document's file; the document's
// changes are gone (the ask-to-save step came first).
void CloseFlangeWindow();

// The ask-to-save step: "Do you want to save changes to" the file's name
// (or "Untitled"); 6 Yes (and saved), 7 No, 2 Cancel, also when the save
// failed or its Save As was cancelled.
int FlangeWindowIsOpen(HWND owner);
// Writes the document to its file with a notice; false (the message shown)
// when it could not.
bool SaveFlangeFile(HWND owner);
// Save As ("Save As", *.flg): true when written, or when the dialog was
// cancelled (nothing written); false when it failed.
bool SaveFlangeFileAs(HWND owner);

// Analyze: checks the data (a refusal is shown and nothing is analysed),
// calculates, shows the report and the notice "Flange Analyzed".
void FlangeStressCalculation(HWND owner);

// The commands of the List frame while the tool holds it.
void FlangeToolCommand(HWND window, int commandId);
std::string FlangeToolTipText(int commandId);
