// The rows that the element force reports share among their element
// families (pipes, FRP elements, beams and the other elements): the two
// lines of one element's global end forces in a text report and as
// comma-separated lines. The global values are those of the force tables
// (ElementForceValues.h): what each node exerts on the element for a
// static case, magnitudes for a dynamic case.
//
// Text: without a type column the nodes stand at column 4 and the values
// end at 18, 28, 38, 50, 62 and 74; with one, the nodes stand at 6, the
// element's type name at 16 on the first line and the values end at 27,
// 35, 43, 53, 63 and 73. Two value lines and a blank line are written.
// Comma-separated: per end the node, (with a type: the type name on the
// first line, an empty cell on the second) and the six values.
#pragma once

#include <array>
#include <string>

// The global values of element `e` of the forces loaded for the case.
std::array<double, 12> ElementGlobalForces(int e);
// The text of global value `index` (0-5) at end `line` (0, 1) of `global`.
std::string GlobalForceText(const std::array<double, 12>& global, int index, int line);
void WriteGlobalForceTextRow(int e, bool withType);
void WriteGlobalForceCsvRow(int e, bool withType);
