// The anchor's symbol (see Anchor.h). In the rendered picture a box centred
// at the node, a quarter of its size thick along the pipe and three pipe
// radii square across it (16 pixels at the least), whose three faces
// turned to the viewer are the pick areas. In lines, in the support pen:
// when every direction is stiff, the anchor sign (a bar across the pipe
// with five ticks on the side away from the pipe); otherwise one spring per stiffness that is not 0, along
// the projected global axes. The T1 specified displacements follow as
// labelled arrows while specified displacements are shown.
//
// Drawing runs on the graphics thread and never throws: an anchor whose
// local axes cannot be found at its node draws no arrows in local axes.
#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "model/StockSymbols.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "records/GraphicsSettings.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/Anchor.h"
#include "supports/SupportSymbols.h"

namespace {

// The anchor sign in pixels: the bar's half length and the ticks' length.
constexpr float kBarHalfPx = 12.0f;
constexpr float kTickPx = 10.0f;
// The springs of a partly stiff anchor, end to end.
constexpr float kSpringPx = 12.0f;
constexpr float kDisplacementArrowPx = 36.0f;
// Zoomed far out, a box of pipe proportions would vanish under the node's
// mark: it keeps at least this size across, in pixels.
constexpr float kSmallestBoxPx = 16.0f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

bool AllStiff(const Anchor& anchor) {
  return std::none_of(anchor.stiffness.begin(), anchor.stiffness.end(), [](float k) { return k == 0.0f; });
}

// The sign's frame: at the node, its first axis along the pipe and pointing
// into it, so that the ticks on its negative side stand outside the pipe's
// end (an anchor where a pipe arrives turns the pipe's direction round).
SymbolFrame2 SignFrame(const Model& model, const LayoutRow& row) {
  const NodeRecord& node = model.nodes[row.endNode];
  Vector3 direction{};
  PipeDirectionAtNode(model, row.endNode, direction, false);
  const int creator = node.row;
  if (creator >= 1 && creator <= model.rowCount) {
    const LayoutRow& made = model.row(creator);
    if (made.element && made.startNode != 0 && made.endNode == row.endNode)
      for (float& component : direction) component = -component;
  }
  float ux = 1.0f, uy = 0.0f;
  ProjectDirectionToView(direction[0], direction[1], direction[2], ux, uy);
  SymbolFrame2 frame;
  SymbolFrame2Set(frame, node.screenX, node.screenY, ux, uy);
  return frame;
}

// The stock spring of stiffness k (0..5): translations along the projected
// axis, rotations as the double head; its size per symbol unit makes it
// kSpringPx long.
void SpringPlacement(int k, int& symbol, float& ux, float& uy, float& size) {
  const int axis = k % 3;
  symbol = k < 3 ? 0 : 1;
  ux = ProjectedAxes[axis][0];
  uy = ProjectedAxes[axis][1];
  const float* box = StockSymbolBox(symbol);
  size = kSpringPx / (box[2] - box[0]) / GraphicsScaleCopy;
}

// One T1 arrow: from the node along `u` with its style and label.
struct DisplacementArrow {
  float ux = 0.0f, uy = 0.0f;
  int style = 0;
  std::string label;
};

// The T1 arrows of the anchor: every component that is not 0 along the
// projected global axes, or the translations along the projected local
// axes; none when specified displacements are not shown.
std::vector<DisplacementArrow> DisplacementArrows(Anchor& anchor, const Model& model, int number) {
  std::vector<DisplacementArrow> arrows;
  const SpecifiedDisplacements& sets = anchor.displacements;
  if (model.graphics.show[kShowDisplacements] == 0 || sets.flags[0] == 0 || !sets.sets) return arrows;
  const bool local = anchor.DisplacementsInPipeLcs != 0;
  if (local) {
    try {
      AnchorLocalAxes(anchor, number);
    } catch (const std::string&) {
      return arrows;  // no direction at the node: nothing to point along
    }
  }
  for (int k = 0; k < (local ? 3 : 6); ++k) {
    const float value = sets.sets->values[static_cast<std::size_t>(1 + k)];
    if (value == 0.0f) continue;
    DisplacementArrow arrow;
    if (local) {
      const auto& axis = anchor.localAxes[static_cast<std::size_t>(k)];
      ProjectDirectionToView(axis[0], axis[1], axis[2], arrow.ux, arrow.uy);
    } else {
      arrow.ux = ProjectedAxes[k % 3][0];
      arrow.uy = ProjectedAxes[k % 3][1];
    }
    if (k < 3) {
      arrow.style = value > 0.0f ? 0 : 1;
      arrow.label = FormatDisplacementOrNone(value);
    } else {
      arrow.style = value > 0.0f ? 3 : 2;
      arrow.label = RotationText(value);
    }
    arrows.push_back(arrow);
  }
  return arrows;
}

}  // namespace

