// A white bitmap selected into a memory DC, for the drawing tests: no
// window is needed. Pixels are read back from the bitmap, so a test checks
// what reached the memory, not what the DC reports.
#pragma once

#include "platform/Gdi.h"
#include "platform/GdiPixels.h"

#include <gtest/gtest.h>

#include <string>

class Canvas {
 public:
  Canvas(int width, int height, bool bottomUp = false) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  void* bits() const { return bits_; }
  PixelImage Pixels() const { return ReadBitmapPixels(bitmap_); }
  COLORREF At(int x, int y) const { return Pixels().At(x, y); }

  // The pixels as rows of characters: '.' for `background`, '#' for
  // anything else; handy for comparing small drawings with a picture.
  std::string Picture(COLORREF background = RGB(255, 255, 255)) const {
    PixelImage image = Pixels();
    std::string text;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) text += image.At(x, y) == background ? '.' : '#';
      text += '\n';
    }
    return text;
  }
  int Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF pixel : Pixels().pixels) count += pixel == colour ? 1 : 0;
    return count;
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};
