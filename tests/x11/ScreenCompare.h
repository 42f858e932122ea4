// Comparing a top-level window as the layer drew it with what the X server
// shows where it stands, for tests whose own sources cannot take X11's
// headers (the program's start-up header names a variable Screen, which
// Xlib declares as a type).
#pragma once

#include <string>

#include "platform/Types.h"

// Writes <prefix>-layer.png and <prefix>-screen.png; returns the number of
// pixels that differ, -1 when the sizes differ or the display cannot be
// opened. Serves the layer's queue while the pixels are on their way (at
// most ten seconds).
int CompareWindowWithScreen(const std::string& display, HWND window, const std::string& prefix);
