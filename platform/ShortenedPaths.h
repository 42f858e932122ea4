// Paths shown where the room is limited: a message line or a menu entry
// that holds a path wider than its room shows the start of the path, "...",
// and the file's own name, so that the window stays on the screen and the
// file can still be told from another.
#pragma once

#include <string>

#include "platform/Gdi.h"

// `text` fitted into `room` pixels in the font selected into `dc`. Text
// that fits comes back as it is. A path (text with a '/' or '\') loses the
// middle of its folders, then, if its own name alone is still too wide, the
// middle of that name (its end, with the extension, is kept); other text
// loses its end. A character the text holds as several bytes is never cut.
std::string FitPathToWidth(HDC dc, const std::string& text, int room);
