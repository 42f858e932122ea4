// The limit stop's symbol (see LimitStop.h). Without a connected node, in
// lines, the stop mark (a rod ending in a bar before the node) on the side
// of each limit the stop has, along the screen direction of its
// components, at a fixed pixel size times the symbol scale; a direction that
// points at the viewer shows as a ring round the node. Rendered, each limit
// is a disc of 1.25 pipe radii, 0.3 of that thick, standing at the limit's
// travel from the node (and, when the direction crosses the pipe, off its
// surface), with a rod behind it. With a connected node, a line (a rod
// rendered) joins the two nodes. The colour is the stops' rust.
//
// Drawing runs on the graphics thread and never throws; a stop without a
// direction and without a connected node that the model has draws nothing.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "supports/LimitStop.h"

namespace {

// The stop marks' unit (the mark is 2.5 units long) and the smallest pipe
// radius the rendered discs are sized from, in pixels.
constexpr float kMarkUnitPx = 10.0f;
constexpr float kSmallestRadiusPx = 4.0f;
constexpr int kLowerMark = 4, kUpperMark = 5;
// Directions this close to square with the pipe place the discs off its
// surface (radians).
constexpr float kAcrossFrom = 1.3963f, kAcrossTo = 1.7453f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }

float MarkSize() { return SupportPixels(kMarkUnitPx); }

}  // namespace

void LimitStop::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  linked = false;
  endOn = true;
  if (!ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  if (connectedNode != 0) {
    const int connected = FindNodeIndex(model.nodes, connectedNode);
    if (connected == 0 || connected == row.endNode) return;
    const NodeRecord& other = model.nodes[connected];
    const float r = std::max(PipeRadiusAtRow(model, DispatchedRow()), SupportPixels(kSmallestRadiusPx));
    TubeSymbolSet(link, at, Vec3{other.x, other.y, other.z}, 0.15f * 1.25f * r, false);
    SupportLinkOutline(node.screenX, node.screenY, other.screenX, other.screenY, linkOutline);
    linked = true;
    return;
  }
  Vec3 d{dirX, dirY, dirZ};
  if (!(Vec3Length(d) > 0.0f)) return;
  Vec3Normalize(d);
  endOn = !SupportScreenDirection(d, screenX, screenY);

  const float r = std::max(PipeRadiusAtRow(model, DispatchedRow()), SupportPixels(kSmallestRadiusPx));
  const float size = 1.25f * r, gap = 0.3f * size, rodRadius = 0.15f * size, rodLength = 1.75f * size;
  Vector3 pipe{1.0f, 0.0f, 0.0f};
  if (PipeDirectionAtNode(model, row.endNode, pipe, false) != 0) pipe = {1.0f, 0.0f, 0.0f};
  const float angle = Vec3Angle(pipe, d);
  const float o = angle >= kAcrossFrom && angle <= kAcrossTo ? r : 0.0f;
  if (HasLower()) {
    const float face = lowerLimit - o;
    TubeSymbolSet(discs[0], Along(at, d, face - gap), Along(at, d, face), size, true);
    TubeSymbolSet(rods[0], Along(at, d, face - gap - rodLength), Along(at, d, face - gap), rodRadius, true);
  }
  if (HasUpper()) {
    const float face = upperLimit + o;
    TubeSymbolSet(discs[1], Along(at, d, face), Along(at, d, face + gap), size, true);
    TubeSymbolSet(rods[1], Along(at, d, face + gap), Along(at, d, face + gap + rodLength), rodRadius, true);
  }
}

void LimitStop::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  if (linked) {
    Quad2ExtendRect(linkOutline, symbolBounds);
    glBounds = symbolBounds;
    Quad2ExtendRect(link.outline, glBounds);
    return;
  }
  if (connectedNode != 0) return;
  if (endOn) {
    SupportEndOnRingExtendRect(node.screenX, node.screenY, symbolBounds);
  } else {
    const float size = MarkSize() * g_SymbolScale;
    if (HasLower()) StockSymbolExtendRect(kLowerMark, node.screenX, node.screenY, screenX, screenY, size, symbolBounds);
    if (HasUpper()) StockSymbolExtendRect(kUpperMark, node.screenX, node.screenY, screenX, screenY, size, symbolBounds);
  }
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  for (std::size_t i = 0; i < 2; ++i) {
    if (!(i == 0 ? HasLower() : HasUpper())) continue;
    Quad2ExtendRect(discs[i].outline, glBounds);
    Quad2ExtendRect(rods[i].outline, glBounds);
  }
}

void LimitStop::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::LimitStop) || !ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().supportPen);
  if (linked) {
    const int connected = FindNodeIndex(model.nodes, connectedNode);
    if (ValidNode(model, connected))
      DrawLine2(node.screenX, node.screenY, model.nodes[connected].screenX, model.nodes[connected].screenY);
    return;
  }
  if (connectedNode != 0 || !(Vec3Length(Vec3{dirX, dirY, dirZ}) > 0.0f)) return;
  if (endOn) {
    DrawSupportEndOnRing(node.screenX, node.screenY);
    return;
  }
  if (HasLower()) DrawStockSymbol2(kLowerMark, node.screenX, node.screenY, screenX, screenY, MarkSize());
  if (HasUpper()) DrawStockSymbol2(kUpperMark, node.screenX, node.screenY, screenX, screenY, MarkSize());
}

void LimitStop::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::LimitStop)) return;
  BuildSymbol(row);
  SetSupportGlColour(row, 0.8f, 0.4f, 0.2f);
  if (linked) {
    ElementDrawSegment(link);
    return;
  }
  if (connectedNode != 0 || !(Vec3Length(Vec3{dirX, dirY, dirZ}) > 0.0f)) return;
  for (std::size_t i = 0; i < 2; ++i) {
    if (!(i == 0 ? HasLower() : HasUpper())) continue;
    ElementDrawSegment(discs[i]);
    ElementDrawSegment(rods[i]);
  }
}

void LimitStop::DrawPickAreas() {
  if (linked) {
    Quad2Draw(link.outline);
    return;
  }
  for (std::size_t i = 0; i < 2; ++i) {
    if (!(i == 0 ? HasLower() : HasUpper())) continue;
    Quad2Draw(discs[i].outline);
    Quad2Draw(rods[i].outline);
  }
}

bool LimitStop::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool LimitStop::SymbolHit(float x, float y, bool rendered) const {
  if (linked) return Quad2Contains(rendered ? link.outline : linkOutline, x, y);
  if (connectedNode != 0 || !(Vec3Length(Vec3{dirX, dirY, dirZ}) > 0.0f)) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  for (std::size_t i = 0; i < 2; ++i) {
    if (!(i == 0 ? HasLower() : HasUpper())) continue;
    if (Quad2Contains(discs[i].outline, x, y) || Quad2Contains(rods[i].outline, x, y)) return true;
  }
  return false;
}
