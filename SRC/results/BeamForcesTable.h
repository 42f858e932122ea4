// The "Beam forces" table of the Results window: for every beam element two
// lines, its From node with the From end's forces and moments and its To
// node with the To end's, in the beam's local axes (fx .. mz, the record as
// stored) or in global axes (FX .. MZ, what each node exerts on the beam;
// magnitudes in a dynamic case), by the Results window's Global/Local forces
// command. The columns are as wide as the wider of both modes, so switching
// keeps them. It is the "&Beams" kind of the Other Forces selector.
//
// PrintBeamForces writes the section on the report road in the current mode
// ("Beam forces in local coordinates: <case>" or the global one); nothing
// when the results hold no beam.
#pragma once

class ResultTableWindow;

void OpenBeamForcesTable();
ResultTableWindow& BeamForcesTable();
void RegisterBeamForcesTable();
void PrintBeamForces();
