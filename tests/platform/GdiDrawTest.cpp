// Lines, figures, fills, raster operations, clipping and coordinate origins
// on a memory DC. Expected pixels are counted by hand from the coordinates
// each call names.
#include "platform/GdiTestCanvas.h"

#include "platform/System.h"

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Fills the canvas with a fixed pseudo-random pattern so that raster
// operations meet every kind of bit.
void Scramble(Canvas& canvas, int width, int height) {
  std::uint32_t state = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      SetPixel(canvas.dc(), x, y, (state >> 8) & 0xFFFFFF);
    }
}

TEST(GdiLines, OnePixelLinesCoverTheNamedPixelsAndNotTheirEnd) {
  Canvas canvas(10, 8);
  MoveToEx(canvas.dc(), 2, 3, nullptr);
  LineTo(canvas.dc(), 7, 3);  // x 2..6 on row 3
  MoveToEx(canvas.dc(), 8, 1, nullptr);
  LineTo(canvas.dc(), 8, 5);  // y 1..4 on column 8
  MoveToEx(canvas.dc(), 0, 4, nullptr);
  LineTo(canvas.dc(), 3, 7);  // the diagonal (0,4) (1,5) (2,6)
  EXPECT_EQ(canvas.Picture(),
            "..........\n"
            "........#.\n"
            "........#.\n"
            "..#####.#.\n"
            "#.......#.\n"
            ".#........\n"
            "..#.......\n"
            "..........\n");
  POINT position;
  GetCurrentPositionEx(canvas.dc(), &position);
  EXPECT_EQ(position.x, 3);
  EXPECT_EQ(position.y, 7);
}

TEST(GdiLines, PolylineJoinsSegmentsAndLeavesTheLastPointOut) {
  Canvas canvas(6, 5);
  POINT points[] = {{1, 1}, {4, 1}, {4, 4}};
  Polyline(canvas.dc(), points, 3);
  EXPECT_EQ(canvas.Picture(),
            "......\n"
            ".####.\n"
            "....#.\n"
            "....#.\n"
            "......\n");
}

TEST(GdiLines, DottedPenAlternatesThreeOnThreeOffAndFillsGapsWhenOpaque) {
  Canvas canvas(12, 2);
  HPEN pen = CreatePen(PS_DOT, 1, kBlack);
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  SetBkMode(canvas.dc(), TRANSPARENT);
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 12, 0);
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), kRed);
  MoveToEx(canvas.dc(), 0, 1, nullptr);
  LineTo(canvas.dc(), 12, 1);
  SelectObject(canvas.dc(), old);
  DeleteObject(pen);
  EXPECT_EQ(canvas.Picture(), "###...###...\n############\n");
  EXPECT_EQ(canvas.At(3, 1), kRed);
  EXPECT_EQ(canvas.At(2, 1), kBlack);
}

TEST(GdiLines, WidePensAreCentredOnTheLineAndSquareCapsReachPastTheEnds) {
  Canvas canvas(16, 9);
  HPEN round = CreatePen(PS_SOLID, 3, kBlack);
  SelectObject(canvas.dc(), round);
  MoveToEx(canvas.dc(), 4, 2, nullptr);
  LineTo(canvas.dc(), 10, 2);
  LOGBRUSH brush{BS_SOLID, kBlack, 0};
  HPEN square = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, 3, &brush, 0, nullptr);
  SelectObject(canvas.dc(), square);
  DeleteObject(round);  // selected elsewhere no more: freed now
  MoveToEx(canvas.dc(), 4, 6, nullptr);
  LineTo(canvas.dc(), 10, 6);
  SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(square);
  for (int y : {1, 2, 3}) EXPECT_EQ(canvas.At(7, y), kBlack) << y;
  EXPECT_EQ(canvas.At(7, 0), kWhite);
  EXPECT_EQ(canvas.At(7, 4), kWhite);
  // Square caps reach half the width (1.5 pixels) past both ends.
  for (int y : {5, 6, 7}) {
    EXPECT_EQ(canvas.At(3, y), kBlack) << y;
    EXPECT_EQ(canvas.At(11, y), kBlack) << y;
    EXPECT_EQ(canvas.At(1, y), kWhite) << y;
    EXPECT_EQ(canvas.At(13, y), kWhite) << y;
  }
}

