// Symbol frames and solid symbols (see SymbolFrames.h).
#include "model/SymbolFrames.h"

#include <cmath>
#include <numbers>

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/ViewProjection.h"

namespace {

const NodeTable& Nodes() { return TheModel().nodes; }

bool ValidNode(int index) { return index >= 1 && index <= Nodes().count; }

Vec3 NodePosition(int index) {
  if (!ValidNode(index)) return Vec3{};
  const NodeRecord& node = Nodes()[index];
  return Vec3{node.x, node.y, node.z};
}

void NodeScreen(int index, float& x, float& y) {
  x = y = 0.0f;
  if (!ValidNode(index)) return;
  x = Nodes()[index].screenX;
  y = Nodes()[index].screenY;
}

// The pipe's direction at a node (by id): +X when none is found.
Vec3 DirectionAtNode(int nodeId) {
  Vec3 direction{1.0f, 0.0f, 0.0f};
  const int index = FindNodeIndex(Nodes(), nodeId);
  if (index != 0) PipeDirectionAtNode(TheModel(), index, direction, false);
  return direction;
}

// The across axis of a 2D frame: perpendicular to near-axial directions,
// else the projected global axis most nearly perpendicular to the direction.
void AcrossAxis(float dx, float dy, float& nx, float& ny) {
  nx = ny = 0.0f;
  const float length = std::hypot(dx, dy);
  if (length <= 1.0e-5f) return;
  const float ux = dx / length, uy = dy / length;
  if (std::fabs(uy) > 0.95f) {
    nx = 1.0f;
    return;
  }
  if (std::fabs(ux) > 0.95f) {
    ny = 1.0f;
    return;
  }
  nx = ProjectedAxes[0][0];
  ny = ProjectedAxes[0][1];
  float best = std::fabs(nx * ux + ny * uy);
  const float* y = ProjectedAxes[1];
  if (std::hypot(y[0], y[1]) > 1.0e-6f) {
    float score = std::fabs(y[0] * ux + y[1] * uy);
    if (score > 1.0e-5f) score -= 1.0e-5f;
    if (score < best) {
      best = score;
      nx = y[0];
      ny = y[1];
    }
  }
  const float* z = ProjectedAxes[2];
  if (std::hypot(z[0], z[1]) > 1.0e-6f && std::fabs(z[0] * ux + z[1] * uy) < best) {
    nx = z[0];
    ny = z[1];
  }
}

void Complete(SymbolFrame3& frame) {
  LocalFrame local;
  local.x = frame.axis1;
  BuildLocalFrame(local, ZAxisVertical());
  frame.axis2 = local.y;
  frame.axis3 = local.z;
}

// Origin + a along one axis + b along the other, in place.
void MapOnAxes(float ox, float oy, float ax, float ay, float bx, float by, float& a, float& b) {
  const float x = ox + a * ax + b * bx;
  const float y = oy + a * ay + b * by;
  a = x;
  b = y;
}

template <typename Frame, typename Map>
void ExtendMapped(const Frame& frame, Map map, float a, float b, Rect2& rect) {
  map(frame, a, b);
  Rect2Extend(rect, a, b);
}

template <typename Frame, typename Map>
void DrawMapped(const Frame& frame, Map map, float a1, float b1, float a2, float b2) {
  map(frame, a1, b1);
  map(frame, a2, b2);
  DrawLine2(a1, b1, a2, b2);
}

}  // namespace

void SymbolFrame2Set(SymbolFrame2& frame, float x, float y, float dx, float dy) {
  frame.x = x;
  frame.y = y;
  frame.dx = dx;
  frame.dy = dy;
  AcrossAxis(dx, dy, frame.nx, frame.ny);
}

void SymbolFrame2Map(const SymbolFrame2& frame, float& a, float& b) {
  MapOnAxes(frame.x, frame.y, frame.dx, frame.dy, frame.nx, frame.ny, a, b);
}

void SymbolFrame2ExtendRect(const SymbolFrame2& frame, float a, float b, Rect2& rect) {
  ExtendMapped(frame, SymbolFrame2Map, a, b, rect);
}

void SymbolFrame2DrawLine(const SymbolFrame2& frame, float a1, float b1, float a2, float b2) {
  DrawMapped(frame, SymbolFrame2Map, a1, b1, a2, b2);
}

void SymbolFrame2AtNode(int nodeId, SymbolFrame2& frame) {
  float x = 0.0f, y = 0.0f, ux = 1.0f, uy = 0.0f;
  NodeScreen(FindNodeIndex(Nodes(), nodeId), x, y);
  const Vec3 d = DirectionAtNode(nodeId);
  ProjectDirectionToView(d[0], d[1], d[2], ux, uy);
  SymbolFrame2Set(frame, x, y, ux, uy);
}

