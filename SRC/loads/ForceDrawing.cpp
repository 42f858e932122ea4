// The nodal force's symbol (see Force.h): from the node, one labelled
// arrow per non-zero component, the label its magnitude in the force or
// moment unit. Forces point along the projected +X, +Y, +Z, moments along
// the projected -X, -Y, -Z, so that a force and a moment about one axis
// never overlap; a positive force has its head at the tip (style 0), a
// negative one at the node (1), moments double heads (3 positive, 2
// negative). The arrows are drawn only in the line picture while forces
// are shown; the rectangle round arrows and labels is what a click picks.
#include <cmath>
#include <string>

#include "loads/Force.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "records/GraphicsSettings.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

bool ForcesShown(const Model& model) { return model.graphics.show[kShowForces] != 0; }

bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

struct ForceArrow {
  float ux = 0.0f, uy = 0.0f;
  int style = 0;
  std::string label;
};

ForceArrow ArrowOf(const NodalForce& force, int index) {
  const float value = force.Component(index);
  const int axis = index % 3;
  const float sense = index < 3 ? 1.0f : -1.0f;
  ForceArrow arrow;
  arrow.ux = sense * ProjectedAxes[axis][0];
  arrow.uy = sense * ProjectedAxes[axis][1];
  if (index < 3) {
    arrow.style = value > 0.0f ? 0 : 1;
    arrow.label = FormatForceTrim(std::fabs(value));
  } else {
    arrow.style = value > 0.0f ? 3 : 2;
    arrow.label = FormatMomentTrim(std::fabs(value));
  }
  return arrow;
}

}  // namespace

void NodalForce::ComputeSymbolBounds(LayoutRow& row) {
  Rect2Reset(symbolBounds);
  const Model& model = TheModel();
  if (!ValidNode(model, row.endNode)) return;
  const NodeRecord& node = model.nodes[row.endNode];
  for (int i = 0; i < 6; ++i) {
    if (Component(i) == 0.0f) continue;
    const ForceArrow arrow = ArrowOf(*this, i);
    LabelledArrowExtendRect(node.screenX, node.screenY, arrow.ux, arrow.uy, ArrowLength, arrow.style, arrow.label,
                            symbolBounds);
  }
  if (!Rect2IsEmpty(symbolBounds)) Rect2Inflate(symbolBounds, SymbolMargin());
  glBounds = symbolBounds;
}

void NodalForce::Draw2D(LayoutRow& row) {
  const Model& model = TheModel();
  if (!ForcesShown(model) || !ValidNode(model, row.endNode)) return;
  const DrawingStyle& style = CurrentDrawingStyle();
  SelectPen2(style.loadPen);
  const HGDIOBJ brush = SelectBrush2(GetStockObject(NULL_BRUSH));
  SetTextColour2(style.load);
  const NodeRecord& node = model.nodes[row.endNode];
  for (int i = 0; i < 6; ++i) {
    if (Component(i) == 0.0f) continue;
    const ForceArrow arrow = ArrowOf(*this, i);
    DrawLabelledArrow2(node.screenX, node.screenY, arrow.ux, arrow.uy, ArrowLength, arrow.style, arrow.label);
  }
  SelectBrush2(brush);
}

bool NodalForce::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return DataItem::EditDialog(rowNumber, x, y);
  if (g_RenderedMode || !ForcesShown(TheModel()) || !Rect2Contains(symbolBounds, x, y)) return false;
  RequestPickedRowEdit(rowNumber, true);
  return true;
}
