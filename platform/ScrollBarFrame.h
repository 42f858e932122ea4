// The scroll bars of a window's frame (WS_VSCROLL / WS_HSCROLL), for the
// window core's non-client painting and non-client mouse input. The bars
// keep their SCROLLINFO here (SetScrollInfo with SB_VERT / SB_HORZ); the core
// owns the frame and says where each bar is.
//
// Rectangles and points are in window coordinates (0,0 = the window's
// top-left corner, frame included), as GetWindowDC draws.
#pragma once

#include "platform/Types.h"

namespace platform {

// Draws the bar (arrows, track, thumb) of `bar` (SB_VERT or SB_HORZ).
void PaintWindowScrollBar(HWND window, int bar, HDC windowDc, const RECT& barRect);
// Mouse input on a bar: a WM_LBUTTONDOWN on the bar starts tracking (the
// core then routes the moves and the release to the same window until this
// returns false for them); arrows and the track send WM_VSCROLL/WM_HSCROLL
// line and page codes, the thumb THUMBTRACK while dragged and THUMBPOSITION
// when released, and every release SB_ENDSCROLL. True while tracking.
bool WindowScrollBarMouse(HWND window, int bar, const RECT& barRect, UINT message, POINT windowPoint);

}  // namespace platform
