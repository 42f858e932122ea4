// Scrolling the painting window: the scroll domain (the model's extents
// widened by 0.9 of their size on each side, and further to hold the view
// window), 16000 scroll units across it, panning by line, page and thumb,
// and turning the model instead while turn mode is on (3 degrees a step).
#include <algorithm>
#include <cmath>

#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/ViewTurns.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "platform/Controls.h"
#include "platform/Paint.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kScrollRange = 16000;
constexpr int kTurnRange = 180;
constexpr int kTurnPage = 60;
constexpr int kTurnPosition = 60;

int Truncate(float value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(std::clamp(value, -1.0e9f, 1.0e9f));
}

enum class Snap { None, Start, End };

// One bar over a domain of the given size: its factor, page, maximum and
// position for a view of `view` units standing `offset` into the domain; at
// or past either end the position is clamped and the view must follow.
Snap ScrollAxis(float domain, float view, float offset, float& factor, int& page, int& maximum, int& position) {
  factor = kScrollRange / domain;
  page = Truncate(view * factor);
  maximum = kScrollRange - page;
  position = Truncate(offset * factor);
  if (position >= maximum) {
    position = maximum;
    return Snap::End;
  }
  if (position <= 0) {
    position = 0;
    return Snap::Start;
  }
  return Snap::None;
}

void SetBar(int bar, int minimum, int maximum, int page, int position) {
  HWND painting = PaintingWindowHandle();
  if (painting == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = minimum;
  info.nMax = maximum;
  info.nPage = static_cast<UINT>(std::max(page, 0));
  info.nPos = position;
  SetScrollInfo(painting, bar, &info, TRUE);
}

void SetBarPosition(bool vertical, int position) {
  if (HWND painting = PaintingWindowHandle()) SetScrollPos(painting, vertical ? SB_VERT : SB_HORZ, position, TRUE);
}

// The view window from the bar's position.
void ViewFromPosition(bool vertical) {
  ScrollState& s = g_Scroll;
  if (vertical) {
    const float h = ViewWindow.top - ViewWindow.bottom;
    ViewWindow.top = s.domainTop - s.positionY / s.factorY;
    ViewWindow.bottom = ViewWindow.top - h;
  } else {
    const float w = ViewWindow.right - ViewWindow.left;
    ViewWindow.left = s.domainLeft + s.positionX / s.factorX;
    ViewWindow.right = ViewWindow.left + w;
  }
}

void Repaint() {
  if (g_RenderedMode) {
    RequestGraphicsRedraw();
  } else {
    InvalidatePicture(true);
  }
  DrawHighlight();
}

// Line and page steps: the new position clamped, the view moved there.
void StepTo(bool vertical, int position) {
  ScrollState& s = g_Scroll;
  int& current = vertical ? s.positionY : s.positionX;
  const int maximum = vertical ? s.maximumY : s.maximumX;
  current = std::clamp(position, 0, std::max(maximum, 0));
  HideHighlightForRepaint();
  ViewFromPosition(vertical);
  SetBarPosition(vertical, current);
  Repaint();
}

// Dragging the thumb scrolls the pixels there are and draws the strip that
// was uncovered.
void TrackThumb(bool vertical, int position) {
  ScrollState& s = g_Scroll;
  const int bar = vertical ? 1 : 0;
  if (g_RenderedMode) {
    g_RenderOffForScroll[bar] = true;
    SetRenderModeOffNow();
  }
  HideHighlightForRepaint();
  g_ThumbTracking = true;
  int& current = vertical ? s.positionY : s.positionX;
  const int maximum = vertical ? s.maximumY : s.maximumX;
  if (position <= 0 || position >= maximum) return;
  const float factor = vertical ? s.factorY : s.factorX;
  const int shift = Truncate((current - position) * GraphicsScale / factor);
  if (shift == 0) return;
  const float move = shift / GraphicsScale;
  HWND painting = PaintingWindowHandle();
  if (vertical) {
    ViewWindow.top += move;
    ViewWindow.bottom += move;
    current = Truncate((s.domainTop - ViewWindow.top) * factor + 0.5f);
    if (painting != nullptr) ScrollWindow(painting, 0, shift, nullptr, nullptr);
  } else {
    ViewWindow.left -= move;
    ViewWindow.right -= move;
    current = Truncate((ViewWindow.left - s.domainLeft) * factor + 0.5f);
    if (painting != nullptr) ScrollWindow(painting, shift, 0, nullptr, nullptr);
  }
  SetBarPosition(vertical, current);
  if (painting != nullptr) UpdateWindow(painting);
}

void EndThumb(bool vertical) {
  g_ThumbTracking = false;
  DrawHighlight();
  bool& renderOff = g_RenderOffForScroll[vertical ? 1 : 0];
  if (!renderOff) return;
  renderOff = false;
  SetRenderModeOnNow();
}

void Turn(bool vertical, int steps) {
  if (vertical)
    RotateViewAboutAcross(steps);
  else
    RotateViewAboutUp(steps);
}

void OnTurnScroll(bool vertical, int code, int thumb) {
  int& last = vertical ? g_Scroll.turnY : g_Scroll.turnX;
  switch (code) {
    case SB_LINEUP: Turn(vertical, 1); return;
    case SB_LINEDOWN: Turn(vertical, -1); return;
    case SB_PAGEUP: Turn(vertical, 2); return;
    case SB_PAGEDOWN: Turn(vertical, -2); return;
    case SB_THUMBTRACK:
      Turn(vertical, thumb > last ? -1 : 1);
      last = thumb;
      return;
    default: return;
  }
}

void OnPanScroll(bool vertical, int code, int thumb) {
  ScrollState& s = g_Scroll;
  const int position = vertical ? s.positionY : s.positionX;
  const int maximum = vertical ? s.maximumY : s.maximumX;
  const int line = vertical ? s.lineY : s.lineX;
  const int page = vertical ? s.pageY : s.pageX;
  switch (code) {
    case SB_LINEUP:
      if (position > 0) StepTo(vertical, position - line);
      return;
    case SB_LINEDOWN:
      if (position < maximum) StepTo(vertical, position + line);
      return;
    case SB_PAGEUP:
      if (position > 0) StepTo(vertical, position - page / 2);
      return;
    case SB_PAGEDOWN:
      if (position < maximum) StepTo(vertical, position + page / 2);
      return;
    case SB_THUMBTRACK: TrackThumb(vertical, thumb); return;
    case SB_THUMBPOSITION: EndThumb(vertical); return;
    default: return;
  }
}

}  // namespace

