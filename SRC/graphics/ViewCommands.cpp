// The reset view, the previous view, the views along the axes and the
// saved view set (see ViewCommands.h).
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"

#include <utility>

#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/Zoom.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/ViewProjection.h"
#include "services/ViewRequests.h"

namespace {

struct SavedView {
  Vec3 viewpoint{1.0f, 1.0f, 1.0f};
  ViewLimits window{-12.0f, 12.0f, -12.0f, 12.0f};
  Rect2 extents{-6.0f, -6.0f, 6.0f, 6.0f};
  float scale = 0.0f;  // 0: there is no previous view
};

SavedView g_Previous;

SavedView CurrentView() { return SavedView{Viewpoint, ViewWindow, ViewExtents, GraphicsScale}; }

}  // namespace

void ResetViewWindow() {
  ViewWindow = ViewLimits{-12.0f, 12.0f, -12.0f, 12.0f};
  ViewExtents = Rect2{-6.0f, -6.0f, 6.0f, 6.0f};
  g_TurnMode = false;
  g_FreezeView = false;
  g_Scroll = ScrollState{};
  g_Previous = SavedView{};
  if (CenterCursorArmed()) DisarmCenterCursor();
  SetGraphicsScale(ViewWidthPx > 0 ? static_cast<float>(ViewWidthPx) / 24.0f : 1.0f);
  SetViewDirection(1.0f, 1.0f, 1.0f);
  EnableToolbarButtonBoth(kZoomInButton, true);
  EnableToolbarButtonBoth(kZoomOutButton, true);
  PressToolbarButton(kTurnCommand, false);
}

void SaveViewAsPrevious() { g_Previous = CurrentView(); }

bool PreviousViewExists() { return g_Previous.scale != 0.0f; }

void SwapWithPreviousView() {
  if (!PreviousViewExists()) return;
  SavedView previous = std::exchange(g_Previous, CurrentView());
  ViewWindow = previous.window;
  ViewExtents = previous.extents;
  SetGraphicsScale(previous.scale);
  SaveHighlight();
  SetViewDirection(previous.viewpoint[0], previous.viewpoint[1], previous.viewpoint[2]);
  ProjectModelToView();
  ComputeViewExtents();
  UpdateScrollRanges();
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
}

void ViewAlongDirection(float x, float y, float z) {
  if (Viewpoint == Vec3{x, y, z}) return;
  SaveViewAsPrevious();
  SaveHighlight();
  SetViewDirection(x, y, z);
  ProjectModelToView();
  FitViewToModel();
  UpdateScrollRanges();
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
}

Vec3 PreviousViewpoint() { return g_Previous.viewpoint; }

namespace {

struct SavedViewSettings {
  float scale = 1.0f;
  int widthPx = 0, heightPx = 0;
  int markSizePx = 4;
  float arrowHeadLength = 0.0f, arrowHeadWidth = 0.0f, arrowLength = 0.0f;
  ViewLimits window{};
  ViewLimits paintArea{};
  float labelOffsetX = 0.0f, labelOffsetY = 0.0f;
  float labelSampleWidth = 0.0f, labelSampleHeight = 0.0f;
  bool whiteBackground = true;
  int renderQuality = 1;
};

SavedViewSettings g_SavedSettings;

}  // namespace

void SaveViewSettings() {
  g_SavedSettings = SavedViewSettings{GraphicsScale,    ViewWidthPx,       ViewHeightPx,     MarkSizePx,
                                      ArrowHeadLength,  ArrowHeadWidth,    ArrowLength,      ViewWindow,
                                      PaintArea,        LabelOffsetX,      LabelOffsetY,     LabelSampleWidth,
                                      LabelSampleHeight, WhiteBackground(), RenderQuality()};
}

void RestoreViewSettings() {
  const SavedViewSettings& saved = g_SavedSettings;
  ViewWidthPx = saved.widthPx;
  ViewHeightPx = saved.heightPx;
  MarkSizePx = saved.markSizePx;
  ArrowHeadLength = saved.arrowHeadLength;
  ArrowHeadWidth = saved.arrowHeadWidth;
  ArrowLength = saved.arrowLength;
  ViewWindow = saved.window;
  PaintArea = saved.paintArea;
  SetWhiteBackground(saved.whiteBackground);
  SetRenderQuality(saved.renderQuality);
  SetGraphicsScale(saved.scale);
  LabelOffsetX = saved.labelOffsetX;
  LabelOffsetY = saved.labelOffsetY;
  LabelSampleWidth = saved.labelSampleWidth;
  LabelSampleHeight = saved.labelSampleHeight;
  SetBackgroundColours();
  ComputeViewExtents();
}

void ApplyViewWindow() { ViewWindow = g_SavedSettings.window; }
