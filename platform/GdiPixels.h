// Reading pixels back and writing PNG files (or PNG bytes, for the
// clipboard), for tests and for the exports that later work builds. Pixels
// come back as COLORREF values (0x00BBGGRR), row by row from the top,
// whatever the row order of the bitmap in memory.
// A cairo image surface (a window's backing surface) can be read the same way.
#pragma once

#include "platform/Types.h"

#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // width * height, top row first
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

PixelImage ReadBitmapPixels(HBITMAP bitmap);
PixelImage ReadSurfacePixels(cairo_surface_t* surface);
// False when the file cannot be written.
bool WriteBitmapPng(HBITMAP bitmap, const char* path);
bool WriteSurfacePng(cairo_surface_t* surface, const char* path);
// The bitmap as the bytes of a PNG file; empty when it is not a bitmap.
std::string EncodeBitmapPng(HBITMAP bitmap);
