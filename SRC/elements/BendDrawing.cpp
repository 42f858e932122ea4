// The bend in the picture (see BendDrawing.h): its screen shape, its tube and
// arc, its lines and its pick. Everything here runs on the graphics thread
// for the drawn model, which TheModel() is there; nothing throws, and an arc
// the model could not place is drawn and picked as the straight line from
// the start of the run to the corner.
#include <GL/gl.h>

#include <cmath>

#include "elements/Bend.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowDrawing.h"
#include "model/RowOperations.h"
#include "records/GraphicsSettings.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

// The bend's lead-in starts where its run does: at the previous element's
// node, or at the far point of a bend just before it.
int RunStartOf(const LayoutRow& row) { return row.runStart != 0 ? row.runStart : row.startNode; }

Point2 ScreenOf(const NodeTable& nodes, int index) {
  return ValidNode(nodes, index) ? Point2{nodes[index].screenX, nodes[index].screenY} : Point2{};
}

Vec3 PositionOf(const NodeTable& nodes, int index) {
  if (!ValidNode(nodes, index)) return Vec3{};
  return Vec3{nodes[index].x, nodes[index].y, nodes[index].z};
}

Vector3d Widened(const Vec3& v) { return Vector3d{v[0], v[1], v[2]}; }
Vec3 Narrowed(const Vector3d& v) {
  return Vec3{static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

// The arc's near point, when the model placed the arc and its nodes exist.
int NearNodeOf(const Bend& bend, const LayoutRow& row, const NodeTable& nodes) {
  if (bend.BendGeometryValid == 0 || !ValidNode(nodes, bend.farNode)) return 0;
  return FindNodeIndex(nodes, row.node + kArcNearOffset);
}

bool CurvedBendsShown() { return TheModel().graphics.show[kShowCurvedBends] != 0; }

}  // namespace

void Bend::ComputeShape(LayoutRow& row) {
  const NodeTable& nodes = CurrentNodeTable();
  const int start = RunStartOf(row);
  const int near = NearNodeOf(*this, row, nodes);
  shape = BendScreenShape{};
  shape.corner = ScreenOf(nodes, row.endNode);
  Rect2Reset(row.bounds2d);
  Rect2Extend(row.bounds2d, shape.corner.x, shape.corner.y);
  // A bend with nothing before it has no lead-in, and no arc.
  if (!ValidNode(nodes, start)) return;
  shape.previous = ScreenOf(nodes, start);
  shape.valid = near != 0;
  Rect2Extend(row.bounds2d, shape.previous.x, shape.previous.y);
  // The lead-in picked as a pipe is: 7 pixels either side of its line.
  const Point2 leadEnd = shape.valid ? ScreenOf(nodes, near) : shape.corner;
  SpanFrame2 span;
  SpanFrame2Set(span, shape.previous.x, shape.previous.y, leadEnd.x, leadEnd.y);
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-Size7Px, -Size7Px, Size7Px, Size7Px};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(drawing.leadInQuad, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
  Quad2ExtendRect(drawing.leadInQuad, row.bounds2d);
  Quad2ExtendRect(drawing.leadIn.outline, row.boundsGl);
  if (!shape.valid) return;
  shape.near = leadEnd;
  shape.far = ScreenOf(nodes, farNode);
  shape.curve = BendBezierControlPoints(shape.near, shape.corner, shape.far);
  Triangle2Set(drawing.triangle, shape.near.x, shape.near.y, shape.corner.x, shape.corner.y, shape.far.x,
               shape.far.y);
  Rect2Extend(row.bounds2d, shape.far.x, shape.far.y);
  for (const Quad2& third : drawing.thirds) Quad2ExtendRect(third, row.boundsGl);
}

void Bend::BuildGeometry(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  const int number = DispatchedRow();
  const int start = RunStartOf(row);
  const int near = NearNodeOf(*this, row, nodes);
  drawing = BendDrawing{};
  if (!ValidNode(nodes, start) || !ValidNode(nodes, row.endNode)) return;
  const float radius = SectionOuterRadius(model, number);
  const int previous = number != 0 ? PreviousElementRow(model, number) : 0;
  const int next = number != 0 ? NextElementRow(model, number) : 0;
  const bool startsRun = previous == 0 || IsRunBreakElementType(model.row(previous).elementType);
  drawing.arcEndsRun = next == 0 || IsRunBreakElementType(model.row(next).elementType);
  drawing.valid = near != 0;
  TubeSymbolFromNodes(drawing.leadIn, start, drawing.valid ? near : row.endNode, radius, startsRun);
  if (!drawing.valid) return;
  drawing.centre = Vec3{centre[0], centre[1], centre[2]};
  drawing.near = PositionOf(nodes, near);
  drawing.far = PositionOf(nodes, farNode);
  Vec3 toNear{};
  Vec3Sub(drawing.near, drawing.centre, toNear);
  drawing.bendRadius = Vec3Length(toNear);
  drawing.sweep = bendAngle;
  const auto thirds = BendArcThirds(Widened(drawing.near), Widened(drawing.far), Widened(drawing.centre), bendAngle);
  const Vec3 points[4] = {drawing.near, Narrowed(thirds[0]), Narrowed(thirds[1]), drawing.far};
  for (int i = 0; i < 3; ++i) TubeOutline(points[i], points[i + 1], radius, radius, drawing.thirds[i], false);
}

void Bend::Draw2D(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  if (!ValidNode(nodes, RunStartOf(row)) || !ValidNode(nodes, row.endNode)) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.elementPen);
  const Point2 previous = ScreenOf(nodes, RunStartOf(row)), corner = ScreenOf(nodes, row.endNode);
  const int near = NearNodeOf(*this, row, nodes);
  if (near == 0) {
    DrawLine2(previous.x, previous.y, corner.x, corner.y);
    return;
  }
  const Point2 nearPoint = ScreenOf(nodes, near), farPoint = ScreenOf(nodes, farNode);
  DrawLine2(previous.x, previous.y, nearPoint.x, nearPoint.y);
  if (!CurvedBendsShown()) {
    DrawLine2(nearPoint.x, nearPoint.y, corner.x, corner.y);
    DrawLine2(corner.x, corner.y, farPoint.x, farPoint.y);
    return;
  }
  SelectPen2(style.constructionPen);
  DrawLine2(nearPoint.x, nearPoint.y, corner.x, corner.y);
  DrawLine2(corner.x, corner.y, farPoint.x, farPoint.y);
  SelectPen2(style.elementPen);
  const auto curve = BendBezierControlPoints(nearPoint, corner, farPoint);
  const float xs[4] = {curve[0].x, curve[1].x, curve[2].x, curve[3].x};
  const float ys[4] = {curve[0].y, curve[1].y, curve[2].y, curve[3].y};
  DrawBezier2(xs, ys);
}