TEST(GdiFigures, RectangleFramesItsEdgesAndFillsInside) {
  Canvas canvas(8, 7);
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(canvas.dc(), red);
  Rectangle(canvas.dc(), 1, 1, 6, 5);  // frame x 1..5, y 1..4
  SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  EXPECT_EQ(canvas.Picture(),
            "........\n"
            ".#####..\n"
            ".#####..\n"
            ".#####..\n"
            ".#####..\n"
            "........\n"
            "........\n");
  EXPECT_EQ(canvas.Count(kRed), 3 * 2);
  EXPECT_EQ(canvas.At(2, 2), kRed);
  EXPECT_EQ(canvas.At(1, 1), kBlack);
  EXPECT_EQ(canvas.At(5, 4), kBlack);
}

TEST(GdiFigures, HollowBrushLeavesTheInsideAndNullPenFillsOnePixelLess) {
  Canvas canvas(8, 6);
  SelectObject(canvas.dc(), GetStockObject(HOLLOW_BRUSH));
  Rectangle(canvas.dc(), 0, 0, 4, 3);
  SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
  Rectangle(canvas.dc(), 4, 2, 8, 6);  // fills x 4..6, y 2..4
  EXPECT_EQ(canvas.Picture(),
            "####....\n"
            "#..#....\n"
            "#######.\n"
            "....###.\n"
            "....###.\n"
            "........\n");
}

TEST(GdiFigures, FillRectAndFrameRectCoverExactlyTheirRectangle) {
  Canvas canvas(9, 6);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT fill{1, 1, 4, 3};
  FillRect(canvas.dc(), &fill, black);
  RECT frame{5, 1, 9, 6};
  FrameRect(canvas.dc(), &frame, black);
  EXPECT_EQ(canvas.Picture(),
            ".........\n"
            ".###.####\n"
            ".###.#..#\n"
            ".....#..#\n"
            ".....#..#\n"
            ".....####\n");
}

TEST(GdiFigures, EllipseIsSymmetricAndTouchesItsBoxMiddles) {
  Canvas canvas(13, 13);
  Ellipse(canvas.dc(), 1, 1, 12, 12);  // outline through pixels 1..11
  PixelImage image = canvas.Pixels();
  EXPECT_EQ(image.At(6, 1), kBlack);
  EXPECT_EQ(image.At(6, 11), kBlack);
  EXPECT_EQ(image.At(1, 6), kBlack);
  EXPECT_EQ(image.At(11, 6), kBlack);
  EXPECT_EQ(image.At(1, 1), kWhite);
  EXPECT_EQ(image.At(6, 0), kWhite);
  EXPECT_EQ(image.At(12, 6), kWhite);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      EXPECT_EQ(image.At(x, y), image.At(12 - x, y)) << x << "," << y;
      EXPECT_EQ(image.At(x, y), image.At(x, 12 - y)) << x << "," << y;
    }
}

TEST(GdiFigures, PolygonFillCoversPixelCentresInside) {
  Canvas canvas(10, 10);
  SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
  POINT triangle[] = {{0, 0}, {8, 0}, {0, 8}};
  Polygon(canvas.dc(), triangle, 3);
  // Centres (x + 0.5, y + 0.5) with x + y + 1 < 8: rows of 7, 6, ... 1 pixels.
  EXPECT_EQ(canvas.Count(kBlack), 7 + 6 + 5 + 4 + 3 + 2 + 1);
  EXPECT_EQ(canvas.At(6, 0), kBlack);
  EXPECT_EQ(canvas.At(7, 0), kWhite);
}

