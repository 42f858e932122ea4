// The hinge joint in the picture (see HingeJoint.h), sized by a symbol
// radius of half again the pipe's radius (six inches times the symbol scale
// where the row has no pipe): at its node two circles, of the symbol radius
// and half of it, in lines; rendered, an orange sphere on a teal rod a
// quarter of its radius thick along the hinge's axis, 1.5 symbol radii
// either side. Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/HingeJoint.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "services/ViewRequests.h"

void HingeJoint::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  shown = row.endNode >= 1 && row.endNode <= model.nodes.count;
  if (!shown) return;
  symbolRadius = 1.5f * PipeRadiusAtRow(model, DispatchedRow());
  if (!(symbolRadius > 0.0f)) symbolRadius = 6.0f * g_SymbolScale;
  const NodeRecord& node = model.nodes[row.endNode];
  const Vec3 centre{node.x, node.y, node.z};
  SphereSymbolSet(sphere, centre, symbolRadius);
  Rect2ExtendRect(row.boundsGl, sphere.outline);
  Vec3 unit{axis[0], axis[1], axis[2]};
  // A hinge without an axis cannot run (the analysis says so); its sphere
  // still shows where it is.
  axisShown = Vec3Length(unit) > 1.0e-6f;
  if (axisShown) {
    Vec3Normalize(unit);
    const float reach = 1.5f * symbolRadius;
    TubeSymbolSet(axisTube, {centre[0] - unit[0] * reach, centre[1] - unit[1] * reach, centre[2] - unit[2] * reach},
                  {centre[0] + unit[0] * reach, centre[1] + unit[1] * reach, centre[2] + unit[2] * reach},
                  0.25f * symbolRadius, true);
    Quad2ExtendRect(axisTube.outline, row.boundsGl);
  }
  const float r = std::max(symbolRadius, Size4Px);
  circle = Rect2{node.screenX - r, node.screenY - r, node.screenX + r, node.screenY + r};
  Rect2ExtendRect(row.bounds2d, circle);
}

void HingeJoint::Draw2D(LayoutRow& row) {
  if (!shown) return;
  const NodeRecord& node = TheModel().nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().elementPen);
  const float r = std::max(symbolRadius, Size4Px);
  DrawEllipse2(node.screenX, node.screenY, r);
  DrawEllipse2(node.screenX, node.screenY, 0.5f * r);
}

void HingeJoint::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  const bool colour = GlElementColourIsSet();
  const float alpha = row.dimmed ? 0.6f : 1.0f;
  if (colour) glColor4f(1.0f, 0.6f, 0.0f, alpha);
  GlDrawSphere(sphere.centre, sphere.radius);
  if (!axisShown) return;
  if (colour) glColor4f(0.0f, 0.6f, 0.6f, alpha);
  GlDrawTube(axisTube.p1, axisTube.p2, axisTube.radius, axisTube.radius, true);
}

void HingeJoint::DrawOutline() {
  if (shown) Rect2Draw(circle);
}

void HingeJoint::DrawPickAreas() {
  if (!shown) return;
  Rect2Draw(sphere.outline);
  if (axisShown) Quad2Draw(axisTube.outline);
}

bool HingeJoint::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!shown) return false;
  const bool hit = g_RenderedMode ? Rect2Contains(sphere.outline, x, y) ||
                                        (axisShown && Quad2Contains(axisTube.outline, x, y))
                                  : Rect2Contains(circle, x, y);
  if (hit) RequestPickedRowEdit(rowNumber, false);
  return hit;
}
