// Private to the drawing layer: a realised font (GdiFonts.cpp) as the text
// drawing (GdiText.cpp) uses it.
#pragma once

#include "platform/GdiInternal.h"

#include <mutex>
#include <string>
#include <vector>

namespace gdi {

struct FontFace {
  cairo_scaled_font_t* font = nullptr;  // made from a cairo face of this record's own
  std::string family;
  double em = 12.0;  // character height in pixels
  bool fixedPitch = false;
  unsigned long glyph[256] = {};
  int advance[256] = {};  // whole pixels, per Windows-1252 byte
  TEXTMETRIC metrics{};
  // The other cairo fonts drawing with this face was given (cairo makes one
  // per kind of surface from `font`), each held until the face is freed.
  mutable std::mutex keptLock;
  mutable std::vector<cairo_scaled_font_t*> kept;
  FontFace() = default;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;
  ~FontFace();
};

// How many realised faces are kept for a font made again after the last
// font of their description was freed.
constexpr std::size_t kRecentFacesKept = 32;

void EnsureFontConfiguration();
// cairo's glyph cache is shared by the whole process, and measuring glyphs of
// one font can evict another's under its own lock while a thread drawing
// with that other font holds the font's lock and waits for the cache: two
// threads doing text at once can lock each other for good. So every cairo
// call touching a font's glyphs (realising, measuring, drawing, finishing a
// document that embeds them, dropping a font) runs under this one lock.
// Never call Realise while holding it: a font realised by another thread
// waits for the lock inside its once-only realisation.
std::unique_lock<std::recursive_mutex> LockCairoText();
const FontFace& Realise(FontObject& font);
// Call after drawing text on `cr` with `face`, before `cr` goes: keeps the
// cairo font the drawing used for as long as the face lives.
void KeepDrawnFont(const FontFace& face, cairo_t* cr);
int TextWidth(const FontFace& face, const char* text, int length);

}  // namespace gdi
