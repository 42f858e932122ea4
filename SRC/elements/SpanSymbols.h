// The pieces of picture that the elements drawn along their span share:
// the band either side of the span on screen (the pick band of the rigid
// and elastic elements, the body of the joints' line symbols), the bars
// across it, and the box elements' picking. They sit here once so that the
// kinds that look alike on screen are also picked alike.
#pragma once

#include <initializer_list>

#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class ElementData;

// Sets `band` to the rectangle `halfWidth` either side of the on-screen
// span between two nodes (its corners from the start node on the negative
// side round to the start node on the positive side).
void SetSpanBand(Quad2& band, int startNode, int endNode, float halfWidth);

// The bars across the span from `halfWidth` on one side to the other, at
// the fractions `at` of its length.
void DrawBarsAcrossSpan(int startNode, int endNode, float halfWidth, std::initializer_list<float> at);

// The rendered box's faces, as they are picked.
void DrawBoxFaces(const BoxSymbol& box);

// An element drawn as a box: outside a pick the ordinary edit; in a pick,
// hit by the box's faces when rendered and by `band` in lines. A hit asks
// for the row's edit and returns true.
bool EditBoxElement(ElementData& element, int rowNumber, float x, float y, bool shown, const BoxSymbol& box,
                    const Quad2& band);