void SpanFrame2Set(SpanFrame2& frame, float x1, float y1, float x2, float y2) {
  frame.x = x1;
  frame.y = y1;
  frame.length = std::hypot(x2 - x1, y2 - y1);
  frame.dx = x2 - x1;
  frame.dy = y2 - y1;
  if (frame.length > 0.0f) {
    frame.dx /= frame.length;
    frame.dy /= frame.length;
  }
  AcrossAxis(frame.dx, frame.dy, frame.nx, frame.ny);
}

void SpanFrame2FromNodes(SpanFrame2& frame, int nodeA, int nodeB) {
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
  NodeScreen(nodeA, x1, y1);
  NodeScreen(nodeB, x2, y2);
  SpanFrame2Set(frame, x1, y1, x2, y2);
}

void SpanFrame2Map(const SpanFrame2& frame, float& a, float& b) {
  a *= frame.length;
  MapOnAxes(frame.x, frame.y, frame.dx, frame.dy, frame.nx, frame.ny, a, b);
}

void SpanFrame2ExtendRect(const SpanFrame2& frame, float a, float b, Rect2& rect) {
  ExtendMapped(frame, SpanFrame2Map, a, b, rect);
}

void SpanFrame2DrawLine(const SpanFrame2& frame, float a1, float b1, float a2, float b2) {
  DrawMapped(frame, SpanFrame2Map, a1, b1, a2, b2);
}

void SkewFrame2Set(SkewFrame2& frame, float x, float y, float ux, float uy, float vx, float vy) {
  frame.x = x;
  frame.y = y;
  const float lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
  if (lu < 0.001f) {
    frame.ux = 1.0f;
    frame.uy = uy;
  } else {
    frame.ux = ux / lu;
    frame.uy = uy / lu;
  }
  if (lv < 0.001f) {
    frame.vx = vx;
    frame.vy = 1.0f;
  } else {
    frame.vx = vx / lv;
    frame.vy = vy / lv;
  }
}

void SkewFrame2Map(const SkewFrame2& frame, float& a, float& b) {
  MapOnAxes(frame.x, frame.y, frame.ux, frame.uy, frame.vx, frame.vy, a, b);
}

void SkewFrame2ExtendRect(const SkewFrame2& frame, float a, float b, Rect2& rect) {
  ExtendMapped(frame, SkewFrame2Map, a, b, rect);
}

void SkewFrame2DrawLine(const SkewFrame2& frame, float a1, float b1, float a2, float b2) {
  DrawMapped(frame, SkewFrame2Map, a1, b1, a2, b2);
}

void RotFrame2Set(RotFrame2& frame, float x, float y, float dx, float dy, float scale) {
  frame.x = x;
  frame.y = y;
  frame.scale = scale;
  float length = std::hypot(dx, dy);
  if (length < 1.0e-5f) {
    length = 1.0e-5f;
    dx = 1.0e-5f;
  }
  frame.length = length;
  frame.ux = dx / length;
  frame.uy = dy / length;
}

void RotFrame2FromPoints(RotFrame2& frame, float x1, float y1, float x2, float y2) {
  RotFrame2Set(frame, x1, y1, x2 - x1, y2 - y1, 1.0f);
}

void RotFrame2FromModelPoints(RotFrame2& frame, const Vec3& p1, const Vec3& p2) {
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
  ProjectPointToView(p1[0], p1[1], p1[2], x1, y1);
  ProjectPointToView(p2[0], p2[1], p2[2], x2, y2);
  RotFrame2FromPoints(frame, x1, y1, x2, y2);
}

void RotFrame2Map(const RotFrame2& frame, float& a, float& b) {
  const float x = frame.x + (a * frame.ux - b * frame.uy) * frame.scale;
  const float y = frame.y + (a * frame.uy + b * frame.ux) * frame.scale;
  a = x;
  b = y;
}

void RotFrame2DrawLine(const RotFrame2& frame, float a1, float b1, float a2, float b2) {
  DrawMapped(frame, RotFrame2Map, a1, b1, a2, b2);
}

void RotFrame2AtNode(int nodeId, RotFrame2& frame, float scale) {
  float x = 0.0f, y = 0.0f, ux = 1.0f, uy = 0.0f;
  NodeScreen(FindNodeIndex(Nodes(), nodeId), x, y);
  const Vec3 d = DirectionAtNode(nodeId);
  ProjectDirectionToView(d[0], d[1], d[2], ux, uy);
  RotFrame2Set(frame, x, y, ux, uy, scale);
}

