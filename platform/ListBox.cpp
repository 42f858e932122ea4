// The list box: single selection of strings with item data. The mouse
// selects (dragging with the button down follows the pointer), a double
// click sends LBN_DBLCLK, arrows/Page/Home/End move the selection and a
// letter jumps to the next item starting with it. With LBS_NOTIFY a change by
// the user sends LBN_SELCHANGE (a change by LB_SETCURSEL sends nothing), and
// focus changes send LBN_SETFOCUS / LBN_KILLFOCUS. With WS_VSCROLL the
// window's own scroll bar follows the top row and scrolls it (WM_VSCROLL,
// the wheel).
#include <algorithm>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/ListItems.h"
#include "platform/Messages.h"

namespace platform::controls {
namespace {

struct ListBoxState {
  HFONT font = nullptr;
  ListItems list;
  int selected = -1;
  int top = 0;
  bool focused = false;
  bool tracking = false;
};

std::shared_ptr<ListBoxState> StateOf(HWND window) { return StatesOf<ListBoxState>().Find(window); }

int RowHeight(const ListBoxState& s) { return LineHeight(s.font); }

int VisibleRows(HWND window, const ListBoxState& s) {
  RECT client{};
  GetClientRect(window, &client);
  return std::max<int>(client.bottom / RowHeight(s), 1);
}

void UpdateScrollBar(HWND window, const ListBoxState& s) {
  if ((StyleOf(window) & WS_VSCROLL) == 0) return;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(s.list.Count() - 1, 0),
                  static_cast<UINT>(VisibleRows(window, s)), s.top, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void SetTop(HWND window, ListBoxState& s, int top) {
  top = std::clamp(top, 0, std::max(s.list.Count() - VisibleRows(window, s), 0));
  if (top == s.top) return;
  s.top = top;
  InvalidateRect(window, nullptr, FALSE);
  UpdateScrollBar(window, s);
}

void EnsureVisible(HWND window, ListBoxState& s, int index) {
  if (index < 0) return;
  int rows = VisibleRows(window, s);
  if (index < s.top) SetTop(window, s, index);
  else if (index >= s.top + rows) SetTop(window, s, index - rows + 1);
}

// Returns whether the selection changed.
bool Select(HWND window, ListBoxState& s, int index) {
  if (!s.list.Valid(index)) index = -1;
  if (index == s.selected) return false;
  s.selected = index;
  InvalidateRect(window, nullptr, FALSE);
  EnsureVisible(window, s, index);
  return true;
}

void SelectByUser(HWND window, ListBoxState& s, int index) {
  if (Select(window, s, index) && HasStyle(window, LBS_NOTIFY)) NotifyCommand(window, LBN_SELCHANGE);
}

void Reset(HWND window, ListBoxState& s) {
  s.list.items.clear();
  s.selected = -1;
  s.top = 0;
  InvalidateRect(window, nullptr, TRUE);
  UpdateScrollBar(window, s);
}

int RowAt(HWND window, const ListBoxState& s, LPARAM lParam) {
  int y = GET_Y_LPARAM(lParam);
  RECT client{};
  GetClientRect(window, &client);
  y = std::clamp<int>(y, 0, std::max<int>(client.bottom - 1, 0));
  int index = s.top + y / RowHeight(s);
  return std::min(index, s.list.Count() - 1);
}

// --- input -------------------------------------------------------------------------------

LRESULT OnLButtonDown(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (GetFocus() != window) SetFocus(window);
  s->tracking = true;
  SetCapture(window);
  SelectByUser(window, *s, RowAt(window, *s, lParam));
  return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (s && s->tracking) SelectByUser(window, *s, RowAt(window, *s, lParam));
  return 0;
}

LRESULT OnLButtonUp(HWND window) {
  auto s = StateOf(window);
  if (!s || !s->tracking) return 0;
  s->tracking = false;
  if (GetCapture() == window) ReleaseCapture();
  return 0;
}

LRESULT OnDoubleClick(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  int index = RowAt(window, *s, lParam);
  SelectByUser(window, *s, index);
  if (index >= 0 && HasStyle(window, LBS_NOTIFY)) NotifyCommand(window, LBN_DBLCLK);
  return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  auto s = StateOf(window);
  if (!s || s->list.Count() == 0) return 0;
  int rows = VisibleRows(window, *s);
  int last = s->list.Count() - 1;
  int current = s->selected;
  int target = current;
  switch (key) {
    case VK_UP: target = current < 0 ? 0 : current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - (rows - 1); break;
    case VK_NEXT: target = current + (rows - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = last; break;
    default: return 0;
  }
  SelectByUser(window, *s, std::clamp(target, 0, last));
  return 0;
}

LRESULT OnChar(HWND window, WPARAM character) {
  auto s = StateOf(window);
  if (!s || character < 0x20) return 0;
  int found = s->list.Find(s->selected, std::string(1, static_cast<char>(character)), false);
  if (found >= 0) SelectByUser(window, *s, found);
  return 0;
}

LRESULT OnVScroll(HWND window, WPARAM wParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  int rows = VisibleRows(window, *s);
  switch (LOWORD(wParam)) {
    case SB_LINEUP: SetTop(window, *s, s->top - 1); break;
    case SB_LINEDOWN: SetTop(window, *s, s->top + 1); break;
    case SB_PAGEUP: SetTop(window, *s, s->top - rows); break;
    case SB_PAGEDOWN: SetTop(window, *s, s->top + rows); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: SetTop(window, *s, static_cast<short>(HIWORD(wParam))); break;
    case SB_TOP: SetTop(window, *s, 0); break;
    case SB_BOTTOM: SetTop(window, *s, s->list.Count()); break;
    default: break;
  }
  return 0;
}

LRESULT OnWheel(HWND window, WPARAM wParam) {
  auto s = StateOf(window);
  if (s) SetTop(window, *s, s->top - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * 3);
  return 0;
}

LRESULT OnFocus(HWND window, bool gained) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->focused = gained;
  if (!gained) s->tracking = false;
  InvalidateRect(window, nullptr, FALSE);
  if (HasStyle(window, LBS_NOTIFY)) NotifyCommand(window, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, s->font);
  if (paint.Dc() == nullptr) return 0;
  PaintColours colours(window, paint.Dc(), WM_CTLCOLORLISTBOX);
  FillRect(paint.Dc(), &paint.Client(), colours.Brush());
  PaintListRows(paint.Dc(), paint.Client(), s->list, s->top, s->selected, RowHeight(*s), s->focused,
                IsWindowEnabled(window) != 0);
  return 0;
}

// --- list messages -----------------------------------------------------------------------------

LRESULT Added(HWND window, ListBoxState& s, int index) {
  if (index < 0) return LB_ERR;
  if (s.selected >= index) ++s.selected;
  InvalidateRect(window, nullptr, FALSE);
  UpdateScrollBar(window, s);
  return index;
}

LRESULT OnListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return LB_ERR;
  auto index = static_cast<int>(static_cast<LONG_PTR>(static_cast<int>(wParam)));
  const char* text = reinterpret_cast<const char*>(lParam);
  switch (message) {
    case LB_ADDSTRING: return Added(window, *s, s->list.Add(text ? text : "", HasStyle(window, LBS_SORT)));
    case LB_INSERTSTRING: return Added(window, *s, s->list.Insert(index, text ? text : ""));
    case LB_DELETESTRING:
      if (!s->list.Remove(index)) return LB_ERR;
      if (s->selected == index) s->selected = -1;
      else if (s->selected > index) --s->selected;
      SetTop(window, *s, s->top);
      InvalidateRect(window, nullptr, FALSE);
      UpdateScrollBar(window, *s);
      return s->list.Count();
    case LB_RESETCONTENT: Reset(window, *s); return LB_OKAY;
    case LB_SETCURSEL: Select(window, *s, index); return s->list.Valid(index) ? index : LB_ERR;
    case LB_GETCURSEL: return s->selected;
    case LB_GETSEL: return s->list.Valid(index) ? (index == s->selected ? 1 : 0) : LB_ERR;
    case LB_GETTEXT: return s->list.CopyText(index, reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN: return s->list.CopyText(index, nullptr);
    case LB_GETCOUNT: return s->list.Count();
    case LB_SETITEMDATA:
      if (!s->list.Valid(index)) return LB_ERR;
      s->list.items[static_cast<std::size_t>(index)].data = lParam;
      return LB_OKAY;
    case LB_GETITEMDATA: return s->list.Valid(index) ? s->list.items[static_cast<std::size_t>(index)].data : LB_ERR;
    case LB_FINDSTRING: return s->list.Find(index, text ? text : "", false);
    case LB_FINDSTRINGEXACT: return s->list.Find(index, text ? text : "", true);
    case LB_SELECTSTRING: {
      int found = s->list.Find(index, text ? text : "", false);
      if (found >= 0) Select(window, *s, found);
      return found;
    }
    case LB_GETTOPINDEX: return s->top;
    case LB_SETTOPINDEX: SetTop(window, *s, index); return LB_OKAY;
    case LB_GETITEMHEIGHT: return RowHeight(*s);
    case LB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!s->list.Valid(index) || rect == nullptr) return LB_ERR;
      RECT client{};
      GetClientRect(window, &client);
      int y = (index - s->top) * RowHeight(*s);
      *rect = RECT{0, y, client.right, y + RowHeight(*s)};
      return LB_OKAY;
    }
    default: return LB_ERR;
  }
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->font = reinterpret_cast<HFONT>(font);
  UpdateScrollBar(window, *s);
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto s = StateOf(window);
  return s ? reinterpret_cast<LRESULT>(s->font) : 0;
}

LRESULT OnSize(HWND window) {
  if (auto s = StateOf(window)) {
    SetTop(window, *s, s->top);
    UpdateScrollBar(window, *s);
  }
  return 0;
}

LRESULT ListBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= LB_ADDSTRING && message <= LB_FINDSTRINGEXACT) return OnListMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: StatesOf<ListBoxState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_NCDESTROY: StatesOf<ListBoxState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: return OnSize(window);
    case WM_LBUTTONDOWN: return OnLButtonDown(window, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(window);
    case WM_LBUTTONDBLCLK: return OnDoubleClick(window, lParam);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_CHAR: return OnChar(window, wParam);
    case WM_VSCROLL: return OnVScroll(window, wParam);
    case WM_MOUSEWHEEL: return OnWheel(window, wParam);
    case WM_SETFOCUS: return OnFocus(window, true);
    case WM_KILLFOCUS: return OnFocus(window, false);
    case WM_ENABLE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterListBoxClass() { RegisterControlClass(WC_LISTBOX, ListBoxProcedure, CS_DBLCLKS, IDC_ARROW); }

}  // namespace platform::controls
