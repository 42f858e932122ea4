// The progress bar: a range, a position and a step. The filled part is
// drawn in the highlight colour inside a sunken edge. Stepping past the end
// wraps round to the start, so a bar that counts repeated work keeps moving.
#include <algorithm>

#include "platform/ControlSupport.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

struct ProgressState {
  int low = 0;
  int high = 100;
  int position = 0;
  int step = 10;
};

std::shared_ptr<ProgressState> StateOf(HWND window) { return StatesOf<ProgressState>().Find(window); }

LRESULT MoveTo(HWND window, ProgressState& s, int position) {
  int old = s.position;
  s.position = std::clamp(position, s.low, std::max(s.low, s.high));
  if (s.position != old) InvalidateRect(window, nullptr, FALSE);
  return old;
}

LRESULT SetRange(HWND window, ProgressState& s, int low, int high) {
  LRESULT old = MAKELPARAM(static_cast<unsigned>(s.low), static_cast<unsigned>(s.high));
  s.low = low;
  s.high = high;
  MoveTo(window, s, s.position);
  InvalidateRect(window, nullptr, FALSE);
  return old;
}

LRESULT StepIt(HWND window, ProgressState& s) {
  int next = s.position + s.step;
  if (next > s.high) next = s.low + (next - s.high);
  if (next < s.low) next = s.high - (s.low - next);
  return MoveTo(window, s, next);
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, nullptr);
  if (paint.Dc() == nullptr) return 0;
  const RECT& r = paint.Client();
  Fill(paint.Dc(), r, GetSysColor(COLOR_BTNFACE));
  DrawEdge3D(paint.Dc(), r, true);
  int inner = std::max<int>(r.right - 4, 0);
  int span = s->high - s->low;
  int filled = span > 0 ? static_cast<int>(static_cast<long long>(inner) * (s->position - s->low) / span) : 0;
  if (filled > 0) Fill(paint.Dc(), RECT{2, 2, 2 + filled, r.bottom - 2}, GetSysColor(COLOR_HIGHLIGHT));
  return 0;
}

struct PBRANGE_RECORD {
  int iLow;
  int iHigh;
};

LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  switch (message) {
    case PBM_SETRANGE:
      return SetRange(window, *s, LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
    case PBM_SETRANGE32: return SetRange(window, *s, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_SETPOS: return MoveTo(window, *s, static_cast<int>(wParam));
    case PBM_DELTAPOS: return MoveTo(window, *s, s->position + static_cast<int>(wParam));
    case PBM_SETSTEP: {
      int old = s->step;
      s->step = static_cast<int>(wParam);
      return old;
    }
    case PBM_STEPIT: return StepIt(window, *s);
    case PBM_GETPOS: return s->position;
    case PBM_GETRANGE:
      if (auto* range = reinterpret_cast<PBRANGE_RECORD*>(lParam)) *range = PBRANGE_RECORD{s->low, s->high};
      return wParam != 0 ? s->low : s->high;
    default: return 0;
  }
}

LRESULT ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= PBM_SETRANGE && message <= PBM_GETPOS) return OnMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: StatesOf<ProgressState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_NCDESTROY: StatesOf<ProgressState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterProgressClass() { RegisterControlClass(PROGRESS_CLASS, ProgressProcedure, 0, IDC_ARROW); }

}  // namespace platform::controls