void Bend::DrawGl(LayoutRow& row) {
  // The stress displays colour the elements themselves.
  if (g_ResultsHidePipes) return;
  if (!drawing.valid) {
    const NodeTable& nodes = TheModel().nodes;
    if (!ValidNode(nodes, RunStartOf(row)) || !ValidNode(nodes, row.endNode)) return;
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.0f, 0.0f);
    GlLine(PositionOf(nodes, RunStartOf(row)), PositionOf(nodes, row.endNode));
    glEnable(GL_LIGHTING);
    return;
  }
  SetElementGlColour(TheModel(), row);
  ElementDrawSegment(drawing.leadIn);
  GlDrawBend(drawing.centre, drawing.near, drawing.far, drawing.bendRadius, drawing.leadIn.radius, drawing.sweep,
             drawing.arcEndsRun);
}

void Bend::DrawOutline() {
  if (shape.valid) Triangle2Draw(drawing.triangle);
  Quad2Draw(drawing.leadInQuad);
}

void Bend::DrawPickAreas() {
  if (drawing.valid)
    for (const Quad2& third : drawing.thirds) Quad2Draw(third);
  Quad2Draw(drawing.leadIn.outline);
}

bool BendHitTest(const Bend& bend, float x, float y, bool rendered) {
  const BendDrawing& drawing = bend.drawing;
  if (rendered) {
    if (!drawing.valid) return Quad2Contains(drawing.leadIn.outline, x, y);
    for (const Quad2& third : drawing.thirds)
      if (Quad2Contains(third, x, y)) return true;
    return false;
  }
  if (!bend.shape.valid) return Quad2Contains(drawing.leadInQuad, x, y);
  return Triangle2Contains(drawing.triangle, x, y);
}

bool Bend::LeadInContains(float x, float y, bool rendered) const {
  return Quad2Contains(rendered ? drawing.leadIn.outline : drawing.leadInQuad, x, y);
}

bool Bend::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!BendHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