TEST(GdiRaster, XorAndNotRubberBandsDrawnTwiceRestoreEveryPixel) {
  for (int rop : {R2_XORPEN, R2_NOT, R2_NOTXORPEN}) {
    Canvas canvas(40, 30);
    Scramble(canvas, 40, 30);
    PixelImage before = canvas.Pixels();
    HPEN pen = CreatePen(PS_DOT, 1, RGB(200, 100, 50));
    SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), GetStockObject(HOLLOW_BRUSH));
    SetROP2(canvas.dc(), rop);
    for (int pass = 0; pass < 2; ++pass) {
      Rectangle(canvas.dc(), 3, 4, 30, 25);
      MoveToEx(canvas.dc(), 0, 0, nullptr);
      LineTo(canvas.dc(), 39, 17);
      Ellipse(canvas.dc(), 10, 10, 35, 28);
      if (pass == 0) {
        EXPECT_NE(canvas.Pixels().pixels, before.pixels) << rop;
      }
    }
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    EXPECT_EQ(canvas.Pixels().pixels, before.pixels) << rop;
  }
}

TEST(GdiRaster, BinaryOperationsCombineBits) {
  Canvas canvas(4, 1);
  SetPixel(canvas.dc(), 0, 0, RGB(0x0F, 0xF0, 0x55));
  SetPixel(canvas.dc(), 1, 0, RGB(0x0F, 0xF0, 0x55));
  SetPixel(canvas.dc(), 2, 0, RGB(0x0F, 0xF0, 0x55));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0x0F, 0xAA));
  SelectObject(canvas.dc(), pen);
  struct Case {
    int rop;
    int x;
  } cases[] = {{R2_XORPEN, 0}, {R2_NOT, 1}, {R2_NOTXORPEN, 2}};
  for (const Case& each : cases) {
    SetROP2(canvas.dc(), each.rop);
    MoveToEx(canvas.dc(), each.x, 0, nullptr);
    LineTo(canvas.dc(), each.x + 1, 0);
  }
  SetROP2(canvas.dc(), R2_BLACK);
  MoveToEx(canvas.dc(), 3, 0, nullptr);
  LineTo(canvas.dc(), 4, 0);
  SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  EXPECT_EQ(canvas.At(0, 0), RGB(0xF0, 0xFF, 0xFF));  // 0F^FF, F0^0F, 55^AA
  EXPECT_EQ(canvas.At(1, 0), RGB(0xF0, 0x0F, 0xAA));  // not destination
  EXPECT_EQ(canvas.At(2, 0), RGB(0x0F, 0x00, 0x00));  // not (pen ^ destination)
  EXPECT_EQ(canvas.At(3, 0), kBlack);
}

TEST(GdiRaster, PatBltOperations) {
  Canvas canvas(6, 2);
  Scramble(canvas, 6, 2);
  PixelImage before = canvas.Pixels();
  SelectObject(canvas.dc(), GetStockObject(GRAY_BRUSH));
  PatBlt(canvas.dc(), 0, 0, 6, 2, PATINVERT);
  EXPECT_EQ(canvas.At(0, 0), before.At(0, 0) ^ RGB(128, 128, 128));
  PatBlt(canvas.dc(), 0, 0, 6, 2, PATINVERT);
  EXPECT_EQ(canvas.Pixels().pixels, before.pixels);
  PatBlt(canvas.dc(), 0, 0, 2, 1, DSTINVERT);
  EXPECT_EQ(canvas.At(1, 0), before.At(1, 0) ^ 0xFFFFFF);
  PatBlt(canvas.dc(), 2, 0, 1, 2, BLACKNESS);
  PatBlt(canvas.dc(), 3, 0, 1, 2, WHITENESS);
  PatBlt(canvas.dc(), 4, 0, 1, 2, PATCOPY);
  EXPECT_EQ(canvas.At(2, 1), kBlack);
  EXPECT_EQ(canvas.At(3, 1), kWhite);
  EXPECT_EQ(canvas.At(4, 1), RGB(128, 128, 128));
  EXPECT_EQ(canvas.At(5, 1), before.At(5, 1));
}

