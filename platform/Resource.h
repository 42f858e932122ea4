// Bitmaps and icons of the program's resources (PNG files embedded by the
// build, ResourceTemplates.h) and the layer's own message-box icons.
//
// A bitmap resource loads as a new 32-bit bitmap with its transparent parts
// laid on the button face colour, since every place that shows one (toolbar
// buttons, bitmap statics) sits on that colour; the caller deletes it. An icon
// keeps its alpha: LoadIcon hands out a shared handle that lives as long as
// the process (DestroyIcon on it does nothing), and DrawIcon blends it over
// whatever the device context holds.
#pragma once

#include <cstdint>

#include "platform/Controls.h"  // IMAGE_BITMAP, IMAGE_ICON
#include "platform/Types.h"

#define MAKEINTRESOURCE(id) reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id)))
// Not constexpr: a reinterpret_cast is never a constant expression.
inline bool IS_INTRESOURCE(LPCSTR name) {
  return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// The layer's icons (LoadIcon with a null instance).
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_ERROR IDI_HAND
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_INFORMATION IDI_ASTERISK

constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

// Null when the resource is missing or its image does not decode.
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
// IMAGE_BITMAP as LoadBitmap, IMAGE_ICON as LoadIcon, IMAGE_CURSOR as
// LoadCursor; sizes are ignored (the image keeps its own).
void* LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
BOOL DestroyIcon(HICON icon);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// Width and height of an icon (0, 0 for a null one).
BOOL GetIconSize(HICON icon, SIZE* size);
