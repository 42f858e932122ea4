// Symbol frames and solid symbols: how a kind places a symbol drawn in its
// own local coordinates at a node of the picture. 2D frames map symbol
// points to view units (SymbolFrame2: along and across a direction;
// SpanFrame2: along a span as a fraction of it; SkewFrame2: two free axes;
// RotFrame2: rotation and uniform scale); SymbolFrame3 maps local points to
// model coordinates. The box, tube and sphere symbols keep their model
// geometry and the outlines their projection gives, for drawing, rendering
// and picking. The stock line symbols (anchors' arrows, hangers, springs ...)
// are StockSymbols.h.
//
// Degenerate input is absorbed, never reported: zero-length directions fall
// back to +X (3D frames), to no across axis or an unscaled vector (2D
// frames). Frames and symbols are values held by the row objects that own
// them and rebuilt with the view (ProjectModelToView).
#pragma once

#include "records/DrawingGeometry.h"

struct SymbolFrame2 {
  float x = 0.0f, y = 0.0f;    // origin
  float dx = 1.0f, dy = 0.0f;  // unit direction (along)
  float nx = 0.0f, ny = 0.0f;  // across axis
};
void SymbolFrame2Set(SymbolFrame2& frame, float x, float y, float dx, float dy);
void SymbolFrame2Map(const SymbolFrame2& frame, float& a, float& b);
void SymbolFrame2ExtendRect(const SymbolFrame2& frame, float a, float b, Rect2& rect);
void SymbolFrame2DrawLine(const SymbolFrame2& frame, float a1, float b1, float a2, float b2);
// At a node (by id): the node's view position and the projected direction of
// the pipe there.
void SymbolFrame2AtNode(int nodeId, SymbolFrame2& frame);

struct SpanFrame2 {
  float x = 0.0f, y = 0.0f;
  float dx = 1.0f, dy = 0.0f;
  float nx = 0.0f, ny = 0.0f;
  float length = 0.0f;
};
void SpanFrame2Set(SpanFrame2& frame, float x1, float y1, float x2, float y2);
// From two node indexes' view positions.
void SpanFrame2FromNodes(SpanFrame2& frame, int nodeA, int nodeB);
void SpanFrame2Map(const SpanFrame2& frame, float& a, float& b);
void SpanFrame2ExtendRect(const SpanFrame2& frame, float a, float b, Rect2& rect);
void SpanFrame2DrawLine(const SpanFrame2& frame, float a1, float b1, float a2, float b2);

struct SkewFrame2 {
  float x = 0.0f, y = 0.0f;
  float ux = 1.0f, uy = 0.0f;
  float vx = 0.0f, vy = 1.0f;
};
void SkewFrame2Set(SkewFrame2& frame, float x, float y, float ux, float uy, float vx, float vy);
void SkewFrame2Map(const SkewFrame2& frame, float& a, float& b);
void SkewFrame2ExtendRect(const SkewFrame2& frame, float a, float b, Rect2& rect);
void SkewFrame2DrawLine(const SkewFrame2& frame, float a1, float b1, float a2, float b2);

struct RotFrame2 {
  float x = 0.0f, y = 0.0f;
  float ux = 1.0f, uy = 0.0f;
  float scale = 1.0f;
  float length = 0.0f;
};
void RotFrame2Set(RotFrame2& frame, float x, float y, float dx, float dy, float scale);
void RotFrame2FromPoints(RotFrame2& frame, float x1, float y1, float x2, float y2);
void RotFrame2FromModelPoints(RotFrame2& frame, const Vec3& p1, const Vec3& p2);
void RotFrame2Map(const RotFrame2& frame, float& a, float& b);
void RotFrame2DrawLine(const RotFrame2& frame, float a1, float b1, float a2, float b2);
void RotFrame2AtNode(int nodeId, RotFrame2& frame, float scale);

struct SymbolFrame3 {
  Vec3 origin{};
  Vec3 axis1{1.0f, 0.0f, 0.0f};
  Vec3 axis2{0.0f, 1.0f, 0.0f};
  Vec3 axis3{0.0f, 0.0f, 1.0f};
};
// axis1 = unit(direction) (+X below 1e-5); axes 2 and 3 from the element
// local frame rule (BuildLocalFrame).
void SymbolFrame3Set(SymbolFrame3& frame, const Vec3& origin, const Vec3& direction);
void SymbolFrame3FromPoints(SymbolFrame3& frame, const Vec3& origin, const Vec3& target);
void SymbolFrame3FromNodes(SymbolFrame3& frame, int nodeA, int nodeB);
void SymbolFrame3BetweenNodes(SymbolFrame3& frame, int nodeA, int nodeB);
void SymbolFrame3AtNode(SymbolFrame3& frame, int nodeId);
// axis1 (written back as +X when shorter than 1e-5), axis2, axis3 = axis1 x axis2.
void SymbolFrame3SetAxes(SymbolFrame3& frame, const Vec3& origin, Vec3& axis1, const Vec3& axis2);
void SymbolFrame3ToGlobal(const SymbolFrame3& frame, float& a, float& b, float& c);
void SymbolFrame3Map(const SymbolFrame3& frame, float a, float b, float c, Vec3& out);
// n + 1 points of a circle of radius r about axis1 at the axial position a
// (the last repeats the first); the arrays hold n + 1 entries each.
void SymbolFrame3CirclePoints(const SymbolFrame3& frame, int n, float r, float a, float* xs, float* ys, float* zs);

struct BoxSymbol {
  float x[8] = {};
  float y[8] = {};
  float z[8] = {};
  Vec3 axes[3]{{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
  Quad2 faces[3] = {};  // per axis, the face turned towards the viewer
};
void BoxSymbolSet(BoxSymbol& box, const Vec3& centre, float size1, float size2, float size3, Vec3 axis1,
                  const Vec3& axis2);
void BoxSymbolBetweenNodes(BoxSymbol& box, int nodeA, int nodeB, float width, float height);
void BoxSymbolExtendRect(const BoxSymbol& box, Rect2& rect);

struct TubeSymbol {
  Vec3 p1{};
  Vec3 p2{};
  float radius = 0.0f;
  bool endFlag = false;
  Quad2 outline = {};
};
// The view outline of a tube from p1 (radius r1) to p2 (r2): the far end
// grows by its end disc's projection, the near end only with the end flag.
void TubeOutline(const Vec3& p1, const Vec3& p2, float r1, float r2, Quad2& quad, bool endFlag);
void TubeOutlineFromNodes(int nodeA, int nodeB, float r1, float r2, Quad2& quad, bool endFlag);
void TubeSymbolSet(TubeSymbol& tube, const Vec3& p1, const Vec3& p2, float radius, bool endFlag);
void TubeSymbolFromNodes(TubeSymbol& tube, int nodeA, int nodeB, float radius, bool endFlag);
void TubeSymbolFromLocal(TubeSymbol& tube, const SymbolFrame3& frame, const Vec3& local1, const Vec3& local2,
                         float radius, bool endFlag);

// The view outline of a cone (the arrow heads of restraints).
void Triangle2FromCone(Triangle2& triangle, const Vec3& base, const Vec3& tip, float radius);

struct SphereSymbol {
  Vec3 centre{};
  float radius = 0.0f;
  Rect2 outline{1.0e30f, 1.0e30f, -1.0e30f, -1.0e30f};
};
void SphereSymbolSet(SphereSymbol& sphere, const Vec3& centre, float radius);
