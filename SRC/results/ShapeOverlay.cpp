// The shape overlay of the graphics window; see ShapeOverlay.h.
#include "results/ShapeOverlay.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "services/ViewRequests.h"

namespace {

std::mutex g_Lock;
std::shared_ptr<const ShapeOverlay> g_Overlay;
float g_Scale = 0.0f;

void Redraw() {
  if (HWND painting = PaintingWindowHandle()) InvalidateRect(painting, nullptr, TRUE);
}

}  // namespace

void SetShapeOverlay(std::shared_ptr<const ShapeOverlay> overlay, float scale) {
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    g_Overlay = std::move(overlay);
    g_Scale = scale;
  }
  Redraw();
}

void SetShapeOverlayScale(float scale) {
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    g_Scale = scale;
  }
  Redraw();
}

void ClearShapeOverlay() {
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    if (!g_Overlay) return;
    g_Overlay.reset();
  }
  SetGraphicsTitle(std::string());
  Redraw();
}

bool ShapeOverlayShown() {
  std::lock_guard<std::mutex> lock(g_Lock);
  return g_Overlay != nullptr;
}

bool ShapeOverlayAnimated() {
  std::lock_guard<std::mutex> lock(g_Lock);
  return g_Overlay != nullptr && g_Overlay->animated;
}

float ShapeOverlayScale() {
  std::lock_guard<std::mutex> lock(g_Lock);
  return g_Scale;
}

std::size_t ShapeOverlayMarkCount() {
  std::lock_guard<std::mutex> lock(g_Lock);
  return g_Overlay ? g_Overlay->marks.size() : 0;
}

float LargestProjectedLength(const std::vector<std::array<float, 3>>& moves,
                             void (*project)(float x, float y, float z, float& vx, float& vy)) {
  float ox = 0.0f, oy = 0.0f;
  project(0.0f, 0.0f, 0.0f, ox, oy);
  float largest = 0.0f;
  for (const auto& move : moves) {
    float vx = 0.0f, vy = 0.0f;
    project(move[0], move[1], move[2], vx, vy);
    largest = std::max(largest, std::hypot(vx - ox, vy - oy));
  }
  return largest;
}

float LargestProjectedMove(const ShapeOverlay& overlay) {
  float largest = 0.0f;
  RunOnGraphicsThread([&] { largest = LargestProjectedLength(overlay.nodeMoves, ProjectPointToView); });
  return largest;
}

float ViewWidthUnits() {
  float width = 0.0f;
  RunOnGraphicsThread([&] { width = ViewWindow.right - ViewWindow.left; });
  return width;
}

void DrawShapeOverlay(bool paper) {
  std::shared_ptr<const ShapeOverlay> overlay;
  float scale = 0.0f;
  {
    std::lock_guard<std::mutex> lock(g_Lock);
    overlay = g_Overlay;
    scale = g_Scale;
  }
  if (!overlay) return;
  // On paper and in the files the shape is black and dotted over the
  // model's thin lines, whatever the window's background.
  const bool white = paper || WhiteBackground();
  const COLORREF colour = !white ? RGB(0, 255, 0) : overlay->animated && !paper ? RGB(255, 0, 0) : RGB(0, 0, 0);
  HPEN pen = CreatePen(white && (paper || !overlay->animated) ? PS_DOT : PS_SOLID, 1, colour);
  HGDIOBJ previous = SelectPen2(pen);
  for (const auto& line : overlay->lines) {
    if (PaintingAborted()) break;
    float lastX = 0.0f, lastY = 0.0f;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const ShapePoint& p = line[k];
      float x = 0.0f, y = 0.0f;
      ProjectPointToView(p.base[0] + scale * p.move[0], p.base[1] + scale * p.move[1], p.base[2] + scale * p.move[2], x,
                         y);
      if (k > 0) DrawLine2(lastX, lastY, x, y);
      lastX = x;
      lastY = y;
    }
  }
  if (!overlay->marks.empty()) {
    HPEN red = CreatePen(PS_SOLID, 1, paper ? RGB(0, 0, 0) : RGB(255, 0, 0));
    SelectPen2(red);
    for (const ShapePoint& p : overlay->marks) {
      float x = 0.0f, y = 0.0f;
      ProjectPointToView(p.base[0] + scale * p.move[0], p.base[1] + scale * p.move[1], p.base[2] + scale * p.move[2], x,
                         y);
      DrawEllipse2(x, y, Size6Px);
    }
    SelectPen2(pen);
    DeleteObject(red);
  }
  SelectPen2(previous);
  DeleteObject(pen);
}
