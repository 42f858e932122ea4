// The small geometric records of the drawing code and their pure operations:
// the 2D bounding rectangle (Rect2) that every drawable thing keeps for
// culling and picking, the four- and three-corner outlines (Quad2,
// Triangle2) that are drawn and hit-tested, and 3D vectors of three floats.
// Nothing here draws or reads the view; the operations that draw these
// records (Rect2Draw, Quad2Draw ...) and test them against the view live in
// the 2D drawing layer (Drawing2D.h), the symbol frames in SymbolFrames.h.
//
// A Rect2 is empty when its minimum lies above its maximum: Rect2Reset sets
// xmin = ymin = +1.0e30 and xmax = ymax = -1.0e30, so that the first point
// extended sets all four sides. Outlines are stored counter-clockwise (y up)
// whatever order their corners were given in, so that containment is the
// same strict test for every outline: a point on an edge is outside, a point
// on the border of a Rect2 is inside. All coordinates are 32-bit floats.
#pragma once

#include <array>

using Vec3 = std::array<float, 3>;

struct Rect2 {
  float xmin;
  float ymin;
  float xmax;
  float ymax;
};

void Rect2Reset(Rect2& rect);
void Rect2Extend(Rect2& rect, float x, float y);
// Extends by the two corners of another rectangle (nothing for an empty one).
void Rect2ExtendRect(Rect2& rect, const Rect2& other);
void Rect2Inflate(Rect2& rect, float margin);
bool Rect2Contains(const Rect2& rect, float x, float y);
bool Rect2IsEmpty(const Rect2& rect);
// False when the rectangle lies wholly left, right, below or above the
// limits; touching counts as meeting.
bool Rect2Meets(const Rect2& rect, float left, float right, float bottom, float top);

struct Quad2 {
  float x[4];
  float y[4];
};

// p0 and p2 become corners 0 and 2; p1 and p3 take corners 1 and 3 in the
// order that makes the outline run counter-clockwise.
void Quad2Set(Quad2& quad, float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);
bool Quad2Contains(const Quad2& quad, float x, float y);
void Quad2ExtendRect(const Quad2& quad, Rect2& rect);

struct Triangle2 {
  float x[3];
  float y[3];
};

void Triangle2Set(Triangle2& triangle, float x0, float y0, float x1, float y1, float x2, float y2);
bool Triangle2Contains(const Triangle2& triangle, float x, float y);
void Triangle2ExtendRect(const Triangle2& triangle, Rect2& rect);

float Vec3Length(const Vec3& a);
void Vec3Add(const Vec3& a, const Vec3& b, Vec3& out);
void Vec3Sub(const Vec3& a, const Vec3& b, Vec3& out);
void Vec3Cross(const Vec3& a, const Vec3& b, Vec3& out);
float Vec3Dot(const Vec3& a, const Vec3& b);
// The unit vector of `a`; `a` itself when its length is not positive.
void Vec3Unit(const Vec3& a, Vec3& out);
void Vec3Normalize(Vec3& a);
// The angle between two vectors in radians: 0 when either is zero, pi for
// opposite ones.
float Vec3Angle(const Vec3& a, const Vec3& b);
