// Fonts: font descriptions mapped to the DejaVu faces, realised as cairo
// scaled fonts with our own fontconfig set-up, and their metrics.
//
// Before fontconfig is first used, the layer writes its own configuration
// (listing only the DejaVu folder, no rescans) to a private temporary file,
// points FONTCONFIG_FILE at it, lets fontconfig load it, then removes the
// file and restores the variable, so the program works from any folder and
// child processes see the user's own fonts.
//
// A realised font works at 96 pixels per inch with full hinting and hinted
// (whole-pixel) metrics; text is drawn in grey antialiasing, or none for
// NONANTIALIASED_QUALITY. Each of the 256 Windows-1252 bytes gets its glyph
// and a whole-pixel advance once, and every width is the sum of those
// advances, so the extent of "ab" is that of "a" plus that of "b".
#include "platform/GdiText.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Windows1252.h"

namespace gdi {
namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu";
constexpr const char* kProportionalFamily = "DejaVu Sans";
constexpr const char* kFixedFamily = "DejaVu Sans Mono";

std::string FontConfiguration() {
  return std::string(
             "<?xml version=\"1.0\"?>\n"
             "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
             "<fontconfig>\n"
             "  <dir>") +
         kFontFolder +
         "</dir>\n"
         "  <config><rescan><int>0</int></rescan></config>\n"
         "</fontconfig>\n";
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

void LoadFontConfiguration() {
  // A name of the process's own, which never reaches the program's text.
  std::string diskPath = TemporaryFolder() + "/quorvel-fonts-XXXXXX";
  int file = mkstemp(diskPath.data());
  if (file < 0) {
    std::fprintf(stderr, "Quorvel: cannot write the font configuration in %s\n",
                 TemporaryFolder().c_str());
    FcInit();
    return;
  }
  std::string text = FontConfiguration();
  bool written = write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(file);
  const char* previous = std::getenv("FONTCONFIG_FILE");
  std::string kept = previous != nullptr ? previous : "";
  if (written) setenv("FONTCONFIG_FILE", diskPath.c_str(), 1);
  FcInit();
  if (previous != nullptr) setenv("FONTCONFIG_FILE", kept.c_str(), 1);
  else unsetenv("FONTCONFIG_FILE");
  std::remove(diskPath.c_str());
  FcFontSet* fonts = FcConfigGetFonts(nullptr, FcSetSystem);
  if (fonts == nullptr || fonts->nfont == 0)
    std::fprintf(stderr, "Quorvel: no fonts found in %s (Debian package fonts-dejavu-core)\n",
                 kFontFolder);
}

std::string Lower(const char* text) {
  std::string result;
  for (const char* p = text; *p != '\0'; ++p)
    result.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*p))));
  return result;
}

bool WantsFixedPitch(const LOGFONT& font) {
  if ((font.lfPitchAndFamily & 0x03) == FIXED_PITCH) return true;
  std::string face = Lower(font.lfFaceName);
  if (face.empty()) return (font.lfPitchAndFamily & 0xF0) == FF_MODERN;
  for (const char* fixed : {"courier", "lucida console", "consolas", "fixedsys", "terminal",
                            "mono", "typewriter"})
    if (face.find(fixed) != std::string::npos) return true;
  return false;
}

// Unicode of the Windows-1252 bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8(unsigned code) {
  std::string out;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
  return out;
}

cairo_scaled_font_t* MakeScaledFont(cairo_font_face_t* face, double size, bool hinted,
                                    cairo_antialias_t antialias) {
  cairo_matrix_t matrix, identity;
  cairo_matrix_init_scale(&matrix, size, size);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, hinted ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, antialias);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  cairo_scaled_font_t* font = cairo_scaled_font_create(face, &matrix, &identity, options);
  cairo_font_options_destroy(options);
  return font;
}

// Character (em) height in pixels for a description's height.
double EmPixels(const LOGFONT& description, cairo_font_face_t* face) {
  // Cell height over em height of the face, measured unhinted.
  cairo_scaled_font_t* probe = MakeScaledFont(face, 1000.0, false, CAIRO_ANTIALIAS_GRAY);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(probe, &extents);
  cairo_scaled_font_destroy(probe);
  double cellPerEm = (extents.ascent + extents.descent) / 1000.0;
  if (cellPerEm <= 0) cellPerEm = 1.0;
  LONG height = description.lfHeight;
  if (height < 0) return -static_cast<double>(height);
  if (height > 0) return height / cellPerEm;
  return 16.0 / cellPerEm;  // the default cell height
}

void MeasureGlyphs(FontFace& face) {
  for (int byte = 0; byte < 256; ++byte) {
    unsigned code = static_cast<unsigned>(byte);
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0)
      code = kHighControls[byte - 0x80];
    // A file name's byte the text cannot hold shows as one stand-in: its
    // escape as '?', its two halves as nothing (Windows1252.h).
    if (byte == platform::kNameByteEscape) code = '?';
    std::string text = Utf8(code == 0 ? ' ' : code);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    cairo_scaled_font_text_to_glyphs(face.font, 0, 0, text.c_str(), static_cast<int>(text.size()),
                                     &glyphs, &count, nullptr, nullptr, nullptr);
    if (count >= 1) {
      face.glyph[byte] = glyphs[0].index;
      cairo_text_extents_t extents;
      cairo_scaled_font_glyph_extents(face.font, glyphs, 1, &extents);
      face.advance[byte] = static_cast<int>(std::lround(extents.x_advance));
    }
    if (byte >= platform::kNameByteHalf && byte < platform::kNameByteHalf + 16) face.advance[byte] = 0;
    cairo_glyph_free(glyphs);
  }
}

