// Drawing text: TextOut, ExtTextOut and DrawText.
//
// Every run is laid out by us, glyph by glyph at whole-pixel advances from
// the realised font (no kerning), and handed to cairo with those positions,
// so what is drawn matches GetTextExtentPoint32 exactly. The text alignment
// of the context places the run around the reference point: left, centre or
// right of it, and its top, baseline or bottom on it.
//
// DrawText splits lines (or wraps words with DT_WORDBREAK), turns "&x" into
// an underlined x unless DT_NOPREFIX ("&&" is a plain "&"), cuts a too long
// single line with "..." for DT_END_ELLIPSIS, and expands tabs to stops of
// eight average character widths for DT_EXPANDTABS.
#include "platform/GdiText.h"
#include "platform/MetafileInternal.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

namespace {

// A run of text ready to draw: bytes, their advances and where the
// mnemonic underline goes (-1: none).
struct Run {
  std::string text;
  std::vector<int> advances;
  int underlined = -1;
  int Width() const {
    int width = 0;
    for (int advance : advances) width += advance;
    return width;
  }
};

Run MakeRun(const FontFace& face, const char* text, int length, const int* advances) {
  Run run;
  run.text.assign(text, static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i)
    run.advances.push_back(advances != nullptr ? advances[i]
                                               : face.advance[static_cast<unsigned char>(text[i])]);
  return run;
}

void SetClip(cairo_t* cr, const RectList& clip) {
  for (const RECT& rect : clip)
    cairo_rectangle(cr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  cairo_clip(cr);
}

void FillSurfaceRect(const HDC__& dc, const RECT& rect, COLORREF colour, const RectList& clip) {
  Source source = ColourSource(colour);
  Mask mask = MakeMask(Intersect(rect, BoundingBox(clip)));
  if (mask.Empty()) return;
  for (const RECT& part : IntersectList(clip, rect))
    for (int y = part.top; y < part.bottom; ++y)
      for (int x = part.left; x < part.right; ++x) mask.Set(x, y);
  ApplyMask(dc, mask, source, R2_COPYPEN);
}

// Draws a run with its left end at `x` and its baseline at `baseline`
// (surface pixels), inside `clip`.
void DrawRun(const HDC__& dc, const FontObject& font, const FontFace& face, const Run& run, int x,
             int baseline, const RectList& clip) {
  if (clip.empty() || run.text.empty()) return;
  std::vector<cairo_glyph_t> glyphs;
  double pen = x;
  for (std::size_t i = 0; i < run.text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(run.text[i]);
    if (byte >= 0x20) glyphs.push_back(cairo_glyph_t{face.glyph[byte], pen, double(baseline)});
    pen += run.advances[i];
  }
  auto textLock = LockCairoText();
  cairo_t* cr = cairo_create(dc.surface);
  SetClip(cr, clip);
  COLORREF colour = dc.state.textColour;
  cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                       GetBValue(colour) / 255.0);
  cairo_set_scaled_font(cr, face.font);
  cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  KeepDrawnFont(face, cr);
  cairo_destroy(cr);
  textLock.unlock();
  // Underline, strike-out and the mnemonic underline are lines of whole pixels.
  int thickness = std::max(1, static_cast<int>(face.em / 14));
  int underline = baseline + std::max(1, face.metrics.tmDescent / 3);
  if (font.description.lfUnderline != 0)
    FillSurfaceRect(dc, RECT{x, underline, x + run.Width(), underline + thickness}, colour, clip);
  if (font.description.lfStrikeOut != 0) {
    int strike = baseline - face.metrics.tmAscent / 3;
    FillSurfaceRect(dc, RECT{x, strike, x + run.Width(), strike + thickness}, colour, clip);
  }
  if (run.underlined >= 0 && run.underlined < static_cast<int>(run.text.size())) {
    int start = x;
    for (int i = 0; i < run.underlined; ++i) start += run.advances[static_cast<std::size_t>(i)];
    int end = start + run.advances[static_cast<std::size_t>(run.underlined)];
    FillSurfaceRect(dc, RECT{start, underline, end, underline + thickness}, colour, clip);
  }
}

FontObject* CurrentFont(const HDC__& dc) { return dc.state.font.as<FontObject>(); }

BOOL TextOutRun(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int length,
                const int* advances) {
  if (ValidDc(dc) == nullptr || length < 0 || (text == nullptr && length > 0)) return FALSE;
  FontObject* font = CurrentFont(*dc);
  if (font == nullptr) return FALSE;
  RecordText(*dc, x, y, options, rect, text, length, advances);
  const FontFace& face = Realise(*font);
  DcState& state = dc->state;
  RectList clip = ClipRects(*dc);
  RECT box{0, 0, 0, 0};
  if (rect != nullptr) {
    POINT a = ToSurface(*dc, rect->left, rect->top);
    POINT b = ToSurface(*dc, rect->right, rect->bottom);
    box = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (options & ETO_OPAQUE) FillSurfaceRect(*dc, box, state.bkColour, clip);
    if (options & ETO_CLIPPED) clip = IntersectList(clip, box);
  }
  Run run = MakeRun(face, text, length, advances);
  int width = run.Width();
  bool updateCp = (state.textAlign & TA_UPDATECP) != 0;
  POINT reference = updateCp ? state.position : POINT{x, y};
  POINT origin = ToSurface(*dc, reference.x, reference.y);
  int left = origin.x;
  switch (state.textAlign & TA_CENTER) {
    case TA_CENTER: left -= width / 2; break;
    case TA_RIGHT: left -= width; break;
    default: break;
  }
  int baseline = origin.y + face.metrics.tmAscent;
  if ((state.textAlign & TA_BASELINE) == TA_BASELINE) baseline = origin.y;
  else if (state.textAlign & TA_BOTTOM) baseline = origin.y - face.metrics.tmDescent;
  if (state.bkMode == OPAQUE)
    FillSurfaceRect(*dc,
                    RECT{left, baseline - face.metrics.tmAscent, left + width,
                         baseline + face.metrics.tmDescent},
                    state.bkColour, clip);
  DrawRun(*dc, *font, face, run, left, baseline, clip);
  if (updateCp) {
    if ((state.textAlign & TA_CENTER) == TA_LEFT) state.position.x += width;
    else if ((state.textAlign & TA_CENTER) == TA_RIGHT) state.position.x -= width;
  }
  return TRUE;
}

// --- DrawText ---------------------------------------------------------------------------

// Removes mnemonic markers: "&&" is "&", "&x" underlines x.
Run PrefixRun(const FontFace& face, const std::string& line, UINT format) {
  std::string plain;
  int underlined = -1;
  bool prefixes = (format & DT_NOPREFIX) == 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (prefixes && line[i] == '&') {
      if (i + 1 >= line.size()) break;
      if (line[i + 1] != '&' && underlined < 0) underlined = static_cast<int>(plain.size());
      ++i;
    }
    plain.push_back(line[i]);
  }
  Run run = MakeRun(face, plain.data(), static_cast<int>(plain.size()), nullptr);
  if ((format & DT_HIDEPREFIX) == 0) run.underlined = underlined;
  return run;
}

