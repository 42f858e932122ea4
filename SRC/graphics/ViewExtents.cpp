// The drawn model's extents in the view and keeping a rectangle in view:
// the two operations of the graphics window that look at the whole model
// (see ViewExtents.h). The extents depend on the scale (label boxes and symbol
// margins are sized in pixels), so they are computed again after every
// scale change.
#include "graphics/ViewExtents.h"

#include <cmath>

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"
#include "services/StartupSwitches.h"

namespace {

constexpr float kModelFreeExtent = 12.0f;

bool CreatingRowShown(const Model& model, const NodeRecord& node) {
  return node.row >= 1 && node.row <= model.rowCount && model.row(node.row).drawn;
}

// Widens the view window about its middle to the given height (or width).
void SetHeightAboutMiddle(float height) {
  const float middle = (ViewWindow.bottom + ViewWindow.top) / 2.0f;
  ViewWindow.bottom = middle - height / 2.0f;
  ViewWindow.top = middle + height / 2.0f;
}

void SetWidthAboutMiddle(float width) {
  const float middle = (ViewWindow.left + ViewWindow.right) / 2.0f;
  ViewWindow.left = middle - width / 2.0f;
  ViewWindow.right = middle + width / 2.0f;
}

// The rectangle's width with a 5 % margin each side; the height follows the
// window's aspect.
void FitWidth(const Rect2& rect, float aspect) {
  const float w = rect.xmax - rect.xmin;
  ViewWindow.left = rect.xmin - 0.05f * w;
  ViewWindow.right = rect.xmax + 0.05f * w;
  SetHeightAboutMiddle((ViewWindow.right - ViewWindow.left) * aspect);
}

void FitHeight(const Rect2& rect, float aspect) {
  const float h = rect.ymax - rect.ymin;
  ViewWindow.bottom = rect.ymin - 0.05f * h;
  ViewWindow.top = rect.ymax + 0.05f * h;
  SetWidthAboutMiddle((ViewWindow.top - ViewWindow.bottom) / aspect);
}

// One edge of the window on one axis: when the rectangle's edge passes it
// (within a tenth of the margin) the window shifts, its size kept, to leave
// twice the margin beyond the rectangle; when the rectangle's other edge then
// does not fit, the window is fitted to the rectangle.
template <typename Fit>
bool KeepEdgeInside(float& low, float& high, float rectLow, float rectHigh, float margin, bool highEdge, Fit fit) {
  const float size = high - low;
  if (highEdge) {
    if (!(rectHigh > high - 0.1f * margin)) return false;
    high = rectHigh + 2.0f * margin;
    low = high - size;
    if (rectLow < low + 0.1f * margin) fit();
  } else {
    if (!(rectLow < low + 0.1f * margin)) return false;
    low = rectLow - 2.0f * margin;
    high = low + size;
    if (rectHigh > high - 0.1f * margin) fit();
  }
  return true;
}

}  // namespace

Rect2 ProjectedNodeExtents() {
  const Model& model = TheModel();
  Rect2 extents;
  Rect2Reset(extents);
  for (int index = 1; index <= model.nodes.count; ++index) {
    const NodeRecord& node = model.nodes[index];
    if (CreatingRowShown(model, node)) Rect2Extend(extents, node.screenX, node.screenY);
  }
  if (Rect2IsEmpty(extents)) extents = Rect2{-kModelFreeExtent, -kModelFreeExtent, kModelFreeExtent, kModelFreeExtent};
  return extents;
}

void ComputeViewExtents() {
  Model& model = TheModel();
  if (model.nodes.count <= 0) {
    ViewExtents = Rect2{-kModelFreeExtent, -kModelFreeExtent, kModelFreeExtent, kModelFreeExtent};
    return;
  }
  Rect2Reset(ViewExtents);
  for (int index = 1; index <= model.nodes.count; ++index)
    if (CreatingRowShown(model, model.nodes[index])) DrawNodeMarker(model.nodes[index]);
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).drawn) UpdateRowBounds(model, number);
  // Every row hidden: the model still has a place on the screen.
  if (Rect2IsEmpty(ViewExtents))
    ViewExtents = Rect2{-kModelFreeExtent, -kModelFreeExtent, kModelFreeExtent, kModelFreeExtent};
}

bool EnsureRectInView(const Rect2& rect) {
  if (g_ForwardingCommand || BrochureMode) return false;
  if (Rect2IsEmpty(rect) || !std::isfinite(rect.xmin) || !std::isfinite(rect.xmax) ||
      !std::isfinite(rect.ymin) || !std::isfinite(rect.ymax))
    return false;
  if (ViewWidthPx <= 0 || ViewHeightPx <= 0) return false;
  const float mx = 0.02f * (ViewWindow.right - ViewWindow.left);
  const float my = 0.02f * (ViewWindow.top - ViewWindow.bottom);
  const float aspect = static_cast<float>(ViewHeightPx) / static_cast<float>(ViewWidthPx);
  const auto fitWidth = [&] { FitWidth(rect, aspect); };
  const auto fitHeight = [&] { FitHeight(rect, aspect); };
  // Right, left, top, bottom in this order, each on the window as the one
  // before left it.
  bool moved = KeepEdgeInside(ViewWindow.left, ViewWindow.right, rect.xmin, rect.xmax, mx, true, fitWidth);
  moved = KeepEdgeInside(ViewWindow.left, ViewWindow.right, rect.xmin, rect.xmax, mx, false, fitWidth) || moved;
  moved = KeepEdgeInside(ViewWindow.bottom, ViewWindow.top, rect.ymin, rect.ymax, my, true, fitHeight) || moved;
  moved = KeepEdgeInside(ViewWindow.bottom, ViewWindow.top, rect.ymin, rect.ymax, my, false, fitHeight) || moved;
  if (!moved) return false;
  SetGraphicsScale(std::min(static_cast<float>(ViewWidthPx) / (ViewWindow.right - ViewWindow.left),
                            static_cast<float>(ViewHeightPx) / (ViewWindow.top - ViewWindow.bottom)));
  ComputeViewExtents();
  return true;
}
