// OpenGL contexts on device contexts (see GlContext.h).
//
// A context renders off screen. Made current on a memory context, it draws
// straight into the selected bitmap's memory, in that bitmap's row order.
// Made current on a window context, it draws into a buffer of its own, sized
// to the window's client area; SwapBuffers finishes the picture and copies it
// into the window's surface at the client origin, inside the context's clip.
// When the client area has changed size since the buffer was made, the
// buffer is remade for the next frame and the window is invalidated, so the
// picture that follows a resize is drawn at the new size.
//
// Each thread has at most one current context, and a context is current on
// at most one thread, as the program's graphics and printing threads expect.
#include "platform/GlContext.h"

#include "platform/GdiInternal.h"
#include "platform/GlOffscreen.h"
#include "platform/Paint.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <unordered_set>

struct HGLRC__ {
  std::unique_ptr<gl::OffscreenContext> offscreen;
  int pixelFormat = 0;
  bool current = false;  // on some thread; guarded by the context table's lock
  HDC dc = nullptr;
  // Window target: the buffer the context draws into.
  std::vector<std::uint32_t> buffer;
  int width = 0;
  int height = 0;
  // Bitmap target.
  gdi::BitmapObject* bitmap = nullptr;
};

namespace {

constexpr int kWindowFormat = 1;
constexpr int kBitmapFormat = 2;
constexpr int kFormatCount = 2;

struct ContextTable {
  std::mutex lock;
  std::unordered_set<HGLRC> live;
};

ContextTable& Contexts() {
  static ContextTable* table = new ContextTable;  // lives as long as the process
  return *table;
}

thread_local HGLRC t_current = nullptr;

bool IsLiveContext(HGLRC context) {
  ContextTable& table = Contexts();
  std::lock_guard guard(table.lock);
  return table.live.count(context) != 0;
}

PIXELFORMATDESCRIPTOR Describe(int format) {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_SUPPORT_OPENGL | PFD_GENERIC_FORMAT;
  pfd.dwFlags |= format == kWindowFormat ? PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER
                                         : PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cRedBits = 8;
  pfd.cRedShift = 16;
  pfd.cGreenBits = 8;
  pfd.cGreenShift = 8;
  pfd.cBlueBits = 8;
  pfd.cBlueShift = 0;
  pfd.cAlphaBits = 8;
  pfd.cAlphaShift = 24;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

// The client size of the window a context draws on.
SIZE TargetSize(HDC dc) {
  RECT client{0, 0, 0, 0};
  if (dc->window == nullptr || !GetClientRect(dc->window, &client)) {
    client = RECT{0, 0, dc->baseClip.right - dc->baseClip.left,
                  dc->baseClip.bottom - dc->baseClip.top};
  }
  return SIZE{std::max<LONG>(1, client.right - client.left),
              std::max<LONG>(1, client.bottom - client.top)};
}

bool TooLarge(SIZE size) {
  const SIZE largest = platform::GlMaximumPictureSize();
  return size.cx > largest.cx || size.cy > largest.cy;
}

bool BindWindow(HGLRC context, HDC dc) {
  SIZE size = TargetSize(dc);
  // Refused before anything is allocated: the renderer could not draw it.
  if (TooLarge(size)) {
    context->buffer.clear();
    context->width = context->height = 0;
    return false;
  }
  if (size.cx != context->width || size.cy != context->height || context->buffer.empty()) {
    context->width = size.cx;
    context->height = size.cy;
    context->buffer.assign(static_cast<std::size_t>(size.cx) * size.cy, 0);
  }
  context->bitmap = nullptr;
  return context->offscreen->Bind(context->buffer.data(), context->width, context->height, true);
}

bool BindBitmap(HGLRC context, HDC dc) {
  auto* bitmap = dc->state.bitmap.as<gdi::BitmapObject>();
  if (bitmap == nullptr || bitmap->stock || bitmap->bitsPixel != 32) return false;
  context->bitmap = bitmap;
  context->width = bitmap->width;
  context->height = bitmap->height;
  context->buffer.clear();
  return context->offscreen->Bind(bitmap->Bits(), bitmap->width, bitmap->height,
                                  !bitmap->bottomUp);
}

// Copies a window context's finished picture into its surface.
void Present(HGLRC context, HDC dc) {
  if (context->buffer.empty()) return;
  gdi::RectList clip = gdi::ClipRects(*dc);
  RECT picture{dc->origin.x, dc->origin.y, dc->origin.x + context->width,
               dc->origin.y + context->height};
  gdi::Pixels pixels = gdi::BeginPixels(dc->surface);
  for (const RECT& part : gdi::IntersectList(clip, picture))
    for (int y = part.top; y < part.bottom; ++y) {
      const std::uint32_t* row =
          &context->buffer[static_cast<std::size_t>(y - dc->origin.y) * context->width];
      for (int x = part.left; x < part.right; ++x)
        pixels.At(x, y) = row[x - dc->origin.x] & 0xFFFFFF;
    }
  gdi::EndPixels(dc->surface);
}

}  // namespace

SIZE platform::GlMaximumPictureSize() {
  static const int side = gl::MaximumPictureSide();
  return SIZE{side, side};
}

// --- pixel formats -----------------------------------------------------------------

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted) {
  if (gdi::ValidDc(dc) == nullptr || wanted == nullptr) return 0;
  if (wanted->iPixelType != PFD_TYPE_RGBA) return 0;
  return (wanted->dwFlags & PFD_DRAW_TO_BITMAP) ? kBitmapFormat : kWindowFormat;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* wanted) {
  (void)wanted;
  if (gdi::ValidDc(dc) == nullptr || format < 1 || format > kFormatCount) return FALSE;
  if ((format == kBitmapFormat) != dc->memory) return FALSE;
  if (dc->pixelFormat != 0) return dc->pixelFormat == format ? TRUE : FALSE;
  dc->pixelFormat = format;
  return TRUE;
}

