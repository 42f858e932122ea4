// The bellows in the picture (see Bellows.h), sized by the row's section:
// in lines a rectangle the pipe's outer radius either side of the span with
// bars across at a quarter, half and three quarters; rendered, convolutions
// each rising from the pipe's radius to a fifth beyond it and back, in
// orange. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "elements/Bellows.h"
#include "elements/SpanSymbols.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

constexpr float kCrest = 1.2f;  // the convolutions' crest over the pipe's radius

}  // namespace

int BellowsConvolutionCount(float length, float radius) {
  if (!(radius > 0.0f) || !(length > 0.0f)) return 1;
  // Bounded so that a tiny section on a long span cannot flood the renderer.
  const float n = std::floor(length / (0.5f * radius));
  return static_cast<int>(std::clamp(n, 1.0f, 500.0f));
}

void Bellows::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  radius = SectionOuterRadius(model, DispatchedRow());
  shown = ValidNode(nodes, row.startNode) && ValidNode(nodes, row.endNode) && radius > 0.0f;
  if (!shown) return;
  // Never thinner than a few pixels, so that a small bellows stays a shape.
  SetSpanBand(rectangle, row.startNode, row.endNode, std::max(radius, Size4Px));
  Quad2ExtendRect(rectangle, row.bounds2d);
  start = {nodes[row.startNode].x, nodes[row.startNode].y, nodes[row.startNode].z};
  end = {nodes[row.endNode].x, nodes[row.endNode].y, nodes[row.endNode].z};
  TubeOutline(start, end, kCrest * radius, kCrest * radius, outline, true);
  Quad2ExtendRect(outline, row.boundsGl);
}

void Bellows::Draw2D(LayoutRow& row) {
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  Quad2Draw(rectangle);
  DrawBarsAcrossSpan(row.startNode, row.endNode, std::max(radius, Size4Px), {0.25f, 0.5f, 0.75f});
}

void Bellows::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(1.0f, 0.6f, 0.0f, row.dimmed ? 0.6f : 1.0f);
  const Vec3 along{end[0] - start[0], end[1] - start[1], end[2] - start[2]};
  const int n = BellowsConvolutionCount(Vec3Length(along), radius);
  const auto at = [&](float t) { return Vec3{start[0] + along[0] * t, start[1] + along[1] * t, start[2] + along[2] * t}; };
  for (int i = 0; i < n; ++i) {
    const float t0 = static_cast<float>(i) / static_cast<float>(n);
    const float t1 = (static_cast<float>(i) + 0.5f) / static_cast<float>(n);
    const float t2 = static_cast<float>(i + 1) / static_cast<float>(n);
    GlDrawTube(at(t0), at(t1), radius, kCrest * radius, true);
    GlDrawTube(at(t1), at(t2), kCrest * radius, radius, true);
  }
}

void Bellows::DrawOutline() {
  if (shown) Quad2Draw(rectangle);
}

void Bellows::DrawPickAreas() {
  if (shown) Quad2Draw(outline);
}

bool BellowsHitTest(const Bellows& bellows, float x, float y, bool rendered) {
  if (!bellows.shown) return false;
  return Quad2Contains(rendered ? bellows.outline : bellows.rectangle, x, y);
}

bool Bellows::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!BellowsHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
