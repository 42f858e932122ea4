// OpenGL state and the solid symbols (see GlSolids.h).
#include "model/GlSolids.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "records/AnalysisOptions.h"

namespace {

constexpr int kFacetCounts[] = {4, 6, 8, 12, 16, 24, 48};
constexpr int kMaximumFacets = 48;
// A cone at 48 facets needs 3 x 48 vertices, a strip 2 x 49.
constexpr int kVertexRoom = 3 * kMaximumFacets;

struct CircleTable {
  int n = 0;
  std::array<float, kMaximumFacets + 1> cosines{};
  std::array<float, kMaximumFacets + 1> sines{};
};

std::array<CircleTable, std::size(kFacetCounts)>& Tables() {
  static std::array<CircleTable, std::size(kFacetCounts)> tables;
  return tables;
}

const CircleTable* g_Current = nullptr;

// The shared arrays the client-array pointers point at.
float g_Vertices[kVertexRoom * 3];
float g_Normals[kVertexRoom * 3];
float g_Colours[kVertexRoom * 3];

const CircleTable& Current() {
  if (g_Current == nullptr) SelectFacetTable(4);
  return *g_Current;
}

void Put(int index, float x, float y, float z, float nx, float ny, float nz) {
  float* v = &g_Vertices[index * 3];
  float* n = &g_Normals[index * 3];
  v[0] = x;
  v[1] = y;
  v[2] = z;
  n[0] = nx;
  n[1] = ny;
  n[2] = nz;
  GlNormalize3(n);
}

// +X turned onto the direction d, from the point p (the caller pushed the
// matrix): the angle between d and +X about unit(+X x d), or about +Y when
// d points back along X.
void TurnOnto(const Vec3& p, const Vec3& d) {
  const float degrees = Vec3Angle(d, Vec3{1.0f, 0.0f, 0.0f}) * 180.0f / std::numbers::pi_v<float>;
  Vec3 axis{};
  Vec3Cross(Vec3{1.0f, 0.0f, 0.0f}, d, axis);
  Vec3Normalize(axis);
  if (degrees > 179.9f) axis = {0.0f, 1.0f, 0.0f};
  glTranslatef(p[0], p[1], p[2]);
  if (degrees > 0.01f) glRotatef(degrees, axis[0], axis[1], axis[2]);
}

// A fan in the plane x = 0 facing +X (or -X).
void DiscFan(float r, float facing) {
  const CircleTable& t = Current();
  Put(0, 0.0f, 0.0f, 0.0f, facing, 0.0f, 0.0f);
  for (int k = 0; k <= t.n; ++k) {
    const int j = facing > 0.0f ? k : t.n - k;
    Put(k + 1, 0.0f, r * t.cosines[static_cast<std::size_t>(j)], r * t.sines[static_cast<std::size_t>(j)], facing,
        0.0f, 0.0f);
  }
  glDrawArrays(GL_TRIANGLE_FAN, 0, t.n + 2);
}

}  // namespace

int RenderQuality() { return std::clamp(ProgramOptionsGraphicsSettings().RenderingQuality, 0, 2); }

void SetRenderQuality(int quality) { ProgramOptionsGraphicsSettings().RenderingQuality = std::clamp(quality, 0, 2); }

void BuildCircleTables() {
  for (std::size_t i = 0; i < std::size(kFacetCounts); ++i) {
    CircleTable& table = Tables()[i];
    table.n = kFacetCounts[i];
    for (int k = 0; k <= table.n; ++k) {
      const double angle = 2.0 * std::numbers::pi * (k % table.n) / table.n;
      table.cosines[static_cast<std::size_t>(k)] = static_cast<float>(std::cos(angle));
      table.sines[static_cast<std::size_t>(k)] = static_cast<float>(std::sin(angle));
    }
  }
  g_Current = &Tables()[0];
}

