// The rigid element in the picture (see RigidElement.h): a narrow box
// between its nodes in lines, picked 7 pixels either side of it; rendered, a box a
// little wider than the pipe around the span, in ochre. Runs on the
// graphics thread; nothing throws.
#include <GL/gl.h>

#include "elements/RigidElement.h"
#include "elements/SpanSymbols.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

// The side of the box: the pipe's diameter and a fifth, at least an inch.
float BoxSide(const Model& model, int row) { return std::max(2.4f * PipeRadiusAtRow(model, row), 1.0f); }

}  // namespace

void RigidElement::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  shown = ValidNode(model.nodes, row.startNode) && ValidNode(model.nodes, row.endNode) &&
          NodeDistance(model.nodes, row.startNode, row.endNode) > 0.0f;
  if (!shown) return;
  SetSpanBand(pickQuad, row.startNode, row.endNode, Size7Px);
  Quad2ExtendRect(pickQuad, row.bounds2d);
  const float side = BoxSide(model, DispatchedRow());
  BoxSymbolBetweenNodes(box, row.startNode, row.endNode, side, side);
  BoxSymbolExtendRect(box, row.boundsGl);
}

void RigidElement::Draw2D(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  // A narrow box 3 pixels either side of the span (a line when the span is
  // too short to show one).
  SpanFrame2 span;
  SpanFrame2Set(span, nodes[row.startNode].screenX, nodes[row.startNode].screenY, nodes[row.endNode].screenX,
                nodes[row.endNode].screenY);
  if (span.length < Size4Px) {
    DrawLine2(nodes[row.startNode].screenX, nodes[row.startNode].screenY, nodes[row.endNode].screenX,
              nodes[row.endNode].screenY);
    return;
  }
  const float side = 0.75f * Size4Px;
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-side, -side, side, side};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  for (int i = 0; i < 4; ++i) DrawLine2(xs[i], ys[i], xs[(i + 1) % 4], ys[(i + 1) % 4]);
}

void RigidElement::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(0.75f, 0.5f, 0.25f, row.dimmed ? 0.6f : 1.0f);
  GlDrawBoxSymbol(box);
}

void RigidElement::DrawOutline() {
  if (shown) Quad2Draw(pickQuad);
}

void RigidElement::DrawPickAreas() {
  if (shown) DrawBoxFaces(box);
}

bool RigidElement::EditDialog(int rowNumber, float x, float y) {
  return EditBoxElement(*this, rowNumber, x, y, shown, box, pickQuad);
}
