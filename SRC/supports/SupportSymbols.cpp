// The shared parts of the support symbols (see SupportSymbols.h).
#include "supports/SupportSymbols.h"

#include <GL/gl.h>

#include "graphics/Drawing2D.h"
#include "graphics/GraphicsSettings.h"
#include "graphics/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

bool IsJacketed(ElementType type) { return type == ElementType::JacketedPipe || type == ElementType::JacketedBend; }

// Node ids from 400000 up are the jacket's own nodes.
constexpr NodeId kJacketNodeKinds = 400000;

}  // namespace

bool SupportKindShown(const Model& model, DataType type) {
  const auto& show = model.graphics.show;
  switch (type) {
    case DataType::Anchor: return show[kShowAnchors] != 0;
    case DataType::Restraint: return show[kShowRestraints] != 0;
    default: return true;
  }
}

void SetSupportGlColour(const LayoutRow& row) {
  if (g_ResultsHidePipes) {
    glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    return;
  }
  glColor4f(0.75f, 0.5f, 0.0f, row.dimmed ? 0.6f : 1.0f);
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
  return false;
}