void Anchor::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const float s = std::max(3.0f * AnchorSymbolRadius(model, DispatchedRow()), kSmallestBoxPx / GraphicsScaleCopy);
  const NodeRecord& node = model.nodes[row.endNode];
  Vector3 direction{};
  PipeDirectionAtNode(model, row.endNode, direction, false);
  SymbolFrame3 frame;
  SymbolFrame3Set(frame, Vec3{node.x, node.y, node.z}, direction);
  BoxSymbolSet(box, frame.origin, 0.25f * s, s, s, frame.axis1, frame.axis2);
}

void Anchor::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const SymbolFrame2 frame = SignFrame(model, row);
  const float bar = kBarHalfPx / GraphicsScaleCopy, tick = kTickPx / GraphicsScaleCopy;
  SymbolFrame2ExtendRect(frame, -tick, -bar, symbolBounds);
  SymbolFrame2ExtendRect(frame, 0.0f, bar, symbolBounds);
  if (!AllStiff(*this))
    for (int k = 0; k < 6; ++k) {
      if (stiffness[static_cast<std::size_t>(k)] == 0.0f) continue;
      int symbol = 0;
      float ux = 0.0f, uy = 0.0f, size = 0.0f;
      SpringPlacement(k, symbol, ux, uy, size);
      StockSymbolExtendRect(symbol, frame.x, frame.y, ux, uy, size * g_SymbolScale, symbolBounds);
    }
  for (const DisplacementArrow& arrow : DisplacementArrows(*this, model, DispatchedRow()))
    LabelledArrowExtendRect(frame.x, frame.y, arrow.ux, arrow.uy, kDisplacementArrowPx, arrow.style, arrow.label,
                            symbolBounds);
  BoxSymbolExtendRect(box, glBounds);
}

void Anchor::Draw2D(LayoutRow& row) {
  Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Anchor) || !ValidNode(model, row.endNode)) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.supportPen);
  SelectBrush2(style.supportBrush);
  SetTextColour2(style.support);
  const SymbolFrame2 frame = SignFrame(model, row);
  if (AllStiff(*this)) {
    const float bar = kBarHalfPx / GraphicsScaleCopy, tick = kTickPx / GraphicsScaleCopy;
    SymbolFrame2DrawLine(frame, 0.0f, -bar, 0.0f, bar);
    for (int i = -2; i <= 2; ++i) SymbolFrame2DrawLine(frame, -tick, 0.5f * bar * i, 0.0f, 0.5f * bar * i);
  } else {
    for (int k = 0; k < 6; ++k) {
      if (stiffness[static_cast<std::size_t>(k)] == 0.0f) continue;
      int symbol = 0;
      float ux = 0.0f, uy = 0.0f, size = 0.0f;
      SpringPlacement(k, symbol, ux, uy, size);
      DrawStockSymbol2(symbol, frame.x, frame.y, ux, uy, size);
    }
  }
  for (const DisplacementArrow& arrow : DisplacementArrows(*this, model, DispatchedRow()))
    DrawLabelledArrow2(frame.x, frame.y, arrow.ux, arrow.uy, kDisplacementArrowPx, arrow.style, arrow.label);
  SelectBrush2(GetStockObject(NULL_BRUSH));
}

void Anchor::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::Anchor)) return;
  // Made again at the scale drawn now, which its pick then follows.
  BuildSymbol(row);
  SetSupportGlColour(row);
  GlDrawBoxSymbol(box);
}

void Anchor::DrawPickAreas() {
  for (const Quad2& face : box.faces) Quad2Draw(face);
}

bool Anchor::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return DataItem::EditDialog(rowNumber, x, y);
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::Anchor) || !AnchorHitTest(*this, x, y, g_RenderedMode)) return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}

bool AnchorHitTest(const Anchor& anchor, float x, float y, bool rendered) {
  if (!rendered) return Rect2Contains(anchor.symbolBounds, x, y);
  return std::any_of(std::begin(anchor.box.faces), std::end(anchor.box.faces),
                     [x, y](const Quad2& face) { return Quad2Contains(face, x, y); });
}