void MeasureFont(FontFace& face, const LOGFONT& description) {
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(face.font, &extents);
  TEXTMETRIC& tm = face.metrics;
  tm = TEXTMETRIC{};
  tm.tmAscent = static_cast<LONG>(std::lround(extents.ascent));
  tm.tmDescent = static_cast<LONG>(std::lround(extents.descent));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(std::lround(face.em)));
  tm.tmExternalLeading = std::max<LONG>(0, static_cast<LONG>(std::lround(extents.height)) - tm.tmHeight);
  tm.tmAveCharWidth = face.advance[static_cast<unsigned char>('x')];
  tm.tmMaxCharWidth = *std::max_element(face.advance + 0x20, face.advance + 0x100);
  tm.tmWeight = description.lfWeight == FW_DONTCARE ? FW_NORMAL : description.lfWeight;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = '?';
  tm.tmBreakChar = ' ';
  tm.tmItalic = description.lfItalic != 0 ? 1 : 0;
  tm.tmUnderlined = description.lfUnderline != 0 ? 1 : 0;
  tm.tmStruckOut = description.lfStrikeOut != 0 ? 1 : 0;
  tm.tmPitchAndFamily = static_cast<BYTE>((face.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                          TMPF_TRUETYPE | (face.fixedPitch ? FF_MODERN : FF_SWISS));
  tm.tmCharSet = ANSI_CHARSET;
}

}  // namespace

void EnsureFontConfiguration() {
  static std::once_flag loaded;
  std::call_once(loaded, LoadFontConfiguration);
}

const FontFace& Realise(FontObject& font) {
  std::call_once(font.realised, [&font] {
    EnsureFontConfiguration();
    auto face = std::make_unique<FontFace>();
    const LOGFONT& description = font.description;
    face->fixedPitch = WantsFixedPitch(description);
    face->family = face->fixedPitch ? kFixedFamily : kProportionalFamily;
    cairo_font_face_t* cairoFace = cairo_toy_font_face_create(
        face->family.c_str(),
        description.lfItalic != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        description.lfWeight >= FW_SEMIBOLD ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    face->em = std::max(1.0, EmPixels(description, cairoFace));
    cairo_antialias_t antialias = description.lfQuality == NONANTIALIASED_QUALITY
                                      ? CAIRO_ANTIALIAS_NONE
                                      : CAIRO_ANTIALIAS_GRAY;
    face->font = MakeScaledFont(cairoFace, face->em, true, antialias);
    cairo_font_face_destroy(cairoFace);
    MeasureGlyphs(*face);
    MeasureFont(*face, description);
    font.face = std::move(face);
  });
  return *font.face;
}

FontFace::~FontFace() {
  if (font != nullptr) cairo_scaled_font_destroy(font);
}

int TextWidth(const FontFace& face, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length; ++i) width += face.advance[static_cast<unsigned char>(text[i])];
  return width;
}

}  // namespace gdi

gdi::FontObject::~FontObject() = default;

using namespace gdi;

HFONT CreateFontIndirect(const LOGFONT* description) {
  if (description == nullptr) return nullptr;
  auto font = std::make_unique<FontObject>();
  font->description = *description;
  font->description.lfFaceName[LF_FACESIZE - 1] = '\0';  // an unterminated name is cut
  return static_cast<HFONT>(static_cast<FontObject*>(Register(std::move(font))));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONT description{};
  description.lfHeight = height;
  description.lfWidth = width;
  description.lfEscapement = escapement;
  description.lfOrientation = orientation;
  description.lfWeight = weight;
  description.lfItalic = static_cast<BYTE>(italic);
  description.lfUnderline = static_cast<BYTE>(underline);
  description.lfStrikeOut = static_cast<BYTE>(strikeOut);
  description.lfCharSet = static_cast<BYTE>(charSet);
  description.lfOutPrecision = static_cast<BYTE>(outPrecision);
  description.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  description.lfQuality = static_cast<BYTE>(quality);
  description.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face != nullptr) std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&description);
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  if (ValidDc(dc) == nullptr || metrics == nullptr) return FALSE;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return FALSE;
  *metrics = Realise(*font).metrics;
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, SIZE* size) {
  if (ValidDc(dc) == nullptr || size == nullptr || (text == nullptr && length > 0) || length < 0)
    return FALSE;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return FALSE;
  const FontFace& face = Realise(*font);
  *size = SIZE{TextWidth(face, text, length), face.metrics.tmHeight};
  return TRUE;
}

int GetTextFace(HDC dc, int size, LPSTR name) {
  if (ValidDc(dc) == nullptr) return 0;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return 0;
  std::string face = font->description.lfFaceName;
  if (face.empty()) face = Realise(*font).family;
  if (name == nullptr) return static_cast<int>(face.size()) + 1;
  if (size <= 0) return 0;
  std::size_t copied = std::min(face.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(name, face.data(), copied);
  name[copied] = '\0';
  return static_cast<int>(copied) + 1;
}