int CircleFacetCount(float r) {
  const float p = GraphicsScale * r;
  if (!(p >= 0.5f)) return 0;
  if (RenderQuality() == 2) return 48;
  if (RenderQuality() == 1) return 24;
  const int n = static_cast<int>(std::min(p, 1.0e6f));
  if (n < 3) return 4;
  if (n < 5) return 6;
  if (n < 9) return 8;
  if (n < 13) return 12;
  if (n < 17) return 16;
  return 24;
}

void SelectFacetTable(int n) {
  if (Tables()[0].n == 0) BuildCircleTables();
  g_Current = &Tables()[0];
  for (const CircleTable& table : Tables())
    if (table.n == n && n != 4) g_Current = &table;
}

int SelectedFacetCount() { return Current().n; }

int BendSegmentCount(float s) {
  if (!(s >= 4.0f)) return 1;
  if (s < 7.0f) return 2;
  if (s < 10.0f) return 3;
  if (s < 15.0f) return 4;
  if (s < 20.0f) return 5;
  if (s < 50.0f) return 6;
  if (s < 100.0f) return static_cast<int>(0.1f * s + 0.5f) + 1;
  return static_cast<int>(std::min(0.02f * s + 0.5f, 1.0e4f)) + 8;
}

void GlInitState() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
  const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat specular[] = {0.9f, 0.9f, 0.9f, 1.0f};
  const GLfloat position[] = {10000.0f, 10000.0f, 10000.0f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  const GLfloat materialSpecular[] = {0.5f, 0.5f, 0.5f, 1.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
  glMaterialf(GL_FRONT, GL_SHININESS, 64.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (WhiteBackground())
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  else
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, g_Vertices);
  glNormalPointer(GL_FLOAT, 0, g_Normals);
  glColorPointer(3, GL_FLOAT, 0, g_Colours);
}

void GlLine(const Vec3& p1, const Vec3& p2) {
  Put(0, p1[0], p1[1], p1[2], 0.0f, 0.0f, 1.0f);
  Put(1, p2[0], p2[1], p2[2], 0.0f, 0.0f, 1.0f);
  glDrawArrays(GL_LINES, 0, 2);
}

void GlDrawTube(const Vec3& p1, const Vec3& p2, float r1, float r2, bool endFlag) {
  const int n = CircleFacetCount(std::max(r1, r2));
  if (n < 4) return GlLine(p1, p2);
  Vec3 d{};
  Vec3Sub(p2, p1, d);
  const float length = Vec3Length(d);
  if (length < 0.001f) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  glPushMatrix();
  TurnOnto(p1, d);
  const float slope = (r1 - r2) / length;  // a cone leans its normals
  for (int k = 0; k <= t.n; ++k) {
    const float c = t.cosines[static_cast<std::size_t>(k)], s = t.sines[static_cast<std::size_t>(k)];
    Put(2 * k, length, r2 * c, r2 * s, slope, c, s);
    Put(2 * k + 1, 0.0f, r1 * c, r1 * s, slope, c, s);
  }
  glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
  if (endFlag) {
    DiscFan(r1, -1.0f);
    glTranslatef(length, 0.0f, 0.0f);
    DiscFan(r2, 1.0f);
  }
  glPopMatrix();
}

namespace {

void PutColour(int index, const float rgb[3]) {
  float* c = &g_Colours[index * 3];
  c[0] = rgb[0];
  c[1] = rgb[1];
  c[2] = rgb[2];
}

// The colour array on, normals and lighting off for a coloured solid.
struct ColouredDrawing {
  ColouredDrawing() {
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    lit = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    glDisable(GL_LIGHTING);
  }
  ~ColouredDrawing() {
    glDisableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (lit) glEnable(GL_LIGHTING);
  }
  ColouredDrawing(const ColouredDrawing&) = delete;
  ColouredDrawing& operator=(const ColouredDrawing&) = delete;
  bool lit = false;
};

}  // namespace

void GlDrawColouredTube(const Vec3& p1, const Vec3& p2, float r1, float r2, const float c1[3], const float c2[3]) {
  const int n = CircleFacetCount(std::max(r1, r2));
  if (n < 4) return;
  Vec3 d{};
  Vec3Sub(p2, p1, d);
  const float length = Vec3Length(d);
  if (length < 0.001f) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  const ColouredDrawing coloured;
  glPushMatrix();
  TurnOnto(p1, d);
  for (int k = 0; k <= t.n; ++k) {
    const float c = t.cosines[static_cast<std::size_t>(k)], s = t.sines[static_cast<std::size_t>(k)];
    Put(2 * k, length, r2 * c, r2 * s, 0.0f, c, s);
    PutColour(2 * k, c2);
    Put(2 * k + 1, 0.0f, r1 * c, r1 * s, 0.0f, c, s);
    PutColour(2 * k + 1, c1);
  }
  glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
  glPopMatrix();
}

void GlDrawColouredBend(const Vec3& centre, const Vec3& x, const Vec3& y, float bendRadius, float pipeRadius,
                        float angle, int steps, void (*colourAt)(float t, float rgb[3], const void* context),
                        const void* context) {
  const int n = CircleFacetCount(pipeRadius);
  if (n < 4 || steps < 1) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  Vec3 z{};
  Vec3Cross(x, y, z);
  const GLfloat frame[16] = {x[0], x[1], x[2], 0.0f, y[0], y[1], y[2], 0.0f,
                             z[0], z[1], z[2], 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  const ColouredDrawing coloured;
  glPushMatrix();
  glTranslatef(centre[0], centre[1], centre[2]);
  glMultMatrixf(frame);
  float previous[3], next[3];
  colourAt(0.0f, previous, context);
  for (int k = 0; k < steps; ++k) {
    const float a0 = static_cast<float>(k) * angle / static_cast<float>(steps);
    const float a1 = a0 + angle / static_cast<float>(steps);
    colourAt(static_cast<float>(k + 1) / static_cast<float>(steps), next, context);
    for (int j = 0; j <= t.n; ++j) {
      const float c = t.cosines[static_cast<std::size_t>(j)], s = t.sines[static_cast<std::size_t>(j)];
      const float rho = bendRadius + pipeRadius * c;
      Put(2 * j, rho * std::cos(a0), rho * std::sin(a0), pipeRadius * s, 0.0f, 0.0f, 1.0f);
      PutColour(2 * j, previous);
      Put(2 * j + 1, rho * std::cos(a1), rho * std::sin(a1), pipeRadius * s, 0.0f, 0.0f, 1.0f);
      PutColour(2 * j + 1, next);
    }
    glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
    std::copy(next, next + 3, previous);
  }
  glPopMatrix();
}

void GlDrawCone(const Vec3& base, const Vec3& tip, float r) {
  const int n = CircleFacetCount(r);
  if (n < 4) return GlLine(base, tip);
  Vec3 d{};
  Vec3Sub(tip, base, d);
  const float length = Vec3Length(d);
  if (length < 0.001f) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  glPushMatrix();
  TurnOnto(base, d);
  const float lean = r / length;
  for (int k = 0; k < t.n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    Put(3 * k, 0.0f, r * t.cosines[i], r * t.sines[i], lean, t.cosines[i], t.sines[i]);
    Put(3 * k + 1, 0.0f, r * t.cosines[i + 1], r * t.sines[i + 1], lean, t.cosines[i + 1], t.sines[i + 1]);
    Put(3 * k + 2, length, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
  }
  glDrawArrays(GL_TRIANGLES, 0, 3 * t.n);
  DiscFan(r, -1.0f);
  glPopMatrix();
}

void GlDrawBend(const Vec3& centre, const Vec3& start, const Vec3& end, float bendRadius, float pipeRadius,
                float angle, bool endFlag) {
  const int m = BendSegmentCount(GraphicsScale * bendRadius * angle);
  const int n = CircleFacetCount(pipeRadius);
  if (n <= 3) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  Vec3 x{}, toEnd{}, z{}, y{};
  Vec3Sub(start, centre, x);
  Vec3Normalize(x);
  Vec3Sub(end, centre, toEnd);
  Vec3Normalize(toEnd);
  Vec3Cross(x, toEnd, z);
  Vec3Normalize(z);
  Vec3Cross(z, x, y);
  const GLfloat frame[16] = {x[0], x[1], x[2], 0.0f, y[0], y[1], y[2], 0.0f,
                             z[0], z[1], z[2], 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  glPushMatrix();
  glTranslatef(centre[0], centre[1], centre[2]);
  glMultMatrixf(frame);
  for (int k = 0; k < m; ++k) {
    const float t0 = static_cast<float>(k) * angle / static_cast<float>(m);
    const float t1 = t0 + angle / static_cast<float>(m);
    for (int j = 0; j <= t.n; ++j) {
      const float c = t.cosines[static_cast<std::size_t>(j)], s = t.sines[static_cast<std::size_t>(j)];
      const float rho = bendRadius + pipeRadius * c;
      Put(2 * j, rho * std::cos(t0), rho * std::sin(t0), pipeRadius * s, c * std::cos(t0), c * std::sin(t0), s);
      Put(2 * j + 1, rho * std::cos(t1), rho * std::sin(t1), pipeRadius * s, c * std::cos(t1), c * std::sin(t1), s);
    }
    glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
  }
  if (endFlag) {
    const float degrees = angle * 180.0f / std::numbers::pi_v<float> - 90.0f;
    if (std::fabs(degrees) > 1.0f) glRotatef(degrees, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, bendRadius, 0.0f);
    glFrontFace(GL_CW);
    DiscFan(pipeRadius, 1.0f);
    glFrontFace(GL_CCW);
  }
  glPopMatrix();
}

void GlDrawSphere(const Vec3& centre, float r) {
  const int n = CircleFacetCount(r);
  if (n < 4) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  glPushMatrix();
  glTranslatef(centre[0], centre[1], centre[2]);
  // Latitude runs over half the circle table: n / 2 bands from pole to pole.
  const int bands = std::max(2, t.n / 2);
  for (int k = 0; k < bands; ++k) {
    const float phi0 = std::numbers::pi_v<float> * static_cast<float>(k) / static_cast<float>(bands);
    const float phi1 = std::numbers::pi_v<float> * static_cast<float>(k + 1) / static_cast<float>(bands);
    for (int j = 0; j <= t.n; ++j) {
      const float c = t.cosines[static_cast<std::size_t>(j)], s = t.sines[static_cast<std::size_t>(j)];
      const float a0 = std::sin(phi0), a1 = std::sin(phi1);
      Put(2 * j, r * a1 * c, r * a1 * s, r * std::cos(phi1), a1 * c, a1 * s, std::cos(phi1));
      Put(2 * j + 1, r * a0 * c, r * a0 * s, r * std::cos(phi0), a0 * c, a0 * s, std::cos(phi0));
    }
    glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
  }
  glPopMatrix();
}

void GlDisc(float r) {
  const int n = CircleFacetCount(r);
  if (n < 4) return;
  SelectFacetTable(n);
  DiscFan(r, 1.0f);
}

void GlDiscAt(const Vec3& centre, const Vec3& direction, float r) {
  glPushMatrix();
  TurnOnto(centre, direction);
  GlDisc(r);
  glPopMatrix();
}

void GlRing(float r1, float r2) {
  const int n = CircleFacetCount(r2);
  if (n < 4) return;
  SelectFacetTable(n);
  const CircleTable& t = Current();
  for (int k = 0; k <= t.n; ++k) {
    const float c = t.cosines[static_cast<std::size_t>(k)], s = t.sines[static_cast<std::size_t>(k)];
    Put(2 * k, 0.0f, r2 * c, r2 * s, 1.0f, 0.0f, 0.0f);
    Put(2 * k + 1, 0.0f, r1 * c, r1 * s, 1.0f, 0.0f, 0.0f);
  }
  glDrawArrays(GL_QUAD_STRIP, 0, 2 * t.n + 2);
}

void GlRingAt(const Vec3& centre, const Vec3& direction, float r1, float r2) {
  glPushMatrix();
  TurnOnto(centre, direction);
  GlRing(r1, r2);
  glPopMatrix();
}

void GlDrawBoxSymbol(const BoxSymbol& box) {
  static constexpr int kFaces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 3, 4, 7},
                                       {6, 5, 2, 1}, {0, 7, 6, 1}, {2, 5, 4, 3}};
  for (int face = 0; face < 6; ++face) {
    const Vec3& axis = box.axes[face / 2];
    const float sign = face % 2 == 0 ? 1.0f : -1.0f;
    for (int corner = 0; corner < 4; ++corner) {
      const int i = kFaces[face][corner];
      Put(face * 4 + corner, box.x[i], box.y[i], box.z[i], sign * axis[0], sign * axis[1], sign * axis[2]);
    }
  }
  glDrawArrays(GL_QUADS, 0, 24);
}

void ElementDrawSegment(const TubeSymbol& tube) {
  GlDrawTube(tube.p1, tube.p2, tube.radius, tube.radius, tube.endFlag);
}

void ValveWheelSet(ValveWheel& wheel, const Vec3& centre, const Vec3& direction, float radius) {
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, centre, direction);
  float xs[7], ys[7], zs[7];
  SymbolFrame3CirclePoints(frame, 6, 1.15f * radius, 0.0f, xs, ys, zs);
  for (int k = 0; k < 6; ++k) TubeSymbolSet(wheel.spokes[k], centre, Vec3{xs[k], ys[k], zs[k]}, 0.1f * radius, false);
  Vec3 start{}, end{};
  SymbolFrame3Map(frame, -0.15f * radius, 0.0f, 0.0f, start);
  SymbolFrame3Map(frame, 0.15f * radius, 0.0f, 0.0f, end);
  TubeSymbolSet(wheel.outerRim, start, end, 1.3f * radius, true);
  TubeSymbolSet(wheel.innerRim, start, end, radius, false);
  wheel.ringStart = start;
  wheel.ringEnd = end;
  wheel.axis = frame.axis1;
  wheel.innerRadius = radius;
  wheel.outerRadius = 1.3f * radius;
}

void GlDrawValveWheel(const ValveWheel& wheel) {
  for (const TubeSymbol& spoke : wheel.spokes) GlDrawTube(spoke.p1, spoke.p2, spoke.radius, spoke.radius, false);
  GlDrawTube(wheel.outerRim.p1, wheel.outerRim.p2, wheel.outerRim.radius, wheel.outerRim.radius, false);
  // The inside of the inner rim faces the axis: drawn with the winding
  // reversed, together with one side ring.
  glFrontFace(GL_CW);
  GlDrawTube(wheel.innerRim.p1, wheel.innerRim.p2, wheel.innerRim.radius, wheel.innerRim.radius, false);
  GlRingAt(wheel.ringStart, wheel.axis, wheel.innerRadius, wheel.outerRadius);
  glFrontFace(GL_CCW);
  GlRingAt(wheel.ringEnd, wheel.axis, wheel.innerRadius, wheel.outerRadius);
}

void GlNormalize3(float vector[3]) {
  const float length = std::sqrt(vector[0] * vector[0] + vector[1] * vector[1] + vector[2] * vector[2]);
  if (length == 0.0f) return;
  vector[0] /= length;
  vector[1] /= length;
  vector[2] /= length;
}
