// The colour scale of result pictures: one linear scale of four bands from
// blue through cyan, green and yellow to red between a minimum and a
// maximum, the value-to-colour rule, the splitting of a straight segment at
// the band limits (so that every piece keeps its colours inside one band
// and OpenGL's interpolation between its end colours is the scale's), and
// the coloured tubes and bend pieces of the rendered picture.
//
// A value outside the scale takes the colour of the nearer end. A scale
// whose minimum equals its maximum has no bands: every value is green.
// The scale is the graphics thread's (the picture sets it before drawing
// and the colour bar reads it); the drawing runs there with the OpenGL
// context current.
#pragma once

#include <array>
#include <vector>

#include "records/DrawingGeometry.h"

void SetColourScale(float minimum, float maximum);
float ColourScaleMin();
float ColourScaleMax();
// The three band limits (a quarter, half and three quarters of the way).
std::array<float, 3> ColourScaleLimits();

// RGB, each 0 to 1.
void ValueToColour(float value, float rgb[3]);

// One piece of a banded segment, values rising from start to end.
struct BandedPiece {
  Vec3 start{}, end{};
  float startRadius = 0.0f, endRadius = 0.0f;
  float startValue = 0.0f, endValue = 0.0f;
};
// The pieces a straight segment is drawn in: the ends swapped when the
// values fall, none when it is shorter than 0.001, one when the values
// differ by less than a thousandth of the scale's range, else split at
// every band limit L with start value <= L < end value.
std::vector<BandedPiece> BandedSegmentPieces(const Vec3& start, const Vec3& end, float startRadius, float endRadius,
                                             float startValue, float endValue);
void DrawBandedSegment(const Vec3& start, const Vec3& end, float startRadius, float endRadius, float startValue,
                       float endValue);
// One piece: a plain line below 4 pixels of radius, else a tube whose end
// colours are those of its values.
void DrawColouredTube(const Vec3& start, const Vec3& end, float startRadius, float endRadius, float startValue,
                      float endValue);
// A coloured part of a bend about `centre`: from the direction x (centre to
// the arc's start) towards y through `angle` radians, the value rising
// linearly from startValue to endValue; nothing below 4 pixels of tube
// radius.
void DrawColouredBendPiece(const Vec3& centre, const Vec3& x, const Vec3& y, float bendRadius, float tubeRadius,
                           float angle, float startValue, float endValue);
