// The descriptions and sizes of the text font and the graphics font, as the
// settings read and write them. Only the data lives here for now: creating
// the fonts, measuring them and the font dialogs belong to the fonts module
// that replaces this one.
//
// The default description of both is "MS Sans Serif" at 8 point (80 tenths)
// with the height of 8 point on the screen; the graphics font is drawn
// without antialiasing (quality 3).
#pragma once

#include <cstdint>

#include "platform/Gdi.h"

struct AppFontDescription {
  LOGFONT logFont{};
  std::int32_t size = 80;  // tenths of a point
};

AppFontDescription& TextFontDescription();
AppFontDescription& GraphicsFontDescription();

// Puts both descriptions back to their defaults.
void SetDefaultFontDescriptions();

// Screen pixels per logical inch: every presenter works at 96.
int ScreenPixelsPerInch();

// The LOGFONT height of a size in tenths of a point on the screen: minus the
// rounded size x pixels per inch / 720.
LONG FontHeightForSize(std::int32_t tenths);
