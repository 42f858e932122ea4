// Where report output goes: to the printer, to a text page in a report file,
// or as comma-separated cells into a report file. Only the two flags live
// here so far; the report file dialog and the writers come with printing.
#pragma once

// A report file is open.
extern bool g_ReportFileOpen;
// Output goes to the open report file as comma-separated cells.
extern bool g_ReportToFile;
