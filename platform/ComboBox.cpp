// The combo box: a drop-down list (CBS_DROPDOWNLIST, a field showing the
// chosen string) or an editable one (CBS_DROPDOWN, an edit child, id 1001),
// with a button that drops a list down in a popup window of its own.
//
// Notifications to the parent, by WM_COMMAND:
//  - opening: CBN_DROPDOWN before the list shows;
//  - while open, a move of the highlight by keyboard: CBN_SELCHANGE;
//  - choosing (a click in the list, Enter, F4, Alt+Up): CBN_SELCHANGE when the
//    selection changed, then CBN_SELENDOK (9) and CBN_CLOSEUP (8), in that
//    order; cancelling (Escape, a click outside): CBN_SELENDCANCEL, the
//    selection of the moment of opening back, then CBN_CLOSEUP;
//  - closed, an arrow key changes the selection: CBN_SELCHANGE, CBN_SELENDOK;
//  - typing in the edit: CBN_EDITUPDATE, CBN_EDITCHANGE.
// CB_SETCURSEL and friends send nothing. The list popup holds the mouse
// capture while open, takes no activation (a click on it answers
// WM_MOUSEACTIVATE with MA_NOACTIVATE) and never takes the focus, so keys
// keep arriving at the combo (or its edit, which hands the list keys to the
// combo) and the parent hears of no focus change.
//
// The combo's window height at creation is the height of the dropped list;
// the combo itself keeps the height of one field.
#include <algorithm>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/ListItems.h"
#include "platform/ScrollBarFrame.h"
#include "platform/System.h"
#include "platform/WindowCore.h"

