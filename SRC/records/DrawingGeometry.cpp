// Rectangles, outlines and vectors of the drawing code (see DrawingGeometry.h).
#include "records/DrawingGeometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float kEmptyLow = 1.0e30f;

// Twice the signed area of the triangle a, b, c: positive when it turns
// counter-clockwise (y up).
float Turn(float ax, float ay, float bx, float by, float cx, float cy) {
  return (ax - cx) * (by - cy) - (bx - cx) * (ay - cy);
}

// Strictly inside a counter-clockwise outline of n corners.
bool OutlineContains(const float* xs, const float* ys, int n, float x, float y) {
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    const float cross = (xs[i] - x) * (ys[j] - y) - (xs[j] - x) * (ys[i] - y);
    if (!(cross > 0.0f)) return false;
  }
  return true;
}

}  // namespace

void Rect2Reset(Rect2& rect) {
  rect.xmin = kEmptyLow;
  rect.ymin = kEmptyLow;
  rect.xmax = -kEmptyLow;
  rect.ymax = -kEmptyLow;
}

void Rect2Extend(Rect2& rect, float x, float y) {
  if (x < rect.xmin) rect.xmin = x;
  if (x > rect.xmax) rect.xmax = x;
  if (y < rect.ymin) rect.ymin = y;
  if (y > rect.ymax) rect.ymax = y;
}

void Rect2ExtendRect(Rect2& rect, const Rect2& other) {
  if (Rect2IsEmpty(other)) return;
  Rect2Extend(rect, other.xmin, other.ymin);
  Rect2Extend(rect, other.xmax, other.ymax);
}

void Rect2Inflate(Rect2& rect, float margin) {
  rect.xmin -= margin;
  rect.ymin -= margin;
  rect.xmax += margin;
  rect.ymax += margin;
}

bool Rect2Contains(const Rect2& rect, float x, float y) {
  return rect.xmin <= x && x <= rect.xmax && rect.ymin <= y && y <= rect.ymax;
}

bool Rect2IsEmpty(const Rect2& rect) { return !(rect.xmin <= rect.xmax && rect.ymin <= rect.ymax); }

bool Rect2Meets(const Rect2& rect, float left, float right, float bottom, float top) {
  return !(rect.xmax < left || rect.xmin > right || rect.ymax < bottom || rect.ymin > top);
}

void Quad2Set(Quad2& quad, float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3) {
  quad.x[0] = x0;
  quad.y[0] = y0;
  quad.x[2] = x2;
  quad.y[2] = y2;
  const bool clockwise = Turn(x0, y0, x1, y1, x2, y2) < 0.0f;
  quad.x[1] = clockwise ? x3 : x1;
  quad.y[1] = clockwise ? y3 : y1;
  quad.x[3] = clockwise ? x1 : x3;
  quad.y[3] = clockwise ? y1 : y3;
}

bool Quad2Contains(const Quad2& quad, float x, float y) { return OutlineContains(quad.x, quad.y, 4, x, y); }

void Quad2ExtendRect(const Quad2& quad, Rect2& rect) {
  for (int i = 0; i < 4; ++i) Rect2Extend(rect, quad.x[i], quad.y[i]);
}

void Triangle2Set(Triangle2& triangle, float x0, float y0, float x1, float y1, float x2, float y2) {
  const bool clockwise = Turn(x0, y0, x1, y1, x2, y2) < 0.0f;
  triangle.x[0] = x0;
  triangle.y[0] = y0;
  triangle.x[1] = clockwise ? x2 : x1;
  triangle.y[1] = clockwise ? y2 : y1;
  triangle.x[2] = clockwise ? x1 : x2;
  triangle.y[2] = clockwise ? y1 : y2;
}

bool Triangle2Contains(const Triangle2& triangle, float x, float y) {
  return OutlineContains(triangle.x, triangle.y, 3, x, y);
}

void Triangle2ExtendRect(const Triangle2& triangle, Rect2& rect) {
  for (int i = 0; i < 3; ++i) Rect2Extend(rect, triangle.x[i], triangle.y[i]);
}

float Vec3Length(const Vec3& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }

void Vec3Add(const Vec3& a, const Vec3& b, Vec3& out) { out = {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

void Vec3Sub(const Vec3& a, const Vec3& b, Vec3& out) { out = {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

void Vec3Cross(const Vec3& a, const Vec3& b, Vec3& out) {
  out = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float Vec3Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Vec3Unit(const Vec3& a, Vec3& out) {
  const float length = Vec3Length(a);
  out = a;
  if (length > 0.0f) out = {a[0] / length, a[1] / length, a[2] / length};
}

void Vec3Normalize(Vec3& a) { Vec3Unit(a, a); }

float Vec3Angle(const Vec3& a, const Vec3& b) {
  const float lengths = Vec3Length(a) * Vec3Length(b);
  if (lengths == 0.0f) return 0.0f;
  const float c = Vec3Dot(a, b) / lengths;
  if (c >= 1.0f) return 0.0f;
  if (c <= -1.0f) return std::numbers::pi_v<float>;
  return std::acos(c);
}
