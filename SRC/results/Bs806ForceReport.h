// The BS 806 layout of the element force report in local coordinates: for
// every stress element of the current result case its two ends, the
// in-plane, out-of-plane and torsional moments, at a branch connection the
// mark "BrJnc" with the pressure factor m and the branch factors Bi and Bo,
// for a bend, miter or jacketed bend its chart factors FTi, FTo, FLi and
// FLo, and the three stresses F,fB, fs and fc of BS 806. Written on the
// report file as text (headings repeated at the top of every page) or as
// comma-separated lines; the element forces of the case must be loaded.
//
// The pipe forces table writes it for its local form under BS 806; the
// element force report of the results calls it for its pipe sub-section.
#pragma once

void WriteBs806PipeForcesLocal();
