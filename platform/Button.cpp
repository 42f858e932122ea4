// The button class and its variants by style: push and default push buttons,
// check boxes (plain, auto, three-state), radio buttons (plain and auto) and
// group boxes.
//
// A click is a press and a release inside the button, by the mouse (with
// capture) or by the space bar; it sends BN_CLICKED after an auto check box
// toggled or an auto radio checked itself and unchecked the other radios of
// its group (siblings between WS_GROUP marks). An auto radio that gets the
// focus by keyboard (no mouse button down) selects itself the same way. With
// BS_NOTIFY the button also tells its parent BN_SETFOCUS and BN_KILLFOCUS.
// Push buttons ask WM_CTLCOLORBTN for colours, the others WM_CTLCOLORSTATIC.
#include <vector>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

struct ButtonState {
  HFONT font = nullptr;
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // the mouse pressed it and holds the capture
  bool spaceDown = false;
  bool focused = false;
  HBITMAP bitmap = nullptr;
};

std::shared_ptr<ButtonState> StateOf(HWND window) { return StatesOf<ButtonState>().Find(window); }

DWORD TypeOf(HWND window) { return StyleOf(window) & BS_TYPEMASK; }

bool IsPush(DWORD type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW; }
bool IsCheck(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

void SetPushed(HWND window, ButtonState& state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  InvalidateRect(window, nullptr, FALSE);
}

void SetCheck(HWND window, ButtonState& state, WPARAM check) {
  if (state.check == check) return;
  state.check = check;
  InvalidateRect(window, nullptr, FALSE);
}

// The siblings of the group `window` belongs to, in navigation order.
std::vector<HWND> GroupOf(HWND window) {
  std::vector<HWND> group;
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling != nullptr;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if ((StyleOf(sibling) & WS_GROUP) != 0) {
      bool mine = false;
      for (HWND member : group) mine = mine || member == window;
      if (mine) break;
      group.clear();
    }
    group.push_back(sibling);
  }
  return group;
}

