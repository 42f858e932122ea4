// Per-pixel combination: every primitive is first rasterised into a
// coverage mask (without antialiasing), then combined into the surface pixel
// by pixel with the context's raster operation, inside the clip. Doing the
// raster operations ourselves, as true bit operations on the 24 colour bits,
// is what makes a rubber band drawn twice with XOR or NOT restore every
// pixel; a mask is a set, so a pixel that a polyline passes twice is still
// combined once.
//
// Binary operations R2_x are truth tables over (pen, destination) bits, and
// ternary operations over (pattern, source, destination) bits; both are
// applied to whole 32-bit words at once.
#include "platform/GdiInternal.h"

#include <algorithm>

namespace gdi {

Pixels BeginPixels(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Pixels pixels;
  pixels.row0 = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  pixels.stride = cairo_image_surface_get_stride(surface) / 4;
  pixels.width = cairo_image_surface_get_width(surface);
  pixels.height = cairo_image_surface_get_height(surface);
  return pixels;
}

void EndPixels(cairo_surface_t* surface) { cairo_surface_mark_dirty(surface); }

Mask MakeMask(const RECT& bounds) {
  Mask mask;
  if (IsEmpty(bounds)) return mask;
  mask.left = bounds.left;
  mask.top = bounds.top;
  mask.width = bounds.right - bounds.left;
  mask.height = bounds.bottom - bounds.top;
  mask.stride = (mask.width + 3) / 4 * 4;  // cairo's A8 row alignment
  mask.cover.assign(static_cast<std::size_t>(mask.stride) * mask.height, 0);
  return mask;
}

cairo_t* MaskContext(Mask& mask) {
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      mask.cover.data(), CAIRO_FORMAT_A8, mask.width, mask.height, mask.stride);
  cairo_surface_set_device_offset(surface, -mask.left, -mask.top);
  cairo_t* cr = cairo_create(surface);
  cairo_surface_destroy(surface);  // the context keeps it
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  return cr;
}

void SubtractMask(Mask& mask, const Mask& other) {
  if (mask.Empty() || other.Empty()) return;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      std::uint8_t& cell = mask.cover[static_cast<std::size_t>(y) * mask.stride + x];
      if (cell != 0 && other.Covered(x + mask.left, y + mask.top)) cell = 0;
    }
}

std::uint32_t Source::At(int x, int y) const {
  if (brush == nullptr) return colour;
  int px = (x - origin.x) % brush->patternWidth;
  int py = (y - origin.y) % brush->patternHeight;
  if (px < 0) px += brush->patternWidth;
  if (py < 0) py += brush->patternHeight;
  std::uint32_t value =
      brush->pattern[static_cast<std::size_t>(py) * brush->patternWidth + px];
  if (brush->monochrome) return value != 0 ? background : foreground;
  return value;
}

Source ColourSource(COLORREF colour) {
  Source source;
  source.colour = ToPixel(colour);
  return source;
}

bool BrushSource(const HDC__& dc, const BrushObject* brush, Source* source) {
  if (brush == nullptr || brush->style == BS_NULL) return false;
  *source = ColourSource(brush->colour);
  if (brush->style == BS_PATTERN && !brush->pattern.empty()) {
    source->brush = brush;
    source->origin = POINT{dc.origin.x + dc.state.brushOrg.x, dc.origin.y + dc.state.brushOrg.y};
    source->foreground = ToPixel(dc.state.textColour);
    source->background = ToPixel(dc.state.bkColour);
  }
  return true;
}

std::uint32_t Rop2(int rop, std::uint32_t pen, std::uint32_t destination) {
  unsigned table = static_cast<unsigned>(rop - 1) & 0xF;
  std::uint32_t result = 0;
  if (table & 1) result |= ~pen & ~destination;
  if (table & 2) result |= ~pen & destination;
  if (table & 4) result |= pen & ~destination;
  if (table & 8) result |= pen & destination;
  return result & 0xFFFFFF;
}

std::uint32_t Rop3(DWORD rop, std::uint32_t pattern, std::uint32_t source,
                   std::uint32_t destination) {
  switch (rop) {  // the common ones, directly
    case SRCCOPY: return source & 0xFFFFFF;
    case PATCOPY: return pattern & 0xFFFFFF;
    case SRCINVERT: return (source ^ destination) & 0xFFFFFF;
    case PATINVERT: return (pattern ^ destination) & 0xFFFFFF;
    case DSTINVERT: return ~destination & 0xFFFFFF;
    default: break;
  }
  unsigned table = (rop >> 16) & 0xFF;
  std::uint32_t result = 0;
  for (unsigned index = 0; index < 8; ++index) {
    if ((table & (1u << index)) == 0) continue;
    std::uint32_t p = (index & 4) ? pattern : ~pattern;
    std::uint32_t s = (index & 2) ? source : ~source;
    std::uint32_t d = (index & 1) ? destination : ~destination;
    result |= p & s & d;
  }
  return result & 0xFFFFFF;
}

void ApplyMask(const HDC__& dc, const Mask& mask, const Source& source, int rop2) {
  if (mask.Empty() || dc.surface == nullptr || rop2 == R2_NOP) return;
  RECT bounds{mask.left, mask.top, mask.left + mask.width, mask.top + mask.height};
  RectList clip = IntersectList(ClipRects(dc), bounds);
  if (clip.empty()) return;
  Pixels pixels = BeginPixels(dc.surface);
  for (const RECT& rect : clip) {
    for (int y = rect.top; y < rect.bottom; ++y) {
      const std::uint8_t* cover =
          &mask.cover[static_cast<std::size_t>(y - mask.top) * mask.stride];
      for (int x = rect.left; x < rect.right; ++x) {
        if (cover[x - mask.left] == 0) continue;
        std::uint32_t& pixel = pixels.At(x, y);
        pixel = Rop2(rop2, source.At(x, y), pixel);
      }
    }
  }
  EndPixels(dc.surface);
}

void ApplyRect(const HDC__& dc, const RECT& rect, const Source& pattern, DWORD rop3) {
  if (dc.surface == nullptr || IsEmpty(rect)) return;
  RectList clip = IntersectList(ClipRects(dc), rect);
  if (clip.empty()) return;
  Pixels pixels = BeginPixels(dc.surface);
  bool plainFill = rop3 == PATCOPY && pattern.brush == nullptr;  // the common erase
  for (const RECT& part : clip)
    for (int y = part.top; y < part.bottom; ++y) {
      if (plainFill) {
        std::fill(&pixels.At(part.left, y), &pixels.At(part.left, y) + (part.right - part.left),
                  pattern.colour);
        continue;
      }
      for (int x = part.left; x < part.right; ++x) {
        std::uint32_t& pixel = pixels.At(x, y);
        pixel = Rop3(rop3, pattern.At(x, y), 0, pixel);
      }
    }
  EndPixels(dc.surface);
}

}  // namespace gdi
