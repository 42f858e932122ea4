// OpenGL through the context calls: a clear colour and a triangle in the
// top-left corner must reach a DIB section and a window surface the right
// way up and in the right colours.
//
// The triangle has the corners (-1, 1), (0, 1) and (-1, 0) in normalised
// device coordinates: the top-left quarter of the picture, cut on its
// diagonal. Pixel (x, y) of a W x H picture is inside when
// (x + 0.5) / (W / 2) + (y + 0.5) / (H / 2) < 1.
#include "platform/GdiTestCanvas.h"

#include "platform/GlContext.h"
#include "platform/Paint.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"

#include <GL/gl.h>

#include <functional>
#include <thread>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

PIXELFORMATDESCRIPTOR Request(DWORD flags) {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = flags;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 32;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

void DrawCornerTriangle(int width, int height, float red, float green, float blue) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glClearColor(red, green, blue, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1.0f, 0.0f, 0.0f);
  glBegin(GL_TRIANGLES);
  glVertex2f(-1.0f, 1.0f);
  glVertex2f(0.0f, 1.0f);
  glVertex2f(-1.0f, 0.0f);
  glEnd();
}

bool InTriangle(int x, int y, int width, int height) {
  return (x + 0.5) / (width / 2.0) + (y + 0.5) / (height / 2.0) < 1.0;
}

// Checks the picture away from the diagonal, where rasterisation rules
// could go either way.
void ExpectCornerTriangle(const std::function<COLORREF(int, int)>& pixel, int width, int height,
                          COLORREF background) {
  int wrong = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      double edge = (x + 0.5) / (width / 2.0) + (y + 0.5) / (height / 2.0);
      if (edge > 0.95 && edge < 1.05) continue;
      COLORREF expected = InTriangle(x, y, width, height) ? kRed : background;
      if (pixel(x, y) != expected && ++wrong <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << pixel(x, y);
    }
  EXPECT_EQ(wrong, 0);
}

TEST(GlPixelFormats, WindowAndBitmapFormatsAreDescribed) {
  Canvas canvas(4, 4);
  PIXELFORMATDESCRIPTOR window = Request(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER);
  EXPECT_EQ(window.dwFlags, 37u);  // the graphics window's request
  int windowFormat = ChoosePixelFormat(canvas.dc(), &window);
  int bitmapFormat = ChoosePixelFormat(canvas.dc(), nullptr);
  EXPECT_EQ(bitmapFormat, 0);  // no request, no format
  PIXELFORMATDESCRIPTOR bitmap = Request(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL);
  bitmapFormat = ChoosePixelFormat(canvas.dc(), &bitmap);
  ASSERT_NE(windowFormat, 0);
  ASSERT_NE(bitmapFormat, 0);
  PIXELFORMATDESCRIPTOR described{};
  EXPECT_GE(DescribePixelFormat(canvas.dc(), windowFormat, sizeof described, &described), 2);
  EXPECT_EQ(described.dwFlags & 37u, 37u);
  EXPECT_EQ(described.dwFlags & PFD_NEED_PALETTE, 0u);
  DescribePixelFormat(canvas.dc(), bitmapFormat, sizeof described, &described);
  EXPECT_TRUE(described.dwFlags & PFD_DRAW_TO_BITMAP);
  EXPECT_TRUE(described.dwFlags & PFD_SUPPORT_OPENGL);
  EXPECT_EQ(described.cColorBits, 32);  // a DIB section of these bits can be drawn into
  EXPECT_EQ(SetPixelFormat(canvas.dc(), windowFormat, &window), FALSE);  // not a window
  EXPECT_TRUE(SetPixelFormat(canvas.dc(), bitmapFormat, &bitmap));
  EXPECT_EQ(GetPixelFormat(canvas.dc()), bitmapFormat);
}

TEST(GlBitmap, ClearColourAndTriangleReachTheDibTheRightWayUp) {
  for (bool bottomUp : {false, true}) {
    constexpr int kWidth = 64, kHeight = 48;
    Canvas canvas(kWidth, kHeight, bottomUp);
    PIXELFORMATDESCRIPTOR pfd = Request(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL);
    ASSERT_TRUE(SetPixelFormat(canvas.dc(), ChoosePixelFormat(canvas.dc(), &pfd), &pfd));
    HGLRC context = wglCreateContext(canvas.dc());
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(canvas.dc(), context));
    EXPECT_EQ(wglGetCurrentContext(), context);
    EXPECT_EQ(wglGetCurrentDC(), canvas.dc());
    DrawCornerTriangle(kWidth, kHeight, 0.0f, 0.0f, 1.0f);
    glFinish();
    PixelImage image = canvas.Pixels();
    ExpectCornerTriangle([&](int x, int y) { return image.At(x, y); }, kWidth, kHeight, kBlue);
    EXPECT_EQ(image.At(1, 1), kRed) << bottomUp;
    EXPECT_EQ(image.At(1, kHeight - 2), kBlue) << bottomUp;
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_FALSE(wglDeleteContext(context));  // gone
  }
}

