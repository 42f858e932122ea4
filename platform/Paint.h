// Painting: update areas, WM_ERASEBKGND then WM_PAINT, device contexts for a
// window, update-now and scrolling.
//
// Each window keeps one update rectangle: two invalidations before a paint
// give one paint of their union. Invalidating a window also invalidates the
// part of each visible child that it covers, because children draw into the
// same top-level backing surface and the parent's painting covers them;
// parents are painted before their children. BeginPaint validates, sends
// WM_NCPAINT when the frame needs it and WM_ERASEBKGND when asked, and hands
// out a device context clipped to the update rectangle (the window's own one
// for CS_OWNDC classes). A WM_PAINT that nobody validated is validated after
// its dispatch, so a careless procedure cannot make a loop spin.
#pragma once

#include "platform/Types.h"

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;  // the procedure must erase: WM_ERASEBKGND returned 0
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;

HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// A context for the client area (the window's own one for CS_OWNDC classes);
// GetDC(nullptr) gives a context on a scratch surface of the screen's size.
HDC GetDC(HWND window);
// A context for the whole window, frame included.
HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, HDC dc);

// A null rectangle means the whole client area.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);

// Moves the pixels of the client area (or of `scroll`) by dx, dy inside
// `clip`, moves the update area with them and invalidates what was uncovered.
// ScrollWindow moves the children too.
BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip);
int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip,
                   HRGN update, RECT* updateRect, UINT flags);