void UpdateScrollRanges() {
  if (ViewWidthPx <= 0 || ViewHeightPx <= 0) return;
  ScrollState& s = g_Scroll;
  const float w = ViewWidthPx / GraphicsScale, h = ViewHeightPx / GraphicsScale;
  const float ew = ViewExtents.xmax - ViewExtents.xmin, eh = ViewExtents.ymax - ViewExtents.ymin;
  s.domainLeft = ViewExtents.xmin - 0.9f * ew;
  s.domainRight = ViewExtents.xmax + 0.9f * ew;
  s.domainBottom = ViewExtents.ymin - 0.9f * eh;
  s.domainTop = ViewExtents.ymax + 0.9f * eh;
  ViewWindow.right = ViewWindow.left + w;
  ViewWindow.top = ViewWindow.bottom + h;
  s.domainLeft = std::min(s.domainLeft, ViewWindow.left);
  s.domainRight = std::max(s.domainRight, ViewWindow.right);
  s.domainBottom = std::min(s.domainBottom, ViewWindow.bottom);
  s.domainTop = std::max(s.domainTop, ViewWindow.top);
  if (!(s.domainRight > s.domainLeft) || !(s.domainTop > s.domainBottom)) return;

  switch (ScrollAxis(s.domainRight - s.domainLeft, w, ViewWindow.left - s.domainLeft, s.factorX, s.pageX,
                     s.maximumX, s.positionX)) {
    case Snap::End: ViewWindow.left = s.domainRight - w; break;
    case Snap::Start: ViewWindow.left = s.domainLeft; break;
    case Snap::None: break;
  }
  ViewWindow.right = ViewWindow.left + w;
  s.lineX = std::max(s.pageX / 40, 50);
  // The vertical position counts from the top.
  switch (ScrollAxis(s.domainTop - s.domainBottom, h, s.domainTop - ViewWindow.top, s.factorY, s.pageY, s.maximumY,
                     s.positionY)) {
    case Snap::End: ViewWindow.top = s.domainBottom + h; break;
    case Snap::Start: ViewWindow.top = s.domainTop; break;
    case Snap::None: break;
  }
  ViewWindow.bottom = ViewWindow.top - h;
  s.lineY = std::max(ViewHeightPx / 25, 50);

  if (g_TurnMode) return SetTurnScrollBars();
  SetBar(SB_HORZ, 0, kScrollRange, s.pageX, s.positionX);
  SetBar(SB_VERT, 0, kScrollRange, s.pageY, s.positionY);
}

void SetTurnScrollBars() {
  g_Scroll.turnX = g_Scroll.turnY = kTurnPosition;
  SetBar(SB_HORZ, 0, kTurnRange, kTurnPage, kTurnPosition);
  SetBar(SB_VERT, 0, kTurnRange, kTurnPage, kTurnPosition);
}

void OnScroll(bool vertical, int code, int thumb) {
  DisarmCenterCursor();
  if (g_TurnMode)
    OnTurnScroll(vertical, code, thumb);
  else
    OnPanScroll(vertical, code, thumb);
}