TEST(GdiClip, ClipRectanglesLimitDrawing) {
  Canvas canvas(8, 8);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT all{0, 0, 8, 8};
  EXPECT_EQ(IntersectClipRect(canvas.dc(), 2, 2, 6, 6), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(canvas.dc(), 3, 3, 5, 4), COMPLEXREGION);
  RECT box;
  EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(box.bottom, 6);
  FillRect(canvas.dc(), &all, black);
  EXPECT_EQ(canvas.Picture(),
            "........\n"
            "........\n"
            "..####..\n"
            "..#..#..\n"
            "..####..\n"
            "..####..\n"
            "........\n"
            "........\n");
  SelectClipRgn(canvas.dc(), nullptr);
  EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 8);
  FillRect(canvas.dc(), &all, black);
  EXPECT_EQ(canvas.Count(kBlack), 64);
}

TEST(GdiClip, RegionsAreDeviceCoordinatesAndSaveDcRestoresTheClip) {
  Canvas canvas(8, 4);
  HRGN region = CreateRectRgn(0, 0, 2, 4);
  SetViewportOrgEx(canvas.dc(), 4, 0, nullptr);
  int saved = SaveDC(canvas.dc());
  SelectClipRgn(canvas.dc(), region);
  DeleteObject(region);  // the context keeps its own copy
  RECT all{-4, 0, 4, 4};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.Picture(), "##......\n##......\n##......\n##......\n");
  RestoreDC(canvas.dc(), saved);
  RECT box;
  GetClipBox(canvas.dc(), &box);
  EXPECT_EQ(box.left, -4);  // the whole bitmap, in logical coordinates
  EXPECT_EQ(box.right, 4);
}

TEST(GdiOrigins, ViewportAndWindowOriginsMoveLogicalCoordinates) {
  Canvas canvas(20, 10);
  SetViewportOrgEx(canvas.dc(), 10, 5, nullptr);
  SetPixel(canvas.dc(), 0, 0, kRed);
  EXPECT_EQ(canvas.At(10, 5), kRed);
  SetWindowOrgEx(canvas.dc(), 3, 2, nullptr);  // logical (3, 2) is device (10, 5)
  EXPECT_EQ(GetPixel(canvas.dc(), 3, 2), kRed);
  OffsetViewportOrgEx(canvas.dc(), -10, -5, nullptr);
  POINT origin;
  GetViewportOrgEx(canvas.dc(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  POINT p{13, 7};
  LPtoDP(canvas.dc(), &p, 1);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 5);
  Rectangle(canvas.dc(), 4, 3, 6, 5);  // device 1..2 x 1..2
  EXPECT_EQ(canvas.At(1, 1), kBlack);
  EXPECT_EQ(canvas.At(2, 2), kBlack);
  EXPECT_EQ(canvas.At(3, 3), kWhite);
}

TEST(GdiObjects, StockObjectsAndDescriptions) {
  LOGBRUSH brush;
  ASSERT_EQ(GetObject(GetStockObject(LTGRAY_BRUSH), sizeof brush, &brush),
            static_cast<int>(sizeof brush));
  EXPECT_EQ(brush.lbColor, RGB(192, 192, 192));
  GetObject(GetStockObject(DKGRAY_BRUSH), sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, RGB(64, 64, 64));
  GetObject(GetStockObject(NULL_BRUSH), sizeof brush, &brush);
  EXPECT_EQ(brush.lbStyle, BS_NULL);
  LOGPEN pen;
  GetObject(GetStockObject(WHITE_PEN), sizeof pen, &pen);
  EXPECT_EQ(pen.lopnColor, RGB(255, 255, 255));
  HPEN made = CreatePen(PS_DASH, 2, RGB(1, 2, 3));
  GetObject(made, sizeof pen, &pen);
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(pen.lopnWidth.x, 2);
  EXPECT_EQ(pen.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObjectType(made), OBJ_PEN);
  EXPECT_TRUE(DeleteObject(made));
  EXPECT_EQ(GetObjectType(made), 0u);  // gone: a stale handle is refused
  EXPECT_FALSE(DeleteObject(made));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
}

TEST(GdiObjects, DeletingASelectedObjectWaitsForItsDeselection) {
  Canvas canvas(4, 1);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  SelectObject(canvas.dc(), pen);
  EXPECT_TRUE(DeleteObject(pen));
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 4, 0);  // still draws with the pen it holds
  EXPECT_EQ(canvas.At(3, 0), kRed);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), static_cast<HGDIOBJ>(pen));
  SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiObjects, PatternBrushTilesFromTheBrushOrigin) {
  Canvas canvas(4, 2);
  // Monochrome 2 x 2 checker: rows of 16-bit words, set bits first.
  const unsigned char bits[] = {0x80, 0, 0x40, 0};
  HBITMAP pattern = CreateBitmap(2, 2, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);  // the brush keeps its own copy
  SetTextColor(canvas.dc(), kBlack);  // clear bits
  SetBkColor(canvas.dc(), kRed);      // set bits
  RECT all{0, 0, 4, 2};
  FillRect(canvas.dc(), &all, brush);
  DeleteObject(brush);
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(1, 0), kBlack);
  EXPECT_EQ(canvas.At(2, 0), kRed);
  EXPECT_EQ(canvas.At(0, 1), kBlack);
  EXPECT_EQ(canvas.At(1, 1), kRed);
}

