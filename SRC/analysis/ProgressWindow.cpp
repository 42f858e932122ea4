// The analysis progress window class and procedure; see ProgressWindow.h.
#include "analysis/ProgressWindow.h"

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "shell/AppPens.h"
#include "shell/WindowUtilities.h"

namespace {

// The window and its own device context, while the window exists.
struct ProgressWindowState {
  HWND window = nullptr;
  HDC dc = nullptr;
};
ProgressWindowState g_Progress;

LRESULT OnCreate(HWND window) {
  g_Progress.window = window;
  g_Progress.dc = GetDC(window);
  SetBkColor(g_Progress.dc, AppColour::kYellow);
  SelectObject(g_Progress.dc, GetStockObject(DEFAULT_GUI_FONT));
  return 0;
}

LRESULT OnDestroy(HWND window) {
  if (window == g_Progress.window) {
    ReleaseDC(window, g_Progress.dc);
    g_Progress = ProgressWindowState{};
  }
  return 0;
}

LRESULT ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy(window);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterProgressWindowClass() {
  RegisterChildClass(kProgressWindowClass, ProgressWindowProc, CS_OWNDC, Pens().yellowBrush);
}
