// Zoom and fit (see Zoom.h). The right and top edges of the view window
// follow from its left and bottom edges, the pixel size and the scale; the
// operations here move the left and bottom edges and the scale, and keep
// right and top in step.
#include "graphics/Zoom.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "platform/Paint.h"
#include "platform/TestSupport.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ViewRequests.h"

namespace {

constexpr float kCloseZoomLimit = 0.025f;  // of the model's width
constexpr float kOuterZoomLimit = 0.9f;    // of the model's size, each side
constexpr int kFitMinimumWidthPx = 200;
constexpr int kFitMinimumHeightPx = 150;
constexpr int kRubberBandMinimumPx = 5;
constexpr int kContinuousZoomPauseMs = 20;
constexpr int kRecoverPasses = 10;
constexpr int kFitPasses = 8;
constexpr float kSettledScale = 1.0e-3f;  // of the scale, between two passes of a fit

std::atomic<bool> g_StopContinuousZoom{false};
RECT g_RubberBand{0, 0, 0, 0};

float ExtentsWidth() { return ViewExtents.xmax - ViewExtents.xmin; }
float ExtentsHeight() { return ViewExtents.ymax - ViewExtents.ymin; }

// Right and top from left, bottom, the pixel size and the scale.
void DeriveFarEdges() {
  if (ViewWidthPx > 0) ViewWindow.right = ViewWindow.left + static_cast<float>(ViewWidthPx) / GraphicsScale;
  if (ViewHeightPx > 0) ViewWindow.top = ViewWindow.bottom + static_cast<float>(ViewHeightPx) / GraphicsScale;
}

// The extents with a margin of 5 % of their size on each side.
void WindowAroundExtents() {
  const float mx = 0.05f * ExtentsWidth(), my = 0.05f * ExtentsHeight();
  ViewWindow = ViewLimits{ViewExtents.xmin - mx, ViewExtents.xmax + mx, ViewExtents.ymin - my, ViewExtents.ymax + my};
}

// The extents (grown to 2 units where narrower) with their margins, and the
// scale that fits them in the pixel area (200 by 150 pixels at the least).
void ScaleToExtents() {
  if (ExtentsWidth() < 2.0f) {
    ViewExtents.xmin -= 1.0f;
    ViewExtents.xmax += 1.0f;
  }
  if (ExtentsHeight() < 2.0f) {
    ViewExtents.ymin -= 1.0f;
    ViewExtents.ymax += 1.0f;
  }
  WindowAroundExtents();
  SetGraphicsScale(std::min(static_cast<float>(std::max(ViewWidthPx, kFitMinimumWidthPx)) /
                                (ViewWindow.right - ViewWindow.left),
                            static_cast<float>(std::max(ViewHeightPx, kFitMinimumHeightPx)) /
                                (ViewWindow.top - ViewWindow.bottom)));
}

// The window grown on the spare side so that it fills the pixel area at the
// scale, the extents in its middle.
void CentreWindow() {
  const float spareX = static_cast<float>(ViewWidthPx) / GraphicsScale - (ViewWindow.right - ViewWindow.left);
  const float spareY = static_cast<float>(ViewHeightPx) / GraphicsScale - (ViewWindow.top - ViewWindow.bottom);
  if (std::fabs(spareY) <= std::fabs(spareX)) {
    ViewWindow.left -= spareX / 2.0f;
    ViewWindow.right += spareX / 2.0f;
  } else {
    ViewWindow.bottom -= spareY / 2.0f;
    ViewWindow.top += spareY / 2.0f;
  }
  SetGraphicsScale(GraphicsScale);
  ComputeViewExtents();
}

// One zoom step about the middle of the window: in by f > 1, out by 1 / f.
void ScaleAboutMiddle(float f, bool in) {
  const float width = ViewWindow.right - ViewWindow.left, height = ViewWindow.top - ViewWindow.bottom;
  const float sign = in ? 1.0f : -1.0f;
  SetGraphicsScale(in ? GraphicsScale * f : GraphicsScale / f);
  ViewWindow.left += sign * width * (f - 1.0f) / 2.0f;
  ViewWindow.bottom += sign * height * (f - 1.0f) / 2.0f;
  DeriveFarEdges();
  ComputeViewExtents();
}

bool PostToGraphicsThread() {
  if (OnGraphicsThread()) return false;
  HWND painting = PaintingWindowHandle();
  if (painting == nullptr) return false;
  StopPainting();
  PostMessage(painting, kFitViewMessage, 0, 0);
  return true;
}

// The window made the pixel size at the scale, about its own middle.
void CentreWindowAtScale() {
  const float width = static_cast<float>(ViewWidthPx) / GraphicsScale;
  const float height = static_cast<float>(ViewHeightPx) / GraphicsScale;
  ViewWindow.left = (ViewWindow.left + ViewWindow.right - width) / 2.0f;
  ViewWindow.right = ViewWindow.left + width;
  ViewWindow.bottom = (ViewWindow.bottom + ViewWindow.top - height) / 2.0f;
  ViewWindow.top = ViewWindow.bottom + height;
}

void PostZoomButtonsCommand() {
  if (HWND frame = GraphicsWindowHandle()) PostMessage(frame, WM_COMMAND, kZoomButtonsCommand, 0);
}

void ZoomStepNow(bool in, bool fine) {
  if (in ? !CanZoomIn() : !CanZoomOut()) return;
  float f = ZoomStep(fine);
  // At the closest zoom a step out goes back at least to that limit.
  if (!in && !CanZoomIn() && ViewWindow.right > ViewWindow.left)
    f = std::max(f, kCloseZoomLimit * ExtentsWidth() / (ViewWindow.right - ViewWindow.left));
  StopPainting();
  if (!fine) SaveViewAsPrevious();
  SaveHighlight();
  ScaleAboutMiddle(f, in);
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
}

void ContinuousZoom(bool in) {
  g_StopContinuousZoom = false;
  const float f = g_RenderedMode ? 1.05f : 1.02f;
  const int held = in ? kZoomInButton : kZoomOutButton;
  SaveViewAsPrevious();
  SaveHighlight();
  StopCaretTimer();
  EnableToolbarButtonBoth(in ? kZoomOutButton : kZoomInButton, true);
  StopPainting();
  HWND painting = PaintingWindowHandle();
  while (!g_StopContinuousZoom) {
    if (in ? !CanZoomIn() : !CanZoomOut()) {
      for (HWND toolbar : {GraphicsFrame().smallToolbar, GraphicsFrame().largeToolbar})
        if (toolbar != nullptr) SendMessage(toolbar, TB_PRESSBUTTON, held, FALSE);
      EnableToolbarButtonBoth(held, false);
      break;
    }
    MSG message;
    if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      TranslateMessage(&message);
      DispatchMessage(&message);
      if (message.message == WM_LBUTTONUP || message.message == WM_RBUTTONUP) break;
      continue;
    }
    ScaleAboutMiddle(f, in);
    UpdateScrollRanges();
    if (g_RenderedMode) DrawModelGl();
    if (painting != nullptr) {
      InvalidateRect(painting, nullptr, TRUE);
      UpdateWindow(painting);
    }
    if (!platform::InTestMode()) std::this_thread::sleep_for(std::chrono::milliseconds(kContinuousZoomPauseMs));
  }
  StartCaretTimer();
  RestoreSavedHighlight();
}

}  // namespace

