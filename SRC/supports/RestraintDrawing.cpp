// The restraint's symbol (see Restraint.h): for each held direction two
// arrows pointing at the node from either side. In the rendered picture
// they are cones sized by the pipe's outer radius s (6 pixels at the
// least), from 3 s to s off the node with a base radius of 0.75 s, and their
// outlines are picked; in lines they
// are arrows of a fixed length on the screen or the paper in the support
// pen along the projected global axis (longer or shorter by the symbol
// scale), and the rectangle around them is picked. A held direction
// that points at the viewer shows as a ring round the node in lines.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/SymbolFrames.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "services/ViewRequests.h"
#include "supports/Restraint.h"
#include "supports/SupportSymbols.h"

namespace {

// The arrows of the line picture: a gap at the node, then the arrow.
constexpr float kGapPx = 3.0f;
constexpr float kRingPx = 5.0f;
// A projected axis shorter than this points (nearly) at the viewer.
constexpr float kEndOnLength = 0.2f;
// Zoomed far out, cones of pipe proportions would vanish under the node's
// mark: their size keeps at least this many pixels (cones twice as long).
constexpr float kSmallestSizePx = 6.0f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

// The tail and tip of the line arrow on one side (+1 or -1) of the node
// along the projected axis; false for an axis that points at the viewer.
bool LineArrow(const NodeRecord& node, int axis, float side, float& tailX, float& tailY, float& tipX, float& tipY) {
  const float ux = ProjectedAxes[axis][0], uy = ProjectedAxes[axis][1];
  const float length = std::hypot(ux, uy);
  if (length < kEndOnLength) return false;
  // The symbol scale stretches the shaft; the head keeps its size. The
  // arrow sizes are pixels of the device drawn on (GraphicsScale), the gap
  // and the shaft's least overhang pixels of the nominal resolution
  // (GraphicsScaleCopy): on a printer of any resolution the arrow keeps its
  // size on paper.
  const float shaft = std::max(ArrowLength * g_SymbolScale / GraphicsScale,
                               ArrowHeadLength / GraphicsScale + 2.0f / GraphicsScaleCopy);
  const float gap = kGapPx / GraphicsScaleCopy, reach = gap + shaft;
  tailX = node.screenX + side * ux / length * reach;
  tailY = node.screenY + side * uy / length * reach;
  tipX = node.screenX + side * ux / length * gap;
  tipY = node.screenY + side * uy / length * gap;
  return true;
}

}  // namespace

void Restraint::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  symbolSize = PipeRadiusAtRow(model, DispatchedRow());
  if (!(symbolSize > 0.0f)) symbolSize = 6.0f * g_SymbolScale;
  symbolSize = std::max(symbolSize, kSmallestSizePx / GraphicsScaleCopy);
  coneRadius = 0.75f * symbolSize;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 at{node.x, node.y, node.z};
  for (std::size_t axis = 0; axis < 3; ++axis)
    for (std::size_t positive = 0; positive < 2; ++positive) {
      const std::size_t i = 2 * axis + positive;
      const float side = positive != 0 ? 1.0f : -1.0f;
      coneBases[i] = coneTips[i] = at;
      coneBases[i][axis] += side * 3.0f * symbolSize;
      coneTips[i][axis] += side * symbolSize;
      Triangle2FromCone(arrowPicks[i], coneBases[i], coneTips[i], coneRadius);
    }
}

void Restraint::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  for (int axis = 0; axis < 3; ++axis) {
    if (!Holds(axis)) continue;
    for (float side : {-1.0f, 1.0f}) {
      float tailX = 0.0f, tailY = 0.0f, tipX = 0.0f, tipY = 0.0f;
      if (LineArrow(node, axis, side, tailX, tailY, tipX, tipY)) {
        Rect2Extend(symbolBounds, tailX, tailY);
      } else {
        const float ring = kRingPx / GraphicsScaleCopy;
        Rect2Extend(symbolBounds, node.screenX + side * ring, node.screenY + side * ring);
      }
    }
  }
  Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
  for (int axis = 0; axis < 3; ++axis)
    if (Holds(axis))
      for (std::size_t i = 2 * static_cast<std::size_t>(axis); i < 2 * static_cast<std::size_t>(axis) + 2; ++i)
        Triangle2ExtendRect(arrowPicks[i], glBounds);
}

void Restraint::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Restraint) || !ValidNode(model, row.endNode)) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.supportPen);
  SelectBrush2(style.supportBrush);
  const NodeRecord& node = model.nodes[row.endNode];
  for (int axis = 0; axis < 3; ++axis) {
    if (!Holds(axis)) continue;
    float tailX = 0.0f, tailY = 0.0f, tipX = 0.0f, tipY = 0.0f;
    if (!LineArrow(node, axis, 1.0f, tailX, tailY, tipX, tipY)) {
      SelectBrush2(GetStockObject(NULL_BRUSH));
      DrawEllipse2(node.screenX, node.screenY, kRingPx / GraphicsScaleCopy);
      SelectBrush2(style.supportBrush);
      continue;
    }
    DrawArrow2(tailX, tailY, tipX, tipY, 0);
    LineArrow(node, axis, -1.0f, tailX, tailY, tipX, tipY);
    DrawArrow2(tailX, tailY, tipX, tipY, 0);
  }
  SelectBrush2(GetStockObject(NULL_BRUSH));
}

void Restraint::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Restraint)) return;
  BuildSymbol(row);
  SetSupportGlColour(row);
  for (std::size_t i = 0; i < 6; ++i)
    if (Holds(static_cast<int>(i / 2))) GlDrawCone(coneBases[i], coneTips[i], coneRadius);
}

void Restraint::DrawPickAreas() {
  for (std::size_t i = 0; i < 6; ++i)
    if (Holds(static_cast<int>(i / 2))) Triangle2Draw(arrowPicks[i]);
}

bool Restraint::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return DataItem::EditDialog(rowNumber, x, y);
  if (!SupportKindShown(TheModel(), DataType::Restraint) || !RestraintHitTest(*this, x, y, g_RenderedMode))
    return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}

bool RestraintHitTest(const Restraint& restraint, float x, float y, bool rendered) {
  if (!rendered) return Rect2Contains(restraint.symbolBounds, x, y);
  for (std::size_t i = 0; i < 6; ++i)
    if (restraint.Holds(static_cast<int>(i / 2)) && Triangle2Contains(restraint.arrowPicks[i], x, y)) return true;
  return false;
}
