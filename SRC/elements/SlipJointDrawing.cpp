// The slip joint in the picture (see SlipJoint.h), sized by the row's
// section radius R: in lines a rectangle R either side of the span with bars
// across at a quarter and three quarters; rendered, an open sleeve of 1.2 R
// set 0.3 R in from both nodes and, over its outer quarters, two closed
// glands of 1.5 R set 0.15 R in, in orange. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/SlipJoint.h"
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

}  // namespace

void SlipJoint::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  radius = SectionOuterRadius(model, DispatchedRow());
  shown = ValidNode(nodes, row.startNode) && ValidNode(nodes, row.endNode) && radius > 0.0f;
  if (!shown) return;
  SetSpanBand(rectangle, row.startNode, row.endNode, std::max(radius, Size4Px));
  Quad2ExtendRect(rectangle, row.bounds2d);

  const Vec3 a{nodes[row.startNode].x, nodes[row.startNode].y, nodes[row.startNode].z};
  const Vec3 b{nodes[row.endNode].x, nodes[row.endNode].y, nodes[row.endNode].z};
  const Vec3 along{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const float length = Vec3Length(along);
  // Along the span by distance from the start node, held within the span so
  // that a joint shorter than its glands still draws inside its nodes.
  const auto at = [&](float distance) {
    const float t = length > 0.0f ? std::clamp(distance / length, 0.0f, 1.0f) : 0.0f;
    return Vec3{a[0] + along[0] * t, a[1] + along[1] * t, a[2] + along[2] * t};
  };
  const float glandInset = 0.15f * radius, sleeveInset = 0.3f * radius;
  TubeSymbolSet(sleeve, at(sleeveInset), at(length - sleeveInset), 1.2f * radius, false);
  TubeSymbolSet(glands[0], at(glandInset), at(0.25f * length), 1.5f * radius, true);
  TubeSymbolSet(glands[1], at(0.75f * length), at(length - glandInset), 1.5f * radius, true);
  Quad2ExtendRect(sleeve.outline, row.boundsGl);
  for (const TubeSymbol& g : glands) Quad2ExtendRect(g.outline, row.boundsGl);
}

void SlipJoint::Draw2D(LayoutRow& row) {
  if (!shown) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  Quad2Draw(rectangle);
  DrawBarsAcrossSpan(row.startNode, row.endNode, std::max(radius, Size4Px), {0.25f, 0.75f});
}

void SlipJoint::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(1.0f, 0.6f, 0.0f, row.dimmed ? 0.6f : 1.0f);
  GlDrawTube(sleeve.p1, sleeve.p2, sleeve.radius, sleeve.radius, false);
  for (const TubeSymbol& g : glands) GlDrawTube(g.p1, g.p2, g.radius, g.radius, true);
}

void SlipJoint::DrawOutline() {
  if (shown) Quad2Draw(rectangle);
}

void SlipJoint::DrawPickAreas() {
  if (!shown) return;
  Quad2Draw(sleeve.outline);
  for (const TubeSymbol& g : glands) Quad2Draw(g.outline);
}

bool SlipJoint::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!shown) return false;
  bool hit = false;
  if (g_RenderedMode) {
    hit = Quad2Contains(sleeve.outline, x, y);
    for (const TubeSymbol& g : glands) hit = hit || Quad2Contains(g.outline, x, y);
  } else {
    hit = Quad2Contains(rectangle, x, y);
  }
  if (hit) RequestPickedRowEdit(rowNumber, false);
  return hit;
}