namespace platform::controls {
namespace {

constexpr LPCSTR kListClass = "ComboLBox";
constexpr int kEditId = 1001;

struct ComboState {
  HFONT font = nullptr;
  ListItems list;
  int selected = -1;
  int selectedAtDrop = -1;
  int notified = -1;  // the selection the parent last heard of by CBN_SELCHANGE
  int hot = -1;       // the row highlighted in the dropped list
  bool barTracking = false;  // the list's scroll bar follows the mouse
  int listHeight = 100;  // of the dropped list, from the creation height
  HWND edit = nullptr;
  WNDPROC editProcedure = nullptr;
  HWND popup = nullptr;
  int popupTop = 0;  // first row shown in the popup
  bool focused = false;
  bool settingText = false;  // edit text of the combo's own making
};

std::shared_ptr<ComboState> StateOf(HWND window) { return StatesOf<ComboState>().Find(window); }

bool Editable(HWND window) { return (StyleOf(window) & 0x3) != CBS_DROPDOWNLIST; }

int RowHeight(const ComboState& s) { return LineHeight(s.font); }
int FieldHeight(const ComboState& s) { return RowHeight(s) + 8; }
int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// Text the combo puts into its edit itself: the parent hears of the choice,
// not of an edit change.
LRESULT SetEditText(ComboState& s, LPARAM text) {
  s.settingText = true;
  LRESULT result = SendMessage(s.edit, WM_SETTEXT, 0, text);
  s.settingText = false;
  return result;
}

void ShowSelectionText(HWND window, ComboState& s) {
  if (s.edit != nullptr) {
    std::string text = s.list.Valid(s.selected) ? s.list.items[static_cast<std::size_t>(s.selected)].text : "";
    SetEditText(s, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(s.edit, EM_SETSEL, 0, -1);
  }
  InvalidateRect(window, nullptr, FALSE);
  if (s.popup != nullptr) InvalidateRect(s.popup, nullptr, FALSE);
}

int PopupRows(const ComboState& s) {
  RECT client{};
  GetClientRect(s.popup, &client);
  return std::max<int>(client.bottom / RowHeight(s), 1);
}

// Moves the popup's first row (kept in range) and its scroll bar with it.
void SetPopupTop(ComboState& s, int top) {
  if (s.popup == nullptr) return;
  int rows = PopupRows(s);
  s.popupTop = std::clamp(top, 0, std::max(s.list.Count() - rows, 0));
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(s.list.Count() - 1, 0),
                  static_cast<UINT>(rows), s.popupTop, 0};
  SetScrollInfo(s.popup, SB_VERT, &info, TRUE);
  InvalidateRect(s.popup, nullptr, FALSE);
}

void KeepRowInPopup(ComboState& s) {
  if (s.popup == nullptr || s.selected < 0) return;
  int rows = PopupRows(s);
  if (s.selected < s.popupTop) SetPopupTop(s, s.selected);
  if (s.selected >= s.popupTop + rows) SetPopupTop(s, s.selected - rows + 1);
}

bool Select(HWND window, ComboState& s, int index) {
  if (!s.list.Valid(index)) index = -1;
  if (index == s.selected) return false;
  s.selected = s.hot = index;
  KeepRowInPopup(s);
  ShowSelectionText(window, s);
  return true;
}

// --- dropping down -----------------------------------------------------------------------------

void Drop(HWND window, ComboState& s) {
  if (s.popup != nullptr) return;
  NotifyCommand(window, CBN_DROPDOWN);
  if (!IsWindow(window) || s.popup != nullptr) return;
  RECT bounds{};
  GetWindowRect(window, &bounds);
  int rows = std::clamp(s.list.Count(), 1, std::max(s.listHeight / RowHeight(s), 1));
  int height = rows * RowHeight(s) + 2;
  DWORD style = WS_POPUP | WS_BORDER | (s.list.Count() > rows ? WS_VSCROLL : 0);
  s.selectedAtDrop = s.notified = s.hot = s.selected;
  s.popupTop = 0;
  s.barTracking = false;
  s.popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kListClass, "", style, bounds.left, bounds.bottom,
                           bounds.right - bounds.left, height, GetAncestor(window, GA_ROOT), nullptr, nullptr, nullptr);
  if (s.popup == nullptr) return;
  SetWindowLongPtr(s.popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  SetPopupTop(s, 0);
  KeepRowInPopup(s);
  ShowWindow(s.popup, SW_SHOWNA);
  SetCapture(s.popup);
  InvalidateRect(window, nullptr, FALSE);
}

enum class CloseHow { Chosen, Cancelled, Quietly };

void CloseUp(HWND window, ComboState& s, CloseHow how) {
  if (s.popup == nullptr) return;
  HWND popup = s.popup;
  s.popup = nullptr;
  if (how == CloseHow::Cancelled) Select(window, s, s.selectedAtDrop);
  if (GetCapture() == popup) ReleaseCapture();
  DestroyWindow(popup);
  InvalidateRect(window, nullptr, FALSE);
  if (how == CloseHow::Chosen) NotifyCommand(window, CBN_SELENDOK);
  if (how == CloseHow::Cancelled) NotifyCommand(window, CBN_SELENDCANCEL);
  NotifyCommand(window, CBN_CLOSEUP);
}

void Choose(HWND window, ComboState& s, int index) {
  Select(window, s, index);
  if (s.selected != s.notified) {
    s.notified = s.selected;
    NotifyCommand(window, CBN_SELCHANGE);
  }
  CloseUp(window, s, CloseHow::Chosen);
}

// --- keys (from the combo itself or its edit) ---------------------------------------------------

bool OnListKey(HWND window, UINT message, WPARAM key) {
  auto s = StateOf(window);
  if (!s) return false;
  bool alt = message == WM_SYSKEYDOWN;
  bool open = s->popup != nullptr;
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (open) Choose(window, *s, s->selected);
    else Drop(window, *s);
    return true;
  }
  if (alt) return false;
  if (open && key == VK_RETURN) {
    Choose(window, *s, s->selected);
    return true;
  }
  if (open && key == VK_ESCAPE) {
    CloseUp(window, *s, CloseHow::Cancelled);
    return true;
  }
  int last = s->list.Count() - 1;
  if (last < 0) return key == VK_UP || key == VK_DOWN;
  int target = s->selected;
  switch (key) {
    case VK_UP: target = std::max(s->selected - 1, 0); break;
    case VK_DOWN: target = std::min(s->selected + 1, last); break;
    case VK_HOME: if (s->edit != nullptr) return false; target = 0; break;
    case VK_END: if (s->edit != nullptr) return false; target = last; break;
    case VK_PRIOR: target = std::max(s->selected - 8, 0); break;
    case VK_NEXT: target = std::min(s->selected + 8, last); break;
    default: return false;
  }
  if (Select(window, *s, target)) {
    s->notified = s->selected;
    NotifyCommand(window, CBN_SELCHANGE);
    if (!open) NotifyCommand(window, CBN_SELENDOK);
  }
  return true;
}

LRESULT OnChar(HWND window, WPARAM character) {
  auto s = StateOf(window);
  if (!s || character < 0x20 || s->edit != nullptr) return 0;
  int found = s->list.Find(s->selected, std::string(1, static_cast<char>(character)), false);
  if (found >= 0 && Select(window, *s, found)) {
    s->notified = s->selected;
    NotifyCommand(window, CBN_SELCHANGE);
    if (s->popup == nullptr) NotifyCommand(window, CBN_SELENDOK);
  }
  return 0;
}

LRESULT EditChildProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND combo = GetParent(edit);
  auto s = StateOf(combo);
  WNDPROC base = s ? s->editProcedure : nullptr;
  if (base == nullptr) return DefWindowProc(edit, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      if (OnListKey(combo, message, wParam)) return 0;
      break;
    case WM_CHAR:
      if (s->popup != nullptr && (wParam == '\r' || wParam == 0x1B)) return 0;
      break;
    case WM_GETDLGCODE:
      return CallWindowProc(base, edit, message, wParam, lParam) | (s->popup != nullptr ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
      s->focused = true;
      CallWindowProc(base, edit, message, wParam, lParam);
      NotifyCommand(combo, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      CallWindowProc(base, edit, message, wParam, lParam);
      if (reinterpret_cast<HWND>(wParam) != combo) {
        s->focused = false;
        if (s->popup != nullptr) CloseUp(combo, *s, CloseHow::Cancelled);
        NotifyCommand(combo, CBN_KILLFOCUS);
      }
      return 0;
    default: break;
  }
  return CallWindowProc(base, edit, message, wParam, lParam);
}

// --- the combo window ----------------------------------------------------------------------------

void Layout(HWND window, ComboState& s) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.bottom != FieldHeight(s)) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, FieldHeight(s), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(window, &client);
  }
  if (s.edit != nullptr)
    MoveWindow(s.edit, 3, 3, std::max<int>(client.right - ButtonWidth() - 5, 1), std::max<int>(client.bottom - 6, 1), TRUE);
}

