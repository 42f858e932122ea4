// The flange pair in the picture (see Flange.h), while the flanges are
// shown: sized by R, 1.75 times the pipe's radius at the row (the symbol
// scale with it), centred on the node along the pipe there. In lines the two
// faces of the pair, 0.25 R either side of the node and R either side of the
// pipe; rendered, two green discs of radius R from the faces to a small gap
// at the node. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/Flange.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "model/ViewProjection.h"
#include "services/ViewRequests.h"

namespace {

bool Shown(const Model& model) { return model.graphics.show[kShowFlanges] != 0; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }

}  // namespace

void Flange::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  drawn = row.endNode >= 1 && row.endNode <= model.nodes.count;
  if (!drawn) return;
  float r = 1.75f * PipeRadiusAtRow(model, DispatchedRow());
  if (!(r > 0.0f)) r = 1.75f * PipeRadiusAtNode(model, model.nodes[row.endNode].id);
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  // Along the row's own element when it has one, else along the pipe at the node.
  Vec3 axis{0.0f, 0.0f, 0.0f};
  if (row.startNode >= 1 && row.startNode <= model.nodes.count) {
    const NodeRecord& start = model.nodes[row.startNode];
    axis = {node.x - start.x, node.y - start.y, node.z - start.z};
  }
  if (Vec3Length(axis) < 1.0e-5f) {
    PipeDirectionAtNode(model, row.endNode, axis, false);
  }
  if (Vec3Length(axis) < 1.0e-5f) axis = {1.0f, 0.0f, 0.0f};
  Vec3Normalize(axis);
  const float face = 0.25f * r, gap = 0.075f * face;
  TubeSymbolSet(discs[0], Along(at, axis, -face), Along(at, axis, -gap), r, true);
  TubeSymbolSet(discs[1], Along(at, axis, gap), Along(at, axis, face), r, true);
  // The side view: the faces across the pipe's screen direction (across the
  // screen's x axis when the pipe points at the viewer).
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
  const Vec3 a = Along(at, axis, -face), b = Along(at, axis, face);
  ProjectPointToView(a[0], a[1], a[2], x1, y1);
  ProjectPointToView(b[0], b[1], b[2], x2, y2);
  SpanFrame2 span;
  SpanFrame2Set(span, x1, y1, x2, y2);
  if (span.length < 1.0e-3f * std::max(r, 1.0f)) {
    const float cx = 0.5f * (x1 + x2), cy = 0.5f * (y1 + y2);
    SpanFrame2Set(span, cx - 1.0e-3f, cy, cx + 1.0e-3f, cy);
  }
  float xs[4] = {0.0f, 0.0f, 1.0f, 1.0f};
  float ys[4] = {r, -r, -r, r};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  // The faces keep their corners' order; the outline may turn them.
  for (int i = 0; i < 4; ++i) {
    faces.x[i] = xs[i];
    faces.y[i] = ys[i];
  }
  Quad2Set(outline, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
}

void Flange::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  BuildSymbol(row);
  if (!drawn) return;
  Quad2ExtendRect(outline, symbolBounds);
  glBounds = symbolBounds;
  for (const TubeSymbol& disc : discs) Quad2ExtendRect(disc.outline, glBounds);
}

void Flange::Draw2D(LayoutRow& /*row*/) {
  if (!drawn || !Shown(TheModel())) return;
  SelectPen2(CurrentDrawingStyle().supportPen);
  DrawLine2(faces.x[0], faces.y[0], faces.x[1], faces.y[1]);
  DrawLine2(faces.x[2], faces.y[2], faces.x[3], faces.y[3]);
}

void Flange::DrawGl(LayoutRow& row) {
  if (!Shown(TheModel())) return;
  BuildSymbol(row);
  if (!drawn) return;
  if (g_ResultsHidePipes)
    glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  else
    glColor4f(0.3f, 0.6f, 0.3f, row.dimmed ? 0.6f : 1.0f);
  for (const TubeSymbol& disc : discs) GlDrawTube(disc.p1, disc.p2, disc.radius, disc.radius, true);
}

void Flange::DrawBounds() {
  if (drawn) Quad2Draw(outline);
}

void Flange::DrawPickAreas() {
  if (!drawn) return;
  for (const TubeSymbol& disc : discs) Quad2Draw(disc.outline);
}

bool Flange::SymbolHit(float x, float y, bool rendered) const {
  if (!drawn) return false;
  if (!rendered) return Quad2Contains(outline, x, y);
  return Quad2Contains(discs[0].outline, x, y) || Quad2Contains(discs[1].outline, x, y);
}

bool Flange::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return DataItem::EditDialog(rowNumber, x, y);
  if (!Shown(TheModel()) || !SymbolHit(x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}
