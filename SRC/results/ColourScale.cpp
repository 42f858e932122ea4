// The colour scale of result pictures; see ColourScale.h.
#include "results/ColourScale.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "model/Drawing2D.h"
#include "model/GlSolids.h"

namespace {

struct Scale {
  float minimum = 0.0f, maximum = 1.0f, range = 1.0f;
  std::array<float, 3> limits{0.25f, 0.5f, 0.75f};
};

Scale& TheScale() {
  static Scale scale;
  return scale;
}

constexpr float kMinimumTubePixels = 4.0f;

Vec3 Between(const Vec3& a, const Vec3& b, float t) {
  return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

struct BendValues {
  float start, end;
};

void BendColourAt(float t, float rgb[3], const void* context) {
  const auto* values = static_cast<const BendValues*>(context);
  ValueToColour(values->start + (values->end - values->start) * t, rgb);
}

}  // namespace

void SetColourScale(float minimum, float maximum) {
  Scale& s = TheScale();
  s.minimum = minimum;
  s.maximum = maximum;
  const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
  s.range = static_cast<float>(range);
  for (int i = 0; i < 3; ++i) s.limits[static_cast<std::size_t>(i)] = static_cast<float>(minimum + range * (i + 1) / 4.0);
}

float ColourScaleMin() { return TheScale().minimum; }
float ColourScaleMax() { return TheScale().maximum; }
std::array<float, 3> ColourScaleLimits() { return TheScale().limits; }

void ValueToColour(float value, float rgb[3]) {
  const Scale& s = TheScale();
  if (!(s.range > 0.0f)) {
    rgb[0] = 0.0f;
    rgb[1] = 1.0f;
    rgb[2] = 0.0f;
    return;
  }
  const double v = std::clamp(static_cast<double>(value), static_cast<double>(s.minimum), static_cast<double>(s.maximum));
  const double min = s.minimum, range = s.range;
  double r = 0.0, g = 0.0, b = 0.0;
  if (v < s.limits[0]) {
    g = (v - min) * 4.0 / range;
    b = 1.0;
  } else if (v < s.limits[1]) {
    g = 1.0;
    b = (range / 4.0 + min - v) * 4.0 / range + 1.0;
  } else if (v < s.limits[2]) {
    r = (v - min - range / 2.0) * 4.0 / range;
    g = 1.0;
  } else {
    r = 1.0;
    g = (0.75 * range + min - v) * 4.0 / range + 1.0;
  }
  rgb[0] = static_cast<float>(std::clamp(r, 0.0, 1.0));
  rgb[1] = static_cast<float>(std::clamp(g, 0.0, 1.0));
  rgb[2] = static_cast<float>(std::clamp(b, 0.0, 1.0));
}

std::vector<BandedPiece> BandedSegmentPieces(const Vec3& start, const Vec3& end, float startRadius, float endRadius,
                                             float startValue, float endValue) {
  BandedPiece whole{start, end, startRadius, endRadius, startValue, endValue};
  if (endValue < startValue) whole = {end, start, endRadius, startRadius, endValue, startValue};
  Vec3 d{};
  Vec3Sub(whole.end, whole.start, d);
  if (!(Vec3Length(d) >= 0.001f)) return {};
  const Scale& s = TheScale();
  if (!(s.range > 0.0f)) return {whole};  // no bands: one colour
  const float rise = whole.endValue - whole.startValue;
  if (!(rise >= 0.001f * std::fabs(s.range)) || rise == 0.0f) return {whole};
  std::vector<BandedPiece> pieces;
  BandedPiece piece = whole;
  for (float limit : s.limits) {
    if (!(whole.startValue <= limit && limit < whole.endValue) || limit <= piece.startValue) continue;
    const float t = (limit - whole.startValue) / rise;
    piece.end = Between(whole.start, whole.end, t);
    piece.endRadius = whole.startRadius + (whole.endRadius - whole.startRadius) * t;
    piece.endValue = limit;
    pieces.push_back(piece);
    piece.start = piece.end;
    piece.startRadius = piece.endRadius;
    piece.startValue = limit;
  }
  piece.end = whole.end;
  piece.endRadius = whole.endRadius;
  piece.endValue = whole.endValue;
  pieces.push_back(piece);
  return pieces;
}

void DrawBandedSegment(const Vec3& start, const Vec3& end, float startRadius, float endRadius, float startValue,
                       float endValue) {
  for (const BandedPiece& piece : BandedSegmentPieces(start, end, startRadius, endRadius, startValue, endValue))
    DrawColouredTube(piece.start, piece.end, piece.startRadius, piece.endRadius, piece.startValue, piece.endValue);
}

void DrawColouredTube(const Vec3& start, const Vec3& end, float startRadius, float endRadius, float startValue,
                      float endValue) {
  float c1[3], c2[3];
  ValueToColour(startValue, c1);
  ValueToColour(endValue, c2);
  if (GraphicsScale * std::max(startRadius, endRadius) < kMinimumTubePixels) {
    glColor3fv(c1);
    GlLine(start, end);
    return;
  }
  GlDrawColouredTube(start, end, startRadius, endRadius, c1, c2);
}

void DrawColouredBendPiece(const Vec3& centre, const Vec3& x, const Vec3& y, float bendRadius, float tubeRadius,
                           float angle, float startValue, float endValue) {
  if (GraphicsScale * tubeRadius < kMinimumTubePixels) return;
  const int steps = BendSegmentCount(GraphicsScale * bendRadius * std::fabs(angle));
  const BendValues values{startValue, endValue};
  GlDrawColouredBend(centre, x, y, bendRadius, tubeRadius, angle, steps, BendColourAt, &values);
}
