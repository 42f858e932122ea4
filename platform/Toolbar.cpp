// The toolbar control and its tooltip window.
//
// State: the buttons (TBBUTTON records as given), the images (strips added
// by TB_ADDBITMAP go into an image list the toolbar owns; TB_SETIMAGELIST
// lends one instead), the button and bitmap sizes, the hot button under the
// pointer and the button being pressed. Layout is one row from the left;
// hidden buttons take no room, separators the width in their iBitmap (8 by
// default).
//
// Tooltips run on the layer's clock: a pointer that rests on a button for
// kToolTipDelay starts the tip (the owner is asked for the text by
// WM_NOTIFY TTN_GETDISPINFO), and a poll every 100 ms notices when the
// pointer has left the toolbar, since no message says so.
#include <algorithm>
#include <vector>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Resource.h"
#include "platform/System.h"
#include "platform/Toolbar.h"

namespace platform::controls {
namespace {

constexpr UINT_PTR kTipTimer = 0x7B01;
constexpr UINT_PTR kLeaveTimer = 0x7B02;
constexpr UINT kLeavePoll = 100;
constexpr int kSeparatorWidth = 8;

struct ToolbarState {
  std::vector<TBBUTTON> buttons;
  HIMAGELIST ownImages = nullptr;
  HIMAGELIST lentImages = nullptr;
  SIZE bitmapSize{16, 15};
  SIZE buttonSize{23, 22};
  bool buttonSizeSet = false;
  int hot = -1;
  int pressed = -1;  // the mouse holds this one down
  bool draggedOut = false;  // the pointer left the held button
  HWND notify = nullptr;
  HWND tip = nullptr;
  int tipButton = -1;
};

std::shared_ptr<ToolbarState> StateOf(HWND window) { return StatesOf<ToolbarState>().Find(window); }

bool Hidden(const TBBUTTON& b) { return (b.fsState & TBSTATE_HIDDEN) != 0; }
bool Separator(const TBBUTTON& b) { return (b.fsStyle & TBSTYLE_SEP) != 0; }
bool Enabled(const TBBUTTON& b) { return (b.fsState & TBSTATE_ENABLED) != 0; }

int Top(HWND window) { return (StyleOf(window) & CCS_NODIVIDER) != 0 ? 0 : 2; }

std::vector<RECT> Layout(HWND window, const ToolbarState& s) {
  std::vector<RECT> rects;
  int x = 0, y = Top(window);
  for (const TBBUTTON& b : s.buttons) {
    if (Hidden(b)) {
      rects.push_back(RECT{x, y, x, y});
      continue;
    }
    int width = Separator(b) ? (b.iBitmap > 0 ? b.iBitmap : kSeparatorWidth) : s.buttonSize.cx;
    rects.push_back(RECT{x, y, x + width, y + s.buttonSize.cy});
    x += width;
  }
  return rects;
}

int ButtonAt(HWND window, const ToolbarState& s, POINT point) {
  std::vector<RECT> rects = Layout(window, s);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    if (!Separator(s.buttons[i]) && !Hidden(s.buttons[i]) && point.x >= r.left && point.x < r.right &&
        point.y >= r.top && point.y < r.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

int IndexOf(const ToolbarState& s, WPARAM command) {
  for (std::size_t i = 0; i < s.buttons.size(); ++i)
    if (!Separator(s.buttons[i]) && s.buttons[i].idCommand == static_cast<int>(command)) return static_cast<int>(i);
  return -1;
}

HWND NotifyTarget(HWND window, const ToolbarState& s) { return s.notify != nullptr ? s.notify : GetParent(window); }

// --- tooltips ---------------------------------------------------------------------------------

void HideTip(ToolbarState& s) {
  s.tipButton = -1;
  if (s.tip != nullptr && IsWindowVisible(s.tip)) ShowWindow(s.tip, SW_HIDE);
}

std::string AskTipText(HWND window, ToolbarState& s, int index) {
  NMTTDISPINFO info{};
  info.hdr.hwndFrom = s.tip != nullptr ? s.tip : window;
  info.hdr.idFrom = static_cast<UINT_PTR>(s.buttons[static_cast<std::size_t>(index)].idCommand);
  info.hdr.code = TTN_GETDISPINFO;
  info.lpszText = info.szText;
  HWND target = NotifyTarget(window, s);
  if (target != nullptr) SendMessage(target, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  info.szText[sizeof info.szText - 1] = '\0';
  // A small number with an instance names a string resource, which the
  // layer does not have: the filled buffer is all there is.
  auto pointer = reinterpret_cast<std::uintptr_t>(info.lpszText);
  if (info.lpszText == nullptr || pointer <= 0xFFFF) return info.szText;
  return info.lpszText;
}

void ShowTip(HWND window, ToolbarState& s, int index) {
  std::string text = AskTipText(window, s, index);
  if (!IsWindow(window) || text.empty() || s.tip == nullptr) return;
  SetWindowText(s.tip, text.c_str());
  HDC dc = GetDC(s.tip);
  HGDIOBJ old = SelectObject(dc, FontOr(nullptr));
  int width = TextWidth(dc, text) + 8;
  SelectObject(dc, old);
  ReleaseDC(s.tip, dc);
  POINT cursor{};
  GetCursorPos(&cursor);
  SetWindowPos(s.tip, HWND_TOPMOST, cursor.x, cursor.y + 20, width + 2, LineHeight(nullptr) + 6,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(s.tip, nullptr, TRUE);
  s.tipButton = index;
}

LRESULT OnTimer(HWND window, WPARAM id) {
  auto s = StateOf(window);
  if (!s) return 0;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  int under = ButtonAt(window, *s, cursor);
  if (id == kTipTimer) {
    KillTimer(window, kTipTimer);
    if (under >= 0 && under == s->hot && s->pressed < 0) ShowTip(window, *s, under);
  } else if (id == kLeaveTimer && under < 0) {
    RECT client{};
    GetClientRect(window, &client);
    if (cursor.x < 0 || cursor.y < 0 || cursor.x >= client.right || cursor.y >= client.bottom) {
      KillTimer(window, kLeaveTimer);
      KillTimer(window, kTipTimer);
      HideTip(*s);
      if (s->hot >= 0) InvalidateRect(window, nullptr, FALSE);
      s->hot = -1;
    }
  }
  return 0;
}

// --- input ---------------------------------------------------------------------------------

void SetState(HWND window, TBBUTTON& button, BYTE state, bool on) {
  BYTE changed = on ? static_cast<BYTE>(button.fsState | state) : static_cast<BYTE>(button.fsState & ~state);
  if (changed == button.fsState) return;
  button.fsState = changed;
  InvalidateRect(window, nullptr, FALSE);
}

void Click(HWND window, ToolbarState& s, int index) {
  TBBUTTON& button = s.buttons[static_cast<std::size_t>(index)];
  if ((button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
    // Unchecks the others of its group: the run of group buttons around it.
    for (int i = index - 1; i >= 0 && (s.buttons[static_cast<std::size_t>(i)].fsStyle & TBSTYLE_GROUP) != 0; --i)
      SetState(window, s.buttons[static_cast<std::size_t>(i)], TBSTATE_CHECKED, false);
    for (std::size_t i = static_cast<std::size_t>(index) + 1;
         i < s.buttons.size() && (s.buttons[i].fsStyle & TBSTYLE_GROUP) != 0; ++i)
      SetState(window, s.buttons[i], TBSTATE_CHECKED, false);
    SetState(window, button, TBSTATE_CHECKED, true);
  } else if ((button.fsStyle & TBSTYLE_CHECK) != 0) {
    SetState(window, button, TBSTATE_CHECKED, (button.fsState & TBSTATE_CHECKED) == 0);
  }
  HWND target = NotifyTarget(window, s);
  if (target != nullptr)
    SendMessage(target, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(button.idCommand), BN_CLICKED),
                reinterpret_cast<LPARAM>(window));
}

void NotifyDrag(HWND window, const ToolbarState& s, UINT code, int index) {
  HWND target = NotifyTarget(window, s);
  if (target == nullptr || index < 0 || index >= static_cast<int>(s.buttons.size())) return;
  NMTOOLBAR info{};
  info.hdr.hwndFrom = window;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  info.hdr.code = code;
  info.tbButton = s.buttons[static_cast<std::size_t>(index)];
  info.iItem = info.tbButton.idCommand;
  info.rcButton = Layout(window, s)[static_cast<std::size_t>(index)];
  SendMessage(target, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int under = ButtonAt(window, *s, point);
  if (s->pressed >= 0) {
    SetState(window, s->buttons[static_cast<std::size_t>(s->pressed)], TBSTATE_PRESSED, under == s->pressed);
    if (under != s->pressed && !s->draggedOut) {
      s->draggedOut = true;
      NotifyDrag(window, *s, TBN_DRAGOUT, s->pressed);
    }
    return 0;
  }
  if (under >= 0 && !Enabled(s->buttons[static_cast<std::size_t>(under)])) under = -1;
  if (under == s->hot) return 0;
  s->hot = under;
  InvalidateRect(window, nullptr, FALSE);
  HideTip(*s);
  SetTimer(window, kLeaveTimer, kLeavePoll, nullptr);
  if (under >= 0 && (StyleOf(window) & TBSTYLE_TOOLTIPS) != 0) SetTimer(window, kTipTimer, kToolTipDelay, nullptr);
  return 0;
}

LRESULT OnLButtonDown(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  HideTip(*s);
  KillTimer(window, kTipTimer);
  int under = ButtonAt(window, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (under < 0 || !Enabled(s->buttons[static_cast<std::size_t>(under)])) return 0;
  s->pressed = under;
  s->draggedOut = false;
  SetState(window, s->buttons[static_cast<std::size_t>(under)], TBSTATE_PRESSED, true);
  SetCapture(window);
  // The owner may act for as long as the button is held, serving messages
  // (the release among them) before this returns.
  NotifyDrag(window, *s, TBN_BEGINDRAG, under);
  return 0;
}

LRESULT OnLButtonUp(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s || s->pressed < 0) return 0;
  int index = s->pressed;
  s->pressed = -1;
  if (GetCapture() == window) ReleaseCapture();
  if (index >= static_cast<int>(s->buttons.size())) return 0;
  SetState(window, s->buttons[static_cast<std::size_t>(index)], TBSTATE_PRESSED, false);
  NotifyDrag(window, *s, TBN_ENDDRAG, index);
  if (index >= static_cast<int>(s->buttons.size())) return 0;
  if (ButtonAt(window, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == index &&
      Enabled(s->buttons[static_cast<std::size_t>(index)]))
    Click(window, *s, index);
  return 0;
}

LRESULT OnCaptureChanged(HWND window) {
  auto s = StateOf(window);
  if (s && s->pressed >= 0 && GetCapture() != window) {
    if (s->pressed < static_cast<int>(s->buttons.size()))
      SetState(window, s->buttons[static_cast<std::size_t>(s->pressed)], TBSTATE_PRESSED, false);
    s->pressed = -1;
  }
  return 0;
}

// --- painting ------------------------------------------------------------------------------

void DrawGreyed(HDC dc, HIMAGELIST images, int index, int x, int y, SIZE size) {
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP scratch = CreateCompatibleBitmap(dc, size.cx, size.cy);
  HGDIOBJ old = SelectObject(memory, scratch);
  COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  Fill(memory, RECT{0, 0, size.cx, size.cy}, face);
  ImageList_Draw(images, index, memory, 0, 0, ILD_NORMAL);
  for (int py = 0; py < size.cy; ++py)
    for (int px = 0; px < size.cx; ++px) {
      COLORREF pixel = GetPixel(memory, px, py);
      if (pixel == face) continue;
      int light = (GetRValue(pixel) * 30 + GetGValue(pixel) * 59 + GetBValue(pixel) * 11) / 100;
      SetPixel(memory, px, py, light < 192 ? shadow : face);
    }
  BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(scratch);
  DeleteDC(memory);
}

void PaintButton(HWND window, HDC dc, const ToolbarState& s, const TBBUTTON& b, RECT r, bool hot) {
  bool flat = (StyleOf(window) & TBSTYLE_FLAT) != 0;
  if (Separator(b)) {
    int x = (r.left + r.right) / 2;
    if (flat) {
      Fill(dc, RECT{x - 1, r.top + 1, x, r.bottom - 1}, GetSysColor(COLOR_BTNSHADOW));
      Fill(dc, RECT{x, r.top + 1, x + 1, r.bottom - 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    return;
  }
  bool down = (b.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
  bool enabled = Enabled(b);
  if ((b.fsState & TBSTATE_CHECKED) != 0 && (b.fsState & TBSTATE_PRESSED) == 0)
    Fill(dc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_3DLIGHT));
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (down) {
    DrawFlatFrame(dc, r, shadow);
    Fill(dc, RECT{r.left + 1, r.bottom - 1, r.right, r.bottom}, light);
    Fill(dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom}, light);
  } else if (!flat) {
    DrawEdge3D(dc, r, false);
  } else if (hot && enabled) {
    DrawFlatFrame(dc, r, light);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, shadow);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, shadow);
  }
  HIMAGELIST images = s.lentImages != nullptr ? s.lentImages : s.ownImages;
  int width = s.bitmapSize.cx, height = s.bitmapSize.cy;
  if (images != nullptr) ImageList_GetIconSize(images, &width, &height);
  int x = r.left + (r.right - r.left - width) / 2 + (down ? 1 : 0);
  int y = r.top + (r.bottom - r.top - height) / 2 + (down ? 1 : 0);
  if (images == nullptr || b.iBitmap < 0) return;
  if (enabled) ImageList_Draw(images, b.iBitmap, dc, x, y, ILD_NORMAL);
  else DrawGreyed(dc, images, b.iBitmap, x, y, SIZE{width, height});
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, nullptr);
  HDC dc = paint.Dc();
  if (dc == nullptr) return 0;
  Fill(dc, paint.Client(), GetSysColor(COLOR_BTNFACE));
  if (Top(window) > 0) {
    Fill(dc, RECT{0, 0, paint.Client().right, 1}, GetSysColor(COLOR_BTNSHADOW));
    Fill(dc, RECT{0, 1, paint.Client().right, 2}, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  std::vector<RECT> rects = Layout(window, *s);
  for (std::size_t i = 0; i < s->buttons.size(); ++i)
    if (!Hidden(s->buttons[i])) PaintButton(window, dc, *s, s->buttons[i], rects[i], static_cast<int>(i) == s->hot);
  return 0;
}

// --- messages ------------------------------------------------------------------------------

void AutoSize(HWND window, const ToolbarState& s) {
  DWORD style = StyleOf(window);
  HWND parent = GetParent(window);
  if (parent == nullptr || (style & CCS_NORESIZE) != 0) return;
  RECT client{};
  GetClientRect(parent, &client);
  int height = s.buttonSize.cy + Top(window) + 2;
  RECT bounds{};
  GetWindowRect(window, &bounds);
  POINT origin{bounds.left, bounds.top};
  ScreenToClient(parent, &origin);
  int y = (style & CCS_NOPARENTALIGN) != 0 ? origin.y : ((style & 0x3) == CCS_BOTTOM ? client.bottom - height : 0);
  int x = (style & CCS_NOPARENTALIGN) != 0 ? origin.x : 0;
  MoveWindow(window, x, y, client.right - x, height, TRUE);
}

LRESULT AddBitmap(HWND window, ToolbarState& s, const TBADDBITMAP* add) {
  if (add == nullptr) return -1;
  if (s.ownImages == nullptr) s.ownImages = ImageList_Create(s.bitmapSize.cx, s.bitmapSize.cy, ILC_COLOR32, 4, 4);
  HBITMAP strip = nullptr;
  bool loaded = add->hInst != nullptr;
  if (loaded) strip = LoadBitmap(add->hInst, MAKEINTRESOURCE(add->nID));
  else strip = reinterpret_cast<HBITMAP>(add->nID);
  int first = ImageList_Add(s.ownImages, strip, nullptr);
  if (loaded && strip != nullptr) DeleteObject(strip);
  InvalidateRect(window, nullptr, FALSE);
  return first;
}

LRESULT InsertButtons(HWND window, ToolbarState& s, int at, int count, const TBBUTTON* buttons) {
  if (buttons == nullptr || count <= 0) return FALSE;
  at = std::clamp(at, 0, static_cast<int>(s.buttons.size()));
  s.buttons.insert(s.buttons.begin() + at, buttons, buttons + count);
  InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}

LRESULT ChangeState(HWND window, ToolbarState& s, WPARAM command, BYTE state, bool on) {
  int index = IndexOf(s, command);
  if (index < 0) return FALSE;
  SetState(window, s.buttons[static_cast<std::size_t>(index)], state, on);
  if (state == TBSTATE_ENABLED && !on && s.hot == index) s.hot = -1;
  return TRUE;
}

LRESULT QueryState(const ToolbarState& s, WPARAM command, BYTE state) {
  int index = IndexOf(s, command);
  return index < 0 ? -1 : ((s.buttons[static_cast<std::size_t>(index)].fsState & state) != 0 ? TRUE : FALSE);
}

LRESULT ItemRect(HWND window, const ToolbarState& s, int index, RECT* rect) {
  if (rect == nullptr || index < 0 || index >= static_cast<int>(s.buttons.size()) ||
      Hidden(s.buttons[static_cast<std::size_t>(index)]))
    return FALSE;
  *rect = Layout(window, s)[static_cast<std::size_t>(index)];
  return TRUE;
}

LRESULT OnToolbarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  bool on = LOWORD(static_cast<std::uintptr_t>(lParam)) != 0;
  switch (message) {
    case TB_ENABLEBUTTON: return ChangeState(window, *s, wParam, TBSTATE_ENABLED, on);
    case TB_CHECKBUTTON: return ChangeState(window, *s, wParam, TBSTATE_CHECKED, on);
    case TB_PRESSBUTTON: return ChangeState(window, *s, wParam, TBSTATE_PRESSED, on);
    case TB_HIDEBUTTON: return ChangeState(window, *s, wParam, TBSTATE_HIDDEN, on);
    case TB_INDETERMINATE: return ChangeState(window, *s, wParam, TBSTATE_INDETERMINATE, on);
    case TB_ISBUTTONENABLED: return QueryState(*s, wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return QueryState(*s, wParam, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return QueryState(*s, wParam, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return QueryState(*s, wParam, TBSTATE_HIDDEN);
    case TB_GETSTATE: {
      int index = IndexOf(*s, wParam);
      return index < 0 ? -1 : s->buttons[static_cast<std::size_t>(index)].fsState;
    }
    case TB_SETSTATE: {
      int index = IndexOf(*s, wParam);
      if (index < 0) return FALSE;
      s->buttons[static_cast<std::size_t>(index)].fsState = static_cast<BYTE>(LOWORD(static_cast<std::uintptr_t>(lParam)));
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    }
    case TB_ADDBITMAP: return AddBitmap(window, *s, reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_ADDBUTTONS:
      return InsertButtons(window, *s, static_cast<int>(s->buttons.size()), static_cast<int>(wParam),
                           reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_INSERTBUTTON:
      return InsertButtons(window, *s, static_cast<int>(wParam), 1, reinterpret_cast<const TBBUTTON*>(lParam));
    case TB_DELETEBUTTON:
      if (wParam >= s->buttons.size()) return FALSE;
      s->buttons.erase(s->buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
      s->hot = -1;
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    case TB_GETBUTTON:
      if (wParam >= s->buttons.size() || lParam == 0) return FALSE;
      *reinterpret_cast<TBBUTTON*>(lParam) = s->buttons[wParam];
      return TRUE;
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(s->buttons.size());
    case TB_COMMANDTOINDEX: return IndexOf(*s, wParam);
    case TB_GETITEMRECT: return ItemRect(window, *s, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case TB_GETRECT: return ItemRect(window, *s, IndexOf(*s, wParam), reinterpret_cast<RECT*>(lParam));
    case TB_BUTTONSTRUCTSIZE: return 0;
    case TB_SETBUTTONSIZE:
      s->buttonSize = SIZE{LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam))};
      s->buttonSizeSet = true;
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    case TB_SETBITMAPSIZE:
      s->bitmapSize = SIZE{LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam))};
      if (!s->buttonSizeSet) s->buttonSize = SIZE{s->bitmapSize.cx + 7, s->bitmapSize.cy + 7};
      return TRUE;
    case TB_GETBUTTONSIZE: return MAKELPARAM(static_cast<unsigned>(s->buttonSize.cx), static_cast<unsigned>(s->buttonSize.cy));
    case TB_AUTOSIZE: AutoSize(window, *s); return 0;
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(s->tip);
    case TB_SETTOOLTIPS: s->tip = reinterpret_cast<HWND>(wParam); return 0;
    case TB_SETPARENT: {
      HWND old = NotifyTarget(window, *s);
      s->notify = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_CHANGEBITMAP: {
      int index = IndexOf(*s, wParam);
      if (index < 0) return FALSE;
      s->buttons[static_cast<std::size_t>(index)].iBitmap = static_cast<int>(lParam);
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    }
    case TB_GETBITMAP: {
      int index = IndexOf(*s, wParam);
      return index < 0 ? -1 : s->buttons[static_cast<std::size_t>(index)].iBitmap;
    }
    case TB_SETIMAGELIST: {
      auto old = reinterpret_cast<LRESULT>(s->lentImages);
      s->lentImages = reinterpret_cast<HIMAGELIST>(lParam);
      if (s->lentImages != nullptr && !s->buttonSizeSet) {
        int width = 0, height = 0;
        ImageList_GetIconSize(s->lentImages, &width, &height);
        s->bitmapSize = SIZE{width, height};
        s->buttonSize = SIZE{width + 7, height + 7};
      }
      InvalidateRect(window, nullptr, FALSE);
      return old;
    }
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(s->lentImages != nullptr ? s->lentImages : s->ownImages);
    case TB_SETSTYLE:
      SetWindowLongPtr(window, GWL_STYLE, static_cast<LONG_PTR>(lParam));
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case TB_GETSTYLE: return static_cast<LRESULT>(StyleOf(window));
    default: return 0;
  }
}

LRESULT OnCreate(HWND window) {
  auto s = StateOf(window);
  if (!s) return -1;
  if ((StyleOf(window) & TBSTYLE_TOOLTIPS) != 0)
    s->tip = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | WS_BORDER, 0, 0, 10, 10,
                            GetAncestor(window, GA_ROOT), nullptr, nullptr, nullptr);
  AutoSize(window, *s);
  return 0;
}

LRESULT OnDestroy(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (s->tip != nullptr) DestroyWindow(s->tip);
  s->tip = nullptr;
  if (s->ownImages != nullptr) ImageList_Destroy(s->ownImages);
  s->ownImages = nullptr;
  return 0;
}

LRESULT ToolbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= TB_ENABLEBUTTON && message <= TB_GETBUTTONSIZE) return OnToolbarMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: StatesOf<ToolbarState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy(window);
    case WM_NCDESTROY: StatesOf<ToolbarState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return OnLButtonDown(window, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(window, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(window);
    case WM_TIMER: return OnTimer(window, wParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

// --- the tooltip window ----------------------------------------------------------------------

LRESULT OnTipPaint(HWND tip) {
  ControlPaint paint(tip, nullptr);
  if (paint.Dc() == nullptr) return 0;
  Fill(paint.Dc(), paint.Client(), GetSysColor(COLOR_INFOBK));
  SetTextColor(paint.Dc(), GetSysColor(COLOR_INFOTEXT));
  SetBkMode(paint.Dc(), TRANSPARENT);
  std::string text = TextOf(tip);
  RECT box{4, 0, paint.Client().right, paint.Client().bottom};
  DrawText(paint.Dc(), text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  return 0;
}

LRESULT TipProcedure(HWND tip, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return OnTipPaint(tip);
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return 3;  // MA_NOACTIVATE
    case WM_ACTIVATE: return 0;
    default: return DefWindowProc(tip, message, wParam, lParam);
  }
}

}  // namespace

void RegisterToolbarClasses() {
  RegisterControlClass(TOOLBARCLASSNAME, ToolbarProcedure, CS_DBLCLKS, IDC_ARROW);
  RegisterControlClass(TOOLTIPS_CLASS, TipProcedure, CS_SAVEBITS, IDC_ARROW);
}

}  // namespace platform::controls
