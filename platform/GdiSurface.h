// The seam between the window core and the drawing code: a device context
// that draws into a cairo image surface owned by someone else (a top-level
// window's backing surface, a bitmap). The window core makes one for
// BeginPaint and GetDC; the drawing code knows nothing of windows beyond the
// handle it is given back by WindowFromDC.
//
// Coordinates: `origin` is where logical (0, 0) lies in surface pixels (a
// child window's client origin inside its top-level surface); `clip` is the
// part of the surface, in surface pixels, that drawing may touch.
#pragma once

#include "platform/Types.h"

typedef struct _cairo_surface cairo_surface_t;

HDC CreateSurfaceDc(cairo_surface_t* surface, POINT origin, RECT clip, HWND window);
void DestroySurfaceDc(HDC dc);
// Moves an existing context (own-DC windows after a move, resize or scroll);
// keeps its selected objects and modes.
void ResetSurfaceDc(HDC dc, POINT origin, RECT clip);
// Narrows the clip further, e.g. to the update region of a paint.
void SetSurfaceDcClip(HDC dc, RECT clip);
HWND WindowFromDC(HDC dc);