void ExpandTabs(const FontFace& face, Run& run) {
  int stop = std::max(1, 8 * face.metrics.tmAveCharWidth);
  int x = 0;
  for (std::size_t i = 0; i < run.text.size(); ++i) {
    if (run.text[i] == '\t') run.advances[i] = stop - x % stop;
    x += run.advances[i];
  }
}

void CutWithEllipsis(const FontFace& face, Run& run, int width) {
  if (run.Width() <= width) return;
  int dots = 3 * face.advance[static_cast<unsigned char>('.')];
  while (!run.text.empty() && run.Width() + dots > width) {
    run.text.pop_back();
    run.advances.pop_back();
  }
  if (run.underlined >= static_cast<int>(run.text.size())) run.underlined = -1;
  for (int i = 0; i < 3; ++i) {
    run.text.push_back('.');
    run.advances.push_back(face.advance[static_cast<unsigned char>('.')]);
  }
}

std::vector<std::string> SplitLines(const std::string& text, bool single) {
  if (single) return {text};
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().push_back(text[i]);
    }
  }
  return lines;
}

// Breaks a line at spaces so that each piece fits `width`; a single word
// wider than the width stays whole.
std::vector<std::string> WrapLine(const FontFace& face, const std::string& line, UINT format,
                                  int width) {
  std::vector<std::string> pieces;
  std::string current;
  std::size_t position = 0;
  while (position <= line.size()) {
    std::size_t space = line.find(' ', position);
    std::string word = line.substr(position, space == std::string::npos ? std::string::npos
                                                                         : space - position);
    std::string candidate = current.empty() ? word : current + " " + word;
    if (!current.empty() && PrefixRun(face, candidate, format).Width() > width) {
      pieces.push_back(current);
      current = word;
    } else {
      current = candidate;
    }
    if (space == std::string::npos) break;
    position = space + 1;
  }
  pieces.push_back(current);
  return pieces;
}

}  // namespace

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) {
  return TextOutRun(dc, x, y, 0, nullptr, text, length, nullptr);
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                const int* advances) {
  return TextOutRun(dc, x, y, options, rect, text, static_cast<int>(length), advances);
}

