// The default window procedure: what a window does with a message its own
// procedure passes on. It erases with the class background (a brush, or a
// system colour index + 1), draws the plain frame of bordered children and
// has the menu bar and frame scroll bars (MenuBarFrame.h, ScrollBarFrame.h)
// draw themselves and take the frame's mouse presses and the system keys,
// paints nothing itself, closes on WM_CLOSE, takes the focus on activation,
// asks the parent first on WM_SETCURSOR and then shows the class cursor,
// passes the wheel, context-menu and mouse-activation requests up to the
// parent (a click activates when no one says otherwise), keeps the window
// text, and beeps at a typed character the program's text cannot hold.
#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/MenuBarFrame.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/ScrollBarFrame.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

void FillWithColour(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(window, GCLP_HBRBACKGROUND));
  if (brush == nullptr) return 0;
  RECT client{};
  GetClientRect(window, &client);
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value <= COLOR_INFOBK + 1)
    FillWithColour(dc, client, GetSysColor(static_cast<int>(value) - 1));
  else
    FillRect(dc, &client, brush);
  return 1;
}

// Borders, then the menu bar and scroll bars, which their own modules draw;
// a top-level frame and caption are drawn by the presenter's window manager.
void OnNcPaint(HWND window) {
  DWORD style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongPtr(window, GWL_EXSTYLE));
  RECT bounds{};
  GetWindowRect(window, &bounds);
  HDC dc = GetWindowDC(window);
  if (dc == nullptr) return;
  RECT inner{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  bool child = (style & WS_CHILD) != 0;
  auto frame = [&](COLORREF topLeft, COLORREF bottomRight) {
    FillWithColour(dc, RECT{inner.left, inner.top, inner.right, inner.top + 1}, topLeft);
    FillWithColour(dc, RECT{inner.left, inner.top, inner.left + 1, inner.bottom}, topLeft);
    FillWithColour(dc, RECT{inner.left, inner.bottom - 1, inner.right, inner.bottom}, bottomRight);
    FillWithColour(dc, RECT{inner.right - 1, inner.top, inner.right, inner.bottom}, bottomRight);
    inner = RECT{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
  };
  if (child && (style & (WS_THICKFRAME | WS_DLGFRAME)) != 0) {
    int edges = (style & WS_THICKFRAME) != 0 ? 4 : 3;
    for (int i = 0; i < edges; ++i) frame(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
  } else if ((child && (style & WS_BORDER) != 0) || (!child && (style & WS_CAPTION) == WS_BORDER)) {
    frame(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
  }
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
    frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    frame(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  }
  if ((exStyle & WS_EX_STATICEDGE) != 0) frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  FrameParts parts = FramePartsOf(window);
  if (!IsEmpty(parts.menuBar)) PaintMenuBar(window, dc, parts.menuBar);
  if (!IsEmpty(parts.vertical)) PaintWindowScrollBar(window, SB_VERT, dc, parts.vertical);
  if (!IsEmpty(parts.horizontal)) PaintWindowScrollBar(window, SB_HORZ, dc, parts.horizontal);
  if (!IsEmpty(parts.corner)) FillWithColour(dc, parts.corner, GetSysColor(COLOR_BTNFACE));
  ReleaseDC(window, dc);
}

POINT WindowPoint(HWND window, LPARAM screen) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return POINT{GET_X_LPARAM(screen) - bounds.left, GET_Y_LPARAM(screen) - bounds.top};
}

// Presses, moves and releases on the frame go to the menu bar or a scroll bar.
LRESULT OnFrameMouse(HWND window, UINT message, WPARAM part, LPARAM screen) {
  if (part != static_cast<WPARAM>(HTMENU) && part != static_cast<WPARAM>(HTVSCROLL) &&
      part != static_cast<WPARAM>(HTHSCROLL))
    return 0;
  FrameParts parts = FramePartsOf(window);
  POINT point = WindowPoint(window, screen);
  if (part == static_cast<WPARAM>(HTMENU)) {
    if (message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) MenuBarMouseDown(window, point, parts.menuBar);
    return 0;
  }
  int bar = part == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ;
  const RECT& rect = bar == SB_VERT ? parts.vertical : parts.horizontal;
  UINT pointer = message == WM_NCMOUSEMOVE ? WM_MOUSEMOVE : message == WM_NCLBUTTONUP ? WM_LBUTTONUP : WM_LBUTTONDOWN;
  if (WindowScrollBarMouse(window, bar, rect, pointer, point)) StartScrollTracking(window, bar);
  else StopScrollTracking();
  return 0;
}

// Alt+F4 closes; the other system keys belong to the menu bar.
LRESULT OnSystemKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & (1L << 29)) != 0) {
    PostMessage(GetAncestor(window, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  MenuBarKey(window, message, wParam, lParam);
  return 0;
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetAncestor(window, GA_PARENT);
  if (parent != nullptr && SendMessage(parent, WM_SETCURSOR, wParam, lParam) != 0) return TRUE;
  if (static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))) != HTCLIENT) return FALSE;
  auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(window, GCLP_HCURSOR));
  if (cursor == nullptr) return FALSE;
  SetCursor(cursor);
  return TRUE;
}

LRESULT OnSysCommand(HWND window, WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_CLOSE: SendMessage(window, WM_CLOSE, 0, 0); return 0;
    case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(window, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(window, SW_RESTORE); return 0;
    default: return 0;
  }
}

LRESULT ToParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetAncestor(window, GA_PARENT);
  return parent != nullptr ? SendMessage(parent, message, wParam, lParam) : 0;
}

// A child lets its parents decide; the first that does not leave it to the
// default decides for all. At the top, a click activates.
LRESULT OnMouseActivate(HWND window, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = ToParent(window, WM_MOUSEACTIVATE, wParam, lParam);
  return answer != 0 ? answer : MA_ACTIVATE;
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT paint;
  if (BeginPaint(window, &paint) != nullptr) EndPaint(window, &paint);
  return 0;
}

LRESULT OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(window);
  return 0;
}

LRESULT OnCancelMode(HWND window) {
  if (GetCapture() == window) ReleaseCapture();
  return 0;
}

}  // namespace

}  // namespace platform

using namespace platform;

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_NCPAINT: OnNcPaint(window); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_SYSCOMMAND: return OnSysCommand(window, wParam);
    case WM_ACTIVATE: return OnActivate(window, wParam);
    case WM_SETCURSOR: return OnSetCursor(window, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE: return OnFrameMouse(window, message, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return OnSystemKey(window, message, wParam, lParam);
    case WM_UNICHAR: MessageBeep(0); return FALSE;
    case WM_MOUSEWHEEL: return ToParent(window, message, wParam, lParam);
    case WM_CONTEXTMENU: return ToParent(window, message, wParam, lParam);
    case WM_MOUSEACTIVATE: return OnMouseActivate(window, wParam, lParam);
    case WM_CANCELMODE: return OnCancelMode(window);
    case WM_SETTEXT: return StoreWindowText(window, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return CopyWindowText(window, wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: return WindowTextLength(window);
    default: return 0;
  }
}
