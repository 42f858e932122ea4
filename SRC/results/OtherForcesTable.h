// The "Other forces" table of the Results window: the end forces and
// moments of every analysis element that is neither of a pipe kind nor a
// beam (valves, bellows, slip, hinge and ball joints, rigid and elastic
// elements, tie rods), in analysis element order, two lines per element
// (node 1 with the element's type, then node 2), in the element's local
// axes (the record as stored: a valve in tension shows +N on both lines)
// or in global axes (what each node exerts on the element; magnitudes for
// a dynamic case), by the Results window's Global/Local forces command. It
// is the "&Other" kind of the Other Forces selector.
//
// PrintOtherForces writes the section in the current axes on the printer
// or on the report road; nothing when the results hold no such element.
#pragma once

class ResultTableWindow;

void OpenOtherForcesElementTable();
ResultTableWindow& OtherForcesTable();
void RegisterOtherForcesTable();
void PrintOtherForces();
