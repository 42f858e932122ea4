// What a bend keeps for the picture, made again with every view and never
// stored: the lead-in (the straight pipe from the start of the bend's run to
// the arc's near point, or to the corner while the arc cannot be placed) as
// a tube and as its outline in the line picture, the arc's ends, centre and
// radii for the rendered arc, and the pick outlines: the near-corner-far
// triangle and the lead-in quad of the line picture, the lead-in tube's
// outline and the outlines of the arc's three thirds of the rendered one.
//
// The operations are Bend's (Bend.h), written in BendDrawing.cpp: 2D lines
// (the arc as a Bezier curve with its tangents dotted while "Curved bends"
// is on, else the two tangent lines), the OpenGL tube and arc, the outlines
// and the hit tests. The miter bend and the jacketed bend's core draw and
// pick as the bend does.
#pragma once

#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

struct BendDrawing {
  bool valid = false;       // the arc is placed and its nodes exist
  TubeSymbol leadIn;        // rendered lead-in (to the corner when not valid)
  Quad2 leadInQuad = {};    // line picture: 7 pixels either side of the lead-in
  Triangle2 triangle = {};  // near point, corner, far point
  Quad2 thirds[3] = {};     // rendered arc: outlines of its thirds
  Vec3 centre{};
  Vec3 near{};
  Vec3 far{};
  float bendRadius = 0.0f;  // centre to the arc's near point
  float sweep = 0.0f;       // bend angle, radians
  bool arcEndsRun = false;  // a disc closes the arc at the far point
};