int GetPixelFormat(HDC dc) { return gdi::ValidDc(dc) != nullptr ? dc->pixelFormat : 0; }

int DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* descriptor) {
  if (gdi::ValidDc(dc) == nullptr) return 0;
  if (descriptor != nullptr) {
    if (format < 1 || format > kFormatCount || size < sizeof(PIXELFORMATDESCRIPTOR)) return 0;
    *descriptor = Describe(format);
  }
  return kFormatCount;
}

// --- contexts ------------------------------------------------------------------------

HGLRC wglCreateContext(HDC dc) {
  if (gdi::ValidDc(dc) == nullptr || dc->pixelFormat == 0) return nullptr;
  PIXELFORMATDESCRIPTOR pfd = Describe(dc->pixelFormat);
  auto offscreen = gl::CreateOffscreenContext(pfd.cDepthBits, pfd.cStencilBits);
  if (offscreen == nullptr) return nullptr;
  auto context = std::make_unique<HGLRC__>();
  context->offscreen = std::move(offscreen);
  context->pixelFormat = dc->pixelFormat;
  HGLRC handle = context.release();
  ContextTable& table = Contexts();
  std::lock_guard guard(table.lock);
  table.live.insert(handle);
  return handle;
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
  if (context == nullptr) {
    if (t_current != nullptr) {
      // A bitmap's picture is complete once its context lets go of it.
      if (t_current->bitmap != nullptr) t_current->offscreen->Finish();
      t_current->offscreen->Unbind();
      std::lock_guard guard(Contexts().lock);
      t_current->current = false;
      t_current->dc = nullptr;
      t_current = nullptr;
    }
    return TRUE;
  }
  if (gdi::ValidDc(dc) == nullptr || dc->pixelFormat != context->pixelFormat) return FALSE;
  {
    ContextTable& table = Contexts();
    std::lock_guard guard(table.lock);
    if (table.live.count(context) == 0) return FALSE;
    if (context->current && context != t_current) return FALSE;  // current elsewhere
    if (t_current != nullptr && t_current != context) {
      t_current->current = false;
      t_current->dc = nullptr;
    }
    context->current = true;
  }
  bool bound = dc->memory ? BindBitmap(context, dc) : BindWindow(context, dc);
  std::lock_guard guard(Contexts().lock);
  if (!bound) {
    context->current = false;
    context->dc = nullptr;
    t_current = nullptr;
    return FALSE;
  }
  context->dc = dc;
  t_current = context;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC context) {
  ContextTable& table = Contexts();
  {
    std::lock_guard guard(table.lock);
    if (table.live.count(context) == 0) return FALSE;
    if (context->current && context != t_current) return FALSE;
  }
  if (context == t_current) wglMakeCurrent(nullptr, nullptr);
  {
    std::lock_guard guard(table.lock);
    table.live.erase(context);
  }
  std::unique_ptr<HGLRC__> owned(context);
  return TRUE;
}

HGLRC wglGetCurrentContext() { return t_current; }

HDC wglGetCurrentDC() { return t_current != nullptr ? t_current->dc : nullptr; }

BOOL SwapBuffers(HDC dc) {
  if (gdi::ValidDc(dc) == nullptr) return FALSE;
  HGLRC context = t_current;
  if (context == nullptr || !IsLiveContext(context)) return FALSE;
  bool sameTarget = context->dc == dc || (dc->window != nullptr && context->dc != nullptr &&
                                          context->dc->window == dc->window);
  if (!sameTarget) return FALSE;
  context->offscreen->Finish();
  if (context->bitmap != nullptr) {
    cairo_surface_mark_dirty(context->bitmap->surface);
    return TRUE;
  }
  Present(context, dc);
  SIZE size = TargetSize(dc);
  if (size.cx != context->width || size.cy != context->height) {
    BindWindow(context, context->dc);
    if (dc->window != nullptr) InvalidateRect(dc->window, nullptr, FALSE);
  }
  return TRUE;
}
