// The hanger's symbol (see Hanger.h). With r the pipe's radius at the row
// and s = +1 above the pipe, -1 below: without a connected node, along the
// vertical through the node, a rod of radius 0.2 r from the pipe's surface
// to 7 r beyond it, a spring (not for a rod hanger) of radius r from 2 r to
// 5 r beyond the surface and a plate 2 r square and 0.5 r thick at the far
// end; with a connected node the rod runs between the two nodes, the spring
// takes 0.3 to 0.7 of it and the plate sits at the connected node. Rendered
// green with an orange plate; in lines the stock hanger marker pointing by
// s (the rod hanger's own), or a line to the connected node.
//
// Drawing runs on the graphics thread and never throws.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "supports/Hanger.h"

namespace {

constexpr int kSpringMarker = 2, kRodMarker = 3;
constexpr float kMarkerUnitPx = 1.2f;
constexpr float kSmallestRadiusPx = 4.0f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }
Vec3 At(const NodeRecord& node) { return Vec3{node.x, node.y, node.z}; }

int ConnectedIndex(const Model& model, std::int32_t number) {
  if (number == 0) return 0;
  for (int i = 1; i <= model.nodes.count; ++i)
    if (model.nodes[i].id == number) return i;
  return 0;
}

}  // namespace

void Hanger::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  drawn = false;
  if (!ValidNode(model, row.endNode)) return;
  const Vec3 at = At(model.nodes[row.endNode]);
  const float r = std::max(PipeRadiusAtRow(model, DispatchedRow()), SupportPixels(kSmallestRadiusPx));
  const int other = ConnectedIndex(model, connectedNode);
  drawn = true;
  if (other != 0 && other != row.endNode) {
    const Vec3 to = At(model.nodes[other]);
    Vec3 d{to[0] - at[0], to[1] - at[1], to[2] - at[2]};
    const float length = Vec3Length(d);
    if (length > 0.0f) {
      Vec3Normalize(d);
      TubeSymbolSet(rod, at, to, 0.2f * r, true);
      TubeSymbolSet(spring, Along(at, d, 0.3f * length), Along(at, d, 0.7f * length), r, true);
      SymbolFrame3 frame;
      SymbolFrame3Set(frame, to, d);
      BoxSymbolSet(plate, Along(to, d, 0.25f * r), 0.5f * r, 2.0f * r, 2.0f * r, frame.axis1, frame.axis2);
      SupportScreenDirection(d, screenX, screenY);
      return;
    }
  }
  const float s = above != 0 ? 1.0f : -1.0f;
  const Vec3 up = model.options.ZVertical != 0 ? Vec3{0.0f, 0.0f, s} : Vec3{0.0f, s, 0.0f};
  TubeSymbolSet(rod, Along(at, up, r), Along(at, up, 8.0f * r), 0.2f * r, true);
  TubeSymbolSet(spring, Along(at, up, 3.0f * r), Along(at, up, 6.0f * r), r, true);
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, at, up);
  BoxSymbolSet(plate, Along(at, up, 8.25f * r), 0.5f * r, 2.0f * r, 2.0f * r, frame.axis1, frame.axis2);
  if (!SupportScreenDirection(up, screenX, screenY)) {
    screenX = 0.0f;
    screenY = s;
  }
}

void Hanger::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  BuildSymbol(row);
  const Model& model = TheModel();
  if (!drawn) return;
  const NodeRecord& node = model.nodes[row.endNode];
  StockSymbolExtendRect(kind == kRodHanger ? kRodMarker : kSpringMarker, node.screenX, node.screenY, screenY, -screenX,
                        SupportPixels(kMarkerUnitPx) * g_SymbolScale, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  Quad2ExtendRect(rod.outline, glBounds);
  if (kind != kRodHanger) Quad2ExtendRect(spring.outline, glBounds);
  BoxSymbolExtendRect(plate, glBounds);
}

void Hanger::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Hanger)) return;
  BuildSymbol(row);
  if (!drawn) return;
  const NodeRecord& node = model.nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().supportPen);
  const int other = ConnectedIndex(model, connectedNode);
  if (other != 0 && other != row.endNode) {
    DrawLine2(node.screenX, node.screenY, model.nodes[other].screenX, model.nodes[other].screenY);
    return;
  }
  DrawHangerSymbol2(kind == kRodHanger ? kRodMarker : kSpringMarker, node.screenX, node.screenY, screenY, -screenX,
                    SupportPixels(kMarkerUnitPx));
}

void Hanger::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Hanger)) return;
  BuildSymbol(row);
  if (!drawn) return;
  SetSupportGlColour(row, 0.4f, 0.6f, 0.0f);
  ElementDrawSegment(rod);
  if (kind != kRodHanger) ElementDrawSegment(spring);
  SetSupportGlColour(row, 0.75f, 0.5f, 0.0f);
  GlDrawBoxSymbol(plate);
}

void Hanger::DrawPickAreas() {
  if (!drawn) return;
  Quad2Draw(rod.outline);
  if (kind != kRodHanger) Quad2Draw(spring.outline);
  for (const Quad2& face : plate.faces) Quad2Draw(face);
}

bool Hanger::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool Hanger::SymbolHit(float x, float y, bool rendered) const {
  if (!drawn) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  if (Quad2Contains(rod.outline, x, y)) return true;
  if (kind != kRodHanger && Quad2Contains(spring.outline, x, y)) return true;
  for (const Quad2& face : plate.faces)
    if (Quad2Contains(face, x, y)) return true;
  return false;
}
