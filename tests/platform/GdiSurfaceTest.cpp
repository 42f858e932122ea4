// Contexts on a surface that someone else owns, as the window core makes
// them for BeginPaint and GetDC: the origin places device (0, 0), the clip
// and the paint clip bound every pixel drawn.
#include "platform/Gdi.h"
#include "platform/GdiPixels.h"
#include "platform/GdiSurface.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

class Surface {
 public:
  Surface(int width, int height)
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
    cairo_t* cr = cairo_create(surface_);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  ~Surface() { cairo_surface_destroy(surface_); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  cairo_surface_t* get() const { return surface_; }
  COLORREF At(int x, int y) const { return ReadSurfacePixels(surface_).At(x, y); }
  int Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF pixel : ReadSurfacePixels(surface_).pixels) count += pixel == colour;
    return count;
  }

 private:
  cairo_surface_t* surface_;
};

HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234)); }

TEST(GdiSurfaceDc, OriginAndClipPlaceAChildsDrawing) {
  Surface surface(20, 10);
  // A child whose client area starts at (5, 2) and is 6 x 4 pixels.
  HDC dc = CreateSurfaceDc(surface.get(), POINT{5, 2}, RECT{5, 2, 11, 6}, FakeWindow());
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(WindowFromDC(dc), FakeWindow());
  RECT all{-100, -100, 100, 100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(surface.Count(kBlack), 6 * 4);
  EXPECT_EQ(surface.At(5, 2), kBlack);
  EXPECT_EQ(surface.At(10, 5), kBlack);
  EXPECT_NE(surface.At(11, 5), kBlack);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(box.bottom, 4);
  EXPECT_EQ(GetPixel(dc, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 6, 0), CLR_INVALID);  // outside the client area
  DestroySurfaceDc(dc);
  EXPECT_EQ(WindowFromDC(dc), nullptr);
}

TEST(GdiSurfaceDc, PaintClipNarrowsAndResetMovesKeepingTheObjects) {
  Surface surface(20, 10);
  HDC dc = CreateSurfaceDc(surface.get(), POINT{0, 0}, RECT{0, 0, 20, 10}, nullptr);
  SetSurfaceDcClip(dc, RECT{2, 2, 4, 3});
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dc, red);
  SetBkMode(dc, TRANSPARENT);
  PatBlt(dc, 0, 0, 20, 10, PATCOPY);
  EXPECT_EQ(surface.Count(RGB(255, 0, 0)), 2);
  ResetSurfaceDc(dc, POINT{10, 5}, RECT{10, 5, 20, 10});  // moved; paint clip gone
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(red));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  PatBlt(dc, 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(surface.At(10, 5), RGB(255, 0, 0));
  EXPECT_EQ(surface.Count(RGB(255, 0, 0)), 3);
  DestroySurfaceDc(dc);
  DeleteObject(red);
}

TEST(GdiSurfaceDc, FontsUseThePrivateConfigurationAndLeaveTheEnvironmentAlone) {
  Surface surface(40, 20);
  HDC dc = CreateSurfaceDc(surface.get(), POINT{0, 0}, RECT{0, 0, 40, 20}, nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32(dc, "Wj", 2, &size));
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(std::getenv("FONTCONFIG_FILE"), nullptr);
  TextOut(dc, 0, 0, "Wj", 2);
  EXPECT_GT(surface.Count(kBlack), 0);
  DestroySurfaceDc(dc);
}

}  // namespace
