// The basic types of the platform layer: integer widths, message parameters,
// geometry records and handles. The program stores some of these values in
// files and the registry, so widths are fixed where it matters.
//
// Handles are pointers to distinct tag types, so that a window cannot be
// passed where a device context is expected. Drawing objects share a base
// (HGDIOBJ) so that SelectObject and DeleteObject take any of them; the layer
// derives its real objects from these tags in its own source files.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = std::uint16_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct POINT {
  LONG x;
  LONG y;
};
struct SIZE {
  LONG cx;
  LONG cy;
};
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr short GET_X_LPARAM(LPARAM value) { return static_cast<short>(value & 0xFFFF); }
constexpr short GET_Y_LPARAM(LPARAM value) { return static_cast<short>((value >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(unsigned low, unsigned high) {
  return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
  return static_cast<WPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr COLORREF RGB(unsigned red, unsigned green, unsigned blue) {
  return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF colour) { return static_cast<BYTE>(colour & 0xFF); }
constexpr BYTE GetGValue(COLORREF colour) { return static_cast<BYTE>((colour >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF colour) { return static_cast<BYTE>((colour >> 16) & 0xFF); }

// Handle tags. Window-side handles:
struct HWND__;
struct HINSTANCE__;
struct HMENU__;
struct HACCEL__;
struct HICON__;
struct HKEY__;
struct HGLRC__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMENU = HMENU__*;
using HACCEL = HACCEL__*;
using HICON = HICON__*;
using HCURSOR = HICON__*;
using HKEY = HKEY__*;
using HGLRC = HGLRC__*;

// Drawing handles: every drawing object is an HGDIOBJ.
struct HDC__;
using HDC = HDC__*;
struct HGDIOBJ__ {
  virtual ~HGDIOBJ__() = default;
};
struct HPEN__ : HGDIOBJ__ {};
struct HBRUSH__ : HGDIOBJ__ {};
struct HFONT__ : HGDIOBJ__ {};
struct HBITMAP__ : HGDIOBJ__ {};
struct HRGN__ : HGDIOBJ__ {};
using HGDIOBJ = HGDIOBJ__*;
using HPEN = HPEN__*;
using HBRUSH = HBRUSH__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HRGN = HRGN__*;

// Text is 8-bit Windows-1252 inside the program.
using LPSTR = char*;
using LPCSTR = const char*;
