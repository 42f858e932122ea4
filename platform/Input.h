// Keyboard and mouse: virtual-key codes (Windows values), key state, cursors
// and the caret.
//
// Input arrives from the presenter (or from a test) as key and pointer events
// of a top-level window; the layer turns them into messages on the queue of
// the thread that owns the target: keys go to the focus window, pointer
// messages to the capture window or the window under the pointer (after a
// WM_SETCURSOR send). A second button press on the same window within the
// double-click time and distance becomes a WM_xBUTTONDBLCLK when the class has
// CS_DBLCLKS; the time is the layer's clock, so tests control it.
//
// The character a key produced travels in bits 16-23 of the key-down lParam
// (where the hardware scan code would be); TranslateMessage posts it as
// WM_CHAR (WM_SYSCHAR with Alt). A key down posted by the program itself has
// no character there, and TranslateMessage then uses the US layout. A
// character the program's text cannot hold travels as its code point above
// bit 32; TranslateMessage posts it as WM_UNICHAR (and beeps with Alt).
//
// The caret belongs to a thread, is drawn by the layer by inverting its
// rectangle on the window surface, is removed around painting and blinks on
// the layer's clock.
#pragma once

#include <cstdint>

#include "platform/Types.h"

constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_RBUTTON = 0x02;
constexpr UINT VK_CANCEL = 0x03;
constexpr UINT VK_MBUTTON = 0x04;
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_CLEAR = 0x0C;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_SNAPSHOT = 0x2C;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SEPARATOR = 0x6C;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_DECIMAL = 0x6E;
constexpr UINT VK_DIVIDE = 0x6F;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F3 = 0x72;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F6 = 0x75;
constexpr UINT VK_F7 = 0x76;
constexpr UINT VK_F8 = 0x77;
constexpr UINT VK_F9 = 0x78;
constexpr UINT VK_F10 = 0x79;
constexpr UINT VK_F11 = 0x7A;
constexpr UINT VK_F12 = 0x7B;
constexpr UINT VK_NUMLOCK = 0x90;
constexpr UINT VK_SCROLL = 0x91;
constexpr UINT VK_LSHIFT = 0xA0;
constexpr UINT VK_RSHIFT = 0xA1;
constexpr UINT VK_LCONTROL = 0xA2;
constexpr UINT VK_RCONTROL = 0xA3;
constexpr UINT VK_LMENU = 0xA4;
constexpr UINT VK_RMENU = 0xA5;
constexpr UINT VK_OEM_1 = 0xBA;       // ;:
constexpr UINT VK_OEM_PLUS = 0xBB;    // =+
constexpr UINT VK_OEM_COMMA = 0xBC;   // ,<
constexpr UINT VK_OEM_MINUS = 0xBD;   // -_
constexpr UINT VK_OEM_PERIOD = 0xBE;  // .>
constexpr UINT VK_OEM_2 = 0xBF;       // /?
constexpr UINT VK_OEM_3 = 0xC0;       // `~
constexpr UINT VK_OEM_4 = 0xDB;       // [{
constexpr UINT VK_OEM_5 = 0xDC;       // \|
constexpr UINT VK_OEM_6 = 0xDD;       // ]}
constexpr UINT VK_OEM_7 = 0xDE;       // '"

// Key flags of mouse messages (wParam).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// High bit set while the key is down; low bit toggles with each press. The
// state seen by a thread changes as it reads input messages.
short GetKeyState(int virtualKey);
// The state at this moment, whatever the queues hold.
short GetAsyncKeyState(int virtualKey);

// The system cursors.
#define IDC_ARROW reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32512))
#define IDC_IBEAM reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32513))
#define IDC_WAIT reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32514))
#define IDC_CROSS reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32515))
#define IDC_SIZEALL reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32646))
#define IDC_HAND reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32649))

// With a null instance and a number, one of the IDC_ values; otherwise one
// of the program's cursor resources (a shared handle kept for the process).
// Null when there is no such cursor.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
// Shows the cursor over the calling thread's windows; returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(POINT* screenPoint);
BOOL SetCursorPos(int x, int y);
// The pointer to (x, y) from the top-left corner of the window's rectangle,
// where the screen shows the window (see Presenter::WarpPointerInto): the
// way to point into a window just shown, which a window manager may still
// move into its frame.
BOOL SetCursorPosInWindow(HWND window, int x, int y);

UINT GetDoubleClickTime();
UINT GetCaretBlinkTime();

// A null or non-null bitmap both give a solid caret of width x height
// (width 0 means the border width).
BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
