// The OpenGL context of the painting window: the pixel format, the context
// made current on the window's own device context, the state and circle
// tables, and presenting the picture. The context is current on the graphics
// thread only. A window larger than OpenGL can render is refused: render
// mode is not entered (or is left) and the line picture stays.
#include <GL/gl.h>

#include "graphics/GraphicsWindow.h"
#include "model/GlSolids.h"
#include "platform/GlContext.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ViewRequests.h"

namespace {

HGLRC g_Context = nullptr;
HDC g_ContextDc = nullptr;

// Sets the window format on a device context that has none yet (the own DC
// is made anew when its window outgrows its surface).
bool EnsurePixelFormat(HDC dc) {
  if (GetPixelFormat(dc) != 0) return true;
  PIXELFORMATDESCRIPTOR wanted{};
  wanted.nSize = sizeof wanted;
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 24;
  wanted.cDepthBits = 32;
  wanted.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc, &wanted);
  if (format == 0) return false;
  PIXELFORMATDESCRIPTOR found{};
  DescribePixelFormat(dc, format, sizeof found, &found);
  if ((found.dwFlags & PFD_SUPPORT_OPENGL) == 0) return false;
  return SetPixelFormat(dc, format, &wanted) != FALSE;
}

// Without OpenGL there is no Render command and no Render button.
void RemoveRenderCommand() {
  Frame& frame = GraphicsFrame();
  if (frame.menu != nullptr) DeleteMenu(frame.menu, kRenderCommand, MF_BYCOMMAND);
  EnableToolbarButtonBoth(kRenderCommand, false);
  for (HWND toolbar : {frame.smallToolbar, frame.largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_HIDEBUTTON, kRenderCommand, TRUE);
}

}  // namespace

bool GlCreateContext(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return false;
  if (!EnsurePixelFormat(dc)) {
    RemoveRenderCommand();
    return false;
  }
  g_Context = wglCreateContext(dc);
  if (g_Context == nullptr) return false;
  if (!wglMakeCurrent(dc, g_Context)) {
    wglDeleteContext(g_Context);
    g_Context = nullptr;
    return false;
  }
  g_ContextDc = dc;
  GlInitState();
  BuildCircleTables();
  return true;
}

bool GlWindowTooLarge() {
  RECT client{};
  HWND painting = PaintingWindowHandle();
  if (painting == nullptr || !GetClientRect(painting, &client)) return false;
  const SIZE largest = platform::GlMaximumPictureSize();
  return client.right > largest.cx || client.bottom > largest.cy;
}

bool GlBindWindow() {
  HWND painting = PaintingWindowHandle();
  if (g_Context == nullptr || painting == nullptr || GlWindowTooLarge()) return false;
  HDC dc = GetDC(painting);
  if (dc == nullptr || !EnsurePixelFormat(dc)) return false;
  if (!wglMakeCurrent(dc, g_Context)) return false;
  if (dc != g_ContextDc) {
    g_ContextDc = dc;
    GlInitState();
  }
  return true;
}

void GlPresent() {
  if (g_Context != nullptr && g_ContextDc != nullptr) SwapBuffers(g_ContextDc);
}

void GlDeleteContext() {
  if (g_Context == nullptr) return;
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(g_Context);
  g_Context = nullptr;
  g_ContextDc = nullptr;
}
