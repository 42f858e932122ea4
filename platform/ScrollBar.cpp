// Scroll bars: the SCROLLINFO of each bar, their look and their mouse and
// keyboard tracking, shared by the scroll-bar control (SB_CTL) and the
// WS_VSCROLL / WS_HSCROLL bars of a window's frame (ScrollBarFrame.h).
//
// A bar never moves itself: it tells its owner what the user asked
// (WM_VSCROLL / WM_HSCROLL with SB_LINEUP ... SB_THUMBTRACK, then
// SB_ENDSCROLL) and the owner sets the new position. Holding an arrow or the
// track repeats the request on the layer's clock (first after 400 ms, then
// every 50 ms). Positions are kept within min .. max - (page - 1).
#include <algorithm>
#include <map>
#include <mutex>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

constexpr UINT_PTR kRepeatTimer = 0x5C01;
constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeat = 50;
constexpr int kMinimumThumb = 8;

// --- the bar model -----------------------------------------------------------------------

void Normalise(SCROLLINFO& info) {
  if (info.nMax < info.nMin) info.nMax = info.nMin;
  auto range = static_cast<UINT>(info.nMax - info.nMin + 1);
  info.nPage = std::min(info.nPage, range);
  int highest = info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0);
  info.nPos = std::clamp(info.nPos, info.nMin, std::max(highest, info.nMin));
}

int HighestPosition(const SCROLLINFO& info) {
  return std::max(info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0), info.nMin);
}

void Apply(SCROLLINFO& stored, const SCROLLINFO& given) {
  if ((given.fMask & SIF_RANGE) != 0) {
    stored.nMin = given.nMin;
    stored.nMax = given.nMax;
  }
  if ((given.fMask & SIF_PAGE) != 0) stored.nPage = given.nPage;
  if ((given.fMask & SIF_POS) != 0) stored.nPos = given.nPos;
  Normalise(stored);
}

void Report(const SCROLLINFO& stored, SCROLLINFO& asked) {
  if ((asked.fMask & SIF_RANGE) != 0) {
    asked.nMin = stored.nMin;
    asked.nMax = stored.nMax;
  }
  if ((asked.fMask & SIF_PAGE) != 0) asked.nPage = stored.nPage;
  if ((asked.fMask & SIF_POS) != 0) asked.nPos = stored.nPos;
  if ((asked.fMask & SIF_TRACKPOS) != 0) asked.nTrackPos = stored.nTrackPos;
}

// Parts along the bar, in pixels from its start.
struct Layout {
  int length = 0;      // the whole bar
  int arrow = 0;       // each arrow button
  int thumbStart = 0;  // from the bar's start
  int thumbLength = 0; // 0: no thumb
};

Layout LayoutOf(const RECT& r, bool vertical, const SCROLLINFO& info, bool enabled) {
  Layout layout;
  int width = r.right - r.left, height = r.bottom - r.top;
  layout.length = vertical ? height : width;
  int thickness = vertical ? width : height;
  layout.arrow = std::min(thickness, layout.length / 2);
  int track = layout.length - 2 * layout.arrow;
  int range = info.nMax - info.nMin + 1;
  bool scrollable = enabled && range > 0 && (info.nPage == 0 || static_cast<int>(info.nPage) < range);
  if (!scrollable || track < kMinimumThumb) return layout;
  layout.thumbLength = info.nPage == 0 ? std::min(thickness, track)
                                       : std::max(static_cast<int>(static_cast<long long>(track) * info.nPage / range),
                                                  kMinimumThumb);
  layout.thumbLength = std::min(layout.thumbLength, track);
  int movable = track - layout.thumbLength;
  int span = HighestPosition(info) - info.nMin;
  int offset = span > 0 ? static_cast<int>(static_cast<long long>(movable) * (info.nPos - info.nMin) / span) : 0;
  layout.thumbStart = layout.arrow + offset;
  return layout;
}

int PositionForThumb(const Layout& layout, const SCROLLINFO& info, int thumbStart) {
  int movable = layout.length - 2 * layout.arrow - layout.thumbLength;
  int span = HighestPosition(info) - info.nMin;
  if (movable <= 0) return info.nMin;
  int offset = std::clamp(thumbStart - layout.arrow, 0, movable);
  return info.nMin + static_cast<int>((static_cast<long long>(offset) * span + movable / 2) / movable);
}

RECT Part(const RECT& r, bool vertical, int from, int to) {
  if (vertical) return RECT{r.left, r.top + from, r.right, r.top + to};
  return RECT{r.left + from, r.top, r.left + to, r.bottom};
}

