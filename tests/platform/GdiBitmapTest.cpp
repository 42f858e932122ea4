// Bitmaps, DIB sections, blits and PNG output.
#include "platform/GdiTestCanvas.h"

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A distinct colour for every pixel, so a misplaced pixel shows.
COLORREF Distinct(int x, int y) { return RGB(x * 7 + 3, y * 11 + 5, (x * 13 + y * 17) & 0xFF); }

void Paint(Canvas& canvas, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel(canvas.dc(), x, y, Distinct(x, y));
}

TEST(GdiBitmaps, DibSectionBitsAreTheDrawnPixelsInBothRowOrders) {
  for (bool bottomUp : {false, true}) {
    Canvas canvas(3, 2, bottomUp);
    SetPixel(canvas.dc(), 0, 0, RGB(0x11, 0x22, 0x33));
    SetPixel(canvas.dc(), 2, 1, RGB(0x44, 0x55, 0x66));
    const auto* bytes = static_cast<const std::uint8_t*>(canvas.bits());
    // Rows of 3 x 4 bytes, blue first; bottom-up memory holds the last row first.
    const std::uint8_t* top = bytes + (bottomUp ? 12 : 0);
    const std::uint8_t* last = bytes + (bottomUp ? 0 : 12);
    EXPECT_EQ(top[0], 0x33) << bottomUp;
    EXPECT_EQ(top[1], 0x22) << bottomUp;
    EXPECT_EQ(top[2], 0x11) << bottomUp;
    EXPECT_EQ(last[8], 0x66) << bottomUp;
    EXPECT_EQ(last[10], 0x44) << bottomUp;
    BITMAP record{};
    ASSERT_EQ(GetObject(canvas.bitmap(), sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.bmWidth, 3);
    EXPECT_EQ(record.bmHeight, 2);
    EXPECT_EQ(record.bmBitsPixel, 32);
    EXPECT_EQ(record.bmWidthBytes, 12);
    EXPECT_EQ(record.bmBits, canvas.bits());
  }
}

TEST(GdiBitmaps, UnsupportedDibFormatsAreRefused) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 8;
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biWidth = 0;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 4, 4), nullptr);  // no context
}

TEST(GdiBlits, BitBltCopiesExactly) {
  Canvas source(12, 10);
  Paint(source, 12, 10);
  Canvas target(12, 10);
  ASSERT_TRUE(BitBlt(target.dc(), 4, 3, 5, 4, source.dc(), 2, 1, SRCCOPY));
  PixelImage image = target.Pixels();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      bool inside = x >= 4 && x < 9 && y >= 3 && y < 7;
      EXPECT_EQ(image.At(x, y), inside ? Distinct(x - 2, y - 2) : kWhite) << x << "," << y;
    }
}

TEST(GdiBlits, OverlappingCopyWithinOneContext) {
  Canvas canvas(8, 4);
  Paint(canvas, 8, 4);
  BitBlt(canvas.dc(), 1, 0, 6, 4, canvas.dc(), 0, 0, SRCCOPY);  // move right by one
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(canvas.At(0, y), Distinct(0, y));
    for (int x = 1; x < 7; ++x) EXPECT_EQ(canvas.At(x, y), Distinct(x - 1, y)) << x;
    EXPECT_EQ(canvas.At(7, y), Distinct(7, y));
  }
}

TEST(GdiBlits, RasterOperationsOfBitBlt) {
  Canvas source(1, 1);
  SetPixel(source.dc(), 0, 0, RGB(0x0F, 0x33, 0xF0));
  Canvas target(5, 1);
  for (int x = 0; x < 5; ++x) SetPixel(target.dc(), x, 0, RGB(0x55, 0xFF, 0x00));
  BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCINVERT);
  BitBlt(target.dc(), 1, 0, 1, 1, source.dc(), 0, 0, SRCAND);
  BitBlt(target.dc(), 2, 0, 1, 1, source.dc(), 0, 0, SRCPAINT);
  BitBlt(target.dc(), 3, 0, 1, 1, source.dc(), 0, 0, NOTSRCCOPY);
  SelectObject(target.dc(), GetStockObject(LTGRAY_BRUSH));
  BitBlt(target.dc(), 4, 0, 1, 1, source.dc(), 0, 0, PATCOPY);
  EXPECT_EQ(target.At(0, 0), RGB(0x5A, 0xCC, 0xF0));
  EXPECT_EQ(target.At(1, 0), RGB(0x05, 0x33, 0x00));
  EXPECT_EQ(target.At(2, 0), RGB(0x5F, 0xFF, 0xF0));
  EXPECT_EQ(target.At(3, 0), RGB(0xF0, 0xCC, 0x0F));
  EXPECT_EQ(target.At(4, 0), RGB(0xC0, 0xC0, 0xC0));
  BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCINVERT);
  EXPECT_EQ(target.At(0, 0), RGB(0x55, 0xFF, 0x00));  // twice restores
}

TEST(GdiBlits, StretchBltDoublesAndMirrors) {
  Canvas source(3, 2);
  Paint(source, 3, 2);
  Canvas target(6, 4);
  StretchBlt(target.dc(), 0, 0, 6, 4, source.dc(), 0, 0, 3, 2, SRCCOPY);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(target.At(x, y), Distinct(x / 2, y / 2)) << x << "," << y;
  StretchBlt(target.dc(), 3, 0, -3, 2, source.dc(), 0, 0, 3, 2, SRCCOPY);  // mirrored
  EXPECT_EQ(target.At(0, 0), Distinct(2, 0));
  EXPECT_EQ(target.At(2, 1), Distinct(0, 1));
}

TEST(GdiBlits, StretchDibitsReadsBottomUpRows) {
  // 2 x 2 bottom-up rows: the first stored row is the picture's bottom row.
  const std::uint32_t rows[] = {0x00000011, 0x00000022, 0x00000033, 0x00000044};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  Canvas target(2, 2);
  EXPECT_EQ(StretchDIBits(target.dc(), 0, 0, 2, 2, 0, 0, 2, 2, rows, &info, DIB_RGB_COLORS, SRCCOPY),
            2);
  EXPECT_EQ(target.At(0, 0), RGB(0, 0, 0x33));
  EXPECT_EQ(target.At(1, 1), RGB(0, 0, 0x22));
}

TEST(GdiBitmaps, ABitmapIsSelectedIntoOneContextAtATime) {
  Canvas canvas(2, 2);
  HDC other = CreateCompatibleDC(canvas.dc());
  EXPECT_EQ(SelectObject(other, canvas.bitmap()), nullptr);
  DeleteDC(other);
}

TEST(GdiPng, WrittenFileReadsBackPixelForPixel) {
  Canvas canvas(5, 4, true);
  Paint(canvas, 5, 4);
  std::string path = std::string(std::getenv("TMPDIR")) + "/canvas.png";
  ASSERT_TRUE(WriteBitmapPng(canvas.bitmap(), path.c_str()));
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  PixelImage image = ReadSurfacePixels(read);
  cairo_surface_destroy(read);
  ASSERT_EQ(image.width, 5);
  ASSERT_EQ(image.height, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.At(x, y), Distinct(x, y)) << x << "," << y;
  EXPECT_FALSE(WriteBitmapPng(canvas.bitmap(), "/nonexistent-folder/canvas.png"));
}

}  // namespace
