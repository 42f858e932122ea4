// Window utilities (see WindowUtilities.h).
#include "services/WindowUtilities.h"

#include <algorithm>
#include <cstdint>

#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/AppFonts.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

// Width and height of a rectangle.
// Computed wide, so that no stored rectangle can overflow them; a sane
// rectangle's fit an int.
int Width(const RECT& r) { return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{r.right} - r.left, INT32_MIN, INT32_MAX)); }
int Height(const RECT& r) { return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{r.bottom} - r.top, INT32_MIN, INT32_MAX)); }

SIZE Extent(const WindowDc& wrapper, const std::string& text, int length) {
  SIZE size{0, 0};
  HDC dc = wrapper.dc != nullptr ? wrapper.dc : GetDC(nullptr);
  HGDIOBJ previous = nullptr;
  if (wrapper.dc == nullptr && wrapper.font != nullptr) previous = SelectObject(dc, wrapper.font->handle);
  GetTextExtentPoint32(dc, text.c_str(), length, &size);
  if (wrapper.dc == nullptr) {
    if (previous != nullptr) SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
  }
  return size;
}

// Moves a window whose screen rectangle is `rect` to `rect`'s position as
// given in screen coordinates (children are moved in their parent's client
// coordinates).
void MoveToScreenRect(HWND window, RECT rect, bool repaint) {
  HWND parent = (GetWindowLong(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  POINT origin{rect.left, rect.top};
  if (parent != nullptr) ScreenToClient(parent, &origin);
  MoveWindow(window, origin.x, origin.y, Width(rect), Height(rect), repaint);
}

}  // namespace

void WindowDcAttach(WindowDc& wrapper, HWND window, AppFont& font) {
  wrapper.window = window;
  wrapper.font = &font;
  SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(&wrapper));
  wrapper.ownDc = (GetClassLongPtr(window, GCL_STYLE) & CS_OWNDC) != 0;
  HDC dc = GetDC(window);
  MeasureFont(font, dc);
  if (wrapper.ownDc) {
    SetBkMode(dc, TRANSPARENT);
    wrapper.dc = dc;
  } else {
    ReleaseDC(window, dc);
    wrapper.dc = nullptr;
  }
}

HDC WindowDcBeginPaint(WindowDc& wrapper) {
  HDC dc = BeginPaint(wrapper.window, &wrapper.paint);
  if (!wrapper.ownDc) {
    if (wrapper.font != nullptr) SelectObject(dc, wrapper.font->handle);
    SetBkMode(dc, TRANSPARENT);
  }
  return dc;
}

void WindowDcEndPaint(WindowDc& wrapper) { EndPaint(wrapper.window, &wrapper.paint); }

void WindowDcRelease(WindowDc& wrapper) {
  if (wrapper.ownDc && wrapper.dc != nullptr) ReleaseDC(wrapper.window, wrapper.dc);
  if (wrapper.window != nullptr && IsWindow(wrapper.window)) SetWindowLongPtr(wrapper.window, 0, 0);
  wrapper = WindowDc{};
}

WindowDc* WindowDcOf(HWND window) { return reinterpret_cast<WindowDc*>(GetWindowLongPtr(window, 0)); }

int TextWidth(const WindowDc& wrapper, const std::string& text) {
  return Extent(wrapper, text, static_cast<int>(text.size())).cx;
}
int TextWidthMax2(const WindowDc& w, const std::string& a, const std::string& b) {
  return std::max(TextWidth(w, a), TextWidth(w, b));
}
int TextWidthMax3(const WindowDc& w, const std::string& a, const std::string& b, const std::string& c) {
  return std::max(TextWidthMax2(w, a, b), TextWidth(w, c));
}
int TextWidthMax4(const WindowDc& w, const std::string& a, const std::string& b, const std::string& c,
                  const std::string& d) {
  return std::max(TextWidthMax3(w, a, b, c), TextWidth(w, d));
}
int TextWidth2(const WindowDc& w, const std::string& a, const std::string& b) { return TextWidth(w, a + b); }
int TextWidth3(const WindowDc& w, const std::string& a, const std::string& b, const std::string& c) {
  return TextWidth(w, a + b + c);
}
int TextWidthFirst(const WindowDc& w, const std::string& text, int n) {
  if (n < 1) return 0;
  return Extent(w, text, std::min(n, static_cast<int>(text.size()))).cx;
}

void RegisterChildClass(const char* className, WNDPROC procedure, UINT classStyle, HBRUSH background) {
  WNDCLASSEX windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = 8;
  windowClass.hInstance = InstanceHandle;
  windowClass.hIcon = ProgramIcon;
  windowClass.hIconSm = ProgramIcon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  if (RegisterClassEx(&windowClass) == 0)
    throw std::string("Unable to register window class : ") + className;
}

RECT WorkArea() {
  RECT area{0, 0, 0, 0};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

WindowDecoration WindowDecorationAllowance() {
  return WindowDecoration{2 * GetSystemMetrics(SM_CXFRAME),
                          GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME)};
}

int TitleBarWidth(const std::string& title) {
  // Window managers letter titles in a bold sans serif of about 8 points
  // (11 pixels); their themes set it up to a tenth wider than measured here.
  constexpr int kTitleLetterHeight = 11;
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFont(-kTitleLetterHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                          "DejaVu Sans");
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, title.data(), static_cast<int>(title.size()), &size);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  // Beside the title, about a button's width each: the window's icon, the
  // minimise, maximise and close buttons, and the padding around the title;
  // and the borders.
  const int beside = 5 * GetSystemMetrics(SM_CXSIZE) + 4 * GetSystemMetrics(SM_CXFRAME);
  return size.cx * 11 / 10 + beside;
}

