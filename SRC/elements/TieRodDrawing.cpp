// The tie rod in the picture (see TieRod.h): a line between its nodes, picked
// within the symbol size either side; rendered, an orange rod of half the
// symbol size. The symbol size is the pipe's outer radius at the row (six
// inches where the row has no section, as the other symbols), times the
// symbol scale. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/TieRod.h"
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

void TieRod::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  shown = ValidNode(model.nodes, row.startNode) && ValidNode(model.nodes, row.endNode);
  if (!shown) return;
  symbolSize = SectionOuterRadius(model, DispatchedRow()) * g_SymbolScale;
  if (!(symbolSize > 0.0f)) symbolSize = 6.0f * g_SymbolScale;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, row.startNode, row.endNode);
  const float side = std::max(symbolSize, Size4Px);
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-side, -side, side, side};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(pickQuad, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
  Quad2ExtendRect(pickQuad, row.bounds2d);
  TubeSymbolFromNodes(rod, row.startNode, row.endNode, 0.5f * symbolSize, true);
  Quad2ExtendRect(rod.outline, row.boundsGl);
}

void TieRod::Draw2D(LayoutRow& row) {
  if (!shown) return;
  const NodeTable& nodes = TheModel().nodes;
  SelectPen2(CurrentDrawingStyle().elementPen);
  DrawLine2(nodes[row.startNode].screenX, nodes[row.startNode].screenY, nodes[row.endNode].screenX,
            nodes[row.endNode].screenY);
}

void TieRod::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(1.0f, 0.6f, 0.0f, row.dimmed ? 0.6f : 1.0f);
  GlDrawTube(rod.p1, rod.p2, rod.radius, rod.radius, true);
}

void TieRod::DrawOutline() {
  if (shown) Quad2Draw(pickQuad);
}

void TieRod::DrawPickAreas() {
  if (shown) Quad2Draw(rod.outline);
}

bool TieRod::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!shown || !Quad2Contains(g_RenderedMode ? rod.outline : pickQuad, x, y)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
