// Mouse and keys of the painting window: the rubber band (drawn in XOR, so a
// second drawing erases it), a click that picks, a band that zooms, the
// Center cursor, the wheel, the arrow and page keys, the outline aids of
// the Space key, and the two popup menus.
//
// A release within 3 pixels of the press is a click; a band of 17 pixels or
// more both ways zooms; anything between does nothing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Highlight.h"
#include "graphics/ViewCommands.h"
#include "graphics/Zoom.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "results/ResultPicture.h"
#include "services/Settings.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kClickLimitPx = 4;
constexpr int kZoomBandPx = 17;

struct RubberBand {
  bool active = false;
  POINT anchor{0, 0};
  POINT corner{0, 0};
};

RubberBand g_Band;
bool g_CenterArmed = false;
HCURSOR g_CursorBeforeCenter = nullptr;

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
               static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
}

void DrawBandRectangle(POINT a, POINT b) {
  HDC dc = PaintingDc();
  if (dc == nullptr) return;
  const int mode = SetROP2(dc, R2_XORPEN);
  HGDIOBJ pen = SelectObject(dc, CurrentDrawingStyle().rubberBandPen);
  HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  SetROP2(dc, mode);
}

void EraseBand() {
  if (!g_Band.active) return;
  DrawBandRectangle(g_Band.anchor, g_Band.corner);
  g_Band.active = false;
}

// The view centred on a client point: the view moves, the cursor goes to
// the middle of the window.
void CentreAtCursor(HWND window, POINT point) {
  RECT client{};
  GetClientRect(window, &client);
  if (point.x < 0 || point.y < 0 || point.x >= client.right || point.y >= client.bottom) return;
  SaveViewAsPrevious();
  SaveHighlight();
  const float dx = (point.x - client.right / 2.0f) / GraphicsScale;
  const float dy = (point.y - client.bottom / 2.0f) / GraphicsScale;
  ViewWindow.left += dx;
  ViewWindow.right += dx;
  ViewWindow.bottom -= dy;
  ViewWindow.top -= dy;
  RequestGraphicsRedraw();
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(window, &middle);
  SetCursorPos(middle.x, middle.y);
  RestoreSavedHighlight();
}

// The end of a press: a Center click, a click or a band.
void ButtonUp(HWND window, LPARAM lParam, bool middle) {
  const POINT point = PointOf(lParam);
  SetGraphicsPickPoint(point);
  if (g_CenterArmed) {
    DisarmCenterCursor();
    CentreAtCursor(window, point);
    return;
  }
  const bool pressed = g_Band.active;
  const POINT anchor = g_Band.anchor;
  EraseBand();
  if (GetCapture() == window) ReleaseCapture();
  if (!pressed) return;
  const int w = std::abs(point.x - anchor.x), h = std::abs(point.y - anchor.y);
  if (w < kClickLimitPx && h < kClickLimitPx) {
    if (!middle) {
      PickAtClick();
      return;
    }
    if (ProgramPreferences().disableGraphicEditing != 0) return;
    const bool hit = PickRowAtClick();
    HMENU menu = CreatePopupMenu();
    if (hit) {
      AppendMenu(menu, MF_STRING, 239, "Hide from Graphics");
      AppendMenu(menu, MF_STRING, 241, "Make Transparent");
    } else {
      AppendMenu(menu, MF_STRING, 239, "Hide CE");
      AppendMenu(menu, MF_STRING, 241, "Make CE Transparent");
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
      AppendMenu(menu, MF_STRING, 240, "Show All");
      AppendMenu(menu, MF_STRING, 242, "Make all Transparent");
      AppendMenu(menu, MF_STRING, 243, "Make all Opaque");
    }
    POINT screen = point;
    ClientToScreen(window, &screen);
    TrackPopupMenu(menu, TPM_LEFTALIGN, screen.x, screen.y, 0, GraphicsWindowHandle(), nullptr);
    DestroyMenu(menu);
    return;
  }
  if (w >= kZoomBandPx && h >= kZoomBandPx) {
    SetRubberBand(anchor.x, anchor.y, point.x, point.y);
    ZoomToRubberBand();
  }
}

bool ModelHasJacketedRow() {
  const Model& model = TheModel();
  for (int number = 1; number <= model.rowCount; ++number) {
    const ElementType type = model.row(number).elementType;
    if (type == ElementType::JacketedPipe || type == ElementType::JacketedBend) return true;
  }
  return false;
}

