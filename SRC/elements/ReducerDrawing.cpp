// The reducer in the picture (see Reducer.h), drawn with its own two
// diameters, not the row's section: in lines the trapezoid from OD1 at the
// start node to OD2 at the end node, rendered a cone (ochre for a
// fibre-reinforced material, grey otherwise). Runs on the graphics thread;
// nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/Reducer.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

}  // namespace

void Reducer::ComputeShape(LayoutRow& row) {
  if (!shown) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, row.startNode, row.endNode);
  // Never thinner than a few pixels, so that a small reducer stays a shape.
  const float r1 = std::max(od1 / 2.0f, Size4Px), r2 = std::max(od2 / 2.0f, Size4Px);
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-r1, -r2, r2, r1};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(trapezoid, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
  Quad2ExtendRect(trapezoid, row.bounds2d);
  Quad2ExtendRect(outline, row.boundsGl);
}

void Reducer::BuildGeometry(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  shown = ValidNode(nodes, row.startNode) && ValidNode(nodes, row.endNode) && od1 > 0.0f && od2 > 0.0f;
  if (!shown) return;
  start = {nodes[row.startNode].x, nodes[row.startNode].y, nodes[row.startNode].z};
  end = {nodes[row.endNode].x, nodes[row.endNode].y, nodes[row.endNode].z};
  TubeOutline(start, end, od1 / 2.0f, od2 / 2.0f, outline, false);
}

void Reducer::Draw2D(LayoutRow& /*row*/) {
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  Quad2Draw(trapezoid);
}

void Reducer::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  SetElementGlColour(TheModel(), row);
  GlDrawTube(start, end, od1 / 2.0f, od2 / 2.0f, true);
}

void Reducer::DrawOutline() {
  if (shown) Quad2Draw(trapezoid);
}

void Reducer::DrawPickAreas() {
  if (shown) Quad2Draw(outline);
}

bool ReducerHitTest(const Reducer& reducer, float x, float y, bool rendered) {
  if (!reducer.shown) return false;
  return Quad2Contains(rendered ? reducer.outline : reducer.trapezoid, x, y);
}

bool Reducer::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!ReducerHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
