// The elastic element in the picture (see ElasticElement.h): a spring's
// zigzag between its nodes in lines, picked 7 pixels either side; rendered, a box in blue
// around the span, or a cube at the node when the two nodes coincide (as
// they often do: a spring between a pipe and its support steel). Runs on
// the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "elements/ElasticElement.h"
#include "elements/SpanSymbols.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

// The pipe's diameter and a fifth around the element before it, at least an inch.
float BoxSide(const Model& model, int row) {
  float r = PipeRadiusAtRow(model, row);
  if (r == 0.0f && row > 1) r = PipeRadiusAtRow(model, row - 1);
  return std::max(2.4f * r, 1.0f);
}

}  // namespace

void ElasticElement::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  shown = ValidNode(model.nodes, row.startNode) && ValidNode(model.nodes, row.endNode);
  if (!shown) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, row.startNode, row.endNode);
  // Coincident nodes: the quad around the node.
  if (span.length <= 0.0f) {
    const float x = model.nodes[row.endNode].screenX, y = model.nodes[row.endNode].screenY;
    Quad2Set(pickQuad, x - Size7Px, y - Size7Px, x + Size7Px, y - Size7Px, x + Size7Px, y + Size7Px, x - Size7Px,
             y + Size7Px);
  } else {
    SetSpanBand(pickQuad, row.startNode, row.endNode, Size7Px);
  }
  Quad2ExtendRect(pickQuad, row.bounds2d);
  const float side = BoxSide(model, DispatchedRow());
  const NodeRecord& a = model.nodes[row.startNode];
  const NodeRecord& b = model.nodes[row.endNode];
  const Vec3 centre{(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f, (a.z + b.z) / 2.0f};
  Vec3 along{b.x - a.x, b.y - a.y, b.z - a.z};
  const float length = Vec3Length(along);
  if (length < 1.0e-5f) along = {localX[0], localX[1], localX[2]};
  Vec3 across{localY[0], localY[1], localY[2]};
  if (Vec3Length(across) < 1.0e-5f) across = {0.0f, 1.0f, 0.0f};
  // The box frame takes unit axes.
  Vec3Normalize(along);
  Vec3Normalize(across);
  BoxSymbolSet(box, centre, std::max(length, side), side, side, along, across);
  BoxSymbolExtendRect(box, row.boundsGl);
}

void ElasticElement::Draw2D(LayoutRow& row) {
  if (!shown) return;
  const NodeTable& nodes = TheModel().nodes;
  SelectPen2(CurrentDrawingStyle().elementPen);
  // A spring: straight ends and six zigzags 4 pixels either side over the
  // middle half of the span; between nodes closer than 16 pixels the
  // zigzags, 16 pixels long, across the screen at the start node.
  const float ax = nodes[row.startNode].screenX, ay = nodes[row.startNode].screenY;
  const float bx = nodes[row.endNode].screenX, by = nodes[row.endNode].screenY;
  SpanFrame2 span;
  const bool shortSpan = std::hypot(bx - ax, by - ay) < 4.0f * Size4Px;
  if (shortSpan) {
    DrawLine2(ax, ay, bx, by);
    SpanFrame2Set(span, ax - 2.0f * Size4Px, ay, ax + 2.0f * Size4Px, ay);
  } else {
    SpanFrame2Set(span, ax, ay, bx, by);
  }
  const float first = shortSpan ? 0.0f : 0.25f, last = shortSpan ? 1.0f : 0.75f;
  constexpr int kZigs = 6;
  float x = first, y = 0.0f;
  SpanFrame2Map(span, x, y);
  if (!shortSpan) DrawLine2(ax, ay, x, y);
  for (int i = 1; i <= 2 * kZigs; ++i) {
    float nx = first + (last - first) * static_cast<float>(2 * i - 1) / (4.0f * kZigs);
    float ny = (i % 2 == 1 ? 1.0f : -1.0f) * Size4Px;
    if (i == 2 * kZigs) {
      nx = last;
      ny = 0.0f;
    }
    SpanFrame2Map(span, nx, ny);
    DrawLine2(x, y, nx, ny);
    x = nx;
    y = ny;
  }
  if (!shortSpan) DrawLine2(x, y, bx, by);
}

void ElasticElement::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(0.5f, 0.5f, 1.0f, row.dimmed ? 0.6f : 1.0f);
  GlDrawBoxSymbol(box);
}

void ElasticElement::DrawOutline() {
  if (shown) Quad2Draw(pickQuad);
}

void ElasticElement::DrawPickAreas() {
  if (shown) DrawBoxFaces(box);
}

bool ElasticElement::EditDialog(int rowNumber, float x, float y) {
  return EditBoxElement(*this, rowNumber, x, y, shown, box, pickQuad);
}
