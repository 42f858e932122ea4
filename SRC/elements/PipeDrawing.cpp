// Drawing and picking of the pipe and the cut pipe (see PipeData.h).
#include "elements/PipeData.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowOperations.h"

namespace {

// The ends of the pipe's straight run (after a bend's arc, before the next).
int RunStartOf(const LayoutRow& row) { return row.runStart != 0 ? row.runStart : row.startNode; }
int RunEndOf(const LayoutRow& row) { return row.runEnd != 0 ? row.runEnd : row.endNode; }

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

}  // namespace

void PipeData::ComputeShape(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  const int a = RunStartOf(row), b = RunEndOf(row);
  if (!ValidNode(nodes, a) || !ValidNode(nodes, b)) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, a, b);
  const float d = Size7Px;
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-d, -d, d, d};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(outlines[0], xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
  Quad2ExtendRect(outlines[0], row.bounds2d);
  // The rendered bounds hold the tube as it is rendered, and the deflected
  // shape while there is one.
  Quad2ExtendRect(outlines[0], row.boundsGl);
  Quad2ExtendRect(tube.outline, row.boundsGl);
  if (deflectedOutlineSet) Quad2ExtendRect(outlines[1], row.boundsGl);
}

void PipeData::BuildGeometry(LayoutRow& row) {
  const Model& model = TheModel();
  const int a = RunStartOf(row), b = RunEndOf(row);
  if (!ValidNode(model.nodes, a) || !ValidNode(model.nodes, b)) return;
  const int number = DispatchedRow();
  const bool runEnd = number != 0 && IsRowAtRunEnd(model, number);
  TubeSymbolFromNodes(tube, a, b, SectionOuterRadius(model, number), runEnd);
}

void PipeData::Draw2D(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  const int a = RunStartOf(row), b = RunEndOf(row);
  if (!ValidNode(nodes, a) || !ValidNode(nodes, b)) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  DrawLine2(nodes[a].screenX, nodes[a].screenY, nodes[b].screenX, nodes[b].screenY);
}

void PipeData::DrawGl(LayoutRow& row) {
  if (g_ResultsHidePipes) return;
  SetElementGlColour(TheModel(), row);
  ElementDrawSegment(tube);
}

void PipeData::DrawOutline() { Quad2Draw(outlines[0]); }

void PipeData::DrawPickAreas() { Quad2Draw(outlines[1]); }

bool PipeData::ElementOutlineContains(float x, float y) const {
  if (g_DeflectedShapeShown && deflectedOutlineSet) return Quad2Contains(outlines[1], x, y);
  return Quad2Contains(outlines[0], x, y);
}