// Scroll-bar styles of a combo box are meant for its dropped list; the
// field itself has none.
LRESULT OnNcCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StatesOf<ComboState>().Create(window);
  DWORD style = StyleOf(window);
  if ((style & (WS_VSCROLL | WS_HSCROLL)) != 0)
    SetWindowLongPtr(window, GWL_STYLE, static_cast<LONG_PTR>(style & ~(WS_VSCROLL | WS_HSCROLL)));
  return DefWindowProc(window, message, wParam, lParam);
}

LRESULT OnCreate(HWND window, const CREATESTRUCT* create) {
  auto s = StateOf(window);
  if (!s) return -1;
  s->listHeight = std::max(create->cy - FieldHeight(*s), RowHeight(*s));
  if (Editable(window)) {
    s->edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, window,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kEditId)), nullptr, nullptr);
    if (s->edit == nullptr) return -1;
    s->editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(s->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditChildProcedure)));
  }
  Layout(window, *s);
  return 0;
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, s->font);
  HDC dc = paint.Dc();
  if (dc == nullptr) return 0;
  const RECT& r = paint.Client();
  bool enabled = IsWindowEnabled(window) != 0;
  PaintColours colours(window, dc, s->edit != nullptr ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX);
  FillRect(dc, &r, colours.Brush());
  DrawEdge3D(dc, r, true);
  RECT button{r.right - 2 - ButtonWidth(), 2, r.right - 2, r.bottom - 2};
  Fill(dc, button, GetSysColor(COLOR_BTNFACE));
  if (s->popup != nullptr) DrawFlatFrame(dc, button, GetSysColor(COLOR_BTNSHADOW));
  else DrawEdge3D(dc, button, false);
  DrawArrow(dc, button, Arrow::Down, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (s->edit != nullptr || !s->list.Valid(s->selected)) return 0;
  RECT field{3, 3, button.left - 1, r.bottom - 3};
  bool highlight = s->focused && s->popup == nullptr && enabled;
  if (highlight) {
    Fill(dc, field, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  const std::string& text = s->list.items[static_cast<std::size_t>(s->selected)].text;
  RECT textBox{field.left + 2, field.top, field.right - 2, field.bottom};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (highlight) DrawFocusFrame(dc, field);
  return 0;
}

LRESULT OnLButtonDown(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  HWND focus = s->edit != nullptr ? s->edit : window;
  if (GetFocus() != focus) SetFocus(focus);
  if (s->popup != nullptr) CloseUp(window, *s, CloseHow::Cancelled);
  else Drop(window, *s);
  return 0;
}

LRESULT OnFocus(HWND window, bool gained) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (s->edit != nullptr) {
    if (gained) SetFocus(s->edit);
    return 0;
  }
  InvalidateRect(window, nullptr, FALSE);
  s->focused = gained;
  if (!gained && s->popup != nullptr) CloseUp(window, *s, CloseHow::Cancelled);
  NotifyCommand(window, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
  return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
  auto s = StateOf(window);
  if (!s || LOWORD(wParam) != kEditId || s->settingText) return 0;
  if (HIWORD(wParam) == EN_UPDATE) NotifyCommand(window, CBN_EDITUPDATE);
  if (HIWORD(wParam) == EN_CHANGE) NotifyCommand(window, CBN_EDITCHANGE);
  return 0;
}

LRESULT Added(HWND window, ComboState& s, int index) {
  if (index < 0) return CB_ERR;
  if (s.selected >= index) ++s.selected;
  InvalidateRect(window, nullptr, FALSE);
  return index;
}

LRESULT OnListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return CB_ERR;
  auto index = static_cast<int>(static_cast<LONG_PTR>(static_cast<int>(wParam)));
  const char* text = reinterpret_cast<const char*>(lParam);
  switch (message) {
    case CB_ADDSTRING: return Added(window, *s, s->list.Add(text ? text : "", HasStyle(window, CBS_SORT)));
    case CB_INSERTSTRING: return Added(window, *s, s->list.Insert(index, text ? text : ""));
    case CB_DELETESTRING:
      if (!s->list.Remove(index)) return CB_ERR;
      if (s->selected == index) Select(window, *s, -1);
      else if (s->selected > index) --s->selected;
      InvalidateRect(window, nullptr, FALSE);
      return s->list.Count();
    case CB_RESETCONTENT:
      s->list.items.clear();
      s->selected = -1;
      ShowSelectionText(window, *s);
      return CB_OKAY;
    case CB_SETCURSEL: Select(window, *s, index); return s->list.Valid(index) ? index : CB_ERR;
    case CB_GETCURSEL: return s->selected;
    case CB_GETCOUNT: return s->list.Count();
    case CB_GETLBTEXT: return s->list.CopyText(index, reinterpret_cast<char*>(lParam));
    case CB_GETLBTEXTLEN: return s->list.CopyText(index, nullptr);
    case CB_SETITEMDATA:
      if (!s->list.Valid(index)) return CB_ERR;
      s->list.items[static_cast<std::size_t>(index)].data = lParam;
      return CB_OKAY;
    case CB_GETITEMDATA: return s->list.Valid(index) ? s->list.items[static_cast<std::size_t>(index)].data : CB_ERR;
    case CB_FINDSTRING: return s->list.Find(index, text ? text : "", false);
    case CB_FINDSTRINGEXACT: return s->list.Find(index, text ? text : "", true);
    case CB_SELECTSTRING: {
      int found = s->list.Find(index, text ? text : "", false);
      if (found >= 0) Select(window, *s, found);
      return found;
    }
    case CB_SHOWDROPDOWN:
      if (wParam != 0) Drop(window, *s);
      else CloseUp(window, *s, CloseHow::Quietly);
      return TRUE;
    case CB_GETDROPPEDSTATE: return s->popup != nullptr ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr) return CB_ERR;
      GetWindowRect(window, rect);
      rect->bottom += s->listHeight;
      return CB_OKAY;
    }
    case CB_LIMITTEXT: return s->edit != nullptr ? SendMessage(s->edit, EM_LIMITTEXT, wParam, 0) : TRUE;
    case CB_GETEDITSEL: return s->edit != nullptr ? SendMessage(s->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      return s->edit != nullptr ? (SendMessage(s->edit, EM_SETSEL, LOWORD(static_cast<std::uintptr_t>(lParam)),
                                               static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))), TRUE)
                                : CB_ERR;
    default: return CB_ERR;
  }
}

