// The generic support's symbol (see GenericSupport.h): its half size r is
// the radius an anchor's symbol takes (the jacket at a jacket node or on a
// jacketed element, else the pipe; 8 pixels at the least). In lines, a
// square of side 2 r round the node in the support pen, picked inside;
// rendered, a box 1.5 r along the pipe and 2 r square across it, in the
// supports' orange, its faces picked.
#include <GL/gl.h>

#include <algorithm>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "supports/GenericSupport.h"

namespace {

constexpr float kSmallestHalfPx = 8.0f;

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

}  // namespace

void GenericSupport::BuildSymbol(LayoutRow& row) {
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const float r = std::max(AnchorSymbolRadius(model, DispatchedRow()), SupportPixels(kSmallestHalfPx));
  const NodeRecord& node = model.nodes[row.endNode];
  const float x = node.screenX, y = node.screenY;
  Quad2Set(square, x - r, y - r, x + r, y - r, x + r, y + r, x - r, y + r);
  Vector3 direction{1.0f, 0.0f, 0.0f};
  if (PipeDirectionAtNode(model, row.endNode, direction, false) != 0) direction = {1.0f, 0.0f, 0.0f};
  SymbolFrame3 frame;
  const Vec3 at{node.x, node.y, node.z};
  SymbolFrame3Set(frame, at, direction);
  BoxSymbolSet(box, at, 1.5f * r, 2.0f * r, 2.0f * r, frame.axis1, frame.axis2);
}

void GenericSupport::ComputeSymbolBounds(LayoutRow& row) {
  DataItem::ComputeSymbolBounds(row);
  if (!ValidNode(TheModel(), row.endNode)) return;
  Quad2ExtendRect(square, symbolBounds);
  glBounds = symbolBounds;
  BoxSymbolExtendRect(box, glBounds);
}

void GenericSupport::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!SupportKindShown(model, DataType::GenericSupport) || !ValidNode(model, row.endNode)) return;
  // Made again at the scale drawn now: its least size is in pixels.
  BuildSymbol(row);
  SelectPen2(CurrentDrawingStyle().supportPen);
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t j = (i + 1) % 4;
    DrawLine2(square.x[i], square.y[i], square.x[j], square.y[j]);
  }
}

void GenericSupport::DrawGl(LayoutRow& row) {
  if (!SupportKindShown(TheModel(), DataType::GenericSupport)) return;
  BuildSymbol(row);
  SetSupportGlColour(row);
  GlDrawBoxSymbol(box);
}

void GenericSupport::DrawPickAreas() {
  for (const Quad2& face : box.faces) Quad2Draw(face);
}

bool GenericSupport::EditDialog(int rowNumber, float x, float y) { return EditPickedSupport(*this, rowNumber, x, y); }

bool GenericSupport::SymbolHit(float x, float y, bool rendered) const {
  if (!rendered) return Quad2Contains(square, x, y);
  return std::any_of(std::begin(box.faces), std::end(box.faces),
                     [x, y](const Quad2& face) { return Quad2Contains(face, x, y); });
}
