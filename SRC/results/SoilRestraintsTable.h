// The "Soil Restraints" result table: the soil springs the analysis gave
// each buried element, read from the results file (one record per element
// in element order): its two end nodes, the soil's name and type, and the
// whole element's stiffness and maximum load in four directions (axial,
// transverse, vertical down, vertical up). Read-only; moving through the
// rows highlights the row's element in the graphics window.
//
// Printed on the printer as the table's grid under "Soil restraints", or in
// the report file as text (columns fixed for an 80-column page) or as
// comma-separated values. Start reading at OpenSoilRestraintsTable.
#pragma once

#include <string>

// Whether the shown results hold soil restraints (the chooser's condition).
bool SoilRestraintsAvailable();
// The result chooser's "&Soil restraints".
void OpenSoilRestraintsTable();
// The printer grid or the report file; nothing when there are none.
void PrintSoilRestraints();

// The texts of record `row` (1 ..), columns 1 to 12, as the table shows them.
std::string SoilRestraintCell(int row, int column);
