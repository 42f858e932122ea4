// The tab control: a row of tabs along the top over a raised page frame.
// A click on another tab (or Left/Right with the focus) first asks the
// parent with TCN_SELCHANGING (WM_NOTIFY; an answer of TRUE keeps the
// current tab), then changes and sends TCN_SELCHANGE. TCM_SETCURSEL changes
// without asking. TCM_ADJUSTRECT converts between the control's rectangle
// and the page area inside it.
#include <algorithm>
#include <vector>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

struct Tab {
  std::string text;
  LPARAM data = 0;
  int image = -1;
};

struct TabState {
  HFONT font = nullptr;
  std::vector<Tab> tabs;
  int selected = -1;
  bool focused = false;
};

std::shared_ptr<TabState> StateOf(HWND window) { return StatesOf<TabState>().Find(window); }

int TabHeight(const TabState& s) { return LineHeight(s.font) + 6; }

std::vector<RECT> TabRects(HWND window, const TabState& s) {
  std::vector<RECT> rects;
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, FontOr(s.font));
  int x = 2;
  for (const Tab& tab : s.tabs) {
    int width = TextWidth(dc, tab.text) + 12;
    rects.push_back(RECT{x, 2, x + width, 2 + TabHeight(s)});
    x += width;
  }
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return rects;
}

bool Valid(const TabState& s, int index) { return index >= 0 && index < static_cast<int>(s.tabs.size()); }

void ChangeByUser(HWND window, TabState& s, int index) {
  if (!Valid(s, index) || index == s.selected) return;
  NMHDR header{};
  if (NotifyParent(window, TCN_SELCHANGING, &header) != 0) return;
  s.selected = index;
  InvalidateRect(window, nullptr, FALSE);
  NMHDR changed{};
  NotifyParent(window, TCN_SELCHANGE, &changed);
}

LRESULT OnLButtonDown(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  std::vector<RECT> rects = TabRects(window, *s);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
      if ((StyleOf(window) & WS_TABSTOP) != 0 && GetFocus() != window) SetFocus(window);
      ChangeByUser(window, *s, static_cast<int>(i));
      return 0;
    }
  }
  return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (key == VK_LEFT) ChangeByUser(window, *s, s->selected - 1);
  if (key == VK_RIGHT) ChangeByUser(window, *s, s->selected + 1);
  return 0;
}

void PaintTab(HDC dc, RECT r, const std::string& text, bool selected, bool focused) {
  if (selected) r = RECT{r.left - 2, r.top - 2, r.right + 2, r.bottom + 1};
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  Fill(dc, r, GetSysColor(COLOR_BTNFACE));
  Fill(dc, RECT{r.left, r.top + 2, r.left + 1, r.bottom}, light);
  Fill(dc, RECT{r.left + 2, r.top, r.right - 2, r.top + 1}, light);
  Fill(dc, RECT{r.left + 1, r.top + 1, r.left + 2, r.top + 2}, light);
  Fill(dc, RECT{r.right - 1, r.top + 2, r.right, r.bottom}, GetSysColor(COLOR_3DDKSHADOW));
  Fill(dc, RECT{r.right - 2, r.top + 1, r.right - 1, r.bottom}, shadow);
  RECT textBox{r.left + 6, r.top + 2, r.right - 6, r.bottom};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textBox, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  if (focused) DrawFocusFrame(dc, RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 2});
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, s->font);
  HDC dc = paint.Dc();
  if (dc == nullptr) return 0;
  const RECT& r = paint.Client();
  PaintColours colours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, colours.Brush());
  SetBkMode(dc, TRANSPARENT);
  int top = 2 + TabHeight(*s);
  RECT page{r.left, top, r.right, r.bottom};
  Fill(dc, page, GetSysColor(COLOR_BTNFACE));
  DrawEdge3D(dc, page, false);
  std::vector<RECT> rects = TabRects(window, *s);
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (static_cast<int>(i) != s->selected) PaintTab(dc, rects[i], s->tabs[i].text, false, false);
  if (Valid(*s, s->selected))
    PaintTab(dc, rects[static_cast<std::size_t>(s->selected)], s->tabs[static_cast<std::size_t>(s->selected)].text,
             true, s->focused);
  return 0;
}

