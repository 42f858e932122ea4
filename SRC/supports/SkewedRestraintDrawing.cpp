// The skewed restraint's symbol (see SkewedRestraint.h). Without a
// connected node, in lines, the stock spring from the node to its ground
// hatch along the screen direction of the restraint, on the side away from
// its direction (a restraint along +Y stands under the pipe), at a fixed
// pixel size times the symbol scale, or a ring round the node when the
// direction points at the viewer; rendered, a strut from the pipe's surface
// to a ground plate, in the supports' orange. With a connected node, a line
// (rendered, a thin rod in rust red) joins the two nodes.
//
// Drawing runs on the graphics thread and never throws; a restraint without
// a direction and without a connected node that the model has draws nothing.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "supports/SkewedRestraint.h"

namespace {

constexpr int kSpring = 6;
constexpr float kSpringUnitPx = 7.0f;
constexpr float kSmallestRadiusPx = 4.0f;
// The rendered strut, in pipe radii from the node, and its plate.
constexpr float kStrutStart = 1.0f, kStrutEnd = 3.5f, kStrutRadius = 0.15f;
constexpr float kPlateThickness = 0.4f, kPlateWidth = 1.5f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }

}  // namespace

void SkewedRestraint::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  linked = drawn = false;
  endOn = true;
  if (!ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  const float r = std::max(PipeRadiusAtRow(model, DispatchedRow()), SupportPixels(kSmallestRadiusPx));
  if (connectedNode != 0) {
    const int connected = FindNodeIndex(model.nodes, connectedNode);
    if (connected == 0 || connected == row.endNode) return;
    const NodeRecord& other = model.nodes[connected];
    TubeSymbolSet(link, at, Vec3{other.x, other.y, other.z}, kStrutRadius * r, false);
    SupportLinkOutline(node.screenX, node.screenY, other.screenX, other.screenY, linkOutline);
    linked = true;
    return;
  }
  Vec3 d{dirX, dirY, dirZ};
  if (!(Vec3Length(d) > 0.0f)) return;
  Vec3Normalize(d);
  drawn = true;
  endOn = !SupportScreenDirection(d, screenX, screenY);
  const Vec3 away{-d[0], -d[1], -d[2]};
  TubeSymbolSet(strut, Along(at, away, kStrutStart * r), Along(at, away, kStrutEnd * r), kStrutRadius * r, true);
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, at, away);
  BoxSymbolSet(ground, Along(at, away, (kStrutEnd + 0.5f * kPlateThickness) * r), kPlateThickness * r,
               kPlateWidth * r, kPlateWidth * r, frame.axis1, frame.axis2);
}

void SkewedRestraint::ComputeSymbolBounds(LayoutRow& row) {
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
  if (!drawn) return;
  if (endOn)
    SupportEndOnRingExtendRect(node.screenX, node.screenY, symbolBounds);
  else
    StockSymbolExtendRect(kSpring, node.screenX, node.screenY, -screenX, -screenY,
                          SupportPixels(kSpringUnitPx) * g_SymbolScale, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  Quad2ExtendRect(strut.outline, glBounds);
  BoxSymbolExtendRect(ground, glBounds);
}

void SkewedRestraint::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::SkewedRestraint) || !ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().supportPen);
  if (linked) {
    const int connected = FindNodeIndex(model.nodes, connectedNode);
    if (ValidNode(model, connected))
      DrawLine2(node.screenX, node.screenY, model.nodes[connected].screenX, model.nodes[connected].screenY);
  } else if (drawn && endOn) {
    DrawSupportEndOnRing(node.screenX, node.screenY);
  } else if (drawn) {
    DrawStockSymbol2(kSpring, node.screenX, node.screenY, -screenX, -screenY, SupportPixels(kSpringUnitPx));
  }
}

void SkewedRestraint::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::SkewedRestraint)) return;
  BuildSymbol(row);
  if (linked) {
    SetSupportGlColour(row, 0.8f, 0.3f, 0.2f);
    ElementDrawSegment(link);
  } else if (drawn) {
    SetSupportGlColour(row);
    ElementDrawSegment(strut);
    GlDrawBoxSymbol(ground);
  }
}

void SkewedRestraint::DrawPickAreas() {
  if (linked) Quad2Draw(link.outline);
  if (!drawn) return;
  Quad2Draw(strut.outline);
  for (const Quad2& face : ground.faces) Quad2Draw(face);
}

bool SkewedRestraint::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool SkewedRestraint::SymbolHit(float x, float y, bool rendered) const {
  if (linked) return Quad2Contains(rendered ? link.outline : linkOutline, x, y);
  if (!drawn) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  if (Quad2Contains(strut.outline, x, y)) return true;
  for (const Quad2& face : ground.faces)
    if (Quad2Contains(face, x, y)) return true;
  return false;
}