TEST(GlBitmap, GdiDrawsOverTheRenderedPicture) {
  Canvas canvas(32, 32);
  PIXELFORMATDESCRIPTOR pfd = Request(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL);
  SetPixelFormat(canvas.dc(), ChoosePixelFormat(canvas.dc(), &pfd), &pfd);
  HGLRC context = wglCreateContext(canvas.dc());
  wglMakeCurrent(canvas.dc(), context);
  DrawCornerTriangle(32, 32, 0.0f, 1.0f, 0.0f);
  wglMakeCurrent(nullptr, nullptr);  // letting go finishes the picture
  MoveToEx(canvas.dc(), 20, 30, nullptr);
  LineTo(canvas.dc(), 30, 30);
  EXPECT_EQ(canvas.At(25, 30), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(25, 29), kGreen);
  EXPECT_EQ(canvas.At(2, 2), kRed);
  wglDeleteContext(context);
}

TEST(GlBitmap, ContextNeedsAPixelFormatAndAContextIsCurrentOnOneThread) {
  Canvas canvas(8, 8);
  EXPECT_EQ(wglCreateContext(canvas.dc()), nullptr);  // no pixel format yet
  PIXELFORMATDESCRIPTOR pfd = Request(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL);
  SetPixelFormat(canvas.dc(), ChoosePixelFormat(canvas.dc(), &pfd), &pfd);
  HGLRC context = wglCreateContext(canvas.dc());
  ASSERT_TRUE(wglMakeCurrent(canvas.dc(), context));
  BOOL elsewhere = TRUE;
  std::thread other([&] { elsewhere = wglMakeCurrent(canvas.dc(), context); });
  other.join();
  EXPECT_FALSE(elsewhere);
  EXPECT_TRUE(SwapBuffers(canvas.dc()));
  wglMakeCurrent(nullptr, nullptr);
  EXPECT_FALSE(SwapBuffers(canvas.dc()));  // nothing current
  wglDeleteContext(context);
}

LRESULT PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

TEST(GlWindow, ClearColourAndTriangleReachTheWindowSurfaceTheRightWayUp) {
  WNDCLASS windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "GlTestWindow";
  ASSERT_NE(RegisterClass(&windowClass), 0);
  HWND window = CreateWindow("GlTestWindow", "OpenGL", WS_POPUP | WS_VISIBLE, 10, 10, 90, 60,
                             nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  int width = client.right, height = client.bottom;
  ASSERT_GT(width, 8);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR pfd = Request(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER);
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
  HGLRC context = wglCreateContext(dc);
  ASSERT_TRUE(wglMakeCurrent(dc, context));
  DrawCornerTriangle(width, height, 0.0f, 1.0f, 0.0f);
  EXPECT_NE(platform::GetWindowPixel(window, 1, 1), kRed);  // not before the swap
  ASSERT_TRUE(SwapBuffers(dc));
  ExpectCornerTriangle([&](int x, int y) { return platform::GetWindowPixel(window, x, y); },
                       width, height, kGreen);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  UnregisterClass("GlTestWindow", nullptr);
}

TEST(GlWindow, AfterAResizeTheNextFrameIsDrawnAtTheNewSize) {
  WNDCLASS windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.lpszClassName = "GlResizeWindow";
  ASSERT_NE(RegisterClass(&windowClass), 0);
  HWND window = CreateWindow("GlResizeWindow", "OpenGL", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30,
                             nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR pfd = Request(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER);
  SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
  HGLRC context = wglCreateContext(dc);
  ASSERT_TRUE(wglMakeCurrent(dc, context));
  MoveWindow(window, 0, 0, 80, 60, FALSE);
  ValidateRect(window, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  ASSERT_EQ(client.right, 80);
  // This frame was made for the old size; presenting it asks for another.
  DrawCornerTriangle(client.right, client.bottom, 0.0f, 1.0f, 0.0f);
  SwapBuffers(dc);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  DrawCornerTriangle(client.right, client.bottom, 0.0f, 1.0f, 0.0f);
  SwapBuffers(dc);
  ExpectCornerTriangle([&](int x, int y) { return platform::GetWindowPixel(window, x, y); },
                       client.right, client.bottom, kGreen);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  UnregisterClass("GlResizeWindow", nullptr);
}

}  // namespace
