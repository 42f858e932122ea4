// The "Pipe forces" table: for every stress element (a pipe-kind element
// whose material is not fibre-reinforced plastic), two lines, end 1 and
// end 2, with the forces and moments at the element's ends for the current
// case, in the element's local axes or in global axes (the Results
// window's F7 toggles g_ShowGlobalForces for every force table).
//
// Local axes show the stored record as it is (the end-force convention:
// end 2 what the node exerts on the element, end 1 its negative, so a pipe
// in tension shows +N on both lines). Global axes show what each node exerts
// on the element: end 1 turned back, and magnitudes for a dynamic case.
#pragma once

class ResultTableWindow;

void OpenPipeForcesTable();
ResultTableWindow& PipeForcesTable();
void RegisterPipeForcesTable();