TEST(GdiDevice, CapabilitiesOfTheScreen) {
  Canvas canvas(1, 1);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), TECHNOLOGY), DT_RASDISPLAY);
  int width = GetDeviceCaps(canvas.dc(), HORZRES);
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), VERTRES), GetSystemMetrics(SM_CYSCREEN));
  // Millimetres at 96 pixels per inch: pixels x 25.4 / 96.
  EXPECT_NEAR(GetDeviceCaps(canvas.dc(), HORZSIZE), width * 25.4 / 96, 0.5);
  EXPECT_TRUE(GetDeviceCaps(canvas.dc(), RASTERCAPS) & RC_STRETCHDIB);
}

}  // namespace

namespace {

TEST(GdiFarCoordinates, LinesAndPolygonsToFarPointsDrawTheirVisiblePart) {
  Canvas canvas(10, 10);
  MoveToEx(canvas.dc(), 2, 5, nullptr);
  LineTo(canvas.dc(), 2000000000, 5);  // one row, from x = 2 to the edge
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 1000000, 1000000);  // the diagonal
  EXPECT_EQ(canvas.Picture(),
            "#.........\n"
            ".#........\n"
            "..#.......\n"
            "...#......\n"
            "....#.....\n"
            "..########\n"
            "......#...\n"
            ".......#..\n"
            "........#.\n"
            ".........#\n");
  Canvas wide(10, 10);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  SelectObject(wide.dc(), pen);
  MoveToEx(wide.dc(), -2000000000, 5, nullptr);
  LineTo(wide.dc(), 2000000000, 5);
  SelectObject(wide.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  EXPECT_EQ(wide.Count(RGB(0, 0, 0)), 3 * 10);  // rows 4, 5 and 6
  Canvas fill(10, 10);
  SelectObject(fill.dc(), GetStockObject(NULL_PEN));
  SelectObject(fill.dc(), GetStockObject(BLACK_BRUSH));
  POINT triangle[] = {{0, 0}, {1000000000, 0}, {0, 1000000000}};
  Polygon(fill.dc(), triangle, 3);
  EXPECT_EQ(fill.Count(RGB(0, 0, 0)), 100);
  Rectangle(fill.dc(), -2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(fill.Count(RGB(0, 0, 0)), 100);
}

}  // namespace

namespace {

TEST(GdiLines, StraightBezierIsTheLineBetweenItsEnds) {
  Canvas canvas(10, 4);
  POINT points[] = {{0, 2}, {3, 2}, {6, 2}, {9, 2}};
  ASSERT_TRUE(PolyBezier(canvas.dc(), points, 4));
  EXPECT_EQ(canvas.Picture(), "..........\n..........\n#########.\n..........\n");
  POINT wrongCount[] = {{0, 0}, {1, 1}, {2, 2}};
  EXPECT_FALSE(PolyBezier(canvas.dc(), wrongCount, 3));
}

}  // namespace