void FitViewToModel() {
  if (PostToGraphicsThread()) return;
  // Symbols and labels keep their size in pixels, so their extents grow as
  // the scale shrinks: measured at the scale the view had, a scale once
  // made tiny (a far node since deleted) would keep itself. The first scale
  // is the nodes' alone; the model's extents measured at a scale give the
  // next, until the scale settles.
  ViewExtents = ProjectedNodeExtents();
  ScaleToExtents();
  for (int pass = 0; pass < kFitPasses; ++pass) {
    const float scale = GraphicsScale;
    ComputeViewExtents();
    ScaleToExtents();
    if (std::fabs(GraphicsScale - scale) <= kSettledScale * scale) break;
  }
  CentreWindow();
  // Labels and symbols are sized in pixels: the extents at the new scale
  // give the window once more.
  WindowAroundExtents();
  CentreWindow();
}

void RedrawAll() {
  if (PostToGraphicsThread()) return;
  SaveViewAsPrevious();
  SaveHighlight();
  FitViewToModel();
  FitViewToModel();
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
  PostZoomButtonsCommand();
}

bool CanZoomIn() { return ViewWindow.right - ViewWindow.left > kCloseZoomLimit * ExtentsWidth(); }

bool CanZoomOut() {
  const float mx = kOuterZoomLimit * ExtentsWidth(), my = kOuterZoomLimit * ExtentsHeight();
  const bool beyondEverySide = ViewWindow.left < ViewExtents.xmin - mx && ViewWindow.right > ViewExtents.xmax + mx &&
                               ViewWindow.bottom < ViewExtents.ymin - my && ViewWindow.top > ViewExtents.ymax + my;
  return !beyondEverySide;
}

