// The valve in the picture (see Valve.h): the bow tie of the line picture
// with the additional weight's box, the body, stem and handwheel of the
// rendered one, their outlines and the pick. Everything here runs on the
// graphics thread for the drawn model and throws nothing; a valve whose
// pipe has no section (radius 0) or whose nodes are missing draws nothing.
//
// With the environment variable "Valve_Symbol" set the rendered body is two
// cones meeting at the centre and the stem is thinner.
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "elements/Valve.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/ViewProjection.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

Vec3 PositionOf(const NodeTable& nodes, int index) { return {nodes[index].x, nodes[index].y, nodes[index].z}; }

bool ConeSymbol() { return std::getenv("Valve_Symbol") != nullptr; }

// Up from the pipe: the unit vector across the element in the vertical
// plane through it with a positive vertical component; along +X (Y
// vertical) or +Y (Z vertical) for a vertical valve.
Vec3 UpwardAcross(const Vec3& along, bool zVertical) {
  Vec3 x{};
  Vec3Unit(along, x);
  if (!zVertical) {
    const float h = std::sqrt(x[0] * x[0] + x[2] * x[2]);
    if (h < 0.01f) return {1.0f, 0.0f, 0.0f};
    return {-x[0] * x[1] / h, h, -x[2] * x[1] / h};
  }
  const float h = std::sqrt(x[0] * x[0] + x[1] * x[1]);
  if (h < 0.01f) return {0.0f, 1.0f, 0.0f};
  return {-x[0] * x[2] / h, -x[1] * x[2] / h, h};
}

void MapInFrame(float originX, float originY, float ax, float ay, float a, float b, float& x, float& y) {
  // (a, b) with a across (ay, -ax) and b along (ax, ay).
  x = originX + a * ay + b * ax;
  y = originY - a * ax + b * ay;
}

}  // namespace

void Valve::ComputeShape(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  ValveDrawing& d = drawing;
  d.weightShown = false;
  if (!d.shown || !ValidNode(nodes, row.startNode) || !ValidNode(nodes, row.endNode)) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, row.startNode, row.endNode);
  // The bow tie is as wide as the pipe, and never thinner than a few pixels.
  const float r = std::max(d.radius, Size4Px);
  float xs[6] = {0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 0.5f};
  float ys[6] = {-r, r, 0.0f, -r, r, 0.0f};
  for (int i = 0; i < 6; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Triangle2Set(d.bowTie[0], xs[0], ys[0], xs[1], ys[1], xs[2], ys[2]);
  Triangle2Set(d.bowTie[1], xs[3], ys[3], xs[4], ys[4], xs[5], ys[5]);
  for (const Triangle2& half : d.bowTie) {
    Triangle2ExtendRect(half, row.bounds2d);
    Triangle2ExtendRect(half, row.boundsGl);
  }
  d.centreX = xs[2];
  d.centreY = ys[2];
  if (additionalWeight != 0.0f) {
    ProjectPointToView(d.middle[0] + dx, d.middle[1] + dy, d.middle[2] + dz, d.weightX, d.weightY);
    const float L = span.length;
    const float along = std::hypot(d.weightX - d.centreX, d.weightY - d.centreY);
    if (L > 0.0f && along > 0.0f) {
      const float ax = (d.weightX - d.centreX) / along, ay = (d.weightY - d.centreY) / along;
      float px[4], py[4];
      const float corners[4][2] = {{-0.2f * L, 0.0f}, {0.2f * L, 0.0f}, {0.2f * L, 0.1f * L}, {-0.2f * L, 0.1f * L}};
      for (int i = 0; i < 4; ++i) MapInFrame(d.weightX, d.weightY, ax, ay, corners[i][0], corners[i][1], px[i], py[i]);
      Quad2Set(d.weightBox, px[0], py[0], px[1], py[1], px[2], py[2], px[3], py[3]);
      Triangle2Set(d.weightJoin, d.centreX, d.centreY, px[0], py[0], px[1], py[1]);
      Quad2ExtendRect(d.weightBox, row.bounds2d);
      Triangle2ExtendRect(d.weightJoin, row.bounds2d);
      d.weightShown = true;
    }
  }
  Rect2ExtendRect(row.boundsGl, d.body.outline);
  Quad2ExtendRect(d.pipe.outline, row.boundsGl);
  Quad2ExtendRect(d.stem.outline, row.boundsGl);
  Rect2ExtendRect(row.boundsGl, d.wheelPick.outline);
}

