// The ball joint in the picture (see BallJoint.h): at its node, a circle in
// lines and an orange sphere rendered, of half again the pipe's radius (3 in
// where the row has no pipe). Runs on the graphics thread; nothing throws.
#include <GL/gl.h>

#include <algorithm>

#include "elements/BallJoint.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "services/ViewRequests.h"

void BallJoint::ComputeShape(LayoutRow& row) {
  const Model& model = TheModel();
  shown = row.endNode >= 1 && row.endNode <= model.nodes.count;
  if (!shown) return;
  symbolRadius = 1.5f * PipeRadiusAtRow(model, DispatchedRow());
  if (!(symbolRadius > 0.0f)) symbolRadius = 3.0f;
  const NodeRecord& node = model.nodes[row.endNode];
  SphereSymbolSet(sphere, {node.x, node.y, node.z}, symbolRadius);
  Rect2ExtendRect(row.boundsGl, sphere.outline);
  const float r = std::max(symbolRadius, Size4Px);
  circle = Rect2{node.screenX - r, node.screenY - r, node.screenX + r, node.screenY + r};
  Rect2ExtendRect(row.bounds2d, circle);
}

void BallJoint::Draw2D(LayoutRow& row) {
  if (!shown) return;
  const NodeRecord& node = TheModel().nodes[row.endNode];
  SelectPen2(CurrentDrawingStyle().elementPen);
  DrawEllipse2(node.screenX, node.screenY, std::max(symbolRadius, Size4Px));
}

void BallJoint::DrawGl(LayoutRow& row) {
  if (!shown || g_ResultsHidePipes) return;
  if (GlElementColourIsSet()) glColor4f(1.0f, 0.6f, 0.0f, row.dimmed ? 0.6f : 1.0f);
  GlDrawSphere(sphere.centre, sphere.radius);
}

void BallJoint::DrawOutline() {
  if (shown) Rect2Draw(circle);
}

void BallJoint::DrawPickAreas() {
  if (shown) Rect2Draw(sphere.outline);
}

bool BallJoint::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!shown || !Rect2Contains(g_RenderedMode ? sphere.outline : circle, x, y)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