void CheckRadioInGroup(HWND window, ButtonState& state) {
  for (HWND sibling : GroupOf(window)) {
    if (sibling == window) continue;
    char name[32] = "";
    GetClassName(sibling, name, sizeof name);
    if (IsRadio(TypeOf(sibling)) && std::string(name) == WC_BUTTON) SendMessage(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SetCheck(window, state, BST_CHECKED);
}

void Click(HWND window, ButtonState& state) {
  switch (TypeOf(window)) {
    case BS_AUTOCHECKBOX: SetCheck(window, state, state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck(window, state, (state.check + 1) % 3); break;
    case BS_AUTORADIOBUTTON: CheckRadioInGroup(window, state); break;
    default: break;
  }
  NotifyCommand(window, BN_CLICKED);
}

// --- painting -----------------------------------------------------------------------------

void PaintCaption(HWND window, HDC dc, RECT box, UINT format, bool focused) {
  std::string text = TextOf(window);
  SetBkMode(dc, TRANSPARENT);
  RECT measured = box;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  int height = measured.bottom - measured.top;
  int width = measured.right - measured.left;
  RECT placed = box;
  placed.top = box.top + (box.bottom - box.top - height) / 2;
  placed.bottom = placed.top + height;
  if ((format & DT_CENTER) != 0) placed.left = box.left + (box.right - box.left - width) / 2;
  placed.right = placed.left + width;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &placed, format & ~DT_CENTER);
  if (focused && !text.empty())
    DrawFocusFrame(dc, RECT{placed.left - 1, placed.top - 1, placed.right + 1, placed.bottom + 1});
}

void PaintPush(HWND window, HDC dc, const RECT& r, const ButtonState& state, DWORD type) {
  PaintColours colours(window, dc, WM_CTLCOLORBTN);
  Fill(dc, r, GetSysColor(COLOR_BTNFACE));
  RECT edge = r;
  if (type == BS_DEFPUSHBUTTON) {
    DrawFlatFrame(dc, r, GetSysColor(COLOR_WINDOWFRAME));
    edge = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (state.pushed) DrawFlatFrame(dc, edge, GetSysColor(COLOR_BTNSHADOW));
  else DrawEdge3D(dc, edge, false);
  RECT face{edge.left + 3, edge.top + 3, edge.right - 3, edge.bottom - 3};
  if (state.pushed) face = RECT{face.left + 1, face.top + 1, face.right + 1, face.bottom + 1};
  if (state.bitmap != nullptr) {
    BITMAP info{};
    GetObject(state.bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, state.bitmap);
    BitBlt(dc, (face.left + face.right - info.bmWidth) / 2, (face.top + face.bottom - info.bmHeight) / 2,
           info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return;
  }
  PaintCaption(window, dc, face, DT_CENTER | DT_SINGLELINE, state.focused);
}

void PaintCheckBox(HDC dc, const RECT& box, WPARAM check, bool enabled) {
  Fill(dc, box, GetSysColor(check == BST_INDETERMINATE || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
  DrawEdge3D(dc, box, true);
  if (check != BST_UNCHECKED)
    DrawCheckMark(dc, box, GetSysColor(check == BST_INDETERMINATE || !enabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

void PaintRadio(HDC dc, const RECT& box, bool checked, bool enabled) {
  HBRUSH field = CreateSolidBrush(GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  HPEN rim = CreatePen(0, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldBrush = SelectObject(dc, field);
  HGDIOBJ oldPen = SelectObject(dc, rim);
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(field);
  DeleteObject(rim);
  if (checked) {
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    COLORREF dot = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    Fill(dc, RECT{cx - 2, cy - 1, cx + 2, cy + 1}, dot);
    Fill(dc, RECT{cx - 1, cy - 2, cx + 1, cy + 2}, dot);
  }
}

void PaintCheckOrRadio(HWND window, HDC dc, const RECT& r, const ButtonState& state, DWORD type) {
  PaintColours colours(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, colours.Brush());
  constexpr int kBox = 13;
  bool leftText = (StyleOf(window) & BS_LEFTTEXT) != 0;
  int top = (r.bottom - kBox) / 2;
  RECT box = leftText ? RECT{r.right - kBox, top, r.right, top + kBox} : RECT{0, top, kBox, top + kBox};
  bool enabled = IsWindowEnabled(window) != 0;
  if (IsRadio(type)) PaintRadio(dc, box, state.check == BST_CHECKED, enabled);
  else PaintCheckBox(dc, box, state.check, enabled);
  RECT text = leftText ? RECT{0, r.top, r.right - kBox - 4, r.bottom} : RECT{kBox + 4, r.top, r.right, r.bottom};
  PaintCaption(window, dc, text, DT_SINGLELINE, state.focused);
}

// A group box is transparent inside: the controls it frames are its
// siblings and may paint before it, so only its caption gets a background.
void PaintGroupBox(HWND window, HDC dc, const RECT& r) {
  PaintColours colours(window, dc, WM_CTLCOLORSTATIC);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  int line = metrics.tmHeight / 2;
  RECT frame{r.left, r.top + line, r.right, r.bottom};
  DrawFlatFrame(dc, RECT{frame.left, frame.top, frame.right - 1, frame.bottom - 1}, GetSysColor(COLOR_BTNSHADOW));
  DrawFlatFrame(dc, RECT{frame.left + 1, frame.top + 1, frame.right, frame.bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
  std::string text = TextOf(window);
  if (text.empty()) return;
  RECT caption{r.left + 8, r.top, r.right - 8, r.top + metrics.tmHeight};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_SINGLELINE | DT_CALCRECT);
  caption = RECT{caption.left - 2, caption.top, caption.right + 2, caption.bottom};
  FillRect(dc, &caption, colours.Brush());
  caption.left += 2;
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_SINGLELINE);
}

LRESULT OnPaint(HWND window) {
  auto state = StateOf(window);
  if (!state) return 0;
  ControlPaint paint(window, state->font);
  if (paint.Dc() == nullptr) return 0;
  DWORD type = TypeOf(window);
  if (type == BS_GROUPBOX) PaintGroupBox(window, paint.Dc(), paint.Client());
  else if (IsPush(type)) PaintPush(window, paint.Dc(), paint.Client(), *state, type);
  else PaintCheckOrRadio(window, paint.Dc(), paint.Client(), *state, type);
  return 0;
}

// --- input ---------------------------------------------------------------------------------

bool Inside(HWND window, LPARAM lParam) {
  RECT client{};
  GetClientRect(window, &client);
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return point.x >= 0 && point.y >= 0 && point.x < client.right && point.y < client.bottom;
}

LRESULT OnLButtonDown(HWND window) {
  auto state = StateOf(window);
  if (!state || TypeOf(window) == BS_GROUPBOX) return 0;
  if (GetFocus() != window) SetFocus(window);
  SetCapture(window);
  state->tracking = true;
  SetPushed(window, *state, true);
  return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
  auto state = StateOf(window);
  if (state && state->tracking) SetPushed(window, *state, Inside(window, lParam));
  return 0;
}

LRESULT OnLButtonUp(HWND window, LPARAM lParam) {
  auto state = StateOf(window);
  if (!state || !state->tracking) return 0;
  state->tracking = false;
  bool inside = Inside(window, lParam);
  SetPushed(window, *state, false);
  if (GetCapture() == window) ReleaseCapture();
  if (inside) Click(window, *state);
  return 0;
}

LRESULT OnCaptureChanged(HWND window) {
  auto state = StateOf(window);
  if (state && state->tracking) {
    state->tracking = false;
    SetPushed(window, *state, false);
  }
  return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  auto state = StateOf(window);
  if (!state || key != VK_SPACE || TypeOf(window) == BS_GROUPBOX) return 0;
  state->spaceDown = true;
  SetPushed(window, *state, true);
  return 0;
}

LRESULT OnKeyUp(HWND window, WPARAM key) {
  auto state = StateOf(window);
  if (!state || key != VK_SPACE || !state->spaceDown) return 0;
  state->spaceDown = false;
  SetPushed(window, *state, false);
  Click(window, *state);
  return 0;
}

LRESULT OnSetFocus(HWND window) {
  auto state = StateOf(window);
  if (!state) return 0;
  state->focused = true;
  InvalidateRect(window, nullptr, FALSE);
  if (HasStyle(window, BS_NOTIFY)) NotifyCommand(window, BN_SETFOCUS);
  bool byMouse = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
  if (TypeOf(window) == BS_AUTORADIOBUTTON && !byMouse && state->check != BST_CHECKED) Click(window, *state);
  return 0;
}

LRESULT OnKillFocus(HWND window) {
  auto state = StateOf(window);
  if (!state) return 0;
  state->focused = false;
  state->spaceDown = false;
  SetPushed(window, *state, state->tracking && state->pushed);
  InvalidateRect(window, nullptr, FALSE);
  if (HasStyle(window, BS_NOTIFY)) NotifyCommand(window, BN_KILLFOCUS);
  return 0;
}

// --- messages ------------------------------------------------------------------------------

LRESULT OnGetDlgCode(HWND window) {
  DWORD type = TypeOf(window);
  if (type == BS_GROUPBOX) return DLGC_STATIC;
  if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  return DLGC_BUTTON;
}

LRESULT OnSetCheck(HWND window, WPARAM check) {
  if (auto state = StateOf(window)) {
    DWORD type = TypeOf(window);
    if (IsCheck(type) || IsRadio(type)) SetCheck(window, *state, check > BST_INDETERMINATE ? BST_CHECKED : check);
  }
  return 0;
}

LRESULT OnGetCheck(HWND window) {
  auto state = StateOf(window);
  return state ? static_cast<LRESULT>(state->check) : 0;
}

LRESULT OnGetState(HWND window) {
  auto state = StateOf(window);
  if (!state) return 0;
  return static_cast<LRESULT>(state->check) | (state->pushed ? BST_PUSHED : 0) | (state->focused ? BST_FOCUS : 0);
}

LRESULT OnSetState(HWND window, WPARAM pushed) {
  if (auto state = StateOf(window)) SetPushed(window, *state, pushed != 0);
  return 0;
}

LRESULT OnSetStyle(HWND window, WPARAM style, LPARAM redraw) {
  DWORD old = StyleOf(window);
  DWORD changed = (old & 0xFFFF0000) | (static_cast<DWORD>(style) & 0xFFFF);
  if (changed == old) return 0;
  SetWindowLongPtr(window, GWL_STYLE, static_cast<LONG_PTR>(changed));
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnClickMessage(HWND window) {
  auto state = StateOf(window);
  if (state && IsWindowEnabled(window)) Click(window, *state);
  return 0;
}

LRESULT OnSetImage(HWND window, LPARAM image) {
  auto state = StateOf(window);
  if (!state) return 0;
  auto old = reinterpret_cast<LRESULT>(state->bitmap);
  state->bitmap = reinterpret_cast<HBITMAP>(image);
  InvalidateRect(window, nullptr, FALSE);
  return old;
}

LRESULT OnGetImage(HWND window) {
  auto state = StateOf(window);
  return state ? reinterpret_cast<LRESULT>(state->bitmap) : 0;
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  if (auto state = StateOf(window)) state->font = reinterpret_cast<HFONT>(font);
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto state = StateOf(window);
  return state ? reinterpret_cast<LRESULT>(state->font) : 0;
}

LRESULT Redrawn(HWND window, LRESULT result) {
  InvalidateRect(window, nullptr, TRUE);
  return result;
}

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: StatesOf<ButtonState>().Create(window); return TRUE;
    case WM_NCDESTROY: StatesOf<ButtonState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: return OnLButtonDown(window);
    case WM_LBUTTONDBLCLK: return OnLButtonDown(window);
    case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(window, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(window);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_KEYUP: return OnKeyUp(window, wParam);
    case WM_SETFOCUS: return OnSetFocus(window);
    case WM_KILLFOCUS: return OnKillFocus(window);
    case WM_ENABLE: return Redrawn(window, 0);
    case WM_SETTEXT: return Redrawn(window, DefWindowProc(window, message, wParam, lParam));
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_GETDLGCODE: return OnGetDlgCode(window);
    case BM_SETCHECK: return OnSetCheck(window, wParam);
    case BM_GETCHECK: return OnGetCheck(window);
    case BM_GETSTATE: return OnGetState(window);
    case BM_SETSTATE: return OnSetState(window, wParam);
    case BM_SETSTYLE: return OnSetStyle(window, wParam, lParam);
    case BM_CLICK: return OnClickMessage(window);
    case BM_SETIMAGE: return OnSetImage(window, lParam);
    case BM_GETIMAGE: return OnGetImage(window);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterButtonClass() { RegisterControlClass(WC_BUTTON, ButtonProcedure, 0, IDC_ARROW); }

}  // namespace platform::controls
