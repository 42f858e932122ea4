// Painting: erase then paint, one paint for the union of invalidations,
// children drawing into their top-level surface at their origin and clip,
// own device contexts, update-now, scrolling and the repaint of a grown window.
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/PlatformTest.h"

namespace {

constexpr COLORREF background = RGB(10, 200, 30);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

class PaintTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    brush_ = CreateSolidBrush(background);
    RegisterRecorder("Recorder", 0, brush_);
  }
  void TearDown() override {
    PlatformTest::TearDown();
    DeleteObject(brush_);
  }
  // Paints the whole client area red through BeginPaint, and records rcPaint.
  void PaintRed() {
    log.hook = [this](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
      if (message != WM_PAINT) return false;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      painted.push_back(paint.rcPaint);
      RECT client;
      GetClientRect(window, &client);
      HBRUSH fill = CreateSolidBrush(red);
      FillRect(dc, &client, fill);
      DeleteObject(fill);
      EndPaint(window, &paint);
      return true;
    };
  }
  HBRUSH brush_ = nullptr;
  MessageLog log;
  std::vector<RECT> painted;
};

TEST_F(PaintTest, EraseComesBeforePaintWithTheClassBackground) {
  HWND window = MakeTop(&log, 0, 0, 60, 40);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  std::vector<UINT> order = log.MessagesOf(window, {WM_ERASEBKGND, WM_PAINT});
  EXPECT_EQ(order, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));  // erase is sent inside BeginPaint
  EXPECT_EQ(platform::GetWindowPixel(window, 0, 0), background);
  EXPECT_EQ(platform::GetWindowPixel(window, 59, 39), background);
  EXPECT_EQ(platform::GetWindowPixel(window, 60, 39), 0xFFFFFFFFu);  // outside the client area
}

TEST_F(PaintTest, TwoInvalidationsGiveOnePaintOfTheirUnion) {
  HWND window = MakeTop(&log, 0, 0, 100, 100);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  PaintRed();
  RECT first{10, 10, 20, 20}, second{30, 40, 50, 60};
  InvalidateRect(window, &first, FALSE);
  InvalidateRect(window, &second, FALSE);
  platform::RunUntilIdle();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].left, 10);
  EXPECT_EQ(painted[0].top, 10);
  EXPECT_EQ(painted[0].right, 50);
  EXPECT_EQ(painted[0].bottom, 60);
  // The paint was clipped to the union: inside is red, outside untouched.
  EXPECT_EQ(platform::GetWindowPixel(window, 10, 10), red);
  EXPECT_EQ(platform::GetWindowPixel(window, 49, 59), red);
  EXPECT_EQ(platform::GetWindowPixel(window, 50, 59), background);
  EXPECT_EQ(platform::GetWindowPixel(window, 9, 10), background);
}

TEST_F(PaintTest, ChildrenDrawAtTheirOriginInsideTheirParent) {
  HWND top = MakeTop(&log, 0, 0, 200, 200);
  HWND panel = MakeChild(&log, top, 20, 30, 100, 100);
  HWND child = MakeChild(&log, panel, 80, 80, 50, 50, WS_BORDER);
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  PaintRed();
  InvalidateRect(child, nullptr, TRUE);
  platform::RunUntilIdle();
  // The child's client starts at 20 + 80 + 1 in the top-level window.
  EXPECT_EQ(platform::GetWindowPixel(top, 100, 110), RGB(0, 0, 0));  // its border
  EXPECT_EQ(platform::GetWindowPixel(top, 101, 111), red);
  EXPECT_EQ(platform::GetWindowPixel(top, 119, 129), red);   // last pixel inside the panel
  EXPECT_EQ(platform::GetWindowPixel(top, 120, 129), background);  // clipped by the panel
  EXPECT_EQ(platform::GetWindowPixel(child, 0, 0), red);
}

TEST_F(PaintTest, ParentPaintRepaintsTheChildrenItCovers) {
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  HWND child = MakeChild(&log, top, 10, 10, 20, 20);
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  log.Clear();
  InvalidateRect(top, nullptr, TRUE);
  platform::RunUntilIdle();
  std::vector<HWND> paintOrder;
  for (const Logged& entry : log.Only({WM_PAINT})) paintOrder.push_back(entry.window);
  EXPECT_EQ(paintOrder, (std::vector<HWND>{top, child}));
  log.Clear();
  RECT away{50, 50, 60, 60};
  InvalidateRect(top, &away, TRUE);
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(child, WM_PAINT), 0);
}