LRESULT OnText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (s->edit != nullptr)
    return message == WM_SETTEXT ? SetEditText(*s, lParam) : SendMessage(s->edit, message, wParam, lParam);
  if (message == WM_SETTEXT) {
    const char* text = reinterpret_cast<const char*>(lParam);
    int found = s->list.Find(-1, text ? text : "", true);
    if (found < 0) return CB_ERR;
    Select(window, *s, found);
    return TRUE;
  }
  std::string text = s->list.Valid(s->selected) ? s->list.items[static_cast<std::size_t>(s->selected)].text : "";
  if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  auto* buffer = reinterpret_cast<char*>(lParam);
  if (buffer == nullptr || wParam == 0) return 0;
  std::size_t count = std::min<std::size_t>(text.size(), wParam - 1);
  text.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT OnEnable(HWND window, BOOL enabled) {
  auto s = StateOf(window);
  if (s && s->edit != nullptr) EnableWindow(s->edit, enabled);
  InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->font = reinterpret_cast<HFONT>(font);
  if (s->edit != nullptr) SendMessage(s->edit, WM_SETFONT, font, redraw);
  Layout(window, *s);
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto s = StateOf(window);
  return s ? reinterpret_cast<LRESULT>(s->font) : 0;
}

LRESULT OnDestroy(HWND window) {
  auto s = StateOf(window);
  if (s && s->popup != nullptr) {
    HWND popup = s->popup;
    s->popup = nullptr;
    DestroyWindow(popup);
  }
  return 0;
}