void ReadItem(Tab& tab, const TCITEM& item) {
  if ((item.mask & TCIF_TEXT) != 0) tab.text = item.pszText != nullptr ? item.pszText : "";
  if ((item.mask & TCIF_PARAM) != 0) tab.data = item.lParam;
  if ((item.mask & TCIF_IMAGE) != 0) tab.image = item.iImage;
}

void WriteItem(const Tab& tab, TCITEM& item) {
  if ((item.mask & TCIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    std::size_t count = std::min<std::size_t>(tab.text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    tab.text.copy(item.pszText, count);
    item.pszText[count] = '\0';
  }
  if ((item.mask & TCIF_PARAM) != 0) item.lParam = tab.data;
  if ((item.mask & TCIF_IMAGE) != 0) item.iImage = tab.image;
}

LRESULT AdjustRect(const TabState& s, BOOL larger, RECT* rect) {
  if (rect == nullptr) return 0;
  int top = 2 + TabHeight(s) + 2;
  int sign = larger ? -1 : 1;
  rect->left += sign * 2;
  rect->right -= sign * 2;
  rect->bottom -= sign * 2;
  rect->top += sign * top;
  return 0;
}

LRESULT OnTabMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return -1;
  int index = static_cast<int>(wParam);
  int count = static_cast<int>(s->tabs.size());
  auto* item = reinterpret_cast<TCITEM*>(lParam);
  switch (message) {
    case TCM_INSERTITEM: {
      if (item == nullptr || index < 0) return -1;
      index = std::min(index, count);
      Tab tab;
      ReadItem(tab, *item);
      s->tabs.insert(s->tabs.begin() + index, tab);
      if (s->selected < 0) s->selected = 0;
      else if (s->selected >= index && count > 0) ++s->selected;
      InvalidateRect(window, nullptr, FALSE);
      return index;
    }
    case TCM_GETITEMCOUNT: return count;
    case TCM_GETCURSEL: return s->selected;
    case TCM_SETCURSEL: {
      int old = s->selected;
      if (!Valid(*s, index)) return -1;
      s->selected = index;
      InvalidateRect(window, nullptr, FALSE);
      return old;
    }
    case TCM_GETITEM:
      if (!Valid(*s, index) || item == nullptr) return FALSE;
      WriteItem(s->tabs[static_cast<std::size_t>(index)], *item);
      return TRUE;
    case TCM_SETITEM:
      if (!Valid(*s, index) || item == nullptr) return FALSE;
      ReadItem(s->tabs[static_cast<std::size_t>(index)], *item);
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    case TCM_DELETEITEM:
      if (!Valid(*s, index)) return FALSE;
      s->tabs.erase(s->tabs.begin() + index);
      if (s->selected == index) s->selected = -1;
      else if (s->selected > index) --s->selected;
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    case TCM_DELETEALLITEMS:
      s->tabs.clear();
      s->selected = -1;
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    case TCM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!Valid(*s, index) || rect == nullptr) return FALSE;
      *rect = TabRects(window, *s)[static_cast<std::size_t>(index)];
      return TRUE;
    }
    case TCM_ADJUSTRECT: return AdjustRect(*s, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
    default: return -1;
  }
}

LRESULT OnFocus(HWND window, bool gained) {
  if (auto s = StateOf(window)) {
    s->focused = gained;
    InvalidateRect(window, nullptr, FALSE);
  }
  return 0;
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  if (auto s = StateOf(window)) s->font = reinterpret_cast<HFONT>(font);
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto s = StateOf(window);
  return s ? reinterpret_cast<LRESULT>(s->font) : 0;
}

LRESULT TabProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= TCM_FIRST && message <= TCM_ADJUSTRECT) return OnTabMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: StatesOf<TabState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_NCDESTROY: StatesOf<TabState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: return OnLButtonDown(window, lParam);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_SETFOCUS: return OnFocus(window, true);
    case WM_KILLFOCUS: return OnFocus(window, false);
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterTabControlClass() { RegisterControlClass(WC_TABCONTROL, TabProcedure, 0, IDC_ARROW); }

}  // namespace platform::controls
