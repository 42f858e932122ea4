// The nozzle evaluation report: the input data and, once the tool is
// analysed, the EN 13445-3 loads or the WRC 537 stresses and their check.
// One routine writes it on the screen (the tool's table in the List frame,
// titled "Nozzle Evaluation"), the printer and the text or comma-separated
// page, through the shared evaluation lines (LugEvaluationLines.h).
#pragma once

// Writes the report on the road the report flags choose.
void BuildNozzleEvaluationReport();
// The table's print: the report under the section "Local loads on nozzle".
void PrintNozzleReport();
// Rebuilds the screen lines and shows them in the List frame's table
// (scrolled back to the top when the document has changed).
void RefreshNozzleEvaluationWindow();
// The messages of the analysis shown over the foreground window (a WRC 537
// case without a figure or a curve): the report then ends before them.
// Built with the report; the tool shows it after an Analyze.
const char* NozzleReportForegroundMessage();
