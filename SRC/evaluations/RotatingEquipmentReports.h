// The rotating-equipment reports: the pump report (API 610 horizontal and
// vertical inline checks, ANSI/HI 9.6.2 checks by pump category) and the
// compressor (API 617) and turbine (NEMA SM 23) report, for one machine and
// one report case. One routine per report serves the printer, the text or
// comma-separated report file and the screen, where its lines go into the
// evaluation report line buffer and the "Rotating Equipment Report" table
// shows them (check rows, headings and value rows drawn in columns).
#pragma once

#include <string>


// The report of pump `number` (1-based in the model's pumps) for report
// case `caseNumber` (1-based).
void PumpNozzleReport(int number, int caseNumber);
// The report of compressor (kind 1) or turbine (kind 2) `number` for
// report case `caseNumber`.
void Api617NemaReport(int number, int kind, int caseNumber);

// Every pump (compressor, turbine) for every report case on the printer or
// into the report file.
void PrintApi610PumpReport();
void PrintApi617CompressorReport();
void PrintNemaTurbineReport();