void Valve::BuildGeometry(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  ValveDrawing& d = drawing;
  d = ValveDrawing{};
  if (!ValidNode(nodes, row.startNode) || !ValidNode(nodes, row.endNode)) return;
  const int number = DispatchedRow();
  d.radius = SectionOuterRadius(model, number);
  if (d.radius <= 0.0f) return;
  d.shown = true;
  const float r = d.radius;
  d.start = PositionOf(nodes, row.startNode);
  d.end = PositionOf(nodes, row.endNode);
  for (int i = 0; i < 3; ++i) d.middle[i] = 0.5f * (d.start[i] + d.end[i]);
  if (additionalWeight != 0.0f) {
    d.stemEnd = {d.middle[0] + dx, d.middle[1] + dy, d.middle[2] + dz};
  } else {
    Vec3 along{};
    Vec3Sub(d.end, d.start, along);
    const Vec3 up = UpwardAcross(along, model.options.ZVertical != 0);
    for (int i = 0; i < 3; ++i) d.stemEnd[i] = d.middle[i] + 4.0f * r * up[i];
  }
  SphereSymbolSet(d.body, d.middle, 1.7f * r);
  TubeSymbolSet(d.pipe, d.start, d.end, r, false);
  TubeSymbolSet(d.stem, d.middle, d.stemEnd, (ConeSymbol() ? 0.15f : 0.3f) * r, false);
  Vec3 stemDirection{};
  Vec3Sub(d.stemEnd, d.middle, stemDirection);
  ValveWheelSet(d.wheel, d.stemEnd, stemDirection, r);
  SphereSymbolSet(d.wheelPick, d.stemEnd, 1.3f * r);
}

void Valve::Draw2D(LayoutRow& /*row*/) {
  const ValveDrawing& d = drawing;
  if (!d.shown) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.elementPen);
  for (const Triangle2& half : d.bowTie) Triangle2Draw(half);
  if (!d.weightShown) return;
  DrawLine2(d.centreX, d.centreY, d.weightX, d.weightY);
  Quad2Draw(d.weightBox);
}

void Valve::DrawGl(LayoutRow& row) {
  const ValveDrawing& d = drawing;
  if (!d.shown || g_ResultsHidePipes) return;
  const float r = d.radius;
  if (GlElementColourIsSet()) glColor4f(0.65f, 0.35f, 0.25f, row.dimmed ? 0.6f : 1.0f);
  if (ConeSymbol()) {
    GlDrawTube(d.start, d.middle, 1.1f * r, 0.1f * r, true);
    GlDrawTube(d.middle, d.end, 0.1f * r, 1.1f * r, true);
  } else {
    GlDrawTube(d.start, d.end, r, r, false);
    GlDrawSphere(d.middle, 1.7f * r);
  }
  GlDrawTube(d.stem.p1, d.stem.p2, d.stem.radius, d.stem.radius, false);
  GlDrawValveWheel(d.wheel);
}

void Valve::DrawOutline() {
  const ValveDrawing& d = drawing;
  if (!d.shown) return;
  for (const Triangle2& half : d.bowTie) Triangle2Draw(half);
  if (!d.weightShown) return;
  Quad2Draw(d.weightBox);
  Triangle2Draw(d.weightJoin);
}

void Valve::DrawPickAreas() {
  const ValveDrawing& d = drawing;
  if (!d.shown) return;
  Rect2Draw(d.body.outline);
  Quad2Draw(d.pipe.outline);
  Quad2Draw(d.stem.outline);
  Rect2Draw(d.wheelPick.outline);
}

bool ValveHitTest(const Valve& valve, float x, float y, bool rendered) {
  const ValveDrawing& d = valve.drawing;
  if (!d.shown) return false;
  if (rendered)
    return Rect2Contains(d.body.outline, x, y) || Quad2Contains(d.pipe.outline, x, y) ||
           Quad2Contains(d.stem.outline, x, y) || Rect2Contains(d.wheelPick.outline, x, y);
  if (Triangle2Contains(d.bowTie[0], x, y) || Triangle2Contains(d.bowTie[1], x, y)) return true;
  return d.weightShown && (Quad2Contains(d.weightBox, x, y) || Triangle2Contains(d.weightJoin, x, y));
}

bool Valve::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!ValveHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
