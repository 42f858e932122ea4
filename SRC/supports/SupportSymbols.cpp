// The shared parts of the support symbols (see SupportSymbols.h).
#include "supports/SupportSymbols.h"

#include <GL/gl.h>

#include <cmath>

#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "records/GraphicsSettings.h"
#include "services/ViewRequests.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

bool IsJacketed(ElementType type) { return type == ElementType::JacketedPipe || type == ElementType::JacketedBend; }

// Node ids from 400000 up are the jacket's own nodes.
constexpr NodeId kJacketNodeKinds = 400000;
// A projected unit direction shorter than this points (nearly) at the viewer.
constexpr float kEndOnLength = 0.2f;
constexpr float kLinkHalfWidthPx = 3.0f;
constexpr float kEndOnRingPx = 6.0f;

}  // namespace

bool SupportKindShown(const Model& model, DataType type) {
  const auto& show = model.graphics.show;
  switch (type) {
    case DataType::Anchor: return show[kShowAnchors] != 0;
    case DataType::Restraint: return show[kShowRestraints] != 0;
    case DataType::SkewedRestraint: return show[kShowSkewedRestraints] != 0;
    case DataType::Guide: return show[kShowGuides] != 0;
    case DataType::LimitStop: return show[kShowLimitStops] != 0;
    case DataType::Snubber: return show[kShowSnubbers] != 0;
    case DataType::Nozzle: return show[kShowNozzles] != 0;
    case DataType::Hanger: return show[kShowHangers] != 0;
    case DataType::GenericSupport: return model.graphics.showGenericSupports != 0;
    default: return true;
  }
}

void SetSupportGlColour(const LayoutRow& row) { SetSupportGlColour(row, 0.75f, 0.5f, 0.0f); }

void SetSupportGlColour(const LayoutRow& row, float red, float green, float blue) {
  if (g_ResultsHidePipes) {
    glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    return;
  }
  glColor4f(red, green, blue, row.dimmed ? 0.6f : 1.0f);
}

bool SupportScreenDirection(const Vec3& direction, float& ux, float& uy) {
  const float length = Vec3Length(direction);
  ux = uy = 0.0f;
  if (!(length > 0.0f)) return false;
  for (int axis = 0; axis < 3; ++axis) {
    ux += direction[static_cast<std::size_t>(axis)] / length * ProjectedAxes[axis][0];
    uy += direction[static_cast<std::size_t>(axis)] / length * ProjectedAxes[axis][1];
  }
  const float projected = std::hypot(ux, uy);
  if (projected < kEndOnLength) return false;
  ux /= projected;
  uy /= projected;
  return true;
}

// Pixels of the nominal resolution (the kept second scale): on a printer of
// any resolution a symbol keeps its size on paper, as on the screen.
float SupportPixels(float pixels) { return pixels / GraphicsScaleCopy; }

void SupportLinkOutline(float x1, float y1, float x2, float y2, Quad2& outline) {
  const float w = SupportPixels(kLinkHalfWidthPx);
  float ux = x2 - x1, uy = y2 - y1;
  const float length = std::hypot(ux, uy);
  if (length > 0.0f) {
    ux /= length;
    uy /= length;
  } else {
    ux = 1.0f;
    uy = 0.0f;
  }
  const float ax = -uy * w, ay = ux * w, bx = ux * w, by = uy * w;
  Quad2Set(outline, x1 - bx - ax, y1 - by - ay, x2 + bx - ax, y2 + by - ay, x2 + bx + ax, y2 + by + ay, x1 - bx + ax,
           y1 - by + ay);
}

void DrawSupportEndOnRing(float x, float y) {
  SelectBrush2(GetStockObject(NULL_BRUSH));
  DrawEllipse2(x, y, SupportPixels(kEndOnRingPx));
}

void SupportEndOnRingExtendRect(float x, float y, Rect2& rect) {
  const float r = SupportPixels(kEndOnRingPx);
  Rect2Extend(rect, x - r, y - r);
  Rect2Extend(rect, x + r, y + r);
}

bool EditPickedSupport(DataItem& item, int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return item.DataItem::EditDialog(rowNumber, x, y);
  const Model& model = TheModel();
  if (rowNumber < 1 || rowNumber > model.rowCount) return false;
  const auto* symbol = dynamic_cast<const SupportSymbol*>(&item);
  if (symbol == nullptr || !SupportKindShown(model, model.row(rowNumber).dataType) ||
      !symbol->SymbolHit(x, y, g_RenderedMode))
    return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}

float AnchorSymbolRadius(const Model& model, int number) {
  if (number < 1 || number > model.rowCount) return 0.5f * g_SymbolScale;
  const LayoutRow& row = model.row(number);
  float r = 0.0f;
  if (row.node > kJacketNodeKinds || IsJacketed(row.elementType))
    r = ElementOuterRadius(model, number) * g_SymbolScale;
  if (r == 0.0f) r = PipeRadiusAtRow(model, number);
  return r > 0.0f ? r : 0.5f * g_SymbolScale;
}

bool SupportSymbolHit(const Model& model, const LayoutRow& row, float x, float y) {
  if (!row.item || !SupportKindShown(model, row.dataType)) return false;
  const bool rendered = g_RenderedMode;
  if (const auto* anchor = dynamic_cast<const Anchor*>(row.item.get())) return AnchorHitTest(*anchor, x, y, rendered);
  if (const auto* restraint = dynamic_cast<const Restraint*>(row.item.get()))
    return RestraintHitTest(*restraint, x, y, rendered);
  if (const auto* symbol = dynamic_cast<const SupportSymbol*>(row.item.get()))
    return symbol->SymbolHit(x, y, rendered);
  return false;
}