void PaintBar(HDC dc, const RECT& r, bool vertical, const SCROLLINFO& info, bool enabled, HBRUSH track) {
  Layout layout = LayoutOf(r, vertical, info, enabled);
  RECT all = r;
  if (track != nullptr) FillRect(dc, &all, track);
  else Fill(dc, all, GetSysColor(COLOR_SCROLLBAR));
  COLORREF arrowColour = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  RECT first = Part(r, vertical, 0, layout.arrow);
  RECT second = Part(r, vertical, layout.length - layout.arrow, layout.length);
  for (const RECT& button : {first, second}) {
    Fill(dc, button, GetSysColor(COLOR_BTNFACE));
    DrawEdge3D(dc, button, false);
  }
  DrawArrow(dc, first, vertical ? Arrow::Up : Arrow::Left, arrowColour);
  DrawArrow(dc, second, vertical ? Arrow::Down : Arrow::Right, arrowColour);
  if (layout.thumbLength == 0) return;
  RECT thumb = Part(r, vertical, layout.thumbStart, layout.thumbStart + layout.thumbLength);
  Fill(dc, thumb, GetSysColor(COLOR_BTNFACE));
  DrawEdge3D(dc, thumb, false);
}

// --- tracking ----------------------------------------------------------------------------

enum class Hit { None, LineUp, LineDown, PageUp, PageDown, Thumb };

Hit HitOf(const Layout& layout, int along) {
  if (along < 0 || along >= layout.length) return Hit::None;
  if (along < layout.arrow) return Hit::LineUp;
  if (along >= layout.length - layout.arrow) return Hit::LineDown;
  if (layout.thumbLength == 0) return Hit::None;
  if (along < layout.thumbStart) return Hit::PageUp;
  if (along >= layout.thumbStart + layout.thumbLength) return Hit::PageDown;
  return Hit::Thumb;
}

UINT CodeOf(Hit hit) {
  switch (hit) {
    case Hit::LineUp: return SB_LINEUP;
    case Hit::LineDown: return SB_LINEDOWN;
    case Hit::PageUp: return SB_PAGEUP;
    case Hit::PageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

// One bar's state: its info and an active tracking.
struct Bar {
  SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
  bool disabled = false;
  Hit tracking = Hit::None;
  int grabOffset = 0;  // pointer minus thumb start while dragging
};

// Where a bar sends its requests: the control's parent (lParam = control) or
// the window itself (lParam = 0).
struct Target {
  HWND notify;
  UINT message;
  LPARAM control;
};

void Send(const Target& target, UINT code, int position) {
  SendMessage(target.notify, target.message, MAKEWPARAM(code, static_cast<unsigned>(position) & 0xFFFF),
              target.control);
}

// Returns true while tracking goes on.
bool TrackMouse(Bar& bar, const Layout& layout, const Target& target, UINT message, int along, HWND timerWindow) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    bar.tracking = HitOf(layout, along);
    if (bar.tracking == Hit::None || bar.disabled) {
      bar.tracking = Hit::None;
      return false;
    }
    if (bar.tracking == Hit::Thumb) {
      bar.grabOffset = along - layout.thumbStart;
      bar.info.nTrackPos = bar.info.nPos;
      return true;
    }
    Send(target, CodeOf(bar.tracking), 0);
    if (timerWindow != nullptr) SetTimer(timerWindow, kRepeatTimer, kFirstRepeat, nullptr);
    return true;
  }
  if (bar.tracking == Hit::None) return false;
  if (message == WM_MOUSEMOVE) {
    if (bar.tracking != Hit::Thumb) return true;
    int position = PositionForThumb(layout, bar.info, along - bar.grabOffset);
    if (position != bar.info.nTrackPos) {
      bar.info.nTrackPos = position;
      Send(target, SB_THUMBTRACK, position);
    }
    return true;
  }
  if (message == WM_LBUTTONUP) {
    if (timerWindow != nullptr) KillTimer(timerWindow, kRepeatTimer);
    if (bar.tracking == Hit::Thumb) Send(target, SB_THUMBPOSITION, bar.info.nTrackPos);
    bar.tracking = Hit::None;
    Send(target, SB_ENDSCROLL, 0);
  }
  return false;
}

// --- the control ---------------------------------------------------------------------------

struct ControlState {
  Bar bar;
  bool keyScrolled = false;
};

std::shared_ptr<ControlState> StateOf(HWND window) { return StatesOf<ControlState>().Find(window); }

bool Vertical(HWND window) { return (StyleOf(window) & SBS_VERT) != 0; }

Target TargetOf(HWND control) {
  return Target{GetParent(control), Vertical(control) ? WM_VSCROLL : WM_HSCROLL, reinterpret_cast<LPARAM>(control)};
}

