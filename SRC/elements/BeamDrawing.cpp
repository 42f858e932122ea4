// The beam in the picture (see elements/BeamElement.h): a line between its
// nodes in 2D, an I-shape in the rendered picture. The I-shape is three
// boxes along the span: the web (depth less both flanges, a fifth of the
// width thick) and the two flanges (the width wide, an eighth of the depth
// thick) off the centre line along the local axis of the depth, so beta
// turns the whole section about the beam's axis. A beam whose section is
// missing or has no depth or width is drawn with a section of its span's
// twentieth in width and three times that in depth.
//
// Everything here runs on the graphics thread for the drawn model, which
// TheModel() is there; nothing throws.
#include <GL/gl.h>

#include <cmath>

#include "elements/BeamElement.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowDrawing.h"
#include "services/ViewRequests.h"

namespace {

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

Vec3 PositionOf(const NodeTable& nodes, int index) { return Vec3{nodes[index].x, nodes[index].y, nodes[index].z}; }

struct SectionSize {
  float depth = 0.0f;
  float width = 0.0f;
};

SectionSize SizeOf(const Model& model, const LayoutRow& row, float span) {
  SectionSize size;
  const int index = FindBeamSectionByName(model.beamSections, row.section);
  if (index != 0) {
    size.depth = model.beamSections[index].depth;
    size.width = model.beamSections[index].width;
  }
  if (!(size.depth > 0.0f) || !(size.width > 0.0f)) {
    size.width = std::max(span / 20.0f, 0.1f);
    size.depth = 3.0f * size.width;
  }
  return size;
}

}  // namespace

void Beam::BuildGeometry(LayoutRow& row) {
  const Model& model = TheModel();
  const NodeTable& nodes = model.nodes;
  boxesBuilt = false;
  if (!ValidNode(nodes, row.startNode) || !ValidNode(nodes, row.endNode)) return;
  const bool zVertical = model.options.ZVertical != 0;
  const BeamFrame frame = BeamLocalFrame(nodes, row.startNode, row.endNode, beta, zVertical);
  const Vec3 a = PositionOf(nodes, row.startNode), b = PositionOf(nodes, row.endNode);
  const float span = std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) +
                               (b[2] - a[2]) * (b[2] - a[2]));
  if (span <= 0.0f) return;
  const SectionSize size = SizeOf(model, row, span);
  const float t = size.depth / 8.0f;
  const Vec3 centre{(a[0] + b[0]) / 2.0f, (a[1] + b[1]) / 2.0f, (a[2] + b[2]) / 2.0f};
  // The depth runs along local y with Y vertical, local z with Z vertical.
  const Vec3 deep = zVertical ? frame.z : frame.y;
  BoxSymbolSet(boxes[0], centre, span, size.depth - 2.0f * t, 0.2f * size.width, frame.x, deep);
  const float offset = (size.depth - t) / 2.0f;
  for (int side = 0; side < 2; ++side) {
    const float sign = side == 0 ? 1.0f : -1.0f;
    const Vec3 at{centre[0] + sign * offset * deep[0], centre[1] + sign * offset * deep[1],
                  centre[2] + sign * offset * deep[2]};
    BoxSymbolSet(boxes[static_cast<std::size_t>(side) + 1], at, span, t, size.width, frame.x, deep);
  }
  boxesBuilt = true;
}

void Beam::ComputeShape(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  if (!ValidNode(nodes, row.startNode) || !ValidNode(nodes, row.endNode)) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, row.startNode, row.endNode);
  const float s = Size7Px;
  float xs[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  float ys[4] = {-s, -s, s, s};
  for (int i = 0; i < 4; ++i) SpanFrame2Map(span, xs[i], ys[i]);
  Quad2Set(outline, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3]);
  Quad2ExtendRect(outline, row.bounds2d);
  Quad2ExtendRect(outline, row.boundsGl);
  if (!boxesBuilt) return;
  for (const BoxSymbol& box : boxes) BoxSymbolExtendRect(box, row.boundsGl);
}

void Beam::Draw2D(LayoutRow& row) {
  const NodeTable& nodes = TheModel().nodes;
  if (!ValidNode(nodes, row.startNode) || !ValidNode(nodes, row.endNode)) return;
  SelectPen2(CurrentDrawingStyle().elementPen);
  DrawLine2(nodes[row.startNode].screenX, nodes[row.startNode].screenY, nodes[row.endNode].screenX,
            nodes[row.endNode].screenY);
}

void Beam::DrawGl(LayoutRow& row) {
  if (g_ResultsHidePipes || !boxesBuilt) return;
  const bool own = GlElementColourIsSet();
  const float alpha = row.dimmed ? 0.6f : 1.0f;
  if (own) glColor4f(0.0f, 0.5f, 0.5f, alpha);
  GlDrawBoxSymbol(boxes[0]);
  if (own) glColor4f(0.3f, 0.6f, 0.6f, alpha);
  GlDrawBoxSymbol(boxes[1]);
  GlDrawBoxSymbol(boxes[2]);
}

void Beam::DrawOutline() { Quad2Draw(outline); }

void Beam::DrawPickAreas() {
  if (!boxesBuilt) return;
  for (const BoxSymbol& box : boxes)
    for (const Quad2& face : box.faces) Quad2Draw(face);
}

bool BeamHitTest(const Beam& beam, float x, float y, bool rendered) {
  if (rendered && beam.boxesBuilt) {
    for (const BoxSymbol& box : beam.boxes)
      for (const Quad2& face : box.faces)
        if (Quad2Contains(face, x, y)) return true;
    return false;
  }
  return Quad2Contains(beam.outline, x, y);
}

bool Beam::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!BeamHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
