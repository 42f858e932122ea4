// The "FRP forces" table of the Results window: for every fibre-reinforced
// plastic pipe-kind element two lines, its start node with the start end's
// forces and moments and its end node with the end end's, in global axes
// (FX .. MZ, what each node exerts on the element; magnitudes in a dynamic
// case) or in the element's local axes with the SIFs: fx .. mz and the
// in-plane SIF, or, for the codes that separate the in-plane and
// out-of-plane SIFs (B31.3, B31.4, B31.8 and their kin), axial force,
// shears, torque and each bending moment beside its own SIF, the moments
// resolved in the branch's plane at a branch connection. It is the "&FRP"
// kind of the Other Forces selector.
//
// PrintFrpForces and FrpGlobalForcesText write the local and the global
// sub-sections of the element force reports (printer, text, CSV); nothing
// without FRP elements.
#pragma once

class ResultTableWindow;

void OpenFrpForcesTable();
ResultTableWindow& FrpForcesTable();
// The local-axes display (327) while the FRP forces table is shown in
// local axes.
void ToggleFrpForcesLcs();
void RegisterFrpForcesTable();
void PrintFrpForces();
void FrpGlobalForcesText();
// The codes whose tables separate the in-plane and out-of-plane SIFs.
bool InOutPlaneSifs();
// The in-plane (mz) and out-of-plane (my) moment of an element's end in the
// current case, resolved in the branch SIF's plane at a branch connection
// of a pipe, jacketed pipe or reducer when the code separates the SIFs.
void EndBendingMoments(int element, int end, double& inPlane, double& outPlane);
