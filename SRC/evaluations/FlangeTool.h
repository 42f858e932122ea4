// The flange qualification tool: a stand-alone check of one bolted flange
// joint, apart from the piping model. While it is open it holds the List
// frame: the frame carries its menu "FLANGE_ANALYSIS", its accelerators
// "FLANGE_ACCEL", its title, its toolbars (New, Open, Save, Print) and its
// remembered placement ("Flange Qualification"), and shows the "Flange
// Stresses Report"; closing the tool gives the frame back as it was. Its
// documents are .flg files, opened from the Open dialog or the command
// line; the window, file and command road is the evaluation tools' own
// (EvaluationTool.h). The program's modified flag is the tool's.
//
// Analyze checks the data (a refusal is shown and nothing is analysed),
// calculates, shows the report and the notice "Flange Analyzed".
#pragma once

#include <string>

#include "platform/Types.h"

// Whether the tool holds the List frame.
bool FlangeToolHoldsListFrame();
// File > New, "Flange Qualification" (EvaluationTool::New).
void NewFlangeQualification(HWND owner);
// Opening a .flg file (EvaluationTool::Open). True when it was opened.
bool OpenFlangeQualificationFile(HWND owner, const std::string& path);
// Gives the List frame back and forgets the document's file.
void CloseFlangeWindow();

// The tips of the tool's toolbar buttons.
std::string FlangeToolTipText(int commandId);
