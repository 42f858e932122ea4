// The jacketed pipe and the jacketed bend in the picture (see their
// headers): the core drawn as the pipe or the bend is, grey, and the jacket
// around it, translucent blue-grey, so that the core shows through; in
// lines the jacket's line (and arc) between two side lines. Both are picked by the jacket's
// outlines. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <cmath>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "records/GraphicsSettings.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

Vec3 PositionOf(const NodeTable& nodes, int index) { return {nodes[index].x, nodes[index].y, nodes[index].z}; }

float HalfDiameter(const Model& model, const std::string& section) {
  const int index = FindSectionByName(model.sections, section);
  return index != 0 ? model.sections[index].outsideDiameter / 2.0f : 0.0f;
}

// 7 pixels either side of the screen line from a to b.
void LineQuad(Quad2& quad, float ax, float ay, float bx, float by) {
  SpanFrame2 span;
  SpanFrame2Set(span, ax, ay, bx, by);
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-Size7Px, -Size7Px, Size7Px, Size7Px};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(quad, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
}

// The unit normal of the screen line from a to b ((0, 0) when they meet).
void Normal2(float ax, float ay, float bx, float by, float& nx, float& ny) {
  const float length = std::hypot(bx - ax, by - ay);
  nx = length > 0.0f ? -(by - ay) / length : 0.0f;
  ny = length > 0.0f ? (bx - ax) / length : 0.0f;
}

// The jacket's sign in lines: its line with a thin line 3 pixels either side.
void DrawJacketLine2(float ax, float ay, float bx, float by) {
  DrawLine2(ax, ay, bx, by);
  float nx = 0.0f, ny = 0.0f;
  Normal2(ax, ay, bx, by, nx, ny);
  const float d = 0.75f * Size4Px;
  for (const float side : {-d, d}) DrawLine2(ax + side * nx, ay + side * ny, bx + side * nx, by + side * ny);
}

// The same for the jacket's curve: the side curves' control points moved
// along the normals of the curve's end tangents.
void DrawJacketCurve2(const float xs[4], const float ys[4]) {
  DrawBezier2(xs, ys);
  float n0x = 0.0f, n0y = 0.0f, n1x = 0.0f, n1y = 0.0f;
  Normal2(xs[0], ys[0], xs[1], ys[1], n0x, n0y);
  Normal2(xs[2], ys[2], xs[3], ys[3], n1x, n1y);
  const float d = 0.75f * Size4Px;
  for (const float side : {-d, d}) {
    const float sx[4] = {xs[0] + side * n0x, xs[1] + side * n0x, xs[2] + side * n1x, xs[3] + side * n1x};
    const float sy[4] = {ys[0] + side * n0y, ys[1] + side * n0y, ys[2] + side * n1y, ys[3] + side * n1y};
    DrawBezier2(sx, sy);
  }
}

// The jacket in its translucent colour; the caller's colour stands while
// the row is drawn dimmed or by property.
template <typename Draw>
void DrawJacketGl(Draw draw, float opacity = 0.85f) {
  const bool blending = glIsEnabled(GL_BLEND) != GL_FALSE;
  if (!blending) glEnable(GL_BLEND);
  if (GlElementColourIsSet()) glColor4f(0.3f, 0.5f, 0.6f, opacity);
  glDepthMask(GL_FALSE);
  draw();
  glDepthMask(GL_TRUE);
  if (!blending) glDisable(GL_BLEND);
}

Vector3d Widened(const Vec3& v) { return {v[0], v[1], v[2]}; }
Vec3 Narrowed(const Vector3d& v) {
  return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

}  // namespace

// --- jacketed pipe -----------------------------------------------------------------------

void JacketedPipe::BuildGeometry(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  shown = ValidNode(nodes, jacketStartNode) && ValidNode(nodes, jacketEndNode);
  const int start = row.runStart != 0 ? row.runStart : row.startNode;
  if (!shown || !ValidNode(nodes, start) || !ValidNode(nodes, row.endNode)) {
    shown = false;
    return;
  }
  TubeSymbolFromNodes(core, start, row.endNode, HalfDiameter(model, row.section), false);
  TubeSymbolFromNodes(jacket, jacketStartNode, jacketEndNode, HalfDiameter(model, jacketSection), true);
}

