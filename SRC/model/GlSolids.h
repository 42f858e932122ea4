// OpenGL state and solid symbols of the rendered picture: the lights and
// material (GlInitState), the circle tables that decide how finely curved
// surfaces are tessellated (by their size on the screen and the "Rendering
// Quality" option), and the solids that the kinds' OpenGL drawing calls:
// lines, tubes and cones, bends, spheres, discs, rings, boxes and the valve
// handwheel. All coordinates are model coordinates (inches); the model-view
// and projection matrices are the painter's (DrawModelGl).
//
// Every solid fills one set of shared vertex, normal and colour arrays from
// index 0 and draws them with one glDrawArrays call per strip, without
// allocation; they run on the thread whose context is current (the
// graphics thread). Degenerate solids draw nothing (zero length, fewer than
// 4 facets) or fall back to a line.
#pragma once

#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

// 0 low (facets by size), 1 medium (24), 2 high (48).
int RenderQuality();
void SetRenderQuality(int quality);

// The cosine and sine tables of 4, 6, 8, 12, 16, 24 and 48 facets (n + 1
// entries each); built once.
void BuildCircleTables();
// Facets around a circle of radius r at the current scale; 0 below half a
// pixel.
int CircleFacetCount(float r);
// Makes the table of n facets current (any n without a table: 4).
void SelectFacetTable(int n);
int SelectedFacetCount();
// Straight segments along a bend whose arc is s pixels long.
int BendSegmentCount(float arcLengthPx);

// Lights, material, depth test, culling, blending function, clear colour by
// the background, and the shared client arrays.
void GlInitState();

void GlLine(const Vec3& p1, const Vec3& p2);
void GlDrawTube(const Vec3& p1, const Vec3& p2, float r1, float r2, bool endFlag);
void GlDrawCone(const Vec3& base, const Vec3& tip, float r);
void GlDrawBend(const Vec3& centre, const Vec3& start, const Vec3& end, float bendRadius, float pipeRadius,
                float angle, bool endFlag);
void GlDrawSphere(const Vec3& centre, float r);
void GlDisc(float r);
void GlDiscAt(const Vec3& centre, const Vec3& direction, float r);
void GlRing(float r1, float r2);
void GlRingAt(const Vec3& centre, const Vec3& direction, float r1, float r2);
void GlDrawBoxSymbol(const BoxSymbol& box);
// A tube symbol as its kind built it: one radius at both ends, end discs by
// its end flag (the straight parts of elements and symbols).
void ElementDrawSegment(const TubeSymbol& tube);

// A valve's handwheel: six spokes, an outer and an inner rim tube and the two
// side rings of the rim.
struct ValveWheel {
  TubeSymbol spokes[6];
  TubeSymbol outerRim;
  TubeSymbol innerRim;
  Vec3 ringStart{};
  Vec3 ringEnd{};
  Vec3 axis{1.0f, 0.0f, 0.0f};
  float innerRadius = 0.0f;
  float outerRadius = 0.0f;
};
void ValveWheelSet(ValveWheel& wheel, const Vec3& centre, const Vec3& direction, float radius);
void GlDrawValveWheel(const ValveWheel& wheel);

// Solids coloured per vertex, unlit (the colours of a result picture): a
// tube from p1 (colour c1) to p2 (colour c2), the colours interpolated
// along it; a part of a bend swept about `centre` from the direction x
// (unit, centre to the start of the arc) towards y (unit, in the bend's
// plane) through `angle` radians in `steps` steps, each ring k (0 ..
// steps) coloured by colourAt(k / steps). Both draw nothing when the tube
// is shorter than 0.001, or has fewer than 4 facets.
void GlDrawColouredTube(const Vec3& p1, const Vec3& p2, float r1, float r2, const float c1[3], const float c2[3]);
void GlDrawColouredBend(const Vec3& centre, const Vec3& x, const Vec3& y, float bendRadius, float pipeRadius,
                        float angle, int steps, void (*colourAt)(float t, float rgb[3], const void* context),
                        const void* context);

// Divides the vector by its length unless that is 0.
void GlNormalize3(float vector[3]);
