// Windows: classes with procedures and extra bytes, creation and destruction,
// the parent/child and owner links, visibility, enabling, focus, activation,
// capture, z-order, placement, rectangles, coordinate mapping, titles,
// properties and subclassing.
//
// A window handle names an entry of the layer's handle table; the entry is
// removed when the window is destroyed and handles are never reused, so a
// stale handle is simply not a window (IsWindow is false, every call on it
// fails and returns 0).
//
// Geometry: a top-level window's rectangle is in screen coordinates; a child's
// is relative to its parent's client area. The frame and caption of a
// top-level window belong to the presenter (the X11 window manager draws
// them), so a top-level window has no non-client area of its own unless it
// has a border style, a menu bar or scroll bars; children get borders
// (WS_BORDER 1 pixel, WS_EX_CLIENTEDGE 2, WS_EX_STATICEDGE 1) and scroll-bar
// space. The menu bar (MenuBarFrame.h) lies right above the client area, the
// vertical bar at its right and the horizontal one below it; the frame's
// mouse presses come as WM_NCLBUTTONDOWN with HTMENU, HTVSCROLL or HTHSCROLL,
// and DefWindowProc hands them to the menu and scroll-bar code.
// AdjustWindowRectEx follows the same rule.
//
// Extra bytes: every 4-byte offset of a class's window extra bytes holds one
// pointer-sized value, so a program that steps by 4 and one that steps by
// sizeof(LONG_PTR) both get separate slots.
#pragma once

#include <cstddef>

#include "platform/Types.h"

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using WNDENUMPROC = BOOL (*)(HWND window, LPARAM parameter);

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr UINT CS_PARENTDC = 0x0080;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr UINT CS_GLOBALCLASS = 0x4000;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr DWORD WS_CHILDWINDOW = WS_CHILD;

// Extended styles.
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// Get/SetWindowLong(Ptr) indexes.
constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_HWNDPARENT = -8;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

// Get/SetClassLongPtr indexes.
constexpr int GCLP_HBRBACKGROUND = -10;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HICON = -14;
constexpr int GCL_STYLE = -26;

// GetWindow relations.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;
constexpr UINT GW_ENABLEDPOPUP = 6;

// GetAncestor relations.
constexpr UINT GA_PARENT = 1;
constexpr UINT GA_ROOT = 2;
constexpr UINT GA_ROOTOWNER = 3;

// SetWindowPos.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

// WM_NCHITTEST results.
constexpr LRESULT HTERROR = -2;
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;
constexpr LRESULT HTMENU = 5;
constexpr LRESULT HTHSCROLL = 6;
constexpr LRESULT HTVSCROLL = 7;
constexpr LRESULT HTBORDER = 18;

struct WNDCLASS {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;  // a brush, or a system colour index + 1
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

struct WNDCLASSEX {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
};

// Passed with WM_NCCREATE and WM_CREATE (lParam points to it).
struct CREATESTRUCT {
  void* lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};

// The window-placement record the program stores as 44 bytes.
constexpr UINT WPF_SETMINPOSITION = 0x0001;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;
struct WINDOWPLACEMENT {
  std::uint32_t length;
  std::uint32_t flags;
  std::uint32_t showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored placement record is 44 bytes");
static_assert(offsetof(WINDOWPLACEMENT, rcNormalPosition) == 28);

ATOM RegisterClass(const WNDCLASS* windowClass);
ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* windowClass);
int GetClassName(HWND window, LPSTR buffer, int size);
UINT_PTR GetClassLongPtr(HWND window, int index);
UINT_PTR SetClassLongPtr(HWND window, int index, LONG_PTR value);

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    void* parameter);
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                         void* parameter) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                        instance, parameter);
}
// Destroys the window, its children (each gets WM_DESTROY after its parent,
// and WM_NCDESTROY before its parent's) and the windows it owns.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
LONG GetWindowLong(HWND window, int index);
LONG SetWindowLong(HWND window, int index, LONG value);

BOOL SetProp(HWND window, LPCSTR name, void* value);
void* GetProp(HWND window, LPCSTR name);
void* RemoveProp(HWND window, LPCSTR name);

// The parent of a child window, the owner of a top-level window.
HWND GetParent(HWND window);
HWND SetParent(HWND window, HWND newParent);
HWND GetWindow(HWND window, UINT relation);
HWND GetAncestor(HWND window, UINT relation);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND window);
int GetDlgCtrlID(HWND window);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC procedure, LPARAM parameter);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC procedure, LPARAM parameter);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);

BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);

HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND window);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);

BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// Returns the offset applied (x low word, y high word), 0 on failure.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

BOOL SetWindowText(HWND window, LPCSTR text);
int GetWindowText(HWND window, LPSTR buffer, int size);
int GetWindowTextLength(HWND window);