float ZoomStep(bool fine) { return fine ? 1.02f : 1.05f; }

void ZoomIn(bool fine) { ZoomStepNow(true, fine); }
void ZoomOut(bool fine) { ZoomStepNow(false, fine); }

void ZoomInContinuous() { ContinuousZoom(true); }
void ZoomOutContinuous() { ContinuousZoom(false); }
void StopContinuousZoom() { g_StopContinuousZoom = true; }

void SetRubberBand(int x0, int y0, int x1, int y1) { g_RubberBand = RECT{x0, y0, x1, y1}; }

void ZoomToRubberBand() {
  const int x0 = std::clamp(std::min<int>(g_RubberBand.left, g_RubberBand.right), 0, ViewWidthPx);
  const int x1 = std::clamp(std::max<int>(g_RubberBand.left, g_RubberBand.right), 0, ViewWidthPx);
  const int y0 = std::clamp(std::min<int>(g_RubberBand.top, g_RubberBand.bottom), 0, ViewHeightPx);
  const int y1 = std::clamp(std::max<int>(g_RubberBand.top, g_RubberBand.bottom), 0, ViewHeightPx);
  if (x1 - x0 < kRubberBandMinimumPx || y1 - y0 < kRubberBandMinimumPx || !CanZoomIn()) return;
  SaveViewAsPrevious();
  SaveHighlight();
  ViewWindow.left += static_cast<float>(x0) / GraphicsScale;
  ViewWindow.right = ViewWindow.left + static_cast<float>(x1 - x0) / GraphicsScale;
  ViewWindow.bottom += static_cast<float>(ViewHeightPx - y1) / GraphicsScale;
  ViewWindow.top = ViewWindow.bottom + static_cast<float>(y1 - y0) / GraphicsScale;
  SetGraphicsScale(std::min(static_cast<float>(ViewWidthPx) / (ViewWindow.right - ViewWindow.left),
                            static_cast<float>(ViewHeightPx) / (ViewWindow.top - ViewWindow.bottom)));
  CentreWindowAtScale();
  ComputeViewExtents();
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
  PostZoomButtonsCommand();
}

void ShowSampleModelView() {
  SaveHighlight();
  ViewWindow = ViewLimits{2300.0f, 3100.0f, -600.0f, -100.0f};
  SetGraphicsScale(std::min(static_cast<float>(ViewWidthPx) * 0.00125f, static_cast<float>(ViewHeightPx) * 0.002f));
  CentreWindowAtScale();
  ComputeViewExtents();
  RequestGraphicsRedraw();
  RestoreSavedHighlight();
}

void RecoverGraphics() {
  // A fit changes the label sizes and so the extents it was made from; it
  // is repeated while the right edge moves, a bounded number of times.
  float right = ViewExtents.xmax + 1.0f;
  for (int pass = 0; pass < kRecoverPasses && right != ViewExtents.xmax; ++pass) {
    right = ViewExtents.xmax;
    RedrawAll();
  }
}