void SymbolFrame3Set(SymbolFrame3& frame, const Vec3& origin, const Vec3& direction) {
  frame.origin = origin;
  if (Vec3Length(direction) < 1.0e-5f)
    frame.axis1 = {1.0f, 0.0f, 0.0f};
  else
    Vec3Unit(direction, frame.axis1);
  Complete(frame);
}

void SymbolFrame3FromPoints(SymbolFrame3& frame, const Vec3& origin, const Vec3& target) {
  Vec3 direction{};
  Vec3Sub(target, origin, direction);
  SymbolFrame3Set(frame, origin, direction);
}

void SymbolFrame3FromNodes(SymbolFrame3& frame, int nodeA, int nodeB) {
  SymbolFrame3FromPoints(frame, NodePosition(nodeA), NodePosition(nodeB));
}

void SymbolFrame3BetweenNodes(SymbolFrame3& frame, int nodeA, int nodeB) {
  const Vec3 a = NodePosition(nodeA);
  Vec3 direction{};
  Vec3Sub(NodePosition(nodeB), a, direction);
  if (Vec3Length(direction) < 0.001f) direction = {1.0f, 0.0f, 0.0f};
  SymbolFrame3Set(frame, a, direction);
}

void SymbolFrame3AtNode(SymbolFrame3& frame, int nodeId) {
  SymbolFrame3Set(frame, NodePosition(FindNodeIndex(Nodes(), nodeId)), DirectionAtNode(nodeId));
}

void SymbolFrame3SetAxes(SymbolFrame3& frame, const Vec3& origin, Vec3& axis1, const Vec3& axis2) {
  if (Vec3Length(axis1) < 1.0e-5f) axis1 = {1.0f, 0.0f, 0.0f};
  frame.origin = origin;
  frame.axis1 = axis1;
  frame.axis2 = axis2;
  Vec3Cross(axis1, axis2, frame.axis3);
}

void SymbolFrame3ToGlobal(const SymbolFrame3& frame, float& a, float& b, float& c) {
  Vec3 out{};
  SymbolFrame3Map(frame, a, b, c, out);
  a = out[0];
  b = out[1];
  c = out[2];
}

void SymbolFrame3Map(const SymbolFrame3& frame, float a, float b, float c, Vec3& out) {
  for (std::size_t i = 0; i < 3; ++i)
    out[i] = frame.origin[i] + a * frame.axis1[i] + b * frame.axis2[i] + c * frame.axis3[i];
}

void SymbolFrame3CirclePoints(const SymbolFrame3& frame, int n, float r, float a, float* xs, float* ys, float* zs) {
  if (n < 1) return;
  for (int k = 0; k <= n; ++k) {
    const float t = 2.0f * std::numbers::pi_v<float> * static_cast<float>(k % n) / static_cast<float>(n);
    Vec3 point{};
    SymbolFrame3Map(frame, a, r * std::cos(t), r * std::sin(t), point);
    xs[k] = point[0];
    ys[k] = point[1];
    zs[k] = point[2];
  }
}

void BoxSymbolSet(BoxSymbol& box, const Vec3& centre, float size1, float size2, float size3, Vec3 axis1,
                  const Vec3& axis2) {
  SymbolFrame3 frame;
  SymbolFrame3SetAxes(frame, centre, axis1, axis2);
  box.axes[0] = frame.axis1;
  box.axes[1] = frame.axis2;
  box.axes[2] = frame.axis3;
  const float a = size1 / 2.0f, b = size2 / 2.0f, c = size3 / 2.0f;
  const float corners[8][3] = {{a, b, c},   {a, -b, c},   {a, -b, -c}, {a, b, -c},
                               {-a, b, -c}, {-a, -b, -c}, {-a, -b, c}, {-a, b, c}};
  float vx[8], vy[8];
  for (int i = 0; i < 8; ++i) {
    Vec3 point{};
    SymbolFrame3Map(frame, corners[i][0], corners[i][1], corners[i][2], point);
    box.x[i] = point[0];
    box.y[i] = point[1];
    box.z[i] = point[2];
    ProjectPointToView(point[0], point[1], point[2], vx[i], vy[i]);
  }
  static constexpr int kFaces[3][2][4] = {{{0, 1, 2, 3}, {4, 5, 6, 7}},
                                          {{0, 3, 4, 7}, {1, 2, 5, 6}},
                                          {{0, 7, 6, 1}, {3, 4, 5, 2}}};
  for (int axis = 0; axis < 3; ++axis) {
    const int* f = kFaces[axis][Vec3Dot(ViewDirection, box.axes[axis]) < 0.0f ? 1 : 0];
    Quad2Set(box.faces[axis], vx[f[0]], vy[f[0]], vx[f[1]], vy[f[1]], vx[f[2]], vy[f[2]], vx[f[3]], vy[f[3]]);
  }
}