void JacketedPipe::ComputeShape(LayoutRow& row) {
  if (!shown) return;
  const NodeTable& nodes = TheModel().nodes;
  const NodeRecord& a = nodes[jacketStartNode];
  const NodeRecord& b = nodes[jacketEndNode];
  LineQuad(pickQuad, a.screenX, a.screenY, b.screenX, b.screenY);
  Quad2ExtendRect(pickQuad, row.bounds2d);
  Quad2ExtendRect(jacket.outline, row.boundsGl);
}

void JacketedPipe::Draw2D(LayoutRow& /*row*/) {
  if (!shown) return;
  const NodeTable& nodes = TheModel().nodes;
  SelectPen2(CurrentDrawingStyle().elementPen);
  DrawJacketLine2(nodes[jacketStartNode].screenX, nodes[jacketStartNode].screenY, nodes[jacketEndNode].screenX,
                  nodes[jacketEndNode].screenY);
}

void JacketedPipe::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  SetElementGlColour(TheModel(), row);
  ElementDrawSegment(core);
  DrawJacketGl([this] { ElementDrawSegment(jacket); });
}

void JacketedPipe::DrawOutline() {
  if (shown) Quad2Draw(pickQuad);
}

void JacketedPipe::DrawPickAreas() {
  if (shown) Quad2Draw(jacket.outline);
}

bool JacketedPipe::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!shown || !Quad2Contains(g_RenderedMode ? jacket.outline : pickQuad, x, y)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}

// --- jacketed bend ---------------------------------------------------------------------

void JacketedBend::BuildGeometry(LayoutRow& row) {
  Bend::BuildGeometry(row);
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  JacketDrawing& j = jacketDrawing;
  j = JacketDrawing{};
  j.shown = ValidNode(nodes, jacketStartNode) && ValidNode(nodes, row.endNode);
  if (!j.shown) return;
  j.pipeRadius = HalfDiameter(model, jacketSection);
  j.valid = BendGeometryValid != 0 && ValidNode(nodes, jacketNearNode) && ValidNode(nodes, jacketFarNode);
  TubeSymbolFromNodes(j.leadIn, jacketStartNode, j.valid ? jacketNearNode : row.endNode, j.pipeRadius, true);
  if (!j.valid) return;
  j.centre = {jacketCentre[0], jacketCentre[1], jacketCentre[2]};
  j.near = PositionOf(nodes, jacketNearNode);
  j.far = PositionOf(nodes, jacketFarNode);
  Vec3 toNear{};
  Vec3Sub(j.near, j.centre, toNear);
  j.bendRadius = Vec3Length(toNear);
  j.sweep = bendAngle;
  const auto thirds = BendArcThirds(Widened(j.near), Widened(j.far), Widened(j.centre), bendAngle);
  const Vec3 points[4] = {j.near, Narrowed(thirds[0]), Narrowed(thirds[1]), j.far};
  for (int i = 0; i < 3; ++i) TubeOutline(points[i], points[i + 1], j.pipeRadius, j.pipeRadius, j.thirds[i], false);
}

void JacketedBend::ComputeShape(LayoutRow& row) {
  Bend::ComputeShape(row);
  JacketDrawing& j = jacketDrawing;
  if (!j.shown) return;
  const NodeTable& nodes = TheModel().nodes;
  j.startX = nodes[jacketStartNode].screenX;
  j.startY = nodes[jacketStartNode].screenY;
  j.cornerX = nodes[row.endNode].screenX;
  j.cornerY = nodes[row.endNode].screenY;
  if (j.valid) {
    j.nearX = nodes[jacketNearNode].screenX;
    j.nearY = nodes[jacketNearNode].screenY;
    j.farX = nodes[jacketFarNode].screenX;
    j.farY = nodes[jacketFarNode].screenY;
    Triangle2Set(j.triangle, j.nearX, j.nearY, j.cornerX, j.cornerY, j.farX, j.farY);
    Triangle2ExtendRect(j.triangle, row.bounds2d);
    for (const Quad2& third : j.thirds) Quad2ExtendRect(third, row.boundsGl);
  }
  LineQuad(j.leadInQuad, j.startX, j.startY, j.valid ? j.nearX : j.cornerX, j.valid ? j.nearY : j.cornerY);
  Quad2ExtendRect(j.leadInQuad, row.bounds2d);
  Quad2ExtendRect(j.leadIn.outline, row.boundsGl);
}

