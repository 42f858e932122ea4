// Stand-in for the fonts module: the two font descriptions as plain data,
// with their defaults, so that the settings can read and write them. No font
// is created here.
#include "shell/AppFonts.h"

#include <cmath>
#include <cstring>

#include "shell/StandIn.h"

STAND_IN("the fonts module: text and graphics font descriptions only");

namespace {

AppFontDescription DefaultDescription(BYTE quality) {
  AppFontDescription description;
  description.size = 80;
  description.logFont.lfHeight = FontHeightForSize(80);
  description.logFont.lfWeight = FW_NORMAL;
  description.logFont.lfCharSet = DEFAULT_CHARSET;
  description.logFont.lfQuality = quality;
  std::strcpy(description.logFont.lfFaceName, "MS Sans Serif");
  return description;
}

AppFontDescription& TextFont() {
  static AppFontDescription font = DefaultDescription(0);
  return font;
}

AppFontDescription& GraphicsFont() {
  static AppFontDescription font = DefaultDescription(NONANTIALIASED_QUALITY);
  return font;
}

}  // namespace

AppFontDescription& TextFontDescription() { return TextFont(); }

AppFontDescription& GraphicsFontDescription() { return GraphicsFont(); }

void SetDefaultFontDescriptions() {
  TextFont() = DefaultDescription(0);
  GraphicsFont() = DefaultDescription(NONANTIALIASED_QUALITY);
}

int ScreenPixelsPerInch() { return 96; }

LONG FontHeightForSize(std::int32_t tenths) {
  const double pixels = static_cast<double>(tenths) * ScreenPixelsPerInch() / 720.0;
  return -static_cast<LONG>(std::lround(pixels));
}