void BoxSymbolBetweenNodes(BoxSymbol& box, int nodeA, int nodeB, float width, float height) {
  const Vec3 a = NodePosition(nodeA), b = NodePosition(nodeB);
  const Vec3 centre{(a[0] + b[0]) / 2.0f, (a[1] + b[1]) / 2.0f, (a[2] + b[2]) / 2.0f};
  SymbolFrame3 frame;
  SymbolFrame3BetweenNodes(frame, nodeA, nodeB);
  BoxSymbolSet(box, centre, NodeDistance(Nodes(), nodeA, nodeB), width, height, frame.axis1, frame.axis2);
}

void BoxSymbolExtendRect(const BoxSymbol& box, Rect2& rect) {
  for (const Quad2& face : box.faces) Quad2ExtendRect(face, rect);
}

void TubeOutline(const Vec3& p1, const Vec3& p2, float r1, float r2, Quad2& quad, bool endFlag) {
  SymbolFrame3 frame;
  SymbolFrame3FromPoints(frame, p1, p2);
  const float d = Vec3Dot(ViewDirection, frame.axis1);
  RotFrame2 rot;
  RotFrame2FromModelPoints(rot, p1, p2);
  const float length = rot.length;
  float nearEnd = 0.0f, farEnd = length;
  if (d <= 0.0f) {
    nearEnd = endFlag ? d * r1 : 0.0f;
    farEnd = length - d * r2;
  } else {
    nearEnd = -d * r1;
    farEnd = endFlag ? length + d * r2 : length;
  }
  float a[4] = {nearEnd, nearEnd, farEnd, farEnd};
  float b[4] = {r1, -r1, -r2, r2};
  for (int i = 0; i < 4; ++i) RotFrame2Map(rot, a[i], b[i]);
  Quad2Set(quad, a[0], b[0], a[1], b[1], a[2], b[2], a[3], b[3]);
}

void TubeOutlineFromNodes(int nodeA, int nodeB, float r1, float r2, Quad2& quad, bool endFlag) {
  TubeOutline(NodePosition(nodeA), NodePosition(nodeB), r1, r2, quad, endFlag);
}

void TubeSymbolSet(TubeSymbol& tube, const Vec3& p1, const Vec3& p2, float radius, bool endFlag) {
  tube.p1 = p1;
  tube.p2 = p2;
  tube.radius = radius;
  tube.endFlag = endFlag;
  TubeOutline(p1, p2, radius, radius, tube.outline, endFlag);
}

void TubeSymbolFromNodes(TubeSymbol& tube, int nodeA, int nodeB, float radius, bool endFlag) {
  TubeSymbolSet(tube, NodePosition(nodeA), NodePosition(nodeB), radius, endFlag);
}

void TubeSymbolFromLocal(TubeSymbol& tube, const SymbolFrame3& frame, const Vec3& local1, const Vec3& local2,
                         float radius, bool endFlag) {
  Vec3 p1{}, p2{};
  SymbolFrame3Map(frame, local1[0], local1[1], local1[2], p1);
  SymbolFrame3Map(frame, local2[0], local2[1], local2[2], p2);
  TubeSymbolSet(tube, p1, p2, radius, endFlag);
}

void Triangle2FromCone(Triangle2& triangle, const Vec3& base, const Vec3& tip, float radius) {
  SymbolFrame3 frame;
  SymbolFrame3FromPoints(frame, base, tip);
  const float d = Vec3Dot(ViewDirection, frame.axis1);
  RotFrame2 rot;
  RotFrame2FromModelPoints(rot, base, tip);
  const float a0 = -std::fabs(d) * radius;
  float a[3] = {a0, a0, rot.length};
  float b[3] = {radius, -radius, 0.0f};
  for (int i = 0; i < 3; ++i) RotFrame2Map(rot, a[i], b[i]);
  Triangle2Set(triangle, a[0], b[0], a[1], b[1], a[2], b[2]);
}

void SphereSymbolSet(SphereSymbol& sphere, const Vec3& centre, float radius) {
  sphere.centre = centre;
  sphere.radius = radius;
  float x = 0.0f, y = 0.0f;
  ProjectPointToView(centre[0], centre[1], centre[2], x, y);
  sphere.outline = Rect2{x - radius, y - radius, x + radius, y + radius};
}
