// The graphics thread: its own message loop and the Graphics frame
// ("QuorvelGraphics"), which it creates and owns. Start-up starts the thread
// and waits until the window exists; the GUI thread then talks to the
// window only through messages (commands are posted, WM_DESTROY is sent when
// the program closes). The window's WM_DESTROY records its placement and
// ends the thread's loop; EndGraphicsThread waits for the thread.
//
// The drawing of the model in this window comes with the graphics issue:
// until then the frame is empty and its commands do nothing.
#pragma once

#include "platform/Types.h"

// Starts the thread and returns once its window exists; throws "Unable to
// start graphics thread" otherwise.
void StartGraphicsThread();
// Sends WM_DESTROY to the graphics window when it still exists, then waits
// for the thread to end. Nothing happens when the thread is not running.
void EndGraphicsThread();
bool GraphicsThreadRunning();

HWND GraphicsWindowHandle();
DWORD GraphicsThreadId();
// The point (client coordinates of the graphics window) that its popup menu
// and rubber-band selection record; (0, 0) until one is recorded.
POINT GraphicsPickPoint();
void SetGraphicsPickPoint(POINT point);