void JacketedBend::Draw2D(LayoutRow& row) {
  Bend::Draw2D(row);
  const JacketDrawing& j = jacketDrawing;
  if (!j.shown) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.elementPen);
  if (!j.valid) {
    DrawJacketLine2(j.startX, j.startY, j.cornerX, j.cornerY);
    return;
  }
  DrawJacketLine2(j.startX, j.startY, j.nearX, j.nearY);
  if (TheModel().graphics.show[kShowCurvedBends] == 0) {
    DrawJacketLine2(j.nearX, j.nearY, j.cornerX, j.cornerY);
    DrawJacketLine2(j.cornerX, j.cornerY, j.farX, j.farY);
    return;
  }
  const auto curve = BendBezierControlPoints({j.nearX, j.nearY}, {j.cornerX, j.cornerY}, {j.farX, j.farY});
  const float xs[4] = {curve[0].x, curve[1].x, curve[2].x, curve[3].x};
  const float ys[4] = {curve[0].y, curve[1].y, curve[2].y, curve[3].y};
  DrawJacketCurve2(xs, ys);
}

void JacketedBend::DrawGl(LayoutRow& row) {
  if (g_ResultsHidePipes) return;
  Bend::DrawGl(row);  // the core, grey
  const JacketDrawing& j = jacketDrawing;
  if (!j.shown || !j.valid) return;
  DrawJacketGl([&j] {
    ElementDrawSegment(j.leadIn);
    GlDrawBend(j.centre, j.near, j.far, j.bendRadius, j.pipeRadius, j.sweep, false);
  });
}

void DrawJacketShellGl(LayoutRow& row) {
  // Fainter than the ordinary jacket, so that the core's colours show.
  constexpr float kOpacity = 0.3f;
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(row.element.get())) {
    if (pipe->shown) DrawJacketGl([pipe] { ElementDrawSegment(pipe->jacket); }, kOpacity);
    return;
  }
  const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get());
  if (bend == nullptr) return;
  const JacketDrawing& j = bend->jacketDrawing;
  if (!j.shown || !j.valid) return;
  DrawJacketGl([&j] {
    ElementDrawSegment(j.leadIn);
    GlDrawBend(j.centre, j.near, j.far, j.bendRadius, j.pipeRadius, j.sweep, false);
  }, kOpacity);
}

void JacketedBend::DrawOutline() {
  const JacketDrawing& j = jacketDrawing;
  if (!j.shown) return;
  if (j.valid) Triangle2Draw(j.triangle);
  Quad2Draw(j.leadInQuad);
}

void JacketedBend::DrawPickAreas() {
  const JacketDrawing& j = jacketDrawing;
  if (!j.shown) return;
  if (j.valid)
    for (const Quad2& third : j.thirds) Quad2Draw(third);
  Quad2Draw(j.leadIn.outline);
}

bool JacketedBend::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  const JacketDrawing& j = jacketDrawing;
  if (!j.shown) return false;
  bool hit = false;
  if (g_RenderedMode) {
    if (j.valid)
      for (const Quad2& third : j.thirds) hit = hit || Quad2Contains(third, x, y);
    if (!j.valid) hit = Quad2Contains(j.leadIn.outline, x, y);
  } else {
    hit = j.valid ? Triangle2Contains(j.triangle, x, y) : Quad2Contains(j.leadInQuad, x, y);
  }
  if (hit) RequestPickedRowEdit(rowNumber, false);
  return hit;
}
