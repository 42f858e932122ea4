// The whole screen of a display as a PNG file, for tests whose own sources
// cannot take X11's headers (the program's start-up header names a
// variable Screen, which Xlib declares as a type).
#pragma once

#include <string>

// Writes what the server shows on its whole screen to `path`; false when
// the display cannot be opened.
bool SaveRootPicture(const std::string& display, const std::string& path);