POINT CursorClientPosition(HWND window) {
  POINT point{0, 0};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  return point;
}

void ResendSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  SendMessage(window, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
  InvalidateRect(window, nullptr, TRUE);
}

COLORREF SetDcTextColor(HDC dc, COLORREF colour) { return SetTextColor(dc, colour); }
void RestoreDcTextColor(HDC dc, COLORREF previous) { SetTextColor(dc, previous); }

void FillRectWithBrush(HDC dc, const RECT& rect, HBRUSH brush) {
  HGDIOBJ previous = SelectObject(dc, brush);
  PatBlt(dc, rect.left, rect.top, Width(rect), Height(rect), PATCOPY);
  SelectObject(dc, previous);
}

RECT WindowPosition(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}
int WindowWidth(HWND window) { return Width(WindowPosition(window)); }
int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.right;
}

bool PlacementRectIsSane(const RECT& rect) {
  auto inRange = [](LONG value) { return value >= -kPlacementLimit && value <= kPlacementLimit; };
  return inRange(rect.left) && inRange(rect.top) && inRange(rect.right) && inRange(rect.bottom) &&
         rect.right > rect.left && rect.bottom > rect.top;
}

RECT ClampRectToScreen(const RECT& rect) {
  const RECT area = WorkArea();
  if (!PlacementRectIsSane(rect)) return area;
  const int w = std::min(Width(rect), Width(area));
  const int h = std::min(Height(rect), Height(area));
  int x = std::min(static_cast<int>(rect.left), static_cast<int>(area.right) - w);
  int y = std::min(static_cast<int>(rect.top), static_cast<int>(area.bottom) - h);
  x = std::max(x, static_cast<int>(area.left));
  y = std::max(y, static_cast<int>(area.top));
  return RECT{x, y, x + w, y + h};
}

void PlaceInRect(HWND window, int width, int height, const RECT& rect, bool repaint) {
  const RECT area = WorkArea();
  const LONG left = std::max(rect.left, static_cast<LONG>(0));
  const LONG right = std::min(rect.right, area.right);
  int x = static_cast<int>(left + (right - left - width) / 2);
  int y = static_cast<int>(rect.top + (rect.bottom - rect.top - height) / 2);
  if (x < 0) x = 0;
  else x = std::min(x, static_cast<int>(area.right) - width);
  if (y < 0) y = 0;
  else y = std::min(y, static_cast<int>(area.bottom) - height);
  MoveToScreenRect(window, RECT{x, y, x + width, y + height}, repaint);
}

void CenterWindowOnParent(HWND window, int item) {
  RECT own = WindowPosition(window);
  HWND parent = GetParent(window);
  RECT target = WorkArea();
  if (parent != nullptr && IsWindow(parent)) {
    RECT client{};
    GetClientRect(parent, &client);
    POINT corner{0, 0};
    ClientToScreen(parent, &corner);
    target = RECT{corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
  }
  PlaceInRect(window, Width(own), Height(own), target, true);
  if (item != 0) MoveCursorToItem(window, item);
}

void CenterWindowOnWindow(HWND window, HWND other) {
  RECT own = WindowPosition(window);
  PlaceInRect(window, Width(own), Height(own), WindowPosition(other), true);
}

void MoveWindowInScreen(HWND window, POINT stored, int item) {
  if (stored.x == 0 && stored.y == 0) {
    CenterWindowOnParent(window, item);
    return;
  }
  const RECT own = WindowPosition(window);
  const RECT area = WorkArea();
  const int w = std::min(Width(own), Width(area));
  const int h = std::min(Height(own), Height(area));
  int x = std::clamp(static_cast<int>(stored.x), 0, static_cast<int>(area.right));
  int y = std::clamp(static_cast<int>(stored.y), 0, static_cast<int>(area.bottom));
  // The right edge at most W - 1 and the bottom at most H - 1.
  if (x + w > area.right - 1) x = std::max(0, static_cast<int>(area.right) - 1 - w);
  if (y + h > area.bottom - 1) y = std::max(0, static_cast<int>(area.bottom) - 1 - h);
  MoveToScreenRect(window, RECT{x, y, x + w, y + h}, TRUE);
  if (item != 0) MoveCursorToItem(window, item);
}

void CenterDialogOnFrame(HWND dialog, int item) {
  HWND graphics = GraphicsWindowHandle();
  if (graphics != nullptr && GetParent(dialog) == graphics) {
    POINT point = GraphicsPickPoint();
    ClientToScreen(graphics, &point);
    MoveWindowInScreen(dialog, point, item);
    return;
  }
  CenterWindowOnParent(dialog, item);
}

// The point is given in the window, not on the screen: a window just shown
// may not stand yet where a window manager puts it.
void MoveCursorToItem(HWND window, int item) {
  RECT rect{};
  if (item == kCentreItem) {
    GetWindowRect(window, &rect);
    SetCursorPosInWindow(window, Width(rect) / 2, Height(rect) / 2);
    return;
  }
  HWND control = GetDlgItem(window, item);
  if (control == nullptr) return;
  GetWindowRect(control, &rect);
  SetCursorPosInWindow(control, 3 * Width(rect) / 4, Height(rect) / 2);
}
