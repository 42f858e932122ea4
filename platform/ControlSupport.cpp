// What the controls share: class registration, the colours asked from the
// parent, notifications, and the few shapes of the common look (3D edges,
// focus frames, check marks, arrows). The look is deliberately plain: flat
// face colour, two-pixel light/shadow edges, the default GUI font.
#include "platform/ControlSupport.h"

#include <algorithm>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace platform::controls {

void RegisterControlClass(LPCSTR name, WNDPROC procedure, UINT style, LPCSTR cursor) {
  WNDCLASS windowClass{};
  windowClass.style = style | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hCursor = LoadCursor(nullptr, cursor);
  windowClass.lpszClassName = name;
  WNDCLASS existing{};
  if (GetClassInfo(nullptr, name, &existing)) return;
  RegisterClass(&windowClass);
}

std::string TextOf(HWND window) {
  int length = GetWindowTextLength(window);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowText(window, buffer.data(), length + 1);
  return std::string(buffer.data());
}

HFONT FontOr(HFONT font) {
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontOr(font));
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return std::max<int>(metrics.tmHeight, 1);
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void NotifyCommand(HWND control, UINT code) {
  HWND parent = GetParent(control);
  if (parent == nullptr) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID(control)), code),
              reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR* header) {
  HWND parent = GetParent(control);
  if (parent == nullptr) return 0;
  header->hwndFrom = control;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  header->code = code;
  return SendMessage(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

bool HasStyle(HWND window, DWORD style) { return (StyleOf(window) & style) == style; }

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

namespace {

void FrameTwoColours(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  Fill(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

}  // namespace

void DrawEdge3D(HDC dc, const RECT& rect, bool sunken) {
  RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  if (sunken) {
    FrameTwoColours(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameTwoColours(dc, inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  } else {
    FrameTwoColours(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    FrameTwoColours(dc, inner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  }
}

void DrawFlatFrame(HDC dc, const RECT& rect, COLORREF colour) { FrameTwoColours(dc, rect, colour, colour); }

void DrawFocusFrame(HDC dc, const RECT& rect) {
  COLORREF colour = GetTextColor(dc);
  for (int x = rect.left; x < rect.right; x += 2) {
    SetPixel(dc, x, rect.top, colour);
    SetPixel(dc, x, rect.bottom - 1, colour);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    SetPixel(dc, rect.left, y, colour);
    SetPixel(dc, rect.right - 1, y, colour);
  }
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  int x = box.left + (box.right - box.left - 7) / 2;
  int y = box.top + (box.bottom - box.top - 7) / 2;
  // A tick: three pixels thick, down-right for 3 columns then up-right for 4.
  for (int column = 0; column < 7; ++column) {
    int top = column < 3 ? y + 2 + column : y + 4 - (column - 2);
    Fill(dc, RECT{x + column, top, x + column + 1, top + 3}, colour);
  }
}

void DrawArrow(HDC dc, const RECT& box, Arrow direction, COLORREF colour) {
  int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    switch (direction) {
      case Arrow::Down: Fill(dc, RECT{cx - 3 + i, cy - 2 + i, cx + 4 - i, cy - 1 + i}, colour); break;
      case Arrow::Up: Fill(dc, RECT{cx - 3 + i, cy + 1 - i, cx + 4 - i, cy + 2 - i}, colour); break;
      case Arrow::Right: Fill(dc, RECT{cx - 2 + i, cy - 3 + i, cx - 1 + i, cy + 4 - i}, colour); break;
      case Arrow::Left: Fill(dc, RECT{cx + 1 - i, cy - 3 + i, cx + 2 - i, cy + 4 - i}, colour); break;
    }
  }
}

PaintColours::PaintColours(HWND control, HDC dc, UINT message) {
  bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  bool disabled = !IsWindowEnabled(control);
  COLORREF background = GetSysColor(field && !disabled ? COLOR_WINDOW : COLOR_BTNFACE);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, background);
  SetBkMode(dc, OPAQUE);
  if (HWND parent = GetParent(control))
    brush_ = reinterpret_cast<HBRUSH>(
        SendMessage(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  if (brush_ == nullptr) brush_ = owned_ = CreateSolidBrush(background);
}

PaintColours::~PaintColours() {
  if (owned_ != nullptr) DeleteObject(owned_);
}

ControlPaint::ControlPaint(HWND window, HFONT font) : window_(window) {
  dc_ = BeginPaint(window, &paint_);
  GetClientRect(window, &client_);
  if (dc_ != nullptr) oldFont_ = SelectObject(dc_, FontOr(font));
}

ControlPaint::~ControlPaint() {
  if (dc_ == nullptr) return;
  SelectObject(dc_, oldFont_);
  EndPaint(window_, &paint_);
}

}  // namespace platform::controls

using namespace platform::controls;

void InitCommonControls() {
  RegisterStaticClass();
  RegisterButtonClass();
  RegisterEditClass();
  RegisterListBoxClass();
  RegisterComboBoxClasses();
  RegisterScrollBarClass();
  RegisterProgressClass();
  RegisterTabControlClass();
  RegisterToolbarClasses();
  RegisterMenuClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init == nullptr) return FALSE;
  InitCommonControls();
  return TRUE;
}
