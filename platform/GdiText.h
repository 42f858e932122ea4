// Private to the drawing layer: a realised font (GdiFonts.cpp) as the text
// drawing (GdiText.cpp) uses it.
#pragma once

#include "platform/GdiInternal.h"

#include <string>

namespace gdi {

struct FontFace {
  cairo_scaled_font_t* font = nullptr;
  std::string family;
  double em = 12.0;  // character height in pixels
  bool fixedPitch = false;
  unsigned long glyph[256] = {};
  int advance[256] = {};  // whole pixels, per Windows-1252 byte
  TEXTMETRIC metrics{};
  FontFace() = default;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;
  ~FontFace();
};

void EnsureFontConfiguration();
const FontFace& Realise(FontObject& font);
int TextWidth(const FontFace& face, const char* text, int length);

}  // namespace gdi