LRESULT OnGetDlgCode(HWND window) {
  auto s = StateOf(window);
  return DLGC_WANTARROWS | DLGC_WANTCHARS | (s && s->popup != nullptr ? DLGC_WANTALLKEYS : 0);
}

LRESULT OnKeyDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnListKey(window, message, wParam)) return 0;
  return message == WM_SYSKEYDOWN ? DefWindowProc(window, message, wParam, lParam) : 0;
}

LRESULT OnSize(HWND window) {
  if (auto s = StateOf(window)) Layout(window, *s);
  return 0;
}

LRESULT ComboProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= CB_GETEDITSEL && message <= CB_FINDSTRINGEXACT) return OnListMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: return OnNcCreate(window, message, wParam, lParam);
    case WM_CREATE: return OnCreate(window, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_DESTROY: return OnDestroy(window);
    case WM_NCDESTROY: StatesOf<ComboState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: return OnSize(window);
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return OnLButtonDown(window);
    case WM_KEYDOWN: case WM_SYSKEYDOWN: return OnKeyDown(window, message, wParam, lParam);
    case WM_CHAR: return OnChar(window, wParam);
    case WM_SETFOCUS: return OnFocus(window, true);
    case WM_KILLFOCUS: return OnFocus(window, false);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_SETTEXT: case WM_GETTEXT: case WM_GETTEXTLENGTH: return OnText(window, message, wParam, lParam);
    case WM_ENABLE: return OnEnable(window, static_cast<BOOL>(wParam));
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_GETDLGCODE: return OnGetDlgCode(window);
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC:
      return GetParent(window) != nullptr ? SendMessage(GetParent(window), message, wParam, lParam) : 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

// --- the dropped list ------------------------------------------------------------------------------

HWND ComboOf(HWND popup) { return reinterpret_cast<HWND>(GetWindowLongPtr(popup, GWLP_USERDATA)); }

int PopupRowAt(HWND popup, const ComboState& s, LPARAM lParam, bool* inside) {
  RECT client{};
  GetClientRect(popup, &client);
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  *inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
  int row = s.popupTop + y / RowHeight(s);
  return *inside && s.list.Valid(row) ? row : -1;
}

LRESULT OnPopupPaint(HWND popup) {
  HWND combo = ComboOf(popup);
  auto s = StateOf(combo);
  ControlPaint paint(popup, s ? s->font : nullptr);
  if (!s || paint.Dc() == nullptr) return 0;
  Fill(paint.Dc(), paint.Client(), GetSysColor(COLOR_WINDOW));
  SetTextColor(paint.Dc(), GetSysColor(COLOR_WINDOWTEXT));
  PaintListRows(paint.Dc(), paint.Client(), s->list, s->popupTop, s->hot, RowHeight(*s), false, true);
  return 0;
}

// The list holds the capture, so presses on its own scroll bar arrive here
// too (outside the client area); they go to the bar.
bool OnPopupScrollBar(HWND popup, ComboState& s, UINT message, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(popup, &point);
  RECT bounds{};
  GetWindowRect(popup, &bounds);
  point = POINT{point.x - bounds.left, point.y - bounds.top};
  RECT bar = FramePartsOf(popup).vertical;
  bool onBar = point.x >= bar.left && point.x < bar.right && point.y >= bar.top && point.y < bar.bottom;
  if (!s.barTracking && !(onBar && message == WM_LBUTTONDOWN)) return false;
  s.barTracking = WindowScrollBarMouse(popup, SB_VERT, bar, message, point);
  return true;
}

LRESULT OnPopupScroll(HWND popup, WPARAM wParam) {
  auto s = StateOf(ComboOf(popup));
  if (!s || s->popup != popup) return 0;
  int rows = PopupRows(*s);
  switch (LOWORD(wParam)) {
    case SB_LINEUP: SetPopupTop(*s, s->popupTop - 1); break;
    case SB_LINEDOWN: SetPopupTop(*s, s->popupTop + 1); break;
    case SB_PAGEUP: SetPopupTop(*s, s->popupTop - rows); break;
    case SB_PAGEDOWN: SetPopupTop(*s, s->popupTop + rows); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: SetPopupTop(*s, static_cast<short>(HIWORD(wParam))); break;
    default: break;
  }
  return 0;
}

LRESULT OnPopupMouse(HWND popup, UINT message, LPARAM lParam) {
  HWND combo = ComboOf(popup);
  auto s = StateOf(combo);
  if (!s || s->popup != popup) return 0;
  if (OnPopupScrollBar(popup, *s, message, lParam)) return 0;
  bool inside = false;
  int row = PopupRowAt(popup, *s, lParam, &inside);
  if (message == WM_MOUSEMOVE && row >= 0 && row != s->hot) {
    // The highlight follows the pointer; the choice is made on release.
    s->hot = row;
    InvalidateRect(popup, nullptr, FALSE);
  } else if (message == WM_LBUTTONDOWN && !inside) {
    CloseUp(combo, *s, CloseHow::Cancelled);
  } else if (message == WM_LBUTTONUP && row >= 0) {
    Choose(combo, *s, row);
  }
  return 0;
}

LRESULT OnPopupWheel(HWND popup, WPARAM wParam) {
  auto s = StateOf(ComboOf(popup));
  if (!s) return 0;
  SetPopupTop(*s, s->popupTop - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * 3);
  return 0;
}

LRESULT OnPopupCaptureLost(HWND popup) {
  HWND combo = ComboOf(popup);
  auto s = StateOf(combo);
  if (s && s->popup == popup && GetCapture() != popup) CloseUp(combo, *s, CloseHow::Cancelled);
  return 0;
}

LRESULT ListPopupProcedure(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return OnPopupPaint(popup);
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: return OnPopupMouse(popup, message, lParam);
    case WM_MOUSEWHEEL: return OnPopupWheel(popup, wParam);
    case WM_VSCROLL: return OnPopupScroll(popup, wParam);
    case WM_CAPTURECHANGED: return OnPopupCaptureLost(popup);
    case WM_MOUSEACTIVATE: return 3;  // MA_NOACTIVATE
    case WM_ACTIVATE: return 0;       // never takes the focus
    default: return DefWindowProc(popup, message, wParam, lParam);
  }
}

}  // namespace

void RegisterComboBoxClasses() {
  RegisterControlClass(WC_COMBOBOX, ComboProcedure, CS_DBLCLKS, IDC_ARROW);
  RegisterControlClass(kListClass, ListPopupProcedure, CS_SAVEBITS, IDC_ARROW);
}

}  // namespace platform::controls
