// The "Flange Stresses Report" of the flange qualification tool: one report
// routine for the tool's window, the printer and the text or comma-separated
// file (the evaluation report lines decide the road), and the table window
// of the List frame that shows it.
//
// The report lists the inputs in five blocks (flange, bolting, gasket,
// loads) and, once the document is analysed, the equivalent pressure
// against the B16.5 rating, the rigidity indices J and the two stress
// tables (operating and gasket seating), each row with its calculated and
// allowed stress, their ratio and "OK" or "----". On the screen each line
// is a row of the table: plain lines as text, the stress tables' heading
// and rows in right-aligned columns measured from the font (on the printer
// the same columns in the report font; in the text file at fixed columns).
#pragma once

#include <string>

class ResultTableWindow;

// Writes the report on the road the report flags choose (on the screen
// road into the evaluation line buffer, cleared first).
void BuildFlangeStressesReport();
// Shows the report in the List frame's table window, titled "Flange
// Stresses Report" with the document's file.
void ShowFlangeStressesReport();
// The table the report is shown in.
ResultTableWindow& FlangeStressesTable();

// The text of a stress row's status: "OK" for a ratio of at most 1.0.
const char* FlangeStatusText(double ratio);
