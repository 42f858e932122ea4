// The snubber's symbol (see Snubber.h). In lines, the stock dash-pot from the
// node to its ground hatch along the screen direction of the snubber, on the
// side away from its direction, at a fixed pixel size times the symbol
// scale, or a ring round the node when the direction points at the viewer;
// rendered, a rod from the node with the dash-pot's cylinder on it and a
// ground plate at its end, in the snubbers' blue.
//
// Drawing runs on the graphics thread and never throws; a snubber without a
// direction (only a batch file can give one) draws nothing.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "supports/Snubber.h"

namespace {

constexpr int kDashPot = 8;
constexpr float kDashPotUnitPx = 7.0f;
constexpr float kSmallestRadiusPx = 4.0f;
// The rendered dash-pot in pipe radii from the node: the rod, the cylinder
// on it and the plate at its end (the stock symbol's proportions).
constexpr float kRodEnd = 4.5f, kRodRadius = 0.12f;
constexpr float kCylinderStart = 1.2f, kCylinderEnd = 3.6f, kCylinderRadius = 0.4f;
constexpr float kPlateThickness = 0.4f, kPlateWidth = 1.5f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }

}  // namespace

void Snubber::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  drawn = false;
  endOn = true;
  if (!ValidNode(model, row.endNode)) return;
  Vec3 d{dirX, dirY, dirZ};
  if (!(Vec3Length(d) > 0.0f)) return;
  Vec3Normalize(d);
  drawn = true;
  endOn = !SupportScreenDirection(d, screenX, screenY);
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  const float r = std::max(PipeRadiusAtRow(model, DispatchedRow()), SupportPixels(kSmallestRadiusPx));
  const Vec3 away{-d[0], -d[1], -d[2]};
  TubeSymbolSet(rod, at, Along(at, away, kRodEnd * r), kRodRadius * r, true);
  TubeSymbolSet(cylinder, Along(at, away, kCylinderStart * r), Along(at, away, kCylinderEnd * r), kCylinderRadius * r,
                true);
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, at, away);
  BoxSymbolSet(ground, Along(at, away, (kRodEnd + 0.5f * kPlateThickness) * r), kPlateThickness * r, kPlateWidth * r,
               kPlateWidth * r, frame.axis1, frame.axis2);
}

void Snubber::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode) || !drawn) return;
  const NodeRecord& node = model.nodes[row.endNode];
  if (endOn)
    SupportEndOnRingExtendRect(node.screenX, node.screenY, symbolBounds);
  else
    StockSymbolExtendRect(kDashPot, node.screenX, node.screenY, -screenX, -screenY,
                          SupportPixels(kDashPotUnitPx) * g_SymbolScale, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  Quad2ExtendRect(rod.outline, glBounds);
  Quad2ExtendRect(cylinder.outline, glBounds);
  BoxSymbolExtendRect(ground, glBounds);
}

void Snubber::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Snubber) || !ValidNode(model, row.endNode) || !drawn) return;
  const NodeRecord& node = model.nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().supportPen);
  if (endOn)
    DrawSupportEndOnRing(node.screenX, node.screenY);
  else
    DrawStockSymbol2(kDashPot, node.screenX, node.screenY, -screenX, -screenY, SupportPixels(kDashPotUnitPx));
}

void Snubber::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Snubber)) return;
  BuildSymbol(row);
  if (!drawn) return;
  SetSupportGlColour(row, 0.2f, 0.5f, 0.9f);
  ElementDrawSegment(rod);
  ElementDrawSegment(cylinder);
  GlDrawBoxSymbol(ground);
}

void Snubber::DrawPickAreas() {
  if (!drawn) return;
  Quad2Draw(rod.outline);
  Quad2Draw(cylinder.outline);
  for (const Quad2& face : ground.faces) Quad2Draw(face);
}

bool Snubber::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool Snubber::SymbolHit(float x, float y, bool rendered) const {
  if (!drawn) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  if (Quad2Contains(rod.outline, x, y) || Quad2Contains(cylinder.outline, x, y)) return true;
  for (const Quad2& face : ground.faces)
    if (Quad2Contains(face, x, y)) return true;
  return false;
}