// Redrawn at once with its children, a window whose children overlap shows
// the upper one over the lower (a property sheet's page over its tab
// control): the lower is painted first. The first child made is the upper.
TEST_F(PaintTest, RedrawingAllChildrenAtOnceLeavesTheUpperOfTwoOverlappingOnTop) {
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  HWND upper = MakeChild(&log, top, 10, 10, 40, 40);
  HWND lower = MakeChild(&log, top, 30, 30, 40, 40);
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  log.hook = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != WM_PAINT || (window != upper && window != lower)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH fill = CreateSolidBrush(window == upper ? red : blue);
    FillRect(dc, &client, fill);
    DeleteObject(fill);
    EndPaint(window, &paint);
    return true;
  };
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(platform::GetWindowPixel(top, 40, 40), red);  // where the two overlap
  EXPECT_EQ(platform::GetWindowPixel(top, 60, 60), blue);
  EXPECT_EQ(platform::GetWindowPixel(top, 15, 15), red);
}

TEST_F(PaintTest, OwnDeviceContextIsKeptAndUsedForPainting) {
  RegisterRecorder("OwnDc", CS_OWNDC, brush_);
  HWND top = MakeTop(&log, 0, 0, 100, 100);
  HWND child = MakeChild(&log, top, 10, 10, 50, 50, 0, 0, "OwnDc");
  ShowWindow(top, SW_SHOW);
  platform::RunUntilIdle();
  HDC dc = GetDC(child);
  EXPECT_EQ(GetDC(child), dc);
  ReleaseDC(child, dc);
  HDC painting = nullptr;
  log.hook = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != WM_PAINT || window != child) return false;
    PAINTSTRUCT paint;
    painting = BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return true;
  };
  InvalidateRect(child, nullptr, FALSE);
  platform::RunUntilIdle();
  EXPECT_EQ(painting, dc);
  // Drawing outside a paint lands at the child's origin.
  RECT cell{0, 0, 5, 5};
  HBRUSH fill = CreateSolidBrush(blue);
  FillRect(dc, &cell, fill);
  DeleteObject(fill);
  EXPECT_EQ(platform::GetWindowPixel(top, 10, 10), blue);
  EXPECT_EQ(platform::GetWindowPixel(top, 15, 15), background);
  // Moving the window moves its context with it.
  MoveWindow(child, 30, 30, 50, 50, FALSE);
  fill = CreateSolidBrush(red);
  FillRect(dc, &cell, fill);
  DeleteObject(fill);
  EXPECT_EQ(platform::GetWindowPixel(top, 30, 30), red);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnce) {
  HWND window = MakeTop(&log, 0, 0, 50, 50);
  ShowWindow(window, SW_SHOW);
  EXPECT_EQ(log.Count(window, WM_PAINT), 0);
  UpdateWindow(window);
  EXPECT_EQ(log.Count(window, WM_PAINT), 1);
  UpdateWindow(window);  // nothing left to paint
  EXPECT_EQ(log.Count(window, WM_PAINT), 1);
  platform::RunUntilIdle();
  EXPECT_EQ(log.Count(window, WM_PAINT), 1);
}

TEST_F(PaintTest, ScrollMovesPixelsAndInvalidatesWhatWasUncovered) {
  HWND window = MakeTop(&log, 0, 0, 40, 40);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  HDC dc = GetDC(window);
  RECT band{0, 10, 40, 12};
  HBRUSH fill = CreateSolidBrush(red);
  FillRect(dc, &band, fill);
  DeleteObject(fill);
  ReleaseDC(window, dc);
  RECT uncovered{};
  ScrollWindowEx(window, 0, -5, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE);
  EXPECT_EQ(platform::GetWindowPixel(window, 0, 5), red);  // rows 10-11 moved up by 5
  EXPECT_EQ(platform::GetWindowPixel(window, 39, 6), red);
  EXPECT_EQ(platform::GetWindowPixel(window, 0, 10), background);
  EXPECT_EQ(uncovered.top, 35);
  EXPECT_EQ(uncovered.bottom, 40);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.top, 35);
  EXPECT_EQ(update.left, 0);
  EXPECT_EQ(update.right, 40);
}

TEST_F(PaintTest, GrowingATopLevelWindowRepaintsOnlyTheNewArea) {
  HWND window = MakeTop(&log, 0, 0, 100, 80);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  PaintRed();
  MoveWindow(window, 0, 0, 130, 80, TRUE);
  platform::RunUntilIdle();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].left, 100);
  EXPECT_EQ(painted[0].right, 130);
  EXPECT_EQ(painted[0].top, 0);
  EXPECT_EQ(painted[0].bottom, 80);
  EXPECT_EQ(platform::GetWindowPixel(window, 99, 0), background);
  EXPECT_EQ(platform::GetWindowPixel(window, 100, 0), red);
}

TEST_F(PaintTest, ValidateRectRemovesWholeBands) {
  HWND window = MakeTop(&log, 0, 0, 100, 100);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  RECT area{0, 0, 100, 50};
  InvalidateRect(window, &area, FALSE);
  RECT top{0, 0, 100, 20};
  ValidateRect(window, &top);
  RECT update{};
  GetUpdateRect(window, &update, FALSE);
  EXPECT_EQ(update.top, 20);
  EXPECT_EQ(update.bottom, 50);
  ValidateRect(window, nullptr);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

}  // namespace
