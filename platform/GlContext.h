// OpenGL contexts on device contexts: pixel formats, context creation,
// making a context current and presenting its picture. Program code includes
// <GL/gl.h> in its own source files and calls OpenGL directly; this header
// brings in no OpenGL or off-screen header.
//
// Two pixel formats exist: 1, double-buffered, for window contexts; 2,
// single-buffered, for memory contexts with a 32-bit bitmap selected (the
// picture of a print is rendered into a DIB section). Rendering goes off
// screen (GlOffscreen.h); SwapBuffers puts a window context's picture into
// the window's surface, and glFinish or glFlush leaves a bitmap context's
// picture in the bitmap's own memory.
#pragma once

#include "platform/Types.h"

struct PIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits;
  BYTE cRedShift;
  BYTE cGreenBits;
  BYTE cGreenShift;
  BYTE cBlueBits;
  BYTE cBlueShift;
  BYTE cAlphaBits;
  BYTE cAlphaShift;
  BYTE cAccumBits;
  BYTE cAccumRedBits;
  BYTE cAccumGreenBits;
  BYTE cAccumBlueBits;
  BYTE cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask;
  DWORD dwVisibleMask;
  DWORD dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");

constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_STEREO = 0x00000002;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_DRAW_TO_BITMAP = 0x00000008;
constexpr DWORD PFD_SUPPORT_GDI = 0x00000010;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr DWORD PFD_GENERIC_FORMAT = 0x00000040;
constexpr DWORD PFD_NEED_PALETTE = 0x00000080;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_TYPE_COLORINDEX = 1;
constexpr BYTE PFD_MAIN_PLANE = 0;

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted);
// A context's format is set once; setting the same format again succeeds.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* wanted);
int GetPixelFormat(HDC dc);
// Fills `descriptor` (when not null) and returns the number of formats.
int DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* descriptor);

HGLRC wglCreateContext(HDC dc);
BOOL wglDeleteContext(HGLRC context);
// nullptr context: the thread's current context stops being current.
BOOL wglMakeCurrent(HDC dc, HGLRC context);
HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();
BOOL SwapBuffers(HDC dc);

namespace platform {
// The largest picture a context can render, in pixels. A window context on a
// larger window cannot be made current (wglMakeCurrent fails and nothing is
// allocated), and SwapBuffers presents nothing more once its window has
// grown past it.
SIZE GlMaximumPictureSize();
}  // namespace platform
