// The two element force sections of the load-case report: the element
// forces in local coordinates and in global coordinates, each the pipe
// elements' sub-section (the pipe forces table's report form for the
// piping code), then the FRP elements', the beams' and the other elements'
// (valves, joints, rigid and elastic elements, tie rods), each only when
// the results hold such elements. The axes flag of the force tables is set
// for the section and put back afterwards.
#pragma once

void PrintPipeElementForcesLocal();
void PrintElementForcesGlobal();
// Whether the results hold elements of any family for the sections.
bool ElementForceSectionsOffered();
