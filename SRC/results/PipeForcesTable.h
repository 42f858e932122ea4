// The "Pipe forces" tables: for every stress element (a pipe-kind element
// whose material is not fibre-reinforced plastic), two lines, end 1 and
// end 2, with the forces and moments at the element's ends for the current
// case, in the element's local axes or in global axes (the Results
// window's F7 toggles g_ShowGlobalForces for every force table), and in
// local axes the stress intensification data and the code stress of the
// case.
//
// One opener, four members chosen by the piping code: the plain table
// (forces, moments, the in-plane SIF, or B1 and B2 for the ASME Class 2/3
// codes in their primary cases, and the code stress), the flexibility
// factor table of the codes that separate the in-plane and out-of-plane
// SIFs, "Use B31J" and EN 13480 (axial and shear forces, each moment with
// its own SIF, the element's flexibility factors and the code stress), the
// von Mises table of code None (both SIFs and the principal stresses), and
// BS 806's own, which comes with the BS 806 stresses. All share their
// global form.
//
// Local axes show the stored record as it is (the end-force convention:
// end 2 what the node exerts on the element, end 1 its negative, so a pipe
// in tension shows +N on both lines). Global axes show what each node exerts
// on the element: end 1 turned back, and magnitudes for a dynamic case.
// In local axes the View menu offers the element's local axes in the
// graphics (command 327).
#pragma once

#include <string>

class ResultTableWindow;

void OpenPipeForcesTable();
ResultTableWindow& PipeForcesTable();
void RegisterPipeForcesTable();
// Command 327: the local axes of the current row's element shown or hidden.
void TogglePipeForcesLcs();

// Which member the piping code and the options choose.
enum class PipeForcesMember { Plain, FlexibilityFactor, VonMises, Bs806 };
PipeForcesMember ChosenPipeForcesMember();
// The stress column's heading for the current case; empty when the case
// has no code stress (the column is then not shown).
std::string PipeForcesStressHeading();
// The plain table shows B1 and B2 (an ASME Class 2/3 code and a primary
// case: sustained, occasional or hydrotest).
bool PipeForcesShowB1B2();