Layout ControlLayout(HWND window, const ControlState& s) {
  RECT client{};
  GetClientRect(window, &client);
  return LayoutOf(client, Vertical(window), s.bar.info, IsWindowEnabled(window) && !s.bar.disabled);
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, nullptr);
  if (paint.Dc() == nullptr) return 0;
  HBRUSH track = nullptr;
  if (HWND parent = GetParent(window))
    track = reinterpret_cast<HBRUSH>(SendMessage(parent, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(paint.Dc()),
                                                 reinterpret_cast<LPARAM>(window)));
  PaintBar(paint.Dc(), paint.Client(), Vertical(window), s->bar.info, IsWindowEnabled(window) && !s->bar.disabled,
           track);
  return 0;
}

LRESULT OnMouse(HWND window, UINT message, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  int along = Vertical(window) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
  Layout layout = ControlLayout(window, *s);
  bool wasTracking = s->bar.tracking != Hit::None;
  bool tracking = TrackMouse(s->bar, layout, TargetOf(window), message, along, window);
  if (tracking && !wasTracking) {
    if ((StyleOf(window) & WS_TABSTOP) != 0 && GetFocus() != window) SetFocus(window);
    SetCapture(window);
  }
  if (!tracking && wasTracking && GetCapture() == window) ReleaseCapture();
  return 0;
}

LRESULT OnTimer(HWND window, WPARAM id) {
  auto s = StateOf(window);
  if (!s || id != kRepeatTimer) return 0;
  if (s->bar.tracking == Hit::None || s->bar.tracking == Hit::Thumb) {
    KillTimer(window, kRepeatTimer);
    return 0;
  }
  SetTimer(window, kRepeatTimer, kNextRepeat, nullptr);
  Send(TargetOf(window), CodeOf(s->bar.tracking), 0);
  return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  auto s = StateOf(window);
  if (!s) return 0;
  bool vertical = Vertical(window);
  UINT code = SB_ENDSCROLL;
  switch (key) {
    case VK_UP: if (vertical) code = SB_LINEUP; break;
    case VK_DOWN: if (vertical) code = SB_LINEDOWN; break;
    case VK_LEFT: if (!vertical) code = SB_LINELEFT; break;
    case VK_RIGHT: if (!vertical) code = SB_LINERIGHT; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: break;
  }
  if (code == SB_ENDSCROLL) return 0;
  s->keyScrolled = true;
  Send(TargetOf(window), code, 0);
  return 0;
}

LRESULT OnKeyUp(HWND window) {
  auto s = StateOf(window);
  if (!s || !s->keyScrolled) return 0;
  s->keyScrolled = false;
  Send(TargetOf(window), SB_ENDSCROLL, 0);
  return 0;
}

LRESULT Changed(HWND window, BOOL redraw, LRESULT result) {
  if (redraw) InvalidateRect(window, nullptr, FALSE);
  return result;
}

LRESULT OnBarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  SCROLLINFO& info = s->bar.info;
  switch (message) {
    case SBM_SETSCROLLINFO: {
      const auto* given = reinterpret_cast<const SCROLLINFO*>(lParam);
      if (given != nullptr) Apply(info, *given);
      return Changed(window, static_cast<BOOL>(wParam), info.nPos);
    }
    case SBM_GETSCROLLINFO:
      if (auto* asked = reinterpret_cast<SCROLLINFO*>(lParam)) Report(info, *asked);
      return TRUE;
    case SBM_SETPOS: {
      int old = info.nPos;
      info.nPos = static_cast<int>(wParam);
      Normalise(info);
      return Changed(window, static_cast<BOOL>(lParam), old);
    }
    case SBM_GETPOS: return info.nPos;
    case SBM_SETRANGE: case SBM_SETRANGEREDRAW:
      info.nMin = static_cast<int>(wParam);
      info.nMax = static_cast<int>(lParam);
      Normalise(info);
      return Changed(window, message == SBM_SETRANGEREDRAW, info.nPos);
    case SBM_GETRANGE:
      if (auto* low = reinterpret_cast<int*>(wParam)) *low = info.nMin;
      if (auto* high = reinterpret_cast<int*>(lParam)) *high = info.nMax;
      return 0;
    default: return 0;
  }
}

