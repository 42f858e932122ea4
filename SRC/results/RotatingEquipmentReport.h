// The rotating-equipment report of the Results window: for one pump,
// compressor or turbine of the model and one report case, the nozzle loads
// against the allowable loads of its standard. After a results file is
// read the report is prepared: its load cases (the cold spring cases
// present, else the operating cases present, at most 10), the equipment
// list (every pump, compressor, turbine) and the nozzle loads of every
// item in every case. The report then opens on the current entry and case;
// the user steps through the entries (F6 chooser, Ctrl+Right, Ctrl+Left)
// and the cases (the case chooser, Right and Left arrows, wrapping). The
// printed results carry every machine for every case.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;
class ResultTableWindow;

// The post-read step; the report stays unavailable without equipment or
// cases. Restores the current result case.
void PrepareRotatingEquipmentReport(Model& model);
// Whether the report has load cases (the chooser offers it then).
bool RotatingEquipmentReportAvailable();
// The opener: records itself as the reopen command and shows the report
// of the current entry ("Rotating Equipment Report").
void OpenRotatingEquipmentReport();
// Command 231 with more than one report case: the case chooser.
void ChooseReportLoadCase(HWND owner);
// Commands 287, 330, 331 with at least two entries.
void ChooseOtherEquipment(HWND owner);
void NextEquipment();
void PreviousEquipment();
bool MultipleEquipment();
int ReportCaseCount();
// The report's section of the printed results.
void PrintRotatingEquipmentReports();
ResultTableWindow& RotatingEquipmentReportTable();
// A buffered line of the report shown, its fields separated by blanks.
std::string RotatingReportLineText(int index);
