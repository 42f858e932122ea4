// The menu bar in a top-level window's frame, for the window core: the
// height it takes out of the client area, its painting into the frame, and
// the mouse presses and keys that open it. Rectangles and points are in
// window coordinates (0,0 = the window's top-left corner), as GetWindowDC
// draws.
#pragma once

#include "platform/Types.h"

namespace platform {

// The height of the window's menu bar; 0 when it has no menu.
int MenuBarHeightOf(HWND window);
void PaintMenuBar(HWND window, HDC windowDc, const RECT& barRect);
// A button press on the bar: opens the item under the point and runs the
// menu loop until the user chose or cancelled.
void MenuBarMouseDown(HWND window, POINT windowPoint, const RECT& barRect);
// The default handling of WM_SYSKEYDOWN, WM_SYSKEYUP and WM_SYSCHAR: F10
// and Alt pressed alone highlight the bar, Alt+letter opens the item with
// that mnemonic. True when the key opened the menu (of the window's root).
bool MenuBarKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The top-level window stopped being the active one: a menu that the
// calling thread tracks in it ends, as though cancelled.
void EndMenuOf(HWND window);

}  // namespace platform
