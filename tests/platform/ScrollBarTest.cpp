// Scroll bars: the requests a bar sends for its arrows, track and thumb
// (with the repeat on the layer's clock), the keys of a focused bar, the
// position kept within the range less the page, and the bars of a window's
// own frame.
#include "platform/ControlTesting.h"
#include "platform/ScrollBarFrame.h"

namespace {

struct Request {
  UINT code;
  int position;
  LPARAM control;
};

class ScrollBarTest : public ControlTest {
 protected:
  // A vertical bar 20 x 200: arrows of 20 at both ends, a track of 160.
  HWND MakeBar() {
    HWND bar = Make(WC_SCROLLBAR, "", SBS_VERT | WS_TABSTOP, 10, 10, 20, 200, 30);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    platform::RunUntilIdle();
    log.Clear();
    return bar;
  }
  std::vector<Request> Requests(UINT message = WM_VSCROLL) {
    std::vector<Request> result;
    for (const Logged& entry : log.Only({message}))
      result.push_back(Request{LOWORD(entry.wParam), static_cast<short>(HIWORD(entry.wParam)), entry.lParam});
    return result;
  }
  std::vector<UINT> Codes(UINT message = WM_VSCROLL) {
    std::vector<UINT> codes;
    for (const Request& request : Requests(message)) codes.push_back(request.code);
    return codes;
  }
};

TEST_F(ScrollBarTest, ArrowsAskForLines) {
  HWND bar = MakeBar();
  Click(bar, 10, 5);
  Click(bar, 10, 195);
  EXPECT_EQ(Codes(), (std::vector<UINT>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(Requests()[0].control, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);  // the owner moves it, not the bar
}

TEST_F(ScrollBarTest, TrackAsksForPagesAndRepeatsWhileHeld) {
  HWND bar = MakeBar();
  platform::TestMouse(bar, WM_LBUTTONDOWN, 10, 150);
  platform::RunUntilIdle();
  EXPECT_EQ(Codes(), (std::vector<UINT>{SB_PAGEDOWN}));
  platform::AdvanceClock(399);
  EXPECT_EQ(Codes().size(), 1u);
  platform::AdvanceClock(1);
  EXPECT_EQ(Codes().size(), 2u);
  platform::AdvanceClock(50);
  EXPECT_EQ(Codes().size(), 3u);
  platform::TestMouse(bar, WM_LBUTTONUP, 10, 150);
  platform::RunUntilIdle();
  EXPECT_EQ(Codes(), (std::vector<UINT>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_ENDSCROLL}));
  platform::AdvanceClock(200);
  EXPECT_EQ(Codes().size(), 4u);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksThenSetsThePosition) {
  HWND bar = MakeBar();
  // Thumb: 160 * 10 / 101 = 15 pixels at 20..35; it can move 145 pixels for
  // positions 0..91. Grabbed at 25 and moved to 98, its top is at 93, 73
  // pixels along: 73 * 91 / 145 = 45.8, position 46.
  platform::TestMouse(bar, WM_LBUTTONDOWN, 10, 25);
  platform::TestMouse(bar, WM_MOUSEMOVE, 10, 98);
  platform::TestMouse(bar, WM_LBUTTONUP, 10, 98);
  platform::RunUntilIdle();
  std::vector<Request> requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].code, SB_THUMBTRACK);
  EXPECT_EQ(requests[0].position, 46);
  EXPECT_EQ(requests[1].code, SB_THUMBPOSITION);
  EXPECT_EQ(requests[1].position, 46);
  EXPECT_EQ(requests[2].code, SB_ENDSCROLL);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(bar, SB_CTL, &info);
  EXPECT_EQ(info.nTrackPos, 46);
}

TEST_F(ScrollBarTest, PositionStaysWithinRangeLessPage) {
  HWND bar = MakeBar();
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 200, TRUE), 0);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 91);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, -5, TRUE), 91);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
  SetScrollRange(bar, SB_CTL, 10, 20, TRUE);
  int low = 0, high = 0;
  GetScrollRange(bar, SB_CTL, &low, &high);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 20);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 10);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(bar, SB_CTL, &info);
  EXPECT_EQ(info.nPage, 10u);
}

TEST_F(ScrollBarTest, FocusedBarAnswersKeys) {
  HWND bar = MakeBar();
  SetFocus(bar);
  Press(VK_DOWN);
  Press(VK_PRIOR);
  EXPECT_EQ(Codes(), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL}));
  EXPECT_EQ(SendMessage(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarTest, HorizontalBarSendsHScroll) {
  HWND bar = Make(WC_SCROLLBAR, "", SBS_HORZ, 10, 10, 200, 20, 31);
  SetScrollRange(bar, SB_CTL, 0, 10, TRUE);
  Click(bar, 195, 10);
  EXPECT_EQ(Codes(WM_HSCROLL), (std::vector<UINT>{SB_LINERIGHT, SB_ENDSCROLL}));
  EXPECT_TRUE(Codes(WM_VSCROLL).empty());
}

TEST_F(ScrollBarTest, WindowFrameBarsKeepTheirInfoAndAsk) {
  HWND pane = MakeChild(&log, top, 0, 0, 200, 200, WS_VSCROLL | WS_HSCROLL, 40);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 49, 20, 45, 0};
  EXPECT_EQ(SetScrollInfo(pane, SB_VERT, &info, TRUE), 30);  // 49 - (20 - 1)
  EXPECT_EQ(GetScrollPos(pane, SB_HORZ), 0);
  SetScrollPos(pane, SB_HORZ, 3, TRUE);
  EXPECT_EQ(GetScrollPos(pane, SB_HORZ), 3);  // the default range is 0..100
  log.Clear();
  RECT barRect{183, 0, 200, 183};
  EXPECT_TRUE(platform::WindowScrollBarMouse(pane, SB_VERT, barRect, WM_LBUTTONDOWN, POINT{190, 5}));
  EXPECT_FALSE(platform::WindowScrollBarMouse(pane, SB_VERT, barRect, WM_LBUTTONUP, POINT{190, 5}));
  std::vector<Request> requests = Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].code, SB_LINEUP);
  EXPECT_EQ(requests[0].control, 0);
  EXPECT_EQ(requests[1].code, SB_ENDSCROLL);
}

}  // namespace
