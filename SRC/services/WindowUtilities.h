// Window utilities shared by every window of the program: the device-context
// wrapper of the custom windows, text measuring in a window's font, window
// class registration, and the routines that place windows and the mouse
// cursor inside the desktop work area.
//
// Placement rules: a window is kept inside the work area W x H (left and top
// not below 0, right and bottom not beyond W and H); a window larger than
// the work area is put at 0 and cut to it. The cursor goes 3/4 of the way
// across and halfway down a dialog item; item 998 means the window's centre.
#pragma once

#include <string>

#include "platform/Paint.h"
#include "platform/Window.h"

struct AppFont;

// The dialog item that stands for "the window's centre" in cursor moves.
constexpr int kCentreItem = 998;

// A custom window's drawing state: the window, its font, a device context
// (the window's own when its class has one) and the paint record. Attaching
// stores the wrapper in the first of the window's two extra slots.
struct WindowDc {
  HWND window = nullptr;
  AppFont* font = nullptr;
  HDC dc = nullptr;
  bool ownDc = false;
  PAINTSTRUCT paint{};
};
void WindowDcAttach(WindowDc& wrapper, HWND window, AppFont& font);
// Begins painting: the paint context gets the font and a transparent
// background (a window with its own context keeps both already).
HDC WindowDcBeginPaint(WindowDc& wrapper);
void WindowDcEndPaint(WindowDc& wrapper);
void WindowDcRelease(WindowDc& wrapper);
WindowDc* WindowDcOf(HWND window);

// Pixel widths in the wrapper's font.
int TextWidth(const WindowDc& wrapper, const std::string& text);
int TextWidthMax2(const WindowDc& wrapper, const std::string& a, const std::string& b);
int TextWidthMax3(const WindowDc& wrapper, const std::string& a, const std::string& b, const std::string& c);
int TextWidthMax4(const WindowDc& wrapper, const std::string& a, const std::string& b, const std::string& c,
                  const std::string& d);
int TextWidth2(const WindowDc& wrapper, const std::string& a, const std::string& b);
int TextWidth3(const WindowDc& wrapper, const std::string& a, const std::string& b, const std::string& c);
// The first n characters; 0 for n below 1.
int TextWidthFirst(const WindowDc& wrapper, const std::string& text, int n);

// Registers a child window class: the style given, two pointer slots of
// extra data, the program icon, the arrow cursor, no menu. Throws "Unable to
// register window class : " + name.
void RegisterChildClass(const char* className, WNDPROC procedure, UINT classStyle, HBRUSH background);

// The desktop work area (left and top 0).
RECT WorkArea();

// What a window manager adds around a top-level window, beyond the
// rectangle the program gives it: the title bar and the borders above and
// below (height), the borders left and right (width). Windows placed side
// by side or one above the other keep this much apart, so that no window
// covers the title bar of another.
struct WindowDecoration {
  int width = 0;
  int height = 0;
};
WindowDecoration WindowDecorationAllowance();
// The width a top-level window needs for the window manager to show
// `title` whole in its title bar: the title in the bold type of title
// bars, and room for the window's icon, its three buttons and margins.
int TitleBarWidth(const std::string& title);

POINT CursorClientPosition(HWND window);
// Sends WM_SIZE with the client size and invalidates the window.
void ResendSize(HWND window);
COLORREF SetDcTextColor(HDC dc, COLORREF colour);
void RestoreDcTextColor(HDC dc, COLORREF previous);
void FillRectWithBrush(HDC dc, const RECT& rect, HBRUSH brush);
RECT WindowPosition(HWND window);
int WindowWidth(HWND window);
int ClientWidth(HWND window);

// Centres a w x h window in the rectangle, then keeps it in the work area.
void PlaceInRect(HWND window, int width, int height, const RECT& rect, bool repaint);
void CenterWindowOnParent(HWND window, int item);
void CenterWindowOnWindow(HWND window, HWND other);
// Moves the window to a stored position (both 0: centred on its parent).
void MoveWindowInScreen(HWND window, POINT stored, int item);
void CenterDialogOnFrame(HWND dialog, int item);
void MoveCursorToItem(HWND window, int item);
// The largest coordinate a stored window rectangle may hold: X11 window
// positions and sizes are 16-bit, and no screen is larger.
constexpr LONG kPlacementLimit = 32767;
// A stored rectangle that a window can take: every coordinate within the
// limit, width and height at least 1.
bool PlacementRectIsSane(const RECT& rect);
// Shifts the rectangle (keeping its size) into the work area; a rectangle
// larger than the work area is put at 0 and cut to it. One that is not sane
// becomes the whole work area.
RECT ClampRectToScreen(const RECT& rect);
