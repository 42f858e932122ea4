// The static control: text (left, centred, right; word-wrapped unless
// SS_SIMPLE or SS_LEFTNOWORDWRAP), bitmaps, icons, etched lines and frames,
// plain rectangles, and a sunken edge with SS_SUNKEN. Colours come from the
// parent's WM_CTLCOLORSTATIC answer. With SS_NOTIFY a click sends
// STN_CLICKED. Icon statics draw their icon (STM_SETICON) at the top-left,
// or centred with SS_CENTERIMAGE.
#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Resource.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

struct StaticState {
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;
  HICON icon = nullptr;
};

std::shared_ptr<StaticState> StateOf(HWND window) { return StatesOf<StaticState>().Find(window); }

void PaintEtched(HDC dc, const RECT& r, DWORD type) {
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (type == SS_ETCHEDHORZ) {
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, shadow);
    Fill(dc, RECT{r.left, r.top + 1, r.right, r.top + 2}, light);
  } else if (type == SS_ETCHEDVERT) {
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, shadow);
    Fill(dc, RECT{r.left + 1, r.top, r.left + 2, r.bottom}, light);
  } else {
    DrawFlatFrame(dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, shadow);
    DrawFlatFrame(dc, RECT{r.left + 1, r.top + 1, r.right, r.bottom}, light);
  }
}

void PaintBitmap(HDC dc, const RECT& r, HBITMAP bitmap, bool centred) {
  BITMAP info{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof info, &info) == 0) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  int x = centred ? (r.right - info.bmWidth) / 2 : 0;
  int y = centred ? (r.bottom - info.bmHeight) / 2 : 0;
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintIcon(HDC dc, const RECT& r, HICON icon, bool centred) {
  SIZE size{};
  if (icon == nullptr || !GetIconSize(icon, &size)) return;
  DrawIcon(dc, centred ? (r.right - size.cx) / 2 : 0, centred ? (r.bottom - size.cy) / 2 : 0, icon);
}

void PaintText(HWND window, HDC dc, const RECT& r, DWORD style) {
  UINT format = DT_EXPANDTABS;
  DWORD type = style & SS_TYPEMASK;
  if (type == SS_CENTER) format |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) format |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_LEFT) format |= DT_WORDBREAK;
  else format |= DT_SINGLELINE;
  if ((style & SS_CENTERIMAGE) != 0) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if ((style & SS_NOPREFIX) != 0) format |= DT_NOPREFIX;
  std::string text = TextOf(window);
  RECT box = r;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

LRESULT OnPaint(HWND window) {
  auto state = StateOf(window);
  ControlPaint paint(window, state ? state->font : nullptr);
  HDC dc = paint.Dc();
  if (dc == nullptr) return 0;
  const RECT& r = paint.Client();
  DWORD style = StyleOf(window);
  DWORD type = style & SS_TYPEMASK;
  switch (type) {
    case SS_BLACKRECT: Fill(dc, r, GetSysColor(COLOR_WINDOWFRAME)); return 0;
    case SS_GRAYRECT: Fill(dc, r, GetSysColor(COLOR_BTNSHADOW)); return 0;
    case SS_WHITERECT: Fill(dc, r, GetSysColor(COLOR_WINDOW)); return 0;
    case SS_BLACKFRAME: DrawFlatFrame(dc, r, GetSysColor(COLOR_WINDOWFRAME)); return 0;
    case SS_GRAYFRAME: DrawFlatFrame(dc, r, GetSysColor(COLOR_BTNSHADOW)); return 0;
    case SS_WHITEFRAME: DrawFlatFrame(dc, r, GetSysColor(COLOR_WINDOW)); return 0;
    case SS_ETCHEDHORZ: case SS_ETCHEDVERT: case SS_ETCHEDFRAME: PaintEtched(dc, r, type); return 0;
    default: break;
  }
  PaintColours colours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, colours.Brush());
  if ((style & SS_SUNKEN) != 0) {
    DrawFlatFrame(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawFlatFrame(dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_BTNSHADOW));
  }
  if (type == SS_BITMAP) PaintBitmap(dc, r, state ? state->bitmap : nullptr, (style & SS_CENTERIMAGE) != 0);
  else if (type == SS_ICON) PaintIcon(dc, r, state ? state->icon : nullptr, (style & SS_CENTERIMAGE) != 0);
  else PaintText(window, dc, r, style);
  return 0;
}

LRESULT OnSetImage(HWND window, WPARAM kind, LPARAM image) {
  auto state = StateOf(window);
  if (!state) return 0;
  LRESULT old = 0;
  if (kind == IMAGE_BITMAP) {
    old = reinterpret_cast<LRESULT>(state->bitmap);
    state->bitmap = reinterpret_cast<HBITMAP>(image);
  } else {
    old = reinterpret_cast<LRESULT>(state->icon);
    state->icon = reinterpret_cast<HICON>(image);
  }
  InvalidateRect(window, nullptr, TRUE);
  return old;
}

LRESULT OnGetImage(HWND window, WPARAM kind) {
  auto state = StateOf(window);
  if (!state) return 0;
  return kind == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(state->bitmap) : reinterpret_cast<LRESULT>(state->icon);
}

LRESULT OnSetText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProc(window, message, wParam, lParam);
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  if (auto state = StateOf(window)) state->font = reinterpret_cast<HFONT>(font);
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnClick(HWND window) {
  if (HasStyle(window, SS_NOTIFY)) NotifyCommand(window, STN_CLICKED);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto state = StateOf(window);
  return state ? reinterpret_cast<LRESULT>(state->font) : 0;
}

LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: StatesOf<StaticState>().Create(window); return TRUE;
    case WM_NCDESTROY: StatesOf<StaticState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return OnSetText(window, message, wParam, lParam);
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_ENABLE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN: return OnClick(window);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON: return OnSetImage(window, IMAGE_ICON, static_cast<LPARAM>(wParam));
    case STM_GETICON: return OnGetImage(window, IMAGE_ICON);
    case STM_SETIMAGE: return OnSetImage(window, wParam, lParam);
    case STM_GETIMAGE: return OnGetImage(window, wParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStaticClass() { RegisterControlClass(WC_STATIC, StaticProcedure, 0, IDC_ARROW); }

}  // namespace platform::controls
