// The concentrated mass in the picture (see ConcentratedMass.h), while the
// masses are shown: at its centre of gravity (the node moved by its offset)
// a crossed square in lines and a sphere of 1.75 times the pipe's radius (2
// in where the row has no pipe) rendered, in plum; when offset, a line in
// lines and a rod of a fifth of the sphere's radius rendered join it to the
// node. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include "elements/ConcentratedMass.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "model/ViewProjection.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kCrossedSquare = 7;

bool Shown(const Model& model) { return model.graphics.show[kShowConcentratedMasses] != 0; }

}  // namespace

void ConcentratedMass::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  drawn = row.endNode >= 1 && row.endNode <= model.nodes.count;
  if (!drawn) return;
  float r = 1.75f * PipeRadiusAtRow(model, DispatchedRow());
  if (!(r > 0.0f)) r = 2.0f;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  const Vec3 centre{node.x + dx, node.y + dy, node.z + dz};
  offset = dx != 0.0f || dy != 0.0f || dz != 0.0f;
  if (offset) {
    TubeSymbolSet(rod, at, centre, 0.2f * r, false);
    ProjectPointToView(centre[0], centre[1], centre[2], centreX, centreY);
  } else {
    centreX = node.screenX;
    centreY = node.screenY;
  }
  SphereSymbolSet(sphere, centre, r);
}

void ConcentratedMass::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  BuildSymbol(row);
  if (!drawn) return;
  Rect2Reset(symbolBounds);
  StockSymbolExtendRect(kCrossedSquare, centreX, centreY, 1.0f, 0.0f, Size12Px * g_SymbolScale, symbolBounds);
  Rect2Inflate(symbolBounds, SymbolMargin());
  if (offset) Quad2ExtendRect(rod.outline, symbolBounds);
  glBounds = symbolBounds;
  Rect2ExtendRect(glBounds, sphere.outline);
}

void ConcentratedMass::Draw2D(LayoutRow& row) {
  if (!drawn || !Shown(TheModel())) return;
  const NodeRecord& node = TheModel().nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().supportPen);
  if (offset) DrawLine2(node.screenX, node.screenY, centreX, centreY);
  DrawStockSymbol2(kCrossedSquare, centreX, centreY, 1.0f, 0.0f, Size12Px);
}

void ConcentratedMass::DrawGl(LayoutRow& row) {
  if (!Shown(TheModel())) return;
  BuildSymbol(row);
  if (!drawn) return;
  if (g_ResultsHidePipes)
    glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
  else
    glColor4f(0.75f, 0.25f, 0.4f, row.dimmed ? 0.6f : 1.0f);
  if (offset) GlDrawTube(rod.p1, rod.p2, rod.radius, rod.radius, false);
  GlDrawSphere(sphere.centre, sphere.radius);
}

void ConcentratedMass::DrawPickAreas() {
  if (!drawn) return;
  Rect2Draw(symbolBounds);
  if (offset) Quad2Draw(rod.outline);
}

bool ConcentratedMass::SymbolHit(float x, float y, bool rendered) const {
  if (!drawn) return false;
  if (!rendered) return Rect2Contains(symbolBounds, x, y);
  return Rect2Contains(sphere.outline, x, y) || (offset && Quad2Contains(rod.outline, x, y));
}

bool ConcentratedMass::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return DataItem::EditDialog(rowNumber, x, y);
  if (!Shown(TheModel()) || !SymbolHit(x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}