int DrawText(HDC dc, LPCSTR text, int length, RECT* rect, UINT format) {
  if (ValidDc(dc) == nullptr || rect == nullptr || text == nullptr) return 0;
  FontObject* font = CurrentFont(*dc);
  if (font == nullptr) return 0;
  const FontFace& face = Realise(*font);
  std::string all(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
  bool single = (format & DT_SINGLELINE) != 0;
  int boxWidth = rect->right - rect->left;
  std::vector<Run> runs;
  for (const std::string& line : SplitLines(all, single)) {
    std::vector<std::string> pieces{line};
    if ((format & DT_WORDBREAK) && !single) pieces = WrapLine(face, line, format, boxWidth);
    for (const std::string& piece : pieces) {
      runs.push_back(PrefixRun(face, piece, format));
      if (format & DT_EXPANDTABS) ExpandTabs(face, runs.back());
      if (format & DT_END_ELLIPSIS) CutWithEllipsis(face, runs.back(), boxWidth);
    }
  }
  int lineHeight = face.metrics.tmHeight;
  int textHeight = lineHeight * static_cast<int>(runs.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Run& run : runs) widest = std::max(widest, run.Width());
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }
  int top = rect->top;
  if (single && (format & DT_VCENTER)) top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) top = rect->bottom - lineHeight;
  RectList clip = ClipRects(*dc);
  if ((format & DT_NOCLIP) == 0) {
    POINT a = ToSurface(*dc, rect->left, rect->top);
    POINT b = ToSurface(*dc, rect->right, rect->bottom);
    clip = IntersectList(clip, RECT{a.x, a.y, b.x, b.y});
  }
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Run& run = runs[i];
    int left = rect->left;
    if (format & DT_CENTER) left += (boxWidth - run.Width()) / 2;
    else if (format & DT_RIGHT) left = rect->right - run.Width();
    if (Records(*dc)) {
      // Recorded as the text run it draws, at its own place and advances.
      UINT align = dc->state.textAlign;
      RecordValues(*dc, EMR_SETTEXTALIGN, {static_cast<std::int32_t>(TA_LEFT | TA_TOP)});
      RecordText(*dc, left, top + static_cast<int>(i) * lineHeight,
                 (format & DT_NOCLIP) ? 0 : ETO_CLIPPED, (format & DT_NOCLIP) ? nullptr : rect,
                 run.text.data(), static_cast<int>(run.text.size()), run.advances.data());
      RecordValues(*dc, EMR_SETTEXTALIGN, {static_cast<std::int32_t>(align)});
      continue;
    }
    POINT origin = ToSurface(*dc, left, top + static_cast<int>(i) * lineHeight);
    int baseline = origin.y + face.metrics.tmAscent;
    if (dc->state.bkMode == OPAQUE)
      FillSurfaceRect(*dc, RECT{origin.x, origin.y, origin.x + run.Width(), origin.y + lineHeight},
                      dc->state.bkColour, clip);
    DrawRun(*dc, *font, face, run, origin.x, baseline, clip);
  }
  return top - rect->top + textHeight;
}