void ViewPopup(HWND window, LPARAM lParam) {
  SaveHighlight();
  DisarmCenterCursor();
  const POINT point = PointOf(lParam);
  SetGraphicsPickPoint(point);
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 121, "&Viewpoint...");
  if (PreviousViewExists()) AppendMenu(menu, MF_STRING, 267, "&Previous View");
  AppendMenu(menu, MF_STRING, 131, "Zoom &All");
  AppendMenu(menu, MF_STRING, 440, "&Center");
  AppendMenu(menu, MF_STRING, kTurnCommand, g_TurnMode ? "Do not &Turn" : "&Turn");
  AppendMenu(menu, MF_STRING, 40023, g_FreezeView ? "Unfree&ze View" : "Free&ze View");
  if (ResultPictureShown() && ModelHasJacketedRow())
    AppendMenu(menu, MF_STRING, 40029, g_JacketStresses ? "Hide Jacket Stresses/Ratios" : "Show Jacket Stresses/Ratios");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, 433, "&Show...");
  AppendMenu(menu, MF_STRING, 437, "Show &Nodes...");
  if (!g_RenderedMode) AppendMenu(menu, MF_STRING, 258, "Re&draw");
  if (g_RenderAvailable) AppendMenu(menu, MF_STRING, kRenderCommand, g_RenderedMode ? "Do not &render" : "&Render");
  POINT screen = point;
  ClientToScreen(window, &screen);
  TrackPopupMenu(menu, TPM_LEFTALIGN, screen.x, screen.y, 0, GraphicsWindowHandle(), nullptr);
  DestroyMenu(menu);
  RestoreSavedHighlight();
}

// Space: the pick areas of every anchor in render mode, the outlines of
// every beam in line mode, in the rubber-band pen.
void DrawOutlineAids() {
  DrawOnGraphicsWindow(false, [] {
    Model& model = TheModel();
    SelectPen2(CurrentDrawingStyle().rubberBandPen);
    for (int number = 1; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.endNode == 0 || row.endNode > model.nodes.count) continue;
      if (g_RenderedMode && row.dataType == DataType::Anchor && row.item) row.item->DrawPickAreas();
      if (!g_RenderedMode && row.elementType == ElementType::Beam && row.element) row.element->DrawOutline();
    }
  });
}

bool OnKeyDown(WPARAM key) {
  DisarmCenterCursor();
  switch (key) {
    case VK_LEFT: OnScroll(false, SB_LINELEFT, 0); return true;
    case VK_RIGHT: OnScroll(false, SB_LINERIGHT, 0); return true;
    case VK_UP: OnScroll(true, SB_LINEUP, 0); return true;
    case VK_DOWN: OnScroll(true, SB_LINEDOWN, 0); return true;
    case VK_PRIOR:
      ZoomIn(false);
      PostMessage(GraphicsWindowHandle(), WM_COMMAND, kZoomButtonsCommand, 0);
      return true;
    case VK_NEXT:
      ZoomOut(false);
      PostMessage(GraphicsWindowHandle(), WM_COMMAND, kZoomButtonsCommand, 0);
      return true;
    case VK_SPACE: DrawOutlineAids(); return true;
    default: return false;
  }
}

void OnWheel(WPARAM wParam) {
  const bool forward = static_cast<short>(HIWORD(wParam)) > 0;
  const WPARAM keys = LOWORD(wParam);
  if ((keys & MK_SHIFT) != 0)
    OnScroll(false, forward ? SB_LINELEFT : SB_LINERIGHT, 0);
  else if ((keys & MK_CONTROL) != 0)
    OnScroll(true, forward ? SB_LINEUP : SB_LINEDOWN, 0);
  else if (forward)
    ZoomIn(false);
  else
    ZoomOut(false);
}

}  // namespace

bool CenterCursorArmed() { return g_CenterArmed; }

void ArmCenterCursor() {
  if (g_CenterArmed) return;
  g_CenterArmed = true;
  g_CursorBeforeCenter = GetCursor();
  SetCursor(LoadCursor(nullptr, IDC_CROSS));
}

void DisarmCenterCursor() {
  if (!g_CenterArmed) return;
  g_CenterArmed = false;
  SetCursor(g_CursorBeforeCenter != nullptr ? g_CursorBeforeCenter : LoadCursor(nullptr, IDC_ARROW));
}

bool HandlePaintingInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetFocus(window);
      if (g_CenterArmed) return true;
      SetCapture(window);
      g_Band.active = true;
      g_Band.anchor = g_Band.corner = PointOf(lParam);
      DrawBandRectangle(g_Band.anchor, g_Band.corner);
      return true;
    case WM_MOUSEMOVE:
      if (!g_Band.active || (wParam & (MK_LBUTTON | MK_MBUTTON)) == 0) return true;
      DrawBandRectangle(g_Band.anchor, g_Band.corner);
      g_Band.corner = PointOf(lParam);
      DrawBandRectangle(g_Band.anchor, g_Band.corner);
      return true;
    case WM_LBUTTONUP: ButtonUp(window, lParam, false); return true;
    case WM_MBUTTONUP: ButtonUp(window, lParam, true); return true;
    case WM_LBUTTONDBLCLK: ArmCenterCursor(); return true;
    case WM_RBUTTONDOWN: ViewPopup(window, lParam); return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) EraseBand();
      return true;
    case WM_SETCURSOR:
      if (!g_CenterArmed) return false;
      SetCursor(LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT ? LoadCursor(nullptr, IDC_CROSS)
                                                                        : g_CursorBeforeCenter);
      result = TRUE;
      return true;
    case WM_KEYDOWN: return OnKeyDown(wParam);
    case WM_MOUSEWHEEL: OnWheel(wParam); return true;
    default: return false;
  }
}