LRESULT ScrollBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: StatesOf<ControlState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_NCDESTROY: StatesOf<ControlState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      return OnMouse(window, message, lParam);
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_KEYUP: return OnKeyUp(window);
    case WM_ENABLE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case SBM_SETPOS: case SBM_GETPOS: case SBM_SETRANGE: case SBM_GETRANGE: case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO: case SBM_GETSCROLLINFO:
      return OnBarMessage(window, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

// --- the bars of a window's frame ------------------------------------------------------------

struct FrameBars {
  Bar vertical;
  Bar horizontal;
};

struct FrameBarTable {
  std::mutex lock;
  std::map<HWND, FrameBars> bars;
};

FrameBarTable& FrameTable() {
  static FrameBarTable table;
  return table;
}

// Runs `use` on the window's bar under the table's lock (never while a
// message is sent).
template <class Use>
auto WithFrameBar(HWND window, int which, Use use) {
  FrameBarTable& table = FrameTable();
  std::lock_guard guard(table.lock);
  for (auto it = table.bars.begin(); it != table.bars.end();)
    it = IsWindow(it->first) ? std::next(it) : table.bars.erase(it);
  FrameBars& bars = table.bars[window];
  return use(which == SB_HORZ ? bars.horizontal : bars.vertical);
}

bool IsControl(HWND window, int bar) {
  if (bar != SB_CTL) return false;
  char name[32] = "";
  GetClassName(window, name, sizeof name);
  return std::string(name) == "ScrollBar" || std::string(name) == "SCROLLBAR" || std::string(name) == "scrollbar";
}

void RedrawFrame(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }

}  // namespace

void RegisterScrollBarClass() { RegisterControlClass(WC_SCROLLBAR, ScrollBarProcedure, CS_DBLCLKS, IDC_ARROW); }

}  // namespace platform::controls

namespace platform {

using namespace controls;

void PaintWindowScrollBar(HWND window, int bar, HDC dc, const RECT& barRect) {
  SCROLLINFO info{};
  bool disabled = false;
  WithFrameBar(window, bar, [&](Bar& stored) {
    info = stored.info;
    disabled = stored.disabled;
    return 0;
  });
  PaintBar(dc, barRect, bar == SB_VERT, info, IsWindowEnabled(window) && !disabled, nullptr);
}

bool WindowScrollBarMouse(HWND window, int bar, const RECT& barRect, UINT message, POINT point) {
  bool vertical = bar == SB_VERT;
  int along = vertical ? point.y - barRect.top : point.x - barRect.left;
  Target target{window, vertical ? WM_VSCROLL : WM_HSCROLL, 0};
  // Work on a copy so that no lock is held while the window is told.
  Bar copy = WithFrameBar(window, bar, [](Bar& stored) { return stored; });
  Layout layout = LayoutOf(barRect, vertical, copy.info, IsWindowEnabled(window) && !copy.disabled);
  bool tracking = TrackMouse(copy, layout, target, message, along, nullptr);
  WithFrameBar(window, bar, [&](Bar& stored) {
    stored.tracking = copy.tracking;
    stored.grabOffset = copy.grabOffset;
    stored.info.nTrackPos = copy.info.nTrackPos;
    return 0;
  });
  return tracking;
}

}  // namespace platform

using namespace platform::controls;

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (info == nullptr || !IsWindow(window)) return 0;
  if (bar == SB_CTL) return static_cast<int>(SendMessage(window, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                                         reinterpret_cast<LPARAM>(info)));
  bool changed = false;
  int position = WithFrameBar(window, bar, [&](Bar& stored) {
    SCROLLINFO before = stored.info;
    Apply(stored.info, *info);
    changed = before.nMin != stored.info.nMin || before.nMax != stored.info.nMax ||
              before.nPage != stored.info.nPage || before.nPos != stored.info.nPos;
    return stored.info.nPos;
  });
  if (changed && redraw) RedrawFrame(window);
  return position;
}

BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
  if (info == nullptr || !IsWindow(window)) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(window, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
  WithFrameBar(window, bar, [&](Bar& stored) {
    Report(stored.info, *info);
    return 0;
  });
  return TRUE;
}

int SetScrollPos(HWND window, int bar, int position, BOOL redraw) {
  SCROLLINFO old{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(window, bar, &old)) return 0;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(window, bar, &info, redraw);
  return old.nPos;
}

int GetScrollPos(HWND window, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0};
  if (!IsWindow(window)) return FALSE;
  SetScrollInfo(window, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(window, bar, &info)) return FALSE;
  if (minimum != nullptr) *minimum = info.nMin;
  if (maximum != nullptr) *maximum = info.nMax;
  return TRUE;
}

BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) {
  if (!IsWindow(window)) return FALSE;
  bool disable = arrows == ESB_DISABLE_BOTH;
  if (static_cast<int>(bar) == SB_CTL && IsControl(window, SB_CTL)) {
    if (auto s = StatesOf<ControlState>().Find(window)) s->bar.disabled = disable;
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
  }
  for (int which : {SB_HORZ, SB_VERT})
    if (static_cast<int>(bar) == which || static_cast<int>(bar) == SB_BOTH)
      WithFrameBar(window, which, [&](Bar& stored) {
        stored.disabled = disable;
        return 0;
      });
  RedrawFrame(window);
  return TRUE;
}
