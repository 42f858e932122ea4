// The nozzle's symbol (see Nozzle.h): on the nozzle axis (the pipe's
// direction at the node), measured from the node away from the pipe, a
// stub of the nozzle's radius r from 0 to 3 r and a disk of radius 2 r from
// 3 r to 3.75 r standing for the vessel wall (r is 1 when the OD is 0): the
// vessel lies beyond the pipe's end, whether the line ends at the nozzle or
// starts there. Rendered in orange-brown; in lines the two outlines. The
// pick takes the solids' outlines in the rendered picture and the symbol's
// box in lines.
//
// Drawing runs on the graphics thread and never throws: a node without a
// pipe direction draws nothing.
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "supports/Nozzle.h"

namespace {

constexpr float kStubEnd = 3.0f, kWallEnd = 3.75f, kWallRadius = 2.0f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

Vec3 Along(const Vec3& at, const Vec3& d, float t) { return Vec3{at[0] + t * d[0], at[1] + t * d[1], at[2] + t * d[2]}; }

}  // namespace

void Nozzle::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  drawn = false;
  if (!ValidNode(model, row.endNode)) return;
  Vector3 direction{};
  if (PipeDirectionAtNode(model, row.endNode, direction, false) != 0) return;
  Vec3 a{direction[0], direction[1], direction[2]};
  if (!(Vec3Length(a) > 0.0f)) return;
  Vec3Normalize(a);
  drawn = true;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  // An element ending at the node comes from behind it: the vessel is
  // ahead; a From row's pipe leaves the node along a: the vessel is behind.
  const bool pipeEndsHere = row.startNode != 0 && row.startNode != row.endNode;
  const Vec3 away = pipeEndsHere ? a : Vec3{-a[0], -a[1], -a[2]};
  const float r = nozzleOd > 0.0f ? 0.5f * nozzleOd : 1.0f;
  TubeSymbolSet(stub, at, Along(at, away, kStubEnd * r), r, true);
  TubeSymbolSet(wall, Along(at, away, kStubEnd * r), Along(at, away, kWallEnd * r), kWallRadius * r, true);
}

void Nozzle::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  BuildSymbol(row);
  if (!drawn) return;
  Quad2ExtendRect(stub.outline, symbolBounds);
  Quad2ExtendRect(wall.outline, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
}

void Nozzle::Draw2D(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Nozzle)) return;
  BuildSymbol(row);
  if (!drawn) return;
  SelectPen2(CurrentDrawingStyle().supportPen);
  Quad2Draw(stub.outline);
  Quad2Draw(wall.outline);
}

void Nozzle::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Nozzle)) return;
  BuildSymbol(row);
  if (!drawn) return;
  SetSupportGlColour(row, 0.75f, 0.5f, 0.0f);
  ElementDrawSegment(stub);
  ElementDrawSegment(wall);
}

void Nozzle::DrawPickAreas() {
  if (!drawn) return;
  Quad2Draw(stub.outline);
  Quad2Draw(wall.outline);
}

bool Nozzle::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool Nozzle::SymbolHit(float x, float y, bool rendered) const {
  if (!drawn) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  return Quad2Contains(stub.outline, x, y) || Quad2Contains(wall.outline, x, y);
}
