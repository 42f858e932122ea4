// The analysis progress window class and procedure; see ProgressWindow.h.
#include "analysis/ProgressWindow.h"

#include <array>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/AppPens.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kAreaCount = 8;
constexpr int kMargin = 6;  // inside the frame line

// The window, its own device context and the texts of its areas, while the
// window exists.
struct ProgressWindowState {
  HWND window = nullptr;
  HDC dc = nullptr;
  int lineHeight = 16;
  std::array<std::string, kAreaCount> texts;
};
ProgressWindowState g_Progress;

std::size_t Slot(ProgressArea area) { return static_cast<std::size_t>(area); }

// Line and horizontal share (in eighths of the width) of each area.
struct AreaPlace {
  int line, from, to;
};
constexpr std::array<AreaPlace, kAreaCount> kPlaces = {{
    {0, 0, 8},  // step title
    {1, 0, 6},  // phase
    {1, 6, 8},  // percentage
    {2, 0, 2},  // mode
    {2, 2, 4},  // iteration
    {2, 4, 8},  // misconvergence
    {3, 0, 4},  // frequency
    {3, 4, 8},  // file
}};

// The area's background, then its text.
void DrawArea(HWND window, HDC dc, ProgressArea area) {
  const RECT rect = ProgressAreaRect(window, area);
  FillRect(dc, &rect, Pens().yellowBrush);
  const std::string& text = ProgressAreaText(window, area);
  if (!text.empty())
    ExtTextOut(dc, rect.left, rect.top, ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

LRESULT OnCreate(HWND window) {
  g_Progress = ProgressWindowState{};
  g_Progress.window = window;
  g_Progress.dc = GetDC(window);
  SetBkColor(g_Progress.dc, AppColour::kYellow);
  SelectObject(g_Progress.dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRIC metrics{};
  if (GetTextMetrics(g_Progress.dc, &metrics)) g_Progress.lineHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
  return 0;
}

LRESULT OnDestroy(HWND window) {
  if (window == g_Progress.window) {
    ReleaseDC(window, g_Progress.dc);
    g_Progress = ProgressWindowState{};
  }
  return 0;
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, Pens().yellowBrush);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (window == g_Progress.window)
    for (int area = 0; area < kAreaCount; ++area) DrawArea(window, dc, static_cast<ProgressArea>(area));
  EndPaint(window, &paint);
  return 0;
}

LRESULT ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy(window);
    case WM_PAINT: return OnPaint(window);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterProgressWindowClass() {
  RegisterChildClass(kProgressWindowClass, ProgressWindowProc, CS_OWNDC, Pens().yellowBrush);
}

RECT ProgressAreaRect(HWND window, ProgressArea area) {
  RECT client{};
  GetClientRect(window, &client);
  const AreaPlace& place = kPlaces[Slot(area)];
  const int width = client.right - 2 * kMargin;
  RECT rect{};
  rect.left = kMargin + width * place.from / 8;
  rect.right = kMargin + width * place.to / 8;
  rect.top = kMargin / 2 + place.line * g_Progress.lineHeight;
  rect.bottom = rect.top + g_Progress.lineHeight;
  return rect;
}

void SetProgressAreaText(HWND window, ProgressArea area, const std::string& text) {
  if (window == nullptr || window != g_Progress.window) return;
  std::string& held = g_Progress.texts[Slot(area)];
  if (held == text) return;
  held = text;
  const RECT rect = ProgressAreaRect(window, area);
  InvalidateRect(window, &rect, FALSE);
  UpdateWindow(window);
}

const std::string& ProgressAreaText(HWND window, ProgressArea area) {
  static const std::string none;
  if (window == nullptr || window != g_Progress.window) return none;
  return g_Progress.texts[Slot(area)];
}
