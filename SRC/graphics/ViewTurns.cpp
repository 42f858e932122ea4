// The graphics window's turns of the view (see ViewTurns.h): the view is
// turned through the view projection, the picture drawn again with the
// highlight kept.
#include "graphics/ViewTurns.h"

#include "graphics/Highlight.h"
#include "graphics/ViewExtents.h"
#include "model/Drawing2D.h"
#include "model/ViewProjection.h"
#include "records/DrawingGeometry.h"
#include "services/ViewRequests.h"

namespace {

constexpr float kUpFlipAngle = 0.1f;  // radians between the old and new across axes

// The across axis of the view: unit(ViewUp x viewpoint).
Vec3 AcrossAxis(const Vec3& viewpoint) {
  Vec3 across{};
  Vec3Cross(ViewUp, viewpoint, across);
  Vec3Normalize(across);
  return across;
}

void ShiftViewWindow(float dx, float dy) {
  ViewWindow.left += dx;
  ViewWindow.right += dx;
  ViewWindow.bottom += dy;
  ViewWindow.top += dy;
}

// The common end of both turns: new viewpoint, new picture, the model's
// centre kept where it was on the screen.
void TurnTo(const Vec3& viewpoint, float centreX, float centreY) {
  SetViewpoint(viewpoint[0], viewpoint[1], viewpoint[2]);
  ProjectModelToView();
  ComputeViewExtents();
  float x = 0.0f, y = 0.0f;
  ProjectedCentroid(x, y);
  ShiftViewWindow(x - centreX, y - centreY);
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
}

}  // namespace

void RotateViewAboutUp(int steps) {
  SaveHighlight();
  float centreX = 0.0f, centreY = 0.0f;
  ProjectedCentroid(centreX, centreY);
  AxisAngleMatrix(static_cast<float>(steps) * kViewTurnStep, ViewUp[0], ViewUp[1], ViewUp[2]);
  Vec3 viewpoint = Viewpoint;
  RotatePoint(viewpoint);
  TurnTo(viewpoint, centreX, centreY);
}

void RotateViewAboutAcross(int steps) {
  SaveHighlight();
  float centreX = 0.0f, centreY = 0.0f;
  ProjectedCentroid(centreX, centreY);
  const Vec3 across = AcrossAxis(Viewpoint);
  AxisAngleMatrix(static_cast<float>(steps) * kViewTurnStep, across[0], across[1], across[2]);
  Vec3 viewpoint = Viewpoint;
  RotatePoint(viewpoint);
  // Passing over the vertical turns the across axis round: the up axis is
  // reversed with it, so that the picture does not flip.
  if (Vec3Angle(across, AcrossAxis(viewpoint)) > kUpFlipAngle) ViewUp = {-ViewUp[0], -ViewUp[1], -ViewUp[2]};
  TurnTo(viewpoint, centreX, centreY);
}
